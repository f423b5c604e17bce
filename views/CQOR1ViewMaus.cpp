// The template view's mouse: the hit test with its cursors, drags of axles, load-area end, couplings and
// items with their clamps, clicks on value labels, the hover frame and the load dialog's pick line.
#include "views/CQOR1View.h"

#include "views/IViewShell.h"

#include "draw2d/ViewCursors.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"
#include "ui/IMessageBoxService.h"
#include "ui/ProgramRun.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Hot rectangles of the value labels.
constexpr int kHotAbstand = SVorlageErgebnis::kHotAbstand;
constexpr int kHotZulLast = SVorlageErgebnis::kHotZulLast;
constexpr int kHotLeerlast = SVorlageErgebnis::kHotLeerlast;

int ArtVon(const CFahrzeug* f)
{
    return f ? f->GetArt() : -1;
}

double Cut2(double d)
{
    return std::trunc(d * 100.0) / 100.0;
}

// The cursors of the template, by their picture number (draw2d/ViewCursors.h).
constexpr int kCursorLaengs = 175;   // arrows left and right: moves along the vehicle
constexpr int kCursorGehalten = 192; // closed hand: a drag in progress
constexpr int kCursorKlick = 196;    // open hand: a click, or a drag of the first axle
constexpr int kCursorZiehen = 197;   // arrows four ways: moves freely
constexpr int kCursorPick = 203;     // arrows up and down: the load dialog's pick line
constexpr int kCursorVerweis = 337;  // pointing hand: the remarks link
constexpr int kCursorWert = 1032;    // an editable value, or the other vehicle of a pair
// The tool tips over the usable range of the vehicle worked on and of its towing vehicle.
constexpr int kToolNutzbar = 12348;
constexpr int kToolNutzbarZug = 12349;

} // namespace

// --- hot rectangles ------------------------------------------------------------------------------------

QRect CQOR1View::Label(int nHot) const
{
    if (nHot == 2)
        return m_rcAchseHot;
    if (nHot == 55) {
        const CFahrzeug* f = GetEditFahrzeug();
        return f && f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine ? GetHotSpot(kHotSattellast)
                                                                           : QRect();
    }
    return Erg().HotRect(nHot);
}

CFahrzeug* CQOR1View::GetEditFahrzeug() const
{
    CQOR1Doc* pDoc = GetDocument();
    return pDoc ? pDoc->GetAktivFahrzeug(false) : nullptr;
}

QRect CQOR1View::AktivLFClient() const
{
    return GetLadeflaecheRect().translated(-Scroll());
}

QRect CQOR1View::LadeflaecheClient() const
{
    return Erg().rcLadeflaeche.translated(-Scroll());
}

bool CQOR1View::HitZL(const QPoint& pt, tagZLINFO** ppZL, QRect* pRc) const
{
    if (!GetDIBFahrzeug())
        return false;
    for (const SGuiZL& zl : GetDIBFahrzeug()->GetZL())
        if (zl.m_pZL && zl.m_rc.contains(pt)) {
            *ppZL = zl.m_pZL;
            *pRc = zl.m_rc;
            return true;
        }
    return false;
}

bool CQOR1View::HitAchse(const QPoint& pt, int* pIndex) const
{
    if (!GetDIBFahrzeug())
        return false;
    bool bTreffer = false;
    const std::vector<SGuiAchse>& achsen = GetDIBFahrzeug()->GetAchsen();
    for (std::size_t i = 0; i < achsen.size(); ++i)
        if (achsen[i].m_rc.contains(pt)) {
            *pIndex = static_cast<int>(i);
            bTreffer = true; // the last hit wins
        }
    return bTreffer;
}

void CQOR1View::ReglerNeuzeichnen()
{
    viewport()->update();
}

void CQOR1View::SliderGone()
{
    m_bMarker = false;
    viewport()->update();
}

