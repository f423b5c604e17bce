// A command (click of a button or strip button, menu command) sent to a window as an event.
#pragma once

#include <QEvent>
#include <QObject>

// Carries a command id with its notification code (0 for a click or a menu command) and the control
// that sent it (null for strip buttons and menus). Standard window messages travel as events numbered
// QEvent::MaxUser minus the message number, so they never meet the private messages, which keep
// their own numbers (QEvent::User ... 0x84BE).
class CommandEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::Type(QEvent::MaxUser - 0x111);
    static QEvent::Type EventType() { return kType; }

    explicit CommandEvent(quint32 id, int notifyCode = 0, QObject* control = nullptr)
        : QEvent(kType), m_id(id), m_notifyCode(notifyCode), m_control(control)
    {
    }

    quint32 Id() const { return m_id; }
    int NotifyCode() const { return m_notifyCode; }
    QObject* Control() const { return m_control; }

private:
    quint32 m_id;
    int m_notifyCode;
    QObject* m_control;
};
