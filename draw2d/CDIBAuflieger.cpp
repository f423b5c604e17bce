// The drawing of a semi-trailer: kingpin and axles.
#include "draw2d/CDIBAuflieger.h"

#include "draw2d/CKoordSys.h"
#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/Schwenkradius.h"
#include "platform/ResourceModule.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

namespace {

QFont Unterstrichen(int nHoehe, int nGewicht)
{
    QFont font = FontTable::MakeFont("Microsoft Sans Serif", nHoehe, nGewicht);
    font.setUnderline(true);
    return font;
}

} // namespace

CDIBAuflieger::CDIBAuflieger(CFahrzeug* pFahrzeug)
    : CDIBFahrzeug(pFahrzeug), m_fontNormal(Unterstrichen(12, 400)), m_fontWarnung(Unterstrichen(14, 700))
{
}

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
        const int kx =
            x + Trunc(Trunc(sx * m_pFahrzeug->GetAchsGeometrie().dAchsPos[0] * z) * scale.m_dFaktorX);
        const QRect rc(kx - w / 2, y + 1, w, h);
        bm.DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
        m_rcKingpin = painter.worldTransform().mapRect(rc);
        m_lstAchsen[0].m_rc = m_rcKingpin.adjusted(-5, -5, 5, 5);
    }
    DrawSchwenkradius(painter, x, y, pView);
    painter.restore();
}

void CDIBAuflieger::DrawSchwenkradius(QPainter& painter, int x, int y, IPlanDrawView* pView)
{
    pView->RemoveToolTip(kToolSchwenkradius);
    m_rcSchwenkradius = QRect();
    m_bSchwenkradiusWarnung = false;
    const CQOR1Doc* doc = pView->GetDocument();
    if (!ResourceModule::GermanInterface() || pView->IsBildExport() || !doc ||
        doc->GetAktivFahrzeugArt() != 2)
        return;
    m_bSchwenkradiusWarnung = Schwenkradius::IsUeberschritten(*m_pFahrzeug);
    // A print or another zoom enlarges the screen's font with the picture.
    QFont font = m_bSchwenkradiusWarnung ? m_fontWarnung : m_fontNormal;
    if (const double dGross = pView->GetDruckFaktor(); dGross != 1.0) {
        font = Unterstrichen(Trunc((m_bSchwenkradiusWarnung ? 14 : 12) * dGross),
                             m_bSchwenkradiusWarnung ? 700 : 400);
    }
    const QString text = QString::fromStdString(FormatS("$S", 1, kTextSchwenkradius));
    const QFontMetrics fm(font);
    const QRect rc(x + (IsAktiv(pView) ? 10 : 1), y + 1, fm.horizontalAdvance(text), fm.height());
    painter.setFont(font);
    painter.setPen(m_bSchwenkradiusWarnung ? QColor(255, 0, 0) : QColor(0, 0, 255));
    painter.drawText(rc, Qt::AlignLeft | Qt::AlignTop, text);
    m_rcSchwenkradius = painter.worldTransform().mapRect(rc);
    pView->AddTextRect(m_rcSchwenkradius);
    pView->SetToolTip(kToolSchwenkradius, m_rcSchwenkradius, std::string());
}
