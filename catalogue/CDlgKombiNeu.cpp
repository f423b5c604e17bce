// A new combination: a towing vehicle and a trailer chosen in two vehicle trees, its name and folder.
#include "catalogue/CDlgKombiNeu.h"

#include "catalogue/CDlgSelectFolder.h"
#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/FileTreeTemplates.h"
#include "catalogue/FolderPaths.h"
#include "model/text/TextProvider.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/FileNameValidator.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QIntValidator>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

CDlgKombiNeu::CDlgKombiNeu(const VehicleFolders& folders, QWidget* parent)
    : CDlgBase(FileTreeTemplates::Registered(kTemplateId), parent), m_folders(folders)
{
    m_pZugTree = qobject_cast<CFileTreeCtrlFilter*>(ControlId::Find(this, kIdZugTree));
    m_pAnhTree = qobject_cast<CFileTreeCtrlFilter*>(ControlId::Find(this, kIdAnhTree));
    m_strTarget = DefaultTarget();
    if (QLineEdit* name = Field(kIdName))
        SubclassFileNameEdit(name);
    if (QLineEdit* integer = Field(kIdInteger)) {
        integer->setValidator(new QIntValidator(0, 99999, integer));
        integer->setText(QString::number(kKupplungVorschlagMm));
    }
    if (m_pZugTree)
        connect(m_pZugTree, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* current) { OnZugSelected(current); });
    if (m_pAnhTree)
        connect(m_pAnhTree, &QTreeWidget::currentItemChanged, this,
                [this](QTreeWidgetItem* current) { OnAnhSelected(current); });
}

CDlgKombiNeu::~CDlgKombiNeu() = default;

QString CDlgKombiNeu::DefaultTarget() const
{
    return FolderPaths::WithSlash(m_folders.combinations + QLatin1Char('/') + Text(640));
}

QLineEdit* CDlgKombiNeu::Field(int id) const
{
    return qobject_cast<QLineEdit*>(ControlId::Find(this, id));
}

bool CDlgKombiNeu::Checked(int id) const
{
    const auto* button = qobject_cast<const QAbstractButton*>(ControlId::Find(this, id));
    return button && button->isChecked();
}

bool CDlgKombiNeu::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    setWindowTitle(Text(644).split(QLatin1Char('\n')).value(1));
    if (auto* truck = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdTruck)))
        truck->setChecked(true);
    AnhaengerArtenSetzen();
    ConfigureTree(m_pZugTree);
    ConfigureTree(m_pAnhTree);
    FillZugTree();
    FillAnhTree();
    SetTarget(m_strTarget);
    ProposeName();
    return true;
}

void CDlgKombiNeu::ConfigureTree(CFileTreeCtrlFilter* tree)
{
    if (!tree)
        return;
    tree->SetRootFolder(m_folders.vehicles);
    tree->SetRootName(m_folders.vehicles, m_folders.ShownName(m_folders.vehicles));
    tree->AddRootFolder(m_folders.sampleVehicleRoot, true);
    tree->SetFilePatterns(QStringLiteral("*.qor;*.qov"));
    tree->SetExtensionMode(0);
    for (bool& selectable : tree->m_bSelectableArt)
        selectable = true;
    tree->AddWatchedFolder(m_folders.vehicles);
    tree->AddWatchedFolder(m_folders.sampleVehicles);
}

void CDlgKombiNeu::AnhaengerArtenSetzen()
{
    // A truck tows drawbar and rigid-drawbar trailers, a semi-trailer tractor a semi-trailer: the boxes
    // of the kinds that fit are offered ticked, the others unticked and greyed.
    const bool sattel = Checked(kIdTractor);
    for (const auto& [id, passt] : {std::pair{kIdDrawbar, !sattel}, std::pair{kIdRigidDrawbar, !sattel},
                                    std::pair{kIdSemiTrailer, sattel}}) {
        if (auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(this, id))) {
            const QSignalBlocker blocker(box);
            box->setChecked(passt);
            box->setEnabled(passt);
        }
    }
}

void CDlgKombiNeu::FillZugTree()
{
    if (!m_pZugTree)
        return;
    m_pZugTree->StopWatcher();
    m_pZugTree->ShowOnly(false, {Checked(kIdTractor) ? 4 : 0});
    m_pZugTree->Initialise();
    m_pZugTree->StartWatcher();
}

void CDlgKombiNeu::FillAnhTree(bool keepSelection)
{
    if (!m_pAnhTree)
        return;
    m_pAnhTree->StopWatcher();
    // The towing vehicle decides which trailers fit; the check boxes narrow them further.
    std::initializer_list<int> none{};
    m_pAnhTree->ShowOnly(false, none);
    if (m_nZugArt == 0) {
        m_pAnhTree->m_bShowArt[1] = Checked(kIdDrawbar);
        m_pAnhTree->m_bShowArt[2] = Checked(kIdRigidDrawbar);
    } else if (m_nZugArt == 4) {
        m_pAnhTree->m_bShowArt[3] = Checked(kIdSemiTrailer);
    }
    if (!keepSelection) {
        const QSignalBlocker blocker(m_pAnhTree);
        m_pAnhTree->setCurrentItem(nullptr);
    }
    if (m_pAnhTree->topLevelItemCount() == 0)
        m_pAnhTree->Initialise();
    else
        m_pAnhTree->RebuildKeepingState();
    m_pAnhTree->StartWatcher();
    OnAnhSelected(m_pAnhTree->currentItem());
}