void CQOR1View::Geaendert(bool /*bVollUpdate*/)
{
    CQOR1Doc* pDoc = GetDocument();
    // A drag marks the vehicle once, when the button goes up.
    if (!pDoc || m_bDragging)
        return;
    pDoc->SetModifiedFlag(true);
    if (CFahrzeug* f = GetEditFahrzeug())
        f->SetModified();
    pDoc->UpdateFrameTitle();
}

// --- hit test ----------------------------------------------------------------------------------------------

int CQOR1View::HitTest(const QPoint& pt)
{
    m_nHitKind = kHitNichts;
    m_nDrawMode = kModusKein;
    m_pHoverZL = nullptr;
    m_nCursorId = 0;
    CFahrzeug* f = GetEditFahrzeug();
    if (!GetDIBFahrzeug() || !f)
        return 0;
    const auto setze = [this](int nCursor, int nModus, int nKind) {
        m_nCursorId = nCursor;
        m_nDrawMode = nModus;
        if (nKind >= 0)
            m_nHitKind = nKind;
        return nCursor;
    };
    const int art = f->GetArt();
    const bool bUnter = f->IsArt5();

    // Items: one that may be moved answers at once; the tail lift and the loading crane only click.
    bool bZL = false;
    for (const SGuiZL& zl : GetDIBFahrzeug()->GetZL())
        if (zl.m_pZL && zl.m_rc.contains(pt)) {
            m_pHoverZL = zl.m_pZL;
            if (zl.m_pZL->m_nTyp != 1 && zl.m_pZL->m_nTyp != 5)
                return setze(kCursorZiehen, kModusZiehbar, kHitZL);
            setze(kCursorKlick, kModusKlickbar, kHitZL);
            bZL = true;
            break;
        }

    // The other vehicle of a pair, anywhere on its drawing: a click makes it the one worked on.
    if (!bZL && HasTowingPair() && GetHotSpot(kHotFahrzeugAnders).contains(pt) &&
        !GetHotSpot(kHotFahrzeugAktiv).contains(pt))
        return setze(kCursorWert, kModusKlickbar, -1);
    // The load area: the pick area of the load dialog, or the other vehicle of a pair.
    const QRect lf = LadeflaecheClient().adjusted(0, 0, 0, -2);
    if (!bZL && lf.contains(pt)) {
        const QRect aktiv = GetHotSpot(kHotFahrzeugAktiv);
        const bool bImAktiv = aktiv.isEmpty() || aktiv.contains(pt);
        if (IViewShell::Of(&GetProgramRun()).GetLoadDialog() && bImAktiv && IsSelectedTabView())
            return setze(kCursorPick, kModusPick, kHitPick);
        if (!bImAktiv) {
            if (GetHotSpot(kHotFahrzeugAnders).contains(pt))
                return setze(kCursorWert, kModusKlickbar, -1);
            return setze(0, kModusKein, -1);
        }
        return setze(kCursorKlick, kModusKlickbar, kHitPick);
    }
    if (bZL)
        return m_nCursorId;

    if (Label(9).contains(pt))
        return setze(bUnter ? kCursorKlick : kCursorLaengs, kModusZiehbar, kHitKupplung);
    if (art == FahrzeugArt::kSattelzugmaschine && Label(10).contains(pt))
        return setze(kCursorZiehen, kModusZiehbar, kHitSattel);

    // Axles: the first counts only on a drawbar trailer and on a semi-trailer not shown coupled.
    m_nTarget = 0;
    const std::vector<SGuiAchse>& achsen = GetDIBFahrzeug()->GetAchsen();
    for (std::size_t i = 0; i < achsen.size(); ++i) {
        m_rcAchseHot = achsen[i].m_rc;
        if (!achsen[i].m_rc.contains(pt))
            continue;
        const bool bZaehlt =
            i > 0 || art == FahrzeugArt::kAnhaenger || (art == FahrzeugArt::kAuflieger && !HasTowingPair());
        if (bZaehlt) {
            m_nTarget = 3 + static_cast<int>(i);
            const int nCursor =
                m_nTarget == 3 && art == FahrzeugArt::kAuflieger ? kCursorLaengs : kCursorZiehen;
            return setze(nCursor, kModusZiehbar, m_nTarget);
        }
        m_nTarget = 3;
    }
    if (m_nTarget == 3 && art != FahrzeugArt::kStarrdeichsel) {
        m_rcAchseHot = achsen.empty() ? QRect() : achsen.front().m_rc;
        return setze(kCursorKlick, kModusZiehbar, kHitAchse1);
    }

    if (Label(1).contains(pt)) {
        m_nTarget = 2;
        return setze(kCursorLaengs, kModusZiehbar, kHitLFEnde);
    }
    if (Label(0).contains(pt)) {
        m_nTarget = 1;
        return setze(kCursorLaengs, kModusZiehbar, kHitAchse1Vorn);
    }
    if (Label(5).contains(pt))
        return setze(kCursorKlick, kModusKlickbar, kHitKoerper);
    if (Label(51).contains(pt))
        return setze(kCursorVerweis, m_nDrawMode, kHitBemerkung);

    // Value labels.
    const int n = std::min(f->GetRecordAnzahl(), 10);
    std::vector<int> labels;
    for (int i = 0; i + 1 < n; ++i)
        labels.push_back(kHotAbstand + i);
    for (int i = 0; i < n; ++i)
        labels.push_back(kHotLeerlast + i);
    for (int i = 0; i < n; ++i)
        labels.push_back(kHotZulLast + i);
    labels.push_back(41);
    if (art != FahrzeugArt::kStarrdeichsel)
        labels.push_back(42);
    for (int h : {45, 46, 47, 48, 49})
        labels.push_back(h);
    for (int h : labels)
        if (Label(h).contains(pt))
            return setze(kCursorWert, m_nDrawMode, -1);
    return 0;
}

