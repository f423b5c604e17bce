// A printed vehicle drawing against the screen's: each kind of vehicle printed at three times the
// screen's resolution and reduced again must look as the screen draws it at the print's zoom.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/SampleDocument.h"
#include "tests/ui/PictureCompare.h"
#include "ui/CRibBtnContainer.h"
#include "views/CQORMultiView.h"

#include "SampleVehicles.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");

// A landscape A4 page's printable part at the screen's resolution.
constexpr QSize kSeite(1080, 760);
constexpr int kMal = 3;

struct Fall
{
    const char* title;
    const char* zug;
    double dLastX; // where a 4 t load stands, < 0: none
};

class PrintPictureTest : public ::testing::TestWithParam<Fall>
{
protected:
    void Oeffne(const Fall& c)
    {
        auto f = LoadSampleVehicle(c.title);
        ASSERT_TRUE(f);
        if (c.dLastX >= 0.0)
            AddBoxLoad(*f, c.dLastX, 4.0);
        if (c.zug) {
            auto z = LoadSampleVehicle(c.zug);
            ASSERT_TRUE(z);
            CoupleInFront(*f, std::move(z));
        }
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        doc.OnFahrzeugChanged(false);
        view = std::make_unique<CQORMultiView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1400, 800);
        view->OnInitialUpdate();
        view->RenderPicture(QSize(1400, 800));
    }

    EnglishModule module;
    ProgramRun run;
    ScriptedViewShell shell{run};
    ScriptedSliderFactory sliders{run};
    ScriptedPlanDialogs dialogs{run};
    CQOR1Doc doc;
    std::unique_ptr<CQORMultiView> view;
};

TEST_P(PrintPictureTest, PrintLooksAsTheScreenDrawsAtThePrintsZoom)
{
    const Fall& c = GetParam();
    Oeffne(c);
    ASSERT_TRUE(view);
    const QImage druck = view->DruckBild(kSeite * kMal, CQOR1View::kBildschirmDpi * kMal);
    ASSERT_EQ(druck.size(), kSeite * kMal);
    const double z = run.GetDruckZoom();
    ASSERT_GT(z, 0.0);
    EXPECT_DOUBLE_EQ(view->GetZoom(), CQOR1View::kStandardZoom) << "the screen's zoom comes back";

    // The screen's own buttons are not printed: without them the screen draws as the print does.
    if (CRibBtnContainer* knoepfe = view->GetHilfeStrip())
        knoepfe->hide();
    view->SetZoom(z);
    QImage schirm = view->RenderPicture(kSeite).convertToFormat(QImage::Format_RGB32);
    QImage klein = druck.scaled(kSeite, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    // The remarks link is the screen's only: it answers a click.
    const QRect link = view->GetHotSpot(CQOR1View::kHotBemerkung);
    for (QImage* bild : {&schirm, &klein}) {
        QPainter p(bild);
        p.fillRect(link.adjusted(-2, -2, 2, 2), Qt::white);
    }
    const QString name = QStringLiteral("print_") + QString::fromLatin1(c.title);
    QDir().mkpath(kArtefakte);
    klein.save(kArtefakte + QLatin1Char('/') + name + QStringLiteral(".png"));
    schirm.save(kArtefakte + QLatin1Char('/') + name + QStringLiteral("_screen.png"));
    EXPECT_TRUE(PicturesAlike(klein, schirm, 8, 40, QStringLiteral("views/") + name));
}

INSTANTIATE_TEST_SUITE_P(FuenfArten, PrintPictureTest,
                         ::testing::Values(Fall{"LKW", nullptr, 2.0}, Fall{"GDA", nullptr, 1.5},
                                           Fall{"SDA", nullptr, 2.0}, Fall{"SAH", "SZM", 3.0},
                                           Fall{"SZM", nullptr, -1.0}),
                         [](const ::testing::TestParamInfo<Fall>& fall) {
                             return std::string(fall.param.title);
                         });

} // namespace
