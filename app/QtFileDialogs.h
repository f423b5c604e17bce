// The stand-in open and save-name dialogs: Qt file dialogs on vehicle and combination files in the
// user's folders.
#pragma once

#include "app/DocumentServices.h"

class QtFileDialogs
{
public:
    // Installs the open dialog and the save-name question into `services`; `userRoot` is the per-user
    // folder holding "vehicles/" and "combinations/".
    static void Install(DocumentServices& services, const QString& userRoot);
};
