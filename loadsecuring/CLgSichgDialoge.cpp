// The program's dialogs of the load-securing view.
#include "loadsecuring/CLgSichgDialoge.h"

#include "loadsecuring/CDlgZurrmittel.h"
#include "loadsecuring/CDlgZurrpunkte.h"
#include "loadsecuring/CDlgZurrschiene.h"
#include "loadsecuring/CQORLgSicherungView.h"

bool CLgSichgDialoge::HasEditor(int nCommand) const
{
    return nCommand == 748 || nCommand == 398 || nCommand == 397 || nCommand == 33290 || nCommand == 33295;
}

bool CLgSichgDialoge::EditZurrpunkt(QWidget* pParent, ZurrpunktWerte& werte)
{
    CDlgZurrpunkte dlg(pParent);
    dlg.m_pFahrzeug = werte.pFahrzeug;
    dlg.m_pPunkt = werte.pPunkt;
    dlg.m_bEdit = werte.pPunkt ? 1 : 0;
    // The dialog's mode bits are the point's flags 1, 2 and 4.
    dlg.m_nMode = werte.nFlags & 7;
    dlg.m_dX = werte.dX;
    dlg.m_dY = werte.dY;
    dlg.m_dDritte = werte.dDritte;
    dlg.m_dKraft = werte.dKraft;
    dlg.m_nReihe = werte.pPunkt ? -1 : werte.nReihe;
    if (dlg.exec() != CDlgBase::kIdOk)
        return false;
    werte.nFlags = (werte.nFlags & ~7) | (dlg.m_nMode & 7);
    werte.dX = dlg.m_dX;
    werte.dY = dlg.m_dY;
    werte.dDritte = dlg.m_dDritte;
    werte.dKraft = dlg.m_dKraft;
    werte.nReihe = dlg.m_nReihe;
    werte.bBeideSeiten = dlg.m_bBeide != 0;
    werte.bErsetzen = dlg.m_bErsetzen != 0;
    werte.dAbstand = dlg.m_dAbstand;
    werte.nAnzahl = static_cast<int>(dlg.m_dAnzahl);
    werte.bOhneGrenze = dlg.m_bOhneGrenze != 0;
    return true;
}

int CLgSichgDialoge::EditZurrschiene(QWidget* pParent, ZurrschieneWerte& werte)
{
    CDlgZurrschiene dlg(pParent);
    dlg.m_pFahrzeug = werte.pFahrzeug;
    dlg.m_bEdit = werte.bEdit ? 1 : 0;
    dlg.m_dAbstand = werte.dAbstand;
    dlg.m_dRaster = werte.dRaster;
    dlg.m_nAnzahl = werte.nAnzahl;
    const int r = dlg.exec();
    if (r == CDlgBase::kIdOk) {
        werte.dAbstand = dlg.m_dAbstand;
        werte.dRaster = dlg.m_dRaster;
        werte.nAnzahl = dlg.m_nAnzahl;
    }
    return r == CDlgBase::kIdOk || r == CDlgZurrschiene::kIdLoeschen ? r : CDlgBase::kIdCancel;
}

bool CLgSichgDialoge::EditZurrmittel(QWidget* pParent, CFahrzeug& fahrzeug)
{
    CDlgZurrmittel dlg(pParent);
    dlg.m_pFahrzeug = &fahrzeug;
    dlg.m_pView = dynamic_cast<CQORLgSicherungView*>(pParent);
    dlg.exec();
    return dlg.m_bChanged != 0;
}
