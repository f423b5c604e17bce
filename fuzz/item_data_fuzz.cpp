// Fuzz target: the catalogue item reader on any file content. A file that loads must store as a
// current file that loads again without conversion and stores the same. It catches exactly what the
// program's catalogue item reader handles: a refused file and the request to write a converted one again.
#include "model/archive/ArchiveError.h"
#include "model/files/CReSaveException.h"
#include "model/files/tagItemData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tagItemData item;
    try {
        item.Load(std::span<const std::uint8_t>(data, size));
    } catch (const ArchiveError&) {
        return 0;
    } catch (const CReSaveException&) {
    }
    const std::vector<std::uint8_t> stored = item.Store();
    tagItemData again;
    try {
        again.Load(stored);
    } catch (...) {
        std::abort();
    }
    if (again.Store() != stored)
        std::abort();
    return 0;
}
