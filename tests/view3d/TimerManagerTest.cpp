// Render managers: the frame step's call order, device checks, the registry and pressed-pixel angles.
#include "view3d/CTimerManager.h"
#include "view3d/InputState.h"
#include "view3d/View3DDevice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class FakeManager : public CTimerManager
{
public:
    FakeManager(View3DDevice& device, std::string name) : CTimerManager(device), m_name(std::move(name)) {}

    int IsActive() override { return Log("IsActive", active); }
    int Update(float, int) override { return Log("Update", update); }
    int Move(float) override { return Log("Move", move); }
    int NeedsRender(float, int state) override
    {
        lastState = state;
        return Log("NeedsRender", needsRender);
    }
    void Render(float) override
    {
        Log("Render", 0);
        if (onRender)
            onRender();
    }
    void OnLostDevice() override { Log("OnLostDevice", 0); }
    int OnResetDevice() override { return Log("OnResetDevice", 0); }

    int active = 1;
    int update = 1;
    int move = 0;
    int needsRender = 1;
    int lastState = -1;
    std::function<void()> onRender;

private:
    int Log(const char* call, int answer)
    {
        g_log.push_back(m_name + "." + call);
        return answer;
    }
    std::string m_name;
};

class TimerManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        m_state = View3DDevice::DeviceState::Ready;
        m_device.SetDevice(
            {[this]() { return m_state; },
             [this]() {
                 g_log.push_back("reset");
                 m_state = m_resetWorks ? View3DDevice::DeviceState::Ready : View3DDevice::DeviceState::Lost;
                 return m_resetWorks;
             }},
            []() { g_log.push_back("before"); }, []() { g_log.push_back("after"); });
    }
    View3DDevice m_device;
    View3DDevice::DeviceState m_state = View3DDevice::DeviceState::Ready;
    bool m_resetWorks = true;
};

TEST_F(TimerManagerTest, FrameStepCallsEachManagerInOrderAndStopsWhereItSays)
{
    FakeManager a(m_device, "a");
    FakeManager b(m_device, "b");
    FakeManager c(m_device, "c");
    FakeManager d(m_device, "d");
    FakeManager e(m_device, "e");
    b.active = 0;
    c.update = 0;
    d.move = 1; // moved: nothing to render this frame
    e.needsRender = 0;
    m_device.RenderAll(0.02f, 1);
    const std::vector<std::string> expected{"a.IsActive", "a.Update",   "a.Move",       "a.NeedsRender",
                                            "a.Render",   "b.IsActive", "c.IsActive",   "c.Update",
                                            "d.IsActive", "d.Update",   "d.Move",       "e.IsActive",
                                            "e.Update",   "e.Move",     "e.NeedsRender"};
    EXPECT_EQ(g_log, expected);
    EXPECT_EQ(a.lastState, 1);
}

TEST_F(TimerManagerTest, FrameStepPollsInputEvenWithoutManagersOrDevice)
{
    QWidget window;
    ASSERT_EQ(m_device.Input().Init(&window, 6), 0);
    for (const auto state : {View3DDevice::DeviceState::Ready, View3DDevice::DeviceState::Unavailable}) {
        m_state = state;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
        m_device.RenderAll(0.02f, 1);
        EXPECT_TRUE(m_device.Input().Polled().KeyDown(KEY_UP));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&window, &release);
        m_device.RenderAll(0.02f, 1);
        EXPECT_FALSE(m_device.Input().Polled().KeyDown(KEY_UP));
    }
    m_device.Input().Release();
    EXPECT_TRUE(g_log.empty());
}

