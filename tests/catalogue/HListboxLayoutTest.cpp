// Tile widths, margins, hit-testing and selection of the tile strip.
#include "StripTestSupport.h"
#include "ui/CommandEvent.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct WidthCase
{
    const char* name;
    int flags;
    bool ownerMeasures;
};

TEST(HListboxLayout, TileWidthsFollowTheStyle)
{
    const WidthCase cases[] = {
        {"owner-drawn, unmeasured", kHlbOwnerDrawn, false},
        {"owner-drawn, measured 137", kHlbOwnerDrawn, true},
        {"text", 0, false},
        {"fixed width", kHlbFixedWidth, false},
        {"fixed width right-aligned", kHlbFixedWidth | kHlbTextRight, false},
    };
    const QStringList texts = {QStringLiteral("i"), QStringLiteral("Euro pallet WWWW")};
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingOwner owner;
        owner.mayLoad = false; // nothing to load: each tile counts as loaded at once
        if (c.ownerMeasures)
            owner.widths[7] = 137;
        StripWindow strip(c.flags, &owner);
        for (const QString& text : texts)
            strip.list->AddItem(text, nullptr, 7);
        for (int i = 0; i < texts.size(); ++i) {
            int expected = 0;
            if (c.flags & kHlbOwnerDrawn)
                expected = c.ownerMeasures ? 137 : 90;
            else if (c.flags & kHlbFixedWidth)
                expected = 94;
            else
                expected = strip.list->fontMetrics().horizontalAdvance(texts[i]) + 4;
            EXPECT_EQ(strip.list->GetItemRect(i).width(), expected) << i;
        }
        // Tiles stand one separator pixel apart.
        EXPECT_EQ(strip.list->GetItemRect(1).left(), strip.list->GetItemRect(0).right() + 2);
    }
}

TEST(HListboxLayout, MarginsLetTheFirstAndLastTileReachEveryPlace)
{
    RecordingOwner owner;
    owner.mayLoad = false;
    owner.widths = {{0, 60}, {1, 150}, {2, 80}};
    StripWindow strip(kHlbOwnerDrawn, &owner);
    for (int i = 0; i < 3; ++i)
        strip.list->AddItem(QString::number(i), nullptr, i);
    const int view = strip.CanvasWidth();
    ASSERT_GT(view, 200);
    // At the start the first tile stands at the right edge; at the end the last one at the left edge.
    EXPECT_EQ(strip.list->LeadingMargin(), view - 60 - 1);
    EXPECT_EQ(strip.list->GetItemRect(0).right() + 1, view - 1);
    EXPECT_EQ(strip.list->ScrollBar()->maximum(), strip.list->MaxScrollOffset());
    for (int tile : {0, 2}) {
        const int width = strip.list->GetItemRect(tile).width();
        for (int x : {0, 1, view / 2, view - width - 1}) {
            SCOPED_TRACE(testing::Message() << "tile " << tile << " at x " << x);
            HListboxScroll to;
            to.kind = 7;
            to.position = strip.list->GetItemRect(tile).left() + strip.list->ScrollOffset() - x;
            strip.list->Scroll(to);
            EXPECT_EQ(strip.list->GetItemRect(tile).left(), x);
        }
    }
}

TEST(HListboxLayout, EmptyStripSpansTheCanvasAndFirstTileEnablesTheScrollBar)
{
    StripWindow strip(0);
    EXPECT_EQ(strip.list->Extent(), strip.CanvasWidth());
    EXPECT_EQ(strip.list->MaxScrollOffset(), 0);
    EXPECT_FALSE(strip.list->ScrollBar()->isEnabled());
    EXPECT_EQ(strip.list->HitTest(strip.CanvasWidth() / 2, 5).index, -1);
    strip.list->AddItem(QStringLiteral("first"), nullptr, 0);
    EXPECT_TRUE(strip.list->ScrollBar()->isEnabled());
}

