// The rulers of the template views: scales, grids, axis title, payload curves and boundary lines.
#include "draw2d/CKoordSys.h"

#include "draw2d/DashedLine.h"
#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kTitelText = 32936;
constexpr std::uint32_t kBemerkungText = 202;
constexpr std::uint32_t kBemerkungTip = 240;
constexpr std::uint32_t kKeineBemerkung = 217;
constexpr int kToolBemerkung = 12346;

QRect Device(const QPainter& painter, const QRect& rc)
{
    return painter.worldTransform().mapRect(rc);
}

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CKoordSys::CKoordSys() : m_strTitel(FormatS("$S", 1, kTitelText))
{
    m_bmKeineKurve.LoadBitmap(270);
}

CKoordSys::~CKoordSys()
{
    DeleteFonts();
}

QSize CKoordSys::AdaptScale(double dZoom, bool bPrint, double dPrintScale)
{
    const QSize before(m_nPixProMeter, m_nPixProTonne);
    const CFahrzeug* v = m_pDoc ? m_pDoc->GetAktivFahrzeug(false) : nullptr;
    if (!v)
        return before;
    if (bPrint) {
        if (dPrintScale > 0.0 && dZoom > 0.0) {
            const int p = Trunc(600.0 / dPrintScale / dZoom);
            if (p < m_nPixProMeter)
                m_nPixProMeter = p;
        }
    } else if (v->IsArt5() || (v->GetPartner() && v->GetPartner()->IsArt5())) {
        m_nPixProMeter = 400;
        m_nPixProTonne = 400;
    }
    return before;
}

void CKoordSys::CreateFonts(double dZoom, bool bPrinting)
{
    if (dZoom == m_dFontZoom && bPrinting == m_bFontsPrint && m_pFontKlein)
        return;
    DeleteFonts();
    // A print draws the screen's picture enlarged as a whole: with the screen's fonts.
    m_pFontKlein = std::make_unique<QFont>(FontTable::MakeFont("Segoe UI", Trunc(dZoom * 50)));
    m_pFontSenkrecht = std::make_unique<QFont>(FontTable::MakeFont("Segoe UI", Trunc(dZoom * 70)));
    m_pFontLink = std::make_unique<QFont>(FontTable::MakeFont("Segoe UI", 12));
    m_pFontLink->setUnderline(true);
    m_dFontZoom = dZoom;
    m_bFontsPrint = bPrinting;
}

void CKoordSys::DeleteFonts()
{
    m_pFontKlein.reset();
    m_pFontSenkrecht.reset();
    m_pFontLink.reset();
}

int CKoordSys::CalcWidth(bool bWithTitle, double dZoom)
{
    CreateFonts(dZoom, m_bFontsPrint);
    const CFahrzeug* f = m_pDoc ? m_pDoc->GetFahrzeug() : nullptr;
    int w = f ? Trunc(f->GetLFLaenge() * m_nPixProMeter) : 0;
    if (m_pDoc && m_pDoc->GetZugfahrzeug())
        w += Trunc(m_pDoc->GetAnhaengerVersatz() * m_nPixProMeter);
    if (!bWithTitle)
        return Trunc(w * dZoom);
    const QFontMetrics fm(*m_pFontSenkrecht);
    return Trunc((w + 70) * dZoom) + fm.height();
}

int CKoordSys::CalcHeight(double dZoom, double dScaleY) const
{
    const double dMax = m_pDoc ? m_pDoc->GetMaxNutzlast() : 0.0;
    const int h = Trunc(m_nPixProTonne * Trunc(dMax + 0.99) * dScaleY);
    if (h < 710)
        return Trunc((h + 150) * dZoom);
    return Trunc(860 * dZoom);
}

int CKoordSys::LabelStep(double dPixelProEinheit, double dAbstand)
{
    if (!(dPixelProEinheit > 0.0) || !std::isfinite(dPixelProEinheit) || !std::isfinite(dAbstand))
        return 1;
    for (int dekade = 1; dekade <= 100000000; dekade *= 10)
        for (int m : {1, 2, 5})
            if (m * dekade * dPixelProEinheit >= dAbstand)
                return m * dekade;
    return 1000000000;
}

