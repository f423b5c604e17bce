// Keyboard and mouse state collected from Qt events by an event filter on the application.
#include "view3d/InputCollector.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace {

// Key code of a Qt key event; -1 for keys the 3D views do not read.
int KeyCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Up:
        return KEY_UP;
    case Qt::Key_Down:
        return KEY_DOWN;
    case Qt::Key_Left:
        return KEY_LEFT;
    case Qt::Key_Right:
        return KEY_RIGHT;
    case Qt::Key_Shift:
        return KEY_LSHIFT;
    case Qt::Key_Control:
        return KEY_LCONTROL;
    default:
        return -1;
    }
}

int ButtonIndex(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::BackButton:
        return 3;
    default:
        return -1;
    }
}

} // namespace

// Keeps the collector's state from the events of its window.
class InputCollector::Filter : public QObject
{
public:
    Filter(InputCollector& collector, QWidget* window) : m_collector(collector), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationDeactivate ||
            (event->type() == QEvent::WindowDeactivate && watched == m_window)) {
            // Releases are not delivered to an inactive window: drop everything so nothing sticks.
            m_collector.m_collected = InputState{};
            m_hasLast = false;
            return false;
        }
        // Input goes to the widget with the focus or under the mouse: take it when it is inside the window.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (m_window == nullptr || widget == nullptr || widget->window() != m_window)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const int code = KeyCode(*key);
            if (code >= 0 && !key->isAutoRepeat())
                m_collector.m_collected.keyboard[static_cast<std::size_t>(code)] =
                    event->type() == QEvent::KeyPress ? 0x80 : 0;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int index = ButtonIndex(mouse->button());
            if (index >= 0)
                m_collector.m_collected.mouse.buttons[static_cast<std::size_t>(index)] =
                    event->type() == QEvent::MouseButtonPress ? 0x80 : 0;
            m_last = mouse->globalPosition().toPoint();
            m_hasLast = true;
            break;
        }
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (m_hasLast) {
                m_collector.m_collected.mouse.x += pos.x() - m_last.x();
                m_collector.m_collected.mouse.y += pos.y() - m_last.y();
            }
            m_last = pos;
            m_hasLast = true;
            break;
        }
        case QEvent::Wheel: {
            // A wheel event that a child ignores passes on to its parents: count it once.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel != m_lastWheel || wheel->timestamp() != m_lastWheelTime)
                m_collector.m_collected.mouse.wheel += wheel->angleDelta().y();
            m_lastWheel = wheel;
            m_lastWheelTime = wheel->timestamp();
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    InputCollector& m_collector;
    QPointer<QWidget> m_window;
    const QWheelEvent* m_lastWheel = nullptr;
    quint64 m_lastWheelTime = 0;
    // Movement is the difference of global positions, so an event seen again on a parent adds nothing.
    QPoint m_last;
    bool m_hasLast = false;
};

InputCollector::InputCollector() = default;

InputCollector::~InputCollector()
{
    Release();
}

int InputCollector::Init(QWidget* window, unsigned /*flags*/)
{
    Release();
    m_filter = std::make_unique<Filter>(*this, window);
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(m_filter.get());
    return 0;
}

int InputCollector::Poll(int which)
{
    if (m_filter == nullptr)
        return 1;
    if (which == 0 || (which & 1) != 0)
        m_polled.keyboard = m_collected.keyboard;
    if ((which & 2) != 0) {
        m_polled.mouse = m_collected.mouse;
        m_collected.mouse.x = 0;
        m_collected.mouse.y = 0;
        m_collected.mouse.wheel = 0;
    }
    return 0;
}

void InputCollector::Release()
{
    if (m_filter != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(m_filter.get());
    m_filter.reset();
    m_polled = InputState{};
    m_collected = InputState{};
}
