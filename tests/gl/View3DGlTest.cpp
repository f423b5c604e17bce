// The 3D tab of a vehicle's window on screen: pictures of the sample vehicles, steering with mouse and
// keys, when frames are rendered, screenshots and a move to another window.
#include "SampleVehicles.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/ResourceModule.h"
#include "tests/support/SampleDocument.h"
#include "tests/support/views/StandInViews.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ProgramRun.h"
#include "view3d/C3DViewport.h"
#include "view3d/CQOR3DView.h"
#include "view3d/CTimerManager.h"
#include "view3d/ModelCache.h"
#include "view3d/OffscreenFrame.h"
#include "view3d/TextureManager.h"
#include "view3d/View3DDevice.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

const QString kArtifacts = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/view3d");

std::unique_ptr<CFahrzeug> LoadSample(const std::string& title)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (title + ".qor"), 0, nullptr, nullptr, false, nullptr);
}

bool IsWhite(QRgb c)
{
    return qRed(c) >= 250 && qGreen(c) >= 250 && qBlue(c) >= 250;
}

int NonWhite(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            count += IsWhite(image.pixel(x, y)) ? 0 : 1;
    return count;
}

tagLGINFO* Placed(int type, double length, double width, double height, double along, double across,
                  double mass)
{
    auto* load = new tagLGINFO;
    load->m_nTyp = type;
    load->m_dLaenge = length;
    load->m_dBreite = width;
    load->m_dHoehe = height;
    load->m_dPosX = along;
    load->m_dPosY = across;
    load->m_dMasse = mass;
    load->m_dSPMasse = mass;
    load->m_dSPLaenge = length / 2;
    load->m_dSPBreite = width / 2;
    load->m_dSPHoehe = height / 2;
    return load;
}

CGetAnsView* MakeView(int kind, CQOR1Doc* doc, View3DDevice& device)
{
    switch (kind) {
    case CTabbedViewView::kTemplate:
        return new CQOR1View(doc);
    case CTabbedViewView::kPlan:
        return new CQOR2View(doc);
    case CTabbedViewView::k3D:
        return new CQOR3DView(doc, device);
    default:
        return MakeStandInView(kind, doc);
    }
}

