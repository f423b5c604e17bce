// A frame animation of memory pictures, drawn by the views at a place of their choosing.
#pragma once

#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

class CMemBm;
class QAbstractScrollArea;
class QPainter;

class IFrameAnimation
{
public:
    virtual ~IFrameAnimation() = default;

    // Appends a copy of a frame; frames are numbered from 0 in the order added.
    virtual void AddFrame(const CMemBm& frame) = 0;
    // The frames to play, in order, and the position in that list to start at.
    virtual void SetSequence(const std::vector<int>& frames, int nStart) = 0;
    virtual void SetPosition(QPoint at) = 0;
    // Draws the current frame.
    virtual void Draw(QPainter& painter) = 0;
    // Advances one step and draws when a painter is given.
    virtual void Step(QPainter* pPainter) = 0;
    // Shows one frame only until the next SetSequence.
    virtual void ShowFrame(int nFrame) = 0;

    using Creator = std::function<std::unique_ptr<IFrameAnimation>()>;
    // A new animation from the creator the shell installed, else a still stand-in.
    static std::unique_ptr<IFrameAnimation> Create();
    static void SetCreator(Creator creator);

    // The program's animations play in the view they belong to (it scrolls and repaints them).
    using ViewCreator = std::function<std::unique_ptr<IFrameAnimation>(QAbstractScrollArea* pView)>;
    // A new animation for `pView` from the view creator the shell installed; without one as Create().
    static std::unique_ptr<IFrameAnimation> Create(QAbstractScrollArea* pView);
    static void SetViewCreator(ViewCreator creator);
    static bool HasViewCreator();
};
