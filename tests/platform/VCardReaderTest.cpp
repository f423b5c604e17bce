// Contacts from vCard files: folded lines, several addresses, cards without one, the order.
#include "platform/mail/VCardReader.h"

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
