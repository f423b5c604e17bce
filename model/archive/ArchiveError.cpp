// The archive error and its message.
#include "model/archive/ArchiveError.h"

ArchiveError::ArchiveError(Kind kind, std::size_t offset, const std::string& what, const std::string& source)
    : std::runtime_error((source.empty() ? std::string() : source + ": ") + KindName(kind) + " at byte " +
                         std::to_string(offset) + ": " + what),
      m_kind(kind), m_offset(offset), m_detail(what)
{
}

const char* ArchiveError::KindName(Kind kind)
{
    switch (kind) {
    case Kind::EndOfFile:
        return "unexpected end of data";
    case Kind::BadIndex:
        return "bad reference";
    case Kind::BadClass:
        return "bad class";
    case Kind::BadSchema:
        return "bad schema";
    case Kind::Corrupt:
        break;
    }
    return "corrupt data";
}
