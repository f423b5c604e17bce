// The lashing equipment of a vehicle as the load-securing view edits it, without a window: which
// points and rails the plan's load units use, letting go of them, and the vehicle's rails.
#include "loadsecuring/LgSichgZurrpunkte.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <memory>

bool LgSichgZurrpunkte::IstInBenutzung(CFahrzeug& f, CQOR& q, const CZurrpunkt* pPunkt,
                                       const CLadeeinheit* pEinheit, int nMethode)
{
    const auto& liste = f.GetZurrpunktListe();
    const auto gemeint = [&](const CZurrpunkt* p) {
        if (!p)
            return false;
        if (pPunkt)
            return p == pPunkt;
        return std::find(liste.begin(), liste.end(), p) != liste.end();
    };
    for (const CLadeeinheit* le : q.GetLadeeinheiten()) {
        if (pEinheit ? le != pEinheit : le->m_bVorhanden == 0)
            continue;
        const int nV = pEinheit ? nMethode : le->m_Wizard.m_nVerfahren;
        if (nV == 0 || nV == -1)
            for (const auto& t : le->m_ZPPtrTupel)
                if ((!pEinheit ? t->m_nAktiv != 0 : true) && (gemeint(t->m_pZP1) || gemeint(t->m_pZP2)))
                    return true;
        if (nV == 1 || nV == -1)
            for (int i = 0; i < 4; ++i) {
                const CZurrpunkt* p = le->GetZurrpunkt(i, 0);
                if (p && !(p->m_nFlags & CZurrpunkt::kAnSchiene) && gemeint(p->m_pFahrzeugPunkt))
                    return true;
            }
    }
    return false;
}

bool LgSichgZurrpunkte::NutztZurrschiene(CFahrzeug& f, const CLadeeinheit& le)
{
    if (f.m_Zurrschienen.empty())
        return false;
    if (le.m_Wizard.m_nVerfahren == 0) {
        // The simple method lashes over the unit to the rails when its lashings come from them.
        int nQuelle = -1;
        le.GetZurrParameter(&nQuelle, nullptr, nullptr);
        return nQuelle == 1;
    }
    for (int i = 0; i < 4; ++i)
        if (const CZurrpunkt* p = le.GetZurrpunkt(i, 0))
            if (p->GetZurrschiene() && std::find(f.GetZurrschienen().begin(), f.GetZurrschienen().end(),
                                                 p->GetZurrschiene()) != f.GetZurrschienen().end())
                return true;
    return false;
}

void LgSichgZurrpunkte::LoeseVerweise(CFahrzeug& f, CQOR& q, const CZurrpunkt* p)
{
    const auto& liste = f.GetZurrpunktListe();
    const auto gemeint = [&](const CZurrpunkt* z) {
        return z && (p ? z == p : std::find(liste.begin(), liste.end(), z) != liste.end());
    };
    for (CLadeeinheit* le : q.GetLadeeinheiten()) {
        auto& paare = le->m_ZPPtrTupel;
        paare.erase(std::remove_if(paare.begin(), paare.end(),
                                   [&](const auto& t) { return gemeint(t->m_pZP1) || gemeint(t->m_pZP2); }),
                    paare.end());
        for (int i = 0; i < 4; ++i)
            if (CZurrpunkt* z = le->GetZurrpunkt(i, 0); z && gemeint(z->m_pFahrzeugPunkt))
                le->SetZurrpunkt(i, 0, nullptr);
    }
}

bool LgSichgZurrpunkte::SetzeSchienen(CFahrzeug& f, double dAbstand, double dRaster, int nAnzahl)
{
    auto& schienen = f.m_Zurrschienen;
    const auto setze = [&](CZurrschiene* s) {
        s->m_dPosition = dAbstand;
        s->m_dWeitereWerte[2] = dRaster;
        s->m_nReserve = nAnzahl;
    };
    if (!schienen.empty()) {
        setze(schienen.front().get());
        setze(schienen.back().get());
        return false;
    }
    for (int nSeite : {0, 2}) {
        auto s = std::make_unique<CZurrschiene>();
        s->m_nSeite = nSeite;
        setze(s.get());
        schienen.push_back(std::move(s));
    }
    return true;
}

void LgSichgZurrpunkte::LoescheSchienen(CFahrzeug& f, CQOR* q)
{
    for (CZurrpunkt* p : f.GetZurrpunktListe())
        p->SetZurrschiene(nullptr);
    if (q)
        for (CLadeeinheit* le : q->GetLadeeinheiten())
            for (int i = 0; i < 4; ++i)
                if (CZurrpunkt* z = le->GetZurrpunkt(i, 0); z && z->GetZurrschiene())
                    le->SetZurrpunkt(i, 0, nullptr);
    f.m_Zurrschienen.clear();
}
