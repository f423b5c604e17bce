// The side-view drawing of one vehicle: the parts every kind shares.
#include "draw2d/CDIBFahrzeug.h"

#include "draw2d/CDIBAnhaenger.h"
#include "draw2d/CDIBAuflieger.h"
#include "draw2d/CDIBSattelzugmaschine.h"
#include "draw2d/CDIBStarrdeichsel.h"
#include "draw2d/CDIBZugmaschine.h"
#include "draw2d/CKoordSys.h"
#include "draw2d/DashedLine.h"
#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

QRect Device(const QPainter& painter, const QRect& rc)
{
    return painter.worldTransform().mapRect(rc);
}

// The item pictures by type, and their screen reduction f and pixels per metre k.
struct ZLArt
{
    double f, k;
};
constexpr ZLArt kZLArten[7] = {{2.67, 130}, {1.0, 49},  {3.0, 146}, {3.0, 146},
                               {2.67, 130}, {1.01, 49}, {3.28, 160}};

constexpr int kToolZoneVorn = 12352;
constexpr int kToolZoneHinten = 12353;
constexpr int kToolSchwerpunkt = 12350;
constexpr int kToolSchwerpunktZug = 12351;

} // namespace

CDIBFahrzeug::CDIBFahrzeug(CFahrzeug* pFahrzeug)
    : m_pFahrzeug(pFahrzeug), m_fontTitel(FontTable::MakeFont("Arial", 16))
{
    auto load = [](std::uint32_t id) {
        auto bm = std::make_unique<CMemBm>();
        bm->LoadBitmap(id);
        return bm;
    };
    const int art = pFahrzeug ? pFahrzeug->GetArt() : -1;
    const bool b5 = pFahrzeug && pFahrzeug->IsArt5();
    switch (art) {
    case FahrzeugArt::kZugmaschine:
        if (b5) {
            m_pAchsBild[0] = load(464);
            m_bm[kBmFahrerhaus5].LoadBitmap(462);
            m_bm[kBmKupplung5].LoadBitmap(424);
            m_bm[kBmKupplung5Ueber].LoadBitmap(435);
        } else {
            for (int i = 0; i < 3; ++i) {
                m_pAchsBild[i] = load(453);
                m_pAchsBild2[i] = load(454);
            }
            m_bm[kBmFahrerhaus].LoadBitmap(452);
            m_bm[kBmKupplung].LoadBitmap(200);
            m_bm[kBmKupplungUeber].LoadBitmap(434);
        }
        break;
    case FahrzeugArt::kAnhaenger:
        m_pAchsBild[0] = load(469);
        for (int i = 1; i < 4; ++i)
            m_pAchsBild[i] = load(455);
        for (int i = 0; i < 4; ++i)
            m_pAchsBild2[i] = load(456);
        break;
    case FahrzeugArt::kStarrdeichsel:
        for (int i = 0; i < 3; ++i) {
            m_pAchsBild[i] = load(455);
            m_pAchsBild2[i] = load(456);
        }
        m_bm[kBmStarr].LoadBitmap(167);
        break;
    case FahrzeugArt::kAuflieger:
        m_pAchsBild[0] = load(169);
        for (int i = 1; i < 5; ++i)
            m_pAchsBild[i] = load(455);
        for (int i = 0; i < 5; ++i)
            m_pAchsBild2[i] = load(456);
        break;
    case FahrzeugArt::kSattelzugmaschine:
        for (int i = 0; i < 3; ++i) {
            m_pAchsBild[i] = load(453);
            m_pAchsBild2[i] = load(454);
        }
        m_bm[kBmFahrerhaus].LoadBitmap(452);
        m_bm[kBmSattel].LoadBitmap(340);
        m_bm[kBmSattelUeber].LoadBitmap(391);
        break;
    default:
        break;
    }
    const std::uint32_t zl[7] = {226, b5 ? 556u : 227u, 228, 335, 230, 458, 232};
    for (int i = 0; i < 7; ++i)
        m_pZLBild[i] = load(zl[i]);
    m_bm[kBmPlattform].LoadBitmap(334);
    m_bm[kBmMarkerFehler].LoadBitmap(265);
    m_bm[kBmMarkerOk].LoadBitmap(264);
}

