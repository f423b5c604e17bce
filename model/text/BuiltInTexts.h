// The English texts the program carries itself for the texts of the language module that it uses as
// printf formats, so that a module whose text does not fit the call still gives a readable message.
#pragma once

#include <cstdint>
#include <vector>

// The built-in English text of `id`, or null when the program carries none for it. Each is the text
// of the English module under that number.
const char* BuiltInEnglishText(std::uint32_t id);

// The numbers the program carries a built-in English text for, in ascending order.
std::vector<std::uint32_t> BuiltInEnglishTextIds();
