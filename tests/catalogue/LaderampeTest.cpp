// The loading ramp under a plan view stand-in: layout, turning, the block, button 402, the drags onto the
// plan, the keyboard, and an entry that leaves the catalogue while it stands on the ramp.
#include "StripTestSupport.h"

#include "catalogue/CDlgTooltipAddMultiLg.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CHlbAdapter.h"
#include "catalogue/CLaderampe3.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CLadeflaechenPlatzierung.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "views/IRampenView.h"

#include "../ui/UiTestModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");

std::unique_ptr<CFahrzeug> Beispiel(const std::string& titel)
{
    const fs::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (titel + ".qor"), 0, nullptr, nullptr, false, nullptr);
}

// A plan view that answers from a sample vehicle at a zoom and records what the ramp asks of it.
class FakeRampenView : public QWidget, public IRampenView
{
public:
    struct Start
    {
        std::string name;
        QPoint pt;
        int nDrehung;
        double dMasse;
        QPoint griff;
    };
    struct Mehrere
    {
        std::string name;
        int n;
        double dMasse;
        int nDrehung;
    };

    CFahrzeug* pFahrzeug = nullptr;
    double dZoom = 1.5;
    QPoint scroll{0, 0};
    QPoint ursprung{100, 40};
    int nFsmAntwort = 714;
    std::vector<Start> starts;
    std::vector<QPoint> zuege, loslassen, zurueck;
    std::vector<Mehrere> mehrere;
    std::vector<std::pair<QRect, std::optional<QRect>>> umrisse;
    int nUmrissWeg = 0;
    int nFsmAufrufe = 0;
    std::vector<std::string> abgelegt;
    int nFokus = 0;

    QWidget* RampenFlaeche() override { return this; }
    CFahrzeug* RampenFahrzeug() override { return pFahrzeug; }
    CQOR* RampenPlan() override { return pFahrzeug ? pFahrzeug->GetQor() : nullptr; }
    int RampenPixel(double m) override { return static_cast<int>(std::floor(m * dZoom * 97 + 0.000001)); }
    double RampenMeter(int n) override { return n / dZoom / 97; }
    QPoint RampenScroll() override { return scroll; }
    QPoint RampenUrsprung() override { return ursprung; }
    bool RampenZiehenStart(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                           QPoint griff) override
    {
        starts.push_back({item.strName, pt, nRotation, dMasse, griff});
        return true;
    }
    void RampenZiehen(QPoint pt) override { zuege.push_back(pt); }
    void RampenLoslassen(QPoint pt) override { loslassen.push_back(pt); }
    void RampenZurueck(QPoint pt) override { zurueck.push_back(pt); }
    int RampenMehrere(const SLadungVorlage& item, int n, double dMasse, int nRotation) override
    {
        mehrere.push_back({item.strName, n, dMasse, nRotation});
        return n;
    }
    void RampenFsmUmriss(const QRect* pUmriss, const QRect* pPlatz) override
    {
        if (!pUmriss) {
            ++nUmrissWeg;
            return;
        }
        umrisse.emplace_back(*pUmriss, pPlatz ? std::optional<QRect>(*pPlatz) : std::nullopt);
    }
    int RampenFsmBearbeiten(tagLGINFO* /*pLg*/) override
    {
        ++nFsmAufrufe;
        return nFsmAntwort;
    }
    void RampenAbgelegt(const tagLGINFO& lg) override { abgelegt.push_back(lg.m_strName); }
    void RampenFokus() override { ++nFokus; }
};

