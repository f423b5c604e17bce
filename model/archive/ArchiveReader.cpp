// The archive reader.
#include "model/archive/ArchiveReader.h"

#include "model/archive/AnsiText.h"
#include "model/archive/ClassRegistry.h"

#include <bit>

namespace {

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::size_t kMaxClassName = 64;

using Kind = ArchiveError::Kind;

} // namespace

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> data, std::string source)
    : m_data(data), m_source(std::move(source))
{
}

void ArchiveReader::Fail(ArchiveError::Kind kind, std::size_t offset, const std::string& what) const
{
    throw ArchiveError(kind, offset, what, m_source);
}

void ArchiveReader::Need(std::size_t bytes) const
{
    if (bytes > Remaining())
        Fail(Kind::EndOfFile, m_pos,
             "needs " + std::to_string(bytes) + " bytes, " + std::to_string(Remaining()) + " left");
}

std::uint8_t ArchiveReader::ReadByte()
{
    Need(1);
    return m_data[m_pos++];
}

std::uint16_t ArchiveReader::ReadWord()
{
    Need(2);
    const auto v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t ArchiveReader::ReadDword()
{
    Need(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | m_data[m_pos + i];
    m_pos += 4;
    return v;
}

float ArchiveReader::ReadFloat()
{
    return std::bit_cast<float>(ReadDword());
}

double ArchiveReader::ReadDouble()
{
    const std::uint64_t low = ReadDword();
    const std::uint64_t high = ReadDword();
    return std::bit_cast<double>(low | (high << 32));
}

// The length part of a text prefix after the optional Unicode marker; checked against the bytes left.
std::uint32_t ArchiveReader::ReadLength(std::size_t unitSize, std::size_t at)
{
    std::uint32_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadWord();
        if (length == 0xFFFF)
            length = ReadDword();
    }
    if (length > Remaining() / unitSize)
        Fail(Kind::EndOfFile, at,
             "text of " + std::to_string(length) + (unitSize == 1 ? " bytes" : " characters") +
                 " runs past the end of the data");
    return length;
}

std::string ArchiveReader::ReadString()
{
    const std::size_t at = m_pos;
    std::uint32_t length = ReadByte();
    if (length == 0xFF) {
        const std::uint16_t word = ReadWord();
        if (word == 0xFFFE) {
            const std::uint32_t units = ReadLength(2, at);
            std::u16string wide(units, u'\0');
            for (auto& c : wide)
                c = ReadWord();
            return Utf16ToUtf8(wide);
        }
        length = word == 0xFFFF ? ReadDword() : word;
    }
    if (length > Remaining())
        Fail(Kind::EndOfFile, at,
             "text of " + std::to_string(length) + " bytes runs past the end of the data");
    const auto* p = reinterpret_cast<const char*>(m_data.data() + m_pos);
    m_pos += length;
    return AnsiToUtf8(std::string_view(p, length));
}

std::uint32_t ArchiveReader::ReadCount(std::size_t minItemSize)
{
    const std::size_t at = m_pos;
    std::uint32_t count = ReadWord();
    if (count == 0xFFFF)
        count = ReadDword();
    if (minItemSize > 0 && count > Remaining() / minItemSize)
        Fail(Kind::Corrupt, at, "count of " + std::to_string(count) + " items exceeds the data left");
    return count;
}

void ArchiveReader::AddEntry(const Entry& entry, std::size_t at)
{
    if (m_entries.size() >= 0x3FFFFFFE)
        Fail(Kind::Corrupt, at, "too many objects");
    m_entries.push_back(entry);
}

const ArchiveReader::Entry& ArchiveReader::ReadClassAfterTag(std::uint16_t tag, std::uint32_t number,
                                                             std::size_t at)
{
    if (tag == kNewClassTag) {
        const unsigned schema = ReadWord();
        const std::uint16_t nameLength = ReadWord();
        if (nameLength >= kMaxClassName)
            Fail(Kind::BadClass, at, "class name of " + std::to_string(nameLength) + " characters");
        Need(nameLength);
        const std::string name(reinterpret_cast<const char*>(m_data.data() + m_pos), nameLength);
        m_pos += nameLength;
        const ClassInfo* info = ClassRegistry::Find(name);
        if (!info)
            Fail(Kind::BadClass, at, "unknown class \"" + AnsiToUtf8(name) + "\"");
        if (!info->versionable && schema != info->schema)
            Fail(Kind::BadSchema, at,
                 "class " + name + " stored with schema " + std::to_string(schema) + ", expected " +
                     std::to_string(info->schema));
        AddEntry(Entry{info, schema, nullptr}, at);
        return m_entries.back();
    }
    if (!(number & kBigClassTag))
        Fail(Kind::BadIndex, at, "object reference where a class is expected");
    const std::uint32_t index = number & ~kBigClassTag;
    if (index == 0 || index > m_entries.size() || !m_entries[index - 1].classInfo ||
        m_entries[index - 1].object)
        Fail(Kind::BadIndex, at, "class reference " + std::to_string(index) + " names no class");
    return m_entries[index - 1];
}

const ClassInfo& ArchiveReader::ReadClass(const ClassInfo* requested, unsigned* schema)
{
    const std::size_t at = m_pos;
    const std::uint16_t tag = ReadWord();
    std::uint32_t number = tag == kBigObjectTag ? ReadDword() : ((tag & 0x8000u) << 16) | (tag & 0x7FFFu);
    if (tag == kNewClassTag)
        number = 0;
    const Entry& entry = ReadClassAfterTag(tag, number, at);
    if (requested && entry.classInfo != requested)
        Fail(Kind::BadClass, at,
             std::string("class ") + entry.classInfo->name + " where " + requested->name + " is expected");
    if (schema)
        *schema = entry.schema;
    return *entry.classInfo;
}

PersistentObject* ArchiveReader::ReadObject(bool* isNew)
{
    bool fresh = false;
    PersistentObject* p = ReadObjectTagged(&fresh, nullptr, nullptr);
    if (isNew)
        *isNew = fresh;
    return p;
}

PersistentObject* ArchiveReader::ReadObjectTagged(bool* isNew, CastCheck check, const char* expected)
{
    *isNew = false;
    const std::size_t at = m_pos;
    const std::uint16_t tag = ReadWord();
    if (tag == kNullTag)
        return nullptr;
    const std::uint32_t number =
        tag == kBigObjectTag ? ReadDword() : ((tag & 0x8000u) << 16) | (tag & 0x7FFFu);

    if (tag != kNewClassTag && !(number & kBigClassTag)) {
        // A reference to an object read before.
        if (number == 0 || number > m_entries.size() || !m_entries[number - 1].object)
            Fail(Kind::BadIndex, at, "object reference " + std::to_string(number) + " names no object");
        PersistentObject* p = m_entries[number - 1].object;
        if (check && !check(p))
            Fail(Kind::BadClass, at,
                 std::string("object of class ") + p->GetRuntimeClass().name + " where " + expected +
                     " is expected");
        return p;
    }

    const Entry classEntry = ReadClassAfterTag(tag, number, at);
    std::unique_ptr<PersistentObject> object(classEntry.classInfo->create());
    if (check && !check(object.get()))
        Fail(Kind::BadClass, at,
             std::string("object of class ") + classEntry.classInfo->name + " where " + expected +
                 " is expected");
    if (m_depth >= kMaxDepth)
        Fail(Kind::Corrupt, at, "objects nested too deeply");
    AddEntry(Entry{classEntry.classInfo, classEntry.schema, object.get()}, at);
    ++m_depth;
    object->Read(*this, classEntry.schema);
    --m_depth;
    *isNew = true;
    return object.release();
}
