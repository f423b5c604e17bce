// The catalogue tree: asks its holder for vetoes and menus, tells it of changes, marks sample items.
#pragma once

#include "catalogue/CFileTreeCtrl.h"
#include "catalogue/CFileTreeCtrlItemInfoQor.h"

class IFileTreeHolder;

class CFileTreeCtrlQor : public CFileTreeCtrl
{
    Q_OBJECT

public:
    // The command a double click on a file gives the holder.
    static constexpr unsigned kCmdFileDoubleClicked = 33287;

    explicit CFileTreeCtrlQor(QWidget* parent = nullptr);
    ~CFileTreeCtrlQor() override;

    // The holder asked and told; not owned. Without one the tree acts for a holder that does not care.
    void SetHolder(IFileTreeHolder* holder) { m_pHolder = holder; }
    IFileTreeHolder* Holder() const { return m_pHolder; }

    // The record of an item; null for none.
    static CFileTreeCtrlItemInfoQor* InfoOf(QTreeWidgetItem* item);
    bool IsSampleItem(QTreeWidgetItem* item) const;

    // Rebuilds keeping the open folders; tells the holder unless `quiet`, and selects the item selected
    // before unless `keepSelection` is false.
    void RefreshCatalogue(bool quiet = false, bool keepSelection = true);

    void RestartWatcher(const QString& path) override;
    void OnFolderChanged() override;
    bool Delete(QTreeWidgetItem* item) override;
    bool EndLabelEdit(QTreeWidgetItem* item, const QString& text) override;
    bool DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy) override;
    bool OnCommand(unsigned command) override;
    void ShowContextMenu(QTreeWidgetItem* item, const QPoint& point) override;

protected:
    CFileTreeCtrlItem* InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                      bool hasChildren) override;
    QIcon GetItemIcon(const CFileTreeCtrlItemInfo& info) const override;
    void OnSelectionChanged(const QString& path) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void TellChanged();

private:
    IFileTreeHolder* m_pHolder = nullptr;
    bool m_bQuietRefresh = false;
};
