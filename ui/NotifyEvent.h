// A notification of a child control to its parent (button added to a strip, edit field changed, ...).
#pragma once

#include <QEvent>
#include <QObject>

// The sender, its control id and a code, plus the fields of the extended records some controls send
// (the edit field's old and new value and flag). Sent synchronously: the receiver may change the
// code (a strip button's check veto) and set a result (an edit field's Return notification).
// Travels as QEvent::MaxUser minus the message number (see CommandEvent).
class NotifyEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(QEvent::MaxUser - 0x4E);
    static QEvent::Type EventType() { return kType; }
    static constexpr int kButtonAdded = 0x8050;

    NotifyEvent(quint32 id, int code, QObject* from) : QEvent(kType), m_id(id), m_code(code), m_from(from) {}

    quint32 Id() const { return m_id; }
    int Code() const { return m_code; }
    void SetCode(int code) { m_code = code; }
    QObject* From() const { return m_from; }

    int wParam = 0;          // the character of a forwarded key (code 0x102), else the control id
    const void* a = nullptr; // first extra field (the old value)
    const void* b = nullptr; // second extra field (the new value)
    int flagA = 0;           // the first extra field where it is a number (1: the field had no focus)
    int flag = 0;            // last field of the record (committed by Return)
    int result = 0;          // the receiver's answer

private:
    quint32 m_id;
    int m_code;
    QObject* m_from;
};
