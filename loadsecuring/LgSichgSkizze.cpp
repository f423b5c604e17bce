// The securing sketch: the load area with its unusable strips, rails and lashing points, the placed
// loads, the load units with their lashings and the marked area, with the regions they were drawn in.
#include "loadsecuring/LgSichgSkizze.h"

#include "draw2d/AusgerichteterText.h"
#include "draw2d/FontTable.h"
#include "draw2d/SicherungsMarke.h"
#include "ui/ResourcePictures.h"
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

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdint>

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

} // namespace

int LgSichgMassstab::Pixel(double dMeter) const
{
    return static_cast<int>(std::floor(LgSichgSkizze::kPixelProMeter * dMeter * dZoom));
}

double LgSichgMassstab::Meter(int nPixel) const
{
    return nPixel / static_cast<double>(LgSichgSkizze::kPixelProMeter) / dZoom;
}

QPoint LgSichgMassstab::Punkt(double x, double y) const
{
    return ptUrsprung + QPoint(Pixel(x), Pixel(y));
}

LgSichgSkizze::LgSichgSkizze()
{
    m_fontPunkt = FontTable::MakeFont("Segoe UI", 14, 500);
    m_fontSenkrecht = FontTable::MakeFont("Segoe UI", 14, 500);
    m_fontLabel = FontTable::MakeFont("Arial", 14, 400);
    m_fontSchmal = FontTable::MakeFont("Arial Narrow", 14, 400);
    LoadBitmapExFromImage(m_bmPunkt, LoadCxImageFromResource(765, PICTURE_FORMAT_BITMAP));
    LoadBitmapExFromImage(m_bmSchiene, LoadCxImageFromResource(767, PICTURE_FORMAT_BITMAP));
    m_musterMarkiert = LoadCxImageFromResource(kMusterMarkiert, PICTURE_FORMAT_BITMAP);
    m_musterEinheit = LoadCxImageFromResource(kMusterEinheit, PICTURE_FORMAT_BITMAP);
    m_bildGesichert = LoadCxImageFromResource(kBildGesichert, PICTURE_FORMAT_PNG);
    if (!m_bildGesichert.isNull())
        SetCxImageAlphaAbove(m_bildGesichert, 0, 170);
}

// --- geometry ------------------------------------------------------------------------------------

QRect LgSichgSkizze::SchienenRechteck(const LgSichgMassstab& m, CFahrzeug* f, const CZurrschiene& s,
                                      int nDurchgang)
{
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
    const int left = m.ptUrsprung.x() + m.Pixel(von) + (nDurchgang == 1 ? 1 : 0);
    const int right = m.ptUrsprung.x() + m.Pixel(bis) + (nDurchgang == 1 ? 1 : 0);
    const int top = m.ptUrsprung.y() + m.Pixel(d - kSchienenBreite / 2);
    const int h = std::max(3, m.Pixel(kSchienenBreite));
    if (right <= left)
        return QRect();
    return QRect(left, top, right - left, h);
}

QRect LgSichgSkizze::PunktRechteck(const LgSichgMassstab& m, CZurrpunkt& zp)
{
    const int left = m.ptUrsprung.x() + m.Pixel(zp.GetPosX() - kPunktHalb);
    const int top = m.ptUrsprung.y() + m.Pixel(zp.GetPosY() - kPunktHalb);
    const int n = m.Pixel(2 * kPunktHalb);
    return QRect(left, top + ((zp.m_nFlags & CZurrpunkt::kLinks) ? 1 : 0), n, n);
}

