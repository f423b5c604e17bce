// The axle-load picture: supports, axle-group triangles, minimum shares, group loads and row titles.
#include "draw2d/CAuflager.h"

#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <utility>
#include <vector>

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

// Where the texts' rectangles go: to the view, or into a list when the picture is only measured.
struct TextZiel
{
    IPlanDrawView* pView;
    std::vector<QRect>* pGemessen;
    void Melde(const QRect& rcDevice) const
    {
        if (pGemessen)
            pGemessen->push_back(rcDevice);
        else
            pView->AddTextRect(rcDevice);
    }
};

// Text with its top-left corner at (x, y), reported; answers its cell.
QRect TextAt(QPainter& p, const TextZiel& ziel, int x, int y, const QString& s)
{
    const QFontMetrics fm(p.font());
    const QRect rc(x, y, fm.horizontalAdvance(s), fm.height());
    p.drawText(QPoint(x, y + fm.ascent()), s);
    ziel.Melde(Device(p, rc));
    return rc;
}

// Text centred on x with its top at y (left edge at x - width / 2).
QRect TextMitte(QPainter& p, const TextZiel& ziel, int x, int y, const QString& s)
{
    const int cx = QFontMetrics(p.font()).horizontalAdvance(s);
    return TextAt(p, ziel, x - cx / 2, y, s);
}

} // namespace

CAuflager::CAuflager() = default;

bool CAuflager::Create(CFahrzeug* pFahrzeug, IPlanDrawView* pView)
{
    SetFahrzeug(pFahrzeug, pView);
    return true;
}

