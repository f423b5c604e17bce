// The frame animation of the plan view.
#include "ui/CTTAnimation.h"

#include "ui/IAnimationView.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

CTTAnimation::CTTAnimation(QAbstractScrollArea* view) : m_view(view) {}

void CTTAnimation::SetSequence(const int* indices, int count, int startPos)
{
    m_sequence.clear();
    if (indices && count > 0)
        m_sequence.assign(indices, indices + count);
    m_position = startPos < 0 ? 0 : std::max(0, std::min(startPos, int(m_sequence.size()) - 1));
}

void CTTAnimation::ShowFrame(int index)
{
    m_sequenceMode = false;
    m_singleFrame = index >= 0 && index < int(m_frames.size()) ? index : -1;
}

const QImage* CTTAnimation::CurrentFrame() const
{
    if (m_frames.empty())
        return nullptr;
    int index = m_singleFrame;
    if (m_sequenceMode) {
        if (m_position < 0 || m_position >= int(m_sequence.size()))
            return nullptr;
        index = m_sequence[size_t(m_position)];
    }
    if (index < 0 || index >= int(m_frames.size()))
        return nullptr;
    return m_frames[size_t(index)];
}

QRect CTTAnimation::FrameRect() const
{
    const QImage* frame = CurrentFrame();
    if (!frame || !m_record)
        return QRect();
    return QRect(QPoint(m_record[2] - 10 + 2, m_record[1]), frame->size());
}

void CTTAnimation::Draw(QPainter* painter)
{
    if (!m_view)
        return;
    if (auto* view = dynamic_cast<const IAnimationView*>(m_view); view && view->SuppressAnimation())
        return;
    const QImage* frame = CurrentFrame();
    const QRect place = FrameRect();
    if (!frame || place.isEmpty())
        return;
    if (!painter) {
        m_view->viewport()->update(place);
        return;
    }
    const QPoint scroll(m_view->horizontalScrollBar()->value(), m_view->verticalScrollBar()->value());
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(place.topLeft() + scroll, *frame);
    painter->setCompositionMode(mode);
}

bool CTTAnimation::Advance()
{
    if (!m_record || m_record[0] == 0)
        return false;
    const QImage* before = CurrentFrame();
    if (m_sequenceMode && !m_sequence.empty())
        m_position = (m_position + 1) % int(m_sequence.size());
    return CurrentFrame() != before;
}

void CTTAnimation::Step(QPainter* painter)
{
    if (!m_record || m_record[0] == 0)
        return;
    // A repaint is asked for only when the step shows another frame: most steps hold the frame.
    if (Advance() || painter)
        Draw(painter);
}
