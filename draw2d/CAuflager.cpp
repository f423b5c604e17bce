// The axle-load picture: supports, axle-group triangles, minimum shares, group loads and row titles.
#include "draw2d/CAuflager.h"

#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>
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
    // Figures with the interface language's decimal separator.
    return QString::fromStdString(WithDecimalSeparator(buf, DecimalSeparator()));
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

// What the steps of Draw share: the painter, the place and scale, the vehicle's role in the picture,
// the rows' positions and the value texts drawn so far.
struct CAuflager::SLage
{
    QPainter& p;
    TextZiel ziel;
    IPlanDrawView* pView;
    CFahrzeug* f;
    int x, y, n;
    double z, s, a, b;
    int nArt;
    // In a combination picture the vehicle not worked on is drawn pale and leaves no hot spots.
    bool bInaktiv, bAnhaengerSatz, bDruck, bEinzel;
    QColor fuell;
    int lh;
    // Top of the supports and of their values; the supports' x; the front and rear groups' x.
    int yA = 0, yB = 0;
    int c = 0;
    std::array<int, kMaxStuetzen> xs{};
    int fx = 0, rx = 0;
    bool bUeber[2] = {}, bKurz[2] = {};
    double T[2] = {};
    // The value texts, which the row titles must leave free.
    std::vector<QRect> werte{};
};

bool CAuflager::Draw(QPainter& p, int x, int y, int n, double dZoom, IPlanDrawView* pView)
{
    CFahrzeug* f = m_pFahrzeug;
    if (!f || !pView || n <= 0)
        return true;
    p.save();
    const CQOR1Doc* doc = pView->GetDocument();
    const bool bKombi = pView->IsKombinationsBild();
    const bool bInaktiv = bKombi && doc && doc->GetAktivFahrzeug(false) != f;
    const int nArt = f->GetArt();
    const bool bAnhaengerSatz =
        bKombi && (nArt == FahrzeugArt::kAnhaenger || nArt == FahrzeugArt::kStarrdeichsel ||
                   nArt == FahrzeugArt::kAuflieger);
    const bool bDruck = pView->IsPrinting();
    if (dZoom != m_dZoom) {
        m_font = FontTable::MakeFont("Segoe UI", Trunc(dZoom * 60));
        m_dZoom = dZoom;
    }
    p.setFont(m_font);
    const QFontMetrics fm(m_font);
    const double s = n * dZoom;
    const double a = (s / n) * 194.0 * 0.25;
    SLage g{.p = p,
            .ziel = TextZiel{pView, m_pGemessen},
            .pView = pView,
            .f = f,
            .x = x,
            .y = y,
            .n = n,
            .z = dZoom,
            .s = s,
            .a = a,
            .b = 0.75 * a,
            .nArt = nArt,
            .bInaktiv = bInaktiv,
            .bAnhaengerSatz = bAnhaengerSatz,
            .bDruck = bDruck,
            .bEinzel = pView->IsEinzelBild() || pView->IsBildExport(),
            .fuell = bInaktiv ? kInaktiv : kAktiv,
            .lh = fm.height() + fm.leading()};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(g.fuell);

    DrawStuetzen(g);
    DrawGruppen(g);
    const int y3 = DrawMinAnteile(g);
    DrawGruppenLasten(g, y3 + g.lh);
    // The picture's own hot spot.
    const QRect rcBild(QPoint(g.fx - 50, g.yA),
                       QPoint(g.xs[static_cast<std::size_t>(std::max(0, g.c - 1))] + 50, g.yB + 5 * g.lh));
    Melde(g, bInaktiv ? IPlanDrawView::kAufBildInaktiv : IPlanDrawView::kAufBild, 0, Device(p, rcBild));
    DrawZeilenTitel(g);
    DrawZusatzmasse(g);
    p.restore();
    return true;
}

