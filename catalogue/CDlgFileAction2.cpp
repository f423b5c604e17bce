// Choosing an existing vehicle or combination file, or naming a new one, in the program's vehicle tree.
#include "catalogue/CDlgFileAction2.h"

#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/FileTreeTemplates.h"
#include "catalogue/FolderPaths.h"
#include "model/text/TextProvider.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/FileNameValidator.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>

#include <algorithm>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgFileAction2::CDlgFileAction2(int mode, bool kombination, const VehicleFolders& folders, QWidget* parent)
    : CDlgBase(FileTreeTemplates::Registered(kTemplateId), parent), m_nMode(mode),
      m_bKombination(kombination), m_folders(folders)
{
    m_pTree = qobject_cast<CFileTreeCtrlFilter*>(ControlId::Find(this, kIdTree));
    m_pName = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdName));
    m_pNameLabel = qobject_cast<QLabel*>(ControlId::Find(this, kIdNameLabel));
    m_pFolder = qobject_cast<QLabel*>(ControlId::Find(this, kIdFolder));
    if (m_pName)
        SubclassFileNameEdit(m_pName);
    if (m_pTree) {
        m_pTree->SetExtensionMode(0);
        m_pTree->m_bShowFiles = true;
        m_pTree->m_bAllowDelete = true;
        m_pTree->m_bAllowNewFolder = true;
        connect(m_pTree, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* current) { OnSelected(current); });
        // A renamed folder may be the target: it is taken again from the selection.
        connect(m_pTree, &CFileTreeCtrl::itemRenamed, this, [this] { OnSelected(m_pTree->currentItem()); });
        // A double click or Return on a vehicle file opens it here, as the Open button does; the desktop
        // has no program for the program's own files.
        m_pTree->SetFileOpener([this](QTreeWidgetItem* item) {
            m_pTree->setCurrentItem(item);
            if (m_nMode == kChoose)
                OnOK();
        });
    }
}

CDlgFileAction2::~CDlgFileAction2() = default;

QString CDlgFileAction2::BaseFolder() const
{
    return m_bKombination ? m_folders.combinations : m_folders.vehicles;
}

QString CDlgFileAction2::NewPath() const
{
    if (m_strTarget.isEmpty() || m_strName.isEmpty())
        return QString();
    return m_strTarget + m_strName + (m_bKombination ? QStringLiteral(".kmb") : QStringLiteral(".qor"));
}

bool CDlgFileAction2::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    QDir().mkpath(m_folders.vehicles + QLatin1Char('/') + Text(229));
    if (m_nMode != kNewName) {
        for (QWidget* w : {static_cast<QWidget*>(m_pName), static_cast<QWidget*>(m_pNameLabel),
                           static_cast<QWidget*>(m_pFolder)})
            if (w)
                w->hide();
        // The tree takes 30 pixels of the hidden name fields; its buttons move down with its edge.
        if (m_pTree)
            m_pTree->setGeometry(m_pTree->geometry().adjusted(0, 0, 0, 30));
        for (int id : {kIdNewFolder, kIdDelete})
            if (QWidget* button = ControlId::Find(this, id))
                button->move(button->pos() + QPoint(0, 30));
    } else {
        if (m_pName)
            m_pName->setText(m_strName);
        // A new file's kind is fixed by the caller.
        if (QWidget* other = ControlId::Find(this, m_bKombination ? kIdVehicle : kIdKombination))
            other->setEnabled(false);
    }
    if (auto* radio = qobject_cast<QAbstractButton*>(
            ControlId::Find(this, m_bKombination ? kIdKombination : kIdVehicle)))
        radio->setChecked(true);
    FillTree();
    SetCaptions();
    return true;
}

