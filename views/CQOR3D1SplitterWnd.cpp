// The divided tab's splitter: frame of the active pane, rows hidden when dragged too small.
#include "views/CQOR3D1SplitterWnd.h"

#include "views/CGetAnsView.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

CQOR3D1SplitterWnd::CQOR3D1SplitterWnd(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent), m_pen(QColor::fromRgb(kFrameColour), 1, Qt::SolidLine)
{
    setChildrenCollapsible(true);
    connect(this, &QSplitter::splitterMoved, this, &CQOR3D1SplitterWnd::OnMoved);
}

CGetAnsView* CQOR3D1SplitterWnd::PaneView(QWidget* pane)
{
    if (pane == nullptr)
        return nullptr;
    return pane->findChild<CGetAnsView*>(QString(), Qt::FindDirectChildrenOnly);
}

CGetAnsView* CQOR3D1SplitterWnd::FindActiveView(int* pRow, int* pCol) const
{
    const QList<int> size = sizes();
    for (int row = 0; row < 2 && row < count(); ++row) {
        QWidget* pane = widget(row);
        if (pane->isHidden() || (row < size.size() && size[row] == 0 && isVisible()))
            continue;
        CGetAnsView* view = PaneView(pane);
        if (view && view->m_bActive) {
            if (pRow)
                *pRow = row;
            if (pCol)
                *pCol = 0;
            return view;
        }
    }
    if (pRow)
        *pRow = -1;
    if (pCol)
        *pCol = -1;
    return nullptr;
}

void CQOR3D1SplitterWnd::OnMoved()
{
    const QList<int> size = sizes();
    for (int row = 0; row < size.size() && row < 2; ++row)
        if (size[row] == 0 && !widget(row)->isHidden())
            emit RowCollapsed(row);
}

void CQOR3D1SplitterWnd::childEvent(QChildEvent* event)
{
    QSplitter::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool CQOR3D1SplitterWnd::eventFilter(QObject* watched, QEvent* event)
{
    // A pane paints nothing of its own: the frame goes into the margin around its view.
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto* pane = static_cast<QWidget*>(watched);
        int row = -1;
        CGetAnsView* active = FindActiveView(&row, nullptr);
        if (active && row >= 0 && widget(row) == pane)
            DrawFrame(pane, active);
    }
    return QSplitter::eventFilter(watched, event);
}

void CQOR3D1SplitterWnd::DrawFrame(QWidget* pane, CGetAnsView* view)
{
    QPainter painter(pane);
    painter.setPen(m_pen);
    const QRect r = view->geometry();
    const QMargins& b = view->m_rcBorder;
    for (int i = 0; i < b.left(); ++i)
        painter.drawLine(r.left() - 1 - i, r.top() - b.top(), r.left() - 1 - i, r.bottom() + b.bottom());
    for (int i = 0; i < b.right(); ++i)
        painter.drawLine(r.right() + 1 + i, r.top() - b.top(), r.right() + 1 + i, r.bottom() + b.bottom());
    for (int i = 0; i < b.top(); ++i)
        painter.drawLine(r.left() - b.left(), r.top() - 1 - i, r.right() + b.right(), r.top() - 1 - i);
    for (int i = 0; i < b.bottom(); ++i)
        painter.drawLine(r.left() - b.left(), r.bottom() + 1 + i, r.right() + b.right(), r.bottom() + 1 + i);
}
