// The multi view on the sample combinations: where the two vehicles and their axle-load pictures land,
// switching the vehicle worked on by a click, and the report pictures of each export part.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/SampleDocument.h"
#include "views/CQORMultiView.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");

void Speichere(const QImage& img, const QString& name)
{
    QDir().mkpath(kArtefakte);
    EXPECT_TRUE(img.save(kArtefakte + "/" + name)) << name.toStdString();
}

bool Weiss(const QImage& img, const QRect& rc)
{
    const QRect r = rc.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
}

class HinweisHost : public DocumentHost
{
public:
    void UpdateAllViews(UpdateHinweis eHinweis, bool) override { hints.push_back(eHinweis); }
    std::vector<UpdateHinweis> hints;
};

class MultiViewTest : public ::testing::Test
{
protected:
    // The trailer's document with its towing vehicle (or a single vehicle), the view set up on it.
    void Oeffne(const char* title, const char* zug = nullptr)
    {
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f);
        if (zug) {
            auto z = LoadSampleVehicle(zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        D().SetHost(&host);
        D().SetFahrzeug(f.release());
        D().OnDocumentOpened();
        D().SetAktivIndex(CQOR1Doc::kAktivAnhaenger, false, false);
        view = std::make_unique<CQORMultiView>(&D());
        view->SetProgramRun(&run);
        view->resize(1600, 1000);
        view->OnInitialUpdate();
        Bild();
        host.hints.clear();
    }

    void Last(CFahrzeug& f, double x, double t)
    {
        AddBoxLoad(f, x, t);
        D().OnFahrzeugChanged(false);
    }

    QImage Bild() { return view->RenderPicture(QSize(1600, 1000)); }
    int Px(double m) const { return view->MetresToPixels(m); }
    QWidget* VP() { return view->viewport(); }
    void Klicke(QPoint pt)
    {
        QMouseEvent e(QEvent::MouseMove, pt, VP()->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(VP(), &e);
        QTest::mouseClick(VP(), Qt::LeftButton, Qt::NoModifier, pt);
    }

    EnglishModule module;
    ProgramRun run;
    ScriptedViewShell shell{run};
    ScriptedSliderFactory sliders{run};
    ScriptedPlanDialogs dialogs{run};
    HinweisHost host;
    std::unique_ptr<CQOR1Doc> m_pDoc = std::make_unique<CQOR1Doc>();
    std::unique_ptr<CQORMultiView> view;
    CQOR1Doc& D() { return *m_pDoc; }
    void Neu()
    {
        view.reset();
        host.hints.clear();
        m_pDoc = std::make_unique<CQOR1Doc>();
    }
};

TEST_F(MultiViewTest, SingleVehicleDrawsAsTheTemplateViewWithOneAxleLoadPicture)
{
    for (const char* title : {"LKW", "GDA", "SZM"}) {
        SCOPED_TRACE(title);
        Neu();
        Oeffne(title);
        EXPECT_FALSE(view->HasTowingPair());
        view->ShowDiagramm(true);
        const QImage multi = Bild();
        EXPECT_FALSE(view->GetHotRect(53).isEmpty());
        EXPECT_TRUE(view->GetHotRect(54).isEmpty());
        EXPECT_TRUE(view->GetAnimRect(2).isEmpty());
        EXPECT_TRUE(view->GetAnimRect(3).isEmpty());

        CQOR1View vorlage(&D());
        vorlage.SetProgramRun(&run);
        vorlage.resize(1600, 1000);
        vorlage.OnInitialUpdate();
        vorlage.ShowDiagramm(true);
        EXPECT_EQ(vorlage.RenderPicture(QSize(1600, 1000)), multi);
        EXPECT_EQ(vorlage.GetLadeflaecheRect(), view->GetLadeflaecheRect());
        EXPECT_EQ(vorlage.GetOriginX(), view->GetOriginX());
    }
}

TEST_F(MultiViewTest, CombinationsDrawBothVehiclesWithTheirOwnAxleLoadPictures)
{
    const struct
    {
        const char* anhaenger;
        const char* zug;
        const char* bild;
        bool bTiefer; // the trailer's axle-load picture goes lower
    } faelle[] = {{"GDA", "LKW", "multi_truck_drawbar.png", false},
                  {"SDA", "LKW", "multi_truck_rigid_drawbar.png", true},
                  {"SAH", "SZM", "multi_tractor_semitrailer.png", true}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.bild);
        Neu();
        Oeffne(c.anhaenger, c.zug);
        ASSERT_TRUE(view->HasTowingPair());
        Last(*D().GetFahrzeug(), 1.5, 2.0);
        const QImage img = Bild();
        Speichere(img, c.bild);

        CFahrzeug& anh = *D().GetFahrzeug();
        CFahrzeug& zug = *D().GetZugfahrzeug();
        const int x = view->GetZugOriginX();
        const int x2 = view->GetAnhaengerOriginX();
        EXPECT_EQ(x2, x + Px(D().GetAnhaengerVersatz()));
        // The trailer is worked on: its load area is the view's, measured from its own front.
        const QRect lf = view->GetLadeflaecheRect();
        EXPECT_EQ(lf.left(), x2);
        EXPECT_EQ(view->GetGesamtLadeflaeche().left(), x);
        EXPECT_EQ(view->GetOriginX(), x2);
        EXPECT_NEAR(view->PixelToPosition(QPoint(x2 + Px(1.0), 0)), 1.0 - anh.GetRandabstand(0), 0.031);

        // Two axle-load pictures: the trailer's (worked on, 53) and the towing vehicle's (54, pale).
        const QRect aktiv = view->GetHotRect(53), anders = view->GetHotRect(54);
        ASSERT_FALSE(aktiv.isEmpty());
        ASSERT_FALSE(anders.isEmpty());
        EXPECT_LT(anders.left(), aktiv.left());
        if (c.bTiefer)
            EXPECT_GT(aktiv.top(), anders.top());
        else
            EXPECT_EQ(aktiv.top(), anders.top());
        // Only the picture worked on leaves its per-axle hot spots.
        for (int i = 0; i < anh.GetAchsanzahl(); ++i) {
            SCOPED_TRACE(i);
            const QRect zul = view->GetHotRect(21 + i);
            ASSERT_FALSE(zul.isEmpty());
            EXPECT_TRUE(aktiv.contains(zul.center()));
            EXPECT_FALSE(anders.contains(zul.center()));
        }
        EXPECT_TRUE(view->GetHotRect(21 + anh.GetAchsanzahl()).isEmpty() ||
                    aktiv.contains(view->GetHotRect(21 + anh.GetAchsanzahl()).center()));
        // Four hint animations, two per vehicle.
        for (int i = 0; i < 4; ++i)
            EXPECT_FALSE(view->GetAnimRect(i).isEmpty()) << i;
        // The towing vehicle's supports and titles are the inactive grey; the trailer's supports blue.
        auto zaehle = [&img](const QRect& rc, QRgb farbe) {
            int n = 0;
            for (int yy = rc.top(); yy <= rc.bottom(); ++yy)
                for (int xx = rc.left(); xx <= rc.right(); ++xx)
                    n += (img.pixel(xx, yy) & 0xFFFFFF) == farbe ? 1 : 0;
            return n;
        };
        const QRect links(anders.topLeft(),
                          QPoint(std::min(anders.right(), aktiv.left() - 1), anders.bottom()));
        EXPECT_GT(zaehle(links, 0xDCDCDC), 50);
        EXPECT_EQ(zaehle(links, 0x007ADE), 0);
        EXPECT_GT(zaehle(aktiv, 0x007ADE), 50);
        // The scroll size reaches below both pictures and beyond the trailer's load area.
        EXPECT_GE(view->GetTotalSize().height(), std::max(aktiv.bottom(), anders.bottom()));
        EXPECT_GE(view->GetTotalSize().width(), x2 + Px(anh.GetLFLaenge()));

        // Each vehicle keeps its own curve: the towing vehicle worked on has its own load area.
        ASSERT_TRUE(D().SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false));
        const QImage img2 = Bild();
        Speichere(img2,
                  QString::fromLatin1(c.bild).replace(QStringLiteral(".png"), QStringLiteral("_towing.png")));
        if (zug.GetArt() != FahrzeugArt::kSattelzugmaschine) {
            EXPECT_EQ(view->GetLadeflaecheRect().left(), x);
            EXPECT_EQ(view->GetLadeflaecheRect().width(), Px(zug.GetLFLaenge()));
            EXPECT_EQ(view->GetOriginX(), x);
            EXPECT_EQ(view->GetDIBFahrzeug()->GetFahrzeug(), &zug);
            EXPECT_NE(img2, img);
        } else {
            // A tractor worked on keeps the semi-trailer's origin for positions.
            EXPECT_EQ(view->GetOriginX(), x2);
        }
        // Now the truck's picture is the one worked on.
        EXPECT_LT(view->GetHotRect(53).left(), view->GetHotRect(54).left());
    }
}