CDIBFahrzeug::~CDIBFahrzeug() = default;

std::unique_ptr<CDIBFahrzeug> CDIBFahrzeug::Create(CFahrzeug* pFahrzeug)
{
    if (!pFahrzeug)
        return nullptr;
    std::unique_ptr<CDIBFahrzeug> p;
    switch (pFahrzeug->GetArt()) {
    case FahrzeugArt::kZugmaschine:
        p = std::make_unique<CDIBZugmaschine>(pFahrzeug);
        break;
    case FahrzeugArt::kAnhaenger:
        p = std::make_unique<CDIBAnhaenger>(pFahrzeug);
        break;
    case FahrzeugArt::kStarrdeichsel:
        p = std::make_unique<CDIBStarrdeichsel>(pFahrzeug);
        break;
    case FahrzeugArt::kAuflieger:
        p = std::make_unique<CDIBAuflieger>(pFahrzeug);
        break;
    case FahrzeugArt::kSattelzugmaschine:
        p = std::make_unique<CDIBSattelzugmaschine>(pFahrzeug);
        break;
    default:
        return nullptr;
    }
    // A trailer's partner is its towing vehicle.
    CFahrzeug* pZug = pFahrzeug->IsAnhaengerArt() ? pFahrzeug->GetPartner() : nullptr;
    if (pZug) {
        if (pZug->GetArt() == FahrzeugArt::kZugmaschine)
            p->m_pZugOwned = std::make_unique<CDIBZugmaschine>(pZug);
        else if (pZug->GetArt() == FahrzeugArt::kSattelzugmaschine)
            p->m_pZugOwned = std::make_unique<CDIBSattelzugmaschine>(pZug);
        p->m_pZugfahrzeug = p->m_pZugOwned.get();
    }
    return p;
}

bool CDIBFahrzeug::MatchesDoc(const CQOR1Doc* pDoc) const
{
    if (!pDoc || pDoc->GetFahrzeug() != m_pFahrzeug)
        return false;
    const CFahrzeug* pZug = pDoc->GetZugfahrzeug();
    if (!pZug)
        return true;
    return m_pZugfahrzeug && m_pZugfahrzeug->m_pFahrzeug == pZug;
}

int CDIBFahrzeug::CountAchsBilder() const
{
    int n = 0;
    for (const auto& p : m_pAchsBild)
        n += p ? 1 : 0;
    for (const auto& p : m_pAchsBild2)
        n += p ? 1 : 0;
    return n;
}

bool CDIBFahrzeug::IsAktiv(const IPlanDrawView* pView) const
{
    const CQOR1Doc* doc = pView ? pView->GetDocument() : nullptr;
    return doc && doc->GetAktivFahrzeug(false) == m_pFahrzeug;
}

bool CDIBFahrzeug::IsUntertyp() const
{
    if (m_pFahrzeug->IsArt5())
        return true;
    const CFahrzeug* p = m_pFahrzeug->GetPartner();
    return m_pFahrzeug->IsAnhaengerArt() && p && p->IsArt5();
}

int CDIBFahrzeug::BuildCurveRegion(bool bBuild, int x0, int y0, const CKoordSys* pKoordSys, double dZoom)
{
    m_Kurve.clear();
    if (!m_pFahrzeug || !pKoordSys || !bBuild)
        return 0;
    const CTupelList* kurve = m_pFahrzeug->GetKurve(false);
    if (!kurve || kurve->IsEmpty())
        return 0;
    const double sx = pKoordSys->m_nPixProMeter, sy = pKoordSys->m_nPixProTonne, z = dZoom;
    auto vertex = [&](double x, double y) {
        return QPoint(x0 + Trunc(x * sx * z), y0 - Trunc(y * sy * pKoordSys->m_dStreckung * z));
    };
    const auto& pts = kurve->Punkte();
    // A band between the two values when the curve carries a second value, else the area down to the
    // floor.
    if (pts.front()->m_dMinLast != -1.0) {
        for (const SYs2X* p : pts)
            m_Kurve << vertex(p->m_dX, p->m_dMaxLast);
        for (auto it = pts.rbegin(); it != pts.rend(); ++it)
            m_Kurve << vertex((*it)->m_dX, std::max(0.0, (*it)->m_dMinLast));
    } else {
        for (const SYs2X* p : pts)
            m_Kurve << vertex(p->m_dX, p->m_dMaxLast);
        m_Kurve << QPoint(vertex(pts.back()->m_dX, 0).x(), y0)
                << QPoint(vertex(pts.front()->m_dX, 0).x(), y0);
    }
    return 1;
}

