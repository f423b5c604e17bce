// The drawing of a semi-trailer tractor: cab, wheels, fifth wheel and its permissible load.
#include "draw2d/CDIBSattelzugmaschine.h"

#include "draw2d/CKoordSys.h"
#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CSattelzugmaschine.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CDIBSattelzugmaschine::CDIBSattelzugmaschine(CFahrzeug* pFahrzeug)
    : CDIBZugmaschine(pFahrzeug), m_fontSattel(FontTable::MakeFont("Segoe UI", 15))
{
}

int CDIBSattelzugmaschine::SattelPixel(const CFahrzeug* pFahrzeug, double dPixProMeter, double dZoom,
                                       double s1)
{
    const auto* p = dynamic_cast<const CSattelzugmaschine*>(pFahrzeug);
    const double dX =
        p ? p->GetSattelX() : pFahrzeug->GetRadstandKorrigiert() - pFahrzeug->m_dKupplungsabstand;
    return Trunc(dPixProMeter * dX * dZoom * s1);
}

void CDIBSattelzugmaschine::DrawFahrerhaus(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                                           double dZoom, IPlanDrawView* /*pView*/)
{
    const CMemBm& cab = m_bm[kBmFahrerhaus];
    if (!cab.IsLoaded())
        return;
    // As the truck's: the picture's front wheel on axle 1, grown with the zoom.
    const double sx = pKoordSys->m_nPixProMeter;
    const double k = BildFaktor(sx, dZoom);
    const int achse1 = x + Trunc(sx * m_pFahrzeug->GetAchsPosition(0) * dZoom);
    cab.StretchDraw(painter, achse1 - Trunc(kLkwRadX * k), y - Trunc(kLkwOben * k), Trunc(cab.GetWidth() * k),
                    Trunc(cab.GetHeight() * k), SRCAND, COLORONCOLOR);
}

void CDIBSattelzugmaschine::DrawKupplung(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                                         const STupel& scale, double dZoom, IPlanDrawView* pView)
{
    CFahrzeug* v = m_pFahrzeug;
    CQOR1Doc* doc = pView->GetDocument();
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom, s1 = scale.m_dFaktorX, s2 = scale.m_dFaktorY;
    bool bUeber = false;
    if (pView->HasTowingPair() && doc && doc->GetFahrzeug() && doc->GetFahrzeug() != v) {
        double dVorn = 0.0, dHinten = 0.0;
        doc->GetFahrzeug()->CalcAchslastenBeladen(&dVorn, &dHinten);
        bUeber = dVorn > v->m_dKupplungslast1;
    }
    const CMemBm& bm = m_bm[bUeber ? kBmSattelUeber : kBmSattel];
    const int w = Trunc(bm.GetWidth() * 1.5 * s1), h = Trunc(bm.GetHeight() * 1.5 * s2);
    const int cx = x + SattelPixel(v, sx, z, s1);
    const QRect rc(cx - w / 2, y + Trunc(z * 0.35 * s2 * sx), w, h);
    m_rcSattel = QRect();
    if (!(pView->IsBildExport() && pView->HasTowingPair())) {
        bm.DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
        m_rcSattel = painter.worldTransform().mapRect(rc);
        pView->SetHotSpot(IPlanDrawView::kHotSattel, m_rcSattel);
    }
    // The permissible fifth-wheel load, while a motor vehicle is worked on.
    if (doc && doc->GetAktivFahrzeugArt() == 1) {
        CFahrzeug* pVorn = doc->GetFirstFahrzeug() ? doc->GetFirstFahrzeug() : v;
        const QString value =
            QString::fromStdString(FormatChecked("%.0f kg", {pVorn->m_dKupplungslast1 * 1000}));
        // A print or another zoom enlarges the screen's font with the picture.
        const double dGross = pView->GetDruckFaktor();
        const QFont font = dGross == 1.0 ? m_fontSattel : FontTable::MakeFont("Segoe UI", Trunc(15 * dGross));
        painter.setFont(font);
        const QFontMetrics fm(font);
        const int tw = fm.horizontalAdvance(value);
        const double dX = dynamic_cast<const CSattelzugmaschine*>(v)
                              ? static_cast<const CSattelzugmaschine*>(v)->GetSattelX()
                              : v->GetRadstandKorrigiert() - v->m_dKupplungsabstand;
        int ty = y - fm.height();
        if (!v->GetDokAnhaenger())
            ty += pView->MetresToPixels(0.35);
        const QRect rcText(x + pView->MetresToPixels(dX) - tw / 2, ty, tw, fm.height());
        painter.fillRect(rcText, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(rcText, Qt::AlignLeft | Qt::AlignTop, value);
        const QString unit = QString::fromStdString(FormatS("$S", 1, 573u));
        const QRect rcUnit(rcText.right() + 1 + Trunc(5 * dGross), ty, fm.horizontalAdvance(unit),
                           fm.height());
        painter.drawText(rcUnit, Qt::AlignLeft | Qt::AlignTop, unit);
        pView->AddTextRect(painter.worldTransform().mapRect(rcText));
        pView->AddTextRect(painter.worldTransform().mapRect(rcUnit));
        pView->SetHotSpot(IPlanDrawView::kHotSattellast, painter.worldTransform().mapRect(rcText));
    }
}
