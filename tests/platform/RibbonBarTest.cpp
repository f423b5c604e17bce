// The ribbon widget: groups and their controls, run-time groups, commands and tooltips.
#include "platform/ribbon/RibbonBar.h"
#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A ribbon that notes the controls it made.
class NamingRibbon : public RibbonBar
{
public:
    std::vector<int> added;

protected:
    void OnControlAdded(QWidget* control, int id) override
    {
        added.push_back(id);
        control->setObjectName(QStringLiteral("id_%1").arg(id));
    }
};

RibbonControlSpec Spec(int id, int type = RIBBON_BUTTON, int style = RIBBON_STYLE_AUTO,
                       bool beginGroup = false)
{
    RibbonControlSpec spec;
    spec.id = id;
    spec.type = type;
    spec.style = style;
    spec.beginGroup = beginGroup;
    spec.caption = QStringLiteral("Command %1").arg(id);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::darkBlue);
    spec.icon = QIcon(pixmap);
    return spec;
}

class RibbonBarTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_ribbon.resize(900, m_ribbon.sizeHint().height());
        m_ribbon.AddTab(QStringLiteral("Start"));
        m_menu.addAction(QStringLiteral("Print"))->setData(1);
        m_menu.addAction(QStringLiteral("Printer setup"))->setData(57606);
    }

    NamingRibbon m_ribbon;
    QMenu m_menu;
};

TEST_F(RibbonBarTest, ControlsAreMadeByKindAndStyle)
{
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("Vehicle"));
    auto* large =
        qobject_cast<QToolButton*>(m_ribbon.AddControl(group, Spec(10, RIBBON_BUTTON, RIBBON_STYLE_LARGE)));
    auto* small = qobject_cast<QToolButton*>(m_ribbon.AddControl(group, Spec(11)));
    auto* split =
        qobject_cast<QToolButton*>(m_ribbon.AddControl(group, Spec(12, RIBBON_SPLIT_POPUP), &m_menu));
    auto* check = qobject_cast<QCheckBox*>(m_ribbon.AddControl(group, Spec(13, RIBBON_CHECK_BOX)));
    auto* combo =
        qobject_cast<QComboBox*>(m_ribbon.AddControl(group, Spec(14, RIBBON_COMBO, RIBBON_STYLE_CAPTION)));
    auto* popup = qobject_cast<QToolButton*>(m_ribbon.AddTabRowControl(Spec(15, RIBBON_POPUP), &m_menu));
    ASSERT_TRUE(large && small && split && check && combo && popup);

    EXPECT_EQ(large->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(large->iconSize(), QSize(32, 32));
    EXPECT_EQ(large->height(), RibbonGroup::kRowHeight * RibbonGroup::kRows);
    EXPECT_EQ(small->iconSize(), QSize(16, 16));
    EXPECT_EQ(small->height(), RibbonGroup::kRowHeight);
    EXPECT_EQ(split->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(split->menu(), &m_menu);
    EXPECT_EQ(popup->popupMode(), QToolButton::InstantPopup);
    EXPECT_GE(combo->width(), 64);
    EXPECT_GE(combo->parentWidget()->width(), 150); // with its caption

    // Every control is found by its id and was handed to the naming hook once, in order.
    EXPECT_EQ(m_ribbon.added, (std::vector<int>{10, 11, 12, 13, 14, 15}));
    const QList<RibbonBar::ControlRef> controls = m_ribbon.Controls();
    ASSERT_EQ(controls.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(controls[i].spec.id, 10 + i);
        EXPECT_EQ(m_ribbon.Control(10 + i), controls[i].widget);
    }
    EXPECT_EQ(m_ribbon.Control(99), nullptr);
}

TEST_F(RibbonBarTest, SmallControlsStackThreeToAColumnAndABeginGroupStartsANewOne)
{
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("Vehicle"));
    QList<QWidget*> w;
    for (int id = 1; id <= 4; ++id)
        w << m_ribbon.AddControl(group, Spec(id));
    w << m_ribbon.AddControl(group, Spec(5, RIBBON_BUTTON, RIBBON_STYLE_AUTO, true));
    w << m_ribbon.AddControl(group, Spec(6, RIBBON_BUTTON, RIBBON_STYLE_LARGE));
    // Column 1: 1, 2, 3 top down; column 2: 4; column 3 (behind a line): 5; column 4: the large one.
    EXPECT_EQ(w[0]->x(), w[1]->x());
    EXPECT_EQ(w[1]->x(), w[2]->x());
    EXPECT_LT(w[0]->y(), w[1]->y());
    EXPECT_LT(w[1]->y(), w[2]->y());
    EXPECT_GT(w[3]->x(), w[2]->x());
    EXPECT_EQ(w[3]->y(), w[0]->y());
    EXPECT_GT(w[4]->x(), w[3]->geometry().right());
    EXPECT_EQ(w[4]->y(), w[0]->y());
    EXPECT_GT(w[5]->x(), w[4]->geometry().right());
    // The group holds every control above its caption band.
    for (QWidget* control : w)
        EXPECT_LE(control->geometry().bottom(), group->CaptionRect().top());
    EXPECT_GE(group->width(), w[5]->geometry().right());
}

