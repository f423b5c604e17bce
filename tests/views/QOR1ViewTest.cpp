// The template view drawn offscreen on the sample vehicles: where the load area, the chart and the export
// picture land, positions under the pointer, hot items and how the view follows the document's hints.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/SampleDocument.h"
#include "tests/support/views/StandInViews.h"
#include "views/CQOR1View.h"
#include "views/CTabbedViewView.h"

#include "ui/CRibBtnContainer.h"
#include "ui/ProgramRun.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SYs2X.h"
#include "model/vehicle/tagZLINFO.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

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

class TemplateViewTest : public ::testing::Test
{
protected:
    // The document of a sample (and, for a semi-trailer, its tractor) with the view set up on it.
    void Oeffne(const char* title, const char* zug = nullptr)
    {
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f);
        if (zug) {
            auto z = LoadSampleVehicle(zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<CQOR1View>(&doc);
        view->resize(1400, 700);
        view->OnInitialUpdate();
    }

    void Last(double x, double t)
    {
        CFahrzeug& f = *doc.GetFahrzeug();
        AddBoxLoad(f, x, t);
        doc.OnFahrzeugChanged(false);
    }

    QImage Bild() { return view->RenderPicture(QSize(1400, 700)); }
    int Px(double m) const { return view->MetresToPixels(m); }

    EnglishModule module;
    CQOR1Doc doc;
    std::unique_ptr<CQOR1View> view;
};

TEST_F(TemplateViewTest, TruckWithTwoLoadsAndChartLaysOutLoadAreaAndChartOnTheOriginLine)
{
    Oeffne("LKW");
    Last(1.0, 2.0);
    Last(3.5, 1.5);
    view->ShowDiagramm(true);
    const QImage img = Bild();
    Speichere(img, "template_truck_chart.png");

    CFahrzeug& f = *doc.GetFahrzeug();
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_TRUE(dib);
    const int x = dib->GetDrawLength(view->GetKoordSys().m_nPixProMeter, 0.25) + 12;
    const QRect lf = view->GetLadeflaecheRect();
    EXPECT_EQ(lf.left(), x);
    EXPECT_EQ(lf.width(), Px(f.GetLFLaenge()));
    EXPECT_EQ(lf.bottom() + 1, 313);
    EXPECT_EQ(view->GetOriginX(), x);

    // The chart stands behind the load area, clear of the rulers' figures and title there, with its axis
    // line on the origin line, pixel for pixel.
    const QRect chart = view->GetChartRect();
    ASSERT_FALSE(chart.isEmpty());
    EXPECT_GE(chart.left(), x + Px(f.GetLFLaenge()));
    EXPECT_LE(chart.left(), x + Px(f.GetLFLaenge()) + 200);
    ASSERT_FALSE(view->GetKoordSys().GetTextRects().empty());
    for (const QRect& text : view->GetKoordSys().GetTextRects())
        EXPECT_FALSE(text.intersects(chart)) << "the chart covers a figure of the rulers at " << text.left();
    EXPECT_EQ(chart.top() + CFahrzeugDiagrammBild::kBasis, 313);
    const QImage& bild = view->GetDiagrammBild().GetImage();
    ASSERT_EQ(chart.size(), bild.size());
    int abweichend = 0;
    for (int yy = 0; yy < bild.height(); ++yy)
        for (int xx = 0; xx < bild.width(); ++xx)
            if ((img.pixel(chart.left() + xx, chart.top() + yy) & 0xFFFFFF) !=
                (bild.pixel(xx, yy) & 0xFFFFFF))
                ++abweichend;
    EXPECT_EQ(abweichend, 0);
    // The marker the chart chose is the model's verdict on the two loads.
    const bool gut = f.CheckLadung() == 1 && f.CheckQuerSchwerpunkt() == 1;
    EXPECT_EQ(view->GetDiagrammBild().GetMarke(),
              gut ? CFahrzeugDiagrammBild::kMarkeGut : CFahrzeugDiagrammBild::kMarkeSchlecht);
    // The scroll size makes room for the chart.
    EXPECT_GE(view->GetTotalSize().width(), chart.right());

    // Hidden again, the place behind the load area stays white.
    view->ShowDiagramm(false);
    const QImage ohne = Bild();
    Speichere(ohne, "template_truck.png");
    EXPECT_TRUE(view->GetChartRect().isEmpty());
    EXPECT_TRUE(Weiss(ohne, chart.adjusted(100, 0, 0, 0)));
}

TEST_F(TemplateViewTest, TractorAloneNeverShowsTheChart)
{
    Oeffne("SZM");
    view->ShowDiagramm(true);
    const QImage img = Bild();
    Speichere(img, "template_tractor.png");
    EXPECT_TRUE(view->IsDiagrammShown());
    EXPECT_TRUE(view->GetChartRect().isEmpty());
}

TEST_F(TemplateViewTest, SemiTrailerBehindItsTractorDrawsOnTheTractorsOrigin)
{
    Oeffne("SAH", "SZM");
    view->ShowDiagramm(true);
    const QImage img = Bild();
    Speichere(img, "template_semitrailer.png");
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_TRUE(dib && dib->m_pZugfahrzeug);
    // The tractor stands in front: its kind gives the origin, the semi-trailer's load area follows by the
    // coupling offset.
    const int x = dib->GetDrawLength(view->GetKoordSys().m_nPixProMeter, 0.25) + 12;
    EXPECT_EQ(view->GetOriginX(), x);
    EXPECT_EQ(view->GetLadeflaecheRect().left(), x + Px(doc.GetAnhaengerVersatz()));
    const int nEnde = view->GetLadeflaecheRect().left() + Px(doc.GetFahrzeug()->GetLFLaenge());
    EXPECT_GE(view->GetChartRect().left(), nEnde);
    EXPECT_LE(view->GetChartRect().left(), nEnde + 200);
    for (const QRect& text : view->GetKoordSys().GetTextRects())
        EXPECT_FALSE(text.intersects(view->GetChartRect()))
            << "the chart covers a figure of the rulers at " << text.left();
}

TEST_F(TemplateViewTest, VanDrawsAtFourHundredPixelsPerMetre)
{
    Oeffne("KEP");
    Bild();
    EXPECT_EQ(view->GetKoordSys().m_nPixProMeter, 400);
    EXPECT_EQ(view->GetLadeflaecheRect().width(),
              static_cast<int>(400 * doc.GetFahrzeug()->GetLFLaenge() * 0.25));
    Speichere(Bild(), "template_van.png");
}

TEST_F(TemplateViewTest, VehicleArrivingAfterTheViewGetsItsOwnDrawingAndScale)
{
    // The window is made before its file is read, as the program does it.
    view = std::make_unique<CQOR1View>(&doc);
    view->resize(1400, 700);
    view->OnInitialUpdate();
    EXPECT_TRUE(Weiss(Bild(), QRect(0, 0, 1400, 700)));
    EXPECT_EQ(view->GetDIBFahrzeug(), nullptr);

    doc.SetFahrzeug(LoadSampleVehicle("KEP").release());
    doc.OnDocumentOpened();
    EXPECT_FALSE(Weiss(Bild(), QRect(0, 0, 1400, 700)));
    ASSERT_TRUE(view->GetDIBFahrzeug());
    EXPECT_EQ(view->GetDIBFahrzeug()->GetFahrzeug(), doc.GetFahrzeug());
    EXPECT_EQ(view->GetKoordSys().m_nPixProMeter, 400);
    EXPECT_EQ(view->GetAuflager().GetStuetzenAnzahl(), 2);

    // A truck in its place draws at the ordinary scale again.
    std::unique_ptr<CFahrzeug> alt(doc.GetFahrzeug());
    doc.SetFahrzeug(LoadSampleVehicle("LKW").release());
    doc.OnDocumentOpened();
    Bild();
    alt.reset();
    EXPECT_EQ(view->GetDIBFahrzeug()->GetFahrzeug(), doc.GetFahrzeug());
    EXPECT_EQ(view->GetKoordSys().m_nPixProMeter, CQOR1View::kPixProMeter);
}

TEST_F(TemplateViewTest, ExportCentresTheVehicleForNarrowPictureAreas)
{
    Oeffne("LKW");
    Bild();
    const int screen = view->GetLadeflaecheRect().left();
    const struct
    {
        int nBreite;
        int nVersatz;
    } faelle[] = {{648, 0}, {647, 0}, {900, 0}, {646, 0}, {600, 23}, {400, 123}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.nBreite);
        const QImage img = view->RenderExport(c.nBreite);
        EXPECT_EQ(img.size(), QSize(648, 532));
        EXPECT_EQ(view->GetLadeflaecheRect().left(), screen - 37 + c.nVersatz);
        EXPECT_FALSE(view->IsBildExport());
        if (c.nBreite == 600)
            Speichere(img, "template_export_600.png");
    }
}

