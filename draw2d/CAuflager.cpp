// The axle-load picture: supports, axle-group triangles, minimum shares, group loads and row titles.
#include "draw2d/CAuflager.h"

#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdio>

const QColor CAuflager::kAktiv(0, 122, 222);
const QColor CAuflager::kRot(255, 0, 0);
const QColor CAuflager::kInaktiv(220, 220, 220);

namespace {

constexpr std::uint32_t kTitelAnteil = 32937;
constexpr std::uint32_t kTitelLeer = 33133;
constexpr std::uint32_t kTitelZul = 33134;
constexpr std::uint32_t kTitelGruppen = 33113;
constexpr std::uint32_t kTitelMinAnteil = 33114;
constexpr std::uint32_t kZusatzText = 33115;
constexpr std::uint32_t kZusatzHinweis = 1;

int Trunc(double d)
{
    return static_cast<int>(d);
}

template <typename... Args> QString Fmt(const char* fmt, Args... args)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return QString::fromLatin1(buf);
}

QString Res(std::uint32_t id)
{
    return QString::fromStdString(FormatS("$S", 1, id));
}

QRect Device(const QPainter& p, const QRect& rc)
{
    return p.worldTransform().mapRect(rc);
}

// Text with its top-left corner at (x, y); answers its cell.
QRect TextAt(QPainter& p, int x, int y, const QString& s)
{
    const QFontMetrics fm(p.font());
    const QRect rc(x, y, fm.horizontalAdvance(s), fm.height());
    p.drawText(QPoint(x, y + fm.ascent()), s);
    return rc;
}

// Text centred on x with its top at y (left edge at x - width / 2).
QRect TextMitte(QPainter& p, int x, int y, const QString& s)
{
    const int cx = QFontMetrics(p.font()).horizontalAdvance(s);
    return TextAt(p, x - cx / 2, y, s);
}

} // namespace

CAuflager::CAuflager() = default;

bool CAuflager::Create(CFahrzeug* pFahrzeug, IPlanDrawView* pView)
{
    SetFahrzeug(pFahrzeug, pView);
    return true;
}

void CAuflager::SetFahrzeug(CFahrzeug* pFahrzeug, IPlanDrawView* pView)
{
    m_pFahrzeug = pFahrzeug;
    m_pView = pView;
}

