// Keyboard and mouse state of the 3D views as one poll of the collected input leaves it.
#pragma once

#include <array>
#include <cstdint>

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
