// Sending by SMTP to a scripted loopback server, and handing mail to a fake xdg-email.
#include "platform/mail/SmtpClient.h"
#include "model/text/TextProvider.h"
#include "platform/mail/MailHandOver.h"
#include "platform/mail/MailSettings.h"
#include "platform/mail/MimeParser.h"
#include "platform/mail/MimeWriter.h"

#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// A loopback SMTP server answering from a script and recording what it was told.
class SmtpSink : public QObject
{
public:
    struct Script
    {
        QByteArray greeting = "220 sink ready";
        QByteArray ehlo = "250-sink\r\n250-SIZE 1000000\r\n250 8BITMIME";
        QMap<QByteArray, QByteArray> rcpt; // address -> reply, "250 ok" when absent
        QByteArray data = "354 go ahead";
        QByteArray afterData = "250 queued";
        bool silent = false;
        bool closeInData = false;
    };

    explicit SmtpSink(Script script) : m_script(std::move(script))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_socket = m_server.nextPendingConnection();
            connect(m_socket, &QTcpSocket::readyRead, this, [this] { OnRead(); });
            if (!m_script.silent)
                m_socket->write(m_script.greeting + "\r\n");
        });
    }
    quint16 Port() const { return m_server.serverPort(); }

    QList<QByteArray> commands;
    QByteArray rawBody; // as received, dot-stuffed, without the final "."

private:
    void OnRead()
    {
        m_buffer += m_socket->readAll();
        if (m_inData) {
            if (m_script.closeInData) {
                m_socket->close();
                return;
            }
            const qsizetype end = m_buffer.indexOf("\r\n.\r\n");
            if (end < 0)
                return;
            rawBody = m_buffer.left(end + 2);
            m_buffer.remove(0, end + 5);
            m_inData = false;
            m_socket->write(m_script.afterData + "\r\n");
        }
        qsizetype end;
        while ((end = m_buffer.indexOf("\r\n")) >= 0 && !m_inData) {
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            commands.append(line);
            QByteArray reply = "250 ok";
            if (line.startsWith("EHLO"))
                reply = m_script.ehlo;
            else if (line.startsWith("RCPT TO:<"))
                reply = m_script.rcpt.value(line.mid(9, line.size() - 10), "250 ok");
            else if (line == "DATA") {
                reply = m_script.data;
                m_inData = reply.startsWith("354");
            } else if (line == "QUIT")
                reply = "221 bye";
            m_socket->write(reply + "\r\n");
            if (m_inData && !m_buffer.isEmpty())
                return OnRead();
        }
    }

    Script m_script;
    QTcpServer m_server;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_buffer;
    bool m_inData = false;
};

template <class Sender> MailResult WaitFor(Sender& sender)
{
    MailResult result{MailResult::Outcome::Failed, QStringLiteral("no result")};
    QEventLoop loop;
    QObject::connect(&sender, &Sender::finished, &loop, [&](const MailResult& r) {
        result = r;
        loop.quit();
    });
    loop.exec();
    return result;
}

SmtpClient::Server Local(quint16 port)
{
    SmtpClient::Server s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = port;
    s.security = SmtpClient::Security::None;
    s.stepTimeoutMs = 30000;
    return s;
}

QByteArray Unstuffed(const QByteArray& raw)
{
    QByteArray out = raw;
    if (out.startsWith(".."))
        out.remove(0, 1);
    return out.replace("\r\n..", "\r\n.");
}

} // namespace

