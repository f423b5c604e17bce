// Command update queries: recording of answers, and the menu, window and ribbon adapters.
#include "ui/CRbcCmdUI.h"
#include "ui/CXtpCmdUI.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Notes what would be applied.
class RecordingProbe : public CCmdUIEx
{
public:
    std::vector<std::string> applied;

protected:
    void DoEnable(bool on) override { applied.push_back(on ? "enable" : "disable"); }
    void DoSetCheck(int state) override { applied.push_back("check " + std::to_string(state)); }
};

TEST(CmdUITest, RecordingAppliesOnlyTheLastAnswerOfEachKindOnce)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> answers; // "E0", "E1", "C<n>"
        std::vector<std::string> applied;
        int enable, check;
    };
    const Case cases[] = {
        {"disable then enable", {"E0", "E1"}, {"enable"}, 1, -1},
        {"enable then disable", {"E1", "E0"}, {"disable"}, 0, -1},
        {"checks", {"C1", "C0", "C2"}, {"check 2"}, -1, 2},
        {"check before enable: enable applies first", {"C1", "E0"}, {"disable", "check 1"}, 0, 1},
        {"no handler answered", {}, {}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingProbe query;
        query.SetRecording(true);
        query.ResetRecorded();
        for (const std::string& answer : c.answers) {
            if (answer[0] == 'E')
                query.Enable(answer[1] == '1');
            else
                query.SetCheck(answer[1] - '0');
        }
        EXPECT_TRUE(query.applied.empty());
        EXPECT_EQ(query.GetRecordedEnable(), c.enable);
        EXPECT_EQ(query.GetRecordedCheck(), c.check);
        EXPECT_EQ(query.GetRecordedValue3(), -1);
        query.ApplyRecorded();
        EXPECT_EQ(query.applied, c.applied);

        query.ResetRecorded(); // the next pass starts clean
        query.applied.clear();
        query.ApplyRecorded();
        EXPECT_TRUE(query.applied.empty());
        EXPECT_EQ(query.GetRecordedEnable(), -1);
    }
}

TEST(CmdUITest, WithoutRecordingEveryAnswerAppliesAtOnce)
{
    RecordingProbe query;
    EXPECT_FALSE(query.IsRecording());
    query.Enable(false);
    query.SetCheck(1);
    query.SetRadio(false);
    EXPECT_EQ(query.applied, (std::vector<std::string>{"disable", "check 1", "check 0"}));
    EXPECT_TRUE(query.m_bEnableChanged);
    EXPECT_EQ(query.GetRecordedEnable(), -1);
}

// A window with three controls, shown and active so that focus is real.
class CmdUIFocusTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        first = new QLineEdit(&window);
        second = new QLineEdit(&window);
        button = new QPushButton(QStringLiteral("Apply"), &window);
        button->setCheckable(true);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(button);
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        first->setFocus();
        QApplication::processEvents();
        if (!first->hasFocus())
            GTEST_SKIP() << "the platform gives no keyboard focus";
    }

    // One update pass as a dialog runs it: two handlers answer, the last answer is applied.
    static void Pass(CRbcCmdUI& query, QWidget* control, bool firstAnswer, bool lastAnswer)
    {
        query.ResetRecorded();
        query.m_pOther = control;
        query.Enable(firstAnswer);
        query.Enable(lastAnswer);
        query.ApplyRecorded();
    }

    QWidget window;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    QPushButton* button = nullptr;
};

TEST_F(CmdUIFocusTest, DisablingTheFocusedControlPassesTheFocusOn)
{
    CRbcCmdUI query;
    query.SetRecording(true);
    Pass(query, second, true, false); // not focused: simply disabled
    EXPECT_FALSE(second->isEnabled());
    Pass(query, first, true, false); // focused: focus moves on, then disabled
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(first->hasFocus());
    EXPECT_TRUE(button->hasFocus()); // the next enabled control
    Pass(query, first, false, true);
    EXPECT_TRUE(first->isEnabled());
}

TEST_F(CmdUIFocusTest, TheOwnersFlagKeepsTheFocusedControlEnabled)
{
    CRbcCmdUI query(true);
    query.SetRecording(true);
    Pass(query, first, true, false);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(first->hasFocus());
    Pass(query, second, true, false); // only the focused one is kept
    EXPECT_FALSE(second->isEnabled());
}

TEST_F(CmdUIFocusTest, ChecksAndTextsReachButtonsAndEditFields)
{
    CRbcCmdUI query;
    query.m_pOther = button;
    query.SetCheck(1);
    EXPECT_TRUE(button->isChecked());
    query.SetRadio(false);
    EXPECT_FALSE(button->isChecked());
    query.SetText(QStringLiteral("Apply all"));
    EXPECT_EQ(button->text(), QStringLiteral("Apply all"));

    QCheckBox box(QStringLiteral("Mat"), &window);
    box.setTristate(true);
    query.m_pOther = &box;
    query.SetCheck(2);
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);

    query.m_pOther = second;
    query.SetCheck(1); // an edit field has no check mark: nothing happens
    query.SetText(QStringLiteral("12.5"));
    EXPECT_EQ(second->text(), QStringLiteral("12.5"));
}

