// Easing curves, scroll kinds and selections while the tile strip scrolls.
#include "StripTestSupport.h"

#include "ui/FadeClock.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

TEST(HListboxEasing, FractionsOfEachKind)
{
    struct EaseCase
    {
        int kind;
        double t;
        int durationMs;
        int defaultMs;
        double fraction;
    };
    const EaseCase cases[] = {
        {0, 0.0, 350, 350, 0.0},
        {0, 0.25, 350, 350, 0.1464466},
        {0, 0.5, 350, 350, 0.5},
        {0, 1.0, 350, 350, 1.0},
        {1, 0.5, 350, 350, 0.7071068},
        {1, 1.0, 350, 350, 1.0},
        {2, 0.3, 350, 350, 0.3},
        {4, 0.5, 350, 350, 0.75},
        {5, 0.5, 350, 350, 0.9375},
        {6, 0.5, 350, 350, 0.25},
        {7, 0.5, 350, 350, 0.015625},
        {9, 0.25, 350, 350, 0.1464466},
        {-1, 0.5, 350, 350, 0.5},
        // Kind 3 holds for 2 x (default / 3) ms, at most 100 ms, then runs linearly.
        {3, 0.2, 350, 350, 0.0},
        {3, 100.0 / 350, 350, 350, 0.0},
        {3, 0.5, 350, 350, 75.0 / 250},
        {3, 1.0, 350, 350, 1.0},
        {3, 0.5, 300, 90, 90.0 / 240},
        {3, 0.1, 300, 90, 0.0},
        {3, 0.5, 50, 350, 0.0},
        {3, 1.0, 50, 350, 1.0},
    };
    for (const EaseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " t " << c.t << " over " << c.durationMs);
        EXPECT_NEAR(CHListbox::EaseFraction(c.kind, c.t, c.durationMs, c.defaultMs), c.fraction, 1e-6);
    }
}

class HListboxScrolling : public testing::Test
{
protected:
    void SetUp() override
    {
        owner.mayLoad = false;
        for (int i = 0; i < 8; ++i) {
            owner.widths[i] = 60 + 10 * i;
            strip.list->AddItem(QString::number(i), nullptr, i);
        }
        view = strip.CanvasWidth();
    }
    ScopedFadeClock clock;
    RecordingOwner owner;
    StripWindow strip{kHlbOwnerDrawn | kHlbAnimatedScroll, &owner};
    int view = 0;
};

TEST_F(HListboxScrolling, EachKindLandsExactlyOnItsTarget)
{
    CHListbox& list = *strip.list;
    const int max = list.MaxScrollOffset();
    struct KindCase
    {
        int kind;
        int index;
        int other;
        int distance;
        int position;
        bool endEarly;
    };
    const KindCase cases[] = {
        {1, 4, -1, 0, 0, false},    {1, 4, -1, 0, 0, true},        {2, 0, 6, 0, 0, false},
        {3, 5, -1, 0, 0, false},    {3, 2, -1, 0, 0, true},        {4, 6, -1, 0, 0, false},
        {5, 0, 3, 0, 0, true},      {6, -1, -1, 137, 0, false},    {6, -1, -1, -5000, 0, true},
        {7, -1, -1, 0, 333, false}, {7, -1, -1, 0, 1 << 20, true},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.endEarly ? " ended early" : ""));
        // Start each case from the middle so every direction can move.
        HListboxScroll home;
        home.kind = 7;
        home.position = max / 2;
        home.durationMs = 0;
        list.Scroll(home);
        ASSERT_EQ(list.ScrollOffset(), max / 2);
        const int start = list.ScrollOffset();

        HListboxScroll request;
        request.kind = c.kind;
        request.index = c.index;
        request.otherIndex = c.other;
        request.distance = c.distance;
        request.position = c.position;
        request.anchorX = view / 2;
        request.durationMs = 200;
        request.easing = 0;
        list.Scroll(request);
        ASSERT_TRUE(list.IsAnimating());
        clock.Advance(50);
        list.AnimationStep();
        EXPECT_TRUE(list.IsAnimating());
        if (c.endEarly) {
            list.EndAnimation();
        } else {
            clock.Advance(200);
            list.AnimationStep();
        }
        EXPECT_FALSE(list.IsAnimating());
        switch (c.kind) {
        case 1:
            EXPECT_EQ(list.GetItemRect(c.index).left(), 0);
            break;
        case 2:
            EXPECT_EQ(list.GetItemRect(c.other).left(), 0);
            break;
        case 3: {
            const QRect r = list.GetItemRect(c.index);
            EXPECT_EQ(r.left() + r.width() / 2, view / 2);
            break;
        }
        case 4: {
            const QRect r = list.GetItemRect(c.index);
            EXPECT_EQ(r.left() + r.width(), view);
            break;
        }
        case 5: {
            const QRect r = list.GetItemRect(c.other);
            EXPECT_EQ(r.left() + r.width(), view);
            break;
        }
        case 6:
            EXPECT_EQ(list.ScrollOffset(), std::clamp(start + c.distance, 0, max));
            break;
        case 7:
            EXPECT_EQ(list.ScrollOffset(), std::clamp(c.position, 0, max));
            break;
        }
    }
}

