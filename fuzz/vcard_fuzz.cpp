// Fuzz target: the vCard reader on any file. Every contact it lists has an address, and the contacts
// come sorted by name, then address.
#include "FuzzFile.h"
#include "platform/mail/VCardReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QVector<MailContact> contacts;
    QString error;
    if (!VCardReader::Read(QString::fromStdString(WriteFuzzFile("contacts.vcf", data, size).string()),
                           contacts, &error))
        std::abort();
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        if (contacts[i].email.isEmpty() || contacts[i].name.isEmpty())
            std::abort();
        if (i > 0 && contacts[i - 1].name.compare(contacts[i].name, Qt::CaseInsensitive) > 0)
            std::abort();
    }
    return 0;
}
