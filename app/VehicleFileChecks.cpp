// What the main window checks of vehicle files before and after opening them, without a window: the
// message for a file that cannot be opened, whether a document shows a file, the kind of vehicle a
// file starts with and the copy a new combination starts from.
#include "app/VehicleFileChecks.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <span>

QString VehicleFileChecks::OpenErrorText(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QString::fromStdString(FormatResChecked(61003, {path.toStdString()}));
    QByteArray bytes;
    if (!ReadRegularFile(path, kGroessteFahrzeugDatei, &bytes)) {
        // Gone since, or longer than any vehicle file: the reason is told as for a damaged file.
        return QString::fromStdString(
            FormatResChecked(QFileInfo::exists(path) ? 61001 : 61003, {path.toStdString()}));
    }
    CImpExp root;
    try {
        root.Load(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())),
                  path.toStdString());
        return QString::fromStdString(FormatResChecked(61001, {path.toStdString()}));
    } catch (const CImpExpException& e) {
        if (e.GetVersion() == 1)
            return QString::fromStdString(FormatResChecked(61002, {path.toStdString()}));
        return QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + QString::fromStdString(e.what());
    } catch (const std::exception&) {
        return QString::fromStdString(FormatResChecked(61001, {path.toStdString()}));
    }
}

bool VehicleFileChecks::SamePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

int VehicleFileChecks::OpenState(const CQOR1Doc* doc, const QString& path, int entry)
{
    if (!doc || !SamePath(QString::fromStdString(doc->GetPathName()), path))
        return 0;
    if (entry < 0 || entry == std::max(doc->GetVornIndex(), 0))
        return 1;
    if (doc->GetAnhaenger() && entry == doc->GetAnhaengerIndex())
        return 2;
    return 0;
}

bool VehicleFileChecks::StartsWithMotorVehicle(const QString& path)
{
    const int nTyp = ReadFileFahrzeugTyp(std::filesystem::path(path.toStdString()), 0, nullptr);
    return nTyp == FahrzeugArt::kZugmaschine || nTyp == FahrzeugArt::kSattelzugmaschine ||
           nTyp == FahrzeugArt::kZugmaschineUntertyp;
}

bool VehicleFileChecks::CopyForCombination(const QString& zugPath, const QString& newPath,
                                           const QString& anhaengerPath)
{
    // An existing combination is never replaced.
    if (newPath.isEmpty() || QFileInfo::exists(newPath) || !QFileInfo(zugPath).isFile() ||
        !QFileInfo(anhaengerPath).isFile())
        return false;
    return QDir().mkpath(QFileInfo(newPath).absolutePath()) && QFile::copy(zugPath, newPath);
}
