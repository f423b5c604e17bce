// The load-securing view's drawing: the load area with its unusable strips, rails and lashing points,
// the placed loads, the load units with their lashings and the marked area, with the hit regions.
#include "loadsecuring/CQORLgSicherungView.h"

#include "draw2d/SicherungsMarke.h"

#include "ui/CRibBtnContainer.h"
#include "views/CPlanPainter.h"

#include "draw2d/core/BitmapExImage.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/ZurrAbstand.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

// Lashing rails are drawn this wide across the load area, in metres.
constexpr double kSchienenBreite = 0.05;
// Half the side of a lashing point's square, in metres.
constexpr double kPunktHalb = 0.06;

QColor Farbe(QRgb c)
{
    return QColor::fromRgb(c);
}

// A picture of a 32-bit bitmap scaled to (w, h) and brightened by nHell (0: as it is).
QImage Skaliert(const CBitmapEx& bm, int w, int h, int nHell)
{
    if (bm.IsEmpty() || w <= 0 || h <= 0)
        return QImage();
    CBitmapEx copy;
    copy.CreateCopy(bm);
    copy.Resize(w, h);
    if (nHell)
        copy.AdjustBrightness(nHell);
    return BitmapExToImage(copy);
}

// Text with its top-left corner, centre or right edge at x and its top at y.
enum class Ausrichtung
{
    Links,
    Mitte,
    Rechts,
};

void Text(QPainter& p, int x, int y, const QString& text, Ausrichtung a)
{
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text);
    const int left = a == Ausrichtung::Links ? x : (a == Ausrichtung::Mitte ? x - w / 2 : x - w);
    p.drawText(left, y + fm.ascent(), text);
}

} // namespace

QPoint CQORLgSicherungView::Punkt(double x, double y) const
{
    auto* self = const_cast<CQORLgSicherungView*>(this);
    return m_ptUrsprung + QPoint(self->MetresToPixels(x), self->MetresToPixels(y));
}

QRect CQORLgSicherungView::SchienenRechteck(const CZurrschiene& s, int nDurchgang)
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || (s.m_nSeite != 0 && s.m_nSeite != 2))
        return QRect();
    const double L = f->GetLFLaenge(), W = f->GetLFBreite();
    double von = s.GetAnfang(), bis = L - s.GetEndAbstand();
    if (nDurchgang == 1) {
        double a = 0.0, b = 0.0;
        if (!s.GetBereich(&a, &b))
            return QRect();
        von = a;
        bis = b;
    }
    const double d = s.GetSeitenAbstand(W);
    const int left = m_ptUrsprung.x() + MetresToPixels(von) + (nDurchgang == 1 ? 1 : 0);
    const int right = m_ptUrsprung.x() + MetresToPixels(bis) + (nDurchgang == 1 ? 1 : 0);
    const int top = m_ptUrsprung.y() + MetresToPixels(d - kSchienenBreite / 2);
    const int h = std::max(3, MetresToPixels(kSchienenBreite));
    if (right <= left)
        return QRect();
    return QRect(left, top, right - left, h);
}

QRect CQORLgSicherungView::PunktRechteck(CZurrpunkt& zp)
{
    const int left = m_ptUrsprung.x() + MetresToPixels(zp.GetPosX() - kPunktHalb);
    const int top = m_ptUrsprung.y() + MetresToPixels(zp.GetPosY() - kPunktHalb);
    const int n = MetresToPixels(2 * kPunktHalb);
    return QRect(left, top + ((zp.m_nFlags & CZurrpunkt::kLinks) ? 1 : 0), n, n);
}

