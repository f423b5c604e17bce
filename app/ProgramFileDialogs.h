// The document commands' file dialogs: opening, naming and combining vehicles in the program's own
// catalogue dialogs, exporting and importing.
#pragma once

#include "app/DocumentServices.h"

class ProgramFileDialogs
{
public:
    // Installs the open dialog, the save-name question, the new-combination dialog, the export and the
    // import into `services`;
    // `userRoot` is the per-user folder holding "vehicles/", "combinations/" and "Samples/".
    static void Install(DocumentServices& services, const QString& userRoot);
};
