// The drawing of a rigid-drawbar trailer: drawbar and axles, the coupling point as the first record.
#include "draw2d/CDIBStarrdeichsel.h"

#include "draw2d/CKoordSys.h"
#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"

#include <QPainter>

#include <algorithm>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CDIBStarrdeichsel::CDIBStarrdeichsel(CFahrzeug* pFahrzeug)
    : CDIBFahrzeug(pFahrzeug), m_fontHinweis(FontTable::MakeFont("Microsoft Sans Serif", 12))
{
    m_fontHinweis.setUnderline(true);
}

int CDIBStarrdeichsel::GetDrawLength(int nPixProMeter, double dZoom) const
{
    const double a = m_pFahrzeug->GetAchse1Abstand();
    return a < 0.0 ? 0 : Trunc(nPixProMeter * a * dZoom);
}

std::string CDIBStarrdeichsel::AchsName(int i) const
{
    return AchsNameNachKupplung(i, 15u, 3);
}

void CDIBStarrdeichsel::DrawDeichsel(QPainter& painter, const QPoint& front, const QSize& scale, double dZoom)
{
    const int x = front.x(), y = front.y(), s = scale.width();
    const double z = dZoom;
    const CFahrzeug* pZug = m_pFahrzeug->GetPartner();
    const double dKuppl = m_pFahrzeug->GetAchse1Abstand();
    m_Deichsel.clear();
    if (!(pZug && pZug->IsArt5())) {
        const int e = x - Trunc(dKuppl * s * z);
        const int b = y + Trunc(0.6 * s * z), t2 = (2 * s) / 192, t3 = (3 * s) / 192;
        const int h = Trunc(0.33 * s * z), k = b - h - t3 - t2 - y, L = Trunc(s * z);
        const int e3 = e + Trunc(0.3 * s * z);
        m_Deichsel << QPoint(e, b - t2) << QPoint(e3, b - t2) << QPoint(e3, b - t3 - t2)
                   << QPoint(x, b - t3 - t2) << QPoint(x + k, b - k - t3 - t2)
                   << QPoint(x + L + k, b - k - t3 - t2) << QPoint(x + L - 2 * t3 - 2 * t2, b + t3 + t2)
                   << QPoint(e3, b + t3 + t2) << QPoint(e3, b + t2) << QPoint(e, b + t2);
    } else {
        const int u = Trunc(s * 16 / 400.0 * z), v = Trunc(s * 36 / 400.0 * z), w = Trunc(s * 32 / 400.0 * z);
        const int e = x - (Trunc(dKuppl * s * z) + 4);
        m_Deichsel << QPoint(x, y) << QPoint(e, y) << QPoint(e, y + u) << QPoint(e + v, y + u)
                   << QPoint(e + v + u, y + 2 * u) << QPoint(x - w, y + 2 * u) << QPoint(x, y + 2 * u + w);
    }
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawPolygon(m_Deichsel);
    painter.restore();
}

void CDIBStarrdeichsel::Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
                             double dZoom, int n, IPlanDrawView* pView, bool bTeilweise)
{
    CDIBFahrzeug::Draw(painter, x, y, pKoordSys, scale, dZoom, n, pView, bTeilweise);
    if (bTeilweise || !pKoordSys || !pView)
        return;
    painter.save();
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom;
    DrawDeichsel(painter, QPoint(x, y), QSize(pKoordSys->m_nPixProMeter, pKoordSys->m_nPixProTonne), dZoom);
    SAchsLayout layout;
    const CFahrzeug* pZug = m_pFahrzeug->GetPartner();
    layout.nTopY = (pZug && pZug->IsArt5()) ? y - Trunc(sx * 0.15 * z) : y + Trunc(sx * 0.38 * z);
    layout.nErsteMitBild = 1;
    layout.nBildVersatz = 1;
    DrawAchsen(painter, x, y, pKoordSys, scale, dZoom, pView, layout);
    if (!m_lstAchsen.empty()) {
        // The coupling point, the head of the list, ahead of the load-area front.
        const QPoint p(x - Trunc(Trunc(m_pFahrzeug->GetAchse1Abstand() * sx * z) * scale.m_dFaktorX), y + 28);
        m_lstAchsen[0].m_rc = painter.worldTransform().mapRect(QRect(p.x() - 10, p.y() - 10, 21, 21));
    }
    painter.restore();
}
