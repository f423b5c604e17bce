// Fuzz target: the Maildir listing on any message file. The input lies as the one message of a Maildir
// folder (in new/ when its first byte is odd, else in cur/ as seen); every attachment the listing names
// reads by its index under the same name, and no other index reads.
#include "FuzzFile.h"
#include "platform/mail/MaildirReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path p = FuzzFolder() / "Maildir";
        std::filesystem::create_directories(p / "new");
        std::filesystem::create_directories(p / "cur");
        return p;
    }();
    std::filesystem::remove(folder / "new" / "1.message");
    std::filesystem::remove(folder / "cur" / "1.message:2,S");
    const bool isNew = size > 0 && (data[0] & 1);
    const std::filesystem::path file =
        isNew ? folder / "new" / "1.message" : folder / "cur" / "1.message:2,S";
    WriteFuzzFile(std::filesystem::relative(file, FuzzFolder()).string(), data, size);

    QVector<InboxMessage> messages;
    if (!MaildirReader::List(QString::fromStdString(folder.string()), messages))
        std::abort();
    if (messages.size() > 1)
        std::abort();
    for (const InboxMessage& m : messages) {
        if (m.unread != isNew)
            std::abort();
        for (int i = 0; i < m.attachmentNames.size(); ++i) {
            QByteArray bytes;
            QString name;
            if (!MaildirReader::ReadAttachment(m.messageFile, i, bytes, &name) ||
                name != m.attachmentNames[i])
                std::abort();
        }
        QByteArray bytes;
        if (MaildirReader::ReadAttachment(m.messageFile, static_cast<int>(m.attachmentNames.size()), bytes) ||
            MaildirReader::ReadAttachment(m.messageFile, -1, bytes))
            std::abort();
    }
    return 0;
}
