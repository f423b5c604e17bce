// Mail messages written by the MIME writer and read back by the parser, and the parser's refusals.
#include "platform/mail/MimeParser.h"
#include "platform/mail/MimeWriter.h"

#include "model/text/TextProvider.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QByteArray EveryByte()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(static_cast<char>(i));
    return b + b;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& data)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    return path;
}

} // namespace

TEST(MimeMessage, WrittenMailReadsBackByteForByte)
{
    QTemporaryDir dir;
    const QByteArray binary = EveryByte();
    const QByteArray second = "second\r\n.\r\nfile";
    MailMessage m;
    m.to = {QStringLiteral("a@example.com"), QStringLiteral("b@example.com")};
    m.cc = {QStringLiteral("c@example.com")};
    m.subject = QStringLiteral("Ladeplan für München — Woche 50, ein recht langer Betreff mit Umlauten äöü");
    m.text = QStringLiteral("Line one\n.\nÜberladung? No.\n");
    m.attachments = {
        {WriteFile(dir, QStringLiteral("bin.qorei"), binary), QString()},
        {WriteFile(dir, QStringLiteral("x.pdf"), second),
         QStringLiteral(
             "Straßenplan für die sehr lange Tour nach Süddeutschland und zurück über Österreich.pdf")}};
    QByteArray out;
    ASSERT_TRUE(MimeWriter::Write(m, QStringLiteral("me@example.com"), QStringLiteral("Jörg Planer"),
                                  QDateTime(QDate(2026, 12, 9), QTime(10, 30), QTimeZone(3600)), out));

    for (const QByteArray& line : out.split('\n')) {
        ASSERT_TRUE(line.isEmpty() || line.endsWith('\r')) << "bare LF in: " << line.constData();
        EXPECT_LE(line.size(), 78) << line.constData();
        for (char c : line)
            EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "8-bit byte in: " << line.constData();
    }
    EXPECT_TRUE(out.contains("\r\nDate: Wed, 09 Dec 2026 10:30:00 +0100\r\n")) << out.constData();
    EXPECT_TRUE(out.contains("\r\nMessage-ID: <")) << out.constData();

    const auto mail = MimeParser::Parse(out);
    ASSERT_TRUE(mail.has_value());
    EXPECT_EQ(mail->subject, m.subject);
    EXPECT_EQ(mail->text, m.text);
    EXPECT_EQ(mail->fromName, QStringLiteral("Jörg Planer"));
    EXPECT_EQ(mail->fromAddress, QStringLiteral("me@example.com"));
    EXPECT_EQ(mail->to, m.to);
    EXPECT_EQ(mail->cc, m.cc);
    EXPECT_EQ(mail->received, QDateTime(QDate(2026, 12, 9), QTime(9, 30), QTimeZone::utc()));
    ASSERT_EQ(mail->attachments.size(), 2);
    EXPECT_EQ(mail->attachments[0].name, QStringLiteral("bin.qorei"));
    EXPECT_EQ(mail->attachments[0].data, binary);
    EXPECT_EQ(mail->attachments[1].name, m.attachments[1].displayName);
    EXPECT_EQ(mail->attachments[1].data, second);
}

