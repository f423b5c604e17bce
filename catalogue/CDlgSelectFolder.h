// Choosing a folder inside one catalogue folder: vehicles, load units or combinations.
#pragma once

#include "catalogue/VehicleFolders.h"
#include "ui/CDlgBase.h"

class CFileTreeCtrl;

class CDlgSelectFolder : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 830;
    static constexpr int kIdTree = 1181;
    static constexpr int kIdNewFolder = 1273;
    enum Mode
    {
        kVehicles = 1,
        kLoadUnits = 2,
        kKombinationen = 4,
    };

    // `okText` and `cancelText` are text numbers for the buttons (0 keeps them), `captionText` the
    // caption's (0 for text 467).
    CDlgSelectFolder(int mode, const VehicleFolders& folders, quint32 okText = 0, quint32 cancelText = 0,
                     quint32 captionText = 0, QWidget* parent = nullptr);
    ~CDlgSelectFolder() override;

    // The chosen folder, without a trailing slash; empty until OK.
    QString Folder() const { return m_strFolder; }
    bool FolderSelected() const { return m_bFolderSelected; }
    // The tree of the mode; null for an unknown mode.
    CFileTreeCtrl* Tree() const { return m_pTree; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnOK() override;

private:
    int m_nMode;
    VehicleFolders m_folders;
    quint32 m_nOkText;
    quint32 m_nCancelText;
    CFileTreeCtrl* m_pTree = nullptr;
    bool m_bFolderSelected = false;
    QString m_strFolder;
};