// --- hover frame -------------------------------------------------------------------------------------------

void CQOR1View::TrackFocusRect(const QPoint& pt)
{
    const QRect alt = GetFocusRect();
    m_bFocus = false;
    const CFahrzeug* f = GetEditFahrzeug();
    if (f) {
        const int art = f->GetArt();
        const int n = std::min(f->GetRecordAnzahl(), 10);
        std::vector<int> labels;
        for (int i = 0; i + 1 < n; ++i)
            labels.push_back(kHotAbstand + i);
        for (int h : {45, 46, 47, 48, 49, 50})
            labels.push_back(h);
        for (int i = 0; i < n; ++i)
            labels.push_back(kHotLeerlast + i);
        for (int i = 0; i < n; ++i)
            labels.push_back(kHotZulLast + i);
        labels.push_back(41);
        if (art != FahrzeugArt::kStarrdeichsel)
            labels.push_back(42);
        labels.push_back(55);
        for (int h : labels) {
            const QRect rc = Label(h);
            if (!rc.isEmpty() && rc.contains(pt)) {
                m_rcFocus = rc;
                m_bFocus = true;
                break;
            }
        }
    }
    if (alt != GetFocusRect())
        viewport()->update();
}

// --- coupling tool tips -----------------------------------------------------------------------------------

void CQOR1View::ZeigeKupplungsTip(const QPoint& pt)
{
    CDIBFahrzeug* pDIB = m_Maler.GetDIBFahrzeug();
    if (!pDIB)
        return;
    // Over a payload area: where the load's centre of gravity may lie, and the load.
    const QPoint inhalt = pt + Scroll();
    for (CDIBFahrzeug* d : {pDIB, pDIB->m_pZugfahrzeug}) {
        CFahrzeug* v = d ? d->GetFahrzeug() : nullptr;
        if (!v || !v->GetQor() || !d->GetKurvenPunkte().containsPoint(inhalt, Qt::OddEvenFill))
            continue;
        const double f = v->GetRandabstand(0);
        const std::string text = FormatResChecked(203, {(v->GetNutzlastKurve().GetNutzbarVon() - f) * 1000.0,
                                                        (v->GetNutzlastKurve().GetNutzbarBis() - f) * 1000.0,
                                                        v->GetQorMasse() * 1000.0});
        SetToolTip(d == pDIB ? kToolNutzbar : kToolNutzbarZug, QRect(pt - QPoint(5, 5), QSize(11, 11)), text);
    }
}

