// A full repaint of the load-securing view into its back buffer: the sample semi-trailer with its
// lashing points along both sides and both rails, 30 placed loads in 8 secured load units with their
// lashings, at 1920 x 1080 and zoom index 5, offscreen.
#include "bench/BenchMain.h"
#include "loadsecuring/CQORLgSicherungView.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// Ten columns of three pallets; units of four neighbouring pallets (the last two of three), each
// lashed with two pairs of points facing each other. With another number of units the 30 pallets are
// shared out among them in order, as evenly as they go.
void Beladen(CFahrzeug& f, int nEinheiten = 8)
{
    CQOR& q = *f.GetQor();
    std::vector<tagLGINFO*> lasten;
    for (int i = 0; i < 30; ++i) {
        auto* p = new tagLGINFO;
        p->m_strName = "Pallet";
        p->m_nNummer = i + 1;
        p->m_nTyp = 0;
        p->m_dLaenge = 1.2;
        p->m_dBreite = 0.8;
        p->m_dHoehe = 1.2;
        p->m_dSPLaenge = 0.6;
        p->m_dSPBreite = 0.4;
        p->m_dMasse = 0.6;
        p->m_dSPMasse = 0.6;
        p->m_dPosX = 0.1 + 1.3 * (i / 3);
        p->m_dPosY = 0.8 * (i % 3);
        q.AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        lasten.push_back(p);
    }
    const std::vector<CZurrpunkt*> punkte(f.GetZurrpunktListe().begin(), f.GetZurrpunktListe().end());
    const std::size_t nSeite = punkte.size() / 2;
    std::vector<int> groessen(static_cast<std::size_t>(nEinheiten), 30 / nEinheiten);
    for (int u = 0; u < 30 % nEinheiten; ++u)
        ++groessen[static_cast<std::size_t>(u)];
    std::size_t n = 0;
    for (int u = 0; u < nEinheiten; ++u) {
        auto* le = new CLadeeinheit(u + 1);
        for (int k = 0; k < groessen[static_cast<std::size_t>(u)]; ++k, ++n) {
            le->AddLadung(lasten[n]->m_strName.c_str(), lasten[n]->m_nNummer, lasten[n]);
            lasten[n]->SetLeId(u + 1);
        }
        le->m_bVorhanden = 1;
        le->RebuildLgMap(&q);
        le->CalcAbmessungen();
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t i = std::min(1 + static_cast<std::size_t>(u) + k, nSeite - 1);
            auto t = std::make_unique<sZPPtrTupel>(punkte[i], punkte[nSeite + i], 0);
            t->m_nAktiv = 1;
            le->m_ZPPtrTupel.push_back(std::move(t));
        }
        le->m_nZurrParam[0] = 3;
        le->m_nZurrParam[1] = 0;
        q.InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le), u);
    }
    q.m_nAktiveLadeeinheit = std::min(3, nEinheiten - 1);
}

void Repaint(benchmark::State& state, int nEinheiten)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::unique_ptr<CFahrzeug> f =
        LoadFahrzeugFromFile(samples / "Vehicles" / "SAH.qor", 0, nullptr, nullptr, false, nullptr);
    if (!f || !f->GetQor()) {
        state.SkipWithError("sample semi-trailer missing");
        return;
    }
    Beladen(*f, nEinheiten);
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    CQORLgSicherungView view(&doc);
    view.resize(1920, 1080);
    view.SetZoomIndex(5);
    QImage bild = view.RenderPicture(QSize(1920, 1080));
    for (auto _ : state) {
        bild = view.RenderPicture(QSize(1920, 1080));
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.counters["units"] = static_cast<double>(view.GetEinheitRegionen().size());
    state.counters["loads"] = static_cast<double>(view.GetLadungRegionen().size());
    state.counters["points"] = static_cast<double>(view.GetPunktRechtecke().size());
}

void BM_SecuringViewRepaint(benchmark::State& state)
{
    Repaint(state, 8);
}
BENCHMARK(BM_SecuringViewRepaint)->Unit(benchmark::kMillisecond);

// The same 30 pallets in 1, 8 or 30 secured units: the cost per unit shows as the slope.
void BM_SecuringViewRepaintUnits(benchmark::State& state)
{
    Repaint(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SecuringViewRepaintUnits)->Arg(1)->Arg(8)->Arg(30)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv, BenchModule::English);
}
