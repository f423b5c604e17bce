// Where a load's centre of gravity lies from its position, by the rotation it lies at.
#include "model/plan/SchwerpunktVersatz.h"

#include "model/plan/tagLGINFO.h"

void GetSchwerpunktVersatz(const tagLGINFO& lg, int nDrehung, double* pDx, double* pDy)
{
    const double l = lg.m_dLaenge, w = lg.m_dBreite, gl = lg.m_dSPLaenge, gw = lg.m_dSPBreite;
    switch (nDrehung) {
    case 90:
        *pDx = gw;
        *pDy = gl;
        break;
    case 180:
        *pDx = l - gl;
        *pDy = gw;
        break;
    case 270:
        *pDx = w - gw;
        *pDy = l - gl;
        break;
    default:
        *pDx = gl;
        *pDy = w - gw;
        break;
    }
}
