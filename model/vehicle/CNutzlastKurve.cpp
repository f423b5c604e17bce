// A vehicle's permissible-payload curve: the builder, the refinement and the usable centre-of-gravity range.
#include "model/vehicle/CNutzlastKurve.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SYs2X.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Upper bound of the samples of one curve; a load area of 10 km at the finest sensible step.
constexpr long MAX_PROBEN = 200000;

// A fresh point for a probe: every field 0.
SYs2X Nullpunkt(double x)
{
    return SYs2X(x, 0.0, 0, 0.0, 0);
}

} // namespace

void CNutzlastKurve::Reset()
{
    m_bKurveGueltig = 1;
    m_dMaxNutzlast = 0.0;
    m_dKurvenSchritt = 0.1;
}

// ---- the curve ---------------------------------------------------------------------------------------

int CNutzlastKurve::BuildKurve()
{
    // The coupling limit depends on the two vehicles' geometry only, which stays as it is while the curve
    // is built: it is taken once, not at every point.
    struct SLauf
    {
        CFahrzeug& f;
        explicit SLauf(CFahrzeug& fz) : f(fz) { f.m_Grenzen.BeginneLauf(f.Kupplungsgrenze()); }
        ~SLauf() { f.m_Grenzen.EndeLauf(); }
        SLauf(const SLauf&) = delete;
        SLauf& operator=(const SLauf&) = delete;
    } lauf(m_Fahrzeug);
    m_Teilkurve.RemoveAll();
    if (m_bKurveBehalten && m_bKurveGebaut && m_Fahrzeug.m_bBerechenbar == m_bBerechenbarBeiKurve) {
        m_bKurveGueltig = m_bKurveGueltigBeiKurve;
        return BuildKurveEnde();
    }
    m_Kurve.DeleteAll();
    m_BereichSpeicher.bGueltig = false;
    m_dMaxNutzlast = 0.0;
    m_fMaxNutzlastPos = 0.0f;

    double x = m_Fahrzeug.GetKurvenAnfang();
    const double h = m_dKurvenSchritt;
    const double E = m_Fahrzeug.m_dLFLaenge;
    // Values that would make the sampling endless or its points meaningless give no curve.
    if (!m_Fahrzeug.IsBerechenbar() || !(h > 0.0) || !std::isfinite(h) || !std::isfinite(E) ||
        (E - x) / h > static_cast<double>(MAX_PROBEN))
        m_bKurveGueltig = 0;
    else if (E >= x) {
        // The steps count from the last start so that rounding does not add up along the load area.
        double dBasis = x;
        long nSchritt = 0;
        for (;;) {
            // The point is worked out in its place at the tail and taken back unless it belongs to the curve.
            SYs2X& p = *m_Kurve.NeuerPunkt();
            p.m_dX = x;
            p.m_nMinGrenze = 0;
            const int a = m_Fahrzeug.CalcKurvenpunkt(&p);
            double xNeu = dBasis + h * static_cast<double>(++nSchritt);
            bool bEnde = false;
            if (a == 1 && std::isfinite(p.m_dMaxLast) && std::isfinite(p.m_dMinLast)) {
                // kept
            } else {
                const double xSprung = p.m_dX;
                m_Kurve.EntferneLetzten();
                if (a == 0) {
                    m_bKurveGueltig = 0;
                    bEnde = true;
                } else if (a == 3) {
                    bEnde = true;
                } else if (a == 4) {
                    // A jump never goes back: that could sample the same stretch for ever.
                    if (xSprung + h > xNeu) {
                        dBasis = xSprung;
                        nSchritt = 1;
                        xNeu = dBasis + h;
                    }
                }
            }
            if (bEnde)
                break;
            if (xNeu <= E)
                x = xNeu;
            else if (x < E && xNeu < E + h)
                x = E;
            else
                break;
        }
    }

    if (m_bKurveGueltig) {
        if (m_Kurve.IsEmpty()) {
            m_bKurveGueltig = 0;
        } else {
            const SYs2X* pMax = nullptr;
            for (const SYs2X* p : m_Kurve.Punkte())
                if (!pMax || p->m_dMaxLast > pMax->m_dMaxLast)
                    pMax = p;
            m_dMaxNutzlast = pMax->m_dMaxLast;
            m_fMaxNutzlastPos = static_cast<float>(pMax->m_dX);
        }
    }
    RefineKurve(&m_Kurve);
    m_bKurveGebaut = true;
    m_bBerechenbarBeiKurve = m_Fahrzeug.m_bBerechenbar;
    m_bKurveGueltigBeiKurve = m_bKurveGueltig;
    return BuildKurveEnde();
}

