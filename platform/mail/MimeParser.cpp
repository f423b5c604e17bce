// Reads a stored mail: headers, MIME structure, text and attachments.
#include "platform/mail/MimeParser.h"

#include <QLocale>
#include <QRegularExpression>

#include <map>
#include <utility>
#include <vector>

namespace {

constexpr int kMaxDepth = 16;

using Headers = std::vector<std::pair<QByteArray, QByteArray>>; // lower-case name, unfolded value

QByteArray Header(const Headers& h, const char* name)
{
    for (const auto& [n, v] : h)
        if (n == name)
            return v;
    return {};
}

// Splits `part` into its headers and body; false when a header line is not one.
bool SplitHeaders(const QByteArray& part, Headers& headers, QByteArray& body)
{
    qsizetype pos = 0;
    const qsizetype size = part.size();
    while (pos < size) {
        qsizetype end = part.indexOf('\n', pos);
        if (end < 0)
            end = size;
        QByteArray line = part.mid(pos, end - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        pos = end + 1;
        if (line.isEmpty()) {
            body = pos < size ? part.mid(pos) : QByteArray();
            return true;
        }
        if (line[0] == ' ' || line[0] == '\t') {
            if (headers.empty())
                return false;
            headers.back().second += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return false;
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name.isEmpty() || name.contains(' '))
            return false;
        headers.emplace_back(name, line.mid(colon + 1).trimmed());
    }
    body.clear();
    return !headers.empty();
}

QString DecodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    const QByteArray cs = charset.toLower();
    if (cs.startsWith("iso-8859") || cs == "latin1" || cs == "windows-1252" || cs == "us-ascii")
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}

QByteArray DecodeQuotedPrintable(const QByteArray& in, bool header)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '=' && i + 1 < in.size() && (in[i + 1] == '\n' || in[i + 1] == '\r')) {
            i += (in[i + 1] == '\r' && i + 2 < in.size() && in[i + 2] == '\n') ? 2 : 1;
        } else if (c == '=' && i + 2 < in.size() && isxdigit(static_cast<unsigned char>(in[i + 1])) &&
                   isxdigit(static_cast<unsigned char>(in[i + 2]))) {
            out += static_cast<char>(QByteArray::fromHex(in.mid(i + 1, 2))[0]);
            i += 2;
        } else if (header && c == '_') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

struct ContentType
{
    QByteArray type;                         // lower case, "text/plain" when absent
    std::map<QByteArray, QByteArray> params; // lower-case names, values unquoted, RFC 2231 joined
    std::map<QByteArray, QString> decoded;   // RFC 2231 extended values, decoded
};

ContentType ParseParams(const QByteArray& value)
{
    ContentType ct;
    qsizetype i = 0;
    auto skipSpace = [&] {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
    };
    qsizetype semi = value.indexOf(';');
    ct.type = (semi < 0 ? value : value.left(semi)).trimmed().toLower();
    i = semi < 0 ? value.size() : semi + 1;
    std::map<QByteArray, std::map<int, std::pair<QByteArray, bool>>>
        pieces; // name -> index -> (raw, encoded)
    while (i < value.size()) {
        skipSpace();
        const qsizetype eq = value.indexOf('=', i);
        if (eq < 0)
            break;
        QByteArray name = value.mid(i, eq - i).trimmed().toLower();
        i = eq + 1;
        skipSpace();
        QByteArray v;
        if (i < value.size() && value[i] == '"') {
            ++i;
            while (i < value.size() && value[i] != '"') {
                if (value[i] == '\\' && i + 1 < value.size())
                    ++i;
                v += value[i++];
            }
            ++i;
            const qsizetype next = value.indexOf(';', i);
            i = next < 0 ? value.size() : next + 1;
        } else {
            const qsizetype next = value.indexOf(';', i);
            v = value.mid(i, (next < 0 ? value.size() : next) - i).trimmed();
            i = next < 0 ? value.size() : next + 1;
        }
        bool encoded = false;
        if (name.endsWith('*')) {
            encoded = true;
            name.chop(1);
        }
        int index = -1;
        const qsizetype star = name.indexOf('*');
        if (star > 0) {
            bool ok = false;
            index = name.mid(star + 1).toInt(&ok);
            if (!ok || index < 0 || index > 999)
                continue;
            name = name.left(star);
        }
        if (index < 0 && !encoded)
            ct.params[name] = v;
        else
            pieces[name][index < 0 ? 0 : index] = {v, encoded};
    }
    for (const auto& [name, parts] : pieces) {
        QByteArray charset = "utf-8";
        QByteArray bytes;
        bool first = true;
        for (const auto& [index, piece] : parts) {
            QByteArray raw = piece.first;
            if (piece.second) {
                if (first) {
                    const qsizetype q1 = raw.indexOf('\'');
                    const qsizetype q2 = q1 < 0 ? -1 : raw.indexOf('\'', q1 + 1);
                    if (q2 > 0) {
                        if (q1 > 0)
                            charset = raw.left(q1);
                        raw = raw.mid(q2 + 1);
                    }
                }
                bytes += QByteArray::fromPercentEncoding(raw);
            } else {
                bytes += raw;
            }
            first = false;
        }
        ct.decoded[name] = DecodeCharset(bytes, charset);
    }
    return ct;
}

