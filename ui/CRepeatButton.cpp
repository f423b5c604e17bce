// The repeat button: press, delay, repeat while held and inside.
#include "ui/CRepeatButton.h"

#include "ui/CommandEvent.h"
#include "ui/ControlId.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The timer of a running program: a QTimer that ticks the button.
class QtRepeatTimer : public CRepeatButton::Timer
{
public:
    explicit QtRepeatTimer(CRepeatButton* button)
    {
        m_timer.setSingleShot(false);
        QObject::connect(&m_timer, &QTimer::timeout, button, &CRepeatButton::TimerFired);
    }
    void Start(int ms) override { m_timer.start(ms); }
    void Stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

CRepeatButton::CRepeatButton(const QString& text, const QRect& place, QWidget* parent, int id)
    : QPushButton(text, parent), m_id(id), m_timer(std::make_unique<QtRepeatTimer>(this))
{
    setGeometry(place);
    ControlId::Set(this, id);
    SystemKeyboardSettings(&m_delaySetting, &m_speedSetting);
    // The keyboard's Space still clicks the button once.
    connect(this, &QAbstractButton::clicked, this, [this] { Fire(); });
}

CRepeatButton::~CRepeatButton()
{
    m_timer->Stop();
}

int CRepeatButton::InitialDelayMs(int delaySetting)
{
    return (std::clamp(delaySetting, 0, 3) + 1) * 250;
}

int CRepeatButton::RepeatIntervalMs(int speedSetting)
{
    const double s = std::clamp(speedSetting, 0, 31);
    return int(1000.0 / (s / 31.0 * 27.5 + 2.5));
}

void CRepeatButton::SystemKeyboardSettings(int* delaySetting, int* speedSetting)
{
    *delaySetting = 1;
    *speedSetting = 31;
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    if (rate > 0)
        *speedSetting = std::clamp(int(std::lround((rate - 2.5) * 31.0 / 27.5)), 0, 31);
}

void CRepeatButton::SetKeyboardSettings(int delaySetting, int speedSetting)
{
    m_delaySetting = std::clamp(delaySetting, 0, 3);
    m_speedSetting = std::clamp(speedSetting, 0, 31);
}

void CRepeatButton::SetTimer(std::unique_ptr<Timer> timer)
{
    if (!timer)
        return;
    m_timer->Stop();
    m_timer = std::move(timer);
}

void CRepeatButton::Fire()
{
    if (QWidget* parent = parentWidget())
        QCoreApplication::postEvent(parent, new CommandEvent(quint32(m_id), 0, this));
}

void CRepeatButton::Press()
{
    m_pressed = true;
    m_inside = true;
    setDown(true);
    Fire();
    m_firstDelay = true;
    m_timer->Start(InitialDelayMs(m_delaySetting));
}

void CRepeatButton::TimerFired()
{
    if (m_firstDelay) {
        m_firstDelay = false;
        m_timer->Start(RepeatIntervalMs(m_speedSetting));
    }
    if (m_inside)
        Fire();
}

void CRepeatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    event->accept();
    Press();
}

void CRepeatButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CRepeatButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    m_inside = rect().contains(event->position().toPoint());
    const bool pushed = m_inside && m_pressed;
    if (isDown() != pushed)
        setDown(pushed);
}

void CRepeatButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_timer->Stop();
    m_pressed = false;
    m_inside = false;
    setDown(false);
}
