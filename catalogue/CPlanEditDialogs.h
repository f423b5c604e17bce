// The editing dialogs the plan views open, installed as the views' dialog seam.
#pragma once

#include "catalogue/CLastDlg.h"
#include "views/IPlanDialogs.h"

#include <QPointer>

#include <functional>
#include <memory>

class QDialog;

// Runs the forms of the catalogue for the views and keeps the one payload-at-position dialog. How a
// modal form is run can be replaced (tests fill and close the form instead of waiting for a user).
class CPlanEditDialogs : public IPlanDialogs
{
public:
    // Runs a prepared modal form; answers its result code.
    using Ausfuehren = std::function<int(QDialog& dialog)>;

    CPlanEditDialogs();
    ~CPlanEditDialogs() override;
    CPlanEditDialogs(const CPlanEditDialogs&) = delete;
    CPlanEditDialogs& operator=(const CPlanEditDialogs&) = delete;

    void SetAusfuehren(Ausfuehren ausfuehren) { m_ausfuehren = std::move(ausfuehren); }
    int Ausfuehre(QDialog& dialog) const;

    bool EditAddZL(QWidget* pParent, AddZLValues& values) override;
    bool EditBemerkungen(QWidget* pParent, const std::string& caption, std::string& text,
                         bool& changed) override;
    bool EditGewicht(QWidget* pParent, double& dTonnen) override;
    bool EditName(QWidget* pParent, std::string& name) override;
    bool EditUeberstand(QWidget* pParent, double (&dWerte)[4], int& nFlag) override;
    bool EditNutzbareLF(QWidget* pParent, NutzbareLFValues& values, bool bMode1) override;
    bool EditZL(QWidget* pParent, ZLValues& values) override;

    // The loading ramp and the plan view's popups come from another provider when one is given.
    void SetRampen(std::unique_ptr<IPlanDialogs> rampen) { m_pRampen = std::move(rampen); }
    // The ramp and popups set, or null.
    IPlanDialogs* Rampen() const { return m_pRampen.get(); }
    std::unique_ptr<ILoadingRamp> CreateLoadingRamp() override;
    void ShowAddMultiPopup(QWidget* pView, QPoint at) override;
    void ShowAlignPopup(QWidget* pView, QPoint at, double dDistance) override;

    ILastDlg* GetLastDlg() override;
    void ToggleLastDlg(CGetAnsView* pView, double dPositionMm) override;
    CLastDlg* LastDlg() const { return m_pLastDlg; }

private:
    Ausfuehren m_ausfuehren;
    std::unique_ptr<IPlanDialogs> m_pRampen;
    QPointer<CLastDlg> m_pLastDlg;
};
