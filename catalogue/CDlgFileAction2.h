// Choosing an existing vehicle or combination file, or naming a new one, in the program's vehicle tree.
#pragma once

#include "catalogue/VehicleFolders.h"
#include "ui/CDlgBase.h"

class CFileTreeCtrlFilter;
class QLabel;
class QLineEdit;
class QTreeWidgetItem;

class CDlgFileAction2 : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 829;
    enum Mode
    {
        kChoose = 1, // choose an existing file
        kNewName = 2 // enter the name of a new file
    };
    // Control ids of the template.
    static constexpr int kIdTree = 1332;
    static constexpr int kIdVehicle = 1189;
    static constexpr int kIdKombination = 1190;
    static constexpr int kIdName = 1000;
    static constexpr int kIdNameLabel = 1001;
    static constexpr int kIdFolder = 1002;
    static constexpr int kIdDelete = 755;
    static constexpr int kIdNewFolder = 1273;

    CDlgFileAction2(int mode, bool kombination, const VehicleFolders& folders, QWidget* parent = nullptr);
    ~CDlgFileAction2() override;

    // Before the dialog runs: the preset name (mode 2) and the folder the tree starts in.
    void SetName(const QString& name) { m_strName = name; }
    void SetStartFolder(const QString& folder) { m_strStart = folder; }

    int Mode() const { return m_nMode; }
    bool IsKombination() const { return m_bKombination; }
    // Mode 1: the chosen file. Mode 2: the new file's folder (ending in "/") and name (no extension).
    QString ChosenFile() const { return m_strChosen; }
    QString TargetFolder() const { return m_strTarget; }
    QString Name() const { return m_strName; }
    // The new file's full path in mode 2.
    QString NewPath() const;

    CFileTreeCtrlFilter* Tree() const { return m_pTree; }
    // Switches between vehicle and combination as the radio group does.
    void SetKombination(bool kombination);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnOK() override;

private:
    void FillTree();
    void SetCaptions();
    void OnSelected(QTreeWidgetItem* item);
    void SetTarget(const QString& path);
    QString BaseFolder() const;
    bool FreeFileSelected() const;
    bool TargetFolderSelected() const;
    void Refuse(quint32 caption, const QString& text);

    int m_nMode;
    bool m_bKombination;
    VehicleFolders m_folders;
    QString m_strName;
    QString m_strStart;
    QString m_strTarget;
    QString m_strChosen;
    CFileTreeCtrlFilter* m_pTree = nullptr;
    QLineEdit* m_pName = nullptr;
    QLabel* m_pNameLabel = nullptr;
    QLabel* m_pFolder = nullptr;
};
