// The template views' painter: the single vehicle's and the combination's picture from their shared steps,
// and the places the drawing objects leave in the result.
#include "views/CVorlagePainter.h"

#include "draw2d/SGuiAchse.h"
#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

int Zoomed(double pixels, double dZoom)
{
    return static_cast<int>(pixels * dZoom);
}

// The template's logical layout at zoom 1. The axle-load picture stands below the origin line; that of
// a combination's rigid-drawbar trailer or semi-trailer stands lower still.
constexpr int kAuflagerUnterUrsprung = 500;
constexpr int kAuflagerAnhaengerTiefer = 400;
// The scrolled area reaches this far right of the drawing, and below the origin line a fixed band and
// one that grows with the vertical scale.
constexpr int kScrollRandRechts = 300;
constexpr int kScrollHoeheFest = 240;
constexpr int kScrollHoeheSkaliert = 660;
// An export picture narrower than this has the drawing centred in it.
constexpr int kExportBreiteVoll = 647;

} // namespace

QRect SVorlageErgebnis::Auflager(IPlanDrawView::AuflagerSpot which, int index) const
{
    const auto it = rcAuflager.find({which, index});
    return it == rcAuflager.end() ? QRect() : it->second;
}

QRect SVorlageErgebnis::Label(int id) const
{
    const auto it = rcLabels.find(id);
    return it == rcLabels.end() ? QRect() : it->second;
}

QRect SVorlageErgebnis::HotRect(int nHot) const
{
    const auto hot = [this](IPlanDrawView::HotSpot h) { return rcHotSpots.at(static_cast<std::size_t>(h)); };
    if (nHot >= kHotAbstand && nHot < kHotAbstand + 9)
        return Label(3 + nHot - kHotAbstand);
    if (nHot >= kHotZulLast && nHot < kHotZulLast + 10)
        return Auflager(IPlanDrawView::kAufZulLast, nHot - kHotZulLast);
    if (nHot >= kHotLeerlast && nHot < kHotLeerlast + 10)
        return Auflager(IPlanDrawView::kAufLeerlast, nHot - kHotLeerlast);
    switch (nHot) {
    case 0:
        return hot(IPlanDrawView::kHotStirnwand);
    case 1:
        return hot(IPlanDrawView::kHotRueckwand);
    case 5:
        return hot(IPlanDrawView::kHotKoerper);
    case 9:
        return hot(IPlanDrawView::kHotKupplung);
    case 10:
        return hot(IPlanDrawView::kHotSattel);
    case 41:
        return Auflager(IPlanDrawView::kAufMinAnteil, 0);
    case 42:
        return Auflager(IPlanDrawView::kAufMinAnteil, 1);
    case 45:
        return Label(1);
    case 46:
        return Label(2);
    case 47:
        return Label(19);
    case 48:
        return Label(24);
    case 49:
        return hot(IPlanDrawView::kHotGesamtmasse);
    case 50:
        return hot(IPlanDrawView::kHotKombiGrenze);
    case 51:
        return hot(IPlanDrawView::kHotBemerkung);
    case 53:
        return Auflager(IPlanDrawView::kAufBild, 0);
    case 54:
        return Auflager(IPlanDrawView::kAufBildInaktiv, 0);
    default:
        return QRect();
    }
}

CVorlagePainter::CVorlagePainter() = default;

CVorlagePainter::~CVorlagePainter() = default;

void CVorlagePainter::Verbinde(CQOR1Doc* pDoc, double dZoom)
{
    m_Ein.pDoc = pDoc;
    m_KoordSys.m_pDoc = pDoc;
    m_Bemassung.m_pDoc = pDoc;
    m_Auflager.Create(pDoc ? pDoc->GetFahrzeug() : nullptr, this);
    m_KoordSys.AdaptScale(dZoom, false, 1.0);
}

int CVorlagePainter::MeterZuPixel(double dMeter, double dZoom) const
{
    return static_cast<int>(m_KoordSys.m_nPixProMeter * dMeter * m_Scale.m_dFaktorX * dZoom);
}

