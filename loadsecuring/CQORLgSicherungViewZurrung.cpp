// The load-securing view's editing of the vehicle's lashing equipment: lashing points kept sorted and
// numbered, near points, rows, deleting points with every reference to them, and the lashing rails.
#include "loadsecuring/CQORLgSicherungView.h"

#include "loadsecuring/ISecuringDialogs.h"
#include "loadsecuring/LgSichgZurrpunkte.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/ZurrpunktRegeln.h"

#include <algorithm>
#include <utility>

namespace {

bool HatLadeflaeche(const CFahrzeug* f)
{
    return f && f->GetFahrzeugTyp() != FahrzeugArt::kSattelzugmaschine;
}

} // namespace

void CQORLgSicherungView::InsertZurrpunktSorted(std::unique_ptr<CZurrpunkt> p)
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f) || !p)
        return;
    p->SetBezugsmasse(f->GetLFLaenge(), f->GetLFBreite());
    ::InsertZurrpunktSorted(f->m_Zurrpunkte, std::move(p));
}

void CQORLgSicherungView::LoeseZurrpunktVerweise(const CZurrpunkt* p)
{
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (f && q)
        LgSichgZurrpunkte::LoeseVerweise(*f, *q, p);
}

std::unique_ptr<CZurrpunkt> CQORLgSicherungView::RemoveZurrpunkt(CZurrpunkt* p, bool bLoeschen)
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f) || !p)
        return nullptr;
    std::unique_ptr<CZurrpunkt> pRaus = f->RemoveZurrpunkt(p);
    if (!pRaus)
        return nullptr;
    if (bLoeschen) {
        // No load unit may keep pointing at a deleted point.
        LoeseZurrpunktVerweise(p);
        if (m_pAuswahlPunkt == p)
            m_pAuswahlPunkt = nullptr;
        if (m_hover.pPunkt == p)
            m_hover.pPunkt = nullptr;
        m_regionen.punkte.erase(p);
        pRaus.reset();
    }
    RenumberZurrpunkte(f->m_Zurrpunkte);
    MarkModified(f);
    return pRaus;
}

int CQORLgSicherungView::RemoveNearZurrpunkte(CZurrpunkt& p, const CZurrpunkt* pAusser, bool bEntfernen)
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f))
        return 0;
    p.SetBezugsmasse(f->GetLFLaenge(), f->GetLFBreite());
    const std::vector<CZurrpunkt*> nah = FindNearZurrpunkte(f->m_Zurrpunkte, p, pAusser);
    if (!bEntfernen || nah.empty())
        return static_cast<int>(nah.size());
    // A near point that a secured unit uses is not replaced: the change is refused as an edit would be.
    int nOut = -1;
    for (CZurrpunkt* z : nah)
        if (!QueryAction(LgSichgAktion::kZurrpunktBearbeiten, z, &nOut, nullptr, true, nullptr)) {
            FrageBox(549, 273, {{668, 668}}, false, nullptr, 816);
            return -1;
        }
    for (CZurrpunkt* z : nah) {
        NotifyWizard(LgSichgMeldung::kZurrpunktGeloescht, z);
        RemoveZurrpunkt(z, true);
    }
    return static_cast<int>(nah.size());
}

bool CQORLgSicherungView::SetNeuenZurrpunkt(const ISecuringDialogs::ZurrpunktWerte& w, double dX, int nFlags)
{
    CFahrzeug* f = GetFahrzeug();
    auto p = std::make_unique<CZurrpunkt>(f->GetLFLaenge(), f->GetLFBreite());
    p->m_nFlags = nFlags;
    p->m_dAbstandLaengs = dX;
    p->m_dAbstandQuer = w.dY;
    p->m_dHoehe = w.dDritte;
    p->m_dZulKraft = w.dKraft;
    const int nNah = RemoveNearZurrpunkte(*p, nullptr, false);
    if (nNah > 0 && (!w.bErsetzen || RemoveNearZurrpunkte(*p, nullptr, true) < 0))
        return false;
    InsertZurrpunktSorted(std::move(p));
    return true;
}

void CQORLgSicherungView::WendeZurrpunktAn(ISecuringDialogs::ZurrpunktWerte w)
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f))
        return;
    const double W = f->GetLFBreite();
    KorrigiereVornPunkt(w.nFlags, w.dY, W);
    if (w.pPunkt) {
        CZurrpunkt* p = w.pPunkt;
        CZurrpunkt probe(f->GetLFLaenge(), W);
        probe.m_nFlags = w.nFlags;
        probe.m_dAbstandLaengs = w.dX;
        probe.m_dAbstandQuer = w.dY;
        const int nNah = RemoveNearZurrpunkte(probe, p, false);
        if (nNah == 0 || (w.bErsetzen && RemoveNearZurrpunkte(probe, p, true) >= 0)) {
            p->m_nFlags = w.nFlags;
            p->m_dAbstandLaengs = w.dX;
            p->m_dAbstandQuer = w.dY;
            p->m_dHoehe = w.dDritte;
            p->m_dZulKraft = w.dKraft;
            p->m_bPosGueltig = 0;
            InsertZurrpunktSorted(RemoveZurrpunkt(p, false));
            NotifyWizard(LgSichgMeldung::kZurrpunktVerschoben, p);
        }
    } else {
        const int nAnzahl =
            w.nReihe == 1 ? ZurrpunktReiheAnzahl(f->GetLFLaenge(), w.dX, w.dAbstand, w.nAnzahl, w.bOhneGrenze)
                          : 1;
        for (int i = 0; i < nAnzahl; ++i) {
            const double x = w.dX + i * (w.nReihe == 1 ? w.dAbstand : 0.0);
            SetNeuenZurrpunkt(w, x, w.nFlags);
            if (w.bBeideSeiten)
                SetNeuenZurrpunkt(w, x, w.nFlags ^ CZurrpunkt::kLinks);
        }
        NotifyWizard(LgSichgMeldung::kZurrpunkteHinzugefuegt);
    }
    viewport()->update();
    if (!m_pWizard)
        MarkModified(f);
}

