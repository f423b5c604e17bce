// A tree of the machine's folders and files: roots, lazy filling, history, editing and a folder watcher.
#pragma once

#include "catalogue/CFileTreeCtrlItem.h"

#include <QColor>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

class CCmdUI;
class QMenu;

class CFileTreeCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CFileTreeCtrl(QWidget* parent = nullptr);
    ~CFileTreeCtrl() override;

    // Configuration; a set refresh flag rebuilds the tree.
    void SetRootFolder(const QString& path, bool refresh = false);
    QString RootFolder() const { return m_strRootFolder; }
    // Another folder shown as a root beside the root folder (only while a root folder is set), e.g. a
    // sample folder; `sample` marks it and what lies below it for the program's trees.
    void AddRootFolder(const QString& path, bool sample = false);
    // Forgets the added roots and the sample marks.
    void ClearRootFolders();
    QStringList RootFolders() const { return m_moreRoots; }
    bool IsSampleRoot(const QString& path) const;
    // Shows root folders by their folder name instead of their path.
    bool m_bRootByName = false;
    // The name a root folder is shown by in place of its folder name or path (an empty name: again by
    // those); the folder keeps its name on disk.
    void SetRootName(const QString& path, const QString& name);
    // Entries separated by "," or ";", trimmed, empty ones dropped.
    void SetFilePatterns(const QString& patterns, bool refresh = false);
    void AddFilePattern(const QString& pattern, bool refresh = false);
    QStringList FilePatterns() const { return m_filePatterns; }
    // 0 never shows extensions of files, 1 always; 2 acts as 1.
    void SetExtensionMode(int mode, bool refresh = false);
    void SetShowDesktop(bool show, bool refresh = false);

    // Selects the item of a path, creating the items on the way; null when the path is not in the tree.
    CFileTreeCtrlItem* SelectPath(const QString& path, bool expand = false);
    QString GetSelectedPath() const;
    static CFileTreeCtrlItem* Item(QTreeWidgetItem* item) { return static_cast<CFileTreeCtrlItem*>(item); }

    virtual QString GetItemPath(QTreeWidgetItem* item) const;
    virtual CFileTreeCtrlItem* FindItemByPath(const QString& path);
    virtual bool IsFile(const QString& path) const;
    virtual bool IsFolder(const QString& path) const;
    virtual bool IsDrive(const QString& path) const;
    bool IsDriveItem(QTreeWidgetItem* item) const;
    // The file system's compressed and encrypted attributes (statx); false where it reports neither.
    virtual bool IsCompressed(const QString& path) const;
    virtual bool IsEncrypted(const QString& path) const;
    // No folder sharing exists here.
    virtual bool IsShared(const QString& path) const;

    virtual void Initialise();
    virtual void Refresh();
    virtual void GoUp();
    virtual void GoBack();
    virtual bool CanGoBack() const { return !m_backHistory.isEmpty(); }
    virtual void GoForward();
    virtual bool CanGoForward() const { return !m_forwardHistory.isEmpty(); }
    virtual int GetHistoryLimit() const { return m_nHistoryLimit; }
    // Drops entries of both histories from their newest end until each holds at most n.
    virtual void SetHistoryLimit(int n);
    QStringList BackHistory() const { return m_backHistory; }
    QStringList ForwardHistory() const { return m_forwardHistory; }

    // Folder watcher. The one-folder form watches m_strWatchedPath; when watched folders were added,
    // those and every folder below them are watched instead.
    void SetWatchedPath(const QString& path) { m_strWatchedPath = path; }
    void AddWatchedFolder(const QString& path);
    // Forgets the watched folders (the watcher must be stopped first).
    void ClearWatchedFolders() { m_watchedFolders.clear(); }
    void StartWatcher();
    virtual void StopWatcher();
    virtual void RestartWatcher(const QString& path);
    bool IsWatching() const { return m_bWatching; }
    QStringList WatchedDirectories() const { return m_watcher.directories(); }
    virtual void OnFolderChanged();
    // Rebuilds keeping the expanded folders and the selection.
    void RebuildKeepingState();

    // Editing.
    virtual void Rename(QTreeWidgetItem* item);
    virtual bool Delete(QTreeWidgetItem* item);
    virtual CFileTreeCtrlItem* CreateNewFolder(QTreeWidgetItem* item, const QString& path = QString());
    virtual QString MakeNewFolderName(const QString& parentPath) const;
    // Applies a finished label edit; answers whether the file was renamed.
    virtual bool EndLabelEdit(QTreeWidgetItem* item, const QString& text);

    // Moves (or copies) the dragged item's file into the target folder; a name already there is replaced
    // only after the user's yes. Answers whether the file system changed. A moved item is deleted; every
    // other item the caller holds stays valid (the target's children are read again in place).
    virtual bool DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy);
    // The item shown as the target while something is dragged over the tree; null for none.
    void SetDropHighlight(QTreeWidgetItem* item);
    QTreeWidgetItem* DropHighlight() const;

    // Commands of the tree: 1340 properties, 1341 up, 1342 back, 1343 forward, 33300 open, 33301 delete,
    // 33302 rename, 33304 new folder.
    enum Command : unsigned
    {
        kCmdProperties = 1340,
        kCmdUp = 1341,
        kCmdBack = 1342,
        kCmdForward = 1343,
        kCmdOpen = 33300,
        kCmdDelete = 33301,
        kCmdRename = 33302,
        kCmdNewFolder = 33304,
    };
    static constexpr quint32 kContextMenu = 1344;
    // Answers the update query of a command: enabled or greyed.
    virtual void UpdateCommand(CCmdUI* cmdUI, unsigned command);
    // Runs a command; answers whether the tree knows it.
    virtual bool OnCommand(unsigned command);
    // Opens an item: a folder or file with the desktop's program, a file item through the opener its
    // dialog set, when it set one (the program's own files are opened by the program).
    virtual void Open(QTreeWidgetItem* item);
    void SetFileOpener(std::function<void(QTreeWidgetItem*)> opener) { m_fileOpener = std::move(opener); }
    virtual void ShowProperties(QTreeWidgetItem* item);
    // Enables or greys every command item of a menu (and its sub-menus) through UpdateCommand.
    void UpdateMenu(QMenu* menu);
    // The menu of the tree, updated through UpdateCommand, at a point of the viewport.
    virtual void ShowContextMenu(QTreeWidgetItem* item, const QPoint& point);
    // Makes the class known to dialog templates as "CFileTreeCtrl".
    static void RegisterTemplateClass();

    // Switches the holder sets directly.
    bool m_bShowFiles = true;
    bool m_bShowComputer = true;
    bool m_bShowDesktop = false;
    bool m_bShowDocuments = false;
    bool m_bShowProfile = true;
    bool m_bHasButtons = true;
    bool m_bAllowRename = false;
    bool m_bAllowOpen = true;
    std::function<void(QTreeWidgetItem*)> m_fileOpener;
    bool m_bAllowProperties = true;
    bool m_bAllowDelete = false;
    bool m_bAllowNewFolder = false;
    bool m_bWatchEnabled = true;
    // Drive types to leave out: 1 removable, 2 fixed, 4 remote, 16 CD-ROM, 32 RAM disk.
    unsigned m_nHiddenDriveTypes = 0;
    // Text colours of compressed and encrypted files and folders, each used while its switch is set.
    QColor m_crCompressed{0, 0, 255};
    bool m_bColourCompressed = true;
    QColor m_crEncrypted{255, 0, 0};
    bool m_bColourEncrypted = true;

    // The cursors of a drag: 33310 nothing can be dropped, 33311 a drop copies, 33312 a drop moves;
    // the picture is padded so that its hot spot lies at the centre, where a drag cursor has it.
    static QPixmap DragCursorPicture(int id);

    // A number that changes when another medium or file system is mounted at a drive's place; 0 when
    // it cannot be read.
    virtual quint64 GetVolumeSerial(const QString& path) const;
    // Reads a drive's volume number and keeps it; answers true when a number kept before differs (the
    // medium was exchanged).
    virtual bool DriveChanged(const QString& path);