TEST_F(MultiViewTest, TonneLinesLeaveTheGapBetweenTheLoadAreas)
{
    Oeffne("GDA", "LKW");
    const QImage img = Bild();
    const int zugEnde = view->GetZugOriginX() + Px(D().GetZugfahrzeug()->GetLFLaenge());
    const int anhStart = view->GetAnhaengerOriginX();
    ASSERT_GT(anhStart - zugEnde, 6);
    // Over the whole height of the rulers' tonne scale, the gap holds no tonne line.
    const QRect lf = view->GetGesamtLadeflaeche();
    const QRect luecke(QPoint(zugEnde + 2, lf.top() + 2), QPoint(anhStart - 3, lf.bottom() - 40));
    int linien = 0;
    for (int yy = luecke.top(); yy <= luecke.bottom(); ++yy) {
        bool ganz = true;
        for (int xx = luecke.left(); xx <= luecke.right(); ++xx)
            ganz = ganz && (img.pixel(xx, yy) & 0xFFFFFF) != 0xFFFFFF;
        linien += ganz ? 1 : 0;
    }
    EXPECT_EQ(linien, 0);
}

TEST_F(MultiViewTest, ClickOnTheOtherAxleLoadPictureSwitchesWithoutDragOrSelection)
{
    Oeffne("GDA", "LKW");
    const QRect anders = view->GetHotRect(54);
    ASSERT_FALSE(anders.isEmpty());
    Klicke(anders.center());
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivZugfahrzeug);
    EXPECT_FALSE(view->IsDragging());
    EXPECT_EQ(view->GetSelZL(), nullptr);
    EXPECT_FALSE(view->IsAchseSelected());
    EXPECT_EQ(std::count(host.hints.begin(), host.hints.end(), UpdateHinweis::kBearbeitet), 1);

    // And back: the trailer's picture is now the other one.
    Bild();
    const QRect zurueck = view->GetHotRect(54);
    ASSERT_FALSE(zurueck.isEmpty());
    EXPECT_NE(zurueck, anders);
    Klicke(zurueck.center());
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);

    // A click on the picture worked on switches nothing.
    Bild();
    Klicke(view->GetHotRect(53).center());
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
}