std::vector<QRect> CAuflager::MissTexte(const QPainter& painter, int x, int y, int n, double dZoom,
                                        IPlanDrawView* pView)
{
    std::vector<QRect> gemessen;
    QImage leer(1, 1, QImage::Format_RGB32);
    QPainter p(&leer);
    p.setWorldTransform(painter.worldTransform());
    m_pGemessen = &gemessen;
    Draw(p, x, y, n, dZoom, pView);
    m_pGemessen = nullptr;
    return gemessen;
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
    const TextZiel ziel{pView, m_pGemessen};
    // A measured picture tells the view nothing.
    const auto melde = [&](IPlanDrawView::AuflagerSpot which, int index, const QRect& rc) {
        if (!m_pGemessen)
            pView->SetAuflagerRect(which, index, rc);
    };

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
    std::vector<QRect> werte; // the value texts, which the row titles must leave free
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
        const QRect r0 = TextMitte(p, ziel, xi, yB + 3, Fmt("%.0f", rec.dLeerlast * 1000.0));
        QString zul = Fmt("%.0f", rec.dZulLast * 1000.0);
        // Record 0 lowered for a coupling shows the working value and the nominal one.
        if (i == 0 && f->m_dGeoZulLast[0] != rec.dZulLast && f->m_dGeoZulLast[0] != 0.0)
            zul = Fmt("%.0f (%.0f)", f->m_dGeoZulLast[0] * 1000.0, rec.dZulLast * 1000.0);
        const QRect r1 = TextMitte(p, ziel, xi, yB + 3 + lh, zul);
        werte.push_back(r0);
        werte.push_back(r1);
        if (!bInaktiv && !(f->m_pFahrerhausBild && f->m_pFahrerhausBild->HatBild())) {
            melde(IPlanDrawView::kAufLeerlast, i, Device(p, r0));
            melde(IPlanDrawView::kAufZulLast, i, Device(p, r1));
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
    const QRect rMinV = TextMitte(p, ziel, fx, y3, Fmt("%.1f", f->m_dMinAnteilVorn * 100.0));
    p.setPen(Qt::black);
    const QRect rMinH =
        TextMitte(p, ziel, rx, y3,
                  nArt == FahrzeugArt::kStarrdeichsel ? QStringLiteral("----")
                                                      : Fmt("%.1f", f->m_dMinAnteilHinten * 100.0));
    werte.push_back(rMinV);
    werte.push_back(rMinH);
    if (!bInaktiv) {
        melde(IPlanDrawView::kAufMinAnteil, 0, Device(p, rMinV));
        melde(IPlanDrawView::kAufMinAnteil, 1, Device(p, rMinH));
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
        werte.push_back(TextAt(p, ziel, m - cL - 2, y4, L));
        p.fillRect(QRect(m + 1, y4, cP + 2, h), bKurz[g] ? QColor(255, 128, 64) : QColor(217, 255, 217));
        werte.push_back(TextAt(p, ziel, m + 2, y4, P));
        melde(bAnhaengerSatz ? IPlanDrawView::kAufAnteilAnhaenger : IPlanDrawView::kAufAnteil, g,
              Device(p, QRect(m + 1, y4, cP + 12, h)));
    }

    // The picture's own hot spot.
    const QRect rcBild(QPoint(fx - 50, yA),
                       QPoint(xs[static_cast<std::size_t>(std::max(0, c - 1))] + 50, yB + 5 * lh));
    melde(bInaktiv ? IPlanDrawView::kAufBildInaktiv : IPlanDrawView::kAufBild, 0, Device(p, rcBild));

    // Row titles between the groups, or right of the rear group when they would touch a value there.
    const QColor titel = bInaktiv ? kInaktiv : QColor(0, 0, 0);
    const QString tAnteil = Res(kTitelAnteil);
    const int k = f->CalcAnzahlVorderachsen();
    const int r = c - k;
    // The screen's distances, enlarged with the picture when printing.
    const double kd = pView->GetDruckFaktor();
    const auto Gross = [kd](int px) { return Trunc(px * kd); };
    const std::pair<int, QString> zeilen[] = {{yB + 1, Res(kTitelLeer)},
                                              {yB + lh + 3, Res(kTitelZul)},
                                              {yB + 2 * lh + 3, Res(kTitelGruppen)},
                                              {yB + 3 * lh + 3, Res(kTitelMinAnteil)},
                                              {yB + 4 * lh + 3, tAnteil}};
    double gap = 0.0;
    if (k >= 1 && k < c)
        gap = f->GetAchsPosition(k) - f->GetAchsPosition(k - 1);
    const int pRaum = Trunc(gap * s) - Gross(r == 1 ? 110 : 90);
    const int tMitte = (rx + fx) / 2 + Gross(r == 1 ? 5 : r == 2 ? 1 : -19);
    // Texts the titles must not touch: this picture's values and another picture's texts beside it.
    std::vector<QRect> hindernisse = werte;
    const QTransform zurueck = p.worldTransform().inverted();
    for (const QRect& frei : m_rcFrei)
        hindernisse.push_back(zurueck.mapRect(frei));
    // The first obstacle a title block at x (left-aligned, else centred on x) touches, or null.
    const auto hindernis = [&](int xt, bool bLinks) -> const QRect* {
        for (const auto& [ty, t] : zeilen) {
            const int w = fm.horizontalAdvance(t);
            const QRect rc(bLinks ? xt : xt - w / 2, ty, w, fm.height());
            for (const QRect& h : hindernisse)
                if (h.intersects(rc))
                    return &h;
        }
        return nullptr;
    };
    int breit = 0;
    for (const auto& zeile : zeilen)
        breit = std::max(breit, fm.horizontalAdvance(zeile.second));
    const bool bRaum = pRaum >= fm.horizontalAdvance(tAnteil);
    int tx = tMitte;
    bool bRechts = !bRaum || hindernis(tMitte, false);
    if (bRechts && bRaum) {
        // Between the groups, pushed left clear of what stands at the right, if the front values allow.
        if (const QRect* h = hindernis(tMitte, false); h && h->center().x() > tMitte) {
            const int xt = h->left() - Gross(4) - (breit + 1) / 2;
            if (!hindernis(xt, false)) {
                tx = xt;
                bRechts = false;
            }
        }
    }
    if (bRechts) {
        // Right of the rear group; closer to it when another picture stands there, else beyond that.
        const bool bUnter = f->GetPartner() && f->GetPartner()->IsArt5();
        int eng = rx;
        for (const QRect& v : werte)
            eng = std::max(eng, v.right() + 1 + Gross(4));
        tx = std::max(eng + Gross(4), rx + Gross(r == 1   ? 60
                                                 : r == 2 ? (bUnter ? 80 : 63)
                                                          : (bUnter ? 130 : 93)));
        if (hindernis(tx, true) && !hindernis(eng, true))
            tx = eng;
        for (int runde = 0; runde < 8; ++runde) {
            const QRect* h = hindernis(tx, true);
            if (!h)
                break;
            tx = h->right() + 1 + Gross(8);
        }
    }
    const auto titelText = [&](int ty, const QString& t) {
        if (bRechts)
            TextAt(p, ziel, tx, ty, t);
        else
            TextMitte(p, ziel, tx, ty, t);
    };
    for (std::size_t i = 0; i < std::size(zeilen); ++i) {
        // The axle groups' title in blue while the vehicle is worked on.
        p.setPen(i == 2 && !bInaktiv ? QColor(0, 0, 255) : titel);
        titelText(zeilen[i].first, zeilen[i].second);
    }

    // The fixed extra mass at the rear, noted above the load-area end.
    if (f->m_dZusLastMasse > 0.0 && !bDruck) {
        const int xk = x + 5 + Trunc(f->GetLFLaenge() * s);
        const int yk = y - Trunc(s * 1.05);
        const QString K = Fmt("%.0f kg", f->m_dZusLastMasse * 1000.0);
        const QString Tx = QString::fromStdString(FormatS("%s $S.", 1, kZusatzText, K.toStdString().c_str()));
        const int cK = fm.horizontalAdvance(K), hK = fm.height();
        p.setPen(Qt::black);
        if (!bEinzel) {
            TextAt(p, ziel, xk, yk, Tx);
            TextAt(p, ziel, xk + 10, yk + hK, Res(kZusatzHinweis));
        }
        melde(IPlanDrawView::kAufZusatzmasse, 0, Device(p, QRect(xk, yk, cK, hK)));
        melde(IPlanDrawView::kAufZusatzmasseTip, 0,
              Device(p, QRect(QPoint(xk, yk - lh), QPoint(xk + fm.horizontalAdvance(Tx), yk + lh))));
    } else {
        melde(IPlanDrawView::kAufZusatzmasseTip, 0, QRect());
    }
    p.restore();
    return true;
}
