// A tree of the machine's folders and files: roots, lazy filling, history, editing and a folder watcher.
#include "catalogue/CFileTreeCtrl.h"

#include "catalogue/CDlgFileProperties.h"
#include "draw2d/ViewCursors.h"
#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"
#include "platform/ResourceModule.h"
#include "platform/ShellFileOperation.h"
#include "ui/DesktopOpen.h"
#include "ui/DialogTemplateLoader.h"
#include "ui/IMessageBoxService.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QDrag>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileIconProvider>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

constexpr quint32 kNewFolderText = 372;
constexpr quint32 kRenameExistsText = 33313;
constexpr quint32 kTrashQuestionText = 33314;
constexpr quint32 kDeleteQuestionText = 33315;
constexpr quint32 kTrashRefusedText = 33316;
constexpr quint32 kOperationFailedText = 33319;
constexpr quint32 kReplaceQuestionText = 33321;

// The text of a number from the language module, with the English text when no module is loaded.
QString TreeText(quint32 id, const char* english)
{
    const ResourceModule* module = ResourceModule::Current();
    if (module && module->HasString(id))
        return module->String(id);
    return QString::fromUtf8(english);
}

QString WithoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Whether `path` is `base` or lies below it, compared on whole components.
bool IsInside(const QString& path, const QString& base)
{
    if (base == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == base || path.startsWith(base + QLatin1Char('/'));
}

QString JoinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QFileIconProvider& IconProvider()
{
    static QFileIconProvider provider;
    return provider;
}

} // namespace

CFileTreeCtrl::CFileTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Dragging within the tree: the view scrolls near its edges and opens a folder after 900 ms.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setAutoScroll(true);
    setAutoExpandDelay(900);
    m_strProfilePath = WithoutTrailingSlash(QDir::homePath());
    m_strDocumentsPath =
        WithoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    m_strDesktopPath =
        WithoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    connect(this, &QTreeWidget::itemExpanded, this, &CFileTreeCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CFileTreeCtrl::OnItemCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this, &CFileTreeCtrl::OnCurrentItemChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CFileTreeCtrl::OnDirectoryChanged);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (item != m_pEditItem)
            return;
        m_pEditItem = nullptr;
        const QString text = item->text(0);
        {
            const QSignalBlocker blocker(this);
            item->setText(0, m_strEditOldText);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
        if (text.isEmpty() || text == m_strEditOldText)
            return;
        // Applied once the editor has closed: the item may move to its place in the order.
        const QString path = Item(item)->Info().m_strFilePath;
        QMetaObject::invokeMethod(
            this,
            [this, path, text] {
                if (CFileTreeCtrlItem* edited = FindItemByPath(path);
                    edited && edited->Info().m_strFilePath == path)
                    EndLabelEdit(edited, text);
            },
            Qt::QueuedConnection);
    });
}

CFileTreeCtrl::~CFileTreeCtrl()
{
    StopWatcher();
}

void CFileTreeCtrl::SetRootFolder(const QString& path, bool refresh)
{
    m_strRootFolder = path.isEmpty() ? QString() : WithoutTrailingSlash(path);
    if (refresh)
        Refresh();
}

void CFileTreeCtrl::AddRootFolder(const QString& path, bool sample)
{
    const QString folder = WithoutTrailingSlash(path);
    if (folder.isEmpty())
        return;
    if (!m_moreRoots.contains(folder) && folder != m_strRootFolder)
        m_moreRoots.append(folder);
    if (sample && !m_sampleRoots.contains(folder))
        m_sampleRoots.append(folder);
}

void CFileTreeCtrl::SetRootName(const QString& path, const QString& name)
{
    const QString folder = WithoutTrailingSlash(path);
    if (name.isEmpty())
        m_rootNames.remove(folder);
    else
        m_rootNames.insert(folder, name);
}

void CFileTreeCtrl::ClearRootFolders()
{
    m_moreRoots.clear();
    m_sampleRoots.clear();
}

bool CFileTreeCtrl::IsSampleRoot(const QString& path) const
{
    return m_sampleRoots.contains(WithoutTrailingSlash(path));
}

void CFileTreeCtrl::SetFilePatterns(const QString& patterns, bool refresh)
{
    m_filePatterns.clear();
    for (QString entry : patterns.split(QRegularExpression(QStringLiteral("[,;]")))) {
        entry = entry.trimmed();
        if (!entry.isEmpty())
            m_filePatterns.append(entry);
    }
    if (refresh)
        Refresh();
}

void CFileTreeCtrl::AddFilePattern(const QString& pattern, bool refresh)
{
    m_filePatterns.append(pattern);
    if (refresh)
        Refresh();
}

void CFileTreeCtrl::SetExtensionMode(int mode, bool refresh)
{
    m_nExtensionMode = mode;
    if (refresh)
        Refresh();
}

void CFileTreeCtrl::SetShowDesktop(bool show, bool refresh)
{
    m_bShowDesktop = show;
    if (refresh)
        Refresh();
}

// ---- queries ---------------------------------------------------------------------------------------

QString CFileTreeCtrl::GetItemPath(QTreeWidgetItem* item) const
{
    return item ? Item(item)->Info().m_strFilePath : QString();
}

QString CFileTreeCtrl::GetSelectedPath() const
{
    return GetItemPath(currentItem());
}

bool CFileTreeCtrl::IsFile(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool CFileTreeCtrl::IsFolder(const QString& path) const
{
    return QFileInfo(path).isDir();
}

bool CFileTreeCtrl::IsDrive(const QString& path) const
{
    if (path.isEmpty())
        return false;
    if (path == QLatin1String("/"))
        return true;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.rootPath() == path)
            return true;
    return false;
}

bool CFileTreeCtrl::IsDriveItem(QTreeWidgetItem* item) const
{
    if (!item)
        return false;
    const QTreeWidgetItem* parent = item->parent();
    return parent &&
           Item(const_cast<QTreeWidgetItem*>(parent))->Info().m_nItemKind == CFileTreeCtrlItemInfo::kComputer;
}

namespace {

// The attribute bit `attribute` of statx for `path`: set only when the file system reports it.
bool HasStatxAttribute(const QString& path, quint64 attribute)
{
    if (path.isEmpty())
        return false;
    struct statx stx = {};
    const QByteArray native = QFile::encodeName(path);
    if (statx(AT_FDCWD, native.constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, 0, &stx) != 0)
        return false;
    return (stx.stx_attributes_mask & attribute) != 0 && (stx.stx_attributes & attribute) != 0;
}

} // namespace

