// The vehicle's lashing equipment: used devices, finding and pairing lashing points, re-attaching the
// load units of the plan after loading, whether a point is in use, and the chart's mesh.
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sFSParam.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZurrpunktToleranz = 0.005;

bool Innerhalb(double a, double b, double tol)
{
    return a >= b - tol && b + tol >= a;
}

} // namespace

int CFahrzeug::AddZurrmittel(const CZurrmittel& device, bool bMitName)
{
    for (CZurrmittel* p : GetZurrmittelBenutzt()) {
        if (p->m_nTyp != device.m_nTyp)
            continue;
        if (bMitName && p->m_strName != device.m_strName)
            continue;
        if (std::fabs(p->m_dVorspannkraft - device.m_dVorspannkraft) > 0.05 ||
            std::fabs(p->m_dZurrkraft - device.m_dZurrkraft) > 0.05)
            continue;
        if (!bMitName && !device.m_strName.empty())
            p->m_strName = device.m_strName;
        if (p->m_nAnzahl <= 0)
            return 0;
        if (device.m_nAnzahl == 0) {
            p->m_nAnzahl = 0;
            return 0;
        }
        p->m_nAnzahl += device.m_nAnzahl;
        return p->m_nAnzahl;
    }
    auto neu = std::make_unique<CZurrmittel>();
    neu->m_nTyp = device.m_nTyp;
    neu->m_nTypZusatz = device.m_nTypZusatz;
    neu->m_strName = device.m_strName;
    neu->m_dVorspannkraft = device.m_dVorspannkraft;
    neu->m_dZurrkraft = device.m_dZurrkraft;
    neu->m_dWert3 = device.m_dWert3;
    neu->m_nAnzahl = device.m_nAnzahl;
    m_ZurrmittelBenutzt.push_back(std::move(neu));
    return -device.m_nAnzahl;
}

std::unique_ptr<CZurrpunkt> CFahrzeug::RemoveZurrpunkt(const CZurrpunkt* p)
{
    const auto it = std::find_if(m_Zurrpunkte.begin(), m_Zurrpunkte.end(),
                                 [p](const auto& pPunkt) { return pPunkt.get() == p; });
    if (!p || it == m_Zurrpunkte.end())
        return nullptr;
    std::unique_ptr<CZurrpunkt> pRaus = std::move(*it);
    m_Zurrpunkte.erase(it);
    return pRaus;
}

CZurrpunkt* CFahrzeug::FindZurrpunkt(const CZurrpunkt& point, double tol) const
{
    for (CZurrpunkt* p : GetZurrpunktListe())
        if (p->m_nFlags == point.m_nFlags && Innerhalb(p->m_dAbstandLaengs, point.m_dAbstandLaengs, tol) &&
            Innerhalb(p->m_dAbstandQuer, point.m_dAbstandQuer, tol) &&
            Innerhalb(p->m_dHoehe, point.m_dHoehe, tol))
            return p;
    return nullptr;
}

double CFahrzeug::GetZurrpunktX(CZurrpunkt* p) const
{
    const double dBreite = GetLFBreite();
    if (p->m_dBezugsLaenge != m_dLFLaenge || p->m_dBezugsBreite != dBreite)
        p->SetBezugsmasse(m_dLFLaenge, dBreite);
    return p->GetPosX();
}

int CFahrzeug::CollectZurrpunktPaare(double x0, double x1, std::vector<std::unique_ptr<sZPPtrTupel>>& list)
{
    // The points of one side come first in the list; the first point of the other side (bit 1) ends the
    // walk, and each point of the first side is paired with the first point of the other side across.
    int nNeu = 0;
    bool bVorher = false;
    double dVorherX = 0.0;
    for (CZurrpunkt* p : GetZurrpunktListe()) {
        if (p->m_nFlags & CZurrpunkt::kVorn)
            continue;
        const double x = GetZurrpunktX(p);
        if (x < x0 || x > x1)
            continue;
        if (p->m_nFlags & CZurrpunkt::kLinks)
            break;
        if (bVorher && std::fabs(x - dVorherX) <= kZurrpunktToleranz)
            continue;
        for (CZurrpunkt* q : GetZurrpunktListe()) {
            if ((q->m_nFlags & CZurrpunkt::kLinks) && std::fabs(GetZurrpunktX(q) - x) <= kZurrpunktToleranz) {
                list.push_back(std::make_unique<sZPPtrTupel>(p, q, 0));
                ++nNeu;
                break;
            }
        }
        bVorher = true;
        dVorherX = x;
    }
    return nNeu;
}

double CFahrzeug::GetMinSeitenabstand(double x0, double x1, bool bLinks, int* pCount)
{
    double dBest = -1000.0;
    int n = 0;
    for (CZurrpunkt* p : GetZurrpunktListe()) {
        if (((p->m_nFlags & CZurrpunkt::kLinks) != 0) != bLinks)
            continue;
        const double x = GetZurrpunktX(p);
        if (x < x0 || x > x1)
            continue;
        ++n;
        if (std::fabs(dBest) > p->m_dAbstandQuer)
            dBest = p->m_dAbstandQuer;
    }
    if (pCount)
        *pCount = n;
    return dBest;
}

double CFahrzeug::GetSchienenPosition() const
{
    return m_Zurrschienen.empty() ? -1.0 : GetZurrschienen().front()->m_dPosition;
}

