// Orbit camera over scripted input states and fixed frame times.
#include "view3d/CCamera.h"
#include "view3d/CTimerManager.h"
#include "view3d/InputState.h"
#include "view3d/View3DDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr float PI = std::numbers::pi_v<float>;

class CameraTest : public testing::Test
{
protected:
    void SetUp() override { m_camera.SetInput(&m_device.Input()); }

    InputState& Input() { return m_device.Input().Polled(); }
    void Hold(int key, bool down = true)
    {
        Input().keyboard[static_cast<std::size_t>(key)] = down ? 0x80 : 0;
    }
    void Button(int index, bool down = true)
    {
        Input().mouse.buttons[static_cast<std::size_t>(index)] = down ? 0x80 : 0;
    }
    // Runs `frames` frames of `time` seconds with the current input.
    void Run(int frames, float time = 0.1f)
    {
        for (int i = 0; i < frames; ++i)
            m_camera.Update(time, &m_manager, m_pivot, false);
    }
    float MaxPolar() const
    {
        const float g = m_camera.GroundHeight();
        return std::acos((g - g * 1.1f) / m_camera.Distance());
    }

    View3DDevice m_device;
    CCamera m_camera;
    CTimerManager m_manager{m_device};
    tbVector3 m_pivot{0.0f, 0.0f, 1.0f};
};

TEST_F(CameraTest, EyeOrbitsTheTargetOnTheSphere)
{
    const struct
    {
        float yaw, polar, distance;
        tbVector3 eye;
    } cases[] = {
        {0.0f, PI / 2, 10.0f, {0.0f, 0.0f, 10.0f}},
        {PI / 2, PI / 2, 4.0f, {4.0f, 0.0f, 0.0f}},
        {PI, PI / 4, 2.0f, {0.0f, std::sqrt(2.0f), -std::sqrt(2.0f)}},
        {-PI / 2, 0.0001f, 5.0f, {-0.0005f, 5.0f, 0.0f}},
    };
    const tbVector3 target{1.0f, 2.0f, 3.0f};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.yaw);
        m_camera.SetTarget(target);
        m_camera.SetAngles(c.yaw, c.polar);
        m_camera.SetDistance(c.distance);
        m_camera.Update(0.1f, &m_manager, m_pivot, true);
        EXPECT_NEAR(m_camera.Eye().x, target.x + c.eye.x, 1e-4f);
        EXPECT_NEAR(m_camera.Eye().y, target.y + c.eye.y, 1e-4f);
        EXPECT_NEAR(m_camera.Eye().z, target.z + c.eye.z, 1e-4f);
    }
}

TEST_F(CameraTest, SetDerivesPolarAngleAndYawFromTheEye)
{
    const struct
    {
        tbVector3 eye;
        float polar, yaw;
    } cases[] = {
        {{0.0f, 0.0f, 5.0f}, PI / 2, 0.0f},   {{0.0f, 0.0f, -5.0f}, PI / 2, PI},
        {{3.0f, 0.0f, 0.0f}, PI / 2, PI / 2}, {{-3.0f, 0.0f, 0.0f}, PI / 2, -PI / 2},
        {{0.0f, 4.0f, 4.0f}, PI / 4, 0.0f},   {{-2.0f, 1.0f, -3.0f}, 1.30f, -2.55f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.eye.x * 100 + c.eye.y * 10 + c.eye.z);
        m_camera.Set(nullptr, c.eye, {}, 0.0f, 0.0f, 0.0f);
        // The 0.0001 added to each normalised length leaves about 0.015 of slack in the angles.
        EXPECT_NEAR(m_camera.Polar(), c.polar, 0.02f);
        EXPECT_NEAR(m_camera.Yaw(), c.yaw, 0.02f);
        // The eye that Update places lies on the same side of the target, along the same direction.
        m_camera.Update(0.0f, &m_manager, m_pivot, true);
        const tbVector3 placed = tbVector3Normalize(m_camera.Eye() - m_camera.Target());
        const tbVector3 given = tbVector3Normalize(c.eye);
        EXPECT_GT(tbVector3Dot(placed, given), 0.999f);
    }
    // Degenerate directions stay finite: straight above, and eye on the target.
    for (const tbVector3& eye : {tbVector3{0.0f, 5.0f, 0.0f}, tbVector3{}}) {
        m_camera.Set(nullptr, eye, {}, 0.0f, 0.0f, 0.0f);
        EXPECT_TRUE(std::isfinite(m_camera.Polar()));
        EXPECT_TRUE(std::isfinite(m_camera.Yaw()));
    }
    EXPECT_TRUE(std::isfinite(GetVectorAngle({1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f})));
    EXPECT_NEAR(GetVectorAngle({1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 2.0f}), PI / 2, 1e-4f);
}

