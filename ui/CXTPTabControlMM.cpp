// The tab bar with a veto before the selection changes.
#include "ui/CXTPTabControlMM.h"

#include "ui/TabControlEvent.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

CXTPTabControlMM::CXTPTabControlMM(QWidget* parent) : QTabBar(parent) {}

QObject* CXTPTabControlMM::NotifyTarget() const
{
    return m_target ? m_target.data() : parentWidget();
}

int CXTPTabControlMM::Send(QEvent::Type type, int first, int second)
{
    QObject* target = NotifyTarget();
    if (!target)
        return 0;
    TabControlEvent event(type, first, second);
    QCoreApplication::sendEvent(target, &event);
    return event.Result();
}

bool CXTPTabControlMM::RequestSelect(int index)
{
    if (index < 0 || index >= count() || !isTabEnabled(index))
        return false;
    if (index == currentIndex())
        return true;
    if (Send(TabControlEvent::kSelectingType, index, -1) != 0)
        return false;
    setCurrentIndex(index);
    return currentIndex() == index;
}

int CXTPTabControlMM::NextEnabled(int step) const
{
    for (int i = currentIndex() + step; i >= 0 && i < count(); i += step)
        if (isTabEnabled(i) && isTabVisible(i))
            return i;
    return -1;
}

void CXTPTabControlMM::mousePressEvent(QMouseEvent* event)
{
    const int clicked = event->button() == Qt::LeftButton ? tabAt(event->position().toPoint()) : -1;
    if (clicked < 0) {
        QTabBar::mousePressEvent(event);
        return;
    }
    // The owner may close this bar while it handles a notice: stop touching it then.
    QPointer<CXTPTabControlMM> self(this);
    const int selected = currentIndex();
    Send(TabControlEvent::kClickingType, selected, clicked);
    if (!self)
        return;
    event->accept();
    if (clicked != currentIndex())
        RequestSelect(clicked);
    if (self)
        Send(TabControlEvent::kClickedType, selected, clicked);
}

void CXTPTabControlMM::keyPressEvent(QKeyEvent* event)
{
    const bool vertical = shape() == RoundedWest || shape() == RoundedEast || shape() == TriangularWest ||
                          shape() == TriangularEast;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = vertical ? 0 : (isRightToLeft() ? 1 : -1);
        break;
    case Qt::Key_Right:
        step = vertical ? 0 : (isRightToLeft() ? -1 : 1);
        break;
    case Qt::Key_Up:
        step = vertical ? -1 : 0;
        break;
    case Qt::Key_Down:
        step = vertical ? 1 : 0;
        break;
    default:
        break;
    }
    if (step == 0) {
        event->ignore();
        return;
    }
    event->accept();
    if (const int next = NextEnabled(step); next >= 0)
        RequestSelect(next);
}

void CXTPTabControlMM::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int d = qAbs(delta.y()) >= qAbs(delta.x()) ? delta.y() : delta.x();
    event->accept();
    if (d == 0)
        return;
    if (const int next = NextEnabled(d > 0 ? -1 : 1); next >= 0)
        RequestSelect(next);
}