QRect CQORLgSicherungView::LadungRechteck(const tagLGINFO& lg)
{
    CFahrzeug* f = GetFahrzeug();
    const double rx = f ? f->GetRandabstand(0) : 0.0, ry = f ? f->GetRandabstand(1) : 0.0;
    const int left = m_ptUrsprung.x() + MetresToPixels(rx + lg.m_dPosX);
    const int top = m_ptUrsprung.y() + MetresToPixels(ry + lg.m_dPosY);
    const int right = left + MetresToPixels(lg.GetDimX());
    const int bottom = top + MetresToPixels(lg.GetDimY());
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

QRect CQORLgSicherungView::EinheitRechteck(const CLadeeinheit& le)
{
    CFahrzeug* f = GetFahrzeug();
    double x = 0, y = 0, l = 0, b = 0;
    le.GetRechteck(&x, &y, &l, &b);
    if (f)
        f->AddRandabstand(&x, &y);
    const int left = m_ptUrsprung.x() + MetresToPixels(x), top = m_ptUrsprung.y() + MetresToPixels(y);
    return QRect(left, top, MetresToPixels(x + l) - MetresToPixels(x),
                 MetresToPixels(y + b) - MetresToPixels(y));
}

QRect CQORLgSicherungView::EckenRechteck(CLadeeinheit& le, int nEcke)
{
    double x = 0, y = 0;
    if (!le.GetAnschlagpunktPos(nEcke, &x, &y, nullptr))
        return QRect();
    if (CFahrzeug* f = GetFahrzeug())
        f->AddRandabstand(&x, &y);
    const QPoint c = Punkt(x, y);
    return QRect(c.x() - 5, c.y() - 5, 11, 11);
}

void CQORLgSicherungView::ClearHitMaps()
{
    m_mapEinheiten.clear();
    m_mapLadungen.clear();
    m_hover.pEinheit = nullptr;
    m_hover.pLadung = nullptr;
}

void CQORLgSicherungView::OnDraw(QPainter& p)
{
    m_mapPunkte.clear();
    m_mapSchienenpunkte.clear();
    m_mapSchienen.clear();
    m_rcEcken = {};
    CFahrzeug* f = GetFahrzeug();
    if (!f) {
        m_rcLadeflaeche = QRect();
        ClearHitMaps();
        return;
    }
    if (m_bSnapshot) {
        ZeichneSnapshot(p, *f);
        return;
    }
    // Border and origin, in line with the template view; the strips follow a new origin.
    const bool bSplitter = IsInVisibleSplitterPane();
    const QPoint rand = ResolveInsets(-1);
    const int nStreifen = m_pStreifenSichg && m_pStreifenSichg->HasWindow() ? m_pStreifenSichg->height() : 0;
    QPoint u(GetPlanOriginX() - rand.x(), nStreifen - rand.y() + 37);
    if (u != m_ptLetzterUrsprung) {
        m_ptLetzterUrsprung = u;
        PostViewNotify(false, kNotifyInsets, -1);
    }
    if (!bSplitter)
        u.setX(60);
    // Beside the wizard: the drawing moves so the unit stays in sight (the scrolled area grows with it).
    u += m_ptWizardVersatz;
    m_ptUrsprung = u;
    int L = 0, W = 0;
    if (f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine) {
        // A tractor has no load area: only its note.
        m_rcLadeflaeche = QRect();
        ClearHitMaps();
        p.setFont(m_fontLabel);
        p.setPen(Qt::black);
        Text(p, u.x(), u.y(), QString::fromStdString(LoadResString(335)), Ausrichtung::Links);
    } else {
        L = MetresToPixels(f->GetLFLaenge());
        W = MetresToPixels(f->GetLFBreite());
        CQOR* q = GetPlan();
        ZeichneLadeflaecheMitZurrmitteln(p, *f, q, L, W);
        if (q) {
            QRect markiert;
            ClearHitMaps();
            ZeichneLadungen(p, *q, &markiert);
            ZeichneEinheiten(p, *q);
            PruefeHover();
            if (markiert.isValid()) {
                const QRect r = markiert.adjusted(-1, -1, 1, 1);
                p.save();
                p.setOpacity(50 / 255.0);
                p.setBrushOrigin(r.topLeft());
                p.fillRect(r, m_musterMarkiert.isNull() ? QBrush(Qt::red) : QBrush(m_musterMarkiert));
                p.restore();
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(0, 0, -1, -1));
            }
        }
    }
    // The scrolled area follows the load area.
    const QSize total(u.x() + L + 10, u.y() + W + 10);
    if (total != GetTotalSize())
        SetScrollSizes(total, QSize(static_cast<int>(500 * m_dZoom), static_cast<int>(250 * m_dZoom)),
                       QSize(50, 20));
}

