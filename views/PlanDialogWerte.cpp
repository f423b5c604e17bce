// The values the plan view's dialogs edit, read from and written back to the vehicle, its plan and its loads.
#include "views/PlanDialogWerte.h"

#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/FsmAnlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <cmath>
#include <memory>
#include <vector>

IPlanDialogs::FsmValues PlanDialogWerte::FsmWerte(tagLGINFO& lg, const CFahrzeug* f, CQOR* q)
{
    IPlanDialogs::FsmValues werte;
    werte.nTyp = lg.m_nTyp;
    werte.strName = lg.m_strName;
    werte.dLaenge = lg.m_dLaenge;
    werte.dBreite = lg.m_dBreite;
    werte.dHoehe = lg.m_dHoehe;
    werte.dMasse = lg.m_dMasse;
    werte.strText = lg.m_strZusatzText;
    lg.GetBildDatei(werte.strBild);
    werte.nSeite = lg.GetFsmSeite();
    werte.nKontakt = lg.GetFuellmittel();
    werte.nZellen = lg.m_nZusatzInt;
    // Where the element lies gives the side, contact kind and cells the dialog offers beside the item's.
    if (f) {
        int nArt = 0;
        const int nSeite = GetFsmAnlage(*f, q, lg, &nArt);
        werte.nKatSeite = nSeite;
        werte.nKatKontakt = nArt;
        if (nArt == 1) {
            int nAnzahl = 0, nBelegt = 0;
            GetFsmRaster(*f, lg, nSeite, &nAnzahl, &nBelegt);
            werte.nKatZellen = nBelegt;
            if (lg.m_nTyp == 5)
                werte.dHoehe = static_cast<double>(nSeite == 3 ? 1.2f : 0.85f);
        }
    }
    return werte;
}

void PlanDialogWerte::UebernimmFsm(tagLGINFO& lg, const IPlanDialogs::FsmValues& werte)
{
    lg.m_strName = werte.strName;
    lg.m_dHoehe = werte.dHoehe;
    lg.m_dMasse = werte.dMasse;
    lg.m_dSPMasse = werte.dMasse;
    // The tool tip and the reports show the first text, the file keeps the second: both change.
    lg.m_strText = werte.strText;
    lg.m_strZusatzText = werte.strText;
    lg.m_nZusatzInt = werte.nZellen;
    if (werte.nSeite >= 0)
        lg.m_nState = (lg.m_nState & ~(7 << 9)) | ((werte.nSeite & 7) << 9);
    lg.m_nState = (lg.m_nState & ~(7 << 12)) | ((werte.nKontakt & 7) << 12);
}

IPlanDialogs::NutzbareLFValues PlanDialogWerte::NutzbareLF(const CFahrzeug& f)
{
    const SNutzbareLF& alt = f.m_NutzLF[1];
    IPlanDialogs::NutzbareLFValues werte;
    for (int i = 0; i < 4; ++i) {
        werte.dLaengen[i] = alt.m_dRand[i];
        werte.fWerte[i] = alt.m_fWert[i];
        werte.nWerte[i] = alt.m_nRaster[i];
    }
    return werte;
}

bool PlanDialogWerte::UebernimmNutzbareLF(CFahrzeug& f, const IPlanDialogs::NutzbareLFValues& werte)
{
    const SNutzbareLF& alt = f.m_NutzLF[1];
    bool bAnders = false;
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(werte.dLaengen[i]) || werte.dLaengen[i] < 0.0)
            return false; // a border the dialog should not have let through changes nothing
        bAnders = bAnders || werte.dLaengen[i] != alt.m_dRand[i];
    }
    if (!bAnders)
        return false;
    SNutzbareLF neu;
    for (int i = 0; i < 4; ++i) {
        neu.m_dRand[i] = werte.dLaengen[i];
        neu.m_fWert[i] = werte.fWerte[i];
        neu.m_nRaster[i] = werte.nWerte[i];
    }
    f.SetLFRaender(neu);
    return true;
}

bool PlanDialogWerte::UebernimmUeberstand(CFahrzeug& f, CQOR* q, const double (&werte)[4], int nFlag)
{
    for (double d : werte)
        if (!std::isfinite(d) || d < 0.0)
            return false; // an overhang the dialog should not have let through changes nothing
    // Overhangs 1 to 4 (front, rear, side B, side A) free the borders 1, 3, 4 and 2.
    const double dAltB = f.m_NutzLF[0].m_dRand[3];
    f.SetUeberstaende(werte, nFlag != 0);
    // Loads counted from side B keep their place when that border moves.
    const double dDelta = dAltB - f.m_NutzLF[0].m_dRand[3];
    if (q && dDelta != 0.0 && CPlanAnzeige(*q).GetRasterSeite() != 0)
        for (tagLGINFO* p : q->GetLgInfos())
            p->m_dPosY += dDelta;
    return true;
}

void PlanDialogWerte::BenenneUm(CQOR& q, tagLGINFO* pErste, tagLGINFO* pAktuell, const std::string& name)
{
    int nAnzahl = 0;
    const int nMax = q.GetMaxNummer(name.c_str(), &nAnzahl);
    int nNr = 1;
    if (nAnzahl == 1) {
        q.RenumberLgInfo(name.c_str(), 1);
        nNr = 2;
    } else if (nAnzahl > 1) {
        nNr = nMax + 1;
    }
    // Each renamed load goes behind the last one of its new name.
    const auto neu = [&](tagLGINFO* p) {
        std::unique_ptr<tagLGINFO> pLg = q.RemoveLgInfo(p);
        if (!pLg)
            return;
        pLg->m_strName = name;
        pLg->m_nNummer = nNr++;
        q.InsertLgInfoNachName(std::move(pLg));
    };
    if (!pErste) {
        if (pAktuell->m_strName != name)
            neu(pAktuell);
    } else {
        std::vector<tagLGINFO*> auswahl;
        for (tagLGINFO* p : q.GetLgInfos())
            if (p->m_bSelected && p->m_strName != name)
                auswahl.push_back(p);
        for (tagLGINFO* p : auswahl)
            neu(p);
    }
}
