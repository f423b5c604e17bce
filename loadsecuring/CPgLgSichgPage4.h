// The coefficients page of the load-securing wizard: the securing standard and its coefficients.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage4 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 640;
    static constexpr quint32 kTitle = 445;
    static constexpr quint32 kHeaderBitmap = 717;

    explicit CPgLgSichgPage4(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
