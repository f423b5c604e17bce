// The dimension lines: which labels each kind reports, the axle chain, the kingpin measure of a tractor
// and the millimetre labels.
#include "PlanDrawingFixture.h"

#include <algorithm>

namespace {

class BemassungTest : public PlanDrawingFixture
{
protected:
    std::vector<int> Labels()
    {
        m_view.m_labels.clear();
        m_last = Render();
        return m_view.LabelIds();
    }
    QImage m_last;
};

TEST_F(BemassungTest, EveryKindReportsItsLabelsWithRectangles)
{
    struct Case
    {
        const char* file;
        const char* zug;
        std::vector<int> ids;
    } cases[] = {
        {"LKW", "", {19, 1, 3, 2}}, // coupling offset, axle-1 offset, wheelbase, load-area length
        {"KEP", "", {1, 3, 2}},     // the sub-type has no coupling measure
        {"GDA", "", {1, 3, 2}},          {"GDA_2", "", {1, 3, 4, 2}},
        {"SDA", "", {1, 3, 4, 2}},                             // coupling point to axle 1, then the axles
        {"SAH", "", {1, 3, 4, 5, 2}},    {"SZM", "", {24, 3}}, // kingpin measure, no axle-1 offset
        {"SAH", "SZM", {1, 3, 4, 5, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.zug);
        Open(c.file, c.zug);
        EXPECT_EQ(Labels(), c.ids);
        // The view is told to forget the old rectangles first.
        ASSERT_FALSE(m_view.m_labels.empty());
        EXPECT_EQ(m_view.m_labels.front().first, 0);
        for (const auto& [id, rc] : m_view.m_labels)
            if (id != 0) {
                EXPECT_FALSE(rc.isEmpty()) << id;
                EXPECT_TRUE(m_last.rect().contains(rc)) << id;
            }
        Keep(m_last, std::string("dimensions_") + c.file + (*c.zug ? std::string("_") + c.zug : ""));
    }
}

TEST_F(BemassungTest, AxleChainFollowsTheAxleCount)
{
    struct Case
    {
        const char* file;
        int nAchsen;
        int nKetten; // labels 3 to 11
    } cases[] = {{"LKW", 1, 0}, {"GDA", 1, 0}, {"SZM", 1, 0}, {"SDA", 1, 1}, {"SAH", 1, 1}, {"LKW", 2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.nAchsen));
        Open(c.file);
        m_doc->GetFahrzeug()->m_nAchsanzahl = c.nAchsen;
        const std::vector<int> ids = Labels();
        const auto n = std::count_if(ids.begin(), ids.end(), [](int id) { return id >= 3 && id <= 11; });
        EXPECT_EQ(n, c.nKetten);
    }
}

TEST_F(BemassungTest, TractorShowsTheKingpinAndNoFrontLine)
{
    const QRgb red = qRgb(255, 0, 0);
    // The red line at the load-area front, right below the floor (a tractor's load-area end line, at the
    // same place for its zero length, starts lower, under the frame).
    auto frontLine = [&] {
        int n = 0;
        for (int y = kY + 3; y < kY + Px(0.38); ++y)
            n += m_last.pixel(m_xFahrzeug, y) == red;
        return n;
    };
    Open("LKW");
    Labels();
    EXPECT_GT(frontLine(), 10);

    Open("SZM");
    const std::vector<int> ids = Labels();
    EXPECT_EQ(frontLine(), 0);
    EXPECT_NE(std::find(ids.begin(), ids.end(), 24), ids.end());
    EXPECT_EQ(std::find(ids.begin(), ids.end(), 1), ids.end());
}

TEST_F(BemassungTest, ADimensionOfNoLengthDrawsNeitherLineNorLabel)
{
    // The tractor's load area has no length; a truck's coupling offset set to zero.
    struct Case
    {
        const char* file;
        double dKupplungsabstand; // < 0: as the sample has it
        int nFehlt;               // the label that must not be there
        int nZeile;               // the line's row below the floor, in zoom-1 pixels
    } cases[] = {{"SZM", -1.0, 2, 470}, {"LKW", 0.0, 19, 274}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(c.file);
        if (c.dKupplungsabstand >= 0.0)
            m_doc->GetFahrzeug()->m_dKupplungsabstand = c.dKupplungsabstand;
        const std::vector<int> ids = Labels();
        EXPECT_EQ(std::find(ids.begin(), ids.end(), c.nFehlt), ids.end());
        // Nothing black along the row where the line would run.
        const int y = kY + static_cast<int>(c.nZeile * kZoom);
        int schwarz = 0;
        for (int x = 0; x < m_last.width(); ++x)
            schwarz += m_last.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_LT(schwarz, 3) << "a line of " << schwarz << " pixels";
    }
}

TEST_F(BemassungTest, LabelsAreWholeMillimetres)
{
    struct Case
    {
        double dMetres;
        const char* text;
    } cases[] = {{1.3049, "1305"}, {7.0, "7000"},   {0.0004, "0"},
                 {-0.5, "-500"},   {13.6, "13600"}, {1.31, "1310"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dMetres);
        EXPECT_EQ(CBemassung::Millimetres(c.dMetres).toStdString(), c.text);
    }
}

TEST_F(BemassungTest, ShortCouplingMeasurePutsItsArrowsOutside)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    auto couplingLabel = [&] {
        for (const auto& [id, rc] : m_view.m_labels)
            if (id == 19)
                return rc;
        return QRect();
    };
    // A long measure puts the label on the line between its ends, a short one beside its rear end.
    v->m_dKupplungsabstand = 2.0;
    Labels();
    const int xEnde = m_xFahrzeug + Px(v->GetLFLaenge());
    QRect rc = couplingLabel();
    EXPECT_LT(rc.right(), xEnde);
    EXPECT_GT(rc.left(), xEnde - Px(2.0));

    v->m_dKupplungsabstand = 0.2;
    Labels();
    rc = couplingLabel();
    EXPECT_GT(rc.left(), xEnde);
}

} // namespace