TEST_F(CameraTest, PolarAngleStaysBetweenTheTopAndTheGroundLimit)
{
    for (const bool lowFloor : {false, true}) {
        SCOPED_TRACE(lowFloor);
        m_camera.SetLowFloor(lowFloor);
        EXPECT_FLOAT_EQ(m_camera.GroundHeight(), lowFloor ? 0.8f : 1.25f);
        Hold(KEY_UP);
        Run(40);
        EXPECT_FLOAT_EQ(m_camera.Polar(), 0.0001f);
        EXPECT_GT(m_camera.Eye().y, m_camera.Target().y); // never exactly above: x or z off the target
        EXPECT_NEAR(m_camera.Target().y, m_camera.GroundHeight() * 1.1f, 1e-6f);
        Hold(KEY_UP, false);
        Hold(KEY_DOWN);
        Run(40);
        EXPECT_NEAR(m_camera.Polar(), MaxPolar(), 1e-5f);
        EXPECT_NEAR(m_camera.Eye().y, m_camera.GroundHeight(), 1e-4f); // the eye stops at the ground
        Hold(KEY_DOWN, false);
    }
}

TEST_F(CameraTest, HeldArrowTurnsWithTheRampedValue)
{
    Hold(KEY_LEFT);
    const float yaw0 = m_camera.Yaw();
    Run(1);
    EXPECT_FLOAT_EQ(m_camera.Yaw(), yaw0); // first frame: value 0
    Run(1);
    EXPECT_NEAR(m_camera.Yaw() - yaw0, PI / 2 * 0.2f * 0.1f, 1e-5f);
    Run(10);
    const float before = m_camera.Yaw();
    Run(1);
    EXPECT_NEAR(m_camera.Yaw() - before, PI / 2 * 0.1f, 1e-5f); // full speed after the ramp
    Hold(KEY_LEFT, false);
    Hold(KEY_RIGHT);
    const float turned = m_camera.Yaw();
    Run(2);
    EXPECT_LT(m_camera.Yaw(), turned);
}

TEST_F(CameraTest, ShiftZoomsWithinDistanceAndWidthLimits)
{
    Hold(KEY_LSHIFT);
    Hold(KEY_DOWN);
    Run(60);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 50.0f);
    Hold(KEY_DOWN, false);
    Hold(KEY_UP);
    const float polar = m_camera.Polar();
    Run(60);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 1.0f);
    EXPECT_FLOAT_EQ(m_camera.Polar(), std::min(polar, MaxPolar())); // zoom does not tilt
    Hold(KEY_UP, false);

    m_camera.SetOrthographic(true);
    Hold(KEY_RSHIFT);
    Hold(KEY_LSHIFT, false);
    Hold(KEY_DOWN);
    Run(80);
    EXPECT_FLOAT_EQ(m_camera.OrthoWidth(), 70.0f);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 50.0f);
    Hold(KEY_DOWN, false);
    Hold(KEY_UP);
    Run(80);
    EXPECT_FLOAT_EQ(m_camera.OrthoWidth(), 1.0f);
}

