// Keyboard and mouse input of the 3D views of one device, collected from Qt events and polled once per
// frame.
#pragma once

#include "view3d/InputState.h"

#include <memory>

class QObject;
class QWidget;

class InputCollector
{
public:
    InputCollector();
    ~InputCollector();
    InputCollector(const InputCollector&) = delete;
    InputCollector& operator=(const InputCollector&) = delete;

    // Starts collecting the keyboard and mouse input of `window` and the widgets inside it; clears both
    // states. Answers 0.
    int Init(QWidget* window, unsigned flags);
    // Copies the collected state into the polled state (which: 1 keyboard, 2 mouse, 3 both; 0 counts as
    // keyboard) and resets the relative mouse counts. Answers 1 when input is not set up, else 0.
    int Poll(int which);
    // Removes the event filter and clears both states.
    void Release();
    bool IsReady() const { return m_filter != nullptr; }

    // The state as of the last poll; the camera reads it. Tests may script it directly.
    InputState& Polled() { return m_polled; }
    const InputState& Polled() const { return m_polled; }

private:
    // The event filter on the application that fills the collected state.
    class Filter;

    InputState m_polled;
    InputState m_collected;
    std::unique_ptr<QObject> m_filter;
};