class View3DGlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        ResourceModule::SetCurrent(m_module.get());
        m_textures.Init(256);
        m_cache.InitModellCache();
        m_device.Set3DAvailable(true);
        m_device.SetModelCache(&m_cache);
        m_device.SetVideoMode(QSize(1280, 1024));
        m_device.SetDevice({[] { return View3DDevice::DeviceState::Ready; }, {}}, {}, {});
        ASSERT_TRUE(m_pictures.isValid());
        m_oldFolders = GetProgramFolders();
        ProgramFolders folders = m_oldFolders;
        folders.pictures = m_pictures.path().toStdString();
        SetProgramFolders(folders);
    }
    void TearDown() override
    {
        m_device.Input().Release();
        m_host.reset();
        m_window.reset();
        m_doc.reset();
        SetProgramFolders(m_oldFolders);
        ResourceModule::SetCurrent(nullptr);
        QDir().mkpath(kArtifacts);
    }

    // The document of a sample (with its tractor for a semi-trailer), loaded like a file.
    void Open(const char* title, const char* tractor = nullptr)
    {
        m_doc = std::make_unique<CQOR1Doc>();
        auto vehicle = LoadSample(title);
        ASSERT_TRUE(vehicle);
        if (tractor) {
            auto t = LoadSample(tractor);
            ASSERT_TRUE(t);
            CoupleInFront(*vehicle, std::move(t));
        }
        m_doc->SetFahrzeug(vehicle.release());
        m_doc->OnDocumentOpened();
    }
    void AddLoads()
    {
        CFahrzeug* vehicle = m_doc->GetAktivFahrzeug(true);
        ASSERT_NE(vehicle, nullptr);
        ASSERT_NE(vehicle->GetQor(), nullptr);
        CQOR& plan = *vehicle->GetQor();
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(0, 1.2, 0.8, 1.6, 0.0, 0.0, 0.6)), false);
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 1.0, 1.0, 0.9, 0.0, 1.2, 0.4)), false);
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(12, 2.4, 1.2, 1.2, 1.3, 0.0, 1.5)), false);
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(2, 1.24, 0.835, 0.97, 1.3, 1.4, 0.3)), false);
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 1.6, 2.0, 1.4, 4.0, 0.2, 1.0)), false);
        plan.UpdateSchwerpunkt();
    }
    // A window of `size` with the document's views; the 3D tab selected and the view focused.
    void Show(QSize size = QSize(900, 600))
    {
        m_window = std::make_unique<QWidget>();
        m_window->setFocusPolicy(Qt::StrongFocus);
        auto* layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        m_host = std::make_unique<CTabbedViewView>(
            m_doc.get(), [this](int kind, CQOR1Doc* doc) { return MakeView(kind, doc, m_device); });
        layout->addWidget(m_host.get());
        m_window->resize(size);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        // Until the 3D tab is shown the window stays out of OpenGL composition, so the other tabs'
        // repaints cost no software rasterising.
        if (auto* hidden = dynamic_cast<CQOR3DView*>(m_host->GetView(CTabbedViewView::k3D))) {
            EXPECT_EQ(hidden->GlWidget(), nullptr);
        }
        EXPECT_EQ(m_window->windowHandle()->surfaceType(), QSurface::RasterSurface);
        const QWindow* handle = m_window->windowHandle();
        const WId native = m_window->winId();
        ASSERT_TRUE(m_host->SelectTab(m_host->FindTabOfKind(CTabbedViewView::k3D)));
        m_view = dynamic_cast<CQOR3DView*>(m_host->GetView(CTabbedViewView::k3D));
        ASSERT_NE(m_view, nullptr);
        ASSERT_NE(m_view->GlWidget(), nullptr);
        // The 3D view draws on a window of its own: the main window keeps its raster painting and its
        // native window (made again, it would show black until repainted).
        EXPECT_EQ(m_window->windowHandle(), handle);
        EXPECT_EQ(m_window->winId(), native);
        EXPECT_EQ(m_window->windowHandle()->surfaceType(), QSurface::RasterSurface);
        ASSERT_NE(m_view->GlWidget()->Surface(), nullptr);
        EXPECT_EQ(m_view->GlWidget()->Surface()->surfaceType(), QSurface::OpenGLSurface);
        m_device.Input().Init(m_window.get(), 6);
        m_window->activateWindow();
        (void)QTest::qWaitForWindowActive(m_window.get());
        m_view->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(m_view->GlWidget()->IsReady()) << m_view->GlWidget()->DeviceError().toStdString();
        Step(2);
    }
    // Frame steps of a sixtieth of a second each, with the events between them.
    void Step(int n)
    {
        for (int i = 0; i < n; ++i) {
            m_device.RenderAll(1.0f / 60.0f, 1);
            QCoreApplication::processEvents();
        }
    }
    QImage Frame() { return m_view->GlWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32); }
    void Keep(const QImage& image, const QString& name)
    {
        QDir().mkpath(kArtifacts);
        EXPECT_TRUE(image.save(kArtifacts + "/" + name));
    }
    // The pixel of a scene point in the view's client area.
    QPoint PixelOf(const tbVector3& point)
    {
        const QSize client = m_view->GlWidget()->size();
        const tbMatrix vp =
            m_view->Camera().GetViewMatrix() * CQOR3DView::ClientProjection(client, m_device.VideoMode(),
                                                                            m_view->Camera().IsOrthographic(),
                                                                            m_view->Camera().OrthoWidth());
        const tbVector3 ndc = tbVector3TransformCoords(point, vp);
        return {static_cast<int>((ndc.x + 1) / 2 * client.width()),
                static_cast<int>((1 - ndc.y) / 2 * client.height())};
    }

    std::unique_ptr<ResourceModule> m_module;
    View3DDevice m_device;
    TextureManager m_textures;
    ModelCache m_cache{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), m_textures};
    QTemporaryDir m_pictures;
    ProgramFolders m_oldFolders;
    std::unique_ptr<CQOR1Doc> m_doc;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<CTabbedViewView> m_host;
    CQOR3DView* m_view = nullptr;
};