// A measured picture tells the view nothing.
void CAuflager::Melde(const SLage& g, IPlanDrawView::AuflagerSpot which, int index, const QRect& rc) const
{
    if (!m_pGemessen)
        g.pView->SetAuflagerRect(which, index, rc);
}

// The supports with their empty and permissible loads.
void CAuflager::DrawStuetzen(SLage& g)
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    const double s = g.s, b = g.b;
    const int nArt = g.nArt;
    const bool bKupplung = nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger;
    g.c = std::min(kMaxStuetzen, f->GetAchsanzahl() + (bKupplung ? 1 : 0));
    m_nStuetzen = g.c;
    g.yA = g.y - Trunc(-(0.15 * s / g.n) * 194.0);
    g.yB = g.yA + Trunc(b);
    const int yA = g.yA, yB = g.yB;
    for (int i = 0; i < g.c; ++i) {
        g.xs[static_cast<std::size_t>(i)] = Trunc(f->GetAchsPosition(i) * s) + g.x;
        // The truck's front support stands under the fixed cab drawing, wherever the view scrolls.
        if (i == 0 && nArt == FahrzeugArt::kZugmaschine && !g.bEinzel)
            g.xs[0] = Trunc(g.z * (f->IsArt5() ? 436 : 356)) - g.pView->GetDrawShiftX();
    }
    for (int i = 0; i < g.c; ++i) {
        const int xi = g.xs[static_cast<std::size_t>(i)];
        auto& tri = m_ptAchsen[static_cast<std::size_t>(i)];
        tri = {QPoint(xi, yA), QPoint(xi + Trunc(b), yB), QPoint(xi - Trunc(b), yB)};
        p.setPen(QPen(Qt::black, 1));
        p.drawPolygon(tri.data(), 3);
        p.setPen(f->m_nAchsFlags[i] ? QColor(128, 128, 128) : QColor(0, 0, 0));
        const SAchse& rec = f->m_Achsen[i];
        const QRect r0 = TextMitte(p, g.ziel, xi, yB + 3, Fmt("%.0f", rec.dLeerlast * 1000.0));
        QString zul = Fmt("%.0f", rec.dZulLast * 1000.0);
        // Record 0 lowered for a coupling shows the working value and the nominal one.
        if (i == 0 && f->GetAchsGeometrie().dZulLast[0] != rec.dZulLast &&
            f->GetAchsGeometrie().dZulLast[0] != 0.0)
            zul = Fmt("%.0f (%.0f)", f->GetAchsGeometrie().dZulLast[0] * 1000.0, rec.dZulLast * 1000.0);
        const QRect r1 = TextMitte(p, g.ziel, xi, yB + 3 + g.lh, zul);
        g.werte.push_back(r0);
        g.werte.push_back(r1);
        if (!g.bInaktiv && !(f->m_pFahrerhausBild && f->m_pFahrerhausBild->HatBild())) {
            Melde(g, IPlanDrawView::kAufLeerlast, i, Device(p, r0));
            Melde(g, IPlanDrawView::kAufZulLast, i, Device(p, r1));
        }
    }
    p.setPen(QPen(Qt::black, 1));
}

// Axle groups, red when they break a limit by the model's own rules.
void CAuflager::DrawGruppen(SLage& g)
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    g.fx = g.xs[0];
    g.rx = Trunc(f->GetAchsGeometrie().dHinterachsPos * g.s) + g.x;
    g.T[0] = f->GetGesamtmasse(false);
    g.T[1] = f->GetGesamtmasse(true);
    g.bUeber[0] = f->m_dAchslastVorn > f->m_dZulLastVorn;
    g.bUeber[1] = f->m_dAchslastHinten > f->m_dZulLastHinten;
    g.bKurz[0] = f->m_dAnteilVorn * g.T[0] > f->m_dAchslastVorn;
    g.bKurz[1] = f->m_dAnteilHinten * g.T[1] > f->m_dAchslastHinten;
    const int gy = g.yB + 2 * (g.lh + 2);
    const int a = Trunc(g.a);
    for (int i = 0; i < 2; ++i) {
        const int gx = i == 0 ? g.fx : g.rx;
        auto& tri = m_ptGruppen[static_cast<std::size_t>(i)];
        tri = {QPoint(gx, gy), QPoint(gx + a, gy + a), QPoint(gx - a, gy + a)};
        m_bRot[static_cast<std::size_t>(i)] = g.bUeber[i] || g.bKurz[i];
        p.setBrush(m_bRot[static_cast<std::size_t>(i)] ? kRot : g.fuell);
        p.drawPolygon(tri.data(), 3);
    }
    p.setBrush(Qt::NoBrush);
}

