// Formatting of texts that combine printf specifiers with "$S" placeholders for resource texts.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

// FormatS(fmt, idCount, id1 ... idN, printf arguments ...)
// The ids are unsigned 32-bit resource string ids. The format is printf-formatted first; then each
// "$S" is replaced in turn by the text of the next id, every search starting again at the beginning of
// the string (so a "$S" inside an inserted text is filled by the next id). An id that does not load is
// skipped and leaves its "$S" for the next id; placeholders left when the ids run out stay as they are.
// There is no length limit.
std::string FormatS(const char* fmt, int idCount, ...);

// As FormatS, but the placeholders of the format are filled first and the printf formatting is applied
// to the expanded format afterwards, so resource texts may carry specifiers of their own.
std::string FormatSPre(const char* fmt, int idCount, ...);

// As FormatSPre, with the ids and then the printf arguments taken from `args`.
std::string FormatSPreV(const char* fmt, int idCount, va_list args);

// The "$S" replacement step alone, on an already formatted text.
std::string ReplaceResPlaceholders(std::string text, const std::uint32_t* ids, int idCount);