QRect LgSichgSkizze::LadungRechteck(const LgSichgMassstab& m, CFahrzeug* f, const tagLGINFO& lg)
{
    const double rx = f ? f->GetRandabstand(0) : 0.0, ry = f ? f->GetRandabstand(1) : 0.0;
    const int left = m.ptUrsprung.x() + m.Pixel(rx + lg.m_dPosX);
    const int top = m.ptUrsprung.y() + m.Pixel(ry + lg.m_dPosY);
    const int right = left + m.Pixel(lg.GetDimX());
    const int bottom = top + m.Pixel(lg.GetDimY());
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

QRect LgSichgSkizze::EinheitRechteck(const LgSichgMassstab& m, CFahrzeug* f, const CLadeeinheit& le)
{
    double x = 0, y = 0, l = 0, b = 0;
    le.GetRechteck(&x, &y, &l, &b);
    if (f)
        f->AddRandabstand(&x, &y);
    const int left = m.ptUrsprung.x() + m.Pixel(x), top = m.ptUrsprung.y() + m.Pixel(y);
    return QRect(left, top, m.Pixel(x + l) - m.Pixel(x), m.Pixel(y + b) - m.Pixel(y));
}

QRect LgSichgSkizze::EckenRechteck(const LgSichgMassstab& m, CFahrzeug* f, CLadeeinheit& le, int nEcke)
{
    double x = 0, y = 0;
    if (!le.GetAnschlagpunktPos(nEcke, &x, &y, nullptr))
        return QRect();
    if (f)
        f->AddRandabstand(&x, &y);
    const QPoint c = m.Punkt(x, y);
    return QRect(c.x() - 5, c.y() - 5, 11, 11);
}

SicherungsStand LgSichgSkizze::Kennzeichen(const CLadeeinheit& le, const Frage& frage)
{
    const int nId = le.GetId();
    if (!frage(LgSichgAktion::kGesichertKennzeichen, nId, false, nullptr) ||
        !frage(LgSichgAktion::kEinheitKennzeichen, nId, false, nullptr))
        return SicherungsStand::kKeine;
    return GetSicherungsStand(le);
}

// --- the sketch ----------------------------------------------------------------------------------

void LgSichgSkizze::Zeichne(QPainter& p, const Auftrag& a, LgSichgRegionen& r)
{
    ZeichneLadeflaecheMitZurrmitteln(p, a, r);
    CQOR* q = a.pFahrzeug->GetQor();
    if (!q)
        return;
    if (a.bSnapshot) {
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
    }
    QRect markiert;
    ZeichneLadungen(p, a, *q, r, a.bSnapshot ? nullptr : &markiert);
    ZeichneEinheiten(p, a, *q, r);
    if (markiert.isValid()) {
        const QRect rm = markiert.adjusted(-1, -1, 1, 1);
        p.save();
        p.setOpacity(50 / 255.0);
        p.setBrushOrigin(rm.topLeft());
        p.fillRect(rm, m_musterMarkiert.isNull() ? QBrush(Qt::red) : QBrush(m_musterMarkiert));
        p.restore();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rm.adjusted(0, 0, -1, -1));
    }
}

void LgSichgSkizze::ZeichneOhneLadeflaeche(QPainter& p, QPoint pt)
{
    p.setFont(m_fontLabel);
    p.setPen(Qt::black);
    ZeichneText(p, pt.x(), pt.y(), QString::fromStdString(LoadResString(335)), Ausrichtung::Links);
}

void LgSichgSkizze::ZeichneLadeflaeche(QPainter& p, const Auftrag& a, LgSichgRegionen& r, int L, int W)
{
    const LgSichgMassstab& m = a.massstab;
    CFahrzeug& f = *a.pFahrzeug;
    const int x = m.ptUrsprung.x(), y = m.ptUrsprung.y();
    const QColor rand = Farbe(kFarbeRand);
    const int vorn = m.Pixel(f.GetRandabstand(0)), oben = m.Pixel(f.GetRandabstand(1));
    const int hinten = m.Pixel(f.GetRandabstand(2)), unten = m.Pixel(f.GetRandabstand(3));
    if (vorn > 0)
        p.fillRect(QRect(x, y, vorn, W), rand);
    if (hinten > 0)
        p.fillRect(QRect(x + L - hinten, y, hinten, W), rand);
    if (oben > 0)
        p.fillRect(QRect(x, y, L, oben), rand);
    if (unten > 0)
        p.fillRect(QRect(x, y + W - unten, L, unten), rand);
    if (!a.bSplitter) {
        // The front's name upright beside it.
        p.save();
        p.setFont(m_fontSenkrecht);
        p.setPen(Qt::black);
        p.translate(x - 30, y + W / 2);
        p.rotate(-90);
        const QFontMetrics fm(m_fontSenkrecht);
        ZeichneText(p, 0, -fm.height() / 2, QString::fromStdString(LoadResString(336)), Ausrichtung::Mitte);
        p.restore();
    }
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({{x - 1, y}, {x + L, y}, {x + L, y + W}, {x, y + W}, {x, y - 1}}));
    r.rcLadeflaeche = QRect(x, y, L, W);
}

