// Listing a Maildir folder: flags, dates, names, broken messages and the limit of listed messages.
#include "platform/mail/MaildirReader.h"
#include "platform/mail/MimeParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

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

TEST(MaildirReader, FolderWithoutMaildirIsAnError)
{
    QTemporaryDir dir;
    QVector<InboxMessage> list;
    QString error;
    EXPECT_FALSE(MaildirReader::List(dir.path(), list, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(MaildirReader::List(dir.filePath(QStringLiteral("missing")), list, &error));
}
