// The calculating half of a vehicle's chart: the lateral payload limit curve and the lateral offset limit.
#include "model/vehicle/CFahrzeugDiagramm.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SchwerpunktLage.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>

CFahrzeugDiagramm::CFahrzeugDiagramm(CFahrzeug* pOwner) : m_pOwner(pOwner)
{
    MarkNeuZeichnen();
}

void CFahrzeugDiagramm::MarkNeuZeichnen()
{
    // Stands count up over every chart of the program run, so a chart made where another was never
    // shows the other's stand.
    static std::atomic<std::uint64_t> s_nLetzterStand{0};
    m_bNeuZeichnen = 1;
    m_nBildStand = ++s_nLetzterStand;
}

void CFahrzeugDiagramm::CreateBuffers()
{
    m_Punkte.clear();
    m_nLaengenAnzahl = 0;
    m_fLaengenSchritt = LAENGEN_SCHRITT;
    m_bSchluesselGueltig = false;
    SetParams(2.5f, 4.0f, 1.4f, -1.0f, -1.0f);
    MarkNeuZeichnen();
}

void CFahrzeugDiagramm::SetParams(float fWidth, float fPercent, float fStep, float fLimit1, float fLimit2)
{
    m_fBreite = fWidth;
    m_fProzent = fPercent;
    m_fSchritt = fStep;
    const SQuerParameter q = BerechneQuerParameter(m_pOwner, fWidth, fPercent, fLimit1, fLimit2);
    m_fLimit1 = q.fLimit1;
    m_fLimit2 = q.fLimit2;
    m_fLast = q.fLast;
    m_fSpur = q.fSpur;
    m_fAnteil = q.fAnteil;
    m_fK = q.fK;
    m_fC = q.fC;
    m_fLastKopie = m_fLast;
    m_fSpurKopie = m_fSpur;
}

float CFahrzeugDiagramm::LimitAt(float y) const
{
    const float m = m_fK / (m_fC + y);
    if (m <= 0.0f)
        return std::numeric_limits<float>::max();
    return m;
}

int CFahrzeugDiagramm::SampleLimitPoints(float fFactor, float fMaxMass)
{
    m_bSchluesselGueltig = false;
    m_Punkte.clear();
    float y = m_fBreite / 2.0f;
    float m = LimitAt(y);
    // A comparison with a non-number is false, so a degenerate step ends the loop.
    while (fMaxMass > m) {
        m_Punkte.push_back({y, m});
        const float d = m_fC + y;
        const float s = fFactor * (-m_fK / (d * d));
        const float b = m - s * y;
        const float P = (m_fC * s + b) / s;
        const float Q = (m_fC * b - m_fK) / s;
        y = -P / 2.0f - std::sqrt(P * P / 4.0f - Q);
        m = LimitAt(y);
        if (static_cast<int>(m_Punkte.size()) > 1000)
            break;
    }
    return static_cast<int>(m_Punkte.size());
}

int CFahrzeugDiagramm::BuildCurve(float fFactor)
{
    const float fBreite = m_pOwner ? m_pOwner->GetLFBreite() : m_fBreite;
    const float fProzent = m_pOwner ? static_cast<float>(m_pOwner->m_nSeitenProzent) : m_fProzent;
    SetParams(fBreite, fProzent, 1.4f, -1.0f, -1.0f);
    if (fFactor == 0.0f)
        fFactor = START_FAKTOR;
    // The curve ends at the owner's own maximum payload, also behind a towing vehicle.
    const float fMax = m_pOwner ? static_cast<float>(m_pOwner->GetMaxNutzlast(true)) : 0.0f;
    MarkNeuZeichnen();
    // The points follow from these values alone: the same values, to the bit, give the same points.
    const std::array<float, 5> schluessel = {m_fK, m_fC, m_fBreite, fFactor, fMax};
    if (m_bSchluesselGueltig && std::memcmp(schluessel.data(), m_Schluessel.data(), sizeof schluessel) == 0)
        return static_cast<int>(m_Punkte.size());
    int n = 0;
    do {
        n = SampleLimitPoints(fFactor, fMax);
        fFactor += 0.1f;
    } while (n > MAX_PUNKTE - 2);
    m_Schluessel = schluessel;
    m_bSchluesselGueltig = true;
    return n;
}

