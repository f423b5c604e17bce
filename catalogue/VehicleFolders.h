// The per-user folders the catalogue dialogs work in, each without a trailing slash.
#pragma once

#include <QString>

struct VehicleFolders
{
    QString vehicles;          // the user's vehicle files
    QString combinations;      // the user's combination files
    QString sampleVehicles;    // the sample vehicles' folder, made afresh at each start (watched)
    QString sampleVehicleRoot; // the folder below it that holds the sample vehicle files (shown)
    QString loadUnits;         // the user's load-unit files
    QString sampleLoadUnits;   // the sample load units

    // The folders below a per-user data folder, with the names start-up makes.
    static VehicleFolders Below(const QString& userRoot);
    // The name the language gives the user's vehicle, combination or load-unit folder, which a tree shows
    // at its root in place of the name on disk; empty for any other folder.
    QString ShownName(const QString& folder) const;
};
