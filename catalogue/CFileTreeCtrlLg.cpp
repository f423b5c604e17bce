// The load-unit tree: only ".lgs" files, each with the picture of its load-unit kind.
#include "catalogue/CFileTreeCtrlLg.h"

#include "catalogue/CatalogueImages.h"
#include "model/files/VehicleFiles.h"

CFileTreeCtrlLg::CFileTreeCtrlLg(QWidget* parent) : CFileTreeCtrlQor(parent) {}

CFileTreeCtrlLg::~CFileTreeCtrlLg() = default;

bool CFileTreeCtrlLg::CanDisplayFile(const QFileInfo& entry) const
{
    return CFileTreeCtrlQor::CanDisplayFile(entry) &&
           entry.suffix().compare(QLatin1String("lgs"), Qt::CaseInsensitive) == 0;
}

CFileTreeCtrlItem* CFileTreeCtrlLg::InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                                   bool hasChildren)
{
    CFileTreeCtrlItemInfoQor record;
    if (const auto* own = dynamic_cast<const CFileTreeCtrlItemInfoQor*>(&info)) {
        record = *own;
    } else {
        static_cast<CFileTreeCtrlItemInfo&>(record) = info;
        record.m_bSample =
            parent == invisibleRootItem() ? IsSampleRoot(info.m_strFilePath) : IsSampleItem(parent);
    }
    const int first = CatalogueImages::First();
    if (record.m_nItemKind == CFileTreeCtrlItemInfo::kFileSystem && record.m_nIcon < 0) {
        if (!record.m_bFileItem) {
            record.m_nIcon =
                first + (record.m_bSample ? CatalogueImages::kSampleFolder : CatalogueImages::kFolder);
        } else {
            // An unreadable file keeps the system's icon.
            const int kind = ReadFileItemDataKind(record.m_strFilePath.toStdString());
            const int index = first + CatalogueImages::kLoadUnit + kind;
            if (kind >= 0 && index < first + CatalogueImages::kCount)
                record.m_nIcon = index;
        }
    }
    return CFileTreeCtrlQor::InsertFileItem(parent, record, hasChildren);
}
