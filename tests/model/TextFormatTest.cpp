// "$S" placeholder formatting with and without printf first.
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::uint32_t ONE = 1, TWO = 2, NESTED = 3, KG = 4, PERCENT_S = 5, LONG = 6, MISSING = 999;

class TextFormatTest : public ::testing::Test
{
protected:
    TextFormatTest()
        : m_texts({{ONE, "one"},
                   {TWO, "two"},
                   {NESTED, "nested<$S>"},
                   {KG, "%d kg"},
                   {PERCENT_S, "[%s]"},
                   {LONG, std::string(10000, 'L')}}),
          m_scope(&m_texts)
    {
    }

    CTableTextProvider m_texts;
    ScopedTextProvider m_scope;
};

struct Case
{
    const char* name;
    std::function<std::string()> format;
    std::string expected;
};

TEST_F(TextFormatTest, FormatsAsEachFunctionSpecifies)
{
    const std::string tenThousand(10000, 'x');
    const Case cases[] = {
        {"unknown id leaves the placeholder", [] { return FormatS("$S", 1, MISSING); }, "$S"},
        {"placeholder inside an inserted text is filled by the next id",
         [] { return FormatS("$S ($S)", 2, NESTED, ONE); }, "nested<one> ($S)"},
        {"several placeholders, several ids", [] { return FormatS("$S and $S", 2, ONE, TWO); },
         "one and two"},
        {"unknown id is skipped, its placeholder taken by the next",
         [] { return FormatS("$S/$S", 2, MISSING, TWO); }, "two/$S"},
        {"surplus ids are ignored", [] { return FormatS("$S", 3, ONE, TWO, NESTED); }, "one"},
        {"placeholders left when ids run out stay", [] { return FormatS("$S $S $S", 1, TWO); }, "two $S $S"},
        {"no ids is plain sprintf", [] { return FormatS("%d-%s-%.2f", 0, 3, "x", 1.5); }, "3-x-1.50"},
        {"printf runs before replacement", [] { return FormatS("%d $S", 1, ONE, 7); }, "7 one"},
        {"FormatS leaves specifiers of resource texts alone", [] { return FormatS("$S", 1, KG, 5); },
         "%d kg"},
        {"FormatSPre formats specifiers of resource texts", [] { return FormatSPre("$S", 1, KG, 5); },
         "5 kg"},
        {"FormatS replaces a placeholder that came in through an argument",
         [] { return FormatS("%s", 1, ONE, "$S"); }, "one"},
        {"FormatSPre does not replace a placeholder from an argument",
         [] { return FormatSPre("%s", 1, ONE, "$S"); }, "$S"},
        {"FormatSPre: specifiers of format and text consume arguments in order",
         [] { return FormatSPre("%d $S %d", 1, PERCENT_S, 1, "mid", 2); }, "1 [mid] 2"},
        {"10,000-character printf argument", [&] { return FormatS("%s $S", 1, ONE, tenThousand.c_str()); },
         tenThousand + " one"},
        {"10,000-character resource text", [] { return FormatSPre("<$S>", 1, LONG); },
         "<" + std::string(10000, 'L') + ">"},
        {"empty format", [] { return FormatS("", 1, ONE); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.format(), c.expected);
    }
}

TEST_F(TextFormatTest, NoProviderMeansNothingLoads)
{
    ScopedTextProvider none(nullptr);
    EXPECT_EQ(FormatS("$S", 1, ONE), "$S");
    EXPECT_EQ(LoadResString(ONE), "");
}

std::string CallV(const char* fmt, int count, ...)
{
    va_list args;
    va_start(args, count);
    std::string s = FormatSPreV(fmt, count, args);
    va_end(args);
    return s;
}

TEST_F(TextFormatTest, FormatSPreVTakesIdsThenArgumentsFromTheList)
{
    EXPECT_EQ(CallV("$S, $S: %s", 2, KG, ONE, 12, "end"), "12 kg, one: end");
}

} // namespace
