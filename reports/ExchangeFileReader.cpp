// Reads exchange files and puts their pictures into the picture folder.
#include "reports/ExchangeFileReader.h"

#include "model/archive/ArchiveError.h"
#include "model/archive/ArchiveReader.h"
#include "model/base/LockedFile.h"
#include "model/files/CImpExp.h"
#include "reports/ExchangeFileWriter.h"

#include <QSaveFile>

#include <set>

namespace {

// A regular file only, of at most the longest exchange file (or picture file) taken.
bool ReadWhole(const std::filesystem::path& path, std::vector<std::uint8_t>& data, std::string* why = nullptr)
{
    return LockedFile::ReadFile(path, data, ExchangeFileReader::kGroessteDatei, why);
}

} // namespace

bool ExchangeFileReader::Parse(std::span<const std::uint8_t> data, CImpExp& root,
                               std::vector<ExchangePicture>& pictures, std::string& error)
{
    pictures.clear();
    try {
        if (data.size() < 4) {
            error = "the file is too short for an exchange file";
            return false;
        }
        {
            ArchiveReader head(data.first(4));
            const std::uint32_t format = head.ReadDword();
            if (format != ExchangeFileWriter::kFormat) {
                error = "unknown exchange file format " + std::to_string(format);
                return false;
            }
        }
        std::size_t at = 4;
        {
            ArchiveReader ar(data.subspan(at));
            unsigned schema = 0;
            ar.ReadClass(&CImpExp::classInfo, &schema);
            if (schema > CImpExp::kSchema) {
                error = "the vehicle file inside has a newer layout (" + std::to_string(schema) + ")";
                return false;
            }
            root.Read(ar, schema);
            at += ar.Position();
        }
        // The pictures hold no objects: a fresh reader per picture keeps the raw bytes in reach.
        std::uint32_t count = 0;
        {
            ArchiveReader ar(data.subspan(at));
            count = ar.ReadDword();
            at += ar.Position();
        }
        if (count > (data.size() - at) / 5) {
            error = "the picture count " + std::to_string(count) + " exceeds the file";
            return false;
        }
        std::set<std::string> seen;
        for (std::uint32_t i = 0; i < count; ++i) {
            ArchiveReader ar(data.subspan(at));
            const std::uint32_t size = ar.ReadDword();
            ExchangePicture p;
            p.name = ar.ReadString();
            if (!ExchangeFileWriter::IsBareName(p.name)) {
                error = "picture name \"" + p.name + "\" is not a plain file name";
                return false;
            }
            if (!seen.insert(p.name).second) {
                error = "picture \"" + p.name + "\" occurs twice";
                return false;
            }
            if (size > ar.Remaining()) {
                error = "picture \"" + p.name + "\" is larger than the rest of the file";
                return false;
            }
            at += ar.Position();
            const auto bytes = data.subspan(at, size);
            p.data.assign(bytes.begin(), bytes.end());
            at += size;
            pictures.push_back(std::move(p));
        }
        if (at != data.size()) {
            error = "bytes follow the last picture";
            return false;
        }
    } catch (const ArchiveError& e) {
        error = e.what();
        return false;
    }
    return true;
}

bool ExchangeFileReader::Read(const std::filesystem::path& file, const std::filesystem::path& pictureFolder,
                              CImpExp& root, std::vector<std::string>& kept, std::string& error)
{
    kept.clear();
    std::vector<std::uint8_t> data;
    std::string why;
    if (!ReadWhole(file, data, &why)) {
        error = "cannot read " + file.string() + (why.empty() ? std::string() : ": " + why);
        return false;
    }
    std::vector<ExchangePicture> pictures;
    if (!Parse(data, root, pictures, error))
        return false;
    for (const ExchangePicture& p : pictures) {
        if (p.data.empty())
            continue;
        const std::filesystem::path target = pictureFolder / p.name;
        std::vector<std::uint8_t> existing;
        std::error_code ec;
        if (std::filesystem::exists(target, ec)) {
            if (!ReadWhole(target, existing) || existing != p.data)
                kept.push_back(p.name);
            continue;
        }
        QSaveFile out(QString::fromStdString(target.string()));
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char*>(p.data.data()), static_cast<qint64>(p.data.size())) !=
                static_cast<qint64>(p.data.size()) ||
            !out.commit()) {
            error = "cannot write picture " + target.string();
            return false;
        }
    }
    return true;
}