QString ParamText(const ContentType& ct, const char* name)
{
    if (auto d = ct.decoded.find(name); d != ct.decoded.end())
        return d->second;
    if (auto p = ct.params.find(name); p != ct.params.end())
        return MimeParser::DecodeHeaderText(p->second);
    return {};
}

// Base64 text: letters, digits, "+", "/", white space, and "=" padding only at the end.
bool IsBase64Text(const QByteArray& body)
{
    qsizetype digits = 0;
    bool padding = false;
    for (char c : body) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t')
            continue;
        if (c == '=') {
            padding = true;
            ++digits;
            continue;
        }
        if (padding || !(isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/'))
            return false;
        ++digits;
    }
    return digits % 4 != 1;
}

bool DecodeBody(const QByteArray& body, const QByteArray& encoding, QByteArray& out, bool withData = true)
{
    const QByteArray enc = encoding.trimmed().toLower();
    if (enc == "base64") {
        // The same check with and without the data, so listing and reading agree on what is a message.
        if (!IsBase64Text(body))
            return false;
        out = withData ? QByteArray::fromBase64(body) : QByteArray();
        return true;
    }
    if (enc == "quoted-printable") {
        out = DecodeQuotedPrintable(body, false);
        return true;
    }
    out = body;
    return true;
}

bool ParsePart(const Headers& headers, const QByteArray& body, ParsedMail& mail, bool withData, int depth,
               bool& haveText)
{
    if (depth > kMaxDepth)
        return false;
    const ContentType ct = ParseParams(Header(headers, "content-type"));
    if (ct.type.startsWith("multipart/")) {
        const auto b = ct.params.find("boundary");
        if (b == ct.params.end() || b->second.isEmpty())
            return false;
        const QByteArray delimiter = "--" + b->second;
        // Lines that are exactly the delimiter (or its closing form) split the body.
        std::vector<QByteArray> parts;
        bool closed = false;
        qsizetype pos = 0;
        qsizetype partStart = -1;
        while (pos <= body.size() && !closed) {
            qsizetype end = body.indexOf('\n', pos);
            if (end < 0)
                end = body.size();
            // Only lines that begin with the delimiter are looked at closer; the rest is skipped unread.
            if (end - pos < delimiter.size() ||
                QByteArrayView(body.constData() + pos, delimiter.size()) != QByteArrayView(delimiter)) {
                pos = end + 1;
                continue;
            }
            QByteArray line = body.mid(pos, end - pos);
            if (line.endsWith('\r'))
                line.chop(1);
            {
                const QByteArray rest = line.mid(delimiter.size()).trimmed();
                if (rest.isEmpty() || rest == "--") {
                    if (partStart >= 0) {
                        qsizetype partEnd = pos;
                        // The line break before the delimiter belongs to it.
                        if (partEnd > partStart && body[partEnd - 1] == '\n')
                            --partEnd;
                        if (partEnd > partStart && body[partEnd - 1] == '\r')
                            --partEnd;
                        parts.push_back(body.mid(partStart, partEnd - partStart));
                    }
                    if (rest == "--")
                        closed = true;
                    partStart = end + 1;
                }
            }
            pos = end + 1;
        }
        if (!closed)
            return false;
        for (const QByteArray& part : parts) {
            Headers h;
            QByteArray b2;
            if (!SplitHeaders(part, h, b2)) {
                // A part with no headers at all is plain text.
                if (!part.startsWith("\r\n") && !part.startsWith('\n'))
                    return false;
                h.clear();
                b2 = part.mid(part.indexOf('\n') + 1);
            }
            if (!ParsePart(h, b2, mail, withData, depth + 1, haveText))
                return false;
        }
        return true;
    }
    const ContentType disposition = ParseParams(Header(headers, "content-disposition"));
    QString name = ParamText(disposition, "filename");
    if (name.isEmpty())
        name = ParamText(ct, "name");
    const bool isAttachment = disposition.type == "attachment" || !name.isEmpty();
    QByteArray data;
    if (!DecodeBody(body, Header(headers, "content-transfer-encoding"), data, withData || !isAttachment))
        return false;
    if (isAttachment) {
        mail.attachments.append({name, withData ? data : QByteArray()});
    } else if (!haveText && (ct.type.isEmpty() || ct.type == "text/plain")) {
        const auto cs = ct.params.find("charset");
        mail.text = DecodeCharset(data, cs == ct.params.end() ? QByteArray("us-ascii") : cs->second);
        haveText = true;
    }
    return true;
}

QDateTime ParseDate(QByteArray value)
{
    // Drop a comment such as "(CET)" and the weekday, which Qt's parser is strict about.
    const qsizetype paren = value.indexOf('(');
    if (paren >= 0)
        value = value.left(paren);
    value = value.simplified();
    QDateTime d = QDateTime::fromString(QString::fromLatin1(value), Qt::RFC2822Date);
    if (!d.isValid()) {
        const qsizetype comma = value.indexOf(',');
        if (comma >= 0)
            d = QDateTime::fromString(QString::fromLatin1(value.mid(comma + 1).trimmed()), Qt::RFC2822Date);
    }
    return d;
}

QStringList AddressList(const QByteArray& value)
{
    QStringList out;
    for (const QByteArray& a : value.split(',')) {
        const QByteArray t = a.trimmed();
        if (!t.isEmpty())
            out.append(MimeParser::DecodeHeaderText(t));
    }
    return out;
}

} // namespace