TEST_F(RibbonBarTest, GroupsAreAddedOnceAndRemovedAtRunTime)
{
    RibbonGroup* first = m_ribbon.AddGroup(1, QStringLiteral("One"));
    m_ribbon.AddControl(first, Spec(10));
    RibbonGroup* second = m_ribbon.AddGroup(2, QStringLiteral("Two"));
    m_ribbon.AddControl(second, Spec(20));
    EXPECT_EQ(m_ribbon.AddGroup(2, QStringLiteral("Two again")), second);
    ASSERT_EQ(m_ribbon.Groups().size(), 2);
    EXPECT_EQ(m_ribbon.Groups()[1], second);

    EXPECT_TRUE(m_ribbon.RemoveGroup(2));
    EXPECT_FALSE(m_ribbon.RemoveGroup(2));
    EXPECT_EQ(m_ribbon.Group(2), nullptr);
    EXPECT_EQ(m_ribbon.Control(20), nullptr);
    EXPECT_EQ(m_ribbon.Controls().size(), 1);

    // Added again, it comes behind the groups there.
    RibbonGroup* again = m_ribbon.AddGroup(2, QStringLiteral("Two"));
    m_ribbon.AddControl(again, Spec(20));
    EXPECT_EQ(m_ribbon.Groups().last(), again);
    EXPECT_NE(m_ribbon.Control(20), nullptr);
}

TEST_F(RibbonBarTest, ClicksMenuItemsAndComboEntriesAreCommands)
{
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("Vehicle"));
    auto* button = qobject_cast<QToolButton*>(m_ribbon.AddControl(group, Spec(10)));
    auto* split =
        qobject_cast<QToolButton*>(m_ribbon.AddControl(group, Spec(12, RIBBON_SPLIT_POPUP), &m_menu));
    auto* check = qobject_cast<QCheckBox*>(m_ribbon.AddControl(group, Spec(13, RIBBON_CHECK_BOX)));
    auto* combo = qobject_cast<QComboBox*>(m_ribbon.AddControl(group, Spec(14, RIBBON_COMBO)));
    combo->addItems({QStringLiteral("n/a"), QStringLiteral("1 %")});
    std::vector<std::pair<int, int>> commands;
    QObject::connect(&m_ribbon, &RibbonBar::Command,
                     [&](int id, int index) { commands.emplace_back(id, index); });

    button->click();
    split->click();
    m_menu.actions()[1]->trigger();
    check->click();
    emit combo->activated(1);
    const std::vector<std::pair<int, int>> expected = {{10, -1}, {12, -1}, {57606, -1}, {13, -1}, {14, 1}};
    EXPECT_EQ(commands, expected);
}

