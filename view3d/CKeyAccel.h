// Value of a held key that ramps from a start to an end value over time.
#pragma once

#include <vector>

struct InputState;

class CKeyAccel
{
public:
    virtual ~CKeyAccel() = default;

    void Init(const int* keys, int count, float rampTime, float delay, float spare, float start, float end);
    void InitKey(int key, float rampTime, float delay, float spare, float start, float end);

    // Answers the ramped value for the time held before this frame, then adds `time` while any key is
    // down (else resets the held time).
    float GetValue(float time, const InputState& input);

private:
    std::vector<int> m_keys;
    float m_held = 0.0f;
    float m_ramp = 0.0f;
    float m_delay = 0.0f;
    float m_start = 0.0f;
    float m_end = 1.0f;
    float m_spare = 0.0f;
};
