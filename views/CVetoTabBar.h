// A tab bar that asks before its selection changes, whether by mouse, wheel, key or call.
#pragma once

#include <QTabBar>

#include <functional>

// The one place of the host's tab veto: replaceable by any tab control that asks before changing.
class CVetoTabBar : public QTabBar
{
    Q_OBJECT

public:
    using CanChange = std::function<bool(int nTab)>;

    explicit CVetoTabBar(QWidget* parent = nullptr);

    // Asked before every change with the tab asked for; false keeps the current tab.
    void SetCanChange(CanChange canChange) { m_canChange = std::move(canChange); }
    // Selects the tab when the veto allows it; true when the tab is selected afterwards.
    bool RequestTab(int nTab);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    // Lets QTabBar handle the event silently, then undoes any change and requests it through the veto.
    template <typename Handle> void Guarded(Handle handle);

    CanChange m_canChange;
};