bool CFileTreeCtrl::IsCompressed(const QString& path) const
{
    return HasStatxAttribute(path, STATX_ATTR_COMPRESSED);
}

bool CFileTreeCtrl::IsEncrypted(const QString& path) const
{
    return HasStatxAttribute(path, STATX_ATTR_ENCRYPTED);
}

quint64 CFileTreeCtrl::GetVolumeSerial(const QString& path) const
{
    struct stat st = {};
    struct statvfs vfs = {};
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || stat(native.constData(), &st) != 0 || statvfs(native.constData(), &vfs) != 0)
        return 0;
    // The device and the file system's id: another medium at the same place changes one of them.
    const quint64 serial = (quint64(st.st_dev) * 0x9E3779B97F4A7C15ULL) ^ quint64(vfs.f_fsid);
    return serial == 0 ? 1 : serial;
}

bool CFileTreeCtrl::DriveChanged(const QString& path)
{
    const quint64 serial = GetVolumeSerial(path);
    const auto it = m_volumeSerials.constFind(path);
    const bool changed = it != m_volumeSerials.constEnd() && serial != 0 && *it != 0 && *it != serial;
    m_volumeSerials.insert(path, serial);
    return changed;
}

QPixmap CFileTreeCtrl::DragCursorPicture(int id)
{
    const QCursor cursor = ViewCursors::Load(id);
    const QPixmap picture = cursor.pixmap();
    if (picture.isNull())
        return QPixmap();
    const QPoint spot = cursor.hotSpot();
    const int half = std::max({spot.x(), spot.y(), picture.width() - spot.x(), picture.height() - spot.y()});
    QPixmap padded(2 * half, 2 * half);
    padded.fill(Qt::transparent);
    QPainter painter(&padded);
    painter.drawPixmap(half - spot.x(), half - spot.y(), picture);
    return padded;
}

bool CFileTreeCtrl::IsShared(const QString&) const
{
    return false;
}

// ---- building ---------------------------------------------------------------------------------------

void CFileTreeCtrl::Initialise()
{
    Refresh();
}

void CFileTreeCtrl::Refresh()
{
    const QString selected = GetSelectedPath();
    {
        const QSignalBlocker blocker(this);
        m_pEditItem = nullptr;
        clear();
    }
    m_backHistory.clear();
    m_forwardHistory.clear();
    InsertRoots();
    if (!selected.isEmpty()) {
        m_bNavigating = true;
        SelectPath(selected);
        m_bNavigating = false;
    }
}

void CFileTreeCtrl::InsertRoots()
{
    QTreeWidgetItem* top = invisibleRootItem();
    if (!m_strRootFolder.isEmpty()) {
        for (const QString& root : QStringList{m_strRootFolder} + m_moreRoots) {
            CFileTreeCtrlItemInfo info;
            info.m_strFilePath = root;
            info.m_strFileName = m_rootNames.value(root, m_bRootByName ? QFileInfo(root).fileName() : root);
            if (info.m_strFileName.isEmpty())
                info.m_strFileName = root;
            CFileTreeCtrlItem* item = InsertFileItem(top, info, true);
            item->setExpanded(true);
        }
        return;
    }
    if (m_bShowDesktop) {
        CFileTreeCtrlItemInfo info;
        info.m_nItemKind = CFileTreeCtrlItemInfo::kDesktop;
        info.m_strFilePath = m_strDesktopPath;
        info.m_strFileName = QStandardPaths::displayName(QStandardPaths::DesktopLocation);
        top = InsertFileItem(top, info, true);
    }
    auto addRoot = [&](int kind, const QString& path, const QString& name) {
        CFileTreeCtrlItemInfo info;
        info.m_nItemKind = kind;
        info.m_strFilePath = path;
        info.m_strFileName = name;
        InsertFileItem(top, info, true);
    };
    if (m_bShowProfile)
        addRoot(CFileTreeCtrlItemInfo::kProfile, m_strProfilePath,
                QStandardPaths::displayName(QStandardPaths::HomeLocation));
    if (m_bShowDocuments)
        addRoot(CFileTreeCtrlItemInfo::kDocuments, m_strDocumentsPath,
                QStandardPaths::displayName(QStandardPaths::DocumentsLocation));
    if (m_bShowComputer)
        addRoot(CFileTreeCtrlItemInfo::kComputer, QString(),
                QApplication::translate("CFileTreeCtrl", "Computer"));
    else
        InsertDrives(top);
    if (m_bShowDesktop) {
        FillFolder(m_strDesktopPath, top);
        top->setExpanded(true);
    }
}

void CFileTreeCtrl::InsertDrives(QTreeWidgetItem* parent)
{
    QStringList paths{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        if (!paths.contains(root))
            paths.append(root);
    }
    for (const QString& path : paths) {
        if (!CanDisplayDrive(path))
            continue;
        CFileTreeCtrlItemInfo info;
        info.m_strFilePath = path;
        info.m_strFileName = path;
        InsertFileItem(parent, info, !m_bHasButtons || HasSubEntries(path));
    }
    SortChildren(parent);
}

bool CFileTreeCtrl::CanDisplayDrive(const QString& path) const
{
    if (m_nHiddenDriveTypes == 0)
        return true;
    const QStorageInfo volume(path);
    const QByteArray type = volume.fileSystemType();
    unsigned kind = 2;
    if (type.startsWith("nfs") || type == "cifs" || type == "smb3" || type.startsWith("fuse.sshfs"))
        kind = 4;
    else if (type == "tmpfs" || type == "ramfs")
        kind = 32;
    else if (type == "iso9660" || type == "udf")
        kind = 16;
    else if (volume.device().startsWith("/dev/sr"))
        kind = 16;
    return (m_nHiddenDriveTypes & kind) == 0;
}