void CQORLgSicherungView::ZeichneLadeflaeche(QPainter& p, CFahrzeug& f, int L, int W)
{
    const int x = m_ptUrsprung.x(), y = m_ptUrsprung.y();
    const QColor rand = Farbe(kFarbeRand);
    const int vorn = MetresToPixels(f.GetRandabstand(0)), oben = MetresToPixels(f.GetRandabstand(1));
    const int hinten = MetresToPixels(f.GetRandabstand(2)), unten = MetresToPixels(f.GetRandabstand(3));
    if (vorn > 0)
        p.fillRect(QRect(x, y, vorn, W), rand);
    if (hinten > 0)
        p.fillRect(QRect(x + L - hinten, y, hinten, W), rand);
    if (oben > 0)
        p.fillRect(QRect(x, y, L, oben), rand);
    if (unten > 0)
        p.fillRect(QRect(x, y + W - unten, L, unten), rand);
    if (!IsInVisibleSplitterPane()) {
        // The front's name upright beside it.
        p.save();
        p.setFont(m_fontSenkrecht);
        p.setPen(Qt::black);
        p.translate(x - 30, y + W / 2);
        p.rotate(-90);
        const QFontMetrics fm(m_fontSenkrecht);
        Text(p, 0, -fm.height() / 2, QString::fromStdString(LoadResString(336)), Ausrichtung::Mitte);
        p.restore();
    }
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({{x - 1, y}, {x + L, y}, {x + L, y + W}, {x, y + W}, {x, y - 1}}));
    m_rcLadeflaeche = QRect(x, y, L, W);
}

void CQORLgSicherungView::ZeichneSchienen(QPainter& p, CFahrzeug& f, bool bBlass)
{
    const double L = f.GetLFLaenge();
    for (CZurrschiene* s : f.GetZurrschienen()) {
        for (int nDurchgang = 0; nDurchgang < 2; ++nDurchgang) {
            const QRect rc = SchienenRechteck(*s, nDurchgang);
            if (rc.isEmpty())
                continue;
            if (nDurchgang == 0)
                m_mapSchienen[s] = rc;
            if (m_nZoomIndex < kBildZoomIndex) {
                p.setPen(QPen(Farbe(bBlass ? kFarbeBlassStift : kFarbeSchieneStift), 1));
                p.setBrush(Farbe(bBlass ? kFarbeBlass : kFarbeSchiene));
                p.drawRect(rc.adjusted(0, 0, -1, -1));
                if (nDurchgang == 0 && (s->m_nSeite == 0 || s->m_nSeite == 2))
                    for (double t = s->GetAnfang() + 0.1; t < L - s->GetEndAbstand() - 1e-9; t += 0.1) {
                        const int tx = m_ptUrsprung.x() + MetresToPixels(t);
                        p.drawLine(tx, rc.top() + 1, tx, rc.bottom() - 1);
                    }
            } else {
                const int h = rc.height();
                const int w =
                    m_bmSchiene.IsEmpty() ? 0 : m_bmSchiene.GetWidth() * h / m_bmSchiene.GetHeight();
                const QImage bild = Skaliert(m_bmSchiene, w, h, bBlass ? 100 : 0);
                p.save();
                p.setPen(Qt::NoPen);
                p.setBrushOrigin(rc.topLeft());
                p.setBrush(bild.isNull() ? QBrush(Farbe(kFarbeSchiene)) : QBrush(bild));
                p.drawRect(rc);
                p.restore();
            }
        }
    }
}

