// The tile strip and the pointer: a click's scroll waiting for the double-click time, the owner's hover
// and pointer areas, the end of a typed search and tooltips.
#include "StripTestSupport.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

class HListboxPointer : public testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 6; ++i)
            strip.list->AddItem(QStringLiteral("tile %1").arg(i), &data[i], i);
        strip.window->show();
        strip.list->Layout();
    }
    void Move(const QPoint& at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), strip.list->Canvas()->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(strip.list->Canvas(), &move);
    }
    int Centre(int index) { return strip.list->GetItemRect(index).center().x(); }

    RecordingOwner owner;
    StripWindow strip{kHlbFixedWidth, &owner};
    int data[6] = {};
};

TEST_F(HListboxPointer, AClickScrollsAfterTheDoubleClickTimeOrAtOnceOnADoubleClick)
{
    struct Case
    {
        const char* what;
        char finish; // 't' the timer fires, 'd' a double click, 'h' the press is held past the time, 'x' the
                     // tile is deleted before the timer
        bool scrolls;
    };
    const Case cases[] = {
        {"timer", 't', true}, {"double click", 'd', true}, {"held", 'h', true}, {"tile deleted", 'x', false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHListbox& list = *strip.list;
        list.SelectItem(0);
        owner.activated.clear();
        const QPoint tile2 = list.GetItemRect(2).center();
        const QRect before = list.GetItemRect(2);
        QWidget* canvas = list.Canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, tile2);
        if (c.finish == 'h')
            list.OnClickHoldTimer(); // the time passed while the button was held
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, tile2);
        EXPECT_EQ(list.GetCurSel(), 2);
        if (c.finish != 'h') {
            EXPECT_EQ(list.PendingClickScroll(), 2);
            EXPECT_EQ(list.GetItemRect(2), before); // not moved yet
        }
        if (c.finish == 't')
            list.OnClickHoldTimer();
        if (c.finish == 'd') {
            QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(tile2), canvas->mapToGlobal(QPointF(tile2)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(canvas, &dbl);
            EXPECT_EQ(owner.activated, std::vector<int>{2});
        }
        if (c.finish == 'x') {
            list.DeleteItem(2);
            EXPECT_EQ(list.PendingClickScroll(), -1);
            list.OnClickHoldTimer();
            strip.list->AddItem(QStringLiteral("again"), &data[2], 2);
            continue;
        }
        EXPECT_EQ(list.PendingClickScroll(), -1);
        const QRect shown = list.GetItemRect(2);
        EXPECT_EQ(shown.left() + shown.width() / 2, strip.CanvasWidth() / 2);
    }
}

TEST_F(HListboxPointer, HoverAndPointerAreasAreEnteredAndLeft)
{
    CHListbox& list = *strip.list;
    list.SelectItem(1);
    list.OnClickHoldTimer();
    const QRect tile = list.GetItemRect(1);
    // The owner's active area: the upper half of tile 1.
    owner.areas[1] = QRect(tile.left(), tile.top(), tile.width(), tile.height() / 2);
    const QPoint inside(tile.center().x(), tile.top() + 5);
    const QPoint lower(tile.center().x(), tile.bottom() - 5);

    Move(lower); // on the tile, outside its area: nothing
    list.OnHoverTimer();
    EXPECT_TRUE(owner.areaNotes.empty());
    Move(inside); // pointer area at once; the hover area once the pointer rests
    list.OnHoverTimer();
    EXPECT_EQ(list.PointerAreaIndex(), 1);
    EXPECT_EQ(list.HoverAreaIndex(), 1);
    Move(inside + QPoint(1, 0)); // still inside: nothing new
    Move(lower);                 // out of the area: both are left
    const std::vector<std::pair<char, int>> notes = {{'P', 1}, {'H', 1}, {'h', 1}, {'p', 1}};
    EXPECT_EQ(owner.areaNotes, notes);

    // Leaving the strip leaves the areas; with tracking off, moves ask for no pointer area.
    owner.areaNotes.clear();
    Move(inside);
    list.OnHoverTimer();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(list.Canvas(), &leave);
    const std::vector<std::pair<char, int>> left = {{'P', 1}, {'H', 1}, {'h', 1}, {'p', 1}};
    EXPECT_EQ(owner.areaNotes, left);
    owner.areaNotes.clear();
    list.SetAreaTracking(false);
    Move(inside);
    EXPECT_TRUE(owner.areaNotes.empty());
    // A deleted tile takes its area with it; later tiles' areas move down.
    list.OnHoverTimer();
    ASSERT_EQ(list.HoverAreaIndex(), 1);
    list.DeleteItem(0);
    EXPECT_EQ(list.HoverAreaIndex(), 0);
    list.DeleteItem(0);
    EXPECT_EQ(list.HoverAreaIndex(), -1);
}

TEST_F(HListboxPointer, ATypedSearchEndsOnEscOrWhenTheFocusGoes)
{
    CHListbox& list = *strip.list;
    QWidget* canvas = list.Canvas();
    struct Case
    {
        const char* what;
        bool searched;
        bool byEscape;
        int ended;
    };
    const Case cases[] = {
        {"Esc after a search", true, true, 1},
        {"focus lost after a search", true, false, 1},
        {"Esc with no search", false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        owner.endedSearches = 0;
        canvas->setFocus();
        if (c.searched) {
            QTest::keyClicks(canvas, QStringLiteral("ti"));
            list.OnTypedSearchTimer();
        }
        if (c.byEscape) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(canvas, &esc);
        } else {
            QFocusEvent out(QEvent::FocusOut);
            QCoreApplication::sendEvent(canvas, &out);
        }
        EXPECT_EQ(owner.endedSearches, c.ended);
        // Ended once: a second Esc says nothing.
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &esc);
        EXPECT_EQ(owner.endedSearches, c.ended);
    }
}

TEST_F(HListboxPointer, TooltipsShowTheOwnersTextOverItsTile)
{
    CHListbox& list = *strip.list;
    list.SelectItem(2);
    list.OnClickHoldTimer();
    owner.tooltips[2] = QStringLiteral("Euro pallet, 1200 x 800");
    QWidget* canvas = list.Canvas();
    const QPoint on2 = list.GetItemRect(2).center();
    QHelpEvent help(QEvent::ToolTip, on2, canvas->mapToGlobal(on2));
    QCoreApplication::sendEvent(canvas, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), owner.tooltips[2]);

    // A tile without a text hides it.
    const QPoint on3 = list.GetItemRect(3).center();
    QHelpEvent none(QEvent::ToolTip, on3, canvas->mapToGlobal(on3));
    QCoreApplication::sendEvent(canvas, &none);
    // The tooltip fades out on its own timer.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000));
}

} // namespace
