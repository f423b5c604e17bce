// The loading ramp in a real loading-plan view of a sample truck: shown by the ramp command, loads dragged
// and added from it land on the plan, a form-fit item is dropped on a free place.
#include "catalogue/CDlgTooltipAddMultiLg.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CHlbAdapter.h"
#include "catalogue/CLaderampe3.h"
#include "catalogue/CRampenDialogs.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ProgramRun.h"
#include "views/CPlanGesten.h"
#include "views/CQOR2View.h"

#include "../ui/UiTestModule.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace fs = std::filesystem;

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");

// The plan view with the form-fit edit answered at once and messages kept quiet.
class RampenPlanView : public CQOR2View
{
public:
    using CQOR2View::CQOR2View;
    int nFsmAufrufe = 0;
    int EditFsm(tagLGINFO* /*pLg*/) override
    {
        ++nFsmAufrufe;
        return CPlanGesten::kFsmOk;
    }

protected:
    void MeldeInfo(const std::string& /*caption*/, const std::string& /*text*/) override {}
};

class LaderampeViewTest : public ::testing::Test
{
protected:
    LaderampeViewTest() : m_module(UiTestModule())
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_rampenview_" + std::to_string(rd()));
        CatalogueFolders folders{root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        tagItemData palette;
        palette.m_nArt = 0;
        palette.m_strName = "Euro pallet";
        palette.m_dLaenge = 1.2;
        palette.m_dBreite = 0.8;
        palette.m_dHoehe = 0.144;
        palette.m_dSPLaenge = 0.6;
        palette.m_dSPBreite = 0.4;
        palette.m_dMasse = 0.4;
        EXPECT_TRUE(SaveItemDataFile(folders.loadUnits / "Euro pallet.lgs", palette));
        dialoge = std::make_unique<CRampenDialogs>(std::make_shared<CHlbCatalogue>(folders));
        run.Install<IPlanDialogs>(dialoge.get());
    }
    ~LaderampeViewTest() override
    {
        view.reset();
        fs::remove_all(root);
    }

    void SetUp() override
    {
        const fs::path samples = QOR_SAMPLES_DIR;
        auto f = LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        doc.SetHost(&host);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        CPlanAnzeige anz(Plan());
        anz.SetZoom(1.0);
        anz.SetRasterZeigen(false);
        anz.SetSchwerpunktZeigen(true);
        view = std::make_unique<RampenPlanView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1300, 900);
        view->show();
        rampe = dynamic_cast<CLaderampe3*>(view->GetLaderampe());
        ASSERT_NE(rampe, nullptr) << "the view has the real ramp";
        EXPECT_FALSE(rampe->IsVisible());
        ASSERT_TRUE(view->OnBefehl(400));
        EXPECT_TRUE(rampe->IsVisible());
        view->RenderFrame();
    }

    CQOR& Plan() { return *doc.GetFahrzeug()->GetQor(); }

    void Maus(QEvent::Type t, QPoint pt)
    {
        const Qt::MouseButton knopf = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons gedrueckt = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, QPointF(pt), QPointF(rampe->mapToGlobal(pt)), knopf, gedrueckt, Qt::NoModifier);
        QApplication::sendEvent(rampe, &e);
    }
    // A point of the plan (metres from the load area's origin) in the ramp's pixels.
    QPoint AufRampe(double x, double y)
    {
        const QPoint o = view->GetMassstab().ursprung - view->GetScrollPosition();
        return o + QPoint(view->MetresToPixels(x), view->MetresToPixels(y)) - rampe->pos();
    }
    void Speichere(const QString& name)
    {
        view->RenderFrame();
        QDir().mkpath(kArtefakte);
        EXPECT_TRUE(view->viewport()->grab().save(kArtefakte + "/" + name));
    }

    fs::path root;
    std::unique_ptr<CRampenDialogs> dialoge;
    ProgramRun run;
    DocumentHost host;
    CQOR1Doc doc;
    std::unique_ptr<RampenPlanView> view;
    CLaderampe3* rampe = nullptr;

private:
    ScopedDialogTemplateModule m_module;
};