// --- buttons -----------------------------------------------------------------------------------------------

void CQOR1View::Druecken(const QPoint& pt, Qt::KeyboardModifiers mods)
{
    m_ptLastMouse = pt;
    m_bLButtonDown = true;
    const QRect altSel = m_rcSelZL;
    const int altAchse = m_bHitAchse ? m_nHitAchse : -1;
    tagZLINFO* pZL = nullptr;
    QRect rc;
    if (HitZL(pt, &pZL, &rc)) {
        m_pSelZL = pZL;
        m_rcSelZL = rc;
        m_bHitAchse = false;
    } else {
        m_pSelZL = nullptr;
        m_rcSelZL = QRect();
        int i = -1;
        if (HitAchse(pt, &i)) {
            m_Achse = GetDIBFahrzeug()->GetAchsen()[static_cast<std::size_t>(i)];
            m_bHitAchse = true;
            m_nHitAchse = i;
        } else {
            m_bHitAchse = false;
            m_nHitAchse = -1;
        }
    }
    if (altSel != m_rcSelZL || altAchse != (m_bHitAchse ? m_nHitAchse : -1))
        viewport()->update();
    m_ptGrab = QPoint(0, 0);

    CFahrzeug* f = GetEditFahrzeug();
    const int art = ArtVon(f);
    if (m_nHitKind == kHitAchse1 && art == FahrzeugArt::kAuflieger && HasTowingPair())
        return;
    bool bZiehbar = m_nDrawMode == kModusZiehbar;
    if ((m_nHitKind == kHitKupplung && f && f->IsArt5()) ||
        (m_nHitKind == kHitAchse1 &&
         (art == FahrzeugArt::kZugmaschine || art == FahrzeugArt::kStarrdeichsel)))
        bZiehbar = false;

    if (m_nDrawMode == kModusPick) {
        if (mods & Qt::ControlModifier)
            IViewShell::Of(&GetProgramRun()).ShowLoadDialog(true);
        return;
    }
    if (bZiehbar) {
        QPoint anker;
        switch (m_nHitKind) {
        case kHitAchse1Vorn:
            anker = Label(0).topLeft();
            break;
        case kHitLFEnde:
            anker = Label(1).bottomRight() + QPoint(1, 1);
            break;
        case kHitKupplung: {
            const QRect k = Label(9);
            anker = QPoint(k.left() + static_cast<int>(0.3 * k.width()), k.top());
            break;
        }
        case kHitZL:
            anker = QPoint(m_rcSelZL.left() + m_rcSelZL.width() / 2, m_rcSelZL.top());
            break;
        default:
            if (m_nHitKind >= 3 && m_nHitKind <= 12)
                anker = QPoint(m_rcAchseHot.left() + m_rcAchseHot.width() / 2, m_rcAchseHot.top());
            else
                anker = pt;
            break;
        }
        m_ptGrab = pt - anker;
        m_nDrawMode = kModusZiehen;
        m_nCursorId = kCursorGehalten;
        m_Ziehen.Beginne();
        // The first step measures from where the object stands.
        const QRect lf = AktivLFClient();
        const double s = m_Maler.GetKoordSys().m_nPixProMeter * m_dZoom;
        if (s > 0.0)
            m_Ziehen.Beginne(Cut2((anker.x() - lf.left()) / s));
        return;
    }
    if (mods & Qt::ShiftModifier)
        IViewShell::Of(&GetProgramRun()).BeginViewDrag(this);
}

