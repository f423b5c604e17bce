// Listing a Maildir folder: flags, dates, names, broken messages and the limit of listed messages.
#include "platform/mail/MaildirReader.h"
#include "platform/mail/MimeParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

const QString kFixtures = QStringLiteral(QOR_MAIL_DATA_DIR "/maildir");

} // namespace

TEST(MaildirReader, ListsFixturesNewestFirstSkippingBrokenOnes)
{
    QVector<InboxMessage> list;
    QString error;
    ASSERT_TRUE(MaildirReader::List(kFixtures, list, &error)) << error.toStdString();
    ASSERT_EQ(list.size(), 4); // three malformed messages skipped

    // Received headers win over Date: the top one (the last hop) is used.
    EXPECT_EQ(list[0].received, QDateTime(QDate(2026, 12, 8), QTime(9, 15), QTimeZone::utc()));
    EXPECT_TRUE(list[0].unread); // in new/
    EXPECT_EQ(list[0].senderName, QStringLiteral("Anna Berg"));
    EXPECT_EQ(list[0].subject, QStringLiteral("Plan for Tuesday"));
    EXPECT_EQ(list[0].attachmentNames, QStringList{QStringLiteral("truck.qorei")});

    EXPECT_FALSE(list[1].unread); // cur/ with S
    EXPECT_EQ(list[1].senderName, QStringLiteral("Jörg Müller"));
    EXPECT_EQ(list[1].subject, QStringLiteral("Ladung für München"));
    EXPECT_EQ(list[1].attachmentNames, QStringList{QStringLiteral("Straßen_Planä.qorei")});

    EXPECT_TRUE(list[2].unread); // cur/ without S
    EXPECT_EQ(list[2].senderName, QStringLiteral("Carl"));
    EXPECT_EQ(list[2].received, QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()));
    EXPECT_EQ(list[2].attachmentNames, QStringList{QStringLiteral("van.kmbei")});

    EXPECT_FALSE(list[3].unread); // flags "RS"
    EXPECT_EQ(list[3].senderName, QStringLiteral("scanner@example.com"));
    EXPECT_EQ(list[3].attachmentNames, QStringList{QStringLiteral("scan.pdf")});

    QByteArray data;
    QString name;
    ASSERT_TRUE(MaildirReader::ReadAttachment(list[0].messageFile, 0, data, &name));
    EXPECT_EQ(data, QByteArray::fromHex("0100000001020304"));
    EXPECT_FALSE(MaildirReader::ReadAttachment(list[0].messageFile, 1, data));
    ASSERT_TRUE(MaildirReader::ReadAttachment(list[3].messageFile, 0, data));
    EXPECT_TRUE(data.startsWith("%PDF-1.4"));
}

TEST(MaildirReader, NestedAlternativeKeepsThePlainText)
{
    QFile f(kFixtures + QStringLiteral("/cur/1765022400.M3.host:2,"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto mail = MimeParser::Parse(f.readAll());
    ASSERT_TRUE(mail.has_value());
    EXPECT_EQ(mail->text, QStringLiteral("Plain text ä"));
    ASSERT_EQ(mail->attachments.size(), 1);
    EXPECT_EQ(mail->attachments[0].data, QByteArray::fromHex("000102"));
}

TEST(MaildirReader, KeepsTheNewest1024)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("cur")));
    const QDateTime base(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (int i = 0; i < 1030; ++i) {
        // Written in a shuffled order so file names do not follow the dates.
        const int n = (i * 7) % 1030;
        QFile f(dir.filePath(QStringLiteral("cur/m%1:2,S").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("From: a@example.com\r\nSubject: " + QByteArray::number(n) + "\r\nDate: " +
                base.addSecs(n * 60).toString(Qt::RFC2822Date).toLatin1() + "\r\n\r\ntext\r\n");
    }
    QVector<InboxMessage> list;
    ASSERT_TRUE(MaildirReader::List(dir.path(), list));
    ASSERT_EQ(list.size(), MaildirReader::kMaxMessages);
    EXPECT_EQ(list.front().subject, QStringLiteral("1029"));
    EXPECT_EQ(list.back().subject, QStringLiteral("6"));
    for (int i = 1; i < list.size(); ++i)
        ASSERT_GT(list[i - 1].received, list[i].received);
}

TEST(MaildirReader, OnlyRegularMessageFilesOfBoundedLengthAreRead)
{
    // A named pipe would block the reader for good, an endless file would be read without end.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("cur")));
    const QByteArray message = "From: a@example.com\r\nSubject: kept\r\n\r\ntext\r\n";
    {
        QFile f(dir.filePath(QStringLiteral("cur/good:2,S")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(message);
        QFile big(dir.filePath(QStringLiteral("cur/big:2,S")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write(message);
        ASSERT_TRUE(big.resize(MaildirReader::kGroessteNachricht + 1)); // sparse
    }
    const QString pipe = dir.filePath(QStringLiteral("cur/pipe:2,S"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("cur/zero:2,S"))));
    QVector<InboxMessage> list;
    ASSERT_TRUE(MaildirReader::List(dir.path(), list));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].subject, QStringLiteral("kept"));
    QByteArray data;
    for (const char* name : {"cur/pipe:2,S", "cur/zero:2,S", "cur/big:2,S"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(MaildirReader::ReadAttachment(dir.filePath(QLatin1String(name)), 0, data));
    }
}

TEST(MaildirReader, FolderWithoutMaildirIsAnError)
{
    QTemporaryDir dir;
    QVector<InboxMessage> list;
    QString error;
    EXPECT_FALSE(MaildirReader::List(dir.path(), list, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(MaildirReader::List(dir.filePath(QStringLiteral("missing")), list, &error));
}
