// The load-unit tree: only ".lgs" files, each with the picture of its load-unit kind.
#pragma once

#include "catalogue/CFileTreeCtrlQor.h"

class CFileTreeCtrlLg : public CFileTreeCtrlQor
{
    Q_OBJECT

public:
    explicit CFileTreeCtrlLg(QWidget* parent = nullptr);
    ~CFileTreeCtrlLg() override;

protected:
    CFileTreeCtrlItem* InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                      bool hasChildren) override;
    bool CanDisplayFile(const QFileInfo& entry) const override;
};