TEST_F(RibbonBarTest, ACollapsedGroupDropsDownItsOwnControlsAndACommandClosesTheDropDown)
{
    RibbonGroup* small = m_ribbon.AddGroup(1, QStringLiteral("Small"));
    m_ribbon.AddControl(small, Spec(10));
    RibbonGroup* large = m_ribbon.AddGroup(2, QStringLiteral("Large"));
    QList<QWidget*> controls;
    for (int id = 20; id < 30; ++id)
        controls << m_ribbon.AddControl(large, Spec(id, RIBBON_BUTTON, RIBBON_STYLE_LARGE));
    std::vector<int> commands;
    QObject::connect(&m_ribbon, &RibbonBar::Command, [&](int id, int) { commands.push_back(id); });
    m_ribbon.show();
    m_ribbon.resize(large->ExpandedWidth() + small->ExpandedWidth() + 20, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_FALSE(small->IsCollapsed());
    EXPECT_FALSE(large->IsCollapsed());

    // Too narrow for both: the larger group collapses, the smaller stays open.
    m_ribbon.resize(large->ExpandedWidth(), m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_FALSE(small->IsCollapsed());
    ASSERT_TRUE(large->IsCollapsed());
    EXPECT_LT(large->width(), large->ExpandedWidth());
    EXPECT_GT(large->x(), small->geometry().right());
    // The drop-down holds the same widgets, laid out as in the open group.
    const int gap = controls[1]->x() - controls[0]->x();
    large->CollapsedButton()->click();
    ASSERT_TRUE(large->DropDown()->isVisible());
    for (QWidget* control : controls)
        EXPECT_TRUE(control->isVisible() && large->DropDown()->isAncestorOf(control));
    EXPECT_EQ(controls[1]->x() - controls[0]->x(), gap);
    qobject_cast<QToolButton*>(controls[3])->click();
    EXPECT_EQ(commands, std::vector<int>{23});
    EXPECT_FALSE(large->DropDown()->isVisible());

    // Room again: the controls return to the open group.
    m_ribbon.resize(large->ExpandedWidth() + small->ExpandedWidth() + 20, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_FALSE(large->IsCollapsed());
    EXPECT_TRUE(large->isAncestorOf(controls[0]));
    EXPECT_TRUE(controls[0]->isVisible());
    EXPECT_FALSE(large->CollapsedButton()->isVisible());
}

TEST_F(RibbonBarTest, ToolTipShowsTitleTextAndIconWithinItsWidth)
{
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("Vehicle"));
    RibbonControlSpec spec = Spec(10);
    spec.tipTitle = QStringLiteral("Open");
    spec.tipText = QStringLiteral("Opens a vehicle or combination file that was saved before, and shows its "
                                  "loading plan with every placed load unit.");
    QWidget* withTip = m_ribbon.AddControl(group, spec);
    QWidget* without = m_ribbon.AddControl(group, Spec(11));
    m_ribbon.show();

    RibbonToolTip* tip = m_ribbon.ToolTip();
    ASSERT_TRUE(tip->ShowFor(withTip));
    EXPECT_EQ(tip->Shown(), withTip);
    EXPECT_EQ(tip->Title(), spec.tipTitle);
    EXPECT_EQ(tip->Text(), spec.tipText);
    EXPECT_TRUE(tip->HasIcon());
    EXPECT_LE(tip->width(), RibbonToolTip::kMaxWidth);
    EXPECT_GT(tip->height(), 3 * tip->fontMetrics().height()); // the description wraps

    EXPECT_FALSE(tip->ShowFor(without));
    // Leaving the control closes its tip.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(withTip, &leave);
    EXPECT_EQ(tip->Shown(), nullptr);
}

} // namespace

TEST_F(RibbonBarTest, ADoubleClickOnATabMinimisesAndTheLayoutKeepsIt)
{
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("File"));
    m_ribbon.AddControl(group, Spec(1));
    m_ribbon.show();
    const int whole = m_ribbon.sizeHint().height();
    std::vector<bool> told;
    QObject::connect(&m_ribbon, &RibbonBar::MinimizedChanged, [&](bool on) { told.push_back(on); });

    emit m_ribbon.Tabs()->tabBarDoubleClicked(0);
    EXPECT_TRUE(m_ribbon.IsMinimized());
    EXPECT_FALSE(group->isVisible());
    EXPECT_LT(m_ribbon.sizeHint().height(), whole);
    const QByteArray minimized = m_ribbon.SaveLayout();
    emit m_ribbon.Tabs()->tabBarDoubleClicked(-1); // beside the tabs: nothing
    EXPECT_TRUE(m_ribbon.IsMinimized());
    emit m_ribbon.Tabs()->tabBarDoubleClicked(0);
    EXPECT_FALSE(m_ribbon.IsMinimized());
    EXPECT_TRUE(group->isVisible());
    EXPECT_EQ(m_ribbon.sizeHint().height(), whole);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    const QByteArray shown = m_ribbon.SaveLayout();

    // A layout it wrote comes back; anything else leaves the ribbon as it is.
    QByteArray otherVersion = minimized;
    otherVersion[5] = char(otherVersion[5] + 1);
    QByteArray unknownFlag = minimized;
    unknownFlag[unknownFlag.size() - 1] = char(0x03);
    struct Fall
    {
        const char* what;
        QByteArray layout;
        bool taken;
        bool minimizedAfter;
    };
    const Fall faelle[] = {
        {"minimised", minimized, true, true},
        {"whole", shown, true, false},
        {"empty", QByteArray(), false, false},
        {"cut short", minimized.left(minimized.size() - 1), false, false},
        {"one byte more", minimized + '\0', false, false},
        {"another version", otherVersion, false, false},
        {"an unknown flag", unknownFlag, false, false},
        {"another program's bytes", QByteArray("<CommandBars><Ribbon minimized=\"1\"/></CommandBars>"), false,
         false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.what);
        m_ribbon.SetMinimized(false);
        EXPECT_EQ(m_ribbon.RestoreLayout(f.layout), f.taken);
        EXPECT_EQ(m_ribbon.IsMinimized(), f.minimizedAfter);
    }
}
