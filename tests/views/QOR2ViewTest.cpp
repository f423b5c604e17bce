// The loading-plan view drawn offscreen on the sample vehicles: pixels the model decides, the export,
// and edits that commit through the change steps.
#include "ViewTestSupport.h"

#include "tests/support/views/StandInViews.h"
#include "views/CQOR2View.h"

#include "catalogue/CRampenDialogs.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ProgramRun.h"
#include "views/ILoadingRamp.h"
#include "views/IPlanDialogs.h"
#include "views/LabelLayoutCache.h"

#include "PlanPicturePainter.h"
#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SYs2X.h"
#include "tests/support/SampleDocument.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");

// Records what the document tells its window.
class TitelHost : public DocumentHost
{
public:
    void SetFrameTitle(const std::string& title) override
    {
        ++nTitel;
        letzterTitel = title;
    }
    int nTitel = 0;
    std::string letzterTitel;
};

// The plan view with its messages recorded instead of shown.
class PlanView : public CQOR2View
{
public:
    using CQOR2View::CQOR2View;
    std::string meldung;
    int nMeldungen = 0;

protected:
    void MeldeInfo(const std::string& /*caption*/, const std::string& text) override
    {
        meldung = text;
        ++nMeldungen;
    }
};

bool Gleich(QRgb a, QRgb b)
{
    return (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

// Dark pixels (text, outlines) inside a rectangle of the picture.
int Dunkle(const QImage& img, const QRect& rc)
{
    int n = 0;
    const QRect r = rc.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 100)
                ++n;
    return n;
}

int Zaehle(const QImage& img, const QRect& rc, QRgb farbe)
{
    int n = 0;
    const QRect r = rc.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (Gleich(img.pixel(x, y), farbe))
                ++n;
    return n;
}

void Speichere(const QImage& img, const QString& name)
{
    QDir().mkpath(kArtefakte);
    EXPECT_TRUE(img.save(kArtefakte + "/" + name)) << name.toStdString();
}

class PlanViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto f = LoadSampleVehicle("LKW");
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        doc.SetHost(&host);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<PlanView>(&doc);
        view->resize(1400, 700);
        CPlanAnzeige anz(Plan());
        anz.SetZoom(1.5);
        anz.SetRasterZeigen(false);
    }

    CFahrzeug& Fahrzeug() { return *doc.GetFahrzeug(); }
    CQOR& Plan() { return *Fahrzeug().GetQor(); }

    tagLGINFO* Last(const char* name, double x, double y, double dLaenge, double dBreite, double t,
                    int nDrehung = 0)
    {
        auto* p = new tagLGINFO;
        p->m_strName = name;
        p->m_nTyp = 0;
        p->m_dLaenge = dLaenge;
        p->m_dBreite = dBreite;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = dLaenge / 2;
        p->m_dSPBreite = dBreite / 2;
        p->m_dMasse = t;
        p->m_dSPMasse = t;
        p->m_dPosX = x;
        p->m_dPosY = y;
        p->m_nDrehung = nDrehung;
        Plan().AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        return p;
    }

    // Three loads, the second selected.
    void DreiLasten()
    {
        a = Last("Pallet", 0.5, 0.2, 1.2, 0.8, 0.6);
        b = Last("Box", 2.5, 1.0, 1.0, 1.0, 1.1);
        c = Last("Crate", 4.5, 0.3, 0.8, 1.2, 0.4, 90);
        b->m_bSelected = 1;
        view->RecalcSchwerpunkt();
    }

    QImage Bild() { return view->RenderPicture(QSize(1400, 700)); }

    // Where the model puts a load in the picture.
    QRect Erwartet(const tagLGINFO& lg)
    {
        const QPoint u = view->GetMassstab().ursprung;
        const int l = u.x() + view->MetresToPixels(lg.m_dPosX), t = u.y() + view->MetresToPixels(lg.m_dPosY);
        return QRect(l, t, view->MetresToPixels(lg.GetDimX()), view->MetresToPixels(lg.GetDimY()));
    }

    EnglishModule module;
    TitelHost host;
    CQOR1Doc doc;
    std::unique_ptr<PlanView> view;
    tagLGINFO* a = nullptr;
    tagLGINFO* b = nullptr;
    tagLGINFO* c = nullptr;
};

} // namespace

TEST(QOR2ViewScroll, ZoomOneAndAHalfGivesTheScrollSizes)
{
    CQOR2View view;
    view.OnInitialUpdate();
    EXPECT_EQ(view.GetTotalSize(), QSize(1500, 750));
    EXPECT_EQ(view.GetPageSize(), QSize(750, 375));
    EXPECT_EQ(view.GetLineSize(), QSize(50, 20));
    EXPECT_EQ(view.MetresToPixels(1.0), 145);
    EXPECT_DOUBLE_EQ(view.PixelsToMetres(291), 291 / 1.5 / 97);
}

TEST_F(PlanViewTest, EachLoadIsFilledWhereTheModelPutsItAndItsRecordSaysSo)
{
    DreiLasten();
    // A member of a load unit is never drawn blue, not even selected.
    tagLGINFO* d = Last("Unit member", 6.0, 1.5, 0.6, 0.6, 0.2);
    d->SetLeId(1);
    d->m_bSelected = 1;
    const QImage img = Bild();
    Speichere(img, "plan_truck.png");
    struct Fall
    {
        tagLGINFO* lg;
        QRgb fill;
    };
    for (const Fall& f : {Fall{a, CQOR2View::kFarbeLadung}, Fall{b, CQOR2View::kFarbeAuswahl},
                          Fall{c, CQOR2View::kFarbeLadung}, Fall{d, CQOR2View::kFarbeLadung}}) {
        SCOPED_TRACE(f.lg->m_strName);
        const QRect rc = Erwartet(*f.lg);
        ASSERT_TRUE(view->GetGuiLg().count(f.lg));
        EXPECT_EQ(view->GetGuiLg().at(f.lg).rc, rc);
        // A quarter in from the front edge, halfway across: away from labels, arrow and marker.
        EXPECT_TRUE(Gleich(img.pixel(rc.left() + rc.width() / 4, rc.top() + rc.height() / 2), f.fill));
        // Just outside the rectangle the load's colour is gone.
        EXPECT_FALSE(Gleich(img.pixel(rc.left() - 2, rc.top() + rc.height() / 2), f.fill));
    }
    // The member has no frame of its own; the others are framed in black.
    const QRect rd = Erwartet(*d), ra = Erwartet(*a);
    EXPECT_TRUE(Gleich(img.pixel(rd.left(), rd.top() + rd.height() / 4), CQOR2View::kFarbeLadung));
    EXPECT_TRUE(Gleich(img.pixel(ra.left(), ra.top() + ra.height() / 4), qRgb(0, 0, 0)));
}

