// Choosing a folder inside one catalogue folder: vehicles, load units or combinations.
#include "catalogue/CDlgSelectFolder.h"

#include "catalogue/CFileTreeCtrlLg.h"
#include "catalogue/CFileTreeCtrlMM.h"
#include "catalogue/FileTreeTemplates.h"
#include "model/text/TextProvider.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"

#include <QAbstractButton>
#include <QDir>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgSelectFolder::CDlgSelectFolder(int mode, const VehicleFolders& folders, quint32 okText,
                                   quint32 cancelText, quint32 captionText, QWidget* parent)
    : CDlgBase(FileTreeTemplates::Registered(kTemplateId), parent), m_nMode(mode), m_folders(folders),
      m_nOkText(okText), m_nCancelText(cancelText)
{
    setWindowTitle(Text(captionText != 0 ? captionText : 467));
    QWidget* placeholder = ControlId::Find(this, kIdTree);
    if (mode == kLoadUnits && placeholder) {
        // The template names the vehicle tree: the load-unit tree takes its place.
        auto* tree = new CFileTreeCtrlLg(this);
        tree->setGeometry(placeholder->geometry());
        ControlId::Set(tree, kIdTree);
        delete placeholder;
        m_pTree = tree;
    } else if (mode == kVehicles || mode == kKombinationen) {
        m_pTree = qobject_cast<CFileTreeCtrl*>(placeholder);
    } else if (placeholder) {
        placeholder->hide(); // another mode leaves the dialog empty
    }
    if (!m_pTree)
        return;
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        m_bFolderSelected = current && !CFileTreeCtrl::Item(current)->Info().m_bFileItem;
    });
}

CDlgSelectFolder::~CDlgSelectFolder() = default;

bool CDlgSelectFolder::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (m_nOkText != 0)
        if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdOk)))
            ok->setText(Text(m_nOkText));
    if (m_nCancelText != 0)
        if (auto* cancel = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdCancel)))
            cancel->setText(Text(m_nCancelText));
    if (!m_pTree)
        return true;
    QString root;
    QString pattern;
    quint32 subFolder = 0;
    switch (m_nMode) {
    case kVehicles:
        root = m_folders.vehicles;
        pattern = QStringLiteral("*.qor");
        subFolder = 229;
        break;
    case kLoadUnits:
        root = m_folders.loadUnits;
        pattern = QStringLiteral("*.lgs");
        subFolder = 231;
        break;
    default:
        root = m_folders.combinations;
        pattern = QStringLiteral("*.kmb");
        subFolder = 640;
        break;
    }
    const QString sub = root + QLatin1Char('/') + Text(subFolder);
    QDir().mkpath(sub);
    m_pTree->m_bAllowNewFolder = true;
    m_pTree->SetRootFolder(root);
    m_pTree->SetRootName(root, m_folders.ShownName(root));
    m_pTree->SetFilePatterns(pattern);
    m_pTree->SetExtensionMode(0);
    m_pTree->AddWatchedFolder(root);
    m_pTree->Initialise();
    m_pTree->StartWatcher();
    m_pTree->SelectPath(sub, true);
    return true;
}

bool CDlgSelectFolder::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kIdNewFolder) {
        if (m_pTree && m_bFolderSelected)
            m_pTree->CreateNewFolder(m_pTree->currentItem());
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

void CDlgSelectFolder::OnUpdateCommand(CommandUpdateEvent& query)
{
    if (query.Id() == quint32(kIdOk) || query.Id() == quint32(kIdNewFolder)) {
        query.Enable(m_pTree && m_bFolderSelected);
        return;
    }
    CDlgBase::OnUpdateCommand(query);
}

void CDlgSelectFolder::OnOK()
{
    if (!m_pTree || !m_bFolderSelected)
        return;
    m_strFolder = m_pTree->GetSelectedPath();
    done(kIdOk);
}
