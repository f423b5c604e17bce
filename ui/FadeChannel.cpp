// Fading values of the button strips.
#include "ui/FadeChannel.h"

#include <cmath>

bool FadeChannel::SetTarget(int value, qint64 now)
{
    start = current;
    target = value;
    if (current == target)
        return false;
    lastTick = now;
    return true;
}

bool FadeChannel::Step(qint64 now, float rateIn, float rateOut)
{
    if (current == target)
        return true;
    const float rate = target > current ? rateIn : rateOut;
    if (rate <= 0.0f) {
        current = target;
        lastTick = now;
        return true;
    }
    const int step = static_cast<int>(std::trunc(static_cast<double>(now - lastTick) * rate));
    // Time too short for a whole unit stays on the account, so that ticks that come faster than one
    // unit of value still add up to the full fade.
    if (step <= 0)
        return false;
    if (target > current)
        current = std::min(target, current + step);
    else
        current = std::max(target, current - step);
    lastTick = now;
    return current == target;
}
