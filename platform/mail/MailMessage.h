// A mail to send: recipients, subject, text and attached files.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

struct MailAttachment
{
    QString path;        // the file sent
    QString displayName; // the name the receiver sees; the file's own name when empty
};

struct MailMessage
{
    QStringList to;
    QStringList cc;
    QString subject;
    QString text;
    QVector<MailAttachment> attachments;
};
