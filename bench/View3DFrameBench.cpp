// One frame of the 3D tab: the sample truck with loads in a shown 1280 x 800 view, made dirty, rendered
// by the frame step and counted when the composed frame reaches the window; beside it the scene of the
// sample tractor and semi-trailer with 30 loads in secured load units drawn into an offscreen framebuffer,
// and that scene's own work on the recording device.
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "platform/GlProbe.h"
#include "platform/ResourceModule.h"
#include "platform/gl/GlContextProbe.h"
#include "platform/gl/GlDevice.h"
#include "platform/gl/RecordingDevice.h"
#include "view3d/C3DViewport.h"
#include "view3d/CCamera.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/CQOR3DView.h"
#include "view3d/ModelCache.h"
#include "view3d/OffscreenFrame.h"
#include "view3d/TextureManager.h"
#include "view3d/View3DDevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <sys/resource.h>

namespace {

tagLGINFO* Placed(int type, double length, double width, double height, double along, double across)
{
    auto* load = new tagLGINFO;
    load->m_nTyp = type;
    load->m_dLaenge = length;
    load->m_dBreite = width;
    load->m_dHoehe = height;
    load->m_dPosX = along;
    load->m_dPosY = across;
    load->m_dMasse = 0.5;
    load->m_dSPMasse = 0.5;
    return load;
}

std::unique_ptr<CQOR1Doc> TruckWithLoads()
{
    auto doc = std::make_unique<CQOR1Doc>();
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    auto truck = LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
    if (!truck || !truck->GetQor())
        return nullptr;
    CQOR& plan = *truck->GetQor();
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(0, 1.2, 0.8, 1.6, 0.0, 0.0)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 1.0, 1.0, 0.9, 0.0, 1.2)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(12, 2.4, 1.2, 1.2, 1.3, 0.0)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(2, 1.24, 0.835, 0.97, 1.3, 1.4)), false);
    plan.AddLgInfo(std::unique_ptr<tagLGINFO>(Placed(3, 1.6, 2.0, 1.4, 4.0, 0.2)), false);
    plan.UpdateSchwerpunkt();
    doc->SetFahrzeug(truck.release());
    doc->OnDocumentOpened();
    return doc;
}

// The sample tractor with its three-axle semi-trailer at 40 t: 30 loads of mixed types in ten rows of
// three, grouped into five load units of six loads, lashed at their corners, alternately with straps
// and with chains, the strapped ones on anti-skid mats.
std::unique_ptr<CQOR1Doc> TractorWithSecuredUnits()
{
    auto doc = std::make_unique<CQOR1Doc>();
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    auto semi = LoadFahrzeugFromFile(samples / "Vehicles" / "SAH.qor", 0, nullptr, nullptr, false, nullptr);
    auto tractor =
        LoadFahrzeugFromFile(samples / "Vehicles" / "SZM.qor", 0, nullptr, nullptr, false, nullptr);
    if (!semi || !tractor || !semi->GetQor())
        return nullptr;
    CFahrzeug::Koppeln(*tractor, *semi);
    tractor->m_pQor = semi->GetQor();
    CQOR& plan = *semi->GetQor();
    const double empty = semi->CalcLeergewicht() + tractor->CalcLeergewicht();
    const double each = std::max(0.1, (40.0 - empty) / 30.0);
    const int types[] = {0, 3, 2, 8, 3};
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 3; ++col) {
            tagLGINFO* load =
                Placed(types[(row + col) % 5], 1.2, 0.8, 1.1 + 0.1 * col, 0.1 + row * 1.3, 0.02 + col * 0.82);
            load->m_dMasse = load->m_dSPMasse = each;
            plan.AddLgInfo(std::unique_ptr<tagLGINFO>(load), false);
        }
    const double length = semi->GetLFLaenge(), width = semi->GetLFBreite();
    for (int u = 0; u < 5; ++u) {
        auto* unit = new CLadeeinheit(u + 1);
        unit->m_bVorhanden = 1;
        unit->m_dMinX = 0.1 + u * 2.6;
        unit->m_dMaxXEnde = unit->m_dMinX + 2.5;
        unit->m_dMinY = 0.02;
        unit->m_dMaxYEnde = 2.46;
        unit->m_dHoehe = 1.3;
        unit->m_Wizard.m_nZurrmittelTyp = u % 2;
        unit->m_Wizard.m_bAntirutschmatte = u % 2 == 0 ? 1 : 0;
        for (int corner = 0; corner < 4; ++corner) {
            unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)] =
                std::make_unique<CAnschlagpunkt>(corner);
            CZurrpunkt point(length, width);
            point.m_nFlags = CZurrpunkt::kVonVorn | (corner >= 2 ? CZurrpunkt::kLinks : 0);
            point.m_dAbstandLaengs = unit->m_dMinX + (corner % 2 == 0 ? -0.05 : 2.55);
            point.m_dAbstandQuer = 0.05;
            unit->m_Anschlagpunkte[static_cast<std::size_t>(corner)]->SetZurrpunkt(0, &point);
        }
        plan.InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(unit), -1);
    }
    plan.UpdateSchwerpunkt();
    tractor.release();
    doc->SetFahrzeug(semi.release());
    doc->OnDocumentOpened();
    return doc;
}

// The device record main() makes, which each 3D view's device takes.
GlSettingsRecord& BenchRecord()
{
    static GlSettingsRecord record = GlSettings::Make(1280, 1024, 60, 0);
    return record;
}

