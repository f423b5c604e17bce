// Checks of the files that Qt opens for the program before any check of its own.
#include "platform/UserFileCheck.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool IsUsableUserFile(const QString& path, qint64 limit)
{
    const fs::path p(path.toStdString());
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(p, ec);
    if (ec)
        return own.type() == fs::file_type::not_found;
    if (own.type() == fs::file_type::not_found)
        return true;
    // A link is followed only to look: what it points to must be a regular file itself.
    const fs::file_status target = fs::status(p, ec);
    if (ec || target.type() != fs::file_type::regular)
        return false;
    const std::uintmax_t size = fs::file_size(p, ec);
    return !ec && size <= static_cast<std::uintmax_t>(limit);
}

std::optional<SetAsideFile> SetAsideUnusableFile(const QString& path, qint64 limit)
{
    if (IsUsableUserFile(path, limit))
        return std::nullopt;
    SetAsideFile moved{path, {}};
    std::error_code ec;
    for (int n = 1; n <= 100; ++n) {
        const QString aside =
            path + (n == 1 ? QStringLiteral(".unusable") : QStringLiteral(".unusable-%1").arg(n));
        const fs::path target(aside.toStdString());
        if (fs::exists(fs::symlink_status(target, ec)))
            continue;
        // rename() moves the entry itself: a link stays a link, a pipe or a device is never opened.
        fs::rename(fs::path(path.toStdString()), target, ec);
        if (!ec)
            moved.movedTo = aside;
        break;
    }
    return moved;
}

QList<SetAsideFile> SetAsideUnusableSettingsFiles()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/');
    const QString organisation = QCoreApplication::organizationName();
    const QString application = folder + organisation + QLatin1Char('/') +
                                QCoreApplication::applicationName() + QStringLiteral(".conf");
    const QString shared = folder + organisation + QStringLiteral(".conf");
    QList<SetAsideFile> setAside;
    for (const QString& file : {application, shared}) {
        if (auto moved = SetAsideUnusableFile(file, kLongestSettingsFile))
            setAside.append(*moved);
        if (auto moved = SetAsideUnusableFile(file + QStringLiteral(".lock"), kLongestLockFile))
            setAside.append(*moved);
    }
    return setAside;
}
