// Writes exchange files: a vehicle or combination file together with the pictures its load units show.
//
// Layout (archive encoding, little-endian): format number (32-bit, 1); the file's root exactly as in
// its ".qor"/".kmb" file; the picture count (32-bit); per picture its size (32-bit), its bare file name
// (archive string) and that many bytes. A picture that cannot be read, or whose stored name is not a
// bare file name, is written with size 0 and no bytes.
#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class ExchangeFileWriter
{
public:
    static constexpr std::uint32_t kFormat = 1;

    // `pictureFolder`: the per-user folder the load-unit pictures lie in.
    explicit ExchangeFileWriter(std::filesystem::path pictureFolder);
    // Removes the private folder with every exchange file in it.
    ~ExchangeFileWriter();
    ExchangeFileWriter(const ExchangeFileWriter&) = delete;
    ExchangeFileWriter& operator=(const ExchangeFileWriter&) = delete;

    // Writes one exchange file per source, named after the source with "ei" appended, into a private
    // temporary folder made for this writer. Answers the number written; ExchangePaths() holds each
    // file's path at its source's index, empty where the source could not be read or the file written.
    int WriteExportTempFiles(const std::vector<std::filesystem::path>& sources);
    const std::vector<std::filesystem::path>& ExchangePaths() const { return m_paths; }
    // The private folder (empty before the first write or when it could not be made).
    std::filesystem::path Folder() const;

    // The exchange file of one source, nullopt when the source cannot be read as a vehicle file.
    static std::optional<std::vector<std::uint8_t>> Build(const std::filesystem::path& source,
                                                          const std::filesystem::path& pictureFolder);

    // A plain file name: not empty, not "." or "..", without "/" or "\\" or NUL.
    static bool IsBareName(const std::string& name);

private:
    std::filesystem::path m_pictureFolder;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<std::filesystem::path> m_paths;
};