TEST_F(LaderampeViewTest, TheRampLiesUnderThePlanAndFollowsTheRampCommand)
{
    const QRect lf = view->m_treffer.rcLadeflaeche;
    ASSERT_FALSE(lf.isEmpty());
    EXPECT_GT(rampe->y(), lf.bottom()) << "under the load area";
    EXPECT_EQ(rampe->GetRampenLaenge(), view->MetresToPixels(doc.GetFahrzeug()->GetLFLaenge()));
    EXPECT_EQ(rampe->GetRampenRect().left() + rampe->x(), lf.left()) << "as long as the load area, below it";
    ASSERT_NE(rampe->GetEintrag(), nullptr);
    for (int nGrad : {0, 90, 180, 270}) {
        rampe->SetDrehung(nGrad);
        Speichere(QStringLiteral("plan_with_ramp_%1.png").arg(nGrad));
    }
    rampe->SetDrehung(0);
    // Scrolled, the ramp moves with the plan; its editor strip stays in the band at the window's bottom.
    const QPoint vorher = rampe->pos(), streifen = rampe->StreifenEditor()->pos();
    view->resize(700, 500);
    view->RenderFrame();
    ASSERT_GT(view->verticalScrollBar()->maximum(), 30);
    view->verticalScrollBar()->setValue(30);
    view->horizontalScrollBar()->setValue(20);
    EXPECT_EQ(rampe->pos(), vorher - QPoint(20, 30));
    EXPECT_EQ(rampe->StreifenEditor()->pos(), streifen);
    view->OnBefehl(400);
    EXPECT_FALSE(rampe->IsVisible());
    EXPECT_FALSE(rampe->StreifenEditor()->isVisible());
}

// A zoom lays the ramp out again: it stays as long as the load area and right under it.
TEST_F(LaderampeViewTest, TheRampFollowsTheZoomOfThePlan)
{
    for (double dZoom : {0.6, 1.7, 1.0}) {
        SCOPED_TRACE(dZoom);
        CPlanAnzeige(Plan()).SetZoom(dZoom);
        view->RenderFrame();
        const QRect lf = view->m_treffer.rcLadeflaeche;
        ASSERT_FALSE(lf.isEmpty());
        EXPECT_EQ(rampe->GetRampenLaenge(), view->MetresToPixels(doc.GetFahrzeug()->GetLFLaenge()));
        EXPECT_EQ(rampe->GetRampenRect().left() + rampe->x(), lf.left());
        EXPECT_GT(rampe->y(), lf.bottom());
        EXPECT_LT(rampe->y(), lf.bottom() + 40) << "not left where it lay before";
    }
    Speichere(QStringLiteral("plan_with_ramp_zoomed.png"));
}

TEST_F(LaderampeViewTest, APalletDraggedFromTheRampLandsOnThePlanTurned)
{
    const size_t n = Plan().GetLgInfos().size();
    const double dMasse = Plan().GetMasse();
    rampe->SetDrehung(90);
    const QRect rc = rampe->GetBlockRect();
    const QPoint griff(20, 20);
    Maus(QEvent::MouseButtonPress, rc.topLeft() + griff);
    Maus(QEvent::MouseMove, QPoint(rc.left() + griff.x(), griff.y() - 10));
    ASSERT_TRUE(rampe->ImView());
    const QPoint ziel = AufRampe(3.0, 0.5) + griff;
    Maus(QEvent::MouseMove, (rc.topLeft() + ziel) / 2);
    Maus(QEvent::MouseMove, ziel);
    Maus(QEvent::MouseButtonRelease, ziel);
    ASSERT_EQ(Plan().GetLgInfos().size(), n + 1);
    tagLGINFO* neu = Plan().GetLgInfos().back();
    EXPECT_EQ(neu->m_strName, "Euro pallet");
    EXPECT_EQ(neu->m_nDrehung, 90);
    EXPECT_NEAR(Plan().GetMasse(), dMasse + 0.4, 1e-9) << "the axle loads count the new pallet";
    EXPECT_EQ(Plan().GetZiehQuelle(), nullptr);

    // Dragged up and back onto the ramp: nothing more is placed.
    Maus(QEvent::MouseButtonPress, rc.topLeft() + griff);
    Maus(QEvent::MouseMove, QPoint(rc.left() + griff.x(), griff.y() - 10));
    Maus(QEvent::MouseMove, AufRampe(4.0, 1.0));
    Maus(QEvent::MouseMove, rc.topLeft() + griff + QPoint(0, 10));
    EXPECT_FALSE(rampe->ImView());
    Maus(QEvent::MouseButtonRelease, rc.topLeft() + griff + QPoint(0, 10));
    EXPECT_EQ(Plan().GetLgInfos().size(), n + 1);
    EXPECT_NEAR(Plan().GetMasse(), dMasse + 0.4, 1e-9);
    EXPECT_FALSE(view->GetGesten().IsAktiv());
}

