// The verdict on a plan's centre of gravity and the lateral limit it is judged by.
#include "model/vehicle/SchwerpunktLage.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"

#include <algorithm>

SchwerpunktLage BeurteileSchwerpunkt(CFahrzeug& f)
{
    const CQOR* q = f.GetQor();
    if (!q || f.GetNutzlastKurve().GetPunkte().IsEmpty())
        return SchwerpunktLage::kAusserhalb;
    SYs2X pt;
    pt.m_dX = f.GetRandabstand(0) + q->GetSchwerpunktX();
    const double m = q->GetMasse();
    if (f.CalcKurvenpunkt(&pt) != 1 || !(pt.m_dMaxLast >= 0.0 && pt.m_dMaxLast >= m && m >= pt.m_dMinLast))
        return SchwerpunktLage::kAusserhalb;
    return f.CheckQuerSchwerpunkt() != 0 ? SchwerpunktLage::kInnerhalb : SchwerpunktLage::kQuerAusserhalb;
}

SQuerParameter BerechneQuerParameter(CFahrzeug* pFahrzeug, float fBreite, float fProzent, float fLimit1,
                                     float fLimit2)
{
    SQuerParameter q;
    q.fLimit1 = fLimit1;
    q.fLimit2 = fLimit2;
    int nArt = 0;
    if (pFahrzeug) {
        float fVorn = 0.0f, fHinten = 0.0f;
        pFahrzeug->CalcAchslasten(&fVorn, &fHinten);
        q.fLimit1 = fVorn;
        q.fLimit2 = fHinten;
        nArt = pFahrzeug->GetArt();
    }
    q.fLast = (nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kAnhaenger)
                  ? std::min(q.fLimit1, q.fLimit2)
                  : q.fLimit2;
    q.fSpur = fBreite * (nArt == FahrzeugArt::kZugmaschine ? 0.8f : 0.88f);
    q.fAnteil = (fProzent + 100.0f) / 200.0f;
    q.fK = (q.fAnteil * q.fSpur - q.fSpur / 2.0f) * q.fLast;
    q.fC = q.fSpur / 2.0f - q.fAnteil * q.fSpur;
    return q;
}

float QuerAbstand(CFahrzeug& f, float fMasse)
{
    const SQuerParameter q =
        BerechneQuerParameter(&f, f.GetLFBreite(), static_cast<float>(f.m_nSeitenProzent), -1.0f, -1.0f);
    return (q.fK - q.fC * fMasse) / fMasse;
}
