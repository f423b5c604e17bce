// The slider factory the running program installs: real pop-up slider windows.
#include "views/CWndSliderFactory.h"

#include "views/CWndValueSlider.h"

#include "ui/CWndSlider.h"

std::unique_ptr<IValueSlider> CWndSliderFactory::Create(int nKind, double dValue, double dMin, double dMax,
                                                        QPoint anchor, QWidget* pOwner, bool bCompact)
{
    if (!pOwner)
        return nullptr;
    auto* pSlider = new CWndSlider;
    pSlider->SetKind(nKind);
    pSlider->SetLimits(dMin, dMax);
    pSlider->SetValue(dValue);
    if (!pSlider->Create(anchor, pOwner, bCompact)) {
        delete pSlider;
        return nullptr;
    }
    pSlider->show();
    pSlider->raise();
    // Typing goes into the value at once; an edit that was still hidden could not take the focus.
    pSlider->FocusEdit();
    return std::make_unique<CWndValueSlider>(pSlider);
}