// A report picture holds the whole drawing: a vehicle longer than the picture is scaled down to its width
// (the drawing ends inside it and still fills it), one that fits is left as drawn; neither depends on
// where the screen was scrolled to.
TEST_F(TemplateViewTest, ExportShowsLongVehiclesWholeWhereverTheViewIsScrolled)
{
    const struct
    {
        const char* fahrzeug;
        const char* zug;
        bool bVerkleinert;
    } faelle[] = {{"LKW", nullptr, false}, {"SAH", nullptr, true}, {"SAH", "SZM", true}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(std::string(c.fahrzeug) + "+" + (c.zug ? c.zug : ""));
        CQOR1Doc d;
        auto f = LoadSampleVehicle(c.fahrzeug);
        ASSERT_TRUE(f);
        if (c.zug)
            CoupleInFront(*f, LoadSampleVehicle(c.zug));
        d.SetFahrzeug(f.release());
        d.OnDocumentOpened();
        CQOR1View v(&d);
        v.resize(1400, 700);
        v.OnInitialUpdate();
        const QImage img = v.RenderExport(648);
        ASSERT_EQ(img.size(), QSize(648, 532));
        Speichere(img, QStringLiteral("template_export_%1%2.png").arg(c.fahrzeug, c.zug ? c.zug : ""));
        EXPECT_TRUE(Weiss(img, QRect(642, 0, 6, 532))) << "cut at the right edge";
        int nRechts = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = img.width() - 1; x > nRechts; --x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    nRechts = x;
                    break;
                }
        if (c.bVerkleinert) {
            EXPECT_GT(nRechts, 600) << "scaled no smaller than it must";
        }
        // Scaled down, the drawing's lower part leaves the picture's bottom white.
        EXPECT_EQ(Weiss(img, QRect(0, 500, 648, 32)), c.bVerkleinert);

        v.resize(300, 200);
        v.RenderPicture(QSize(300, 200));
        v.horizontalScrollBar()->setValue(v.horizontalScrollBar()->maximum());
        v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
        ASSERT_NE(v.GetScrollPosition(), QPoint());
        EXPECT_EQ(v.RenderExport(648), img) << "the same picture from a scrolled view";
    }
}

