// The menu format of the language module: reading, its errors, and the menus made from it.
#include "platform/MenuResource.h"

#include "model/text/TextProvider.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

const char* const kMenu = R"(# two popups
popup 0
    item 33101 Ctrl+O   # open
    separator
    popup 692
        item 1400
    end
    item 57665
end
popup 692
    item 633 F1
end
)";

TEST(MenuResourceTest, ReadsPopupsItemsSeparatorsAndShortcuts)
{
    QString error;
    const std::optional<MenuResource> menu = MenuResource::Parse(kMenu, &error);
    ASSERT_TRUE(menu) << error.toStdString();
    ASSERT_EQ(menu->Popups().size(), 2);
    const MenuResource::Item& first = menu->Popups()[0];
    EXPECT_EQ(first.id, 0);
    ASSERT_EQ(first.children.size(), 4);
    EXPECT_EQ(first.children[0].kind, MenuResource::Item::ITEM);
    EXPECT_EQ(first.children[0].id, 33101);
    EXPECT_EQ(first.children[0].shortcut, QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(first.children[1].kind, MenuResource::Item::SEPARATOR);
    EXPECT_EQ(first.children[2].kind, MenuResource::Item::POPUP);
    EXPECT_EQ(first.children[2].id, 692);
    ASSERT_EQ(first.children[2].children.size(), 1);
    EXPECT_EQ(first.children[2].children[0].id, 1400);
    EXPECT_EQ(first.children[3].id, 57665);
    EXPECT_EQ(menu->Popups()[1].children[0].shortcut, QKeySequence(Qt::Key_F1));
}

TEST(MenuResourceTest, FaultyTextNamesTheLine)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"item 5\n", "line 1: \"item\" outside a popup"},
        {"popup 0\nitem x\nend\n", "line 2: \"item\" needs a command id"},
        {"popup 0\nitem 5 Ctrl+Nothing+Q\nend\n", "line 2: unknown shortcut Ctrl+Nothing+Q"},
        {"popup\nend\n", "line 1: \"popup\" needs one caption id"},
        {"popup 0\n", "a popup is not closed"},
        {"end\n", "line 1: \"end\" without \"popup\""},
        {"popup 0\nbutton 5\nend\n", "line 2: cannot read \"button 5\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        EXPECT_FALSE(MenuResource::Parse(c.text, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.error))) << error.toStdString();
    }
}

TEST(MenuResourceTest, MenusCarryCommandIdsAndCaptionsFromTheirStrings)
{
    CTableTextProvider texts(
        {{33101, "Opens a saved vehicle.\nOpen\nOpen..."}, {692, "Options"}, {1400, "English"}});
    ScopedTextProvider scoped(&texts);
    const std::optional<MenuResource> menu = MenuResource::Parse(kMenu, nullptr);
    ASSERT_TRUE(menu);
    std::unique_ptr<QMenu> popup(menu->BuildPopup(0, nullptr));
    ASSERT_TRUE(popup);
    const QList<QAction*> actions = popup->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Open..."));
    EXPECT_EQ(MenuResource::CommandOf(actions[0]), 33101);
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(MenuResource::CommandOf(actions[1]), 0);
    ASSERT_TRUE(actions[2]->menu());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Options"));
    EXPECT_EQ(MenuResource::CommandOf(actions[2]->menu()->actions().value(0)), 1400);
    // A command without a string still gets an item that says which.
    EXPECT_EQ(actions[3]->text(), QStringLiteral("#57665"));
    EXPECT_EQ(menu->BuildPopup(2, nullptr), nullptr);
}

} // namespace