TEST(HListboxLayout, HitTestCodes)
{
    RecordingOwner owner;
    owner.mayLoad = false;
    owner.widths = {{0, 100}, {1, 1000}, {2, 100}};
    StripWindow strip(kHlbOwnerDrawn, &owner);
    for (int i = 0; i < 3; ++i)
        strip.list->AddItem(QString::number(i), nullptr, i);
    CHListbox& list = *strip.list;
    const int view = strip.CanvasWidth();
    const int height = list.Canvas()->height();
    const int left0 = list.GetItemRect(0).left() + list.ScrollOffset();
    const int left1 = left0 + 101;

    struct HitCase
    {
        const char* name;
        int offset;
        int x;
        int y;
        int index;
        int code;
        bool separator;
    };
    const HitCase cases[] = {
        {"leading margin", 0, 5, 5, -1, -1, false},
        {"first tile fully visible", left0 - 10, 50, 5, 0, 0, false},
        {"first tile's separator", left0 - 10, 110, 5, 0, 0, true},
        {"wide tile partly visible", left0 - 10, 150, 5, 1, 1, false},
        {"wide tile covers the canvas", left1 + 10, 5, 5, 1, 3, false},
        {"tile left of the canvas", left1 + 10, -20, 5, 0, 2, false},
        {"above the canvas", left1 + 10, 5, -1, -1, 4, false},
        {"below the canvas", left1 + 10, 5, height, -1, 4, false},
        {"past the last tile", 1 << 20, view - 5, 5, -1, -1, false},
        {"last tile at the end", 1 << 20, 50, 5, 2, 0, false},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        HListboxScroll to;
        to.kind = 7;
        to.position = c.offset;
        list.Scroll(to);
        const HListboxHit hit = list.HitTest(c.x, c.y);
        EXPECT_EQ(hit.index, c.index);
        EXPECT_EQ(hit.code, c.code);
        EXPECT_EQ(hit.onSeparator, c.separator);
    }
}

class HListboxSelection : public testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i)
            strip.list->AddItem(QStringLiteral("tile %1").arg(i), &data[i], i);
    }
    RecordingOwner owner;
    StripWindow strip{kHlbFixedWidth, &owner};
    int data[5] = {};
};

TEST_F(HListboxSelection, DeletingMovesOrDropsTheSelection)
{
    CHListbox& list = *strip.list;
    ASSERT_EQ(list.SelectItem(3), 3);
    EXPECT_EQ(list.DeleteItem(4), 4); // after it: unchanged
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(list.DeleteItem(1), 3); // before it: one down
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetItem(2)->text, QStringLiteral("tile 3"));
    EXPECT_EQ(list.GetItem(2)->index, 2);
    EXPECT_EQ(list.DeleteItem(2), 2); // the selected one: none
    EXPECT_EQ(list.GetCurSel(), -1);
    // The owner frees its data of each deleted tile, told the position the tile had.
    const std::vector<std::pair<int, void*>> freed = {{4, &data[4]}, {1, &data[1]}, {2, &data[3]}};
    EXPECT_EQ(owner.freed, freed);
}

TEST_F(HListboxSelection, OutOfRangeIndexesAnswerMinusOne)
{
    CHListbox& list = *strip.list;
    list.SelectItem(1);
    for (int bad : {-2, 5, 99}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(list.SelectItem(bad), -1);
        EXPECT_EQ(list.DeleteItem(bad), -1);
        EXPECT_EQ(list.GetItem(bad), nullptr);
        EXPECT_TRUE(list.GetItemRect(bad).isNull());
    }
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.SelectItem(-1), -1);
    EXPECT_EQ(list.GetCurSel(), -1);
}

TEST_F(HListboxSelection, SelectionChangesReachTheOwnerAndBringTheTileIntoView)
{
    CHListbox& list = *strip.list;
    list.SelectItem(4);
    list.SelectItem(4);
    list.SelectItem(0);
    const std::vector<std::pair<int, int>> expected = {{-1, 4}, {4, 0}};
    EXPECT_EQ(owner.selections, expected);
    const QRect shown = list.GetItemRect(0);
    EXPECT_GE(shown.left(), 0);
    EXPECT_LE(shown.right(), strip.CanvasWidth());
}