TEST_F(TemplateViewTest, ExportWritesThePairOfItsPartAndNoStalePictures)
{
    Oeffne("LKW");
    Last(2.0, 3.0);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    auto alt = [&](const char* name) {
        QFile file(QString::fromStdString((folder / name).string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    };
    const struct
    {
        int nTeil;
        bool bDiagramm;
        const char* fahrzeug;
        const char* diagramm;
    } faelle[] = {{1, true, "Fahrzeug_SUP.bmp", "Rld_SUP.bmp"},
                  {2, true, "Fahrzeug_INF.bmp", "Rld_INF.bmp"},
                  {1, false, "Fahrzeug_SUP.bmp", "Rld_SUP.bmp"}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.fahrzeug);
        alt(c.fahrzeug);
        alt(c.diagramm);
        ASSERT_TRUE(view->ExportBilder(c.nTeil, 648, 40, c.bDiagramm, folder));
        EXPECT_EQ(QImage(QString::fromStdString((folder / c.fahrzeug).string())).size(), QSize(648, 492));
        const QImage chart(QString::fromStdString((folder / c.diagramm).string()));
        if (c.bDiagramm) {
            EXPECT_EQ(chart.size(), QSize(CFahrzeugDiagrammBild::kBreite, CFahrzeugDiagrammBild::kHoehe));
            EXPECT_EQ(chart.convertToFormat(QImage::Format_RGB32),
                      view->GetDiagrammBild().GetImage().convertToFormat(QImage::Format_RGB32));
        } else {
            EXPECT_FALSE(std::filesystem::exists(folder / c.diagramm));
        }
    }
    // Export number 0 writes nothing; a missing folder fails and reports it.
    EXPECT_FALSE(view->ExportBilder(0, 648, 0, true, folder));
    EXPECT_FALSE(view->ExportBilder(1, 648, 0, true, folder / "missing"));
    EXPECT_FALSE(view->IsBildExport());
}

TEST_F(TemplateViewTest, TractorExportsItsPictureButNoChart)
{
    Oeffne("SZM");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    QFile old(QString::fromStdString((folder / "Rld_SUP.bmp").string()));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    EXPECT_TRUE(view->ExportBilder(1, 648, 0, true, folder));
    EXPECT_TRUE(std::filesystem::exists(folder / "Fahrzeug_SUP.bmp"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Rld_SUP.bmp"));
}

TEST(TemplateViewPrint, PrintZoomFitsThePageLessItsMargin)
{
    const struct
    {
        int h, v;
        double z;
    } faelle[] = {{1900, 2750, 1895 / 1900.0},
                  {4960, 7016,
                   (4960 - 13) / 1900.0 < (7016 - 12) / 2750.0 ? (4960 - 13) / 1900.0 : (7016 - 12) / 2750.0},
                  {3800, 2750, 2745 / 2750.0},
                  {379, 10000, 379 / 1900.0}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.h);
        EXPECT_DOUBLE_EQ(CQOR1View::CalcPrintZoom(c.h, c.v), c.z);
    }
}

TEST_F(TemplateViewTest, PrintingIntoAPdfUsesThePageZoomAndRestoresTheView)
{
    Oeffne("LKW");
    view->ShowDiagramm(true);
    Bild();
    const QSize total = view->GetTotalSize();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("template.pdf"));
    ASSERT_TRUE(view->PrintToPdf(path));
    // The page is drawn as the screen draws it, enlarged to the printer's resolution: its zoom is
    // that of the page measured in screen pixels.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRect seite = printer.pageLayout().paintRectPixels(CQOR1View::kBildschirmDpi);
    const double z = CQOR1View::CalcPrintZoom(seite.width(), seite.height());
    // The truck is longer than the page's zoom allows for: fitted, and kept for the program.
    EXPECT_LT(view->GetProgramRun().GetDruckZoom(), z);
    EXPECT_GT(view->GetProgramRun().GetDruckZoom(), 0.7 * z);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 1000);
    // What the page shows, for people to look at: an A4 page at 150 dpi.
    view->OnBeginPrinting(QRect(0, 0, 1240, 1754));
    EXPECT_LT(view->GetZoom(), 1751 / 2750.0);
    const QImage gross = view->RenderPicture(QSize(2480, 3508));
    EXPECT_EQ(InkOutsidePage(gross, QSize(1240, 1754)), 0);
    Speichere(gross.copy(0, 0, 1240, 1754), "template_print.png");
    // The chart belongs to the screen only.
    EXPECT_TRUE(view->GetChartRect().isEmpty());
    view->OnEndPrinting();
    // The screen picture is as before.
    EXPECT_DOUBLE_EQ(view->GetZoom(), 0.25);
    EXPECT_FALSE(view->IsPrinting());
    Bild();
    EXPECT_EQ(view->GetTotalSize(), total);
}

