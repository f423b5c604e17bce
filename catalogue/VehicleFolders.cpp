// The per-user folders the catalogue dialogs work in, each without a trailing slash.
#include "catalogue/VehicleFolders.h"

#include "model/text/TextProvider.h"

#include <QDir>

#include <cstdint>
#include <utility>

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

QString VehicleFolders::ShownName(const QString& folder) const
{
    // "Vehicles", "Combinations", "Load units" of the language module.
    const std::pair<const QString*, std::uint32_t> names[] = {
        {&vehicles, 61030}, {&combinations, 61031}, {&loadUnits, 475}};
    const QString path = QDir::cleanPath(folder);
    for (const auto& [ordner, textId] : names)
        if (!ordner->isEmpty() && QDir::cleanPath(*ordner) == path)
            return QString::fromStdString(LoadResString(textId));
    return QString();
}