QString MimeParser::DecodeHeaderText(const QByteArray& value)
{
    static const QRegularExpression word(QStringLiteral(R"(=\?([^?\s]+)\?([BbQq])\?([^?\s]*)\?=)"));
    const QString text = QString::fromLatin1(value);
    QString out;
    qsizetype at = 0;
    bool lastWasWord = false;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString between = text.mid(at, m.capturedStart() - at);
        // White space between two encoded words is not part of the text.
        if (!(lastWasWord && between.trimmed().isEmpty()))
            out += QString::fromUtf8(between.toLatin1());
        const QByteArray payload = m.captured(3).toLatin1();
        QByteArray bytes;
        if (m.captured(2).compare(u"B", Qt::CaseInsensitive) == 0) {
            auto r = QByteArray::fromBase64Encoding(payload);
            bytes = r ? *r : QByteArray();
        } else {
            bytes = DecodeQuotedPrintable(payload, true);
        }
        QByteArray charset = m.captured(1).toLatin1();
        const qsizetype star = charset.indexOf('*'); // RFC 2231 language suffix
        if (star >= 0)
            charset = charset.left(star);
        out += DecodeCharset(bytes, charset);
        at = m.capturedEnd();
        lastWasWord = true;
    }
    out += QString::fromUtf8(text.mid(at).toLatin1());
    return out;
}

std::optional<ParsedMail> MimeParser::Parse(const QByteArray& message, bool withData)
{
    Headers headers;
    QByteArray body;
    if (!SplitHeaders(message, headers, body))
        return std::nullopt;
    ParsedMail mail;
    const QByteArray from = Header(headers, "from");
    const qsizetype lt = from.lastIndexOf('<');
    if (lt >= 0) {
        const qsizetype gt = from.indexOf('>', lt);
        mail.fromAddress =
            QString::fromUtf8(from.mid(lt + 1, (gt < 0 ? from.size() : gt) - lt - 1).trimmed());
        QByteArray name = from.left(lt).trimmed();
        if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
            name = name.mid(1, name.size() - 2);
        mail.fromName = DecodeHeaderText(name);
    } else {
        mail.fromAddress = QString::fromUtf8(from.trimmed());
    }
    if (mail.fromName.isEmpty())
        mail.fromName = mail.fromAddress;
    mail.to = AddressList(Header(headers, "to"));
    mail.cc = AddressList(Header(headers, "cc"));
    mail.subject = DecodeHeaderText(Header(headers, "subject"));
    const QByteArray received = Header(headers, "received");
    const qsizetype semi = received.lastIndexOf(';');
    if (semi >= 0)
        mail.received = ParseDate(received.mid(semi + 1));
    if (!mail.received.isValid())
        mail.received = ParseDate(Header(headers, "date"));
    bool haveText = false;
    if (!ParsePart(headers, body, mail, withData, 0, haveText))
        return std::nullopt;
    return mail;
}
