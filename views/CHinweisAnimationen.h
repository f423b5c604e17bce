// The hint animations of the template picture: one under each axle group's load (the front and rear group
// of the vehicle, then of the trailer), their frames, the step they stand at and their places.
#pragma once

#include <QPoint>
#include <QRect>

#include <array>
#include <map>
#include <memory>
#include <utility>

class IFrameAnimation;
class QAbstractScrollArea;
class QPainter;

class CHinweisAnimationen
{
public:
    static constexpr int kAnzahl = 4;
    // Milliseconds between two steps.
    static constexpr int kIntervall = 100;

    // The animations play in pView (it scrolls and repaints them).
    explicit CHinweisAnimationen(QAbstractScrollArea* pView);
    ~CHinweisAnimationen();
    CHinweisAnimationen(const CHinweisAnimationen&) = delete;
    CHinweisAnimationen& operator=(const CHinweisAnimationen&) = delete;

    // Draws the first nAnzahl (2 for one vehicle, 4 for a pair) centred under their group loads, whose
    // places (client pixels) the axle-load picture left in rcAuflager; the painter draws the picture's
    // pixels, scrolled by `scroll`. The others have no place until the next draw.
    void Draw(QPainter& painter, int nAnzahl, const std::map<std::pair<int, int>, QRect>& rcAuflager,
              QPoint scroll);
    // The current frames at their places, nothing else.
    void DrawFrames(QPainter& painter);
    // One step of every animation; true when the frame they show changed.
    bool Schritt();
    int GetSchritt() const { return m_nSchritt; }
    // Where animation i stands (client pixels); empty when hidden.
    QRect GetRect(int i) const;
    IFrameAnimation* Get(int i) const;

private:
    std::array<std::unique_ptr<IFrameAnimation>, kAnzahl> m_Anim;
    std::array<QRect, kAnzahl> m_rcAnim{};
    int m_nSchritt = 0;
};
