// The blocking page of the load-securing wizard: whether the unit is blocked and with what force per
// direction.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage2 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 634;
    static constexpr quint32 kTitle = 429;
    static constexpr quint32 kHeaderBitmap = 720;

    explicit CPgLgSichgPage2(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
