// Sends one message to an SMTP server without blocking.
#include "platform/mail/SmtpClient.h"
#include "platform/mail/MailTexts.h"

#include "platform/mail/MimeWriter.h"

#include <QHostInfo>

#include <algorithm>

SmtpClient::SmtpClient(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<MailResult>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        Finish(MailResult::Outcome::Failed,
               MailText(1702, "The mail server %1 did not answer in time.").arg(m_server.host));
    });
}

SmtpClient::~SmtpClient()
{
    if (m_socket)
        m_socket->abort();
}

QByteArray SmtpClient::DotStuffed(const QByteArray& message)
{
    QByteArray out;
    out.reserve(message.size() + message.size() / 64 + 4);
    bool lineStart = true;
    for (char c : message) {
        if (lineStart && c == '.')
            out += '.';
        out += c;
        lineStart = c == '\n';
    }
    if (!out.endsWith("\r\n"))
        out += "\r\n";
    return out;
}

void SmtpClient::Send(const Server& server, const QString& from, const QStringList& recipients,
                      const QByteArray& message)
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    m_server = server;
    m_from = from;
    m_recipients = recipients;
    m_message = message;
    m_step = Step::Greeting;
    m_rcptIndex = 0;
    m_buffer.clear();
    m_replyText.clear();
    m_extensions.clear();
    m_running = true;
    if (recipients.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this] { Finish(MailResult::Outcome::Failed, MailText(1703, "The mail has no recipient.")); },
            Qt::QueuedConnection);
        return;
    }
    // An address goes into a mail command as it is: a line break in it would send commands of its own.
    if (MimeWriter::HasControlCharacter(from) ||
        std::any_of(recipients.begin(), recipients.end(), MimeWriter::HasControlCharacter)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                Finish(MailResult::Outcome::Failed,
                       MailText(1704, "A mail address holds a line break or another control character."));
            },
            Qt::QueuedConnection);
        return;
    }
    m_socket = new QSslSocket(this);
    connect(m_socket, &QSslSocket::readyRead, this, &SmtpClient::OnReadyRead);
    connect(m_socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        Finish(MailResult::Outcome::Failed, MailText(1705, "Connection to the mail server %1 failed: %2")
                                                .arg(m_server.host, m_socket->errorString()));
    });
    connect(m_socket, &QSslSocket::disconnected, this, [this] {
        Finish(MailResult::Outcome::Failed,
               MailText(1706, "The mail server %1 closed the connection.").arg(m_server.host));
    });
    connect(m_socket, &QSslSocket::encrypted, this, [this] {
        if (m_step == Step::StartTls)
            SendCommand(Step::EhloTls, "EHLO " + QHostInfo::localHostName().toUtf8());
    });
    m_timer.start(m_server.stepTimeoutMs);
    if (m_server.security == Security::Tls)
        m_socket->connectToHostEncrypted(m_server.host, m_server.port);
    else
        m_socket->connectToHost(m_server.host, m_server.port);
}

void SmtpClient::Cancel()
{
    if (m_running)
        Finish(MailResult::Outcome::Cancelled);
}

void SmtpClient::Finish(MailResult::Outcome outcome, const QString& reason)
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        if (outcome == MailResult::Outcome::Sent)
            m_socket->disconnectFromHost();
        else
            m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    m_message.clear();
    emit finished(MailResult{outcome, reason});
}

void SmtpClient::SendCommand(Step step, const QByteArray& command)
{
    m_step = step;
    m_timer.start(m_server.stepTimeoutMs);
    m_socket->write(command + "\r\n");
}

void SmtpClient::OnReadyRead()
{
    m_buffer += m_socket->readAll();
    qsizetype end;
    while (m_running && (end = m_buffer.indexOf("\r\n")) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 2);
        bool ok = false;
        const int code = line.left(3).toInt(&ok);
        if (!ok || line.size() < 3) {
            Finish(MailResult::Outcome::Failed, MailText(1707, "The mail server sent an unreadable reply: %1")
                                                    .arg(QString::fromUtf8(line.left(200))));
            return;
        }
        m_replyText += line.mid(4) + '\n';
        if (line.size() > 3 && line[3] == '-')
            continue; // more lines of this reply follow
        const QByteArray text = m_replyText.trimmed();
        m_replyText.clear();
        OnReply(code, text);
    }
}

