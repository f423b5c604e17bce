// Tests of the frame animation: sequence limits, wrapping, single frames and where frames land.
#include "ui/CTTAnimation.h"
#include "ui/IAnimationView.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class View : public QAbstractScrollArea, public IAnimationView
{
public:
    bool suppress = false;
    bool SuppressAnimation() const override { return suppress; }
};

const QColor kColours[] = {Qt::red, Qt::green, Qt::blue};

class AnimationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(200, 200);
        for (const QColor& c : kColours) {
            QImage frame(6, 4, QImage::Format_RGB32);
            frame.fill(c);
            frames.push_back(frame);
        }
        for (const QImage& f : frames)
            animation.AddFrame(&f);
        animation.SetPositionRecord(record);
    }

    // Paints one step or draw into a white picture; answers the colour at the frame's place (or at
    // `probe`) afterwards.
    QColor Painted(bool step, QPoint probe = QPoint(42, 20))
    {
        QImage target(200, 200, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter p(&target);
        if (step)
            animation.Step(&p);
        else
            animation.Draw(&p);
        p.end();
        return target.pixelColor(probe);
    }

    View view;
    std::vector<QImage> frames;
    int record[3] = {1, 20, 50}; // running, top, right: the frame's left edge is 8 left of 50
    CTTAnimation animation{&view};
};

} // namespace

TEST_F(AnimationTest, SequencePositionIsClampedToTheSequence)
{
    std::vector<int> indices(31, 0);
    struct Case
    {
        int count, start, expected;
    };
    const Case cases[] = {{31, 40, 30}, {31, -5, 0}, {31, 7, 7}, {0, 3, 0}, {-4, 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries from " << c.start);
        animation.SetSequence(indices.data(), c.count, c.start);
        EXPECT_EQ(animation.Position(), c.expected);
    }
    // An empty sequence shows nothing and survives a step.
    EXPECT_EQ(animation.CurrentFrame(), nullptr);
    EXPECT_EQ(Painted(true), QColor(Qt::white));
}

TEST_F(AnimationTest, StepAdvancesWrapsAndDrawsTheFrameOfTheSequence)
{
    const int sequence[] = {2, 0, 1};
    animation.SetSequence(sequence, 3, 1);
    EXPECT_EQ(Painted(true), QColor(kColours[1]));
    EXPECT_EQ(animation.Position(), 2);
    EXPECT_EQ(Painted(true), QColor(kColours[2])) << "past the last entry it wraps to the first";
    EXPECT_EQ(animation.Position(), 0);
    record[0] = 0;
    EXPECT_EQ(Painted(true), QColor(Qt::white)) << "not running: no step, nothing drawn";
    EXPECT_EQ(animation.Position(), 0);
    EXPECT_EQ(animation.FrameRect(), QRect(42, 20, 6, 4));
}

TEST_F(AnimationTest, StepsWithoutAPainterRepaintTheViewOnlyWhenTheFrameChanges)
{
    // The viewport's paints, with the place each one covers.
    struct PaintCounter : QObject
    {
        std::vector<QRect> paints;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                paints.push_back(static_cast<QPaintEvent*>(e)->rect());
            return false;
        }
    } counter;
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    view.viewport()->installEventFilter(&counter);
    const int sequence[] = {0, 0, 0, 1, 1, 2};
    animation.SetSequence(sequence, 6, 0);
    std::vector<int> changed;
    for (int step = 1; step <= 6; ++step) {
        counter.paints.clear();
        animation.Step(nullptr);
        // The window paints what was asked for now, not when its update timer comes round.
        QEvent now(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&view, &now);
        if (!counter.paints.empty()) {
            changed.push_back(step);
            EXPECT_EQ(counter.paints.front(), animation.FrameRect()) << step;
        }
    }
    // Frames 0 0 0 1 1 2, from position 0: new frames at the third and fifth step and at the wrap.
    EXPECT_EQ(changed, (std::vector<int>{3, 5, 6}));
}

TEST_F(AnimationTest, SingleFramesAndFramesThatAreNotDrawn)
{
    const int sequence[] = {0};
    animation.SetSequence(sequence, 1, 0);
    animation.ShowFrame(2);
    EXPECT_FALSE(animation.SequenceMode());
    EXPECT_EQ(Painted(true), QColor(kColours[2])) << "a step draws the single frame";
    animation.ShowFrame(3);
    EXPECT_EQ(animation.SingleFrame(), -1) << "an index equal to the number of frames is none";
    EXPECT_EQ(Painted(false), QColor(Qt::white));
    animation.ShowFrame(-1);
    EXPECT_EQ(Painted(false), QColor(Qt::white));
    animation.ShowFrame(0);
    view.suppress = true;
    EXPECT_EQ(Painted(false), QColor(Qt::white)) << "the view suppresses its animations";
    view.suppress = false;
    EXPECT_EQ(Painted(false), QColor(kColours[0]));
    // Without a painter the view is asked to repaint: nothing is drawn here and nothing breaks.
    animation.Draw(nullptr);
}

TEST_F(AnimationTest, APainterOfTheViewGetsTheScrollPositionAdded)
{
    view.horizontalScrollBar()->setRange(0, 100);
    view.verticalScrollBar()->setRange(0, 100);
    view.horizontalScrollBar()->setValue(5);
    view.verticalScrollBar()->setValue(7);
    animation.ShowFrame(1);
    EXPECT_EQ(Painted(false, QPoint(47, 27)), QColor(kColours[1]));
    EXPECT_EQ(Painted(false, QPoint(42, 20)), QColor(Qt::white));
}