TEST_F(MultiViewTest, ClickOnTheOtherVehiclesDrawingSwitchesAndExchangesTheAreas)
{
    Oeffne("GDA", "LKW");
    const QRect aktiv = view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv);
    const QRect anders = view->GetHotSpot(IPlanDrawView::kHotFahrzeugAnders);
    ASSERT_FALSE(anders.isEmpty());
    ASSERT_FALSE(aktiv.isEmpty());
    const QPoint pt(anders.center().x(), anders.top() + 5);
    Klicke(pt);
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivZugfahrzeug);
    EXPECT_EQ(view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv), anders);
    EXPECT_EQ(view->GetHotSpot(IPlanDrawView::kHotFahrzeugAnders), aktiv);
    // The next paint agrees with the exchange.
    Bild();
    EXPECT_TRUE(view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv).contains(pt));
}

// The whole drawing of a vehicle is its area: a click on the tractor's cab, ahead of every load area,
// makes the tractor the vehicle worked on, and a click on the semi-trailer's drawing makes it again.
TEST_F(MultiViewTest, ClickOnTheTractorsCabMakesTheTractorTheVehicleWorkedOn)
{
    Oeffne("SAH", "SZM");
    ASSERT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
    const QRect zug = view->GetHotSpot(IPlanDrawView::kHotFahrzeugAnders);
    const QRect anh = view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv);
    ASSERT_FALSE(zug.isEmpty());
    ASSERT_FALSE(anh.isEmpty());
    const QRect lineal = view->GetHotSpot(IPlanDrawView::kHotLineal);
    // The cab stands ahead of the load areas, and the drawing reaches down to the wheels below the floor.
    EXPECT_LT(zug.left(), lineal.left() - Px(1.0));
    EXPECT_GT(zug.bottom(), lineal.bottom());
    const QPoint kabine(zug.left() + Px(0.5), zug.center().y());
    ASSERT_FALSE(anh.contains(kabine));
    Klicke(kabine);
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivZugfahrzeug);
    // Back with a click on the semi-trailer's drawing behind the tractor.
    Bild();
    const QRect zurueck = view->GetHotSpot(IPlanDrawView::kHotFahrzeugAnders);
    ASSERT_FALSE(zurueck.isEmpty());
    const QPoint auflieger(zurueck.right() - Px(1.0), zurueck.center().y());
    ASSERT_FALSE(view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv).contains(auflieger));
    Klicke(auflieger);
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
}

