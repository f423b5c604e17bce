// A push button that repeats its command while it is held down, at the keyboard's repeat pace.
#pragma once

#include <QPushButton>

#include <memory>

// The press sends the command at once (a CommandEvent with the control id, posted to the parent),
// the next one after the keyboard's repeat delay and then one per repeat interval, none while the
// cursor is off the button; moving back on resumes without a new delay. A double click counts as a
// press. The pace comes from the keyboard settings (delay 0..3, speed 0..31); the timer can be
// replaced, so tests step it by hand.
class CRepeatButton : public QPushButton
{
    Q_OBJECT
public:
    // What the button needs of a timer: one shot after another at the interval last started.
    class Timer
    {
    public:
        virtual ~Timer() = default;
        virtual void Start(int ms) = 0;
        virtual void Stop() = 0;
    };

    CRepeatButton(const QString& text, const QRect& place, QWidget* parent, int id);
    ~CRepeatButton() override;

    int CommandId() const { return m_id; }

    // (delay + 1) x 250 ms; 500 ms for delay setting 1.
    static int InitialDelayMs(int delaySetting);
    // trunc(1000 / (speed / 31 x 27.5 + 2.5)) ms: 400 ms at speed 0, 33 ms at speed 31.
    static int RepeatIntervalMs(int speedSetting);
    // The settings the platform reports: the speed from the keyboard's repeat rate, delay setting 1;
    // delay 1 and speed 31 when the platform reports no rate.
    static void SystemKeyboardSettings(int* delaySetting, int* speedSetting);

    void SetKeyboardSettings(int delaySetting, int speedSetting);
    // Replaces the timer; its ticks must call TimerFired().
    void SetTimer(std::unique_ptr<Timer> timer);
    // One tick of the repeat timer.
    void TimerFired();

    bool IsPressed() const { return m_pressed; }
    bool IsInside() const { return m_inside; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Press();
    void Fire();

    int m_id;
    bool m_pressed = false;
    bool m_inside = false;
    bool m_firstDelay = false;
    int m_delaySetting = 1;
    int m_speedSetting = 31;
    std::unique_ptr<Timer> m_timer;
};
