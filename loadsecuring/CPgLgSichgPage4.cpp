// The coefficients page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage4.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage4::CPgLgSichgPage4(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage4::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage4::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
