// ShellFileOperation on std::filesystem, with the desktop trash from Qt.
#include "platform/ShellFileOperation.h"

#include "model/base/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int Code(const std::error_code& ec)
{
    return ec ? (ec.value() != 0 ? ec.value() : EIO) : SFO_OK;
}

int RemoveAll(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec)))
        return DeleteDirectoryTree(path) ? SFO_OK : EACCES;
    fs::remove(path, ec);
    return Code(ec);
}

// The path the source ends up at: inside `target` when that is an existing folder.
fs::path Destination(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return target / source.filename();
    return target;
}

bool IsInside(const fs::path& inner, const fs::path& outer)
{
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    const fs::path b = fs::weakly_canonical(outer, ec);
    auto [end, it] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return end == b.end();
}

int Copy(const fs::path& source, const fs::path& destination)
{
    if (IsInside(destination, source))
        return SFO_TARGET_INSIDE_SOURCE;
    std::error_code ec;
    fs::copy(source, destination,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                 fs::copy_options::copy_symlinks,
             ec);
    return Code(ec);
}

int Move(const fs::path& source, const fs::path& destination)
{
    if (IsInside(destination, source) && fs::weakly_canonical(destination) != fs::weakly_canonical(source))
        return SFO_TARGET_INSIDE_SOURCE;
    std::error_code ec;
    fs::rename(source, destination, ec);
    if (ec == std::errc::cross_device_link) {
        // Another file system: copy, and remove the source only once the copy is complete.
        if (const int copied = Copy(source, destination); copied != SFO_OK)
            return copied;
        return RemoveAll(source);
    }
    if (ec == std::errc::directory_not_empty || ec == std::errc::file_exists ||
        ec == std::errc::is_a_directory) {
        if (const int removed = RemoveAll(destination); removed != SFO_OK)
            return removed;
        ec.clear();
        fs::rename(source, destination, ec);
    }
    return Code(ec);
}

// Whether `pathInTrash` lies in the files folder of a trash of the desktop's trash rules: the user's
// trash in the data folder, or a volume's ".Trash-<uid>" or ".Trash/<uid>" folder.
bool IsTrashPath(const QString& pathInTrash)
{
    const QFileInfo entry(pathInTrash);
    const QDir files = entry.absoluteDir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    const QString trash = QFileInfo(files.absolutePath()).absolutePath();
    const QString home =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
    if (QFileInfo(trash).canonicalFilePath() == QFileInfo(home).canonicalFilePath() &&
        !QFileInfo(home).canonicalFilePath().isEmpty())
        return true;
    const QString uid = QString::number(::getuid());
    const QString name = QFileInfo(trash).fileName();
    if (name == QStringLiteral(".Trash-") + uid)
        return true;
    return name == uid && QFileInfo(QFileInfo(trash).absolutePath()).fileName() == QLatin1String(".Trash");
}

// Moves the source to the trash. The trash function may answer success after putting the file into
// a folder that is no trash (Qt 6.4 falls back to the working directory when the user's trash cannot
// be made): such a move is taken back and reported as a trash failure.
int MoveToTrash(const std::string& source)
{
    QString inTrash;
    if (!QFile::moveToTrash(QString::fromStdString(source), &inTrash))
        return SFO_TRASH_FAILED;
    if (IsTrashPath(inTrash))
        return SFO_OK;
    std::error_code ec;
    const fs::path moved = fs::path(inTrash.toStdString());
    fs::rename(moved, fs::path(source), ec);
    if (ec)
        return Code(ec); // the file stays where the trash function put it
    const fs::path folder = moved.parent_path().parent_path();
    fs::remove(folder / "info" / (moved.filename().string() + ".trashinfo"), ec);
    // The folders made for the move go again when they are empty.
    fs::remove(folder / "files", ec);
    fs::remove(folder / "info", ec);
    return SFO_TRASH_FAILED;
}

} // namespace

int ShellFileOperation(const std::string& source, const std::string& target, unsigned operation,
                       unsigned flags)
{
    const fs::path from = fs::path(source);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(from, ec);
    if (ec == std::errc::filename_too_long)
        return ENAMETOOLONG;
    if (!fs::exists(status))
        return SFO_SOURCE_MISSING;

    switch (operation) {
    case FO_DELETE:
        if (flags & FOF_ALLOWUNDO)
            return MoveToTrash(source);
        return RemoveAll(from);
    case FO_COPY:
        return Copy(from, Destination(from, fs::path(target)));
    case FO_MOVE:
        return Move(from, Destination(from, fs::path(target)));
    case FO_RENAME: {
        const fs::path to = fs::path(target);
        // A bare name renames within the source's folder.
        return Move(from, to.has_parent_path() ? to : from.parent_path() / to);
    }
    default:
        return SFO_UNKNOWN_OPERATION;
    }
}

std::string ShellFileOperationErrorText(int result)
{
    switch (result) {
    case SFO_OK:
        return "The operation succeeded.";
    case SFO_UNKNOWN_OPERATION:
        return "The file operation is not known.";
    case SFO_SOURCE_MISSING:
        return "The file or folder does not exist.";
    case SFO_TRASH_FAILED:
        return "The file or folder could not be moved to the trash.";
    case SFO_TARGET_INSIDE_SOURCE:
        return "A folder cannot be copied or moved into itself.";
    default:
        return std::system_category().message(result);
    }
}
