// The mouse gestures of the loading-plan view and their feedback figures.
#include "views/CPlanGesten.h"

#include "views/CQOR2View.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/PlanEingabe.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A position in metres rounded to whole centimetres.
double AufZentimeter(double v)
{
    return std::floor(v * 100.0 + 0.5) / 100.0;
}

} // namespace

CPlanGesten::CPlanGesten(CQOR2View& view) : m_view(view) {}

CPlanGesten::~CPlanGesten()
{
    LasseZiehenLos();
}

void CPlanGesten::MeldeZiehen(CQOR& plan)
{
    LasseZiehenLos();
    m_pZiehPlan = &plan;
    plan.SetZiehQuelle(this);
}

void CPlanGesten::LasseZiehenLos()
{
    if (m_pZiehPlan && m_pZiehPlan->GetZiehQuelle() == this)
        m_pZiehPlan->SetZiehQuelle(nullptr);
    m_pZiehPlan = nullptr;
}

void CPlanGesten::PlanGeht(const CQOR* pPlan)
{
    if (pPlan == m_pZiehPlan)
        m_pZiehPlan = nullptr;
}

tagLGINFO* CPlanGesten::GetGezogeneLadung() const
{
    if (m_pNeu)
        return m_pNeu.get();
    return m_bZiehen ? m_view.Gueltig(m_view.m_pLgGedrueckt) : nullptr;
}

// --- pixels ------------------------------------------------------------------------------------------

QRect CPlanGesten::ZuPixel(double l, double t, double r, double b) const
{
    const PlanMassstab& m = m_view.m_massstab;
    const QPoint scroll = m_view.GetScrollPosition();
    // The right and bottom edges lie outside the figure.
    return QRect(m.Punkt(l, t) - scroll, m.Punkt(r, b) - scroll - QPoint(1, 1));
}

QPoint CPlanGesten::PunktZuPixel(double x, double y) const
{
    return m_view.m_massstab.Punkt(x, y) - m_view.GetScrollPosition();
}

QPoint CPlanGesten::Begrenze(QPoint pt) const
{
    if (m_rcGrenze.isEmpty())
        return pt;
    return QPoint(std::clamp(pt.x(), m_rcGrenze.left(), m_rcGrenze.right()),
                  std::clamp(pt.y(), m_rcGrenze.top(), m_rcGrenze.bottom()));
}

// --- hit test ----------------------------------------------------------------------------------------

int CPlanGesten::HitTest(QPoint pt, tagLGINFO** ppLg) const
{
    if (ppLg)
        *ppLg = nullptr;
    if (!m_view.GetPlan())
        return kTrefferNichts;
    if (!m_rcZoomGriff.isEmpty() && m_rcZoomGriff.contains(pt))
        return kTrefferZoom;
    if (!m_rcBreitenGriff.isEmpty() && m_rcBreitenGriff.contains(pt))
        return kTrefferBreite;
    for (const auto& [pLg, rec] : m_view.GetGuiLg())
        if (tagLGINFO* p = rec.rc.contains(pt) ? m_view.Gueltig(pLg) : nullptr) {
            if (ppLg)
                *ppLg = p;
            return kTrefferLadung;
        }
    if (m_view.m_treffer.rcLadeflaeche.contains(pt))
        return kTrefferFlaeche;
    return kTrefferNichts;
}

// --- press ---------------------------------------------------------------------------------------

void CPlanGesten::Druecken(QPoint pt, bool bStrg, bool bShift)
{
    CQOR* q = m_view.GetPlan();
    if (m_bZiehen || m_bGruppenModus || !q)
        return;
    tagLGINFO* pLg = nullptr;
    m_nTrefferCode = HitTest(pt, &pLg);
    m_view.SetHover(pLg);
    m_ptMaus = pt;
    m_view.m_bTasteUnten = true;
    m_bStrgBeiKlick = bStrg && !(pLg && pLg->GetLeId() != 0);

    // A press on a member of a load unit marks the whole unit.
    for (CLadeeinheit* le : q->GetLadeeinheiten())
        if (le->IsLgMarkiert())
            le->SetLgMarkiert(0);
    if (pLg && pLg->GetLeId() != 0) {
        for (tagLGINFO* p : q->GetLgInfos())
            p->m_bSelected = 0;
        if (CLadeeinheit* le = q->FindLadeeinheit(pLg->GetLeId()))
            le->SetLgMarkiert(1);
    }
    int n = q->CountSelectedLgInfo(true);

    if (m_nTrefferCode == kTrefferZoom) {
        m_bZoomGriff = true;
        return;
    }
    if (m_nTrefferCode == kTrefferBreite) {
        m_bBreitenGriff = true;
        m_nCursor = kCursorBreite;
        return;
    }
    if (m_nTrefferCode == kTrefferLadung) {
        m_view.m_pLgGedrueckt = pLg;
        if ((!pLg->m_bSelected && !bStrg) || (bStrg && n == 0)) {
            m_view.ClearAktuell(true);
            m_view.SetAktuellFromHover();
            n = 0;
        }
        if (bShift && m_view.IsVerschiebbar(n == 0)) {
            StarteDrehung(pt);
            return;
        }
        m_bZiehenMoeglich = m_view.IsVerschiebbar(n == 0);
        m_nCursor = (bStrg || m_bKopierBefehl) && n <= 1 ? CPlanPlatzierung::kCursorKopie
                                                         : CPlanPlatzierung::kCursorFrei;
        const auto it = m_view.GetGuiLg().find(pLg);
        m_ptGriff = it != m_view.GetGuiLg().end() ? pt - it->second.rc.topLeft() : QPoint();
        m_bKlickLast = true;
        return;
    }
    const bool bKnopf = m_view.m_treffer.rcBtnWert.contains(pt) ||
                        (m_view.GetAuswahl() &&
                         (m_view.m_treffer.rcBtnX.contains(pt) || m_view.m_treffer.rcBtnY.contains(pt)));
    // A press on an on-plan button waits for its release, which opens the button's slider.
    if (!bKnopf) {
        if (!bStrg)
            m_view.ClearAktuell(true);
        q->StoreSelection(!bStrg);
        m_bGummiband = true;
        m_bBandRahmen = true;
        m_view.m_bGummiband = true;
        m_view.m_bGummibandRahmen = true;
        m_view.m_rcGummiband = QRect(pt, pt);
        m_view.viewport()->update();
    }
}

