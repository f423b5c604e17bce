// The drawing of a drawbar trailer: its axles, the first with its drawbar.
#include "draw2d/CDIBAnhaenger.h"

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

CDIBAnhaenger::CDIBAnhaenger(CFahrzeug* pFahrzeug) : CDIBFahrzeug(pFahrzeug) {}

int CDIBAnhaenger::GetDrawLength(int nPixProMeter, double dZoom) const
{
    const double d = 1.87 - m_pFahrzeug->GetAchse1Abstand();
    return d < 0.0 ? 0 : Trunc(nPixProMeter * d * dZoom);
}

std::string CDIBAnhaenger::AchsName(int i) const
{
    const int nVorn = m_pFahrzeug->CalcAnzahlVorderachsen();
    const int nHinten = m_pFahrzeug->GetAchsanzahl() - nVorn;
    const bool bVorn = i < nVorn;
    const std::string text = FormatS("$S", 1, bVorn ? 11u : 12u);
    if ((bVorn ? nVorn : nHinten) > 1)
        return FormatChecked("%s %i", {text, bVorn ? i + 1 : i + 1 - nVorn});
    return text;
}

void CDIBAnhaenger::Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
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
    // The first axle with its drawbar reaching forward.
    if (!m_lstAchsen.empty() && m_pAchsBild[0] && m_pAchsBild[0]->IsLoaded()) {
        const CMemBm& bm = *m_pAchsBild[0];
        const int ax = x + Trunc(sx * m_pFahrzeug->GetAchsGeometrie().dAchsPos[0] * z * scale.m_dFaktorX);
        // A print enlarges the screen's picture sizes and distances with the rest of the drawing.
        const double k = pView->GetDruckFaktor();
        const int wheel = Trunc((m_pAchsBild[1] ? m_pAchsBild[1]->GetWidth() : 40) * k);
        QRect rc;
        if (pView->IsBildExport()) {
            const double f = sx / 194;
            rc = QRect(ax - Trunc(sx * 1.95 * z), layout.nTopY - Trunc(sx * 2 / 194),
                       Trunc(bm.GetWidth() * f), Trunc(bm.GetHeight() * f));
        } else {
            rc = QRect(ax - wheel / 2 - Trunc(95 * k), layout.nTopY - Trunc(3 * k), Trunc(bm.GetWidth() * k),
                       Trunc(bm.GetHeight() * k));
        }
        bm.DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
        // The record keeps the wheel's rectangle.
        m_lstAchsen[0].m_rc = painter.worldTransform().mapRect(
            QRect(ax - wheel / 2, y + Trunc(69 * z * scale.m_dFaktorY), wheel, wheel));
    }
    painter.restore();
}
