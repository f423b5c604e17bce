// Hands a mail to the desktop mail client through xdg-email, which opens it in the client's window.
#pragma once

#include "platform/mail/MailMessage.h"
#include "platform/mail/MailResult.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

class MailHandOver : public QObject
{
    Q_OBJECT

public:
    explicit MailHandOver(QObject* parent = nullptr);
    ~MailHandOver() override;

    // The arguments given to xdg-email: subject, body, one --cc and one --attach per entry, then To.
    static QStringList Arguments(const MailMessage& message);

    // Starts `program` (found on the PATH) with Arguments(message); `finished` follows once, never from
    // inside this call: HandedOver for exit code 0, else Failed with the reason.
    void Start(const MailMessage& message, const QString& program = QStringLiteral("xdg-email"));

signals:
    void finished(const MailResult& result);

private:
    QProcess* m_process = nullptr;
};
