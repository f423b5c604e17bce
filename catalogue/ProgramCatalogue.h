// The program's one shared catalogue: every strip of load units and FSM items works on it.
#pragma once

#include "model/files/CHlbCatalogue.h"

#include <memory>

// The catalogue lives while some adapter holds it and is made anew (and built by its first adapter)
// after the last one let go.
class ProgramCatalogue
{
public:
    // The folders, set once at start-up.
    static void SetFolders(const CatalogueFolders& folders);
    static const CatalogueFolders& Folders();
    static std::shared_ptr<CHlbCatalogue> Get();
};