bool CPlanGesten::KopierenStarten(QPoint pt)
{
    CQOR* q = m_view.GetPlan();
    if (!q || IsAktiv() || m_bZiehenMoeglich)
        return false;
    tagLGINFO* pQuelle = m_view.GetAuswahl();
    if (!pQuelle)
        pQuelle = q->GetFirstSelectedLgInfo();
    if (!pQuelle || !m_view.IsVerschiebbar(q->CountSelectedLgInfo(true) == 0))
        return false;
    m_view.m_pLgGedrueckt = pQuelle;
    m_view.SetHover(pQuelle);
    m_nTrefferCode = kTrefferLadung;
    m_ptMaus = pt;
    m_bZiehenMoeglich = true;
    m_bKopierBefehl = true;
    m_bKlickLast = false;
    m_view.m_bTasteUnten = true;
    m_nCursor = CPlanPlatzierung::kCursorKopie;
    const auto it = m_view.GetGuiLg().find(pQuelle);
    m_ptGriff = it != m_view.GetGuiLg().end() ? pt - it->second.rc.topLeft() : QPoint();
    return true;
}

void CPlanGesten::StarteDrehung(QPoint pt)
{
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    m_view.FillFestRects();
    pl.m_bGruppenModus = true;
    if (!pl.FillGruppenRects()) {
        pl.m_bGruppenModus = false;
        return;
    }
    m_bGruppenModus = true;
    m_view.m_bGruppenModus = true;
    if (!pl.m_GruppenRects.empty())
        m_view.m_nEinheitBits = pl.m_GruppenRects.front().pLg ? pl.m_GruppenRects.front().pLg->GetLeId() : 0;
    pl.CalcZiehMomente();
    m_ptMaus = pt;
    m_ptDrehPixel = PunktZuPixel(pl.m_dDrehMitteX, pl.m_dDrehMitteY);
    m_nViertel = 0;
    m_view.m_bLgAuswahlZiehen = true;
    m_view.m_bLgZiehen = true;
    CPlanAnzeige anz(*m_view.GetPlan());
    m_bZulBereichAlt = anz.GetZulBereich();
    m_bBereichZeigen = m_bZulBereichAlt;
    anz.SetZulBereich(false);
    pl.m_nPlatzStatus = CPlanPlatzierung::kBlockiert;
    pl.m_dVersatzX = pl.m_dVersatzY = 0.0;
    pl.m_nVersatz[0] = pl.m_nVersatz[1] = 0;
    m_view.m_nPlatzStatus = pl.m_nPlatzStatus;
    DrehRahmen(0.0);
    ZielRahmen();
    ZiehSchwerpunkt();
    m_view.InvalidateNachbarn(false, true);
    m_view.viewport()->update();
}

// --- move ----------------------------------------------------------------------------------------

