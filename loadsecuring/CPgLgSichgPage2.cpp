// The blocking page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage2.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage2::CPgLgSichgPage2(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage2::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage2::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
