// The load-unit page of the load-securing wizard: the load unit to be secured.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"

class CPgLgSichgPage1 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 633;
    static constexpr quint32 kTitle = 428;
    static constexpr quint32 kHeaderBitmap = 682;

    explicit CPgLgSichgPage1(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;

protected:
    bool OnInitDialog() override;
};