void CDlgFileAction2::FillTree()
{
    if (!m_pTree)
        return;
    m_pTree->StopWatcher();
    m_pTree->ClearWatchedFolders();
    m_pTree->ClearRootFolders();
    for (const QString& ordner : {m_folders.vehicles, m_folders.combinations})
        m_pTree->SetRootName(ordner, m_folders.ShownName(ordner));
    if (m_bKombination) {
        m_pTree->SetRootFolder(m_folders.combinations);
        m_pTree->SetFilePatterns(QStringLiteral("*.kmb"));
        // Every combination file holds more than one vehicle.
        m_pTree->ShowOnly(true, {});
        m_pTree->AddWatchedFolder(m_folders.combinations);
    } else {
        m_pTree->SetRootFolder(m_folders.vehicles);
        m_pTree->SetFilePatterns(QStringLiteral("*.qor"));
        m_pTree->ShowOnly(false, {0, 1, 2, 3, 4, 5});
        m_pTree->AddRootFolder(m_folders.sampleVehicleRoot, true);
        m_pTree->AddWatchedFolder(m_folders.vehicles);
        m_pTree->AddWatchedFolder(m_folders.sampleVehicles);
    }
    // Any vehicle may be opened on its own.
    for (bool& selectable : m_pTree->m_bSelectableArt)
        selectable = true;
    m_pTree->Initialise();
    m_pTree->StartWatcher();
    QString start = m_strStart;
    if (start.isEmpty() || !FolderPaths::IsInside(start, BaseFolder()))
        start = m_bKombination ? m_folders.combinations + QLatin1Char('/') + Text(640)
                               : m_folders.vehicles + QLatin1Char('/') + Text(229);
    if (!m_pTree->SelectPath(start, true))
        m_pTree->SelectPath(BaseFolder(), true);
    OnSelected(m_pTree->currentItem());
}

void CDlgFileAction2::SetCaptions()
{
    if (m_pNameLabel)
        m_pNameLabel->setText(
            QStringLiteral("%1:").arg(Text(m_nMode == kNewName ? 647u : (m_bKombination ? 639u : 267u))));
    QWidget* ok = ControlId::Find(this, kIdOk);
    auto* okButton = qobject_cast<QAbstractButton*>(ok);
    switch (m_nMode) {
    case kChoose:
        setWindowTitle(Text(m_bKombination ? 55 : 76));
        if (okButton)
            okButton->setText(Text(645));
        break;
    case kNewName:
        setWindowTitle(Text(m_bKombination ? 56 : 73));
        if (okButton)
            okButton->setText(Text(75));
        break;
    default:
        setWindowTitle(Text(128));
        break;
    }
}

void CDlgFileAction2::SetKombination(bool kombination)
{
    if (kombination != m_bKombination) {
        if (m_pName)
            m_pName->clear();
        m_strName.clear();
        if (m_pTree) {
            const QSignalBlocker blocker(m_pTree);
            m_pTree->clear();
        }
        m_bKombination = kombination;
        m_strStart.clear();
        m_strTarget.clear();
        FillTree();
    }
    if (auto* radio =
            qobject_cast<QAbstractButton*>(ControlId::Find(this, kombination ? kIdKombination : kIdVehicle)))
        radio->setChecked(true);
    SetCaptions();
}

void CDlgFileAction2::OnSelected(QTreeWidgetItem* item)
{
    const CFileTreeCtrlItemInfoMM* info = CFileTreeCtrlMM::InfoOf(item);
    if (m_nMode == kChoose) {
        if (m_pName)
            m_pName->setText(info && info->m_bFileItem ? QFileInfo(info->m_strFilePath).completeBaseName()
                                                       : QString());
        return;
    }
    if (m_nMode != kNewName)
        return;
    if (!info)
        return;
    if (info->m_bFileItem || info->m_bSample) {
        if (m_pName)
            m_pName->clear();
        if (info->m_bSample)
            SetTarget(QString()); // no new file goes among the samples
        return;
    }
    SetTarget(info->m_strFilePath);
}

