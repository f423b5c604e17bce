// One typed argument of the checked printf-style formatter.
#pragma once

#include <string>

// Holds an integer, a floating-point number or a text, so a format can be checked against what it is
// given before anything is formatted.
class FormatArg
{
public:
    enum class Kind
    {
        Int,
        Double,
        String,
    };

    FormatArg(int value) : m_kind(Kind::Int), m_int(value) {}
    FormatArg(long value) : m_kind(Kind::Int), m_int(value) {}
    FormatArg(long long value) : m_kind(Kind::Int), m_int(value) {}
    FormatArg(unsigned value) : m_kind(Kind::Int), m_int(value) {}
    FormatArg(unsigned long value) : m_kind(Kind::Int), m_int(static_cast<long long>(value)) {}
    FormatArg(double value) : m_kind(Kind::Double), m_double(value) {}
    FormatArg(float value) : m_kind(Kind::Double), m_double(value) {}
    FormatArg(const char* value) : m_kind(Kind::String), m_text(value ? value : "") {}
    FormatArg(std::string value) : m_kind(Kind::String), m_text(std::move(value)) {}

    Kind GetKind() const { return m_kind; }
    long long GetInt() const { return m_int; }
    double GetDouble() const { return m_double; }
    const std::string& GetText() const { return m_text; }

    // The value as a user reads it without a format: integers in decimal, numbers with up to six
    // significant digits, texts as they are.
    std::string Plain() const;

private:
    Kind m_kind;
    long long m_int = 0;
    double m_double = 0.0;
    std::string m_text;
};