TEST_F(CameraTest, CtrlPansInTheViewPlaneWithinTheTargetLimits)
{
    m_camera.SetSceneLength(10.0f);
    Hold(KEY_LCONTROL);
    Hold(KEY_UP);
    const float yaw = m_camera.Yaw(); // 0: looking along -z
    Run(1, 0.2f);
    const float step = 10.0f * 0.04f * (0.05f + 0.95f * std::sqrt(15.0f / 50.0f));
    EXPECT_NEAR(m_camera.Target().z, -step, 1e-5f);
    EXPECT_NEAR(m_camera.Target().x, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(m_camera.Yaw(), yaw);
    Run(2000, 0.2f);
    EXPECT_FLOAT_EQ(m_camera.Target().z, -13.0f);
    Hold(KEY_UP, false);
    Hold(KEY_DOWN);
    Run(2000, 0.2f);
    EXPECT_FLOAT_EQ(m_camera.Target().z, 3.5f);
    Hold(KEY_DOWN, false);
    for (const int key : {KEY_LEFT, KEY_RIGHT}) {
        SCOPED_TRACE(key);
        Hold(key);
        Run(2000, 0.2f);
        EXPECT_FLOAT_EQ(std::abs(m_camera.Target().x), 5.5f);
        Hold(key, false);
    }
    EXPECT_FLOAT_EQ(m_camera.Distance(), 15.0f);
}

TEST_F(CameraTest, ShiftCtrlTurnsOncePerPressAndNeverZoomsOrPans)
{
    Hold(KEY_LSHIFT);
    Hold(KEY_RCONTROL);
    const struct
    {
        int key;
        float turn;
    } cases[] = {{KEY_LEFT, PI / 4}, {KEY_RIGHT, -PI / 4}, {KEY_UP, -PI}, {KEY_DOWN, -PI}};
    Run(1);
    const tbVector3 target = m_camera.Target();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const float yaw = m_camera.Yaw();
        Hold(c.key);
        // Up and down swing round in a half-turn of a few frames; held on, nothing more happens.
        Run(20);
        EXPECT_NEAR(m_camera.Yaw() - yaw, c.turn, 1e-5f);
        EXPECT_FALSE(m_camera.IsHalfTurnRunning());
        Hold(c.key, false);
        Run(1);
        Hold(c.key);
        Run(20);
        EXPECT_NEAR(m_camera.Yaw() - yaw, 2 * c.turn, 1e-5f);
        Hold(c.key, false);
        Run(1);
    }
    const float yaw = m_camera.Yaw();
    Button(0);
    Run(3);
    EXPECT_NEAR(m_camera.Yaw() - yaw, -PI / 4, 1e-5f);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 15.0f);
    EXPECT_EQ(m_camera.Target(), target);
}

TEST_F(CameraTest, MouseModeFollowsButtonAndModifiers)
{
    const struct
    {
        bool left, ctrl, shift;
        int mode;
    } cases[] = {
        {false, true, true, CCamera::MOUSE_NONE}, {true, false, false, CCamera::MOUSE_ROTATE},
        {true, true, false, CCamera::MOUSE_PAN},  {true, false, true, CCamera::MOUSE_ZOOM},
        {true, true, true, CCamera::MOUSE_ZOOM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Input() = InputState{};
        Button(0, c.left);
        Hold(KEY_RCONTROL, c.ctrl);
        Hold(KEY_RSHIFT, c.shift);
        m_camera.UpdateMouseMode(false);
        EXPECT_EQ(m_camera.MouseMode(), c.mode);
    }
}

TEST_F(CameraTest, MouseRotateZoomAndPan)
{
    Button(0);
    m_camera.UpdateMouseMode(false);
    Input().mouse.x = 50;
    Input().mouse.y = 20;
    const float yaw = m_camera.Yaw();
    const float polar = m_camera.Polar();
    Run(1);
    // Pivot in front (z > 0): dragging right turns the yaw down, dragging down tilts towards the ground.
    EXPECT_LT(m_camera.Yaw(), yaw);
    EXPECT_GT(m_camera.Polar(), polar);
    const float nearTurn = yaw - m_camera.Yaw();
    m_pivot = {0.0f, 0.0f, -40.0f}; // far pivot behind: a tenth of the speed, reversed
    const float yaw2 = m_camera.Yaw();
    Run(1);
    EXPECT_NEAR(m_camera.Yaw() - yaw2, 50 * 0.006f * 0.1f, 1e-5f);
    EXPECT_GT(nearTurn, m_camera.Yaw() - yaw2);

    Hold(KEY_LSHIFT);
    m_camera.UpdateMouseMode(false);
    Input().mouse.y = 100;
    Run(1);
    EXPECT_NEAR(m_camera.Distance(), 15.0f - 9.0f, 1e-4f);
    Input().mouse.y = -10000;
    Run(1);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 50.0f);
    m_camera.SetDistance(15.0f);
    m_camera.SetOrthographic(true);
    const float width = m_camera.OrthoWidth();
    Input().mouse.y = 10;
    Run(1);
    EXPECT_NEAR(m_camera.OrthoWidth(), width - 0.75f * 0.9f, 1e-4f);
    m_camera.SetOrthographic(false);

    Hold(KEY_LSHIFT, false);
    Hold(KEY_LCONTROL);
    m_camera.UpdateMouseMode(false);
    Input().mouse = MouseInputState{};
    Input().mouse.x = 100;
    Input().mouse.buttons[0] = 0x80;
    m_camera.SetAngles(0.0f, m_camera.Polar()); // sideways is along x
    const tbVector3 target = m_camera.Target();
    Run(1);
    EXPECT_NE(m_camera.Target().x, target.x);
    EXPECT_NEAR(m_camera.Target().z, target.z, 1e-5f);
    Input().mouse.x = 1000000;
    Input().mouse.y = -1000000;
    Run(1);
    EXPECT_FLOAT_EQ(std::abs(m_camera.Target().x), 5.5f);
    EXPECT_LE(m_camera.Target().z, 3.5f);
}

