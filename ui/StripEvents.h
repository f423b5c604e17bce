// Events a button strip sends to the window that owns its buttons: clicks, notifications and the
// command-update query, in place of WM_COMMAND, WM_NOTIFY and the update-command-UI pass.
#pragma once

#include <QEvent>
#include <QString>

#include <optional>

class QWidget;

// A click of a strip button (WM_COMMAND with the command id, sent).
class CommandEvent : public QEvent
{
public:
    explicit CommandEvent(quint32 id) : QEvent(EventType()), m_id(id) {}
    static QEvent::Type EventType();
    quint32 Id() const { return m_id; }

private:
    quint32 m_id;
};

// A notification of a strip (WM_NOTIFY): code 0x8050 "button added" from the strip, or a check
// state about to change, with the new state as code, from the button. The receiver vetoes a check
// change by changing the code.
class NotifyEvent : public QEvent
{
public:
    static constexpr int kButtonAdded = 0x8050;

    NotifyEvent(quint32 id, int code, QWidget* from) : QEvent(EventType()), m_id(id), m_code(code), m_from(from) {}
    static QEvent::Type EventType();
    quint32 Id() const { return m_id; }
    int Code() const { return m_code; }
    void SetCode(int code) { m_code = code; }
    QWidget* From() const { return m_from; }

private:
    quint32 m_id;
    int m_code;
    QWidget* m_from;
};

// The command-update query for one strip button: the receiver records what the command's state
// is; the strip applies the recorded values to the button.
class CommandUpdateEvent : public QEvent
{
public:
    CommandUpdateEvent(quint32 id, QWidget* control, int flag)
        : QEvent(EventType()), m_id(id), m_control(control), m_flag(flag)
    {
    }
    static QEvent::Type EventType();
    quint32 Id() const { return m_id; }
    QWidget* Control() const { return m_control; }
    int Flag() const { return m_flag; }

    void Enable(bool on) { enabled = on; }
    void SetCheck(int state) { checked = state; }
    void SetText(const QString& value) { text = value; }

    std::optional<bool> enabled;
    std::optional<int> checked;
    std::optional<QString> text;

private:
    quint32 m_id;
    QWidget* m_control;
    int m_flag;
};
