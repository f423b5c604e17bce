// The program's dialogs of the load-securing view.
#include "loadsecuring/CLgSichgDialoge.h"

#include "loadsecuring/CDlgZurrschiene.h"

bool CLgSichgDialoge::HasEditor(int nCommand) const
{
    return nCommand == 748;
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