QRect CVorlagePainter::AktivLadeflaeche(const CQOR1Doc* pDoc, int nViewAktiv, bool bKombiBild,
                                        double dZoom) const
{
    QRect rc = m_Erg.rcLadeflaeche;
    if (!bKombiBild || !pDoc)
        return rc;
    if (nViewAktiv == CQOR1Doc::kAktivZugfahrzeug) {
        const CFahrzeug* f = pDoc->GetAktivFahrzeug(false);
        rc.setRight(rc.left() + (f ? MeterZuPixel(f->GetLFLaenge(), dZoom) : 0) - 1);
    } else {
        rc.setLeft(rc.left() + MeterZuPixel(pDoc->GetAnhaengerVersatz(), dZoom));
    }
    return rc;
}

// --- what the drawings leave behind ------------------------------------------------------------------

QRect CVorlagePainter::GetLadeflaecheRect() const
{
    return AktivLadeflaeche(m_Ein.pDoc, m_Ein.nViewAktiv, IsKombinationsBild(), m_Ein.dZoom);
}

double CVorlagePainter::GetDruckFaktor() const
{
    // A print's zoom and any other zoom of the view enlarge the standard zoom's picture as a whole.
    return m_Ein.dZoom > 0.0 ? m_Ein.dZoom / kStandardZoom : 1.0;
}

void CVorlagePainter::SetHotSpot(HotSpot which, const QRect& rc)
{
    if (which >= 0 && which < kHotAnzahl)
        m_Erg.rcHotSpots.at(static_cast<std::size_t>(which)) = rc;
}

void CVorlagePainter::SetToolTip(int toolId, const QRect& rc, const std::string& text)
{
    m_Erg.tools[toolId] = SVorlageTool{rc, text};
}

void CVorlagePainter::SetLabelRect(int id, const QRect& rc)
{
    if (id == 0)
        m_Erg.rcLabels.clear();
    else
        m_Erg.rcLabels[id] = rc;
}

void CVorlagePainter::SetAuflagerRect(AuflagerSpot which, int index, const QRect& rc)
{
    m_Erg.rcAuflager[{which, index}] = rc;
}

void CVorlagePainter::ZeichneAchsTracker(QPainter& painter, const QRect& rc)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rc.adjusted(0, 0, -1, -1));
    painter.restore();
}

// --- the steps both pictures share ----------------------------------------------------------------------

void CVorlagePainter::BeginneBild(const SVorlageEingabe& ein)
{
    m_Ein = ein;
    m_Erg.nAnimAnzahl = 0;
    m_Erg.bDiagrammZeigen = false;
    m_Erg.scrollGroesse.reset();
}

CDIBFahrzeug* CVorlagePainter::BeginneGrundbild(CFahrzeug* pFahrzeug, bool bTeilweise)
{
    CQOR1Doc* pDoc = m_Ein.pDoc;
    m_Erg.bLetzteTeilweise = bTeilweise;
    m_KoordSys.m_pDoc = pDoc;
    m_Bemassung.m_pDoc = pDoc;
    m_Erg.rcTexte = QRect();
    if (!m_pDIBFahrzeug || !m_pDIBFahrzeug->MatchesDoc(pDoc)) {
        // Another vehicle: its own drawing, and the rulers' scale of its kind.
        m_pDIBFahrzeug = CDIBFahrzeug::Create(pFahrzeug);
        m_KoordSys.m_nPixProMeter = kPixProMeter;
        m_KoordSys.m_nPixProTonne = kPixProTonne;
        m_KoordSys.AdaptScale(m_Ein.dZoom, m_Ein.bPrinting, 1.0);
        m_Auflager.Create(pFahrzeug, this);
    }
    if (!m_pDIBFahrzeug)
        return nullptr;
    // A full drawing takes fonts made for the zoom and the plain scale; a partial one keeps both.
    if (!bTeilweise) {
        if (m_bFontsDirty) {
            m_KoordSys.DeleteFonts();
            m_KoordSys.CreateFonts(m_Ein.dZoom, m_Ein.bPrinting);
            m_bFontsDirty = false;
        }
        m_Scale = STupel(1.0, 1.0, -1);
    }
    return m_pDIBFahrzeug.get();
}