// Prints the open vehicle onto a page of the size and checks the drawing keeps inside it: at the page's
// own zoom when it fits so, else at a lower one that still reaches near the page's edge.
void PruefeDruckseite(CQOR1View& view, const QSize& seite, bool bPageZoom, const char* bild)
{
    SCOPED_TRACE(std::to_string(seite.width()) + " x " + std::to_string(seite.height()));
    const double z = CQOR1View::CalcPrintZoom(seite.width(), seite.height());
    view.OnBeginPrinting(QRect(QPoint(0, 0), seite));
    if (bPageZoom)
        EXPECT_DOUBLE_EQ(view.GetZoom(), z);
    else
        EXPECT_LT(view.GetZoom(), z);
    EXPECT_DOUBLE_EQ(view.GetProgramRun().GetDruckZoom(), view.GetZoom());
    // A printer's page (1200 dpi) is drawn reduced: the same figure, cheaper.
    const int teil = seite.width() > 4000 ? 8 : 1;
    const QImage gross = PaintReduced(view, seite * 2 / teil, teil);
    EXPECT_EQ(InkOutsidePage(gross, seite / teil), 0);
    const QImage blatt = gross.copy(QRect(QPoint(0, 0), seite / teil));
    if (!bPageZoom) {
        EXPECT_GT(InkOutsidePage(blatt, seite / teil * 9 / 10), 0) << "not shrunk further than needed";
    }
    if (bild)
        Speichere(blatt, bild);
    view.OnEndPrinting();
}

