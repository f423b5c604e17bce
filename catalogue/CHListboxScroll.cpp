// Selection and scrolling of the tile strip, at once or animated on the event loop.
#include "CHListbox.h"

#include "ui/FadeClock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// ---- selection and scrolling ---------------------------------------------------------------------

int CHListbox::SelectItem(int index, int /*flags*/)
{
    if (index < -1 || index >= GetItemCount())
        return -1;
    if (m_anim.active) {
        EndAnimation();
        m_deferred = Deferred{index, 9, 0};
        QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
        return index;
    }
    // A selection made now supersedes one still waiting for the event loop.
    m_deferred.reset();
    SelectNow(index, 9);
    return index;
}

void CHListbox::SelectNow(int index, int reason)
{
    const int old = m_selected;
    m_selected = index;
    m_canvas->update();
    if (index >= 0)
        ScrollToItem(index, reason);
    if (old != index)
        SelectionChanged(old, index);
}

void CHListbox::PerformDeferredSelection()
{
    if (!m_deferred)
        return;
    const Deferred request = *m_deferred;
    m_deferred.reset();
    if (request.step != 0)
        StepSelection(request.step);
    else if (request.index < GetItemCount())
        SelectNow(request.index, request.reason);
}

void CHListbox::StepSelection(int direction)
{
    if (m_anim.active) {
        // A step asked for while the view moves follows once it stands.
        EndAnimation();
        m_deferred = Deferred{-1, 0, direction};
        QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
        return;
    }
    const int count = GetItemCount();
    int i = m_selected;
    if (i < 0)
        i = direction < 0 ? count : -1;
    for (i += direction; i >= 0 && i < count; i += direction) {
        if (m_items[static_cast<size_t>(i)]->state == kTileLoaded) {
            SelectNow(i, direction < 0 ? 1 : 2);
            return;
        }
    }
}

void CHListbox::SetDefaultEasing(int kind, int durationMs)
{
    m_defaultEasing = kind;
    m_defaultDurationMs = durationMs;
}

void CHListbox::ScrollToItem(int index, int reason)
{
    HListboxScroll request;
    request.index = index;
    request.reason = reason;
    request.kind = 3;
    request.easing = m_defaultEasing;
    request.durationMs = m_defaultDurationMs;
    request.anchorX = m_anchorX < 0 ? CanvasWidth() / 2 : std::min(m_anchorX, CanvasWidth());
    if (ScrollRequest(request))
        return;
    Scroll(request);
}

void CHListbox::Scroll(HListboxScroll request)
{
    if (m_layoutDirty)
        Layout();
    const int view = CanvasWidth();
    const HListboxItem* tile = GetItem(request.index);
    const HListboxItem* other = GetItem(request.otherIndex);
    int target = m_offset;
    switch (request.kind) {
    case 1:
        if (tile)
            target = tile->rect.left();
        break;
    case 2:
        if (other)
            target = other->rect.left();
        break;
    case 3:
        if (tile)
            target = tile->rect.left() + tile->width / 2 - request.anchorX;
        break;
    case 4:
        if (tile)
            target = tile->rect.left() + tile->width - view;
        break;
    case 5:
        if (other)
            target = other->rect.left() + other->width - view;
        break;
    case 6:
        target = m_offset + request.distance;
        break;
    case 7:
        target = request.position;
        break;
    default:
        return;
    }
    target = std::clamp(target, 0, MaxScrollOffset());
    if (m_tilesToEdges)
        target = ClampToTiles(target);
    EndAnimation();
    if (!(m_flags & kHlbAnimatedScroll) || request.durationMs <= 0 || target == m_offset) {
        SetOffset(target);
        return;
    }
    m_anim = Animation{true, m_offset, target, FadeClock::Now(), request.durationMs, request.easing};
    m_animTimer.start();
}

double CHListbox::EaseFraction(int kind, double t, int durationMs, int defaultDurationMs)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (kind) {
    case 1:
        return std::sin(t * std::numbers::pi / 2);
    case 2:
        return t;
    case 3: {
        const double hold = std::min(2 * (defaultDurationMs / 3), 100);
        const double elapsed = t * durationMs;
        if (elapsed <= hold || durationMs <= hold)
            return elapsed >= durationMs ? 1.0 : 0.0;
        return (elapsed - hold) / (durationMs - hold);
    }
    case 4:
        return 1 - (t - 1) * (t - 1);
    case 5:
        return 1 - std::pow(t - 1, 4);
    case 6:
        return t * t;
    case 7:
        return std::pow(t, 6);
    default:
        return (std::sin(t * std::numbers::pi - std::numbers::pi / 2) + 1) / 2;
    }
}

void CHListbox::AnimationStep()
{
    if (!m_anim.active)
        return;
    const double t = double(FadeClock::Now() - m_anim.start) / m_anim.durationMs;
    if (t >= 1.0) {
        EndAnimation();
        return;
    }
    double fraction = EaseFraction(m_anim.easing, t, m_anim.durationMs, m_defaultDurationMs);
    if (m_anim.easing == 8) {
        float owned = static_cast<float>(t);
        fraction = EasingCurve(m_anim.easing, &owned) ? owned : t;
    }
    SetOffset(m_anim.from + static_cast<int>(std::lround((m_anim.to - m_anim.from) * fraction)));
}

void CHListbox::EndAnimation()
{
    if (!m_anim.active)
        return;
    m_anim.active = false;
    m_animTimer.stop();
    SetOffset(m_anim.to);
}
