// Lists the messages of a Maildir folder.
#include "platform/mail/MaildirReader.h"

#include "platform/RegularFile.h"
#include "platform/mail/MimeParser.h"

#include <QDir>
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

MaildirReader::FolderState MaildirReader::Check(const QString& folder, QString* pUnreadable)
{
    if (folder.trimmed().isEmpty())
        return FolderState::NotSet;
    const QFileInfo info(folder);
    if (!info.exists())
        return FolderState::Missing;
    if (!info.isDir())
        return FolderState::NotMaildir;
    const auto unreadable = [pUnreadable](const QString& path) {
        if (pUnreadable)
            *pUnreadable = path;
        return FolderState::Unreadable;
    };
    // A folder without the right to list it shows no sub-folders at all.
    if (!info.isReadable() || !info.isExecutable())
        return unreadable(info.filePath());
    const QDir root(folder);
    bool bMaildir = false;
    for (const char* sub : {"new", "cur"}) {
        const QFileInfo dir(root.filePath(QLatin1String(sub)));
        if (!dir.isDir())
            continue;
        bMaildir = true;
        if (!dir.isReadable() || !dir.isExecutable())
            return unreadable(dir.filePath());
    }
    return bMaildir ? FolderState::Readable : FolderState::NotMaildir;
}

bool MaildirReader::List(const QString& folder, QVector<InboxMessage>& messages, QString* error)
{
    messages.clear();
    QString unreadable;
    switch (Check(folder, &unreadable)) {
    case FolderState::Readable:
        break;
    case FolderState::Unreadable:
        if (error)
            *error = QStringLiteral("%1 cannot be read.").arg(unreadable);
        return false;
    default:
        if (error)
            *error = QStringLiteral("%1 is no Maildir folder (it has neither new/ nor cur/).").arg(folder);
        return false;
    }
    const QDir root(folder);
    for (const char* sub : {"new", "cur"}) {
        const QDir dir(root.filePath(QLatin1String(sub)));
        if (!dir.exists())
            continue;
        const bool isNew = qstrcmp(sub, "new") == 0;
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& fi : files) {
            QByteArray bytes;
            if (!ReadRegularFile(fi.filePath(), kGroessteNachricht, &bytes))
                continue;
            const auto mail = MimeParser::Parse(bytes, false);
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
    QByteArray bytes;
    if (!ReadRegularFile(messageFile, kGroessteNachricht, &bytes))
        return false;
    const auto mail = MimeParser::Parse(bytes, true);
    if (!mail || index < 0 || index >= mail->attachments.size())
        return false;
    data = mail->attachments[index].data;
    if (name)
        *name = mail->attachments[index].name;
    return true;
}