void CPlanGesten::Bewegen(QPoint pt, bool bStrg)
{
    if (!bStrg)
        m_bStrgBeiKlick = false;
    if (m_bGruppenModus) {
        Drehen(pt);
        return;
    }
    if (m_bZoomGriff) {
        CQOR* q = m_view.GetPlan();
        CFahrzeug* f = m_view.GetFahrzeug();
        if (!f)
            return;
        PlanMassstab& m = m_view.m_massstab;
        const double dAlt = m.dZoom;
        const int nPix = m.Versatz(f->GetLFLaenge() - f->GetRandabstand(0));
        const int xRel = pt.x() - (m.ursprung.x() - m_view.GetScrollPosition().x());
        const double dNeu = ZoomAusGriff(dAlt, xRel, nPix);
        if (dNeu != dAlt) {
            // The plan keeps its zoom without the window's share, so that it fits other windows alike.
            if (q)
                CPlanAnzeige(*q).SetZoom(
                    std::clamp(dNeu / m.dFensterFaktor, CPlanAnzeige::kMinZoom, CPlanAnzeige::kMaxZoom));
            m.dZoom = dNeu;
            m_view.viewport()->update();
        }
        return;
    }
    if (m_bBreitenGriff) {
        const CFahrzeug* f = m_view.GetFahrzeug();
        const PlanMassstab& m = m_view.m_massstab;
        if (!f || m.nPixelProMeter <= 0 || m.dZoom <= 0.0)
            return;
        // The handle lies on side B's edge: the width is its distance from side A's edge, kept within the
        // width's limits by the setter.
        const int yRel = pt.y() - (m.ursprung.y() - m_view.GetScrollPosition().y());
        const int nRand = m.Pixel(f->GetRandabstand(1));
        m_view.SetLadeflaechenBreite(BreiteAusGriff(yRel, nRand, m.nPixelProMeter, m.dZoom));
        return;
    }
    if (m_bZiehenMoeglich && !m_bZiehen) {
        if (std::abs(pt.x() - m_ptMaus.x()) < kZiehSchwelle &&
            std::abs(pt.y() - m_ptMaus.y()) < kZiehSchwelle)
            return;
        StarteZiehen();
        if (!m_bZiehen)
            return;
    }
    if (m_bZiehen) {
        Ziehen(pt);
        return;
    }
    if (m_bGummiband) {
        m_view.m_rcGummiband = QRect(m_ptMaus, pt);
        const bool bGeaendert = UpdateGummibandAuswahl(m_view.m_rcGummiband.normalized());
        // A step that changed the selection repaints without the frame; the next one brings it back. Every
        // step repaints the whole plan, so no repaint has to be remembered.
        m_bBandRahmen = !bGeaendert;
        m_view.m_bGummibandRahmen = m_bBandRahmen;
        m_view.viewport()->update();
        return;
    }
    Hover(pt);
}

void CPlanGesten::Hover(QPoint pt)
{
    tagLGINFO* pLg = nullptr;
    const int nCode = HitTest(pt, &pLg);
    m_view.SetHover(pLg);
    QRect knopf;
    if (m_view.m_treffer.rcBtnWert.contains(pt))
        knopf = m_view.m_treffer.rcBtnWert;
    else if (m_view.GetAuswahl() && m_view.m_treffer.rcBtnX.contains(pt))
        knopf = m_view.m_treffer.rcBtnX;
    else if (m_view.GetAuswahl() && m_view.m_treffer.rcBtnY.contains(pt))
        knopf = m_view.m_treffer.rcBtnY;
    const bool bWarHot = m_overlay.bHot;
    const QRect alt = m_overlay.hot;
    m_overlay.bHot = !knopf.isNull();
    m_overlay.hot = knopf;
    if (bWarHot != m_overlay.bHot || alt != knopf)
        m_view.viewport()->update();
    if (m_overlay.bHot)
        m_nCursor = kCursorKnopf;
    else if (nCode == kTrefferZoom)
        m_nCursor = kCursorZoom;
    else if (nCode == kTrefferBreite)
        m_nCursor = kCursorBreite;
    else if (nCode == kTrefferLadung)
        m_nCursor = m_view.IsVerschiebbar(true) ? kCursorLadung : 0;
    else if (nCode == kTrefferFlaeche)
        m_nCursor = kCursorFlaeche;
    else
        m_nCursor = 0;
}

void CPlanGesten::StarteZiehen()
{
    CQOR* q = m_view.GetPlan();
    if (!q)
        return;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    m_bZiehen = true;
    const bool bEinFsm = q->CountSelectedLgInfo(true) == 1 && q->CountSelectedFsm(true) == 1;
    if (!bEinFsm)
        q->SelectAllFsm(0);
    tagLGINFO* pGedrueckt = m_view.Gueltig(m_view.m_pLgGedrueckt);
    if (pGedrueckt && pGedrueckt->m_nTyp == 5) {
        // Items of this kind stay where they are.
        m_bZiehen = m_bZiehenMoeglich = false;
        return;
    }
    MeldeZiehen(*q);
    m_bKopieren = m_bStrgBeiKlick || m_bKopierBefehl;
    tagLGINFO* pHover = m_view.GetHover();
    m_view.m_nEinheitBits = pHover ? pHover->GetLeId() : 0;
    if (q->CountSelectedLgInfo(true) > 0 && pHover && !pHover->m_bSelected && m_bStrgBeiKlick) {
        m_view.ClearAktuell(true);
        m_view.SetAktuellFromHover();
    }
    pl.m_bGruppenModus = false;
    pl.m_bKopieren = m_bKopieren;
    m_view.FillZiehRects();
    m_view.FillFestRects();
    // A copy leaves its sources where they are: they are obstacles, and their mass stays in the plan.
    if (m_bKopieren)
        pl.m_FestRects.insert(pl.m_FestRects.end(), pl.m_ZiehRects.begin(), pl.m_ZiehRects.end());
    if (m_bKopieren)
        if (CFahrzeug* f = m_view.GetFahrzeug())
            f->CalcNutzbarerBereich();
    pl.CalcZiehMomente();
    m_rcGrenze = m_view.m_treffer.rcLadeflaeche;
    m_view.m_bZiehen = true;
    m_nZiehCode = kZiehLadung;
    m_bErsterSchritt = true;
}