void CQORLgSicherungView::ZeichnePunkte(QPainter& p, CFahrzeug& f, bool bNamenBlass, bool bPunkteBlass,
                                        bool bSichgWahl)
{
    p.setFont(m_fontPunkt);
    const QFontMetrics fm(m_fontPunkt);
    QImage bild, bildBlass;
    for (CZurrpunkt* zp : f.GetZurrpunktListe()) {
        const QRect rc = PunktRechteck(*zp);
        m_mapPunkte[zp] = rc;
        const bool bBlass = bPunkteBlass || (!bPunkteBlass && bSichgWahl && !zp->IsWaehlbar());
        if (m_nZoomIndex >= kBildZoomIndex && !m_bmPunkt.IsEmpty()) {
            QImage& b = bBlass ? bildBlass : bild;
            if (b.size() != rc.size())
                b = Skaliert(m_bmPunkt, rc.width(), rc.height(), bBlass ? 130 : 0);
            p.drawImage(rc.topLeft(), b);
        } else {
            p.setPen(QPen(Farbe(bBlass ? kFarbeBlassStift : kFarbePunktStift), 1));
            p.setBrush(Farbe(bBlass ? kFarbeBlass : kFarbePunkt));
            p.drawRect(rc.adjusted(0, 0, -1, -1));
        }
        // The label: outside the load area on the point's side, front points left of the area.
        p.setPen(bNamenBlass ? Farbe(kFarbeBlassStift) : QColor(Qt::black));
        const QString name = QString::fromStdString(zp->GetName());
        const int px = m_ptUrsprung.x() + MetresToPixels(zp->GetPosX());
        if (!(zp->m_nFlags & CZurrpunkt::kVorn)) {
            if (zp->m_nFlags & CZurrpunkt::kLinks)
                Text(p, px, m_rcLadeflaeche.bottom() + 1 + 5, name, Ausrichtung::Mitte);
            else
                Text(p, px, m_rcLadeflaeche.top() - 5 - fm.height(), name, Ausrichtung::Mitte);
        } else {
            const int py = m_ptUrsprung.y() + MetresToPixels(zp->GetPosY());
            Text(p, m_ptUrsprung.x() - 7, py - fm.height() / 2, name, Ausrichtung::Rechts);
        }
    }
    // The selected point's hatched frame.
    if (m_pAuswahlPunkt && m_mapPunkte.count(m_pAuswahlPunkt)) {
        const QRect r = m_mapPunkte[m_pAuswahlPunkt].adjusted(-2, -2, 2, 2);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
        p.drawRect(QRect(r.left() - 3, r.top() - 3, r.width() + 6, 3));
        p.drawRect(QRect(r.left() - 3, r.bottom() + 1, r.width() + 6, 3));
        p.drawRect(QRect(r.left() - 3, r.top(), 3, r.height()));
        p.drawRect(QRect(r.right() + 1, r.top(), 3, r.height()));
        p.restore();
    }
}

void CQORLgSicherungView::ZeichneEinheitPunkte(QPainter& p, CFahrzeug& /*f*/, CLadeeinheit& le,
                                               bool bPunkteBlass, bool bSchienenBlass)
{
    CZurrpunkt* zp = nullptr;
    int nEcke = 0, nSub = 0;
    int nOut = -1;
    for (bool b = le.GetFirstZurrpunkt(&zp, &nEcke, &nSub); b; b = le.GetNextZurrpunkt(&zp, &nEcke, &nSub)) {
        if (!zp)
            continue;
        const bool bSchiene = (zp->m_nFlags & CZurrpunkt::kAnSchiene) != 0;
        if (!(bSchiene || !bPunkteBlass) ||
            !QueryAction(LgSichgAktion::kEckePunktZeigen, nEcke, &nOut, nullptr, true, nullptr))
            continue;
        const QPoint c = Punkt(zp->GetPosX(), zp->GetPosY());
        const int n = MetresToPixels(kPunktHalb);
        const QRect rc(c.x() - n, c.y() - n, 2 * n, 2 * n);
        // A triangle pointing to the side edge the point lies on.
        const QPolygon form = (zp->m_nFlags & CZurrpunkt::kLinks)
                                  ? QPolygon({rc.topLeft(), rc.topRight(), {c.x(), rc.bottom()}})
                                  : QPolygon({rc.bottomLeft(), rc.bottomRight(), {c.x(), rc.top()}});
        if (!bSchiene) {
            p.setPen(QPen(Farbe(kFarbePunktStift), 1));
            p.setBrush(Qt::NoBrush);
        } else {
            const QColor c2 = Farbe(bSchienenBlass ? kFarbeSchienenpunktBlass : kFarbeSchienenpunkt);
            p.setPen(QPen(c2, 1));
            if (m_nZoomIndex >= kBildZoomIndex) {
                const QImage bild = Skaliert(m_bmSchiene, rc.width(), rc.height(), 50);
                p.setBrushOrigin(rc.topLeft());
                p.setBrush(bild.isNull() ? QBrush(c2) : QBrush(bild));
            } else
                p.setBrush(c2);
            m_mapSchienenpunkte[zp] = rc;
        }
        p.drawPolygon(form);
    }
}

