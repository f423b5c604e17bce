// Conversion of texts between UTF-8 in memory and the Windows-1252 / UTF-16LE forms of the files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252 bytes to UTF-8. Every byte maps to one character; the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, so every
// byte string converts and converts back unchanged.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1252, or nothing when a character has no Windows-1252 byte or the text is not valid
// UTF-8.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// UTF-16LE code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& utf16);

// UTF-8 to UTF-16 code units; a byte that is not part of valid UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