void CDlgFileAction2::SetTarget(const QString& path)
{
    const QString base = BaseFolder();
    m_strTarget = FolderPaths::IsInside(path, base) ? FolderPaths::WithSlash(path) : QString();
    if (m_pFolder)
        m_pFolder->setText(m_strTarget.isEmpty()
                               ? QString()
                               : FolderPaths::WithoutSlash(FolderPaths::Relative(m_strTarget, base)));
}

bool CDlgFileAction2::FreeFileSelected() const
{
    const CFileTreeCtrlItemInfoMM* info = m_pTree ? CFileTreeCtrlMM::InfoOf(m_pTree->currentItem()) : nullptr;
    return info && info->m_bFileItem && !info->m_bInUse && !CFileTreeCtrlMM::IsFileInUse(info->m_strFilePath);
}

bool CDlgFileAction2::TargetFolderSelected() const
{
    const CFileTreeCtrlItemInfoMM* info = m_pTree ? CFileTreeCtrlMM::InfoOf(m_pTree->currentItem()) : nullptr;
    return info && !info->m_bFileItem && !info->m_bSample && !m_strTarget.isEmpty();
}

bool CDlgFileAction2::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdVehicle:
    case kIdKombination:
        SetKombination(id == kIdKombination);
        return true;
    case kIdDelete:
        if (m_pTree)
            m_pTree->Delete(m_pTree->currentItem());
        return true;
    case kIdNewFolder:
        if (m_pTree && m_pTree->currentItem() && !m_pTree->IsSampleItem(m_pTree->currentItem()))
            m_pTree->CreateNewFolder(m_pTree->currentItem());
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgFileAction2::OnUpdateCommand(CommandUpdateEvent& query)
{
    QTreeWidgetItem* item = m_pTree ? m_pTree->currentItem() : nullptr;
    const CFileTreeCtrlItemInfoMM* info = CFileTreeCtrlMM::InfoOf(item);
    switch (query.Id()) {
    case kIdDelete:
        if (!item)
            query.Enable(false);
        else if (info)
            query.Enable(m_pTree->m_bAllowDelete && m_pTree->CanChangeItem(item));
        return;
    case kIdNewFolder:
        if (!item)
            query.Enable(false);
        else if (info)
            query.Enable(!info->m_bFileItem && !info->m_bSample);
        return;
    case kIdOk:
        if (m_nMode == kChoose)
            query.Enable(FreeFileSelected());
        else if (m_nMode == kNewName)
            query.Enable(TargetFolderSelected());
        else
            query.Enable(false);
        return;
    default:
        CDlgBase::OnUpdateCommand(query);
    }
}

void CDlgFileAction2::Refuse(quint32 caption, const QString& text)
{
    MessageBoxes().Show(this, Text(caption), text, IMessageBoxService::Icon::Error,
                        IMessageBoxService::Buttons::Ok);
}

void CDlgFileAction2::OnOK()
{
    if (m_nMode == kChoose) {
        if (!FreeFileSelected())
            return;
        m_strChosen = m_pTree->GetSelectedPath();
        done(kIdOk);
        return;
    }
    if (m_nMode != kNewName) {
        done(kIdOk);
        return;
    }
    const QString name = m_pName ? m_pName->text().trimmed() : QString();
    if (name.isEmpty()) {
        Refuse(263, Text(79) + QLatin1Char('!'));
        if (m_pName) {
            m_pName->setFocus();
            m_pName->selectAll();
        }
        return;
    }
    // The name field keeps these out; a name set from outside is checked here too.
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        std::any_of(name.begin(), name.end(), [](QChar c) { return FileNameValidator::IsForbidden(c); }))
        return;
    if (!TargetFolderSelected())
        return;
    m_strName = name;
    const QString path = NewPath();
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        Refuse(273, Text(m_bKombination ? 642 : 648).replace(QLatin1String("%s"), name));
        m_strName.clear();
        return;
    }
    done(kIdOk);
}
