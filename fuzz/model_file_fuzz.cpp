// Fuzz target: the model file reader on any file content. A file that loads must write back to the
// same bytes.
#include "model/mesh/Q3dFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    Q3dModel model;
    std::string error;
    if (!Q3dFile::Read(bytes, model, error)) {
        if (error.empty() || !model.parts.empty())
            std::abort();
        return 0;
    }
    if (Q3dFile::Write(model) != bytes)
        std::abort();
    return 0;
}