int CKoordSys::GetTonnenY(int k) const
{
    if (k >= m_nTonnen)
        return m_nOben;
    return Trunc(m_nY0 - m_nPixProTonne * k * m_dStreckung * m_dSyDrawn * m_dZoomDrawn);
}

// What the steps of Draw share: the painter, the place, the vehicles and the axes' extent.
struct CKoordSys::SLage
{
    QPainter& painter;
    IPlanDrawView* pView;
    int x, y;
    double z, sx, sy;
    bool bPrint;
    // The vehicles: M the document's (or the picture's) vehicle, S its towing vehicle in a combination,
    // V the one worked on; d is the trailer's offset behind the towing vehicle's front.
    bool bKombi = false, bZugAktiv = false;
    double d = 0.0;
    CFahrzeug* M = nullptr;
    CFahrzeug* S = nullptr;
    CFahrzeug* V = nullptr;
    double dMaxNutzlast = 0.0;
    double L = 0.0;
    int dpx = 0;
    // Top and right edge of the axes; pixels per metre and per tonne.
    int top = 0, R = 0;
    double pxM = 0.0, pxT = 0.0;
    QPen penRaster{};
    // Where labels already stand: the tonne column first, then the metre labels that leave it free, the
    // title right of the column and the remarks link where nothing else stands.
    std::vector<QRect> belegt{};

    // Pixels of `metres` along the axis.
    int Px(double metres, int nPixProMeter) const { return Trunc(nPixProMeter * metres * sx * z); }
};

void CKoordSys::Draw(QPainter& painter, int x, int y, const STupel& scale, double dZoom, IPlanDrawView* pView)
{
    m_texte.clear();
    if (!m_pDoc || !pView || !m_pDoc->GetFahrzeug())
        return;
    painter.save();
    SLage g{.painter = painter,
            .pView = pView,
            .x = x,
            .y = y,
            .z = dZoom,
            .sx = scale.m_dFaktorX,
            .sy = scale.m_dFaktorY,
            .bPrint = pView->IsPrinting()};
    const double z = g.z, sx = g.sx, sy = g.sy;
    m_dDruckFaktor = pView->GetDruckFaktor();
    m_nAchsHoehe = y - pView->GetDrawShiftY() - Trunc(88 * m_dDruckFaktor);
    CreateFonts(z, g.bPrint);
    m_nX0 = x;
    m_nY0 = y;
    m_Scale = scale;
    m_dZoomDrawn = z;
    m_dSyDrawn = sy;
    WaehleFahrzeuge(g);
    g.L = g.M->GetLFLaenge() + g.d;
    g.dpx = Trunc(m_nPixProMeter * g.d * sx * z);

    // Tonne steps and the stretch that fits them into the available height.
    m_nTonnen = Trunc(g.dMaxNutzlast + 0.99);
    if (m_nTonnen <= 0)
        m_nTonnen = 1;
    const int H = Trunc(m_nPixProTonne * m_nTonnen * sy * z);
    m_dStreckung = H > 0 ? static_cast<double>(m_nAchsHoehe) / H : 1.0;
    g.top = Trunc(y - m_dStreckung * H);
    m_nOben = g.top;
    g.R = Trunc(m_nPixProMeter * g.L * sx * z + x);
    g.pxM = m_nPixProMeter * sx * z;
    g.pxT = m_nPixProTonne * sy * z * m_dStreckung;

    g.penRaster = QPen(QColor(221, 221, 221), 1, Qt::DotLine);
    painter.setPen(g.penRaster);
    painter.setFont(*m_pFontKlein);
    const int nTonnenRechts = DrawTonnenRaster(g);
    DrawMeterRaster(g);

    // The scale handle on the label column.
    const int hw = Trunc(20 * z), xl = g.R + Trunc(60 * z);
    const int yk = GetTonnenY(m_nTonnen);
    m_rcGriff =
        Device(painter, QRect(QPoint(xl - hw, yk - Trunc(12 * z)), QPoint(xl + hw, y - hw)).normalized());
    pView->SetHotSpot(IPlanDrawView::kHotGriff, m_rcGriff);

    DrawAchsTitel(g, nTonnenRechts);
    if (!g.bPrint && !pView->IsEinzelBild() && m_pFontLink)
        DrawBemerkungLink(g);
    m_texte = g.belegt;
    DrawKurven(g);
    DrawGrenzLinien(g);
    painter.restore();
}

