// The mail settings page: what it keeps over a restart, that no password reaches a file, wrong entries,
// and mail sent through a local SMTP server set up on it, with STARTTLS and without.
#include "platform/mail/MailSettings.h"
#include "reports/CDlgExport.h"
#include "reports/CDlgMailSettings.h"
#include "tests/support/SmtpReader.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include "../ui/UiTestModule.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <class T> T* Control(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    return qobject_cast<T*>(ControlId::Find(&dialog, id));
}

void Click(CDlgBase& dialog, int id)
{
    auto* button = Control<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

QSslCertificate TestCertificate()
{
    const QList<QSslCertificate> certs =
        QSslCertificate::fromPath(QStringLiteral(QOR_MAIL_DATA_DIR "/tls/localhost.crt"));
    return certs.value(0);
}

// A local SMTP server that offers STARTTLS with the test's certificate when told to, asks for a login
// only over TLS, and keeps the one mail it is given.
class TlsSink : public QTcpServer
{
public:
    explicit TlsSink(bool offerStartTls) : m_offerStartTls(offerStartTls)
    {
        QFile key(QStringLiteral(QOR_MAIL_DATA_DIR "/tls/localhost.key"));
        if (key.open(QIODevice::ReadOnly))
            m_key = QSslKey(key.readAll(), QSsl::Rsa);
        listen(QHostAddress::LocalHost, 0);
    }

    QByteArrayList commands;
    QByteArray message;
    QByteArray login;
    bool encryptedBeforeMail = false;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor))
            return;
        socket->setLocalCertificate(TestCertificate());
        socket->setPrivateKey(m_key);
        connect(socket, &QSslSocket::readyRead, this, [this, socket] { OnRead(socket); });
        socket->write("220 sink ready\r\n");
    }

private:
    void OnRead(QSslSocket* socket)
    {
        m_reader.Feed(
            socket->readAll(),
            [&](const QByteArray& line) {
                commands.append(line);
                const bool tls = socket->isEncrypted();
                if (line.startsWith("EHLO")) {
                    QByteArray reply = "250-sink\r\n";
                    if (m_offerStartTls && !tls)
                        reply += "250-STARTTLS\r\n";
                    if (tls)
                        reply += "250-AUTH PLAIN\r\n";
                    socket->write(reply + "250 8BITMIME\r\n");
                } else if (line == "STARTTLS") {
                    socket->write("220 go ahead\r\n");
                    socket->flush();
                    socket->startServerEncryption();
                } else if (line.startsWith("AUTH PLAIN ")) {
                    login = QByteArray::fromBase64(line.mid(11));
                    socket->write("235 welcome\r\n");
                } else if (line.startsWith("MAIL FROM")) {
                    encryptedBeforeMail = tls;
                    socket->write("250 ok\r\n");
                } else if (line == "DATA") {
                    socket->write("354 go on\r\n");
                } else if (line == "QUIT") {
                    socket->write("221 bye\r\n");
                    socket->disconnectFromHost();
                    return false;
                } else {
                    socket->write("250 ok\r\n");
                }
                return true;
            },
            [&](const QByteArray& text) {
                message = text;
                socket->write("250 queued\r\n");
            });
    }

    bool m_offerStartTls;
    QSslKey m_key;
    SmtpReader m_reader;
};

// The export dialog with the password answered (and counted) by the test.
class PasswordExport : public CDlgExport
{
public:
    using CDlgExport::CDlgExport;
    int asked = 0;
    int settingsOpened = 0;
    std::function<bool()> onSettings;

protected:
    QString AskPassword(const QString&, const QString&) override
    {
        ++asked;
        return QStringLiteral("s3cret-pw");
    }
    bool OpenMailSettings() override
    {
        ++settingsOpened;
        return onSettings && onSettings();
    }
};

struct Entries
{
    QString server = QStringLiteral("localhost");
    int port = 587;
    int security = 0; // 0 STARTTLS, 1 TLS, 2 none
    QString sender = QStringLiteral("planner@example.com");
    QString senderName = QStringLiteral("Load planning");
    QString user;
    QString inbox = QStringLiteral("/home/anna/Maildir");
    QString contacts = QStringLiteral("/home/anna/contacts.vcf");
};

