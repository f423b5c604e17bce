// The check of a Qt binary resource bundle.
//
// Layout (all numbers big-endian): "qres", version (1-3), offsets of the tree, the data and the names,
// and from version 3 the bundle's flags. The tree is an array of nodes of 14 bytes (22 from version 2,
// with a time stamp): name offset, flags, then for a folder the count and index of its children, for a
// file two locale words and its data offset. A name is a 16-bit length, a 32-bit hash and UTF-16
// characters; an item's data is a 32-bit length and the bytes, which for a zlib-compressed item start
// with the unpacked length and for a zstd-compressed item are one zstd frame.
#include "platform/RccBundle.h"

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint16_t kCompressed = 0x01;
constexpr std::uint16_t kDirectory = 0x02;
constexpr std::uint16_t kCompressedZstd = 0x04;

class Bundle
{
public:
    explicit Bundle(QByteArrayView bytes) : m_bytes(bytes) {}

    std::uint64_t Size() const { return static_cast<std::uint64_t>(m_bytes.size()); }
    // Whether `count` bytes from `at` lie inside the bundle.
    bool Holds(std::uint64_t at, std::uint64_t count) const { return at <= Size() && count <= Size() - at; }
    std::uint8_t Byte(std::uint64_t at) const
    {
        return static_cast<std::uint8_t>(m_bytes[static_cast<qsizetype>(at)]);
    }
    std::uint32_t Be(std::uint64_t at, int count) const
    {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i)
            v = (v << 8) | Byte(at + static_cast<std::uint64_t>(i));
        return v;
    }
    std::uint64_t Le(std::uint64_t at, int count) const
    {
        std::uint64_t v = 0;
        for (int i = count - 1; i >= 0; --i)
            v = (v << 8) | Byte(at + static_cast<std::uint64_t>(i));
        return v;
    }

private:
    QByteArrayView m_bytes;
};

// The unpacked length a zstd frame of `length` bytes at `at` declares in its header; false when it is
// no frame or does not declare it (Qt would then not know how much to unpack).
bool ZstdContentSize(const Bundle& b, std::uint64_t at, std::uint64_t length, std::uint64_t& size)
{
    if (length < 6 || b.Le(at, 4) != 0xFD2FB528u)
        return false;
    const std::uint8_t descriptor = b.Byte(at + 4);
    if (descriptor & 0x08) // reserved bit
        return false;
    const int fcsFlag = descriptor >> 6;
    const bool singleSegment = (descriptor & 0x20) != 0;
    static constexpr int kDictionaryBytes[4] = {0, 1, 2, 4};
    const std::uint64_t fcsAt = 5 + (singleSegment ? 0 : 1) + kDictionaryBytes[descriptor & 0x03];
    const int fcsBytes = fcsFlag == 0 ? (singleSegment ? 1 : 0) : 1 << fcsFlag;
    if (fcsBytes == 0 || fcsAt + static_cast<std::uint64_t>(fcsBytes) > length)
        return false;
    size = b.Le(at + fcsAt, fcsBytes) + (fcsBytes == 2 ? 256 : 0);
    return true;
}

// Whether the name at `at` (length, hash, UTF-16 characters) is a plain part of a path.
bool IsPathPart(const Bundle& b, std::uint64_t at)
{
    const std::uint32_t length = b.Be(at, 2);
    if (length == 0)
        return false;
    bool allDots = length <= 2;
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint32_t c = b.Be(at + 6 + 2 * std::uint64_t{i}, 2);
        if (c == '/' || c == '\\')
            return false;
        allDots = allDots && c == '.';
    }
    return !allDots;
}

} // namespace

