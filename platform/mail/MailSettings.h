// The mail set-up, kept in the settings group "Mail"; the password only for the program run.
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

    // The password for `userName`: asked once through the callback (empty answer: none given) and kept in
    // memory for the program run, never written to disk.
    using PasswordPrompt = std::function<QString(const QString& server, const QString& user)>;
    QString Password(const PasswordPrompt& ask) const;
    static void ForgetPasswords();

    SmtpClient::Server Server(const PasswordPrompt& ask) const;
};
