// A tab bar that asks before its selection changes, whether by mouse, wheel, key or call.
#include "views/CVetoTabBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

CVetoTabBar::CVetoTabBar(QWidget* parent) : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(true);
}

bool CVetoTabBar::RequestTab(int nTab)
{
    if (nTab < 0 || nTab >= count())
        return false;
    if (nTab == currentIndex())
        return true;
    if (m_canChange && !m_canChange(nTab))
        return false;
    setCurrentIndex(nTab);
    return currentIndex() == nTab;
}

template <typename Handle> void CVetoTabBar::Guarded(Handle handle)
{
    const int before = currentIndex();
    int after = before;
    {
        const QSignalBlocker blocker(this);
        handle();
        after = currentIndex();
        if (after != before)
            setCurrentIndex(before);
    }
    if (after != before)
        RequestTab(after);
}

void CVetoTabBar::mousePressEvent(QMouseEvent* e)
{
    Guarded([&] { QTabBar::mousePressEvent(e); });
}

void CVetoTabBar::keyPressEvent(QKeyEvent* e)
{
    Guarded([&] { QTabBar::keyPressEvent(e); });
}

void CVetoTabBar::wheelEvent(QWheelEvent* e)
{
    Guarded([&] { QTabBar::wheelEvent(e); });
}
