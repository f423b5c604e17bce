// Orbit camera: keyboard and mouse steering, limits and the eye position.
#include "view3d/CCamera.h"

#include "view3d/CTimerManager.h"
#include "view3d/InputCollector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float PI = std::numbers::pi_v<float>;
constexpr float STEP_ANGLE = PI / 4.0f;

// Normalises with 0.0001 added to the length, so a zero vector stays finite.
tbVector3 SoftNormalize(const tbVector3& v)
{
    return v / (tbVector3Length(v) + 0.0001f);
}

// acos with the cosine clamped first: rounding can push it just past ±1.
float SafeAcos(float cosine)
{
    if (std::isnan(cosine))
        return 0.0f;
    return std::acos(std::clamp(cosine, -1.0f, 1.0f));
}

constexpr std::array<int, 4> ARROWS{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};

} // namespace

float GetVectorAngle(const tbVector3& a, const tbVector3& b)
{
    return SafeAcos(tbVector3Dot(SoftNormalize(a), SoftNormalize(b)));
}

CCamera::CCamera()
{
    m_accel[ACCEL_RAISE].InitKey(KEY_UP, 0.75f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_LOWER].InitKey(KEY_DOWN, 0.75f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_ZOOM_OUT].InitKey(KEY_DOWN, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_ZOOM_IN].InitKey(KEY_UP, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_YAW_RIGHT].InitKey(KEY_RIGHT, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_YAW_LEFT].InitKey(KEY_LEFT, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    m_accel[ACCEL_ANY].Init(ARROWS.data(), static_cast<int>(ARROWS.size()), 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
}

void CCamera::Set(void* owner, const tbVector3& eye, const tbVector3& target, float a, float b, float c)
{
    m_owner = owner;
    m_eye = eye;
    m_target = target;
    m_values = {a, b, c};
    const tbVector3 dir = SoftNormalize(eye - target);
    m_polar = SafeAcos(dir.y);
    const tbVector3 horizontal = SoftNormalize(tbVector3{dir.x, 0.0f, dir.z});
    // Yaw 0 looks from +z, as the eye formula of Update places it.
    m_yaw = SafeAcos(tbVector3Dot(horizontal, tbVector3{0.0f, 0.0f, 1.0f}));
    if (horizontal.x < 0.0f)
        m_yaw = -m_yaw;
}

void CCamera::SetCallback(Callback callback, void* argument)
{
    m_callback = callback;
    m_callbackArgument = argument;
}

tbMatrix CCamera::GetViewMatrix() const
{
    return tbMatrixCamera(m_eye, m_target, tbVector3{0.0f, 1.0f, 0.0f});
}

void CCamera::SetOrthographic(bool on)
{
    if (on) {
        m_savedDistance = m_distance;
        m_orthoWidth = m_distance * ORTHO_WIDTH_FACTOR;
        m_orthographic = true;
        m_distance = ORTHO_DISTANCE;
    } else {
        // A narrow width would give a distance below the minimum, where the pan speed has no real root.
        m_distance = std::clamp(m_orthoWidth / ORTHO_WIDTH_FACTOR, MIN_DISTANCE, MAX_DISTANCE);
        m_orthographic = false;
    }
}

const InputState& CCamera::PolledInput() const
{
    static const InputState none;
    return m_pInput != nullptr ? m_pInput->Polled() : none;
}

void CCamera::UpdateMouseMode(bool poll)
{
    if (poll && m_pInput != nullptr)
        m_pInput->Poll(3);
    const InputState& input = PolledInput();
    m_mouseMode = MOUSE_NONE;
    if (input.ButtonDown(0)) {
        m_mouseMode = MOUSE_ROTATE;
        if (input.KeyDown(KEY_LCONTROL) || input.KeyDown(KEY_RCONTROL))
            m_mouseMode = MOUSE_PAN;
        if (input.KeyDown(KEY_LSHIFT) || input.KeyDown(KEY_RSHIFT))
            m_mouseMode = MOUSE_ZOOM;
    }
}

void CCamera::ClampPolar()
{
    const float targetHeight = m_groundHeight * 1.1f;
    const float limit = SafeAcos((m_groundHeight - targetHeight) / std::max(m_distance, MIN_DISTANCE));
    m_polar = std::clamp(m_polar, MIN_POLAR, std::max(limit, MIN_POLAR));
}

void CCamera::ClampTarget()
{
    m_target.x = std::clamp(m_target.x, -TARGET_X_LIMIT, TARGET_X_LIMIT);
    m_target.z = std::clamp(m_target.z, -(TARGET_Z_REAR_MARGIN + m_sceneLength), TARGET_Z_FRONT);
}

void CCamera::Pan(float forward, float sideways)
{
    // Forward is the horizontal viewing direction, sideways its right-hand side.
    const float a = m_yaw - PI;
    m_target.x += forward * std::sin(a) + sideways * std::cos(a);
    m_target.z += forward * std::cos(a) - sideways * std::sin(a);
    ClampTarget();
}

void CCamera::ApplyKeyboard(float time, const InputState& input, const std::array<float, ACCEL_COUNT>& value)
{
    const bool shift = input.KeyDown(KEY_LSHIFT) || input.KeyDown(KEY_RSHIFT);
    const bool ctrl = input.KeyDown(KEY_LCONTROL) || input.KeyDown(KEY_RCONTROL);
    const bool up = input.KeyDown(KEY_UP);
    const bool down = input.KeyDown(KEY_DOWN);
    const bool left = input.KeyDown(KEY_LEFT);
    const bool right = input.KeyDown(KEY_RIGHT);

    if (shift && ctrl) {
        auto newPress = [&](bool held, bool& latch) {
            const bool fire = held && !latch;
            if (held)
                latch = true;
            return fire;
        };
        if (newPress(input.ButtonDown(0), m_leftLatch))
            m_yaw -= STEP_ANGLE;
        if (newPress(up, m_arrowLatch[0]))
            StartHalfTurn();
        if (newPress(down, m_arrowLatch[1]))
            StartHalfTurn();
        if (newPress(right, m_arrowLatch[3]))
            m_yaw -= STEP_ANGLE;
        if (newPress(left, m_arrowLatch[2]))
            m_yaw += STEP_ANGLE;
        return;
    }
    if (ctrl) {
        const float step = PAN_SPEED * time * time * (0.05f + 0.95f * std::sqrt(m_distance / MAX_DISTANCE));
        const float forward = (up ? step : 0.0f) - (down ? step : 0.0f);
        const float sideways = (right ? step : 0.0f) - (left ? step : 0.0f);
        if (forward != 0.0f || sideways != 0.0f)
            Pan(forward, sideways);
        return;
    }
    if (shift) {
        const float change = (down ? ZOOM_SPEED * value[ACCEL_ZOOM_OUT] * time : 0.0f) -
                             (up ? ZOOM_SPEED * value[ACCEL_ZOOM_IN] * time : 0.0f);
        if (m_orthographic)
            m_orthoWidth = std::clamp(m_orthoWidth + change, MIN_WIDTH, MAX_WIDTH);
        else
            m_distance = std::clamp(m_distance + change, MIN_DISTANCE, MAX_DISTANCE);
    }
    if (left)
        m_yaw += m_yawSpeed * value[ACCEL_YAW_LEFT] * time;
    if (right)
        m_yaw -= m_yawSpeed * value[ACCEL_YAW_RIGHT] * time;
    if (!shift) {
        // Past the top of a half-turn the picture stands the other way round: up raises the eye.
        if (up)
            m_polar += (m_halfTurnFlipped ? 1.0f : -1.0f) * m_pitchSpeed * value[ACCEL_RAISE] * time;
        if (down)
            m_polar += m_pitchSpeed * value[ACCEL_LOWER] * time;
    }
    ClampPolar();
}

void CCamera::StartHalfTurn()
{
    if (m_halfTurn)
        return;
    m_halfTurn = true;
    m_halfTurnFlipped = false;
    m_halfTurnSweep = 0.0f;
    m_halfTurnPolar = m_polar;
    m_halfTurnYaw = m_yaw;
}

void CCamera::StepHalfTurn(float time)
{
    if (!m_halfTurn)
        return;
    // Up to the top and down again on the other side, added to what the keys did; the yaw follows the
    // share of the sweep done.
    const float rise = std::max(0.0f, m_halfTurnPolar - MIN_POLAR);
    const float total = 2.0f * rise;
    const float before = m_halfTurnSweep;
    const float step = std::clamp(m_pitchSpeed * time, 0.0f, std::max(0.0f, total - before));
    m_halfTurnSweep = before + step;
    const float up = std::clamp(rise - before, 0.0f, step);
    m_polar += (step - up) - up;
    if (!(total > 0.0f) || m_halfTurnSweep >= total) {
        m_yaw = m_halfTurnYaw - PI;
        m_halfTurn = false;
        m_halfTurnFlipped = false;
    } else {
        m_yaw -= PI * step / total;
        m_halfTurnFlipped = m_halfTurnSweep >= rise;
    }
    ClampPolar();
}

void CCamera::ApplyMouse(const InputState& input, CTimerManager* manager, const tbVector3& pivot)
{
    const auto x = static_cast<float>(input.mouse.x);
    const auto y = static_cast<float>(input.mouse.y);
    switch (m_mouseMode) {
    case MOUSE_ROTATE: {
        float s = (PIVOT_DISTANCE - std::min(tbVector3Length(pivot - m_target), 13.5f)) / PIVOT_DISTANCE;
        if (!(pivot.z > 0.0f))
            s = -s;
        m_yaw -= x * MOUSE_FACTOR * s;
        m_polar += y * MOUSE_FACTOR * s;
        ClampPolar();
        break;
    }
    case MOUSE_ZOOM: {
        const float change = MOUSE_FACTOR * ZOOM_SPEED * y;
        if (m_orthographic)
            m_orthoWidth = std::clamp(m_orthoWidth - 0.75f * change, MIN_WIDTH, MAX_WIDTH);
        else
            m_distance = std::clamp(m_distance - change, MIN_DISTANCE, MAX_DISTANCE);
        ClampPolar();
        break;
    }
    case MOUSE_PAN: {
        const float k = MOUSE_FACTOR * 7.5f *
                        std::sqrt(std::max(0.0f, 0.005625f + 0.994375f * (m_distance - MIN_DISTANCE) /
                                                                 (MAX_DISTANCE - MIN_DISTANCE)));
        if (x != 0.0f || y != 0.0f)
            Pan(y * k, -x * k);
        break;
    }
    default: {
        const float wheel = WHEEL_FACTOR * static_cast<float>(input.mouse.wheel);
        if (wheel != 0.0f) {
            if (m_orthographic)
                m_orthoWidth = std::clamp(m_orthoWidth + wheel, MIN_WIDTH, MAX_WIDTH);
            else
                m_distance = std::clamp(m_distance + wheel, MIN_DISTANCE, MAX_DISTANCE);
            ClampPolar();
        }
        if (manager != nullptr && input.ButtonDown(2) && manager->MiddleLatch() == 0) {
            manager->SetMiddleLatch(1);
            m_yaw -= STEP_ANGLE;
        }
        break;
    }
    }
}

int CCamera::Update(float time, CTimerManager* manager, const tbVector3& pivot, bool noInput)
{
    if (!std::isfinite(time) || time < 0.0f)
        time = 0.0f;
    if (!noInput) {
        const InputState& input = PolledInput();
        m_target.y = m_groundHeight * 1.1f;
        if (!input.ButtonDown(0))
            m_leftLatch = false;
        for (std::size_t i = 0; i < ARROWS.size(); ++i)
            if (!input.KeyDown(ARROWS[i]))
                m_arrowLatch[i] = false;
        if (m_callback != nullptr) {
            m_callback(m_eye, m_target, m_values[0], m_callbackArgument);
            return 2;
        }
        std::array<float, ACCEL_COUNT> value{};
        for (std::size_t i = 0; i < value.size(); ++i)
            value[i] = m_accel[i].GetValue(time, input);
        ApplyKeyboard(time, input, value);
        ApplyMouse(input, manager, pivot);
        StepHalfTurn(time);
        // A distance changed outside the input (orthographic switch) may leave the eye below the ground.
        ClampPolar();
    }
    const float sp = std::sin(m_polar);
    m_eye = m_target + m_distance * tbVector3{sp * std::sin(m_yaw), std::cos(m_polar), sp * std::cos(m_yaw)};
    const bool changed = !m_hasLast || m_eye != m_lastEye || m_target != m_lastTarget ||
                         (m_orthographic && m_orthoWidth != m_lastWidth);
    m_hasLast = true;
    m_lastEye = m_eye;
    m_lastTarget = m_target;
    m_lastWidth = m_orthoWidth;
    return changed ? 0 : 2;
}