int CNutzlastKurve::BuildKurveEnde()
{
    CalcNutzbarerBereich();
    BuildTeilkurve();

    const int nErgebnis = m_Fahrzeug.NimmLadungBewegt() ? 0 : 1;
    m_Fahrzeug.m_bDiagrammVeraltet = nErgebnis;
    return nErgebnis;
}

void CNutzlastKurve::InsertRefinePunkt(CTupelList* pKurve, const SYs2X* pPunkt, int nVor)
{
    if (nVor >= 0) {
        pKurve->InsertBefore(static_cast<std::size_t>(nVor), *pPunkt);
        return;
    }
    for (std::size_t i = 0; i < pKurve->GetCount(); ++i)
        if (pKurve->GetAt(i)->m_dX > pPunkt->m_dX) {
            pKurve->InsertBefore(i, *pPunkt);
            return;
        }
}

bool CNutzlastKurve::BerechneEckpunkt(const SYs2X& A, const SYs2X& B, double dProbe, SYs2X* pEcke)
{
    // Every limit of the curve is a payload m = a / (b + c x), a constant included: 1 / m runs straight.
    // A probe outside the pair on each side gives the two lines, and the lines meet at the corner. Where a
    // probe shows another limit, or the point there is not on the lines, the corner is left to the walk.
    SYs2X a = Nullpunkt(A.m_dX - dProbe), b = Nullpunkt(B.m_dX + dProbe);
    if (!(B.m_dX > A.m_dX) || m_Fahrzeug.CalcKurvenpunkt(&a) != 1 || a.m_nGrenze != A.m_nGrenze ||
        m_Fahrzeug.CalcKurvenpunkt(&b) != 1 || b.m_nGrenze != B.m_nGrenze)
        return false;
    for (double m : {A.m_dMaxLast, a.m_dMaxLast, B.m_dMaxLast, b.m_dMaxLast})
        if (!(m > 0.0) || !std::isfinite(m))
            return false;
    const double sA = (1.0 / A.m_dMaxLast - 1.0 / a.m_dMaxLast) / (A.m_dX - a.m_dX);
    const double sB = (1.0 / b.m_dMaxLast - 1.0 / B.m_dMaxLast) / (b.m_dX - B.m_dX);
    if (!(sA != sB))
        return false;
    const double x = (1.0 / B.m_dMaxLast - 1.0 / A.m_dMaxLast + sA * A.m_dX - sB * B.m_dX) / (sA - sB);
    if (!(x > A.m_dX && x < B.m_dX))
        return false;
    SYs2X e = Nullpunkt(x);
    if (m_Fahrzeug.CalcKurvenpunkt(&e) != 1 || (e.m_nGrenze != A.m_nGrenze && e.m_nGrenze != B.m_nGrenze))
        return false;
    const double dLinie = 1.0 / (1.0 / A.m_dMaxLast + sA * (x - A.m_dX));
    if (!(std::fabs(e.m_dMaxLast - dLinie) <= 1e-9 * std::max(1.0, std::fabs(dLinie))))
        return false;
    *pEcke = e;
    return true;
}

