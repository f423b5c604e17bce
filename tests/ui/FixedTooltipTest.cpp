// Tests of the fixed-pitch tool tip.
#include "ui/CMMTooltipCtrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(FixedTooltipTest, TipsAreSetInAFixedPitchFontOf11Pixels)
{
    QWidget view;
    CMMTooltipCtrl tip;
    ASSERT_TRUE(tip.Create(&view));
    const QFontInfo info(tip.font());
    EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
    EXPECT_EQ(info.pixelSize(), 11);
    EXPECT_FALSE(info.italic());
    EXPECT_EQ(info.weight(), QFont::Normal);
    const QFontMetrics metrics(tip.font());
    EXPECT_EQ(metrics.horizontalAdvance("iiiii"), metrics.horizontalAdvance("WWWWW"));
}

TEST(FixedTooltipTest, ShowsColumnsOfFiguresAndHidesOnEmptyText)
{
    QWidget view;
    CMMTooltipCtrl tip;
    tip.Create(&view);
    tip.ShowTip("Axle 1   6.250 t\nAxle 2  11.480 t\nTotal   17.730 t", QPoint(40, 60));
    EXPECT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.pos(), QPoint(40, 60));
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(tip.grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/fixed_tooltip.png")));
    tip.ShowTip(QString(), QPoint(0, 0));
    EXPECT_FALSE(tip.isVisible());
}