TEST_F(HListboxSelection, FindAsksTheOwnerTileByTile)
{
    owner.matchIndex = 3;
    EXPECT_EQ(strip.list->FindItem(QStringLiteral("x")), 3);
    owner.matchIndex = -1;
    EXPECT_EQ(strip.list->FindItem(QStringLiteral("x")), -1);
}

TEST_F(HListboxSelection, ClicksSelectDoubleClicksActivateAndDragsLeaveTheSelection)
{
    CHListbox& list = *strip.list;
    QWidget* canvas = list.Canvas();
    list.SelectItem(2);
    const QPoint tile1 = list.GetItemRect(1).center();
    const QRect before = list.GetItemRect(1);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, tile1);
    EXPECT_EQ(list.GetCurSel(), 1);
    // A click moves the tile to the middle of the canvas once the double-click time has passed.
    EXPECT_EQ(list.GetItemRect(1), before);
    list.OnClickHoldTimer();
    const QRect shown = list.GetItemRect(1);
    EXPECT_EQ(shown.left() + shown.width() / 2, strip.CanvasWidth() / 2);
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, list.GetItemRect(1).center());
    EXPECT_EQ(owner.activated, std::vector<int>{1});
    // A click in the margin selects nothing.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(1, 5));
    EXPECT_EQ(list.GetCurSel(), 1);

    owner.drags.clear();
    owner.dragTiles = true;
    const QPoint tile3 = list.GetItemRect(3).center();
    QTest::mousePress(canvas, Qt::LeftButton, {}, tile3);
    QMouseEvent move(QEvent::MouseMove, QPointF(tile3 + QPoint(5, -40)), canvas->mapToGlobal(QPointF(tile3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &move);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, tile3 + QPoint(5, -40));
    const std::vector<std::pair<char, int>> drags = {{'b', 3}, {'m', 3}, {'e', 3}};
    EXPECT_EQ(owner.drags, drags);
    EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(HListboxSelection, ATileIsDraggedOnlyAwayFromTheStripAndPastTheDragDistance)
{
    CHListbox& list = *strip.list;
    QWidget* canvas = list.Canvas();
    owner.dragTiles = true;
    const int d = QApplication::startDragDistance();
    struct Fall
    {
        const char* name;
        QPoint move;
        bool drags;
    };
    const Fall faelle[] = {
        {"short of the drag distance", QPoint(0, -(d - 1)), false},
        {"a sideways swipe inside the strip", QPoint(d + 20, 2), false},
        {"upwards past the distance", QPoint(2, -d), true},
        {"downwards past the distance", QPoint(1, d + 1), true},
        {"sideways, but out of the strip above it", QPoint(d + 20, -canvas->height()), true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        list.SelectItem(1);
        owner.drags.clear();
        const QPoint tile = list.GetItemRect(2).center();
        QTest::mousePress(canvas, Qt::LeftButton, {}, tile);
        EXPECT_TRUE(owner.drags.empty()) << "a press alone drags nothing";
        const QPoint to = tile + f.move;
        QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        using Notes = std::vector<std::pair<char, int>>;
        const Notes erwartet = f.drags ? Notes{{'b', 2}, {'m', 2}, {'e', 2}} : Notes{};
        EXPECT_EQ(owner.drags, erwartet);
        // A dragged tile is not selected by the release; a tile that stayed is.
        EXPECT_EQ(list.GetCurSel(), f.drags ? 1 : 2);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    }
}

TEST_F(HListboxSelection, ContextMenuSelectsTheTileUnderThePointer)
{
    CHListbox& list = *strip.list;
    const QPoint at = list.GetItemRect(4).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list.Canvas()->mapToGlobal(at));
    QCoreApplication::sendEvent(list.Canvas(), &menu);
    EXPECT_EQ(list.GetCurSel(), 4);
    EXPECT_EQ(owner.menus, std::vector<int>{4});
    // The menu's commands reach the canvas and go on to the owner.
    CommandEvent command(33001);
    QCoreApplication::sendEvent(list.Canvas(), &command);
    EXPECT_EQ(owner.commands, std::vector<int>{33001});
}

} // namespace
