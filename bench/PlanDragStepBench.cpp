// The drag step of the loading plan as the user feels it: move the selection through the placement
// core, commit, recalculate the vehicles and redraw the whole plan picture at 1920 x 1080.
#include "views/CQOR2View.h"

#include "bench/BenchMain.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "tests/support/SampleDocument.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CFahrzeug> Sample(const char* title)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (std::string(title) + ".qor"), 0, nullptr, nullptr,
                                false, nullptr);
}

void BM_PlanDragStep(benchmark::State& state)
{
    auto a = Sample("SAH");
    auto z = Sample("SZM");
    if (!a || !z) {
        state.SkipWithError("sample vehicles missing");
        return;
    }
    CoupleInFront(*a, std::move(z));
    CQOR1Doc doc;
    doc.SetFahrzeug(a.release());
    doc.OnDocumentOpened();
    CQOR2View view(&doc);
    view.resize(1920, 1080);
    SLadungVorlage box;
    box.strName = "Box";
    box.nArt = 0;
    box.dLaenge = 0.6;
    box.dBreite = 0.8;
    box.dHoehe = 1.0;
    box.dSPLaenge = 0.3;
    box.dSPBreite = 0.4;
    box.dMasse = 0.4;
    if (view.AddMultipleLadungen(box, 30, 0.4, 0) != 30) {
        state.SkipWithError("30 loads did not fit");
        return;
    }
    CQOR* q = view.GetPlan();
    for (tagLGINFO* p : q->GetLgInfos())
        p->m_bSelected = p == q->GetLgInfos().back() ? 1 : 0;
    CPlanPlatzierung& pl = view.GetPlatzierung();
    QImage bild = view.RenderPicture(QSize(1920, 1080));
    int nRichtung = 1;
    for (auto _ : state) {
        pl.SetPlan(q);
        pl.FillZiehRects();
        pl.FillFestRects();
        pl.FindFreiePosition(7 * nRichtung, 3 * nRichtung);
        pl.CommitVersatz();
        nRichtung = -nRichtung;
        view.Benachrichtige();
        bild = view.RenderPicture(QSize(1920, 1080));
        benchmark::DoNotOptimize(bild.constBits());
    }
}
BENCHMARK(BM_PlanDragStep)->Unit(benchmark::kMillisecond);

// The sample semi-trailer behind its tractor with a given number of small loads (20 x 12 cm, so 1,000 fit),
// the last one selected. Every load is labelled with its name, number and mass.
struct PlanMitLadungen
{
    CQOR1Doc doc;
    std::unique_ptr<CQOR2View> view;
    bool bOk = false;

    explicit PlanMitLadungen(int nLadungen)
    {
        auto a = Sample("SAH");
        auto z = Sample("SZM");
        if (!a || !z)
            return;
        CoupleInFront(*a, std::move(z));
        doc.SetFahrzeug(a.release());
        doc.OnDocumentOpened();
        view = std::make_unique<CQOR2View>(&doc);
        view->resize(1920, 1080);
        SLadungVorlage box;
        box.strName = "Box";
        box.nArt = 0;
        box.dLaenge = 0.2;
        box.dBreite = 0.12;
        box.dHoehe = 0.5;
        box.dSPLaenge = 0.1;
        box.dSPBreite = 0.06;
        box.dMasse = 0.01;
        if (view->AddMultipleLadungen(box, nLadungen, 0.01, 0) != nLadungen)
            return;
        CQOR* q = view->GetPlan();
        for (tagLGINFO* p : q->GetLgInfos())
            p->m_bSelected = p == q->GetLgInfos().back() ? 1 : 0;
        bOk = true;
    }
};

// The drag step of BM_PlanDragStep over a growing number of loads: the cost per load shows as the slope.
// The last load placed goes back and forth by 7 cm along the load area, behind the others, where the
// place is free (the counter "free" is the share of steps that found it so): the rows measure the
// drawing, not the search for a free place among packed loads.
void BM_PlanDragStepLoads(benchmark::State& state)
{
    PlanMitLadungen plan(static_cast<int>(state.range(0)));
    if (!plan.bOk) {
        state.SkipWithError("the loads did not fit");
        return;
    }
    CQOR2View& view = *plan.view;
    CQOR* q = view.GetPlan();
    CPlanPlatzierung& pl = view.GetPlatzierung();
    QImage bild = view.RenderPicture(QSize(1920, 1080));
    int nRichtung = 1;
    long nFrei = 0, nSchritte = 0;
    for (auto _ : state) {
        pl.SetPlan(q);
        pl.FillZiehRects();
        pl.FillFestRects();
        if (pl.FindFreiePosition(7 * nRichtung, 0) == CPlanPlatzierung::kFrei)
            ++nFrei;
        ++nSchritte;
        pl.CommitVersatz();
        nRichtung = -nRichtung;
        view.Benachrichtige();
        bild = view.RenderPicture(QSize(1920, 1080));
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.counters["free"] = nSchritte > 0 ? static_cast<double>(nFrei) / nSchritte : 0.0;
}
BENCHMARK(BM_PlanDragStepLoads)->Arg(1)->Arg(30)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// A repaint of the whole plan picture with nothing changed, over a growing number of loads.
void BM_PlanRepaintLoads(benchmark::State& state)
{
    PlanMitLadungen plan(static_cast<int>(state.range(0)));
    if (!plan.bOk) {
        state.SkipWithError("the loads did not fit");
        return;
    }
    QImage bild = plan.view->RenderPicture(QSize(1920, 1080));
    for (auto _ : state) {
        bild = plan.view->RenderPicture(QSize(1920, 1080));
        benchmark::DoNotOptimize(bild.constBits());
    }
}
BENCHMARK(BM_PlanRepaintLoads)->Arg(1)->Arg(30)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv, BenchModule::English);
}