int CNutzlastKurve::RefineKurve(CTupelList* pKurve)
{
    if (!pKurve || pKurve->IsEmpty())
        return 0;
    const double dProbe = static_cast<double>(0.005f);
    for (std::size_t i = 0; i + 1 < pKurve->GetCount(); ++i) {
        if (pKurve->GetAt(i)->m_nGrenze == pKurve->GetAt(i + 1)->m_nGrenze)
            continue;
        const SYs2X A = *pKurve->GetAt(i);
        const SYs2X B = *pKurve->GetAt(i + 1);
        SYs2X neu;
        if (BerechneEckpunkt(A, B, dProbe, &neu)) {
            neu.m_nGrenze = 8;
            InsertRefinePunkt(pKurve, &neu, static_cast<int>(i + 1));
            if (neu.m_dMaxLast > m_dMaxNutzlast)
                m_dMaxNutzlast = neu.m_dMaxLast;
            ++i;
            continue;
        }
        SYs2X T = A;
        double px = A.m_dX + dProbe;
        double dBeste = -9999999999999.0;
        bool bKnick = false;
        while (B.m_dX > px) {
            SYs2X probe = Nullpunkt(px);
            // A position the vehicle cannot answer for ends the walk.
            if (m_Fahrzeug.CalcKurvenpunkt(&probe) == 0)
                break;
            const double dZunahme = probe.m_dMaxLast - T.m_dMaxLast;
            if (dBeste > dZunahme) {
                bKnick = true;
                break;
            }
            dBeste = dZunahme;
            T = probe;
            px += dProbe;
        }
        if (!bKnick)
            continue;
        neu = Nullpunkt((T.m_dX + px) * 0.5);
        m_Fahrzeug.CalcKurvenpunkt(&neu);
        neu.m_nGrenze = 8;
        InsertRefinePunkt(pKurve, &neu, static_cast<int>(i + 1));
        if (neu.m_dMaxLast > m_dMaxNutzlast)
            m_dMaxNutzlast = neu.m_dMaxLast;
        ++i; // the new point and B are not walked again
    }

    const SYs2X erster = *pKurve->GetHead();
    if (erster.m_dMinLast == -1.0)
        return 1;
    const double h = m_dKurvenSchritt;
    const double dEnde = static_cast<double>(0.24f);
    for (double x = erster.m_dX - dEnde; x > erster.m_dX - h; x -= dEnde) {
        SYs2X p = Nullpunkt(x);
        if (m_Fahrzeug.CalcKurvenpunkt(&p) != 1)
            break;
        pKurve->AddHead(p);
    }
    const SYs2X letzter = *pKurve->GetTail();
    const double E = std::min(letzter.m_dX + h, m_Fahrzeug.m_dLFLaenge);
    for (double x = letzter.m_dX + dEnde; E >= x; x += dEnde) {
        SYs2X p = Nullpunkt(x);
        if (m_Fahrzeug.CalcKurvenpunkt(&p) != 1)
            break;
        pKurve->AddTail(p);
    }
    return 1;
}

// ---- emptying, and the simple curve of the base class ---------------------------------------------

void CNutzlastKurve::VerwerfeKurve()
{
    m_bKurveGebaut = false;
    m_BereichSpeicher.bGueltig = false;
    m_Teilkurve.RemoveAll();
    m_Kurve.DeleteAll();
    m_dMaxNutzlast = 0.0;
    m_fMaxNutzlastPos = 0.0f;
    m_nBereichStatus = 1;
}

void CNutzlastKurve::BuildEinfacheKurve()
{
    m_bKurveGebaut = false;
    m_BereichSpeicher.bGueltig = false;
    m_Teilkurve.RemoveAll();
    m_Kurve.DeleteAll();
    m_dMaxNutzlast = 0.0;
    const double E = m_Fahrzeug.m_dLFLaenge;
    const double h = 0.1;
    if (E >= 0.0 && std::isfinite(E) && E / h <= static_cast<double>(MAX_PROBEN)) {
        double x = 0.0;
        for (long i = 1;; ++i) {
            int nGrenze = 0;
            const double p = m_Fahrzeug.CalcNutzlastAnPos(x, &nGrenze);
            m_Kurve.AddTail(SYs2X(x, p, nGrenze, 0.0, -1));
            const double xNeu = h * static_cast<double>(i);
            if (xNeu <= E)
                x = xNeu;
            else if (x < E)
                x = E;
            else
                break;
        }
    }
    RefineKurve(&m_Kurve);
    for (const SYs2X* p : m_Kurve.Punkte())
        if (p->m_dMaxLast > m_dMaxNutzlast)
            m_dMaxNutzlast = p->m_dMaxLast;
}

// ---- usable centre-of-gravity range ---------------------------------------------------------------

