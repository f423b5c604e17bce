// The slider factory the running program installs: real pop-up slider windows.
#pragma once

#include "views/ISliderFactory.h"

class CWndSliderFactory : public ISliderFactory
{
public:
    // Null without an owner or for a window that cannot be placed.
    std::unique_ptr<IValueSlider> Create(int nKind, double dValue, double dMin, double dMax, QPoint anchor,
                                         QWidget* pOwner, bool bCompact) override;
};
