// The program's frame animation over CTTAnimation.
#include "views/CTTFrameAnimation.h"

#include "draw2d/CMemBm.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace {

// How far left of the record's right edge the frame starts.
constexpr int kRechtsAbstand = 8;

} // namespace

CTTFrameAnimation::CTTFrameAnimation(QAbstractScrollArea* pView) : m_pView(pView), m_anim(pView)
{
    m_anim.SetPositionRecord(m_record);
}

void CTTFrameAnimation::AddFrame(const CMemBm& frame)
{
    m_frames.push_back(frame.GetImage());
    m_anim.AddFrame(&m_frames.back());
}

void CTTFrameAnimation::SetSequence(const std::vector<int>& frames, int nStart)
{
    // A frame shown alone lasts until the next sequence: start over in sequence mode.
    if (!m_anim.SequenceMode()) {
        m_anim = CTTAnimation(m_pView);
        m_anim.SetPositionRecord(m_record);
        for (const QImage& frame : m_frames)
            m_anim.AddFrame(&frame);
    }
    m_sequence = frames;
    m_anim.SetSequence(m_sequence.data(), static_cast<int>(m_sequence.size()), nStart);
}

void CTTFrameAnimation::SetPosition(QPoint at)
{
    QPoint scroll;
    if (m_pView)
        scroll = QPoint(m_pView->horizontalScrollBar()->value(), m_pView->verticalScrollBar()->value());
    const QPoint client = at - scroll;
    m_record[1] = client.y();
    m_record[2] = client.x() + kRechtsAbstand;
    m_bPlatziert = true;
}

void CTTFrameAnimation::Draw(QPainter& painter)
{
    m_anim.Draw(&painter);
}

void CTTFrameAnimation::Step(QPainter* pPainter)
{
    if (!pPainter && !m_bPlatziert)
        m_anim.Advance();
    else
        m_anim.Step(pPainter);
}

void CTTFrameAnimation::ShowFrame(int nFrame)
{
    m_anim.ShowFrame(nFrame);
}
