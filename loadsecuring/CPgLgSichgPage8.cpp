// The result page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage8.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ILgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/securing/CLgspReport.h"
#include "model/text/FormatArg.h"
#include "model/text/TextProvider.h"

CPgLgSichgPage8::CPgLgSichgPage8(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

CPgLgSichgPage8::~CPgLgSichgPage8() = default;

void CPgLgSichgPage8::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

void CPgLgSichgPage8::SetzeTitel()
{
    // The title names the method and the unit.
    const CLadeeinheit* pEinheit = GetLadeeinheit();
    const int nMethode = GetWizard() && GetWizard()->GetParams().m_nVerfahren == 1 ? 466 : 465;
    SetPageTitle(kTitle, {LoadResString(quint32(nMethode)), pEinheit ? pEinheit->GetId() : 0});
}

bool CPgLgSichgPage8::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetzeTitel();
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
}

bool CPgLgSichgPage8::OnSetActive()
{
    // The settings may have changed on any page before: always a fresh result.
    m_bHintDirty = true;
    SetzeTitel();
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