TEST_F(TimerManagerTest, DeviceChecksAndReset)
{
    FakeManager a(m_device, "a");
    m_device.SetDevice({}, {}, {});
    EXPECT_EQ(m_device.CheckDevice(), 0); // no device at all
    SetUp();
    m_state = View3DDevice::DeviceState::Unavailable;
    m_device.RenderAll(0.02f, 1);
    EXPECT_TRUE(g_log.empty());

    m_state = View3DDevice::DeviceState::Lost;
    EXPECT_EQ(m_device.CheckDevice(), 0);
    EXPECT_TRUE(m_device.DeviceLost());

    m_state = View3DDevice::DeviceState::NeedsReset;
    m_resetWorks = false;
    EXPECT_EQ(m_device.CheckDevice(), 0);
    EXPECT_TRUE(m_device.DeviceLost());

    g_log.clear();
    m_state = View3DDevice::DeviceState::NeedsReset;
    m_resetWorks = true;
    m_device.RenderAll(0.02f, 1);
    const std::vector<std::string> expected{"before",        "a.OnLostDevice", "reset",    "a.OnResetDevice",
                                            "after",         "a.IsActive",     "a.Update", "a.Move",
                                            "a.NeedsRender", "a.Render"};
    EXPECT_EQ(g_log, expected);
    EXPECT_EQ(a.lastState, 2);
    EXPECT_FALSE(m_device.DeviceLost());
    EXPECT_EQ(m_device.CheckDevice(), 1); // only once after the new context
}

TEST_F(TimerManagerTest, ManagerDestroyedDuringTheFrameStepIsNotCalledAgain)
{
    auto a = std::make_unique<FakeManager>(m_device, "a");
    auto b = std::make_unique<FakeManager>(m_device, "b");
    auto c = std::make_unique<FakeManager>(m_device, "c");
    a->onRender = [&]() { b.reset(); };
    m_device.RenderAll(0.02f, 1);
    for (const std::string& entry : g_log)
        EXPECT_NE(entry.rfind("b.", 0), 0u) << entry;
    EXPECT_EQ(g_log.back(), "c.Render");
    EXPECT_EQ(m_device.Registry().size(), 2u);
}

TEST_F(TimerManagerTest, RegistryFollowsConstructionAndDestruction)
{
    const std::size_t before = m_device.Registry().size();
    {
        FakeManager a(m_device, "a");
        FakeManager b(m_device, "b");
        ASSERT_EQ(m_device.Registry().size(), before + 2);
        EXPECT_EQ(m_device.Registry()[before], &a);
        EXPECT_EQ(m_device.Registry()[before + 1], &b);
        int x = 0;
        int y = 0;
        a.GetMousePos(x, y);
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
    }
    EXPECT_EQ(m_device.Registry().size(), before);
}

