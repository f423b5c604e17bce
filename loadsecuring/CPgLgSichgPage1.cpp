// The load-unit page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage1.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage1::CPgLgSichgPage1(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage1::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage1::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
