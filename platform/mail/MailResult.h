// How a mail ended: sent by the server, handed to the desktop mail client, cancelled, or failed.
#pragma once

#include <QMetaType>
#include <QString>

struct MailResult
{
    enum class Outcome
    {
        Sent,       // the server accepted the message for every recipient
        HandedOver, // the desktop mail client took it; whether it goes out is up to the user there
        Cancelled,
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    QString reason; // for Failed: what went wrong, the server's reply included

    // Only a mail sent or handed over counts as done.
    bool IsDone() const { return outcome == Outcome::Sent || outcome == Outcome::HandedOver; }
};
Q_DECLARE_METATYPE(MailResult)