bool CheckRccBundle(QByteArrayView bytes, qint64 itemLimit, QString* why)
{
    const auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const Bundle b(bytes);
    if (!b.Holds(0, 20) || bytes.first(4) != QByteArrayView("qres"))
        return refuse(QStringLiteral("it is no resource bundle"));
    const std::uint32_t version = b.Be(4, 4);
    if (version < 1 || version > 3)
        return refuse(QStringLiteral("unknown bundle version %1").arg(version));
    const std::uint64_t tree = b.Be(8, 4), data = b.Be(12, 4), names = b.Be(16, 4);
    const std::uint64_t header = version >= 3 ? 24 : 20;
    if (!b.Holds(0, header))
        return refuse(QStringLiteral("the header is cut short"));
    if (version >= 3 && (b.Be(20, 4) & ~std::uint32_t{kCompressed | kCompressedZstd}) != 0)
        return refuse(QStringLiteral("unknown bundle flags"));
    const std::uint64_t nodeSize = version >= 2 ? 22 : 14;
    if (tree >= b.Size() || data >= b.Size() || names >= b.Size())
        return refuse(QStringLiteral("an offset of the header lies outside the file"));
    const std::uint64_t nodeCount = (b.Size() - tree) / nodeSize;
    if (nodeCount == 0)
        return refuse(QStringLiteral("the tree is cut short"));

    std::vector<bool> reached(nodeCount, false);
    std::vector<std::uint64_t> pending{0};
    reached[0] = true;
    while (!pending.empty()) {
        const std::uint64_t node = pending.back();
        pending.pop_back();
        const std::uint64_t at = tree + node * nodeSize;
        const std::uint64_t name = names + b.Be(at, 4);
        if (!b.Holds(name, 6) || !b.Holds(name + 6, 2 * std::uint64_t{b.Be(name, 2)}))
            return refuse(QStringLiteral("node %1 has its name outside the file").arg(node));
        // A name is one part of a path: an empty one, "." or ".." or one with a "/" would name a folder
        // again, and a walk through the folders would never end.
        if (node != 0 && !IsPathPart(b, name))
            return refuse(QStringLiteral("node %1 has a name that is no part of a path").arg(node));
        const std::uint32_t flags = b.Be(at + 4, 2);
        if ((flags & ~std::uint32_t{kCompressed | kDirectory | kCompressedZstd}) != 0 ||
            ((flags & kCompressed) && (flags & kCompressedZstd)) ||
            ((flags & kDirectory) && (flags & (kCompressed | kCompressedZstd))))
            return refuse(QStringLiteral("node %1 has unknown flags").arg(node));
        if (node == 0 && !(flags & kDirectory))
            return refuse(QStringLiteral("the tree's root is no folder"));
        if (flags & kDirectory) {
            const std::uint64_t count = b.Be(at + 6, 4), first = b.Be(at + 10, 4);
            if (first > nodeCount || count > nodeCount - first)
                return refuse(QStringLiteral("folder node %1 has children outside the tree").arg(node));
            for (std::uint64_t child = first; child < first + count; ++child) {
                if (reached[child])
                    return refuse(QStringLiteral("node %1 is reached twice").arg(child));
                reached[child] = true;
                pending.push_back(child);
            }
            continue;
        }
        const std::uint64_t item = data + b.Be(at + 10, 4);
        if (!b.Holds(item, 4) || !b.Holds(item + 4, b.Be(item, 4)))
            return refuse(QStringLiteral("node %1 has its data outside the file").arg(node));
        const std::uint64_t length = b.Be(item, 4);
        std::uint64_t unpacked = length;
        if (flags & kCompressed) {
            if (length < 4)
                return refuse(QStringLiteral("node %1 is cut short").arg(node));
            unpacked = b.Be(item + 4, 4);
        }
        if ((flags & kCompressedZstd) && !ZstdContentSize(b, item + 4, length, unpacked))
            return refuse(QStringLiteral("node %1 holds no readable zstd frame").arg(node));
        if (unpacked > static_cast<std::uint64_t>(itemLimit))
            return refuse(QStringLiteral("node %1 unpacks to %2 bytes").arg(node).arg(unpacked));
    }
    return true;
}
