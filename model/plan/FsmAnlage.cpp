// Contact side and covered cells of a form-fit securing element.
#include "model/plan/FsmAnlage.h"

#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <cmath>

int GetFsmAnlage(const CFahrzeug& f, const CQOR* pPlan, const tagLGINFO& lg, int* pArt)
{
    double Lu = 0.0, Wu = 0.0;
    f.GetNutzbareLF(&Lu, &Wu);
    const double ex = lg.GetDimX(), ey = lg.GetDimY();
    const double x = lg.m_dPosX, y = lg.m_dPosY;

    const double tol = static_cast<double>(0.02f);
    bool vorn = std::fabs(x) <= tol;
    bool hinten = std::fabs(x + ex - Lu) <= tol;
    bool seiteA = std::fabs(y) <= tol;
    bool seiteB = std::fabs(y + ey - Wu) <= tol;
    if (ex > ey)
        vorn = hinten = false;
    if (ey > ex)
        seiteA = seiteB = false;

    int nSeite = 0;
    const auto laengs = [&] { return vorn && !hinten ? 3 : hinten && !vorn ? 1 : 0; };
    const auto quer = [&] { return seiteA && !seiteB ? 4 : seiteB && !seiteA ? 2 : 0; };
    if (ex > ey) {
        nSeite = quer();
        if (nSeite == 0)
            nSeite = laengs();
    } else {
        nSeite = laengs();
        if (nSeite == 0)
            nSeite = quer();
    }
    if (nSeite != 0) {
        if (pArt)
            *pArt = 1;
        return nSeite;
    }

    // Not on the boundary: the first placed load that touches it decides.
    const double tolLg = static_cast<double>(0.01f);
    int bits = 0;
    if (pPlan)
        for (const tagLGINFO* q : pPlan->GetLgInfos()) {
            if (std::fabs(q->GetEndX() - x) <= tolLg)
                bits |= 1;
            else if (std::fabs(q->m_dPosX - lg.GetEndX()) <= tolLg)
                bits |= 2;
            if (std::fabs(q->m_dPosY - lg.GetEndY()) <= tolLg)
                bits |= 4;
            else if (std::fabs(q->GetEndY() - y) <= tolLg)
                bits |= 8;
            if (bits)
                break;
        }
    if (pArt)
        *pArt = 2;
    if (bits & 2)
        return 3;
    if (bits & 1)
        return 1;
    if (bits & 4)
        return 4;
    if (bits & 8)
        return 2;
    return 0;
}

void GetFsmRaster(const CFahrzeug& f, const tagLGINFO& lg, int nSeite, int* pAnzahl, int* pBelegt)
{
    double Lu = 0.0, Wu = 0.0;
    f.GetNutzbareLF(&Lu, &Wu);
    const bool bQuer = nSeite == 1 || nSeite == 3;
    const double dExtent = bQuer ? lg.GetDimY() : lg.GetDimX();
    const double dNutzbar = bQuer ? Wu : Lu;
    const int nAnzahl = f.GetRasterAnzahl(nSeite);
    if (pAnzahl)
        *pAnzahl = nAnzahl;
    if (pBelegt)
        *pBelegt = dNutzbar > 0.0 ? static_cast<int>(dExtent / dNutzbar * nAnzahl + 0.001) : 0;
}
