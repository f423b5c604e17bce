// The adaptive frame-rate controller of the main loop.
#include "app/SleepController.h"

#include <algorithm>

namespace {

constexpr double kSlowFactor = static_cast<double>(1.015f);
constexpr double kMargin = static_cast<double>(0.001f);
constexpr int kWatchUp = 5;
constexpr int kWatchDown = 0;
constexpr int kWatchReset = 3;
constexpr int kTrialReset = 1;
constexpr int kFirstCut = 3;
constexpr int kFurtherCut = 2;
constexpr int kRaise = 1;

} // namespace

SleepController::SleepController() : m_ring(5) {}

int SleepController::CalcSleepTime(double target, double frameTime, int initialSleep)
{
    if (!m_started) {
        m_started = true;
        m_sleep = initialSleep;
        m_reference = frameTime;
        m_saved = initialSleep;
    }
    const double t = target;
    const double f = frameTime;

    if (m_mode == 0) {
        if (f > t * kSlowFactor) {
            ++m_watch;
            m_ring.Add(f);
        } else {
            --m_watch;
        }
        if (m_watch >= kWatchUp) {
            m_watch = kWatchReset;
            if (m_sleep == m_lowest)
                return m_sleep;
            m_saved = m_sleep;
            m_reference = t;
            m_best = m_ring.GetAverage();
            m_ring.Reset();
            m_trial = kTrialReset;
            m_mode = -1;
            m_sleep = std::max(m_sleep - kFirstCut, 0);
            return m_sleep;
        }
        if (m_watch <= kWatchDown) {
            m_watch = kWatchReset;
            if (m_sleep == kHighestSleepMs)
                return m_sleep;
            m_saved = m_sleep;
            m_trial = kTrialReset;
            m_reference = f;
            m_mode = +1;
            m_sleep += kRaise;
            return m_sleep;
        }
        return m_sleep;
    }

    if (m_mode == -1) {
        if (f < m_reference) {
            ++m_trial;
        } else {
            --m_trial;
            m_ring.Add(f);
        }
        if (m_trial == kTrialReset)
            return m_sleep;
        if (m_trial == 0) {
            const double average = m_ring.GetAverage();
            if (average < m_best + kMargin) {
                m_saved = m_sleep;
                m_best = average;
                m_ring.Reset();
                m_trial = kTrialReset;
                m_sleep = std::max(m_sleep - kFurtherCut, 0);
                return m_sleep;
            }
            m_sleep = m_saved;
        }
        // The trial reached its success bound, or was given up: back to watching.
        m_ring.Reset();
        m_watch = kWatchReset;
        m_mode = 0;
        return m_sleep;
    }

    // Trying a longer sleep.
    if (f >= m_reference)
        ++m_trial;
    else
        --m_trial;
    if (m_trial == kTrialReset)
        return m_sleep;
    if (m_trial == 0)
        m_sleep = m_saved;
    m_mode = 0;
    m_watch = kWatchReset;
    return m_sleep;
}
