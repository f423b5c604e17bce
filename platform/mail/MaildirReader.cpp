// Lists the messages of a Maildir folder.
#include "platform/mail/MaildirReader.h"

#include "platform/mail/MimeParser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// "S" among the flags after ":2," of a cur/ file name.
bool HasSeenFlag(const QString& fileName)
{
    const qsizetype info = fileName.lastIndexOf(QLatin1String(":2,"));
    return info >= 0 && fileName.mid(info + 3).contains(u'S');
}

} // namespace

bool MaildirReader::List(const QString& folder, QVector<InboxMessage>& messages, QString* error)
{
    messages.clear();
    const QDir root(folder);
    const bool hasNew = root.exists(QStringLiteral("new"));
    const bool hasCur = root.exists(QStringLiteral("cur"));
    if (!hasNew && !hasCur) {
        if (error)
            *error = QStringLiteral("%1 is no Maildir folder (it has neither new/ nor cur/).").arg(folder);
        return false;
    }
    for (const char* sub : {"new", "cur"}) {
        const QDir dir(root.filePath(QLatin1String(sub)));
        if (!dir.exists())
            continue;
        if (!QFileInfo(dir.path()).isReadable()) {
            if (error)
                *error = QStringLiteral("%1 cannot be read.").arg(dir.path());
            return false;
        }
        const bool isNew = qstrcmp(sub, "new") == 0;
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& fi : files) {
            QFile file(fi.filePath());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const auto mail = MimeParser::Parse(file.readAll(), false);
            if (!mail)
                continue;
            InboxMessage m;
            m.unread = isNew || !HasSeenFlag(fi.fileName());
            m.received = mail->received.isValid() ? mail->received : fi.lastModified();
            m.senderName = mail->fromName;
            m.subject = mail->subject;
            for (const ParsedAttachment& a : mail->attachments)
                m.attachmentNames.append(a.name);
            m.messageFile = fi.filePath();
            messages.append(std::move(m));
        }
    }
    std::stable_sort(messages.begin(), messages.end(), [](const InboxMessage& a, const InboxMessage& b) {
        if (a.received != b.received)
            return a.received > b.received;
        return a.messageFile < b.messageFile;
    });
    if (messages.size() > kMaxMessages)
        messages.resize(kMaxMessages);
    return true;
}

bool MaildirReader::ReadAttachment(const QString& messageFile, int index, QByteArray& data, QString* name)
{
    QFile file(messageFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const auto mail = MimeParser::Parse(file.readAll(), true);
    if (!mail || index < 0 || index >= mail->attachments.size())
        return false;
    data = mail->attachments[index].data;
    if (name)
        *name = mail->attachments[index].name;
    return true;
}
