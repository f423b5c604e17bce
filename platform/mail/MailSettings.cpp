// The mail set-up in the settings group "Mail".
#include "platform/mail/MailSettings.h"

#include "model/text/TextProvider.h"
#include "platform/mail/SecretStore.h"

#include <QDir>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>

namespace {

QHash<QString, QString>& Passwords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

} // namespace

MailSettings MailSettings::Load()
{
    QSettings s;
    s.beginGroup(QStringLiteral("Mail"));
    MailSettings m;
    m.smtpServer = s.value(QStringLiteral("SmtpServer")).toString().trimmed();
    const int port = s.value(QStringLiteral("SmtpPort"), 587).toInt();
    m.smtpPort = port > 0 && port < 65536 ? static_cast<quint16>(port) : 587;
    const QString security =
        s.value(QStringLiteral("Security"), QStringLiteral("STARTTLS")).toString().toUpper();
    m.security = security == u"NONE"  ? SmtpClient::Security::None
                 : security == u"TLS" ? SmtpClient::Security::Tls
                                      : SmtpClient::Security::StartTls;
    m.userName = s.value(QStringLiteral("UserName")).toString();
    m.senderAddress = s.value(QStringLiteral("SenderAddress")).toString().trimmed();
    m.senderName = s.value(QStringLiteral("SenderName")).toString();
    m.maildirFolder =
        s.value(QStringLiteral("MaildirFolder"), QDir::homePath() + QStringLiteral("/Maildir")).toString();
    m.contacts = s.value(QStringLiteral("Contacts")).toString();
    m.passwordInSecretStore = s.value(QStringLiteral("PasswordInSecretStore"), false).toBool();
    return m;
}

void MailSettings::Save() const
{
    QSettings s;
    s.beginGroup(QStringLiteral("Mail"));
    s.setValue(QStringLiteral("SmtpServer"), smtpServer);
    s.setValue(QStringLiteral("SmtpPort"), smtpPort);
    s.setValue(QStringLiteral("Security"), security == SmtpClient::Security::None ? QStringLiteral("none")
                                           : security == SmtpClient::Security::Tls
                                               ? QStringLiteral("TLS")
                                               : QStringLiteral("STARTTLS"));
    s.setValue(QStringLiteral("UserName"), userName);
    s.setValue(QStringLiteral("SenderAddress"), senderAddress);
    s.setValue(QStringLiteral("SenderName"), senderName);
    s.setValue(QStringLiteral("MaildirFolder"), maildirFolder);
    s.setValue(QStringLiteral("Contacts"), contacts);
    s.setValue(QStringLiteral("PasswordInSecretStore"), passwordInSecretStore);
}

bool MailSettings::IsSmtpComplete() const
{
    return !smtpServer.isEmpty() && smtpPort != 0 && senderAddress.contains(u'@');
}

bool MailSettings::IsMailAvailable() const
{
    return IsSmtpComplete() || !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty();
}

QString MailSettings::ClientName() const
{
    if (IsSmtpComplete())
        return smtpServer;
    // The language module's wording; without a module (tools, some tests) the English one.
    const QString text = QString::fromStdString(LoadResString(kTextDesktopClient));
    return text.isEmpty() ? QStringLiteral("the desktop mail client") : text;
}

QString MailSettings::Password(const PasswordPrompt& ask) const
{
    if (userName.isEmpty())
        return {};
    const QString key = PasswordKey();
    auto it = Passwords().find(key);
    if (it != Passwords().end())
        return *it;
    QString password = passwordInSecretStore ? SecretStore::Read(key) : QString();
    if (password.isEmpty()) {
        password = ask ? ask(smtpServer, userName) : QString();
        if (!password.isEmpty() && passwordInSecretStore)
            SecretStore::Write(key, password);
    }
    if (!password.isEmpty())
        Passwords().insert(key, password);
    return password;
}

void MailSettings::ForgetPassword() const
{
    Passwords().remove(PasswordKey());
    SecretStore::Remove(PasswordKey());
}

void MailSettings::ForgetPasswords()
{
    Passwords().clear();
}

SmtpClient::Server MailSettings::Server(const PasswordPrompt& ask) const
{
    SmtpClient::Server s;
    s.host = smtpServer;
    s.port = smtpPort;
    s.security = security;
    s.user = userName;
    s.password = Password(ask);
    return s;
}