TEST_F(TemplateViewTest, PrintedTruckKeepsInsideEveryPageAndFitsALandscapeOneAtItsZoom)
{
    Oeffne("LKW");
    Bild();
    PruefeDruckseite(*view, QSize(1240, 1754), false, nullptr);
    PruefeDruckseite(*view, QSize(9917, 14033), false, nullptr);
    PruefeDruckseite(*view, QSize(1754, 1240), true, "template_print_landscape.png");
}

TEST_F(TemplateViewTest, PrintedVanKeepsInsideThePage)
{
    Oeffne("KEP");
    Bild();
    PruefeDruckseite(*view, QSize(1240, 1754), false, "template_print_van.png");
}

TEST_F(TemplateViewTest, PixelToPositionCountsFromTheUsableAreasFront)
{
    Oeffne("LKW");
    doc.GetFahrzeug()->m_NutzLF[0].m_dRand[0] = 0.3;
    Bild();
    const QRect lf = view->GetLadeflaecheRect();
    EXPECT_DOUBLE_EQ(view->PixelToPosition(QPoint(lf.left(), 200)), -0.3);
    const double proMeter = view->GetKoordSys().m_nPixProMeter * 0.25;
    EXPECT_NEAR(view->PixelToPosition(QPoint(lf.left() + static_cast<int>(2 * proMeter), 0)), 2.0 - 0.3,
                0.011);
}

TEST_F(TemplateViewTest, PositionInfoIsClampedToTheLoadAreaAndTakesTheModelsCurve)
{
    Oeffne("LKW");
    CFahrzeug& f = *doc.GetFahrzeug();
    f.m_NutzLF[0].m_dRand[0] = 0.3;
    Bild();
    const QRect lf = view->GetLadeflaecheRect();
    const double L = f.GetLFLaenge();
    const struct
    {
        QPoint pt;
        int nAntwort;
        double dPos; // NaN: the pointer's own position
    } faelle[] = {
        {QPoint(-1, -1), 0, 0.0},
        {QPoint(lf.left() - 200, 100), -1, -0.3},
        {QPoint(lf.right() + 200, 100), 1, L - 0.3},
        {QPoint(lf.left() + lf.width() / 2, 100), 0, std::nan("")},
    };
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.nAntwort);
        CQOR1View::SPositionInfo info;
        EXPECT_EQ(view->CalcPositionInfo(&info, c.pt), c.nAntwort);
        const double p = std::isnan(c.dPos) ? view->PixelToPosition(c.pt) + 0.01 : c.dPos;
        EXPECT_NEAR(info.dPosition, p, 1e-9);
        SYs2X punkt;
        punkt.m_dX = 0.3 + p;
        const bool gueltig = f.CalcKurvenpunkt(&punkt) == 1;
        EXPECT_EQ(info.bGueltig, gueltig);
        if (gueltig) {
            EXPECT_NEAR(info.dNutzlast, std::round(punkt.m_dMaxLast * 100) / 100, 1e-9);
            EXPECT_GE(info.dZweiterWert, 0.0);
        } else {
            EXPECT_EQ(info.dNutzlast, 0.0);
            EXPECT_EQ(info.dZweiterWert, 0.0);
        }
    }
}