TEST_F(TimerManagerTest, TwoDevicesShareNoManagersWindowsOrInput)
{
    View3DDevice other;
    other.SetDevice({[]() { return View3DDevice::DeviceState::Ready; }, {}}, {}, {});
    QWidget window;
    auto a = std::make_unique<FakeManager>(m_device, "a");
    FakeManager b(other, "b");
    ASSERT_EQ(a->AttachWindow(&window), 0);
    EXPECT_EQ(m_device.Registry(), std::vector<CTimerManager*>{a.get()});
    EXPECT_EQ(other.Registry(), std::vector<CTimerManager*>{&b});
    EXPECT_EQ(m_device.ManagerOf(&window), a.get());
    EXPECT_EQ(other.ManagerOf(&window), nullptr);

    // Each frame step steps its own managers only.
    other.RenderAll(0.02f, 1);
    const std::vector<std::string> onlyB{"b.IsActive", "b.Update", "b.Move", "b.NeedsRender", "b.Render"};
    EXPECT_EQ(g_log, onlyB);

    // The input of one device is not the other's: keys reach the device whose input was set up.
    ASSERT_EQ(m_device.Input().Init(&window, 6), 0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    EXPECT_EQ(other.Input().Poll(3), 1);
    EXPECT_FALSE(other.Input().Polled().KeyDown(KEY_LEFT));
    ASSERT_EQ(m_device.Input().Poll(3), 0);
    EXPECT_TRUE(m_device.Input().Polled().KeyDown(KEY_LEFT));

    // What a manager registered goes with it; the other device keeps its own.
    a.reset();
    EXPECT_TRUE(m_device.Registry().empty());
    EXPECT_EQ(m_device.ManagerOf(&window), nullptr);
    EXPECT_EQ(other.Registry(), std::vector<CTimerManager*>{&b});
}

TEST_F(TimerManagerTest, ResetReachesTheManagersOfItsOwnDeviceOnly)
{
    View3DDevice other;
    other.SetDevice({[]() { return View3DDevice::DeviceState::Ready; }, {}}, {}, {});
    FakeManager a(m_device, "a");
    FakeManager b(other, "b");
    b.active = 0;
    m_state = View3DDevice::DeviceState::NeedsReset;
    m_device.RenderAll(0.02f, 1);
    other.RenderAll(0.02f, 1);
    const std::vector<std::string> expected{"before",        "a.OnLostDevice", "reset",     "a.OnResetDevice",
                                            "after",         "a.IsActive",     "a.Update",  "a.Move",
                                            "a.NeedsRender", "a.Render",       "b.IsActive"};
    EXPECT_EQ(g_log, expected);
}

TEST_F(TimerManagerTest, ManagerAndWindowMayOutliveTheirDevice)
{
    auto device = std::make_unique<View3DDevice>();
    auto window = std::make_unique<QWidget>();
    FakeManager a(*device, "a");
    ASSERT_EQ(a.AttachWindow(window.get()), 0);
    device.reset();
    EXPECT_EQ(a.Device3D(), nullptr);
    window.reset(); // the window's end reaches no device
}

TEST_F(TimerManagerTest, PressAnglesOfPixels)
{
    const float t = std::tan(std::numbers::pi_v<float> / 8.0f);
    const struct
    {
        int px, py, width, height, bufferWidth, bufferHeight;
        float h, v;
    } cases[] = {
        {50, 50, 100, 100, 100, 100, 0.0f, 0.0f},
        {100, 50, 100, 100, 100, 100, std::atan(t), 0.0f},          // right edge: half the field of view
        {50, 0, 100, 100, 100, 100, 0.0f, std::atan(t)},            // top edge: y counts up
        {0, 100, 100, 100, 200, 100, std::atan(-t), std::atan(-t)}, // the shorter side of the buffer counts
        {10, 10, 100, 100, 0, 0, 0.0f, 0.0f},                       // no buffer yet: no angle, no division
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py);
        const tbVector2 a =
            CTimerManager::PressAngles(c.px, c.py, c.width, c.height, c.bufferWidth, c.bufferHeight);
        EXPECT_NEAR(a.x, c.h, 1e-5f);
        EXPECT_NEAR(a.y, c.v, 1e-5f);
    }
}

class ConsumingManager : public CTimerManager
{
public:
    using CTimerManager::CTimerManager;

    int HandleMessage(QWidget* window, QEvent* event) override
    {
        CTimerManager::HandleMessage(window, event);
        return event->type() == QEvent::KeyPress && consumeKeys ? 0 : 2;
    }
    bool consumeKeys = false;
};

class KeyCountingWidget : public QWidget
{
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

TEST_F(TimerManagerTest, AttachedWindowSeesWhatTheManagerPassesOnAndLeavesWhenDestroyed)
{
    ConsumingManager manager(m_device);
    EXPECT_EQ(manager.AttachWindow(nullptr), 1);
    auto window = std::make_unique<KeyCountingWidget>();
    window->resize(100, 100);
    manager.SetBackBufferSize(100, 100);
    ASSERT_EQ(manager.AttachWindow(window.get()), 0);
    EXPECT_EQ(m_device.ManagerOf(window.get()), &manager);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &key);
    EXPECT_EQ(window->keys, 1); // handled nothing: the window behaves as before
    manager.consumeKeys = true;
    QApplication::sendEvent(window.get(), &key);
    EXPECT_EQ(window->keys, 1);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 50), QPointF(100, 50), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &press);
    EXPECT_EQ(manager.IsMouseDown(), 1);
    EXPECT_NEAR(manager.Angles().x, std::atan(std::tan(std::numbers::pi_v<float> / 8.0f)), 1e-5f);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, 50), QPointF(100, 50), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &release);
    EXPECT_EQ(manager.IsMouseDown(), 0);

    manager.SetMiddleLatch(1);
    QMouseEvent middle(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::MiddleButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &middle);
    EXPECT_EQ(manager.MiddleLatch(), 0);

    const QWidget* gone = window.get();
    window.reset();
    EXPECT_EQ(m_device.ManagerOf(gone), nullptr);
}

} // namespace
