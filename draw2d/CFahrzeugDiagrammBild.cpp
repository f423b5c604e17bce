// The drawing half of a vehicle's chart: frame, grids, the lateral limit curve, the load's marker and the
// side loads, painted into a 290 x 352 picture.
#include "draw2d/CFahrzeugDiagrammBild.h"

#include "model/plan/CQOR.h"
#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr std::uint32_t kTextLinks = 376;
constexpr std::uint32_t kTextRechts = 377;
constexpr std::uint32_t kTitel1 = 378;
constexpr std::uint32_t kTitel2 = 379;
constexpr std::uint32_t kTextMax = 380;
constexpr std::uint32_t kTextMin = 381;
constexpr std::uint32_t kTextRadlasten = 382;
constexpr std::uint32_t kTextNutzlast = 32936;

// The top of the offset figures' row under the plot.
constexpr int kAchsTextY = 283;

const QColor kMarkenGrund(91, 200, 184);
const QColor kWarnGrund(200, 10, 10);
const QColor kSeite(0, 122, 222);
const QColor kWarn(255, 0, 0);

QFont ArialFont(int nPixel)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(nPixel);
    f.setWeight(QFont::Normal);
    return f;
}

QString Res(std::uint32_t id)
{
    return QString::fromStdString(FormatS("$S", 1, id));
}

template <typename... Args> QString Fmt(const char* fmt, Args... args)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, args...);
    // Figures with the interface language's decimal separator.
    return QString::fromStdString(WithDecimalSeparator(buf, DecimalSeparator()));
}

enum class Align
{
    Links,
    Mitte,
    Rechts
};

// Text with its top at y, its left edge, centre or right edge at x; with a background colour the text's
// cell is filled first. Answers the cell.
QRect Text(QPainter& p, int x, int y, const QString& s, Align a, const QColor* pGrund = nullptr)
{
    const QFontMetrics fm(p.font());
    const int cx = fm.horizontalAdvance(s);
    const int cy = fm.height();
    int left = x;
    if (a == Align::Mitte)
        left = x - cx / 2;
    else if (a == Align::Rechts)
        left = x - cx;
    const QRect rc(left, y, cx, cy);
    if (pGrund)
        p.fillRect(rc, *pGrund);
    p.drawText(QPoint(left, y + fm.ascent()), s);
    return rc;
}

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

CFahrzeugDiagrammBild::CFahrzeugDiagrammBild()
{
    m_bmGut.LoadBitmap(264);
    m_bmSchlecht.LoadBitmap(265);
}

bool CFahrzeugDiagrammBild::GetBitmapSize(int* pcx, int* pcy) const
{
    const int cx = m_image.isNull() ? 0 : m_image.width();
    const int cy = m_image.isNull() ? 0 : m_image.height();
    if (pcx)
        *pcx = cx;
    if (pcy)
        *pcy = cy;
    return cx != 0 && cy != 0;
}

bool CFahrzeugDiagrammBild::GetBitmapFile(const std::uint8_t** ppData, std::size_t* pnSize) const
{
    if (m_image.isNull() || m_image.sizeInBytes() <= 0)
        return false;
    if (ppData)
        *ppData = m_image.constBits();
    if (pnSize)
        *pnSize = static_cast<std::size_t>(m_image.sizeInBytes());
    return true;
}

int CFahrzeugDiagrammBild::Draw(CFahrzeug& f)
{
    if (f.GetArt() == FahrzeugArt::kSattelzugmaschine)
        return 0;
    if (!f.m_Diagramm.m_bNeuZeichnen && !m_image.isNull())
        return 1;

    // The mass scale: whole tonnes of the larger maximum payload of the pair, at least one.
    double dMax = f.GetMaxNutzlast(true);
    if (const CFahrzeug* partner = f.GetPartner())
        dMax = std::max(dMax, partner->GetMaxNutzlast(true));
    m_nM = std::max(1, static_cast<int>(std::ceil(std::isfinite(dMax) ? dMax : 1.0)));
    m_eMarke = kKeineMarke;
    m_ptMarke = QPoint();

    m_image = QImage(kBreite, kHoehe, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    QPainter p(&m_image);

    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kBreite, kHoehe);
    p.drawRect(1, 1, kBreite - 2, kHoehe - 2);
    p.drawLine(kMitte, kBasis, kMitte, kOben);
    p.drawLine(kLinks, kBasis, kRechts, kBasis);

    const float W = f.GetLFBreite();
    DrawRaster(p, W);
    if (W > 0.0f && std::isfinite(W)) {
        DrawKurve(p, f, W);
        DrawLadung(p, f, W);
    }
    p.end();
    f.GetDiagramm().m_bNeuZeichnen = 0;
    return 1;
}

