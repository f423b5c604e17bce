// The loading plan of a vehicle: placed loads, load units and their centre of gravity.
#include "model/plan/CQOR.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/SchwerpunktVersatz.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <algorithm>
#include <iterator>

CQOR::CQOR(CFahrzeug* pOwner, int nNummer, const char* pszName)
    : m_nNummer(nNummer), m_strName(pszName ? pszName : ""), m_pFahrzeug(pOwner)
{
    m_AnzeigeA.dWert1 = 0.4;
    m_AnzeigeA.dWert2 = 0.4;
    InitDefaults();
}

void CQOR::InitDefaults()
{
    m_dSchwerpunkt[0] = m_dSchwerpunkt[1] = m_dSchwerpunkt[2] = -1.0;
    m_dMasse = 0.0;
    m_nReserveFahrzeug = 0;
    m_pAktuell = nullptr;
    m_nAnzahl = 4;
    m_nReserveAnzeige = 0;
    m_nReserveEnde[0] = m_nReserveEnde[1] = 0;
    m_AnzeigeB = SAnzeigeBlock{};
    m_AnzeigeB.dWert1 = 1.2;
    m_AnzeigeB.dWert2 = 0.8;
    m_AnzeigeB.bFlags2[2] = 1;
    m_dAnzeigeB = 0.5;
    m_nAktiveLadeeinheit = 0;
}

CQOR::~CQOR()
{
    if (m_pZiehQuelle)
        m_pZiehQuelle->PlanGeht(this);
    if (m_pFahrzeug && m_pFahrzeug->m_pQor == this)
        m_pFahrzeug->m_pQor = nullptr;
    m_LgInfos.clear();
    m_Ladeeinheiten.clear();
    m_pAktuell = nullptr;
    // The plan view keeps display records of its own for the vehicle it shows: it lets go of them now.
    if (m_pAnzeige) {
        m_pAnzeige->PlanGeht(this);
        if (m_pFahrzeug)
            m_pAnzeige->GibAnzeigeFrei(m_pFahrzeug);
    }
    m_Anzeige.clear();
}

tagLGINFO* CQOR::AddLgInfo(std::unique_ptr<tagLGINFO> pNeu, bool bAktuell)
{
    if (!pNeu)
        return m_pAktuell;
    tagLGINFO* p = pNeu.get();
    tagLGINFO* pVorher = m_pAktuell;
    if (p->IsFsm()) {
        p->m_nNummer = GetMaxFsmNummer() + 1;
    } else {
        int n = 0;
        const int h = GetMaxNummer(p->m_strName.c_str(), &n);
        if (n == 0) {
            p->m_nNummer = 0;
        } else if (n == 1) {
            RenumberLgInfo(p->m_strName.c_str(), 1);
            p->m_nNummer = 2;
        } else {
            p->m_nNummer = h + 1;
        }
    }
    InsertLgInfoNachName(std::move(pNeu));
    if (bAktuell)
        m_pAktuell = p;
    return pVorher;
}

tagLGINFO* CQOR::InsertLgInfoNachName(std::unique_ptr<tagLGINFO> p)
{
    if (!p)
        return nullptr;
    auto itLetzter = m_LgInfos.end();
    for (auto it = m_LgInfos.begin(); it != m_LgInfos.end(); ++it)
        if ((*it)->m_strName == p->m_strName)
            itLetzter = it;
    const auto itNeu =
        m_LgInfos.insert(itLetzter == m_LgInfos.end() ? itLetzter : std::next(itLetzter), std::move(p));
    return itNeu->get();
}

std::unique_ptr<tagLGINFO> CQOR::RemoveLgInfo(const tagLGINFO* p)
{
    m_pAktuell = nullptr;
    const auto it =
        std::find_if(m_LgInfos.begin(), m_LgInfos.end(), [p](const auto& pLg) { return pLg.get() == p; });
    if (!p || it == m_LgInfos.end())
        return nullptr;
    std::unique_ptr<tagLGINFO> pRaus = std::move(*it);
    m_LgInfos.erase(it);
    return pRaus;
}