TEST_F(CameraTest, WheelZoomsAndMiddleButtonTurnsOncePerLatch)
{
    Input().mouse.wheel = 240;
    Run(1);
    EXPECT_NEAR(m_camera.Distance(), 15.0f + 2.4f, 1e-4f);
    Input().mouse.wheel = -100000;
    Run(1);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 1.0f);
    Input().mouse.wheel = 0;

    const float yaw = m_camera.Yaw();
    Button(2);
    Run(3);
    EXPECT_NEAR(m_camera.Yaw() - yaw, -PI / 4, 1e-5f);
    EXPECT_EQ(m_manager.MiddleLatch(), 1);
    m_manager.SetMiddleLatch(0); // the button went up
    Run(1);
    EXPECT_NEAR(m_camera.Yaw() - yaw, -PI / 2, 1e-5f);
}

TEST_F(CameraTest, OrthographicOnThenOffRestoresTheDistance)
{
    m_camera.SetDistance(20.0f);
    m_camera.SetOrthographic(true);
    EXPECT_TRUE(m_camera.IsOrthographic());
    EXPECT_FLOAT_EQ(m_camera.Distance(), 50.0f);
    EXPECT_NEAR(m_camera.OrthoWidth(), 20.0f * 1.47494f, 1e-4f);
    m_camera.SetOrthographic(false);
    EXPECT_FALSE(m_camera.IsOrthographic());
    EXPECT_NEAR(m_camera.Distance(), 20.0f, 1e-4f);

    // The narrowest width maps back to the shortest distance, not below it.
    m_camera.SetOrthographic(true);
    Hold(KEY_LSHIFT);
    Hold(KEY_UP);
    Run(80);
    ASSERT_FLOAT_EQ(m_camera.OrthoWidth(), 1.0f);
    m_camera.SetOrthographic(false);
    EXPECT_FLOAT_EQ(m_camera.Distance(), 1.0f);
}

TEST_F(CameraTest, UpdateAnswersZeroOnlyWhenTheViewChanged)
{
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 0); // first frame: eye placed
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 2);
    Input().mouse.wheel = 120;
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 0);
    Input().mouse.wheel = 0;
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 2);
    m_camera.SetOrthographic(true);
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 0);
    Input().mouse.wheel = 120; // orthographic: only the width changes
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 0);
    Input().mouse.wheel = 0;
    EXPECT_EQ(m_camera.Update(0.1f, &m_manager, m_pivot, false), 2);
}

