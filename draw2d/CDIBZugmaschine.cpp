// The drawing of a rigid truck: cab, wheels and trailer coupling.
#include "draw2d/CDIBZugmaschine.h"

#include "draw2d/CKoordSys.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QPainter>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CDIBZugmaschine::CDIBZugmaschine(CFahrzeug* pFahrzeug) : CDIBFahrzeug(pFahrzeug) {}

int CDIBZugmaschine::GetDrawLength(int nPixProMeter, double dZoom) const
{
    const double a = m_pFahrzeug->GetAchse1Abstand();
    if (m_pFahrzeug->m_pFahrerhausBild && m_pFahrzeug->m_pFahrerhausBild->HatBild())
        return Trunc(m_pFahrzeug->m_pFahrerhausBild->GetVorbauLaenge() * nPixProMeter * dZoom);
    return Trunc((a + (m_pFahrzeug->IsArt5() ? 0.98 : 1.58)) * nPixProMeter * dZoom);
}

int CDIBZugmaschine::VorderGruppe() const
{
    int n = 1;
    while (n < m_pFahrzeug->GetAchsanzahl() && n < CFahrzeug::MAX_ACHSEN &&
           m_pFahrzeug->GetAchsGeometrie().bVorderGruppe[n])
        ++n;
    return n;
}

std::string CDIBZugmaschine::AchsName(int i) const
{
    const int nVorn = VorderGruppe();
    if (i == 0)
        return nVorn == 1 ? FormatS("$S", 1, 11u) : FormatS("$S 1", 1, 11u);
    if (i < CFahrzeug::MAX_ACHSEN && m_pFahrzeug->GetAchsGeometrie().bVorderGruppe[i])
        return FormatChecked("%s %i", {FormatS("$S", 1, 11u), i + 1});
    return FormatChecked("%s %i", {FormatS("$S", 1, 12u), i + 1 - nVorn});
}

void CDIBZugmaschine::Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
                           double dZoom, int n, IPlanDrawView* pView, bool bTeilweise)
{
    CDIBFahrzeug::Draw(painter, x, y, pKoordSys, scale, dZoom, n, pView, bTeilweise);
    if (bTeilweise || !pKoordSys || !pView)
        return;
    painter.save();
    DrawFahrerhaus(painter, x, y, pKoordSys, dZoom, pView);
    const double sx = pKoordSys->m_nPixProMeter;
    SAchsLayout layout;
    layout.nErsteMitBild = 1;
    layout.nBildVersatz = 1;
    if (m_pFahrzeug->IsArt5()) {
        layout.nTopY = y - Trunc(sx * 0.15 * dZoom);
        layout.dBildSkala = sx / 400.0;
    } else {
        layout.nTopY = y + Trunc(sx * 0.38 * dZoom);
    }
    DrawAchsen(painter, x, y, pKoordSys, scale, dZoom, pView, layout);
    DrawKupplung(painter, x, y, pKoordSys, scale, dZoom, pView);
    painter.restore();
}

void CDIBZugmaschine::DrawFahrerhaus(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                                     double dZoom, IPlanDrawView* /*pView*/)
{
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom;
    const bool b5 = m_pFahrzeug->IsArt5();
    const CMemBm& cab = m_bm[b5 ? kBmFahrerhaus5 : kBmFahrerhaus];
    if (!cab.IsLoaded())
        return;
    // The cab picture carries the front wheel: it grows with the zoom and stands with that wheel on
    // axle 1, on screen, in print and in the report picture alike.
    const double k = BildFaktor(sx, z, b5 ? sx / 400.0 : 0.0);
    const int w = Trunc(cab.GetWidth() * k), h = Trunc(cab.GetHeight() * k);
    const int achse1 = x + Trunc(sx * m_pFahrzeug->GetAchsPosition(0) * z);
    const int radX = b5 ? kVanRadX : kLkwRadX, oben = b5 ? kVanOben : kLkwOben;
    cab.StretchDraw(painter, achse1 - Trunc(radX * k), y - Trunc(oben * k), w, h, SRCAND, COLORONCOLOR);
}

void CDIBZugmaschine::DrawKupplung(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                                   const STupel& scale, double dZoom, IPlanDrawView* pView)
{
    CFahrzeug* v = m_pFahrzeug;
    CFahrzeug* pAnh = v->GetDokAnhaenger();
    const bool bKupplung = v->m_dKupplungslast1 > 0.0 || pAnh != nullptr;
    if (!bKupplung) {
        pView->SetHotSpot(IPlanDrawView::kHotKupplung, QRect());
        return;
    }
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom, s1 = scale.m_dFaktorX, s2 = scale.m_dFaktorY;
    const bool b5 = v->IsArt5();
    bool bUeber = false;
    if (pView->HasTowingPair() && pAnh && pAnh->GetArt() != FahrzeugArt::kAnhaenger) {
        double dVorn = 0.0, dHinten = 0.0;
        pAnh->CalcAchslastenBeladen(&dVorn, &dHinten);
        bUeber = dVorn >= v->m_dKupplungslast1;
    }
    const CMemBm& bm =
        m_bm[b5 ? (bUeber ? kBmKupplung5Ueber : kBmKupplung5) : (bUeber ? kBmKupplungUeber : kBmKupplung)];
    QRect rc;
    if (b5) {
        rc = QRect(x + Trunc(v->GetLFLaenge() * sx * z), y, Trunc(bm.GetWidth() * sx / 400),
                   Trunc(bm.GetHeight() * sx / 400));
    } else {
        const double cd = (pAnh && pAnh->GetArt() == FahrzeugArt::kAnhaenger) ? 0.25 : v->m_dKupplungsabstand;
        rc = QRect(x + Trunc(s1 * (v->GetLFLaenge() - cd - 0.15) * sx * z), y + Trunc(sx * 0.38 * z),
                   Trunc(Trunc(bm.GetWidth() * 1.6 * z * s1) * sx / 194),
                   Trunc(Trunc(bm.GetHeight() * 1.5 * z * s2) * sx / 194));
    }
    bm.DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
    const bool bEigene = pView->GetDocument() && pView->GetDocument()->GetFahrzeug() == v;
    if (bEigene && !(pAnh && pAnh->GetArt() == FahrzeugArt::kAnhaenger))
        pView->SetHotSpot(IPlanDrawView::kHotKupplung, painter.worldTransform().mapRect(rc));
    else
        pView->SetHotSpot(IPlanDrawView::kHotKupplung, QRect());
}
