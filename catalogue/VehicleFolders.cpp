// The per-user folders the catalogue dialogs work in, each without a trailing slash.
#include "catalogue/VehicleFolders.h"

#include "model/text/TextProvider.h"

#include <QDir>

VehicleFolders VehicleFolders::Below(const QString& userRoot)
{
    const QString root = QDir(userRoot).absolutePath() + QLatin1Char('/');
    VehicleFolders folders;
    folders.vehicles = root + QStringLiteral("vehicles");
    folders.combinations = root + QStringLiteral("combinations");
    folders.sampleVehicles = root + QStringLiteral("Samples/vehicles");
    folders.sampleVehicleRoot =
        folders.sampleVehicles + QLatin1Char('/') + QString::fromStdString(LoadResString(259));
    folders.loadUnits = root + QStringLiteral("load units");
    folders.sampleLoadUnits = root + QStringLiteral("Samples/load units");
    return folders;
}
