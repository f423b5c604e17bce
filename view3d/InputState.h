// Program-wide keyboard and mouse state of the 3D views, kept from Qt events and read once per frame.
#pragma once

#include <array>
#include <cstdint>

class QWidget;

// Key codes of the keyboard state (one byte per code, pressed when the high bit is set).
enum InputKey : int
{
    KEY_LCONTROL = 29,
    KEY_LSHIFT = 42,
    KEY_RSHIFT = 54,
    KEY_RCONTROL = 157,
    KEY_UP = 200,
    KEY_LEFT = 203,
    KEY_RIGHT = 205,
    KEY_DOWN = 208,
};

// Relative mouse movement since the last poll (wheel: 120 per notch) and four buttons
// (left, right, middle, fourth; pressed when the high bit is set).
struct MouseInputState
{
    int x = 0;
    int y = 0;
    int wheel = 0;
    std::array<std::uint8_t, 4> buttons{};
};

struct InputState
{
    std::array<std::uint8_t, 256> keyboard{};
    MouseInputState mouse;

    bool KeyDown(int code) const { return code >= 0 && code < 256 && (keyboard[code] & 0x80) != 0; }
    bool ButtonDown(int index) const { return index >= 0 && index < 4 && (mouse.buttons[index] & 0x80) != 0; }
};

// Starts collecting the keyboard and mouse input of `window` and the widgets inside it; clears both
// states. Answers 0.
int InitDirectInput(QWidget* window, unsigned flags);
// Copies the collected state into the polled state (which: 1 keyboard, 2 mouse, 3 both; 0 counts as
// keyboard) and resets the relative mouse counts. Answers 1 when input is not set up, else 0.
int PollDirectInput(int which);
// Removes the event filter and clears both states.
void ReleaseDirectInput();

// The state as of the last poll; the camera reads it. Tests may script it directly.
InputState& PolledInput();
