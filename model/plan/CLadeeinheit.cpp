// Load units: members, box, attachment points, lashing-point pairs, defects and the archive layout.
#include "model/plan/CLadeeinheit.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/archive/EmbeddedRecord.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CQOR.h"
#include "model/plan/SchwerpunktVersatz.h"
#include "model/plan/sLg.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <algorithm>
#include <cmath>

QOR_IMPLEMENT_SERIAL(CLadeeinheit, 3, true)

namespace {

bool EckeGueltig(int n)
{
    return n >= 0 && n <= 3;
}

} // namespace

CLadeeinheit::CLadeeinheit()
{
    for (int i = 0; i < 4; ++i)
        m_Anschlagpunkte[i] = std::make_unique<CAnschlagpunkt>(i);
}

CLadeeinheit::CLadeeinheit(int nId) : CLadeeinheit()
{
    m_nId = nId;
}

CLadeeinheit::~CLadeeinheit()
{
    ClearZPPtrTupel();
}

void CLadeeinheit::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nId);
    ar.WriteInt(m_bVorhanden);
    SerializeEmbeddedStore(ar, m_Wizard);
    ar.WriteObjectList(m_Lgs);
    ar.WriteObjectList(m_ZPPtrTupel);
    ar.WriteCount(m_Anschlagpunkte.size());
    for (const auto& p : m_Anschlagpunkte)
        ar.WriteObject(p.get());
    for (int v : m_nZurrParam)
        ar.WriteInt(v);
    ar.WriteObjectList(m_Maengel);
}

void CLadeeinheit::Read(ArchiveReader& ar, unsigned schema)
{
    if (schema == 0)
        return;
    m_nId = ar.ReadInt();
    m_bVorhanden = ar.ReadInt();
    SerializeEmbedded(ar, m_Wizard);
    m_Lgs.clear();
    ar.ReadObjectList(m_Lgs);
    ClearZPPtrTupel();
    ar.ReadObjectList(m_ZPPtrTupel);
    for (auto& p : m_ZPPtrTupel)
        p->m_nEigen = 1;
    std::vector<std::unique_ptr<CAnschlagpunkt>> ecken;
    const std::size_t at = ar.Position();
    ar.ReadObjectList(ecken);
    if (ecken.size() != m_Anschlagpunkte.size())
        ar.Fail(ArchiveError::Kind::Corrupt, at, "a load unit needs exactly four attachment points");
    for (std::size_t i = 0; i < ecken.size(); ++i)
        m_Anschlagpunkte[i] = std::move(ecken[i]);
    if (schema >= 2)
        for (int& v : m_nZurrParam)
            v = ar.ReadInt();
    if (schema >= 3) {
        m_Maengel.clear();
        ar.ReadObjectList(m_Maengel);
        for (auto& p : m_Maengel)
            p->m_pEinheit = this;
    }
    m_mapLg.clear();
    m_nMapGueltig = 0;
}

void CLadeeinheit::AddLadung(const char* pszName, int nNr, tagLGINFO* p)
{
    const std::string key = p ? FormatLgKey(p->m_strName, p->m_nNummer) : FormatLgKey(pszName, nNr);
    if (m_mapLg.count(key))
        return;
    m_mapLg[key] = p;
    m_Lgs.push_back(std::make_unique<sLg>(pszName, nNr));
}

void CLadeeinheit::AddMangel(CLgsMangel* p, bool bReplace)
{
    std::unique_ptr<CLgsMangel> neu(p);
    auto it = std::find_if(m_Maengel.begin(), m_Maengel.end(),
                           [&](const auto& m) { return m->m_nCode == neu->m_nCode; });
    if (it != m_Maengel.end()) {
        if (!bReplace)
            return;
        m_Maengel.erase(it);
    }
    neu->m_pEinheit = this;
    m_Maengel.push_back(std::move(neu));
}

void CLadeeinheit::SetLgFlagBits(int nId)
{
    for (auto& [key, p] : m_mapLg)
        if (p)
            p->SetLeId(nId);
}

void CLadeeinheit::CalcAbmessungen()
{
    m_dMinY = m_dMinX = m_dMaxXEnde = m_dMaxYEnde = m_dMasse = m_dHoehe = 0.0;
    bool bErste = true;
    for (const auto& [key, p] : m_mapLg) {
        if (!p)
            continue;
        const double x = p->m_dPosX, y = p->m_dPosY, xe = p->GetEndX(), ye = p->GetEndY();
        const double top = p->m_dPosZ + p->m_dHoehe;
        if (bErste) {
            m_dMinX = x;
            m_dMaxXEnde = xe;
            m_dMinY = y;
            m_dMaxYEnde = ye;
            m_dMasse = p->m_dSPMasse;
            m_dHoehe = top;
            bErste = false;
            continue;
        }
        m_dMinX = std::min(m_dMinX, x);
        m_dMinY = std::min(m_dMinY, y);
        m_dMaxXEnde = std::max(m_dMaxXEnde, xe);
        m_dMaxYEnde = std::max(m_dMaxYEnde, ye);
        m_dHoehe = std::max(m_dHoehe, top);
        m_dMasse += p->m_dSPMasse;
    }
}

