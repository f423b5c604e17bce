// A file-tree item: a QTreeWidgetItem holding its CFileTreeCtrlItemInfo record.
#pragma once

#include "catalogue/CFileTreeCtrlItemInfo.h"

#include <QTreeWidgetItem>

class CFileTreeCtrlItem : public QTreeWidgetItem
{
public:
    explicit CFileTreeCtrlItem(const CFileTreeCtrlItemInfo& info);
    ~CFileTreeCtrlItem() override;

    // The record, of the class the tree made it with (see CFileTreeCtrlItemInfo::Clone).
    CFileTreeCtrlItemInfo& Info() { return *m_info; }
    const CFileTreeCtrlItemInfo& Info() const { return *m_info; }

    // Takes the record, texts, icons and flags of `other` (a new item of the same entry); the children
    // stay. `other` is left with this item's former record.
    void TakeOver(CFileTreeCtrlItem& other);

    // The tree's order: roots by kind (profile, documents, computer, network, then the rest), folders
    // before files, then names ignoring case.
    static bool Before(const CFileTreeCtrlItem& a, const CFileTreeCtrlItem& b);

private:
    std::unique_ptr<CFileTreeCtrlItemInfo> m_info;
};