void CPlanGesten::Ziehen(QPoint ptMaus)
{
    CQOR* q = m_view.GetPlan();
    if (!q)
        return;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    const QPoint pt = Begrenze(ptMaus);
    m_nZiehCode = kZiehLadung;
    const int dxPix = pt.x() - m_ptMaus.x(), dyPix = pt.y() - m_ptMaus.y();
    int cm[2] = {0, 0};
    const PlanMassstab& m = m_view.m_massstab;
    PlanMausVersatz(dxPix, dyPix, m.nPixelProMeter, m.nPixelProMeter, m.dZoom, cm);
    if (!m_bOhneKollision) {
        pl.FindFreiePosition(cm);
    } else {
        pl.m_nPlatzStatus = CPlanPlatzierung::kFrei;
        pl.m_nVersatz[0] = cm[0];
        pl.m_nVersatz[1] = cm[1];
        pl.m_dVersatzX = cm[0] / 100.0;
        pl.m_dVersatzY = cm[1] / 100.0;
    }
    m_view.m_nPlatzStatus = pl.m_nPlatzStatus;
    m_nCursor = pl.GetCursorId();
    if (m_bErsterSchritt) {
        m_bErsterSchritt = false;
        CPlanAnzeige anz(*q);
        m_bZulBereichAlt = anz.GetZulBereich();
        m_bBereichZeigen = m_bZulBereichAlt;
        anz.SetZulBereich(false);
        if (!m_bKopieren) {
            m_view.m_bLgAuswahlZiehen = true;
            m_view.m_bLgZiehen = true;
        }
    }
    ZiehRahmen(m.Meter(dxPix), m.Meter(dyPix));
    ZielRahmen();
    ZiehSchwerpunkt();
    m_view.InvalidateNachbarn(false, true);
    m_view.viewport()->update();
}

void CPlanGesten::Drehen(QPoint pt)
{
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    const double dWinkel =
        PlanDrehWinkel(m_ptDrehPixel.x(), m_ptDrehPixel.y(), m_ptMaus.x(), m_ptMaus.y(), pt.x(), pt.y());
    DrehRahmen(dWinkel);
    m_view.viewport()->update();
    const int nViertel = PlanVierteldrehungen(dWinkel);
    if (nViertel == m_nViertel)
        return;
    m_nViertel = nViertel;
    pl.DreheGruppe(nViertel);
    m_view.m_nPlatzStatus = pl.m_nPlatzStatus;
    m_nCursor = pl.GetCursorId();
    ZielRahmen();
    ZiehSchwerpunkt();
    m_view.InvalidateNachbarn(false, true);
}

// --- feedback ------------------------------------------------------------------------------------

void CPlanGesten::ZiehRahmen(double dx, double dy)
{
    const CPlanPlatzierung& pl = m_view.GetPlatzierung();
    m_overlay.bZieh = true;
    m_overlay.bZiehVoll = pl.m_nPlatzStatus == CPlanPlatzierung::kFrei;
    m_overlay.zieh.clear();
    for (const tagPlatzRect& r : pl.m_ZiehRects)
        m_overlay.zieh.push_back(
            ZuPixel(r.left / 100.0 + dx, r.top / 100.0 + dy, r.right / 100.0 + dx, r.bottom / 100.0 + dy));
}

void CPlanGesten::ZielRahmen()
{
    const CPlanPlatzierung& pl = m_view.GetPlatzierung();
    const int nStatus = pl.m_nPlatzStatus;
    m_overlay.ziel.clear();
    m_overlay.bZiel = ((m_bZiehen && nStatus != CPlanPlatzierung::kFrei) || m_bGruppenModus) &&
                      (!m_bNeuVonRampe || nStatus != CPlanPlatzierung::kBlockiert);
    if (!m_overlay.bZiel)
        return;
    const bool bGruppeAmStart = !m_bZiehen && nStatus == CPlanPlatzierung::kBlockiert;
    const std::vector<tagPlatzRect>& liste =
        m_bZiehen ? pl.m_ZiehRects : (bGruppeAmStart ? pl.m_GruppenStartRects : pl.m_GruppenRects);
    const double dx = bGruppeAmStart ? 0.0 : pl.m_dVersatzX, dy = bGruppeAmStart ? 0.0 : pl.m_dVersatzY;
    for (const tagPlatzRect& r : liste)
        m_overlay.ziel.push_back(
            ZuPixel(r.left / 100.0 + dx, r.top / 100.0 + dy, r.right / 100.0 + dx, r.bottom / 100.0 + dy));
}

