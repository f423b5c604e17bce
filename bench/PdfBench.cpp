// From Run in the report dialog to the last PDF ready: the sample truck with two secured pallet units
// (their securing calculated, so the dialog offers their report), the load-plan report with all its
// sections and pictures and the load-securing report with its sketches, both converted by wkhtmltopdf,
// offscreen. The export dialog is answered at once.
#include "bench/BenchMain.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/SicherungsStand.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CFahrzeug.h"
#include "reports/CDlgDrucken2.h"
#include "reports/PdfExport.h"
#include "tests/support/views/StandInViews.h"
#include "ui/ControlId.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewsDocumentHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace {

CGetAnsView* Ansicht(int nKind, CQOR1Doc* pDoc)
{
    switch (nKind) {
    case CTabbedViewView::kTemplate:
        return new CQOR1View(pDoc);
    case CTabbedViewView::kPlan:
        return new CQOR2View(pDoc);
    case CTabbedViewView::kLgSicherung:
        return new CQORLgSicherungView(pDoc);
    default:
        return MakeStandInView(nKind, pDoc);
    }
}

// Two pallets, each a unit of the plan's securing with settings for the simple method. The loads go on
// the plan first: the second pallet of the name renumbers the first.
void Einheiten(CFahrzeug& f)
{
    CQOR& q = *f.GetQor();
    tagLGINFO* pallets[2] = {};
    for (int i = 0; i < 2; ++i) {
        auto* lg = new tagLGINFO;
        lg->m_strName = "Pallet";
        lg->m_nTyp = 0;
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.2;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dSPHoehe = 0.6;
        lg->m_dMasse = lg->m_dSPMasse = 0.65;
        lg->m_dPosX = 0.2 + 1.4 * i;
        lg->m_dPosY = 0.1;
        q.AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        pallets[i] = lg;
    }
    for (int i = 0; i < 2; ++i) {
        tagLGINFO* lg = pallets[i];
        auto* einheit = new CLadeeinheit(i + 1);
        einheit->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        lg->SetLeId(i + 1);
        einheit->m_bVorhanden = 1;
        einheit->RebuildLgMap(&q);
        einheit->CalcAbmessungen();
        CWizardParams& wp = einheit->m_Wizard;
        wp.m_nNummer = i + 1;
        SNormParams::GetStandard(0, &wp.m_Norm);
        wp.m_fReibungOhneMatte = 0.3f;
        wp.m_nVorspannkraft = 250;
        wp.m_nZurrkraft = 500;
        wp.m_nQuerQuelle = 0;
        q.InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(einheit), i);
    }
    q.UpdateSchwerpunkt();
}

// Calculates the securing of every unit of the front vehicle, as the wizard's result page does; answers
// whether each one then has a securing report.
bool SicherungBerechnet(CQOR1Doc& doc)
{
    CLgspReport report(&doc);
    if (!report.SelectFahrzeug(1))
        return false;
    bool bAlle = true;
    for (CLadeeinheit* le : doc.GetFahrzeug()->GetQor()->GetLadeeinheiten()) {
        report.SetLadeeinheit(le);
        if (!report.CalcLgsWerte())
            return false;
        report.FindMaengel();
        bAlle = bAlle && HatSicherungsBericht(GetSicherungsStand(*le));
    }
    return bAlle;
}

void BM_PdfReports(benchmark::State& state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf")).isEmpty()) {
        state.SkipWithError("wkhtmltopdf is not installed");
        return;
    }
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::unique_ptr<CFahrzeug> f =
        LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
    if (!f || !f->GetQor()) {
        state.SkipWithError("sample truck missing");
        return;
    }
    Einheiten(*f);
    CFahrzeug* pVorn = f.get();
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    if (!SicherungBerechnet(doc)) {
        state.SkipWithError("the units' securing was not calculated: no securing report to make");
        return;
    }
    CTabbedViewView views(&doc, &Ansicht);
    views.resize(1200, 700);
    CViewsDocumentHost host(&views);
    doc.SetHost(&host);
    auto* sicherung = views.FindView<CQORLgSicherungView>();
    int nPdfs = 0;
    PdfExport::SetExportDialog([&nPdfs](QWidget*, const QStringList& pdfs) {
        nPdfs = int(pdfs.size());
        return PdfExport::kExportiert;
    });
    QTemporaryDir ordner;
    for (auto _ : state) {
        CDlgDrucken2 dialog(&doc, pVorn, nullptr);
        dialog.SetBerichtOrdner(ordner.path().toStdString());
        dialog.SetSkizzenRenderer(sicherung->SkizzenRenderer());
        dialog.InitDialog();
        for (int id : {CDlgDrucken2::kIdBeide, CDlgDrucken2::kIdB1})
            qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id))->click();
        QWidget* run = ControlId::Find(&dialog, CDlgDrucken2::kIdRun);
        nPdfs = 0;
        const auto t0 = std::chrono::steady_clock::now();
        const QPoint mitte = run->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, mitte, run->mapToGlobal(mitte), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, mitte, run->mapToGlobal(mitte), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(run, &press);
        QApplication::sendEvent(run, &release);
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        if (nPdfs != 2) {
            state.SkipWithError("the reports did not become two PDFs");
            break;
        }
    }
    PdfExport::SetExportDialog({});
    doc.SetHost(nullptr);
}
// One conversion per repetition; bench/pdf.sh asks for ten.
BENCHMARK(BM_PdfReports)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreenBenchmarks(argc, argv, BenchModule::English);
}
