// The result page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage8.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CLadeeinheit.h"
#include "model/text/FormatArg.h"
#include "model/text/TextProvider.h"

CPgLgSichgPage8::CPgLgSichgPage8(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage8::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage8::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    // The title names the method and the unit.
    const CLadeeinheit* pEinheit = GetLadeeinheit();
    const int nMethode = GetWizard() && GetWizard()->GetParams().m_nVerfahren == 1 ? 466 : 465;
    SetPageTitle(kTitle, {LoadResString(quint32(nMethode)), pEinheit ? pEinheit->GetId() : 0});
    return true;
}