int CVorlagePainter::CalcPlanWidth(bool bFahrzeug, const CDIBFahrzeug* pDIB)
{
    int w = m_KoordSys.CalcWidth(true, m_Ein.dZoom);
    if (bFahrzeug && pDIB)
        w = std::max(w, m_KoordSys.CalcWidth(false, m_Ein.dZoom)) +
            pDIB->GetDrawLength(m_KoordSys.m_nPixProMeter, m_Ein.dZoom);
    return w;
}

int CVorlagePainter::CalcExportOriginX(CFahrzeug* pVorn, int x, int scale) const
{
    const double z = m_Ein.dZoom;
    switch (pVorn ? pVorn->GetArt() : FahrzeugArt::kZugmaschine) {
    case FahrzeugArt::kStarrdeichsel:
        x = static_cast<int>(pVorn->GetVorbauLaenge() * scale * z) + 30;
        break;
    case FahrzeugArt::kAnhaenger:
        x = static_cast<int>((pVorn->GetGesamtlaenge(false) - pVorn->GetLFLaenge()) * scale * z) +
            Zoomed(50, z);
        break;
    case FahrzeugArt::kAuflieger:
        x = Zoomed(116, z);
        break;
    default:
        x -= Zoomed(150, z);
        break;
    }
    if (m_Ein.nExportWidth < kExportBreiteVoll)
        x += static_cast<int>((kExportBreiteVoll - m_Ein.nExportWidth) * 0.5);
    return x;
}

// The paint's origin line: on the page as far down as on the screen, at the page's scale.
int CVorlagePainter::OriginY() const
{
    return static_cast<int>(m_Erg.ptOrigin.y() * GetDruckFaktor());
}

void CVorlagePainter::Versetze(int& x, int& y, CFahrzeug* pExportVorn, int scale)
{
    m_Erg.nDrawShiftX = m_Erg.nDrawShiftY = 0;
    if (m_Ein.bBildExport) {
        x = CalcExportOriginX(pExportVorn, x, scale);
    } else if (m_Ein.bVersetzt) {
        m_Erg.nDrawShiftX = m_Erg.nDrawShiftY = -2;
        x -= 2;
        y -= 2;
    }
}

CFahrzeug* CVorlagePainter::DiagrammFahrzeug() const
{
    CFahrzeug* pArbeit = m_Ein.pArbeit;
    if (!m_Ein.bBildExport && !m_Ein.bPrinting && m_Ein.bShowDiagramm && pArbeit &&
        pArbeit->GetArt() != FahrzeugArt::kSattelzugmaschine)
        return pArbeit;
    return nullptr;
}

int CVorlagePainter::ZeichneLineal(QPainter& painter, int x, int y)
{
    m_KoordSys.Draw(painter, x, y, m_Scale, m_Ein.dZoom, this);
    return m_KoordSys.GetAchsOben();
}

void CVorlagePainter::SetDiagramm(const CFahrzeug* pChart, int xLF, int y)
{
    m_Erg.rcDiagramm = QRect();
    if (pChart) {
        m_Erg.bDiagrammZeigen = true;
        // Beside the load area, right of the rulers' figures and title that it would cover.
        QRect rc(QPoint(xLF + MetresToPixels(pChart->GetLFLaenge()),
                        y - CFahrzeugDiagrammBild::kOben - CFahrzeugDiagrammBild::kPlotHoehe),
                 QSize(CFahrzeugDiagrammBild::kBreite, CFahrzeugDiagrammBild::kHoehe));
        for (bool bVerschoben = true; bVerschoben;) {
            bVerschoben = false;
            for (const QRect& t : m_KoordSys.GetTextRects())
                if (t.intersects(rc)) {
                    rc.moveLeft(t.right() + 1 + Zoomed(8, m_Ein.dZoom));
                    bVerschoben = true;
                }
        }
        m_Erg.ptDiagramm = rc.topLeft();
    }
}

QSize CVorlagePainter::MitTexten(QSize total) const
{
    if (m_Erg.rcTexte.isEmpty())
        return total;
    const QPoint scroll = m_Ein.scroll;
    const int rand = Zoomed(40, m_Ein.dZoom);
    return total.expandedTo(
        QSize(m_Erg.rcTexte.right() + 1 + scroll.x() + rand, m_Erg.rcTexte.bottom() + 1 + scroll.y() + rand));
}

