// The result page of the load-securing wizard: the result of the securing calculation.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage8 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 644;
    static constexpr quint32 kTitle = 446;
    static constexpr quint32 kHeaderBitmap = 723;

    explicit CPgLgSichgPage8(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
