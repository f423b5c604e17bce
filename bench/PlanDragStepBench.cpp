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
    a->m_pPartner = z.get();
    z->m_pPartner = a.get();
    z->m_pQor = a->GetQor();
    CQOR1Doc doc;
    doc.SetFahrzeug(a.release());
    z.release();
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

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv, BenchModule::English);
}
