// The command-update query for one control: the receiver records the command's state, the sender applies it.
#pragma once

#include <QEvent>
#include <QString>

#include <optional>

class QWidget;

// Sent to the window that handles a control's command (a dialog for its controls and strip buttons)
// during the idle update. Handlers call Enable, SetCheck or SetText; the last call of each kind wins.
class CommandUpdateEvent : public QEvent
{
public:
    static QEvent::Type EventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    CommandUpdateEvent(quint32 id, QWidget* control, int flag = 0)
        : QEvent(EventType()), m_id(id), m_control(control), m_flag(flag)
    {
    }
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
