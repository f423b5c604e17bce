// Reading a whole file for the Qt side: regular files only, up to a length that fits the format.
#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole regular file at `path` into `out`. False for anything else at the path (a named pipe, a
// device, a folder: refused at once, without waiting or reading from it), for a file longer than `limit`
// bytes, and when the file cannot be read; `why` then tells what happened.
bool ReadRegularFile(const QString& path, qint64 limit, QByteArray* out, QString* why = nullptr);