void CFahrzeugDiagrammBild::DrawRaster(QPainter& p, float W)
{
    p.setFont(ArialFont(13));
    QPen grid(QColor(221, 221, 221), 0, Qt::DotLine);
    m_rcAchsTexte.clear();
    if (W > 0.0f && std::isfinite(W)) {
        for (float v = 0.5f; v <= W / 2.0f; v += 0.5f) {
            const int d = Trunc(v * kPlotBreite / W - 2.0f);
            for (int x : {kMitte + d, kMitte - d}) {
                p.setPen(grid);
                p.drawLine(x, 275, x, kOben);
                p.setPen(Qt::black);
                m_rcAchsTexte.push_back(
                    Text(p, x, kAchsTextY, Fmt("%.0f", static_cast<double>(v) * 1000.0), Align::Mitte));
            }
        }
    }
    p.setPen(Qt::black);
    Text(p, 5, kAchsTextY, Res(kTextLinks), Align::Links);
    Text(p, 285, kAchsTextY, Res(kTextRechts), Align::Rechts);
    m_nSchritt = BeschriftungsSchritt(m_nM, kPlotHoehe, QFontMetrics(p.font()).height());
    // Grid lines closer than 4 pixels would fill the plot; they follow the labels then.
    const int nLinien = kPlotHoehe / m_nM >= 4 ? 1 : m_nSchritt;
    for (int i = 1; i <= m_nM; ++i) {
        const int y = kBasis - i * kPlotHoehe / m_nM;
        if (i % nLinien == 0) {
            p.setPen(grid);
            p.drawLine(kLinks, y, kRechts, y);
        }
        p.setPen(Qt::black);
        if (i % m_nSchritt == 0)
            Text(p, 248, y - 6, Fmt("%i", i), Align::Links);
    }

    p.setFont(ArialFont(15));
    const QFontMetrics fm(p.font());
    Text(p, kMitte, 9, Res(kTitel1), Align::Mitte);
    Text(p, kMitte, 9 + fm.height() + fm.leading(), Res(kTitel2), Align::Mitte);
    p.save();
    // The axis title runs upwards, centred on the plot's middle so that a long title stays inside.
    p.translate(263, 164);
    p.rotate(-90.0);
    Text(p, 0, 0, QString::fromStdString(FormatS("$S x1000", 1, kTextNutzlast)), Align::Mitte);
    p.restore();
}

int CFahrzeugDiagrammBild::BeschriftungsSchritt(int nM, int nPlotHoehe, int nTextHoehe)
{
    if (nM <= 0 || nPlotHoehe <= 0)
        return 1;
    // 1, 2, 5, 10, 20, 50, ... until the labels stand a text height apart.
    for (int basis = 1;; basis *= 10)
        for (int f : {1, 2, 5}) {
            const long long schritt = static_cast<long long>(basis) * f;
            if (schritt >= nM)
                return nM; // only the top line is labelled
            if (schritt * nPlotHoehe >= static_cast<long long>(nTextHoehe) * nM)
                return static_cast<int>(schritt);
        }
}

void CFahrzeugDiagrammBild::DrawKurve(QPainter& p, const CFahrzeug& f, float W)
{
    const auto& punkte = f.m_Diagramm.GetPunkte();
    if (punkte.empty())
        return;
    const auto px = [&](float y, int sign) { return kMitte + sign * Trunc(y * kPlotBreite / W); };
    const auto py = [&](float m) { return kBasis - Trunc(m * kPlotHoehe / m_nM); };
    p.setPen(QPen(QColor(0, 0, 255), 3));
    for (int sign : {1, -1}) {
        for (std::size_t i = 1; i < punkte.size(); ++i)
            p.drawLine(px(punkte[i - 1].x, sign), py(punkte[i - 1].y), px(punkte[i].x, sign),
                       py(punkte[i].y));
        // The curve ends where it reaches the maximum payload.
        const float fMax = static_cast<float>(f.GetMaxNutzlast(true));
        if (fMax > 0.0f) {
            const float yEnd = (f.m_Diagramm.GetK() - f.m_Diagramm.GetC() * fMax) / fMax;
            if (std::isfinite(yEnd))
                p.drawLine(px(punkte.back().x, sign), py(punkte.back().y), px(yEnd, sign), py(fMax));
        }
    }
}