void CDlgKombiNeu::OnZugSelected(QTreeWidgetItem* item)
{
    const CFileTreeCtrlItemInfoMM* info = CFileTreeCtrlMM::InfoOf(item);
    const int before = m_nZugArt;
    if (info && info->m_bFileItem) {
        m_strZugPath = info->m_strFilePath;
        m_nZugArt = info->m_nFahrzeugTyp;
        if (QLineEdit* field = Field(kIdZugName))
            field->setText(QFileInfo(info->m_strFilePath).completeBaseName());
    } else {
        m_strZugPath.clear();
        m_nZugArt = -1;
        if (QLineEdit* field = Field(kIdZugName))
            field->clear();
    }
    if (before != m_nZugArt)
        FillAnhTree();
    ProposeName();
}

void CDlgKombiNeu::OnAnhSelected(QTreeWidgetItem* item)
{
    const CFileTreeCtrlItemInfoMM* info = CFileTreeCtrlMM::InfoOf(item);
    const bool trailer =
        info && info->m_bFileItem && info->m_nFahrzeugTyp >= 1 && info->m_nFahrzeugTyp <= 3 && m_nZugArt >= 0;
    m_strAnhPath = trailer ? info->m_strFilePath : QString();
    if (QLineEdit* field = Field(kIdAnhName))
        field->setText(trailer ? QFileInfo(info->m_strFilePath).completeBaseName() : QString());
    ProposeName();
}

void CDlgKombiNeu::ProposeName()
{
    const QString zug = Field(kIdZugName) ? Field(kIdZugName)->text() : QString();
    const QString anh = Field(kIdAnhName) ? Field(kIdAnhName)->text() : QString();
    if (QLineEdit* name = Field(kIdName)) {
        if (zug.isEmpty() && anh.isEmpty())
            name->clear();
        else
            name->setText(Text(639) + QLatin1Char('_') + (zug.isEmpty() ? QStringLiteral("_") : zug) +
                          QLatin1Char('_') + (anh.isEmpty() ? QStringLiteral("_") : anh));
    }
    m_bReady = !zug.isEmpty() && !anh.isEmpty();
}

void CDlgKombiNeu::SetTarget(const QString& folder)
{
    m_strTarget = FolderPaths::IsInside(folder, m_folders.combinations) ? FolderPaths::WithSlash(folder)
                                                                        : DefaultTarget();
    if (QLineEdit* field = Field(kIdFolder))
        field->setText(FolderPaths::WithoutSlash(FolderPaths::Relative(m_strTarget, m_folders.combinations)));
}

bool CDlgKombiNeu::ChooseFolder(QString& folder)
{
    CDlgSelectFolder dialog(CDlgSelectFolder::kKombinationen, m_folders, 454, 0, 0, this);
    if (dialog.exec() != kIdOk)
        return false;
    folder = dialog.Folder();
    return true;
}

bool CDlgKombiNeu::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdTruck:
    case kIdTractor:
        for (int field : {kIdZugName, kIdAnhName, kIdName})
            if (QLineEdit* edit = Field(field))
                edit->clear();
        m_strZugPath.clear();
        m_strAnhPath.clear();
        m_nZugArt = -1;
        AnhaengerArtenSetzen();
        FillZugTree();
        FillAnhTree(false);
        ProposeName();
        return true;
    case kIdDrawbar:
    case kIdRigidDrawbar:
    case kIdSemiTrailer:
        if (QLineEdit* edit = Field(kIdAnhName))
            edit->clear();
        m_strAnhPath.clear();
        FillAnhTree(false);
        ProposeName();
        return true;
    case kIdChooseFolder: {
        QString folder;
        if (ChooseFolder(folder))
            SetTarget(folder);
        return true;
    }
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgKombiNeu::OnUpdateCommand(CommandUpdateEvent& query)
{
    if (query.Id() == quint32(kIdOk)) {
        query.Enable(m_bReady);
        return;
    }
    CDlgBase::OnUpdateCommand(query);
}

void CDlgKombiNeu::OnOK()
{
    if (!m_bReady)
        return;
    auto refuse = [this](quint32 caption, const QString& text) {
        MessageBoxes().Show(this, Text(caption), text, IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
    };
    QLineEdit* nameField = Field(kIdName);
    const QString name = nameField ? nameField->text().trimmed() : QString();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        std::any_of(name.begin(), name.end(), [](QChar c) { return FileNameValidator::IsForbidden(c); })) {
        refuse(263, Text(79) + QLatin1Char('!'));
        if (nameField) {
            nameField->setFocus();
            nameField->selectAll();
        }
        return;
    }
    const QString path = m_strTarget + name + QStringLiteral(".kmb");
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        refuse(273, Text(642).replace(QLatin1String("%s"), name));
        return;
    }
    QLineEdit* integerField = Field(kIdInteger);
    const int value = integerField ? integerField->text().toInt() : 0;
    if (value <= 0) {
        refuse(263, Text(302) + QLatin1Char('!'));
        if (integerField) {
            integerField->setFocus();
            integerField->selectAll();
        }
        return;
    }
    m_nInteger = value;
    m_strNewPath = path;
    done(kIdOk);
}
