// Mouse gestures on the loading-plan view, driven by synthesized mouse events on the offscreen widget:
// clicks, drags, copies, turns, ramp drops and the rubber band, with the feedback they show.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "views/CPlanGesten.h"
#include "views/CQOR2View.h"

#include "catalogue/CLaderampe3.h"
#include "catalogue/CRampenDialogs.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");

// The plan view with the form-fit edit answered by the test.
class GestenView : public CQOR2View
{
public:
    using CQOR2View::CQOR2View;
    int nFsmAntwort = CPlanGesten::kFsmOk;
    int nFsmAufrufe = 0;
    int EditFsm(tagLGINFO* /*pLg*/) override
    {
        ++nFsmAufrufe;
        return nFsmAntwort;
    }

protected:
    void MeldeInfo(const std::string& /*caption*/, const std::string& /*text*/) override {}
};

class PlanGestenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The gestures run with the real loading ramp shown under the plan.
        run.Install<IPlanDialogs>(&rampenDialoge);
        auto f = LoadSampleVehicle("LKW");
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        doc.SetHost(&host);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<GestenView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1700, 800);
        // Shown offscreen, so that the viewport takes the size and the frames show the whole plan.
        view->show();
        CPlanAnzeige anz(Plan());
        anz.SetZoom(1.5);
        anz.SetRasterZeigen(false);
        anz.SetSchwerpunktZeigen(true);
        ASSERT_NE(dynamic_cast<CLaderampe3*>(view->GetLaderampe()), nullptr);
        view->OnBefehl(400);
    }
    void TearDown() override { view.reset(); }

    CFahrzeug& Fahrzeug() { return *doc.GetFahrzeug(); }
    CQOR& Plan() { return *Fahrzeug().GetQor(); }

    tagLGINFO* Last(const char* name, double x, double y, double dLaenge, double dBreite, double t,
                    int nTyp = 0)
    {
        auto* p = new tagLGINFO;
        p->m_strName = name;
        p->m_nTyp = nTyp;
        p->m_dLaenge = dLaenge;
        p->m_dBreite = dBreite;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = dLaenge / 2;
        p->m_dSPBreite = dBreite / 2;
        p->m_dMasse = t;
        p->m_dSPMasse = t;
        p->m_dPosX = x;
        p->m_dPosY = y;
        Plan().AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        return p;
    }

    void Leeren()
    {
        view->ClearPtrMap();
        view->ClearAktuell(true);
        while (!Plan().GetLgInfos().empty()) {
            Plan().RemoveLgInfo(Plan().GetLgInfos().front());
        }
    }

    // Three loads, the second selected; drawn once so that the view knows where they are.
    void DreiLasten()
    {
        a = Last("Pallet", 0.5, 0.2, 1.2, 0.8, 0.6);
        b = Last("Box", 2.5, 1.0, 1.0, 1.0, 1.1);
        c = Last("Crate", 4.6, 0.3, 1.2, 0.8, 0.4);
        b->m_bSelected = 1;
        Zeichnen();
    }

    void Zeichnen()
    {
        view->RecalcSchwerpunkt();
        bild = view->RenderFrame();
    }

    QPoint Mitte(tagLGINFO* p) const { return view->GetGuiLg().at(p).rc.center(); }
    int Pixel(double m) const { return view->MetresToPixels(m); }

    void Maus(QEvent::Type t, QPoint pt, Qt::KeyboardModifiers mods = Qt::NoModifier,
              Qt::MouseButton knopf = Qt::LeftButton)
    {
        const Qt::MouseButton ausloeser = t == QEvent::MouseMove ? Qt::NoButton : knopf;
        const Qt::MouseButtons gedrueckt =
            t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(knopf);
        QMouseEvent e(t, QPointF(pt), QPointF(view->viewport()->mapToGlobal(pt)), ausloeser, gedrueckt, mods);
        QApplication::sendEvent(view->viewport(), &e);
    }
    void Druecken(QPoint pt, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Maus(QEvent::MouseButtonPress, pt, m);
    }
    void Bewegen(QPoint pt, Qt::KeyboardModifiers m = Qt::NoModifier) { Maus(QEvent::MouseMove, pt, m); }
    void Loslassen(QPoint pt, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Maus(QEvent::MouseButtonRelease, pt, m);
    }
    // Press at `von`, move in a few steps by `um`, leave the button held.
    void Ziehe(QPoint von, QPoint um, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Druecken(von, m);
        for (int i = 1; i <= 4; ++i)
            Bewegen(von + um * i / 4, m);
    }

    const CPlanGesten::SOverlay& Overlay() { return view->GetGesten().GetOverlay(); }

    void Speichere(const QImage& img, const QString& name)
    {
        QDir().mkpath(kArtefakte);
        EXPECT_TRUE(img.save(kArtefakte + "/" + name)) << name.toStdString();
    }

    // Two loads across the whole width with a gap shorter than a 1 m load between them.
    void Waende()
    {
        const double w =
            Fahrzeug().GetLFBreite() - Fahrzeug().GetRandabstand(1) - Fahrzeug().GetRandabstand(3);
        ASSERT_GE(Fahrzeug().GetLFLaenge(), 7.0);
        Last("Wall", 5.85, 0.0, 0.15, w, 0.5);
        Last("Wall", 6.9, 0.0, 0.1, w, 0.5);
        Zeichnen();
    }

    EnglishModule module;
    CRampenDialogs rampenDialoge{std::make_shared<CHlbCatalogue>(CatalogueFolders{})};
    ProgramRun run;
    DocumentHost host;
    CQOR1Doc doc;
    std::unique_ptr<GestenView> view;
    QImage bild;
    tagLGINFO* a = nullptr;
    tagLGINFO* b = nullptr;
    tagLGINFO* c = nullptr;
};

} // namespace

