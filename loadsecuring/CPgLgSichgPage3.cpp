// The securing-choice page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage3.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage3::CPgLgSichgPage3(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage3::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage3::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