TEST_F(PlanViewTest, HatchLiesOutsideAndWhiteInsideTheUsableArea)
{
    Fahrzeug().m_NutzLF[0].m_dRand[0] = 0.3; // front
    Fahrzeug().m_NutzLF[0].m_dRand[1] = 0.2; // side A
    Fahrzeug().m_NutzLF[0].m_dRand[2] = 0.4; // rear
    Fahrzeug().m_NutzLF[0].m_dRand[3] = 0.2; // side B
    const QImage img = Bild();
    const QPoint u = view->GetMassstab().ursprung;
    const QPoint o = view->GetMassstab().ursprungKorr;
    EXPECT_EQ(u, o + QPoint(view->MetresToPixels(0.3), view->MetresToPixels(0.2)));
    const QRgb strich = PlanPicturePainter::Draw(418).pixel(4, 7);
    // The front strip holds the hatch lines on white; the usable area is white.
    const QRect vorn(o.x() + 4, o.y() + 40, 24, 24);
    EXPECT_GT(Zaehle(img, vorn, strich), 20);
    EXPECT_GT(Zaehle(img, vorn, qRgb(255, 255, 255)), 20);
    const QRect innen(u.x() + 20, u.y() + 20, 40, 40);
    EXPECT_EQ(Zaehle(img, innen, qRgb(255, 255, 255)), innen.width() * innen.height());
    EXPECT_EQ(Zaehle(img, innen, strich), 0);
}

TEST_F(PlanViewTest, StripToolAreasAreAtLeastThreePixelsDeep)
{
    for (double rand : {0.0, 0.25}) {
        SCOPED_TRACE(rand);
        for (int i = 0; i < 4; ++i)
            Fahrzeug().m_NutzLF[0].m_dRand[i] = rand;
        Bild();
        const auto& t = view->GetTools();
        for (int id : {CQOR2View::kToolRandVorn, CQOR2View::kToolRandHinten})
            EXPECT_GE(t.at(id).rc.width(), rand == 0.0 ? 3 : view->MetresToPixels(rand) - 1) << id;
        for (int id : {CQOR2View::kToolRandOben, CQOR2View::kToolRandUnten})
            EXPECT_GE(t.at(id).rc.height(), rand == 0.0 ? 3 : view->MetresToPixels(rand) - 1) << id;
        EXPECT_NE(t.at(CQOR2View::kToolRandVorn).text.indexOf(QString::fromStdString(Fahrzeug().m_strName)),
                  -1);
    }
}

TEST_F(PlanViewTest, CentreOfGravityMarkerSitsOnThePlansCentreOfGravity)
{
    DreiLasten();
    CPlanAnzeige(Plan()).SetSchwerpunktZeigen(true);
    Plan().UpdateSchwerpunkt();
    const double cx = Plan().GetSchwerpunktX(), cy = Plan().GetSchwerpunktY();
    const QImage img = Bild();
    const QPoint u = view->GetMassstab().ursprung;
    const QPoint mitte(u.x() + static_cast<int>(97 * cx * 1.5), u.y() + static_cast<int>(97 * cy * 1.5));
    const QRect rc = view->m_treffer.rcSchwerpunkt;
    ASSERT_FALSE(rc.isEmpty());
    EXPECT_LE(std::abs(rc.center().x() - mitte.x()), 1);
    EXPECT_LE(std::abs(rc.center().y() - mitte.y()), 1);

    // The picture is the one the vehicle's own checks choose.
    CFahrzeug& v = Fahrzeug();
    int id = 267;
    if (v.GetKurve(false) && !v.GetKurve(false)->IsEmpty()) {
        SYs2X pt;
        pt.m_dX = v.GetRandabstand(0) + cx;
        v.CalcKurvenpunkt(&pt);
        const double m = Plan().GetMasse();
        if (pt.m_dMaxLast >= 0.0 && pt.m_dMaxLast >= m && m >= pt.m_dMinLast)
            id = v.CheckQuerSchwerpunkt() != 0 ? 260 : 268;
    }
    EXPECT_EQ(view->GetSchwerpunktBild(), id);
    const QImage marker = PlanPicturePainter::Draw(id);
    EXPECT_TRUE(Gleich(img.pixel(rc.left() + 6, rc.top() + 6), marker.pixel(6, 6)));
    EXPECT_NE(view->GetTools().at(CQOR2View::kToolSchwerpunkt).text.indexOf(QStringLiteral("kg")), -1);
}

TEST_F(PlanViewTest, NoRangeBoxAndNoMarkerWithoutLoadsOrMass)
{
    CPlanAnzeige anz(Plan());
    anz.SetSchwerpunktZeigen(true);
    anz.SetZulBereich(true);
    anz.SetBereichFarbig(false);
    struct Fall
    {
        const char* name;
        int nLasten;
        double masse;
    };
    for (const Fall& f : {Fall{"no loads", 0, 0.0}, Fall{"mass 0", 2, 0.0}, Fall{"with mass", 2, 0.8}}) {
        SCOPED_TRACE(f.name);
        for (int i = 0; i < f.nLasten; ++i)
            Last("Pallet", 0.5 + 1.5 * i, 0.2, 1.2, 0.8, f.masse);
        view->RecalcSchwerpunkt();
        const QImage img = Bild();
        const bool bSichtbar = f.masse > 0.0;
        EXPECT_EQ(!view->m_treffer.rcSchwerpunkt.isEmpty(), bSichtbar);
        EXPECT_EQ(Zaehle(img, img.rect(), qRgb(0, 0, 255)) > 0,
                  bSichtbar && Fahrzeug().GetNutzlastKurve().GetBereichStatus() != 1);
        if (!bSichtbar)
            while (!Plan().GetLgInfos().empty()) {
                Plan().RemoveLgInfo(Plan().GetLgInfos().front());
            }
    }
}

