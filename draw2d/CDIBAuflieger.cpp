// The drawing of a semi-trailer: kingpin and axles.
#include "draw2d/CDIBAuflieger.h"

#include "draw2d/CKoordSys.h"
#include "draw2d/IPlanDrawView.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"

#include <QPainter>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CDIBAuflieger::CDIBAuflieger(CFahrzeug* pFahrzeug) : CDIBFahrzeug(pFahrzeug) {}

int CDIBAuflieger::GetDrawLength(int nPixProMeter, double dZoom) const
{
    return m_pZugfahrzeug ? m_pZugfahrzeug->GetDrawLength(nPixProMeter, dZoom) : 0;
}

std::string CDIBAuflieger::AchsName(int i) const
{
    return AchsNameNachKupplung(i, 61191u, 5);
}

void CDIBAuflieger::Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
                         double dZoom, int n, IPlanDrawView* pView, bool bTeilweise)
{
    CDIBFahrzeug::Draw(painter, x, y, pKoordSys, scale, dZoom, n, pView, bTeilweise);
    if (bTeilweise || !pKoordSys || !pView)
        return;
    painter.save();
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom;
    SAchsLayout layout;
    layout.nTopY = y + Trunc(sx * 0.38 * z);
    layout.nErsteMitBild = 1;
    DrawAchsen(painter, x, y, pKoordSys, scale, dZoom, pView, layout);
    m_rcKingpin = QRect();
    if (!m_lstAchsen.empty() && m_pAchsBild[0] && m_pAchsBild[0]->IsLoaded()) {
        // The kingpin, scaled to the ruler, hangs under the floor at its model position.
        const CMemBm& bm = *m_pAchsBild[0];
        const double f = sx / 129 * z;
        const int w = Trunc(bm.GetWidth() * f), h = Trunc(bm.GetHeight() * f);
        const int kx = x + Trunc(Trunc(sx * m_pFahrzeug->m_dAchsPos[0] * z) * scale.m_dFaktorX);
        const QRect rc(kx - w / 2, y + 1, w, h);
        bm.DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
        m_rcKingpin = painter.worldTransform().mapRect(rc);
        m_lstAchsen[0].m_rc = m_rcKingpin.adjusted(-5, -5, 5, 5);
    }
    painter.restore();
}
