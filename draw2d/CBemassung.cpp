// The dimension lines under the vehicle and their labels.
#include "draw2d/CBemassung.h"

#include "draw2d/FontTable.h"
#include "draw2d/IPlanDrawView.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/FahrzeugArt.h"

#include <QFontMetrics>
#include <QPainter>

#include <vector>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

QString CBemassung::Millimetres(double dMetres)
{
    return QString::fromStdString(FormatChecked("%.0f", {dMetres * 1000}));
}

void CBemassung::Draw(QPainter& painter, int x, int y, int nScale, const STupel& scale, double dZoom,
                      IPlanDrawView* pView)
{
    if (!m_pDoc || !pView)
        return;
    const double z = dZoom, xf = scale.m_dFaktorX, yf = scale.m_dFaktorY;
    auto px = [&](double m) { return Trunc(nScale * m * xf * z); };

    CFahrzeug* v = nullptr;
    if (pView->IsBildExport()) {
        v = m_pDoc->GetAktivFahrzeug(false);
    } else {
        v = m_pDoc->GetFahrzeug();
        if (pView->HasTowingPair() && pView->GetViewAktivIndex() == 2 && m_pDoc->GetZugfahrzeug()) {
            v = m_pDoc->GetZugfahrzeug();
            x -= px(m_pDoc->GetAnhaengerVersatz());
        }
    }
    if (!v)
        return;
    painter.save();
    painter.setFont(FontTable::MakeFont("Segoe UI", Trunc(60 * z)));
    const QPen rot(QColor(255, 0, 0), 1);

    const int art = v->GetArt();
    const CFahrzeug* pZug = v->IsAnhaengerArt() ? v->GetPartner() : nullptr;
    const bool bUnter = v->IsArt5() || (pZug && pZug->IsArt5());
    const double a1 = v->GetAchse1Abstand();
    const bool bMotor = art == FahrzeugArt::kZugmaschine || art == FahrzeugArt::kSattelzugmaschine;

    // First reference line and the top of the axle lines.
    int x0 = x, top = 0;
    if (bMotor) {
        x0 = pView->IsBildExport() ? x - Trunc(a1 * nScale * z)
                                   : Trunc((bUnter ? 436 : 356) * z) + pView->GetDrawShiftX();
        top = Trunc(nScale * (v->IsArt5() ? 0.61 : 1.38) * z);
    } else if (art == FahrzeugArt::kAnhaenger || art == FahrzeugArt::kAuflieger) {
        x0 = x + px(a1);
        top = art == FahrzeugArt::kAuflieger ? Trunc(nScale * 0.58 * z) : Trunc((nScale + 69) * yf * z) + 2;
    } else {
        x0 = x - px(a1);
        top = Trunc((bUnter ? 20 : 124) * z);
    }
    const int bottom = Trunc((art == FahrzeugArt::kSattelzugmaschine ? 500 : 400) * z);
    painter.setPen(rot);
    painter.drawLine(x0, y + top, x0, y + bottom);

    // Axle lines: the records at their model positions (the coupling point first for kinds 2 and 3).
    const bool bKupplungsRecord = art == FahrzeugArt::kStarrdeichsel || art == FahrzeugArt::kAuflieger;
    const int nRecords = std::min(v->GetAchsanzahl() + (bKupplungsRecord ? 1 : 0), CFahrzeug::MAX_ACHSEN);
    const int achsTop = Trunc(nScale * ((v->IsArt5() || bUnter) ? 0.61 : 1.38) * z);
    const int achsBottom = Trunc(400 * z);
    std::vector<int> pos;
    for (int i = 0; i < nRecords; ++i) {
        const int xa = x + px(v->GetAchsPosition(i));
        pos.push_back(xa);
        painter.drawLine(xa, y + achsTop, xa, y + achsBottom);
    }

    // Load-area lines.
    const int xEnde = x + px(v->GetLFLaenge());
    if (art != FahrzeugArt::kSattelzugmaschine)
        painter.drawLine(x, y + 2, x, y + Trunc(500 * z));
    painter.drawLine(xEnde, y + 2 + (art == FahrzeugArt::kSattelzugmaschine ? Trunc(nScale * 0.38 * z) : 0),
                     xEnde, y + Trunc(500 * z));
    const auto* pSattel =
        art == FahrzeugArt::kSattelzugmaschine ? dynamic_cast<const CSattelzugmaschine*>(v) : nullptr;
    if (pSattel)
        painter.drawLine(x + px(pSattel->GetSattelX()), y + Trunc(nScale * 0.75 * yf * z),
                         x + px(pSattel->GetSattelX()), y + Trunc(330 * z));

    pView->SetLabelRect(0, QRect());
    // A dimension of no length (as shown, in millimetres) draws nothing: no line spans a "0".
    const auto linie = [&](QPoint from, QPoint to, double dMetres, bool bOutside, int nLabelId) {
        const QString text = Millimetres(dMetres);
        if (text == QLatin1String("0") || text == QLatin1String("-0"))
            return;
        m_Linie.Draw(painter, from, to, text, z, bOutside, pView, nLabelId);
    };

    // Coupling offset.
    const CFahrzeug* pAnh = m_pDoc->GetAnhaenger();
    if (bMotor && art == FahrzeugArt::kZugmaschine && v->m_dKupplungslast1 > 0.0 && !v->IsArt5() &&
        !(pAnh && pAnh->GetArt() == FahrzeugArt::kAnhaenger)) {
        const int xk = x + px(v->GetLFLaenge() - v->m_dKupplungsabstand);
        painter.setPen(rot);
        painter.drawLine(xk, y + Trunc(nScale * 0.8 * z), xk, y + Trunc((nScale + 100) * yf * z));
        const int yl = y + Trunc((nScale + 80) * yf * z);
        linie(QPoint(xk, yl), QPoint(xEnde, yl), v->m_dKupplungsabstand, true, 19);
    }

    if (pSattel && Millimetres(pSattel->m_dSattelVersatz) != QLatin1String("0")) {
        // Kingpin offset between the fifth wheel and the last axle.
        const int yl = y + Trunc(330 * z);
        const double p = v->GetAchsPosition(v->GetAchsanzahl() - 1);
        const double k = pSattel->GetSattelX();
        const bool bHinter = k > p;
        const int xk = x + px(k), xp = x + px(p);
        const int stroke = Trunc(nScale * 0.75 * xf * z), a = Trunc(25 * z), h = Trunc(8 * z);
        const int dir = bHinter ? -1 : 1; // arrows point at k from the front and at p from the rear
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(xk - dir * stroke, yl, xk, yl);
        painter.drawLine(xk, yl, xk - dir * a, yl - h);
        painter.drawLine(xk, yl, xk - dir * a, yl + h);
        painter.drawLine(xp + dir * stroke, yl, xp, yl);
        painter.drawLine(xp, yl, xp + dir * a, yl - h);
        painter.drawLine(xp, yl, xp + dir * a, yl + h);
        const QFontMetrics fm(painter.font());
        const QString label = Millimetres(pSattel->m_dSattelVersatz);
        const int lx = (bHinter ? xk : xp) + Trunc(40 * z);
        const QRect rc(lx, yl - fm.height(), fm.horizontalAdvance(label), fm.height());
        painter.fillRect(rc, Qt::white);
        painter.drawText(rc, Qt::AlignLeft | Qt::AlignTop, label);
        pView->AddTextRect(painter.worldTransform().mapRect(rc));
        pView->SetLabelRect(24, painter.worldTransform().mapRect(rc));
        const QString text = QString::fromStdString(FormatS("$S", 1, 67u));
        const int tw = fm.horizontalAdvance(text);
        const int tr = (bHinter ? xp : xk) - Trunc(70 * z);
        const QRect rcText(tr - tw, yl - fm.height(), tw, fm.height());
        painter.fillRect(rcText, Qt::white);
        painter.drawText(rcText, Qt::AlignLeft | Qt::AlignTop, text);
        pView->AddTextRect(painter.worldTransform().mapRect(rcText));
    } else if (!pSattel) {
        const int yl = y + Trunc(320 * z);
        if (art == FahrzeugArt::kZugmaschine || art == FahrzeugArt::kStarrdeichsel)
            linie(QPoint(x0, yl), QPoint(x, yl), a1, false, 1);
        else
            linie(QPoint(x, yl), QPoint(x + px(a1), yl), a1, false, 1);
    }

    // The chain of axle distances: from the first reference line through every further record.
    const int yc = y + Trunc(380 * z);
    int id = 3;
    int from = x0;
    for (int i = 1; i < nRecords && id <= 11; ++i, ++id) {
        const double d = v->GetAchsPosition(i) - v->GetAchsPosition(i - 1);
        linie(QPoint(from, yc), QPoint(pos[i], yc), d, false, id);
        from = pos[i];
    }

    // Load-area length.
    const int yl = y + Trunc(470 * z);
    const int xl = art == FahrzeugArt::kSattelzugmaschine ? x - px(a1) : x;
    linie(QPoint(xl, yl), QPoint(xEnde, yl), v->GetLFLaenge(), false, 2);
    painter.restore();
}