void CLadeeinheit::ClearZPPtrTupel()
{
    m_ZPPtrTupel.clear(); // each pair deletes the points it owns
}

bool CLadeeinheit::GetFirstZurrpunkt(CZurrpunkt** ppOut, int* pCorner, int* pSub)
{
    m_nIterator = 0;
    if (ppOut)
        *ppOut = GetZurrpunkt(0, 0);
    if (pCorner)
        *pCorner = 0;
    if (pSub)
        *pSub = 0;
    return true;
}

bool CLadeeinheit::GetNextZurrpunkt(CZurrpunkt** ppOut, int* pCorner, int* pSub)
{
    if (m_nIterator < 0)
        return false;
    const int nIndex = (m_nIterator & 0xFFFF) * 4 + (m_nIterator >> 16) + 1;
    if (nIndex > 3) {
        m_nIterator = -1;
        return false;
    }
    const int nCorner = nIndex % 4, nSub = nIndex / 4;
    m_nIterator = (nCorner << 16) | nSub;
    if (ppOut)
        *ppOut = GetZurrpunkt(nCorner, nSub);
    if (pCorner)
        *pCorner = nCorner;
    if (pSub)
        *pSub = nSub;
    return true;
}

CAnschlagpunkt* CLadeeinheit::GetAnschlagpunkt(int nCorner) const
{
    return EckeGueltig(nCorner) ? m_Anschlagpunkte[nCorner].get() : nullptr;
}

CZurrpunkt* CLadeeinheit::GetZurrpunkt(int nCorner, int nSub) const
{
    const CAnschlagpunkt* p = GetAnschlagpunkt(nCorner);
    return p ? p->GetZurrpunkt(nSub) : nullptr;
}

void CLadeeinheit::SetZurrpunkt(int nCorner, int nSub, const CZurrpunkt* p)
{
    if (CAnschlagpunkt* a = GetAnschlagpunkt(nCorner))
        a->SetZurrpunkt(nSub, p);
}

int CLadeeinheit::CountZurrpunkte() const
{
    int n = 0;
    for (const auto& a : m_Anschlagpunkte)
        if (a && a->GetZurrpunkt(0))
            ++n;
    return n;
}

int CLadeeinheit::GetSichgModus(int* pFlag) const
{
    if (pFlag)
        *pFlag = m_nSichgFlag;
    return m_nSichgModus;
}

void CLadeeinheit::SetSichgModus(int nModus, int nFlag)
{
    m_nSichgModus = nModus;
    m_nSichgFlag = nFlag;
}

bool CLadeeinheit::GetAnschlagpunktPos(int nCorner, double* pX, double* pY, double* pZ) const
{
    const CAnschlagpunkt* a = GetAnschlagpunkt(nCorner);
    if (!a)
        return false;
    const double o1 = a->m_dVersatz1, o2 = a->m_dVersatz2;
    const bool bHintenX = nCorner == 1 || nCorner == 3;
    const bool bHintenY = nCorner == 2 || nCorner == 3;
    if (pX)
        *pX = bHintenX ? m_dMaxXEnde - o1 : m_dMinX + o1;
    if (pY)
        *pY = bHintenY ? m_dMaxYEnde - o2 : m_dMinY + o2;
    if (pZ)
        *pZ = m_dHoehe - a->m_dVersatz3;
    return true;
}

bool CLadeeinheit::GetAnschlagpunktPosVersetzt(int nCorner, double dx, double dy, double dz, double* pX,
                                               double* pY, double* pZ) const
{
    double x = 0.0, y = 0.0, z = 0.0;
    if (!GetAnschlagpunktPos(nCorner, &x, &y, &z))
        return false;
    if (pX)
        *pX = (nCorner == 0 || nCorner == 2) ? x + dx : x - dx;
    if (pY)
        *pY = (nCorner == 0 || nCorner == 1) ? y + dy : y - dy;
    if (pZ)
        *pZ = z - dz;
    return true;
}

void CLadeeinheit::GetAbmessungen(double* pX, double* pY, double* pLaenge, double* pBreite, double* pHoehe,
                                  double* pMasse) const
{
    if (pX)
        *pX = m_dMinX;
    if (pY)
        *pY = m_dMinY;
    if (pLaenge)
        *pLaenge = m_dMaxXEnde - m_dMinX;
    if (pBreite)
        *pBreite = m_dMaxYEnde - m_dMinY;
    if (pHoehe)
        *pHoehe = m_dHoehe;
    if (pMasse)
        *pMasse = m_dMasse;
}

