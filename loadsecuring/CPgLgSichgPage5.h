// The friction page of the load-securing wizard: the friction between load and load area.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage5 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 641;
    static constexpr quint32 kTitle = 431;
    static constexpr quint32 kHeaderBitmap = 691;

    explicit CPgLgSichgPage5(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