CFileTreeCtrlItem* CFileTreeCtrl::InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                                 bool hasChildren)
{
    auto* item = new CFileTreeCtrlItem(info);
    item->setIcon(0, GetItemIcon(info));
    item->setChildIndicatorPolicy(hasChildren ? QTreeWidgetItem::ShowIndicator
                                              : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    parent->addChild(item);
    // Compressed and encrypted files and folders (never drives) in their colours; a selected row keeps
    // the selection's colours.
    if (info.m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem && !IsDriveItem(item)) {
        if (m_bColourEncrypted && IsEncrypted(info.m_strFilePath))
            item->setForeground(0, m_crEncrypted);
        else if (m_bColourCompressed && IsCompressed(info.m_strFilePath))
            item->setForeground(0, m_crCompressed);
    }
    return item;
}

QIcon CFileTreeCtrl::GetItemIcon(const CFileTreeCtrlItemInfo& info) const
{
    switch (info.m_nItemKind) {
    case CFileTreeCtrlItemInfo::kComputer:
        return IconProvider().icon(QFileIconProvider::Computer);
    case CFileTreeCtrlItemInfo::kNetwork:
        return IconProvider().icon(QFileIconProvider::Network);
    default:
        break;
    }
    if (info.m_bFileItem)
        return IconProvider().icon(QFileIconProvider::File);
    return IconProvider().icon(QFileIconProvider::Folder);
}

void CFileTreeCtrl::GetDisplayName(const QString& path, CFileTreeCtrlItemInfo& info) const
{
    info.m_bExtensionHidden = false;
    if (m_nExtensionMode == 0 && info.m_bFileItem) {
        const QString shortName = QFileInfo(path).completeBaseName();
        if (!shortName.isEmpty() && shortName != info.m_strFileName) {
            info.m_strFileName = shortName;
            info.m_bExtensionHidden = true;
        }
    }
}

bool CFileTreeCtrl::CanDisplayFolder(const QFileInfo& entry) const
{
    return entry.isDir() && !entry.fileName().startsWith(QLatin1Char('.'));
}

bool CFileTreeCtrl::CanDisplayFile(const QFileInfo& entry) const
{
    return m_bShowFiles && !entry.isDir() && !entry.fileName().startsWith(QLatin1Char('.'));
}

namespace {

QStringList NameFilters(const QString& pattern)
{
    // "*.*" means every name here, also those without a dot.
    if (pattern == QLatin1String("*.*"))
        return {QStringLiteral("*")};
    return {pattern};
}

} // namespace

bool CFileTreeCtrl::HasSubEntries(const QString& path) const
{
    const QDir dir(path);
    const QFileInfoList folders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : folders)
        if (CanDisplayFolder(entry))
            return true;
    return !MatchingFiles(path).isEmpty();
}

QFileInfoList CFileTreeCtrl::MatchingFiles(const QString& path) const
{
    QFileInfoList files;
    if (!m_bShowFiles)
        return files;
    const QDir dir(path);
    QSet<QString> seen;
    for (const QString& pattern : m_filePatterns)
        for (const QFileInfo& entry : dir.entryInfoList(NameFilters(pattern), QDir::Files | QDir::System))
            if (!seen.contains(entry.fileName()) && CanDisplayFile(entry)) {
                seen.insert(entry.fileName());
                files.append(entry);
            }
    return files;
}

void CFileTreeCtrl::FillFolder(const QString& path, QTreeWidgetItem* parent, bool deleteChildren)
{
    if (deleteChildren)
        qDeleteAll(parent->takeChildren());
    const QDir dir(path);
    int added = 0;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!CanDisplayFolder(entry))
            continue;
        CFileTreeCtrlItemInfo info;
        info.m_strFilePath = entry.absoluteFilePath();
        info.m_strFileName = entry.fileName();
        InsertFileItem(parent, info, !m_bHasButtons || HasSubEntries(info.m_strFilePath));
        ++added;
    }
    for (const QFileInfo& entry : MatchingFiles(path)) {
        CFileTreeCtrlItemInfo info;
        info.m_strFilePath = entry.absoluteFilePath();
        info.m_strFileName = entry.fileName();
        info.m_bFileItem = true;
        GetDisplayName(info.m_strFilePath, info);
        InsertFileItem(parent, info, false);
        ++added;
    }
    SortChildren(parent);
    if (added == 0 && parent != invisibleRootItem())
        parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void CFileTreeCtrl::RefillFolderKeepingItems(const QString& path, QTreeWidgetItem* parent)
{
    QTreeWidgetItem* current = currentItem();
    QHash<QString, CFileTreeCtrlItem*> byPath;
    QSet<QTreeWidgetItem*> expanded;
    for (int i = 0; i < parent->childCount(); ++i) {
        CFileTreeCtrlItem* child = Item(parent->child(i));
        byPath.insert(child->Info().m_strFilePath, child);
        if (child->isExpanded())
            expanded.insert(child);
    }
    const QSignalBlocker blocker(this);
    QList<QTreeWidgetItem*> old = parent->takeChildren();
    FillFolder(path, parent);
    for (int i = 0; i < parent->childCount(); ++i) {
        CFileTreeCtrlItem* fresh = Item(parent->child(i));
        CFileTreeCtrlItem* same = byPath.take(fresh->Info().m_strFilePath);
        if (!same || same->Info().m_bFileItem != fresh->Info().m_bFileItem)
            continue;
        same->TakeOver(*fresh);
        delete parent->takeChild(i);
        parent->insertChild(i, same);
        old.removeOne(same);
        if (expanded.contains(same))
            same->setExpanded(true);
    }
    // What is left over stood for entries that are gone; a selection inside them moves to the folder.
    for (QTreeWidgetItem* up = current; up; up = up->parent())
        if (old.contains(up)) {
            current = parent == invisibleRootItem() ? nullptr : parent;
            break;
        }
    qDeleteAll(old);
    if (current && currentItem() != current)
        setCurrentItem(current);
}

void CFileTreeCtrl::SortChildren(QTreeWidgetItem* parent)
{
    // Taking the children out forgets their expansion and the selection among them: both come back.
    QTreeWidgetItem* current = currentItem();
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    QList<QTreeWidgetItem*> expanded;
    for (QTreeWidgetItem* child : children)
        if (child->isExpanded())
            expanded.append(child);
    std::stable_sort(children.begin(), children.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return CFileTreeCtrlItem::Before(*Item(a), *Item(b));
    });
    const QSignalBlocker blocker(this);
    parent->addChildren(children);
    for (QTreeWidgetItem* child : expanded)
        child->setExpanded(true);
    if (current && currentItem() != current)
        setCurrentItem(current);
}

