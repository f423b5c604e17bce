// The import: mail attachments, files on disk and the data folders of older versions, gathered in one
// checked list.
#include "reports/CDlgImport.h"

#include "model/text/TextProvider.h"
#include "platform/mail/MailSettings.h"
#include "platform/mail/MaildirReader.h"
#include "reports/CDlgSearchInbox.h"
#include "reports/CImportFileDlg.h"
#include "reports/ReportTexts.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ShowMessage658.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QTreeWidget>

namespace {

using ReportTexts::Text;

const char* const kLegacyVersions[] = {"QOR v4.0", "QOR v3D.1"};

} // namespace

CDlgImport::CDlgImport(const QString& dataFolder, const QString& pendingPath, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_strDataFolder(dataFolder), m_strPending(pendingPath)
{
    m_list = qobject_cast<QTreeWidget*>(ControlId::Find(this, kIdList));
    m_legacyList = qobject_cast<QComboBox*>(ControlId::Find(this, kIdLegacyList));
}

CDlgImport::~CDlgImport() = default;

QString CDlgImport::MailFolder() const
{
    const QString folder = MailSettings::Load().maildirFolder;
    const QDir dir(folder);
    return dir.exists(QStringLiteral("new")) || dir.exists(QStringLiteral("cur")) ? folder : QString();
}

bool CDlgImport::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (m_list) {
        m_list->setColumnCount(2);
        m_list->setHeaderLabels({Text(94), QStringLiteral("*")});
        m_list->header()->resizeSection(0, 300);
        m_list->header()->resizeSection(1, 17);
        m_list->setRootIsDecorated(false);
        m_list->setAllColumnsShowFocus(true);
        connect(m_list, &QTreeWidget::itemChanged, this, [this] { KickIdle(); });
    }
    if (auto* client = qobject_cast<QLabel*>(ControlId::Find(this, kIdClient)))
        client->setText(MailFolder().isEmpty() ? QString::fromStdString(LoadResString(559))
                                               : QDir(MailFolder()).dirName());
    // The data folders of older versions, listed only where they exist.
    QSettings marks;
    marks.beginGroup(QStringLiteral("LEGACY DATA IMPORT"));
    for (const char* version : kLegacyVersions) {
        const QString name = QString::fromLatin1(version);
        const QString folder = QDir(m_strDataFolder).filePath(name);
        if (!QFileInfo(folder).isDir())
            continue;
        LegacySource source;
        source.name = name;
        source.imported = marks.contains(name);
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString suffix = QFileInfo(file).suffix().toLower();
            if (suffix == QLatin1String("qor") || suffix == QLatin1String("kmb") ||
                suffix == QLatin1String("fsm") || suffix == QLatin1String("lgs") ||
                suffix == QLatin1String("dat"))
                source.files.append(file);
        }
        m_legacy.append(source);
        if (m_legacyList)
            m_legacyList->addItem(QStringLiteral("%1 %2")
                                      .arg(name, source.imported ? QStringLiteral("(*)") : QString())
                                      .trimmed());
    }
    if (!m_strPending.isEmpty()) {
        Entry entry;
        entry.kind = Entry::kFile;
        entry.path = m_strPending;
        Add(entry, QStringLiteral("FILE: ") + QFileInfo(m_strPending).fileName(), false);
    }
    KickIdle();
    return true;
}

bool CDlgImport::Listed(const Entry& entry) const
{
    for (const Entry& e : m_entries) {
        if (e.kind != entry.kind)
            continue;
        if ((e.kind == Entry::kMail && e.messageFile == entry.messageFile &&
             e.attachment == entry.attachment) ||
            (e.kind == Entry::kFile && e.path == entry.path) ||
            (e.kind == Entry::kLegacy && e.legacyName == entry.legacyName))
            return true;
    }
    return false;
}

void CDlgImport::Add(const Entry& entry, const QString& text, bool star)
{
    if (!m_list || Listed(entry))
        return;
    const QSignalBlocker blocker(m_list);
    auto* row = new QTreeWidgetItem(m_list);
    row->setText(0, text);
    row->setText(1, star ? QStringLiteral("*") : QString());
    row->setCheckState(0, Qt::Unchecked);
    m_entries.append(entry);
}

