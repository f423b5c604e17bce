// PNG header parsing.
#include "model/base/PngSize.h"

#include "model/base/LockedFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

std::optional<std::pair<int, int>> ReadPngSize(const std::filesystem::path& file)
{
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> head;
    if (!LockedFile::ReadStart(file, 24, head) || head.size() != 24)
        return std::nullopt;
    if (std::memcmp(head.data(), kSignature, 8) != 0 || std::memcmp(head.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const auto be32 = [&](int at) {
        return std::uint32_t(head[at]) << 24 | std::uint32_t(head[at + 1]) << 16 |
               std::uint32_t(head[at + 2]) << 8 | std::uint32_t(head[at + 3]);
    };
    const std::uint32_t w = be32(16), h = be32(20);
    // The format allows 1 .. 2^31 - 1 pixels each way.
    if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu)
        return std::nullopt;
    return std::make_pair(static_cast<int>(w), static_cast<int>(h));
}
