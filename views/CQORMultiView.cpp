// The combination's template view: both vehicles, two axle-load pictures, switching by a click.
#include "views/CQORMultiView.h"

#include "draw2d/CDIBFahrzeug.h"
#include "draw2d/ViewCursors.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <utility>

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

int CQORMultiView::AnderIndex() const
{
    return GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug ? CQOR1Doc::kAktivAnhaenger
                                                              : CQOR1Doc::kAktivZugfahrzeug;
}

QRect CQORMultiView::GetLadeflaecheRect() const
{
    return m_Maler.AktivLadeflaeche(GetDocument(), GetViewAktivIndex(), HasTowingPair() && !IsBildExport(),
                                    m_dZoom);
}

CDIBFahrzeug* CQORMultiView::GetDIBFahrzeug() const
{
    CDIBFahrzeug* pDIB = m_Maler.GetDIBFahrzeug();
    if (pDIB && HasTowingPair() && GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug && pDIB->m_pZugfahrzeug)
        return pDIB->m_pZugfahrzeug;
    return pDIB;
}

double CQORMultiView::PixelToPosition(const QPoint& pt) const
{
    const double scale = m_Maler.GetKoordSys().m_nPixProMeter;
    if (!HasTowingPair() || GetViewAktivIndex() == CQOR1Doc::kAktivZugfahrzeug || scale <= 0.0 ||
        m_dZoom <= 0.0)
        return CQOR1View::PixelToPosition(pt);
    // The trailer's positions count from its own load area, the offset behind the towing vehicle off.
    const CQOR1Doc* pDoc = GetDocument();
    const double d = (pt.x() - Erg().rcLadeflaeche.left()) / scale / m_dZoom - pDoc->GetAnhaengerVersatz();
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
    m_nPickX = static_cast<int>(m_dZoom * dPos * m_Maler.GetKoordSys().m_nPixProMeter) + GetOriginX();
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
    m_Maler.ZeichneKombination(painter, Eingabe(), bTeilweise);
    UebernimmScrollGroesse();
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
        if (LadeflaecheClient().contains(pt) && m_Regler.GetEditZLRect().contains(pt))
            return;
        // The other vehicle's drawing, wherever it is not covered by the one worked on, switches.
        if (bKombi && GetHotSpot(kHotFahrzeugAnders).contains(pt) &&
            !GetHotSpot(kHotFahrzeugAktiv).contains(pt)) {
            if (WechselFahrzeug()) {
                auto& hot = m_Maler.Ergebnis().rcHotSpots;
                std::swap(hot[kHotFahrzeugAktiv], hot[kHotFahrzeugAnders]);
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