TEST_F(View3DGlTest, TheTabShowsTheTruckWithItsLoadsAndTheCombinationWhole)
{
    const struct
    {
        const char* title;
        const char* tractor;
        const char* picture;
    } cases[] = {{"LKW", nullptr, "tab_truck_loads.png"}, {"SAH", "SZM", "tab_semitrailer_combination.png"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Open(c.title, c.tractor);
        AddLoads();
        Show();
        const QImage frame = Frame();
        Keep(frame, c.picture);
        ASSERT_FALSE(frame.isNull());
        EXPECT_EQ(frame.size(), m_view->GlWidget()->PixelSize());
        for (const QPoint corner : {QPoint(0, 0), QPoint(frame.width() - 1, 0)})
            EXPECT_TRUE(IsWhite(frame.pixel(corner)));
        // The vehicle fills a good part of the picture.
        EXPECT_GT(NonWhite(frame), frame.width() * frame.height() / 4 / 20);
        // The cab at the scene origin is drawn where the camera projects it.
        const QPoint cab = PixelOf({0.0f, 2.0f, 0.0f});
        ASSERT_TRUE(frame.rect().contains(cab));
        EXPECT_FALSE(IsWhite(frame.pixel(cab)));
        TearDown();
        SetUp();
    }
}

// The first view of a combination frames the whole vehicle: the front of the tractor's cab and the rear
// end of the semi-trailer both lie inside the picture, on a small window and on a wide one.
TEST_F(View3DGlTest, TheFirstViewOfACombinationFramesTheWholeVehicle)
{
    for (const QSize size : {QSize(900, 600), QSize(1200, 420)}) {
        SCOPED_TRACE(size.width());
        Open("SAH", "SZM");
        Show(size);
        const QImage frame = Frame();
        Keep(frame, QStringLiteral("first_view_combination_%1.png").arg(size.width()));
        const float rear = 2.0f * m_view->Camera().Target().z;
        // Twice the target's depth is the combination's length (about 11 m): the target lies between the
        // tractor and the semi-trailer's rear, not on the cab.
        ASSERT_LT(rear, -9.0f) << "the target is not at the middle of the semi-trailer combination";
        const QRect client(QPoint(0, 0), m_view->GlWidget()->size());
        for (const tbVector3& point : {tbVector3{0.0f, 3.5f, 0.5f}, tbVector3{0.0f, 0.0f, 0.5f},
                                       tbVector3{1.2f, 3.5f, rear}, tbVector3{-1.2f, 0.0f, rear}})
            EXPECT_TRUE(client.contains(PixelOf(point)))
                << point.x << ", " << point.y << ", " << point.z << " lies at " << PixelOf(point).x() << ", "
                << PixelOf(point).y();
        TearDown();
        SetUp();
    }
}

TEST_F(View3DGlTest, TheCentreOfGravityMarkerShowsInTheNormalModeAndTheOrthographicViewKeepsTheVehicle)
{
    Open("LKW");
    AddLoads();
    Show();
    CommandEvent solid(CQOR3DView::kCmdSolid);
    QCoreApplication::sendEvent(m_view, &solid);
    EXPECT_EQ(m_view->GetRenderMode(), 0);
    Step(1);
    EXPECT_EQ(m_view->IsDirty(), 0);
    CFahrzeug& truck = *m_doc->GetAktivFahrzeug(true);
    CQOR& plan = *truck.GetQor();
    ASSERT_GT(plan.GetMasse(), 0.0);
    const QImage frame = Frame();
    Keep(frame, "tab_truck_marker.png");
    const float lift = 3.5f * static_cast<float>(plan.GetMasse() / truck.GetMaxNutzlast(true));
    const tbVector3 cog{truck.GetLFBreite() * 0.5f - static_cast<float>(plan.GetSchwerpunktY()), 1.18f + lift,
                        -truck.GetAchse1Position() - static_cast<float>(plan.GetSchwerpunktX())};
    const QPoint pixel = PixelOf(cog);
    ASSERT_TRUE(frame.rect().contains(pixel));
    // Somewhere on the marker's rings around the centre: a pixel dominated by the marker's green or red.
    int marked = 0;
    for (int dy = -12; dy <= 12; ++dy)
        for (int dx = -12; dx <= 12; ++dx) {
            const QRgb c = frame.pixel(pixel + QPoint(dx, dy));
            marked += (qGreen(c) > qBlue(c) + 60 && qGreen(c) > qRed(c) + 30) || (qRed(c) > qGreen(c) + 80);
        }
    EXPECT_GT(marked, 0);

    std::array<int, CQOR3DView::kSettingCount> settings = m_view->GetSettings();
    settings[7] = 1; // orthographic
    m_view->SetSettings(settings);
    m_view->SetDirty();
    Step(1);
    EXPECT_TRUE(m_view->Camera().IsOrthographic());
    const QImage ortho = Frame();
    Keep(ortho, "tab_truck_orthographic.png");
    EXPECT_TRUE(IsWhite(ortho.pixel(0, 0)));
    EXPECT_GT(NonWhite(ortho), ortho.width() * ortho.height() / 4 / 50);
}

TEST_F(View3DGlTest, MouseAndKeysSteerTheCameraOnlyWhileTheViewHasTheFocus)
{
    Open("LKW");
    Show();
    QWidget* gl = m_view->GlWidget();
    const QPoint centre = gl->rect().center();
    auto drag = [&](Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(gl, Qt::LeftButton, modifiers, centre);
        Step(1);
        for (int i = 1; i <= 5; ++i) {
            QTest::mouseMove(gl, centre + QPoint(12 * i, 6 * i));
            Step(1);
        }
        QTest::mouseRelease(gl, Qt::LeftButton, modifiers, centre + QPoint(60, 30));
        Step(1);
    };
    const float yaw = m_view->Camera().Yaw();
    const int renders = m_view->RenderCount();
    drag(Qt::NoModifier);
    EXPECT_NE(m_view->Camera().Yaw(), yaw);
    EXPECT_GT(m_view->RenderCount(), renders);

    const float distance = m_view->Camera().Distance();
    QTest::keyPress(gl, Qt::Key_Shift);
    drag(Qt::ShiftModifier);
    QTest::keyRelease(gl, Qt::Key_Shift);
    Step(1);
    EXPECT_NE(m_view->Camera().Distance(), distance);

    const float wheelDistance = m_view->Camera().Distance();
    QWheelEvent wheel(QPointF(centre), gl->mapToGlobal(QPointF(centre)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(gl, &wheel);
    Step(1);
    EXPECT_NE(m_view->Camera().Distance(), wheelDistance);

    // A held arrow turns the camera with the focus, and not without it.
    const struct
    {
        bool focused;
        bool turns;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focused);
        if (c.focused)
            m_view->setFocus();
        else
            m_window->setFocus();
        QCoreApplication::processEvents();
        const float before = m_view->Camera().Yaw();
        QTest::keyPress(gl, Qt::Key_Left);
        Step(20);
        QTest::keyRelease(gl, Qt::Key_Left);
        Step(1);
        EXPECT_EQ(m_view->Camera().Yaw() != before, c.turns);
    }
}

TEST_F(View3DGlTest, FramesAreRenderedOnlyWhenSomethingChanged)
{
    Open("SAH", "SZM");
    Show();
    Step(3);
    const int settled = m_view->RenderCount();
    Step(100);
    EXPECT_EQ(m_view->RenderCount(), settled);
    const struct
    {
        UpdateHinweis hint;
        int renders;
    } hints[] = {{UpdateHinweis::kLadungen, 0},
                 {UpdateHinweis::kLadeflaeche, 0},
                 {UpdateHinweis::kNeuBerechnet, 1},
                 {UpdateHinweis::kBearbeitet, 1}};
    for (const auto& h : hints) {
        SCOPED_TRACE(int(h.hint));
        const int before = m_view->RenderCount();
        m_host->UpdateAllViews(nullptr, h.hint);
        Step(5);
        EXPECT_EQ(m_view->RenderCount() - before, h.renders);
    }
    int before = m_view->RenderCount();
    m_window->resize(m_window->size() + QSize(40, 30));
    QCoreApplication::processEvents();
    Step(5);
    EXPECT_EQ(m_view->RenderCount() - before, 1);
    // A tab that is not shown renders nothing, also when made dirty.
    ASSERT_TRUE(m_host->SelectTab(m_host->FindTabOfKind(CTabbedViewView::kTemplate)));
    QCoreApplication::processEvents();
    before = m_view->RenderCount();
    m_view->SetDirty();
    Step(10);
    EXPECT_EQ(m_view->RenderCount(), before);
}

TEST_F(View3DGlTest, TabSwitchesTheActiveVehicleOfACombinationOnly)
{
    const struct
    {
        const char* title;
        const char* tractor;
        bool switches;
    } cases[] = {{"LKW", nullptr, false}, {"SAH", "SZM", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Open(c.title, c.tractor);
        Show();
        const int index = m_doc->GetAktivIndex();
        QTest::keyClick(m_view, Qt::Key_Tab);
        EXPECT_EQ(m_doc->GetAktivIndex() != index, c.switches);
        // The focus stays in the view.
        EXPECT_TRUE(m_view->hasFocus());
        TearDown();
        SetUp();
    }
}

TEST_F(View3DGlTest, AViewMovedToAnotherWindowMakesItsObjectsAndPictureAgain)
{
    Open("LKW");
    AddLoads();
    Show();
    const QImage first = Frame();
    auto other = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(other.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_host.get());
    other->resize(m_window->size());
    other->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(other.get()));
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_view->GlWidget()->IsReady());
    EXPECT_EQ(m_view->IsDirty(), 1);
    Step(2);
    const QImage again = Frame();
    EXPECT_GT(NonWhite(again), NonWhite(first) / 2);
    m_host->setParent(nullptr);
    other.reset();
}

namespace {

// Keeps the status-bar messages the view gives.
class StatusShell : public IViewShell
{
public:
    explicit StatusShell(ProgramRun& run) : m_installation(run, *this) {}
    void ShowStatusText(const QString& text) override { texte.push_back(text); }
    std::vector<QString> texte;

private:
    ServiceInstallation<IViewShell> m_installation;
};

} // namespace

TEST_F(View3DGlTest, TheScreenshotIsTheCentreOfTheFrameAndNeverLargerThanItsBound)
{
    const struct
    {
        QSize window;
        QSize expected;
    } cases[] = {{{500, 400}, {500, 400}}, {{1000, 900}, {648, 790}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window.width());
        Open("LKW");
        AddLoads();
        Show(c.window);
        ProgramRun run;
        StatusShell shell(run);
        m_host->SetProgramRun(&run);
        CommandEvent shoot(CQOR3DView::kCmdScreenshot);
        QCoreApplication::sendEvent(m_view, &shoot);
        Step(1);
        EXPECT_TRUE(m_view->LastScreenshotError().isEmpty()) << m_view->LastScreenshotError().toStdString();
        // The status bar tells where the picture went.
        ASSERT_EQ(shell.texte.size(), 1u);
        EXPECT_TRUE(shell.texte[0].contains(QDir::toNativeSeparators(m_view->ScreenshotPath())))
            << shell.texte[0].toStdString();
        QImage shot(m_view->ScreenshotPath());
        ASSERT_FALSE(shot.isNull());
        shot = shot.convertToFormat(QImage::Format_RGB32);
        const QImage frame = Frame();
        const QSize expected = c.expected.boundedTo(frame.size());
        EXPECT_EQ(shot.size(), expected);
        const QImage centre = frame.copy(
            QRect(QPoint((frame.width() - expected.width()) / 2, (frame.height() - expected.height()) / 2),
                  expected));
        int off = 0;
        for (int y = 0; y < centre.height(); y += 3)
            for (int x = 0; x < centre.width(); x += 3) {
                const QRgb a = centre.pixel(x, y), b = shot.pixel(x, y);
                off += std::abs(qRed(a) - qRed(b)) > 8 || std::abs(qGreen(a) - qGreen(b)) > 8 ||
                       std::abs(qBlue(a) - qBlue(b)) > 8;
            }
        EXPECT_LT(off, centre.width() * centre.height() / 9 / 100);
        if (c.window.width() == 500)
            Keep(shot, "screenshot.png");
        if (c.window.width() == 1000) {
            // The tab as it shows: strips, and the screenshot frame 46 pixels right of the saved area.
            m_view->SetShowFrame(1);
            QCoreApplication::processEvents();
            Keep(m_window->grab().toImage(), "tab_with_frame.png");
        }
        TearDown();
        SetUp();
    }
}

TEST_F(View3DGlTest, TheStripsAndTheScreenshotFrameShowOverThePictureOnScreen)
{
    Open("LKW");
    AddLoads();
    Show(QSize(1000, 900));
    m_view->SetShowFrame(1);
    QCoreApplication::processEvents();
    Step(1);
    // Whatever the window still has to paint, painted now.
    QEvent now(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_window.get(), &now);
    // The screen as the window system composes it: the native 3D window and what lies over it.
    const QImage screen = QGuiApplication::primaryScreen()
                              ->grabWindow(m_window->winId())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        CRibBtnContainer* strip = m_view->Strip(i);
        ASSERT_NE(strip, nullptr);
        const QImage own = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint at = strip->mapTo(m_window.get(), QPoint());
        int same = 0, total = 0;
        for (int y = 2; y < own.height() - 2; y += 3)
            for (int x = 2; x < own.width() - 2; x += 3) {
                if (!strip->mask().isEmpty() && !strip->mask().contains(QPoint(x, y)))
                    continue;
                ++total;
                same += screen.pixel(at + QPoint(x, y)) == own.pixel(x, y);
            }
        ASSERT_GT(total, 0);
        EXPECT_GT(same, total * 9 / 10);
    }
    // The frame's dots, one pixel on and two off, on the picture (along the bottom edge: the strips may
    // cover some of the top one).
    const QRect frame = m_view->FrameRect().translated(m_view->viewport()->mapTo(m_window.get(), QPoint()));
    const int bottom = frame.top() + frame.height();
    int black = 0, dots = 0;
    for (int x = frame.left(); x < frame.right(); x += 3, ++dots)
        black += qGray(screen.pixel(x, bottom)) < 40;
    EXPECT_GT(dots, 100);
    EXPECT_EQ(black, dots);
}

