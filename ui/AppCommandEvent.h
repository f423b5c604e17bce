// A command raised by an "app:" link of an HTML control, with the link's argument.
#pragma once

#include "ui/CommandEvent.h"

#include <QString>

// Posted to the HTML control's parent as an ordinary command (notification code 0, the control as
// sender), so dialogs handle it in OnCommand like a click. Receivers that want the argument look for
// this class: Argument() is null when the link carried none.
class AppCommandEvent : public CommandEvent
{
public:
    AppCommandEvent(quint32 id, QString argument, QObject* control)
        : CommandEvent(id, 0, control), m_argument(std::move(argument))
    {
    }

    const QString& Argument() const { return m_argument; }

    // The argument of a command event when it came from an "app:" link; null otherwise.
    static QString ArgumentOf(const QEvent* event)
    {
        const auto* app = dynamic_cast<const AppCommandEvent*>(event);
        return app ? app->Argument() : QString();
    }

private:
    QString m_argument;
};
