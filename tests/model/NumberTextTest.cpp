// Numbers in the interface language's format: what a typed text reads as, and how numbers are shown.
#include "model/text/NumberText.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Status = NumberReading::Status;

struct ReadCase
{
    const char* typed;
    Status german;
    double germanValue;
    Status english;
    double englishValue;
};

// The entries a user types, read in a language with a decimal comma and in one with a point.
const ReadCase kReadCases[] = {
    {"0,5", Status::kNumber, 0.5, Status::kNumber, 0.5},
    {"0.5", Status::kNumber, 0.5, Status::kNumber, 0.5},
    {"0,", Status::kNumber, 0.0, Status::kNumber, 0.0},
    {",5", Status::kNumber, 0.5, Status::kNumber, 0.5},
    {"1.234,5", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"5e-1", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"", Status::kEmpty, 0, Status::kEmpty, 0},
    {"   ", Status::kEmpty, 0, Status::kEmpty, 0},
    {"-0,1", Status::kNumber, -0.1, Status::kNumber, -0.1},
    {"12", Status::kNumber, 12, Status::kNumber, 12},
    {" +2,25 ", Status::kNumber, 2.25, Status::kNumber, 2.25},
    // The other language's separator before exactly three digits may be a thousands separator.
    {"1.234", Status::kNotANumber, 0, Status::kNumber, 1.234},
    {"1,234", Status::kNumber, 1.234, Status::kNotANumber, 0},
    {"0.125", Status::kNumber, 0.125, Status::kNumber, 0.125},
    {"1234.5", Status::kNumber, 1234.5, Status::kNumber, 1234.5},
    {"0,5x", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"05", Status::kNumber, 5, Status::kNumber, 5},
    {"1,2,3", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"-", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {",", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"--1", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"inf", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"nan", Status::kNotANumber, 0, Status::kNotANumber, 0},
    {"1 000", Status::kNotANumber, 0, Status::kNotANumber, 0},
};

TEST(NumberTextTest, ReadsTypedNumbersInBothLanguages)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(std::string("\"") + c.typed + "\"");
        const NumberReading de = ReadNumber(c.typed, ',');
        EXPECT_EQ(de.status, c.german);
        if (de.IsNumber()) {
            EXPECT_DOUBLE_EQ(de.value, c.germanValue);
        }
        const NumberReading en = ReadNumber(c.typed, '.');
        EXPECT_EQ(en.status, c.english);
        if (en.IsNumber()) {
            EXPECT_DOUBLE_EQ(en.value, c.englishValue);
        }
    }
}

TEST(NumberTextTest, FormatsWithTheLanguagesSeparator)
{
    struct Case
    {
        double value;
        int decimals;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {0.5, 2, "0,50", "0.50"},
        {0.45, 2, "0,45", "0.45"},
        {1234.5, 1, "1234,5", "1234.5"},
        {-0.001, 2, "0,00", "0.00"},
        {-1.5, 1, "-1,5", "-1.5"},
        {2500, 0, "2500", "2500"},
        {0.125, 12, "0,125000000", "0.125000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(FormatNumber(c.value, c.decimals, ','), c.german);
        EXPECT_EQ(FormatNumber(c.value, c.decimals, '.'), c.english);
        // What is shown reads back as the same number.
        EXPECT_NEAR(ReadNumber(FormatNumber(c.value, c.decimals, ','), ',').value, c.value, 0.5e-2);
    }
}

TEST(NumberTextTest, TheRunningLanguageChoosesTheSeparator)
{
    {
        ScopedDecimalSeparator komma(',');
        EXPECT_EQ(DecimalSeparator(), ',');
        EXPECT_EQ(FormatNumber(0.5, 2), "0,50");
        EXPECT_DOUBLE_EQ(ReadNumber("0,5").value, 0.5);
        EXPECT_FALSE(ReadNumber("1.234").IsNumber());
        ScopedDecimalSeparator fremd('x');
        EXPECT_EQ(DecimalSeparator(), '.') << "only a point or a comma";
    }
    EXPECT_EQ(DecimalSeparator(), '.') << "the separator before is back";
}

TEST(NumberTextTest, OnlyPointsBetweenDigitsBecomeTheSeparator)
{
    EXPECT_EQ(WithDecimalSeparator("0.50 t. 12.5", ','), "0,50 t. 12,5");
    EXPECT_EQ(WithDecimalSeparator(".5 1.", ','), ".5 1.");
    EXPECT_EQ(WithDecimalSeparator("0.50", '.'), "0.50");
}

} // namespace
