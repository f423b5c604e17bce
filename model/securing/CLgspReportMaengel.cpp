// The defect finder of the load-securing report: what the figures of a load unit ask of the lashing
// points, the lashing rails and the lashing device, and where that is more than they carry.
#include "model/securing/CLgspReport.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/ZurrAbstand.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {

// A daN figure as the thousandths int of a defect slot, truncated; kept inside the int's range.
int Tausendstel(double dDaN)
{
    const double v = dDaN * 1000.0;
    if (!std::isfinite(v))
        return v < 0.0 ? INT_MIN : INT_MAX;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

const CZurrschiene* ErsteSchiene(const CFahrzeug* v)
{
    if (!v || v->m_Zurrschienen.empty())
        return nullptr;
    return v->GetZurrschienen().front();
}

} // namespace

void CLgspReport::FindMaengel()
{
    if (!m_pEinheit || !m_pWerte || m_pWerte->m_pEinheit != m_pEinheit)
        return;
    // The calculation's own defect says why figures are missing; it belongs to the same run.
    std::erase_if(m_pEinheit->m_Maengel,
                  [](const auto& p) { return !p || p->m_nCode != kMangelNichtBewertbar; });
    if (m_pWerte->m_nVerfahren == 0)
        FindMaengelEinfach(*m_pWerte);
    else
        FindMaengelDetail(*m_pWerte);
}

void CLgspReport::FindMaengelEinfach(const SLgspWerte& w)
{
    CLadeeinheit& u = *m_pEinheit;
    int nQuelle = 0, nSpannkraft = 0, nPaare = 0;
    const int n = u.GetZurrParameter(&nQuelle, &nSpannkraft, &nPaare);

    if (nQuelle == 1) {
        // A vehicle without rails has nothing to check the lashings against.
        const CZurrschiene* pSchiene = ErsteSchiene(m_pFahrzeug);
        if (!pSchiene || n <= 0)
            return;
        int nLast = 0;
        const bool bUeber = CalcZurrAbstand(&u, pSchiene->m_nZulKraft, n, nSpannkraft, 0.0, &nLast, nullptr);
        if (bUeber) {
            auto* p = new CLgsMangel(3, 1, &u);
            p->SetPaar(0, pSchiene->m_nZulKraft, 0);
            p->SetPaar(1, n, 0);
            p->SetPaar(2, nSpannkraft, 0);
            p->SetPaar(3, nLast, 0);
            u.AddMangel(p, true);
        }
        return;
    }

    if (n > nPaare) {
        auto* p = new CLgsMangel(4, 1, &u);
        p->SetPaar(0, nPaare, 0);
        p->SetPaar(1, n, 0);
        u.AddMangel(p, true);
    }
    const double dSTF = w.m_fSTF / 10.0;
    auto pMangel = std::make_unique<CLgsMangel>(2, 1, &u);
    bool bMangel = false;
    for (const auto& t : u.m_ZPPtrTupel) {
        if (!t)
            continue;
        const CZurrpunkt* zp[2] = {t->m_pZP1, t->m_pZP2};
        for (int i = 0; i < 2; ++i) {
            if (zp[i] && zp[i]->m_dZulKraft < dSTF && zp[i]->m_nNummer >= 0 && zp[i]->m_nNummer <= 63) {
                SetMaskenBit(pMangel->GetWertPtr(i), zp[i]->m_nNummer);
                bMangel = true;
            }
        }
    }
    if (bMangel)
        u.AddMangel(pMangel.release(), true);
}

void CLgspReport::FindMaengelDetail(const SLgspWerte& w)
{
    CLadeeinheit& u = *m_pEinheit;
    const double dLC = w.m_fLC / 10.0;
    double R[4];
    for (int i = 0; i < 4; ++i)
        R[i] = w.m_Zusammenfassung[i].m_fLcMax / 10.0;

    auto pGeraet = std::make_unique<CLgsMangel>(6, 1, &u);
    bool bGeraet = false;
    for (int i = 0; i < 4; ++i) {
        if (R[i] > dLC) {
            pGeraet->SetPaar(i, Tausendstel(dLC), Tausendstel(R[i]));
            bGeraet = true;
        }
    }
    if (bGeraet)
        u.AddMangel(pGeraet.release(), true);

    if (w.m_nQuerQuelle == 0) {
        auto pPunkt = std::make_unique<CLgsMangel>(1, 1, &u);
        bool bPunkt = false;
        for (int i = 0; i < 4; ++i) {
            const CZurrpunkt* p = u.GetZurrpunkt(i, 0);
            if (p && p->m_dZulKraft < R[i]) {
                pPunkt->SetPaar(i, Tausendstel(p->m_dZulKraft), Tausendstel(R[i]));
                bPunkt = true;
            }
        }
        if (bPunkt)
            u.AddMangel(pPunkt.release(), true);
        return;
    }

    // Rail: per side the first two corners lashed to it; near each other their loads add up.
    const CZurrschiene* pSchiene = ErsteSchiene(m_pFahrzeug);
    if (!pSchiene)
        return;
    const double P = pSchiene->m_nZulKraft;
    bool bSeite[2] = {false, false};
    for (int nSeite = 0; nSeite < 2; ++nSeite) {
        int nGefunden = 0;
        double x[2] = {-1.0, -1.0}, F[2] = {0.0, 0.0};
        for (int i = 0; i < 4 && nGefunden < 2; ++i) {
            CZurrpunkt* p = u.GetZurrpunkt(i, 0);
            if (!p || ((p->m_nFlags & CZurrpunkt::kLinks) != 0) != (nSeite == 1))
                continue;
            x[nGefunden] = p->GetPosX();
            F[nGefunden] = R[i];
            ++nGefunden;
        }
        if (nGefunden == 0)
            continue;
        bSeite[nSeite] = F[0] > P || F[1] > P || (std::fabs(x[0] - x[1]) <= 1.0 && F[0] + F[1] > P);
    }
    if (bSeite[0] || bSeite[1]) {
        auto* p = new CLgsMangel(8, 1, &u);
        p->SetPaar(0, bSeite[0] ? 1 : 0, 0);
        p->SetPaar(1, bSeite[1] ? 1 : 0, 0);
        p->SetDouble(2, P);
        u.AddMangel(p, true);
    }
}
