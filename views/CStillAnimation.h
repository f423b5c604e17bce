// The stand-in frame animation: shows the sequence's start frame (or the frame asked for) and stands still.
#pragma once

#include "views/IFrameAnimation.h"

#include <QImage>

class CStillAnimation : public IFrameAnimation
{
public:
    void AddFrame(const CMemBm& frame) override;
    void SetSequence(const std::vector<int>& frames, int nStart) override;
    void SetPosition(QPoint at) override { m_at = at; }
    void Draw(QPainter& painter) override;
    void Step(QPainter* pPainter) override;
    void ShowFrame(int nFrame) override { m_nFrame = nFrame; }

    // The frame drawn, or -1 for none.
    int CurrentFrame() const { return m_nFrame; }

private:
    std::vector<QImage> m_frames;
    int m_nFrame = -1;
    QPoint m_at;
};