// Fills the page as a user would and presses OK; answers whether it closed.
bool FillAndConfirm(const Entries& e)
{
    CDlgMailSettings page(nullptr, [] { return false; });
    page.InitDialog();
    Control<QLineEdit>(page, CDlgMailSettings::kIdServer)->setText(e.server);
    Control<QSpinBox>(page, CDlgMailSettings::kIdPort)->setValue(e.port);
    Control<QComboBox>(page, CDlgMailSettings::kIdSecurity)->setCurrentIndex(e.security);
    Control<QLineEdit>(page, CDlgMailSettings::kIdSender)->setText(e.sender);
    Control<QLineEdit>(page, CDlgMailSettings::kIdSenderName)->setText(e.senderName);
    Control<QLineEdit>(page, CDlgMailSettings::kIdUser)->setText(e.user);
    Control<QLineEdit>(page, CDlgMailSettings::kIdInbox)->setText(e.inbox);
    Control<QLineEdit>(page, CDlgMailSettings::kIdContacts)->setText(e.contacts);
    Click(page, CDlgBase::kIdOk);
    return page.result() == QDialog::Accepted;
}

class MailSettingsPage : public ::testing::Test
{
protected:
    MailSettingsPage() : m_module(UiTestModule()) {}
    void SetUp() override
    {
        QSettings().clear();
        MailSettings::ForgetPasswords();
        m_pdf = m_dir.filePath(QStringLiteral("plan.pdf"));
        QFile f(m_pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4 plan");
    }
    void TearDown() override
    {
        QSettings().clear();
        MailSettings::ForgetPasswords();
        QSslConfiguration::setDefaultConfiguration(m_ssl);
    }
    // The test's certificate trusted as a client's would trust a server's real one.
    void TrustTestCertificate()
    {
        QSslConfiguration c = QSslConfiguration::defaultConfiguration();
        c.addCaCertificate(TestCertificate());
        QSslConfiguration::setDefaultConfiguration(c);
    }

    ScopedDialogTemplateModule m_module;
    ScriptedMessageBoxService m_boxes;
    QTemporaryDir m_dir;
    QString m_pdf;
    QSslConfiguration m_ssl = QSslConfiguration::defaultConfiguration();
};

} // namespace

TEST_F(MailSettingsPage, TheEntriesAreReadBackAfterARestartAndNoPasswordReachesAFile)
{
    Entries e;
    e.server = QStringLiteral("smtp.example.com");
    e.port = 465;
    e.security = 1;
    e.user = QStringLiteral("anna");
    ASSERT_TRUE(FillAndConfirm(e));
    // The password of the run, given while sending.
    MailSettings now = MailSettings::Load();
    EXPECT_EQ(now.Password([](const QString&, const QString&) { return QStringLiteral("s3cret-pw"); }),
              QStringLiteral("s3cret-pw"));
    now.Save();

    // A restart: the settings come from the file alone.
    QSettings().sync();
    const QString file = QSettings().fileName();
    MailSettings::ForgetPasswords();
    EXPECT_FALSE(Read(file).contains("s3cret-pw"));
    const MailSettings m = MailSettings::Load();
    EXPECT_EQ(m.smtpServer, e.server);
    EXPECT_EQ(m.smtpPort, 465);
    EXPECT_EQ(m.security, SmtpClient::Security::Tls);
    EXPECT_EQ(m.senderAddress, e.sender);
    EXPECT_EQ(m.senderName, e.senderName);
    EXPECT_EQ(m.userName, e.user);
    EXPECT_EQ(m.maildirFolder, e.inbox);
    EXPECT_EQ(m.contacts, e.contacts);
    EXPECT_FALSE(m.passwordInSecretStore);
    int asked = 0;
    EXPECT_EQ(m.Password([&](const QString&, const QString&) { return ++asked, QStringLiteral("again"); }),
              QStringLiteral("again"))
        << "a new run asks again";
    EXPECT_EQ(asked, 1);

    // The page shows what was kept; without a secret store its choice is not offered.
    CDlgMailSettings page(nullptr, [] { return false; });
    page.InitDialog();
    EXPECT_EQ(Control<QLineEdit>(page, CDlgMailSettings::kIdServer)->text(), e.server);
    EXPECT_EQ(Control<QSpinBox>(page, CDlgMailSettings::kIdPort)->value(), 465);
    EXPECT_EQ(Control<QComboBox>(page, CDlgMailSettings::kIdSecurity)->currentIndex(), 1);
    EXPECT_EQ(Control<QLineEdit>(page, CDlgMailSettings::kIdUser)->text(), e.user);
    EXPECT_FALSE(Control<QCheckBox>(page, CDlgMailSettings::kIdSecretStore)->isEnabled());
    CDlgMailSettings withStore(nullptr, [] { return true; });
    withStore.InitDialog();
    EXPECT_TRUE(Control<QCheckBox>(withStore, CDlgMailSettings::kIdSecretStore)->isEnabled());
}

