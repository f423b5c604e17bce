// The method page of the load-securing wizard: the securing method and the attachment points.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage11 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 761;
    static constexpr quint32 kTitle = 499;
    static constexpr quint32 kHeaderBitmap = 718;

    explicit CPgLgSichgPage11(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
