// The loading ramp's block: its geometry, drawing, turning by the corner marks and the drags onto the plan.
#include "catalogue/CLaderampe3.h"

#include "catalogue/CHlbAdapter.h"
#include "model/plan/CQOR.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CLadeflaechenPlatzierung.h"
#include "views/CPlanPainter.h"
#include "views/IRampenView.h"

#include "draw2d/ViewCursors.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr COLORREF kWeiss = 0x00FFFFFF;

} // namespace

// --- geometry -------------------------------------------------------------------------------------

void CLaderampe3::SetDrehung(int nGrad)
{
    m_nDrehung = ((nGrad % 360) + 360) % 360;
    update();
}

int CLaderampe3::Gedreht(int nDrehung, int nVon, int nNach)
{
    return (((nDrehung + (nNach - nVon) * 90) % 360) + 360) % 360;
}

int CLaderampe3::Viertel(QPoint pt, QPoint mitte)
{
    const bool bLinks = pt.x() < mitte.x();
    const bool bUnten = pt.y() > mitte.y();
    if (bLinks)
        return bUnten ? 3 : 0;
    return bUnten ? 2 : 1;
}

QRect CLaderampe3::GetBlockRect() const
{
    if (!m_pEintrag || !m_pView)
        return QRect();
    const QRect ramp = GetRampenRect();
    const tagItemData& item = m_pEintrag->item;
    int w = kFsmBreite, h = kFsmHoehe;
    if (item.m_nArt < 5) {
        w = m_pView->RampenPixel(item.GetLaengeGedreht(m_nDrehung));
        h = m_pView->RampenPixel(item.GetBreiteGedreht(m_nDrehung));
    }
    return QRect(ramp.left() + (ramp.width() - w) / 2, kBlockOben, w, h);
}

QPoint CLaderampe3::GetSchwerpunktPunkt() const
{
    const QRect rc = GetBlockRect();
    if (rc.isEmpty() || m_pEintrag->item.m_nArt >= 5)
        return QPoint();
    const tagItemData& i = m_pEintrag->item;
    // The offsets from the block's top-left corner, turned with the block.
    double x = i.m_dSPLaenge, y = i.m_dSPBreite;
    switch (m_nDrehung) {
    case 90:
        x = i.m_dSPBreite;
        y = i.m_dSPLaenge;
        break;
    case 180:
        x = i.m_dLaenge - i.m_dSPLaenge;
        y = i.m_dBreite - i.m_dSPBreite;
        break;
    case 270:
        x = i.m_dBreite - i.m_dSPBreite;
        y = i.m_dLaenge - i.m_dSPLaenge;
        break;
    default:
        break;
    }
    return rc.topLeft() + QPoint(m_pView->RampenPixel(x), m_pView->RampenPixel(y));
}

QPolygon CLaderampe3::GetFrontDreieck() const
{
    const QRect rc = GetBlockRect();
    if (rc.isEmpty() || m_pEintrag->item.m_nArt >= 5)
        return QPolygon();
    const int l = rc.left(), t = rc.top(), r = rc.left() + rc.width(), b = rc.top() + rc.height();
    const int mx = l + rc.width() / 2, my = t + rc.height() / 2;
    const int d = kDreieck, h = kDreieck / 2;
    switch (m_nDrehung) {
    case 90:
        return QPolygon({QPoint(mx, t), QPoint(mx - h, t + d), QPoint(mx + h, t + d)});
    case 180:
        return QPolygon({QPoint(r, my), QPoint(r - d, my - h), QPoint(r - d, my + h)});
    case 270:
        return QPolygon({QPoint(mx, b), QPoint(mx - h, b - d), QPoint(mx + h, b - d)});
    default:
        return QPolygon({QPoint(l, my), QPoint(l + d, my - h), QPoint(l + d, my + h)});
    }
}

QRect CLaderampe3::GetMarke(int nEcke) const
{
    const QRect rc = GetBlockRect().adjusted(-1, -1, 1, 1);
    if (rc.isEmpty())
        return QRect();
    const int l = rc.left() - kMarke, r = rc.right() + 1, t = rc.top() - kMarke, b = rc.bottom() + 1;
    switch (nEcke) {
    case 0:
        return QRect(l, t, kMarke, kMarke);
    case 1:
        return QRect(r, t, kMarke, kMarke);
    case 2:
        return QRect(r, b, kMarke, kMarke);
    case 3:
        return QRect(l, b, kMarke, kMarke);
    default:
        return QRect();
    }
}

