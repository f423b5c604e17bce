// The notices a tab control sends its owner around a change of the selected tab.
#pragma once

#include <QEvent>

// Private messages of the tab control, sent synchronously to the owner:
// - kSelectingType (0x84BE): First() is the tab about to be selected; a non-zero Result() keeps the
//   current tab.
// - kClickingType (0x84BC) and kClickedType (0x84BD): before and after a click on a tab is handled,
//   First() the selected tab at the press, Second() the tab clicked.
class TabControlEvent : public QEvent
{
public:
    static constexpr QEvent::Type kClickingType = QEvent::Type(0x84BC);
    static constexpr QEvent::Type kClickedType = QEvent::Type(0x84BD);
    static constexpr QEvent::Type kSelectingType = QEvent::Type(0x84BE);

    TabControlEvent(QEvent::Type type, int first, int second = -1)
        : QEvent(type), m_first(first), m_second(second)
    {
    }

    int First() const { return m_first; }
    int Second() const { return m_second; }
    int Result() const { return m_result; }
    void SetResult(int result) { m_result = result; }

private:
    int m_first;
    int m_second;
    int m_result = 0;
};
