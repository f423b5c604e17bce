// The lashing-points page of the load-securing wizard: the lashing points the unit is lashed to.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage10 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 746;
    static constexpr quint32 kTitle = 489;
    static constexpr quint32 kHeaderBitmap = 810;

    explicit CPgLgSichgPage10(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