TEST_F(PlanGestenTest, ClicksSelectWithoutMovingAnything)
{
    struct Fall
    {
        const char* name;
        int nLast; // 0 = a, 1 = b
        Qt::KeyboardModifiers mods;
        int dxRelease;
        bool erwartet[3];
    };
    const Fall faelle[] = {
        {"press and release 9 px away selects the load alone", 0, Qt::NoModifier, 9, {true, false, false}},
        {"Ctrl-click adds one load", 0, Qt::ControlModifier, 0, {true, true, false}},
        {"Ctrl-click on a selected load takes it out", 1, Qt::ControlModifier, 0, {false, false, false}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Leeren();
        DreiLasten();
        tagLGINFO* ziel = f.nLast == 0 ? a : b;
        const double x[3] = {a->m_dPosX, b->m_dPosX, c->m_dPosX};
        const QPoint pt = Mitte(ziel);
        Druecken(pt, f.mods);
        Bewegen(pt + QPoint(f.dxRelease, 0), f.mods);
        Loslassen(pt + QPoint(f.dxRelease, 0), f.mods);
        EXPECT_EQ(a->m_bSelected != 0, f.erwartet[0]);
        EXPECT_EQ(b->m_bSelected != 0, f.erwartet[1]);
        EXPECT_EQ(c->m_bSelected != 0, f.erwartet[2]);
        // A plain click makes the load the current one, whose position buttons show; Ctrl only toggles.
        EXPECT_EQ(view->GetAuswahl(), f.mods == Qt::NoModifier ? ziel : nullptr);
        EXPECT_EQ(a->m_dPosX, x[0]);
        EXPECT_EQ(b->m_dPosX, x[1]);
        EXPECT_EQ(c->m_dPosX, x[2]);
        EXPECT_EQ(view->m_nBenachrichtigungen, 0);
    }
}

TEST_F(PlanGestenTest, FreeDragShowsTheSolidOutlineAndCommitsTheRoundedMove)
{
    DreiLasten();
    const QPoint von = Mitte(b);
    Ziehe(von, QPoint(100, 0));
    EXPECT_TRUE(view->m_bZiehen);
    EXPECT_EQ(view->GetGesten().GetCursorId(), 252);
    EXPECT_EQ(Plan().GetZiehQuelle(), &view->GetGesten());
    ASSERT_EQ(Overlay().zieh.size(), 1u);
    EXPECT_TRUE(Overlay().bZieh);
    EXPECT_TRUE(Overlay().bZiehVoll);
    EXPECT_FALSE(Overlay().bZiel);
    // The outline at the cursor: the load's rectangle moved by the pixels the mouse went.
    const QRect vorher = view->GetGuiLg().at(b).rc;
    EXPECT_NEAR(Overlay().zieh[0].left(), vorher.left() + 100, 1);
    EXPECT_NEAR(Overlay().zieh[0].width(), vorher.width(), 1);
    // The outline is drawn inverted over the plan: its top edge is dark where the plan is light.
    const QImage frame = view->RenderFrame();
    const QPoint kante(Overlay().zieh[0].left() + 3, Overlay().zieh[0].top());
    EXPECT_LT(qGray(frame.pixel(kante)), 100);
    Speichere(frame, "drag_free.png");
    const double cgx = Plan().GetSchwerpunktX(), cgy = Plan().GetSchwerpunktY();
    const QPoint marker = Overlay().marker;
    EXPECT_TRUE(Overlay().bMarker);

    Loslassen(von + QPoint(100, 0));
    const double dx = std::floor(100.0 / (97 * 1.5) * 100 + 1e-6) / 100;
    EXPECT_NEAR(b->m_dPosX, 2.5 + dx, 1e-9);
    EXPECT_NEAR(b->m_dPosY, 1.0, 1e-9);
    EXPECT_EQ(view->m_nBenachrichtigungen, 1);
    EXPECT_EQ(Plan().GetZiehQuelle(), nullptr);
    EXPECT_FALSE(view->m_bZiehen);
    EXPECT_TRUE(Overlay().zieh.empty());
    // The live centre of gravity is the one the plan has once the drop is committed.
    EXPECT_NEAR(Plan().GetSchwerpunktX(), cgx, 1e-9);
    EXPECT_NEAR(Plan().GetSchwerpunktY(), cgy, 1e-9);
    const double s = 97 * 1.5;
    const QPoint u = view->GetMassstab().ursprung;
    EXPECT_EQ(marker,
              QPoint(u.x() + int(std::floor(cgx * s + 1e-6)), u.y() + int(std::floor(cgy * s + 1e-6))));
}

TEST_F(PlanGestenTest, DragOntoANeighbourLandsFlushAndShowsWhereItLands)
{
    DreiLasten();
    const QPoint von = Mitte(b);
    // Onto the pallet: 0.9 m back and 0.5 m towards side A.
    Ziehe(von, QPoint(-Pixel(0.9), -Pixel(0.5)));
    EXPECT_EQ(view->m_nPlatzStatus, CPlanPlatzierung::kVerschoben);
    EXPECT_EQ(view->GetGesten().GetCursorId(), 274);
    EXPECT_TRUE(Overlay().bZieh);
    EXPECT_FALSE(Overlay().bZiehVoll);
    ASSERT_TRUE(Overlay().bZiel);
    ASSERT_EQ(Overlay().ziel.size(), 1u);
    // The landing outline starts at the pallet's rear edge.
    const int xKante = view->GetMassstab().ursprung.x() + int(std::floor(1.7 * 97 * 1.5));
    EXPECT_EQ(Overlay().ziel[0].left(), xKante);
    Speichere(view->RenderFrame(), "drag_shifted.png");
    Loslassen(von + QPoint(-Pixel(0.9), -Pixel(0.5)));
    EXPECT_NEAR(b->m_dPosX, 1.7, 1e-9);
    EXPECT_NEAR(b->m_dPosY, 1.0 + std::floor(-Pixel(0.5) / (97 * 1.5) * 100 + 1e-6) / 100, 1e-9);
}

TEST_F(PlanGestenTest, BlockedDragShowsTheStartAndARefusedDropChangesNothing)
{
    DreiLasten();
    Waende();
    const double x = b->m_dPosX, y = b->m_dPosY;
    const double cgx = Plan().GetSchwerpunktX(), cgy = Plan().GetSchwerpunktY(), m = Plan().GetMasse();
    const QPoint von = Mitte(b);
    // Into the 0.9 m gap between the walls.
    const QPoint um(Pixel(6.0 - 2.5), 0);
    Ziehe(von, um);
    EXPECT_EQ(view->m_nPlatzStatus, CPlanPlatzierung::kBlockiert);
    EXPECT_EQ(view->GetGesten().GetCursorId(), 253);
    EXPECT_FALSE(Overlay().bZiehVoll);
    ASSERT_TRUE(Overlay().bZiel);
    ASSERT_EQ(Overlay().ziel.size(), 1u);
    // The double outline stays where the load stands.
    EXPECT_EQ(Overlay().ziel[0].topLeft(), view->GetGuiLg().at(b).rc.topLeft());
    Speichere(view->RenderFrame(), "drag_blocked.png");
    Loslassen(von + um);
    EXPECT_EQ(b->m_dPosX, x);
    EXPECT_EQ(b->m_dPosY, y);
    EXPECT_EQ(Plan().GetSchwerpunktX(), cgx);
    EXPECT_EQ(Plan().GetSchwerpunktY(), cgy);
    EXPECT_EQ(Plan().GetMasse(), m);
    EXPECT_EQ(view->m_nBenachrichtigungen, 0);
}

TEST_F(PlanGestenTest, CopyDragAddsARoundedCopyAndCountsTheSourceInTheLiveCentre)
{
    DreiLasten();
    const QPoint von = Mitte(b);
    const QPoint um(Pixel(1.0) + 3, Pixel(0.3));
    Ziehe(von, um, Qt::ControlModifier);
    EXPECT_EQ(view->GetGesten().GetCursorId(), 555);
    EXPECT_TRUE(view->GetGesten().IsKopie());
    const double cgx = Plan().GetSchwerpunktX(), cgy = Plan().GetSchwerpunktY(), m = Plan().GetMasse();
    EXPECT_NEAR(m, 0.6 + 1.1 + 0.4 + 1.1, 1e-9);
    Loslassen(von + um, Qt::ControlModifier);
    ASSERT_EQ(Plan().GetLgInfos().size(), 4u);
    tagLGINFO* kopie = nullptr;
    for (tagLGINFO* p : Plan().GetLgInfos())
        if (p->m_strName == "Box" && p != b)
            kopie = p;
    ASSERT_NE(kopie, nullptr);
    EXPECT_EQ(kopie->m_nIndex, -1);
    EXPECT_FALSE(b->m_bSelected);
    EXPECT_NEAR(b->m_dPosX, 2.5, 1e-12);
    const double dx = std::floor(um.x() / (97 * 1.5) * 100 + 1e-6) / 100;
    const double dy = std::floor(um.y() / (97 * 1.5) * 100 + 1e-6) / 100;
    EXPECT_NEAR(kopie->m_dPosX, 2.5 + dx, 1e-9);
    EXPECT_NEAR(kopie->m_dPosY, 1.0 + dy, 1e-9);
    EXPECT_EQ(kopie->m_dPosX, std::floor(kopie->m_dPosX * 100 + 0.5) / 100);
    EXPECT_NEAR(Plan().GetSchwerpunktX(), cgx, 1e-9);
    EXPECT_NEAR(Plan().GetSchwerpunktY(), cgy, 1e-9);
    EXPECT_NEAR(Plan().GetMasse(), m, 1e-9);
}

TEST_F(PlanGestenTest, ShiftDragTurnsInQuarterTurns)
{
    struct Fall
    {
        int nGrad;
        int nDrehung;
    };
    for (const Fall f : {Fall{30, 0}, Fall{-40, 0}, Fall{135, 180}, Fall{100, 90}}) {
        SCOPED_TRACE(f.nGrad);
        Leeren();
        view->m_nBenachrichtigungen = 0;
        a = Last("Pallet", 0.5, 0.2, 1.2, 0.8, 0.6);
        b = Last("Long", 3.0, 0.6, 1.2, 0.8, 1.1);
        b->m_bSelected = 1;
        Zeichnen();
        const QPoint mitte = Mitte(b);
        const QPoint von = mitte + QPoint(40, 0);
        Druecken(von, Qt::ShiftModifier);
        EXPECT_TRUE(view->m_bGruppenModus);
        const double w = f.nGrad * 3.14159265358979 / 180.0;
        for (int i = 1; i <= 3; ++i) {
            const double wi = w * i / 3;
            Bewegen(mitte + QPoint(int(std::lround(40 * std::cos(wi))), int(std::lround(40 * std::sin(wi)))),
                    Qt::ShiftModifier);
        }
        ASSERT_EQ(Overlay().dreh.size(), 1u);
        EXPECT_EQ(Overlay().pfeile.size(), 1u);
        if (f.nGrad == 135)
            Speichere(view->RenderFrame(), "drag_rotating.png");
        Loslassen(view->GetGesten().GetOverlay().dreh[0].boundingRect().center(), Qt::ShiftModifier);
        EXPECT_EQ(b->m_nDrehung, f.nDrehung);
        EXPECT_EQ(view->m_nBenachrichtigungen, f.nDrehung == 0 ? 0 : 1);
    }
}

TEST_F(PlanGestenTest, MarkerHiddenWithoutMass)
{
    a = Last("Empty", 0.5, 0.2, 1.2, 0.8, 0.0);
    a->m_bSelected = 1;
    Zeichnen();
    Ziehe(Mitte(a), QPoint(60, 0));
    EXPECT_TRUE(Overlay().bZieh);
    EXPECT_FALSE(Overlay().bMarker);
    Loslassen(Mitte(a) + QPoint(60, 0));
}

TEST_F(PlanGestenTest, RubberBandSelectsTheSameLoadsEitherWay)
{
    struct Fall
    {
        const char* name;
        bool bUmgekehrt;
    };
    for (const Fall f : {Fall{"top left to bottom right", false}, Fall{"bottom right to top left", true}}) {
        SCOPED_TRACE(f.name);
        Leeren();
        DreiLasten();
        tagLGINFO* fsm = Last("Wedge", 2.0, 2.0, 0.3, 0.3, 0.0, 6);
        tagLGINFO* einheit = Last("Unit", 1.0, 1.3, 0.5, 0.5, 0.1);
        einheit->SetLeId(3);
        fsm->m_bSelected = 1;
        b->m_bSelected = 0;
        Zeichnen();
        // From beside the pallet to inside the box: meets a, b, the unit member and the wedge, not c.
        QPoint p1 = view->GetGuiLg().at(a).rc.topLeft() - QPoint(5, 5);
        QPoint p2 = view->GetGuiLg().at(b).rc.center() + QPoint(0, Pixel(1.3));
        if (f.bUmgekehrt)
            std::swap(p1, p2);
        Druecken(p1, Qt::ControlModifier);
        EXPECT_TRUE(view->m_bGummiband);
        Bewegen(p1 + (p2 - p1) / 2, Qt::ControlModifier);
        Bewegen(p2, Qt::ControlModifier);
        // The step that changed the selection shows no frame; the next unchanged one brings it back.
        Bewegen(p2 + QPoint(0, 1), Qt::ControlModifier);
        EXPECT_TRUE(view->GetGesten().IsBandRahmen());
        Loslassen(p2, Qt::ControlModifier);
        EXPECT_FALSE(view->m_bGummiband);
        EXPECT_TRUE(a->m_bSelected);
        EXPECT_TRUE(b->m_bSelected);
        EXPECT_FALSE(c->m_bSelected);
        EXPECT_FALSE(fsm->m_bSelected);
        EXPECT_FALSE(einheit->m_bSelected);
    }
}

TEST_F(PlanGestenTest, ABandStepThatChangesTheSelectionHidesTheFrame)
{
    DreiLasten();
    b->m_bSelected = 0;
    const QPoint p1 = view->GetGuiLg().at(a).rc.topLeft() - QPoint(5, 5);
    Druecken(p1);
    Bewegen(p1 + QPoint(2, 2));
    EXPECT_TRUE(view->GetGesten().IsBandRahmen());
    Bewegen(view->GetGuiLg().at(a).rc.center());
    EXPECT_TRUE(a->m_bSelected);
    EXPECT_FALSE(view->GetGesten().IsBandRahmen());
    EXPECT_FALSE(view->m_bGummibandRahmen);
    Loslassen(view->GetGuiLg().at(a).rc.center());
}

TEST(PlanZoomGriff, FollowsTheCursorAndNeverGoesBelowAHalf)
{
    struct Fall
    {
        double dAlt;
        int xRel;
        int nPix;
        double dNeu;
    };
    for (const Fall f : {Fall{1.5, 300, 600, 0.75}, Fall{1.5, 1200, 600, 3.0}, Fall{1.5, 100, 600, 0.5},
                         Fall{1.0, -50, 600, 0.5}, Fall{0.8, 100, 0, 0.8}}) {
        SCOPED_TRACE(f.xRel);
        EXPECT_DOUBLE_EQ(CPlanGesten::ZoomAusGriff(f.dAlt, f.xRel, f.nPix), f.dNeu);
    }
}

TEST_F(PlanGestenTest, CancellingTheFormFitEditRemovesOnlyWhatTheDragMade)
{
    for (const bool bKopie : {false, true}) {
        SCOPED_TRACE(bKopie ? "copy" : "move");
        Leeren();
        a = Last("Pallet", 0.5, 0.2, 1.2, 0.8, 0.6);
        tagLGINFO* fsm = Last("Wedge", 3.0, 1.0, 0.3, 0.4, 0.0, 6);
        fsm->m_bSelected = 1;
        Zeichnen();
        view->nFsmAntwort = CPlanGesten::kFsmAbbruch;
        view->nFsmAufrufe = 0;
        const QPoint von = Mitte(fsm);
        const QPoint um(Pixel(1.0), 0);
        Ziehe(von, um, bKopie ? Qt::ControlModifier : Qt::NoModifier);
        Loslassen(von + um, bKopie ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(view->nFsmAufrufe, 1);
        ASSERT_EQ(Plan().GetLgInfos().size(), 2u);
        // The item pressed is still there: at its old place after a copy, where it was dropped after a move.
        const auto& liste = Plan().GetLgInfos();
        EXPECT_NE(std::find(liste.begin(), liste.end(), fsm), liste.end());
        EXPECT_NE(std::find(liste.begin(), liste.end(), a), liste.end());
        EXPECT_NEAR(fsm->m_dPosX, bKopie ? 3.0 : 4.0, 0.011);
    }
}

TEST_F(PlanGestenTest, DropFromTheRampAddsTheLoadOrNothing)
{
    DreiLasten();
    Waende();
    SLadungVorlage item;
    item.nArt = 0;
    item.strName = "Ramp box";
    item.dLaenge = 1.0;
    item.dBreite = 1.0;
    item.dHoehe = 1.0;
    item.dSPLaenge = item.dSPBreite = item.dSPHoehe = 0.5;
    item.dMasse = 0.5;
    const size_t n = Plan().GetLgInfos().size();
    const double cgx = Plan().GetSchwerpunktX(), m = Plan().GetMasse();
    const QPoint u = view->GetMassstab().ursprung;
    struct Fall
    {
        const char* name;
        double x; // where the drop ends, metres from the front
        bool bNeu;
    };
    for (const Fall f :
         {Fall{"into the gap between the walls", 6.05, false}, Fall{"onto free floor", 4.0, true}}) {
        SCOPED_TRACE(f.name);
        const QPoint start(u.x() + Pixel(3.5), u.y() + Pixel(1.3));
        ASSERT_TRUE(view->DragLadungFromRampe(item, start, 0, 0.5));
        const QPoint ende(u.x() + Pixel(f.x), start.y());
        Bewegen(start + (ende - start) / 2);
        Bewegen(ende);
        Loslassen(ende);
        EXPECT_EQ(Plan().GetLgInfos().size(), n + (f.bNeu ? 1 : 0));
        if (!f.bNeu) {
            EXPECT_EQ(Plan().GetSchwerpunktX(), cgx);
            EXPECT_EQ(Plan().GetMasse(), m);
        } else {
            tagLGINFO* neu = nullptr;
            for (tagLGINFO* p : Plan().GetLgInfos())
                if (p->m_strName == "Ramp box")
                    neu = p;
            ASSERT_NE(neu, nullptr);
            EXPECT_TRUE(neu->m_bSelected);
            EXPECT_EQ(Plan().GetAktuell(), neu);
            EXPECT_EQ(neu->m_dPosX, std::floor(neu->m_dPosX * 100 + 0.5) / 100);
        }
        EXPECT_EQ(Plan().GetZiehQuelle(), nullptr);
    }
}

TEST_F(PlanGestenTest, HoverFramesTheOnPlanButtonAndDoubleClickAsksForTheEdit)
{
    DreiLasten();
    view->m_treffer.rcBtnWert = QRect(300, 20, 60, 18);
    Bewegen(QPoint(320, 28));
    EXPECT_TRUE(Overlay().bHot);
    EXPECT_EQ(view->GetGesten().GetCursorId(), 1032);
    const QImage frame = view->RenderFrame();
    const QImage ohne = view->RenderPicture(frame.size());
    EXPECT_NE(frame.pixel(310, 19), ohne.pixel(310, 19));
    Bewegen(QPoint(200, 400));
    EXPECT_FALSE(Overlay().bHot);

    std::vector<int> befehle;
    QObject::connect(view.get(), &CQOR2View::BefehlAngefordert, [&](int nId) { befehle.push_back(nId); });
    Maus(QEvent::MouseButtonDblClick, Mitte(a));
    EXPECT_EQ(befehle, std::vector<int>{CPlanGesten::kCmdLadungBearbeiten});
}

TEST_F(PlanGestenTest, ASpecialItemFromTheRampGoesWhenItsEditIsCancelled)
{
    DreiLasten();
    SLadungVorlage keil;
    keil.nArt = 6;
    keil.strName = "Wedge";
    keil.dLaenge = 0.3;
    keil.dBreite = 0.4;
    keil.dHoehe = 0.2;
    const size_t n = Plan().GetLgInfos().size();
    view->nFsmAntwort = CPlanGesten::kFsmAbbruch;
    const QPoint u = view->GetMassstab().ursprung;
    const QPoint start(u.x() + Pixel(3.8), u.y() + Pixel(2.0));
    ASSERT_TRUE(view->DragLadungFromRampe(keil, start, 0, 0.0));
    Bewegen(start + QPoint(20, 0));
    Loslassen(start + QPoint(20, 0));
    EXPECT_EQ(view->nFsmAufrufe, 1);
    EXPECT_EQ(Plan().GetLgInfos().size(), n);
    EXPECT_EQ(Plan().GetAktuell(), nullptr);
    EXPECT_EQ(view->GetAuswahl(), nullptr);
}

TEST_F(PlanGestenTest, ItemsOfKindFiveStayWhereTheyAre)
{
    DreiLasten();
    tagLGINFO* fest = Last("Board", 3.8, 1.8, 0.3, 0.4, 0.0, 5);
    Zeichnen();
    const QPoint von = Mitte(fest);
    Ziehe(von, QPoint(60, 0));
    EXPECT_FALSE(view->m_bZiehen);
    EXPECT_TRUE(Overlay().zieh.empty());
    Loslassen(von + QPoint(60, 0));
    EXPECT_EQ(fest->m_dPosX, 3.8);
    EXPECT_EQ(view->m_nBenachrichtigungen, 0);
}

TEST_F(PlanGestenTest, DraggingTheZoomHandleWritesThePlansZoom)
{
    DreiLasten();
    const int x0 = view->GetMassstab().ursprung.x();
    const int nPix = int(std::floor((Fahrzeug().GetLFLaenge() - Fahrzeug().GetRandabstand(0)) * 97 * 1.5));
    view->GetGesten().m_rcZoomGriff = QRect(x0 + nPix - 4, 10, 9, 9);
    Druecken(QPoint(x0 + nPix, 14));
    Bewegen(QPoint(x0 + nPix / 2, 14));
    EXPECT_NEAR(CPlanAnzeige(Plan()).GetZoom(), 0.75, 1.5 / nPix);
    EXPECT_NEAR(view->GetMassstab().dZoom, 0.75, 1.5 / nPix);
    // Far to the front the zoom stops at a half.
    Bewegen(QPoint(x0 + 5, 14));
    EXPECT_DOUBLE_EQ(CPlanAnzeige(Plan()).GetZoom(), 0.5);
    Loslassen(QPoint(x0 + 5, 14));
    EXPECT_FALSE(view->GetGesten().IsAktiv());
}

TEST_F(PlanGestenTest, TheDrawingPutsTheHandlesOnTheLoadAreaEdgesWhereTheyCanBeDragged)
{
    ScriptedSliderFactory regler{run};
    DreiLasten();
    const QRect la = view->m_treffer.rcLadeflaeche;
    const QRect zoom = view->GetGesten().m_rcZoomGriff, breite = view->GetGesten().m_rcBreitenGriff;
    ASSERT_FALSE(zoom.isEmpty());
    ASSERT_FALSE(breite.isEmpty());
    // The zoom handle on the middle of the rear edge, the width handle on the middle of side B's edge.
    EXPECT_LE(std::abs(zoom.center().x() - (la.right() + 1)), 1);
    EXPECT_LE(std::abs(zoom.center().y() - la.center().y()), 1);
    EXPECT_LE(std::abs(breite.center().y() - (la.bottom() + 1)), 1);
    EXPECT_LE(std::abs(breite.center().x() - la.center().x()), 1);
    Bewegen(zoom.center());
    EXPECT_EQ(view->GetGesten().GetCursorId(), CPlanGesten::kCursorZoom);
    Bewegen(breite.center());
    EXPECT_EQ(view->GetGesten().GetCursorId(), CPlanGesten::kCursorBreite);

    // Pressed where it is drawn, each handle keeps its value until it is moved.
    const double dZoom = view->GetMassstab().dZoom;
    Druecken(zoom.center());
    Bewegen(zoom.center());
    EXPECT_NEAR(view->GetMassstab().dZoom, dZoom, 2 * dZoom / la.width());
    Bewegen(QPoint(la.left() + la.width() / 2, zoom.center().y()));
    EXPECT_NEAR(view->GetMassstab().dZoom, dZoom / 2, 0.05);
    Loslassen(QPoint(la.left() + la.width() / 2, zoom.center().y()));
    CPlanAnzeige(Plan()).SetZoom(1.5);
    Zeichnen();

    const double W = Fahrzeug().GetLFBreite();
    const QRect b2 = view->GetGesten().m_rcBreitenGriff;
    // Pixels round down twice and the width down to a centimetre.
    const double dToleranz = 2.0 / (97 * 1.5) + 0.01;
    Druecken(b2.center());
    Bewegen(b2.center());
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), W, dToleranz);
    Bewegen(b2.center() + QPoint(0, Pixel(0.3)));
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), W + 0.3, dToleranz);
    Loslassen(b2.center() + QPoint(0, Pixel(0.3)));
    EXPECT_FALSE(view->GetGesten().IsAktiv());
}