int CLaderampe3::MarkeBei(QPoint pt) const
{
    for (int i = 0; i < 4; ++i)
        if (GetMarke(i).contains(pt))
            return i;
    return -1;
}

// --- painting -------------------------------------------------------------------------------------

QImage CLaderampe3::Bild()
{
    QImage bild(size(), QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    Zeichne(p);
    return bild;
}

void CLaderampe3::paintEvent(QPaintEvent* /*e*/)
{
    const QImage bild = Bild();
    QPainter p(this);
    p.drawImage(0, 0, bild);
}

void CLaderampe3::Zeichne(QPainter& p)
{
    // The ramp: outline, hatching, the end pictures.
    const QRect ramp = GetRampenRect();
    if (ramp.width() > 0 && ramp.height() > 0) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(ramp.adjusted(0, 0, -1, -1));
        if (!m_muster.isNull())
            p.fillRect(ramp.adjusted(1, 1, -1, -1), QBrush(m_muster));
        if (m_bmEnde.IsLoaded()) {
            const int w = m_bmEnde.GetWidth();
            m_bmEnde.StretchDraw(p, ramp.left(), 0, w, ramp.height(), 0x00CC0020, 3);
            m_bmEnde.StretchDraw(p, ramp.left() + ramp.width() - w, 0, w, ramp.height(), 0x00CC0020, 3);
        }
    }
    // The block of the selected item while it is not dragged.
    const QRect rc = GetBlockRect();
    if (!rc.isEmpty() && !m_bLeZiehen && !m_bFsmZiehen) {
        ZeichneBlock(p, rc);
        if (m_bMarken) {
            p.setPen(Qt::black);
            p.setBrush(m_bMarkenGedrueckt ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
            for (int i = 0; i < 4; ++i)
                p.drawRect(GetMarke(i).adjusted(0, 0, -1, -1));
        }
    }
    // The outline of a block dragged on the ramp.
    if (m_bLeZiehen && !m_bAnView && !m_rcZiehen.isEmpty()) {
        p.save();
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_rcZiehen.adjusted(0, 0, -1, -1));
        p.restore();
    }
    if (m_bFsmZiehen && !m_rcZiehen.isEmpty()) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(m_rcZiehen.adjusted(0, 0, -1, -1)), kFsmRundung / 2, kFsmRundung / 2);
        p.restore();
    }
}

void CLaderampe3::ZeichneBlock(QPainter& p, const QRect& rc)
{
    const tagItemData& item = m_pEintrag->item;
    p.save();
    p.setPen(Qt::black);
    if (item.m_nArt >= 5) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(QColor::fromRgb(kFarbeFsm));
        p.drawRoundedRect(QRectF(rc.adjusted(0, 0, -1, -1)), kFsmRundung / 2, kFsmRundung / 2);
        p.restore();
        return;
    }
    p.setBrush(QColor::fromRgb(kFarbeLadung));
    p.drawRect(rc.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::black);
    p.drawPolygon(GetFrontDreieck());

    // The name along the longer side, the mass at the bottom (at the top for 270): each only where it fits
    // into the block clear of the other and of the marks, as on the plan.
    std::vector<QRect> marken{GetFrontDreieck().boundingRect()};
    QRect rcMarke;
    if (m_bmSchwerpunkt.IsLoaded()) {
        const QPoint c = GetSchwerpunktPunkt();
        const int w = m_bmSchwerpunkt.GetWidth(), h = m_bmSchwerpunkt.GetHeight();
        rcMarke = QRect(c.x() - w / 2, c.y() - h / 2, w, h);
        marken.push_back(rcMarke);
    }
    // A label may touch the block's edge line.
    auto Passt = [&rc, &marken](const QRect& t) {
        return !t.isEmpty() && rc.adjusted(-1, -1, 1, 1).contains(t) &&
               std::none_of(marken.begin(), marken.end(), [&t](const QRect& m) { return m.intersects(t); });
    };
    const bool bSenkrecht = m_nDrehung == 90 || m_nDrehung == 270;
    p.setFont(bSenkrecht ? m_fontSenkrecht : m_fontName);
    const QFontMetrics fm(p.font());
    const QString name =
        CPlanPainter::FitLabelToWidth(fm, item.m_strName, 0, (bSenkrecht ? rc.height() : rc.width()) - 3);
    const int wName = fm.horizontalAdvance(name);
    QRect rcName = bSenkrecht ? QRect(rc.left() + 2, rc.bottom() - 1 - wName, fm.height(), wName)
                              : QRect(rc.left() + 3, rc.top() + 1, wName, fm.height());
    if (name.isEmpty() || !Passt(rcName))
        rcName = QRect();
    else if (bSenkrecht) {
        p.save();
        p.translate(rc.left() + 2 + fm.ascent(), rc.bottom() - 2);
        p.rotate(-90);
        p.drawText(0, 0, name);
        p.restore();
    } else {
        p.drawText(rc.left() + 3, rc.top() + 1 + fm.ascent(), name);
    }
    const QString masse = QString::asprintf("%.0f kg", item.m_dMasse * 1000.0);
    const int yMasse = m_nDrehung == 270 ? rc.top() + 1 + fm.ascent() : rc.bottom() - 1 - fm.descent();
    const QRect rcMasse(rc.right() - 2 - fm.horizontalAdvance(masse), yMasse - fm.ascent(),
                        fm.horizontalAdvance(masse), fm.height());
    if (Passt(rcMasse) && !rcMasse.intersects(rcName))
        p.drawText(rcMasse.left(), yMasse, masse);

    if (!rcMarke.isNull())
        m_bmSchwerpunkt.DrawTransparent(p, rcMarke.left(), rcMarke.top(), rcMarke.width(), rcMarke.height(),
                                        kWeiss);
    p.restore();
}

