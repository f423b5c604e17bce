// The securing needs of a load unit per direction and the count of its lashing points per direction.
#include "model/securing/SicherungsBedarf.h"

#include "model/base/AngleMath.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CWizardParams.h"
#include "model/securing/CLgspReport.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"

#include <algorithm>
#include <cmath>

namespace {

bool IstSeite(int d)
{
    return d == 1 || d == 3;
}

// The blocking capacity of direction d in N (its force is kept in daN).
double Blockierung(const CWizardParams& wp, int d)
{
    const sFSParam& fs = wp.m_FS[d];
    return fs.m_nArt != 0 ? fs.m_nKapazitaet * 10.0 : 0.0;
}

double Masse(CLadeeinheit* u)
{
    u->CalcAbmessungen();
    double m = 0.0;
    u->GetAbmessungen(nullptr, nullptr, nullptr, nullptr, nullptr, &m);
    return m;
}

} // namespace

bool SicherungsBedarf::CheckRutschen(CLadeeinheit* pEinheit, const CWizardParams& wp, int d)
{
    if (!pEinheit || d < 0 || d > 3)
        return false;
    const float* c = wp.m_Norm.m_fKoeff;
    const double cd = d == 2 ? c[0] : d == 0 ? c[1] : c[2];
    const double mu = wp.m_bAntirutschmatte ? wp.m_fReibungMitMatte : wp.m_fReibungOhneMatte;
    const double k = CLgspReport::AbminderungsFaktor(wp);
    const double F = (cd - k * mu) * Masse(pEinheit) * 1000.0 * wp.m_Norm.m_fGravitation;
    return F > 0.0 && F - Blockierung(wp, d) > 0.0;
}

bool SicherungsBedarf::CheckKippen(CLadeeinheit* pEinheit, const CWizardParams& wp, int d)
{
    if (!pEinheit || d < 0 || d > 3)
        return false;
    const double m = Masse(pEinheit);
    double L = 0.0, W = 0.0;
    pEinheit->GetRechteck(nullptr, nullptr, &L, &W);
    double xs = 0.0, ys = 0.0, h = 0.0;
    // A unit without mass has no centre of gravity; one on the floor has no lever to tip over.
    if (!pEinheit->CalcSchwerpunkt(&xs, &ys, &h) || !(h > 0.0))
        return false;
    const float* c = wp.m_Norm.m_fKoeff;
    const double cd = d == 2 ? c[0] : d == 0 ? c[1] : (wp.m_nVerfahren == 1 && wp.m_nNorm == 1) ? c[9] : c[3];
    const double a = d == 0 ? L - xs : d == 1 ? W - ys : d == 2 ? xs : ys;
    const double B = Blockierung(wp, d);
    const double g = wp.m_Norm.m_fGravitation;
    auto kippt = [&](double k) {
        const double F = std::max(0.0, m * 1000.0 * k * g - B);
        return F > 0.0 && k > a / h;
    };
    if (kippt(cd))
        return true;
    return IstSeite(d) && wp.m_nVerfahren == 0 && wp.m_nNorm == 1 && kippt(c[4]);
}

int SicherungsBedarf::GetMaske(CLadeeinheit* pEinheit, const CWizardParams& wp)
{
    if (!pEinheit)
        return 0;
    int nMaske = 0;
    const int nReihe[4] = {2, 3, 0, 1};
    for (int i = 0; i < 4; ++i) {
        if (CheckRutschen(pEinheit, wp, nReihe[i]))
            nMaske |= 1 << (2 * i);
        if (CheckKippen(pEinheit, wp, nReihe[i]))
            nMaske |= 2 << (2 * i);
    }
    return nMaske;
}

void SicherungsBedarf::ZaehleZurrpunkte(CLadeeinheit* pEinheit, const CFahrzeug* pFahrzeug,
                                        int nZaehler[4][3])
{
    for (int d = 0; d < 4; ++d)
        for (int i = 0; i < 3; ++i)
            nZaehler[d][i] = 0;
    if (!pEinheit)
        return;
    CZurrpunkt* p = nullptr;
    int nEcke = 0;
    for (bool b = pEinheit->GetFirstZurrpunkt(&p, &nEcke, nullptr); b;
         b = pEinheit->GetNextZurrpunkt(&p, &nEcke, nullptr)) {
        if (!p)
            continue;
        double x = 0.0, y = 0.0;
        if (!pEinheit->GetAnschlagpunktPos(nEcke, &x, &y, nullptr))
            continue;
        if (pFahrzeug)
            pFahrzeug->AddRandabstand(&x, &y);
        const double dPeilung = CalcBearing(x, y, p->GetPosX(), p->GetPosY());
        const int nLaengs = nEcke == 0 || nEcke == 1 ? 0 : 1;
        const int nQuer = nEcke == 0 || nEcke == 2 ? 0 : 1;
        const double dLaengs = CalcAngleDiff(dPeilung, HALF_PI_SINGLE);
        if (dLaengs == HALF_PI_SINGLE) {
            ++nZaehler[0][2];
            ++nZaehler[2][2];
        } else {
            ++nZaehler[dLaengs < HALF_PI_SINGLE ? 2 : 0][nLaengs];
        }
        const double dQuer = CalcAngleDiff(dPeilung, PI_SINGLE);
        if (dQuer == HALF_PI_SINGLE) {
            ++nZaehler[1][2];
            ++nZaehler[3][2];
        } else {
            ++nZaehler[dQuer < HALF_PI_SINGLE ? 3 : 1][nQuer];
        }
    }
}
