// The checked printf-style formatter: matching formats, and the plain fallback for every mismatch.
#include "model/text/BuiltInTexts.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Case
{
    const char* name;
    std::function<std::string()> format;
    std::string expected;
};

void RunCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.format(), c.expected);
    }
}

TEST(CheckedFormatTest, FormatsWhenSpecifiersMatchTheArguments)
{
    RunCases({
        {"int", [] { return FormatChecked("%d kg", {1250}); }, "1250 kg"},
        {"three-digit width", [] { return FormatChecked("%100d", {1}).size() == 100 ? "ok" : "short"; },
         "ok"},
        {"width, flags and precision kept",
         [] {
             return FormatChecked("[%05.1f|%-4d|%+i]", {3.14159, 7, 2});
         },
         "[003.1|7   |+2]"},
        {"length modifiers ignored",
         [] {
             return FormatChecked("%ld %lf %lld", {5, 2.5, 9});
         },
         "5 2.500000 9"},
        {"large integers at full width", [] { return FormatChecked("%d", {1234567890123LL}); },
         "1234567890123"},
        {"hex and char",
         [] {
             return FormatChecked("%x%c%X", {255, 'z', 171});
         },
         "ffzAB"},
        {"text with precision", [] { return FormatChecked("<%.3s>", {std::string("abcdef")}); }, "<abc>"},
        {"percent signs around specifiers",
         [] {
             return FormatChecked("100%% of %s, %d%%", {"load", 4});
         },
         "100% of load, 4%"},
        {"float promoted", [] { return FormatChecked("%.2f", {1.5f}); }, "1.50"},
        {"no specifiers no arguments", [] { return FormatChecked("plain", {}); }, "plain"},
        {"null text is empty", [] { return FormatChecked("[%s]", {static_cast<const char*>(nullptr)}); },
         "[]"},
        {"text that holds specifiers is not read again", [] { return FormatChecked("%s", {"%s%n%d"}); },
         "%s%n%d"},
    });
}

TEST(CheckedFormatTest, MismatchGivesThePlainFallbackWithEveryArgument)
{
    RunCases({
        {"missing argument", [] { return FormatChecked("%d of %d", {3}); }, "%d of %d (3)"},
        {"extra argument",
         [] {
             return FormatChecked("%d kg", {3, 4});
         },
         "%d kg (3, 4)"},
        {"no argument at all", [] { return FormatChecked("%s needed", {}); }, "%s needed"},
        {"int for text", [] { return FormatChecked("name %s", {42}); }, "name %s (42)"},
        {"text for int", [] { return FormatChecked("%d daN", {"many"}); }, "%d daN (many)"},
        {"double for int", [] { return FormatChecked("%d daN", {2.5}); }, "%d daN (2.5)"},
        {"int for double", [] { return FormatChecked("%.0f daN", {2}); }, "%.0f daN (2)"},
        {"star width refused",
         [] {
             return FormatChecked("%*d", {3, 4});
         },
         "%*d (3, 4)"},
        {"%n refused", [] { return FormatChecked("x%n", {1}); }, "x%n (1)"},
        {"%p refused", [] { return FormatChecked("%p", {1}); }, "%p (1)"},
        {"trailing percent", [] { return FormatChecked("50%", {1}); }, "50% (1)"},
        {"unknown conversion", [] { return FormatChecked("%y %%", {1}); }, "%y % (1)"},
        {"huge width refused", [] { return FormatChecked("%999999999d", {1}); }, "%999999999d (1)"},
        {"huge precision refused", [] { return FormatChecked("%.1000f", {1.0}); }, "%.1000f (1)"},
    });
}

TEST(CheckedFormatTest, FitsAnswersWhatFormatCheckedAccepts)
{
    EXPECT_TRUE(FormatFits("%s: %.0f", {FormatArg::Kind::String, FormatArg::Kind::Double}));
    EXPECT_FALSE(FormatFits("%s: %.0f", {FormatArg::Kind::Double, FormatArg::Kind::String}));
    EXPECT_FALSE(FormatFits("%s", {}));
    EXPECT_TRUE(FormatFits("no specifier %%", {}));
}

TEST(CheckedFormatTest, ATextThatDoesNotFitGivesWayToTheBuiltInEnglishText)
{
    // A module whose text takes more (or other) arguments than the code passes: read as a printf
    // format it would read past the arguments. The program's own English text stands in.
    const std::string english = FormatChecked(BuiltInEnglishText(188), {"/home/anna/x"});
    ASSERT_NE(english.find("/home/anna/x"), std::string::npos);
    for (const char* text : {"%s %s %s %s %s", "%n%s", "%d", "", "%s %d"}) {
        SCOPED_TRACE(text);
        CTableTextProvider texts({{188, text}});
        ScopedTextProvider scope(&texts);
        EXPECT_EQ(FormatResChecked(188, {"/home/anna/x"}), english);
    }
    // No module at all: the built-in text too.
    ScopedTextProvider none(nullptr);
    EXPECT_EQ(FormatResChecked(188, {"/home/anna/x"}), english);
    // A fitting translation is used as it is.
    CTableTextProvider german({{188, "Der Ordner %s fehlt."}});
    ScopedTextProvider scope(&german);
    EXPECT_EQ(FormatResChecked(188, {"/x"}), "Der Ordner /x fehlt.");
}

TEST(CheckedFormatTest, ResourceTextIsTheFormat)
{
    CTableTextProvider texts({{24, "%d loads placed"}, {25, "%s of %s"}});
    ScopedTextProvider scope(&texts);
    EXPECT_EQ(FormatResChecked(24, {3}), "3 loads placed");
    // A translation whose specifiers do not match what the code passes shows plainly.
    EXPECT_EQ(FormatResChecked(25, {7}), "%s of %s (7)");
    EXPECT_EQ(FormatResChecked(999, {7}), " (7)");
}

} // namespace
