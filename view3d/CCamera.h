// Orbit camera of the 3D view: a target, two angles and a distance, steered by keyboard and mouse.
#pragma once

#include "model/base/tbMatrix.h"
#include "model/base/tbVector3.h"
#include "view3d/CKeyAccel.h"

#include <array>

class CTimerManager;
class InputCollector;
struct InputState;

// Angle between two vectors (acos of the dot product of both normalised, cosine clamped to ±1).
float GetVectorAngle(const tbVector3& a, const tbVector3& b);

class CCamera
{
public:
    using Callback = void (*)(const tbVector3& eye, const tbVector3& target, float value, void* argument);

    // Tuning values.
    static constexpr float MIN_DISTANCE = 1.0f;
    static constexpr float MAX_DISTANCE = 50.0f;
    static constexpr float MIN_WIDTH = 1.0f;
    static constexpr float MAX_WIDTH = 70.0f;
    static constexpr float ZOOM_SPEED = 15.0f;
    static constexpr float PAN_SPEED = 10.0f;
    static constexpr float TARGET_X_LIMIT = 5.5f;
    static constexpr float TARGET_Z_FRONT = 3.5f;
    static constexpr float TARGET_Z_REAR_MARGIN = 3.0f;
    static constexpr float MOUSE_FACTOR = 0.006f;
    static constexpr float WHEEL_FACTOR = 0.01f;
    static constexpr float PIVOT_DISTANCE = 15.0f;
    static constexpr float GROUND_HEIGHT = 1.25f;
    static constexpr float GROUND_HEIGHT_LOW_FLOOR = 0.8f;
    static constexpr float ORTHO_DISTANCE = 50.0f;
    static constexpr float ORTHO_WIDTH_FACTOR = 1.47494f;
    static constexpr float MIN_POLAR = 0.0001f;

    enum MouseMode
    {
        MOUSE_NONE = 0,
        MOUSE_ROTATE = 1,
        MOUSE_ZOOM = 2,
        MOUSE_PAN = 3,
    };

    CCamera();
    virtual ~CCamera() = default;

    // Stores owner, eye, target and the three values; derives the polar angle and the yaw from eye - target.
    void Set(void* owner, const tbVector3& eye, const tbVector3& target, float a, float b, float c);
    void SetCallback(Callback callback, void* argument);
    // The input the camera is steered by (its view's device's); without one the camera sees no input.
    void SetInput(InputCollector* input) { m_pInput = input; }

    tbMatrix GetViewMatrix() const;
    void SetOrthographic(bool on);
    // Mode from the left button and the modifiers; polls both devices first when `poll` is set.
    void UpdateMouseMode(bool poll);
    // Moves the camera by the polled input over `time` seconds; 0 when eye, target (or the orthographic
    // width) changed since the previous call, 2 otherwise.
    int Update(float time, CTimerManager* manager, const tbVector3& pivot, bool noInput);

    // The active vehicle's low floor lowers the ground height; the scene length widens the rear target limit.
    void SetLowFloor(bool lowFloor) { m_groundHeight = lowFloor ? GROUND_HEIGHT_LOW_FLOOR : GROUND_HEIGHT; }
    void SetSceneLength(float length) { m_sceneLength = length; }

    const tbVector3& Eye() const { return m_eye; }
    const tbVector3& Target() const { return m_target; }
    void SetTarget(const tbVector3& target) { m_target = target; }
    float Yaw() const { return m_yaw; }
    float Polar() const { return m_polar; }
    float Distance() const { return m_distance; }
    void SetAngles(float yaw, float polar) { m_yaw = yaw, m_polar = polar; }
    void SetDistance(float distance) { m_distance = distance; }
    bool IsOrthographic() const { return m_orthographic; }
    float OrthoWidth() const { return m_orthoWidth; }
    int MouseMode() const { return m_mouseMode; }
    float GroundHeight() const { return m_groundHeight; }
    // The half-turn of the step turns up and down: running, and past the top (the view flipped).
    bool IsHalfTurnRunning() const { return m_halfTurn; }
    bool IsHalfTurnFlipped() const { return m_halfTurnFlipped; }

private:
    enum Accel
    {
        ACCEL_RAISE,
        ACCEL_LOWER,
        ACCEL_ZOOM_OUT,
        ACCEL_ZOOM_IN,
        ACCEL_YAW_RIGHT,
        ACCEL_YAW_LEFT,
        ACCEL_ANY,
        ACCEL_COUNT,
    };

    void ClampPolar();
    void ClampTarget();
    void Pan(float forward, float sideways);
    const InputState& PolledInput() const;
    void ApplyKeyboard(float time, const InputState& input, const std::array<float, ACCEL_COUNT>& value);
    void ApplyMouse(const InputState& input, CTimerManager* manager, const tbVector3& pivot);
    // Starts the half-turn (nothing while one runs) and moves a running one on by `time` seconds.
    void StartHalfTurn();
    void StepHalfTurn(float time);

    void* m_owner = nullptr;
    InputCollector* m_pInput = nullptr;
    tbVector3 m_eye{-2.0f, 2.5f, 4.0f};
    tbVector3 m_target{0.0f, 0.0f, 0.0f};
    tbVector3 m_lastEye{};
    tbVector3 m_lastTarget{};
    float m_lastWidth = -1.0f;
    bool m_hasLast = false;
    std::array<float, 3> m_values{};
    Callback m_callback = nullptr;
    void* m_callbackArgument = nullptr;
    float m_yaw = 0.0f;
    float m_polar = 0.78539816f;
    float m_distance = 15.0f;
    float m_yawSpeed = 1.5707963f;
    float m_pitchSpeed = 1.5707963f;
    std::array<CKeyAccel, ACCEL_COUNT> m_accel;
    int m_mouseMode = MOUSE_NONE;
    bool m_orthographic = false;
    float m_orthoWidth = 25.0f;
    float m_savedDistance = 15.0f;
    float m_groundHeight = GROUND_HEIGHT;
    float m_sceneLength = 0.0f;
    // Step turns fire once per press: set while the input stays down.
    bool m_leftLatch = false;
    std::array<bool, 4> m_arrowLatch{};
    // The half-turn: the polar angle sweeps over the top and back at the pitch speed while the yaw swings
    // by pi; the sweep so far, its start values, and whether it has passed the top.
    bool m_halfTurn = false;
    bool m_halfTurnFlipped = false;
    float m_halfTurnSweep = 0.0f;
    float m_halfTurnPolar = 0.0f;
    float m_halfTurnYaw = 0.0f;
};
