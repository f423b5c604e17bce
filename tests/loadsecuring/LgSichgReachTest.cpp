// The wizard's reach marker and where a page change lands, as tables without widgets.
#include "loadsecuring/LgSichgReach.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step of a walk from a fresh marker: a page change or a SetReach.
struct Step
{
    bool bSetReach;
    int nWert;  // the target, or the value given to SetReach
    bool bNeu;  // for a change: the target counts as newly entered
    int nReach; // the reach after the step
};

void Walk(const char* name, const std::vector<Step>& steps)
{
    SCOPED_TRACE(name);
    LgSichgReach reach;
    EXPECT_TRUE(reach.IsNew(0)) << "the first page is new at the start";
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        if (s.bSetReach) {
            reach.Set(s.nWert);
        } else {
            reach.Enter(s.nWert);
            EXPECT_EQ(reach.IsNew(s.nWert), s.bNeu);
        }
        EXPECT_EQ(reach.Reach(), s.nReach);
    }
}

} // namespace

TEST(LgSichgReach, WalksCountOnlyPagesBeyondTheReachAsNew)
{
    Walk("forward to 3, back to 1 and forward again", {{false, 1, true, 1},
                                                       {false, 2, true, 2},
                                                       {false, 3, true, 3},
                                                       {false, 2, false, 3},
                                                       {false, 1, false, 3},
                                                       {false, 2, false, 3},
                                                       {false, 3, false, 3},
                                                       {false, 4, true, 4}});
    Walk("a restart at index 3 makes page 3 and later new again", {{false, 1, true, 1},
                                                                   {false, 2, true, 2},
                                                                   {false, 3, true, 3},
                                                                   {false, 4, true, 4},
                                                                   {false, 5, true, 5},
                                                                   {true, -4, false, 2},
                                                                   {false, 2, false, 2},
                                                                   {false, 3, true, 3},
                                                                   {false, 4, true, 4},
                                                                   {false, 5, true, 5}});
    Walk("restarts at 4 and 6", {{true, 8, false, 8},
                                 {true, -5, false, 3},
                                 {false, 4, true, 4},
                                 {true, -7, false, 5},
                                 {false, 6, true, 6},
                                 {false, 5, false, 6}});
    Walk("all pages reachable", {{true, 8, false, 8}, {false, 8, false, 8}, {false, 3, false, 8}});
    Walk("start over keeps the first page", {{false, 1, true, 1}, {true, 0, false, 0}, {false, 1, true, 1}});
}

TEST(LgSichgReach, AllPagesReachableMeansNoneIsNew)
{
    LgSichgReach reach;
    reach.Set(8);
    EXPECT_EQ(reach.Marker(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(reach.IsNew(i)) << i;
}

TEST(LgSichgReach, ValidationAnswersDecideTheLandingPage)
{
    struct Case
    {
        int nTarget, nAnswer, nLanding;
    };
    for (const Case& c : {Case{3, -1, 3}, Case{3, -2, -1}, Case{3, 5, 5}, Case{3, 0, 0}, Case{3, 8, 8},
                          Case{3, 9, -1}, Case{3, -3, -1}, Case{3, 3, 3}}) {
        SCOPED_TRACE(std::to_string(c.nTarget) + " answered " + std::to_string(c.nAnswer));
        EXPECT_EQ(LgSichgReach::ResolveTarget(c.nTarget, c.nAnswer, 9), c.nLanding);
    }
}