// --- one vehicle ------------------------------------------------------------------------------------------

const SVorlageErgebnis& CVorlagePainter::ZeichneFahrzeug(QPainter& painter, const SVorlageEingabe& ein,
                                                         bool bTeilweise)
{
    BeginneBild(ein);
    CQOR1Doc* pDoc = ein.pDoc;
    CFahrzeug* pFahrzeug = pDoc ? pDoc->GetFahrzeug() : nullptr;
    if (!pFahrzeug)
        return m_Erg;
    CDIBFahrzeug* pDIB = BeginneGrundbild(pFahrzeug, bTeilweise);
    if (!pDIB)
        return m_Erg;
    m_Auflager.SetFahrzeug(pFahrzeug, this);
    const double z = ein.dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    const int w = CalcPlanWidth(ein.bShowFahrzeug, pDIB);
    const int len = pDIB->GetDrawLength(scale, z);

    // The origin by the kind of the drawing that stands in front: the towing vehicle's in a pair.
    const CDIBFahrzeug* pVorn = pDIB->m_pZugfahrzeug ? pDIB->m_pZugfahrzeug : pDIB;
    int x = m_Erg.ptOrigin.x();
    switch (pVorn->GetFahrzeug()->GetArt()) {
    case FahrzeugArt::kZugmaschine:
    case FahrzeugArt::kSattelzugmaschine:
        x = len + Zoomed(48, z);
        break;
    case FahrzeugArt::kAnhaenger:
        x = static_cast<int>(scale * 2.5 * z * m_Scale.m_dFaktorX);
        break;
    case FahrzeugArt::kStarrdeichsel:
        x = len + Zoomed(200, z);
        break;
    case FahrzeugArt::kAuflieger:
        x = static_cast<int>(200 * z * m_Scale.m_dFaktorX);
        break;
    default:
        break;
    }
    m_Erg.ptOrigin.setX(x);
    int y = OriginY();
    Versetze(x, y, pVorn->GetFahrzeug(), scale);
    m_Erg.ptOriginDrawn = m_Erg.ptOrigin;

    const CFahrzeug* pChart = DiagrammFahrzeug();
    const QSize total(
        x + Zoomed(kScrollRandRechts, z) - len + w + (pChart ? CFahrzeugDiagrammBild::kBreite : 0),
        Zoomed(kScrollHoeheFest, z) + static_cast<int>(kScrollHoeheSkaliert * z * m_Scale.m_dFaktorY) + y);

    const int top = ZeichneLineal(painter, x, y);
    const int xFahrzeug = pDoc->GetZugfahrzeug() ? x + MetresToPixels(pDoc->GetAnhaengerVersatz()) : x;
    m_Erg.rcLadeflaeche = QRect(xFahrzeug, top, MetresToPixels(pFahrzeug->GetLFLaenge()), y - top);
    if (ein.bShowFahrzeug) {
        const int n = ein.nDrawMode == 2 ? ein.nDrawArg : 0;
        if (pDIB->m_pZugfahrzeug)
            pDIB->m_pZugfahrzeug->Draw(painter, x, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
        pDIB->Draw(painter, xFahrzeug, y, &m_KoordSys, m_Scale, z, n, this, bTeilweise);
        // The back buffer is composed whole, so the lines and the axle-load picture come with every
        // paint; a partial one only keeps the scale and fonts it had.
        if (ein.bShowBemassung) {
            m_Bemassung.Draw(painter, xFahrzeug, y, scale, m_Scale, z, this);
            m_Auflager.Draw(painter, x, y + Zoomed(kAuflagerUnterUrsprung, z), scale, z, this);
            if (!ein.bBildExport && !ein.bPrinting)
                m_Erg.nAnimAnzahl = 2;
        }
    }
    SetDiagramm(pChart, xFahrzeug, y);
    // The scroll area after a full drawing, so that it reaches every text and the chart; a partial one
    // keeps it.
    if (!bTeilweise && !ein.bBildExport && !ein.bPrinting)
        m_Erg.scrollGroesse = MitTexten(
            pChart ? total.expandedTo(QSize(m_Erg.ptDiagramm.x() + CFahrzeugDiagrammBild::kBreite, 0))
                   : total);
    return m_Erg;
}

// --- a combination ----------------------------------------------------------------------------------------

const SVorlageErgebnis& CVorlagePainter::ZeichneKombination(QPainter& painter, const SVorlageEingabe& ein,
                                                            bool bTeilweise)
{
    BeginneBild(ein);
    // Export part 0 asks for no picture at all.
    if (ein.bBildExport && ein.nExportTeil == 0)
        return m_Erg;
    if (!ein.bKombi) {
        ZeichneFahrzeug(painter, ein, bTeilweise);
        m_Erg.nZugX = m_Erg.nAnhaengerX = m_Erg.ptOrigin.x();
        return m_Erg;
    }
    CQOR1Doc* pDoc = ein.pDoc;
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    CFahrzeug* pZug = pDoc->GetZugfahrzeug();
    CDIBFahrzeug* pDIB = BeginneGrundbild(pAnh, bTeilweise);
    CDIBFahrzeug* pZugDIB = pDIB ? pDIB->m_pZugfahrzeug : nullptr;
    if (!pDIB || !pZugDIB) {
        // A towing vehicle without a drawing of its own: the single vehicle's picture of the pair.
        return ZeichneFahrzeug(painter, ein, bTeilweise);
    }
    const double z = ein.dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    // The towing vehicle stands in front: its drawing's length and kind place the origin.
    const int w = CalcPlanWidth(ein.bShowFahrzeug, pZugDIB);
    const int len = pZugDIB->GetDrawLength(scale, z);
    const bool bExport = ein.bBildExport;
    const int nTeil = ein.nExportTeil;
    int x = len + Zoomed(48, z);
    if (bExport)
        x += pZug->IsArt5() ? static_cast<int>(scale * 24 / 400.0) : 35;
    m_Erg.ptOrigin.setX(x);
    int y = OriginY();
    // The trailer's picture begins with the trailer, the towing vehicle's with the towing vehicle.
    Versetze(x, y, nTeil == 2 ? pAnh : nullptr, scale);
    const int x2 = x + MetresToPixels(pDoc->GetAnhaengerVersatz());
    m_Erg.nZugX = x;
    m_Erg.nAnhaengerX = x2;

    const bool bZugAktiv = ein.nViewAktiv == CQOR1Doc::kAktivZugfahrzeug;
    const bool bSzmAktiv = bZugAktiv && pZug->GetArt() == FahrzeugArt::kSattelzugmaschine;
    const int xAktiv = bZugAktiv && !bSzmAktiv ? x : x2;
    m_Erg.ptOriginDrawn = QPoint(xAktiv - m_Erg.nDrawShiftX, y - m_Erg.nDrawShiftY);

    const CFahrzeug* pChart = DiagrammFahrzeug();
    const int top = ZeichneLineal(painter, x, y);
    if (bExport) {
        CFahrzeug* f = nTeil == 1 ? pZug : pAnh;
        m_Erg.rcLadeflaeche = QRect(x, top, MetresToPixels(f->GetLFLaenge()), y - top);
    } else {
        m_Erg.rcLadeflaeche = QRect(x, top, x2 + MetresToPixels(pAnh->GetLFLaenge()) - x, y - top);
    }

    // The pictures of the last paint must not answer a click of this one.
    m_Erg.rcAuflager.erase({kAufBildInaktiv, 0});
    m_Erg.rcAuflager.erase({kAufBild, 0});
    m_Erg.rcAuflager.erase({kAufAnteilAnhaenger, 0});
    m_Erg.rcAuflager.erase({kAufAnteilAnhaenger, 1});
    if (ein.bShowFahrzeug)
        ZeichneKombiFahrzeuge(painter, x, x2, y, bZugAktiv, bTeilweise);

    SetDiagramm(pChart, pChart == pZug ? x : x2, y);
    if (bExport || ein.bPrinting)
        return m_Erg;
    if (!bTeilweise)
        SetKombiScrollGroesse(x, y, x + Zoomed(kScrollRandRechts, z) - len + w, pChart != nullptr);
    return m_Erg;
}

void CVorlagePainter::ZeichneKombiFahrzeuge(QPainter& painter, int x, int x2, int y, bool bZugAktiv,
                                            bool bTeilweise)
{
    CQOR1Doc* pDoc = m_Ein.pDoc;
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    CFahrzeug* pZug = pDoc->GetZugfahrzeug();
    CDIBFahrzeug* pDIB = m_pDIBFahrzeug.get();
    CDIBFahrzeug* pZugDIB = pDIB->m_pZugfahrzeug;
    const bool bExport = m_Ein.bBildExport;
    const int nTeil = m_Ein.nExportTeil;
    const double z = m_Ein.dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    const int n = m_Ein.nDrawMode == 2 ? m_Ein.nDrawArg : 0;
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
    if (m_Ein.bShowBemassung) {
        m_Bemassung.Draw(painter, bExport ? x : x2, y, scale, m_Scale, z, this);
        const int yA = y + Zoomed(kAuflagerUnterUrsprung, z);
        if (bExport) {
            m_Auflager.SetFahrzeug(nTeil == 1 ? pZug : pAnh, this);
            m_Auflager.Draw(painter, x, yA, scale, z, this);
        } else {
            const int art = pAnh->GetFahrzeugTyp();
            const int tiefer = art == FahrzeugArt::kStarrdeichsel || art == FahrzeugArt::kAuflieger
                                   ? static_cast<int>(kAuflagerAnhaengerTiefer * z * m_Scale.m_dFaktorY)
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
            if (!m_Ein.bPrinting)
                m_Erg.nAnimAnzahl = 4;
        }
    }
}

void CVorlagePainter::SetKombiScrollGroesse(int x, int y, int nBreite, bool bChart)
{
    CQOR1Doc* pDoc = m_Ein.pDoc;
    CFahrzeug* pAnh = pDoc->GetFahrzeug();
    const double z = m_Ein.dZoom;
    const int scale = m_KoordSys.m_nPixProMeter;
    int breite = nBreite;
    const int art = pAnh->GetArt();
    if (art == FahrzeugArt::kAnhaenger || art == FahrzeugArt::kStarrdeichsel)
        breite = static_cast<int>((pDoc->GetAnhaengerVersatz() + pAnh->GetLFLaenge()) * scale * z) + x + 105;
    if (bChart)
        breite += CFahrzeugDiagrammBild::kBreite;
    const QRect a = m_Erg.Auflager(kAufBild, 0), b = m_Erg.Auflager(kAufBildInaktiv, 0);
    int hoehe =
        Zoomed(kScrollHoeheFest, z) + static_cast<int>(kScrollHoeheSkaliert * z * m_Scale.m_dFaktorY) + y;
    if (!a.isEmpty() || !b.isEmpty())
        hoehe = std::max(a.isEmpty() ? 0 : a.bottom(), b.isEmpty() ? 0 : b.bottom()) + m_Ein.scroll.y() + 15;
    m_Erg.scrollGroesse = MitTexten(QSize(breite, hoehe));
}

// --- over the picture and around it --------------------------------------------------------------------

void CVorlagePainter::ZeichneUeberlagerung(QPainter& painter, const SVorlageUeberlagerung& u)
{
    painter.save();
    if (u.bFocus) {
        // The hover frame inverts what lies under it.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        const QRect r = u.rcFocus;
        painter.drawRect(QRect(QPoint(r.left() - 2, r.top() - 1), QPoint(r.right() + 1, r.bottom())));
    }
    const QRect lf = u.rcLF;
    if (u.bPick) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, 1));
        const int x = u.nPickX;
        painter.drawLine(x - 1, lf.top(), x - 1, lf.bottom());
        painter.drawLine(x + 1, lf.top(), x + 1, lf.bottom());
    }
    const CFahrzeug* f = u.pFahrzeug;
    if (u.pMarkerZL && f) {
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(QColor(0, 0, 255), 1));
        const double s = u.dPixProMeter;
        const int x0 = lf.left();
        const int y0 = lf.bottom() + 1;
        const int xi = x0 + static_cast<int>(f->GetZLPosition(u.pMarkerZL) * s);
        const double fo = !u.rcEditZL.isEmpty() ? u.rcEditZL.height() / 49.0 + 0.38 : 0.36;
        const int yo = y0 + static_cast<int>(fo * s), yu = y0 + static_cast<int>(2.3 * s);
        const int xr = u.pMarkerZL->m_nVomEnde ? x0 + static_cast<int>(f->GetLFLaenge() * s) : x0;
        painter.drawLine(xi, yo, xi, yu);
        painter.drawLine(xr, yu - 5, xi, yu - 5);
        for (int x : {xr, xi})
            painter.drawLine(x - 4, yu - 5 + 4, x + 5, yu - 5 - 5);
    }
    painter.restore();
}