void CLadeeinheit::GetRechteck(double* pX, double* pY, double* pLaenge, double* pBreite) const
{
    GetAbmessungen(pX, pY, pLaenge, pBreite, nullptr, nullptr);
}

bool CLadeeinheit::CalcSchwerpunkt(double* pX, double* pY, double* pZ) const
{
    double sx = 0.0, sy = 0.0, sz = 0.0, sm = 0.0;
    for (const auto& [key, p] : m_mapLg) {
        if (!p)
            continue;
        double dx = 0.0, dy = 0.0;
        GetSchwerpunktVersatz(*p, p->m_nDrehung, &dx, &dy);
        const double m = p->m_dSPMasse;
        sx += m * (p->m_dPosX + dx);
        sy += m * (p->m_dPosY + dy);
        sz += m * (p->m_dPosZ + p->m_dSPHoehe);
        sm += m;
    }
    if (!(sm > 0.0))
        return false;
    if (pX)
        *pX = sx / sm - m_dMinX;
    if (pY)
        *pY = sy / sm - m_dMinY;
    if (pZ)
        *pZ = sz / sm;
    return true;
}

double CLadeeinheit::GetMinZurrpunktWert(int nMode) const
{
    if (nMode != 0 && nMode != 1)
        return -1.0;
    double dMin = -1.0;
    bool bErster = true;
    for (const auto& t : m_ZPPtrTupel) {
        if (!t->IsVollstaendig())
            continue;
        for (const CZurrpunkt* p : {t->m_pZP1, t->m_pZP2}) {
            const double v = nMode == 0 ? p->m_dZulKraft : p->GetSchienenDaN();
            if (bErster || v < dMin)
                dMin = v;
            bErster = false;
        }
    }
    return dMin;
}

double CLadeeinheit::GetMinZurrpunktWert2(int nMode) const
{
    if (nMode == 0) {
        double dMin = -1.0;
        bool bErster = true;
        for (const auto& t : m_ZPPtrTupel) {
            if (!t->IsVollstaendig())
                continue;
            for (const CZurrpunkt* p : {t->m_pZP1, t->m_pZP2}) {
                if (bErster || p->m_dAbstandQuer < dMin)
                    dMin = p->m_dAbstandQuer;
                bErster = false;
            }
        }
        return dMin;
    }
    if (nMode == 1 && !m_ZPPtrTupel.empty()) {
        const sZPPtrTupel& t = *m_ZPPtrTupel.front();
        if (t.m_pZP1 && t.m_pZP1->GetZurrschiene())
            return t.m_pZP1->GetZurrschiene()->m_dPosition;
    }
    return -1.0;
}

int CLadeeinheit::GetZurrParameter(int* p2, int* p3, int* pCount) const
{
    if (p2)
        *p2 = m_nZurrParam[1];
    if (p3)
        *p3 = m_nZurrParam[2];
    if (pCount)
        *pCount = static_cast<int>(std::count_if(m_ZPPtrTupel.begin(), m_ZPPtrTupel.end(),
                                                 [](const auto& t) { return t->IsVollstaendig(); }));
    return m_nZurrParam[0];
}

tagLGINFO* CLadeeinheit::GetNextLadung(std::size_t& pos) const
{
    if (pos >= m_Lgs.size())
        return nullptr;
    const auto it = m_mapLg.find(m_Lgs[pos++]->FormatKey());
    return it == m_mapLg.end() ? nullptr : it->second;
}

void CLadeeinheit::RebuildLgMap(const CQOR* pPlan)
{
    m_mapLg.clear();
    if (pPlan)
        for (const auto& lg : m_Lgs)
            if (tagLGINFO* p = pPlan->FindLgInfoByName(lg->m_strName, lg->m_nNummer))
                m_mapLg[lg->FormatKey()] = p;
    m_nMapGueltig = 1;
}

void CLadeeinheit::ClearMaengel()
{
    m_Maengel.clear();
}

int CLadeeinheit::CountMaengel(int nCode) const
{
    return static_cast<int>(std::count_if(m_Maengel.begin(), m_Maengel.end(),
                                          [&](const auto& m) { return m->m_nCode >= nCode; }));
}

bool CLadeeinheit::IsLgMarkiert() const
{
    if (m_Lgs.empty())
        return false;
    const auto it = m_mapLg.find(m_Lgs.front()->FormatKey());
    return it != m_mapLg.end() && it->second && it->second->m_bSelected == 1;
}

void CLadeeinheit::SetLgMarkiert(unsigned char b)
{
    for (auto& [key, p] : m_mapLg)
        if (p)
            p->m_bSelected = b;
}
