// The message a value slider sends its owner view: its kind's number and the new value.
#pragma once

#include "ui/SliderEvent.h"

// Numbers 0x8066 to 0x8084 carry a value change (0x807D: the Tab key), 0x8065 the slider's closing.
// The pop-up slider window sends its base class, so owners read values through SliderEvent.
class SliderValueEvent : public SliderEvent
{
public:
    static constexpr int kClosed = 0x8065;
    static constexpr int kFirstValue = 0x8066;
    static constexpr int kTabKey = 0x807D;
    static constexpr int kLastValue = 0x8084;

    SliderValueEvent(int nMessage, double dValue)
        : SliderEvent(static_cast<QEvent::Type>(nMessage), nullptr, dValue)
    {
    }
};
