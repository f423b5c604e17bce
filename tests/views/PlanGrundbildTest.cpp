// The kept layers of the plan under its moving loads: a paint over them equals a drawing made anew, the
// steps of a drag take them, and every other change draws them again.
#include "ViewTestSupport.h"

#include "views/CQOR2View.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "tests/support/SampleDocument.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class PlanGrundbildTest : public ::testing::Test
{
protected:
    // A sample vehicle (behind the tractor `zug` when one is named) with n small loads placed by the view
    // and the last one selected; grid with labels, directions and the centre of gravity shown.
    void Oeffne(const char* title, const char* zug, int nLadungen)
    {
        view.reset();
        doc = std::make_unique<CQOR1Doc>();
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f && f->GetQor());
        if (zug) {
            auto z = LoadSampleVehicle(zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        doc->SetFahrzeug(f.release());
        doc->OnDocumentOpened();
        view = std::make_unique<CQOR2View>(doc.get());
        view->resize(groesse);
        CPlanAnzeige anz(Plan());
        anz.SetZoom(1.5);
        anz.SetRasterZeigen(true);
        anz.SetRasterBeschriftung(true);
        anz.SetRichtungZeigen(true);
        anz.SetSchwerpunktZeigen(true);
        SLadungVorlage box;
        box.strName = "Crate";
        box.nArt = 0;
        box.dLaenge = 0.2;
        box.dBreite = 0.12;
        box.dHoehe = 0.5;
        box.dSPLaenge = 0.1;
        box.dSPBreite = 0.06;
        box.dMasse = 0.02;
        ASSERT_EQ(view->AddMultipleLadungen(box, nLadungen, 0.02 * nLadungen, 0), nLadungen);
        Waehle(Plan().GetLgInfos().back());
    }

    CQOR& Plan() { return *view->GetPlan(); }
    void Waehle(const tagLGINFO* p)
    {
        for (tagLGINFO* q : Plan().GetLgInfos())
            q->m_bSelected = q == p ? 1 : 0;
    }
    QImage Bild() { return view->RenderPicture(groesse); }
    // The same paint with every layer drawn directly (the kept layers go with it).
    QImage Voll()
    {
        view->SetGrundbildSpeicher(false);
        QImage bild = Bild();
        view->SetGrundbildSpeicher(true);
        EXPECT_FALSE(view->WarAusGrundbild());
        return bild;
    }
    // A drag step as the plan runs it: the selection moved through the placement by dx cm, committed,
    // the change steps run.
    void Schritt(int dx)
    {
        CPlanPlatzierung& pl = view->GetPlatzierung();
        pl.SetPlan(&Plan());
        pl.FillZiehRects();
        pl.FillFestRects();
        pl.FindFreiePosition(dx, 0);
        pl.CommitVersatz();
        view->Benachrichtige();
    }

    EnglishModule module;
    std::unique_ptr<CQOR1Doc> doc;
    std::unique_ptr<CQOR2View> view;
    QSize groesse{1400, 700};
};

} // namespace

TEST_F(PlanGrundbildTest, DragStepsOverTheKeptLayersEqualAFullDrawing)
{
    struct Fall
    {
        const char* name;
        const char* fahrzeug;
        const char* zug;
        int nLadungen;
        bool bErste;    // the first load placed moves, not the last
        bool bGehalten; // the kept layers serve
    };
    const Fall faelle[] = {
        {"truck, one load", "LKW", nullptr, 1, false, true},
        {"truck, 200 loads, the last one moves", "LKW", nullptr, 200, false, true},
        {"semi-trailer behind its tractor, 30 loads", "SAH", "SZM", 30, false, true},
        // Its neighbours, placed after it, are drawn over it: the plan is drawn directly.
        {"the first of 200 packed loads moves", "LKW", nullptr, 200, true, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Oeffne(f.fahrzeug, f.zug, f.nLadungen);
        if (f.bErste)
            Waehle(Plan().GetLgInfos().front());
        QImage vorher = Bild();
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const int nNeu = view->GetGrundbildNeu();
            // Forth by the placement, back by keys.
            if (i % 2 == 0)
                Schritt(7);
            else
                ASSERT_TRUE(view->VerschiebeAuswahl(-7, 0, false, false) || f.bErste);
            const QImage bild = Bild();
            EXPECT_EQ(view->WarAusGrundbild(), f.bGehalten);
            if (f.bGehalten) {
                EXPECT_EQ(view->GetGrundbildNeu(), nNeu);
                EXPECT_NE(bild, vorher);
            }
            EXPECT_EQ(bild, Voll());
            // The next step starts from kept layers again.
            vorher = Bild();
        }
    }
}