void CFileTreeCtrl::OnItemExpanded(QTreeWidgetItem* item)
{
    const CFileTreeCtrlItemInfo& info = Item(item)->Info();
    // Another medium in a drive: what was read from the old one goes.
    if (IsDriveItem(item) && DriveChanged(info.m_strFilePath) && item->childCount() > 0) {
        FillFolder(info.m_strFilePath, item, true);
        return;
    }
    if (item->childCount() > 0)
        return;
    if (info.m_nItemKind == CFileTreeCtrlItemInfo::kComputer)
        InsertDrives(item);
    else if (info.m_nItemKind != CFileTreeCtrlItemInfo::kNetwork)
        FillFolder(info.m_strFilePath, item);
}

void CFileTreeCtrl::OnItemCollapsed(QTreeWidgetItem* item)
{
    QTreeWidgetItem* current = currentItem();
    while (current && current != item)
        current = current->parent();
    if (current == item && currentItem() != item)
        SelectQuietly(item);
    qDeleteAll(item->takeChildren());
    UpdateIndicator(item);
}

void CFileTreeCtrl::UpdateIndicator(QTreeWidgetItem* item)
{
    if (!item || item == invisibleRootItem())
        return;
    const CFileTreeCtrlItemInfo& info = Item(item)->Info();
    bool has = true;
    if (info.m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem)
        has = !info.m_bFileItem &&
              (item->childCount() > 0 || !m_bHasButtons || HasSubEntries(info.m_strFilePath));
    item->setChildIndicatorPolicy(has ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
}

// ---- lookups ----------------------------------------------------------------------------------------

CFileTreeCtrlItem* CFileTreeCtrl::FindChildByName(QTreeWidgetItem* parent, const QString& name) const
{
    if (!parent)
        return nullptr;
    // A name on the disk matches as well as the shown one (which may lack its extension).
    auto matches = [&name](const CFileTreeCtrlItemInfo& info, Qt::CaseSensitivity cs) {
        if (info.m_strFileName.compare(name, cs) == 0)
            return true;
        return info.m_bExtensionHidden && QFileInfo(info.m_strFilePath).fileName().compare(name, cs) == 0;
    };
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (int i = 0; i < parent->childCount(); ++i)
            if (matches(Item(parent->child(i))->Info(), cs))
                return Item(parent->child(i));
    return nullptr;
}

bool CFileTreeCtrl::HasChildWithName(QTreeWidgetItem* parent, const QString& name) const
{
    return FindChildByName(parent, name) != nullptr;
}

CFileTreeCtrlItem* CFileTreeCtrl::StartItemFor(QString& rest)
{
    QTreeWidgetItem* top = invisibleRootItem();
    if (!m_strRootFolder.isEmpty()) {
        // The root folder's item, or another root a derived tree added: the deepest that holds the path.
        CFileTreeCtrlItem* root = nullptr;
        for (int i = 0; i < top->childCount(); ++i) {
            CFileTreeCtrlItem* child = Item(top->child(i));
            const QString folder = child->Info().m_strFilePath;
            if (!folder.isEmpty() && IsInside(rest, folder) &&
                (!root || folder.size() > root->Info().m_strFilePath.size()))
                root = child;
        }
        if (root)
            rest = rest.mid(root->Info().m_strFilePath.size());
        return root;
    }
    if (m_bShowDesktop && top->childCount() > 0 &&
        Item(top->child(0))->Info().m_nItemKind == CFileTreeCtrlItemInfo::kDesktop) {
        if (IsInside(rest, m_strDesktopPath)) {
            rest = rest.mid(m_strDesktopPath.size());
            return Item(top->child(0));
        }
        top = top->child(0);
    }
    const QList<QPair<int, QString>> roots{{CFileTreeCtrlItemInfo::kProfile, m_strProfilePath},
                                           {CFileTreeCtrlItemInfo::kDocuments, m_strDocumentsPath}};
    // The deeper of profile and documents wins (documents usually lie in the profile).
    CFileTreeCtrlItem* best = nullptr;
    int bestLength = -1;
    for (int i = 0; i < top->childCount(); ++i) {
        CFileTreeCtrlItem* child = Item(top->child(i));
        for (const auto& root : roots)
            if (child->Info().m_nItemKind == root.first && IsInside(rest, root.second) &&
                root.second.size() > bestLength) {
                best = child;
                bestLength = int(root.second.size());
            }
    }
    if (best) {
        rest = rest.mid(bestLength);
        return best;
    }
    QTreeWidgetItem* drives = top;
    for (int i = 0; i < top->childCount(); ++i)
        if (Item(top->child(i))->Info().m_nItemKind == CFileTreeCtrlItemInfo::kComputer)
            drives = top->child(i);
    if (drives != top && drives->childCount() == 0)
        InsertDrives(drives);
    CFileTreeCtrlItem* drive = nullptr;
    for (int i = 0; i < drives->childCount(); ++i) {
        CFileTreeCtrlItem* child = Item(drives->child(i));
        const QString root = child->Info().m_strFilePath;
        if (child->Info().m_bFileItem || !IsDriveItem(child) || !IsInside(rest, root))
            continue;
        if (!drive || root.size() > drive->Info().m_strFilePath.size())
            drive = child;
    }
    if (!drive)
        return nullptr;
    rest =
        rest.mid(drive->Info().m_strFilePath == QLatin1String("/") ? 0 : drive->Info().m_strFilePath.size());
    return drive;
}

CFileTreeCtrlItem* CFileTreeCtrl::SelectPath(const QString& path, bool expand)
{
    if (path.isEmpty())
        return nullptr;
    QString rest = WithoutTrailingSlash(path);
    CFileTreeCtrlItem* item = StartItemFor(rest);
    if (!item)
        return nullptr;
    for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (item->childCount() == 0 && item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator)
            item->setExpanded(true);
        if (item->childCount() == 0)
            OnItemExpanded(item);
        item->setExpanded(true);
        item = FindChildByName(item, name);
        if (!item)
            return nullptr;
    }
    setCurrentItem(item);
    if (currentItem() != item)
        return nullptr;
    if (expand)
        item->setExpanded(true);
    scrollToItem(item);
    return item;
}

CFileTreeCtrlItem* CFileTreeCtrl::FindItemByPath(const QString& path)
{
    QString rest = WithoutTrailingSlash(path);
    QTreeWidgetItem* top = invisibleRootItem();
    // Only items that exist: a walk over every item comparing paths, exact first.
    CFileTreeCtrlItem* folded = nullptr;
    QList<QTreeWidgetItem*> stack{top};
    while (!stack.isEmpty()) {
        QTreeWidgetItem* item = stack.takeLast();
        for (int i = 0; i < item->childCount(); ++i) {
            CFileTreeCtrlItem* child = Item(item->child(i));
            if (child->Info().m_strFilePath == rest)
                return child;
            if (!folded && !child->Info().m_strFilePath.isEmpty() &&
                child->Info().m_strFilePath.compare(rest, Qt::CaseInsensitive) == 0)
                folded = child;
            stack.append(child);
        }
    }
    return folded;
}

