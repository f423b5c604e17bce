// Reading and writing a whole file for the Qt side: regular files only, up to a length that fits the
// format when read, all-or-nothing and never through a link when written.
#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole regular file at `path` into `out`. False for anything else at the path (a named pipe, a
// device, a folder: refused at once, without waiting or reading from it), for a file longer than `limit`
// bytes, and when the file cannot be read; `why` then tells what happened.
bool ReadRegularFile(const QString& path, qint64 limit, QByteArray* out, QString* why = nullptr);

// Writes `bytes` as the whole file at `path`, all-or-nothing: on failure the old file stays, and `why`
// tells the reason the system gave (a full disk among them). A link at the path (dangling or not) is
// replaced by the new file, its target is not touched; a named pipe, a device or a folder is refused.
bool WriteRegularFile(const QString& path, const QByteArray& bytes, QString* why = nullptr);
