// The archive writer.
#include "model/archive/ArchiveWriter.h"

#include "model/archive/AnsiText.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxNumber = 0x3FFFFFFE;

} // namespace

void ArchiveWriter::WriteByte(std::uint8_t v)
{
    m_data.push_back(v);
}

void ArchiveWriter::WriteWord(std::uint16_t v)
{
    m_data.push_back(static_cast<std::uint8_t>(v));
    m_data.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ArchiveWriter::WriteDword(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ArchiveWriter::WriteFloat(float v)
{
    WriteDword(std::bit_cast<std::uint32_t>(v));
}

void ArchiveWriter::WriteDouble(double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    WriteDword(static_cast<std::uint32_t>(bits));
    WriteDword(static_cast<std::uint32_t>(bits >> 32));
}

void ArchiveWriter::WriteBytes(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_data.insert(m_data.end(), p, p + size);
}

namespace {

void WriteLength(ArchiveWriter& ar, std::size_t length)
{
    if (length < 0xFF) {
        ar.WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        ar.WriteByte(0xFF);
        ar.WriteWord(static_cast<std::uint16_t>(length));
    } else {
        if (length > 0xFFFFFFFFu)
            throw std::length_error("text too long for the archive");
        ar.WriteByte(0xFF);
        ar.WriteWord(0xFFFF);
        ar.WriteDword(static_cast<std::uint32_t>(length));
    }
}

} // namespace

void ArchiveWriter::WriteString(std::string_view utf8)
{
    if (const auto ansi = Utf8ToAnsi(utf8)) {
        WriteLength(*this, ansi->size());
        WriteBytes(ansi->data(), ansi->size());
        return;
    }
    const std::u16string wide = Utf8ToUtf16(utf8);
    WriteByte(0xFF);
    WriteWord(0xFFFE);
    WriteLength(*this, wide.size());
    for (char16_t c : wide)
        WriteWord(c);
}

void ArchiveWriter::WriteCount(std::uint64_t count)
{
    if (count < 0xFFFF) {
        WriteWord(static_cast<std::uint16_t>(count));
        return;
    }
    if (count > 0xFFFFFFFFu)
        throw std::length_error("list too long for the archive");
    WriteWord(0xFFFF);
    WriteDword(static_cast<std::uint32_t>(count));
}

void ArchiveWriter::WriteReference(std::uint32_t number, bool isClass)
{
    if (number < kBigObjectTag) {
        WriteWord(static_cast<std::uint16_t>(isClass ? (kClassTag | number) : number));
    } else {
        WriteWord(kBigObjectTag);
        WriteDword(isClass ? (kBigClassTag | number) : number);
    }
}

void ArchiveWriter::WriteClass(const ClassInfo& info)
{
    if (const auto it = m_classes.find(&info); it != m_classes.end()) {
        WriteReference(it->second, true);
        return;
    }
    if (m_nextNumber > kMaxNumber)
        throw std::length_error("too many objects for the archive");
    const std::size_t nameLength = std::strlen(info.name);
    WriteWord(kNewClassTag);
    WriteWord(info.schema);
    WriteWord(static_cast<std::uint16_t>(nameLength));
    WriteBytes(info.name, nameLength);
    m_classes.emplace(&info, m_nextNumber++);
}

void ArchiveWriter::WriteObject(const PersistentObject* object)
{
    if (!object) {
        WriteWord(kNullTag);
        return;
    }
    if (const auto it = m_objects.find(object); it != m_objects.end()) {
        WriteReference(it->second, false);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    if (m_nextNumber > kMaxNumber)
        throw std::length_error("too many objects for the archive");
    m_objects.emplace(object, m_nextNumber++);
    object->Write(*this);
}