// --- mouse ----------------------------------------------------------------------------------------

void CLaderampe3::SetCursor(int nId)
{
    if (nId == m_nCursor)
        return;
    m_nCursor = nId;
    if (nId == 0)
        unsetCursor();
    else
        setCursor(ViewCursors::Load(nId));
}

QPoint CLaderampe3::Begrenze(QPoint pt, const QRect& rc)
{
    if (rc.isNull())
        return pt;
    return QPoint(std::clamp(pt.x(), rc.left(), std::max(rc.left(), rc.right())),
                  std::clamp(pt.y(), rc.top(), std::max(rc.top(), rc.bottom())));
}

QRect CLaderampe3::LadungsClip(int nTop) const
{
    const QRect ramp = GetRampenRect(), rc = GetBlockRect();
    const int l = ramp.left() + m_ptGriff.x();
    const int r = ramp.left() + ramp.width() - rc.width() + m_ptGriff.x();
    const int b = std::max(ramp.height() - rc.height() + m_ptGriff.y(), nTop + 50);
    return QRect(QPoint(l, nTop), QPoint(std::max(l, r), b));
}

void CLaderampe3::Hover(QPoint pt)
{
    const QRect rc = GetBlockRect();
    if (rc.isEmpty()) {
        m_bMarken = false;
        SetCursor(0);
        return;
    }
    const bool bFsm = m_pEintrag->item.m_nArt >= 5;
    const int nEcke = bFsm ? -1 : MarkeBei(pt);
    const bool bMarken = nEcke >= 0;
    if (bMarken) {
        m_nViertel = nEcke;
        m_ptDrehMitte = QPoint(rc.left() + rc.width() / 2, rc.top() + (rc.height() + rc.width()) / 4);
    }
    if (bMarken != m_bMarken) {
        m_bMarken = bMarken;
        update();
    }
    SetCursor(rc.contains(pt) ? kCursorBlock : 0);
}

void CLaderampe3::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || m_bLeZiehen || m_bFsmZiehen || !m_pView)
        return;
    const QPoint pt = e->position().toPoint();
    const QRect rc = GetBlockRect();
    if (rc.isEmpty())
        return;
    if (m_bMarken && MarkeBei(pt) >= 0) {
        m_bMarkenGedrueckt = true;
        SetCursor(kCursorDrehen);
        update();
        return;
    }
    if (!rc.contains(pt))
        return;
    m_ptGriff = pt - rc.topLeft();
    if (m_pEintrag->item.m_nArt < 5) {
        m_bLeZiehen = true;
        m_bAnView = false;
        m_rcClip = LadungsClip(m_ptGriff.y() - 20);
        SetCursor(kCursorZiehen);
        ZiehenLadung(pt);
        return;
    }
    // A form-fit item may go anywhere over the load area of the plan.
    CFahrzeug* f = m_pView->RampenFahrzeug();
    if (!f)
        return;
    m_bFsmZiehen = true;
    m_bFsmGueltig = false;
    m_nFsmIndex = -1;
    const QRect ramp = GetRampenRect();
    const QPoint scroll = m_pView->RampenScroll(), ursprung = m_pView->RampenUrsprung();
    const int l = ramp.left() + 1 + (m_ptGriff.x() - kFsmBreite / 2);
    const int r = m_pView->RampenPixel(f->GetLFLaenge()) + l;
    const int t = ursprung.y() + (m_ptGriff.y() - 22) - scroll.y() - y();
    const int b = ramp.height() - kFsmHoehe + m_ptGriff.y();
    m_rcClip = QRect(QPoint(l, t), QPoint(std::max(l, r), std::max(t, b)));
    SetCursor(kCursorZiehen);
    ZiehenFsm(pt);
}

