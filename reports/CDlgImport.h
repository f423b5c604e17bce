// The import: mail attachments, files on disk and the data folders of older versions, gathered in one
// checked list.
#pragma once

#include "ui/CDlgBase.h"

#include <QStringList>
#include <QVector>

class QComboBox;
class QTreeWidget;
struct InboxMessage;

class CDlgImport : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 834;
    static constexpr int kIdList = 1385;
    static constexpr int kIdInbox = 1368;
    static constexpr int kIdFiles = 1342;
    static constexpr int kIdLegacy = 1343;
    static constexpr int kIdLegacyList = 1389;
    static constexpr int kIdRemove = 1384;
    static constexpr int kIdImport = 1366;
    static constexpr int kIdClient = 312;

    // One source of the list.
    struct Entry
    {
        enum Kind
        {
            kMail = 0,
            kFile = 1,
            kLegacy = 2
        };
        int kind = kFile;
        QString messageFile; // mail: the message
        int attachment = -1; // mail: the attachment's index
        bool flag = false;   // mail: the message is unread ("*")
        QString path;        // file
        QString legacyName;  // legacy: the version's name
    };
    // An older version's data folder.
    struct LegacySource
    {
        QString name;
        QStringList files;
        bool imported = false;
    };

    // `dataFolder` is the per-user data folder (the older versions' folders lie in it); `pendingPath`
    // an exchange file opened from outside, then the only source.
    CDlgImport(const QString& dataFolder, const QString& pendingPath, QWidget* parent = nullptr);
    ~CDlgImport() override;

    QTreeWidget* List() const { return m_list; }
    QVector<Entry> Entries() const { return m_entries; }
    QVector<LegacySource> LegacySources() const { return m_legacy; }
    // Adds the sources as the commands do; a source already listed is not added again.
    void AddFiles(const QStringList& paths);
    void AddMessages(const QVector<InboxMessage>& messages);
    bool AddLegacy(int index);
    void RemoveChecked();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    // The file dialog and the inbox search (tests give stand-ins).
    virtual QStringList ChooseFiles();
    virtual bool ChooseMessages(QVector<InboxMessage>& messages);

private:
    void Add(const Entry& entry, const QString& text, bool star);
    bool Listed(const Entry& entry) const;
    bool AnyChecked() const;
    QString MailFolder() const;

    QString m_strDataFolder;
    QString m_strPending;
    QTreeWidget* m_list = nullptr;
    QComboBox* m_legacyList = nullptr;
    QVector<Entry> m_entries;
    QVector<LegacySource> m_legacy;
};
