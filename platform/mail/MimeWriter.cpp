// Writes a mail as a MIME message.
#include "platform/mail/MimeWriter.h"

#include "model/text/TextProvider.h"
#include "platform/RegularFile.h"

#include <QFileInfo>
#include <QLocale>
#include <QUuid>

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kTextKeineDatei = 1640;
constexpr std::uint32_t kTextAnhaengeZuGross = 1641;

// Why the attachment at `path` could not be read with `rest` bytes left for it: the module's wording for
// something that is no regular file and for a file too big, otherwise (and without a module) the reason
// the reader gave, which names the file.
QString AnhangFehler(const QString& path, qint64 rest, const QString& why)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        const QString text = QString::fromStdString(LoadResString(kTextKeineDatei));
        if (!text.isEmpty())
            return text.arg(path);
    } else if (info.isFile() && info.size() > rest) {
        const QString text = QString::fromStdString(LoadResString(kTextAnhaengeZuGross));
        if (!text.isEmpty())
            return text.arg(path).arg(MimeWriter::kGroessteAnhaenge >> 20);
    }
    return why.isEmpty() ? path : why;
}

bool IsPlainAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

// An address list header value, one address per folded line.
QByteArray AddressList(const QStringList& list)
{
    QByteArray value;
    for (const QString& a : list) {
        if (!value.isEmpty())
            value += ",\r\n ";
        value += a.trimmed().toUtf8();
    }
    return value;
}

QByteArray QuotedParameter(const QString& name)
{
    QByteArray v = name.toLatin1();
    v.replace('\\', "\\\\");
    v.replace('"', "\\\"");
    return '"' + v + '"';
}

// The file-name parameters of an attachment: plain quoted, or RFC 2231 percent-encoded UTF-8.
QByteArray FileNameParameter(const char* key, const QString& name)
{
    if (IsPlainAscii(name))
        return QByteArray(key) + '=' + QuotedParameter(name);
    // Pieces of at most 50 characters, so no header line grows long, each piece a run of whole "%XX".
    const QByteArray encoded = name.toUtf8().toPercentEncoding();
    QByteArray out;
    qsizetype at = 0;
    for (int piece = 0; at < encoded.size(); ++piece) {
        qsizetype end = std::min<qsizetype>(at + 50, encoded.size());
        if (end < encoded.size()) {
            const qsizetype pct = encoded.lastIndexOf('%', end - 1);
            if (pct >= at && pct + 3 > end && pct > at)
                end = pct;
        }
        if (piece > 0)
            out += ";\r\n ";
        out += QByteArray(key) + '*' + QByteArray::number(piece) + '*' + '=' + (piece == 0 ? "UTF-8''" : "") +
               encoded.mid(at, end - at);
        at = end;
    }
    return out;
}

QByteArray RfcDate(const QDateTime& date)
{
    const int offset = date.offsetFromUtc() / 60;
    const int magnitude = offset < 0 ? -offset : offset;
    return QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1() +
           (offset < 0 ? '-' : '+') + QByteArray::number(magnitude / 60).rightJustified(2, '0') +
           QByteArray::number(magnitude % 60).rightJustified(2, '0');
}

} // namespace

bool MimeWriter::HasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

QByteArray MimeWriter::EncodeHeaderText(const QString& text)
{
    if (IsPlainAscii(text))
        return text.toLatin1();
    // Encoded words of at most 39 bytes of UTF-8 (52 characters of base64), never splitting a character.
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    qsizetype at = 0;
    while (at < utf8.size()) {
        qsizetype end = std::min<qsizetype>(at + 39, utf8.size());
        while (end < utf8.size() && end > at + 1 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + utf8.mid(at, end - at).toBase64() + "?=";
        at = end;
    }
    return out;
}

QByteArray MimeWriter::Base64Lines(const QByteArray& data)
{
    const QByteArray b64 = data.toBase64();
    QByteArray out;
    out.reserve(b64.size() + b64.size() / 76 * 2 + 2);
    for (qsizetype i = 0; i < b64.size(); i += 76)
        out += b64.mid(i, 76) + "\r\n";
    return out;
}

bool MimeWriter::Write(const MailMessage& message, const QString& fromAddress, const QString& fromName,
                       const QDateTime& date, QByteArray& out, QString* error)
{
    // The addresses go into the headers as they are: a line break there would add headers of its own.
    const QStringList heads = QStringList{fromAddress, fromName, message.subject} + message.to + message.cc;
    if (std::any_of(heads.begin(), heads.end(), HasControlCharacter)) {
        if (error)
            *error = QStringLiteral("The sender, a recipient or the subject holds a line break or another "
                                    "control character.");
        return false;
    }
    const QByteArray boundary = "=_qor_" + QUuid::createUuid().toByteArray(QUuid::Id128);
    QByteArray m;
    if (fromName.isEmpty())
        m += "From: " + fromAddress.toUtf8() + "\r\n";
    else
        m += "From: " + EncodeHeaderText(fromName) + " <" + fromAddress.toUtf8() + ">\r\n";
    if (!message.to.isEmpty())
        m += "To: " + AddressList(message.to) + "\r\n";
    if (!message.cc.isEmpty())
        m += "Cc: " + AddressList(message.cc) + "\r\n";
    m += "Subject: " + EncodeHeaderText(message.subject) + "\r\n";
    m += "Date: " + RfcDate(date) + "\r\n";
    const QString domain =
        fromAddress.section(u'@', 1).isEmpty() ? QStringLiteral("localhost") : fromAddress.section(u'@', 1);
    m += "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::Id128) + '@' + domain.toUtf8() + ">\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n\r\n";
    m += "This is a multi-part message in MIME format.\r\n";

    m += "--" + boundary + "\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    m += Base64Lines(message.text.toUtf8());

    // Regular files only (a named pipe would block the write for good, a device would be read without
    // end), and no more than a mail can carry.
    qint64 rest = kGroessteAnhaenge;
    for (const MailAttachment& a : message.attachments) {
        QByteArray data;
        QString why;
        if (!ReadRegularFile(a.path, rest, &data, &why)) {
            if (error)
                *error = AnhangFehler(a.path, rest, why);
            return false;
        }
        rest -= data.size();
        const QString name = a.displayName.isEmpty() ? QFileInfo(a.path).fileName() : a.displayName;
        m += "--" + boundary + "\r\n";
        m += "Content-Type: application/octet-stream;\r\n " + FileNameParameter("name", name) + "\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "Content-Disposition: attachment;\r\n " + FileNameParameter("filename", name) + "\r\n\r\n";
        m += Base64Lines(data);
    }
    m += "--" + boundary + "--\r\n";
    out = m;
    return true;
}