TEST_F(LaderampeViewTest, ATileDraggedOutOfTheStripLandsWhereItIsDropped)
{
    CHListbox* liste = rampe->Liste();
    QWidget* canvas = liste->Canvas();
    const size_t n = Plan().GetLgInfos().size();
    const auto kachel = [&](QEvent::Type t, QPoint ptView) {
        // The pointer stays with the strip's canvas while its button is held, wherever it goes.
        const QPoint global = view->viewport()->mapToGlobal(ptView);
        const Qt::MouseButton knopf = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons gedrueckt = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, QPointF(canvas->mapFromGlobal(global)), QPointF(global), knopf, gedrueckt,
                      Qt::NoModifier);
        QApplication::sendEvent(canvas, &e);
    };
    ASSERT_TRUE(CHListbox::WaitForLoaderPool(30000));
    QCoreApplication::sendPostedEvents();
    const int i = liste->GetCurSel();
    ASSERT_GE(i, 0);
    const QPoint start = canvas->mapTo(view->viewport(), liste->GetItemRect(i).center());
    const QPoint ueberPlan = AufRampe(4.0, 1.2) + rampe->pos();
    const QPoint ziel = AufRampe(2.0, 0.6) + rampe->pos();
    const int griffX = view->MetresToPixels(1.2) / 2, griffY = view->MetresToPixels(0.8) / 2;

    kachel(QEvent::MouseButtonPress, start);
    kachel(QEvent::MouseMove, start + QPoint(0, -QApplication::startDragDistance()));
    ASSERT_TRUE(rampe->KachelZiehen());
    EXPECT_FALSE(rampe->ImView()) << "still over the strip";
    kachel(QEvent::MouseMove, ueberPlan);
    ASSERT_TRUE(rampe->ImView());
    // Live placement: the plan shows the unit at the pointer while it moves.
    EXPECT_TRUE(view->GetGesten().IsAktiv());
    EXPECT_EQ(Plan().GetZiehQuelle(), &view->GetGesten());
    kachel(QEvent::MouseMove, ziel);
    Speichere(QStringLiteral("plan_tile_drag.png"));
    kachel(QEvent::MouseButtonRelease, ziel);
    EXPECT_FALSE(rampe->KachelZiehen());
    ASSERT_EQ(Plan().GetLgInfos().size(), n + 1);
    const tagLGINFO* neu = Plan().GetLgInfos().back();
    EXPECT_EQ(neu->m_strName, "Euro pallet");
    // Held at its middle: its corner lies half a unit up and left of the drop point.
    const double s = view->GetMassstab().nPixelProMeter * view->GetMassstab().dZoom;
    EXPECT_NEAR(neu->m_dPosX, 2.0 - griffX / s, 0.015);
    EXPECT_NEAR(neu->m_dPosY, 0.6 - griffY / s, 0.015);
    EXPECT_EQ(Plan().GetZiehQuelle(), nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Over the plan and back onto the ramp before the release: nothing is placed.
    kachel(QEvent::MouseButtonPress, start);
    kachel(QEvent::MouseMove, ueberPlan);
    ASSERT_TRUE(rampe->ImView());
    kachel(QEvent::MouseMove, start);
    EXPECT_FALSE(rampe->ImView());
    EXPECT_FALSE(view->GetGesten().IsAktiv());
    kachel(QEvent::MouseButtonRelease, start);
    EXPECT_EQ(Plan().GetLgInfos().size(), n + 1);
}

