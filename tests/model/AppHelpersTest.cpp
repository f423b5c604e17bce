// Index search, data-folder versions, languages and the texts of the securing choices.
#include "model/base/AppHelpers.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

namespace {

TEST(AppHelpersTest, FindUIntIndexAnswersTheFirstMatch)
{
    const unsigned ids[] = {548, 133, 136, 133};
    EXPECT_EQ(FindUIntIndex(ids, 4, 133), 1);
    EXPECT_EQ(FindUIntIndex(ids, 4, 548), 0);
    EXPECT_EQ(FindUIntIndex(ids, 4, 7), -1);
    EXPECT_EQ(FindUIntIndex(ids, 0, 548), -1);
    EXPECT_EQ(FindUIntIndex(nullptr, 4, 548), -1);
}

TEST(AppHelpersTest, VersionNamesCompareByTheirPlaceInTheTable)
{
    struct Case
    {
        const char* first;
        const char* second;
        bool atLeast;
    };
    const Case cases[] = {
        {"QOR v3D.1", "QOR v4.0", false},       {"QOR v4.0", "QOR v3D.1", true},
        {"QOR v4.0", "QOR v4.0", true},         {"QOR v3D.1", "QOR v3D.1", true},
        {"Someone's 9.0", "Another 1.0", true}, // unknown names count as position 0
        {"QOR v3D.1", "Unknown", false},        {"qor v3d.1", "QOR v4.0", true}, // names compare exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " / " << c.second);
        EXPECT_EQ(IsVersionAtLeast(c.first, c.second), c.atLeast);
    }
}

TEST(AppHelpersTest, LanguageIsAvailableOnlyOnAnExactMatch)
{
    const std::vector<std::string> languages = {"DE", "EN"};
    EXPECT_TRUE(IsLanguageAvailable("EN", languages));
    EXPECT_FALSE(IsLanguageAvailable("en", languages));
    EXPECT_FALSE(IsLanguageAvailable("E", languages));
    EXPECT_FALSE(IsLanguageAvailable("EN", {}));
}

TEST(AppHelpersTest, ChoiceTextsComeFromTheirTable)
{
    CTableTextProvider texts;
    for (std::uint32_t id : {152u, 151u, 153u, 618u, 617u, 544u, 545u, 546u, 547u, 548u, 69u})
        texts.Set(id, "text " + std::to_string(id));
    ScopedTextProvider scope(&texts);
    struct Case
    {
        unsigned index;
        bool variant;
        const char* text;
    };
    const Case cases[] = {
        {0, true, "text 152"},  {1, true, "text 151"},  {2, true, "text 153"},  {3, true, "text 618"},
        {4, true, "text 617"},  {0, false, "text 544"}, {1, false, "text 545"}, {2, false, "text 546"},
        {3, false, "text 547"}, {4, false, "text 548"}, {5, true, "text 69"},   {99, false, "text 69"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << (c.variant ? " variant" : ""));
        EXPECT_EQ(FormatAuswahlText(c.index, c.variant), c.text);
    }
}

} // namespace