TEST_F(MultiViewTest, ClickInsideTheItemBeingEditedDoesNothing)
{
    Oeffne("GDA", "LKW");
    CFahrzeug& f = *D().GetFahrzeug();
    auto* zl = new tagZLINFO;
    zl->m_nTyp = 2;
    zl->m_strName = "Item";
    zl->m_dPosX = 2.0;
    zl->m_dMasse = 0.5;
    f.AddZL(std::unique_ptr<tagZLINFO>(zl));
    D().OnFahrzeugChanged(false);
    Bild();
    const std::vector<SGuiZL>& items = view->GetDIBFahrzeug()->GetZL();
    ASSERT_FALSE(items.empty());
    const QPoint pt = items.front().m_rc.center();
    Klicke(pt);
    ASSERT_EQ(view->GetSelZL(), zl);
    ASSERT_TRUE(view->OnBefehl(32848)); // move the item: it is the one being edited now
    ASSERT_TRUE(view->GetLadeflaecheRect().contains(pt));
    const ScriptedSlider* vorher = sliders.m_pLast;
    view->ClearSelection(false);
    Klicke(pt);
    EXPECT_EQ(view->GetSelZL(), nullptr);
    EXPECT_FALSE(view->IsDragging());
    EXPECT_EQ(sliders.m_pLast, vorher);
    EXPECT_EQ(D().GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
}

TEST_F(MultiViewTest, ExportPartsWriteTheirVehiclesPictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    auto pfad = [&](const char* name) { return QString::fromStdString((folder / name).string()); };

    Oeffne("GDA", "LKW");
    Last(*D().GetFahrzeug(), 2.0, 3.0);
    // Part 0: no picture at all.
    view->SetExportTeil(0);
    EXPECT_TRUE(Weiss(view->RenderExport(648), QRect(0, 0, 648, 532)));

    ASSERT_TRUE(view->ExportBilder(1, 648, 0, true, folder));
    const QImage sup(pfad("Fahrzeug_SUP.bmp"));
    EXPECT_EQ(sup.size(), QSize(648, 532));
    Speichere(sup, "multi_export_sup.png");
    // The upper chart is the towing vehicle's.
    CFahrzeug& zug = *D().GetZugfahrzeug();
    EXPECT_TRUE(QFile::exists(pfad("Rld_SUP.bmp")));
    CFahrzeugDiagrammBild zugBild;
    zug.m_Diagramm.BuildCurve(0.0f);
    zug.m_Diagramm.m_bNeuZeichnen = true;
    ASSERT_TRUE(zugBild.Draw(zug));
    EXPECT_EQ(QImage(pfad("Rld_SUP.bmp")).convertToFormat(QImage::Format_RGB32),
              zugBild.GetImage().convertToFormat(QImage::Format_RGB32));

    ASSERT_TRUE(view->ExportBilder(2, 648, 0, true, folder));
    const QImage inf(pfad("Fahrzeug_INF.bmp"));
    Speichere(inf, "multi_export_inf.png");
    EXPECT_TRUE(QFile::exists(pfad("Rld_INF.bmp")));
    EXPECT_NE(sup, inf);
    EXPECT_FALSE(view->IsBildExport());

    // A tractor exports its picture but never a chart.
    Neu();
    Oeffne("SAH", "SZM");
    ASSERT_TRUE(view->ExportBilder(1, 648, 0, true, folder));
    EXPECT_TRUE(QFile::exists(pfad("Fahrzeug_SUP.bmp")));
    EXPECT_FALSE(QFile::exists(pfad("Rld_SUP.bmp")));
    Speichere(QImage(pfad("Fahrzeug_SUP.bmp")), "multi_export_tractor_sup.png");
    ASSERT_TRUE(view->ExportBilder(2, 648, 0, true, folder));
    EXPECT_TRUE(QFile::exists(pfad("Rld_INF.bmp")));
    // The 13.6 m semi-trailer and the tractor's picture of the pair end inside their pictures.
    const QImage sah(pfad("Fahrzeug_INF.bmp"));
    Speichere(sah, "multi_export_semitrailer_inf.png");
    EXPECT_TRUE(Weiss(sah, QRect(642, 0, 6, 532)));
    EXPECT_TRUE(Weiss(QImage(pfad("Fahrzeug_SUP.bmp")), QRect(642, 0, 6, 532)));
}

// Each report picture of a pair draws its vehicle on that vehicle's own scale and curve, whichever of the
// two is worked on.
TEST_F(MultiViewTest, EachExportPartDrawsItsOwnVehiclesChart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    const struct
    {
        const char* anh;
        const char* zug;
    } faelle[] = {{"GDA", "LKW"}, {"SAH", "SZM"}};
    for (const auto& c : faelle) {
        Neu();
        Oeffne(c.anh, c.zug);
        Last(*D().GetFahrzeug(), 2.0, 3.0);
        for (int aktiv : {CQOR1Doc::kAktivZugfahrzeug, CQOR1Doc::kAktivAnhaenger}) {
            ASSERT_TRUE(D().SetAktivIndex(aktiv, false, false));
            for (int teil : {1, 2}) {
                SCOPED_TRACE(std::string(c.anh) + " " + std::to_string(aktiv) + " " + std::to_string(teil));
                CFahrzeug* f = teil == 1 ? D().GetZugfahrzeug() : D().GetFahrzeug();
                ASSERT_TRUE(view->ExportBilder(teil, 648, 0, false, folder));
                EXPECT_EQ(view->GetKoordSys().GetTonnenSchritte(),
                          std::max(1, static_cast<int>(f->GetMaxNutzlast(true) + 0.99)));
                EXPECT_EQ(view->GetHotSpot(IPlanDrawView::kHotFahrzeugAktiv).width(),
                          Px(f->GetLFLaenge()) + 1);
            }
        }
    }
}

TEST_F(MultiViewTest, TractorWorkedOnGetsNoChart)
{
    Oeffne("SAH", "SZM");
    ASSERT_TRUE(D().SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false));
    view->ShowDiagramm(true);
    Bild();
    // The semi-trailer is the vehicle with the load area: its chart stands behind it, right of the
    // rulers' figures and title beside its end.
    const QRect chart = view->GetChartRect();
    ASSERT_FALSE(chart.isEmpty());
    const int nEnde = view->GetAnhaengerOriginX() + Px(D().GetFahrzeug()->GetLFLaenge());
    EXPECT_GE(chart.left(), nEnde);
    EXPECT_LE(chart.left(), nEnde + 200);
}

