// Ramped key values for the camera's arrow keys.
#include "view3d/CKeyAccel.h"

#include "view3d/InputState.h"

#include <algorithm>

void CKeyAccel::Init(const int* keys, int count, float rampTime, float delay, float spare, float start,
                     float end)
{
    m_keys.assign(keys, keys + std::max(count, 0));
    m_held = 0.0f;
    m_ramp = rampTime;
    m_delay = delay;
    m_spare = spare;
    m_start = start;
    m_end = end;
}

void CKeyAccel::InitKey(int key, float rampTime, float delay, float spare, float start, float end)
{
    Init(&key, 1, rampTime, delay, spare, start, end);
}

float CKeyAccel::GetValue(float time, const InputState& input)
{
    const bool held = std::any_of(m_keys.begin(), m_keys.end(), [&](int key) { return input.KeyDown(key); });
    if (!held) {
        m_held = 0.0f;
        return m_start;
    }
    // The value is the one of the time held before this frame, so the first frame of a press gives the
    // start value.
    const float before = m_held;
    m_held += time;
    if (before <= m_delay)
        return m_start;
    if (before >= m_delay + m_ramp || m_ramp <= 0.0f)
        return m_end;
    return m_start + (before - m_delay) / m_ramp * (m_end - m_start);
}