bool CAuflager::Draw(QPainter& p, int x, int y, int n, double dZoom, IPlanDrawView* pView)
{
    CFahrzeug* f = m_pFahrzeug;
    if (!f || !pView || n <= 0)
        return true;
    p.save();

    // Roles: in a combination picture the vehicle not worked on is drawn pale and leaves no hot spots.
    const CQOR1Doc* doc = pView->GetDocument();
    const bool bKombi = pView->IsKombinationsBild();
    const bool bInaktiv = bKombi && doc && doc->GetAktivFahrzeug(false) != f;
    const int nArt = f->GetArt();
    const bool bAnhaengerSatz =
        bKombi && (nArt == FahrzeugArt::kAnhaenger || nArt == FahrzeugArt::kStarrdeichsel ||
                   nArt == FahrzeugArt::kAuflieger);
    const QColor fuell = bInaktiv ? kInaktiv : kAktiv;

    const bool bDruck = pView->IsPrinting();
    if (dZoom != m_dZoom || bDruck != m_bFontDruck) {
        m_font = FontTable::MakeFont("Segoe UI", Trunc(dZoom * (bDruck ? 40 : 60)));
        m_dZoom = dZoom;
        m_bFontDruck = bDruck;
    }
    p.setFont(m_font);
    const QFontMetrics fm(m_font);
    const int lh = fm.height() + fm.leading();

    const double z = dZoom;
    const double s = n * z;
    const double a = (s / n) * 194.0 * 0.25;
    const double b = 0.75 * a;
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(fuell);

    // Supports.
    const bool bKupplung = nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger;
    const int c = std::min(kMaxStuetzen, f->GetAchsanzahl() + (bKupplung ? 1 : 0));
    m_nStuetzen = c;
    const int yA = y - Trunc(-(0.15 * s / n) * 194.0);
    const int yB = yA + Trunc(b);
    const bool bEinzel = pView->IsEinzelBild() || pView->IsBildExport();
    std::array<int, kMaxStuetzen> xs{};
    for (int i = 0; i < c; ++i) {
        xs[static_cast<std::size_t>(i)] = Trunc(f->GetAchsPosition(i) * s) + x;
        // The truck's front support stands under the fixed cab drawing, wherever the view scrolls.
        if (i == 0 && nArt == FahrzeugArt::kZugmaschine && !bEinzel)
            xs[0] = Trunc(z * (f->IsArt5() ? 436 : 356)) - pView->GetDrawShiftX();
    }
    for (int i = 0; i < c; ++i) {
        const int xi = xs[static_cast<std::size_t>(i)];
        auto& tri = m_ptAchsen[static_cast<std::size_t>(i)];
        tri = {QPoint(xi, yA), QPoint(xi + Trunc(b), yB), QPoint(xi - Trunc(b), yB)};
        p.setPen(QPen(Qt::black, 0));
        p.drawPolygon(tri.data(), 3);
        p.setPen(f->m_nAchsFlags[i] ? QColor(128, 128, 128) : QColor(0, 0, 0));
        const SAchse& rec = f->m_Achsen[i];
        const QRect r0 = TextMitte(p, xi, yB + 3, Fmt("%.0f", rec.dLeerlast * 1000.0));
        QString zul = Fmt("%.0f", rec.dZulLast * 1000.0);
        // Record 0 lowered for a coupling shows the working value and the nominal one.
        if (i == 0 && f->m_dGeoZulLast[0] != rec.dZulLast && f->m_dGeoZulLast[0] != 0.0)
            zul = Fmt("%.0f (%.0f)", f->m_dGeoZulLast[0] * 1000.0, rec.dZulLast * 1000.0);
        const QRect r1 = TextMitte(p, xi, yB + 3 + lh, zul);
        if (!bInaktiv && !(f->m_pFahrerhausBild && f->m_pFahrerhausBild->HatBild())) {
            pView->SetAuflagerRect(IPlanDrawView::kAufLeerlast, i, Device(p, r0));
            pView->SetAuflagerRect(IPlanDrawView::kAufZulLast, i, Device(p, r1));
        }
    }
    p.setPen(QPen(Qt::black, 0));

    // Axle groups, red when they break a limit by the model's own rules.
    const int fx = xs[0];
    const int rx = Trunc(f->m_dHinterachsPos * s) + x;
    const double T0 = f->GetGesamtmasse(false);
    const double T1 = f->GetGesamtmasse(true);
    const bool bUeber[2] = {f->m_dAchslastVorn > f->m_dZulLastVorn,
                            f->m_dAchslastHinten > f->m_dZulLastHinten};
    const bool bKurz[2] = {f->m_dAnteilVorn * T0 > f->m_dAchslastVorn,
                           f->m_dAnteilHinten * T1 > f->m_dAchslastHinten};
    const int gy = yB + 2 * (lh + 2);
    for (int g = 0; g < 2; ++g) {
        const int gx = g == 0 ? fx : rx;
        auto& tri = m_ptGruppen[static_cast<std::size_t>(g)];
        tri = {QPoint(gx, gy), QPoint(gx + Trunc(a), gy + Trunc(a)), QPoint(gx - Trunc(a), gy + Trunc(a))};
        m_bRot[static_cast<std::size_t>(g)] = bUeber[g] || bKurz[g];
        p.setBrush(m_bRot[static_cast<std::size_t>(g)] ? kRot : fuell);
        p.drawPolygon(tri.data(), 3);
    }
    p.setBrush(Qt::NoBrush);

    // Minimum shares.
    const int y3 = yB + 3 * lh + 4;
    p.setPen(nArt == FahrzeugArt::kStarrdeichsel && f->m_Achsen[0].dLeerlast >= f->GetGewichtsRaster()
                 ? QColor(199, 199, 199)
                 : QColor(0, 0, 0));
    const QRect rMinV = TextMitte(p, fx, y3, Fmt("%.1f", f->m_dMinAnteilVorn * 100.0));
    p.setPen(Qt::black);
    const QRect rMinH =
        TextMitte(p, rx, y3,
                  nArt == FahrzeugArt::kStarrdeichsel ? QStringLiteral("----")
                                                      : Fmt("%.1f", f->m_dMinAnteilHinten * 100.0));
    if (!bInaktiv) {
        pView->SetAuflagerRect(IPlanDrawView::kAufMinAnteil, 0, Device(p, rMinV));
        pView->SetAuflagerRect(IPlanDrawView::kAufMinAnteil, 1, Device(p, rMinH));
    }

    // Group loads and their shares of the total mass.
    const int y4 = y3 + lh;
    const double last[2] = {f->m_dAchslastVorn, f->m_dAchslastHinten};
    const double T[2] = {T0, T1};
    for (int g = 0; g < 2; ++g) {
        const int gx = g == 0 ? fx : rx;
        const QString L = Fmt("%.0f", last[g] * 1000.0);
        const QString P = Fmt("(%.1f%%)", T[g] != 0.0 ? last[g] / T[g] * 100.0 : 0.0);
        const int cL = fm.horizontalAdvance(L), cP = fm.horizontalAdvance(P), h = fm.height();
        int m = gx + (cL - cP) / 2;
        if (g == 0 && nArt == FahrzeugArt::kStarrdeichsel && bEinzel) {
            const double len = f->GetGesamtlaenge(false);
            if (len > 11.0)
                m += Trunc(std::min(len - 11.0, 1.0) * 80.0 * z);
        }
        p.fillRect(QRect(m - cL - 3, y4, cL + 1, h), bUeber[g] ? QColor(255, 0, 128) : QColor(217, 255, 217));
        TextAt(p, m - cL - 2, y4, L);
        p.fillRect(QRect(m + 1, y4, cP + 2, h), bKurz[g] ? QColor(255, 128, 64) : QColor(217, 255, 217));
        TextAt(p, m + 2, y4, P);
        pView->SetAuflagerRect(bAnhaengerSatz ? IPlanDrawView::kAufAnteilAnhaenger
                                              : IPlanDrawView::kAufAnteil,
                               g, Device(p, QRect(m + 1, y4, cP + 12, h)));
    }

    // The picture's own hot spot.
    const QRect rcBild(QPoint(fx - 50, yA),
                       QPoint(xs[static_cast<std::size_t>(std::max(0, c - 1))] + 50, yB + 5 * lh));
    pView->SetAuflagerRect(bInaktiv ? IPlanDrawView::kAufBildInaktiv : IPlanDrawView::kAufBild, 0,
                           Device(p, rcBild));

    // Row titles between the groups, or right of the rear group when there is no room.
    const QColor titel = bInaktiv ? kInaktiv : QColor(0, 0, 0);
    const QString tAnteil = Res(kTitelAnteil);
    const int tw = fm.horizontalAdvance(tAnteil);
    const int k = f->CalcAnzahlVorderachsen();
    const int r = c - k;
    double gap = 0.0;
    if (k >= 1 && k < c)
        gap = f->GetAchsPosition(k) - f->GetAchsPosition(k - 1);
    // The screen's distances, enlarged with the picture when printing.
    const double kd = pView->GetDruckFaktor();
    const auto Gross = [kd](int px) { return Trunc(px * kd); };
    const int pRaum = Trunc(gap * s) - Gross(r == 1 ? 110 : 90);
    const bool bRechts = pRaum < tw;
    int tx = 0;
    if (bRechts) {
        const bool bUnter = f->GetPartner() && f->GetPartner()->IsArt5();
        tx = rx + Gross(r == 1 ? 60 : r == 2 ? (bUnter ? 80 : 63) : (bUnter ? 130 : 93));
    } else {
        tx = (rx + fx) / 2 + Gross(r == 1 ? 5 : r == 2 ? 1 : -19);
    }
    const auto titelText = [&](int ty, const QString& t) {
        if (bRechts)
            TextAt(p, tx, ty, t);
        else
            TextMitte(p, tx, ty, t);
    };
    p.setPen(titel);
    titelText(yB + 1, Res(kTitelLeer));
    titelText(yB + lh + 3, Res(kTitelZul));
    p.setPen(bInaktiv ? titel : QColor(0, 0, 255));
    titelText(yB + 2 * lh + 3, Res(kTitelGruppen));
    p.setPen(titel);
    titelText(yB + 3 * lh + 3, Res(kTitelMinAnteil));
    titelText(yB + 4 * lh + 3, tAnteil);

    // The fixed extra mass at the rear, noted above the load-area end.
    if (f->m_dZusLastMasse > 0.0 && !bDruck) {
        const int xk = x + 5 + Trunc(f->GetLFLaenge() * s);
        const int yk = y - Trunc(s * 1.05);
        const QString K = Fmt("%.0f kg", f->m_dZusLastMasse * 1000.0);
        const QString Tx = QString::fromStdString(FormatS("%s $S.", 1, kZusatzText, K.toStdString().c_str()));
        const int cK = fm.horizontalAdvance(K), hK = fm.height();
        p.setPen(Qt::black);
        if (!bEinzel) {
            TextAt(p, xk, yk, Tx);
            TextAt(p, xk + 10, yk + hK, Res(kZusatzHinweis));
        }
        pView->SetAuflagerRect(IPlanDrawView::kAufZusatzmasse, 0, Device(p, QRect(xk, yk, cK, hK)));
        pView->SetAuflagerRect(
            IPlanDrawView::kAufZusatzmasseTip, 0,
            Device(p, QRect(QPoint(xk, yk - lh), QPoint(xk + fm.horizontalAdvance(Tx), yk + lh))));
    } else {
        pView->SetAuflagerRect(IPlanDrawView::kAufZusatzmasseTip, 0, QRect());
    }
    p.restore();
    return true;
}
