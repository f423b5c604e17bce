// The hint animations of the template picture: their frames from the pictures of the module, their
// sequence and their places under the group loads.
#include "views/CHinweisAnimationen.h"

#include "views/IFrameAnimation.h"

#include "draw2d/CMemBm.h"
#include "draw2d/IPlanDrawView.h"

#include <QAbstractScrollArea>
#include <QPainter>

#include <cstdint>
#include <vector>

namespace {

// The pictures of the frames in order, and the 31-step sequence that plays them.
constexpr std::uint32_t kAnimBilder[8] = {417, 408, 409, 410, 416, 414, 413, 412};
const std::vector<int> kAnimSequenz = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7,
                                       7, 7, 7, 7, 7, 7, 7, 7, 7, 6, 5, 4, 3, 2, 1};
constexpr int kAnimGroesse = 20;

} // namespace

CHinweisAnimationen::CHinweisAnimationen(QAbstractScrollArea* pView)
{
    std::array<CMemBm, 8> bilder;
    for (std::size_t i = 0; i < bilder.size(); ++i)
        bilder[i].LoadBitmap(kAnimBilder[i]);
    for (auto& a : m_Anim) {
        a = IFrameAnimation::Create(pView);
        for (const CMemBm& b : bilder)
            a->AddFrame(b);
        a->SetSequence(kAnimSequenz, 0);
    }
}

CHinweisAnimationen::~CHinweisAnimationen() = default;

IFrameAnimation* CHinweisAnimationen::Get(int i) const
{
    return i >= 0 && i < kAnzahl ? m_Anim[static_cast<std::size_t>(i)].get() : nullptr;
}

QRect CHinweisAnimationen::GetRect(int i) const
{
    return i >= 0 && i < kAnzahl ? m_rcAnim[static_cast<std::size_t>(i)] : QRect();
}

void CHinweisAnimationen::Draw(QPainter& painter, int nAnzahl,
                               const std::map<std::pair<int, int>, QRect>& rcAuflager, QPoint scroll)
{
    // Under each group load of the axle-load picture; with one vehicle 2 and 3 stay empty.
    for (int i = 0; i < kAnzahl; ++i) {
        QRect& rc = m_rcAnim[static_cast<std::size_t>(i)];
        rc = QRect();
        const int spot = i < 2 ? IPlanDrawView::kAufAnteil : IPlanDrawView::kAufAnteilAnhaenger;
        const auto it = rcAuflager.find({spot, i % 2});
        IFrameAnimation* a = Get(i);
        if (i >= nAnzahl || it == rcAuflager.end() || it->second.isEmpty() || !a)
            continue;
        const QRect& g = it->second;
        // Centred under the group's load, where the picture has nothing else.
        rc = QRect(g.left() + (g.width() - kAnimGroesse) / 2, g.bottom() + 3, kAnimGroesse, kAnimGroesse);
        // The group rectangles are in client pixels, the painter in the picture's.
        a->SetPosition(rc.translated(scroll).topLeft());
        a->Draw(painter);
    }
}

void CHinweisAnimationen::DrawFrames(QPainter& painter)
{
    for (int i = 0; i < kAnzahl; ++i)
        if (IFrameAnimation* a = Get(i); a && !GetRect(i).isEmpty())
            a->Draw(painter);
}

bool CHinweisAnimationen::Schritt()
{
    const int alt = kAnimSequenz[static_cast<std::size_t>(m_nSchritt)];
    m_nSchritt = (m_nSchritt + 1) % static_cast<int>(kAnimSequenz.size());
    for (auto& a : m_Anim)
        if (a)
            a->Step(nullptr);
    return kAnimSequenz[static_cast<std::size_t>(m_nSchritt)] != alt;
}
