// Formatting of texts that combine printf specifiers with "$S" placeholders for resource texts.
#pragma once

#include "model/text/FormatArg.h"

#include <cstdarg>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

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

// printf-style formatting that checks the format against its arguments first. Every specifier must
// have an argument of its kind (d i u o x X c: integer; f F e E g G a A: number; s: text) and every
// argument a specifier; "%%" is a percent sign, flags, width and precision are kept, length modifiers
// are ignored; a '*' or a width or precision of more than three digits, and the specifiers n and p are
// refused. A format that does not
// match gives the plain fallback: the text with "%%" as "%" and its specifiers as they stand, followed
// by the arguments in plain form in parentheses, so nothing the caller passed is lost.
std::string FormatChecked(std::string_view fmt, std::initializer_list<FormatArg> args);

// True when `fmt` and arguments of these kinds fit each other as FormatChecked requires.
bool FormatFits(std::string_view fmt, std::initializer_list<FormatArg::Kind> kinds);

// The resource text `id` used as a format, checked as FormatChecked does.
std::string FormatResChecked(std::uint32_t id, std::initializer_list<FormatArg> args);
