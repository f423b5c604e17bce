// The main loop's empty-queue pass: 3D frame step, idle pass and adaptive sleep.
#include "app/FrameLoop.h"

#include <QApplication>

#include <algorithm>
#include <chrono>

namespace {

FrameLoop::Clock SteadyClock()
{
    using Steady = std::chrono::steady_clock;
    return {[] { return std::chrono::duration<double>(Steady::now().time_since_epoch()).count(); },
            [] {
                return static_cast<std::uint64_t>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch())
                        .count());
            }};
}

} // namespace

FrameLoop::FrameLoop(std::function<bool(int)> idle, QObject* parent)
    : QObject(parent), m_idle(std::move(idle)), m_clock(SteadyClock())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FrameLoop::OnTimeout);
}

void FrameLoop::SetClock(Clock clock)
{
    m_clock = std::move(clock);
}

void FrameLoop::SetRenderStep(std::function<bool()> active, std::function<void(double)> render)
{
    m_renderActive = std::move(active);
    m_render = std::move(render);
}

void FrameLoop::Start()
{
    m_timer.start(0);
}

void FrameLoop::Stop()
{
    m_timer.stop();
}

void FrameLoop::OnTimeout()
{
    m_timer.start(RunPass());
}

int FrameLoop::RunPass()
{
    const double seconds = m_clock.seconds();
    const bool first = m_first;
    if (m_first) {
        m_first = false;
        m_lastSeconds = seconds;
    }
    double frameTime = seconds - m_lastSeconds;
    if (frameTime < 0.0)
        frameTime = 0.0;
    m_lastSeconds = seconds;

    const bool rendering = m_renderActive && m_render && m_renderActive();
    const bool modal = m_modal ? m_modal() : QApplication::activeModalWidget() != nullptr;
    if (rendering && frameTime > 0.0 && !modal)
        m_render(frameTime);

    const std::uint64_t now = m_clock.milliseconds();
    const bool due = first || now - m_lastIdleMs >= kIdleIntervalMs;
    if (due) {
        m_idleCount = 0;
        m_lastIdleMs = now;
    }
    if (m_moreIdle || due) {
        m_moreIdle = m_idle ? m_idle(m_idleCount) : false;
        ++m_idleCount;
        if (!m_moreIdle) {
            m_idleCount = 0;
            m_lastIdleMs = now;
        }
    }

    if (rendering)
        return m_sleep.CalcSleepTime(m_target, frameTime, 1);
    if (m_moreIdle)
        return 0;
    const std::uint64_t since = m_clock.milliseconds() - m_lastIdleMs;
    return since >= kIdleIntervalMs ? 0 : static_cast<int>(kIdleIntervalMs - since);
}

void FrameLoop::RenderOnce(double frameTime)
{
    if (m_render)
        m_render(frameTime);
}