void CDIBFahrzeug::Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
                        double dZoom, int /*n*/, IPlanDrawView* pView, bool /*bTeilweise*/)
{
    if (!m_pFahrzeug || !pKoordSys || !pView)
        return;
    painter.save();
    CFahrzeug* v = m_pFahrzeug;
    const SZeichnung c{painter,
                       x,
                       y,
                       pKoordSys,
                       pView,
                       pView->GetDocument(),
                       static_cast<double>(pKoordSys->m_nPixProMeter),
                       static_cast<double>(pKoordSys->m_nPixProTonne),
                       dZoom,
                       scale.m_dFaktorX,
                       scale.m_dFaktorY,
                       IsAktiv(pView),
                       pView->HasTowingPair(),
                       pView->IsBildExport(),
                       pView->GetDrawShiftX(),
                       pView->GetDrawShiftY(),
                       v->GetArt(),
                       Trunc(v->GetLFLaenge() * pKoordSys->m_nPixProMeter * dZoom),
                       pView->GetDruckFaktor()};
    DrawBeschriftung(c);
    const QRect body = DrawKoerper(c);
    const bool bBlass = c.bKombi && !c.bAktiv;

    // Rear wall with the wall pattern.
    CMemBm wall;
    wall.LoadBitmap(186);
    const QBrush wallBrush = wall.IsLoaded() ? QBrush(wall.GetImage()) : QBrush(Qt::darkGray);
    const int wallW = Trunc(0.2 * 200 * c.z);
    if (!bBlass) {
        const QRect rc(body.right() + 1 - wallW, body.top(), wallW, body.height());
        painter.setBrush(wallBrush);
        painter.drawRect(rc.adjusted(0, 0, -1, -1));
        pView->SetHotSpot(IPlanDrawView::kHotRueckwand, Device(painter, rc));
    }

    if (c.art != FahrzeugArt::kSattelzugmaschine)
        DrawRandZonen(c);
    DrawNutzlastFlaeche(c);
    DrawZusatzlasten(c);
    DrawLastSchwerpunkt(c, body);

    // Front wall of trucks and rigid-drawbar trailers, and of an active semi-trailer in the pair view.
    const int art = c.art;
    const bool bStirn = art == FahrzeugArt::kZugmaschine || art == FahrzeugArt::kStarrdeichsel ||
                        (art == FahrzeugArt::kAuflieger && c.bKombi && c.bAktiv);
    if (bStirn && !bBlass) {
        const QRect rc(x, body.top(), wallW, body.height());
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(wallBrush);
        painter.drawRect(rc.adjusted(0, 0, -1, -1));
        pView->SetHotSpot(IPlanDrawView::kHotStirnwand, Device(painter, rc));
        pView->SetHotSpot(IPlanDrawView::kHotStirnkante,
                          Device(painter, QRect(body.left(), body.top() - 2, body.width(), 5)));
    }
    painter.restore();
}

int CDIBFahrzeug::SZeichnung::K(int px) const
{
    return Trunc(px * dDruck);
}