struct Scene
{
    TextureManager textures;
    ModelCache cache{QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), textures};
    // The 3D device of the view, drawing from this cache.
    View3DDevice device;
    Scene()
    {
        textures.Init(256);
        cache.InitModellCache();
        device.SetDeviceRecord(BenchRecord());
        device.Set3DAvailable(true);
        device.SetModelCache(&cache);
        device.SetDevice({[] { return View3DDevice::DeviceState::Ready; }, {}}, {}, {});
    }
};

void BM_View3DFrame(benchmark::State& state)
{
    Scene scene;
    auto doc = TruckWithLoads();
    if (!doc) {
        state.SkipWithError("no sample truck");
        return;
    }
    CQOR3DView view(doc.get(), scene.device);
    view.resize(1280, 800);
    view.OnInitialUpdate();
    view.show();
    // Frames that reached the window (shown at once by the frame step, or by a later expose).
    int swapped = 0;
    QObject::connect(view.GlWidget(), &C3DViewport::frameSwapped, [&swapped] { ++swapped; });
    for (int i = 0; i < 20 && !view.GlWidget()->IsReady(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!view.GlWidget()->IsReady()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    state.counters["samples"] = view.GlWidget()->FramebufferSamples();
    for (auto _ : state) {
        const int before = swapped;
        view.SetDirty();
        scene.device.RenderAll(1.0f / 60.0f, 1);
        while (swapped == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_View3DFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Processor time of the frame step at 60 steps a second over 2 s while the 3D view is shown and focused
// and nothing changes, in percent of one core.
void BM_View3DIdle(benchmark::State& state)
{
    Scene scene;
    auto doc = TruckWithLoads();
    if (!doc) {
        state.SkipWithError("no sample truck");
        return;
    }
    CQOR3DView view(doc.get(), scene.device);
    view.resize(1280, 800);
    view.OnInitialUpdate();
    view.show();
    view.activateWindow();
    view.setFocus();
    QTimer steps;
    QObject::connect(&steps, &QTimer::timeout, [&scene] { scene.device.RenderAll(1.0f / 60.0f, 1); });
    steps.start(16);
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    double percent = 0.0;
    for (auto _ : state) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        getrusage(RUSAGE_SELF, &after);
        const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
                           seconds(before.ru_stime);
        percent = 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0);
    }
    state.counters["cpu_percent"] = percent;
    state.counters["renders"] = view.RenderCount();
}
BENCHMARK(BM_View3DIdle)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SceneFrame(benchmark::State& state)
{
    Scene scene;
    auto doc = TractorWithSecuredUnits();
    QOffscreenSurface surface;
    surface.setFormat(GlContextProbe::Format());
    surface.create();
    QOpenGLContext context;
    context.setFormat(GlContextProbe::Format());
    if (!doc || !context.create() || !context.makeCurrent(&surface)) {
        state.SkipWithError("no OpenGL context or sample combination");
        return;
    }
    GlDevice device;
    device.Initialise();
    CFahrzeug3D renderer(QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), nullptr);
    CCamera camera;
    camera.Set(nullptr, {-9.0f, 9.0f, 2.0f}, {0.0f, 1.375f, -8.0f}, 0, 0, 0);
    camera.Update(0.0f, nullptr, {}, true);
    OffscreenFrame frame;
    const auto render = [&] {
        return frame.Render(device, QSize(1280, 800), camera, [&](IRenderDevice& d) {
            renderer.Render(d, scene.cache, doc.get(), camera.Target(), nullptr, nullptr, 0);
        });
    };
    // The first frames of a new context have Mesa compile the shaders of every state they meet; the
    // frames measured are the ones after, as while the view is turned.
    for (int i = 0; i < 3; ++i)
        render();
    // The picture of the measured scene, for a look.
    if (const char* dir = std::getenv("QOR_BENCH_PICTURE_DIR"))
        render().save(QString::fromLocal8Bit(dir) + QStringLiteral("/scene_frame.png"));
    for (auto _ : state) {
        const QImage image = render();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    frame.Release();
    device.Release();
    context.doneCurrent();
}
BENCHMARK(BM_SceneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The scene of BM_SceneFrame alone: the renderer's work for one frame on the recording device, no GL.
void BM_SceneRecord(benchmark::State& state)
{
    Scene scene;
    auto doc = TractorWithSecuredUnits();
    if (!doc) {
        state.SkipWithError("no sample combination");
        return;
    }
    CFahrzeug3D renderer(QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), nullptr);
    renderer.InitResources();
    RecordingDevice device;
    for (auto _ : state) {
        device.Clear();
        benchmark::DoNotOptimize(renderer.Render(device, scene.cache, doc.get(), {}, nullptr, nullptr, 0));
    }
    state.counters["calls"] = static_cast<double>(device.Calls().size());
}
BENCHMARK(BM_SceneRecord)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QSurfaceFormat::setDefaultFormat(GlContextProbe::Format());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // The record start-up makes here: the probe's multisampling on the screen's size. QOR_BENCH_SAMPLES
    // measures another multisampling.
    const GlProbeResult probe = ProbeOpenGL(QString());
    bool given = false;
    const int samples = qEnvironmentVariableIntValue("QOR_BENCH_SAMPLES", &given);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    BenchRecord() = GlSettings::Make(screen.width(), screen.height(), 60, given ? samples : probe.samples);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