TEST_F(PlanViewTest, RangeBoxEdgesStandAtTheUsableRangeAndItsDimensionBelow)
{
    DreiLasten();
    CPlanAnzeige anz(Plan());
    anz.SetZulBereich(true);
    anz.SetBereichFarbig(false);
    view->RecalcSchwerpunkt();
    ASSERT_NE(Fahrzeug().GetNutzlastKurve().GetBereichStatus(), 1);
    const QImage img = Bild();
    Speichere(img, "plan_range_box.png");
    const double s = 97 * 1.5;
    const QPoint o = view->GetMassstab().ursprungKorr;
    const int left = static_cast<int>(s * Fahrzeug().GetNutzlastKurve().GetNutzbarVon()) + o.x();
    const int right = static_cast<int>(s * Fahrzeug().GetNutzlastKurve().GetNutzbarBis()) + o.x();
    const int top = static_cast<int>(s * Fahrzeug().GetNutzlastKurve().GetNutzbarQuerVon()) + o.y();
    const int bottom = static_cast<int>(s * Fahrzeug().GetNutzlastKurve().GetNutzbarQuerBis()) + o.y();
    ASSERT_LT(left, right);
    // The outline is blue; the fill (ANDed) darkens the left and top edges it covers, not the others.
    const int y = (top + bottom) / 2, x = left + 10;
    EXPECT_TRUE(Gleich(img.pixel(x, bottom), qRgb(0, 0, 255)));
    for (QPoint pt : {QPoint(left, y), QPoint(x, top)}) {
        EXPECT_EQ(qRed(img.pixel(pt)), 0);
        EXPECT_EQ(qGreen(img.pixel(pt)), 0);
        EXPECT_GT(qBlue(img.pixel(pt)), 150);
    }
    EXPECT_TRUE(Gleich(img.pixel(x, y), CQOR2View::kFarbeBereich));
    EXPECT_TRUE(Gleich(img.pixel(x, bottom + 2), qRgb(255, 255, 255)));
    EXPECT_TRUE(Gleich(img.pixel(x, top - 2), qRgb(255, 255, 255)));
    EXPECT_FALSE(Gleich(img.pixel(left - 2, y), CQOR2View::kFarbeBereich));
    EXPECT_EQ(view->GetBereichRect().left(), left);
    if (view->m_nNutzbarerBereich & 2) {
        const int yb = o.y() + 18 + static_cast<int>(s * Fahrzeug().GetLFBreite());
        EXPECT_TRUE(Gleich(img.pixel(left, yb + 3), qRgb(0, 0, 0)));
        EXPECT_TRUE(Gleich(img.pixel(right, yb + 3), qRgb(0, 0, 0)));
        EXPECT_TRUE(view->GetTools().count(CQOR2View::kToolBereichMass));
    }
}

TEST_F(PlanViewTest, ColouredOverlayShadesTheUsableArea)
{
    DreiLasten();
    CPlanAnzeige anz(Plan());
    anz.SetBereichFarbig(true);
    view->RecalcSchwerpunkt();
    const QImage img = Bild();
    Speichere(img, "plan_coloured_overlay.png");
    // An empty spot of the usable area: white darkened to 0x7F7F7F and RGB(130,0,0) or-ed on.
    const QPoint u = view->GetMassstab().ursprung;
    const QRgb px = img.pixel(u.x() + view->MetresToPixels(3.8), u.y() + view->MetresToPixels(2.2));
    EXPECT_GE(qRed(px), 127);
    EXPECT_EQ(qGreen(px) & 0x80, 0);
}

TEST_F(PlanViewTest, GridLinesAndLabels)
{
    struct Fall
    {
        const char* name;
        double raster;
        int seite;
        bool beschriftung;
        bool durchgehend;
    };
    CPlanAnzeige anz(Plan());
    for (const Fall& f :
         {Fall{"0.5 m dotted, labelled", 0.5, 0, true, false}, Fall{"0.1 m solid", 0.1, 0, false, true},
          Fall{"0.5 m from side B, labelled", 0.5, 2, true, false}}) {
        SCOPED_TRACE(f.name);
        anz.SetRasterZeigen(true);
        anz.SetRasterX(f.raster);
        anz.SetRasterY(f.raster);
        anz.SetRasterSeite(f.seite);
        anz.SetRasterBeschriftung(f.beschriftung);
        const QImage img = Bild();
        if (f.beschriftung)
            Speichere(img, f.seite ? "plan_grid_side_b.png" : "plan_grid_labels.png");
        const QPoint u = view->GetMassstab().ursprung;
        const int wp = view->MetresToPixels(Fahrzeug().GetLFBreite());
        const int px = u.x() + static_cast<int>(f.raster * 97 * 1.5);
        const int y = u.y() + 30;
        const QRgb grau = qRgb(221, 221, 221);
        // Position 0 has no line; the next position has one, dotted or solid.
        EXPECT_FALSE(Gleich(img.pixel(u.x() + 1, y), grau));
        const bool a1 = Gleich(img.pixel(px, y + 1), grau);
        EXPECT_TRUE(Gleich(img.pixel(px, y), grau) || a1);
        EXPECT_EQ(Gleich(img.pixel(px, y), grau) && a1, f.durchgehend);
        // Labels: "0" below the load area at the usable front; across, "0" at the origin side.
        const QRect unten(u.x() - 8, u.y() + wp + 4, 16, 14);
        EXPECT_EQ(Dunkle(img, unten) > 0, f.beschriftung);
        const int yNull = f.seite ? u.y() + wp - 1 : u.y();
        EXPECT_EQ(Dunkle(img, QRect(view->GetMassstab().ursprungKorr.x() - 25, yNull - 7, 18, 14)) > 0,
                  f.beschriftung);
    }
}

TEST_F(PlanViewTest, NoGridLineAlongAUsableAreaWithoutLength)
{
    CPlanAnzeige anz(Plan());
    anz.SetRasterZeigen(true);
    anz.SetRasterX(0.5);
    anz.SetRasterY(0.5);
    anz.SetRasterBeschriftung(false);
    // Front and rear margins take the whole length: nothing of the usable area is left along.
    const double L = Fahrzeug().GetLFLaenge();
    Fahrzeug().m_NutzLF[0].m_dRand[0] = L / 2;
    Fahrzeug().m_NutzLF[0].m_dRand[2] = L / 2;
    const QImage img = Bild();
    EXPECT_EQ(Zaehle(img, view->m_treffer.rcLadeflaeche, qRgb(221, 221, 221)), 0);
    // The same plan with a usable length has its lines.
    Fahrzeug().m_NutzLF[0].m_dRand[2] = 0.0;
    EXPECT_GT(Zaehle(Bild(), view->m_treffer.rcLadeflaeche, qRgb(221, 221, 221)), 0);
}