void CQORLgSicherungView::EditZurrpunkte(bool bAuswahl)
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f))
        return;
    ISecuringDialogs::ZurrpunktWerte w;
    w.pFahrzeug = f;
    w.dKraft = StandardZurrkraft(f->m_dZulGesamtgewicht);
    if (bAuswahl && m_pAuswahlPunkt) {
        CZurrpunkt* p = m_pAuswahlPunkt;
        int nOut = -1;
        if (!QueryAction(LgSichgAktion::kZurrpunktBearbeiten, p, &nOut, nullptr, true, nullptr)) {
            FrageBox(549, 273, {{668, 668}}, false, nullptr, 816);
            return;
        }
        w.pPunkt = p;
        w.nFlags = p->m_nFlags;
        w.dX = p->m_dAbstandLaengs;
        w.dY = p->m_dAbstandQuer;
        w.dDritte = p->m_dHoehe;
        w.dKraft = p->m_dZulKraft;
        w.nReihe = -1;
    }
    if (ISecuringDialogs::Of(&GetProgramRun()).EditZurrpunkt(this, w))
        WendeZurrpunktAn(w);
}

void CQORLgSicherungView::NeuerZurrpunktHier()
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f))
        return;
    const double x = PixelsToMetres(m_ptRechts.x() - m_ptUrsprung.x());
    const double y = PixelsToMetres(m_ptRechts.y() - m_ptUrsprung.y());
    const SZurrpunktVorgabe v =
        ZurrpunktVorgabe(x, y, f->GetLFLaenge(), f->GetLFBreite(), f->m_dZulGesamtgewicht);
    ISecuringDialogs::ZurrpunktWerte w;
    w.pFahrzeug = f;
    w.nFlags = v.nFlags;
    w.dX = v.dLaengs;
    w.dY = v.dQuer;
    w.dDritte = v.dDritte;
    w.dKraft = v.dKraft;
    if (ISecuringDialogs::Of(&GetProgramRun()).EditZurrpunkt(this, w))
        WendeZurrpunktAn(w);
}

void CQORLgSicherungView::LoescheAuswahlPunkt()
{
    CZurrpunkt* p = m_pAuswahlPunkt;
    int nOut = -1;
    if (!p || !IstAmFahrzeug(p) ||
        !QueryAction(LgSichgAktion::kZurrpunktLoeschen, p, &nOut, nullptr, true, nullptr))
        return;
    NotifyWizard(LgSichgMeldung::kZurrpunktGeloescht, p);
    RemoveZurrpunkt(p, true);
    m_pAuswahlPunkt = nullptr;
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->RedrawViews();
    viewport()->update();
}

void CQORLgSicherungView::LoescheAllePunkte()
{
    CFahrzeug* f = GetFahrzeug();
    int nOut = -1;
    if (!HatLadeflaeche(f) ||
        !QueryAction(LgSichgAktion::kAlleZurrpunkteLoeschen, std::intptr_t(0), &nOut, nullptr, true, nullptr))
        return;
    // Every unit lets go of the points first, secured or not.
    LoeseZurrpunktVerweise(nullptr);
    f->m_Zurrpunkte.clear();
    m_regionen.punkte.clear();
    m_pAuswahlPunkt = nullptr;
    m_hover.pPunkt = nullptr;
    NotifyWizard(LgSichgMeldung::kAlleZurrpunkteGeloescht);
    MarkModified(f);
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->RedrawViews();
    viewport()->update();
}

void CQORLgSicherungView::EditZurrschienen()
{
    CFahrzeug* f = GetFahrzeug();
    if (!HatLadeflaeche(f))
        return;
    auto& schienen = f->m_Zurrschienen;
    ISecuringDialogs::ZurrschieneWerte w;
    w.pFahrzeug = f;
    int nOut = -1;
    if (!schienen.empty()) {
        if (!QueryAction(LgSichgAktion::kSchienenAendern, std::intptr_t(0), &nOut, nullptr, true, nullptr)) {
            FrageBox(586, 273, {{668, 668}});
            return;
        }
        const CZurrschiene* s = schienen.front().get();
        w.bEdit = true;
        w.dAbstand = s->m_dPosition;
        w.dRaster = s->m_dWeitereWerte[2];
        w.nAnzahl = s->m_nReserve;
    }
    const int r = ISecuringDialogs::Of(&GetProgramRun()).EditZurrschiene(this, w);
    if (r == 668) {
        if (LgSichgZurrpunkte::SetzeSchienen(*f, w.dAbstand, w.dRaster, w.nAnzahl))
            NotifyWizard(LgSichgMeldung::kSchienenHinzugefuegt);
        else
            NotifyWizard(LgSichgMeldung::kSchienenGeaendert, &std::as_const(schienen));
    } else if (r == 755) {
        // The points on the rails and the units let go of them first.
        LgSichgZurrpunkte::LoescheSchienen(*f, GetPlan());
        m_regionen.schienen.clear();
        m_hover.pSchiene = nullptr;
        m_pAuswahlPunkt = nullptr;
        NotifyWizard(LgSichgMeldung::kSchienenGeloescht);
    } else
        return;
    viewport()->update();
    MarkModified(f);
}

void CQORLgSicherungView::EditZurrmittel()
{
    CFahrzeug* f = GetFahrzeug();
    if (HatLadeflaeche(f) && ISecuringDialogs::Of(&GetProgramRun()).EditZurrmittel(this, *f))
        MarkModified(f);
}
