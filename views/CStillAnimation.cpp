// The stand-in frame animation: shows the sequence's start frame (or the frame asked for) and stands still.
#include "views/CStillAnimation.h"

#include "draw2d/CMemBm.h"

#include <QPainter>

void CStillAnimation::AddFrame(const CMemBm& frame)
{
    m_frames.push_back(frame.GetImage());
}

void CStillAnimation::SetSequence(const std::vector<int>& frames, int nStart)
{
    m_nFrame = (nStart >= 0 && nStart < static_cast<int>(frames.size()))
                   ? frames[static_cast<std::size_t>(nStart)]
               : frames.empty() ? -1
                                : frames.front();
}

void CStillAnimation::Draw(QPainter& painter)
{
    if (m_nFrame < 0 || m_nFrame >= static_cast<int>(m_frames.size()))
        return;
    const QImage& frame = m_frames[static_cast<std::size_t>(m_nFrame)];
    if (!frame.isNull())
        painter.drawImage(m_at, frame);
}

void CStillAnimation::Step(QPainter* pPainter)
{
    if (pPainter)
        Draw(*pPainter);
}