TEST_F(PlanViewTest, LoadDrawingCases)
{
    CPlanAnzeige(Plan()).SetRichtungZeigen(true);
    tagLGINFO* schief = Last("Odd", 5.5, 2.0, 1.0, 0.6, 0.5, 45);
    tagLGINFO* ohne = Last("Unset", 6.8, 2.0, 1.0, 0.6, 0.5, -1);
    auto fsm = [&](const char* name, int typ, double x) {
        tagLGINFO* p = Last(name, x, 0.2, 0.8, 0.8, 0.1);
        p->m_nTyp = typ;
        return p;
    };
    tagLGINFO* rund = fsm("Round", 5, 0.5);
    tagLGINFO* eckig = fsm("Square", 6, 2.0);
    eckig->m_bSelected = 1;
    const QImage img = Bild();

    // An unset or unknown rotation draws the box over its corners, filled and framed, with nothing inside:
    // no arrow, no label, no centre-of-gravity picture.
    const QPoint u = view->GetMassstab().ursprung;
    const int m1 = -view->MetresToPixels(-1.0);
    for (tagLGINFO* lg : {schief, ohne}) {
        SCOPED_TRACE(lg->m_nDrehung);
        const int l = u.x() + view->MetresToPixels(lg->m_dPosX),
                  t = u.y() + view->MetresToPixels(lg->m_dPosY);
        const QRect box(l - m1, t - m1, m1, m1);
        EXPECT_EQ(Zaehle(img, box.adjusted(1, 1, -1, -1), CQOR2View::kFarbeLadung), (m1 - 2) * (m1 - 2));
        EXPECT_EQ(Dunkle(img, box.adjusted(1, 1, -1, -1)), 0);
        EXPECT_EQ(Dunkle(img, QRect(box.left(), box.top(), m1, 1)), m1);
        EXPECT_EQ(view->GetGuiLg().at(lg).rc, box);
    }

    // Type 5 is rounded, other special items square; a selected one is dark.
    const QRect rr = view->GetGuiLg().at(rund).rc, re = view->GetGuiLg().at(eckig).rc;
    EXPECT_FALSE(Gleich(img.pixel(rr.left() + 1, rr.top() + 1), CQOR2View::kFarbeFsm));
    EXPECT_TRUE(Gleich(img.pixel(rr.center()), CQOR2View::kFarbeFsm));
    EXPECT_TRUE(Gleich(img.pixel(re.left() + 1, re.top() + 1), CQOR2View::kFarbeFsmAuswahl));

    // In the export every special item is pale and numbered.
    const QImage ex = view->RenderExport();
    ASSERT_FALSE(ex.isNull());
    int blass = Zaehle(ex, ex.rect(), CQOR2View::kFarbeFsmExport);
    EXPECT_GT(blass, 0);
    EXPECT_EQ(Zaehle(ex, ex.rect(), CQOR2View::kFarbeFsmAuswahl), 0);
    EXPECT_EQ(Zaehle(ex, ex.rect(), CQOR2View::kFarbeFsm), 0);
}

TEST(QOR2ViewLabel, FitsTheLabelByCuttingTheName)
{
    QFont f;
    f.setPixelSize(12);
    const QFontMetrics fm(f);
    EXPECT_EQ(CPlanPainter::FitLabelToWidth(fm, "Pallet", 3, 1000), QStringLiteral("Pallet03"));
    EXPECT_EQ(CPlanPainter::FitLabelToWidth(fm, "Pallet", 0, 1000), QStringLiteral("Pallet"));
    const int w = fm.horizontalAdvance(QStringLiteral("Pa..03"));
    EXPECT_EQ(CPlanPainter::FitLabelToWidth(fm, "Pallet", 3, w), QStringLiteral("Pa..03"));
    EXPECT_EQ(CPlanPainter::FitLabelToWidth(fm, "Pallet", 3, 2), QString());
}

// The kept label texts of one font never answer for another: a table of names and widths asked in a small
// font, then in a large one and in a condensed one, gives each time what the font's own metrics give.
TEST(QOR2ViewLabel, KeptLabelsBelongToTheirFont)
{
    QFont klein;
    klein.setPixelSize(10);
    QFont gross(klein);
    gross.setPixelSize(20);
    QFont schmal(gross);
    schmal.setStretch(QFont::Condensed);
    struct Fall
    {
        std::string name;
        int nNummer;
        int nMax;
    };
    const std::vector<Fall> faelle = {
        {"Pallet", 3, 40}, {"Pallet", 3, 70}, {"Pallet", 0, 40}, {"Machine part", 12, 90}, {"Box", 1, 6}};
    LabelLayoutCache cache;
    int nVerschieden = 0;
    for (const QFont& f : {klein, gross, schmal, klein}) {
        const QFontMetrics fm(f);
        for (const Fall& c : faelle) {
            SCOPED_TRACE(c.name + " " + std::to_string(c.nMax) + " px " + std::to_string(f.pixelSize()));
            const QString erwartet = CPlanPainter::FitLabelToWidth(fm, c.name, c.nNummer, c.nMax);
            EXPECT_EQ(cache.Fitted(f, c.name, c.nNummer, c.nMax), erwartet);
            if (erwartet != CPlanPainter::FitLabelToWidth(QFontMetrics(klein), c.name, c.nNummer, c.nMax))
                ++nVerschieden;
            const QString kg = QStringLiteral("%1 kg").arg(c.nMax * 10);
            EXPECT_EQ(cache.Advance(f, kg), fm.horizontalAdvance(kg));
            EXPECT_EQ(cache.Ascent(f), fm.ascent());
            EXPECT_EQ(cache.Height(f), fm.height());
        }
    }
    // The table shortens differently in the fonts, or it would not show a text reused across them.
    EXPECT_GT(nVerschieden, 0);
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0u);
}