namespace {

// The columns from the first to past the last one with something drawn (a pixel that is not white).
std::pair<int, int> GezeichneteSpalten(const QImage& bild)
{
    int nLinks = bild.width(), nRechts = 0;
    for (int y = 0; y < bild.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < nLinks; ++x) {
            if ((zeile[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                nLinks = x;
                break;
            }
        }
        for (int x = bild.width() - 1; x >= nRechts; --x) {
            if ((zeile[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                nRechts = x + 1;
                break;
            }
        }
    }
    return {std::min(nLinks, nRechts), nRechts};
}

} // namespace

QImage CVorlagePainter::ZeichneExportBild(int nHoehe, const std::function<void(QPainter&)>& draw)
{
    constexpr int kBreite = kExportBreite;
    constexpr int kRand = 10;
    constexpr int kLeinwandGrenze = 16 * kBreite;
    // Drawn on a canvas with room on both sides, made wider until the drawing ends inside it: what lies
    // outside the picture's width shows there.
    QImage leinwand;
    int nVor = 0;
    std::pair<int, int> spalten;
    for (int nLeinwand = 3 * kBreite;; nLeinwand *= 2) {
        nVor = (nLeinwand - kBreite) / 2;
        leinwand = QImage(nLeinwand, nHoehe, QImage::Format_RGB32);
        leinwand.fill(Qt::white);
        {
            QPainter painter(&leinwand);
            painter.translate(nVor, 0);
            draw(painter);
        }
        spalten = GezeichneteSpalten(leinwand);
        const bool bInnen = spalten.first >= kRand && spalten.second + kRand <= nLeinwand;
        if (spalten.second == 0 || bInnen || nLeinwand >= kLeinwandGrenze)
            break;
    }
    // Nothing drawn, or all of it within the picture: the picture as drawn.
    if (spalten.second == 0 || (spalten.first >= nVor && spalten.second <= nVor + kBreite))
        return leinwand.copy(nVor, 0, kBreite, nHoehe);
    // A drawing wider than the picture is shown whole, scaled down to the picture's width.
    const int nVon = std::max(0, std::min(spalten.first - kRand, nVor));
    const int nBis = std::min(leinwand.width(), std::max(spalten.second + kRand, nVor + kBreite));
    QImage bild(kBreite, nHoehe, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter painter(&bild);
    painter.drawImage(
        0, 0, leinwand.copy(nVon, 0, nBis - nVon, nHoehe).scaledToWidth(kBreite, Qt::SmoothTransformation));
    return bild;
}

QSize CVorlagePainter::MissZeichnung(const QSize& bis, int nRaster,
                                     const std::function<void(QPainter&)>& draw)
{
    nRaster = std::max(1, nRaster);
    QImage bild(QSize(std::max(1, 2 * bis.width() / nRaster), std::max(1, 2 * bis.height() / nRaster)),
                QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter painter(&bild);
        painter.scale(1.0 / nRaster, 1.0 / nRaster);
        draw(painter);
        painter.end();
    }
    const QRgb weiss = qRgb(255, 255, 255);
    int right = -1, bottom = -1;
    for (int y = 0; y < bild.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = bild.width() - 1; x >= 0; --x) {
            if (zeile[x] != weiss) {
                right = std::max(right, x);
                bottom = y;
                break;
            }
        }
    }
    if (right < 0)
        return QSize();
    // The pixel found and one more for what the reduction smoothed away.
    return QSize((right + 2) * nRaster, (bottom + 2) * nRaster);
}