// ---- selection and history --------------------------------------------------------------------------

void CFileTreeCtrl::SelectQuietly(QTreeWidgetItem* item)
{
    const QSignalBlocker blocker(this);
    setCurrentItem(item);
}

void CFileTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (m_bVetoing)
        return;
    if (current) {
        const CFileTreeCtrlItemInfo& info = Item(current)->Info();
        if (info.m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem && !IsDriveItem(current) &&
            current->parent() != nullptr && !QFileInfo::exists(info.m_strFilePath)) {
            // Gone from the disk: the item goes and the selection stays where it was.
            m_bVetoing = true;
            setCurrentItem(previous);
            QTreeWidgetItem* parent = current->parent();
            delete current;
            UpdateIndicator(parent);
            m_bVetoing = false;
            return;
        }
        // A drive keeps its volume number; an exchanged medium is read again.
        if (IsDriveItem(current) && DriveChanged(info.m_strFilePath) && current->childCount() > 0)
            FillFolder(info.m_strFilePath, current, true);
    }
    if (!m_bNavigating && previous) {
        if (m_backHistory.size() > m_nHistoryLimit)
            m_backHistory.removeFirst();
        m_backHistory.append(GetItemPath(previous));
    }
    OnSelectionChanged(GetItemPath(current));
}

void CFileTreeCtrl::OnSelectionChanged(const QString&) {}

void CFileTreeCtrl::SetHistoryLimit(int n)
{
    m_nHistoryLimit = std::max(0, n);
    while (m_backHistory.size() > m_nHistoryLimit)
        m_backHistory.removeLast();
    while (m_forwardHistory.size() > m_nHistoryLimit)
        m_forwardHistory.removeLast();
}

void CFileTreeCtrl::GoBack()
{
    if (m_backHistory.isEmpty())
        return;
    const QString before = GetSelectedPath();
    const QString target = m_backHistory.takeLast();
    m_bNavigating = true;
    SelectPath(target);
    m_bNavigating = false;
    m_forwardHistory.append(before);
}

void CFileTreeCtrl::GoForward()
{
    if (m_forwardHistory.isEmpty())
        return;
    const QString before = GetSelectedPath();
    const QString target = m_forwardHistory.takeLast();
    m_bNavigating = true;
    SelectPath(target);
    m_bNavigating = false;
    m_backHistory.append(before);
}

void CFileTreeCtrl::GoUp()
{
    QTreeWidgetItem* item = currentItem();
    if (item && item->parent())
        setCurrentItem(item->parent());
}

// ---- watcher ----------------------------------------------------------------------------------------

void CFileTreeCtrl::AddWatchedFolder(const QString& path)
{
    const QString folder = WithoutTrailingSlash(path);
    if (!m_watchedFolders.contains(folder))
        m_watchedFolders.append(folder);
}

void CFileTreeCtrl::StartWatcher()
{
    QStringList paths;
    if (m_watchedFolders.isEmpty()) {
        if (!m_strWatchedPath.isEmpty() && QFileInfo(m_strWatchedPath).isDir())
            paths.append(WithoutTrailingSlash(m_strWatchedPath));
    } else {
        // Watches do not reach into sub-folders, so each one is watched itself.
        for (const QString& folder : m_watchedFolders) {
            if (!QFileInfo(folder).isDir())
                continue;
            paths.append(folder);
            QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                paths.append(it.next());
        }
    }
    const QStringList watched = m_watcher.directories();
    QStringList missing;
    for (const QString& p : paths)
        if (!watched.contains(p))
            missing.append(p);
    if (!missing.isEmpty())
        m_watcher.addPaths(missing); // folders that cannot be watched are left out
    m_bWatching = true;
}

void CFileTreeCtrl::StopWatcher()
{
    const QStringList watched = m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_bWatching = false;
    m_bChangePending = false;
}

void CFileTreeCtrl::RestartWatcher(const QString&) {}

void CFileTreeCtrl::OnDirectoryChanged()
{
    if (!m_bWatching || m_bChangePending)
        return;
    // Notifications that arrive before this one is handled make one rebuild.
    m_bChangePending = true;
    QMetaObject::invokeMethod(this, &CFileTreeCtrl::HandlePendingChange, Qt::QueuedConnection);
}

void CFileTreeCtrl::HandlePendingChange()
{
    if (!m_bChangePending)
        return;
    m_bChangePending = false;
    if (!m_watchedFolders.isEmpty()) {
        // Folders made or renamed since the start get their watches; gone ones lost theirs already.
        StartWatcher();
    }
    OnFolderChanged();
    emit folderRebuilt();
}

void CFileTreeCtrl::OnFolderChanged()
{
    if (!m_bWatchEnabled)
        return;
    if (m_watchedFolders.isEmpty())
        Refresh();
    else
        RebuildKeepingState();
}

void CFileTreeCtrl::RebuildKeepingState()
{
    const QString selected = GetSelectedPath();
    QStringList expanded;
    QList<QTreeWidgetItem*> stack{invisibleRootItem()};
    while (!stack.isEmpty()) {
        QTreeWidgetItem* item = stack.takeFirst();
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            if (child->isExpanded() && !Item(child)->Info().m_strFilePath.isEmpty())
                expanded.append(Item(child)->Info().m_strFilePath);
            stack.append(child);
        }
    }
    const QStringList back = m_backHistory;
    const QStringList forward = m_forwardHistory;
    {
        const QSignalBlocker blocker(this);
        clear();
    }
    InsertRoots();
    m_bNavigating = true;
    for (const QString& path : expanded)
        if (CFileTreeCtrlItem* item = FindItemByPath(path); item || QFileInfo(path).isDir()) {
            if (!item) {
                const QSignalBlocker blocker(this);
                item = SelectPath(path);
            }
            if (item)
                item->setExpanded(true);
        }
    {
        const QSignalBlocker blocker(this);
        setCurrentItem(nullptr);
    }
    if (!selected.isEmpty())
        SelectPath(selected);
    m_bNavigating = false;
    m_backHistory = back;
    m_forwardHistory = forward;
}

