// The messages between a value slider and its owner view.
#pragma once

#include <QEvent>

class CWndSlider;

// Private messages of the slider, sent synchronously:
// - the kind's value message (0x8066 ... 0x8084, see CWndSlider::NotifyMessageOfKind) to the owner,
//   Value() the new value in model units;
// - kClosingType (0x8065) to the owner: the slider closes; the owner deletes it while handling this;
// - kTabType (0x807D) to the owner: Tab was pressed in the slider's edit, Slider() the slider;
// - kCloseRequestType (0x806A) to the slider: close, applying the typed text when Apply() is set.
class SliderEvent : public QEvent
{
public:
    static constexpr QEvent::Type kClosingType = QEvent::Type(0x8065);
    static constexpr QEvent::Type kCloseRequestType = QEvent::Type(0x806A);
    static constexpr QEvent::Type kTabType = QEvent::Type(0x807D);

    SliderEvent(QEvent::Type type, CWndSlider* slider, double value = 0.0, bool apply = false)
        : QEvent(type), m_slider(slider), m_value(value), m_apply(apply)
    {
    }

    CWndSlider* Slider() const { return m_slider; }
    double Value() const { return m_value; }
    bool Apply() const { return m_apply; }

private:
    CWndSlider* m_slider;
    double m_value;
    bool m_apply;
};
