// A notification of a child control to its parent (button added to a strip, edit field changed, ...).
#pragma once

#include <QEvent>
#include <QObject>

// The sender, its control id and a code, plus the fields of the extended records some controls send
// (the edit field's old and new value and flag). Sent synchronously: the receiver may change `code`
// (a strip button's check veto) and set `result` (an edit field's Return notification).
class NotifyEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(QEvent::MaxUser - 0x4E);

    NotifyEvent(QObject* from, int idFrom, int code) : QEvent(kType), from(from), idFrom(idFrom), code(code)
    {
    }

    QObject* from;
    int idFrom;
    int code;
    int wParam = 0;          // the character of a forwarded key (code 0x102), else the control id
    const void* a = nullptr; // first extra field (old value; "had no focus" flag as 1 or 0)
    const void* b = nullptr; // second extra field (new value)
    int flagA = 0;           // integer form of the first extra field where it is a number
    int flag = 0;            // last field of the record (committed by Return)
    int result = 0;          // the receiver's answer
};
