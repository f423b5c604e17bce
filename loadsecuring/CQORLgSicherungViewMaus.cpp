// The load-securing view's mouse and keys: the hit test that chooses the cursor, the clicks acting on
// it, the context menu and Tab between the vehicles of a combination.
#include "loadsecuring/CQORLgSicherungView.h"

#include "loadsecuring/SZurrschienenKlick.h"

#include "draw2d/ViewCursors.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

// Enables a menu action from the view's command enabling.
class ActionCmdUI : public CCmdUI
{
public:
    explicit ActionCmdUI(QAction* a) : m_a(a) {}
    void Enable(bool on) override { m_a->setEnabled(on); }
    void SetCheck(int state) override
    {
        m_a->setCheckable(true);
        m_a->setChecked(state != 0);
    }
    void SetText(const QString& text) override { m_a->setText(text); }

private:
    QAction* m_a;
};

void BefehleFreigeben(QMenu* m, CQORLgSicherungView& view)
{
    for (QAction* a : m->actions()) {
        if (a->menu()) {
            BefehleFreigeben(a->menu(), view);
            continue;
        }
        if (const int id = MenuResource::CommandOf(a)) {
            ActionCmdUI ui(a);
            ui.m_nID = static_cast<unsigned>(id);
            view.OnUpdateBefehl(id, &ui);
        }
    }
}

} // namespace

bool CQORLgSicherungView::IstImPlan(const tagLGINFO* p) const
{
    CQOR* q = GetPlan();
    if (!p || !q)
        return false;
    const auto l = q->GetLgInfos();
    return std::find(l.begin(), l.end(), p) != l.end();
}

bool CQORLgSicherungView::IstImPlan(const CLadeeinheit* p) const
{
    CQOR* q = GetPlan();
    if (!p || !q)
        return false;
    const auto l = q->GetLadeeinheiten();
    return std::find(l.begin(), l.end(), p) != l.end();
}

bool CQORLgSicherungView::IstAmFahrzeug(const CZurrpunkt* p) const
{
    CFahrzeug* f = GetFahrzeug();
    if (!p || !f)
        return false;
    const auto& l = f->GetZurrpunktListe();
    return std::find(l.begin(), l.end(), p) != l.end();
}

void CQORLgSicherungView::PruefeHover()
{
    // Objects deleted since the last paint are forgotten with their regions.
    for (auto it = m_regionen.einheiten.begin(); it != m_regionen.einheiten.end();)
        it = IstImPlan(it->first) ? std::next(it) : m_regionen.einheiten.erase(it);
    for (auto it = m_regionen.ladungen.begin(); it != m_regionen.ladungen.end();)
        it = IstImPlan(it->first) ? std::next(it) : m_regionen.ladungen.erase(it);
    if (m_hover.pEinheit && !m_regionen.einheiten.count(m_hover.pEinheit))
        m_hover.pEinheit = nullptr;
    if (m_hover.pLadung && !m_regionen.ladungen.count(m_hover.pLadung))
        m_hover.pLadung = nullptr;
    if (m_hover.pPunkt && !IstAmFahrzeug(m_hover.pPunkt))
        m_hover.pPunkt = nullptr;
    if (m_pAuswahlPunkt && !IstAmFahrzeug(m_pAuswahlPunkt))
        m_pAuswahlPunkt = nullptr;
    CFahrzeug* f = GetFahrzeug();
    if (m_hover.pSchiene && (!f || std::find(f->GetZurrschienen().begin(), f->GetZurrschienen().end(),
                                             m_hover.pSchiene) == f->GetZurrschienen().end()))
        m_hover.pSchiene = nullptr;
    if (m_hover.pSchienenpunkt && !m_regionen.schienenpunkte.count(m_hover.pSchienenpunkt))
        m_hover.pSchienenpunkt = nullptr;
}

