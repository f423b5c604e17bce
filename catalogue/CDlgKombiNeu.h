// A new combination: a towing vehicle and a trailer chosen in two vehicle trees, its name and folder.
#pragma once

#include "catalogue/VehicleFolders.h"
#include "ui/CDlgBase.h"

class CFileTreeCtrlFilter;
class QLineEdit;
class QTreeWidgetItem;

class CDlgKombiNeu : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 828;
    static constexpr int kIdZugTree = 1326;
    static constexpr int kIdAnhTree = 1327;
    static constexpr int kIdDrawbar = 1328;
    static constexpr int kIdRigidDrawbar = 1329;
    static constexpr int kIdSemiTrailer = 1330;
    static constexpr int kIdTruck = 1333;
    static constexpr int kIdTractor = 1334;
    static constexpr int kIdZugName = 1321;
    static constexpr int kIdAnhName = 1322;
    static constexpr int kIdName = 1323;
    static constexpr int kIdFolder = 1324;
    static constexpr int kIdInteger = 1325;
    static constexpr int kIdChooseFolder = 1273;
    // The coupling distance the integer field proposes (mm); OK refuses 0.
    static constexpr int kKupplungVorschlagMm = 1000;

    CDlgKombiNeu(const VehicleFolders& folders, QWidget* parent = nullptr);
    ~CDlgKombiNeu() override;

    CFileTreeCtrlFilter* ZugTree() const { return m_pZugTree; }
    CFileTreeCtrlFilter* AnhTree() const { return m_pAnhTree; }
    // What the user chose, valid after OK.
    QString ZugPath() const { return m_strZugPath; }
    QString AnhaengerPath() const { return m_strAnhPath; }
    QString NewPath() const { return m_strNewPath; }
    int Integer() const { return m_nInteger; }
    QString TargetFolder() const { return m_strTarget; }
    QString DefaultTarget() const;
    bool IsReady() const { return m_bReady; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnOK() override;
    // Asks for a folder in the combinations (CDlgSelectFolder); false on cancel.
    virtual bool ChooseFolder(QString& folder);

private:
    void ConfigureTree(CFileTreeCtrlFilter* tree);
    // Ticks and enables the trailer kinds that the chosen kind of towing vehicle can tow.
    void AnhaengerArtenSetzen();
    void FillZugTree();
    // Refills the trailer tree for the towing vehicle's kind and the check boxes; the selected trailer
    // stays selected while it is still listed when `keepSelection` is set.
    void FillAnhTree(bool keepSelection = true);
    void OnZugSelected(QTreeWidgetItem* item);
    void OnAnhSelected(QTreeWidgetItem* item);
    void ProposeName();
    void SetTarget(const QString& folder);
    bool Checked(int id) const;
    QLineEdit* Field(int id) const;

    VehicleFolders m_folders;
    CFileTreeCtrlFilter* m_pZugTree = nullptr;
    CFileTreeCtrlFilter* m_pAnhTree = nullptr;
    int m_nZugArt = -1; // kind of the chosen towing vehicle, -1 for none
    QString m_strZugPath;
    QString m_strAnhPath;
    QString m_strNewPath;
    QString m_strTarget;
    int m_nInteger = 0;
    bool m_bReady = false;
};
