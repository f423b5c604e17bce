// The vehicle's axle records: adding an axle behind the last, removing one, switching an axle's group,
// and the rules that say when each is offered; coupling a trailer to its towing vehicle.
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <algorithm>

int CFahrzeug::GetMaxAchsen(int nArt)
{
    return nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kAnhaenger ? 4 : 3;
}

bool CFahrzeug::CanAddAchse() const
{
    return m_nArt >= FahrzeugArt::kZugmaschine && m_nAchsanzahl < GetMaxAchsen(m_nArt) && !IsArt5();
}

// The axles before the new one keep their places. Where the load area (ahead of a rigid truck's coupling
// while its coupling load counts) leaves less than kFreiHinten behind it, the axle at the group split
// gives way; a semi-trailer tractor, without a load area of its own, only gets the axle.
bool CFahrzeug::AddAchse()
{
    const int nNeu = GetRecordAnzahl();
    if (nNeu < 1 || nNeu >= MAX_ACHSEN)
        return false;
    m_Achsen[nNeu].dAbstand = kNeuerAchsAbstand;
    m_Achsen[nNeu].dLeerlast = m_Achsen[nNeu - 1].dLeerlast;
    m_Achsen[nNeu].dZulLast = m_Achsen[nNeu - 1].dZulLast;
    m_nAchsFlags[nNeu] = 0;
    ++m_nAchsanzahl;

    // The new axle needs kFreiHinten of the load area behind it (for a rigid truck with a coupling, in
    // front of the coupling). Where it does not fit, the distance ahead of the rear group's first axle
    // gives way; the other axles keep their places.
    double dLaenge = m_dLFLaenge;
    if (m_nArt == FahrzeugArt::kZugmaschine && m_bKupplungslast)
        dLaenge -= m_dKupplungsabstand;
    const double dFrei = dLaenge - (GetPosLetzteAchse() + kFreiHinten);
    // The split lies between records 1 and 5: record 0 (the first axle, the coupling point) never gives
    // way, also while the vehicle has not been calculated yet.
    const int k = std::clamp(GetAchsgruppenTrennung(), 1, std::min(5, nNeu));
    // A semi-trailer tractor has no load area of its own: its axles stay as they are.
    if (m_nArt != FahrzeugArt::kSattelzugmaschine && dFrei < 0.0) {
        double dAbstand = m_Achsen[k].dAbstand + dFrei;
        if (dAbstand < kMindestAchsAbstand) {
            m_dLFLaenge += kMindestAchsAbstand - dAbstand;
            dAbstand = kMindestAchsAbstand;
        }
        m_Achsen[k].dAbstand = dAbstand;
    }
    m_bModified = 1;
    return true;
}

bool CFahrzeug::CanRemoveAchse(int nRecord) const
{
    const int n = GetRecordAnzahl();
    if (nRecord <= 0 || nRecord >= n)
        return false;
    const int nFrei = static_cast<int>(std::count(m_nAchsFlags, m_nAchsFlags + n, 0));
    return nFrei > 2 || m_nAchsFlags[nRecord] != 0;
}

bool CFahrzeug::RemoveAchse(int nRecord)
{
    const int n = GetRecordAnzahl();
    if (nRecord < 1 || nRecord > 4 || nRecord >= n)
        return false;
    for (int i = nRecord; i + 1 < n; ++i) {
        m_Achsen[i] = m_Achsen[i + 1];
        m_nAchsFlags[i] = m_nAchsFlags[i + 1];
    }
    m_Achsen[n - 1] = SAchse();
    m_nAchsFlags[n - 1] = 0;
    --m_nAchsanzahl;
    if (GetRecordAnzahl() == 2)
        m_nAchsFlags[1] = 0;
    m_bModified = 1;
    return true;
}

bool CFahrzeug::IsAchseGruppiert(int nRecord) const
{
    return nRecord >= 0 && nRecord < MAX_ACHSEN && m_nAchsFlags[nRecord] != 0;
}

bool CFahrzeug::CanSchalteAchsGruppe(int nRecord) const
{
    if (nRecord < 0 || nRecord >= MAX_ACHSEN)
        return false;
    return IsAchseGruppiert(nRecord) || (nRecord != 0 && m_nAchsanzahl > 2);
}

bool CFahrzeug::SchalteAchsGruppe(int nRecord)
{
    if (nRecord < 0 || nRecord >= MAX_ACHSEN)
        return false;
    m_nAchsFlags[nRecord] = m_nAchsFlags[nRecord] != 0 ? 0 : 1;
    m_bModified = 1;
    return true;
}

void CFahrzeug::Koppeln(CFahrzeug& zugfahrzeug, CFahrzeug& anhaenger)
{
    if (zugfahrzeug.m_pPartner != &anhaenger)
        zugfahrzeug.Entkoppeln();
    if (anhaenger.m_pPartner != &zugfahrzeug)
        anhaenger.Entkoppeln();
    zugfahrzeug.m_pPartner = &anhaenger;
    anhaenger.m_pPartner = &zugfahrzeug;
}

void CFahrzeug::Entkoppeln()
{
    CFahrzeug* pPartner = m_pPartner;
    if (!pPartner)
        return;
    // A tractor has no plan of its own: one it shows belongs to the semi-trailer.
    if (m_nArt == FahrzeugArt::kSattelzugmaschine && m_pQor && m_pQor == pPartner->m_pQor)
        m_pQor = nullptr;
    if (pPartner->m_nArt == FahrzeugArt::kSattelzugmaschine && pPartner->m_pQor && pPartner->m_pQor == m_pQor)
        pPartner->m_pQor = nullptr;
    if (pPartner->m_pPartner == this)
        pPartner->m_pPartner = nullptr;
    m_pPartner = nullptr;
}