// Caption over the load area, the permissible total mass and, for the front vehicle of a combination,
// the combination limit. One wider than the load area starts at its front. A print enlarges the
// screen's fixed sizes and distances with the rest of the picture.
void CDIBFahrzeug::DrawBeschriftung(const SZeichnung& c)
{
    QPainter& painter = c.painter;
    const int lfPx = c.lfPx;
    const QFont fontTitel =
        c.dDruck == 1.0 ? m_fontTitel : FontTable::MakeFont("Arial", Trunc(16 * c.dDruck));
    painter.setFont(fontTitel);
    const QFontMetrics fm(fontTitel);
    const QString caption = QString::fromStdString(FormatS("$S", 1, 9u));
    int cx = c.x + lfPx / 2;
    const int capW = fm.horizontalAdvance(caption);
    if (capW > lfPx - 2)
        cx += (capW - (lfPx - 2)) / 2;

    painter.setPen(Qt::black);
    if (c.bAktiv) {
        const QRect rcCaption(cx - capW / 2, c.y0 + c.K(50), capW, fm.height());
        painter.drawText(rcCaption, Qt::AlignLeft | Qt::AlignTop, caption);
        c.pView->AddTextRect(Device(painter, rcCaption));
    }
    DrawGesamtmasse(c, fm, cx);
    CQOR1Doc* doc = c.doc;
    if (c.bKombi && doc && doc->GetFirstFahrzeug() == m_pFahrzeug)
        DrawKombiGrenze(c, fm, cx);
}

// Permissible total mass, red when the laden groups exceed it.
void CDIBFahrzeug::DrawGesamtmasse(const SZeichnung& c, const QFontMetrics& fm, int cx)
{
    QPainter& painter = c.painter;
    IPlanDrawView* pView = c.pView;
    CFahrzeug* v = m_pFahrzeug;
    double dVorn = 0.0, dHinten = 0.0;
    v->CalcAchslastenBeladen(&dVorn, &dHinten);
    m_bGesamtUeber = dVorn + dHinten > v->m_dZulGesamtgewicht;
    if (!c.bAktiv && !m_bGesamtUeber)
        return;
    const QString label = QString::fromStdString(FormatS("$S [kg]: ", 1, 10u));
    const QString value = QString::fromStdString(FormatChecked("%.0f", {v->m_dZulGesamtgewicht * 1000}));
    const int lw = fm.horizontalAdvance(label);
    // It stands left of the centre: over a short load area near the picture's left edge (a
    // tractor's) it moves right so that it is not cut off.
    int cxGesamt = std::max(cx, lw + c.K(2));
    // Nor is it hidden behind the view's buttons there.
    if (const QRect knopf = painter.worldTransform().inverted().mapRect(pView->GetKnopfRect());
        !knopf.isEmpty() && knopf.intersects(QRect(cxGesamt - lw, c.y0 + c.K(30), lw, fm.height())))
        cxGesamt = knopf.right() + 1 + c.K(4) + lw;
    const QRect rcLabel(cxGesamt - lw, c.y0 + c.K(30), lw, fm.height());
    if (m_bGesamtUeber)
        painter.fillRect(rcLabel, QColor(255, 0, 0));
    painter.drawText(rcLabel, Qt::AlignLeft | Qt::AlignTop, label);
    const QRect rcValue(cxGesamt + c.K(4), c.y0 + c.K(30), fm.horizontalAdvance(value), fm.height());
    painter.drawText(rcValue, Qt::AlignLeft | Qt::AlignTop, value);
    pView->AddTextRect(Device(painter, rcLabel));
    pView->AddTextRect(Device(painter, rcValue));
    if (c.bAktiv)
        pView->SetHotSpot(IPlanDrawView::kHotGesamtmasse, Device(painter, rcValue));
}