void CLaderampe3::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pt = e->position().toPoint();
    if (m_bMarkenGedrueckt) {
        const int q = Viertel(pt, m_ptDrehMitte);
        if (q != m_nViertel) {
            m_nDrehung = Gedreht(m_nDrehung, m_nViertel, q);
            m_nViertel = q;
            update();
        }
        return;
    }
    if (m_bLeZiehen) {
        ZiehenLadung(pt);
        return;
    }
    if (m_bFsmZiehen) {
        ZiehenFsm(pt);
        return;
    }
    Hover(pt);
}

void CLaderampe3::ZiehenLadung(QPoint ptMaus)
{
    if (CFahrzeug* pBewegt = m_pView->RampenFahrzeug())
        pBewegt->SetLadungBewegt();
    if (m_bAnView) {
        // Back into the ramp with the block's top a little above it: the ramp takes the drag back.
        QRect zurueck = LadungsClip(m_ptGriff.y() - kUebergabe);
        if (zurueck.contains(ptMaus)) {
            m_pView->RampenZurueck(ZuView(ptMaus));
            m_bAnView = false;
            m_rcClip = LadungsClip(m_ptGriff.y() - 20);
        } else {
            m_pView->RampenZiehen(ZuView(ptMaus));
            return;
        }
    }
    const QPoint pt = Begrenze(ptMaus, m_rcClip);
    m_rcZiehen = QRect(pt - m_ptGriff, GetBlockRect().size());
    update();
    if (pt.y() > m_ptGriff.y() - kUebergabe - 1)
        return;
    // The block's top is 4 pixels above the ramp: the plan takes it.
    m_rcClip = QRect();
    const QPoint ptView = ZuView(pt);
    m_bAnView = true;
    if (!m_pView->RampenZiehenStart(Vorlage(), ptView, m_nDrehung, m_pEintrag->item.m_dMasse, m_ptGriff)) {
        m_bAnView = false;
        m_rcClip = LadungsClip(m_ptGriff.y() - 20);
        return;
    }
    m_pView->RampenZiehen(ptView);
}

void CLaderampe3::ZiehenFsm(QPoint ptMaus)
{
    if (CFahrzeug* pBewegt = m_pView->RampenFahrzeug())
        pBewegt->SetLadungBewegt();
    const QPoint pt = Begrenze(ptMaus, m_rcClip);
    m_rcZiehen = QRect(pt - m_ptGriff, QSize(kFsmBreite, kFsmHoehe));
    const QRect umriss = m_rcZiehen.translated(pos());
    m_bFsmGueltig = false;
    m_nFsmIndex = -1;
    CFahrzeug* f = m_pView->RampenFahrzeug();
    const QPoint o = m_pView->RampenUrsprung() - m_pView->RampenScroll();
    const QPoint c = umriss.topLeft() + QPoint(kFsmBreite / 2, kFsmHoehe / 2);
    const double x = m_pView->RampenMeter(c.x() - o.x()), y = m_pView->RampenMeter(c.y() - o.y());
    float fL = 0.0f, fB = 0.0f;
    if (f && f->GetQor() && f->GetNutzbareLFFloat(&fL, &fB) && x > 0.0 && y > 0.0 && x < fL && y < fB) {
        m_nFsmIndex =
            CLadeflaechenPlatzierung(*f).FindLgPosition(x, y, &m_dFsm[0], &m_dFsm[1], &m_dFsm[2], &m_dFsm[3]);
        m_bFsmGueltig = m_nFsmIndex != -1;
    }
    if (m_bFsmGueltig) {
        const QRect platz(o.x() + m_pView->RampenPixel(m_dFsm[0]), o.y() + m_pView->RampenPixel(m_dFsm[1]),
                          m_pView->RampenPixel(m_dFsm[2]), m_pView->RampenPixel(m_dFsm[3]));
        m_pView->RampenFsmUmriss(&umriss, &platz);
    } else {
        m_pView->RampenFsmUmriss(&umriss, nullptr);
    }
    update();
}