// The document's vehicle, and its towing vehicle in a combination; in a picture of one vehicle, that
// vehicle, so its own curve and scale go with it.
void CKoordSys::WaehleFahrzeuge(SLage& g) const
{
    CQOR1Doc* doc = m_pDoc;
    if (!g.pView->IsEinzelBild()) {
        g.S = doc->GetZugfahrzeug();
        g.bKombi = g.S != nullptr;
        g.bZugAktiv = g.bKombi && g.pView->GetViewAktivIndex() == 2;
        g.d = doc->GetAnhaengerVersatz();
        g.M = doc->GetFahrzeug();
        g.dMaxNutzlast = doc->GetMaxNutzlast();
    } else {
        g.M = g.pView->GetEinzelFahrzeug();
        if (!g.M)
            g.M = doc->GetAktivIndex() == CQOR1Doc::kAktivZugfahrzeug ? doc->GetFirstFahrzeug()
                                                                      : doc->GetAnhaenger();
        if (!g.M)
            g.M = doc->GetFahrzeug();
        g.dMaxNutzlast = g.M->GetMaxNutzlast(true);
    }
    g.V = g.pView->IsEinzelBild() ? g.M : doc->GetAktivFahrzeug(false);
    if (!g.V)
        g.V = g.M;
}

// Tonne grid with kilogram labels in the column right of the rulers, every step of the 1-2-5 sequence
// that keeps them a line and a quarter apart. Answers the right edge of the labels.
int CKoordSys::DrawTonnenRaster(SLage& g) const
{
    QPainter& painter = g.painter;
    const QFontMetrics fm(*m_pFontKlein);
    const int x = g.x, R = g.R;
    CFahrzeug* S = g.S;
    const int c = Trunc(60 * g.z);
    const int xl = R + c;
    const int lh = fm.height() + fm.leading();
    const int nTonnenSchritt = LabelStep(g.pxT, lh * 1.25);
    const int sLF = S ? g.Px(S->GetLFLaenge(), m_nPixProMeter) : 0;
    int lx = xl;
    if (S && S == g.V && S->GetArt() != FahrzeugArt::kSattelzugmaschine)
        lx = x + sLF + c;
    int nTonnenRechts = lx;
    for (int k = nTonnenSchritt; k <= m_nTonnen; k += nTonnenSchritt) {
        const int yk = GetTonnenY(k);
        if (!S) {
            DrawDashedLine(painter, QPoint(x, yk), QPoint(R, yk));
        } else {
            DrawDashedLine(painter, QPoint(x, yk), QPoint(x + sLF, yk));
            DrawDashedLine(painter, QPoint(x + g.dpx, yk), QPoint(R, yk));
        }
        const QString label = QString::number(k * 1000);
        const int w = fm.horizontalAdvance(label);
        // Centred in its column, but clear of the load-area line on the column's left.
        const QRect rc(std::max(lx - w / 2, lx - c + 2), yk - lh / 2, w, lh);
        painter.setPen(Qt::black);
        painter.drawText(rc, Qt::AlignHCenter | Qt::AlignTop, label);
        painter.setPen(g.penRaster);
        g.belegt.push_back(rc);
        g.pView->AddTextRect(Device(painter, rc));
        nTonnenRechts = std::max(nTonnenRechts, rc.right());
    }
    const int yk = GetTonnenY(m_nTonnen);
    if (m_nTonnen % nTonnenSchritt != 0) {
        DrawDashedLine(painter, QPoint(x, yk), QPoint(S ? x + sLF : R, yk));
        if (S)
            DrawDashedLine(painter, QPoint(x + g.dpx, yk), QPoint(R, yk));
    }
    return nTonnenRechts;
}