TEST(CmdUITest, MenuItemsAreAddressedByPosition)
{
    QMenu menu;
    QAction* open = menu.addAction(QStringLiteral("Open"));
    QAction* save = menu.addAction(QStringLiteral("Save"));
    QMenu* recent = menu.addMenu(QStringLiteral("Recent"));
    CRbcCmdUI query;
    query.m_pMenu = &menu;
    query.m_nIndex = 1;
    query.Enable(false);
    EXPECT_TRUE(open->isEnabled());
    EXPECT_FALSE(save->isEnabled());
    query.SetCheck(1);
    EXPECT_TRUE(save->isChecked());
    query.SetText(QStringLiteral("Save as"));
    EXPECT_EQ(save->text(), QStringLiteral("Save as"));

    query.m_nIndex = 2; // an item that opens a sub-menu is left alone
    query.m_pSubMenu = recent;
    query.Enable(false);
    EXPECT_TRUE(recent->menuAction()->isEnabled());

    query.m_pSubMenu = nullptr;
    query.m_nIndex = 7; // beyond the menu: a warning, nothing else
    query.Enable(false);
    query.SetCheck(1);
    EXPECT_TRUE(open->isEnabled());

    CRbcCmdUI unbound; // bound to nothing: nothing happens
    unbound.Enable(false);
    unbound.SetText(QStringLiteral("x"));
    EXPECT_TRUE(unbound.m_bEnableChanged);
}

TEST(CmdUITest, RibbonControlsAnswerThroughTheirAction)
{
    QToolButton tool;
    QAction action(QStringLiteral("Axle loads"));
    tool.setDefaultAction(&action);
    CXtpCmdUI query(&tool);
    query.Enable(false);
    EXPECT_FALSE(action.isEnabled());
    query.SetCheck(1);
    EXPECT_TRUE(action.isChecked());
    query.SetText(QStringLiteral("Axle loads (t)"));
    EXPECT_EQ(action.text(), QStringLiteral("Axle loads (t)"));
    EXPECT_TRUE(query.m_bEnableChanged);
}

TEST(CmdUITest, ADisabledRibbonButtonLosesItsCheckUnlessCheckedInThePass)
{
    struct Case
    {
        const char* name;
        bool checkInPass;
        bool checked;
    };
    const Case cases[] = {
        {"no check in the pass: cleared", false, false},
        {"checked in the same pass: kept", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPushButton button(QStringLiteral("3D"));
        button.setCheckable(true);
        button.setChecked(true);
        CXtpCmdUI query;
        query.SetControl(&button);
        query.SetRecording(true);
        query.ResetRecorded();
        if (c.checkInPass)
            query.SetCheck(1);
        query.Enable(false);
        query.ApplyRecorded();
        EXPECT_FALSE(button.isEnabled());
        EXPECT_EQ(button.isChecked(), c.checked);
    }

    CXtpCmdUI unbound; // no control: every answer is dropped
    unbound.Enable(false);
    unbound.SetCheck(1);
    unbound.SetText(QStringLiteral("x"));
    {
        auto* gone = new QPushButton;
        unbound.SetControl(gone);
        delete gone; // a control that went away is not touched
    }
    unbound.Enable(true);
    EXPECT_EQ(unbound.Control(), nullptr);
}

TEST(CmdUITest, OtherRibbonControlsAndMenuItemsTakeTheRecordedAnswers)
{
    QLineEdit edit; // stands for a combo box: a control that is no button
    QAction item(QStringLiteral("German"));
    CXtpCmdUI query;
    query.SetRecording(true);

    query.SetWidget(&edit);
    query.ResetRecorded();
    query.Enable(false);
    query.SetCheck(1); // a window without a check mark ignores it
    query.ApplyRecorded();
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_EQ(query.Control(), nullptr);

    query.SetMenuAction(&item);
    query.ResetRecorded();
    query.Enable(false);
    query.Enable(true);
    query.SetCheck(1);
    query.SetText(QStringLiteral("Deutsch"));
    EXPECT_TRUE(edit.isEnabled() == false); // the earlier binding is left alone
    query.ApplyRecorded();
    EXPECT_TRUE(item.isEnabled());
    EXPECT_TRUE(item.isChecked());
    EXPECT_EQ(item.text(), QStringLiteral("Deutsch"));
}

TEST(CmdUITest, ARibbonCheckBoxShowsTheThirdStateAndLeavesItAgain)
{
    QCheckBox box(QStringLiteral("Axle group"));
    CXtpCmdUI query;
    query.SetRecording(true);
    struct Case
    {
        int state;
        bool enabled;
        Qt::CheckState shown;
    };
    // In order: each pass starts from what the one before left.
    const Case cases[] = {{2, false, Qt::PartiallyChecked},
                          {1, true, Qt::Checked},
                          {2, true, Qt::PartiallyChecked},
                          {0, true, Qt::Unchecked},
                          {2, false, Qt::PartiallyChecked}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        query.SetControl(&box);
        query.ResetRecorded();
        query.SetCheck(c.state);
        query.Enable(c.enabled);
        query.ApplyRecorded();
        EXPECT_EQ(box.checkState(), c.shown);
        EXPECT_EQ(box.isEnabled(), c.enabled);
    }
    // Once the update gives a plain state again, the user's clicks only toggle between the other two.
    query.SetControl(&box);
    query.ResetRecorded();
    query.SetCheck(1);
    query.Enable(true);
    query.ApplyRecorded();
    box.click();
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    box.click();
    EXPECT_EQ(box.checkState(), Qt::Checked);
}

} // namespace
