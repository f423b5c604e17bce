// Table rows, fixed-width markers and escaping of plain text in HTML.
#include "model/text/HtmlText.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlTextTest, TableRowsAsTheReportsAndTooltipsBuildThem)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> cells;
        bool marked;
        const char* colour;
        const char* row;
    };
    const Case cases[] = {
        {"two empty cells", {"", ""}, false, nullptr, "<tr style=\"\"><td>&nbsp;</td><td>&nbsp;</td></tr>"},
        {"marked with colour",
         {"Pallet", "", "450 kg"},
         true,
         "#F7F7F7",
         "<tr style=\"background-color:#F7F7F7;border-top:thin solid;border-color:red;\">"
         "<td><b>Pallet</b></td><td><b>&nbsp;</b></td><td><b>450 kg</b></td></tr>"},
        {"colour only",
         {"<img src=\"a.png\"/>"},
         false,
         "#CDDBE9",
         "<tr style=\"background-color:#CDDBE9;\"><td><img src=\"a.png\"/></td></tr>"},
        {"no cells", {}, false, nullptr, "<tr style=\"\"></tr>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string html = "<table>";
        AppendHtmlTableRow(html, c.cells, c.marked, c.colour);
        EXPECT_EQ(html, std::string("<table>") + c.row);
    }
}

TEST(HtmlTextTest, EscapedUserTextCannotOpenTagsOrLinks)
{
    const std::string name = "<a href=\"app:delete\">Crate & 'box'</a>";
    EXPECT_EQ(EscapeHtml(name), "&lt;a href=&quot;app:delete&quot;&gt;Crate &amp; &#39;box&#39;&lt;/a&gt;");
    std::string html;
    AppendHtmlTableRow(html, {EscapeHtml(name)}, false);
    EXPECT_EQ(html.find("<a"), std::string::npos);
    EXPECT_EQ(EscapeHtml("Gitterbox 1200 × 800"), "Gitterbox 1200 × 800");
}

TEST(HtmlTextTest, MarkerSpanIsOverwrittenKeepingTheLength)
{
    struct Case
    {
        const char* name;
        std::string value;
        const char* result;
    };
    // The span "<$SAbst_v     >" is 15 characters long.
    const char* page = "<p>front <$SAbst_v     > mm</p>";
    const Case cases[] = {
        {"shorter value, rest blank", "1250", "<p>front 1250            mm</p>"},
        {"longer value cut to the span", "123456789012345678", "<p>front 123456789012345 mm</p>"},
        {"exact length", "ABCDEFGHIJKLMNO", "<p>front ABCDEFGHIJKLMNO mm</p>"},
        {"a cut never splits a character", "12345678901234€", "<p>front 12345678901234  mm</p>"},
        {"a cut never splits a reference", "1234567890 &amp;", "<p>front 1234567890      mm</p>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string html = page;
        std::size_t end = 0;
        ASSERT_TRUE(ReplaceHtmlMarker(html, 0, "<$SAbst_v", ">", c.value, &end));
        EXPECT_EQ(html, c.result);
        EXPECT_EQ(html.size(), std::string(page).size());
        EXPECT_EQ(end, 24u);
    }
}

TEST(HtmlTextTest, MarkersAreFoundInOrderFromTheStartAndMissingOnesChangeNothing)
{
    std::string html = "<!--$Bez--> <!--$Gew--> <!--$Bez-->";
    std::size_t end = 0;
    ASSERT_TRUE(ReplaceHtmlMarker(html, 0, "<!--$Bez", ">", "A", &end));
    EXPECT_EQ(end, 11u);
    ASSERT_TRUE(ReplaceHtmlMarker(html, end, "<!--$Bez", ">", "B", &end));
    EXPECT_EQ(html, "A           <!--$Gew--> B          ");
    EXPECT_EQ(end, html.size());

    const std::string before = html;
    std::size_t untouched = 99;
    EXPECT_FALSE(ReplaceHtmlMarker(html, 0, "<!--$Bez", ">", "C", &untouched));    // opening marker gone
    EXPECT_FALSE(ReplaceHtmlMarker(html, 0, "<!--$Gew", "</x>", "C", &untouched)); // no closing marker
    EXPECT_FALSE(ReplaceHtmlMarker(html, 500, "<!--$Gew", ">", "C", &untouched));  // start beyond the end
    EXPECT_EQ(html, before);
    EXPECT_EQ(untouched, 99u);
}

TEST(HtmlTextTest, InvisibleBlocksAreDroppedWithWhatTheyHold)
{
    struct Case
    {
        const char* name;
        const char* html;
        const char* expected;
        int nDropped;
    };
    const Case cases[] = {
        {"nothing marked", "<p class=\"first\">a</p>", "<p class=\"first\">a</p>", 0},
        {"a marked block", "x<div class=\"invisible\">gone</div>y", "xy", 1},
        {"a marker filled to its width", "<div class=\"invisible          \">a</div>b", "b", 1},
        {"one word of several", "<p class='hint invisible wide'>a</p><p class=\"invisibleX\">b</p>",
         "<p class=\"invisibleX\">b</p>", 1},
        {"nested blocks of the same name",
         "<div class=invisible><div>in</div><div>in</div></div><div>out</div>", "<div>out</div>", 1},
        {"upper case", "<TABLE CLASS=\"Invisible\"><tr><td>t</td></tr></TABLE>z", "z", 1},
        {"void and self-closed elements",
         "<img class=\"invisible\" src=\"a.png\">a<br class=\"invisible\"/>b", "ab", 2},
        {"two blocks", "<p class=\"invisible\">1</p>-<span class=\"invisible\">2</span>", "-", 2},
        {"not closed", "a<div class=\"invisible\">b<p>c", "a", 1},
        {"a class-like text outside a tag", "class=\"invisible\" <b>x</b>", "class=\"invisible\" <b>x</b>",
         0},
        {"a data attribute", "<p data-class=\"invisible\">k</p>", "<p data-class=\"invisible\">k</p>", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string html = c.html;
        EXPECT_EQ(DropInvisibleBlocks(html), c.nDropped);
        EXPECT_EQ(html, c.expected);
    }
}

} // namespace
