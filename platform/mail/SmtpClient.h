// Sends one message to an SMTP server without blocking: STARTTLS or TLS, AUTH PLAIN over TLS only, one
// RCPT per recipient, dot-stuffing, a time-out per step, and a cancel.
#pragma once

#include "platform/mail/MailResult.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSslSocket>
#include <QStringList>
#include <QTimer>

class SmtpClient : public QObject
{
    Q_OBJECT

public:
    enum class Security
    {
        None,
        StartTls,
        Tls,
    };
    struct Server
    {
        QString host;
        quint16 port = 587;
        Security security = Security::StartTls;
        QString user; // empty: no login
        QString password;
        int stepTimeoutMs = 60000;
    };

    explicit SmtpClient(QObject* parent = nullptr);
    ~SmtpClient() override;

    // Starts sending `message` (a whole MIME message with CRLF line ends) from `from` to every address of
    // `recipients`; `finished` follows exactly once, never from inside this call.
    void Send(const Server& server, const QString& from, const QStringList& recipients,
              const QByteArray& message);
    // Ends a running send at once with a Cancelled result.
    void Cancel();
    bool IsRunning() const { return m_running; }

    // `message` with every line that begins with "." given another one, ending in CRLF.
    static QByteArray DotStuffed(const QByteArray& message);

signals:
    void finished(const MailResult& result);

private:
    enum class Step
    {
        Greeting,
        Ehlo,
        StartTls,
        EhloTls,
        Auth,
        MailFrom,
        Rcpt,
        Data,
        Body,
        Quit,
    };

    void OnReadyRead();
    void OnReply(int code, const QByteArray& text);
    void AfterEhlo();
    void SendCommand(Step step, const QByteArray& command);
    void Finish(MailResult::Outcome outcome, const QString& reason = {});

    QSslSocket* m_socket = nullptr;
    QTimer m_timer;
    Server m_server;
    QString m_from;
    QStringList m_recipients;
    QByteArray m_message;
    Step m_step = Step::Greeting;
    int m_rcptIndex = 0;
    QByteArray m_buffer;
    QByteArray m_replyText;
    QStringList m_extensions;
    bool m_running = false;
};
