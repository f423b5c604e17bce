// The program's frame animation in a scrolled view: frames land where the view asks, the sequence
// plays and wraps, a frame shown alone lasts until the next sequence.
#include "draw2d/CMemBm.h"
#include "draw2d/RasterOp.h"
#include "views/CTTFrameAnimation.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

class TTFrameAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* content = new QWidget;
        content->resize(1000, 1000);
        m_view.setWidget(content);
        m_view.resize(200, 200);
        m_view.show();
        m_view.horizontalScrollBar()->setValue(30);
        m_view.verticalScrollBar()->setValue(40);
        const QRgb colours[3] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 160, 0)};
        for (int i = 0; i < 3; ++i) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(colours[i]);
            ASSERT_TRUE(m_frames[i].CreateFromDC(&picture, 0, 0, 4, 4, SRCCOPY));
        }
    }

    // The view's picture after the animation drew into it (picture pixels: client plus scroll).
    QImage Drawn(CTTFrameAnimation& animation)
    {
        QImage picture(400, 400, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        animation.Draw(painter);
        return picture;
    }

    QScrollArea m_view;
    CMemBm m_frames[3];
};

TEST_F(TTFrameAnimationTest, TheFrameLandsWhereTheViewAskedInItsScrolledPicture)
{
    CTTFrameAnimation animation(&m_view);
    for (const CMemBm& frame : m_frames)
        animation.AddFrame(frame);
    animation.SetSequence({1, 2}, 0);
    animation.SetPosition(QPoint(100, 150));
    // In client pixels the frame lies at the position less the scroll.
    EXPECT_EQ(animation.Animation().FrameRect(), QRect(70, 110, 4, 4));
    const QImage picture = Drawn(animation);
    EXPECT_EQ(picture.pixel(100, 150), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(103, 153), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(99, 150), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(104, 154), qRgb(255, 255, 255));
}

TEST_F(TTFrameAnimationTest, StepsWrapAndAFrameShownAloneLastsUntilTheNextSequence)
{
    CTTFrameAnimation animation(&m_view);
    for (const CMemBm& frame : m_frames)
        animation.AddFrame(frame);
    animation.SetSequence({0, 1, 2}, 2);
    animation.SetPosition(QPoint(50, 60));
    const QRgb expected[] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 160, 0), qRgb(255, 0, 0)};
    for (QRgb colour : expected) {
        animation.Step(nullptr);
        EXPECT_EQ(Drawn(animation).pixel(51, 61), colour);
    }

    animation.ShowFrame(2);
    animation.Step(nullptr);
    EXPECT_EQ(Drawn(animation).pixel(51, 61), qRgb(0, 160, 0));
    // A frame beyond the last shows nothing.
    animation.ShowFrame(7);
    EXPECT_EQ(Drawn(animation).pixel(51, 61), qRgb(255, 255, 255));

    animation.SetSequence({1, 0}, 0);
    EXPECT_EQ(Drawn(animation).pixel(51, 61), qRgb(0, 0, 255));
    animation.Step(nullptr);
    EXPECT_EQ(Drawn(animation).pixel(51, 61), qRgb(255, 0, 0));
}

} // namespace