void SmtpClient::OnReply(int code, const QByteArray& text)
{
    auto fail = [&](const QString& what) {
        Finish(MailResult::Outcome::Failed,
               QStringLiteral("%1 (%2 %3)").arg(what).arg(code).arg(QString::fromUtf8(text)));
    };
    const QByteArray ehlo = "EHLO " + QHostInfo::localHostName().toUtf8();
    switch (m_step) {
    case Step::Greeting:
        if (code != 220)
            return fail(MailText(1708, "The mail server refused the connection."));
        return SendCommand(Step::Ehlo, ehlo);
    case Step::Ehlo:
    case Step::EhloTls:
        if (code != 250)
            return fail(MailText(1709, "The mail server refused the greeting."));
        m_extensions = QString::fromUtf8(text).toUpper().split(u'\n');
        for (QString& e : m_extensions)
            e = e.trimmed();
        return AfterEhlo();
    case Step::StartTls:
        if (code != 220)
            return fail(MailText(1710, "The mail server refused to start TLS."));
        m_timer.start(m_server.stepTimeoutMs);
        m_socket->startClientEncryption();
        return;
    case Step::Auth:
        if (code != 235)
            return fail(MailText(1711, "The mail server refused the login."));
        return SendCommand(Step::MailFrom, "MAIL FROM:<" + m_from.toUtf8() + ">");
    case Step::MailFrom:
        if (code != 250)
            return fail(MailText(1712, "The mail server refused the sender %1.").arg(m_from));
        return SendCommand(Step::Rcpt, "RCPT TO:<" + m_recipients[0].toUtf8() + ">");
    case Step::Rcpt:
        if (code != 250 && code != 251)
            return fail(
                MailText(1713, "The mail server refused the recipient %1.").arg(m_recipients[m_rcptIndex]));
        if (++m_rcptIndex < m_recipients.size())
            return SendCommand(Step::Rcpt, "RCPT TO:<" + m_recipients[m_rcptIndex].toUtf8() + ">");
        return SendCommand(Step::Data, "DATA");
    case Step::Data:
        if (code != 354)
            return fail(MailText(1714, "The mail server refused the message."));
        m_step = Step::Body;
        m_timer.start(m_server.stepTimeoutMs);
        m_socket->write(DotStuffed(m_message) + ".\r\n");
        return;
    case Step::Body:
        if (code != 250)
            return fail(MailText(1714, "The mail server refused the message."));
        m_socket->write("QUIT\r\n");
        return Finish(MailResult::Outcome::Sent);
    case Step::Quit:
        return;
    }
}

void SmtpClient::AfterEhlo()
{
    const bool encrypted = m_socket->isEncrypted();
    if (m_server.security == Security::StartTls && !encrypted) {
        if (!m_extensions.contains(QStringLiteral("STARTTLS")))
            return Finish(
                MailResult::Outcome::Failed,
                MailText(1715, "The mail server %1 does not offer STARTTLS; nothing was sent unencrypted.")
                    .arg(m_server.host));
        return SendCommand(Step::StartTls, "STARTTLS");
    }
    if (!m_server.user.isEmpty()) {
        if (!encrypted)
            return Finish(
                MailResult::Outcome::Failed,
                MailText(1716, "The login to %1 needs STARTTLS or TLS; the password is not sent unencrypted.")
                    .arg(m_server.host));
        const QByteArray plain = '\0' + m_server.user.toUtf8() + '\0' + m_server.password.toUtf8();
        return SendCommand(Step::Auth, "AUTH PLAIN " + plain.toBase64());
    }
    SendCommand(Step::MailFrom, "MAIL FROM:<" + m_from.toUtf8() + ">");
}
