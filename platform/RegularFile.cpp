// Reading and writing a whole file for the Qt side.
#include "platform/RegularFile.h"

#include "model/base/LockedFile.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

bool ReadRegularFile(const QString& path, qint64 limit, QByteArray* out, QString* why)
{
    std::vector<std::uint8_t> data;
    std::string error;
    const std::filesystem::path p(path.toStdString());
    if (limit < 0 || !LockedFile::ReadFile(p, data, static_cast<std::size_t>(limit), &error)) {
        if (why)
            *why = QString::fromStdString(error);
        if (out)
            out->clear();
        return false;
    }
    if (out)
        *out = QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    return true;
}

bool WriteRegularFile(const QString& path, const QByteArray& bytes, QString* why)
{
    std::string error;
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    if (LockedFile::WriteFileReplacingLink(std::filesystem::path(path.toStdString()), data, &error))
        return true;
    if (why)
        *why = QString::fromStdString(error);
    return false;
}
