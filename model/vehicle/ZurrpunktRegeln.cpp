// Rules of a vehicle's lashing-point list and its lashing rails.
#include "model/vehicle/ZurrpunktRegeln.h"

#include "model/vehicle/CZurrpunkt.h"

#include <cmath>

namespace {

bool Vorn(const CZurrpunkt* p)
{
    return (p->m_nFlags & CZurrpunkt::kVorn) != 0;
}

bool Links(const CZurrpunkt* p)
{
    return (p->m_nFlags & CZurrpunkt::kLinks) != 0;
}

// p goes before q.
bool Vor(CZurrpunkt* p, CZurrpunkt* q)
{
    if (Vorn(p) && !Vorn(q))
        return true;
    if (Vorn(p) && Vorn(q) && q->GetMittenAbstand() > p->GetMittenAbstand())
        return true;
    if (!Links(p) && Links(q))
        return true;
    if (Links(p) != Links(q))
        return false;
    const double dx = q->GetPosX() - p->GetPosX();
    if (dx > 0.005)
        return true;
    return std::abs(dx) <= 0.005 && q->m_dAbstandQuer > p->m_dAbstandQuer;
}

} // namespace

CZurrpunkt* InsertZurrpunktSorted(std::list<std::unique_ptr<CZurrpunkt>>& liste,
                                  std::unique_ptr<CZurrpunkt> p)
{
    if (!p)
        return nullptr;
    auto it = liste.begin();
    while (it != liste.end() && !Vor(p.get(), it->get()))
        ++it;
    CZurrpunkt* pNeu = liste.insert(it, std::move(p))->get();
    RenumberZurrpunkte(liste);
    return pNeu;
}

void RenumberZurrpunkte(const std::list<std::unique_ptr<CZurrpunkt>>& liste)
{
    int nNummer[4] = {0, 0, 0, 0};
    for (const auto& p : liste)
        p->m_nNummer = ++nNummer[(Vorn(p.get()) ? 2 : 0) + (Links(p.get()) ? 1 : 0)];
}

std::vector<CZurrpunkt*> FindNearZurrpunkte(const std::list<std::unique_ptr<CZurrpunkt>>& liste,
                                            CZurrpunkt& p, const CZurrpunkt* pAusser)
{
    std::vector<CZurrpunkt*> nah;
    for (const auto& pEintrag : liste) {
        CZurrpunkt* q = pEintrag.get();
        if (q != pAusser && q != &p &&
            std::hypot(q->GetPosX() - p.GetPosX(), q->GetPosY() - p.GetPosY()) < kZurrpunktNah)
            nah.push_back(q);
    }
    return nah;
}

int ZurrpunktReiheAnzahl(double dLaenge, double dErste, double dAbstand, int nMax, bool bOhneGrenze)
{
    if (!(dAbstand > 0.0) || !(dErste <= dLaenge))
        return 0;
    const double n = std::floor((dLaenge - dErste) / dAbstand + 0.01) + 1.0;
    const double dGrenze = std::floor(dLaenge * 100.0) + 1.0;
    int nAnzahl = static_cast<int>(std::min(n, dGrenze));
    if (!bOhneGrenze && nMax < nAnzahl)
        nAnzahl = std::max(0, nMax);
    return nAnzahl;
}

double StandardZurrkraft(double dMasse)
{
    if (dMasse > 12.0)
        return 2000.0;
    if (dMasse > 7.5)
        return 1000.0;
    if (dMasse > 3.5)
        return 800.0;
    return 400.0;
}

SZurrpunktVorgabe ZurrpunktVorgabe(double x, double y, double dLaenge, double dBreite, double dMasse)
{
    SZurrpunktVorgabe v;
    if (y <= dBreite * 0.5)
        v.dQuer = y;
    else {
        v.nFlags |= CZurrpunkt::kLinks;
        v.dQuer = dBreite - y;
    }
    if (x <= dLaenge - kZurrpunktNah) {
        v.nFlags |= CZurrpunkt::kVonVorn;
        v.dLaengs = x;
    } else
        v.dLaengs = dLaenge - x;
    v.dDritte = dMasse > 3.5 && x < kZurrpunktNah ? 1.0 : 0.0;
    v.dKraft = x < kZurrpunktNah ? 1000.0 : StandardZurrkraft(dMasse);
    return v;
}

void KorrigiereVornPunkt(int& nFlags, double& dQuer, double dBreite)
{
    if ((nFlags & CZurrpunkt::kVorn) && dQuer > dBreite * 0.5) {
        nFlags ^= CZurrpunkt::kLinks;
        dQuer = dBreite - dQuer;
    }
}

bool EqualsWithin5mm(double a, double b)
{
    return b - 0.005 < a && a < b + 0.005;
}