TEST_F(LaderampeViewTest, SeveralCopiesAreAddedAtOnce)
{
    const size_t n = Plan().GetLgInfos().size();
    rampe->OnBefehl(CLaderampe3::kIdMehrere);
    CDlgTooltipAddMultiLg* popup = rampe->Popup();
    ASSERT_TRUE(popup->isVisible());
    popup->AnzahlFeld()->setText(QStringLiteral("3"));
    popup->MasseFeld()->setText(QStringLiteral("300"));
    popup->Hinzufuegen();
    ASSERT_EQ(Plan().GetLgInfos().size(), n + 3);
    size_t nNeu = 0;
    for (const tagLGINFO* p : Plan().GetLgInfos())
        if (p->m_strName == "Euro pallet") {
            ++nNeu;
            EXPECT_DOUBLE_EQ(p->m_dSPMasse, 0.3);
        }
    EXPECT_EQ(nNeu, 3u);
    popup->HidePopup();
}

TEST_F(LaderampeViewTest, TheAddSeveralPopupProposesTheTilesMassAndTakesTheKeyboard)
{
    const size_t n = Plan().GetLgInfos().size();
    CDlgTooltipAddMultiLg* popup = rampe->Popup();
    CRibBtnContainer* knopf = rampe->StreifenMehrere();
    view->activateWindow();
    QCoreApplication::processEvents();

    // Return: the typed count of copies, each of the tile's own mass, and the panel closes.
    rampe->OnBefehl(CLaderampe3::kIdMehrere);
    QCoreApplication::processEvents();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->MasseFeld()->text(), QStringLiteral("400")) << "the pallet's mass, in kg";
    EXPECT_TRUE(popup->isActiveWindow());
    ASSERT_EQ(QApplication::focusWidget(), popup->AnzahlFeld());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(knopf->isVisible());
    ASSERT_EQ(Plan().GetLgInfos().size(), n + 2);
    EXPECT_DOUBLE_EQ(Plan().GetLgInfos().back()->m_dSPMasse, 0.4);

    // Esc: nothing added, the typed count dropped, and the button comes back. The plan's window is
    // active again, as it is after the panel closed under a window manager.
    view->activateWindow();
    QCoreApplication::processEvents();
    rampe->OnBefehl(CLaderampe3::kIdMehrere);
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), popup->AnzahlFeld());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(knopf->isVisible());
    EXPECT_EQ(popup->GetAnzahl(), 2);
    EXPECT_EQ(Plan().GetLgInfos().size(), n + 2);
}

TEST_F(LaderampeViewTest, AFormFitItemDroppedOnAFreePlaceIsLitUpAndPlaced)
{
    auto* palette = new tagLGINFO;
    palette->m_strName = "Pallet";
    palette->m_nTyp = 0;
    palette->m_dLaenge = 1.2;
    palette->m_dBreite = doc.GetFahrzeug()->GetLFBreite();
    palette->m_dHoehe = 1.0;
    palette->m_dMasse = palette->m_dSPMasse = 0.5;
    palette->m_dPosX = 2.0;
    Plan().AddLgInfo(std::unique_ptr<tagLGINFO>(palette), false);
    view->RecalcSchwerpunkt();
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    ASSERT_NE(rampe->GetEintrag(), nullptr);
    const size_t n = Plan().GetLgInfos().size();
    const QRect rc = rampe->GetBlockRect();
    const QPoint griff(15, 22);
    Maus(QEvent::MouseButtonPress, rc.topLeft() + griff);
    const QPoint ziel = AufRampe(1.6, 1.0);
    Maus(QEvent::MouseMove, ziel);
    const CPlanGesten::SOverlay& o = view->GetGesten().GetOverlay();
    EXPECT_TRUE(o.bFsmUmriss);
    ASSERT_TRUE(o.bFsmPlatz);
    EXPECT_TRUE(o.fsmPlatz.contains(ziel + rampe->pos()));
    Speichere(QStringLiteral("plan_fsm_drag.png"));
    Maus(QEvent::MouseButtonRelease, ziel);
    EXPECT_FALSE(view->GetGesten().GetOverlay().bFsmUmriss);
    EXPECT_EQ(view->nFsmAufrufe, 1);
    ASSERT_EQ(Plan().GetLgInfos().size(), n + 1);
    EXPECT_EQ(Plan().GetAktuell()->m_nTyp, 5);
}

} // namespace