void CFahrzeug::RelinkZurrpunkte()
{
    if (!m_pQor || m_pQor->GetLadeeinheiten().empty())
        return;
    const double dLaenge = m_dLFLaenge, dBreite = GetLFBreite();

    // Every pair is looked up before any copy is deleted: a point that the file shared between pairs
    // must still be there when the later pair is looked up.
    struct Treffer
    {
        sZPPtrTupel* pPaar;
        CZurrpunkt* p1;
        CZurrpunkt* p2;
    };
    std::vector<Treffer> treffer;
    for (CLadeeinheit* le : m_pQor->GetLadeeinheiten()) {
        le->RebuildLgMap(m_pQor);
        le->CalcAbmessungen();
        for (auto& t : le->m_ZPPtrTupel) {
            for (CZurrpunkt* p : {t->m_pZP1, t->m_pZP2})
                if (p)
                    p->SetBezugsmasse(dLaenge, dBreite);
            if (t->m_nBesitz != 0)
                continue;
            CZurrpunkt* f1 = t->m_pZP1 ? FindZurrpunkt(*t->m_pZP1, kZurrpunktToleranz) : nullptr;
            CZurrpunkt* f2 = t->m_pZP2 ? FindZurrpunkt(*t->m_pZP2, kZurrpunktToleranz) : nullptr;
            treffer.push_back({t.get(), f1, f2});
        }
    }
    for (const Treffer& t : treffer) {
        if (t.p1 && t.p2)
            t.pPaar->SetzeFremdePunkte(t.p1, t.p2);
        else
            t.pPaar->LoeschePunkte(); // a pair that cannot be re-attached keeps no points
        t.pPaar->m_nEigen = 0;
    }

    for (CLadeeinheit* le : m_pQor->GetLadeeinheiten()) {
        for (int i = 0; i < 4; ++i) {
            CZurrpunkt* p = le->GetZurrpunkt(i, 0);
            if (!p)
                continue;
            p->SetBezugsmasse(dLaenge, dBreite);
            if (p->m_nFlags & CZurrpunkt::kAnSchiene) {
                if (m_Zurrschienen.empty())
                    continue;
                CZurrschiene* pErste = GetZurrschienen().front();
                CZurrschiene* pLetzte = GetZurrschienen().back();
                // The point's position across the load area (its lateral distance measured from the
                // edge its side flag names) against the rails' lateral distances.
                const double y = p->GetPosY();
                if (std::fabs(y - pErste->GetSeitenAbstand(dBreite)) <= kZurrpunktToleranz)
                    p->SetZurrschiene(pErste);
                else if (std::fabs(y - pLetzte->GetSeitenAbstand(dBreite)) <= kZurrpunktToleranz)
                    p->SetZurrschiene(pLetzte);
                continue;
            }
            CZurrpunkt* f = FindZurrpunkt(*p, kZurrpunktToleranz);
            p->m_pFahrzeugPunkt = f;
            p->m_dFahrzeugPunktKraft = f ? f->GetSchienenDaN() : 0.0;
        }
        for (sFSParam& fs : le->m_Wizard.m_FS) {
            if (fs.m_nArt != sFSParam::kFsmItem)
                continue;
            if (tagLGINFO* lg = m_pQor->FindFsmByNummer(fs.m_nNummer))
                fs.SetLg(lg);
        }
    }
}

int CFahrzeug::IsZurrpunktBelegt(const CZurrpunkt* pPunkt, const CLadeeinheit* pEinheit, bool bMitVerfahren,
                                 int nVerfahren) const
{
    if (GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine || !m_pQor)
        return 0;
    const auto istGemeint = [&](const CZurrpunkt* p) {
        if (!p)
            return false;
        if (pPunkt)
            return p == pPunkt;
        for (const CZurrpunkt* q : GetZurrpunktListe())
            if (q == p)
                return true;
        return false;
    };
    for (const CLadeeinheit* le : m_pQor->GetLadeeinheiten()) {
        if (pEinheit && le != pEinheit)
            continue;
        const bool bGesichert = le->m_nSichgFlag != 0;
        if (bMitVerfahren != bGesichert)
            continue;
        const int nV = bMitVerfahren ? le->m_Wizard.m_nVerfahren : nVerfahren;
        if (nV == 0 || nV == -1)
            for (const auto& t : le->m_ZPPtrTupel)
                if (t->m_nAktiv && (istGemeint(t->m_pZP1) || istGemeint(t->m_pZP2)))
                    return 1;
        if (nV == 1 || nV == -1)
            for (int i = 0; i < 4; ++i) {
                const CZurrpunkt* p = le->GetZurrpunkt(i, 0);
                if (p && !(p->m_nFlags & CZurrpunkt::kAnSchiene) && istGemeint(p->m_pFahrzeugPunkt))
                    return 1;
            }
    }
    return 0;
}

int CFahrzeug::UpdateDiagramm(IDiagrammNetz* pNetz)
{
    if (m_bDiagrammVeraltet == 0)
        return 0;
    if (GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine && IsDokZugfahrzeug()) {
        m_bDiagrammVeraltet = 0;
        return 0;
    }
    if (pNetz)
        pNetz->BaueNetz(*this);
    m_bDiagrammNetz = 1;
    m_bDiagrammVeraltet = 0;
    return 1;
}
