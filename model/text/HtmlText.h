// Building HTML fragments: table rows, fixed-width template markers and escaping of plain text.
#pragma once

#include <string>
#include <vector>

// `text` with &, <, >, " and ' written as character references, so it shows as written and can never
// open a tag or a link. Every plain text that goes into a row or a marker passes through here.
std::string EscapeHtml(const std::string& text);

// Appends one table row to `html`. The cells are HTML (escape plain text with EscapeHtml); an empty cell
// becomes "&nbsp;". A marked row has a thin red top border and its cells in bold; `backgroundColour`,
// when given, becomes the row's background.
void AppendHtmlTableRow(std::string& html, const std::vector<std::string>& cells, bool marked,
                        const char* backgroundColour = nullptr);

// Finds `openingMarker` from `start` on and `closingMarker` after it, blanks the span from the start of
// the opening marker to the end of the closing one and writes `value` (HTML) at its start, cut to the
// span's length, so the text keeps its length. A cut never splits a UTF-8 character or a character
// reference: the rest of the span stays blank. `end` receives the position just after the closing marker.
// Answers false and changes nothing, `end` included, when either marker is missing.
bool ReplaceHtmlMarker(std::string& html, std::size_t start, const char* openingMarker,
                       const char* closingMarker, const std::string& value, std::size_t* end = nullptr);

// Removes every element whose class list holds the word "invisible", with all it contains (nested
// elements of the same name included), so a hint template can hide a block without styling: the
// program's HTML view knows no "display" or "visibility". A void element (img, br, hr, input) goes
// alone; an element without its closing tag is removed to the end of the text. Answers the number of
// elements removed.
int DropInvisibleBlocks(std::string& html);