void CFahrzeugDiagramm::SetLengthParams(float x0, float fMass, float fWidth, float fPercent, float fLimit1,
                                        float fLimit2, float fWheelbase)
{
    m_fX0 = x0;
    m_fMasse = fMass == 0.0f ? 0.0001f : fMass;
    m_fLBreite = fWidth;
    m_fLProzent = fPercent;
    m_fL1 = fLimit1;
    m_fL2 = fLimit2;
    m_fRadstand = fWheelbase;
    if (!m_pOwner)
        return;
    if (m_fL1 == -1.0f || m_fL2 == -1.0f) {
        m_pOwner->CalcAchslasten(&m_fL1, &m_fL2);
    }
    if (m_fRadstand == -1.0f)
        m_fRadstand = static_cast<float>(m_pOwner->CalcHinterachsgruppe(true));
    m_fA1 = m_fL1 * m_fLProzent * m_fLBreite;
    m_fA2 = m_fL2 * m_fLProzent * m_fLBreite;
    m_fB = 200.0f * m_fMasse;
    m_fD = m_fLProzent * m_fLBreite / 200.0f;
    m_fXKreuz = m_fL2 * m_fRadstand / (m_fL1 + m_fL2);
}

float CFahrzeugDiagramm::LateralLimitRaw(float x) const
{
    const float fVorn = x == m_fRadstand ? -1.0f : m_fA1 / m_fB / (m_fRadstand - x) * m_fRadstand + m_fD;
    const float fHinten = x == 0.0f ? -1.0f : m_fA2 / m_fB / x * m_fRadstand + m_fD;
    if (fVorn < 0.0f)
        return fHinten;
    if (fHinten < 0.0f)
        return fVorn;
    return std::min(fVorn, fHinten);
}

float CFahrzeugDiagramm::LateralLimitAt(float x) const
{
    return LateralLimitRaw(x);
}

void CFahrzeugDiagramm::AppendLaengenPunkt(float fWert, float fPos)
{
    if (m_nLaengenAnzahl >= LAENGEN_KAPAZITAET)
        return;
    m_LaengenPunkte[static_cast<std::size_t>(m_nLaengenAnzahl++)] = {fWert, fPos};
}

void CFahrzeugDiagramm::SampleCurve()
{
    m_nLaengenAnzahl = 0;
    if (!m_pOwner)
        return;
    const CQOR* pQor = m_pOwner->GetQor();
    if (!pQor || pQor->GetMasse() == 0.0 || m_pOwner->GetNutzlastKurve().GetBereichStatus() == 1)
        return;
    const float a = static_cast<float>(m_pOwner->m_dVorderachsPos);
    const float lo = static_cast<float>(m_pOwner->GetNutzlastKurve().GetNutzbarVon()) - a;
    const float hi = static_cast<float>(m_pOwner->GetNutzlastKurve().GetNutzbarBis()) - a;
    SetLengthParams(0.0f, static_cast<float>(pQor->GetMasse()), m_pOwner->GetLFBreite(),
                    static_cast<float>(pQor->m_nSeitenProzent), -1.0f, -1.0f, -1.0f);
    bool bKreuz = lo < m_fXKreuz && m_fXKreuz < hi;
    // The step is added to a running value as the chart always did; a bound on the count keeps a
    // degenerate step from looping.
    // Room is kept for the crossing and the end point, so a range longer than the buffer still ends at hi.
    for (float x = lo; x <= hi && m_nLaengenAnzahl < LAENGEN_KAPAZITAET - 2; x += m_fLaengenSchritt) {
        if (bKreuz && x > m_fXKreuz) {
            AppendLaengenPunkt(LateralLimitRaw(m_fXKreuz), m_fXKreuz + a);
            bKreuz = false;
        }
        AppendLaengenPunkt(LateralLimitRaw(x), x + a);
        if (!(m_fLaengenSchritt > 0.0f))
            break;
    }
    if (bKreuz)
        AppendLaengenPunkt(LateralLimitRaw(m_fXKreuz), m_fXKreuz + a);
    AppendLaengenPunkt(LateralLimitRaw(hi), hi + a);
}