void CPlanGesten::DrehRahmen(double dWinkel)
{
    const CPlanPlatzierung& pl = m_view.GetPlatzierung();
    const float cx = static_cast<float>(std::floor(pl.m_dDrehMitteX * 100.0 + 1e-6));
    const float cy = static_cast<float>(std::floor(pl.m_dDrehMitteY * 100.0 + 1e-6));
    const PlanMassstab& m = m_view.m_massstab;
    const QPoint o = m.ursprung - m_view.GetScrollPosition();
    auto px = [&](double v, int ursprung) { return m.Pixel(v / 100.0) + ursprung; };
    const float f = static_cast<float>(dWinkel);
    m_overlay.dreh.clear();
    m_overlay.pfeile.clear();
    for (const tagPlatzRect& r : pl.m_GruppenStartRects) {
        const PlanGridRect klein{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        CPlanPlatzierung::Punkt ecken[4];
        CPlanPlatzierung::RotateRect(cx, cy, f, klein, ecken);
        QPolygon poly;
        for (const auto& e : ecken)
            poly << QPoint(px(e.x, o.x()), px(e.y, o.y()));
        m_overlay.dreh.push_back(poly);
        // The arrow points at the side of the load that faced the front at rotation 0.
        tbVector3 p[3];
        const int mx = (klein.left + klein.right) / 2, my = (klein.top + klein.bottom) / 2;
        bool bPfeil = true;
        switch (r.nRotation) {
        case 0:
            p[0] = {float(klein.left + 12), float(my), 0.0f};
            p[1] = {p[0].x + 12, float(my - 12), 0.0f};
            p[2] = {p[0].x + 12, float(my + 12), 0.0f};
            break;
        case 180:
            p[0] = {float(klein.right - 12), float(my), 0.0f};
            p[1] = {p[0].x - 12, float(my + 12), 0.0f};
            p[2] = {p[0].x - 12, float(my - 12), 0.0f};
            break;
        case 90:
            p[0] = {float(mx), float(klein.top + 12), 0.0f};
            p[1] = {float(mx + 12), p[0].y + 12, 0.0f};
            p[2] = {float(mx - 12), p[0].y + 12, 0.0f};
            break;
        case 270:
            p[0] = {float(mx), float(klein.bottom - 12), 0.0f};
            p[1] = {float(mx - 12), p[0].y - 12, 0.0f};
            p[2] = {float(mx + 12), p[0].y - 12, 0.0f};
            break;
        default:
            bPfeil = false;
            break;
        }
        if (!bPfeil)
            continue;
        CPlanPlatzierung::RotatePunkte(cx, cy, f, 3, p);
        QPolygon pfeil;
        for (const auto& v : p)
            pfeil << QPoint(px(v.x, o.x()), px(v.y, o.y()));
        m_overlay.pfeile.push_back(pfeil);
    }
}

void CPlanGesten::ZiehSchwerpunkt()
{
    CQOR* q = m_view.GetPlan();
    CFahrzeug* f = m_view.GetFahrzeug();
    if (!q || !f)
        return;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    const bool bWechsel = pl.UpdateZiehSchwerpunkt();
    if (CQOR1Doc* pDoc = m_view.GetDocument())
        pDoc->OnLadungChanged(false);
    if (bWechsel)
        f->SetDiagrammVeraltet(false);
    m_overlay.bBereich = false;
    if (m_bBereichZeigen) {
        if (bWechsel)
            m_view.m_nNutzbarerBereich = f->CalcNutzbarerBereich();
        if (m_view.m_nNutzbarerBereich != 1) {
            m_overlay.bBereich = true;
            m_overlay.bereich =
                m_view.GetBereichRect().translated(-m_view.GetScrollPosition()).adjusted(0, 0, 1, 1);
        }
    }
    m_overlay.bMarker = m_view.m_zeichnung.anzeige.bSchwerpunktZeigen && q->GetMasse() != 0.0;
    if (m_overlay.bMarker)
        m_overlay.marker = PunktZuPixel(q->GetSchwerpunktX(), q->GetSchwerpunktY());
}

void CPlanGesten::Zeichne(QPainter& p) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setBrush(Qt::NoBrush);
    const QPen voll(Qt::black, 1, Qt::SolidLine);
    const QPen punktiert(Qt::black, 1, Qt::DotLine);
    auto rahmen = [&p](const QRect& r) { p.drawRect(r.adjusted(0, 0, -1, -1)); };
    if (m_overlay.bZieh) {
        p.setPen(m_overlay.bZiehVoll ? voll : punktiert);
        for (const QRect& r : m_overlay.zieh)
            rahmen(r);
    }
    p.setPen(voll);
    if (m_overlay.bZiel)
        for (const QRect& r : m_overlay.ziel) {
            rahmen(r);
            rahmen(r.adjusted(1, 1, -1, -1));
        }
    for (const QPolygon& poly : m_overlay.dreh)
        p.drawPolygon(poly);
    for (const QPolygon& poly : m_overlay.pfeile)
        p.drawPolygon(poly);
    if (m_overlay.bBereich)
        rahmen(m_overlay.bereich);
    if (m_overlay.bMarker) {
        const QPoint c = m_overlay.marker;
        p.drawEllipse(QRect(c.x() - 11, c.y() - 11, 23, 23));
        p.drawLine(c.x() - 9, c.y(), c.x() + 9, c.y());
        p.drawLine(c.x(), c.y() - 9, c.x(), c.y() + 9);
    }
    if (m_overlay.bHot) {
        const QRect& r = m_overlay.hot;
        p.drawPolyline(QPolygon({QPoint(r.left() - 2, r.top() - 1), QPoint(r.right() + 1, r.top() - 1),
                                 QPoint(r.right() + 1, r.bottom()), QPoint(r.left() - 2, r.bottom()),
                                 QPoint(r.left() - 2, r.top() - 1)}));
    }
    if (m_overlay.bFsmUmriss)
        p.drawRoundedRect(QRectF(m_overlay.fsmUmriss.adjusted(0, 0, -1, -1)), 8, 8);
    p.restore();
    if (m_overlay.bFsmPlatz) {
        // The free place the dragged item would take, lit up under its outline.
        p.save();
        p.setPen(QPen(QColor(14, 88, 79), 2));
        p.setBrush(QColor(60, 196, 175, 110));
        p.drawRect(m_overlay.fsmPlatz.adjusted(1, 1, -1, -1));
        p.restore();
    }
}

