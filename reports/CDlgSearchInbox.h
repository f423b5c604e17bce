// The inbox search: the messages of the mail folder that carry a vehicle or exchange file, to check.
#pragma once

#include "platform/mail/MaildirReader.h"
#include "ui/CDlgBase.h"

#include <QVector>

class QLabel;
class QThread;
class QTreeWidget;

class CDlgSearchInbox : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr int kIdAll = 1348;
    static constexpr int kIdWeek = 1349;
    static constexpr int kIdMonth = 1371;
    static constexpr int kIdYear = 1372;
    static constexpr int kIdUnread = 1373;

    // Starts listing `maildir` on a worker thread; the list fills when it is done.
    explicit CDlgSearchInbox(const QString& maildir, QWidget* parent = nullptr);
    ~CDlgSearchInbox() override;

    // Whether an attachment name is one the import takes (".qorei", ".kmbei", ".qor", ".kmb").
    static bool IsImportAttachment(const QString& name);
    // Why the inbox `maildir` cannot be searched, naming the folder, for the user; empty when it can.
    static QString FolderProblem(const QString& maildir);

    // True once the worker has answered (then the list shows the messages or the error).
    bool IsListed() const { return m_bListed; }
    QString Error() const { return m_strError; }
    QTreeWidget* List() const { return m_list; }
    // The option that narrows the list (one of the ids above).
    void SetOption(int id);
    // After OK: the checked messages.
    QVector<InboxMessage> Chosen() const { return m_chosen; }

protected:
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnOK() override;

private:
    void OnListed();
    void Fill();

    QThread* m_worker = nullptr;
    QVector<InboxMessage> m_read;
    QVector<InboxMessage> m_shown;
    QVector<InboxMessage> m_chosen;
    QString m_strError;
    bool m_bListed = false;
    bool m_bReadOk = false;
    int m_nOption = kIdAll;
    QTreeWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    // Which folder could not be read and why, under the status; hidden while all is well.
    QLabel* m_detail = nullptr;
    QString m_strMaildir;
};
