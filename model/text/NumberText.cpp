// The reader and writer of numbers in the interface language's format.
#include "model/text/NumberText.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

namespace {
// The separator of the language module in use: part of the module's state, like the text provider.
std::atomic<char> g_separator{'.'};
} // namespace

char DecimalSeparator()
{
    return g_separator.load();
}

void SetDecimalSeparator(char separator)
{
    g_separator.store(separator == ',' ? ',' : '.');
}

ScopedDecimalSeparator::ScopedDecimalSeparator(char separator) : m_previous(g_separator.load())
{
    SetDecimalSeparator(separator);
}

ScopedDecimalSeparator::~ScopedDecimalSeparator()
{
    g_separator.store(m_previous);
}

NumberReading ReadNumber(std::string_view text, char separator)
{
    NumberReading reading;
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return reading;
    reading.status = NumberReading::Status::kNotANumber;
    const char other = separator == ',' ? '.' : ',';
    std::string plain;
    std::size_t i = 0;
    if (text[0] == '-' || text[0] == '+') {
        if (text[0] == '-')
            plain += '-';
        ++i;
    }
    std::size_t before = 0;
    std::size_t after = 0;
    std::size_t separators = 0;
    char used = 0;
    bool leadingZero = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (separators == 0) {
                if (before == 0)
                    leadingZero = c == '0';
                ++before;
            } else {
                ++after;
            }
            plain += c;
        } else if (c == separator || c == other) {
            if (++separators > 1)
                return reading;
            used = c;
            plain += '.';
        } else {
            return reading;
        }
    }
    if (before + after == 0)
        return reading;
    // "1.234" or "12,500" with the other separator reads as a thousands group to some: refused.
    if (used == other && before >= 1 && before <= 3 && !leadingZero && after == 3)
        return reading;
    if (plain.back() == '.')
        plain.pop_back();
    const char* first = plain.data();
    if (*first == '-' && plain.size() > 1 && plain[1] == '.')
        plain.insert(1, "0");
    else if (*first == '.')
        plain.insert(0, "0");
    first = plain.data();
    double value = 0.0;
    const auto [last, ec] = std::from_chars(first, first + plain.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || last != first + plain.size() || !std::isfinite(value))
        return reading;
    reading.status = NumberReading::Status::kNumber;
    reading.value = value == 0.0 ? 0.0 : value;
    return reading;
}

NumberReading ReadNumber(std::string_view text)
{
    return ReadNumber(text, DecimalSeparator());
}

std::string FormatNumber(double value, int decimals, char separator)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 9)
        decimals = 9;
    if (!std::isfinite(value))
        return "-";
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    // A negative value that rounds to zero shows no sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return WithDecimalSeparator(std::move(text), separator);
}

std::string FormatNumber(double value, int decimals)
{
    return FormatNumber(value, decimals, DecimalSeparator());
}

std::string WithDecimalSeparator(std::string number, char separator)
{
    if (separator == '.')
        return number;
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (number[i] != '.' || i + 1 >= number.size() || !IsDigit(number[i + 1]))
            continue;
        if (i > 0 && IsDigit(number[i - 1]))
            number[i] = separator;
    }
    return number;
}