// Metre grid, labelled in millimetres every step that keeps the widest label clear of the next.
void CKoordSys::DrawMeterRaster(SLage& g) const
{
    QPainter& painter = g.painter;
    const QFontMetrics fm(*m_pFontKlein);
    const double sx = g.sx, z = g.z;
    CFahrzeug* V = g.V;
    int s = (g.bKombi && !g.bZugAktiv) ? g.dpx : 0;
    CFahrzeug* pArt4 = nullptr;
    if (g.M->GetArt() == FahrzeugArt::kSattelzugmaschine)
        pArt4 = g.M;
    else if (g.bZugAktiv && g.S && g.S->GetArt() == FahrzeugArt::kSattelzugmaschine)
        pArt4 = g.S;
    if (pArt4)
        s -= Trunc(m_nPixProMeter * pArt4->GetAchse1Abstand() * sx * z);
    int n = 0;
    if (V->GetArt() == FahrzeugArt::kSattelzugmaschine) {
        n = Trunc(V->GetLFLaenge() + V->GetAchse1Abstand());
    } else {
        const double rand = V->GetRandabstand(0);
        s += Trunc(m_nPixProMeter * rand * sx * z);
        n = Trunc(V->GetLFLaenge() - rand);
    }
    const int nMeterSchritt = LabelStep(g.pxM, fm.horizontalAdvance(QString::number(std::max(n, 1) * 1000)) +
                                                   fm.horizontalAdvance("00"));
    auto frei = [&g](const QRect& rc) {
        return std::none_of(g.belegt.begin(), g.belegt.end(),
                            [&rc](const QRect& b) { return b.intersects(rc); });
    };
    for (int i = 1; i <= n; ++i) {
        const int xi = Trunc(m_nPixProMeter * i * sx * z) + g.x + s;
        DrawDashedLine(painter, QPoint(xi, g.y), QPoint(xi, g.top));
        if (i % nMeterSchritt != 0)
            continue;
        const QString label = QString::number(i * 1000);
        const int w = fm.horizontalAdvance(label);
        const QRect rc(xi - w / 2, g.top - Trunc(50 * z), w, fm.height());
        if (!frei(rc))
            continue;
        painter.setPen(Qt::black);
        painter.drawText(rc, Qt::AlignHCenter | Qt::AlignTop, label);
        painter.setPen(g.penRaster);
        g.belegt.push_back(rc);
        g.pView->AddTextRect(Device(painter, rc));
    }
    DrawDashedLine(painter, QPoint(g.R, g.y), QPoint(g.R, g.top));
}

// The axis title, rotated to run upwards right of the tonne labels; a title longer than the axis
// starts at its bottom.
void CKoordSys::DrawAchsTitel(SLage& g, int nTonnenRechts) const
{
    QPainter& painter = g.painter;
    painter.setFont(*m_pFontSenkrecht);
    painter.setPen(Qt::black);
    const QFontMetrics tm(*m_pFontSenkrecht);
    const QString title = QString::fromStdString(m_strTitel);
    const int cx = tm.horizontalAdvance(title);
    const int h = g.y - g.top;
    int ym = Trunc(g.y - h * 0.5);
    if (cx > h)
        ym = Trunc(ym - (cx - h) * 0.5);
    const int tx = std::max(g.R + Trunc(120 * g.z), nTonnenRechts + Trunc(10 * g.z) + 1);
    painter.save();
    painter.translate(tx, ym);
    painter.rotate(-90);
    painter.drawText(QRect(-cx / 2, 0, cx, tm.height()), Qt::AlignHCenter | Qt::AlignTop, title);
    painter.restore();
    g.belegt.push_back(QRect(tx, ym - cx / 2, tm.height(), cx));
    g.pView->AddTextRect(Device(painter, g.belegt.back()));
}