TEST(SmtpClient, MailArrivesWholeWithCcAsCc)
{
    QTemporaryDir dir;
    QByteArray every;
    for (int i = 0; i < 256; ++i)
        every.append(static_cast<char>(i));
    QFile f(dir.filePath(QStringLiteral("plan.qorei")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(every);
    f.close();
    MailMessage m;
    m.to = {QStringLiteral("to1@example.com"), QStringLiteral("to2@example.com")};
    m.cc = {QStringLiteral("cc@example.com")};
    m.subject = QStringLiteral("Plan");
    m.text = QStringLiteral("Hello\n.\n");
    m.attachments = {{f.fileName(), QStringLiteral("Ladeplan Müller.qorei")}};
    QByteArray mime;
    ASSERT_TRUE(
        MimeWriter::Write(m, QStringLiteral("me@example.com"), {}, QDateTime::currentDateTime(), mime));

    SmtpSink sink({});
    SmtpClient client;
    client.Send(Local(sink.Port()), QStringLiteral("me@example.com"), m.to + m.cc, mime);
    const MailResult r = WaitFor(client);
    ASSERT_EQ(r.outcome, MailResult::Outcome::Sent) << r.reason.toStdString();
    EXPECT_TRUE(r.IsDone());
    const QList<QByteArray> rcpts = {"RCPT TO:<to1@example.com>", "RCPT TO:<to2@example.com>",
                                     "RCPT TO:<cc@example.com>"};
    EXPECT_EQ(sink.commands.mid(1, 4),
              (QList<QByteArray>{"MAIL FROM:<me@example.com>", rcpts[0], rcpts[1], rcpts[2]}));
    const auto mail = MimeParser::Parse(Unstuffed(sink.rawBody));
    ASSERT_TRUE(mail.has_value());
    EXPECT_EQ(mail->to, m.to);
    EXPECT_EQ(mail->cc, m.cc);
    EXPECT_EQ(mail->text, m.text);
    ASSERT_EQ(mail->attachments.size(), 1);
    EXPECT_EQ(mail->attachments[0].name, m.attachments[0].displayName);
    EXPECT_EQ(mail->attachments[0].data, every);
}

TEST(SmtpClient, LinesBeginningWithADotAreStuffed)
{
    const QByteArray message = ".first\r\nmiddle\r\n.\r\n..two\r\nlast";
    SmtpSink sink({});
    SmtpClient client;
    client.Send(Local(sink.Port()), QStringLiteral("me@example.com"), {QStringLiteral("a@example.com")},
                message);
    ASSERT_EQ(WaitFor(client).outcome, MailResult::Outcome::Sent);
    EXPECT_EQ(sink.rawBody, QByteArray("..first\r\nmiddle\r\n..\r\n...two\r\nlast\r\n"));
    EXPECT_EQ(Unstuffed(sink.rawBody), message + "\r\n");
}

TEST(SmtpClient, FailuresAreNeverSent)
{
    struct Case
    {
        const char* what;
        SmtpSink::Script script;
        SmtpClient::Security security = SmtpClient::Security::None;
        bool refused = false;
        const char* forbidden = nullptr; // a command that must not have been sent
        QString from = QStringLiteral("me@example.com");
        QStringList to = {QStringLiteral("a@example.com"), QStringLiteral("b@example.com")};
    };
    std::vector<Case> cases;
    cases.push_back({"550 on one RCPT", {}, SmtpClient::Security::None, false, "DATA"});
    cases.back().script.rcpt["b@example.com"] = "550 no such user";
    cases.push_back({"554 after DATA", {}});
    cases.back().script.afterData = "554 rejected";
    cases.push_back({"DATA refused", {}});
    cases.back().script.data = "451 try later";
    cases.push_back({"greeting 554", {}, SmtpClient::Security::None, false, "MAIL FROM:<me@example.com>"});
    cases.back().script.greeting = "554 go away";
    cases.push_back({"refused connection", {}, SmtpClient::Security::None, true});
    cases.push_back({"silent server", {}});
    cases.back().script.silent = true;
    cases.push_back({"closed mid-DATA", {}});
    cases.back().script.closeInData = true;
    cases.push_back({"STARTTLS not offered", {}, SmtpClient::Security::StartTls, false, "AUTH"});
    // A line break in an address would end the mail command and send one of its own.
    cases.push_back({"line break in a recipient", {}, SmtpClient::Security::None, false, "EHLO"});
    cases.back().to.append(QStringLiteral("c@example.com>\r\nRCPT TO:<eve@example.org"));
    cases.push_back({"line break in the sender", {}, SmtpClient::Security::None, false, "EHLO"});
    cases.back().from = QStringLiteral("me@example.com>\nRCPT TO:<eve@example.org");

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SmtpSink sink(c.script);
        SmtpClient::Server server = Local(sink.Port());
        server.security = c.security;
        server.user = QStringLiteral("user");
        server.password = QStringLiteral("secret");
        server.stepTimeoutMs = c.script.silent ? 100 : 30000;
        if (c.refused) {
            QTcpServer gone;
            gone.listen(QHostAddress::LocalHost, 0);
            server.port = gone.serverPort();
        }
        SmtpClient client;
        // Without TLS the login is refused before it is tried: only the STARTTLS case has a user.
        if (c.security == SmtpClient::Security::None)
            server.user.clear();
        client.Send(server, c.from, c.to, "Subject: x\r\n\r\nbody\r\n");
        const MailResult r = WaitFor(client);
        EXPECT_EQ(r.outcome, MailResult::Outcome::Failed);
        EXPECT_FALSE(r.IsDone());
        EXPECT_FALSE(r.reason.isEmpty());
        if (c.forbidden) {
            for (const QByteArray& cmd : sink.commands)
                EXPECT_FALSE(cmd.startsWith(c.forbidden)) << cmd.constData();
        }
    }
}

// A refusal reads in the interface's language, with the address and the server's reply filled in; without a
// language module the English wording stands.
TEST(SmtpClient, RefusalsAreWordedByTheLanguageModule)
{
    CTableTextProvider german({{1713, "Der Mailserver hat den Empfänger %1 abgelehnt."}});
    for (const bool withModule : {true, false}) {
        SCOPED_TRACE(withModule ? "German module" : "no module");
        std::optional<ScopedTextProvider> module;
        if (withModule)
            module.emplace(&german);
        SmtpSink::Script script;
        script.rcpt["a@example.com"] = "550 no such user";
        SmtpSink sink(script);
        SmtpClient client;
        client.Send(Local(sink.Port()), QStringLiteral("me@example.com"), {QStringLiteral("a@example.com")},
                    "Subject: x\r\n\r\nbody\r\n");
        EXPECT_EQ(
            WaitFor(client).reason,
            withModule
                ? QStringLiteral(
                      "Der Mailserver hat den Empfänger a@example.com abgelehnt. (550 no such user)")
                : QStringLiteral("The mail server refused the recipient a@example.com. (550 no such user)"));
    }
}

TEST(SmtpClient, LoginWithoutTlsIsRefusedAndCancelEndsAtOnce)
{
    SmtpSink sink({});
    SmtpClient::Server server = Local(sink.Port());
    server.user = QStringLiteral("user");
    SmtpClient client;
    client.Send(server, QStringLiteral("me@example.com"), {QStringLiteral("a@example.com")}, "x");
    EXPECT_EQ(WaitFor(client).outcome, MailResult::Outcome::Failed);
    for (const QByteArray& cmd : sink.commands)
        EXPECT_FALSE(cmd.startsWith("AUTH"));

    SmtpSink::Script quiet;
    quiet.silent = true;
    SmtpSink silent(quiet);
    int results = 0;
    MailResult last;
    QObject::connect(&client, &SmtpClient::finished, [&](const MailResult& r) {
        ++results;
        last = r;
    });
    client.Send(Local(silent.Port()), QStringLiteral("me@example.com"), {QStringLiteral("a@example.com")},
                "x");
    EXPECT_TRUE(client.IsRunning());
    client.Cancel();
    client.Cancel();
    EXPECT_EQ(results, 1);
    EXPECT_EQ(last.outcome, MailResult::Outcome::Cancelled);
    EXPECT_FALSE(last.IsDone());
}

TEST(MailHandOver, FakeClientGetsItsArgumentsAndItsExitCodeCounts)
{
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("args"));
    const QString script = dir.filePath(QStringLiteral("xdg-email"));
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$QOR_FAKE_RECORD\"\nexit \"${QOR_FAKE_EXIT:-0}\"\n");
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8() + ':' + oldPath);
    qputenv("QOR_FAKE_RECORD", record.toUtf8());

    MailMessage m;
    m.to = {QStringLiteral("a@example.com"), QStringLiteral("b@example.com")};
    m.cc = {QStringLiteral("c@example.com")};
    m.subject = QStringLiteral("Plan für Montag");
    m.text = QStringLiteral("two\nlines");
    m.attachments = {{QStringLiteral("/tmp/x/one.pdf"), {}}, {QStringLiteral("/tmp/x/two.pdf"), {}}};
    for (int exitCode : {0, 1}) {
        SCOPED_TRACE(exitCode);
        qputenv("QOR_FAKE_EXIT", QByteArray::number(exitCode));
        MailHandOver handOver;
        handOver.Start(m);
        const MailResult r = WaitFor(handOver);
        EXPECT_EQ(r.outcome, exitCode == 0 ? MailResult::Outcome::HandedOver : MailResult::Outcome::Failed);
        EXPECT_EQ(r.IsDone(), exitCode == 0);
        QFile rec(record);
        ASSERT_TRUE(rec.open(QIODevice::ReadOnly));
        QList<QByteArray> args = rec.readAll().split('\0');
        args.removeLast();
        QStringList got;
        for (const QByteArray& a : args)
            got.append(QString::fromUtf8(a));
        EXPECT_EQ(got, (QStringList{"--utf8", "--subject", m.subject, "--body", m.text, "--cc",
                                    "c@example.com", "--attach", "/tmp/x/one.pdf", "--attach",
                                    "/tmp/x/two.pdf", "a@example.com", "b@example.com"}));
    }
    MailSettings none;
    EXPECT_TRUE(none.IsMailAvailable()); // xdg-email is on the PATH
    EXPECT_EQ(none.ClientName(), QStringLiteral("the desktop mail client"));
    qputenv("PATH", oldPath);

    MailHandOver missing;
    missing.Start(m, dir.filePath(QStringLiteral("no-such-program")));
    EXPECT_EQ(WaitFor(missing).outcome, MailResult::Outcome::Failed);
}

