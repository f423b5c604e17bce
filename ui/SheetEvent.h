// The private messages a property sheet and its pages exchange.
#pragma once

#include <QEvent>

class QKeyEvent;
class QWidget;

// Sent (synchronously) to a CPropertySheetBase:
// - kNoopType (0x8047): nothing; result 0.
// - kTakePageRingType (0x8049), Page(): the keyboard order becomes a copy of the page's list; 0.
// - kPageKeyType (0x804A), Key() and Page(): runs the keyboard rules for the key; 1 when handled.
// - kUpdateCommandsType (0x804B), Forced(): command update of the strips and controls; 1.
// - kRebuildNavigationType (0x804D), Page() or null for the active page: rebuilds the order; 0.
class SheetEvent : public QEvent
{
public:
    static constexpr QEvent::Type kNoopType = QEvent::Type(0x8047);
    static constexpr QEvent::Type kTakePageRingType = QEvent::Type(0x8049);
    static constexpr QEvent::Type kPageKeyType = QEvent::Type(0x804A);
    static constexpr QEvent::Type kUpdateCommandsType = QEvent::Type(0x804B);
    static constexpr QEvent::Type kRebuildNavigationType = QEvent::Type(0x804D);

    SheetEvent(QEvent::Type type, QWidget* page = nullptr, QKeyEvent* key = nullptr, bool forced = false)
        : QEvent(type), m_page(page), m_key(key), m_forced(forced)
    {
    }

    QWidget* Page() const { return m_page; }
    QKeyEvent* Key() const { return m_key; }
    bool Forced() const { return m_forced; }
    int Result() const { return m_result; }
    void SetResult(int result) { m_result = result; }

private:
    QWidget* m_page;
    QKeyEvent* m_key;
    bool m_forced;
    int m_result = 0;
};
