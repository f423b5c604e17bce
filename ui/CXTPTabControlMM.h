// The tab bar whose owner may refuse a change of the selected tab before it happens.
#pragma once

#include <QEvent>
#include <QPointer>
#include <QTabBar>

// A QTabBar that asks its owner (the parent widget unless SetNotifyTarget names another object)
// before the user selects another tab by mouse, keyboard or wheel: a TabControlEvent of type
// kSelectingType with the tab's index; a non-zero result keeps the current tab and nothing changes.
// A press on a tab is framed by kClickingType and kClickedType (selected tab, clicked tab).
// Selecting by code (setCurrentIndex) asks nobody: the owner decides that itself.
class CXTPTabControlMM : public QTabBar
{
    Q_OBJECT
public:
    explicit CXTPTabControlMM(QWidget* parent = nullptr);

    void SetNotifyTarget(QObject* target) { m_target = target; }
    QObject* NotifyTarget() const;

    // Asks the owner whether the tab may become the selected one and selects it when allowed; true
    // when it is selected afterwards.
    bool RequestSelect(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int Send(QEvent::Type type, int first, int second);
    // The next enabled tab from the current one in a direction (-1, +1); -1 when there is none.
    int NextEnabled(int step) const;

    QPointer<QObject> m_target;
};
