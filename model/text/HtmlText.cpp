// Building HTML fragments: table rows, fixed-width template markers and escaping of plain text.
#include "model/text/HtmlText.h"

#include <algorithm>
#include <cstring>

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendHtmlTableRow(std::string& html, const std::vector<std::string>& cells, bool marked,
                        const char* backgroundColour)
{
    std::string row = "<tr style=\"";
    if (backgroundColour)
        row += std::string("background-color:") + backgroundColour + ";";
    if (marked)
        row += "border-top:thin solid;border-color:red;";
    row += "\">";
    for (const std::string& cell : cells) {
        const std::string& content = cell.empty() ? std::string("&nbsp;") : cell;
        row += marked ? "<td><b>" + content + "</b></td>" : "<td>" + content + "</td>";
    }
    row += "</tr>";
    html += row;
}

namespace {

// The longest prefix of `value` of at most `limit` bytes that ends neither inside a UTF-8 character nor
// inside a character reference ("&...;", at most ten characters long).
std::size_t SafeCut(const std::string& value, std::size_t limit)
{
    if (limit >= value.size())
        return value.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    const std::size_t amp = value.rfind('&', cut == 0 ? 0 : cut - 1);
    if (amp != std::string::npos && amp < cut && cut - amp <= 10 && value.find(';', amp) >= cut)
        cut = amp;
    return cut;
}

} // namespace

bool ReplaceHtmlMarker(std::string& html, std::size_t start, const char* openingMarker,
                       const char* closingMarker, const std::string& value, std::size_t* end)
{
    if (start > html.size())
        return false;
    const std::size_t open = html.find(openingMarker, start);
    if (open == std::string::npos)
        return false;
    const std::size_t close = html.find(closingMarker, open + std::strlen(openingMarker));
    if (close == std::string::npos)
        return false;
    const std::size_t spanEnd = close + std::strlen(closingMarker);
    const std::size_t span = spanEnd - open;
    std::fill(html.begin() + static_cast<std::ptrdiff_t>(open),
              html.begin() + static_cast<std::ptrdiff_t>(spanEnd), ' ');
    html.replace(open, SafeCut(value, span), value, 0, SafeCut(value, span));
    if (end)
        *end = spanEnd;
    return true;
}

namespace {

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// True when the class attribute value holds the word "invisible".
bool HasInvisibleClass(const std::string& value)
{
    std::size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t' || value[i] == '\n'))
            ++i;
        std::size_t j = i;
        while (j < value.size() && value[j] != ' ' && value[j] != '\t' && value[j] != '\n')
            ++j;
        if (Lower(value.substr(i, j - i)) == "invisible")
            return true;
        i = j;
    }
    return false;
}

// The end (one past '>') of the tag that starts at `open`; npos when it does not close.
std::size_t TagEnd(const std::string& html, std::size_t open)
{
    char quote = 0;
    for (std::size_t i = open + 1; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string::npos;
}

// The value of the class attribute of the tag text, and whether there is one.
bool ClassOf(const std::string& tag, std::string* value)
{
    const std::string lower = Lower(tag);
    std::size_t pos = 0;
    while ((pos = lower.find("class", pos)) != std::string::npos) {
        const bool bStart = pos > 0 && !IsNameChar(lower[pos - 1]);
        std::size_t i = pos + 5;
        pos = i;
        if (!bStart)
            continue;
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (i >= tag.size())
            return false;
        if (tag[i] == '"' || tag[i] == '\'') {
            const std::size_t end = tag.find(tag[i], i + 1);
            *value = tag.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
        } else {
            std::size_t end = i;
            while (end < tag.size() && tag[end] != ' ' && tag[end] != '>' && tag[end] != '/')
                ++end;
            *value = tag.substr(i, end - i);
        }
        return true;
    }
    return false;
}

} // namespace

int DropInvisibleBlocks(std::string& html)
{
    int nDropped = 0;
    std::size_t pos = 0;
    while ((pos = html.find('<', pos)) != std::string::npos) {
        std::size_t nameEnd = pos + 1;
        while (nameEnd < html.size() && IsNameChar(html[nameEnd]))
            ++nameEnd;
        const std::size_t tagEnd = TagEnd(html, pos);
        if (nameEnd == pos + 1 || tagEnd == std::string::npos) {
            ++pos;
            continue;
        }
        std::string value;
        if (!ClassOf(html.substr(pos, tagEnd - pos), &value) || !HasInvisibleClass(value)) {
            pos = tagEnd;
            continue;
        }
        const std::string name = Lower(html.substr(pos + 1, nameEnd - pos - 1));
        std::size_t end = tagEnd;
        const bool bVoid =
            name == "img" || name == "br" || name == "hr" || name == "input" || html[tagEnd - 2] == '/';
        if (!bVoid) {
            // Walks to the matching closing tag, counting nested elements of the same name.
            int nDepth = 1;
            std::size_t i = tagEnd;
            end = html.size();
            while ((i = html.find('<', i)) != std::string::npos) {
                const bool bClose = i + 1 < html.size() && html[i + 1] == '/';
                const std::size_t n0 = i + (bClose ? 2 : 1);
                std::size_t n1 = n0;
                while (n1 < html.size() && IsNameChar(html[n1]))
                    ++n1;
                const std::size_t e = TagEnd(html, i);
                if (e == std::string::npos)
                    break;
                if (n1 > n0 && Lower(html.substr(n0, n1 - n0)) == name && html[e - 2] != '/') {
                    nDepth += bClose ? -1 : 1;
                    if (nDepth == 0) {
                        end = e;
                        break;
                    }
                }
                i = e;
            }
        }
        html.erase(pos, end - pos);
        ++nDropped;
    }
    return nDropped;
}
