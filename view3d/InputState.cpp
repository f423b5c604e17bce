// Keyboard and mouse state collected from Qt events by an event filter on the main window.
#include "view3d/InputState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace {

InputState g_polled;
InputState g_collected;

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

class InputFilter : public QObject
{
public:
    explicit InputFilter(QWidget* window) : m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationDeactivate ||
            (event->type() == QEvent::WindowDeactivate && watched == m_window)) {
            // Releases are not delivered to an inactive window: drop everything so nothing sticks.
            g_collected = InputState{};
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
                g_collected.keyboard[static_cast<std::size_t>(code)] =
                    event->type() == QEvent::KeyPress ? 0x80 : 0;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int index = ButtonIndex(mouse->button());
            if (index >= 0)
                g_collected.mouse.buttons[static_cast<std::size_t>(index)] =
                    event->type() == QEvent::MouseButtonPress ? 0x80 : 0;
            m_last = mouse->globalPosition().toPoint();
            m_hasLast = true;
            break;
        }
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (m_hasLast) {
                g_collected.mouse.x += pos.x() - m_last.x();
                g_collected.mouse.y += pos.y() - m_last.y();
            }
            m_last = pos;
            m_hasLast = true;
            break;
        }
        case QEvent::Wheel: {
            // A wheel event that a child ignores passes on to its parents: count it once.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel != m_lastWheel || wheel->timestamp() != m_lastWheelTime)
                g_collected.mouse.wheel += wheel->angleDelta().y();
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
    QPointer<QWidget> m_window;
    const QWheelEvent* m_lastWheel = nullptr;
    quint64 m_lastWheelTime = 0;
    // Movement is the difference of global positions, so an event seen again on a parent adds nothing.
    QPoint m_last;
    bool m_hasLast = false;
};

InputFilter* g_filter = nullptr;
bool g_ready = false;

} // namespace

int InitDirectInput(QWidget* window, unsigned /*flags*/)
{
    ReleaseDirectInput();
    g_filter = new InputFilter(window);
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(g_filter);
    g_ready = true;
    return 0;
}

int PollDirectInput(int which)
{
    if (!g_ready)
        return 1;
    if (which == 0 || (which & 1) != 0)
        g_polled.keyboard = g_collected.keyboard;
    if ((which & 2) != 0) {
        g_polled.mouse = g_collected.mouse;
        g_collected.mouse.x = 0;
        g_collected.mouse.y = 0;
        g_collected.mouse.wheel = 0;
    }
    return 0;
}

void ReleaseDirectInput()
{
    if (g_filter != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(g_filter);
    delete g_filter;
    g_filter = nullptr;
    g_ready = false;
    g_polled = InputState{};
    g_collected = InputState{};
}

InputState& PolledInput()
{
    return g_polled;
}
