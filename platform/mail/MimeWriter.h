// Writes a mail as a MIME message: multipart/mixed with a UTF-8 text part and base64 attachments.
#pragma once

#include "platform/mail/MailMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class MimeWriter
{
public:
    // What the attachments of one mail may hold together: far more than the program attaches (its reports
    // and exchange files), and a bound on what is read into memory.
    static constexpr qint64 kGroessteAnhaenge = qint64{32} << 20;

    // The whole message with CRLF line ends and no line longer than 76 characters outside the headers
    // (headers are folded well below 998). Non-ASCII subjects and names are encoded (RFC 2047 in headers,
    // RFC 2231 for file names). Fails (answers false, `error` says why) when an attachment cannot be
    // read (attachments are regular files of kGroessteAnhaenge bytes together at most), or when the sender,
    // a recipient or the subject holds a control character.
    static bool Write(const MailMessage& message, const QString& fromAddress, const QString& fromName,
                      const QDateTime& date, QByteArray& out, QString* error = nullptr);

    // Whether `text` holds a control character (below 0x20, or DEL): a line break in a header or a mail
    // command would end it there and start another one.
    static bool HasControlCharacter(const QString& text);

    // "=?UTF-8?B?...?=" words for a non-ASCII text, the text itself when it is printable ASCII.
    static QByteArray EncodeHeaderText(const QString& text);
    // Base64 in lines of 76 characters, each ended by CRLF.
    static QByteArray Base64Lines(const QByteArray& data);
};