// ---- editing ----------------------------------------------------------------------------------------

namespace {

// Stops the watcher for a file operation and starts it again afterwards when it ran.
class WatcherPause
{
public:
    explicit WatcherPause(CFileTreeCtrl& tree) : m_tree(tree), m_bWasRunning(tree.IsWatching())
    {
        m_tree.StopWatcher();
    }
    ~WatcherPause()
    {
        if (m_bWasRunning)
            m_tree.StartWatcher();
    }
    WatcherPause(const WatcherPause&) = delete;
    WatcherPause& operator=(const WatcherPause&) = delete;

private:
    CFileTreeCtrl& m_tree;
    bool m_bWasRunning;
};

} // namespace

int CFileTreeCtrl::Ask(const QString& text, bool yesNo) const
{
    return MessageBoxes().Show(const_cast<CFileTreeCtrl*>(this), QApplication::applicationDisplayName(), text,
                               yesNo ? IMessageBoxService::Icon::Question : IMessageBoxService::Icon::Warning,
                               yesNo ? IMessageBoxService::Buttons::YesNo : IMessageBoxService::Buttons::Ok);
}

int CFileTreeCtrl::RunFileOperation(const QString& source, const QString& target, unsigned operation,
                                    unsigned flags)
{
    return ShellFileOperation(source.toStdString(), target.toStdString(), operation, flags);
}

bool CFileTreeCtrl::WantsPermanentDelete() const
{
    return QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
}

void CFileTreeCtrl::Rename(QTreeWidgetItem* item)
{
    if (!m_bAllowRename || !CanChangeItem(item))
        return;
    m_pEditItem = item;
    m_strEditOldText = item->text(0);
    {
        const QSignalBlocker blocker(this);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    editItem(item, 0);
}

bool CFileTreeCtrl::EndLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    // Asked again: the file may have been taken by a writer while the name was typed.
    if (!item || !CanChangeItem(item))
        return false;
    CFileTreeCtrlItemInfo& info = Item(item)->Info();
    if (text.isEmpty() || text.contains(QLatin1Char('/')) || text == QLatin1String(".") ||
        text == QLatin1String(".."))
        return false;
    const QString oldPath = info.m_strFilePath;
    QString newName = text;
    if (info.m_bExtensionHidden) {
        const QString suffix = QFileInfo(oldPath).suffix();
        if (!suffix.isEmpty())
            newName += QLatin1Char('.') + suffix;
    }
    const QString newPath = JoinPath(QFileInfo(oldPath).absolutePath(), newName);
    if (newPath == oldPath)
        return false;
    // The file layer would replace a file of that name: such a rename is refused.
    if (QFileInfo(newPath).exists() || QFileInfo(newPath).isSymLink()) {
        Ask(TreeText(kRenameExistsText,
                     "A file or folder named \"%1\" already exists here. The name was not changed.")
                .arg(newName),
            false);
        return false;
    }
    int result = 0;
    {
        const WatcherPause pause(*this);
        result = RunFileOperation(oldPath, newPath, FO_RENAME, FOF_ALLOWUNDO);
    }
    if (result != SFO_OK) {
        Ask(TreeText(kOperationFailedText, "\"%1\" could not be changed: %2")
                .arg(oldPath, QString::fromStdString(ShellFileOperationErrorText(result))),
            false);
        return false;
    }
    info.m_strFilePath = newPath;
    info.m_strFileName = text;
    // The items below a renamed folder follow it.
    QList<QTreeWidgetItem*> below;
    for (int i = 0; i < item->childCount(); ++i)
        below.append(item->child(i));
    while (!below.isEmpty()) {
        QTreeWidgetItem* child = below.takeLast();
        CFileTreeCtrlItemInfo& childInfo = Item(child)->Info();
        if (childInfo.m_strFilePath.startsWith(oldPath + QLatin1Char('/')))
            childInfo.m_strFilePath = newPath + childInfo.m_strFilePath.mid(oldPath.size());
        for (int i = 0; i < child->childCount(); ++i)
            below.append(child->child(i));
    }
    {
        const QSignalBlocker blocker(this);
        item->setText(0, text);
        if (!info.m_bExtensionHidden)
            item->setIcon(0, GetItemIcon(info));
    }
    if (item->parent())
        SortChildren(item->parent());
    emit itemRenamed(oldPath, newPath);
    return true;
}

void CFileTreeCtrl::RemoveItem(QTreeWidgetItem* item)
{
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : -1;
    QTreeWidgetItem* next = nullptr;
    if (parent) {
        if (index > 0)
            next = parent->child(index - 1);
        else if (index + 1 < parent->childCount())
            next = parent->child(index + 1);
        else
            next = parent;
    }
    {
        const QSignalBlocker blocker(this);
        if (next)
            setCurrentItem(next);
        delete item;
    }
    if (next == parent)
        UpdateIndicator(parent);
}

bool CFileTreeCtrl::Delete(QTreeWidgetItem* item)
{
    if (!m_bAllowDelete || !CanChangeItem(item))
        return false;
    const QString path = Item(item)->Info().m_strFilePath;
    const bool permanent = WantsPermanentDelete();
    const QString question =
        permanent ? TreeText(kDeleteQuestionText, "Delete \"%1\" permanently? This cannot be undone.")
                  : TreeText(kTrashQuestionText, "Move \"%1\" to the trash?");
    if (!m_bNoDeleteQuestion && Ask(question.arg(path), true) != IMessageBoxService::kYes)
        return false;
    int result = 0;
    {
        const WatcherPause pause(*this);
        result = RunFileOperation(path, QString(), FO_DELETE, permanent ? 0u : unsigned(FOF_ALLOWUNDO));
        if (result == SFO_TRASH_FAILED) {
            // The trash did not take it: nothing is gone yet, and only a yes deletes it for good.
            if (Ask(TreeText(kTrashRefusedText,
                             "\"%1\" cannot be moved to the trash. Delete it permanently instead?")
                        .arg(path),
                    true) != IMessageBoxService::kYes)
                return false;
            result = RunFileOperation(path, QString(), FO_DELETE, 0);
        }
    }
    if (result != SFO_OK) {
        Ask(TreeText(kOperationFailedText, "\"%1\" could not be changed: %2")
                .arg(path, QString::fromStdString(ShellFileOperationErrorText(result))),
            false);
        return false;
    }
    RemoveItem(item);
    return true;
}