TEST_F(PlanGestenTest, AReleaseOnAnOnPlanButtonOpensItsSliderBesideIt)
{
    ScriptedSliderFactory regler{run};
    DreiLasten();
    CPlanAnzeige(Plan()).SetRasterSeite(2);
    Zeichnen();
    view->SetHover(b);
    view->SetAktuellFromHover();
    view->SetHover(nullptr);
    ASSERT_EQ(view->GetAuswahl(), b);
    // The x and y buttons beside the current load; the width button is the width label the drawing put.
    const QRect rb = view->GetGuiLg().at(b).rc;
    view->m_treffer.rcBtnX = QRect(rb.left() + 4, rb.top() - 18, 24, 14);
    view->m_treffer.rcBtnY = QRect(rb.right() + 6, rb.top() + 4, 24, 14);
    ASSERT_FALSE(view->m_treffer.rcBtnWert.isEmpty());
    const auto imView = [&](QPoint pt) { return view->viewport()->mapTo(view.get(), pt); };
    const double x = b->m_dPosX, y = view->GetAuswahlY(), w = Fahrzeug().GetLFBreite();
    ASSERT_NE(y, b->m_dPosY);
    struct Fall
    {
        const char* name;
        QRect knopf;
        int nArt;
        double dWert;
        // Where the slider's top-left (or, for the y slider, top-right) corner goes.
        QPoint ecke;
        bool bRechts;
    };
    const Fall faelle[] = {
        {"x", view->m_treffer.rcBtnX, 12, x, view->m_treffer.rcBtnX.topLeft() + QPoint(-2, -1), false},
        {"y from side B", view->m_treffer.rcBtnY, 13, y,
         QPoint(view->m_treffer.rcBtnY.right(), view->m_treffer.rcBtnY.top() - 1), true},
        {"width", view->m_treffer.rcBtnWert, 14, w, view->m_treffer.rcBtnWert.topLeft() + QPoint(-2, -1),
         false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        regler.m_pLast = nullptr;
        regler.m_nLastKind = 0;
        Bewegen(f.knopf.center());
        EXPECT_TRUE(Overlay().bHot);
        Druecken(f.knopf.center());
        EXPECT_FALSE(view->GetGesten().IsAktiv()) << "no rubber band starts on a button";
        Loslassen(f.knopf.center());
        ASSERT_TRUE(regler.m_pLast);
        EXPECT_EQ(regler.m_nLastKind, f.nArt);
        EXPECT_DOUBLE_EQ(regler.m_pLast->GetValue(), f.dWert);
        EXPECT_FALSE(Overlay().bHot) << "the button's frame goes";
        const QRect rc = regler.m_pLast->m_rc;
        EXPECT_EQ(rc.size(), QSize(46, 16)) << "moved, not resized";
        EXPECT_EQ(f.bRechts ? rc.topRight() : rc.topLeft(), imView(f.ecke));
        // Nothing else happened: the load is still the current one, in its place.
        EXPECT_EQ(view->GetAuswahl(), b);
        EXPECT_DOUBLE_EQ(b->m_dPosX, x);
        view->SchliesseRegler();
    }

    // Without a current load the x and y buttons are no buttons: the press starts a rubber band.
    view->ClearAktuell(true);
    regler.m_pLast = nullptr;
    Druecken(view->m_treffer.rcBtnX.center());
    EXPECT_TRUE(view->GetGesten().IsAktiv());
    Loslassen(view->m_treffer.rcBtnX.center());
    EXPECT_FALSE(regler.m_pLast);
}

TEST(PlanBreitenGriff, WidthFollowsTheCursorInWholeCentimetres)
{
    const struct
    {
        int yRel, nRand, nPpm;
        double dZoom, dBreite;
    } faelle[] = {
        {194, 0, 97, 1.0, 2.0},  // exactly 2 m stays 2 m
        {291, 0, 97, 1.5, 2.0},  // the zoom divides
        {145, 0, 97, 1.0, 1.49}, // rounded down
        {180, 14, 97, 1.0, 2.0}, // side A's border counts
        {100, 0, 0, 1.0, 0.0},   // no scale: nothing
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.yRel);
        EXPECT_NEAR(CPlanGesten::BreiteAusGriff(f.yRel, f.nRand, f.nPpm, f.dZoom), f.dBreite, 1e-9);
    }
}

