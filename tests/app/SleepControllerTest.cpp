// The main loop's averaging ring and adaptive sleep: sequences of frame times and the sleeps chosen.
#include "app/SleepController.h"
#include "app/CAvVals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CAvValsTest, AveragesTheNewestValuesUpToItsCapacity)
{
    CAvVals ring(3);
    EXPECT_EQ(ring.GetAverage(), 0.0);
    ring.Add(1.0);
    ring.Add(2.0);
    EXPECT_DOUBLE_EQ(ring.GetAverage(), 1.5);
    ring.Add(3.0);
    ring.Add(7.0); // overwrites the 1.0
    EXPECT_EQ(ring.Count(), 3);
    EXPECT_DOUBLE_EQ(ring.GetAverage(), 4.0);
    ring.Reset();
    EXPECT_EQ(ring.Count(), 0);
    ring.Add(5.0);
    EXPECT_DOUBLE_EQ(ring.GetAverage(), 5.0);
}

struct SleepCase
{
    const char* name;
    int initialSleep;
    std::vector<double> frames;
    std::vector<int> sleeps;
};

TEST(SleepControllerTest, SleepFollowsTheFrameTimes)
{
    const double target = static_cast<double>(1.0f / 60.0f);
    const std::vector<SleepCase> cases = {
        // Frames always too slow: the first streak cuts 1 ms by 3, clamped at 0, and it stays there.
        {"always slow", 1, {0.03, 0.03, 0.03, 0.03, 0.03, 0.03}, {1, 0, 0, 0, 0, 0}},
        // Frames fast and not shortening with a longer sleep: one more ms every fourth pass.
        {"always fast",
         1,
         {0.001, 0.001, 0.001, 0.001, 0.001, 0.001, 0.001, 0.001},
         {1, 1, 2, 2, 2, 2, 3, 3}},
        // No counter: frame time 0 counts as fast, so the sleep only rises.
        {"no counter", 1, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, {1, 1, 2, 2, 2, 2, 3}},
        // A longer sleep whose next frame is shorter than when the trial began is given up.
        {"longer sleep given up", 1, {0.010, 0.010, 0.010, 0.005}, {1, 1, 2, 1}},
        // A shorter sleep whose frames get worse by 0.001 s or more goes back to the saved sleep.
        {"shorter sleep worse", 10, {0.02, 0.02, 0.03}, {10, 7, 10}},
        // A shorter sleep that is no worse is cut further by 2 ms; a fast frame then ends the trial.
        {"shorter sleep kept", 10, {0.02, 0.02, 0.0205, 0.01, 0.01}, {10, 7, 5, 5, 5}},
        // The highest sleep is never exceeded.
        {"at the top", 200, {0.001, 0.001, 0.001, 0.001, 0.001}, {200, 200, 200, 200, 200}},
    };
    for (const SleepCase& c : cases) {
        SCOPED_TRACE(c.name);
        SleepController controller;
        std::vector<int> sleeps;
        for (double frame : c.frames)
            sleeps.push_back(controller.CalcSleepTime(target, frame, c.initialSleep));
        EXPECT_EQ(sleeps, c.sleeps);
    }
}

TEST(SleepControllerTest, RisesToTheHighestSleepAndStops)
{
    SleepController controller;
    int sleep = 0;
    for (int pass = 0; pass < 1000; ++pass)
        sleep = controller.CalcSleepTime(0.0166, 0.0, 1);
    EXPECT_EQ(sleep, SleepController::kHighestSleepMs);
}

} // namespace
