// The adaptive frame-rate controller of the main loop: how long to sleep after a pass so that frames
// come near the target frame time while the process still yields the processor.
#pragma once

#include "app/CAvVals.h"

class SleepController
{
public:
    static constexpr int kHighestSleepMs = 200;

    SleepController();

    // The sleep in ms after a frame of `frameTime` seconds, aiming at `target` seconds. The first call
    // starts from `initialSleep` and takes its frame time as the reference.
    int CalcSleepTime(double target, double frameTime, int initialSleep);

    int Sleep() const { return m_sleep; }
    int Mode() const { return m_mode; }

private:
    bool m_started = false;
    int m_sleep = 0;
    int m_mode = 0; // 0 watching, -1 trying a shorter sleep, +1 trying a longer one
    int m_watch = 3;
    double m_reference = 0.0;
    int m_saved = 0;
    int m_trial = 1;
    double m_best = 0.0;
    CAvVals m_ring;
    int m_lowest = 0;
};