// The load area with its lashing rails and points as the wizard wants them shown (pale, or for a choice of
// securing), and the points of the plan's active unit when the wizard asks for them.
void CQORLgSicherungView::ZeichneLadeflaecheMitZurrmitteln(QPainter& p, CFahrzeug& f, CQOR* q, int L, int W)
{
    ZeichneLadeflaeche(p, f, L, W);
    int nOut = -1, nExtra = -1;
    const bool bSchienenBlass =
        QueryAction(LgSichgAktion::kSchienenBlass, std::intptr_t(0), &nOut, nullptr, false, nullptr);
    const bool bPunkteBlass =
        QueryAction(LgSichgAktion::kZurrpunkteBlass, std::intptr_t(0), &nOut, nullptr, false, nullptr);
    const bool bSichgWahl =
        QueryAction(LgSichgAktion::kSichgWahl, std::intptr_t(0), &nExtra, nullptr, false, nullptr);
    ZeichneSchienen(p, f, bSchienenBlass || (!f.m_Zurrschienen.empty() && !bSchienenBlass && bSichgWahl));
    ZeichnePunkte(p, f, bPunkteBlass, bPunkteBlass, bSichgWahl);
    CLadeeinheit* le = q ? q->GetAktiveLadeeinheit() : nullptr;
    if (le && QueryAction(LgSichgAktion::kEinheitPunkteZeigen, le->GetId(), &nOut, nullptr, false, nullptr))
        ZeichneEinheitPunkte(p, f, *le, bPunkteBlass, bSchienenBlass);
}

void CQORLgSicherungView::ZeichneSnapshot(QPainter& p, CFahrzeug& f)
{
    // The load area 10 pixels from the left and 20 from the top of the picture; no strips, no marks.
    m_ptUrsprung = QPoint(kSnapshotRandX, kSnapshotRandY);
    m_rcLadeflaeche = QRect();
    ClearHitMaps();
    if (f.GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine)
        return;
    const int L = MetresToPixels(f.GetLFLaenge());
    const int W = MetresToPixels(f.GetLFBreite());
    CQOR* q = f.GetQor();
    ZeichneLadeflaecheMitZurrmitteln(p, f, q, L, W);
    if (!q)
        return;
    // The loads of units: by their unit mark or by a unit's member list.
    m_snapshotLadungen.clear();
    for (CLadeeinheit* e : q->GetLadeeinheiten()) {
        if (e->m_mapLg.empty()) {
            e->RebuildLgMap(q);
            e->CalcAbmessungen();
        }
        for (const auto& [key, lg] : e->m_mapLg)
            m_snapshotLadungen.insert(lg);
    }
    ZeichneLadungen(p, *q, nullptr);
    ZeichneEinheiten(p, *q);
}

void CQORLgSicherungView::ZeichneLadungen(QPainter& p, CQOR& q, QRect* pMarkiert)
{
    const QFontMetrics fmLabel(m_fontLabel), fmSchmal(m_fontSchmal);
    for (tagLGINFO* lg : q.GetLgInfos()) {
        // The report picture shows only the loads of units.
        if (m_bSnapshot && lg->GetLeId() == 0 && !m_snapshotLadungen.count(lg))
            continue;
        const QRect rc = LadungRechteck(*lg);
        m_mapLadungen[lg] = rc;
        const bool bMarkiert = (lg->m_nState & tagLGINFO::kStateMarked) != 0;
        if (bMarkiert && pMarkiert)
            *pMarkiert = pMarkiert->isValid() ? pMarkiert->united(rc) : rc;
        if (lg->m_nTyp >= tagLGINFO::kFsmTyp) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Farbe(kFarbeFsm));
            p.drawRoundedRect(rc.adjusted(0, 0, -1, -1), 8, 8);
            continue;
        }
        // Goods: filled, framed stronger when marked or in a unit, with name and mass.
        const bool bBetont = bMarkiert || lg->GetLeId() != 0;
        p.fillRect(rc, Farbe(kFarbeLadung));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, bBetont ? 2 : 1));
        p.drawRect(bBetont ? rc.adjusted(1, 1, -1, -1) : rc.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.setFont(m_fontLabel);
        const QString name = CPlanPainter::FitLabelToWidth(fmLabel, lg->m_strName, lg->m_nNummer,
                                                           std::max(rc.width(), rc.height()) - 3);
        if (!name.isEmpty() && rc.height() > fmLabel.height())
            Text(p, rc.left() + 2, rc.top() + 1, name, Ausrichtung::Links);
        p.setFont(m_fontSchmal);
        const QString kg = QString::asprintf("%.0fkg", lg->m_dMasse * 1000.0);
        if (fmSchmal.horizontalAdvance(kg) < rc.width() - 3 && rc.height() > 2 * fmSchmal.height())
            Text(p, rc.right() - 2, rc.bottom() - fmSchmal.height(), kg, Ausrichtung::Rechts);
    }
}

