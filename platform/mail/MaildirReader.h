// Lists the messages of a Maildir folder (new/ and cur/) for the inbox search, newest first.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct InboxMessage
{
    bool unread = false; // in new/, or without the "S" (seen) flag
    QDateTime received;  // first Received date, else Date, else the file's time
    QString senderName;
    QString subject;
    QStringList attachmentNames; // index = attachment index for ReadAttachment
    QString messageFile;
};

class MaildirReader
{
public:
    static constexpr int kMaxMessages = 1024;
    // The longest message file read; longer ones, and anything but a regular file, are skipped.
    static constexpr qint64 kGroessteNachricht = qint64{64} << 20;

    // Whether a folder can be listed, and if not, why.
    enum class FolderState
    {
        Readable,
        NotSet,     // no folder given
        Missing,    // the folder does not exist
        NotMaildir, // it has neither new/ nor cur/
        Unreadable  // it, or its new/ or cur/, may not be read
    };
    // The state of `folder`; for Unreadable `pUnreadable` receives the folder that may not be read.
    static FolderState Check(const QString& folder, QString* pUnreadable = nullptr);

    // The newest `kMaxMessages` messages of `folder`. Files that are not messages are skipped. False with
    // `error` set when the folder has neither new/ nor cur/ or one of them cannot be listed.
    static bool List(const QString& folder, QVector<InboxMessage>& messages, QString* error = nullptr);

    // The content of attachment `index` of the message in `messageFile`; false when the file cannot be
    // read, is no message or has no such attachment.
    static bool ReadAttachment(const QString& messageFile, int index, QByteArray& data,
                               QString* name = nullptr);
};
