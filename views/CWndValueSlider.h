// A view's value slider backed by the pop-up slider window of ui/.
#pragma once

#include "views/IValueSlider.h"

#include <QPointer>

class CWndSlider;

// Owns the slider window: destroying this removes the window without a closing message. The window
// reports its values and its closing to the owner view itself (SliderEvent, which SliderValueEvent
// derives from).
class CWndValueSlider : public IValueSlider
{
public:
    explicit CWndValueSlider(CWndSlider* pSlider);
    ~CWndValueSlider() override;
    CWndValueSlider(const CWndValueSlider&) = delete;
    CWndValueSlider& operator=(const CWndValueSlider&) = delete;

    double GetValue() const override;
    void SetValue(double dValue) override;
    COLORREF SetEditBkColor(COLORREF colour) override;
    // Applies the typed text and closes; the owner usually deletes this object meanwhile.
    void Close() override;
    void FocusEdit() override;
    void SetCloseOnReturn(bool bClose) override;
    const QObject* SenderObject() const override;
    QRect WindowRect() const override;
    void MoveWindow(const QRect& rc) override;

    CWndSlider* Window() const { return m_pSlider.data(); }

private:
    QPointer<CWndSlider> m_pSlider;
};