signals:
    // Once for every rebuild the watcher caused.
    void folderRebuilt();
    // After an item's file or folder was renamed by a label edit.
    void itemRenamed(const QString& oldPath, const QString& newPath);

protected:
    virtual void FillFolder(const QString& path, QTreeWidgetItem* parent, bool deleteChildren = false);
    // Reads the children of `parent` again: an entry still there keeps its item (with its children, its
    // expansion and the selection) and takes the new record; only the items of entries gone are deleted.
    void RefillFolderKeepingItems(const QString& path, QTreeWidgetItem* parent);
    virtual void InsertRoots();
    virtual void InsertDrives(QTreeWidgetItem* parent);
    virtual bool HasSubEntries(const QString& path) const;
    virtual bool HasChildWithName(QTreeWidgetItem* parent, const QString& name) const;
    virtual CFileTreeCtrlItem* FindChildByName(QTreeWidgetItem* parent, const QString& name) const;
    virtual CFileTreeCtrlItem* InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                              bool hasChildren);
    virtual bool CanDisplayFile(const QFileInfo& entry) const;
    virtual bool CanDisplayFolder(const QFileInfo& entry) const;
    virtual bool CanDisplayDrive(const QString& path) const;
    // A folder item that is not the dragged item, its parent or inside it.
    virtual bool IsDropTarget(QTreeWidgetItem* item) const;
    // Whether an item may be renamed or deleted: a file-system item below a root that is not a drive.
    virtual bool CanChangeItem(QTreeWidgetItem* item) const;
    // Whether an item may be dragged away, moved or (with `copy`) copied.
    virtual bool CanDragItem(QTreeWidgetItem* item, bool copy) const;
    virtual void OnSelectionChanged(const QString& path);
    virtual void GetDisplayName(const QString& path, CFileTreeCtrlItemInfo& info) const;
    virtual QIcon GetItemIcon(const CFileTreeCtrlItemInfo& info) const;
    // A question to the user; answers the IMessageBoxService answer.
    virtual int Ask(const QString& text, bool yesNo) const;
    // Runs one file operation (ShellFileOperation); answers its result.
    virtual int RunFileOperation(const QString& source, const QString& target, unsigned operation,
                                 unsigned flags);
    // Whether a delete skips the trash (Shift held).
    virtual bool WantsPermanentDelete() const;

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

    // The files of a folder that match the patterns and CanDisplayFile, each once, in pattern order.
    QFileInfoList MatchingFiles(const QString& path) const;
    // Puts the children into the tree's order, keeping expansion and selection.
    void SortChildren(QTreeWidgetItem* parent);

    // Shows a popup menu at a global point; answers the chosen action or null.
    virtual QAction* ExecMenu(QMenu* menu, const QPoint& globalPoint);

    // Set while a holder's own question replaced the delete question.
    bool m_bNoDeleteQuestion = false;
    // The menu resource of the context menu.
    quint32 m_nContextMenuId = kContextMenu;

