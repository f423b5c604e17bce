// The securing-choice page of the load-securing wizard: how the unit is secured.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage3 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 635;
    static constexpr quint32 kTitle = 488;
    static constexpr quint32 kHeaderBitmap = 805;

    explicit CPgLgSichgPage3(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
