// The lashing-devices page of the load-securing wizard: the lashing device used.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage6 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 642;
    static constexpr quint32 kTitle = 432;
    static constexpr quint32 kHeaderBitmap = 804;

    explicit CPgLgSichgPage6(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
