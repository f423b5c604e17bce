// The combination's template view: both vehicles, two axle-load pictures, switching by a click.
#include "views/CQORMultiView.h"

#include "draw2d/CDIBFahrzeug.h"
#include "draw2d/SGuiAchse.h"
#include "draw2d/ViewCursors.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

int Zoomed(double pixels, double dZoom)
{
    return static_cast<int>(pixels * dZoom);
}

} // namespace

CQORMultiView::CQORMultiView(CQOR1Doc* pDoc, QWidget* parent) : CQOR1View(pDoc, parent)
{
    setObjectName(QStringLiteral("MultiView"));
}

CQORMultiView::~CQORMultiView() = default;

int CQORMultiView::GetViewAktivIndex() const
{
    const CQOR1Doc* pDoc = GetDocument();
    return pDoc ? pDoc->GetAktivIndex() : 1;
}

bool CQORMultiView::HasTowingPair() const
{
    const CQOR1Doc* pDoc = GetDocument();
    return pDoc && pDoc->GetAnhaenger() != nullptr;
}

bool CQORMultiView::IsKombinationsBild() const
{
    return HasTowingPair() && !IsBildExport();
}

bool CQORMultiView::IsEinzelBild() const
{
    return HasTowingPair() && IsBildExport();
}

CFahrzeug* CQORMultiView::GetEinzelFahrzeug() const
{
    // The picture of export part 1 shows the towing vehicle, that of part 2 the trailer.
    return IsEinzelBild() ? GetExportFahrzeug(m_nExportTeil) : nullptr;
}

int CQORMultiView::AnderIndex() const
{
    return GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug ? CQOR1Doc::kAktivAnhaenger
                                                              : CQOR1Doc::kAktivZugfahrzeug;
}

QRect CQORMultiView::GetLadeflaecheRect() const
{
    QRect rc = m_rcLadeflaeche;
    const CQOR1Doc* pDoc = GetDocument();
    if (!HasTowingPair() || IsBildExport() || !pDoc)
        return rc;
    if (GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug) {
        const CFahrzeug* f = pDoc->GetAktivFahrzeug(false);
        rc.setRight(rc.left() + (f ? MetresToPixels(f->GetLFLaenge()) : 0) - 1);
    } else {
        rc.setLeft(rc.left() + MetresToPixels(pDoc->GetAnhaengerVersatz()));
    }
    return rc;
}

CDIBFahrzeug* CQORMultiView::GetDIBFahrzeug() const
{
    CDIBFahrzeug* pDIB = m_pDIBFahrzeug.get();
    if (pDIB && HasTowingPair() && GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug && pDIB->m_pZugfahrzeug)
        return pDIB->m_pZugfahrzeug;
    return pDIB;
}

double CQORMultiView::PixelToPosition(const QPoint& pt) const
{
    const double scale = m_KoordSys.m_nPixProMeter;
    if (!HasTowingPair() || GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug || scale <= 0.0 ||
        m_dZoom <= 0.0)
        return CQOR1View::PixelToPosition(pt);
    // The trailer's positions count from its own load area, the offset behind the towing vehicle off.
    const CQOR1Doc* pDoc = GetDocument();
    const double d = (pt.x() - m_rcLadeflaeche.left()) / scale / m_dZoom - pDoc->GetAnhaengerVersatz();
    return std::round((d - Frontrand(GetArbeitsFahrzeug())) * 100.0) / 100.0;
}

void CQORMultiView::SetPickPosition(double dPos, CFahrzeug* pFahrzeug, bool bMove)
{
    CQOR1Doc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CFahrzeug* f = pFahrzeug ? pFahrzeug : pDoc->GetAktivFahrzeug(false);
    if (HasTowingPair() && f && f->IsAnhaengerArt())
        dPos += pDoc->GetAnhaengerVersatz();
    m_dPickPos = dPos;
    m_nPickX = static_cast<int>(m_dZoom * dPos * m_KoordSys.m_nPixProMeter) + GetOriginX();
    if (bMove)
        m_nPickX -= Scroll().x();
    viewport()->update();
}