// A view that has painted before, with its label texts kept, paints after a drag step and after changes
// of zoom the same picture as when it lays every text out anew.
TEST(QOR2ViewCaches, RepaintAfterDragAndZoomMatchesAFreshLayout)
{
    EnglishModule module;
    for (const int n : {1, 30, 200}) {
        SCOPED_TRACE(n);
        auto f = LoadSampleVehicle("LKW");
        ASSERT_TRUE(f && f->GetQor());
        CQOR1Doc doc;
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        const QSize groesse(1400, 700);
        CQOR2View view(&doc);
        view.resize(groesse);
        CPlanAnzeige anz(*view.GetPlan());
        anz.SetZoom(1.5);
        anz.SetRasterZeigen(true);
        anz.SetRasterBeschriftung(true);
        SLadungVorlage box;
        box.strName = "Crate";
        box.nArt = 0;
        box.dLaenge = 0.2;
        box.dBreite = 0.12;
        box.dHoehe = 0.5;
        box.dSPLaenge = 0.1;
        box.dSPBreite = 0.06;
        box.dMasse = 0.01;
        ASSERT_EQ(view.AddMultipleLadungen(box, n, 0.01 * n, 0), n);
        CQOR* q = view.GetPlan();
        for (tagLGINFO* p : q->GetLgInfos())
            p->m_bSelected = p == q->GetLgInfos().back() ? 1 : 0;
        const QImage vorher = view.RenderPicture(groesse);
        auto Neu = [&] {
            view.VerwirfZwischenbilder();
            return view.RenderPicture(groesse);
        };

        CPlanPlatzierung& pl = view.GetPlatzierung();
        pl.SetPlan(q);
        pl.FillZiehRects();
        pl.FillFestRects();
        pl.FindFreiePosition(25, 0);
        pl.CommitVersatz();
        view.Benachrichtige();
        const QImage gezogen = view.RenderPicture(groesse);
        EXPECT_NE(gezogen, vorher);
        EXPECT_EQ(gezogen, Neu());

        for (const double dZoom : {2.5, 1.0}) {
            anz.SetZoom(dZoom);
            view.RenderPicture(groesse);
            const QImage gezoomt = view.RenderPicture(groesse);
            EXPECT_EQ(gezoomt, Neu()) << dZoom;
            if (n == 30)
                Speichere(gezoomt, QStringLiteral("plan_cached_zoom_%1.png").arg(dZoom));
        }
    }
}

TEST_F(PlanViewTest, AnExportWithTheGridShownPaintsOnItsOwnPicture)
{
    // The grid's texts set fonts on the export's painter: that painter must still paint on the picture
    // the export hands back, not on one that went away.
    DreiLasten();
    static QStringList warnungen;
    warnungen.clear();
    const QtMessageHandler alt = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { warnungen.append(m); });
    CPlanAnzeige(Plan()).SetRasterZeigen(true);
    const QImage mitRaster = view->RenderExport();
    CPlanAnzeige(Plan()).SetRasterZeigen(false);
    const QImage ohneRaster = view->RenderExport();
    qInstallMessageHandler(alt);
    EXPECT_TRUE(warnungen.filter(QStringLiteral("paint device")).isEmpty())
        << warnungen.join('\n').toStdString();
    ASSERT_FALSE(mitRaster.isNull());
    ASSERT_EQ(mitRaster.size(), ohneRaster.size());
    EXPECT_NE(mitRaster, ohneRaster) << "the grid shows in the export";
}

// The exported picture fits 645 x 440 at the largest whole scale (at most 112 pixels per metre) that
// leaves room for the margins the grid's figures need; one more pixel per metre would not fit.
static void ErwarteGroessteMassstab(const QImage& ex, const CQOR2View& view, double L, double W)
{
    const int s = view.m_letzterExport.nScale;
    ASSERT_GT(s, 0);
    EXPECT_LE(ex.width(), 645);
    EXPECT_LE(ex.height(), 440);
    if (s < 112) {
        const int breiter = ex.width() + static_cast<int>((s + 1) * L) - static_cast<int>(s * L);
        const int hoeher = ex.height() + static_cast<int>(std::floor((s + 1) * W + 1e-6)) -
                           static_cast<int>(std::floor(s * W + 1e-6));
        EXPECT_TRUE(breiter > 645 || hoeher > 440) << "scale " << s << " is not the largest that fits";
    }
    // The margins hold the grid's figures: nothing dark touches the picture's left or top edge.
    EXPECT_EQ(Dunkle(ex, QRect(0, 0, 1, ex.height())), 0);
    EXPECT_EQ(Dunkle(ex, QRect(0, 0, ex.width(), 1)), 0);
}

TEST_F(PlanViewTest, ExportHasTheFittedScaleAndIsNumbered)
{
    DreiLasten();
    CPlanAnzeige(Plan()).SetRasterZeigen(true);
    const QImage ex = view->RenderExport();
    ASSERT_FALSE(ex.isNull());
    Speichere(ex, "plan_export.png");
    ErwarteGroessteMassstab(ex, *view, Fahrzeug().GetLFLaenge(), Fahrzeug().GetLFBreite());
    // The view's own scale, origin and export flag are back.
    EXPECT_EQ(view->GetMassstab().nPixelProMeter, 97);
    EXPECT_DOUBLE_EQ(view->GetMassstab().dZoom, 1.5);
    // Each load carries its number in the middle.
    const auto& m = view->m_letzterExport;
    const int s = m.nScale;
    const int ux = m.nRandLinks + static_cast<int>(Fahrzeug().GetRandabstand(0) * s);
    const int uy = m.nRandOben + static_cast<int>(Fahrzeug().GetRandabstand(1) * s);
    const QPoint mitte(ux + static_cast<int>((a->m_dPosX + a->m_dLaenge / 2) * s),
                       uy + static_cast<int>((a->m_dPosY + a->m_dBreite / 2) * s));
    EXPECT_GT(Dunkle(ex, QRect(mitte - QPoint(6, 8), QSize(12, 16))), 0);
}

TEST(QOR2ViewExport, ScaleFollowsTheVehicleAndAFailureIsReported)
{
    EnglishModule module;
    const std::filesystem::path dir = std::filesystem::path(QOR_TEST_ARTIFACT_DIR) / "views" / "export";
    std::filesystem::create_directories(dir);
    {
        // A short vehicle gets the largest scale.
        CQOR1Doc doc;
        doc.SetFahrzeug(LoadSampleVehicle("KEP").release());
        CQOR2View view(&doc);
        const QImage ex = view.RenderExport();
        const double L = doc.GetFahrzeug()->GetLFLaenge(), W = doc.GetFahrzeug()->GetLFBreite();
        ASSERT_LT(L, (645 - 80) / 112.0);
        EXPECT_EQ(view.m_letzterExport.nScale, 112);
        ErwarteGroessteMassstab(ex, view, L, W);
        ASSERT_TRUE(view.ExportBild(1, dir));
        EXPECT_EQ(QImage(QString::fromStdString((dir / "BP_SUP.bmp").string())).size(), ex.size());
        // A folder that does not exist fails, and says so.
        EXPECT_FALSE(view.ExportBild(2, dir / "missing"));
    }
    {
        // A tractor alone shows only its text and exports nothing; the old picture is gone.
        CQOR1Doc doc;
        doc.SetFahrzeug(LoadSampleVehicle("SZM").release());
        CQOR2View view(&doc);
        view.resize(600, 300);
        EXPECT_TRUE(view.RenderExport().isNull());
        EXPECT_FALSE(view.ExportBild(1, dir));
        EXPECT_FALSE(std::filesystem::exists(dir / "BP_SUP.bmp"));
        const QImage img = view.RenderPicture(QSize(600, 300));
        EXPECT_GT(Dunkle(img, QRect(view.GetMassstab().ursprungKorr, QSize(400, 20))), 0);
        EXPECT_EQ(Dunkle(img, QRect(view.GetMassstab().ursprungKorr + QPoint(0, 40), QSize(400, 200))), 0);
    }
}

