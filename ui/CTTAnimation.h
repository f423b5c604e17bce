// A short frame animation that plays in a scroll view, one frame per tick of the owner's timer.
#pragma once

#include <QRect>

#include <vector>

class QAbstractScrollArea;
class QImage;
class QPainter;

// Frames are pictures the owner keeps (not owned here). The owner's position record holds at least
// three ints: the running flag (0: Step does nothing), the top edge and a right edge in client pixels;
// the frame is drawn with its left edge 8 pixels left of that right edge. In sequence mode the frames
// follow a list of frame indices; ShowFrame leaves it for one fixed frame.
class CTTAnimation
{
public:
    explicit CTTAnimation(QAbstractScrollArea* view);

    void SetPositionRecord(const int* record) { m_record = record; }
    void AddFrame(const QImage* frame) { m_frames.push_back(frame); }
    // Replaces the sequence (empty for count <= 0); the position becomes min(startPos, entries - 1),
    // 0 when startPos is negative.
    void SetSequence(const int* indices, int count, int startPos);
    // Leaves sequence mode and shows the frame with that index; an index past the last frame shows none.
    void ShowFrame(int index);
    // Advances (sequence mode, wrapping) when the record's running flag is set, then draws; without a
    // painter it asks for a repaint only when the frame changed.
    void Step(QPainter* painter);
    // Advances as Step does, drawing nothing; true when the frame changed.
    bool Advance();
    // Draws the current frame: with a painter, at the record's place moved by the view's scroll
    // position; without one, asks the view to repaint that place (Qt paints only in paint events).
    void Draw(QPainter* painter);

    bool SequenceMode() const { return m_sequenceMode; }
    int Position() const { return m_position; }
    int SingleFrame() const { return m_singleFrame; }
    // The frame Draw would show now; null for none.
    const QImage* CurrentFrame() const;
    // Where the current frame lies in the view's client area; empty when none is drawn.
    QRect FrameRect() const;

private:
    const int* m_record = nullptr;
    QAbstractScrollArea* m_view;
    bool m_sequenceMode = true;
    std::vector<const QImage*> m_frames;
    std::vector<int> m_sequence;
    int m_position = 0;
    int m_singleFrame = -1;
};