QString CFileTreeCtrl::MakeNewFolderName(const QString& parentPath) const
{
    const QString parent = WithoutTrailingSlash(parentPath);
    const QString base = TreeText(kNewFolderText, "New folder");
    QString candidate = JoinPath(parent, base);
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = JoinPath(parent, QStringLiteral("%1 (%2)").arg(base).arg(n));
    return candidate;
}

CFileTreeCtrlItem* CFileTreeCtrl::CreateNewFolder(QTreeWidgetItem* item, const QString& path)
{
    if (!m_bAllowNewFolder || !item || Item(item)->Info().m_nItemKind == CFileTreeCtrlItemInfo::kNetwork)
        return nullptr;
    const QString folder = path.isEmpty() ? MakeNewFolderName(Item(item)->Info().m_strFilePath) : path;
    CFileTreeCtrlItem* created = nullptr;
    {
        const WatcherPause pause(*this);
        if (!QDir().mkdir(folder))
            return nullptr;
        item->setExpanded(true);
        created = FindChildByName(item, QFileInfo(folder).fileName());
        if (!created) {
            CFileTreeCtrlItemInfo info;
            info.m_strFilePath = folder;
            info.m_strFileName = QFileInfo(folder).fileName();
            created = InsertFileItem(item, info, false);
            SortChildren(item);
        }
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    setCurrentItem(created);
    Rename(created);
    return created;
}

bool CFileTreeCtrl::CanChangeItem(QTreeWidgetItem* item) const
{
    return item && item->parent() && Item(item)->Info().m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem &&
           !IsDriveItem(item);
}

bool CFileTreeCtrl::CanDragItem(QTreeWidgetItem* item, bool) const
{
    return CanChangeItem(item);
}

bool CFileTreeCtrl::IsDropTarget(QTreeWidgetItem* item) const
{
    if (!item || Item(item)->Info().m_bFileItem || Item(item)->Info().m_strFilePath.isEmpty() ||
        !IsFolder(Item(item)->Info().m_strFilePath))
        return false;
    if (!m_pDragItem)
        return true;
    if (item == m_pDragItem->parent())
        return false;
    for (const QTreeWidgetItem* up = item; up; up = up->parent())
        if (up == m_pDragItem)
            return false;
    return true;
}

bool CFileTreeCtrl::DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy)
{
    m_pDragItem = dragged;
    const bool accepted = CanDragItem(dragged, copy) && IsDropTarget(target);
    m_pDragItem = nullptr;
    if (!accepted)
        return false;
    const QString source = Item(dragged)->Info().m_strFilePath;
    const QString folder = Item(target)->Info().m_strFilePath;
    const QString name = QFileInfo(source).fileName();
    const QString destination = JoinPath(folder, name);
    // The file layer replaces what is there: only a yes lets it.
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink()) {
        if (Ask(TreeText(kReplaceQuestionText, "\"%1\" already exists in \"%2\". Replace it?")
                    .arg(name, folder),
                true) != IMessageBoxService::kYes)
            return false;
    }
    int result = 0;
    {
        const WatcherPause pause(*this);
        const unsigned flags =
            FOF_SILENT | FOF_NOCONFIRMMKDIR | (WantsPermanentDelete() ? 0u : unsigned(FOF_ALLOWUNDO));
        result = RunFileOperation(source, folder, copy ? FO_COPY : FO_MOVE, flags);
    }
    if (result != SFO_OK) {
        Ask(TreeText(kOperationFailedText, "\"%1\" could not be changed: %2")
                .arg(source, QString::fromStdString(ShellFileOperationErrorText(result))),
            false);
        return false;
    }
    QTreeWidgetItem* oldParent = dragged->parent();
    if (!copy) {
        const QSignalBlocker blocker(this);
        if (currentItem() == dragged)
            setCurrentItem(oldParent);
        delete dragged;
    }
    if (target->childCount() > 0 || target->isExpanded())
        RefillFolderKeepingItems(folder, target);
    else
        target->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (!copy)
        UpdateIndicator(oldParent);
    return true;
}

void CFileTreeCtrl::startDrag(Qt::DropActions supportedActions)
{
    QTreeWidgetItem* item = currentItem();
    // A copy is decided at the drop: here the item must at least leave as one.
    if (!CanDragItem(item, true))
        return;
    QMimeData* payload = mimeData({item});
    if (!payload)
        return;
    m_pDragItem = item;
    auto* drag = new QDrag(this);
    drag->setMimeData(payload);
    drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->setDragCursor(DragCursorPicture(33310), Qt::IgnoreAction);
    drag->setDragCursor(DragCursorPicture(33311), Qt::CopyAction);
    drag->setDragCursor(DragCursorPicture(33312), Qt::MoveAction);
    drag->exec(supportedActions, Qt::MoveAction);
    m_pDragItem = nullptr;
    SetDropHighlight(nullptr);
}

void CFileTreeCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeWidget::dragMoveEvent(event);
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const bool copy = (event->modifiers() & Qt::ControlModifier) != 0;
    if (event->source() != this || !IsDropTarget(target) || !CanDragItem(m_pDragItem, copy)) {
        SetDropHighlight(nullptr);
        event->ignore();
        return;
    }
    SetDropHighlight(target);
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CFileTreeCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    SetDropHighlight(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void CFileTreeCtrl::SetDropHighlight(QTreeWidgetItem* item)
{
    const QModelIndex index = item ? indexFromItem(item) : QModelIndex();
    if (QModelIndex(m_dropHighlight) == index)
        return;
    if (m_dropHighlight.isValid())
        viewport()->update(visualRect(m_dropHighlight));
    m_dropHighlight = QPersistentModelIndex(index);
    if (index.isValid())
        viewport()->update(visualRect(index));
}

QTreeWidgetItem* CFileTreeCtrl::DropHighlight() const
{
    return m_dropHighlight.isValid() ? itemFromIndex(m_dropHighlight) : nullptr;
}

void CFileTreeCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    if (!m_dropHighlight.isValid() || index.siblingAtColumn(0) != QModelIndex(m_dropHighlight)) {
        QTreeWidget::drawRow(painter, option, index);
        return;
    }
    // The drop target is drawn as a selected row, framed.
    QStyleOptionViewItem highlighted(option);
    highlighted.state |= QStyle::State_Selected;
    QTreeWidget::drawRow(painter, highlighted, index);
    QRect frame = visualRect(index).adjusted(0, 0, -1, -1);
    frame.setLeft(0);
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Highlight).darker(150), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame);
    painter->restore();
}