void CDlgImport::AddFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        Entry entry;
        entry.kind = Entry::kFile;
        entry.path = path;
        Add(entry, QStringLiteral("FILE: ") + QFileInfo(path).fileName(), false);
    }
    KickIdle();
}

void CDlgImport::AddMessages(const QVector<InboxMessage>& messages)
{
    for (const InboxMessage& message : messages)
        for (int i = 0; i < message.attachmentNames.size(); ++i) {
            if (!CDlgSearchInbox::IsImportAttachment(message.attachmentNames.at(i)))
                continue;
            Entry entry;
            entry.kind = Entry::kMail;
            entry.messageFile = message.messageFile;
            entry.attachment = i;
            entry.flag = message.unread;
            Add(entry, QStringLiteral("EMAIL: ") + message.attachmentNames.at(i), message.unread);
        }
    KickIdle();
}

bool CDlgImport::AddLegacy(int index)
{
    if (index < 0 || index >= m_legacy.size())
        return false;
    const LegacySource& source = m_legacy.at(index);
    Entry entry;
    entry.kind = Entry::kLegacy;
    entry.legacyName = source.name;
    if (Listed(entry))
        return false;
    if (source.imported) {
        IMessageBoxService::HtmlBox box;
        box.text = Text(102).replace(QLatin1String("%s"), source.name.toHtmlEscaped());
        box.captionId = 273;
        box.iconId = 822;
        box.buttons = {{668, 668}, {705, 705}};
        if (MessageBoxes().ShowHtml(this, box, nullptr) == 705)
            return false;
    }
    Add(entry, Text(98) + QStringLiteral(": ") + source.name, false);
    KickIdle();
    return true;
}

void CDlgImport::RemoveChecked()
{
    if (!m_list)
        return;
    const QSignalBlocker blocker(m_list);
    for (int i = m_list->topLevelItemCount() - 1; i >= 0; --i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked) {
            delete m_list->takeTopLevelItem(i);
            m_entries.remove(i);
        }
    KickIdle();
}

bool CDlgImport::AnyChecked() const
{
    for (int i = 0; m_list && i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            return true;
    return false;
}

QStringList CDlgImport::ChooseFiles()
{
    CImportFileDlg dialog(m_strDataFolder, this);
    return dialog.exec() == kIdOk ? dialog.Files() : QStringList();
}

bool CDlgImport::ChooseMessages(QVector<InboxMessage>& messages)
{
    CDlgSearchInbox search(MailFolder(), this);
    if (search.exec() != kIdOk)
        return false;
    messages = search.Chosen();
    return true;
}

bool CDlgImport::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdInbox: {
        const QString problem = CDlgSearchInbox::FolderProblem(MailSettings::Load().maildirFolder);
        if (!problem.isEmpty()) {
            MessageBoxes().Show(this, Text(95), problem, IMessageBoxService::Icon::Error,
                                IMessageBoxService::Buttons::Ok);
            return true;
        }
        QVector<InboxMessage> messages;
        if (ChooseMessages(messages))
            AddMessages(messages);
        return true;
    }
    case kIdFiles:
        AddFiles(ChooseFiles());
        return true;
    case kIdLegacy:
        if (m_legacyList)
            AddLegacy(m_legacyList->currentIndex());
        return true;
    case kIdRemove:
        RemoveChecked();
        return true;
    case kIdImport:
        ShowMessage658(this);
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgImport::OnUpdateCommand(CommandUpdateEvent& query)
{
    const bool free = m_strPending.isEmpty();
    switch (query.Id()) {
    case kIdInbox:
    case kIdFiles:
    case kIdLegacyList:
        query.Enable(free);
        return;
    case kIdRemove:
        query.Enable(free && AnyChecked());
        return;
    case kIdLegacy: {
        bool canAdd = false;
        if (free && m_legacyList && m_legacyList->currentIndex() >= 0 &&
            m_legacyList->currentIndex() < m_legacy.size()) {
            Entry entry;
            entry.kind = Entry::kLegacy;
            entry.legacyName = m_legacy.at(m_legacyList->currentIndex()).name;
            canAdd = !Listed(entry);
        }
        query.Enable(canAdd);
        return;
    }
    case kIdImport:
        query.Enable(m_list && m_list->topLevelItemCount() > 0);
        return;
    default:
        CDlgBase::OnUpdateCommand(query);
    }
}
