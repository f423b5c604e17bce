// Fuzz target: the vehicle and combination file reader on any file content. A file that loads must
// store as a current file that loads again without conversion and stores the same. It catches exactly
// what the program's vehicle-file readers handle (ReadRoot): any other exception escapes and is a
// crash.
#include "model/archive/ArchiveError.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CImpExp root;
    try {
        root.Load(std::span<const std::uint8_t>(data, size));
    } catch (const ArchiveError&) {
        return 0;
    } catch (const CImpExpException&) {
        return 0;
    }
    for (int i = 0; i < static_cast<int>(root.m_Verzeichnis.size()) + 1; ++i)
        root.GetFahrzeugRecord(i);
    const std::vector<std::uint8_t> stored = root.Store();
    CImpExp again;
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