// Combination limit, red when the combination's mass exceeds it.
void CDIBFahrzeug::DrawKombiGrenze(const SZeichnung& c, const QFontMetrics& fm, int cx)
{
    QPainter& painter = c.painter;
    IPlanDrawView* pView = c.pView;
    CFahrzeug* v = m_pFahrzeug;
    const QString label = QString::fromStdString(FormatS("$S [kg]: ", 1, 322u));
    const double dGrenze = v->GetAchse9Leerlast();
    const QString value = QString::fromStdString(FormatChecked("%.0f", {dGrenze * 1000}));
    const int lw = fm.horizontalAdvance(label);
    const QRect rcLabel = c.bExport ? QRect(cx - lw / 2, c.y0 + c.K(10), lw, fm.height())
                                    : QRect(cx, c.y0 + c.K(10), lw, fm.height());
    if (dGrenze < v->GetGesamtmasse(true))
        painter.fillRect(rcLabel, QColor(255, 0, 0));
    painter.drawText(rcLabel, Qt::AlignLeft | Qt::AlignTop, label);
    const int vx = c.bExport ? cx + lw / 2 + c.K(3) : rcLabel.right() + 1 + c.K(3);
    const QRect rcValue(vx, c.y0 + c.K(10), fm.horizontalAdvance(value), fm.height());
    painter.drawText(rcValue, Qt::AlignLeft | Qt::AlignTop, value);
    pView->AddTextRect(Device(painter, rcLabel));
    pView->AddTextRect(Device(painter, rcValue));
    pView->SetHotSpot(IPlanDrawView::kHotKombiGrenze, Device(painter, rcValue));
}

// The body below the load area, pale for the vehicle not worked on in a combination; answers it.
QRect CDIBFahrzeug::DrawKoerper(const SZeichnung& c) const
{
    QPainter& painter = c.painter;
    CFahrzeug* v = m_pFahrzeug;
    const double sx = c.sx, z = c.z, s1 = c.s1;
    const int x = c.x, y = c.y, art = c.art;
    const int h = Trunc(sx * (IsUntertyp() ? 0.19 : 0.35) * z);
    int left = 0, top = 0, width = c.lfPx;
    if (art == FahrzeugArt::kZugmaschine) {
        const double a = v->GetAchse1Abstand();
        const int dd = v->IsArt5() ? Trunc((a - 1.2) * sx * z) + 1 : Trunc((a - 0.5 + 0.07) * sx * z);
        width = Trunc((v->GetLFLaenge() * sx * z + dd) * s1);
        left = -Trunc(dd * s1);
    } else if (art == FahrzeugArt::kSattelzugmaschine) {
        const double a = v->GetAchse1Abstand();
        width = Trunc((v->GetLFLaenge() + a) * sx * z * s1) - 32;
        left = 32 - Trunc(a * s1 * sx * z);
        top = Trunc(z * 0.4 * sx);
    }
    QRect body(QPoint(x + left, y + top), QPoint(x + left + width + 1, y + top + h));
    if (art == FahrzeugArt::kZugmaschine) {
        if (!c.bExport)
            body.setLeft(v->IsArt5() ? c.x0 + Trunc(916 * z) : c.x0 + 8 + Trunc(444 * z));
        else if (!v->IsArt5())
            body.setLeft(body.left() + Trunc(sx * 9 / 194));
    }
    const bool bBlass = c.bKombi && !c.bAktiv;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(bBlass ? QColor(230, 230, 230) : QColor(192, 192, 192));
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    c.pView->SetHotSpot(IPlanDrawView::kHotKoerper, Device(painter, body));
    return body;
}

// Unusable zones at the ends, hatched over what lies below; their tooltips stay even at length 0.
void CDIBFahrzeug::DrawRandZonen(const SZeichnung& c) const
{
    QPainter& painter = c.painter;
    CFahrzeug* v = m_pFahrzeug;
    const double sx = c.sx, z = c.z;
    const int x = c.x, y = c.y, lfPx = c.lfPx;
    CMemBm hatch;
    hatch.LoadBitmap(c.bAktiv ? 418 : 419);
    const int zh = c.pView->GetLadeflaecheRect().height();
    const double dVornL = v->GetRandabstand(0), dHintenL = v->GetRandabstand(2);
    const QRect rcVorn(QPoint(x + 1, y - zh), QPoint(x + 1 + Trunc(dVornL * sx * z), y));
    const QRect rcHinten(QPoint(x + lfPx - Trunc(dHintenL * sx * z), y - zh),
                         QPoint(x + lfPx + (c.bAktiv ? 0 : 1), y));
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hatch.IsLoaded() ? QBrush(hatch.GetImage()) : QBrush(Qt::gray, Qt::BDiagPattern));
    if (dVornL != 0.0)
        painter.drawRect(rcVorn);
    if (dHintenL != 0.0)
        painter.drawRect(rcHinten);
    painter.restore();
    const std::string tip = FormatResChecked(205, {v->m_strName, dVornL * 1000, dHintenL * 1000});
    auto widen = [](QRect rc) {
        if (rc.width() < 3)
            rc.setWidth(3);
        return rc;
    };
    c.pView->SetToolTip(kToolZoneVorn, Device(painter, widen(rcVorn)), tip);
    c.pView->SetToolTip(kToolZoneHinten, Device(painter, widen(rcHinten)), tip);
}