int CQORLgSicherungView::HitTest(QPoint ptClient)
{
    PruefeHover();
    m_hover = SHover();
    const QPoint pt = ptClient + GetScrollPosition();
    CLadeeinheit* pAktiv = GetAktiveEinheit();
    int nOut = -1;
    const auto erlaubt = [&](LgSichgAktion eAktion, const LgSichgWert& wert, bool bDefault) {
        return QueryAction(eAktion, wert, &nOut, nullptr, bDefault, nullptr);
    };
    // The attachment corners of the active unit.
    if (pAktiv && erlaubt(LgSichgAktion::kEckeWaehlbar, pAktiv->GetId(), false))
        for (int i = 0; i < 4; ++i)
            if (m_regionen.ecken[static_cast<std::size_t>(i)].contains(pt)) {
                m_hover.nEcke = i;
                return kCursorWert;
            }
    // Load units, the active one first.
    CLadeeinheit* pEinheit = nullptr;
    if (pAktiv && m_regionen.einheiten.count(pAktiv) && m_regionen.einheiten[pAktiv].contains(pt))
        pEinheit = pAktiv;
    for (const auto& [le, rc] : m_regionen.einheiten)
        if (!pEinheit && rc.contains(pt))
            pEinheit = const_cast<CLadeeinheit*>(le);
    if (pEinheit) {
        m_hover.pEinheit = pEinheit;
        if (!erlaubt(LgSichgAktion::kEinheitAnklickbar, pEinheit->GetId(), true))
            return 0;
        return pEinheit == pAktiv ? kCursorAktiv : kCursorAnderer;
    }
    for (const auto& [lg, rc] : m_regionen.ladungen)
        if (rc.contains(pt)) {
            m_hover.pLadung = const_cast<tagLGINFO*>(lg);
            return erlaubt(LgSichgAktion::kLadungAnklickbar, m_hover.pLadung, true) &&
                           lg->m_nTyp < tagLGINFO::kFsmTyp
                       ? kCursorWert
                       : 0;
        }
    if (erlaubt(LgSichgAktion::kZurrpunktWaehlbar, std::intptr_t(0), true))
        for (const auto& [zp, rc] : m_regionen.punkte)
            if (rc.adjusted(-2, -2, 2, 2).contains(pt)) {
                m_hover.pPunkt = const_cast<CZurrpunkt*>(zp);
                if (erlaubt(LgSichgAktion::kZurrpunktZuordnen, m_hover.pPunkt, false))
                    return kCursorPunktWahl;
                return zp == m_pAuswahlPunkt ? kCursorAktiv : kCursorAnderer;
            }
    if (erlaubt(LgSichgAktion::kSchienenpunktWaehlbar, std::intptr_t(0), false))
        for (const auto& [zp, rc] : m_regionen.schienenpunkte)
            if (rc.contains(pt)) {
                m_hover.pSchienenpunkt = const_cast<CZurrpunkt*>(zp);
                return erlaubt(LgSichgAktion::kSchienenpunktZuordnen, m_hover.pSchienenpunkt, false)
                           ? kCursorSchiene
                           : 0;
            }
    if (erlaubt(LgSichgAktion::kSchieneWaehlbar, std::intptr_t(0), false))
        for (const auto& [s, rc] : m_regionen.schienen)
            if (rc.contains(pt)) {
                m_hover.pSchiene = const_cast<CZurrschiene*>(s);
                return kCursorWert;
            }
    if (m_regionen.rcLadeflaeche.contains(pt) &&
        erlaubt(LgSichgAktion::kFreieFlaeche, std::intptr_t(0), true)) {
        m_hover.bFreieFlaeche = true;
        return kCursorAktiv;
    }
    return 0;
}

void CQORLgSicherungView::SetCursor(int nCursor)
{
    if (nCursor == m_nCursor)
        return;
    m_nCursor = nCursor;
    viewport()->setCursor(nCursor ? ViewCursors::Load(nCursor) : QCursor(Qt::ArrowCursor));
}