class LaderampeTest : public ::testing::Test
{
protected:
    LaderampeTest() : m_module(UiTestModule())
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_rampe_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
        // The centre of gravity off the middle, so each turn puts the marker elsewhere.
        Schreibe("Euro pallet", 1.2, 0.8, 0.025, 0.4, 0.3);
        Schreibe("Box", 1.0, 1.0, 0.5, 0.5, 0.5);
        catalogue = std::make_shared<CHlbCatalogue>(folders);
        fahrzeug = Beispiel("LKW");
    }
    ~LaderampeTest() override
    {
        rampe.reset();
        view.reset();
        fs::remove_all(root);
    }

    void Schreibe(const std::string& name, double l, double b, double t, double sx, double sy)
    {
        tagItemData item;
        item.m_nArt = 0;
        item.m_strName = name;
        item.m_dLaenge = l;
        item.m_dBreite = b;
        item.m_dHoehe = 0.144;
        item.m_dSPLaenge = sx;
        item.m_dSPBreite = sy;
        item.m_dMasse = t;
        ASSERT_TRUE(SaveItemDataFile(folders.loadUnits / (name + ".lgs"), item));
    }

    // The ramp under the plan of the view at `dZoom`, shown.
    void Aufbauen(double dZoom = 1.5, bool bFahrzeug = true)
    {
        ASSERT_TRUE(fahrzeug);
        // The ramp is a child of the view: it goes first.
        rampe.reset();
        view = std::make_unique<FakeRampenView>();
        view->pFahrzeug = bFahrzeug ? fahrzeug.get() : nullptr;
        view->dZoom = dZoom;
        view->resize(1500, 1300);
        rampe = std::make_unique<CLaderampe3>(catalogue);
        ASSERT_TRUE(rampe->Create(view.get(), 100, 25, 160));
        if (!bFahrzeug)
            return;
        ASSERT_TRUE(rampe->CalcExtent(view->ursprung.x(), view->ursprung.y()));
        rampe->Reposition(view->RampenPixel(fahrzeug->GetLFBreite()) + view->ursprung.y() + 2);
        rampe->Show(true);
        view->show();
        Waehle("Euro pallet");
    }

    void Waehle(const std::string& name)
    {
        CHListbox* liste = rampe->Liste();
        for (int i = 0; i < liste->GetItemCount(); ++i)
            if (static_cast<const sHLBItemData*>(liste->GetItem(i)->ownerData)->item.m_strName == name) {
                rampe->Adapter()->SelectItem(i, false);
                // A selection made while the strip scrolls is carried out from the event loop.
                if (liste->HasDeferredSelection())
                    liste->PerformDeferredSelection();
                return;
            }
        FAIL() << name;
    }

    void Maus(QEvent::Type t, QPoint pt, Qt::MouseButtons gedrueckt = Qt::LeftButton)
    {
        const Qt::MouseButton knopf = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        if (t == QEvent::MouseButtonRelease)
            gedrueckt = Qt::NoButton;
        QMouseEvent e(t, QPointF(pt), QPointF(rampe->mapToGlobal(pt)), knopf, gedrueckt, Qt::NoModifier);
        QApplication::sendEvent(rampe.get(), &e);
    }
    void Druecken(QPoint pt) { Maus(QEvent::MouseButtonPress, pt); }
    void Ziehen(QPoint pt) { Maus(QEvent::MouseMove, pt); }
    void Schweben(QPoint pt) { Maus(QEvent::MouseMove, pt, Qt::NoButton); }
    void Loslassen(QPoint pt) { Maus(QEvent::MouseButtonRelease, pt); }

    int Pixel(double m) const { return view->RampenPixel(m); }
    // A point of the view in the ramp's pixels.
    QPoint AufRampe(QPoint ptView) const { return ptView - rampe->pos(); }

    fs::path root;
    CatalogueFolders folders;
    std::shared_ptr<CHlbCatalogue> catalogue;
    std::unique_ptr<CFahrzeug> fahrzeug;
    std::unique_ptr<FakeRampenView> view;
    std::unique_ptr<CLaderampe3> rampe;

private:
    ScopedDialogTemplateModule m_module;
};

TEST_F(LaderampeTest, WithoutAVehicleThereIsNoExtent)
{
    Aufbauen(1.5, false);
    EXPECT_FALSE(rampe->CalcExtent(-1, -1));
    EXPECT_FALSE(rampe->IsRepositionPending());
}