CFahrzeug* CQORMultiView::GetExportFahrzeug(int nTeil) const
{
    const CQOR1Doc* pDoc = GetDocument();
    if (!pDoc)
        return nullptr;
    if (!HasTowingPair())
        return CQOR1View::GetExportFahrzeug(nTeil);
    return nTeil == 1 ? pDoc->GetZugfahrzeug() : pDoc->GetFahrzeug();
}

// --- the paint -------------------------------------------------------------------------------------------

void CQORMultiView::ZeichneGrundbild(QPainter& painter, bool bTeilweise)
{
    m_nAnimAnzahl = 0;
    m_bDiagrammZeigen = false;
    // Export part 0 asks for no picture at all.
    if (IsBildExport() && m_nExportTeil == 0)
        return;
    if (!HasTowingPair()) {
        CQOR1View::ZeichneGrundbild(painter, bTeilweise);
        m_nZugX = m_nAnhaengerX = m_ptOrigin.x();
        return;
    }
    DrawKombination(painter, bTeilweise);
}

void CQORMultiView::DrawKombination(QPainter& painter, bool bTeilweise)
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    CFahrzeug* pZug = pDoc->GetZugfahrzeug();
    const bool bVoll = !bTeilweise;
    CDIBFahrzeug* pDIB = BeginneGrundbild(pDoc, pAnh, bTeilweise);
    CDIBFahrzeug* pZugDIB = pDIB ? pDIB->m_pZugfahrzeug : nullptr;
    if (!pDIB || !pZugDIB) {
        // A towing vehicle without a drawing of its own: the template view's picture of the pair.
        CQOR1View::ZeichneGrundbild(painter, bTeilweise);
        return;
    }
    const double z = m_dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    // The towing vehicle stands in front: its drawing's length and kind place the origin.
    const int w = CalcPlanWidth(m_bShowFahrzeug, pZugDIB);
    const int len = pZugDIB->GetDrawLength(scale, z);
    const bool bExport = m_bBildExport;
    const int nTeil = m_nExportTeil;
    int x = len + Zoomed(48, z);
    if (bExport)
        x += pZug->IsArt5() ? static_cast<int>(scale * 24 / 400.0) : 35;
    m_ptOrigin.setX(x);
    int y = OriginY();
    m_nDrawShiftX = m_nDrawShiftY = 0;
    if (bExport) {
        // The trailer's picture begins with the trailer, the towing vehicle's with the towing vehicle.
        x = CalcExportOriginX(nTeil == 2 ? pAnh : nullptr, x, scale);
    } else if (IsInVisibleSplitterPane() && m_bActive) {
        m_nDrawShiftX = m_nDrawShiftY = -2;
        x -= 2;
        y -= 2;
    }
    const int x2 = x + MetresToPixels(pDoc->GetAnhaengerVersatz());
    m_nZugX = x;
    m_nAnhaengerX = x2;

    const bool bZugAktiv = GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug;
    const bool bSzmAktiv = bZugAktiv && pZug->GetArt() == FahrzeugArt::kSattelzugmaschine;
    const int xAktiv = bZugAktiv && !bSzmAktiv ? x : x2;
    m_ptOriginDrawn = QPoint(xAktiv - m_nDrawShiftX, y - m_nDrawShiftY);

    CFahrzeugDiagrammBild* pChart = nullptr;
    CFahrzeug* pArbeit = GetArbeitsFahrzeug();
    if (!bExport && !m_bPrinting && m_bShowDiagramm && pArbeit &&
        pArbeit->GetArt() != FahrzeugArt::kSattelzugmaschine)
        pChart = &m_DiagrammBild;

    m_KoordSys.Draw(painter, x, y, m_Scale, z, this);
    const int top = m_KoordSys.GetAchsOben();
    if (bExport) {
        CFahrzeug* f = nTeil == 1 ? pZug : pAnh;
        m_rcLadeflaeche = QRect(x, top, MetresToPixels(f->GetLFLaenge()), y - top);
    } else {
        m_rcLadeflaeche = QRect(x, top, x2 + MetresToPixels(pAnh->GetLFLaenge()) - x, y - top);
    }

    // The pictures of the last paint must not answer a click of this one.
    m_rcAuflager.erase({kAufBildInaktiv, 0});
    m_rcAuflager.erase({kAufBild, 0});
    m_rcAuflager.erase({kAufAnteilAnhaenger, 0});
    m_rcAuflager.erase({kAufAnteilAnhaenger, 1});
    if (m_bShowFahrzeug)
        DrawKombiFahrzeuge(painter, x, x2, y, bZugAktiv, bTeilweise);

    m_rcDiagramm = QRect();
    if (pChart) {
        const int xLF = pArbeit == pZug ? x : x2;
        m_bDiagrammZeigen = true;
        m_ptDiagramm = QPoint(xLF + MetresToPixels(pArbeit->GetLFLaenge()),
                              y - CFahrzeugDiagrammBild::kOben - CFahrzeugDiagrammBild::kPlotHoehe);
    }
    if (bExport || m_bPrinting)
        return;

    SetzeKombiScrollGroesse(x, y, x + Zoomed(300, z) - len + w, pChart != nullptr, bVoll);
}

