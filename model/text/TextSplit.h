// Replacing every occurrence of a text and cutting a text into pieces of a limited length.
#pragma once

#include <string>
#include <vector>

// A copy of `source` in which every occurrence of `find`, searched from left to right with each search
// beginning after the previous replacement, is replaced by `replacement`. An empty `find` changes nothing.
std::string ReplaceAllText(const std::string& source, const std::string& find,
                           const std::string& replacement);

// Cuts `text` into pieces of at most `maximumLength` bytes, preferring to end a piece at a separator, and
// appends them to `list`; answers the number of pieces (0 for an empty text or a maximum below 1).
// While text remains its first `maximumLength` bytes are taken. When more text follows, the byte after
// the piece is not the separator and the piece holds one, the piece ends before its last separator and
// that separator is dropped. Otherwise the piece stands as it is, and a separator just after it is dropped.
// A piece never ends inside a UTF-8 character; a single character longer than the maximum makes a piece
// of its own.
int SplitTextToList(const std::string& text, int maximumLength, char separator,
                    std::vector<std::string>& list);
