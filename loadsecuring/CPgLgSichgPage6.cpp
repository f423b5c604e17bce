// The lashing-devices page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage6.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage6::CPgLgSichgPage6(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage6::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage6::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
