// Reads the archive encoding of the model's files (see ArchiveWriter.h for the encoding) from bytes.
//
// The reader never reads past its data: every value is checked against the bytes left, a length or
// count is refused before anything is allocated for it when the bytes left cannot hold it, and every
// fault ends in an ArchiveError that names the kind and the byte offset. After an ArchiveError the
// reader is not used further.
//
// Objects. ReadObject creates an object of the class named in the stream through the ClassRegistry and
// reads its fields. A new object belongs to the caller; a back-reference answers the object that was
// read before and that someone else already owns. The typed helpers say which one a field takes:
// ReadOwnedObject refuses back-references (a field that owns its object), ReadSharedObject accepts them
// (a field that refers to an object owned elsewhere in the stream), both refuse an object of another
// class than the field takes (bad class). An object answered by the reader must stay alive while the
// reader is in use, since a later back-reference may answer it again.
//
// Older layouts. A record's reader that converts a record stored in an older layout marks the read with
// MarkNeedsRewriting; whoever started the read asks Answer() at its end and writes the data again. The
// mark lives in the reader, so one read never sees the mark of another.
#pragma once

#include "model/archive/ArchiveError.h"
#include "model/archive/LoadAnswer.h"
#include "model/archive/PersistentObject.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class ArchiveReader
{
public:
    // `data` must outlive the reader. `source` (a file name, for example) is put in front of error
    // messages when it is not empty.
    explicit ArchiveReader(std::span<const std::uint8_t> data, std::string source = {});
    // A temporary buffer would be gone before the reader reads it.
    ArchiveReader(std::vector<std::uint8_t>&&, std::string = {}) = delete;
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    std::uint8_t ReadByte();
    bool ReadBool() { return ReadByte() != 0; }
    std::uint16_t ReadWord();
    std::uint32_t ReadDword();
    std::int32_t ReadInt() { return static_cast<std::int32_t>(ReadDword()); }
    float ReadFloat();
    double ReadDouble();

    // A text in the Windows-1252 or the Unicode form, answered as UTF-8.
    std::string ReadString();
    // A count of items of at least `minItemSize` bytes each; a count the bytes left cannot hold is
    // refused.
    std::uint32_t ReadCount(std::size_t minItemSize = 1);

    // Reads a class record or class reference. With `requested`, any other class is a bad class. For a
    // class that is not versionable a stored schema other than its own is a bad schema. `schema`
    // receives the schema stored for the class.
    const ClassInfo& ReadClass(const ClassInfo* requested = nullptr, unsigned* schema = nullptr);

    // Reads an object with its tag (null answers null). See the ownership note above; `isNew`, when
    // given, answers whether the object is new and so belongs to the caller.
    PersistentObject* ReadObject(bool* isNew = nullptr);

    template <class T> std::unique_ptr<T> ReadOwnedObject()
    {
        const std::size_t at = m_pos;
        bool isNew = false;
        PersistentObject* p = ReadObjectTagged(&isNew, &CastsTo<T>, T::classInfo.name);
        if (p && !isNew)
            Fail(ArchiveError::Kind::BadIndex, at,
                 "an object that belongs to one field is referred to again");
        return std::unique_ptr<T>(static_cast<T*>(p));
    }

    // The object, which belongs to the caller when `isNew` answers true.
    template <class T> T* ReadSharedObject(bool* isNew)
    {
        return static_cast<T*>(ReadObjectTagged(isNew, &CastsTo<T>, T::classInfo.name));
    }

    // A list of owned objects: a count, then each object; null entries are refused.
    template <class T> void ReadObjectList(std::vector<std::unique_ptr<T>>& list)
    {
        const std::uint32_t count = ReadCount(2);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = m_pos;
            auto p = ReadOwnedObject<T>();
            if (!p)
                Fail(ArchiveError::Kind::Corrupt, at, "empty entry in a list");
            list.push_back(std::move(p));
        }
    }

    void MarkNeedsRewriting() { m_bNeedsRewriting = true; }
    LoadAnswer Answer() const { return m_bNeedsRewriting ? LoadAnswer::NeedsRewriting : LoadAnswer::Current; }

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    [[noreturn]] void Fail(ArchiveError::Kind kind, std::size_t offset, const std::string& what) const;

    // Deepest nesting of objects inside objects that a stream may have.
    static constexpr int kMaxDepth = 200;

private:
    // One entry per number: a class or an object.
    struct Entry
    {
        const ClassInfo* classInfo = nullptr;
        unsigned schema = 0;
        PersistentObject* object = nullptr;
    };

    template <class T> static bool CastsTo(PersistentObject* p) { return dynamic_cast<T*>(p) != nullptr; }

    using CastCheck = bool (*)(PersistentObject*);
    PersistentObject* ReadObjectTagged(bool* isNew, CastCheck check, const char* expected);
    const Entry& ReadClassAfterTag(std::uint16_t tag, std::uint32_t number, std::size_t at);
    void Need(std::size_t bytes) const;
    std::uint32_t ReadLength(std::size_t unitSize, std::size_t at);
    void AddEntry(const Entry& entry, std::size_t at);

    std::span<const std::uint8_t> m_data;
    std::string m_source;
    std::size_t m_pos = 0;
    int m_depth = 0;
    std::vector<Entry> m_entries; // number n at index n - 1
    bool m_bNeedsRewriting = false;
};
