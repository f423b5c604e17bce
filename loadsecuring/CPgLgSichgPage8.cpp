// The result page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage8.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ILgSicherungView.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/text/FormatArg.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "reports/CDlgDrucken2.h"
#include "reports/PdfExport.h"
#include "ui/IMessageBoxService.h"

#include <system_error>

CPgLgSichgPage8::CPgLgSichgPage8(CPshLgSichgWizard* pWizard)
    : CPgLgSichgBase2(kTemplate, pWizard), m_ordner(GetReportFolder()), m_export(&PdfExport::ExportHtmlAsPdf)
{
}

CPgLgSichgPage8::~CPgLgSichgPage8() = default;

void CPgLgSichgPage8::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

void CPgLgSichgPage8::SetTitel()
{
    // The title names the method and the unit.
    const CLadeeinheit* pEinheit = GetLadeeinheit();
    const int nMethode = GetWizard() && GetWizard()->GetParams().m_nVerfahren == 1 ? 466 : 465;
    SetPageTitle(kTitle, {LoadResString(quint32(nMethode)), pEinheit ? pEinheit->GetId() : 0});
}

bool CPgLgSichgPage8::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetTitel();
    m_pReport = std::make_unique<CLgspReport>(GetWizard() ? GetWizard()->GetDocument() : nullptr);
    // The sketch is the load-securing view's report picture.
    if (ILgSicherungView* pView = GetView())
        if (auto* pSichtung = dynamic_cast<CQORLgSicherungView*>(pView->GetViewWindow()))
            m_pReport->SetSketchRenderer(pSichtung->SkizzenRenderer());
    Stelle();
    return true;
}

void CPgLgSichgPage8::Stelle()
{
    if (!m_pReport || !GetWizard())
        return;
    m_pReport->SetFahrzeug(GetFahrzeug());
    m_pReport->SetLadeeinheit(GetLadeeinheit());
    m_pReport->SetWizardParams(&GetWizard()->GetParams());
    // Lashed over the unit to the vehicle's lashing points: the pairs beside the unit where it stands,
    // whichever pages led here, so that the result, the unit's defects and the view count the same.
    m_pReport->SammleZurrpunktPaare();
}

bool CPgLgSichgPage8::OnSetActive()
{
    // The settings may have changed on any page before: always a fresh result.
    m_bHintDirty = true;
    SetTitel();
    if (GetWizard())
        GetWizard()->SetErgebnisGezeigt();
    return CPgLgSichgBase2::OnSetActive();
}

int CPgLgSichgPage8::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    Stelle();
    std::string html;
    if (m_pReport && m_pReport->GetLadeeinheit() && m_pReport->WriteHtml("lgsp", false, 1, 400, true, &html))
        if (pHtml)
            *pHtml = QString::fromStdString(html);
    return 0;
}

std::string CPgLgSichgPage8::BerichtTitel() const
{
    const CLadeeinheit* pEinheit = GetLadeeinheit();
    // The unit is named by its first load.
    std::string name;
    if (pEinheit && !pEinheit->m_mapLg.empty())
        name = pEinheit->m_mapLg.begin()->second ? pEinheit->m_mapLg.begin()->second->GetDisplayName()
                                                 : pEinheit->m_mapLg.begin()->first;
    return FormatChecked("%s '%s' %s [%i]",
                         {LoadResString(234), name, LoadResString(232), pEinheit ? pEinheit->GetId() : 0});
}

std::string CPgLgSichgPage8::BerichtName() const
{
    // The same safe file name as the report dialog's reports.
    return CDlgDrucken2::SichererName(BerichtTitel());
}

void CPgLgSichgPage8::ZeigeBericht()
{
    Stelle();
    std::string html;
    if (!m_pReport || !m_pReport->GetLadeeinheit() ||
        !m_pReport->WriteHtml("lgsp", false, 1, 400, true, &html))
        return;
    IMessageBoxService::HtmlBox box;
    // The title is the unit's name as the user typed it: escaped; the report's body is markup.
    box.text = QString::fromStdString(FormatChecked("<h1>%s</h1>%s", {EscapeHtml(BerichtTitel()), html}));
    box.captionId = 273;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

bool CPgLgSichgPage8::event(QEvent* event)
{
    if (event->type() == LgSichgPageEvent::kShowReportType) {
        ZeigeBericht();
        return true;
    }
    return CPgLgSichgBase2::event(event);
}

std::string CPgLgSichgPage8::SchreibeBericht()
{
    Stelle();
    if (!m_pReport || !m_pReport->GetLadeeinheit())
        return std::string();
    std::error_code ec;
    std::filesystem::create_directories(m_ordner, ec);
    const std::string name = BerichtName();
    std::string pfad;
    // The sketch goes beside the report file, where the converter may read it; the hint pane keeps its own.
    m_pReport->SetSkizzenOrdner(m_ordner);
    const bool ok = m_pReport->WriteHtml(name, true, 3, 800, true, &pfad);
    m_pReport->SetSkizzenOrdner({});
    if (!ok) {
        MessageBoxes().Show(this, QString::fromStdString(LoadResString(273)),
                            QString::fromStdString(FormatResChecked(1383, {name})),
                            IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
        return std::string();
    }
    return pfad;
}

int CPgLgSichgPage8::OnButtonPressed(int nId, int nValue)
{
    if (nId != CPshLgSichgWizard::kIdReport || !GetWizard() ||
        GetWizard()->ActiveIndex() != CPshLgSichgWizard::kResultPage)
        return CPgLgSichgBase2::OnButtonPressed(nId, nValue);
    const std::string pfad = SchreibeBericht();
    if (!pfad.empty() && m_export)
        m_export(GetWizard()->GetDocument(), {QString::fromStdString(pfad)},
                 QString::fromStdString(m_ordner.string()), this);
    return 1;
}
