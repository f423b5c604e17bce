// Input rules of the loading plan: displacements, rotation gestures, align moves, mass keys and widths.
#include "model/plan/PlanEingabe.h"

#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Ausdehnung
{
    double minX = 1000.0, minY = 1000.0, maxX = 0.0, maxY = 0.0;
    bool bGefunden = false;
};

Ausdehnung AuswahlAusdehnung(const CQOR& plan)
{
    Ausdehnung a;
    for (const tagLGINFO* p : plan.GetLgInfos()) {
        if (!p->m_bSelected)
            continue;
        a.bGefunden = true;
        a.minX = std::min(a.minX, p->m_dPosX);
        a.minY = std::min(a.minY, p->m_dPosY);
        a.maxX = std::max(a.maxX, p->GetEndX());
        a.maxY = std::max(a.maxY, p->GetEndY());
    }
    return a;
}

double AufZentimeter(double v)
{
    return std::floor(v * 100.0 + 0.5) / 100.0;
}

} // namespace

void PlanMausVersatz(int dxPix, int dyPix, int nPixelProMeterX, int nPixelProMeterY, double dZoom, int out[2])
{
    out[0] = out[1] = 0;
    if (nPixelProMeterX <= 0 || nPixelProMeterY <= 0 || dZoom <= 0.0)
        return;
    const double dx = dxPix / static_cast<double>(nPixelProMeterX) / dZoom;
    const double dy = dyPix / static_cast<double>(nPixelProMeterY) / dZoom;
    out[0] = static_cast<int>(std::floor(dx * 100.0 + 1e-6));
    out[1] = static_cast<int>(std::floor(dy * 100.0 + 1e-6));
}

double PlanDrehWinkel(double pivotX, double pivotY, double pressX, double pressY, double curX, double curY)
{
    const double ax = pressX - pivotX, ay = pressY - pivotY;
    const double bx = curX - pivotX, by = curY - pivotY;
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    if (la == 0.0 || lb == 0.0)
        return 0.0;
    const double c = std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0);
    const double a = std::acos(c);
    return ax * by - ay * bx < 0.0 ? -a : a;
}

int PlanVierteldrehungen(double dWinkel)
{
    constexpr double pi = std::numbers::pi;
    const int q = static_cast<int>(std::floor((std::fabs(dWinkel) + pi / 4.0) / (pi / 2.0))) % 4;
    return dWinkel < 0.0 && q != 0 ? 4 - q : q;
}

double GetAbstand(const CQOR& plan, const CFahrzeug& f, int nModus)
{
    const Ausdehnung a = AuswahlAusdehnung(plan);
    if (!a.bGefunden)
        return -1.0;
    switch (nModus) {
    case 0:
        return a.minX;
    case 1:
        return a.minY;
    case 2:
        return f.GetLFLaenge() - f.GetRandabstand(4) - a.maxX;
    case 3:
        return f.GetLFBreite() - f.GetRandabstand(5) - a.maxY;
    default:
        return -1.0;
    }
}

bool PlanAusrichtVersatz(int nSeite, double dWert, double dAbstand, int out[2])
{
    out[0] = out[1] = 0;
    const int d = static_cast<int>(std::floor((dWert - dAbstand) * 100.0));
    switch (nSeite) {
    case 0:
        out[0] = d;
        return true;
    case 2:
        out[0] = -d;
        return true;
    case 1:
        out[1] = d;
        return true;
    case 3:
        out[1] = -d;
        return true;
    default:
        return false;
    }
}

int PlanAusrichtAntwort(double dAbstand)
{
    if (dAbstand < 0.0)
        return 0;
    return 1 + static_cast<int>(std::floor(dAbstand * 1000.0));
}

bool PlanMitteQuerVersatz(const CQOR& plan, const CFahrzeug& f, int* pDy)
{
    *pDy = 0;
    const Ausdehnung a = AuswahlAusdehnung(plan);
    if (!a.bGefunden)
        return false;
    const double d = (f.GetLFBreite() - f.GetRandabstand(5) - a.maxY - a.minY) * 0.5;
    // The width is a 4-byte real: what it carries beyond a micrometre is not a shift.
    if (std::fabs(d) <= 0.01 + 1e-6)
        return false;
    *pDy = static_cast<int>(std::floor(d * 100.0));
    return true;
}

double PlanMasseNachTaste(double dMasse, bool bSchwerer)
{
    const double m = dMasse + (bSchwerer ? 0.1 : -0.1);
    return std::clamp(m, 0.0, 40.0);
}

double PlanMasseFuerRegler(double dMasse)
{
    return std::floor((dMasse + 0.00001) * 1000.0) / 1000.0;
}

bool PlanMasseGueltig(double dMasse)
{
    return dMasse >= 0.0 && dMasse <= 99.99;
}

int PlanPfeilSchritt(bool bShift, bool bCtrl)
{
    if (!bShift)
        return 1;
    return bCtrl ? 100 : 10;
}

double PlanYVonSeite(const CFahrzeug& f, int nRasterSeite, double y, double dExtentY)
{
    if (nRasterSeite == 0)
        return y;
    return f.GetLFBreite() - f.GetRandabstand(3) - f.GetRandabstand(1) - y - dExtentY;
}

double PlanKlemmeBreite(double dBreite)
{
    return std::clamp(dBreite, 0.8, 4.0);
}

bool PlanSetLadeflaechenBreite(CFahrzeug& f, double dBreite, int nRasterSeite)
{
    const float fNeu = static_cast<float>(PlanKlemmeBreite(dBreite));
    const float fAlt = f.m_fLFBreite;
    if (fNeu == fAlt)
        return false;
    f.m_fLFBreite = fNeu;
    CQOR* plan = f.GetQor();
    if (nRasterSeite != 0 && plan) {
        // Whole centimetres, so that the loads stay on the plan's grid.
        const double d = AufZentimeter(static_cast<double>(fNeu) - static_cast<double>(fAlt));
        for (tagLGINFO* p : plan->GetLgInfos())
            p->m_dPosY = AufZentimeter(p->m_dPosY + d);
        plan->m_bModified = 1;
    }
    return true;
}
