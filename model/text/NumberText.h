// Numbers as the interface language writes them: the one reader of typed numbers and the one writer
// of shown numbers, for every field, label, report and PDF.
#pragma once

#include <string>
#include <string_view>

// What a typed text holds: nothing, a number, or something that is not a number.
struct NumberReading
{
    enum class Status
    {
        kEmpty,
        kNumber,
        kNotANumber,
    };
    Status status = Status::kEmpty;
    double value = 0.0;

    bool IsNumber() const { return status == Status::kNumber; }
};

// The decimal separator of the running language module ('.' when none is loaded). The module sets it
// when it becomes the current one (only '.' and ',' are kept; anything else counts as '.').
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Sets the separator for the lifetime of the object and restores the previous one afterwards.
class ScopedDecimalSeparator
{
public:
    explicit ScopedDecimalSeparator(char separator);
    ~ScopedDecimalSeparator();
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

private:
    char m_previous;
};

// Reads a typed number: blanks around it, an optional sign, digits with at most one decimal
// separator. The language's separator is read, and the other one of '.' and ',' too where it cannot
// be a thousands separator (so "1.234" in a language with a decimal comma is refused rather than
// read as 1,234). No thousands separators, no exponents, nothing left over.
NumberReading ReadNumber(std::string_view text, char separator);
NumberReading ReadNumber(std::string_view text);

// `value` with `decimals` places (0..9) and the language's separator; "-0" comes out as "0".
std::string FormatNumber(double value, int decimals, char separator);
std::string FormatNumber(double value, int decimals);

// Puts `separator` in place of the '.' of a number that printf wrote (a '.' between two digits); a
// point elsewhere stays.
std::string WithDecimalSeparator(std::string number, char separator);
