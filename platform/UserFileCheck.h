// Files that Qt opens for the program before any check of its own (the settings files and the lock
// files): each is checked first and moved aside when it is anything but a small regular file.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct SetAsideFile
{
    QString path;    // where it stood
    QString movedTo; // where it stands now; empty when it could not be moved
};

// True when `path` holds nothing, a regular file of at most `limit` bytes, or a symbolic link to such a
// file. A named pipe, a device, a folder, a longer file, a dangling link or a link to any of these is not
// usable: reading it could block or fill the memory, and writing through it would reach something that
// is not a file of the user's.
bool IsUsableUserFile(const QString& path, qint64 limit);

// Leaves a usable path alone (nothing answered). Otherwise renames what stands there to
// "<path>.unusable" (or "<path>.unusable-2", ... when that name is taken) in the same folder, a link as
// a link, without opening it, and answers where it went.
std::optional<SetAsideFile> SetAsideUnusableFile(const QString& path, qint64 limit);

// Removes the lock file at `path` unless a running instance of this program on this machine holds it:
// a link, a file that cannot be read as a lock (the process, program and host lines QLockFile writes),
// and a lock of another host, an earlier boot, another program or a process that is gone is stale at
// once, where QLockFile would wait until it is old. A lock being written this moment (held, younger than
// two seconds, not complete yet) is left too. A link goes as a link, its target is not touched. Answers
// whether a file was removed.
bool RemoveForeignLockFile(const QString& path);

// The longest settings file and the longest lock file the program lets Qt read.
constexpr qint64 kLongestSettingsFile = qint64{1} << 20;
constexpr qint64 kLongestLockFile = 4096;

// Sets aside what is unusable among the user's settings files that Qt reads for the application's
// organisation and name (the application's file and the organisation-wide one beside it) and the lock
// files Qt reads when it writes them, and removes those lock files when they are foreign
// (RemoveForeignLockFile); answers what was set aside.
QList<SetAsideFile> SetAsideUnusableSettingsFiles();
