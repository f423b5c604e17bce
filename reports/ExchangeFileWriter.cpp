// Writes exchange files into a private temporary folder.
#include "reports/ExchangeFileWriter.h"

#include "model/archive/ArchiveError.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/LockedFile.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/VehicleFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <set>

namespace {

// The vehicle file and each picture: a regular file only, of at most the longest vehicle file taken.
std::optional<std::vector<std::uint8_t>> ReadWhole(const std::filesystem::path& path)
{
    std::vector<std::uint8_t> data;
    if (!LockedFile::ReadFile(path, data, kGroessteFahrzeugDatei))
        return std::nullopt;
    return data;
}

} // namespace

ExchangeFileWriter::ExchangeFileWriter(std::filesystem::path pictureFolder)
    : m_pictureFolder(std::move(pictureFolder))
{
}

ExchangeFileWriter::~ExchangeFileWriter() = default;

bool ExchangeFileWriter::IsBareName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::filesystem::path ExchangeFileWriter::Folder() const
{
    return m_dir && m_dir->isValid() ? std::filesystem::path(m_dir->path().toStdString())
                                     : std::filesystem::path();
}

std::optional<std::vector<std::uint8_t>> ExchangeFileWriter::Build(const std::filesystem::path& source,
                                                                   const std::filesystem::path& pictureFolder)
{
    const auto file = ReadWhole(source);
    if (!file)
        return std::nullopt;
    CImpExp root;
    try {
        root.Load(*file, source.filename().string());
    } catch (const ArchiveError&) {
        return std::nullopt;
    } catch (const CImpExpException&) {
        return std::nullopt;
    }
    std::set<std::string> names;
    for (const auto& fzg : root.m_Records)
        for (const auto& qor : fzg->m_Qors)
            for (const auto& ladung : qor->m_Ladungen)
                if (!ladung->m_strBildDatei.empty())
                    names.insert(ladung->m_strBildDatei);

    ArchiveWriter ar;
    ar.WriteDword(kFormat);
    const std::vector<std::uint8_t> rootBytes = root.Store();
    ar.WriteBytes(rootBytes.data(), rootBytes.size());
    ar.WriteDword(static_cast<std::uint32_t>(names.size()));
    for (const std::string& name : names) {
        std::optional<std::vector<std::uint8_t>> picture;
        if (IsBareName(name))
            picture = ReadWhole(pictureFolder / name);
        if (picture && picture->size() > UINT32_MAX)
            picture.reset();
        ar.WriteDword(picture ? static_cast<std::uint32_t>(picture->size()) : 0);
        ar.WriteString(name);
        if (picture && !picture->empty())
            ar.WriteBytes(picture->data(), picture->size());
    }
    return ar.TakeData();
}

int ExchangeFileWriter::WriteExportTempFiles(const std::vector<std::filesystem::path>& sources)
{
    m_paths.assign(sources.size(), {});
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qor-export-XXXXXX"));
    if (!m_dir->isValid())
        return 0;
    int written = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto data = Build(sources[i], m_pictureFolder);
        if (!data)
            continue;
        const std::filesystem::path target = Folder() / (sources[i].filename().string() + "ei");
        QSaveFile out(QString::fromStdString(target.string()));
        if (!out.open(QIODevice::WriteOnly))
            continue;
        out.write(reinterpret_cast<const char*>(data->data()), static_cast<qint64>(data->size()));
        if (!out.commit())
            continue;
        m_paths[i] = target;
        ++written;
    }
    return written;
}