TEST_F(TemplateViewTest, AdditionalItemKindsAllowedByVehicleAndItemsPresent)
{
    auto mitZL = [](CFahrzeug& f, int nTyp) {
        auto* zl = new tagZLINFO;
        zl->m_nTyp = nTyp;
        f.AddZL(std::unique_ptr<tagZLINFO>(zl));
    };
    auto ohneZL = [](CFahrzeug& f) { f.m_ZLInfos.clear(); };
    const struct
    {
        const char* fahrzeug;
        int nVorhanden; // item type already on the vehicle, 0 = none
        int erlaubt[4]; // kinds 1, 2, 5, 7
    } faelle[] = {
        {"LKW", 0, {1, 1, 1, 1}}, {"LKW", 1, {0, 1, 1, 1}}, {"LKW", 5, {1, 1, 0, 1}},
        {"SZM", 0, {0, 1, 0, 1}}, {"KEP", 0, {1, 0, 0, 0}}, {"KEP", 1, {0, 0, 0, 0}},
    };
    for (const auto& c : faelle) {
        SCOPED_TRACE(std::string(c.fahrzeug) + " " + std::to_string(c.nVorhanden));
        Oeffne(c.fahrzeug);
        ohneZL(*doc.GetFahrzeug());
        if (c.nVorhanden)
            mitZL(*doc.GetFahrzeug(), c.nVorhanden);
        const int kinds[4] = {1, 2, 5, 7};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(view->CanAddZL(kinds[i]), c.erlaubt[i]) << "kind " << kinds[i];
        view.reset();
        ohneZL(*doc.GetFahrzeug());
        delete doc.GetFahrzeug();
        doc.SetFahrzeug(nullptr);
    }
}

TEST_F(TemplateViewTest, HotItemNeedsThePointFourPixelsInside)
{
    Oeffne("LKW");
    Bild();
    CDIBFahrzeug* dib = view->GetDIBFahrzeug();
    ASSERT_TRUE(dib && dib->GetAchsen().size() >= 2);
    const QRect rc = dib->GetAchsen()[1].m_rc;
    ASSERT_GT(rc.width(), 8);
    EXPECT_TRUE(view->HitHotRect(rc.center()));
    EXPECT_EQ(view->GetDrawArg(), 2);
    EXPECT_EQ(view->GetHotItemRect(), rc);
    EXPECT_FALSE(view->HitHotRect(QPoint(rc.left() + 2, rc.center().y())));
    EXPECT_EQ(view->GetDrawArg(), 0);
    EXPECT_TRUE(view->GetHotItemRect().isNull());
}

TEST_F(TemplateViewTest, HintsDecideBetweenFullPartialAndNoRepaint)
{
    Oeffne("LKW");
    const struct
    {
        UpdateHinweis eHinweis;
        bool bFahrzeug;
        bool bTeilweise;
    } faelle[] = {{UpdateHinweis::kLadungen, true, false},   {UpdateHinweis::kNeuBerechnet, true, false},
                  {UpdateHinweis::kBearbeitet, true, false}, {UpdateHinweis::kNeuZeichnen, true, false},
                  {UpdateHinweis::kLadeflaeche, true, true}, {UpdateHinweis::kLadeflaeche, false, false}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(int(c.eHinweis));
        view->m_bShowFahrzeug = c.bFahrzeug;
        view->OnUpdate(nullptr, c.eHinweis);
        EXPECT_EQ(view->IstTeilweiseAngefordert(), c.bTeilweise);
        Bild();
        EXPECT_EQ(view->WarTeilweise(), c.bTeilweise);
        EXPECT_FALSE(view->IstTeilweiseAngefordert()) << "the paint takes the request";
        Bild();
        EXPECT_FALSE(view->WarTeilweise());
    }
}