// Payload area of the vehicle worked on.
void CDIBFahrzeug::DrawNutzlastFlaeche(const SZeichnung& c)
{
    CQOR1Doc* doc = c.doc;
    const bool bKeinSattelAnhaenger =
        !(c.bKombi && doc && doc->GetFahrzeug() && doc->GetFahrzeug()->GetArt() == FahrzeugArt::kAuflieger &&
          doc->GetAktivFahrzeug(false) != doc->GetFahrzeug());
    if (c.bExport || !bKeinSattelAnhaenger || !c.bAktiv) {
        m_Kurve.clear();
        return;
    }
    if (BuildCurveRegion(true, c.x, c.y, c.pKoordSys, c.z) && !m_Kurve.isEmpty()) {
        QPainter& painter = c.painter;
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(214, 255, 193));
        painter.drawPolygon(m_Kurve, Qt::OddEvenFill);
        painter.restore();
    }
}

// Additional items, each with its tooltip; the item being edited gets its tracker.
void CDIBFahrzeug::DrawZusatzlasten(const SZeichnung& c)
{
    QPainter& painter = c.painter;
    IPlanDrawView* pView = c.pView;
    CFahrzeug* v = m_pFahrzeug;
    const double sx = c.sx, z = c.z, s1 = c.s1;
    const int x = c.x, y = c.y, lfPx = c.lfPx;
    for (std::size_t i = 0; i < m_lstZL.size(); ++i)
        pView->RemoveToolTip(static_cast<int>(i) + 1);
    m_lstZL.clear();
    int nTool = 1;
    for (const auto& pZL : v->m_ZLInfos) {
        if (!pZL || pZL->m_nTyp < 0 || pZL->m_nTyp > 6)
            continue;
        const int typ = pZL->m_nTyp;
        const CMemBm* bm = m_pZLBild[typ].get();
        const double w = bm && bm->IsLoaded() ? bm->GetWidth() * sx / 194 : 0.0;
        const double hh = bm && bm->IsLoaded() ? bm->GetHeight() * sx / 194 : 0.0;
        const double f = (typ == 1 && v->IsArt5()) ? 1.02 : kZLArten[typ].f;
        const double k = (typ == 1 && v->IsArt5()) ? 136 : kZLArten[typ].k;
        double pos = v->GetZLPosition(pZL.get());
        if (c.art == FahrzeugArt::kSattelzugmaschine)
            pos -= v->m_dKupplungsabstand;
        int pw = Trunc(w / f), ph = Trunc(hh / f);
        if (typ == 0) {
            pw = Trunc(w / f * std::max(pZL->m_dLaenge, 0.1));
            ph = Trunc(hh / f * std::max(pZL->m_dBreite, 0.1));
        } else {
            pZL->m_dLaenge = w / k;
        }
        double dUnter = 0.36;
        int px = x + Trunc(pos * sx * z * s1) - pw / 2;
        switch (typ) {
        case 0:
            if (pZL->m_bFlag)
                dUnter = -pZL->m_dHoehe - pZL->m_dBreite;
            break;
        case 1:
            px = x + lfPx - pw;
            break;
        case 2:
            dUnter = -2.83;
            break;
        case 5:
            px = x + Trunc((v->GetLFLaenge() - 1.45) * sx * z);
            dUnter = -1.64;
            break;
        default:
            break;
        }
        int py = y + Trunc(dUnter * sx * z);
        if (typ == 1 && v->IsArt5()) {
            px = x - 75;
            py = y - 73;
            pw = 100;
            ph = 80;
        }
        const QRect rc(px, py, pw, ph);
        if (bm)
            bm->DrawTransparent(painter, rc.x(), rc.y(), rc.width(), rc.height(), RGB(255, 255, 255));
        if (typ == 1 && !v->IsArt5() && m_bm[kBmPlattform].IsLoaded()) {
            const int fw = m_bm[kBmPlattform].GetWidth(), fh = m_bm[kBmPlattform].GetHeight();
            m_bm[kBmPlattform].DrawTransparent(painter, x + lfPx, y + Trunc(0.36 * sx * z) - fh, fw, fh,
                                               RGB(255, 255, 255));
        }
        const QRect dev = Device(painter, rc);
        m_lstZL.push_back({dev, pZL.get()});
        if (pView->GetEditZL() == pZL.get())
            pView->ZeichneZLTracker(painter, rc);
        const std::string tip =
            FormatResChecked(86, {pZL->GetTypText(), pZL->m_strName, pZL->m_dMasse * 1000});
        pView->SetToolTip(nTool++, dev, tip);
    }
}

