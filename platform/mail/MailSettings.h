// The mail set-up, kept in the settings group "Mail"; the password for the program run only, or in the
// desktop's secret store when the user asked for that, never in the settings.
#pragma once

#include "platform/mail/SmtpClient.h"

#include <QString>

#include <cstdint>
#include <functional>

struct MailSettings
{
    QString smtpServer;
    quint16 smtpPort = 587;
    SmtpClient::Security security = SmtpClient::Security::StartTls;
    QString userName;
    QString senderAddress;
    QString senderName;
    QString maildirFolder; // default ~/Maildir
    QString contacts;      // a vCard file or a folder of them
    bool passwordInSecretStore = false;

    static MailSettings Load();
    void Save() const;

    // Server, port and sender set: mail can go out by SMTP.
    bool IsSmtpComplete() const;
    // SMTP is complete or xdg-email is on the PATH.
    bool IsMailAvailable() const;
    // The SMTP server's name when SMTP is complete, else the language module's text for the desktop
    // mail client.
    QString ClientName() const;
    static constexpr std::uint32_t kTextDesktopClient = 1593;

    // The password for `userName`: the one given before in this program run, else the one kept in the
    // desktop's secret store (when `passwordInSecretStore`), else asked through the callback (empty
    // answer: none given). An answer is kept in memory for the run and, when `passwordInSecretStore`,
    // in the secret store; never in a file of the program's own.
    using PasswordPrompt = std::function<QString(const QString& server, const QString& user)>;
    QString Password(const PasswordPrompt& ask) const;
    static void ForgetPasswords();
    // Forgets the password of this server and user, in memory and in the secret store.
    void ForgetPassword() const;
    // The key of the password in memory and in the secret store.
    QString PasswordKey() const { return userName + u'@' + smtpServer; }

    SmtpClient::Server Server(const PasswordPrompt& ask) const;
};