TEST_F(TemplateViewTest, APartialPaintIsTheHintedViewsOwn)
{
    Oeffne("LKW");
    CQOR1View andere(&doc);
    andere.resize(1400, 700);
    andere.OnInitialUpdate();
    const QImage voll = Bild();
    view->OnUpdate(nullptr, UpdateHinweis::kLadeflaeche);
    // The other view paints whole; the hinted one paints partly, without the dimension lines and the
    // additions of the vehicle's kind, until its paint has taken the request.
    const QImage anderesBild = andere.RenderPicture(QSize(1400, 700));
    EXPECT_FALSE(andere.WarTeilweise());
    EXPECT_TRUE(anderesBild == voll);
    EXPECT_TRUE(view->IstTeilweiseAngefordert());
    const QImage teil = Bild();
    EXPECT_TRUE(view->WarTeilweise());
    EXPECT_FALSE(teil == voll);
    EXPECT_TRUE(Bild() == voll);
}

TEST_F(TemplateViewTest, ActivationClearsTheSelectedAxle)
{
    Oeffne("LKW");
    view->m_nSelAchse = 2;
    view->OnActivateView(true, view.get(), nullptr);
    EXPECT_EQ(view->m_nSelAchse, -1);
}

TEST(TemplateViewInSplitter, ActiveInTheUpperPaneMovesPictureAndStripByTwoPixels)
{
    EnglishModule module;
    // The views of the window share the program run and with it the active view and the shell, as the
    // program's do.
    ProgramRun run;
    ScriptedViewShell shell{run};
    CQOR1Doc doc;
    doc.SetFahrzeug(LoadSampleVehicle("LKW").release());
    doc.OnDocumentOpened();
    CQOR1View* view = nullptr;
    CTabbedViewView host(&doc, [&view, &run](int kind, CQOR1Doc* pDoc) -> CGetAnsView* {
        CGetAnsView* made =
            kind == CTabbedViewView::kTemplate ? (view = new CQOR1View(pDoc)) : MakeStandInView(kind, pDoc);
        if (made)
            made->SetProgramRun(&run);
        return made;
    });
    shell.m_pHost = &host;
    host.SetProgramRun(&run);
    host.resize(1200, 900);
    host.show();
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->GetHilfeStrip() && view->GetHilfeStrip()->HasWindow());
    ASSERT_TRUE(host.SelectTab(host.FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
    ASSERT_TRUE(view->IsInVisibleSplitterPane());

    const struct
    {
        bool bAktiv;
        int nVersatz;
    } faelle[] = {{false, 0}, {true, -2}, {false, 0}};
    int frei = 0;
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.bAktiv);
        if (c.bAktiv)
            Focus(view);
        else
            Focus(host.GetView(CTabbedViewView::kPlan));
        ASSERT_EQ(view->m_bActive, c.bAktiv);
        view->RenderPicture(QSize(1200, 700));
        if (!c.bAktiv && frei == 0)
            frei = view->GetLadeflaecheRect().left();
        EXPECT_EQ(view->GetDrawShiftX(), c.nVersatz);
        EXPECT_EQ(view->GetDrawShiftY(), c.nVersatz);
        EXPECT_EQ(view->GetLadeflaecheRect().left(), frei + c.nVersatz);
        EXPECT_EQ(view->GetLadeflaecheRect().bottom() + 1, 313 + c.nVersatz);
        view->OnViewNotify(AnsichtMeldung::kRaender, {});
        EXPECT_EQ(view->GetHilfeStrip()->pos(), QPoint(15 + c.nVersatz, 10 + c.nVersatz));
    }
}

} // namespace
