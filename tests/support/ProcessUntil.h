// Runs the event loop until a condition holds, with a limit, for tests of code that answers through
// queued events and timers.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <functional>

// Processes events until `done` answers true (true) or `limitMs` have passed (false).
inline bool ProcessUntil(const std::function<bool()>& done, int limitMs = 20000)
{
    QElapsedTimer guard;
    guard.start();
    while (!done()) {
        if (guard.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
