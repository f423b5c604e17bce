// Text items by number and type through the current provider.
#include "model/text/ResourceText.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceTextTest, ItemsLoadByTypeAndMissingOnesFail)
{
    CTableTextProvider texts({{436, "<html><body>"}});
    texts.SetItem(894, RES_TYPE_TEXT, "<h1>Report</h1>");
    texts.SetItem(881, RES_TYPE_HTML, "<p><!--$Bez--></p>");
    ScopedTextProvider scope(&texts);

    struct Case
    {
        std::uint32_t id;
        int type;
        bool found;
        const char* text;
    };
    const Case cases[] = {
        {436, RES_TYPE_STRING, true, "<html><body>"},
        {894, RES_TYPE_TEXT, true, "<h1>Report</h1>"},
        {881, RES_TYPE_HTML, true, "<p><!--$Bez--></p>"},
        {894, RES_TYPE_HTML, false, ""}, // types are apart
        {437, RES_TYPE_STRING, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " type " << c.type);
        std::string out = "old";
        EXPECT_EQ(LoadResourceText(out, c.id, c.type), c.found);
        EXPECT_EQ(out, c.text);
    }
}

TEST(ResourceTextTest, WithoutAProviderNothingLoads)
{
    ScopedTextProvider none(nullptr);
    std::string out = "old";
    EXPECT_FALSE(LoadResourceText(out, 436, RES_TYPE_STRING));
    EXPECT_TRUE(out.empty());
}

} // namespace