// A drag with the mouse leaves the dragged load out of the plan and draws its outline over it: every
// step's frame comes from the same kept layers, and equals the frame drawn directly.
TEST_F(PlanGrundbildTest, MouseDragFramesComeFromTheKeptLayers)
{
    Oeffne("LKW", nullptr, 30);
    view->show();
    view->RenderFrame();
    tagLGINFO* pLg = Plan().GetLgInfos().back();
    const QPoint von = view->GetGuiLg().at(pLg).rc.center();
    auto Maus = [&](QEvent::Type t, QPoint pt) {
        const Qt::MouseButton knopf = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons gedrueckt =
            t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent e(t, QPointF(pt), QPointF(view->viewport()->mapToGlobal(pt)), knopf, gedrueckt,
                      Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    };
    auto VollesFrame = [&] {
        view->SetGrundbildSpeicher(false);
        QImage frame = view->RenderFrame();
        view->SetGrundbildSpeicher(true);
        return frame;
    };
    Maus(QEvent::MouseButtonPress, von);
    int nNeu = -1;
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        Maus(QEvent::MouseMove, von + QPoint(12 * i, 0));
        ASSERT_TRUE(view->m_bZiehen);
        const QImage frame = view->RenderFrame();
        EXPECT_TRUE(view->WarAusGrundbild());
        // The first step drew the layers without the dragged load; the others took them.
        if (i > 2) {
            EXPECT_EQ(view->GetGrundbildNeu(), nNeu);
        }
        EXPECT_EQ(frame, VollesFrame());
        view->RenderFrame();
        nNeu = view->GetGrundbildNeu();
    }
    Maus(QEvent::MouseButtonRelease, von + QPoint(60, 0));
    EXPECT_GT(pLg->m_dPosX, 0.0);
    EXPECT_EQ(view->RenderFrame(), VollesFrame());
}

// Whatever else changes what the layers show draws them again, and the paint still equals the direct
// drawing.
TEST_F(PlanGrundbildTest, OtherChangesDrawTheLayersAnew)
{
    groesse = QSize(900, 400);
    Oeffne("LKW", nullptr, 30);
    CPlanAnzeige anz(Plan());
    auto Erste = [&] { return Plan().GetLgInfos().front(); };
    struct Fall
    {
        const char* name;
        std::function<void()> aendern;
    };
    const Fall faelle[] = {
        {"zoom", [&] { anz.SetZoom(2.5); }},
        {"scroll position", [&] { view->horizontalScrollBar()->setValue(60); }},
        {"another load moved", [&] { Erste()->m_dPosX += 0.03; }},
        {"another load renamed", [&] { Erste()->m_strName = "Barrel"; }},
        {"another load's mass", [&] { Erste()->m_dMasse = 0.75; }},
        {"another load turned", [&] { Erste()->m_nDrehung = 90; }},
        {"a load added",
         [&] {
             SLadungVorlage kiste;
             kiste.strName = "Box";
             kiste.nArt = 0;
             kiste.dLaenge = 0.3;
             kiste.dBreite = 0.3;
             kiste.dHoehe = 0.3;
             ASSERT_EQ(view->AddMultipleLadungen(kiste, 1, 0.1, 0), 1);
         }},
        {"the selection cleared", [&] { Waehle(nullptr); }},
        {"the labels hidden", [&] { view->m_bAnzeige33285 = false; }},
        {"the directions hidden", [&] { anz.SetRichtungZeigen(false); }},
        {"the grid step", [&] { anz.SetRasterX(0.5); }},
        {"the grid counted from the other side", [&] { anz.SetRasterSeite(2); }},
        {"the grid hidden", [&] { anz.SetRasterZeigen(false); }},
        {"the load area's width", [&] { ASSERT_TRUE(view->SetLadeflaechenBreite(2.3)); }},
        {"the loads hidden", [&] { anz.SetLadungenZeigen(false); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Bild();
        const int nNeu = view->GetGrundbildNeu();
        ASSERT_TRUE(view->WarAusGrundbild());
        f.aendern();
        const QImage bild = Bild();
        EXPECT_TRUE(view->WarAusGrundbild());
        EXPECT_EQ(view->GetGrundbildNeu(), nNeu + 1);
        EXPECT_EQ(bild, Voll());
    }
}