// Load centre of gravity with the load-check marker, on the middle of the body.
void CDIBFahrzeug::DrawLastSchwerpunkt(const SZeichnung& c, const QRect& body) const
{
    CFahrzeug* v = m_pFahrzeug;
    CQOR* q = v->GetQor();
    if (c.art == FahrzeugArt::kSattelzugmaschine || !q || q->GetMasse() <= 0.0 || q->GetLgInfos().empty())
        return;
    QPainter& painter = c.painter;
    IPlanDrawView* pView = c.pView;
    const double sx = c.sx, z = c.z, s1 = c.s1;
    const int x = c.x, y = c.y;
    const double dSp = q->GetSchwerpunktX();
    pView->SetSchwerpunktPos(dSp);
    const int xc = Trunc((dSp + v->GetRandabstand(0) + 1e-10) * sx * s1 * z) + x;
    const QSize hint = pView->GetSchwerpunktBildGroesse();
    const int hw = Trunc(hint.width() / 50.0 * 194 * s1 * z), hh = Trunc(hint.height() / 50.0 * 194 * s1 * z);
    const int mid = body.top() + body.height() / 2;
    pView->SetHotSpot(IPlanDrawView::kHotSchwerpunkt,
                      Device(painter, QRect(xc - hw / 2, mid - hh / 2, hw, hh).adjusted(-1, -1, 1, 1)));
    const int yl = y - Trunc(c.sy * q->GetMasse() * c.pKoordSys->m_dStreckung * c.s2 * z);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    DrawDashedLine(painter, QPoint(xc, y), QPoint(xc, yl));
    DrawDashedLine(painter, QPoint(xc - Trunc(30 * z), yl), QPoint(x + c.lfPx, yl));
    const bool bOk = v->CheckLadung() != 0;
    const CMemBm& marker = m_bm[bOk ? kBmMarkerOk : kBmMarkerFehler];
    const QRect rcM(xc - Trunc(30 * z) - marker.GetWidth() / 2, yl - marker.GetHeight() / 2,
                    marker.GetWidth(), marker.GetHeight());
    marker.DrawTransparent(painter, rcM.x(), rcM.y(), rcM.width(), rcM.height(), RGB(0, 0, 255));
    const bool bZug = c.doc && c.doc->GetZugfahrzeug() == v;
    pView->SetToolTip(bZug ? kToolSchwerpunktZug : kToolSchwerpunkt,
                      Device(painter, rcM.adjusted(-1, -1, 1, 1)),
                      FormatResChecked(209, {v->m_strName, q->GetMasse() * 1000, dSp * 1000}));
}