TEST_F(PlanGestenTest, DraggingTheWidthHandleSetsTheLoadAreaWidth)
{
    ScriptedSliderFactory regler{run};
    DreiLasten();
    const double W = Fahrzeug().GetLFBreite();
    // The handle on side B's edge of the load area.
    const int yKante = view->m_treffer.rcLadeflaeche.top() + Pixel(W);
    const int x = view->m_treffer.rcLadeflaeche.right() + 20;
    view->GetGesten().m_rcBreitenGriff = QRect(x - 4, yKante - 4, 9, 9);
    Druecken(QPoint(x, yKante));
    EXPECT_TRUE(view->GetGesten().IsAktiv());
    EXPECT_EQ(view->GetGesten().GetCursorId(), CPlanGesten::kCursorBreite);
    // Pixels round down twice and the width down to a centimetre.
    const double dToleranz = 2.0 / (97 * 1.5) + 0.01;
    Bewegen(QPoint(x, yKante));
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), W, dToleranz);
    Bewegen(QPoint(x, yKante + Pixel(0.3)));
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), W + 0.3, dToleranz);
    EXPECT_EQ(regler.m_nLastKind, 14) << "the width slider shows the new width";
    // Far below the width stops at its limit.
    Bewegen(QPoint(x, yKante + Pixel(5.0)));
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), 4.0, 1e-6);
    Loslassen(QPoint(x, yKante + Pixel(5.0)));
    EXPECT_FALSE(view->GetGesten().IsAktiv());
    EXPECT_NEAR(Fahrzeug().GetLFBreite(), 4.0, 1e-6);
}