// Remarks link with its tooltip, on screen only; it gives way to the right.
void CKoordSys::DrawBemerkungLink(SLage& g) const
{
    QPainter& painter = g.painter;
    IPlanDrawView* pView = g.pView;
    CFahrzeug* V = g.V;
    const double f = m_dDruckFaktor > 0.0 ? m_dDruckFaktor : 1.0;
    const QString T = QString::fromStdString(FormatS("$S", 1, kBemerkungText));
    QFont font = *m_pFontLink;
    if (f != 1.0) {
        font = FontTable::MakeFont("Segoe UI", std::max(1, Trunc(12 * f)));
        font.setUnderline(true);
    }
    painter.setFont(font);
    const bool bBemerkung = !V->m_strBemerkung.empty();
    painter.setPen(bBemerkung ? QColor(0, 0, 255) : QColor(200, 200, 200));
    const QFontMetrics lm(font);
    const QSize ext(lm.horizontalAdvance(T), lm.height());
    QRect rcLink(QPoint(Trunc(m_nPixProMeter * g.L * g.sx * g.z + g.x) + Trunc(40 * f), g.top - ext.height()),
                 ext);
    for (const QRect& b : g.belegt)
        if (b.intersects(rcLink))
            rcLink.moveLeft(b.right() + 1 + Trunc(4 * f));
    painter.drawText(rcLink, Qt::AlignLeft | Qt::AlignTop, T);
    g.belegt.push_back(rcLink);
    const QRect rc = Device(painter, rcLink);
    pView->AddTextRect(rc);
    pView->SetHotSpot(IPlanDrawView::kHotBemerkung, rc);
    const std::string tip = FormatResChecked(kBemerkungTip, {V->m_strName}) + ":\n\n" +
                            (bBemerkung ? V->m_strBemerkung : FormatS("$S.", 1, kKeineBemerkung));
    pView->SetToolTip(kToolBemerkung, rc, tip);
}

// Curves: the other vehicle first, then the one worked on; the vehicles' areas and the rulers are hot
// spots.
void CKoordSys::DrawKurven(SLage& g)
{
    QPainter& painter = g.painter;
    IPlanDrawView* pView = g.pView;
    CQOR1Doc* doc = m_pDoc;
    const int x = g.x, y = g.y, top = g.top;
    CFahrzeug* W = g.M;
    CFahrzeug* O = nullptr;
    if (g.bKombi) {
        W = g.bZugAktiv ? g.S : doc->GetFahrzeug();
        O = g.bZugAktiv ? doc->GetFahrzeug() : g.S;
    }
    for (CFahrzeug* P : {O, W}) {
        if (!P)
            continue;
        const bool bW = P == W;
        const int op = (g.bKombi && P == doc->GetFahrzeug()) ? g.dpx : 0;
        const QRect area(QPoint(x + op, top), QPoint(x + op + g.Px(P->GetLFLaenge(), m_nPixProMeter), y));
        pView->SetHotSpot(bW ? IPlanDrawView::kHotFahrzeugAktiv : IPlanDrawView::kHotFahrzeugAnders,
                          Device(painter, area.normalized()));
        if (P->GetArt() == FahrzeugArt::kSattelzugmaschine && (!bW || g.bKombi))
            continue;
        DrawKurve(painter, P, bW, x, op, y, top, g.pxM, g.pxT);
    }

    pView->SetHotSpot(IPlanDrawView::kHotLineal,
                      Device(painter, QRect(QPoint(x, top), QPoint(g.R, y)).normalized()));
    if (g.bKombi)
        pView->SetHotSpot(
            IPlanDrawView::kHotLinealZug,
            Device(painter, QRect(QPoint(x, top),
                                  QPoint(x + Trunc(m_nPixProMeter * g.S->GetLFLaenge() * g.sx * g.z), y))
                                .normalized()));
}