void CFahrzeugDiagrammBild::DrawLadung(QPainter& p, CFahrzeug& f, float W)
{
    CQOR* q = f.GetQor();
    const double m = q ? q->GetMasse() : 0.0;
    if (!(m > 0.0) || !std::isfinite(m))
        return;
    const double u = W / 2.0 - (f.GetRandabstand(1) + q->GetSchwerpunktY());
    const int px = kMitte + Trunc(u * kPlotBreite / W);
    const int py = kBasis - Trunc(m * kPlotHoehe / m_nM);
    m_ptMarke = QPoint(px, py);

    QFont klein = ArialFont(13);
    QFont titel = ArialFont(15);
    p.setFont(klein);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(px, kBasis, px, py);
    p.setPen(Qt::black);
    // The offset stands in the row of the offset figures, in place of those it would touch.
    const QString versatz = Fmt("%.0f mm", std::fabs(u) * 1000.0);
    const int cxVersatz = QFontMetrics(klein).horizontalAdvance(versatz);
    const QRect rcVersatz(px - cxVersatz / 2, kAchsTextY, cxVersatz, QFontMetrics(klein).height());
    for (const QRect& rc : m_rcAchsTexte)
        if (rc.intersects(rcVersatz.adjusted(-3, 0, 3, 0)))
            p.fillRect(rc, Qt::white);
    Text(p, px, kAchsTextY, versatz, Align::Mitte, &kMarkenGrund);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(kLinks, py, kRechts, py);
    p.setPen(Qt::black);
    // The mass label ends at the plot's left edge, or starts at the picture's edge when it is wider.
    const QFontMetrics fmKlein(klein);
    const QString masse = Fmt("%.0f kg", m * 1000.0);
    const int xMasse = std::max(43, 2 + fmKlein.horizontalAdvance(masse));
    Text(p, xMasse, py - fmKlein.height() / 2, masse, Align::Rechts, &kMarkenGrund);

    // The permissible payloads at the load's longitudinal position.
    SYs2X pt;
    pt.m_dX = q->GetSchwerpunktX() + f.GetRandabstand(0);
    if (f.CalcKurvenpunkt(&pt) == 1) {
        for (int k = 0; k < 2; ++k) {
            const double P = k == 0 ? pt.m_dMaxLast : pt.m_dMinLast;
            if (k == 1 && P == -1.0)
                break;
            const int y = kBasis - Trunc(P * kPlotHoehe / m_nM);
            p.setPen(Qt::black);
            p.drawLine(kLinks, y, kRechts, y);
            const int yt = k == 0 ? y - 14 : y + 2;
            Text(p, kLinks, yt, Res(k == 0 ? kTextMax : kTextMin), Align::Links);
            // Clear of the tonne figures right of the plot.
            Text(p, kRechts - 4, yt, Fmt("(%.0f kg)", P * 1000.0), Align::Rechts);
        }
    }
    // The same rules as the plan's checks, so that every picture of a plan agrees.
    const bool bOk = f.CheckLadung() == 1;
    const bool bQuerOk = f.CheckQuerSchwerpunkt() == 1;
    m_eMarke = bOk && bQuerOk ? kMarkeGut : kMarkeSchlecht;
    const CMemBm& bm = m_eMarke == kMarkeGut ? m_bmGut : m_bmSchlecht;
    if (bm.IsLoaded())
        bm.DrawTransparent(p, px - 10 - bm.GetWidth(), py - bm.GetHeight() / 2, bm.GetWidth(), bm.GetHeight(),
                           RGB(0, 0, 255));

    // The side loads at the bottom.
    const double L = f.m_Diagramm.GetLast();
    const double w = f.m_Diagramm.GetSpur();
    const int hw = Trunc((W - w) / 2.0 * kPlotBreite / W);
    const int xl = kLinks + hw;
    const int xr = kRechts - hw;
    p.setPen(Qt::black);
    for (int x : {xl, xr}) {
        const bool bRechts = x == xr;
        QBrush brush = Qt::NoBrush;
        if (bQuerOk)
            brush = kSeite;
        else if (bRechts == (u >= 0.0))
            brush = kWarn;
        p.setBrush(brush);
        const QPoint tri[3] = {QPoint(x, 314), QPoint(x + 9, 323), QPoint(x - 9, 323)};
        p.drawPolygon(tri, 3);
    }
    p.setBrush(Qt::NoBrush);
    // The side loads' title under the offset figures, their difference under the title.
    p.setFont(titel);
    const QRect rcTitel =
        Text(p, kMitte, kAchsTextY + QFontMetrics(klein).height() + 1, Res(kTextRadlasten), Align::Mitte);
    const double gesamt = L + m;
    if (w > 0.0 && gesamt > 0.0) {
        const double fRechts = (L * w / 2.0 + m * (w / 2.0 + u)) / w;
        const double fLinks = gesamt - fRechts;
        p.setFont(klein);
        Text(p, xl, 326, Fmt("%.1f", fLinks / gesamt * 100.0), Align::Mitte);
        Text(p, xr, 326, Fmt("%.1f", fRechts / gesamt * 100.0), Align::Mitte);
        p.setFont(titel);
        const double diff = std::fabs(fRechts - fLinks) / gesamt * 100.0;
        const double proz = f.m_nSeitenProzent;
        const QColor grund = diff >= proz ? kWarnGrund : kMarkenGrund;
        Text(p, kMitte, rcTitel.bottom() + 2, Fmt("%.1f / (%.1f)", diff, proz), Align::Mitte, &grund);
    }
}
