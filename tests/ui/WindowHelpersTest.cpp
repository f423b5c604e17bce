// Window tests and the close box.
#include "ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

TEST(WindowHelpersTest, AncestryAndClassFollowTheParentChain)
{
    QWidget frame;
    QWidget panel(&frame);
    QLineEdit edit(&panel);
    QWidget other;
    EXPECT_TRUE(IsWindowOrDescendant(&edit, &frame));
    EXPECT_TRUE(IsWindowOrDescendant(&frame, &frame));
    EXPECT_FALSE(IsWindowOrDescendant(&frame, &edit));
    EXPECT_FALSE(IsWindowOrDescendant(&edit, &other));
    EXPECT_FALSE(IsWindowOrDescendant(nullptr, &frame));

    EXPECT_TRUE(IsWindowClass(&edit, "QLineEdit"));
    EXPECT_FALSE(IsWindowClass(&edit, "QWidget")); // exactly the class, not a base
    EXPECT_FALSE(IsWindowClass(nullptr, "QLineEdit"));
    EXPECT_FALSE(IsWindowClass(&edit, nullptr));
}

TEST(WindowHelpersTest, ADisabledCloseBoxRefusesTheUserButNotTheProgram)
{
    QWidget window;
    window.show();
    ASSERT_TRUE(EnableSysMenuClose(&window, false));
    EXPECT_TRUE(IsSysMenuCloseDisabled(&window));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(window.isVisible()); // shown again after the frame changed

    // A close request of the window system reaches the widget through its native window.
    ASSERT_TRUE(window.windowHandle());
    QCloseEvent userClose;
    QCoreApplication::sendEvent(window.windowHandle(), &userClose);
    EXPECT_FALSE(userClose.isAccepted());
    EXPECT_TRUE(window.isVisible());

    ASSERT_TRUE(EnableSysMenuClose(&window, true));
    EXPECT_FALSE(IsSysMenuCloseDisabled(&window));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    window.show();
    QCloseEvent again;
    QCoreApplication::sendEvent(window.windowHandle(), &again);
    EXPECT_TRUE(again.isAccepted());
    EXPECT_FALSE(window.isVisible());

    window.show();

    EnableSysMenuClose(&window, false);
    EXPECT_TRUE(window.close()); // the program closes it regardless
    EXPECT_FALSE(window.isVisible());

    QWidget child(&window);
    EXPECT_FALSE(EnableSysMenuClose(&child, false)); // no top-level window
    EXPECT_FALSE(EnableSysMenuClose(nullptr, true));
}

TEST(WindowHelpersTest, TheCloseBoxChangesInPlaceWhateverTheWindowsState)
{
    // The main window is greyed while a dialog of its own opens above it: it must keep its state, its
    // native window (which the dialog names as its owner) and its place below the dialog.
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowNoState, Qt::WindowFullScreen}) {
        SCOPED_TRACE(int(state));
        QWidget window;
        window.setWindowState(state);
        window.show();
        QWidget dialog(&window, Qt::Dialog);
        dialog.show();
        const WId native = window.winId();
        const Qt::WindowStates before = window.windowState();
        // A window the window system unmaps and maps again comes back un-maximised and above its
        // dialogs: it must not be hidden on the way.
        struct HideCount : QObject
        {
            int n = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                n += e->type() == QEvent::Hide ? 1 : 0;
                return false;
            }
        } hides;
        window.installEventFilter(&hides);
        for (bool enable : {false, true}) {
            SCOPED_TRACE(enable);
            ASSERT_TRUE(EnableSysMenuClose(&window, enable));
            EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowCloseButtonHint), enable);
            ASSERT_TRUE(window.windowHandle());
            EXPECT_EQ(window.windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint), enable);
            EXPECT_EQ(window.winId(), native);
            EXPECT_EQ(window.windowState(), before);
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(dialog.windowHandle()->transientParent(), window.windowHandle());
            EXPECT_EQ(hides.n, 0);
        }
    }
}

} // namespace