// The printed page shows the screen's picture whole, only larger: nothing falls off any edge of an A4
// page, upright or across, and the payload chart keeps the screen's proportions (its height in metres of
// the length scale), for each vehicle kind and both combinations.
TEST_F(MultiViewTest, PrintedPageShowsTheWholeDrawingAsTheScreenDoes)
{
    const struct
    {
        const char* title;
        const char* zug;
    } fahrzeuge[] = {{"LKW", nullptr}, {"GDA", nullptr}, {"SDA", nullptr}, {"SAH", nullptr},
                     {"SZM", nullptr}, {"SAH", "SZM"},   {"GDA", "LKW"}};
    const struct
    {
        QSize seite;
        int teil;
    } seiten[] = {{QSize(827, 1169), 1}, {QSize(1169, 827), 1}, {QSize(4961, 7016), 6}};
    for (const auto& f : fahrzeuge) {
        Neu();
        Oeffne(f.title, f.zug);
        Bild();
        const double dSchirm = view->GetGesamtLadeflaeche().height() / static_cast<double>(Px(10.0));
        ASSERT_GT(dSchirm, 0.0);
        for (const auto& s : seiten) {
            SCOPED_TRACE(std::string(f.title) + (f.zug ? std::string(" + ") + f.zug : std::string()) + " " +
                         std::to_string(s.seite.width()) + " x " + std::to_string(s.seite.height()));
            view->OnBeginPrinting(QRect(QPoint(0, 0), s.seite));
            const QImage bild = PaintPageWithRoom(*view, s.seite, s.teil);
            const QSize blatt = s.seite / s.teil;
            const QRect seite(QPoint(blatt.width() / 2, blatt.height() / 2), blatt);
            const QRect tinte = InkBounds(bild);
            ASSERT_FALSE(tinte.isEmpty());
            EXPECT_TRUE(seite.contains(tinte))
                << "ink from (" << tinte.left() << ", " << tinte.top() << ") to (" << tinte.right() << ", "
                << tinte.bottom() << "), the page from (" << seite.left() << ", " << seite.top() << ") to ("
                << seite.right() << ", " << seite.bottom() << ")";
            const double dSeite = view->GetGesamtLadeflaeche().height() / static_cast<double>(Px(10.0));
            EXPECT_NEAR(dSeite / dSchirm, 1.0, 0.02) << "the chart's height against its length";
            if (s.teil == 1 && !f.zug && std::string(f.title) == "LKW")
                Speichere(bild.copy(seite), s.seite.width() < s.seite.height()
                                                ? "print_page_truck.png"
                                                : "print_page_truck_across.png");
            if (s.teil == 1 && f.zug)
                Speichere(bild.copy(seite), QStringLiteral("print_page_%1_%2_%3.png")
                                                .arg(f.title, f.zug)
                                                .arg(s.seite.width() < s.seite.height() ? "up" : "across"));
            view->OnEndPrinting();
        }
    }
}

TEST_F(MultiViewTest, PrintedPairKeepsBothVehiclesInsideThePage)
{
    const struct
    {
        const char* anh;
        const char* zug;
        const char* bild;
    } faelle[] = {{"SAH", "SZM", "multi_print_semitrailer.png"}, {"GDA", "LKW", "multi_print_drawbar.png"}};
    const QSize seite(1240, 1754);
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.anh);
        Neu();
        Oeffne(c.anh, c.zug);
        view->OnBeginPrinting(QRect(QPoint(0, 0), seite));
        EXPECT_LT(view->GetZoom(), CQOR1View::CalcPrintZoom(seite.width(), seite.height()));
        const QImage gross = PaintReduced(*view, seite * 2, 1);
        EXPECT_EQ(InkOutsidePage(gross, seite), 0);
        EXPECT_GT(InkOutsidePage(gross.copy(QRect(QPoint(0, 0), seite)), seite * 9 / 10), 0);
        Speichere(gross.copy(QRect(QPoint(0, 0), seite)), c.bild);
        view->OnEndPrinting();
    }
}

} // namespace
