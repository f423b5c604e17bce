// A full repaint of the template view: rulers, vehicle, dimension lines, axle-load picture and chart of
// the sample truck at zoom 1.0, into a back buffer of the whole scrolled area; and the same for the
// tractor with its semi-trailer in the multi view, once as a repaint with nothing changed but the chart
// drawn again, once with the whole picture drawn anew.
#include "views/CQOR1View.h"
#include "views/CQORMultiView.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "tests/support/SampleDocument.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

void BM_TemplateRepaint(benchmark::State& state)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::unique_ptr<CFahrzeug> f =
        LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
    if (!f) {
        state.SkipWithError("sample truck missing");
        return;
    }
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    CQOR1View view(&doc);
    view.SetZoom(1.0);
    view.resize(1920, 1080);
    view.OnInitialUpdate();
    view.ShowDiagramm(true);
    QImage bild = view.RenderPicture(QSize(1920, 1080));
    const QSize size = view.GetTotalSize();
    for (auto _ : state) {
        // Each repaint draws the chart again, as after a change of the vehicle.
        doc.GetFahrzeug()->m_Diagramm.m_bNeuZeichnen = true;
        bild = view.RenderPicture(size);
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}
BENCHMARK(BM_TemplateRepaint)->Unit(benchmark::kMillisecond);

// The tractor with its semi-trailer in the multi view, shown, into a picture of its viewport as a paint
// makes it; with `bAnew` the view may keep nothing between repaints, as after a change of the document,
// zoom, scroll position or size.
void RepaintCombination(benchmark::State& state, bool bAnew)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::unique_ptr<CFahrzeug> f =
        LoadFahrzeugFromFile(samples / "Vehicles" / "SAH.qor", 0, nullptr, nullptr, false, nullptr);
    std::unique_ptr<CFahrzeug> z =
        LoadFahrzeugFromFile(samples / "Vehicles" / "SZM.qor", 0, nullptr, nullptr, false, nullptr);
    if (!f || !z) {
        state.SkipWithError("sample tractor or semi-trailer missing");
        return;
    }
    CoupleInFront(*f, std::move(z));
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    doc.SetAktivIndex(CQOR1Doc::kAktivAnhaenger, false, false);
    CQORMultiView view(&doc);
    view.SetZoom(1.0);
    view.resize(1920, 1080);
    // Shown (offscreen), so that the viewport takes its size beside the scroll bars.
    view.show();
    view.OnInitialUpdate();
    view.ShowDiagramm(true);
    QImage bild = view.RenderPicture(view.viewport()->size());
    const QSize size = view.viewport()->size();
    for (auto _ : state) {
        doc.GetFahrzeug()->m_Diagramm.m_bNeuZeichnen = true;
        if (bAnew)
            view.VerwirfBild();
        bild = view.RenderPicture(size);
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
    state.counters["total_width"] = view.GetTotalSize().width();
    state.counters["total_height"] = view.GetTotalSize().height();
}

void BM_TemplateRepaintCombination(benchmark::State& state)
{
    RepaintCombination(state, false);
}
BENCHMARK(BM_TemplateRepaintCombination)->Unit(benchmark::kMillisecond);

void BM_TemplateRepaintCombinationNeu(benchmark::State& state)
{
    RepaintCombination(state, true);
}
BENCHMARK(BM_TemplateRepaintCombinationNeu)->Unit(benchmark::kMillisecond);

} // namespace
