// One fading value of a strip or strip button (0-100) moving toward its target over time.
#pragma once

#include <QtGlobal>

struct FadeChannel
{
    int start = 0;
    int target = 0;
    int current = 0;
    qint64 lastTick = 0;

    // Sets the target; answers true when the value now has to move (the caller starts its timer).
    bool SetTarget(int value, qint64 now);

    // Moves the value toward the target by the time since the last step: `rateIn` units per ms when
    // rising, `rateOut` when falling; a rate of 0 jumps to the target. Answers true when the value
    // has reached its target.
    bool Step(qint64 now, float rateIn, float rateOut);

    bool Done() const { return current == target; }
};
