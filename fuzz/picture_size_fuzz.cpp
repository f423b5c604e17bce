// Fuzz target: the readers of a picture's size from its file header (PNG and BMP) on any file. A size
// they answer is positive both ways.
#include "FuzzFile.h"
#include "model/base/PngSize.h"
#include "model/securing/CLgspReport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path file = WriteFuzzFile("picture", data, size);
    if (const auto png = ReadPngSize(file); png && (png->first <= 0 || png->second <= 0))
        std::abort();
    int width = 0, height = 0;
    if (ReadBitmapSize(file.string(), &width, &height) && (width <= 0 || height <= 0))
        std::abort();
    return 0;
}
