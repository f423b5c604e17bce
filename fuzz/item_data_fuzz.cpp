// Fuzz target: the catalogue item reader on any file content. A file that loads must store as a
// current file that loads again without conversion and stores the same. It catches exactly what the
// program's catalogue item reader handles: a refused file.
#include "model/archive/ArchiveError.h"
#include "model/files/tagItemData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tagItemData item;
    try {
        item.Load(std::span<const std::uint8_t>(data, size));
    } catch (const ArchiveError&) {
        return 0;
    }
    const std::vector<std::uint8_t> stored = item.Store();
    tagItemData again;
    LoadAnswer answer = LoadAnswer::NeedsRewriting;
    try {
        answer = again.Load(stored);
    } catch (...) {
        std::abort();
    }
    if (answer != LoadAnswer::Current || again.Store() != stored)
        std::abort();
    return 0;
}