CLadeeinheit* CQOR::InsertLadeeinheit(std::unique_ptr<CLadeeinheit> p, int nPos)
{
    if (!p)
        return nullptr;
    CLadeeinheit* pEinheit = p.get();
    const int nAnzahl = static_cast<int>(m_Ladeeinheiten.size());
    if (nPos <= 0)
        m_Ladeeinheiten.push_front(std::move(p));
    else if (nPos >= nAnzahl)
        m_Ladeeinheiten.push_back(std::move(p));
    else
        m_Ladeeinheiten.insert(std::next(m_Ladeeinheiten.begin(), nPos), std::move(p));
    return pEinheit;
}

std::unique_ptr<CLadeeinheit> CQOR::RemoveAktiveLadeeinheit(int* pIndex)
{
    if (m_nAktiveLadeeinheit == 0)
        return nullptr;
    int i = 0;
    for (auto it = m_Ladeeinheiten.begin(); it != m_Ladeeinheiten.end(); ++it, ++i) {
        if ((*it)->GetId() == m_nAktiveLadeeinheit) {
            std::unique_ptr<CLadeeinheit> p = std::move(*it);
            m_Ladeeinheiten.erase(it);
            if (pIndex)
                *pIndex = i;
            return p;
        }
    }
    return nullptr;
}

CLadeeinheit* CQOR::GetAktiveLadeeinheit() const
{
    return FindLadeeinheit(m_nAktiveLadeeinheit);
}

CLadeeinheit* CQOR::FindLadeeinheit(int nId) const
{
    if (nId == 0)
        return nullptr;
    for (CLadeeinheit* p : GetLadeeinheiten())
        if (p->GetId() == nId)
            return p;
    return nullptr;
}

int CQOR::GetFreeLadeeinheitId() const
{
    for (int nId = 1; nId <= 63; ++nId)
        if (!FindLadeeinheit(nId))
            return nId;
    return 0;
}

tagLGINFO* CQOR::FindLgInfoByName(const std::string& name, int nNr) const
{
    for (tagLGINFO* p : GetLgInfos())
        if (p->m_strName == name && p->m_nNummer == nNr)
            return p;
    return nullptr;
}

tagLGINFO* CQOR::FindFsmByNummer(int nNr) const
{
    for (tagLGINFO* p : GetLgInfos())
        if (p->IsFsm() && p->m_nNummer == nNr)
            return p;
    return nullptr;
}

int CQOR::GetMaxFsmNummer() const
{
    int nMax = 0;
    for (const tagLGINFO* p : GetLgInfos())
        if (p->IsFsm())
            nMax = std::max(nMax, p->m_nNummer);
    return nMax;
}

int CQOR::GetMaxNummer(const char* pszName, int* pCount) const
{
    const std::string name = pszName ? pszName : "";
    int nAnzahl = 0, nMax = -1;
    for (const tagLGINFO* p : GetLgInfos()) {
        if (p->m_strName != name)
            continue;
        ++nAnzahl;
        nMax = std::max(nMax, p->m_nNummer);
    }
    if (pCount)
        *pCount = nAnzahl;
    return nAnzahl == 0 ? -1 : nMax;
}

void CQOR::RenumberLgInfo(const char* pszName, int nStart)
{
    const std::string name = pszName ? pszName : "";
    int nNr = nStart;
    for (tagLGINFO* p : GetLgInfos()) {
        if (p->m_strName != name)
            continue;
        p->m_nNummer = nNr++;
        if (nStart == 0)
            break;
    }
}

void CQOR::NumberEqualNames(bool bNurZaehlen)
{
    std::map<std::string, int> zaehler;
    for (tagLGINFO* p : GetLgInfos()) {
        const int n = ++zaehler[p->m_strName];
        if (!bNurZaehlen)
            p->m_nNummer = n;
    }
    for (const auto& [name, n] : zaehler)
        if (n == 1)
            RenumberLgInfo(name.c_str(), 0);
}

tagLGINFO* CQOR::GetFirstSelectedLgInfo() const
{
    for (tagLGINFO* p : GetLgInfos())
        if (p->m_bSelected)
            return p;
    return nullptr;
}

namespace {

template <typename Pred> int CountIf(RawPointerRange<CQOR::LgInfoListe> liste, bool bAll, Pred pred)
{
    int n = 0;
    for (const tagLGINFO* p : liste) {
        if (!pred(p))
            continue;
        ++n;
        if (!bAll)
            break;
    }
    return n;
}

} // namespace