// --- rubber band ---------------------------------------------------------------------------------

bool CPlanGesten::UpdateGummibandAuswahl(const QRect& band)
{
    bool bGeaendert = false;
    for (const auto& [pGezeichnet, rec] : m_view.GetGuiLg()) {
        tagLGINFO* pLg = m_view.Gueltig(pGezeichnet);
        if (!pLg || pLg->GetLeId() != 0)
            continue;
        if (pLg->IsFsm()) {
            if (pLg->m_bSelected) {
                pLg->m_bSelected = 0;
                bGeaendert = true;
            }
            continue;
        }
        const unsigned char bNeu = (rec.rc.intersects(band) ? 1 : 0) ^ (pLg->m_bSavedSelected ? 1 : 0);
        if (bNeu != pLg->m_bSelected) {
            pLg->m_bSelected = bNeu;
            bGeaendert = true;
        }
    }
    return bGeaendert;
}

double CPlanGesten::ZoomAusGriff(double dZoomAlt, int xRel, int nPixelLaenge)
{
    if (nPixelLaenge <= 0)
        return std::max(0.5, dZoomAlt);
    return std::max(0.5, dZoomAlt * xRel / nPixelLaenge);
}

double CPlanGesten::BreiteAusGriff(int yRel, int nRandPixel, int nPixelProMeter, double dZoom)
{
    if (nPixelProMeter <= 0 || dZoom <= 0.0)
        return 0.0;
    const double w = (yRel + nRandPixel) / static_cast<double>(nPixelProMeter) / dZoom + 0.00001;
    return std::floor(w * 100.0) / 100.0;
}

// --- ramp ----------------------------------------------------------------------------------------

bool CPlanGesten::DragLadungFromRampe(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                                      QPoint griff)
{
    CQOR* q = m_view.GetPlan();
    if (!q || IsAktiv())
        return false;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    pl.SetPlan(q);
    const PlanMassstab& m = m_view.m_massstab;
    const QPoint o = m.ursprung - m_view.GetScrollPosition();
    const QPoint ecke = pt - griff;
    const double x = m.Meter(ecke.x() - o.x()), y = m.Meter(ecke.y() - o.y());
    m_pNeu = pl.DragLadungFromRampe(item, x, y, nRotation, dMasse, m_bOhneKollision);
    if (!m_pNeu)
        return false;
    m_bNeuVonRampe = true;
    m_bZiehen = true;
    m_bZiehenMoeglich = true;
    m_view.m_bZiehen = true;
    m_view.m_bTasteUnten = true;
    m_nZiehCode = kZiehLadung;
    m_ptMaus = pt;
    m_bErsterSchritt = true;
    MeldeZiehen(*q);
    pl.CalcZiehMomente();
    m_view.m_nPlatzStatus = pl.m_nPlatzStatus;
    m_nCursor = pl.GetCursorId();
    ZiehRahmen(0.0, 0.0);
    ZielRahmen();
    ZiehSchwerpunkt();
    m_view.viewport()->update();
    return true;
}

void CPlanGesten::RampeZurueck(QPoint pt)
{
    if (!m_bNeuVonRampe) {
        Aufraeumen();
        return;
    }
    CQOR* q = m_view.GetPlan();
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    if (q && !m_bErsterSchritt)
        CPlanAnzeige(*q).SetZulBereich(m_bZulBereichAlt);
    pl.RestoreSchwerpunkt();
    m_view.m_nPlatzStatus = CPlanPlatzierung::kFrei;
    m_view.InvalidateNachbarn(false, true);
    Aufraeumen();
    Hover(pt);
    m_view.viewport()->update();
}

void CPlanGesten::SetFsmUmriss(const QRect* pUmriss, const QRect* pPlatz)
{
    m_overlay.bFsmUmriss = pUmriss != nullptr;
    m_overlay.fsmUmriss = pUmriss ? *pUmriss : QRect();
    m_overlay.bFsmPlatz = pPlatz != nullptr;
    m_overlay.fsmPlatz = pPlatz ? *pPlatz : QRect();
    m_view.viewport()->update();
}

// --- release -------------------------------------------------------------------------------------