TEST_F(CameraTest, AnyScriptedInputKeepsEyeAndTargetFinite)
{
    std::mt19937 random(7);
    const int keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LSHIFT, KEY_RCONTROL};
    std::uniform_int_distribution<int> count(-100000, 100000);
    std::uniform_real_distribution<float> time(0.0f, 3.0f);
    for (int frame = 0; frame < 3000; ++frame) {
        for (const int key : keys)
            Hold(key, (random() & 1) != 0);
        for (int b = 0; b < 4; ++b)
            Button(b, (random() & 1) != 0);
        Input().mouse.x = count(random);
        Input().mouse.y = count(random);
        Input().mouse.wheel = count(random);
        if (frame % 97 == 0)
            m_camera.SetOrthographic(!m_camera.IsOrthographic());
        if (frame % 13 == 0)
            m_manager.SetMiddleLatch(0);
        m_pivot = {static_cast<float>(count(random)), 0.0f, static_cast<float>(count(random))};
        m_camera.UpdateMouseMode(false);
        m_camera.Update(time(random), &m_manager, m_pivot, false);
        const tbVector3& e = m_camera.Eye();
        const tbVector3& t = m_camera.Target();
        ASSERT_TRUE(std::isfinite(e.x) && std::isfinite(e.y) && std::isfinite(e.z)) << frame;
        ASSERT_TRUE(std::isfinite(t.x) && std::isfinite(t.y) && std::isfinite(t.z)) << frame;
        ASSERT_GE(m_camera.Polar(), 0.0001f);
        ASSERT_LE(m_camera.Polar(), MaxPolar() + 1e-5f);
    }
}

TEST_F(CameraTest, HalfTurnSwingsOverTheTopAndEndsTurnedByPi)
{
    m_camera.SetAngles(0.3f, 0.8f);
    Hold(KEY_LSHIFT);
    Hold(KEY_LCONTROL);
    Hold(KEY_UP);
    Run(1, 0.0f);
    Hold(KEY_UP, false);
    ASSERT_TRUE(m_camera.IsHalfTurnRunning());
    // The sweep runs at the pitch speed: 0.8 up to the top and 0.8 down again, 1.6 / (pi / 2) seconds.
    const float total = 2.0f * (0.8f - 0.0001f);
    const float step = 0.05f;
    float swept = 0.0f, lastYaw = m_camera.Yaw();
    bool flipped = false;
    while (m_camera.IsHalfTurnRunning()) {
        Run(1, step);
        swept += PI / 2 * step;
        ASSERT_LT(swept, total + PI / 2 * step * 1.5f);
        if (!m_camera.IsHalfTurnRunning())
            break;
        // The yaw swings steadily, the polar angle stays in range and the eye never goes below the target.
        EXPECT_LT(m_camera.Yaw(), lastYaw);
        lastYaw = m_camera.Yaw();
        EXPECT_GE(m_camera.Polar(), 0.0001f);
        EXPECT_LE(m_camera.Polar(), 0.8f + 1e-5f);
        EXPECT_NEAR(m_camera.Yaw(), 0.3f - PI * swept / total, 1e-4f);
        flipped = flipped || m_camera.IsHalfTurnFlipped();
        EXPECT_EQ(m_camera.IsHalfTurnFlipped(), swept >= total / 2);
    }
    EXPECT_TRUE(flipped);
    EXPECT_NEAR(m_camera.Yaw(), 0.3f - PI, 1e-5f);
    EXPECT_NEAR(m_camera.Polar(), 0.8f, 1e-5f);
    EXPECT_FALSE(m_camera.IsHalfTurnFlipped());
}

TEST_F(CameraTest, UpRaisesTheEyeWhileTheHalfTurnIsFlipped)
{
    m_camera.SetAngles(0.0f, 1.0f);
    Hold(KEY_LSHIFT);
    Hold(KEY_LCONTROL);
    Hold(KEY_DOWN);
    Run(1, 0.0f);
    Hold(KEY_DOWN, false);
    Hold(KEY_LSHIFT, false);
    Hold(KEY_LCONTROL, false);
    // Past the top: the half-turn lowers the eye again, and up lowers it further instead of raising it.
    Run(1, 1.2f / (PI / 2));
    ASSERT_TRUE(m_camera.IsHalfTurnFlipped());
    const float before = m_camera.Polar();
    Hold(KEY_UP);
    Run(1, 0.0f);
    Run(10, 0.02f);
    Hold(KEY_UP, false);
    // Without the key the half-turn alone would have moved it by pitch speed x 0.2.
    EXPECT_GT(m_camera.Polar(), before + PI / 2 * 0.2f - 1e-4f);
}

} // namespace
