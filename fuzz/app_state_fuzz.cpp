// Fuzz target: the reader of the application-state file on any content. A file that reads stores as
// bytes that read again to the same bytes; one that does not read leaves only the default state.
#include "FuzzFile.h"
#include "model/files/AppStateFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AppStateMap map;
    const bool read = LoadAppStateParams(WriteFuzzFile("AppParams.ser", data, size), map);
    if (!map.count("default") || !GetAppStateParams(map, "no such state"))
        std::abort();
    if (!read) {
        if (map.size() != 1)
            std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> stored = StoreAppStateMap(map);
    AppStateMap again;
    if (!LoadAppStateParams(WriteFuzzFile("AppParams.ser", stored.data(), stored.size()), again) ||
        StoreAppStateMap(again) != stored)
        std::abort();
    return 0;
}