void CPlanGesten::Loslassen(QPoint pt, bool bStrg)
{
    if (!bStrg)
        m_bStrgBeiKlick = false;
    const bool bZiehen = m_bZiehen;
    const bool bGruppe = m_bGruppenModus;
    // Without a gesture running, a release on an on-plan button opens its slider and does nothing more.
    if (!bZiehen && !bGruppe && !m_bGummiband && !m_bZoomGriff && !m_bBreitenGriff && KnopfLoslassen(pt)) {
        Aufraeumen();
        return;
    }
    if (bGruppe)
        LoslassenDrehen();
    else if (bZiehen && m_nZiehCode == kZiehLadung)
        LoslassenZiehen();
    else if (m_bKlickLast && m_nTrefferCode == kTrefferLadung) {
        tagLGINFO* pLg = nullptr;
        HitTest(pt, &pLg);
        m_view.SetHover(pLg);
        Klick(m_bStrgBeiKlick);
    }
    Aufraeumen();
    Hover(pt);
}

bool CPlanGesten::KnopfLoslassen(QPoint pt)
{
    const tagLGINFO* pAktuell = m_view.GetAuswahl();
    const bool bX = pAktuell && m_view.m_treffer.rcBtnX.contains(pt);
    const bool bY = !bX && pAktuell && m_view.m_treffer.rcBtnY.contains(pt);
    const bool bWert = !bX && !bY && m_view.m_treffer.rcBtnWert.contains(pt);
    if (!bX && !bY && !bWert)
        return false;
    // The button's frame goes before its slider covers it.
    m_overlay.bHot = false;
    m_overlay.hot = QRect();
    m_view.viewport()->update();
    if (bX) {
        const double x = pAktuell->m_dPosX;
        m_view.ShowPositionsSlider(&x, nullptr, 1);
    } else if (bY) {
        const double y = m_view.GetAuswahlY();
        m_view.ShowPositionsSlider(nullptr, &y, 2);
    } else {
        m_view.ShowBreitenSlider();
    }
    return true;
}

void CPlanGesten::Klick(bool bStrg)
{
    CQOR* q = m_view.GetPlan();
    tagLGINFO* pGedrueckt = m_view.Gueltig(m_view.m_pLgGedrueckt);
    tagLGINFO* pHover = m_view.GetHover();
    if (!q || !pGedrueckt)
        return;
    if (pGedrueckt->GetLeId() != 0)
        return;
    if (!bStrg) {
        m_view.ClearAktuell(true);
        if (pHover && !(pHover->m_nTyp == 5 && pHover != pGedrueckt))
            pHover->m_bSelected = 1;
        // The clicked load becomes the current one, whose position buttons then show.
        if (pHover && pHover == pGedrueckt && pHover->m_bSelected)
            m_view.SetAktuellFromHover();
    } else {
        pGedrueckt->m_bSelected = pGedrueckt->m_bSelected ? 0 : 1;
        m_view.ClearAktuell(false);
    }
    m_view.viewport()->update();
}

void CPlanGesten::LoslassenZiehen()
{
    CQOR* q = m_view.GetPlan();
    CQOR1Doc* pDoc = m_view.GetDocument();
    if (!q)
        return;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    if (!m_bErsterSchritt)
        CPlanAnzeige(*q).SetZulBereich(m_bZulBereichAlt);
    m_view.viewport()->update();
    if (pl.m_nPlatzStatus == CPlanPlatzierung::kBlockiert) {
        m_pNeu.reset();
        pl.RestoreSchwerpunkt();
        if (pDoc)
            pDoc->OnLadungChanged(false);
        m_view.InvalidateNachbarn(false, true);
        m_nZiehCode = -1;
        return;
    }
    const double dx = pl.m_dVersatzX, dy = pl.m_dVersatzY;
    if (m_bNeuVonRampe) {
        m_view.ClearAktuell(true);
        tagLGINFO* pNeu = m_pNeu.get();
        pNeu->m_dPosX = AufZentimeter(pNeu->m_dPosX + dx);
        pNeu->m_dPosY = AufZentimeter(pNeu->m_dPosY + dy);
        q->AddLgInfo(std::move(m_pNeu), true);
        pNeu->m_bSelected = 1;
        m_view.m_pGuiAuswahl = pNeu;
        m_view.viewport()->update();
        if (pNeu->m_nTyp > 4 && m_view.EditFsm(pNeu) == kFsmAbbruch) {
            // The new item was never wanted: it goes, and nothing else does.
            for (tagLGINFO* p : q->GetLgInfos())
                p->m_bSelected = p == pNeu ? 1 : 0;
            m_view.LoescheLadungen();
            if (pDoc && !pDoc->IsModified()) {
                pl.RestoreSchwerpunkt();
                m_view.m_nPlatzStatus = CPlanPlatzierung::kFrei;
                m_nZiehCode = -1;
                return;
            }
        }
        m_view.Benachrichtige();
        m_nZiehCode = -1;
        return;
    }

    // A move or a copy of the moving set.
    std::vector<tagLGINFO*> bewegt;
    std::vector<tagLGINFO*> kopien;
    const std::vector<tagPlatzRect> liste = pl.m_ZiehRects;
    const bool bEinzeln = liste.size() == 1;
    for (const tagPlatzRect& r : liste) {
        tagLGINFO* pQuelle = r.pLg;
        if (!pQuelle || !m_view.Gueltig(pQuelle))
            continue;
        tagLGINFO* pZiel = pQuelle;
        if (m_bKopieren) {
            auto pKopie = std::make_unique<tagLGINFO>(*pQuelle);
            pZiel = pKopie.get();
            pZiel->m_nIndex = -1;
            pQuelle->m_bSelected = 0;
            const bool bAktuell = bEinzeln && q->GetAktuell() == pQuelle;
            q->AddLgInfo(std::move(pKopie), bAktuell);
            if (bAktuell)
                m_view.m_pGuiAuswahl = pZiel;
            kopien.push_back(pZiel);
        }
        pZiel->m_dPosX = AufZentimeter(pQuelle->m_dPosX + dx);
        pZiel->m_dPosY = AufZentimeter(pQuelle->m_dPosY + dy);
        bewegt.push_back(pZiel);
    }
    if (m_view.m_nEinheitBits != 0)
        if (CLadeeinheit* le = q->FindLadeeinheit(m_view.m_nEinheitBits))
            le->CalcAbmessungen();
    m_view.ClearAktuell(false);
    m_rcGrenze = QRect();
    if (bewegt.size() == 1 && bewegt.front()->m_nTyp > 4 && m_view.EditFsm(bewegt.front()) == kFsmAbbruch) {
        // Cancelled: a copy made by this drag goes again; a moved item stays where it was dropped.
        if (!kopien.empty()) {
            for (tagLGINFO* p : q->GetLgInfos())
                p->m_bSelected = p == kopien.front() ? 1 : 0;
            m_view.LoescheLadungen();
        }
    }
    m_view.Benachrichtige();
    m_nZiehCode = -1;
}

