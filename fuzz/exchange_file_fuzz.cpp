// Fuzz target: the exchange file reader on any content. A file that reads has pictures with plain,
// distinct names whose bytes add up to no more than the file.
#include "model/files/CImpExp.h"
#include "reports/ExchangeFileReader.h"
#include "reports/ExchangeFileWriter.h"

#include <cstdlib>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CImpExp root;
    std::vector<ExchangePicture> pictures;
    std::string error;
    if (!ExchangeFileReader::Parse(std::span<const std::uint8_t>(data, size), root, pictures, error)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    std::set<std::string> names;
    std::size_t bytes = 0;
    for (const ExchangePicture& p : pictures) {
        if (!ExchangeFileWriter::IsBareName(p.name) || !names.insert(p.name).second)
            std::abort();
        bytes += p.data.size();
    }
    if (bytes > size)
        std::abort();
    for (int i = 0; i <= static_cast<int>(root.m_Verzeichnis.size()); ++i)
        root.GetFahrzeugRecord(i);
    root.Store();
    return 0;
}