// Boundary lines of the load areas; those of the vehicle not worked on are thin.
void CKoordSys::DrawGrenzLinien(SLage& g) const
{
    QPainter& painter = g.painter;
    CQOR1Doc* doc = m_pDoc;
    const double sx = g.sx, z = g.z;
    const int x = g.x;
    CFahrzeug* pVorn = g.pView->IsEinzelBild() ? g.M : doc->GetFirstFahrzeug();
    const int e = (pVorn && pVorn->GetArt() == FahrzeugArt::kSattelzugmaschine) ? 10 : 0;
    const QPen penRahmen(QColor(0, 0, 0), 2);
    auto line = [&](int xb, bool bDuenn) {
        painter.setPen(bDuenn ? QPen(Qt::black, 1) : penRahmen);
        painter.drawLine(xb, g.y, xb, g.top);
    };
    if (!g.bKombi) {
        line(x + e, false);
        line(x + Trunc(m_nPixProMeter * g.M->GetLFLaenge() * sx * z), false);
    } else {
        const bool bZugDuenn = !g.bZugAktiv;
        line(x + e, bZugDuenn);
        line(x + Trunc(m_nPixProMeter * g.S->GetLFLaenge() * sx * z), bZugDuenn);
        line(x + g.dpx, !bZugDuenn);
        line(x + Trunc((g.d + doc->GetFahrzeug()->GetLFLaenge()) * m_nPixProMeter * sx * z), !bZugDuenn);
    }
}

void CKoordSys::DrawKurve(QPainter& painter, CFahrzeug* P, bool bW, int x, int op, int y, int top, double pxM,
                          double pxT)
{
    CTupelList* kurve = P->GetKurve(false);
    if (!P->GetNutzlastKurve().IsGueltig() || !kurve || kurve->IsEmpty()) {
        if (!P->GetNutzlastKurve().IsGueltig() && m_bmKeineKurve.IsLoaded()) {
            const int w = m_bmKeineKurve.GetWidth(), h = m_bmKeineKurve.GetHeight();
            const int cx = x + op + Trunc(P->GetLFLaenge() * pxM / 2);
            const int cy = top + (y - top) / 2;
            m_bmKeineKurve.StretchDraw(painter, cx - w / 2, cy - h / 2, w, h, SRCCOPY, COLORONCOLOR);
        }
        return;
    }
    // The first value's lines in blue, the second value's lines in grey.
    const double k = m_dDruckFaktor;
    const QPen blau(QColor(0, 0, 255), 3);
    const QPen grau(QColor(200, 200, 200), std::max(2, Trunc(2 * k)));
    auto X = [&](double u) { return Trunc(u * pxM + x + op); };
    auto Y = [&](double m) { return Trunc((y + 1) - m * pxT); };
    const auto& pts = kurve->Punkte();
    const SYs2X* p = pts.front();
    if (p->m_dX != 0.0 && p->m_dMinLast != -1.0) {
        painter.setPen(grau);
        painter.drawLine(X(p->m_dX), Y(p->m_dMaxLast), X(p->m_dX), Y(p->m_dMinLast));
    }
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const SYs2X* q = pts[i];
        const int e = (bW && q->m_dMaxLast == 0.0) ? 2 : 0;
        painter.setPen(blau);
        painter.drawLine(X(p->m_dX), Y(p->m_dMaxLast) - e, X(q->m_dX), Y(q->m_dMaxLast) - e);
        if (q->m_dMinLast > 0.0) {
            painter.setPen(grau);
            painter.drawLine(X(p->m_dX), Y(p->m_dMinLast), X(q->m_dX), Y(q->m_dMinLast));
        }
        p = q;
    }
    if (p->m_dX < P->GetLFLaenge() && p->m_dMinLast != -1.0) {
        painter.setPen(grau);
        painter.drawLine(X(p->m_dX), Y(p->m_dMaxLast) + 1, X(p->m_dX), Y(p->m_dMinLast) + 1);
    }
}