void CQORLgSicherungView::ZeichneEinheiten(QPainter& p, CQOR& q)
{
    CLadeeinheit* pAktiv = q.GetAktiveLadeeinheit();
    for (CLadeeinheit* le : q.GetLadeeinheiten()) {
        if (le->m_mapLg.empty()) {
            le->RebuildLgMap(&q);
            le->CalcAbmessungen();
        }
        m_mapEinheiten[le] = EinheitRechteck(*le);
    }
    for (CLadeeinheit* le : q.GetLadeeinheiten())
        if (le != pAktiv && !m_bSnapshot)
            DrawLadeeinheit(p, *le, m_mapEinheiten[le], false);
    if (pAktiv && m_mapEinheiten.count(pAktiv))
        DrawLadeeinheit(p, *pAktiv, m_mapEinheiten[pAktiv], true);
}

void CQORLgSicherungView::DrawLadeeinheit(QPainter& p, CLadeeinheit& le, const QRect& rc, bool bAktiv)
{
    CFahrzeug* f = GetFahrzeug();
    const int nId = le.GetId();
    int nOut = -1;
    // The body: the pattern of load-unit boxes shining through, stronger for the active unit.
    p.save();
    p.setOpacity((bAktiv ? 120 : 40) / 255.0);
    const QRect body = bAktiv ? rc.adjusted(0, 0, 1, 1) : rc;
    p.setBrushOrigin(body.topLeft());
    p.fillRect(body, m_musterEinheit.isNull() ? QBrush(QColor(40, 90, 160)) : QBrush(m_musterEinheit));
    p.restore();
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rc);

    const int nBreite = 2 + m_nZoomIndex / 3;
    if (QueryAction(LgSichgAktion::kEinheitPunkteZeigen, nId, &nOut, nullptr, false, nullptr)) {
        // The lashing points of the unit, each joined to the corner it serves.
        CZurrpunkt* zp = nullptr;
        int nEcke = 0, nSub = 0;
        for (bool b = le.GetFirstZurrpunkt(&zp, &nEcke, &nSub); b;
             b = le.GetNextZurrpunkt(&zp, &nEcke, &nSub)) {
            double x = 0, y = 0;
            if (!zp || !le.GetAnschlagpunktPos(nEcke, &x, &y, nullptr))
                continue;
            if (f)
                f->AddRandabstand(&x, &y);
            if (QueryAction(LgSichgAktion::kEckeZurrungHervorheben, nEcke, &nOut, nullptr, true, nullptr))
                p.setPen(le.m_bVorhanden ? QPen(QColor::fromRgb(kFarbeZurrung), nBreite)
                                         : QPen(Qt::black, 1, Qt::DotLine));
            else
                p.setPen(QPen(Qt::black, m_nZoomIndex >= kBildZoomIndex ? 2 : 1));
            p.drawLine(Punkt(zp->GetPosX(), zp->GetPosY()), Punkt(x, y));
        }
    }
    if (f && QueryAction(LgSichgAktion::kZurrungenZeigen, nId, &nOut, nullptr, false, nullptr))
        ZeichneZurrungen(p, *f, le, rc);
    int nFlag = 0;
    const int nModus = le.GetSichgModus(&nFlag);
    const bool bModusEcke =
        QueryAction(LgSichgAktion::kModusEckeZeigen, nId, &nOut, nullptr, false, nullptr) &&
        QueryAction(LgSichgAktion::kModusEckeSeite, nId, &nOut, nullptr, false, nullptr);
    for (int i = 0; i < 4; ++i)
        DrawAnschlagpunkt(p, le, i, bModusEcke && i == nModus);
    // The mark stands between the name line at the top and the mass line at the bottom of the loads, so
    // it covers neither (in the report's small sketch least of all).
    const QSize voll = m_bildGesichert.isNull() ? QSize(40, 40) : m_bildGesichert.size();
    const int nOben = QFontMetrics(m_fontLabel).height() + 2,
              nUnten = QFontMetrics(m_fontSchmal).height() + 2;
    const QRect band = rc.adjusted(0, nOben, 0, -nUnten);
    SicherungsMarke::Zeichne(p, SicherungsMarke::Ziel(band.height() >= 18 ? band : rc, voll),
                             EinheitKennzeichen(le), m_bildGesichert);
}