CNutzlastKurve::SBereich CNutzlastKurve::BerechneBereich(bool* pGesetzt)
{
    if (!m_Fahrzeug.m_pQor || m_Kurve.IsEmpty()) {
        *pGesetzt = false;
        return SBereich();
    }
    SBereichSchluessel s;
    s.dMasse = m_Fahrzeug.m_pQor->GetMasse();
    for (int i = 0; i < 4; ++i)
        s.dRand[i] = m_Fahrzeug.GetRandabstand(i);
    s.dLFLaenge = m_Fahrzeug.m_dLFLaenge;
    s.fBreite = m_Fahrzeug.GetLFBreite();
    s.nSeitenProzent = m_Fahrzeug.m_nSeitenProzent;
    const SBereichSchluessel& t = m_BereichSpeicher.s;
    const bool bGleich = std::memcmp(&s.dMasse, &t.dMasse, sizeof s.dMasse) == 0 &&
                         std::memcmp(s.dRand, t.dRand, sizeof s.dRand) == 0 &&
                         std::memcmp(&s.dLFLaenge, &t.dLFLaenge, sizeof s.dLFLaenge) == 0 &&
                         std::memcmp(&s.fBreite, &t.fBreite, sizeof s.fBreite) == 0 &&
                         s.nSeitenProzent == t.nSeitenProzent;
    // Only while the curve is kept for moved loads: the vehicle's own data are as they were then.
    if (m_bKurveBehalten && m_BereichSpeicher.bGueltig && bGleich) {
        *pGesetzt = m_BereichSpeicher.bGesetzt;
        return m_BereichSpeicher.b;
    }
    m_BereichSpeicher.b = BerechneBereichNeu(pGesetzt);
    m_BereichSpeicher.s = s;
    m_BereichSpeicher.bGesetzt = *pGesetzt;
    m_BereichSpeicher.bGueltig = true;
    return m_BereichSpeicher.b;
}

CNutzlastKurve::SBereich CNutzlastKurve::BerechneBereichNeu(bool* pGesetzt)
{
    SBereich b;
    *pGesetzt = false;
    if (!m_Fahrzeug.m_pQor || m_Kurve.IsEmpty())
        return b;
    *pGesetzt = true;
    const double m = m_Fahrzeug.m_pQor->GetMasse();
    const bool bMaxReicht = m_dMaxNutzlast > m;
    b.nStatus = 0;
    const auto& k = m_Kurve.Punkte();

    const SYs2X* pErster = nullptr;
    for (const SYs2X* p : k)
        if (p->m_dMaxLast > m && (p->m_dMinLast == -1.0 || p->m_dMinLast <= m)) {
            pErster = p;
            break;
        }
    if (!pErster) {
        b.nStatus = 1;
        return b;
    }
    b.dVon = pErster->m_dX;
    const SYs2X* pLetzter = nullptr;
    for (auto it = k.rbegin(); it != k.rend(); ++it)
        if ((*it)->m_dMaxLast > m && ((*it)->m_dMinLast == -1.0 || (*it)->m_dMinLast < m)) {
            pLetzter = *it;
            break;
        }
    if (pLetzter) {
        b.dBis = pLetzter->m_dX;
        b.nStatus |= 2;
    }

    const double dSchritt = 0.01;
    const double dRandVorn = m_Fahrzeug.GetRandabstand(0), dRandHinten = m_Fahrzeug.GetRandabstand(2);
    const double dEnde = m_Fahrzeug.m_dLFLaenge - dRandHinten;
    const auto scheitert = [&](const SYs2X& p) {
        return m > p.m_dMaxLast || (p.m_dMinLast != -1.0 && p.m_dMinLast > m);
    };
    for (int i = 1;; ++i) {
        const double x = pErster->m_dX - dSchritt * i;
        if (!(x >= 0.0))
            break;
        SYs2X p;
        p.m_dX = x;
        const int a = m_Fahrzeug.CalcKurvenpunkt(&p);
        if (scheitert(p)) {
            b.dVon = pErster->m_dX - dSchritt * (i - 1);
            break;
        }
        if (a != 1 && a != 3)
            break;
    }
    if (pLetzter) {
        for (int i = 1;; ++i) {
            const double x = pLetzter->m_dX + dSchritt * i;
            if (!(x <= dEnde))
                break;
            SYs2X p;
            p.m_dX = x;
            const int a = m_Fahrzeug.CalcKurvenpunkt(&p);
            if (scheitert(p)) {
                b.dBis = pLetzter->m_dX + dSchritt * (i - 1);
                break;
            }
            if (a != 1 && a != 3)
                break;
        }
    }
    b.dVon = std::clamp(b.dVon, dRandVorn, std::max(dRandVorn, dEnde));
    b.dBis = std::clamp(b.dBis, dRandVorn, std::max(dRandVorn, dEnde));

    if (b.dBis == b.dVon) {
        if (!bMaxReicht) {
            b.nStatus = 1;
            return b;
        }
        b.dVon = static_cast<double>(m_fMaxNutzlastPos - 0.01f);
        b.dBis = static_cast<double>(m_fMaxNutzlastPos + 0.01f);
        b.nStatus |= 2;
        return b;
    }
    const float fBreite = m_Fahrzeug.GetLFBreite();
    m_Fahrzeug.m_Diagramm.SetParams(fBreite, static_cast<float>(m_Fahrzeug.m_nSeitenProzent), 1.4f, -1.0f,
                                    -1.0f);
    const float fm = static_cast<float>(m);
    const float e = (m_Fahrzeug.m_Diagramm.GetK() - m_Fahrzeug.m_Diagramm.GetC() * fm) / fm;
    const float a = fBreite * 0.5f;
    b.dQuerVon = a - std::min(e, a - static_cast<float>(m_Fahrzeug.GetRandabstand(1)));
    b.dQuerBis = a + std::min(e, a - static_cast<float>(m_Fahrzeug.GetRandabstand(3)));
    b.bQuer = true;
    return b;
}