// Minimum shares; answers their row's y.
int CAuflager::DrawMinAnteile(SLage& g) const
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    const int y3 = g.yB + 3 * g.lh + 4;
    p.setPen(g.nArt == FahrzeugArt::kStarrdeichsel && f->m_Achsen[0].dLeerlast >= f->GetGewichtsRaster()
                 ? QColor(199, 199, 199)
                 : QColor(0, 0, 0));
    const QRect rMinV = TextMitte(p, g.ziel, g.fx, y3, Fmt("%.1f", f->m_dMinAnteilVorn * 100.0));
    p.setPen(Qt::black);
    const QRect rMinH =
        TextMitte(p, g.ziel, g.rx, y3,
                  g.nArt == FahrzeugArt::kStarrdeichsel ? QStringLiteral("----")
                                                        : Fmt("%.1f", f->m_dMinAnteilHinten * 100.0));
    g.werte.push_back(rMinV);
    g.werte.push_back(rMinH);
    if (!g.bInaktiv) {
        Melde(g, IPlanDrawView::kAufMinAnteil, 0, Device(p, rMinV));
        Melde(g, IPlanDrawView::kAufMinAnteil, 1, Device(p, rMinH));
    }
    return y3;
}

// Group loads and their shares of the total mass, in the row at y4.
void CAuflager::DrawGruppenLasten(SLage& g, int y4) const
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    const QFontMetrics fm(m_font);
    const double last[2] = {f->m_dAchslastVorn, f->m_dAchslastHinten};
    for (int i = 0; i < 2; ++i) {
        const int gx = i == 0 ? g.fx : g.rx;
        // Where the load distribution cannot be calculated (a vehicle whose data make it undetermined),
        // dashes stand in place of the numbers.
        const double anteil = g.T[i] != 0.0 ? last[i] / g.T[i] * 100.0 : 0.0;
        const bool bBekannt = std::isfinite(last[i]) && std::isfinite(anteil);
        const QString L = bBekannt ? Fmt("%.0f", last[i] * 1000.0) : QStringLiteral("----");
        const QString P = bBekannt ? Fmt("(%.1f%%)", anteil) : QStringLiteral("(----)");
        const int cL = fm.horizontalAdvance(L), cP = fm.horizontalAdvance(P), h = fm.height();
        int m = gx + (cL - cP) / 2;
        if (i == 0 && g.nArt == FahrzeugArt::kStarrdeichsel && g.bEinzel) {
            const double len = f->GetGesamtlaenge(false);
            if (len > 11.0)
                m += Trunc(std::min(len - 11.0, 1.0) * 80.0 * g.z);
        }
        p.fillRect(QRect(m - cL - 3, y4, cL + 1, h),
                   g.bUeber[i] ? QColor(255, 0, 128) : QColor(217, 255, 217));
        g.werte.push_back(TextAt(p, g.ziel, m - cL - 2, y4, L));
        p.fillRect(QRect(m + 1, y4, cP + 2, h), g.bKurz[i] ? QColor(255, 128, 64) : QColor(217, 255, 217));
        g.werte.push_back(TextAt(p, g.ziel, m + 2, y4, P));
        Melde(g, g.bAnhaengerSatz ? IPlanDrawView::kAufAnteilAnhaenger : IPlanDrawView::kAufAnteil, i,
              Device(p, QRect(m + 1, y4, cP + 12, h)));
    }
}

