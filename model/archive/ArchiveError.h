// The one error of the archive reader and writer: what went wrong and at which byte.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

class ArchiveError : public std::runtime_error
{
public:
    enum class Kind
    {
        EndOfFile, // the data ended inside a value
        BadIndex,  // a class or object reference that names nothing read so far
        BadClass,  // an unknown class name, or an object of a class the field does not take
        BadSchema, // a stored schema number the class does not accept
        Corrupt,   // any other value that cannot be right (a length, a count, a nesting depth)
    };

    // `source` (a file name, for example) is put in front of the message when it is not empty.
    ArchiveError(Kind kind, std::size_t offset, const std::string& what, const std::string& source = {});

    Kind GetKind() const { return m_kind; }
    // Byte offset in the stream where the faulty value begins.
    std::size_t GetOffset() const { return m_offset; }
    // The description alone, without the kind and offset that what() adds.
    const std::string& GetDetail() const { return m_detail; }

    static const char* KindName(Kind kind);

private:
    Kind m_kind;
    std::size_t m_offset;
    std::string m_detail;
};
