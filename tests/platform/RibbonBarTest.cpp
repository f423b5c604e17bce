// The ribbon widget: groups and their controls, run-time groups, commands and tooltips.
#include "platform/ribbon/RibbonBar.h"
#include "platform/ribbon/QuickAccessBar.h"
#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDataStream>
#include <QEvent>
#include <QIODevice>
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
    unknownFlag[9] = char(0x05); // the flags' low byte: minimised and a bit no version knows
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

namespace {

QKeySequence Key(const char* text)
{
    return QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
}

// A saved layout written by hand: mark, version, flags and, unless `version` is 1, the quick access
// commands and the keys.
QByteArray Layout(quint16 version, quint32 flags, const QList<qint32>& quick = {},
                  const QList<QPair<qint32, QString>>& keys = {}, quint32 mark = 0x51524C59)
{
    QByteArray layout;
    QDataStream out(&layout, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << mark << version << flags;
    if (version == 1)
        return layout;
    out << quint32(quick.size());
    for (qint32 id : quick)
        out << id;
    out << quint32(keys.size());
    for (const auto& [id, key] : keys)
        out << id << key;
    return layout;
}

// A ribbon that knows the commands 1 to 20 and binds Ctrl+O to 1 and F1 to 2 unless told otherwise.
void Prepare(RibbonBar& ribbon)
{
    ribbon.SetCommandDescriber([](int id) -> std::optional<RibbonControlSpec> {
        if (id < 1 || id > 20)
            return std::nullopt;
        return Spec(id, id == 13 ? RIBBON_CHECK_BOX : RIBBON_BUTTON);
    });
    ribbon.Keys().SetDefaults({{1, Key("Ctrl+O")}, {2, Key("F1")}});
}

struct LayoutState
{
    bool minimized;
    bool below;
    QList<int> quick;
    QList<KeyBindings::Binding> keys;
    bool operator==(const LayoutState&) const = default;
};

LayoutState StateOf(const RibbonBar& ribbon)
{
    return {ribbon.IsMinimized(), ribbon.IsQuickAccessBelow(), ribbon.QuickAccessCommands(),
            ribbon.Keys().Bindings()};
}

} // namespace

TEST_F(RibbonBarTest, TheQuickAccessBarStandsAboveOrBelowWithTheCommandsTheRibbonKnows)
{
    Prepare(m_ribbon);
    RibbonGroup* group = m_ribbon.AddGroup(7, QStringLiteral("File"));
    m_ribbon.AddControl(group, Spec(1));
    int changed = 0;
    QObject::connect(&m_ribbon, &RibbonBar::QuickAccessChanged, [&] { ++changed; });
    std::vector<std::pair<int, int>> commands;
    QObject::connect(&m_ribbon, &RibbonBar::Command,
                     [&](int id, int index) { commands.emplace_back(id, index); });

    // Unknown commands and repeats are left out; the order is kept.
    m_ribbon.SetQuickAccessCommands({5, 99, 13, 5, 0, 3});
    EXPECT_EQ(m_ribbon.QuickAccessCommands(), (QList<int>{5, 13, 3}));
    EXPECT_EQ(changed, 1);
    m_ribbon.SetQuickAccessCommands({5, 13, 3});
    EXPECT_EQ(changed, 1); // the same commands: nothing to tell
    QuickAccessBar* quick = m_ribbon.QuickAccess();
    ASSERT_EQ(quick->Buttons().size(), 3);
    EXPECT_FALSE(quick->Button(5)->icon().isNull());
    EXPECT_TRUE(quick->Button(13)->isCheckable()); // a check box's command shows its state
    EXPECT_FALSE(quick->Button(5)->isCheckable());
    quick->Button(3)->click();
    EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{{3, -1}}));

    m_ribbon.show();
    QCoreApplication::processEvents();
    const int whole = m_ribbon.sizeHint().height();
    auto topInRibbon = [&](QWidget* w) { return w->mapTo(&m_ribbon, QPoint(0, 0)).y(); };
    // Above: in the tab row, before the groups.
    EXPECT_LT(topInRibbon(quick), topInRibbon(group));
    EXPECT_TRUE(quick->isVisible());

    m_ribbon.SetQuickAccessBelow(true);
    EXPECT_EQ(changed, 2);
    m_ribbon.resize(900, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_ribbon.sizeHint().height(), whole + QuickAccessBar::kButtonSize);
    EXPECT_GE(topInRibbon(quick), topInRibbon(group) + group->height());
    EXPECT_TRUE(quick->isVisible());
    // Minimised, the row below stays under the tab row.
    m_ribbon.SetMinimized(true);
    m_ribbon.resize(900, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(quick->isVisible());
    EXPECT_LE(topInRibbon(quick) + quick->height(), m_ribbon.height());
    m_ribbon.SetMinimized(false);

    m_ribbon.SetQuickAccessBelow(false);
    m_ribbon.resize(900, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_ribbon.sizeHint().height(), whole);
    EXPECT_LT(topInRibbon(quick), topInRibbon(group));
    EXPECT_EQ(m_ribbon.QuickAccessCommands(), (QList<int>{5, 13, 3}));
}

