// The kept picture of the plan's layers under the moving loads: its key and the copy onto a frame.
#include "views/PlanGrundbild.h"

#include "model/plan/tagLGINFO.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

// The bounding rectangle of the pixels that are not white.
QRect NichtWeiss(const QImage& bild)
{
    const int w = bild.width(), h = bild.height();
    int links = w, rechts = -1, oben = h, unten = -1;
    for (int y = 0; y < h; ++y) {
        const auto* zeile = reinterpret_cast<const std::uint32_t*>(bild.constScanLine(y));
        int x0 = 0;
        while (x0 < w && (zeile[x0] & 0xFFFFFFu) == 0xFFFFFFu)
            ++x0;
        if (x0 == w)
            continue;
        int x1 = w - 1;
        while ((zeile[x1] & 0xFFFFFFu) == 0xFFFFFFu)
            --x1;
        links = std::min(links, x0);
        rechts = std::max(rechts, x1);
        oben = std::min(oben, y);
        unten = y;
    }
    return rechts < 0 ? QRect() : QRect(QPoint(links, oben), QPoint(rechts, unten));
}

} // namespace

PlanGrundbild::SLadung PlanGrundbild::Stand(const tagLGINFO& lg)
{
    SLadung s;
    s.pLg = &lg;
    s.x = lg.m_dPosX;
    s.y = lg.m_dPosY;
    s.l = lg.m_dLaenge;
    s.b = lg.m_dBreite;
    s.t = lg.m_dMasse;
    s.spl = lg.m_dSPLaenge;
    s.spb = lg.m_dSPBreite;
    s.nDrehung = lg.m_nDrehung;
    s.nTyp = lg.m_nTyp;
    s.nLe = lg.GetLeId();
    s.nNummer = lg.m_nNummer;
    s.name = lg.m_strName;
    return s;
}

bool PlanGrundbild::Passt(const SLage& lage, const std::vector<SLadung>& ladungen) const
{
    return m_bGueltig && lage == m_lage && ladungen == m_ladungen;
}

void PlanGrundbild::Setze(const SLage& lage, std::vector<SLadung> ladungen, QImage bild)
{
    m_lage = lage;
    m_ladungen = std::move(ladungen);
    // Only the drawn part is kept: the rest is the white the frame starts with.
    m_rcInhalt = NichtWeiss(bild);
    m_bild = m_rcInhalt.isEmpty() ? QImage() : bild.copy(m_rcInhalt);
    m_bGueltig = true;
}

void PlanGrundbild::Zeichne(QPainter& p) const
{
    if (!m_bGueltig || m_rcInhalt.isEmpty())
        return;
    p.save();
    p.resetTransform();
    p.drawImage(m_rcInhalt.topLeft(), m_bild);
    p.restore();
}

void PlanGrundbild::Verwirf()
{
    m_bGueltig = false;
    m_ladungen.clear();
    m_bild = QImage();
    m_rcInhalt = QRect();
}
