// A file-tree item: a QTreeWidgetItem holding its CFileTreeCtrlItemInfo record.
#include "catalogue/CFileTreeCtrlItem.h"

namespace {

int KindRank(int kind)
{
    switch (kind) {
    case CFileTreeCtrlItemInfo::kProfile:
        return 0;
    case CFileTreeCtrlItemInfo::kDocuments:
        return 1;
    case CFileTreeCtrlItemInfo::kComputer:
        return 2;
    case CFileTreeCtrlItemInfo::kNetwork:
        return 3;
    case CFileTreeCtrlItemInfo::kFileSystem:
        return 4;
    default:
        return -1;
    }
}

} // namespace

CFileTreeCtrlItem::CFileTreeCtrlItem(const CFileTreeCtrlItemInfo& info) : m_info(info.Clone())
{
    setText(0, info.m_strFileName);
}

CFileTreeCtrlItem::~CFileTreeCtrlItem() = default;

void CFileTreeCtrlItem::TakeOver(CFileTreeCtrlItem& other)
{
    QTreeWidgetItem::operator=(other);
    m_info.swap(other.m_info);
}

bool CFileTreeCtrlItem::Before(const CFileTreeCtrlItem& a, const CFileTreeCtrlItem& b)
{
    const int rankA = KindRank(a.m_info->m_nItemKind);
    const int rankB = KindRank(b.m_info->m_nItemKind);
    if (rankA != rankB)
        return rankA < rankB;
    if (a.m_info->m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem &&
        a.m_info->m_bFileItem != b.m_info->m_bFileItem)
        return !a.m_info->m_bFileItem;
    return a.m_info->m_strFileName.compare(b.m_info->m_strFileName, Qt::CaseInsensitive) < 0;
}
