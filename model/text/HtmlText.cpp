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
