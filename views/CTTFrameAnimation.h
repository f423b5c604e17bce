// The program's frame animation: the view's own CTTAnimation behind the views' animation interface.
#pragma once

#include "ui/CTTAnimation.h"
#include "views/IFrameAnimation.h"

#include <QImage>

#include <deque>

class QAbstractScrollArea;

// Frames are copied and kept here (the animation holds their addresses, so they never move). The
// position given by the view is in its picture's coordinates (client pixels plus the scroll position);
// the animation draws and repaints in client pixels.
class CTTFrameAnimation : public IFrameAnimation
{
public:
    explicit CTTFrameAnimation(QAbstractScrollArea* pView);

    void AddFrame(const CMemBm& frame) override;
    void SetSequence(const std::vector<int>& frames, int nStart) override;
    void SetPosition(QPoint at) override;
    void Draw(QPainter& painter) override;
    void Step(QPainter* pPainter) override;
    void ShowFrame(int nFrame) override;

    const CTTAnimation& Animation() const { return m_anim; }

private:
    QAbstractScrollArea* m_pView;
    CTTAnimation m_anim;
    std::deque<QImage> m_frames;
    std::vector<int> m_sequence;
    // Running flag, top edge, right edge (the frame's left edge lies 8 pixels left of it).
    int m_record[3] = {1, 0, 0};
    // Until the view first places the animation it has no place to repaint: steps only advance it.
    bool m_bPlatziert = false;
};