TEST_F(RibbonBarTest, TheWholeLayoutComesBackAndAFirstVersionLayoutStillLoads)
{
    Prepare(m_ribbon);
    m_ribbon.SetMinimized(true);
    m_ribbon.SetQuickAccessBelow(true);
    m_ribbon.SetQuickAccessCommands({7, 2});
    m_ribbon.Keys().Bind(7, Key("Ctrl+Shift+F5"));
    m_ribbon.Keys().Bind(7, Key("Ctrl+O")); // taken from command 1
    const LayoutState saved = StateOf(m_ribbon);
    const QByteArray layout = m_ribbon.SaveLayout();

    RibbonBar other;
    Prepare(other);
    int keysChanged = 0;
    QObject::connect(&other, &RibbonBar::KeysChanged, [&] { ++keysChanged; });
    ASSERT_TRUE(other.RestoreLayout(layout));
    EXPECT_EQ(StateOf(other), saved);
    EXPECT_EQ(keysChanged, 1);
    EXPECT_EQ(other.SaveLayout(), layout);

    // The first version held only the minimised state: the rest stays as it is.
    RibbonBar older;
    Prepare(older);
    older.SetQuickAccessCommands({4});
    ASSERT_TRUE(older.RestoreLayout(Layout(1, 1)));
    EXPECT_EQ(StateOf(older), (LayoutState{true, false, {4}, older.Keys().Defaults()}));
    // ... and knew no other flag.
    EXPECT_FALSE(older.RestoreLayout(Layout(1, 3)));
    EXPECT_FALSE(older.IsQuickAccessBelow());
}

TEST_F(RibbonBarTest, ADamagedOrForeignLayoutChangesNothing)
{
    Prepare(m_ribbon);
    m_ribbon.SetQuickAccessCommands({3});
    const LayoutState before = StateOf(m_ribbon);
    const QByteArray good =
        Layout(2, 3, {7, 2}, {{7, QStringLiteral("Ctrl+Shift+F5")}, {1, QStringLiteral("F2")}});
    {
        RibbonBar probe;
        Prepare(probe);
        ASSERT_TRUE(probe.RestoreLayout(good)); // the hand-written layout is a sound one
        EXPECT_EQ(probe.Keys().CommandOf(Key("Ctrl+Shift+F5")), 7);
    }

    struct Fall
    {
        std::string what;
        QByteArray layout;
    };
    std::vector<Fall> faelle = {
        {"another mark", Layout(2, 0, {}, {}, 0x51524C5A)},
        {"a later version", Layout(3, 0)},
        {"version 0", Layout(0, 0)},
        {"an unknown flag", Layout(2, 4)},
        {"a command twice on the bar", Layout(2, 0, {7, 7})},
        {"command 0 on the bar", Layout(2, 0, {0})},
        {"a key twice", Layout(2, 0, {}, {{7, QStringLiteral("F2")}, {8, QStringLiteral("F2")}})},
        {"a key no program writes", Layout(2, 0, {}, {{7, QStringLiteral("Ctrl+Nonsense")}})},
        {"no key", Layout(2, 0, {}, {{7, QString()}})},
        {"a key for command 0", Layout(2, 0, {}, {{0, QStringLiteral("F2")}})},
        {"a huge count", Layout(1, 0) + QByteArray("\xff\xff\xff\xff", 4)},
        {"a byte more", good + '\0'},
        {"all bits set", QByteArray(64, '\xff')},
        {"text", QByteArray("<CommandBars><QuickAccess id=\"7\"/></CommandBars>")},
    };
    faelle[10].layout[5] = 2; // the version of the huge count's layout
    // Cut off anywhere.
    for (qsizetype n = 0; n < good.size(); ++n)
        faelle.push_back({"cut to " + std::to_string(n) + " bytes", good.left(n)});
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.what);
        EXPECT_FALSE(m_ribbon.RestoreLayout(f.layout));
        EXPECT_EQ(StateOf(m_ribbon), before);
    }
}
