// The millisecond clock that drives the fades of the button strips; tests put their own in its place.
#pragma once

#include <QtGlobal>

#include <functional>

class FadeClock
{
public:
    // Milliseconds of a monotonic clock; never 0, so that 0 can mean "no tick yet".
    static qint64 Now();

    // Replaces the clock (an empty function restores the real one).
    static void SetSource(std::function<qint64()> source);
};

// Installs a manual clock for the lifetime of the object; Advance moves it on.
class ScopedFadeClock
{
public:
    explicit ScopedFadeClock(qint64 start = 1000);
    ~ScopedFadeClock();
    ScopedFadeClock(const ScopedFadeClock&) = delete;
    ScopedFadeClock& operator=(const ScopedFadeClock&) = delete;

    void Advance(qint64 ms) { m_now += ms; }
    qint64 Now() const { return m_now; }

private:
    qint64 m_now;
};
