// Byte-building helpers shared by the archive and record tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Ascii(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}

inline Bytes Word(std::uint16_t v)
{
    return {std::uint8_t(v), std::uint8_t(v >> 8)};
}

inline Bytes Dword(std::uint32_t v)
{
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

inline Bytes Zeros(std::size_t n)
{
    return Bytes(n, 0);
}

// A class record: new-class tag, schema, name length, name.
inline Bytes ClassRecord(std::uint16_t schema, std::string_view name)
{
    return Word(0xFFFF) + Word(schema) + Word(std::uint16_t(name.size())) + Ascii(name);
}

inline std::string Hex(const Bytes& b, std::size_t max = 64)
{
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < b.size() && i < max; ++i) {
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
        s += ' ';
    }
    if (b.size() > max)
        s += "... (" + std::to_string(b.size()) + " bytes)";
    return s;
}
