// The vehicle tree: vehicle and combination files with a picture for each kind and a mark for files in
// use; the sample folders are protected.
#include "catalogue/CFileTreeCtrlMM.h"

#include "catalogue/CatalogueImages.h"
#include "model/files/CanOpenFile.h"
#include "model/files/VehicleFiles.h"

#include <QDir>
#include <QKeyEvent>

CFileTreeCtrlMM::CFileTreeCtrlMM(QWidget* parent) : CFileTreeCtrl(parent)
{
    m_bRootByName = true;
    m_nContextMenuId = kVehicleMenu;
}

CFileTreeCtrlMM::~CFileTreeCtrlMM() = default;

CFileTreeCtrlItemInfoMM* CFileTreeCtrlMM::InfoOf(QTreeWidgetItem* item)
{
    return item ? dynamic_cast<CFileTreeCtrlItemInfoMM*>(&Item(item)->Info()) : nullptr;
}

bool CFileTreeCtrlMM::IsSampleItem(QTreeWidgetItem* item) const
{
    const CFileTreeCtrlItemInfoMM* info = InfoOf(item);
    return info && info->m_bSample;
}

bool CFileTreeCtrlMM::IsFileInUse(const QString& path)
{
    return !CanOpenFile(path.toStdString(), OpenFlags::kRead | OpenFlags::kShareDenyRead);
}

int CFileTreeCtrlMM::IconFor(const CFileTreeCtrlItemInfoMM& record)
{
    const int first = CatalogueImages::First();
    const int kind = record.m_nFahrzeugTyp;
    if ((kind == 0 || kind == 4) && record.m_nMoreVehicles > 0)
        return first + (kind == 0 ? CatalogueImages::kKombiZug : CatalogueImages::kKombiSzm) +
               (record.m_bInUse ? 2 : 0);
    return first + kind + (record.m_bInUse ? CatalogueImages::kInUse : CatalogueImages::kFree);
}

bool CFileTreeCtrlMM::ReadVehicleFile(const QString& path, CFileTreeCtrlItemInfoMM& record) const
{
    // In use first: a file another writer holds is only read, never written back.
    record.m_bInUse = IsFileInUse(path);
    int count = 0;
    const int kind = ReadFileFahrzeugTyp(path.toStdString(), 0, &count, !record.m_bInUse);
    if (kind < 0 || kind > 5)
        return false;
    record.m_nFahrzeugTyp = kind;
    record.m_nMoreVehicles = count;
    record.m_nFile = 1;
    record.m_nIcon = IconFor(record);
    return true;
}

bool CFileTreeCtrlMM::AcceptFile(CFileTreeCtrlItemInfoMM&) const
{
    return true;
}

void CFileTreeCtrlMM::FillFolder(const QString& path, QTreeWidgetItem* parent, bool deleteChildren)
{
    if (deleteChildren)
        qDeleteAll(parent->takeChildren());
    int added = 0;
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!CanDisplayFolder(entry))
            continue;
        CFileTreeCtrlItemInfo info;
        info.m_strFilePath = entry.absoluteFilePath();
        info.m_strFileName = entry.fileName();
        InsertFileItem(parent, info, !m_bHasButtons || HasSubEntries(info.m_strFilePath));
        ++added;
    }
    for (const QFileInfo& entry : MatchingFiles(path)) {
        CFileTreeCtrlItemInfoMM record;
        record.m_strFilePath = entry.absoluteFilePath();
        record.m_strFileName = entry.fileName();
        record.m_bFileItem = true;
        record.m_bSample = IsSampleItem(parent);
        if (!ReadVehicleFile(record.m_strFilePath, record) || !AcceptFile(record))
            continue;
        GetDisplayName(record.m_strFilePath, record);
        InsertFileItem(parent, record, false);
        ++added;
    }
    SortChildren(parent);
    if (added == 0 && parent != invisibleRootItem())
        parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

CFileTreeCtrlItem* CFileTreeCtrlMM::InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                                   bool hasChildren)
{
    if (dynamic_cast<const CFileTreeCtrlItemInfoMM*>(&info))
        return CFileTreeCtrl::InsertFileItem(parent, info, hasChildren);
    CFileTreeCtrlItemInfoMM record;
    static_cast<CFileTreeCtrlItemInfo&>(record) = info;
    record.m_bSample =
        parent == invisibleRootItem() ? IsSampleRoot(info.m_strFilePath) : IsSampleItem(parent);
    if (record.m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem && !record.m_bFileItem)
        record.m_nIcon = CatalogueImages::First() +
                         (record.m_bSample ? CatalogueImages::kSampleFolder : CatalogueImages::kFolder);
    return CFileTreeCtrl::InsertFileItem(parent, record, hasChildren);
}

QIcon CFileTreeCtrlMM::GetItemIcon(const CFileTreeCtrlItemInfo& info) const
{
    const auto* record = dynamic_cast<const CFileTreeCtrlItemInfoMM*>(&info);
    if (record && CatalogueImages::Has(record->m_nIcon))
        return CatalogueImages::Icon(record->m_nIcon);
    return CFileTreeCtrl::GetItemIcon(info);
}

void CFileTreeCtrlMM::OnSelectionChanged(const QString& path)
{
    m_bAllowRename = !IsSampleItem(currentItem());
    CFileTreeCtrl::OnSelectionChanged(path);
}

bool CFileTreeCtrlMM::CanChangeItem(QTreeWidgetItem* item) const
{
    if (!CFileTreeCtrl::CanChangeItem(item) || IsSampleItem(item))
        return false;
    return !Item(item)->Info().m_bFileItem || !IsFileInUse(Item(item)->Info().m_strFilePath);
}

bool CFileTreeCtrlMM::CanDragItem(QTreeWidgetItem* item, bool copy) const
{
    if (!item || !item->parent() || IsDriveItem(item) ||
        Item(item)->Info().m_nItemKind != CFileTreeCtrlItemInfo::kFileSystem)
        return false;
    const CFileTreeCtrlItemInfo& info = Item(item)->Info();
    // A sample file leaves only as a copy; a sample folder stays; a file in use is not moved.
    if (IsSampleItem(item))
        return info.m_bFileItem && copy;
    return copy || !info.m_bFileItem || !IsFileInUse(info.m_strFilePath);
}

bool CFileTreeCtrlMM::IsDropTarget(QTreeWidgetItem* item) const
{
    if (!item || IsSampleItem(item) || Item(item)->Info().m_bFileItem)
        return false;
    return CFileTreeCtrl::IsDropTarget(item);
}

CFileTreeCtrlItem* CFileTreeCtrlMM::CreateNewFolder(QTreeWidgetItem* item, const QString& path)
{
    if (!item || IsSampleItem(item))
        return nullptr;
    return CFileTreeCtrl::CreateNewFolder(item, path);
}

void CFileTreeCtrlMM::keyPressEvent(QKeyEvent* event)
{
    // Deleting goes through the delete command only.
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        return;
    }
    CFileTreeCtrl::keyPressEvent(event);
}
