// Ramped arrow-key values over scripted frames.
#include "view3d/CKeyAccel.h"
#include "view3d/InputState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(KeyAccelTest, RampsWhileHeldAndDropsOnRelease)
{
    struct Frame
    {
        bool held;
        float time;
        float expected;
    };
    // Ramp 0.5 s from 0 to 1; the value of a frame is the one of the time held before it.
    const std::vector<Frame> frames{
        {true, 0.1f, 0.0f}, {true, 0.1f, 0.2f}, {true, 0.2f, 0.4f},  {true, 0.2f, 0.8f},
        {true, 0.1f, 1.0f}, {true, 5.0f, 1.0f}, {false, 0.1f, 0.0f}, {true, 0.1f, 0.0f},
    };
    CKeyAccel accel;
    accel.InitKey(KEY_UP, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    InputState input;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        input.keyboard[KEY_UP] = frames[i].held ? 0x80 : 0;
        EXPECT_NEAR(accel.GetValue(frames[i].time, input), frames[i].expected, 1e-5f);
    }
}

TEST(KeyAccelTest, DelayStartEndAndAnyOfSeveralKeys)
{
    const int keys[] = {KEY_LEFT, KEY_RIGHT};
    CKeyAccel accel;
    accel.Init(keys, 2, 1.0f, 0.5f, 0.0f, 2.0f, 4.0f);
    InputState input;
    input.keyboard[KEY_RIGHT] = 0x80;
    EXPECT_FLOAT_EQ(accel.GetValue(0.5f, input), 2.0f); // first frame
    EXPECT_FLOAT_EQ(accel.GetValue(0.5f, input), 2.0f); // still within the delay
    input.keyboard[KEY_RIGHT] = 0;
    input.keyboard[KEY_LEFT] = 0x80; // another of its keys keeps it held
    EXPECT_FLOAT_EQ(accel.GetValue(0.5f, input), 3.0f);
    EXPECT_FLOAT_EQ(accel.GetValue(0.5f, input), 4.0f);
    // A key without the high bit is not pressed.
    input.keyboard[KEY_LEFT] = 0x7f;
    EXPECT_FLOAT_EQ(accel.GetValue(0.5f, input), 2.0f);
}

} // namespace