TEST(QOR2ViewSemitrailer, SemitrailerBehindItsTractorIsThePlan)
{
    EnglishModule module;
    auto a = LoadSampleVehicle("SAH");
    auto z = LoadSampleVehicle("SZM");
    ASSERT_TRUE(a && z);
    CoupleInFront(*a, std::move(z));
    CQOR1Doc doc;
    doc.SetFahrzeug(a.release());
    doc.OnDocumentOpened();
    CQOR2View view(&doc);
    view.resize(2400, 700);
    ASSERT_EQ(view.GetFahrzeug(), doc.GetFahrzeug());
    CPlanPlatzierung& pl = view.GetPlatzierung();
    pl.SetPlan(view.GetPlan());
    SLadungVorlage palette;
    palette.strName = "Pallet";
    palette.nArt = 0;
    palette.dLaenge = 1.2;
    palette.dBreite = 0.8;
    palette.dHoehe = 1.0;
    palette.dSPLaenge = 0.6;
    palette.dSPBreite = 0.4;
    palette.dMasse = 0.8;
    EXPECT_EQ(view.AddMultipleLadungen(palette, 12, 0.8, 0), 12);
    const QImage img = view.RenderPicture(QSize(2400, 700));
    Speichere(img, "plan_semitrailer.png");
    EXPECT_EQ(view.GetGuiLg().size(), 12u);
}

TEST_F(PlanViewTest, EditsCommitThroughTheChangeSteps)
{
    DreiLasten();
    Bild();
    struct Fall
    {
        const char* name;
        std::function<bool()> tun;
    };
    SLadungVorlage klein;
    klein.strName = "Small";
    klein.nArt = 0;
    klein.dLaenge = 0.4;
    klein.dBreite = 0.4;
    klein.dHoehe = 0.4;
    for (const Fall& f :
         {Fall{"rotate", [&] { return view->DreheAuswahl(90); }},
          Fall{"move", [&] { return view->VerschiebeAuswahl(10, 0, false, false); }},
          Fall{"automatic placement", [&] { return view->AddMultipleLadungen(klein, 2, 0.1, 0) == 2; }},
          Fall{"delete", [&] { return view->LoeschenAuswahl(); }}}) {
        SCOPED_TRACE(f.name);
        doc.SetModifiedFlag(false);
        Plan().m_bModified = 0;
        Fahrzeug().m_bDiagrammVeraltet = 1;
        ASSERT_FALSE(Fahrzeug().IsLadungBewegt());
        const int nVorher = view->m_nBenachrichtigungen, nTitel = host.nTitel;
        ASSERT_TRUE(f.tun());
        EXPECT_EQ(view->m_nBenachrichtigungen, nVorher + 1);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(Plan().m_bModified, 1);
        EXPECT_GT(host.nTitel, nTitel);
        EXPECT_EQ(view->m_nPlatzStatus, 1);
        // The load-changed flag was raised and the recalculation's curve build took it: only loads
        // changed, so the vehicle's chart stays current.
        EXPECT_FALSE(Fahrzeug().IsLadungBewegt());
        EXPECT_EQ(Fahrzeug().m_bDiagrammVeraltet, 0);
    }
}

TEST_F(PlanViewTest, RefusedRotationAndShortPlacementChangeNothingAndTell)
{
    // A long load across the whole width cannot turn.
    tagLGINFO* lang = Last("Beam", 0.0, 0.0, 5.0, 0.5, 1.0);
    lang->m_bSelected = 1;
    view->RecalcSchwerpunkt();
    const int n = view->m_nBenachrichtigungen;
    EXPECT_FALSE(view->DreheAuswahl(90));
    EXPECT_EQ(lang->m_nDrehung, 0);
    EXPECT_EQ(view->m_nBenachrichtigungen, n);

    SLadungVorlage gross;
    gross.strName = "Big";
    gross.nArt = 0;
    gross.dLaenge = 2.0;
    gross.dBreite = 2.0;
    gross.dHoehe = 1.0;
    const int nPlatziert = view->AddMultipleLadungen(gross, 10, 1.0, 0);
    EXPECT_LT(nPlatziert, 10);
    EXPECT_EQ(view->nMeldungen, 1);
    EXPECT_NE(view->meldung.find(std::to_string(nPlatziert)), std::string::npos);
    EXPECT_NE(view->meldung.find("10"), std::string::npos);
}

TEST_F(PlanViewTest, DeletingLeavesNoReferenceToADeletedLoad)
{
    DreiLasten();
    Bild();
    view->SetHover(b);
    view->SetKontext(b);
    Plan().m_pAktuell = b;
    view->SetAktuellFromHover();
    ASSERT_EQ(view->GetAuswahl(), b);
    ASSERT_TRUE(view->LoeschenAuswahl());
    EXPECT_EQ(view->GetHover(), nullptr);
    EXPECT_EQ(view->GetAuswahl(), nullptr);
    EXPECT_EQ(view->GetKontext(), nullptr);
    EXPECT_EQ(Plan().m_pAktuell, nullptr);
    EXPECT_EQ(Plan().GetLgInfos().size(), 2u);
    EXPECT_EQ(view->GetGuiLg().count(b), 0u);
    // Drawing again with the mouse state that named the load reads nothing freed.
    view->m_bTasteUnten = true;
    const QImage img = Bild();
    EXPECT_EQ(view->GetGuiLg().size(), 2u);

    // With nothing selected the current load goes.
    Plan().m_pAktuell = a;
    view->SetHover(a);
    view->SetAktuellFromHover();
    view->LoescheLadungen();
    EXPECT_EQ(Plan().GetLgInfos().size(), 1u);
    EXPECT_EQ(view->GetHover(), nullptr);
}

