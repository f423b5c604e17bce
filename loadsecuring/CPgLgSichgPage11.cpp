// The method page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage11.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage11::CPgLgSichgPage11(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage11::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage11::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
