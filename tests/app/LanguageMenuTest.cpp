// The language menu: one item per module found, named in its own language, and the switch.
#include "AppTestModule.h"

#include "app/LanguageMenu.h"
#include "platform/MenuResource.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(LanguageMenuTest, EveryModuleFoundGetsANamedItem)
{
    AppTestModule module;
    QMenu popup;
    popup.addAction(QStringLiteral("#1400"))->setData(1400);
    ASSERT_TRUE(LanguageMenu::Initialise(&popup, {"EN", "DE", "FR", "QQ"}));
    QStringList names;
    QList<int> ids;
    for (QAction* action : popup.actions()) {
        names << action->text();
        ids << MenuResource::CommandOf(action);
    }
    // A module without a string of its own still gets a name: its language's, or its code.
    EXPECT_EQ(names, (QStringList{"English", "German", QStringLiteral("Français"), "QQ"}));
    EXPECT_EQ(ids, (QList<int>{1400, 1401, 1402, 1403}));

    // Opened again with fewer modules, the menu is made anew.
    ASSERT_TRUE(LanguageMenu::Initialise(&popup, {"DE"}));
    ASSERT_EQ(popup.actions().size(), 1);
    EXPECT_EQ(popup.actions()[0]->text(), QStringLiteral("German"));

    QMenu other;
    other.addAction(QStringLiteral("Help"))->setData(633);
    EXPECT_FALSE(LanguageMenu::Initialise(&other, {"EN", "DE"}));
    EXPECT_EQ(other.actions().size(), 1);
}

TEST(LanguageMenuTest, SwitchingWritesTheChoiceAndSaysWhenItNeedsARestart)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const QStringList codes = {"EN", "DE"};
    QString selected = QStringLiteral("EN");
    struct Step
    {
        int index;
        LanguageMenu::SwitchResult result;
        const char* written;
    };
    const Step steps[] = {
        {0, LanguageMenu::UNCHANGED, ""},          // the running language: nothing
        {1, LanguageMenu::SAVED_NEXT_START, "DE"}, // another: kept for the next start
        {1, LanguageMenu::UNCHANGED, "DE"},        // chosen again
        {0, LanguageMenu::SAVED, "EN"},            // back to the running one: no restart needed
        {5, LanguageMenu::UNCHANGED, "EN"},        // beyond the list
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.index);
        EXPECT_EQ(LanguageMenu::Switch(step.index, codes, selected, QStringLiteral("EN"), settings),
                  step.result);
        EXPECT_EQ(settings.value(QStringLiteral("Settings/lang")).toString(),
                  QString::fromUtf8(step.written));
    }
    EXPECT_EQ(selected, QStringLiteral("EN"));
}

} // namespace