int CNutzlastKurve::CalcNutzbarerBereich()
{
    CNutzlastKurve* pQuelle = this;
    if (m_Fahrzeug.m_nArt == FahrzeugArt::kSattelzugmaschine) {
        CFahrzeug* pAnhaenger = m_Fahrzeug.GetDokAnhaenger();
        if (!pAnhaenger) {
            m_nBereichStatus = 1;
            return 1;
        }
        pQuelle = &pAnhaenger->m_NutzlastKurve;
    }
    bool bGesetzt = false;
    SBereich b;
    if (pQuelle != this && pQuelle->m_bBereichGemerkt && pQuelle->m_bGemerktGesetzt) {
        b = pQuelle->m_GemerkterBereich;
        bGesetzt = true;
    } else {
        b = pQuelle->BerechneBereich(&bGesetzt);
        if (pQuelle == this && m_bBereichGemerkt && bGesetzt) {
            m_GemerkterBereich = b;
            m_bGemerktGesetzt = true;
        }
    }
    m_nBereichStatus = b.nStatus;
    if (bGesetzt) {
        m_dNutzbarVon = b.dVon;
        m_dNutzbarBis = b.dBis;
        if (b.bQuer) {
            m_dNutzbarQuerVon = b.dQuerVon;
            m_dNutzbarQuerBis = b.dQuerBis;
        }
    }
    if (m_Fahrzeug.m_pQor)
        m_Fahrzeug.m_Diagramm.SampleCurve();
    return b.nStatus;
}

int CNutzlastKurve::BuildTeilkurve()
{
    m_Teilkurve.RemoveAll();
    if (!m_Fahrzeug.m_pQor || !(m_nBereichStatus & 2) || m_Kurve.IsEmpty())
        return 0;
    const auto& k = m_Kurve.Punkte();
    std::size_t nVon = k.size();
    for (std::size_t i = 0; i < k.size(); ++i)
        if (k[i]->m_dX >= m_dNutzbarVon) {
            nVon = i;
            break;
        }
    if (nVon == k.size())
        return 0;
    std::size_t nBis = k.size();
    for (std::size_t i = k.size(); i-- > 0;)
        if (k[i]->m_dX <= m_dNutzbarBis) {
            nBis = i;
            break;
        }
    if (nBis == k.size() || nBis <= nVon)
        return 0;
    for (std::size_t i = nVon; i <= nBis; ++i)
        m_Teilkurve.AddTail(m_Kurve, i);
    return 1;
}
