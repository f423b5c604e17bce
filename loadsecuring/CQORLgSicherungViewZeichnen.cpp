// The load-securing view's paint: where the sketch stands in the window, the sketch drawn there with
// the view's rules and the regions it leaves for the mouse, and the sketch's geometry in the view.
#include "loadsecuring/CQORLgSicherungView.h"

#include "ui/CRibBtnContainer.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QPainter>

LgSichgMassstab CQORLgSicherungView::Massstab() const
{
    LgSichgMassstab m;
    m.dZoom = m_dZoom;
    m.nZoomIndex = m_nZoomIndex;
    m.ptUrsprung = m_ptUrsprung;
    return m;
}

LgSichgSkizze::Frage CQORLgSicherungView::SkizzenFrage()
{
    return [this](LgSichgAktion eAktion, const LgSichgWert& wert, bool bDefault, int* pExtra) {
        int nOut = -1;
        return QueryAction(eAktion, wert, &nOut, nullptr, bDefault, pExtra);
    };
}

LgSichgSkizze::Auftrag CQORLgSicherungView::SkizzenAuftrag(CFahrzeug& f)
{
    LgSichgSkizze::Auftrag a;
    a.pFahrzeug = &f;
    a.massstab = Massstab();
    a.bSnapshot = m_bSnapshot;
    a.bSplitter = IsInVisibleSplitterPane();
    a.pAuswahlPunkt = m_pAuswahlPunkt;
    a.frage = SkizzenFrage();
    return a;
}

QRect CQORLgSicherungView::SchienenRechteck(const CZurrschiene& s, int nDurchgang)
{
    return LgSichgSkizze::SchienenRechteck(Massstab(), GetFahrzeug(), s, nDurchgang);
}

QRect CQORLgSicherungView::PunktRechteck(CZurrpunkt& zp)
{
    return LgSichgSkizze::PunktRechteck(Massstab(), zp);
}

QRect CQORLgSicherungView::LadungRechteck(const tagLGINFO& lg)
{
    return LgSichgSkizze::LadungRechteck(Massstab(), GetFahrzeug(), lg);
}

QRect CQORLgSicherungView::EinheitRechteck(const CLadeeinheit& le)
{
    return LgSichgSkizze::EinheitRechteck(Massstab(), GetFahrzeug(), le);
}

SicherungsStand CQORLgSicherungView::EinheitKennzeichen(const CLadeeinheit& le)
{
    return LgSichgSkizze::Kennzeichen(le, SkizzenFrage());
}

void CQORLgSicherungView::ClearHitMaps()
{
    m_regionen.einheiten.clear();
    m_regionen.ladungen.clear();
    m_hover.pEinheit = nullptr;
    m_hover.pLadung = nullptr;
}

void CQORLgSicherungView::OnDraw(QPainter& p)
{
    m_regionen.punkte.clear();
    m_regionen.schienenpunkte.clear();
    m_regionen.schienen.clear();
    m_regionen.ecken = {};
    CFahrzeug* f = GetFahrzeug();
    if (!f) {
        m_regionen.rcLadeflaeche = QRect();
        ClearHitMaps();
        return;
    }
    if (m_bSnapshot) {
        // The load area 10 pixels from the left and 20 from the top of the picture; no strips, no marks.
        m_ptUrsprung = QPoint(kSnapshotRandX, kSnapshotRandY);
        m_regionen.rcLadeflaeche = QRect();
        ClearHitMaps();
        if (f->GetFahrzeugTyp() != FahrzeugArt::kSattelzugmaschine)
            m_skizze.Zeichne(p, SkizzenAuftrag(*f), m_regionen);
        return;
    }
    // Border and origin, in line with the template view; the strips follow a new origin.
    const bool bSplitter = IsInVisibleSplitterPane();
    const QPoint rand = ResolveInsets();
    const int nStreifen = m_pStreifenSichg && m_pStreifenSichg->HasWindow() ? m_pStreifenSichg->height() : 0;
    QPoint u(GetPlanOriginX() - rand.x(), nStreifen - rand.y() + 37);
    if (u != m_ptLetzterUrsprung) {
        m_ptLetzterUrsprung = u;
        PostViewNotify(false, AnsichtMeldung::kRaender);
    }
    if (!bSplitter)
        u.setX(60);
    // Beside the wizard: the drawing moves so the unit stays in sight (the scrolled area grows with it).
    u += m_ptWizardVersatz;
    m_ptUrsprung = u;
    int L = 0, W = 0;
    if (f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine) {
        // A tractor has no load area: only its note.
        m_regionen.rcLadeflaeche = QRect();
        ClearHitMaps();
        m_skizze.ZeichneOhneLadeflaeche(p, u);
    } else {
        L = MetresToPixels(f->GetLFLaenge());
        W = MetresToPixels(f->GetLFBreite());
        // Units and loads are placed anew only with a plan; objects gone since are forgotten after.
        const bool bPlan = f->GetQor() != nullptr;
        if (bPlan)
            ClearHitMaps();
        m_skizze.Zeichne(p, SkizzenAuftrag(*f), m_regionen);
        if (bPlan)
            PruefeHover();
    }
    // The scrolled area follows the load area.
    const QSize total(u.x() + L + 10, u.y() + W + 10);
    if (total != GetTotalSize())
        SetScrollSizes(total, QSize(static_cast<int>(500 * m_dZoom), static_cast<int>(250 * m_dZoom)),
                       QSize(50, 20));
}