TEST_F(HListboxScrolling, MovesAlongTheCurveInBetween)
{
    CHListbox& list = *strip.list;
    HListboxScroll request;
    request.kind = 7;
    request.position = 400;
    request.durationMs = 200;
    request.easing = 2;
    list.Scroll(request);
    clock.Advance(50);
    list.AnimationStep();
    EXPECT_EQ(list.ScrollOffset(), 100);

    // Kind 8 asks the owner for the fraction.
    owner.easingGiven = true;
    owner.easingFraction = 0.75f;
    request.position = 0;
    request.easing = 8;
    list.Scroll(request); // ends the first one on 400
    clock.Advance(10);
    list.AnimationStep();
    EXPECT_EQ(list.ScrollOffset(), 100);
    owner.easingGiven = false; // unanswered: the time fraction itself
    clock.Advance(90);
    list.AnimationStep();
    EXPECT_EQ(list.ScrollOffset(), 200);
}

TEST_F(HListboxScrolling, WithoutAnimationOrDurationTheViewJumps)
{
    HListboxScroll request;
    request.kind = 7;
    request.position = 250;
    request.durationMs = 0;
    strip.list->Scroll(request);
    EXPECT_FALSE(strip.list->IsAnimating());
    EXPECT_EQ(strip.list->ScrollOffset(), 250);

    RecordingOwner plainOwner;
    plainOwner.mayLoad = false;
    StripWindow plain(kHlbOwnerDrawn, &plainOwner);
    for (int i = 0; i < 8; ++i)
        plain.list->AddItem(QString::number(i), nullptr, i);
    request.durationMs = 300;
    plain.list->Scroll(request);
    EXPECT_FALSE(plain.list->IsAnimating());
    EXPECT_EQ(plain.list->ScrollOffset(), 250);
}

TEST_F(HListboxScrolling, ASelectionDuringAnAnimationIsDeferred)
{
    CHListbox& list = *strip.list;
    list.SelectItem(6);
    ASSERT_TRUE(list.IsAnimating());
    const int target6 = [&] {
        list.EndAnimation();
        return list.ScrollOffset();
    }();
    list.SelectItem(0); // starts a new animation towards tile 0
    ASSERT_TRUE(list.IsAnimating());
    clock.Advance(20);
    list.AnimationStep();

    EXPECT_EQ(list.SelectItem(3), 3);
    // The running animation stopped on its target; the new selection waits for the event loop.
    EXPECT_FALSE(list.IsAnimating());
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_TRUE(list.HasDeferredSelection());
    const QRect tile0 = list.GetItemRect(0);
    EXPECT_EQ(tile0.left() + tile0.width() / 2, view / 2);
    EXPECT_NE(list.ScrollOffset(), target6);

    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_FALSE(list.HasDeferredSelection());
    const std::vector<std::pair<int, int>> expected = {{-1, 6}, {6, 0}, {0, 3}};
    EXPECT_EQ(owner.selections, expected);

    // A selection made at once after a deferred one wins: the waiting request is dropped.
    list.EndAnimation();
    list.SelectItem(6);
    ASSERT_TRUE(list.IsAnimating());
    list.SelectItem(1); // deferred
    ASSERT_TRUE(list.HasDeferredSelection());
    list.SelectItem(2); // no animation runs now: at once
    EXPECT_FALSE(list.HasDeferredSelection());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(list.GetCurSel(), 2);
}

} // namespace
