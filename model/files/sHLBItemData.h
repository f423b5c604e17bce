// One entry of the shared catalogue: a load unit or FSM item with the file it came from.
#pragma once

#include "model/files/tagItemData.h"

#include <string>

struct sHLBItemData
{
    bool standard = false; // a built-in or sample entry, which cannot be deleted
    tagItemData item;
    std::string path; // the entry's file; empty for a built-in entry
};
