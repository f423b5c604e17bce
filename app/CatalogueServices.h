// Installs the catalogue's forms as the frame's new-vehicle and usable-load-area services.
#pragma once

#include "app/DocumentServices.h"

#include <functional>

class CPlanEditDialogs;
class CQOR1Doc;
class QWidget;

class CatalogueServices
{
public:
    // The language the program runs in ("EN", "DE", ...).
    using Sprache = std::function<QString()>;

    // Sets services.newFahrzeug and services.nutzbareLF; the forms run through `dialogs` (which must
    // outlive the services). Without a language function the application's language is used.
    static void Install(DocumentServices& services, CPlanEditDialogs& dialogs, Sprache sprache = {});

    // The new-vehicle forms in turn: kind and name, for a semi-trailer on a German interface the two
    // counts, then the usable load area with its preset margins (none for a semi-trailer tractor).
    static bool NeuesFahrzeug(CPlanEditDialogs& dialogs, const QString& sprache, QWidget* parent,
                              DocumentServices::NeuChoice& choice);
    // The usable-load-area form on the vehicle worked on; OK writes both records, moves the placed loads
    // by a changed front margin and refreshes the views.
    static void NutzbareLF(CPlanEditDialogs& dialogs, QWidget* parent, CQOR1Doc* doc);
};
