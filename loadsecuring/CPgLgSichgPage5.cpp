// The friction page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage5.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage5::CPgLgSichgPage5(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage5::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage5::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
