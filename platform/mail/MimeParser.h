// Reads a stored mail (RFC 5322 with MIME parts): the headers the inbox lists, the text and attachments.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

struct ParsedAttachment
{
    QString name;
    QByteArray data;
};

struct ParsedMail
{
    QString fromName; // the display name, else the address
    QString fromAddress;
    QStringList to;
    QStringList cc;
    QString subject;    // encoded words decoded
    QDateTime received; // the first (top) Received header's date, else Date; invalid when neither
    QString text;       // the first text/plain part that is not an attachment
    QVector<ParsedAttachment> attachments; // in the order they occur, nested parts included
};

class MimeParser
{
public:
    // Nullopt for a message that is not one: no header block, a header line without a name, a multipart
    // without boundary or closing line, base64 that does not decode. `withData` false leaves the
    // attachments' data empty (names only), for listing.
    static std::optional<ParsedMail> Parse(const QByteArray& message, bool withData = true);

    // RFC 2047 encoded words (B and Q; UTF-8, ISO-8859-x as Latin-1, US-ASCII) in a header value.
    static QString DecodeHeaderText(const QByteArray& value);
};
