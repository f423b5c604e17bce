// The lashing-points page of the load-securing wizard.
#include "loadsecuring/CPgLgSichgPage10.h"

#include "model/text/FormatArg.h"

CPgLgSichgPage10::CPgLgSichgPage10(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage10::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage10::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}