void CQOR1View::Bewegen(const QPoint& pt, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    if (pt == m_ptLastMouse)
        return;
    m_ptLastMouse = pt;
    const bool bZiehen = m_nDrawMode == kModusZiehen && (buttons & Qt::LeftButton);

    // The load dialog follows the pointer over the vehicle worked on.
    if (!bZiehen && IViewShell::Of(&GetProgramRun()).GetLoadDialog()) {
        const QRect aktiv = GetHotSpot(kHotFahrzeugAktiv).adjusted(-10, -10, 10, 10);
        if (aktiv.contains(pt)) {
            SPositionInfo info;
            CalcPositionInfo(&info, pt + Scroll());
            m_dPickPos = info.dPosition;
            const QRect lf = AktivLFClient();
            m_nPickX = std::clamp(pt.x(), lf.left(), lf.right()) + Scroll().x();
            viewport()->update();
        }
    }
    if (bZiehen) {
        m_bDragging = true;
        const QRect lf = AktivLFClient();
        const double s = m_Maler.GetKoordSys().m_nPixProMeter * m_dZoom;
        const bool bShift = mods & Qt::ShiftModifier;
        // A step on a tractor's coupling edits its offset.
        if (s > 0.0 &&
            m_Ziehen.Schritt(m_nHitKind, Cut2((pt.x() - m_ptGrab.x() - lf.left()) / s), bShift,
                             HasTowingPair()) &&
            m_nHitKind == kHitSattel)
            m_nTarget = 15;
        return;
    }
    const int nCursor = HitTest(pt);
    TrackFocusRect(pt);
    ZeigeKupplungsTip(pt);
    if (nCursor == 0)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(ViewCursors::Load(nCursor));
}

void CQOR1View::ZeigeLaengenHinweis()
{
    if (GetProgramRun().GetAntworten().bLaengenHinweisAus)
        return;
    IMessageBoxService::HtmlBox box;
    box.textId = 204;
    box.captionId = 273;
    box.buttons.append({668, 668});
    box.checkBox = true;
    bool bAus = false;
    MessageBoxes().ShowHtml(this, box, &bAus);
    GetProgramRun().GetAntworten().bLaengenHinweisAus = bAus;
}

void CQOR1View::Loslassen(const QPoint& pt)
{
    m_bLButtonDown = false;
    const int nArt = ArtVon(GetEditFahrzeug());
    const auto oeffne = [this](int nTarget, int nKind, QPoint anker) {
        m_nTarget = nTarget;
        m_bFocus = false;
        OpenSlider(anker, nKind, true);
    };
    const auto unten = [](const QRect& rc) { return QPoint(rc.left() + rc.width() / 2, rc.bottom() + 1); };
    bool bWeiter = true;
    if (!m_bDragging) {
        const CFahrzeug* f = GetEditFahrzeug();
        const int n = f ? std::min(f->GetRecordAnzahl(), 10) : 0;
        for (int i = 0; bWeiter && i + 1 < n; ++i)
            if (Label(kHotAbstand + i).contains(pt))
                oeffne(3 + i, 6, unten(Label(kHotAbstand + i))), bWeiter = false;
        for (int i = 0; bWeiter && i < n; ++i)
            if (Label(kHotLeerlast + i).contains(pt))
                m_Regler.SetLastMode(0), oeffne(3 + i, 1, unten(Label(kHotLeerlast + i))), bWeiter = false;
        for (int i = 0; bWeiter && i < n; ++i)
            if (Label(kHotZulLast + i).contains(pt))
                m_Regler.SetLastMode(1), oeffne(3 + i, 1, unten(Label(kHotZulLast + i))), bWeiter = false;
        if (bWeiter && Label(41).contains(pt))
            m_Regler.SetAnteil1(true), oeffne(m_nTarget, 2, unten(Label(41))), bWeiter = false;
        if (bWeiter && nArt != FahrzeugArt::kStarrdeichsel && Label(42).contains(pt))
            m_Regler.SetAnteil1(false), oeffne(m_nTarget, 2, unten(Label(42))), bWeiter = false;
        if (bWeiter && Label(45).contains(pt))
            oeffne(1, 8, unten(Label(45))), bWeiter = false;
        if (bWeiter && Label(46).contains(pt))
            oeffne(2, 9, unten(Label(46))), bWeiter = false;
        if (bWeiter && Label(48).contains(pt))
            oeffne(15, 15, unten(Label(48))), bWeiter = false;
        if (bWeiter && Label(55).contains(pt))
            oeffne(17, 19, Label(55).bottomRight() + QPoint(-20, 1)), bWeiter = false;
        if (bWeiter && Label(49).contains(pt))
            oeffne(16, 10, Label(49).bottomRight() + QPoint(-20, 1));
        else if (bWeiter && Label(50).contains(pt))
            oeffne(18, 20, Label(50).bottomRight() + QPoint(-20, 1));
        if (!bWeiter) {
            viewport()->update();
            return;
        }
    }
    if (m_bDragging) {
        const int nKind = m_nHitKind;
        CQOR1Doc* pDoc = GetDocument();
        if (nKind >= 3 && nKind <= 12) {
            ZeigeAchsHinweis();
        } else if (nKind == kHitAchse1Vorn || nKind == kHitLFEnde) {
            ZeigeLaengenHinweis();
        }
        if (pDoc) {
            pDoc->SetModifiedFlag(true);
            if (CFahrzeug* f = GetEditFahrzeug())
                f->SetModified();
            pDoc->UpdateFrameTitle();
        }
    }
    const bool bBemerkung = !m_bDragging && Label(51).contains(pt);
    m_bDragging = false;
    if (m_nDrawMode == kModusZiehen)
        m_nDrawMode = kModusKein;
    if (bBemerkung)
        OnEditBemerkung();
}

