// What a load placed from a catalogue item takes over from it.
#pragma once

#include "model/plan/SLadungVorlage.h"

class tagItemData;

SLadungVorlage GetLadungVorlage(const tagItemData& item);
