// Writes the archive encoding of the model's files into a byte buffer.
//
// Encoding (little-endian throughout):
//   byte, bool        1 byte (a bool as 0 or 1)
//   word              2 bytes unsigned; int and dword 4 bytes; float 4 and double 8 bytes IEEE 754
//   text              length prefix and Windows-1252 bytes, no terminator. The prefix is one byte for a
//                     length below 255, FF + word below 0xFFFE, else FF FFFF + dword. A text that
//                     Windows-1252 cannot hold is written in the Unicode form: FF FEFF, then a prefix of
//                     the same shape counting UTF-16 units, then the UTF-16LE text.
//   count             word; from 0xFFFF on, word FFFF + dword
//   class record      word FFFF, word schema, word name length, the ASCII name
//   object            null: word 0. A class not yet in the stream: its class record, then the fields.
//                     A class already in the stream: word 8000 + class number, then the fields. An object
//                     already written: word with its number. Numbers of 0x7FFF and above use word 7FFF
//                     and a dword (with the top bit set for a class).
// Class records and objects share one running number sequence that starts at 1.
#pragma once

#include "model/archive/PersistentObject.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class ArchiveWriter
{
public:
    ArchiveWriter() = default;
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void WriteByte(std::uint8_t v);
    void WriteBool(bool v) { WriteByte(v ? 1 : 0); }
    void WriteWord(std::uint16_t v);
    void WriteDword(std::uint32_t v);
    void WriteInt(std::int32_t v) { WriteDword(static_cast<std::uint32_t>(v)); }
    void WriteFloat(float v);
    void WriteDouble(double v);
    void WriteBytes(const void* data, std::size_t size);

    // A UTF-8 text; see the encoding above.
    void WriteString(std::string_view utf8);
    void WriteCount(std::uint64_t count);

    // The class record, or a reference to it when the class was written before.
    void WriteClass(const ClassInfo& info);
    // An object with its tag (see above); null writes the null tag.
    void WriteObject(const PersistentObject* object);

    // A list of objects: the count, then each object.
    template <class Ptr> void WriteObjectList(const std::vector<Ptr>& list)
    {
        WriteCount(list.size());
        for (const auto& p : list)
            WriteObject(std::to_address(p));
    }

    const std::vector<std::uint8_t>& Data() const { return m_data; }
    std::vector<std::uint8_t> TakeData() { return std::move(m_data); }

private:
    void WriteReference(std::uint32_t number, bool isClass);

    std::vector<std::uint8_t> m_data;
    std::uint32_t m_nextNumber = 1;
    std::unordered_map<const ClassInfo*, std::uint32_t> m_classes;
    std::unordered_map<const PersistentObject*, std::uint32_t> m_objects;
};
