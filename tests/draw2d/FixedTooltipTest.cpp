// Tests of the fixed-pitch tool tip.
#include "draw2d/CMMTooltipCtrl.h"
#include "draw2d/FontTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

TEST(FixedTooltipTest, TipsAreSetInTheFontTablesFixedFaceOf11Pixels)
{
    QWidget view;
    CMMTooltipCtrl tip;
    ASSERT_TRUE(tip.Create(&view));
    // The installed face is the table's, not whatever the system offers for the name asked for.
    const QFontInfo info(tip.font());
    EXPECT_EQ(info.family(), FontTable::Family(FontTable::Fixed));
    EXPECT_EQ(info.pixelSize(), 11);
    EXPECT_FALSE(info.italic());
    EXPECT_EQ(info.weight(), QFont::Normal);
    // Columns of figures line up: every character has the same advance.
    const QFontMetricsF metrics(tip.font());
    const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
    EXPECT_GT(digit, 0);
    for (const char* text : {"iiiii", "WWWWW", "11111", "  .  ", "Axle 1", "mmm.,"}) {
        SCOPED_TRACE(text);
        const QString line = QString::fromLatin1(text);
        EXPECT_NEAR(metrics.horizontalAdvance(line), digit * line.size(), 0.01);
    }
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
