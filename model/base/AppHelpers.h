// Small look-ups of the application: index search, data-folder versions, languages, choice texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The index of the first element equal to `value`; -1 when there is none.
int FindUIntIndex(const unsigned* array, unsigned count, unsigned value);

// Compares two version names of data folders by their position in the program's version table
// ("QOR v4.0", then "QOR v3D.1"); a name not in the table counts as position 0. True when the second
// name's position is not lower than the first's.
bool IsVersionAtLeast(const std::string& first, const std::string& second);

// True when `languages` holds `code` exactly.
bool IsLanguageAvailable(const std::string& code, const std::vector<std::string>& languages);

// The text of a securing choice: `index` 0 .. 4 picks one of two texts by `variant`; any other index
// gives the text "unknown" (string 69).
std::string FormatAuswahlText(unsigned index, bool variant);

// The string id that FormatAuswahlText shows.
std::uint32_t AuswahlTextId(unsigned index, bool variant);
