// Keyboard and mouse state collected by the event filter, polled and cleared on deactivation.
#include "view3d/CCamera.h"
#include "view3d/CTimerManager.h"
#include "view3d/InputCollector.h"
#include "view3d/Render3DServiceProvider.h"
#include "view3d/View3DDevice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class InputStateTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(m_input.Init(&m_window, 6), 0); }
    void TearDown() override { m_input.Release(); }

    void Key(QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&m_window, &event);
    }
    void Mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent event(type, pos, pos, button, buttons | button, Qt::NoModifier);
        QApplication::sendEvent(&m_window, &event);
    }
    void Wheel(int delta)
    {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&m_window, &event);
    }

    QWidget m_window;
    InputCollector m_input;
};

TEST_F(InputStateTest, KeysMapToTheirCodesAndShowOnlyAfterAPoll)
{
    const struct
    {
        int qtKey;
        int code;
    } keys[] = {{Qt::Key_Up, KEY_UP},       {Qt::Key_Down, KEY_DOWN},    {Qt::Key_Left, KEY_LEFT},
                {Qt::Key_Right, KEY_RIGHT}, {Qt::Key_Shift, KEY_LSHIFT}, {Qt::Key_Control, KEY_LCONTROL}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.code);
        Key(QEvent::KeyPress, k.qtKey);
        EXPECT_FALSE(m_input.Polled().KeyDown(k.code));
        ASSERT_EQ(m_input.Poll(3), 0);
        EXPECT_TRUE(m_input.Polled().KeyDown(k.code));
        Key(QEvent::KeyRelease, k.qtKey, true); // an auto-repeat release is not a release
        m_input.Poll(1);
        EXPECT_TRUE(m_input.Polled().KeyDown(k.code));
        Key(QEvent::KeyRelease, k.qtKey);
        m_input.Poll(1);
        EXPECT_FALSE(m_input.Polled().KeyDown(k.code));
    }
}

TEST_F(InputStateTest, MouseCountsAreRelativeAndResetByEachPoll)
{
    Mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    // A drag: the window sees moves while a button is held.
    Mouse(QEvent::MouseMove, {14, 7}, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {20, 5}, Qt::NoButton, Qt::LeftButton);
    Wheel(240);
    m_input.Poll(3);
    EXPECT_EQ(m_input.Polled().mouse.x, 10);
    EXPECT_EQ(m_input.Polled().mouse.y, -5);
    EXPECT_EQ(m_input.Polled().mouse.wheel, 240);
    EXPECT_TRUE(m_input.Polled().ButtonDown(0));
    m_input.Poll(3);
    EXPECT_EQ(m_input.Polled().mouse.x, 0);
    EXPECT_EQ(m_input.Polled().mouse.y, 0);
    EXPECT_EQ(m_input.Polled().mouse.wheel, 0);
    EXPECT_TRUE(m_input.Polled().ButtonDown(0)); // buttons are states, not counts
    Mouse(QEvent::MouseButtonRelease, {20, 5}, Qt::LeftButton);
    m_input.Poll(2);
    EXPECT_FALSE(m_input.Polled().ButtonDown(0));
}

TEST_F(InputStateTest, InputOfWidgetsInsideTheWindowCountsOnceAndOtherWindowsDoNot)
{
    QWidget child(&m_window);
    QWidget other;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&other, &press);
    m_input.Poll(3);
    EXPECT_FALSE(m_input.Polled().KeyDown(KEY_RIGHT));
    QApplication::sendEvent(&child, &press);
    m_input.Poll(3);
    EXPECT_TRUE(m_input.Polled().KeyDown(KEY_RIGHT));

    // The child ignores the wheel, so it passes on to the window: still one notch.
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&child, &wheel);
    m_input.Poll(3);
    EXPECT_EQ(m_input.Polled().mouse.wheel, 120);
}

TEST_F(InputStateTest, DeactivationDropsHeldKeysAndButtons)
{
    Key(QEvent::KeyPress, Qt::Key_Left);
    Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::MiddleButton);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&m_window, &deactivate);
    m_input.Poll(3);
    EXPECT_FALSE(m_input.Polled().KeyDown(KEY_LEFT));
    EXPECT_FALSE(m_input.Polled().ButtonDown(2));
}

TEST_F(InputStateTest, AfterReleaseNothingIsCollectedAndPollingFails)
{
    m_input.Release();
    Key(QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(m_input.Poll(3), 1);
    ASSERT_EQ(m_input.Init(&m_window, 6), 0);
    m_input.Poll(3);
    EXPECT_FALSE(m_input.Polled().KeyDown(KEY_UP));
}

TEST_F(InputStateTest, TheServicesSetUpAndReleaseTheSameInput)
{
    m_input.Release();
    Render3DServiceProvider services(QString{});
    services.SetInput(&m_input);
    ASSERT_EQ(services.InitDirectInput(&m_window, 6), 0);
    Key(QEvent::KeyPress, Qt::Key_Down);
    ASSERT_EQ(m_input.Poll(3), 0);
    EXPECT_TRUE(m_input.Polled().KeyDown(KEY_DOWN));
    services.ReleaseDirectInput();
    EXPECT_EQ(m_input.Poll(3), 1);
    // Without an input to serve nothing is set up.
    services.SetInput(nullptr);
    EXPECT_EQ(services.InitDirectInput(&m_window, 6), 1);
    EXPECT_EQ(m_input.Poll(3), 1);
    EXPECT_FALSE(m_input.Polled().KeyDown(KEY_DOWN));
}

TEST_F(InputStateTest, ScriptedDragAndHeldArrowMoveTheCamera)
{
    View3DDevice device;
    CCamera camera;
    camera.SetInput(&m_input);
    CTimerManager manager(device);
    const tbVector3 pivot{0.0f, 0.0f, 1.0f};
    const auto frame = [&]() {
        m_input.Poll(3);
        camera.UpdateMouseMode(false);
        return camera.Update(0.05f, &manager, pivot, false);
    };
    frame();
    const float yaw = camera.Yaw();
    const float polar = camera.Polar();
    Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {90, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(camera.MouseMode(), CCamera::MOUSE_ROTATE);
    EXPECT_LT(camera.Yaw(), yaw);     // dragged right
    EXPECT_GT(camera.Polar(), polar); // dragged down
    EXPECT_EQ(frame(), 2);            // no movement since the last poll
    Mouse(QEvent::MouseButtonRelease, {90, 60}, Qt::LeftButton);
    frame();
    EXPECT_EQ(camera.MouseMode(), CCamera::MOUSE_NONE);

    const float before = camera.Yaw();
    Key(QEvent::KeyPress, Qt::Key_Left);
    for (int i = 0; i < 20; ++i)
        frame();
    EXPECT_GT(camera.Yaw(), before);
    Key(QEvent::KeyRelease, Qt::Key_Left);
    frame();
    const float after = camera.Yaw();
    EXPECT_EQ(frame(), 2);
    EXPECT_FLOAT_EQ(camera.Yaw(), after);
    const tbVector3& eye = camera.Eye();
    EXPECT_TRUE(std::isfinite(eye.x) && std::isfinite(eye.y) && std::isfinite(eye.z));
}

} // namespace