// The plan fitted to its window fits a changed room (the ramp hidden or shown, the window resized) in the
// paint that follows the change: a drag right after it ends with the load under the pointer, and a right
// click on the load as drawn reaches the load. A room that changes while a drag goes on leaves the drag's
// scale alone; the plan fits the room once the button is released.
TEST_F(PlanGestenTest, ThePlanFitsAChangedRoomAtOnceAndNeverDuringADrag)
{
    view->SetFensterAnpassung(true);
    view->resize(1000, 420);
    QApplication::processEvents();
    DreiLasten();
    Zeichnen();
    struct Fall
    {
        const char* name;
        std::function<void()> aenderung;
        int dx;
    };
    const Fall faelle[] = {
        {"the ramp hidden", [this] { view->OnBefehl(400); }, 30},
        {"the ramp shown", [this] { view->OnBefehl(400); }, -30},
        {"the window resized",
         [this] {
             view->resize(1300, 700);
             QApplication::processEvents();
         },
         30},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const double dZoomVorher = view->GetMassstab().dZoom;
        f.aenderung();
        // The one paint the change asks for.
        Zeichnen();
        EXPECT_NE(view->GetMassstab().dZoom, dZoomVorher) << "the room did not change the scale";

        const QPoint mitte = Mitte(b);
        Maus(QEvent::MouseButtonPress, mitte, Qt::NoModifier, Qt::RightButton);
        Zeichnen();
        view->SetKontext(nullptr);
        const std::unique_ptr<QMenu> menu(view->KontextMenu(mitte));
        EXPECT_NE(menu, nullptr);
        EXPECT_EQ(view->GetKontext(), b) << "the right click missed the load";
        Maus(QEvent::MouseButtonRelease, mitte, Qt::NoModifier, Qt::RightButton);

        const QRect vorher = view->GetGuiLg().at(b).rc;
        const QPoint griff = mitte - vorher.topLeft();
        const QPoint ziel = mitte + QPoint(f.dx, 0);
        Druecken(mitte);
        for (int i = 1; i <= 4; ++i) {
            Bewegen(mitte + QPoint(f.dx, 0) * i / 4);
            Zeichnen();
        }
        Loslassen(ziel);
        Zeichnen();
        // Moved by whole centimetres, rounded down: the load lies under the pointer within a pixel and a
        // centimetre.
        const QRect nachher = view->GetGuiLg().at(b).rc;
        EXPECT_LE(std::abs(nachher.left() + griff.x() - ziel.x()), Pixel(0.01) + 1)
            << "the load lags " << ziel.x() - nachher.left() - griff.x() << " px behind the pointer";
        EXPECT_EQ(nachher.top(), vorher.top());
    }

    // The window resized during a drag: the drag goes on at its scale and drops where the pointer went.
    const QPoint mitte = Mitte(b);
    const double x = b->m_dPosX;
    const double dPixelProMeter = view->GetMassstab().Faktor();
    Druecken(mitte);
    Bewegen(mitte + QPoint(15, 0));
    Zeichnen();
    view->resize(1000, 420);
    QApplication::processEvents();
    Zeichnen();
    EXPECT_DOUBLE_EQ(view->GetMassstab().Faktor(), dPixelProMeter);
    Bewegen(mitte + QPoint(40, 0));
    Zeichnen();
    Loslassen(mitte + QPoint(40, 0));
    EXPECT_NEAR(b->m_dPosX, x + 40 / dPixelProMeter, 0.01 + 1 / dPixelProMeter);
    Zeichnen();
    EXPECT_NE(view->GetMassstab().Faktor(), dPixelProMeter) << "not fitted after the release";
}