TEST_F(LaderampeTest, LengthAndHeightFollowTheZoomAndTheControlsTheirRectangles)
{
    const double L = fahrzeug->GetLFLaenge();
    for (double dZoom : {0.25, 1.0, 1.5}) {
        SCOPED_TRACE(dZoom);
        Aufbauen(dZoom);
        const int nHoehe = static_cast<int>(std::floor(static_cast<double>(3.4f) * dZoom * 97 + 0.000001));
        EXPECT_EQ(rampe->GetRampenLaenge(), static_cast<int>(std::floor(L * dZoom * 97 + 0.000001)));
        EXPECT_EQ(rampe->GetRampenHoehe(), nHoehe);
        EXPECT_EQ(rampe->GetRampenRect(), QRect(view->ursprung.x(), 0, rampe->GetRampenLaenge(), nHoehe));
        EXPECT_EQ(rampe->height(), nHoehe);
        EXPECT_EQ(rampe->width(), view->ursprung.x() + rampe->GetRampenLaenge());
        EXPECT_FALSE(rampe->IsRepositionPending());
        EXPECT_EQ(rampe->y(), Pixel(fahrzeug->GetLFBreite()) + view->ursprung.y() + 2);
    }
    // The panel and the strip lie in the band along the bottom of the view, as wide as the view; the
    // panel's rectangles move by 16 less the first offset.
    rampe->SetOffsets(6, 0);
    QWidget* band = rampe->Leiste();
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisible());
    EXPECT_EQ(band->geometry(), QRect(0, view->height() - 153, view->width(), 153));
    struct Fall
    {
        int nId;
        QRect rc;
    };
    // Where the texts fit the table's rectangles, the table's rectangles.
    for (const Fall& f : {Fall{1348, QRect(18, 8, 94, 16)}, Fall{1349, QRect(18, 28, 132, 16)},
                          Fall{1343, QRect(63, 54, 60, 24)}, Fall{1342, QRect(126, 54, 28, 21)},
                          Fall{1345, QRect(63, 83, 60, 24)}, Fall{1344, QRect(18, 115, 103, 17)}}) {
        SCOPED_TRACE(f.nId);
        QWidget* w = rampe->Control(f.nId);
        EXPECT_EQ(w->parentWidget(), band);
        EXPECT_EQ(rampe->ControlRect(f.nId), w->geometry());
        if (w->sizeHint().width() <= f.rc.width() && f.nId != 1343 && f.nId != 1342 && f.nId != 1345) {
            EXPECT_EQ(w->geometry(), f.rc);
        }
        EXPECT_EQ(w->geometry().top(), f.rc.top());
        EXPECT_GE(w->width(), std::min(f.rc.width(), w->sizeHint().width()));
    }
    // The strip fills the band right of the panel.
    const QRect liste = rampe->Control(1341)->geometry();
    EXPECT_EQ(liste.top(), 0);
    EXPECT_EQ(liste.height(), 153);
    EXPECT_EQ(liste.right(), band->width() - 1);
    EXPECT_GE(liste.left(), 175);
    // Strip 445 right of the search field, strip 444 right of the radio buttons, both in the panel.
    EXPECT_EQ(rampe->StreifenMehrere()->x(), rampe->ControlRect(1345).right() + 3);
    EXPECT_EQ(rampe->StreifenEditor()->parentWidget(), band);
    EXPECT_GT(rampe->StreifenEditor()->x(), rampe->ControlRect(1349).right());
    for (CRibBtnContainer* strip : {rampe->StreifenEditor(), rampe->StreifenMehrere()})
        EXPECT_LE(strip->geometry().right(), liste.left());
}

TEST_F(LaderampeTest, TurningByTheCornerMarksGoesByQuadrants)
{
    Aufbauen();
    struct Fall
    {
        const char* name;
        int nStart;
        std::vector<int> viertel; // quadrants the mouse passes through
        int nDrehung;
    };
    const Fall faelle[] = {
        {"one quadrant clockwise", 0, {1}, 90},
        {"two quadrants at once", 0, {2}, 180},
        {"back and forth", 0, {1, 0}, 0},
        {"one quadrant back", 0, {3}, 270},
        {"a whole round", 0, {1, 2, 3, 0}, 0},
        {"from 270 on by one", 270, {1}, 0},
        {"from the bottom right corner", 0, {3, 0}, 180},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        rampe->SetDrehung(f.nStart);
        const int nEcke = f.name == std::string("from the bottom right corner") ? 2 : 0;
        const QPoint marke = rampe->GetMarke(nEcke).center();
        Schweben(marke);
        ASSERT_TRUE(rampe->MarkenSichtbar());
        const QRect rc = rampe->GetBlockRect();
        const QPoint mitte(rc.left() + rc.width() / 2, rc.top() + (rc.height() + rc.width()) / 4);
        Druecken(marke);
        EXPECT_TRUE(rampe->MarkenGedrueckt());
        EXPECT_EQ(rampe->GetCursorId(), CLaderampe3::kCursorDrehen);
        const QPoint ecken[4] = {mitte + QPoint(-30, -30), mitte + QPoint(30, -30), mitte + QPoint(30, 30),
                                 mitte + QPoint(-30, 30)};
        for (int q : f.viertel) {
            Ziehen(ecken[q]);
            EXPECT_GE(rampe->GetDrehung(), 0);
            EXPECT_LT(rampe->GetDrehung(), 360);
        }
        Loslassen(ecken[f.viertel.back()]);
        EXPECT_EQ(rampe->GetDrehung(), f.nDrehung);
        EXPECT_FALSE(rampe->MarkenGedrueckt());
        Schweben(QPoint(2, 2));
    }
    // The arithmetic alone, for quadrants the mouse cannot reach in one step.
    EXPECT_EQ(CLaderampe3::Gedreht(90, 3, 0), 360 - 180);
    EXPECT_EQ(CLaderampe3::Gedreht(0, 0, 3), 270);
}