TEST(MailSettings, StoredWithoutPasswordAndAskedOnce)
{
    MailSettings s;
    s.smtpServer = QStringLiteral("smtp.example.com");
    s.smtpPort = 465;
    s.security = SmtpClient::Security::Tls;
    s.userName = QStringLiteral("planner");
    s.senderAddress = QStringLiteral("planner@example.com");
    s.Save();
    const MailSettings back = MailSettings::Load();
    EXPECT_EQ(back.smtpServer, s.smtpServer);
    EXPECT_EQ(back.smtpPort, 465);
    EXPECT_EQ(back.security, SmtpClient::Security::Tls);
    EXPECT_TRUE(back.IsSmtpComplete());
    EXPECT_EQ(back.ClientName(), QStringLiteral("smtp.example.com"));

    MailSettings::ForgetPasswords();
    int asked = 0;
    auto ask = [&](const QString&, const QString&) {
        ++asked;
        return QStringLiteral("pw");
    };
    EXPECT_EQ(back.Password(ask), QStringLiteral("pw"));
    EXPECT_EQ(back.Server(ask).password, QStringLiteral("pw"));
    EXPECT_EQ(asked, 1);
    QSettings settings;
    for (const QString& key : settings.allKeys())
        EXPECT_NE(settings.value(key).toString(), QStringLiteral("pw")) << key.toStdString();
    MailSettings::ForgetPasswords();
}