bool CQORLgSicherungView::GetRailPosAtCursor(CZurrschiene** ppSchiene, double* pX)
{
    const QPoint ptClient = viewport()->mapFromGlobal(QCursor::pos());
    const QPoint pt = ptClient + GetScrollPosition();
    for (const auto& [s, rc] : m_regionen.schienen)
        if (rc.contains(pt)) {
            if (ppSchiene)
                *ppSchiene = const_cast<CZurrschiene*>(s);
            if (pX)
                *pX = PixelsToMetres(pt.x() - m_ptUrsprung.x());
            return true;
        }
    return false;
}

void CQORLgSicherungView::Klick(QPoint ptClient)
{
    CQOR* q = GetPlan();
    if (!q)
        return;
    PruefeHover();
    int nOut = -1;
    const auto erlaubt = [&](LgSichgAktion eAktion, const LgSichgWert& wert, bool bDefault) {
        return QueryAction(eAktion, wert, &nOut, nullptr, bDefault, nullptr);
    };
    if (m_hover.nEcke >= 0) {
        NotifyWizard(LgSichgMeldung::kEckeGeklickt, std::intptr_t(m_hover.nEcke));
        return;
    }
    if (m_hover.pSchienenpunkt) {
        NotifyWizard(LgSichgMeldung::kSchienenpunktGeklickt, m_hover.pSchienenpunkt);
        return;
    }
    if (m_hover.pSchiene) {
        const double x = PixelsToMetres(ptClient.x() + GetScrollPosition().x() - m_ptUrsprung.x());
        if (erlaubt(LgSichgAktion::kSchienenBereichPruefen, m_hover.pSchiene, false)) {
            double von = 0, bis = 0;
            m_hover.pSchiene->GetBereich(&von, &bis);
            if (x < von || x > bis)
                return;
        }
        SZurrschienenKlick klick{m_hover.pSchiene, x - m_hover.pSchiene->GetAnfang()};
        NotifyWizard(LgSichgMeldung::kSchieneGeklickt, &std::as_const(klick));
        return;
    }
    CLadeeinheit* pAktiv = q->GetAktiveLadeeinheit();
    if (CLadeeinheit* le = m_hover.pEinheit) {
        if (le == pAktiv)
            return;
        if (pAktiv && !erlaubt(LgSichgAktion::kEinheitAbwaehlen, pAktiv->GetId(), true))
            return;
        if (!erlaubt(LgSichgAktion::kEinheitWaehlen, le->GetId(), true))
            return;
        q->m_nAktiveLadeeinheit = le->GetId();
        viewport()->repaint();
        NotifyWizard(LgSichgMeldung::kEinheitGewaehlt, le);
        return;
    }
    if (pAktiv && erlaubt(LgSichgAktion::kEinheitAbwaehlen, pAktiv->GetId(), true)) {
        q->m_nAktiveLadeeinheit = 0;
        viewport()->repaint();
        NotifyWizard(LgSichgMeldung::kEinheitGewaehlt, static_cast<CLadeeinheit*>(nullptr));
    }
    if (tagLGINFO* lg = m_hover.pLadung; lg && lg->m_nTyp < tagLGINFO::kFsmTyp) {
        const bool bMarkiert = (lg->m_nState & tagLGINFO::kStateMarked) != 0;
        if (!erlaubt(bMarkiert ? LgSichgAktion::kLadungEntmarkieren : LgSichgAktion::kLadungMarkieren, lg,
                     true))
            return;
        lg->m_nState ^= tagLGINFO::kStateMarked;
        viewport()->repaint();
        NotifyWizard(bMarkiert ? LgSichgMeldung::kLadungEntmarkiert : LgSichgMeldung::kLadungMarkiert, lg);
        return;
    }
    CZurrpunkt* pNeu = m_hover.pPunkt;
    if (pNeu && erlaubt(LgSichgAktion::kZurrpunktWahlPruefen, pNeu, false) && !pNeu->IsWaehlbar())
        pNeu = nullptr;
    if (pNeu == m_pAuswahlPunkt)
        return;
    m_pAuswahlPunkt = pNeu;
    if (pNeu)
        NotifyWizard(LgSichgMeldung::kZurrpunktGewaehlt, pNeu);
    viewport()->update();
}