int CQOR::CountSelectedLgInfo(bool bAll) const
{
    return CountIf(GetLgInfos(), bAll, [](const tagLGINFO* p) { return p->m_bSelected != 0; });
}

int CQOR::CountSelectedFsm(bool bAll) const
{
    return CountIf(GetLgInfos(), bAll, [](const tagLGINFO* p) { return p->m_bSelected != 0 && p->IsFsm(); });
}

int CQOR::CountFreeLgInfo(bool bAll) const
{
    return CountIf(GetLgInfos(), bAll, [](const tagLGINFO* p) { return p->GetLeId() == 0; });
}

int CQOR::CountMarkedLgInfo() const
{
    return CountIf(GetLgInfos(), true, [](const tagLGINFO* p) { return (p->m_nState & 1) != 0; });
}

bool CQOR::HasSelectedAssignedLgInfo() const
{
    for (const tagLGINFO* p : GetLgInfos())
        if (p->m_bSelected && p->GetLeId() != 0)
            return true;
    return false;
}

void CQOR::ReleaseFsm(int nId)
{
    for (tagLGINFO* p : GetLgInfos())
        if (p->IsFsm() && p->GetLeId() == nId)
            p->m_nState &= ~(0x3F << 1);
}

void CQOR::StoreSelection(bool bClear)
{
    for (tagLGINFO* p : GetLgInfos())
        p->m_bSavedSelected = bClear ? 0 : p->m_bSelected;
}

int CQOR::SelectAllFsm(int nMode)
{
    int n = 0;
    for (tagLGINFO* p : GetLgInfos()) {
        if (!p->IsFsm())
            continue;
        p->m_bSelected = nMode == 1 ? 1 : 0;
        ++n;
    }
    return n;
}

int CQOR::SelectAssignedLgInfo(int nMode, bool bOnlyExisting)
{
    int n = 0;
    for (tagLGINFO* p : GetLgInfos()) {
        const int nId = p->GetLeId();
        if (nId == 0)
            continue;
        if (bOnlyExisting) {
            // A load whose unit is gone is left alone.
            const CLadeeinheit* pEinheit = FindLadeeinheit(nId);
            if (!pEinheit || !pEinheit->m_bVorhanden)
                continue;
        }
        p->m_bSelected = nMode == 1 ? 1 : 0;
        ++n;
    }
    return n;
}

int CQOR::UpdateSchwerpunkt()
{
    return CalcSchwerpunkt(&m_dMasse, &m_dSchwerpunkt[0], &m_dSchwerpunkt[1], &m_dSchwerpunkt[2]);
}

int CQOR::CalcSchwerpunkt(double* pMasse, double* pX, double* pY, double* pZ)
{
    tagLGINFO* pGezogen = m_pZiehQuelle ? m_pZiehQuelle->GetGezogeneLadung() : nullptr;
    double sx = 0.0, sy = 0.0, sz = 0.0, sm = 0.0;
    const auto addiere = [&](const tagLGINFO* p) {
        const double m = p->m_dSPMasse, gh = p->m_dSPHoehe;
        double dx = 0.0, dy = 0.0;
        GetSchwerpunktVersatz(*p, p->m_nDrehung, &dx, &dy);
        sx += m * (p->m_dPosX + dx);
        sy += m * (p->m_dPosY + dy);
        sz += m * gh;
        sm += m;
    };
    bool bGezogenDrin = false;
    for (const tagLGINFO* p : GetLgInfos()) {
        if (p == pGezogen) {
            bGezogenDrin = true;
            continue;
        }
        addiere(p);
    }
    if (bGezogenDrin)
        addiere(pGezogen);

    double x = 0.0, y = 0.0, z = 0.0;
    if (sm != 0.0) {
        x = sx / sm;
        y = sy / sm;
        z = sz / sm;
    }
    if (pMasse)
        *pMasse = sm;
    if (pX)
        *pX = x;
    if (pY)
        *pY = y;
    if (pZ)
        *pZ = z;

    int nFlags = 0;
    if (x != m_dCacheX || y != m_dCacheY) {
        nFlags = 8;
        m_dCacheX = x;
        m_dCacheY = y;
    }
    if (z != m_dCacheZ)
        m_dCacheZ = z;
    if (sm != m_dCacheMasse) {
        m_dCacheMasse = sm;
        return nFlags | 48;
    }
    return (nFlags & 8) ? nFlags | 32 : 0;
}