void CQOR1View::RechtsDruecken(const QPoint& pt)
{
    tagZLINFO* pZL = nullptr;
    QRect rc;
    if (HitZL(pt, &pZL, &rc)) {
        m_pSelZL = pZL;
        m_rcSelZL = rc;
        m_bHitAchse = false;
        viewport()->update();
        return;
    }
    if (m_pSelZL) {
        m_pSelZL = nullptr;
        m_rcSelZL = QRect();
        viewport()->update();
    }
    m_Achse = SGuiAchse();
    m_bHitAchse = false;
    int i = -1;
    if (HitAchse(pt, &i)) {
        m_Achse = GetDIBFahrzeug()->GetAchsen()[static_cast<std::size_t>(i)];
        m_bHitAchse = true;
        m_nHitAchse = i;
    }
}

// --- Qt events
// -----------------------------------------------------------------------------------------------

void CQOR1View::mousePressEvent(QMouseEvent* e)
{
    const QPoint pt = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        HitTest(pt);
        Druecken(pt, e->modifiers());
    } else if (e->button() == Qt::RightButton) {
        HitTest(pt);
        RechtsDruecken(pt);
    }
    if (m_nCursorId)
        viewport()->setCursor(ViewCursors::Load(m_nCursorId));
}

void CQOR1View::mouseMoveEvent(QMouseEvent* e)
{
    Bewegen(e->position().toPoint(), e->buttons(), e->modifiers());
}

void CQOR1View::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Loslassen(e->position().toPoint());
}

void CQOR1View::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && m_pHoverZL) {
        QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kMsgZLMasse)));
        return;
    }
    CGetAnsView::mouseDoubleClickEvent(e);
}

// --- pick line, selection and scrolling
// -----------------------------------------------------------------------

void CQOR1View::SetPickPosition(double dPos, bool /*bMove*/)
{
    const CFahrzeug* f = GetArbeitsFahrzeug();
    if (!f || f->GetLFLaenge() <= 0.0) {
        m_nPickX = -1;
        return;
    }
    m_dPickPos = dPos;
    const QRect lf = GetLadeflaecheRect();
    m_nPickX = static_cast<int>(dPos / f->GetLFLaenge() * lf.width()) + lf.left();
    viewport()->update();
}

void CQOR1View::ClearSelection(bool bUpdateNow)
{
    m_rcSelZL = QRect();
    m_pSelZL = nullptr;
    m_bHitAchse = false;
    m_rcAchseHot = QRect();
    m_nHitAchse = -1;
    viewport()->update();
    if (bUpdateNow)
        viewport()->repaint();
}
