// Fuzz target: the mail message parser on any bytes. Whatever parses must list the same names as it
// reads with the attachments' data, and a parsed text must survive being parsed again.
#include "platform/mail/MimeParser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray message(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto full = MimeParser::Parse(message, true);
    const auto names = MimeParser::Parse(message, false);
    if (full.has_value() != names.has_value())
        std::abort();
    if (!full)
        return 0;
    if (full->attachments.size() != names->attachments.size())
        std::abort();
    for (qsizetype i = 0; i < full->attachments.size(); ++i)
        if (full->attachments[i].name != names->attachments[i].name || !names->attachments[i].data.isEmpty())
            std::abort();
    MimeParser::DecodeHeaderText(message.left(4096));
    return 0;
}