// The two vehicles (or an export part's one) with their dimensions and axle-load pictures; the
// trailer's load area starts at x2.
void CQORMultiView::DrawKombiFahrzeuge(QPainter& painter, int x, int x2, int y, bool bZugAktiv,
                                       bool bTeilweise)
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    CFahrzeug* pZug = pDoc->GetZugfahrzeug();
    CDIBFahrzeug* pDIB = m_pDIBFahrzeug.get();
    CDIBFahrzeug* pZugDIB = pDIB->m_pZugfahrzeug;
    const bool bExport = m_bBildExport;
    const int nTeil = m_nExportTeil;
    const double z = m_dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    const int n = m_nDrawMode == 2 ? m_nDrawArg : 0;
    if (bExport) {
        (nTeil == 1 ? pZugDIB : pDIB)->Draw(painter, x, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
    } else if (bZugAktiv) {
        // The vehicle not worked on goes first, pale, and the one worked on over it.
        pDIB->Draw(painter, x2, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
        pZugDIB->Draw(painter, x, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
    } else {
        pZugDIB->Draw(painter, x, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
        pDIB->Draw(painter, x2, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
    }
    if (!bExport) {
        // Each vehicle's whole drawing is its area: from what it draws ahead of its load area (the cab,
        // the drawbar) to the end of that, from the rulers down to its wheels.
        const int top = m_KoordSys.GetAchsOben();
        // The trailer's area begins with its load area: what it draws ahead of it lies over the
        // towing vehicle.
        const auto zeichnung = [&](const CDIBFahrzeug& dib, const CFahrzeug& f, int x0, bool bVorn) {
            const int ende = x0 + std::max(MetresToPixels(f.GetLFLaenge()), 1);
            const int anfang = bVorn ? x0 - dib.GetDrawLength(scale, z) : x0;
            QRect rc = painter.worldTransform().mapRect(QRect(QPoint(anfang, top), QPoint(ende, y)));
            for (const SGuiAchse& achse : dib.GetAchsen())
                rc |= achse.m_rc;
            return rc;
        };
        const QRect zug = zeichnung(*pZugDIB, *pZug, x, true), anh = zeichnung(*pDIB, *pAnh, x2, false);
        SetHotSpot(kHotFahrzeugAktiv, bZugAktiv ? zug : anh);
        SetHotSpot(kHotFahrzeugAnders, bZugAktiv ? anh : zug);
    }
    if (m_bShowBemassung) {
        m_Bemassung.Draw(painter, bExport ? x : x2, y, scale, m_Scale, z, this);
        const int yA = y + Zoomed(500, z);
        if (bExport) {
            m_Auflager.SetFahrzeug(nTeil == 1 ? pZug : pAnh, this);
            m_Auflager.Draw(painter, x, yA, scale, z, this);
        } else {
            const int art = pAnh->GetFahrzeugTyp();
            const int tiefer = art == FahrzeugArt::kStarrdeichsel || art == FahrzeugArt::kAuflieger
                                   ? static_cast<int>(400 * z * m_Scale.m_dFaktorY)
                                   : 0;
            // The towing vehicle's row titles keep clear of the trailer's picture beside them.
            m_Auflager.SetFreiZuHalten({});
            m_Auflager.SetFahrzeug(pAnh, this);
            std::vector<QRect> anhaenger = m_Auflager.MissTexte(painter, x2, yA + tiefer, scale, z, this);
            m_Auflager.SetFahrzeug(pZug, this);
            m_Auflager.SetFreiZuHalten(std::move(anhaenger));
            m_Auflager.Draw(painter, x, yA, scale, z, this);
            m_Auflager.SetFreiZuHalten({});
            m_Auflager.SetFahrzeug(pAnh, this);
            m_Auflager.Draw(painter, x2, yA + tiefer, scale, z, this);
            if (!m_bPrinting)
                m_nAnimAnzahl = 4;
        }
    }
}

// The scroll size after the drawing: it reaches the trailer's end and the lower axle-load picture.
// nBreite is the width of the drawing when a trailer of its kind does not set it.
void CQORMultiView::SetzeKombiScrollGroesse(int x, int y, int nBreite, bool bChart, bool bVoll)
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    const double z = m_dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    int breite = nBreite;
    const int art = pAnh->GetArt();
    if (art == FahrzeugArt::kAnhaenger || art == FahrzeugArt::kStarrdeichsel)
        breite = static_cast<int>((pDoc->GetAnhaengerVersatz() + pAnh->GetLFLaenge()) * scale * z) + x + 105;
    if (bChart)
        breite += CFahrzeugDiagrammBild::kBreite;
    const QRect a = GetHotRect(53), b = GetHotRect(54);
    int hoehe = Zoomed(240, z) + static_cast<int>(660 * z * m_Scale.m_dFaktorY) + y;
    if (!a.isEmpty() || !b.isEmpty())
        hoehe = std::max(a.isEmpty() ? 0 : a.bottom(), b.isEmpty() ? 0 : b.bottom()) + Scroll().y() + 15;
    const QSize total = MitTexten(QSize(breite, hoehe));
    if (bVoll && total != GetTotalSize())
        SetScrollSizes(total, QSize(Zoomed(1000, z), Zoomed(500, z)), QSize(20, 50));
}

// --- clicks ----------------------------------------------------------------------------------------------

bool CQORMultiView::WechselFahrzeug()
{
    CQOR1Doc* pDoc = GetDocument();
    if (!pDoc || !pDoc->SetAktivIndex(AnderIndex(), true, true))
        return false;
    ClearSelection(false);
    return true;
}

void CQORMultiView::LinksDruecken(const QPoint& pt, Qt::KeyboardModifiers mods)
{
    CQOR1Doc* pDoc = GetDocument();
    const bool bKombi = HasTowingPair();
    CFahrzeug* pVorn = pDoc ? pDoc->GetFirstFahrzeug() : nullptr;
    const bool bSattel = bKombi && pVorn && pVorn->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine;
    // The fifth-wheel load of the tractor worked on edits as in the template view.
    const bool bSattellast = bSattel && pDoc->GetAktivFahrzeugArt() == 1 && GetHotRect(55).contains(pt);
    if (!bSattellast) {
        if (bKombi && GetHotRect(54).contains(pt)) {
            // The other vehicle's axle-load picture: switch, nothing else.
            if (WechselFahrzeug())
                pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
            viewport()->update();
            return;
        }
        if (LadeflaecheClient().contains(pt) && m_rcEditZL.contains(pt))
            return;
        // The other vehicle's drawing, wherever it is not covered by the one worked on, switches.
        if (bKombi && GetHotSpot(kHotFahrzeugAnders).contains(pt) &&
            !GetHotSpot(kHotFahrzeugAktiv).contains(pt)) {
            if (WechselFahrzeug()) {
                std::swap(m_rcHotSpots[kHotFahrzeugAktiv], m_rcHotSpots[kHotFahrzeugAnders]);
                pDoc->RedrawViews();
                // Hover and pick state follow the new vehicle at once.
                m_ptLastMouse = QPoint(0, 0);
                Bewegen(pt, Qt::NoButton, mods);
            }
        }
    }
    HitTest(pt);
    Druecken(pt, mods);
}

void CQORMultiView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        CQOR1View::mousePressEvent(e);
        return;
    }
    LinksDruecken(e->position().toPoint(), e->modifiers());
    if (m_nCursorId)
        viewport()->setCursor(ViewCursors::Load(m_nCursorId));
}
