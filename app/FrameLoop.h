// The main loop's empty-queue pass: the 3D frame step, the idle pass at most every 200 ms and the
// adaptive sleep, driven by one precise single-shot timer instead of busy waiting.
#pragma once

#include "app/SleepController.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class FrameLoop : public QObject
{
    Q_OBJECT
public:
    static constexpr std::uint64_t kIdleIntervalMs = 200;

    // The clock the loop reads: seconds for frame times, milliseconds for the idle interval.
    struct Clock
    {
        std::function<double()> seconds;
        std::function<std::uint64_t()> milliseconds;
    };

    // `idle` is the idle pass (OnIdle with its count); it answers whether it wants more idle time.
    explicit FrameLoop(std::function<bool(int)> idle, QObject* parent = nullptr);

    void SetClock(Clock clock);
    // The 3D step: `active` tells whether a 3D view is registered, `render` renders with the frame
    // time in seconds. Without one only the idle pass runs.
    void SetRenderStep(std::function<bool()> active, std::function<void(double)> render);
    bool HasRenderStep() const { return static_cast<bool>(m_render); }
    // Whether a modal dialog is open (the 3D step waits then); the application's modal widget when
    // not set.
    void SetModalCheck(std::function<bool()> modal) { m_modal = std::move(modal); }
    void SetTargetFrameTime(double seconds) { m_target = seconds; }
    double TargetFrameTime() const { return m_target; }

    // Arms the timer for the first pass; Stop disarms it.
    void Start();
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }

    // One empty-queue pass; answers the milliseconds until the next.
    int RunPass();
    // The 3D step alone, outside the passes (the frame's step message); nothing without a 3D step.
    void RenderOnce(double frameTime);

    int IdleCount() const { return m_idleCount; }
    const SleepController& Controller() const { return m_sleep; }

private:
    void OnTimeout();

    std::function<bool(int)> m_idle;
    std::function<bool()> m_renderActive;
    std::function<void(double)> m_render;
    std::function<bool()> m_modal;
    Clock m_clock;
    QTimer m_timer;
    SleepController m_sleep;
    double m_target = static_cast<double>(1.0f / 60.0f);
    bool m_first = true;
    double m_lastSeconds = 0.0;
    std::uint64_t m_lastIdleMs = 0;
    int m_idleCount = 0;
    bool m_moreIdle = false;
};