double CDIBFahrzeug::AchsLeerlast(int i) const
{
    return m_pFahrzeug->GetAchsLeerlast(HatKupplungsRecord() ? i : i + 1);
}

double CDIBFahrzeug::AchsZulLast(int i) const
{
    return m_pFahrzeug->GetAchsZulLast(HatKupplungsRecord() ? i : i + 1);
}

int CDIBFahrzeug::AchsRecords() const
{
    return m_pFahrzeug->GetAchsanzahl() + (HatKupplungsRecord() ? 1 : 0);
}

std::string CDIBFahrzeug::AchsNameNachKupplung(int i, unsigned nKupplungText, int nNummernBis)
{
    if (i == 0)
        return FormatS("$S", 1, nKupplungText);
    if (i <= nNummernBis)
        return FormatChecked("%s %i", {FormatS("$S", 1, 13u), i});
    return FormatS("$S ($S)", 2, 13u, 14u);
}

double CDIBFahrzeug::BildFaktor(double dPixProMeter, double dZoom, double dSkala)
{
    return (dSkala > 0.0 ? dSkala : dPixProMeter / 194.0) * dZoom / 0.25;
}

void CDIBFahrzeug::DrawAchsen(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                              const STupel& scale, double dZoom, IPlanDrawView* pView,
                              const SAchsLayout& layout)
{
    CFahrzeug* v = m_pFahrzeug;
    const double sx = pKoordSys->m_nPixProMeter, z = dZoom, s1 = scale.m_dFaktorX, s2 = scale.m_dFaktorY;
    v->CalcAchsPositionen(0.0, false);
    m_lstAchsen.clear();
    const int n = std::min(AchsRecords(), CFahrzeug::MAX_ACHSEN);
    for (int i = 0; i < n; ++i) {
        const int j = i - layout.nBildVersatz;
        const CMemBm* bm = nullptr;
        if (i >= layout.nErsteMitBild && j >= 0) {
            const bool bFlag = v->m_nAchsFlags[i] != 0 && i < 9;
            if (bFlag && j < 9 && m_pAchsBild2[j])
                bm = m_pAchsBild2[j].get();
            else if (j < 10 && m_pAchsBild[j])
                bm = m_pAchsBild[j].get();
            // An axle beyond the pictures of the kind takes the last wheel picture.
            if (!bm)
                for (int k = std::min(j, 9); k >= 0 && !bm; --k)
                    if (m_pAchsBild[k])
                        bm = m_pAchsBild[k].get();
        }
        const CMemBm* ref = bm ? bm : (m_pAchsBild[0] ? m_pAchsBild[0].get() : nullptr);
        int w = ref ? ref->GetWidth() : 0, h = ref ? ref->GetHeight() : 0;
        // The wheel pictures are made for zoom 0.25; they grow with the zoom as the vehicle does.
        const double f = BildFaktor(sx, z, layout.dBildSkala);
        if (f != 1.0) {
            w = Trunc(w * f);
            h = Trunc(h * f);
        }
        const int ax = Trunc(sx * v->GetAchsGeometrie().dAchsPos[i] * z) - w / 2;
        if (bm)
            bm->DrawTransparent(painter, x + Trunc(ax * s1), layout.nTopY, w, h, RGB(255, 255, 255));
        QRect rc(x + Trunc(ax * s1), y + Trunc(69 * z * s2), w, h);
        if (!bm)
            rc = QRect(x + Trunc(ax * s1), v->IsArt5() ? y - Trunc(56 * z) : y + Trunc(69 * z * s2), w, h);
        m_lstAchsen.emplace_back(AchsName(i), AchsLeerlast(i), AchsZulLast(i),
                                 painter.worldTransform().mapRect(rc), i);
    }
    const int sel = pView->GetSelAchse();
    if (sel >= 0 && IsAktiv(pView) && !pView->IsBildExport())
        for (const SGuiAchse& a : m_lstAchsen)
            if (a.m_nIndex == sel)
                pView->ZeichneAchsTracker(painter, painter.worldTransform().inverted().mapRect(a.m_rc));
}
