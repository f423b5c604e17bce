// Replacing every occurrence of a text and cutting a text into pieces of a limited length.
#include "model/text/TextSplit.h"

#include <algorithm>

std::string ReplaceAllText(const std::string& source, const std::string& find, const std::string& replacement)
{
    if (find.empty())
        return source;
    std::string out;
    out.reserve(source.size());
    std::size_t from = 0;
    for (std::size_t at = source.find(find); at != std::string::npos; at = source.find(find, from)) {
        out.append(source, from, at - from);
        out += replacement;
        from = at + find.size();
    }
    out.append(source, from, std::string::npos);
    return out;
}

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

int SplitTextToList(const std::string& text, int maximumLength, char separator,
                    std::vector<std::string>& list)
{
    if (maximumLength < 1)
        return 0;
    const std::size_t maximum = static_cast<std::size_t>(maximumLength);
    int count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t rest = text.size() - pos;
        std::size_t take = std::min(rest, maximum);
        // Keep a UTF-8 character whole: step back to its first byte, or take it whole when it alone is
        // longer than the maximum.
        if (take < rest) {
            std::size_t cut = take;
            while (cut > 0 && IsContinuationByte(text[pos + cut]))
                --cut;
            if (cut == 0) {
                cut = 1;
                while (pos + cut < text.size() && IsContinuationByte(text[pos + cut]))
                    ++cut;
            }
            take = cut;
        }
        const std::string piece = text.substr(pos, take);
        const std::size_t last = piece.rfind(separator);
        if (take < rest && text[pos + take] != separator && last != std::string::npos) {
            list.push_back(piece.substr(0, last));
            pos += last + 1;
        } else {
            list.push_back(piece);
            pos += take;
            if (pos < text.size() && text[pos] == separator)
                ++pos;
        }
        ++count;
    }
    return count;
}
