// Tests of the repeat button: one command per click, delay then interval, leaving and re-entering.
#include "ui/CRepeatButton.h"
#include "ui/CommandEvent.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A timer the test ticks by hand; records the intervals it was started with.
class ManualTimer : public CRepeatButton::Timer
{
public:
    ManualTimer(std::vector<int>* starts, bool* running) : m_starts(starts), m_running(running) {}
    void Start(int ms) override
    {
        m_starts->push_back(ms);
        *m_running = true;
    }
    void Stop() override { *m_running = false; }

private:
    std::vector<int>* m_starts;
    bool* m_running;
};

class CommandCounter : public QWidget
{
public:
    std::vector<quint32> commands;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == CommandEvent::kType) {
            commands.push_back(static_cast<CommandEvent*>(e)->Id());
            return true;
        }
        return QWidget::event(e);
    }
};

class RepeatButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        owner.resize(200, 100);
        button = new CRepeatButton(QStringLiteral("+"), QRect(10, 10, 40, 30), &owner, 1234);
        button->SetKeyboardSettings(1, 0);
        button->SetTimer(std::make_unique<ManualTimer>(&starts, &running));
        owner.show();
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button_ = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, button->mapToGlobal(at), button_, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    }
    void Press() { Mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton); }
    void Release() { Mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton); }
    void MoveTo(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::LeftButton); }
    size_t Commands()
    {
        QCoreApplication::sendPostedEvents(&owner, CommandEvent::kType);
        return owner.commands.size();
    }
    void Tick()
    {
        ASSERT_TRUE(running) << "a tick of a stopped timer";
        button->TimerFired();
    }

    CommandCounter owner;
    CRepeatButton* button = nullptr;
    std::vector<int> starts;
    bool running = false;
};

} // namespace

TEST(RepeatButtonPaceTest, DelayAndIntervalFollowTheKeyboardSettings)
{
    struct Case
    {
        int delay, speed, delayMs, intervalMs;
    };
    const Case cases[] = {{0, 0, 250, 400}, {1, 31, 500, 33}, {3, 15, 1000, 63}, {-2, 99, 250, 33}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.delay << "/" << c.speed);
        EXPECT_EQ(CRepeatButton::InitialDelayMs(c.delay), c.delayMs);
        EXPECT_EQ(CRepeatButton::RepeatIntervalMs(c.speed), c.intervalMs);
    }
    int delay = -1, speed = -1;
    CRepeatButton::SystemKeyboardSettings(&delay, &speed);
    EXPECT_EQ(delay, 1);
    EXPECT_GE(speed, 0);
    EXPECT_LE(speed, 31);
}

TEST_F(RepeatButtonTest, AClickFiresOnceWithTheControlId)
{
    Press();
    Release();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(owner.commands.front(), 1234u);
    EXPECT_FALSE(running);
    EXPECT_FALSE(button->isDown());
}

TEST_F(RepeatButtonTest, HoldingFiresAtThePressAfterTheDelayAndAtEveryInterval)
{
    Press();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_TRUE(button->isDown());
    Tick();
    EXPECT_EQ(Commands(), 2u);
    Tick();
    Tick();
    EXPECT_EQ(Commands(), 4u);
    EXPECT_EQ(starts, (std::vector<int>{500, 400})) << "the delay once, then the interval";
    Release();
    EXPECT_FALSE(running);
    EXPECT_EQ(Commands(), 4u);
}

TEST_F(RepeatButtonTest, OffTheButtonPausesAndBackOnResumesWithoutANewDelay)
{
    Press();
    Tick();
    ASSERT_EQ(Commands(), 2u);
    MoveTo({100, 100});
    EXPECT_FALSE(button->isDown());
    Tick();
    Tick();
    EXPECT_EQ(Commands(), 2u);
    MoveTo({6, 6});
    EXPECT_TRUE(button->isDown());
    Tick();
    EXPECT_EQ(Commands(), 3u);
    EXPECT_EQ(starts, (std::vector<int>{500, 400}));
    Release();
}

TEST_F(RepeatButtonTest, ADoubleClickFiresLikeAPress)
{
    Press();
    Release();
    Mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton);
    EXPECT_TRUE(running);
    Release();
    EXPECT_EQ(Commands(), 2u);
    EXPECT_EQ(starts, (std::vector<int>{500, 500})) << "each press starts with the delay";
}