TEST_F(MailSettingsPage, WrongEntriesAreNamedAndKeepThePageOpen)
{
    struct Case
    {
        const char* name;
        std::function<void(Entries&)> change;
        quint32 text;
    };
    const Case cases[] = {
        {"server without sender", [](Entries& e) { e.sender.clear(); }, 1768},
        {"sender without domain", [](Entries& e) { e.sender = QStringLiteral("planner@ex"); }, 1768},
        {"two senders", [](Entries& e) { e.sender = QStringLiteral("a@example.com;b@example.com"); }, 1768},
        {"blank in the server", [](Entries& e) { e.server = QStringLiteral("smtp example.com"); }, 1767},
        {"line break in the name", [](Entries& e) { e.senderName = QStringLiteral("Load\nBcc: x"); }, 1769},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QSettings().clear();
        m_boxes.Clear();
        Entries e;
        c.change(e);
        EXPECT_FALSE(FillAndConfirm(e));
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].text, Text(c.text));
        EXPECT_TRUE(MailSettings::Load().smtpServer.isEmpty()) << "nothing was kept";
    }
    // No server at all is a valid choice: mail then goes to the desktop's mail client.
    m_boxes.Clear();
    Entries none;
    none.server.clear();
    none.sender.clear();
    EXPECT_TRUE(FillAndConfirm(none));
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(MailSettingsPage, AMailReachesTheLocalServerSetUpOnThePage)
{
    TrustTestCertificate();
    struct Case
    {
        const char* name;
        bool startTls;
        int security;
        QString user;
    };
    const Case cases[] = {
        {"STARTTLS with a login", true, 0, QStringLiteral("anna")},
        {"no encryption, no login", false, 2, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        MailSettings::ForgetPasswords();
        TlsSink sink(c.startTls);
        ASSERT_TRUE(sink.isListening());
        Entries e;
        e.port = sink.serverPort();
        e.security = c.security;
        e.user = c.user;
        ASSERT_TRUE(FillAndConfirm(e));
        PasswordExport dialog(QStringList{m_pdf});
        dialog.SetMailStepTimeout(20000);
        dialog.InitDialog();
        Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral("carl@example.org"));
        Click(dialog, CDlgExport::kIdRun);
        EXPECT_EQ(dialog.result(), CDlgExport::kIdRun);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].html.text,
                  Text(460).replace(QLatin1String("%s"), QStringLiteral("localhost")));
        EXPECT_TRUE(sink.commands.contains("RCPT TO:<carl@example.org>"));
        EXPECT_TRUE(sink.message.contains("plan.pdf"));
        EXPECT_EQ(sink.encryptedBeforeMail, c.startTls);
        if (c.user.isEmpty()) {
            EXPECT_EQ(dialog.asked, 0);
            EXPECT_TRUE(sink.login.isEmpty());
        } else {
            EXPECT_EQ(dialog.asked, 1);
            EXPECT_EQ(sink.login, QByteArray("\0anna\0s3cret-pw", 15));
            // The password stays for the run: the next mail goes without asking.
            TlsSink next(c.startTls);
            MailSettings m = MailSettings::Load();
            m.smtpPort = next.serverPort();
            m.Save();
            PasswordExport again(QStringList{m_pdf});
            again.SetMailStepTimeout(20000);
            again.InitDialog();
            Control<QLineEdit>(again, CDlgExport::kIdTo)->setText(QStringLiteral("carl@example.org"));
            Click(again, CDlgExport::kIdRun);
            EXPECT_EQ(again.result(), CDlgExport::kIdRun);
            EXPECT_EQ(again.asked, 0);
            EXPECT_EQ(next.login, QByteArray("\0anna\0s3cret-pw", 15));
        }
    }
}

// "Send directly" without a server offers the settings page; what is set up there sends the mail.
TEST_F(MailSettingsPage, SendingDirectlyWithoutAServerOffersThePage)
{
    TlsSink sink(false);
    for (const int answer : {IMessageBoxService::kNo, IMessageBoxService::kYes}) {
        SCOPED_TRACE(answer);
        m_boxes.Clear();
        m_boxes.AddAnswer(answer);
        PasswordExport dialog(QStringList{m_pdf});
        dialog.SetMailStepTimeout(20000);
        dialog.onSettings = [&] {
            Entries e;
            e.port = sink.serverPort();
            e.security = 2;
            return FillAndConfirm(e);
        };
        dialog.InitDialog();
        Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral("carl@example.org"));
        Click(dialog, CDlgExport::kIdRun);
        ASSERT_GE(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].text, Text(1770));
        EXPECT_EQ(dialog.settingsOpened, answer == IMessageBoxService::kYes ? 1 : 0);
        EXPECT_EQ(dialog.result() == CDlgExport::kIdRun, answer == IMessageBoxService::kYes);
        EXPECT_EQ(sink.message.contains("plan.pdf"), answer == IMessageBoxService::kYes);
    }
}