SicherungsStand CQORLgSicherungView::EinheitKennzeichen(const CLadeeinheit& le)
{
    int nOut = -1;
    const int nId = le.GetId();
    if (!QueryAction(LgSichgAktion::kGesichertKennzeichen, nId, &nOut, nullptr, false, nullptr) ||
        !QueryAction(LgSichgAktion::kEinheitKennzeichen, nId, &nOut, nullptr, false, nullptr))
        return SicherungsStand::kKeine;
    return GetSicherungsStand(le);
}

void CQORLgSicherungView::ZeichneZurrungen(QPainter& p, CFahrzeug& f, CLadeeinheit& le, const QRect& rc)
{
    int nQuelle = -1;
    const int nNoetig = le.GetZurrParameter(&nQuelle, nullptr, nullptr);
    p.setPen(QPen(QColor::fromRgb(kFarbeZurrung), 2 + m_nZoomIndex / 3));
    if (nQuelle == 0) {
        int nBenutzt = 0;
        for (const auto& t : le.m_ZPPtrTupel)
            if (t->m_nAktiv && t->IsVollstaendig()) {
                ++nBenutzt;
                p.drawLine(Punkt(t->m_pZP1->GetPosX(), t->m_pZP1->GetPosY()),
                           Punkt(t->m_pZP2->GetPosX(), t->m_pZP2->GetPosY()));
            }
        int nOut = -1, nExtra = nBenutzt;
        if (!QueryAction(LgSichgAktion::kZurrungZaehler, le.GetId(), &nOut, nullptr, false, &nExtra))
            return;
        // "used/required" in a box at the unit's upper right corner, the count red while too few.
        p.setFont(m_fontLabel);
        const QFontMetrics fm(m_fontLabel);
        const QString a = QString::asprintf("%i", std::min(nBenutzt, nNoetig));
        const QString b = QString::asprintf("/%i", nNoetig);
        const int w = fm.horizontalAdvance(a) + fm.horizontalAdvance(b) + 6, h = fm.height() + 2;
        const QRect box(rc.right() - 3 - w, rc.top() + 3, w, h);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(nBenutzt < nNoetig ? QColor(255, 0, 0) : QColor(Qt::black));
        Text(p, box.left() + 3, box.top() + 1, a, Ausrichtung::Links);
        p.setPen(Qt::black);
        Text(p, box.left() + 3 + fm.horizontalAdvance(a), box.top() + 1, b, Ausrichtung::Links);
        return;
    }
    // Lashed over the unit: one line across the load area per lashing.
    if (nNoetig <= 0)
        return;
    double dAbstand = 0.0;
    int nAnzahl = 0;
    CalcZurrAbstand(&le, 0, nNoetig, 1, 0.0, &nAnzahl, &dAbstand);
    const double W = f.GetLFBreite();
    const double dSeite = f.m_Zurrschienen.empty() ? 0.0 : f.GetZurrschienen().front()->GetSeitenAbstand(W);
    const double lat = std::min(dSeite, W - dSeite);
    double x0 = 0, y0 = 0, l = 0, b = 0;
    le.GetRechteck(&x0, &y0, &l, &b);
    f.AddRandabstand(&x0, nullptr);
    for (int i = 0; i < nNoetig; ++i) {
        const double x = x0 + (i + 1) * dAbstand;
        p.drawLine(Punkt(x, lat), Punkt(x, W - lat));
    }
}

void CQORLgSicherungView::DrawAnschlagpunkt(QPainter& p, CLadeeinheit& le, int nEcke, bool bGefuellt)
{
    const QRect rc = EckenRechteck(le, nEcke);
    if (rc.isEmpty())
        return;
    if (GetPlan() && GetPlan()->GetAktiveLadeeinheit() == &le)
        m_rcEcken[static_cast<std::size_t>(nEcke)] = rc;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(bGefuellt ? QBrush(Qt::black) : QBrush(Qt::white));
    p.drawEllipse(rc.adjusted(2, 2, -2, -2));
}