void LgSichgSkizze::ZeichneSchienen(QPainter& p, const Auftrag& a, LgSichgRegionen& r, bool bBlass)
{
    const LgSichgMassstab& m = a.massstab;
    CFahrzeug& f = *a.pFahrzeug;
    const double L = f.GetLFLaenge();
    for (CZurrschiene* s : f.GetZurrschienen()) {
        for (int nDurchgang = 0; nDurchgang < 2; ++nDurchgang) {
            const QRect rc = SchienenRechteck(m, &f, *s, nDurchgang);
            if (rc.isEmpty())
                continue;
            if (nDurchgang == 0)
                r.schienen[s] = rc;
            if (m.nZoomIndex < kBildZoomIndex) {
                p.setPen(QPen(Farbe(bBlass ? kFarbeBlassStift : kFarbeSchieneStift), 1));
                p.setBrush(Farbe(bBlass ? kFarbeBlass : kFarbeSchiene));
                p.drawRect(rc.adjusted(0, 0, -1, -1));
                if (nDurchgang == 0 && (s->m_nSeite == 0 || s->m_nSeite == 2))
                    for (double t = s->GetAnfang() + 0.1; t < L - s->GetEndAbstand() - 1e-9; t += 0.1) {
                        const int tx = m.ptUrsprung.x() + m.Pixel(t);
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

void LgSichgSkizze::ZeichnePunkte(QPainter& p, const Auftrag& a, LgSichgRegionen& r, bool bNamenBlass,
                                  bool bPunkteBlass, bool bSichgWahl)
{
    const LgSichgMassstab& m = a.massstab;
    p.setFont(m_fontPunkt);
    const QFontMetrics fm(m_fontPunkt);
    QImage bild, bildBlass;
    for (CZurrpunkt* zp : a.pFahrzeug->GetZurrpunktListe()) {
        const QRect rc = PunktRechteck(m, *zp);
        r.punkte[zp] = rc;
        const bool bBlass = bPunkteBlass || (!bPunkteBlass && bSichgWahl && !zp->IsWaehlbar());
        if (m.nZoomIndex >= kBildZoomIndex && !m_bmPunkt.IsEmpty()) {
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
        const int px = m.ptUrsprung.x() + m.Pixel(zp->GetPosX());
        if (!(zp->m_nFlags & CZurrpunkt::kVorn)) {
            if (zp->m_nFlags & CZurrpunkt::kLinks)
                ZeichneText(p, px, r.rcLadeflaeche.bottom() + 1 + 5, name, Ausrichtung::Mitte);
            else
                ZeichneText(p, px, r.rcLadeflaeche.top() - 5 - fm.height(), name, Ausrichtung::Mitte);
        } else {
            const int py = m.ptUrsprung.y() + m.Pixel(zp->GetPosY());
            ZeichneText(p, m.ptUrsprung.x() - 7, py - fm.height() / 2, name, Ausrichtung::Rechts);
        }
    }
    // The selected point's hatched frame.
    if (a.pAuswahlPunkt && r.punkte.count(a.pAuswahlPunkt)) {
        const QRect rw = r.punkte[a.pAuswahlPunkt].adjusted(-2, -2, 2, 2);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
        p.drawRect(QRect(rw.left() - 3, rw.top() - 3, rw.width() + 6, 3));
        p.drawRect(QRect(rw.left() - 3, rw.bottom() + 1, rw.width() + 6, 3));
        p.drawRect(QRect(rw.left() - 3, rw.top(), 3, rw.height()));
        p.drawRect(QRect(rw.right() + 1, rw.top(), 3, rw.height()));
        p.restore();
    }
}

void LgSichgSkizze::ZeichneEinheitPunkte(QPainter& p, const Auftrag& a, LgSichgRegionen& r, CLadeeinheit& le,
                                         bool bPunkteBlass, bool bSchienenBlass)
{
    const LgSichgMassstab& m = a.massstab;
    CZurrpunkt* zp = nullptr;
    int nEcke = 0, nSub = 0;
    for (bool b = le.GetFirstZurrpunkt(&zp, &nEcke, &nSub); b; b = le.GetNextZurrpunkt(&zp, &nEcke, &nSub)) {
        if (!zp)
            continue;
        const bool bSchiene = (zp->m_nFlags & CZurrpunkt::kAnSchiene) != 0;
        if (!(bSchiene || !bPunkteBlass) || !a.frage(LgSichgAktion::kEckePunktZeigen, nEcke, true, nullptr))
            continue;
        const QPoint c = m.Punkt(zp->GetPosX(), zp->GetPosY());
        const int n = m.Pixel(kPunktHalb);
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
            if (m.nZoomIndex >= kBildZoomIndex) {
                const QImage bild = Skaliert(m_bmSchiene, rc.width(), rc.height(), 50);
                p.setBrushOrigin(rc.topLeft());
                p.setBrush(bild.isNull() ? QBrush(c2) : QBrush(bild));
            } else
                p.setBrush(c2);
            r.schienenpunkte[zp] = rc;
        }
        p.drawPolygon(form);
    }
}

// The load area with its lashing rails and points as the rules want them shown (pale, or for a choice
// of securing), and the points of the plan's active unit when they ask for them.
void LgSichgSkizze::ZeichneLadeflaecheMitZurrmitteln(QPainter& p, const Auftrag& a, LgSichgRegionen& r)
{
    CFahrzeug& f = *a.pFahrzeug;
    CQOR* q = f.GetQor();
    ZeichneLadeflaeche(p, a, r, a.massstab.Pixel(f.GetLFLaenge()), a.massstab.Pixel(f.GetLFBreite()));
    const bool bSchienenBlass = a.frage(LgSichgAktion::kSchienenBlass, std::intptr_t(0), false, nullptr);
    const bool bPunkteBlass = a.frage(LgSichgAktion::kZurrpunkteBlass, std::intptr_t(0), false, nullptr);
    const bool bSichgWahl = a.frage(LgSichgAktion::kSichgWahl, std::intptr_t(0), false, nullptr);
    ZeichneSchienen(p, a, r, bSchienenBlass || (!f.m_Zurrschienen.empty() && !bSchienenBlass && bSichgWahl));
    ZeichnePunkte(p, a, r, bPunkteBlass, bPunkteBlass, bSichgWahl);
    CLadeeinheit* le = q ? q->GetAktiveLadeeinheit() : nullptr;
    if (le && a.frage(LgSichgAktion::kEinheitPunkteZeigen, le->GetId(), false, nullptr))
        ZeichneEinheitPunkte(p, a, r, *le, bPunkteBlass, bSchienenBlass);
}

void LgSichgSkizze::ZeichneLadungen(QPainter& p, const Auftrag& a, CQOR& q, LgSichgRegionen& r,
                                    QRect* pMarkiert)
{
    const QFontMetrics fmLabel(m_fontLabel), fmSchmal(m_fontSchmal);
    for (tagLGINFO* lg : q.GetLgInfos()) {
        // The report picture shows only the loads of units.
        if (a.bSnapshot && lg->GetLeId() == 0 && !m_snapshotLadungen.count(lg))
            continue;
        const QRect rc = LadungRechteck(a.massstab, a.pFahrzeug, *lg);
        r.ladungen[lg] = rc;
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
            ZeichneText(p, rc.left() + 2, rc.top() + 1, name, Ausrichtung::Links);
        p.setFont(m_fontSchmal);
        const QString kg = QString::asprintf("%.0fkg", lg->m_dMasse * 1000.0);
        if (fmSchmal.horizontalAdvance(kg) < rc.width() - 3 && rc.height() > 2 * fmSchmal.height())
            ZeichneText(p, rc.right() - 2, rc.bottom() - fmSchmal.height(), kg, Ausrichtung::Rechts);
    }
}

void LgSichgSkizze::ZeichneEinheiten(QPainter& p, const Auftrag& a, CQOR& q, LgSichgRegionen& r)
{
    CLadeeinheit* pAktiv = q.GetAktiveLadeeinheit();
    for (CLadeeinheit* le : q.GetLadeeinheiten()) {
        if (le->m_mapLg.empty()) {
            le->RebuildLgMap(&q);
            le->CalcAbmessungen();
        }
        r.einheiten[le] = EinheitRechteck(a.massstab, a.pFahrzeug, *le);
    }
    for (CLadeeinheit* le : q.GetLadeeinheiten())
        if (le != pAktiv && !a.bSnapshot)
            ZeichneLadeeinheit(p, a, *le, r.einheiten[le], false, r);
    if (pAktiv && r.einheiten.count(pAktiv))
        ZeichneLadeeinheit(p, a, *pAktiv, r.einheiten[pAktiv], true, r);
}

void LgSichgSkizze::ZeichneLadeeinheit(QPainter& p, const Auftrag& a, CLadeeinheit& le, const QRect& rc,
                                       bool bAktiv, LgSichgRegionen& r)
{
    const LgSichgMassstab& m = a.massstab;
    CFahrzeug* f = a.pFahrzeug;
    const int nId = le.GetId();
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

    const int nBreite = 2 + m.nZoomIndex / 3;
    if (a.frage(LgSichgAktion::kEinheitPunkteZeigen, nId, false, nullptr)) {
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
            if (a.frage(LgSichgAktion::kEckeZurrungHervorheben, nEcke, true, nullptr))
                p.setPen(le.m_bVorhanden ? QPen(QColor::fromRgb(kFarbeZurrung), nBreite)
                                         : QPen(Qt::black, 1, Qt::DotLine));
            else
                p.setPen(QPen(Qt::black, m.nZoomIndex >= kBildZoomIndex ? 2 : 1));
            p.drawLine(m.Punkt(zp->GetPosX(), zp->GetPosY()), m.Punkt(x, y));
        }
    }
    if (f && a.frage(LgSichgAktion::kZurrungenZeigen, nId, false, nullptr))
        ZeichneZurrungen(p, a, le, rc);
    int nFlag = 0;
    const int nModus = le.GetSichgModus(&nFlag);
    const bool bModusEcke = a.frage(LgSichgAktion::kModusEckeZeigen, nId, false, nullptr) &&
                            a.frage(LgSichgAktion::kModusEckeSeite, nId, false, nullptr);
    for (int i = 0; i < 4; ++i)
        ZeichneAnschlagpunkt(p, a, le, i, bModusEcke && i == nModus, r);
    // The mark stands between the name line at the top and the mass line at the bottom of the loads, so
    // it covers neither (in the report's small sketch least of all).
    const QSize voll = m_bildGesichert.isNull() ? QSize(40, 40) : m_bildGesichert.size();
    const int nOben = QFontMetrics(m_fontLabel).height() + 2,
              nUnten = QFontMetrics(m_fontSchmal).height() + 2;
    const QRect band = rc.adjusted(0, nOben, 0, -nUnten);
    SicherungsMarke::Zeichne(p, SicherungsMarke::Ziel(band.height() >= 18 ? band : rc, voll),
                             Kennzeichen(le, a.frage), m_bildGesichert);
}

void LgSichgSkizze::ZeichneZurrungen(QPainter& p, const Auftrag& a, CLadeeinheit& le, const QRect& rc)
{
    const LgSichgMassstab& m = a.massstab;
    CFahrzeug& f = *a.pFahrzeug;
    int nQuelle = -1;
    const int nNoetig = le.GetZurrParameter(&nQuelle, nullptr, nullptr);
    p.setPen(QPen(QColor::fromRgb(kFarbeZurrung), 2 + m.nZoomIndex / 3));
    if (nQuelle == 0) {
        int nBenutzt = 0;
        for (const auto& t : le.m_ZPPtrTupel)
            if (t->m_nAktiv && t->IsVollstaendig()) {
                ++nBenutzt;
                p.drawLine(m.Punkt(t->m_pZP1->GetPosX(), t->m_pZP1->GetPosY()),
                           m.Punkt(t->m_pZP2->GetPosX(), t->m_pZP2->GetPosY()));
            }
        int nExtra = nBenutzt;
        if (!a.frage(LgSichgAktion::kZurrungZaehler, le.GetId(), false, &nExtra))
            return;
        // "used/required" in a box at the unit's upper right corner, the count red while too few.
        p.setFont(m_fontLabel);
        const QFontMetrics fm(m_fontLabel);
        const QString sa = QString::asprintf("%i", std::min(nBenutzt, nNoetig));
        const QString sb = QString::asprintf("/%i", nNoetig);
        const int w = fm.horizontalAdvance(sa) + fm.horizontalAdvance(sb) + 6, h = fm.height() + 2;
        const QRect box(rc.right() - 3 - w, rc.top() + 3, w, h);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(nBenutzt < nNoetig ? QColor(255, 0, 0) : QColor(Qt::black));
        ZeichneText(p, box.left() + 3, box.top() + 1, sa, Ausrichtung::Links);
        p.setPen(Qt::black);
        ZeichneText(p, box.left() + 3 + fm.horizontalAdvance(sa), box.top() + 1, sb, Ausrichtung::Links);
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
        p.drawLine(m.Punkt(x, lat), m.Punkt(x, W - lat));
    }
}

void LgSichgSkizze::ZeichneAnschlagpunkt(QPainter& p, const Auftrag& a, CLadeeinheit& le, int nEcke,
                                         bool bGefuellt, LgSichgRegionen& r)
{
    const QRect rc = EckenRechteck(a.massstab, a.pFahrzeug, le, nEcke);
    if (rc.isEmpty())
        return;
    CQOR* q = a.pFahrzeug->GetQor();
    if (q && q->GetAktiveLadeeinheit() == &le)
        r.ecken[static_cast<std::size_t>(nEcke)] = rc;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(bGefuellt ? QBrush(Qt::black) : QBrush(Qt::white));
    p.drawEllipse(rc.adjusted(2, 2, -2, -2));
}
