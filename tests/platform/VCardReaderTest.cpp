// Contacts from vCard files: folded lines, several addresses, cards without one, the order.
#include "platform/mail/VCardReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

TEST(VCardReader, OneRowPerAddressSortedByNameThenAddress)
{
    QVector<MailContact> contacts;
    QString error;
    ASSERT_TRUE(VCardReader::Read(QStringLiteral(QOR_MAIL_DATA_DIR "/vcard"), contacts, &error))
        << error.toStdString();
    ASSERT_EQ(contacts.size(), 4);
    const QStringList expected = {
        QStringLiteral("anna berg|aaa@example.org"),
        QStringLiteral("Anna Berg|anna.berg@home.example"),
        QStringLiteral("Anna Berg|anna@example.org"),
        QStringLiteral("Jörg Müller, Logistik|joerg@example.de"),
    };
    for (int i = 0; i < contacts.size(); ++i)
        EXPECT_EQ(contacts[i].name + u'|' + contacts[i].email, expected[i]);

    EXPECT_FALSE(VCardReader::Read(QStringLiteral("/nonexistent/contacts.vcf"), contacts, &error));
}

TEST(VCardReader, OnlyRegularFilesOfBoundedLengthAreRead)
{
    // A named pipe would block the reader for good, an endless file would be read without end.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath(QStringLiteral("pipe.vcf"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.vcf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString big = dir.filePath(QStringLiteral("big.vcf"));
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BEGIN:VCARD\r\nVERSION:3.0\r\nEMAIL:a@example.org\r\nEND:VCARD\r\n");
        ASSERT_TRUE(f.resize(VCardReader::kGroessteDatei + 1)); // sparse
    }
    for (const QString& path : {pipe, zero, big}) {
        SCOPED_TRACE(path.toStdString());
        QVector<MailContact> contacts;
        QString error;
        EXPECT_FALSE(VCardReader::Read(path, contacts, &error));
        EXPECT_TRUE(error.startsWith(path)) << error.toStdString();
    }
}

TEST(VCardReader, OnlyPlainAddressesGiveRows)
{
    // The address book offers what the recipient fields take, nothing they would refuse.
    QVector<MailContact> contacts;
    VCardReader::Parse(
        "BEGIN:VCARD\r\nFN:Eve\r\nEMAIL:eve@example>org\r\nEMAIL:eve x@example.org\r\n"
        "EMAIL:eve@example.org\r\nEMAIL:mailto:eve@home.example\r\nEMAIL:\"Eve\" <e@example.org>\r\n"
        "EMAIL:eve@example\xe2\x80\xa8org\r\nEND:VCARD\r\n",
        contacts);
    ASSERT_EQ(contacts.size(), 2);
    EXPECT_EQ(contacts[0].email, QStringLiteral("eve@example.org"));
    EXPECT_EQ(contacts[1].email, QStringLiteral("eve@home.example"));
}