TEST_F(LaderampeTest, MarksShowOnlyOnTheCornersOfTheGrownBlock)
{
    Aufbauen();
    const QRect rc = rampe->GetBlockRect();
    struct Fall
    {
        const char* name;
        QPoint pt;
        bool bMarken;
    };
    for (const Fall& f :
         {Fall{"top-left mark", rc.topLeft() + QPoint(-2, -2), true},
          Fall{"bottom-right mark", rc.bottomRight() + QPoint(3, 3), true},
          Fall{"outer corner of the top-right mark", QPoint(rc.right() + 11, rc.top() - 11), true},
          Fall{"inside the block's corner", rc.topLeft() + QPoint(1, 1), false},
          Fall{"the grown pixel itself", rc.topLeft() + QPoint(-1, -1), false},
          Fall{"beside the mark", QPoint(rc.left() - 13, rc.top() - 5), false},
          Fall{"middle of the top edge", QPoint(rc.center().x(), rc.top() - 5), false}}) {
        SCOPED_TRACE(f.name);
        Schweben(f.pt);
        EXPECT_EQ(rampe->MarkenSichtbar(), f.bMarken);
    }
}

TEST_F(LaderampeTest, TheBlockTurnsWithItsFrontAndCentreOfGravity)
{
    Aufbauen();
    const QRect ramp = rampe->GetRampenRect();
    struct Fall
    {
        int nGrad;
        double w, h;                    // metres along and across
        double sx, sy;                  // centre of gravity from the top-left corner
        QPoint (*spitze)(const QRect&); // the point of the front triangle
    };
    const Fall faelle[] = {
        {0, 1.2, 0.8, 0.4, 0.3, [](const QRect& r) { return QPoint(r.left(), r.top() + r.height() / 2); }},
        {90, 0.8, 1.2, 0.3, 0.4, [](const QRect& r) { return QPoint(r.left() + r.width() / 2, r.top()); }},
        {180, 1.2, 0.8, 0.8, 0.5,
         [](const QRect& r) { return QPoint(r.left() + r.width(), r.top() + r.height() / 2); }},
        {270, 0.8, 1.2, 0.5, 0.8,
         [](const QRect& r) { return QPoint(r.left() + r.width() / 2, r.top() + r.height()); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nGrad);
        rampe->SetDrehung(f.nGrad);
        const QRect rc = rampe->GetBlockRect();
        EXPECT_EQ(rc.size(), QSize(Pixel(f.w), Pixel(f.h)));
        EXPECT_EQ(rc.top(), CLaderampe3::kBlockOben);
        EXPECT_EQ(rc.left(), ramp.left() + (ramp.width() - rc.width()) / 2);
        EXPECT_EQ(rampe->GetSchwerpunktPunkt(), rc.topLeft() + QPoint(Pixel(f.sx), Pixel(f.sy)));
        const QPolygon dreieck = rampe->GetFrontDreieck();
        ASSERT_EQ(dreieck.size(), 3);
        EXPECT_EQ(dreieck[0], f.spitze(rc));
        EXPECT_EQ(dreieck.boundingRect().width() + dreieck.boundingRect().height(), 8 + 8 + 2);
        // The block's fill and the triangle show in the picture.
        const QImage bild = rampe->Bild();
        EXPECT_EQ(bild.pixel(rc.center().x() + 1, rc.top() + 2 * rc.height() / 3),
                  QColor(0xCA, 0xCD, 0x54).rgb());
        const QPoint innen = dreieck.boundingRect().center();
        EXPECT_EQ(bild.pixel(innen), QColor(Qt::black).rgb());
        QDir().mkpath(kArtefakte);
        rampe->grab().save(kArtefakte + QStringLiteral("/ramp_%1.png").arg(f.nGrad));
    }
    // The marks as they show, and a form-fit block.
    rampe->SetDrehung(0);
    Schweben(rampe->GetMarke(1).center());
    rampe->grab().save(kArtefakte + QStringLiteral("/ramp_marks.png"));
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    ASSERT_NE(rampe->GetEintrag(), nullptr);
    ASSERT_GE(rampe->GetEintrag()->item.m_nArt, 5);
    const QRect fsm = rampe->GetBlockRect();
    EXPECT_EQ(fsm.size(), QSize(30, 45));
    EXPECT_EQ(rampe->Bild().pixel(fsm.center()), QColor(0x14, 0x89, 0x7A).rgb());
    rampe->grab().save(kArtefakte + QStringLiteral("/ramp_fsm.png"));
}

TEST_F(LaderampeTest, ButtonAddSeveralShowsCountAndMass)
{
    Aufbauen();
    CRibBtnContainer* streifen = rampe->StreifenMehrere();
    rampe->AktualisiereKnoepfe();
    EXPECT_EQ(rampe->MehrereText(), QStringLiteral("1x\n25kg"));
    EXPECT_EQ(streifen->FindButton(402)->Caption(), QStringLiteral("1x\n25kg"));
    EXPECT_TRUE(streifen->IsButtonEnabled(402));
    EXPECT_FALSE(rampe->StreifenEditor()->IsButtonEnabled(878)) << "no item browser installed";
    CLaderampe3::SetEditorOeffner([](QWidget*, QPoint, int, const QString&) {});
    rampe->AktualisiereKnoepfe();
    EXPECT_TRUE(rampe->StreifenEditor()->IsButtonEnabled(878));
    CLaderampe3::SetEditorOeffner(nullptr);

    rampe->Adapter()->SelectItem(-1, false);
    if (rampe->Liste()->HasDeferredSelection())
        rampe->Liste()->PerformDeferredSelection();
    rampe->AktualisiereKnoepfe();
    EXPECT_EQ(rampe->GetEintrag(), nullptr);
    EXPECT_TRUE(rampe->GetBlockRect().isEmpty());
    EXPECT_EQ(streifen->FindButton(402)->Caption(), QStringLiteral("1x\n???"));
    EXPECT_FALSE(streifen->IsButtonEnabled(402));

    // The popup closing with a count rewrites the button.
    Waehle("Box");
    rampe->OnBefehl(402);
    CDlgTooltipAddMultiLg* popup = rampe->Popup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_FALSE(streifen->isVisible());
    popup->AnzahlFeld()->setText(QStringLiteral("7"));
    popup->HidePopup();
    EXPECT_EQ(streifen->FindButton(402)->Caption(), QStringLiteral("7x\n500kg"));
    QCoreApplication::sendPostedEvents(rampe.get());
    EXPECT_TRUE(streifen->isVisible()) << "strip 445 comes back when the popup closes";

    // Adding asks the view for the copies with the block's rotation, then gives it the focus.
    rampe->SetDrehung(90);
    rampe->OnBefehl(402);
    popup->MasseFeld()->setText(QStringLiteral("120"));
    popup->Hinzufuegen();
    ASSERT_EQ(view->mehrere.size(), 1u);
    EXPECT_EQ(view->mehrere[0].name, "Box");
    EXPECT_EQ(view->mehrere[0].n, 7);
    EXPECT_DOUBLE_EQ(view->mehrere[0].dMasse, 0.12);
    EXPECT_EQ(view->mehrere[0].nDrehung, 90);
    EXPECT_EQ(view->nFokus, 1);
    // Category FSM: no button.
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    rampe->AktualisiereKnoepfe();
    EXPECT_FALSE(streifen->IsButtonEnabled(402));
}

TEST_F(LaderampeTest, ALoadUnitGoesToThePlanAboveTheLineAndComesBack)
{
    Aufbauen();
    rampe->SetDrehung(90);
    const QRect rc = rampe->GetBlockRect();
    const QPoint griff(10, 20);
    const QPoint start = rc.topLeft() + griff;
    ASSERT_FALSE(fahrzeug->IsLadungBewegt());
    Druecken(start);
    EXPECT_TRUE(rampe->LadungZiehen());
    EXPECT_EQ(rampe->GetCursorId(), CLaderampe3::kCursorZiehen);
    // Up to 3 pixels above the ramp the block stays on it (the mouse is `griff` below the block's top).
    for (int nTop : {30, 0, -2, -3})
        Ziehen(QPoint(start.x() + 30, griff.y() + nTop));
    EXPECT_TRUE(view->starts.empty());
    EXPECT_TRUE(fahrzeug->IsLadungBewegt());
    // At 4 pixels the view takes it, once, with the record, rotation, mass and grab offset.
    const QPoint ueber(start.x() + 30, griff.y() - 4);
    Ziehen(ueber);
    ASSERT_EQ(view->starts.size(), 1u);
    EXPECT_EQ(view->starts[0].name, "Euro pallet");
    EXPECT_EQ(view->starts[0].pt, ueber + rampe->pos());
    EXPECT_EQ(view->starts[0].nDrehung, 90);
    EXPECT_DOUBLE_EQ(view->starts[0].dMasse, 0.025);
    EXPECT_EQ(view->starts[0].griff, griff);
    EXPECT_TRUE(rampe->ImView());
    const QPoint imPlan(start.x() + 80, -60);
    Ziehen(imPlan);
    EXPECT_EQ(view->starts.size(), 1u);
    ASSERT_FALSE(view->zuege.empty());
    EXPECT_EQ(view->zuege.back(), imPlan + rampe->pos());
    // Back onto the ramp: taken back, and a release there places nothing.
    Ziehen(QPoint(start.x() + 20, griff.y() + 5));
    ASSERT_EQ(view->zurueck.size(), 1u);
    EXPECT_FALSE(rampe->ImView());
    Loslassen(QPoint(start.x() + 20, griff.y() + 5));
    EXPECT_TRUE(view->loslassen.empty());
    EXPECT_FALSE(rampe->LadungZiehen());

    // Again, and released over the plan: the view completes the drop.
    Druecken(start);
    Ziehen(ueber);
    Ziehen(imPlan);
    Loslassen(imPlan);
    EXPECT_EQ(view->starts.size(), 2u);
    ASSERT_EQ(view->loslassen.size(), 1u);
    EXPECT_EQ(view->loslassen[0], imPlan + rampe->pos());
    EXPECT_FALSE(rampe->LadungZiehen());
    EXPECT_EQ(rampe->GetCursorId(), 0);
}

TEST_F(LaderampeTest, TheBlockStaysOnTheRampWhileDraggedAlongIt)
{
    Aufbauen();
    const QRect rc = rampe->GetBlockRect();
    const QRect ramp = rampe->GetRampenRect();
    const QPoint griff(5, 5);
    const QImage ohne = rampe->Bild();
    Druecken(rc.topLeft() + griff);
    struct Fall
    {
        const char* name;
        QPoint maus;
        QPoint ecke; // where the dragged outline's top-left lands
    };
    for (const Fall& f : {Fall{"far left", QPoint(-500, 50), QPoint(ramp.left(), 45)},
                          Fall{"far right", QPoint(5000, 50), QPoint(ramp.right() + 1 - rc.width(), 45)},
                          Fall{"far down", QPoint(ramp.left() + 300, 5000),
                               QPoint(ramp.left() + 295, ramp.height() - rc.height())}}) {
        SCOPED_TRACE(f.name);
        Ziehen(f.maus);
        EXPECT_TRUE(view->starts.empty());
        // The outline's corner is drawn inverted over the ramp.
        EXPECT_EQ(rampe->Bild().pixel(f.ecke) & 0xFFFFFFu, ~ohne.pixel(f.ecke) & 0xFFFFFFu);
    }
    Loslassen(QPoint(ramp.left() + 300, 50));
    EXPECT_TRUE(view->loslassen.empty());
}

TEST_F(LaderampeTest, AFormFitItemIsPlacedOnlyOnAFreePlace)
{
    Aufbauen();
    CQOR* plan = fahrzeug->GetQor();
    ASSERT_NE(plan, nullptr);
    // A pallet across the load area leaves a place in front of it.
    auto* palette = new tagLGINFO;
    palette->m_strName = "Pallet";
    palette->m_nTyp = 0;
    palette->m_dLaenge = 1.2;
    palette->m_dBreite = fahrzeug->GetLFBreite();
    palette->m_dHoehe = 1.0;
    palette->m_dPosX = 2.0;
    plan->AddLgInfo(std::unique_ptr<tagLGINFO>(palette), false);
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    ASSERT_EQ(rampe->GetEintrag()->item.m_nArt, 5);

    double x = 0, y = 0, l = 0, b = 0;
    ASSERT_NE(CLadeflaechenPlatzierung(*fahrzeug).FindLgPosition(1.7, 1.0, &x, &y, &l, &b), -1)
        << "the test needs a free place";
    const QPoint o = view->ursprung - view->scroll;
    struct Fall
    {
        const char* name;
        double mx, my; // metres where the outline's centre goes
        int nAntwort;
        bool bNeu;
    };
    const size_t n = plan->GetLgInfos().size();
    for (const Fall& f :
         {Fall{"on the ramp, outside the usable area", -1.0, -1.0, 714, false},
          Fall{"on the pallet", 2.5, 1.0, 714, false}, Fall{"cancelled in the editor", 1.7, 1.0, 705, false},
          Fall{"on the free place", 1.7, 1.0, 714, true}}) {
        SCOPED_TRACE(f.name);
        view->nFsmAufrufe = 0;
        view->nFsmAntwort = f.nAntwort;
        view->umrisse.clear();
        view->abgelegt.clear();
        const QRect rc = rampe->GetBlockRect();
        const QPoint griff(15, 22);
        Druecken(rc.topLeft() + griff);
        EXPECT_TRUE(rampe->FsmZiehen());
        const QPoint ziel = f.mx < 0 ? rampe->pos() + QPoint(rampe->GetRampenRect().left() + 200, 80)
                                     : QPoint(o.x() + Pixel(f.mx), o.y() + Pixel(f.my));
        Ziehen(AufRampe(ziel));
        ASSERT_FALSE(view->umrisse.empty());
        const bool bPlatz = view->umrisse.back().second.has_value();
        EXPECT_EQ(bPlatz, f.nAntwort == 705 || f.bNeu);
        if (bPlatz) {
            EXPECT_EQ(*view->umrisse.back().second,
                      QRect(o.x() + Pixel(x), o.y() + Pixel(y), Pixel(l), Pixel(b)));
        }
        Loslassen(AufRampe(ziel));
        EXPECT_GE(view->nUmrissWeg, 1);
        EXPECT_FALSE(rampe->FsmZiehen());
        EXPECT_EQ(view->nFsmAufrufe, bPlatz ? 1 : 0);
        EXPECT_EQ(plan->GetLgInfos().size(), n + (f.bNeu ? 1 : 0));
        if (f.bNeu) {
            tagLGINFO* neu = plan->GetAktuell();
            ASSERT_NE(neu, nullptr);
            EXPECT_EQ(neu->m_nTyp, 5);
            EXPECT_EQ(neu->m_strName, LoadResString(447));
            EXPECT_DOUBLE_EQ(neu->m_dPosX, x);
            EXPECT_DOUBLE_EQ(neu->m_dLaenge, l);
            EXPECT_DOUBLE_EQ(neu->m_dBreite, b);
            EXPECT_EQ(view->abgelegt, std::vector<std::string>{LoadResString(447)});
        } else {
            EXPECT_TRUE(view->abgelegt.empty());
        }
    }
}

TEST_F(LaderampeTest, TabRunsThroughTheFixedOrderVisitingOnlyTheCheckedRadio)
{
    Aufbauen();
    std::vector<std::pair<QString, QString>> editorAufrufe;
    CLaderampe3::SetEditorOeffner([&](QWidget*, QPoint, int nKategorie, const QString& suche) {
        editorAufrufe.emplace_back(QString::number(nKategorie), suche);
    });
    rampe->AktualisiereKnoepfe();
    view->activateWindow();
    auto fokusId = [&]() {
        QWidget* f = view->focusWidget();
        for (int id : CLaderampe3::TabReihe()) {
            QWidget* w = rampe->Control(id);
            if (w && f && (w == f || w->isAncestorOf(f)))
                return id;
        }
        return -1;
    };
    struct Fall
    {
        const char* name;
        bool bFsm;
        int nVon;
        bool bZurueck;
        int nNach;
    };
    for (const Fall& f : {Fall{"list on to the checked radio", false, 1341, false, 1348},
                          Fall{"load units skip the FSM radio", false, 1348, false, 1343},
                          Fall{"filter to clear", false, 1343, false, 1342},
                          Fall{"clear to search", false, 1342, false, 1345},
                          Fall{"search to view mode", false, 1345, false, 1344},
                          Fall{"view mode to the editor button", false, 1344, false, 878},
                          Fall{"editor button round to the list", false, 878, false, 1341},
                          Fall{"list back round to the editor button", false, 1341, true, 878},
                          Fall{"filter back to the checked FSM radio", true, 1343, true, 1349},
                          Fall{"FSM radio back skips load units", true, 1349, true, 1341},
                          Fall{"list on to the FSM radio", true, 1341, false, 1349}}) {
        SCOPED_TRACE(f.name);
        rampe->OnBefehl(f.bFsm ? CLaderampe3::kIdFsm : CLaderampe3::kIdLadeeinheiten);
        if (f.nVon == 878)
            rampe->StreifenEditor()->SetButtonFocus(878);
        else if (f.nVon == 1341)
            rampe->Liste()->Canvas()->setFocus();
        else
            rampe->Control(f.nVon)->setFocus();
        ASSERT_EQ(fokusId(), f.nVon);
        QTest::keyClick(view->focusWidget(), Qt::Key_Tab, f.bZurueck ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(fokusId(), f.nNach);
        if (auto* edit = qobject_cast<QLineEdit*>(view->focusWidget()); edit && !edit->text().isEmpty()) {
            EXPECT_EQ(edit->selectedText(), edit->text());
        }
    }

    // Up and Down switch the radio buttons, and the strip follows.
    rampe->OnBefehl(CLaderampe3::kIdLadeeinheiten);
    rampe->Control(1348)->setFocus();
    QTest::keyClick(rampe->Control(1348), Qt::Key_Down);
    EXPECT_TRUE(static_cast<QRadioButton*>(rampe->Control(1349))->isChecked());
    EXPECT_FALSE(static_cast<QRadioButton*>(rampe->Control(1348))->isChecked());
    EXPECT_EQ(fokusId(), 1349);
    EXPECT_GE(rampe->GetEintrag()->item.m_nArt, 5);
    QTest::keyClick(rampe->Control(1349), Qt::Key_Up);
    EXPECT_TRUE(static_cast<QRadioButton*>(rampe->Control(1348))->isChecked());

    // Enter on the editor button opens the editor with the strip's filter; on the clear button it clears.
    rampe->Adapter()->SetFilter(0, QStringLiteral("Eu"), true);
    QTest::keyClick(rampe->Control(878), Qt::Key_Return);
    ASSERT_EQ(editorAufrufe.size(), 1u);
    EXPECT_EQ(editorAufrufe[0], std::make_pair(QStringLiteral("0"), QStringLiteral("Eu")));
    EXPECT_TRUE(rampe->Control(1341)->isVisible()) << "the panel is back after the editor";
    QTest::keyClick(rampe->Control(1342), Qt::Key_Return);
    QString suche;
    rampe->Adapter()->GetFilter(nullptr, &suche);
    EXPECT_TRUE(suche.isEmpty());
    // Without an item browser the disabled editor button is passed over.
    CLaderampe3::SetEditorOeffner(nullptr);
    rampe->AktualisiereKnoepfe();
    rampe->Control(1344)->setFocus();
    QTest::keyClick(rampe->Control(1344), Qt::Key_Tab);
    EXPECT_EQ(fokusId(), 1341);
}

TEST_F(LaderampeTest, LoadUnitsWhileShownAreNotRefilled)
{
    Aufbauen();
    HListboxItem* vorher = rampe->Liste()->GetItem(0);
    rampe->OnBefehl(CLaderampe3::kIdLadeeinheiten);
    EXPECT_EQ(rampe->Liste()->GetItem(0), vorher);
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    rampe->OnBefehl(CLaderampe3::kIdFsm);
    EXPECT_TRUE(static_cast<QRadioButton*>(rampe->Control(1349))->isChecked());
    rampe->OnBefehl(CLaderampe3::kIdLadeeinheiten);
    EXPECT_TRUE(static_cast<QRadioButton*>(rampe->Control(1348))->isChecked());
    EXPECT_EQ(rampe->GetEintrag()->item.m_nArt, 0);
}

TEST_F(LaderampeTest, AnEntryDeletedThroughAnotherStripLeavesTheRamp)
{
    Aufbauen();
    const sHLBItemData* palette = rampe->GetEintrag();
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(palette->item.m_strName, "Euro pallet");
    const fs::path datei = palette->path;
    // A second strip on the same catalogue deletes the entry the ramp holds.
    StripWindow zweite(kHlbOwnerDrawn);
    CHlbAdapter adapter(catalogue);
    adapter.SetConfirmDelete([](const QString&, const QString&) { return true; });
    adapter.Attach(zweite.list);
    for (int i = 0; i < zweite.list->GetItemCount(); ++i)
        if (zweite.list->GetItem(i)->ownerData == palette)
            adapter.SelectItem(i, false);
    ASSERT_EQ(adapter.SelectedEntry(), palette);
    ASSERT_TRUE(adapter.DeleteSelectedItem());
    EXPECT_FALSE(fs::exists(datei));
    EXPECT_NE(rampe->GetEintrag(), palette);
    if (rampe->GetEintrag()) {
        EXPECT_TRUE(rampe->Adapter()->Shows(rampe->GetEintrag()));
    }
    // Painting and pressing where the block stood touch nothing freed.
    rampe->Bild();
    Druecken(QPoint(rampe->GetRampenRect().center().x(), 20));
    Loslassen(QPoint(rampe->GetRampenRect().center().x(), 20));
    EXPECT_TRUE(view->starts.empty());

    // Filtered out by this strip's own filter: no block either.
    Waehle("Box");
    rampe->Adapter()->SetFilter(0, QStringLiteral("zzz"), true);
    EXPECT_EQ(rampe->GetEintrag(), nullptr);
    EXPECT_TRUE(rampe->GetBlockRect().isEmpty());
}

} // namespace
