// The vehicle tree: vehicle and combination files with a picture for each kind and a mark for files in
// use; the sample folders are protected.
#pragma once

#include "catalogue/CFileTreeCtrl.h"
#include "catalogue/CFileTreeCtrlItemInfoMM.h"

class CFileTreeCtrlMM : public CFileTreeCtrl
{
    Q_OBJECT

public:
    static constexpr quint32 kVehicleMenu = 549;

    explicit CFileTreeCtrlMM(QWidget* parent = nullptr);
    ~CFileTreeCtrlMM() override;

    static CFileTreeCtrlItemInfoMM* InfoOf(QTreeWidgetItem* item);
    bool IsSampleItem(QTreeWidgetItem* item) const;
    // Whether another writer holds the file (it cannot be opened keeping others out).
    static bool IsFileInUse(const QString& path);

    CFileTreeCtrlItem* CreateNewFolder(QTreeWidgetItem* item, const QString& path = QString()) override;
    bool CanChangeItem(QTreeWidgetItem* item) const override;
    bool CanDragItem(QTreeWidgetItem* item, bool copy) const override;
    bool IsDropTarget(QTreeWidgetItem* item) const override;

protected:
    void FillFolder(const QString& path, QTreeWidgetItem* parent, bool deleteChildren = false) override;
    CFileTreeCtrlItem* InsertFileItem(QTreeWidgetItem* parent, const CFileTreeCtrlItemInfo& info,
                                      bool hasChildren) override;
    QIcon GetItemIcon(const CFileTreeCtrlItemInfo& info) const override;
    void OnSelectionChanged(const QString& path) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Reads a vehicle file for the tree: its kind and further vehicles, whether it is in use (never
    // written while it is) and its picture. False for a file that cannot be read.
    bool ReadVehicleFile(const QString& path, CFileTreeCtrlItemInfoMM& record) const;
    // Whether a read file is listed; may mark it in use and change its picture.
    virtual bool AcceptFile(CFileTreeCtrlItemInfoMM& record) const;
    // The picture of a vehicle file from its kind, combination and in-use mark.
    static int IconFor(const CFileTreeCtrlItemInfoMM& record);
};