void CFileTreeCtrl::dropEvent(QDropEvent* event)
{
    SetDropHighlight(nullptr);
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    QTreeWidgetItem* dragged = m_pDragItem;
    const bool copy = (event->modifiers() & Qt::ControlModifier) != 0;
    // The tree's rows follow the file system, never the view's own move.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && dragged)
        QMetaObject::invokeMethod(
            this,
            [this, path = GetItemPath(dragged), target, copy] {
                CFileTreeCtrlItem* item = FindItemByPath(path);
                if (item)
                    DropOnto(item, target, copy);
            },
            Qt::QueuedConnection);
}

void CFileTreeCtrl::RegisterTemplateClass()
{
    DialogTemplateLoader::RegisterClass(QStringLiteral("CFileTreeCtrl"),
                                        [](QWidget* parent) { return new CFileTreeCtrl(parent); });
}

void CFileTreeCtrl::UpdateCommand(CCmdUI* cmdUI, unsigned command)
{
    QTreeWidgetItem* item = currentItem();
    if (!item) {
        cmdUI->Enable(false);
        return;
    }
    const CFileTreeCtrlItemInfo& info = Item(item)->Info();
    const bool editable = CanChangeItem(item);
    bool enable = false;
    switch (command) {
    case kCmdProperties:
        enable = m_bAllowProperties && info.m_nItemKind != CFileTreeCtrlItemInfo::kNetwork &&
                 !info.m_strFilePath.isEmpty();
        break;
    case kCmdOpen:
        enable = m_bAllowOpen && info.m_nItemKind != CFileTreeCtrlItemInfo::kNetwork &&
                 !info.m_strFilePath.isEmpty();
        break;
    case kCmdUp:
        enable = item->parent() != nullptr;
        break;
    case kCmdBack:
        enable = CanGoBack();
        break;
    case kCmdForward:
        enable = CanGoForward();
        break;
    case kCmdDelete:
        enable = m_bAllowDelete && editable;
        break;
    case kCmdRename:
        enable = m_bAllowRename && editable;
        break;
    case kCmdNewFolder:
        enable = m_bAllowNewFolder && IsFolder(info.m_strFilePath);
        break;
    default:
        return;
    }
    cmdUI->Enable(enable);
}

bool CFileTreeCtrl::OnCommand(unsigned command)
{
    QTreeWidgetItem* item = currentItem();
    switch (command) {
    case kCmdProperties:
        ShowProperties(item);
        return true;
    case kCmdUp:
        GoUp();
        return true;
    case kCmdBack:
        GoBack();
        return true;
    case kCmdForward:
        GoForward();
        return true;
    case kCmdOpen:
        Open(item);
        return true;
    case kCmdDelete:
        Delete(item);
        return true;
    case kCmdRename:
        Rename(item);
        return true;
    case kCmdNewFolder:
        if (m_bAllowNewFolder && item && IsFolder(GetItemPath(item)))
            CreateNewFolder(item);
        return true;
    default:
        return false;
    }
}

void CFileTreeCtrl::Open(QTreeWidgetItem* item)
{
    if (!m_bAllowOpen || !item || GetItemPath(item).isEmpty())
        return;
    if (m_fileOpener && Item(item)->Info().m_bFileItem) {
        m_fileOpener(item);
        return;
    }
    OpenOnDesktop(this, GetItemPath(item));
}

void CFileTreeCtrl::ShowProperties(QTreeWidgetItem* item)
{
    if (!m_bAllowProperties || !item || GetItemPath(item).isEmpty())
        return;
    // Window-modal and not waited for: the tree's window goes on running.
    auto* dialog = new CDlgFileProperties(GetItemPath(item), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CFileTreeCtrl::UpdateMenu(QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (QMenu* sub = actions[i]->menu()) {
            UpdateMenu(sub);
            continue;
        }
        const int command = MenuResource::CommandOf(actions[i]);
        if (command <= 0)
            continue;
        CCmdUI query;
        query.m_nID = unsigned(command);
        query.m_nIndex = unsigned(i);
        query.m_nIndexMax = unsigned(actions.size());
        query.m_pMenu = menu;
        UpdateCommand(&query, unsigned(command));
    }
}

void CFileTreeCtrl::ShowContextMenu(QTreeWidgetItem* item, const QPoint& point)
{
    if (!item)
        return;
    QString error;
    const std::optional<MenuResource> resource = MenuResource::Load(m_nContextMenuId, &error);
    if (!resource)
        return;
    std::unique_ptr<QMenu> menu(resource->BuildPopup(0, this));
    if (!menu)
        return;
    UpdateMenu(menu.get());
    if (QAction* chosen = ExecMenu(menu.get(), viewport()->mapToGlobal(point)))
        OnCommand(unsigned(MenuResource::CommandOf(chosen)));
}

QAction* CFileTreeCtrl::ExecMenu(QMenu* menu, const QPoint& globalPoint)
{
    return menu->exec(globalPoint);
}

void CFileTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = nullptr;
    QPoint point;
    if (event->reason() == QContextMenuEvent::Mouse) {
        item = itemAt(event->pos());
        point = event->pos();
        if (item)
            setCurrentItem(item);
    } else {
        item = currentItem();
        point = visualItemRect(item).center();
    }
    ShowContextMenu(item, point);
}

void CFileTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->pos());
    if (item && item == currentItem() && item->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator &&
        Item(item)->Info().m_bFileItem) {
        Open(item);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CFileTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* item = currentItem();
    const Qt::KeyboardModifiers mods = event->modifiers();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::AltModifier)
            ShowProperties(item);
        else
            Open(item);
        return;
    case Qt::Key_F10:
        if (mods & Qt::ShiftModifier) {
            ShowContextMenu(item, visualItemRect(item).center());
            return;
        }
        break;
    case Qt::Key_F2:
        Rename(item);
        return;
    case Qt::Key_F5:
        Refresh();
        return;
    case Qt::Key_Delete:
        Delete(item);
        return;
    case Qt::Key_Backspace:
        GoUp();
        return;
    case Qt::Key_Left:
        if (mods & Qt::AltModifier) {
            GoBack();
            return;
        }
        break;
    case Qt::Key_Right:
        if (mods & Qt::AltModifier) {
            GoForward();
            return;
        }
        break;
    default:
        break;
    }
    QTreeWidget::keyPressEvent(event);
}