private:
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnDirectoryChanged();
    void HandlePendingChange();
    void RemoveItem(QTreeWidgetItem* item);
    void UpdateIndicator(QTreeWidgetItem* item);
    CFileTreeCtrlItem* StartItemFor(QString& rest);
    void SelectQuietly(QTreeWidgetItem* item);

    QString m_strRootFolder;
    QStringList m_moreRoots;
    QHash<QString, QString> m_rootNames;
    QStringList m_sampleRoots;
    QStringList m_filePatterns{QStringLiteral("*.*")};
    int m_nExtensionMode = 2;
    QStringList m_backHistory;
    QStringList m_forwardHistory;
    int m_nHistoryLimit = 20;
    bool m_bNavigating = false;
    bool m_bVetoing = false;
    QString m_strProfilePath;
    QString m_strDocumentsPath;
    QString m_strDesktopPath;

    QString m_strWatchedPath;
    QStringList m_watchedFolders;
    QFileSystemWatcher m_watcher;
    bool m_bWatching = false;
    bool m_bChangePending = false;
    QHash<QString, quint64> m_volumeSerials; // by drive path
    QTreeWidgetItem* m_pEditItem = nullptr;
    QTreeWidgetItem* m_pDragItem = nullptr;
    QPersistentModelIndex m_dropHighlight; // follows the item, invalid once it is gone
    QString m_strEditOldText;
};