TEST_F(PlanViewTest, ADestroyedPlanTakesTheViewsRecordsWithIt)
{
    DreiLasten();
    Bild();
    ASSERT_EQ(view->GetGuiLg().size(), 3u);
    IQorAnzeige* pAnzeige = Plan().GetAnzeige();
    ASSERT_NE(pAnzeige, nullptr);
    auto fremd = LoadSampleVehicle("GDA");
    EXPECT_FALSE(pAnzeige->GibAnzeigeFrei(fremd.get()));
    EXPECT_EQ(view->GetGuiLg().size(), 3u);
    EXPECT_TRUE(pAnzeige->GibAnzeigeFrei(&Fahrzeug()));
    EXPECT_TRUE(view->GetGuiLg().empty());
}

// The plan knows the view that draws it; they let go of each other whichever goes first.
TEST_F(PlanViewTest, APlanAndItsViewLetGoOfEachOtherWhicheverGoesFirst)
{
    DreiLasten();
    Bild();
    ASSERT_EQ(Plan().GetAnzeige(), view.get());
    view.reset();
    EXPECT_EQ(Plan().GetAnzeige(), nullptr);

    view = std::make_unique<PlanView>(&doc);
    view->resize(1400, 700);
    Bild();
    ASSERT_EQ(view->GetGuiLg().size(), 3u);
    delete Fahrzeug().GetQor();
    EXPECT_EQ(Fahrzeug().GetQor(), nullptr);
    EXPECT_TRUE(view->GetGuiLg().empty());
}

TEST_F(PlanViewTest, HintsAndHiddenLoads)
{
    DreiLasten();
    Bild();
    view->OnUpdate(nullptr, UpdateHinweis::kLadungen);
    EXPECT_TRUE(view->GetGuiLg().empty());
    Bild();
    EXPECT_EQ(view->GetGuiLg().size(), 3u);
    const QRect titel(view->GetMassstab().letzterUrsprung.x(), 10, 300, 16);
    EXPECT_EQ(Dunkle(Bild(), titel), 0);
    CPlanAnzeige(Plan()).SetLadungenZeigen(false);
    const QImage img = Bild();
    EXPECT_TRUE(view->GetGuiLg().empty());
    EXPECT_EQ(Zaehle(img, img.rect(), CQOR2View::kFarbeAuswahl), 0);
    // In their place the title says that the loads are hidden.
    EXPECT_GT(Dunkle(img, titel), 0);
    // The export draws the loads all the same.
    const QImage ex = view->RenderExport();
    EXPECT_GT(Zaehle(ex, ex.rect(), CQOR2View::kFarbeLadung), 0);
}

TEST(QOR2ViewArrow, DimensionArrowPointsOutwardWhenShort)
{
    struct Fall
    {
        int abstand;
        bool innen;
    };
    for (const Fall& f : {Fall{40, true}, Fall{15, true}, Fall{10, false}}) {
        SCOPED_TRACE(f.abstand);
        CQOR2View view;
        QImage img(200, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        EXPECT_EQ(CPlanPainter::ZeichneMassPfeil(p, QPoint(80, 20), QPoint(80 + f.abstand, 20), false),
                  f.innen);
        p.end();
        // Outward heads lie beyond the points; inward ones between them.
        EXPECT_EQ(qGray(img.pixel(76, 20)) < 100, !f.innen);
        EXPECT_EQ(qGray(img.pixel(80 + f.abstand / 2, 20)) < 100, f.innen);
    }
}

TEST_F(PlanViewTest, TheHostHoldsThePlanViewAndRemembersItWhenActivated)
{
    CTabbedViewView tabs(&doc, [](int kind, CQOR1Doc* pDoc) -> CGetAnsView* {
        if (kind == CTabbedViewView::kPlan)
            return new CQOR2View(pDoc);
        return MakeStandInView(kind, pDoc);
    });
    auto* plan = tabs.FindView<CQOR2View>();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->GetHost(), &tabs);
    plan->OnActivateView(true, plan, nullptr);
    EXPECT_EQ(tabs.m_pLastPlanView, plan);
    // Another view's activation does not make the plan view the last one.
    tabs.m_pLastPlanView = nullptr;
    plan->OnActivateView(false, tabs.GetTemplateView(), plan);
    EXPECT_EQ(tabs.m_pLastPlanView, nullptr);
}

TEST(QOR2ViewPlanGone, AViewOutlivingItsDocumentKeepsNoRecordOfItsLoads)
{
    EnglishModule module;
    auto doc = std::make_unique<CQOR1Doc>();
    doc->SetFahrzeug(LoadSampleVehicle("LKW").release());
    PlanView view(doc.get());
    auto* p = new tagLGINFO;
    p->m_strName = "Pallet";
    p->m_nTyp = 0;
    p->m_dLaenge = 1.2;
    p->m_dBreite = 0.8;
    doc->GetFahrzeug()->GetQor()->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    view.SetHover(p);
    view.RenderPicture(QSize(800, 400));
    ASSERT_EQ(view.GetGuiLg().size(), 1u);
    doc.reset();
    EXPECT_TRUE(view.GetGuiLg().empty());
    view.SetDocument(nullptr);
    EXPECT_EQ(view.GetHover(), nullptr);
    view.RenderPicture(QSize(800, 400));
}

// The ramp button's check mark follows the ramp mode at the idle update, also when the context menu's
// command switched it.
TEST_F(PlanViewTest, TheRampButtonShowsTheRampMode)
{
    CRibBtn* rampe = view->GetStreifenAnsicht()->FindButton(400);
    ASSERT_NE(rampe, nullptr);
    for (bool bModus : {true, false}) {
        SCOPED_TRACE(bModus);
        view->OnBefehl(32862);
        ASSERT_EQ(view->m_bRampenModus, bModus);
        CRibBtnContainer::UpdateAllStrips();
        EXPECT_EQ(rampe->Checked(), bModus ? 1 : 0);
    }
}

