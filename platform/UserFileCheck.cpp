// Checks of the files that Qt opens for the program before any check of its own.
#include "platform/UserFileCheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The name of the program a process runs, as QLockFile writes it into its locks: the file name of its
// executable. Empty when it cannot be read (a process of another user, or one that is gone).
QByteArray ProcessName(qint64 pid)
{
    const QString exe =
        QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)).remove(QStringLiteral(" (deleted)"));
    return exe.isEmpty() ? QByteArray() : QFile::encodeName(exe.section(QLatin1Char('/'), -1));
}

// True when `content` is a lock that a running instance of this program on this machine wrote: the
// lines of QLockFile (process, program, host name, and since Qt 5.10 machine and boot id).
bool IsOwnLiveLock(const QByteArray& content)
{
    if (!content.endsWith('\n'))
        return false;
    const QList<QByteArray> lines = content.left(content.size() - 1).split('\n');
    if (lines.size() < 3)
        return false;
    bool ok = false;
    const qint64 pid = lines[0].toLongLong(&ok);
    if (!ok || pid <= 0 || pid > 0x7fffffff)
        return false;
    if (QString::fromUtf8(lines[2]) != QSysInfo::machineHostName())
        return false;
    const QByteArray machine = QSysInfo::machineUniqueId();
    if (lines.size() > 3 && !lines[3].isEmpty() && !machine.isEmpty() && lines[3] != machine)
        return false;
    if (lines.size() > 4 && !lines[4].isEmpty() && lines[4] != QSysInfo::bootUniqueId())
        return false;
    const QByteArray own = ProcessName(QCoreApplication::applicationPid());
    if (own.isEmpty() || lines[1] != own)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    // A process of another user cannot be looked into: its lock names this program, which is enough.
    const QByteArray running = ProcessName(pid);
    return running.isEmpty() || running == own;
}

} // namespace

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

bool RemoveForeignLockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::lstat(name.constData(), &st) != 0)
        return false;
    // QLockFile never makes a link: one in the lock's place is nobody's lock.
    if (S_ISLNK(st.st_mode))
        return ::unlink(name.constData()) == 0;
    // Anything else but a regular file is left to SetAsideUnusableFile.
    if (!S_ISREG(st.st_mode) || st.st_size > kLongestLockFile)
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray content(static_cast<qsizetype>(kLongestLockFile), '\0');
    const ssize_t n = ::pread(fd, content.data(), static_cast<size_t>(content.size()), 0);
    content.resize(n > 0 ? static_cast<qsizetype>(n) : 0);
    bool stale = !IsOwnLiveLock(content);
    if (stale) {
        // QLockFile holds its file locked from its creation on and writes the lines right after: a
        // file so held and so young may be a lock of ours that is not complete yet.
        const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        const qint64 age = QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
        if (held && age >= 0 && age < 2000)
            stale = false;
    }
    const bool removed = stale && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
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
        const QString lock = file + QStringLiteral(".lock");
        if (auto moved = SetAsideUnusableFile(lock, kLongestLockFile))
            setAside.append(*moved);
        RemoveForeignLockFile(lock);
    }
    return setAside;
}