void CPlanGesten::LoslassenDrehen()
{
    CQOR* q = m_view.GetPlan();
    if (!q)
        return;
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    CPlanAnzeige(*q).SetZulBereich(m_bZulBereichAlt);
    if (pl.m_nPlatzStatus != CPlanPlatzierung::kBlockiert) {
        pl.CommitGruppe();
        if (m_view.m_nEinheitBits != 0)
            if (CLadeeinheit* le = q->FindLadeeinheit(m_view.m_nEinheitBits))
                le->CalcAbmessungen();
        m_view.Benachrichtige();
    } else {
        pl.RestoreSchwerpunkt();
    }
    m_view.viewport()->update();
}

void CPlanGesten::Aufraeumen()
{
    CPlanPlatzierung& pl = m_view.GetPlatzierung();
    m_bZiehenMoeglich = m_bZiehen = m_bKopieren = m_bKlickLast = m_bGummiband = m_bGruppenModus = false;
    m_bNeuVonRampe = m_bStrgBeiKlick = m_bOhneKollision = m_bZoomGriff = m_bBreitenGriff = m_bKopierBefehl =
        false;
    m_bErsterSchritt = false;
    m_bBandRahmen = true;
    m_nZiehCode = -1;
    m_nViertel = 0;
    m_rcGrenze = QRect();
    m_pNeu.reset();
    LasseZiehenLos();
    m_view.m_bTasteUnten = m_view.m_bZiehen = m_view.m_bGruppenModus = false;
    m_view.m_bLgZiehen = m_view.m_bLgAuswahlZiehen = false;
    m_view.m_bGummiband = false;
    m_view.m_bGummibandRahmen = true;
    m_view.m_nEinheitBits = 0;
    m_view.m_pLgGedrueckt = nullptr;
    pl.m_bGruppenModus = false;
    pl.m_bKopieren = false;
    pl.m_ZiehRects.clear();
    pl.m_FestRects.clear();
    pl.m_GruppenRects.clear();
    pl.m_GruppenStartRects.clear();
    const bool bHot = m_overlay.bHot;
    const QRect hot = m_overlay.hot;
    m_overlay = SOverlay();
    m_overlay.bHot = bHot;
    m_overlay.hot = hot;
    m_view.viewport()->update();
}

// --- other buttons -------------------------------------------------------------------------------

void CPlanGesten::RechtsDruecken(QPoint pt, bool bStrg)
{
    if (!m_view.GetPlan() || IsAktiv())
        return;
    tagLGINFO* pLg = nullptr;
    const int nCode = HitTest(pt, &pLg);
    if (nCode == kTrefferLadung) {
        m_view.SetKontext(pLg);
        if (!pLg->m_bSelected) {
            if (!bStrg)
                m_view.ClearAktuell(true);
            pLg->m_bSelected = 1;
            m_view.viewport()->update();
        }
    } else if (nCode == kTrefferFlaeche || nCode == kTrefferNichts) {
        m_view.ClearAktuell(true);
    }
}

int CPlanGesten::Doppelklick(QPoint pt) const
{
    tagLGINFO* pLg = nullptr;
    if (HitTest(pt, &pLg) != kTrefferLadung)
        return 0;
    return pLg->m_nTyp >= 5 ? kCmdFsmBearbeiten : kCmdLadungBearbeiten;
}
