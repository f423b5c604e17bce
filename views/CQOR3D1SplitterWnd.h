// The splitter of the divided tab: the active view framed in blue, a row dragged below its minimum hidden.
#pragma once

#include <QPen>
#include <QSplitter>

class CGetAnsView;

class CQOR3D1SplitterWnd : public QSplitter
{
    Q_OBJECT

public:
    static constexpr QRgb kFrameColour = 0xFF328ED1; // RGB(50, 142, 209)

    explicit CQOR3D1SplitterWnd(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The first pane of rows 0 and 1 (a hidden or collapsed row skipped) whose view is active; -1, -1 and
    // null when none.
    CGetAnsView* FindActiveView(int* pRow, int* pCol) const;
    // The view a pane holds, or null.
    static CGetAnsView* PaneView(QWidget* pane);
    const QPen& FramePen() const { return m_pen; }

signals:
    // A row was dragged below its minimum size and is hidden now.
    void RowCollapsed(int row);

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnMoved();
    // Lines of the pen inward around the view's window, as many on each side as its border there.
    void DrawFrame(QWidget* pane, CGetAnsView* view);

    QPen m_pen;
};
