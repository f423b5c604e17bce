// The editing dialogs the plan views open: each form filled from the view's values and read back on OK.
#include "catalogue/CPlanEditDialogs.h"

#include "catalogue/CDlgAddZLs.h"
#include "catalogue/CDlgBemerkungenFhzg.h"
#include "catalogue/CDlgEditGewicht.h"
#include "catalogue/CDlgLgRename.h"
#include "catalogue/CDlgLgUeberstand.h"
#include "catalogue/CDlgNutzbareLF.h"
#include "catalogue/CDlgZL.h"
#include "catalogue/CLastDlg.h"
#include "model/document/CQOR1Doc.h"
#include "views/CGetAnsView.h"

namespace {

// The vehicle active in the view's document, for the forms that depend on it.
const CFahrzeug* AktivFahrzeug(QWidget* pParent)
{
    auto* view = dynamic_cast<CGetAnsView*>(pParent);
    CQOR1Doc* doc = view ? view->GetDocument() : nullptr;
    return doc ? doc->GetAktivFahrzeug(false) : nullptr;
}

} // namespace

CPlanEditDialogs::CPlanEditDialogs() = default;

CPlanEditDialogs::~CPlanEditDialogs()
{
    delete m_pLastDlg.data();
}

int CPlanEditDialogs::Ausfuehre(QDialog& dialog) const
{
    return m_ausfuehren ? m_ausfuehren(dialog) : dialog.exec();
}

bool CPlanEditDialogs::EditAddZL(QWidget* pParent, AddZLValues& values)
{
    CDlgAddZLs dlg(pParent);
    dlg.m_nWahl1 = values.nFlag1;
    dlg.m_nWahl2 = values.nFlag2;
    dlg.Vorbereiten(true);
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    values.nFlag1 = dlg.m_nWahl1;
    values.nFlag2 = dlg.m_nWahl2;
    return true;
}

bool CPlanEditDialogs::EditBemerkungen(QWidget* pParent, const std::string& caption, std::string& text,
                                       bool& changed)
{
    CDlgBemerkungenFhzg dlg(QString::fromStdString(caption), QString::fromStdString(text), pParent);
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    changed = dlg.m_bGeaendert;
    text = dlg.Text().toStdString();
    return true;
}

bool CPlanEditDialogs::EditGewicht(QWidget* pParent, double& dTonnen)
{
    CDlgEditGewicht dlg(pParent);
    dlg.m_dMasse = dTonnen;
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    dTonnen = dlg.m_dMasse;
    return true;
}

bool CPlanEditDialogs::EditName(QWidget* pParent, std::string& name)
{
    CDlgLgRename dlg(pParent);
    dlg.m_strName = QString::fromStdString(name);
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    name = dlg.m_strName.toStdString();
    return true;
}

bool CPlanEditDialogs::EditUeberstand(QWidget* pParent, double (&dWerte)[4], int& nFlag)
{
    CDlgLgUeberstand dlg(pParent);
    for (std::size_t i = 0; i < 4; ++i)
        dlg.m_dWerte[i] = dWerte[i];
    dlg.m_bNullWarnung = nFlag != 0;
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    bool bUeberstand = false;
    for (std::size_t i = 0; i < 4; ++i) {
        dWerte[i] = dlg.m_dWerte[i];
        bUeberstand = bUeberstand || dWerte[i] != 0.0;
    }
    nFlag = bUeberstand ? 1 : 0;
    return true;
}

bool CPlanEditDialogs::EditNutzbareLF(QWidget* pParent, NutzbareLFValues& values, bool bMode1)
{
    CDlgNutzbareLF dlg(pParent);
    for (std::size_t i = 0; i < 4; ++i) {
        dlg.m_Werte.dLaengen[i] = values.dLaengen[i];
        dlg.m_Werte.nRaster[i] = values.nWerte[i];
        dlg.m_Werte.fWerte[i] = values.fWerte[i];
    }
    dlg.m_bErsteGesperrt = bMode1;
    dlg.m_pAktivFahrzeug = AktivFahrzeug(pParent);
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        values.dLaengen[i] = dlg.m_Werte.dLaengen[i];
        values.nWerte[i] = dlg.m_Werte.nRaster[i];
        values.fWerte[i] = dlg.m_Werte.fWerte[i];
    }
    return true;
}

bool CPlanEditDialogs::EditZL(QWidget* pParent, ZLValues& values)
{
    CDlgZL dlg(pParent);
    dlg.m_nArt = values.nArt;
    if (Ausfuehre(dlg) != QDialog::Accepted)
        return false;
    values.nArt = dlg.m_nArt;
    values.strName = dlg.m_strName.toStdString();
    // The item's length and width, then the distance that places kinds 1 and 5 on the vehicle; the
    // height, used by kind 0 only, is the item's further value.
    values.dLaengen[0] = dlg.m_dGroesse1;
    values.dLaengen[1] = dlg.m_dGroesse2;
    values.dLaengen[2] = dlg.m_dAbstand;
    values.dMasse = dlg.m_dMasse;
    values.nWert = dlg.m_bMitHoehe ? 1 : 0;
    values.dHoehe = dlg.m_dHoehe;
    return true;
}

std::unique_ptr<ILoadingRamp> CPlanEditDialogs::CreateLoadingRamp()
{
    return m_pRampen ? m_pRampen->CreateLoadingRamp() : IPlanDialogs::CreateLoadingRamp();
}

void CPlanEditDialogs::ShowAddMultiPopup(QWidget* pView, QPoint at)
{
    if (m_pRampen)
        m_pRampen->ShowAddMultiPopup(pView, at);
}

void CPlanEditDialogs::ShowAlignPopup(QWidget* pView, QPoint at, double dDistance)
{
    if (m_pRampen)
        m_pRampen->ShowAlignPopup(pView, at, dDistance);
}

ILastDlg* CPlanEditDialogs::GetLastDlg()
{
    return m_pLastDlg.data();
}

void CPlanEditDialogs::ToggleLastDlg(CGetAnsView* pView, double dPositionMm)
{
    if (m_pLastDlg) {
        delete m_pLastDlg.data();
        return;
    }
    if (!pView)
        return;
    m_pLastDlg = new CLastDlg(pView);
    m_pLastDlg->SetPosition(dPositionMm);
    m_pLastDlg->UpdateFromPosition(false);
    m_pLastDlg->ZeigeOhneAktivierung();
}
