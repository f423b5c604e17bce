// What follows Next on the lashing-devices page: the result page builds its report for the sample
// truck with one pallet unit (calculation, defects, the sketch through the view's report picture) and
// shows the HTML in the hint pane, offscreen.
#include "loadsecuring/CPgLgSichgPage8.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"

#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/ResourceModule.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

// One pallet as the active, secured unit, with settings for the simple method.
void Beladen(CFahrzeug& f)
{
    CQOR& q = *f.GetQor();
    auto* p = new tagLGINFO;
    p->m_strName = "Pallet";
    p->m_nNummer = 1;
    p->m_dLaenge = 1.2;
    p->m_dBreite = 0.8;
    p->m_dHoehe = 1.2;
    p->m_dSPLaenge = 0.6;
    p->m_dSPBreite = 0.4;
    p->m_dSPHoehe = 0.6;
    p->m_dMasse = p->m_dSPMasse = 0.6;
    p->m_dPosX = 0.5;
    p->m_dPosY = 0.8;
    q.AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    auto* le = new CLadeeinheit(1);
    le->AddLadung(p->m_strName.c_str(), p->m_nNummer, p);
    p->SetLeId(1);
    le->m_bVorhanden = 1;
    le->RebuildLgMap(&q);
    le->CalcAbmessungen();
    CWizardParams& wp = le->m_Wizard;
    wp.m_nNummer = 1;
    SNormParams::GetStandard(0, &wp.m_Norm);
    wp.m_fReibungOhneMatte = 0.3f;
    wp.m_nVorspannkraft = 250;
    wp.m_nZurrkraft = 500;
    wp.m_nQuerQuelle = 0;
    q.InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le), 0);
    q.m_nAktiveLadeeinheit = 1;
}

void BM_SecuringResultPage(benchmark::State& state)
{
    QTemporaryDir bilder;
    SetProgramFolders({GetProgramFolders().program, bilder.path().toStdString()});
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::unique_ptr<CFahrzeug> f =
        LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
    if (!f || !f->GetQor()) {
        state.SkipWithError("sample truck missing");
        return;
    }
    Beladen(*f);
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    CQORLgSicherungView view(&doc);
    view.resize(1400, 800);
    auto* wizard = new CPshLgSichgWizard(403, &view, 0);
    wizard->SetView(&view);
    wizard->SetStartMode(3);
    if (!wizard->Create() || !wizard->GoToPage(CPshLgSichgWizard::kResultPage)) {
        state.SkipWithError("wizard not made");
        delete wizard;
        return;
    }
    auto* page = static_cast<CPgLgSichgPage8*>(wizard->GetPage(CPshLgSichgWizard::kResultPage));
    for (auto _ : state) {
        page->RefreshHint(0);
        benchmark::DoNotOptimize(page->HintHtml().size());
    }
    state.counters["html"] = static_cast<double>(page->HintHtml().size());
    state.counters["sketch"] = view.LetzteSnapshotGroesse().width();
    delete wizard;
}
BENCHMARK(BM_SecuringResultPage)->Unit(benchmark::kMillisecond);

} // namespace