TEST_F(View3DGlTest, TheWidgetIsMadeWithTheRecordsDepthStencilAndSamples)
{
    GlSettingsRecord record = GlSettings::Make(1280, 1024, 60, 4);
    m_device.SetDeviceRecord(record);
    Open("LKW");
    Show();
    const QSurfaceFormat format = m_device.SurfaceFormat();
    EXPECT_EQ(m_view->GlWidget()->FramebufferSamples(), 4);
    EXPECT_EQ(format.stencilBufferSize(), 8);
    EXPECT_EQ(format.depthBufferSize(), 24);
    EXPECT_EQ(m_device.VideoMode(), QSize(1280, 1024));
    const QImage frame = Frame();
    EXPECT_TRUE(IsWhite(frame.pixel(0, 0)));
    EXPECT_FALSE(IsWhite(frame.pixel(PixelOf({0.0f, 2.0f, 0.0f}))));
}

TEST_F(View3DGlTest, AClientLargerThanTheBackBufferKeepsTheWholeField)
{
    Open("LKW");
    AddLoads();
    // The same field in a back buffer of the client's size and in one smaller than the client.
    m_device.SetVideoMode(QSize(800, 600));
    Show(QSize(800, 600));
    // Without the loading yard only the vehicle is coloured.
    m_view->Renderer().Flags()[3] = 0;
    m_view->SetDirty();
    Step(1);
    const QImage whole = Frame();
    const QImage same = whole.scaled(200, 150);
    m_device.SetVideoMode(QSize(400, 300));
    m_view->CreateSwapChain();
    m_view->SetDirty();
    Step(1);
    const QImage scaled = Frame().scaled(200, 150);
    int off = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            off += IsWhite(same.pixel(x, y)) != IsWhite(scaled.pixel(x, y));
    EXPECT_LT(off, 200 * 150 / 20);
    // A back buffer larger than the client shows only its centre: the picture is magnified.
    m_device.SetVideoMode(QSize(1600, 1200));
    m_view->CreateSwapChain();
    m_view->SetDirty();
    Step(1);
    EXPECT_GT(NonWhite(Frame()), NonWhite(whole) * 3 / 2);
}

} // namespace
