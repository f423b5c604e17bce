// Replacing all occurrences of a text and cutting texts into pieces.
#include "model/text/TextSplit.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSplitTest, ReplaceAllGoesLeftToRightWithoutRescanningReplacements)
{
    struct Case
    {
        const char* source;
        const char* find;
        const char* replacement;
        const char* result;
    };
    const Case cases[] = {
        {"<!--$tbodyrows--><p/><!--$tbodyrows-->", "<!--$tbodyrows-->", "<tr/>", "<tr/><p/><tr/>"},
        {"aaa", "a", "aa", "aaaaaa"}, // the replacement is not searched again
        {"aaaa", "aa", "b", "bb"},
        {"no marker", "<!--$x-->", "y", "no marker"},
        {"", "a", "b", ""},
        {"keep", "", "x", "keep"}, // an empty search text changes nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(ReplaceAllText(c.source, c.find, c.replacement), c.result);
    }
}

TEST(TextSplitTest, PiecesEndAtSeparatorsWhereTheyCan)
{
    struct Case
    {
        const char* text;
        int maximum;
        char separator;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"ab cd ef", 5, ' ', {"ab cd", "ef"}},              // separator just after the piece is dropped
        {"abcdefgh", 3, ' ', {"abc", "def", "gh"}},         // no separator: hard cuts
        {"one two three", 6, ' ', {"one", "two", "three"}}, // piece ends before its last separator
        {"abc", 5, ' ', {"abc"}},
        {"a,b,c,d", 3, ',', {"a,b", "c,d"}},
        {"", 4, ' ', {}},
        {"abc", 0, ' ', {}},                // a maximum below 1 gives nothing instead of looping
        {"xx€€", 4, ' ', {"xx", "€", "€"}}, // never inside a UTF-8 character (€ is 3 bytes)
        {"€a", 2, ' ', {"€", "a"}},         // a character longer than the maximum stands alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" max " << c.maximum);
        std::vector<std::string> list = {"kept"};
        EXPECT_EQ(SplitTextToList(c.text, c.maximum, c.separator, list), static_cast<int>(c.pieces.size()));
        std::vector<std::string> expected = {"kept"};
        expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
        EXPECT_EQ(list, expected);
    }
}

} // namespace