bool CQORLgSicherungView::WechsleFahrzeug()
{
    CQOR1Doc* pDoc = GetDocument();
    const CFahrzeug* pAnh = pDoc ? pDoc->GetAnhaenger() : nullptr;
    if (!pAnh || pAnh->GetFahrzeugTyp() == FahrzeugArt::kAuflieger)
        return false;
    // Index 0 shows the trailer as index 1 does, so both switch to the towing vehicle.
    const bool bZug = pDoc->GetAktivIndex() == CQOR1Doc::kAktivZugfahrzeug;
    pDoc->SetAktivIndex(bZug ? CQOR1Doc::kAktivAnhaenger : CQOR1Doc::kAktivZugfahrzeug, true, true);
    ClearHitMaps();
    m_pAuswahlPunkt = nullptr;
    m_hover = SHover();
    pDoc->RedrawViews();
    viewport()->update();
    return true;
}

void CQORLgSicherungView::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pt = viewport()->mapFrom(this, e->pos());
    if (m_bNachKontext)
        m_bNachKontext = false;
    else
        SetCursor(HitTest(pt));
    CGetAnsView::mouseMoveEvent(e);
}

void CQORLgSicherungView::mousePressEvent(QMouseEvent* e)
{
    const QPoint pt = viewport()->mapFrom(this, e->pos());
    if (e->button() == Qt::LeftButton) {
        Klick(pt);
        return;
    }
    if (e->button() == Qt::RightButton) {
        m_ptRechts = pt + GetScrollPosition();
        CZurrpunkt* pAlt = m_pAuswahlPunkt;
        if (m_hover.pPunkt)
            m_pAuswahlPunkt = m_hover.pPunkt;
        if (m_hover.pEinheit && m_hover.pEinheit != GetAktiveEinheit())
            Klick(pt);
        if (pAlt != m_pAuswahlPunkt)
            viewport()->update();
        return;
    }
    CGetAnsView::mousePressEvent(e);
}

QMenu* CQORLgSicherungView::KontextMenu(QPoint /*ptClient*/)
{
    int nPopup = -1;
    int nOut = -1;
    if (m_hover.pEinheit) {
        if (m_pWizard || !QueryAction(LgSichgAktion::kEinheitMenue, m_hover.pEinheit->GetId(), &nOut, nullptr,
                                      true, nullptr))
            return nullptr;
        nPopup = 2;
    } else if (m_hover.pPunkt)
        nPopup = 1;
    else if (m_hover.bFreieFlaeche)
        nPopup = 0;
    else
        return nullptr;
    QString fehler;
    const std::optional<MenuResource> res = MenuResource::Load(kKontextMenu, &fehler);
    if (!res)
        return nullptr;
    QMenu* m = res->BuildPopup(nPopup, this);
    if (m)
        BefehleFreigeben(m, *this);
    return m;
}

void CQORLgSicherungView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* m = KontextMenu(viewport()->mapFrom(this, e->pos()));
    if (!m)
        return;
    m_bKontextOffen = true;
    connect(m, &QMenu::aboutToHide, this, [this]() {
        m_bKontextOffen = false;
        m_bNachKontext = true;
    });
    ZeigeKontextMenu(m, e->globalPos(), [this](int nId) { OnBefehl(nId); });
}

bool CQORLgSicherungView::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        const QString text = ToolTipText(h->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(h->globalPos(), text, viewport());
        return true;
    }
    return CGetAnsView::viewportEvent(e);
}
