// Fuzz target: the archive reader on any bytes. What reads must write, read and write again the same.
#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Reads top-level objects until the data ends or an error stops it. Answers the objects in order
// (back-references included) and keeps the new ones in `owned`.
std::vector<PersistentObject*> ReadObjects(std::span<const std::uint8_t> data,
                                           std::vector<std::unique_ptr<PersistentObject>>& owned)
{
    std::vector<PersistentObject*> objects;
    ArchiveReader in(data);
    try {
        while (!in.AtEnd()) {
            bool isNew = false;
            PersistentObject* p = in.ReadObject(&isNew);
            if (isNew)
                owned.emplace_back(p);
            objects.push_back(p);
        }
    } catch (const ArchiveError&) {
    }
    return objects;
}

Bytes WriteObjects(const std::vector<PersistentObject*>& objects)
{
    ArchiveWriter out;
    for (const PersistentObject* p : objects)
        out.WriteObject(p);
    return out.TakeData();
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void FuzzObjects(std::span<const std::uint8_t> data)
{
    std::vector<std::unique_ptr<PersistentObject>> owned1, owned2;
    const Bytes first = WriteObjects(ReadObjects(data, owned1));
    const auto again = ReadObjects(first, owned2);
    Check(WriteObjects(again) == first);
}

void FuzzValues(std::span<const std::uint8_t> data)
{
    ArchiveReader in(data);
    std::vector<std::string> texts;
    try {
        while (!in.AtEnd()) {
            texts.push_back(in.ReadString());
            in.ReadCount();
        }
    } catch (const ArchiveError&) {
    }
    ArchiveWriter out;
    for (const auto& t : texts) {
        out.WriteString(t);
        out.WriteCount(0);
    }
    const Bytes written = out.TakeData();
    ArchiveReader back(written);
    for (const auto& t : texts) {
        Check(back.ReadString() == t);
        Check(back.ReadCount() == 0);
    }
    Check(back.AtEnd());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks what the rest is read as.
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    if (data[0] & 1)
        FuzzValues(rest);
    else
        FuzzObjects(rest);
    return 0;
}