void CLaderampe3::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pt = e->position().toPoint();
    if (m_bMarkenGedrueckt) {
        m_bMarkenGedrueckt = false;
        Ende();
        Hover(pt);
        return;
    }
    if (m_bLeZiehen) {
        const bool bAnView = m_bAnView;
        Ende();
        if (bAnView)
            m_pView->RampenLoslassen(ZuView(pt));
        return;
    }
    if (m_bFsmZiehen) {
        Ende();
        LoslassenFsm();
    }
}

void CLaderampe3::Ende()
{
    m_bLeZiehen = m_bFsmZiehen = m_bAnView = false;
    m_rcClip = QRect();
    m_rcZiehen = QRect();
    SetCursor(0);
    update();
}

void CLaderampe3::LoslassenFsm()
{
    m_pView->RampenFsmUmriss(nullptr, nullptr);
    const bool bGueltig = m_bFsmGueltig;
    m_bFsmGueltig = false;
    CQOR* q = m_pView->RampenPlan();
    if (!bGueltig || !q)
        return;
    auto p = std::make_unique<tagLGINFO>();
    p->m_nTyp = 5;
    p->m_strName = LoadResString(447);
    p->m_dPosX = m_dFsm[0];
    p->m_dPosY = m_dFsm[1];
    p->m_dLaenge = m_dFsm[2];
    p->m_dBreite = m_dFsm[3];
    p->m_dSPLaenge = m_dFsm[2] / 2.0;
    p->m_dSPBreite = m_dFsm[3] / 2.0;
    if (m_pView->RampenFsmBearbeiten(p.get()) == kFsmAbbruch)
        return;
    tagLGINFO* pAbgelegt = p.get();
    q->AddLgInfo(std::move(p), true);
    m_pView->RampenAbgelegt(*pAbgelegt);
}

// --- a tile dragged out of a strip ----------------------------------------------------------------

bool CLaderampe3::TileDragStart(const CHlbCatalogue::Entry& entry, QPoint /*global*/)
{
    if (!entry || !m_pView || m_pKachel || m_bLeZiehen || m_bFsmZiehen || m_bMarkenGedrueckt)
        return false;
    const tagItemData& item = entry->item;
    m_pKachel = entry;
    m_bAnView = false;
    m_rcClip = QRect();
    if (item.m_nArt >= 5) {
        // A form-fit item follows the pointer as when it leaves the ramp, held at its middle.
        m_bFsmZiehen = true;
        m_bFsmGueltig = false;
        m_nFsmIndex = -1;
        m_ptGriff = QPoint(kFsmBreite / 2, kFsmHoehe / 2);
    } else {
        // A load unit is held at the middle of its block.
        m_ptGriff = QPoint(m_pView->RampenPixel(item.GetLaengeGedreht(m_nDrehung)) / 2,
                           m_pView->RampenPixel(item.GetBreiteGedreht(m_nDrehung)) / 2);
    }
    SetCursor(kCursorZiehen);
    return true;
}

void CLaderampe3::TileDragMove(QPoint global)
{
    if (!m_pKachel || !m_pView)
        return;
    const QPoint pt = mapFromGlobal(global);
    if (m_bFsmZiehen) {
        ZiehenFsm(pt);
        return;
    }
    const QPoint ptView = ZuView(pt);
    QWidget* flaeche = m_pView->RampenFlaeche();
    // Over the plan means over the shown view and not over the ramp and its band (when they show).
    const bool bUeberPlan = flaeche && flaeche->isVisible() && flaeche->rect().contains(ptView) &&
                            !(isVisible() && rect().contains(pt)) &&
                            !(m_pLeiste && m_pLeiste->isVisible() && m_pLeiste->geometry().contains(ptView));
    if (m_bAnView) {
        if (bUeberPlan) {
            m_pView->RampenZiehen(ptView);
        } else {
            m_pView->RampenZurueck(ptView);
            m_bAnView = false;
        }
        return;
    }
    if (!bUeberPlan)
        return;
    const tagItemData& item = m_pKachel->item;
    m_bAnView = m_pView->RampenZiehenStart(VorlageAus(item), ptView, m_nDrehung, item.m_dMasse, m_ptGriff);
    if (m_bAnView)
        m_pView->RampenZiehen(ptView);
}

void CLaderampe3::TileDragEnd(QPoint global)
{
    if (!m_pKachel)
        return;
    const QPoint pt = mapFromGlobal(global);
    const bool bFsm = m_bFsmZiehen, bAnView = m_bAnView;
    if (bFsm)
        ZiehenFsm(pt);
    m_pKachel.reset();
    Ende();
    if (bFsm)
        LoslassenFsm();
    else if (bAnView && m_pView)
        m_pView->RampenLoslassen(ZuView(pt));
}
