// A button strip as the dialog base sees it: the IButtonStrip face of a CRibBtnContainer.
#pragma once

#include "ui/CRibBtnContainer.h"
#include "ui/IButtonStrip.h"

#include <QPointer>

// Owns its strip widget: destroying the object destroys the strip (unless its parent already did).
class RibBtnStrip : public IButtonStrip
{
public:
    explicit RibBtnStrip(CRibBtnContainer* strip);
    ~RibBtnStrip() override;
    RibBtnStrip(const RibBtnStrip&) = delete;
    RibBtnStrip& operator=(const RibBtnStrip&) = delete;

    CRibBtnContainer* Strip() const { return m_strip; }

    QWidget* Window() override;
    bool AddButton(int id, QObject* notify, const QString& caption) override;
    int AddSeparator(int id = -1) override;
    bool HasButton(int id) const override;
    QWidget* ButtonWindow(int id) const override;
    QList<int> ButtonIds() const override;
    void SetButtonRadioGroup(int id, int anchorId) override;
    int GetButtonRadioGroup(int id) const override;
    void SetButtonSize(int id, int cx, int cy) override;
    void SetButtonToolTipMode(int id, int mode) override;
    void SetWindowPosAndShape(int x, int y, int width) override;

private:
    QPointer<CRibBtnContainer> m_strip;
};
