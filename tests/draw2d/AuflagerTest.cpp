// The axle-load picture: supports per kind, group colours by the model's limits, the fixed front support
// of a truck, the rigid-drawbar trailer's rear share and the extra-mass note.
#include "PlanDrawingFixture.h"

#include "draw2d/CAuflager.h"
#include "draw2d/FontTable.h"

#include <QFontMetrics>

#include <cstdio>
#include <limits>

namespace {

class AuflagerTest : public PlanDrawingFixture
{
protected:
    static constexpr int kYUnter = 330;

    QImage DrawAt(int x)
    {
        QImage image(1100, 700, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        m_auf.Create(m_doc->GetFahrzeug(), &m_view);
        m_auf.Draw(painter, x, kYUnter, m_koord->m_nPixProMeter, kZoom, &m_view);
        return image;
    }

    // The colour inside a triangle, a little below its apex.
    static QRgb Inside(const QImage& image, const std::array<QPoint, 3>& tri)
    {
        return image.pixel(tri[0].x(), (tri[0].y() * 2 + tri[1].y()) / 3 + 1);
    }

    CAuflager m_auf;
};

TEST_F(AuflagerTest, TrailersWithACouplingShowItAsTheFirstSupport)
{
    struct Case
    {
        const char* file;
        int supports;
    } cases[] = {{"LKW", 2}, {"GDA", 2}, {"SDA", 3}, {"SAH", 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(c.file);
        const QImage image = DrawAt(150);
        Keep(image, std::string("auflager_") + c.file);
        CFahrzeug* v = m_doc->GetFahrzeug();
        EXPECT_EQ(m_auf.GetStuetzenAnzahl(), v->GetAchsanzahl() + (c.supports > v->GetAchsanzahl() ? 1 : 0));
        EXPECT_EQ(m_auf.GetStuetzenAnzahl(), c.supports);
        for (int i = 0; i < m_auf.GetStuetzenAnzahl(); ++i)
            EXPECT_EQ(m_view.m_auf.count({IPlanDrawView::kAufZulLast, i}), 1u) << i;
    }
}

TEST_F(AuflagerTest, GroupIsRedExactlyWhenItBreaksTheModelsLimits)
{
    struct Case
    {
        const char* name;
        double dZulDelta;   // permissible front-group load minus its load
        double dShareDelta; // the group's share minus the minimum share
        bool red;
    } cases[] = {
        {"well inside", 1.0, 0.1, false},
        {"exactly at the permissible load", 0.0, 0.1, false},
        {"1 kg over", -0.001, 0.1, true},
        {"share exactly at the minimum", 1.0, 0.0, false},
        {"share below the minimum", 1.0, -0.01, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open("LKW");
        CFahrzeug* v = m_doc->GetFahrzeug();
        v->m_dZulLastVorn = v->m_dAchslastVorn + c.dZulDelta;
        const double T = v->GetGesamtmasse(false);
        v->m_dAnteilVorn = v->m_dAchslastVorn / T - c.dShareDelta;
        const QImage image = DrawAt(150);
        EXPECT_EQ(m_auf.IsGruppeRot(0), c.red);
        EXPECT_EQ(Inside(image, m_auf.GetGruppe(0)), c.red ? CAuflager::kRot.rgb() : CAuflager::kAktiv.rgb());
        const bool rearRed = v->m_dAchslastHinten > v->m_dZulLastHinten ||
                             v->m_dAnteilHinten * v->GetGesamtmasse(true) > v->m_dAchslastHinten;
        EXPECT_EQ(m_auf.IsGruppeRot(1), rearRed);
    }
}

TEST_F(AuflagerTest, TrucksFrontSupportStaysUnderTheCabButFollowsXInTheExport)
{
    Open("LKW");
    DrawAt(150);
    const int front = m_auf.GetAchse(0)[0].x();
    const int second = m_auf.GetAchse(1)[0].x();
    DrawAt(250);
    EXPECT_EQ(m_auf.GetAchse(0)[0].x(), front);
    EXPECT_EQ(m_auf.GetAchse(0)[0].x(), static_cast<int>(kZoom * 356));
    EXPECT_EQ(m_auf.GetAchse(1)[0].x(), second + 100);
    m_view.m_bExport = true;
    DrawAt(250);
    CFahrzeug* v = m_doc->GetFahrzeug();
    EXPECT_EQ(m_auf.GetAchse(0)[0].x(),
              static_cast<int>(v->GetAchsPosition(0) * m_koord->m_nPixProMeter * kZoom) + 250);
}

TEST_F(AuflagerTest, RigidDrawbarTrailerShowsDashesForTheRearShare)
{
    Open("SDA");
    DrawAt(150);
    const QFontMetrics fm(FontTable::MakeFont("Segoe UI", static_cast<int>(kZoom * 60)));
    EXPECT_EQ(m_view.m_auf.at({IPlanDrawView::kAufMinAnteil, 1}).width(), fm.horizontalAdvance("----"));
    Open("GDA");
    DrawAt(150);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", m_doc->GetFahrzeug()->m_dMinAnteilHinten * 100.0);
    EXPECT_EQ(m_view.m_auf.at({IPlanDrawView::kAufMinAnteil, 1}).width(), fm.horizontalAdvance(buf));
}

// A vehicle whose loads cannot be calculated shows dashes, not "nan", in the group-load row.
TEST_F(AuflagerTest, UncalculableGroupLoadsShowDashes)
{
    Open("LKW");
    m_doc->GetFahrzeug()->m_dAchslastVorn = std::numeric_limits<double>::quiet_NaN();
    DrawAt(150);
    const QFontMetrics fm(FontTable::MakeFont("Segoe UI", static_cast<int>(kZoom * 60)));
    EXPECT_EQ(m_view.m_auf.at({IPlanDrawView::kAufAnteil, 0}).width(), fm.horizontalAdvance("(----)") + 12);
}

TEST_F(AuflagerTest, ExtraMassNoteOnlyWithTheMassAndNotWhilePrinting)
{
    struct Case
    {
        double mass;
        bool printing, tip;
    } cases[] = {{0.0, false, false}, {0.3, false, true}, {0.3, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mass << " " << c.printing);
        Open("LKW");
        m_doc->GetFahrzeug()->m_dZusLastMasse = c.mass;
        m_view.m_bPrinting = c.printing;
        const QImage image = DrawAt(150);
        if (c.tip && !c.printing)
            Keep(image, "auflager_extra_mass");
        EXPECT_EQ(!m_view.m_auf.at({IPlanDrawView::kAufZusatzmasseTip, 0}).isEmpty(), c.tip);
    }
}

TEST_F(AuflagerTest, LoweredCouplingLoadShowsWorkingAndNominalValue)
{
    Open("SDA");
    CFahrzeug* v = m_doc->GetFahrzeug();
    DrawAt(150);
    const int single = m_view.m_auf.at({IPlanDrawView::kAufZulLast, 0}).width();
    // The record's permissible load doubles after the last recalculation, whose geometry keeps the old one.
    v->SetAchsZulLast(0, v->m_Achsen[0].dZulLast * 2.0);
    DrawAt(150);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f (%.0f)", v->GetAchsGeometrie().dZulLast[0] * 1000.0,
                  v->m_Achsen[0].dZulLast * 1000.0);
    const QFontMetrics fm(FontTable::MakeFont("Segoe UI", static_cast<int>(kZoom * 60)));
    EXPECT_EQ(m_view.m_auf.at({IPlanDrawView::kAufZulLast, 0}).width(), fm.horizontalAdvance(buf));
    EXPECT_GT(m_view.m_auf.at({IPlanDrawView::kAufZulLast, 0}).width(), single);
}

} // namespace
