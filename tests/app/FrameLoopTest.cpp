// The main loop's pass on an injected clock: when the idle pass and the 3D step run, and how long the
// loop waits before the next pass.
#include "app/FrameLoop.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

class FrameLoopTest : public ::testing::Test
{
protected:
    FrameLoopTest()
        : m_loop([this](int count) {
              m_idleCounts.push_back(count);
              return m_moreIdle-- > 0;
          })
    {
        m_loop.SetClock({[this] { return m_ms / 1000.0; }, [this] { return m_ms; }});
        m_loop.SetModalCheck([this] { return m_modal; });
    }

    void EnableRendering()
    {
        m_loop.SetRenderStep([this] { return m_views; }, [this](double frame) { m_frames.push_back(frame); });
    }

    std::uint64_t m_ms = 1000;
    int m_moreIdle = 0;
    bool m_modal = false;
    bool m_views = true;
    std::vector<int> m_idleCounts;
    std::vector<double> m_frames;
    FrameLoop m_loop;
};

TEST_F(FrameLoopTest, WithoutA3DViewOnlyTheIdlePassRunsEvery200Ms)
{
    EXPECT_EQ(m_loop.RunPass(), 200); // the first pass is idle at once
    EXPECT_EQ(m_idleCounts.size(), 1u);
    m_ms += 120;
    EXPECT_EQ(m_loop.RunPass(), 80); // early wake-up: no idle, wait for the rest
    EXPECT_EQ(m_idleCounts.size(), 1u);
    m_ms += 80;
    EXPECT_EQ(m_loop.RunPass(), 200);
    EXPECT_EQ(m_idleCounts.size(), 2u);
    EXPECT_TRUE(m_frames.empty());

    EnableRendering();
    m_views = false; // the step is there, but no view is registered
    m_ms += 200;
    EXPECT_EQ(m_loop.RunPass(), 200);
    EXPECT_TRUE(m_frames.empty());
}

TEST_F(FrameLoopTest, IdleThatAsksForMoreRunsAgainAtOnceWithARisingCount)
{
    m_moreIdle = 2;
    EXPECT_EQ(m_loop.RunPass(), 0);
    EXPECT_EQ(m_loop.RunPass(), 0);
    EXPECT_EQ(m_loop.RunPass(), 200); // the third call wants no more
    EXPECT_EQ(m_idleCounts, (std::vector<int>{0, 1, 2}));
    m_ms += 200;
    m_loop.RunPass();
    EXPECT_EQ(m_idleCounts.back(), 0);
}

TEST_F(FrameLoopTest, The3DStepGetsTheFrameTimeUnlessAModalDialogIsOpen)
{
    EnableRendering();
    EXPECT_EQ(m_loop.RunPass(), 1); // first pass: frame time 0, no step; the controller starts at 1 ms
    EXPECT_TRUE(m_frames.empty());
    m_ms += 20;
    m_loop.RunPass();
    ASSERT_EQ(m_frames.size(), 1u);
    EXPECT_NEAR(m_frames[0], 0.020, 1e-9);

    m_modal = true;
    m_ms += 20;
    m_loop.RunPass();
    EXPECT_EQ(m_frames.size(), 1u);
    m_modal = false;
    m_ms += 10;
    m_loop.RunPass();
    ASSERT_EQ(m_frames.size(), 2u);
    EXPECT_NEAR(m_frames[1], 0.010, 1e-9); // measured from the previous pass, modal or not
    // The idle pass still comes every 200 ms while rendering.
    EXPECT_EQ(m_idleCounts.size(), 1u);
    m_ms += 200;
    m_loop.RunPass();
    EXPECT_EQ(m_idleCounts.size(), 2u);
}

TEST_F(FrameLoopTest, TimerDrivenPassesRunInTheEventLoop)
{
    m_loop.SetClock({[this] { return m_ms / 1000.0; }, [this] { return m_ms; }});
    m_loop.Start();
    EXPECT_TRUE(m_loop.IsRunning());
    // A zero-length first timer: one pass when events are processed.
    for (int i = 0; i < 20 && m_idleCounts.empty(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(m_idleCounts.size(), 1u);
    m_loop.Stop();
    EXPECT_FALSE(m_loop.IsRunning());
}

} // namespace