TEST_F(PlanViewTest, InsetNotificationPlacesTheStripsSideBySide)
{
    CRibBtnContainer* ansicht = view->GetStreifenAnsicht();
    CRibBtnContainer* hilfe = view->GetStreifenHilfe();
    ASSERT_TRUE(ansicht && ansicht->HasWindow());
    ASSERT_TRUE(hilfe && hilfe->HasWindow());
    struct Fall
    {
        std::optional<QPoint> raender;
        QPoint erwartet;
    };
    // Insets given are taken as they are; without them the view derives its own (0 outside a splitter
    // pane).
    for (const Fall& f :
         {Fall{QPoint(0, 0), {15, 10}}, Fall{QPoint(3, 4), {12, 6}}, Fall{std::nullopt, {15, 10}}}) {
        SCOPED_TRACE(f.erwartet.x());
        view->OnViewNotify(AnsichtMeldung::kRaender, AnsichtWert::Raender(f.raender));
        EXPECT_EQ(ansicht->pos(), f.erwartet);
        EXPECT_EQ(hilfe->pos(), f.erwartet + QPoint(ansicht->width() + 10, 0));
    }
    EXPECT_FALSE(view->GetHtmlVorlageLg().empty());
    EXPECT_NE(view->GetHtmlVorlageFsm().find("<!--$Por"), std::string::npos);
}

// The mark in the middle is the unit's verdict (GetSicherungsStand): the tick picture only for a unit
// calculated without defects; defects add a mark in each corner.
TEST_F(PlanViewTest, LoadUnitBoxesShowTheUnitPictureAndTheirDefects)
{
    struct Fall
    {
        const char* name;
        int nVorhanden;
        bool bBerechnet;
        bool bMangel;
        bool bHaken; // the green tick
        bool bEcken; // the defect marks in the corners
    };
    const Fall faelle[] = {
        {"plain", 0, false, false, false, false},
        {"secured and calculated", 1, true, false, true, false},
        {"started, never calculated", 1, false, false, false, false},
        {"with defects", 1, true, true, false, true},
        {"defects of a unit outside the securing", 0, true, true, false, false},
    };
    std::vector<CLadeeinheit*> einheiten;
    for (int i = 0; i < 5; ++i) {
        tagLGINFO* lg = Last("Crate", 0.2 + 1.4 * i, 0.3, 1.2, 1.4, 0.5);
        auto* le = new CLadeeinheit(i + 1);
        le->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        lg->SetLeId(i + 1);
        le->m_bVorhanden = faelle[i].nVorhanden;
        le->m_nZurrParam[0] = faelle[i].bBerechnet ? 2 : -1;
        if (faelle[i].bMangel)
            le->AddMangel(new CLgsMangel(3, 1, le), false);
        Plan().InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le), -1);
        le->RebuildLgMap(&Plan());
        le->CalcAbmessungen();
        einheiten.push_back(le);
    }
    const QImage img = Bild();
    Speichere(img, "plan_load_units.png");
    const QSize bild(PlanPicturePainter::Draw(1410).size());
    auto Gruen = [](QRgb px) { return qGreen(px) > qRed(px) + 40 && qGreen(px) > qBlue(px) + 60; };
    auto Rot = [](QRgb px) { return qRed(px) > qGreen(px) + 60; };
    auto Zaehle = [&](const QRect& rc, auto test) {
        int n = 0;
        for (int y = rc.top(); y <= rc.bottom(); ++y)
            for (int x = rc.left(); x <= rc.right(); ++x)
                n += test(img.pixel(x, y)) ? 1 : 0;
        return n;
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(faelle[i].name);
        double x = 0, y = 0, dLaenge = 0, dBreite = 0;
        einheiten[i]->GetRechteck(&x, &y, &dLaenge, &dBreite);
        const QPoint u = view->GetMassstab().ursprung;
        const QRect box(u.x() + view->MetresToPixels(x), u.y() + view->MetresToPixels(y),
                        view->MetresToPixels(dLaenge), view->MetresToPixels(dBreite));
        // The unit picture sits in the middle; the hatch of the box alone is never this green.
        // Left of the centre, inside the picture's disc and clear of its tick.
        const QRect mitte(box.center() + QPoint(-12, -8), QSize(6, 6));
        EXPECT_EQ(Zaehle(mitte, Gruen) > 30, faelle[i].bHaken);
        // A defect mark 3 pixels in from each corner.
        const int r = box.width() - 3 - bild.width(), o = box.height() - 3 - bild.height();
        for (QPoint ecke : {QPoint(3, 3), QPoint(r, 3), QPoint(3, o), QPoint(r, o)}) {
            SCOPED_TRACE(ecke.x() * 1000 + ecke.y());
            EXPECT_EQ(Zaehle(QRect(box.topLeft() + ecke, bild), Rot) > 20, faelle[i].bEcken);
        }
    }
}

TEST_F(PlanViewTest, TheRampShowsInRampModeOnlyAndWithoutOneThePlanDrawsAsWithoutRampMode)
{
    DreiLasten();
    CPlanAnzeige anz(Plan());
    anz.SetZulBereich(true);
    anz.SetBereichFarbig(false);
    view->RecalcSchwerpunkt();
    Bild();
    ASSERT_TRUE(view->m_nNutzbarerBereich & 2);
    ASSERT_TRUE(view->GetTools().count(CQOR2View::kToolBereichMass));
    const QSize ohneRampe = view->GetTotalSize();

    // The default ramp cannot show: ramp mode changes nothing in the drawing.
    view->m_bRampenModus = true;
    Bild();
    EXPECT_FALSE(view->GetLaderampe()->IsVisible());
    EXPECT_EQ(view->GetTotalSize(), ohneRampe);
    EXPECT_TRUE(view->GetTools().count(CQOR2View::kToolBereichMass));

    // The real ramp shows in ramp mode, under the plan in place of the range dimension, and hides again.
    CRampenDialogs rampenDialoge{std::make_shared<CHlbCatalogue>(CatalogueFolders{})};
    ProgramRun run;
    run.Install<IPlanDialogs>(&rampenDialoge);
    {
        PlanView mitRampe(&doc);
        mitRampe.SetProgramRun(&run);
        mitRampe.resize(1400, 700);
        mitRampe.RecalcSchwerpunkt();
        ILoadingRamp* rampe = mitRampe.GetLaderampe();
        ASSERT_NE(rampe, nullptr);
        for (bool bModus : {true, false, true}) {
            SCOPED_TRACE(bModus);
            mitRampe.m_bRampenModus = bModus;
            const QImage img = mitRampe.RenderPicture(QSize(1400, 700));
            EXPECT_EQ(rampe->IsVisible(), bModus);
            EXPECT_EQ(mitRampe.GetTools().count(CQOR2View::kToolBereichMass) == 0, bModus);
            EXPECT_EQ(mitRampe.GetTotalSize().height() > ohneRampe.height(), bModus);
        }
        // The whole view with its strips and the ramp, as a person sees it.
        mitRampe.show();
        Speichere(mitRampe.grab().toImage(), "plan_with_ramp.png");
    }
}