TEST(MimeMessage, MissingAttachmentFailsTheWrite)
{
    MailMessage m;
    m.to = {QStringLiteral("a@example.com")};
    m.attachments = {{QStringLiteral("/nonexistent/file.pdf"), QString()}};
    QByteArray out;
    QString error;
    EXPECT_FALSE(MimeWriter::Write(m, QStringLiteral("me@example.com"), QString(),
                                   QDateTime::currentDateTime(), out, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/file.pdf")));
}

TEST(MimeMessage, AttachmentsAreRegularFilesOfBoundedSizeTogether)
{
    // A named pipe would block the write for good; the size is checked before anything is read, and
    // the files of one mail count together.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto sparse = [&](const QString& name, qint64 size) {
        const QString path = WriteFile(dir, name, "%PDF-1.4\n");
        QFile f(path);
        EXPECT_TRUE(f.resize(size));
        return path;
    };
    const qint64 limit = MimeWriter::kGroessteAnhaenge;
    const QString big = sparse(QStringLiteral("big.pdf"), limit + 1);
    const QString half = sparse(QStringLiteral("half.pdf"), limit / 2 + 1);
    const QString otherHalf = sparse(QStringLiteral("other half.pdf"), limit / 2);
    const QString rest = sparse(QStringLiteral("rest.pdf"), limit - limit / 2);
    const QString small = WriteFile(dir, QStringLiteral("small.pdf"), "%PDF-1.4\n");
    const QString pipe = dir.filePath(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);

    const auto write = [](const QStringList& paths, QByteArray& out, QString* error) {
        MailMessage m;
        m.to = {QStringLiteral("a@example.com")};
        for (const QString& path : paths)
            m.attachments.append(MailAttachment{path, QString()});
        return MimeWriter::Write(m, QStringLiteral("me@example.com"), QString(), QDateTime::currentDateTime(),
                                 out, error);
    };
    // Without a language module the reader's reason names the file.
    QByteArray out = "kept";
    QString error;
    EXPECT_FALSE(write({pipe}, out, &error));
    EXPECT_TRUE(error.contains(pipe)) << error.toStdString();

    CTableTextProvider texts({{1640, "not a file: %1"}, {1641, "too big: %1 (%2 MB)"}});
    ScopedTextProvider scoped(&texts);
    struct Case
    {
        QStringList paths;
        QString error;
    };
    const Case cases[] = {
        {{big}, QStringLiteral("too big: %1 (32 MB)").arg(big)},
        {{small, half, otherHalf}, QStringLiteral("too big: %1 (32 MB)").arg(otherHalf)},
        {{small, pipe}, QStringLiteral("not a file: %1").arg(pipe)},
        {{dir.path()}, QStringLiteral("not a file: %1").arg(dir.path())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths.join(u' ').toStdString());
        out = "kept";
        EXPECT_FALSE(write(c.paths, out, &error));
        EXPECT_EQ(out, QByteArray("kept"));
        EXPECT_EQ(error, c.error);
    }
    // Files that fill the allowance exactly go.
    EXPECT_TRUE(write({otherHalf, rest}, out, nullptr));
}

TEST(MimeMessage, ControlCharactersInHeaderFieldsFailTheWrite)
{
    struct Case
    {
        const char* field;
        QString from, name, to, cc, subject;
    };
    const QString from = QStringLiteral("me@example.com"), to = QStringLiteral("a@example.com");
    const Case cases[] = {
        {"sender", QStringLiteral("me@example.com\r\nBcc: eve@example.org"), {}, to, {}, {}},
        {"sender's name", from, QStringLiteral("Me\nBcc: eve@example.org"), to, {}, {}},
        {"recipient", from, {}, QStringLiteral("a@example.com\rX: y"), {}, {}},
        {"copy", from, {}, to, QStringLiteral("c@example.com\t"), {}},
        {"subject", from, {}, to, {}, QStringLiteral("Plans\x7f")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        MailMessage m;
        m.to = {c.to};
        if (!c.cc.isEmpty())
            m.cc = {c.cc};
        m.subject = c.subject;
        QByteArray out = "kept";
        QString error;
        EXPECT_FALSE(MimeWriter::Write(m, c.from, c.name, QDateTime::currentDateTime(), out, &error));
        EXPECT_EQ(out, QByteArray("kept"));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(MimeMessage, HeaderWordsDecode)
{
    const struct
    {
        const char* raw;
        const char* text;
    } cases[] = {
        {"plain text", "plain text"},
        {"=?UTF-8?B?w6TDtsO8?=", "äöü"},
        {"=?ISO-8859-1?Q?J=F6rg_M=FCller?=", "Jörg Müller"},
        {"=?utf-8?q?a?= =?utf-8?q?b?=", "ab"},            // space between words dropped
        {"Re: =?UTF-8*de?B?w6Q=?= x", "Re: ä x"},         // language suffix
        {"=?UTF-8?B?not closed", "=?UTF-8?B?not closed"}, // not a word
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(MimeParser::DecodeHeaderText(c.raw), QString::fromUtf8(c.text));
    }
}

TEST(MimeMessage, ParserRefusesWhatIsNoMessage)
{
    const struct
    {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"empty", ""},
        {"first line no header", "hello world\r\n\r\nbody"},
        {"folded first line", " Subject: x\r\n\r\n"},
        {"multipart without boundary", "Content-Type: multipart/mixed\r\n\r\n--x\r\n\r\n--x--\r\n"},
        {"multipart never closed", "Content-Type: multipart/mixed; boundary=x\r\n\r\n--x\r\n\r\nt\r\n"},
        {"bad base64", "Content-Transfer-Encoding: base64\r\n\r\n***\r\n"},
        {"deep nesting",
         [] {
             QByteArray m;
             for (int i = 0; i < 40; ++i)
                 m += "Content-Type: multipart/mixed; boundary=b" + QByteArray::number(i) + "\r\n\r\n--b" +
                      QByteArray::number(i) + "\r\n";
             return m;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(MimeParser::Parse(c.data).has_value());
    }
}