// Row titles between the groups, or right of the rear group when they would touch a value there.
void CAuflager::DrawZeilenTitel(const SLage& g) const
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    const QFontMetrics fm(m_font);
    const int lh = g.lh, yB = g.yB, c = g.c, fx = g.fx, rx = g.rx;
    const QColor titel = g.bInaktiv ? kInaktiv : QColor(0, 0, 0);
    const QString tAnteil = Res(kTitelAnteil);
    const int k = f->CalcAnzahlVorderachsen();
    const int r = c - k;
    // The screen's distances, enlarged with the picture when printing.
    const double kd = g.pView->GetDruckFaktor();
    const auto Gross = [kd](int px) { return Trunc(px * kd); };
    const std::pair<int, QString> zeilen[] = {{yB + 1, Res(kTitelLeer)},
                                              {yB + lh + 3, Res(kTitelZul)},
                                              {yB + 2 * lh + 3, Res(kTitelGruppen)},
                                              {yB + 3 * lh + 3, Res(kTitelMinAnteil)},
                                              {yB + 4 * lh + 3, tAnteil}};
    double gap = 0.0;
    if (k >= 1 && k < c)
        gap = f->GetAchsPosition(k) - f->GetAchsPosition(k - 1);
    const int pRaum = Trunc(gap * g.s) - Gross(r == 1 ? 110 : 90);
    const int tMitte = (rx + fx) / 2 + Gross(r == 1 ? 5 : r == 2 ? 1 : -19);
    // Texts the titles must not touch: this picture's values and another picture's texts beside it.
    std::vector<QRect> hindernisse = g.werte;
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
        for (const QRect& v : g.werte)
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
    for (std::size_t i = 0; i < std::size(zeilen); ++i) {
        // The axle groups' title in blue while the vehicle is worked on.
        p.setPen(i == 2 && !g.bInaktiv ? QColor(0, 0, 255) : titel);
        if (bRechts)
            TextAt(p, g.ziel, tx, zeilen[i].first, zeilen[i].second);
        else
            TextMitte(p, g.ziel, tx, zeilen[i].first, zeilen[i].second);
    }
}

// The fixed extra mass at the rear, noted above the load-area end.
void CAuflager::DrawZusatzmasse(const SLage& g) const
{
    QPainter& p = g.p;
    CFahrzeug* f = g.f;
    if (f->m_dZusLastMasse <= 0.0 || g.bDruck) {
        Melde(g, IPlanDrawView::kAufZusatzmasseTip, 0, QRect());
        return;
    }
    const QFontMetrics fm(m_font);
    const int xk = g.x + 5 + Trunc(f->GetLFLaenge() * g.s);
    const int yk = g.y - Trunc(g.s * 1.05);
    const QString K = Fmt("%.0f kg", f->m_dZusLastMasse * 1000.0);
    const QString Tx = QString::fromStdString(FormatS("%s $S.", 1, kZusatzText, K.toStdString().c_str()));
    const int cK = fm.horizontalAdvance(K), hK = fm.height();
    p.setPen(Qt::black);
    if (!g.bEinzel) {
        TextAt(p, g.ziel, xk, yk, Tx);
        TextAt(p, g.ziel, xk + 10, yk + hK, Res(kZusatzHinweis));
    }
    Melde(g, IPlanDrawView::kAufZusatzmasse, 0, Device(p, QRect(xk, yk, cK, hK)));
    Melde(g, IPlanDrawView::kAufZusatzmasseTip, 0,
          Device(p, QRect(QPoint(xk, yk - g.lh), QPoint(xk + fm.horizontalAdvance(Tx), yk + g.lh))));
}
