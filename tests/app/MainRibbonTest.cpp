// The main window's ribbon: its groups and controls in order, the view group, tooltips, the update pass
// and what it looks like.
#include "AppTestModule.h"

#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "app/MainRibbonLayout.h"
#include "platform/CommandTable.h"
#include "platform/MenuResource.h"
#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"
#include "ui/CCmdUIEx.h"
#include "ui/ControlId.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>

namespace {

class MainRibbonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        m_menu = MenuResource::Load(128, &error);
        ASSERT_TRUE(m_menu) << error.toStdString();
        ASSERT_TRUE(MainRibbonLayout::Build(&m_ribbon, *m_menu));
        m_ribbon.resize(1100, m_ribbon.sizeHint().height());
    }

    AppTestModule m_module;
    std::optional<MenuResource> m_menu;
    CQORRibbonBar m_ribbon;
};

TEST_F(MainRibbonTest, GroupsAndControlsStandInOrderWithKindStyleAndIcon)
{
    struct Row
    {
        int group, id, type, style, bitmap;
    };
    const int B = RIBBON_BUTTON, A = RIBBON_STYLE_AUTO;
    const Row rows[] = {
        {347, 531, B, A, 531},
        {347, 532, B, A, 532},
        {107, 33124, B, A, 33124},
        {107, 644, B, A, 644},
        {107, 33101, B, A, 33101},
        {107, 33070, B, A, 33070},
        {107, 33071, B, A, 33071},
        {107, 33112, B, A, 33112},
        {107, 33095, RIBBON_SPLIT_POPUP, A, 33095},
        {107, 892, B, A, 892},
        {107, 655, B, A, 655},
        {107, 656, B, A, 656},
        {136, 33128, B, A, 564},
        {136, 33130, B, A, 565},
        {136, 33132, RIBBON_CHECK_BOX, A, 566},
        {136, 33148, B, RIBBON_STYLE_LARGE, 33148},
        {136, 33072, B, RIBBON_STYLE_LARGE, 732},
        {136, 831, B, RIBBON_STYLE_LARGE, 831},
        {136, 130, RIBBON_COMBO, RIBBON_STYLE_CAPTION, 559},
        {136, 33156, RIBBON_CHECK_BOX, A, 560},
        {0, 802, RIBBON_POPUP, RIBBON_STYLE_CAPTION, 0},
        {0, 633, B, RIBBON_STYLE_ICON, 633},
    };
    const QList<RibbonBar::ControlRef> controls = m_ribbon.Controls();
    ASSERT_EQ(controls.size(), int(std::size(rows)));
    QList<int> groups;
    for (RibbonGroup* group : m_ribbon.Groups())
        groups << group->Id();
    EXPECT_EQ(groups, (QList<int>{347, 107, 136}));
    EXPECT_EQ(m_ribbon.Group(347)->Caption(), QStringLiteral("Work on"));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const Row& row = rows[i];
        const RibbonBar::ControlRef& control = controls[i];
        SCOPED_TRACE(row.id);
        EXPECT_EQ(control.spec.id, row.id);
        EXPECT_EQ(control.spec.type, row.type);
        EXPECT_EQ(control.spec.style, row.style);
        EXPECT_EQ(control.spec.iconId, row.bitmap);
        if (row.group != 0) {
            EXPECT_TRUE(m_ribbon.Group(row.group)->isAncestorOf(control.widget));
        }
        // Named by its command id, with a caption, a tooltip and (but for the popup) an icon.
        EXPECT_EQ(ControlId::Find(&m_ribbon, row.id), control.widget);
        EXPECT_FALSE(control.spec.caption.isEmpty());
        EXPECT_FALSE(control.spec.tipTitle.isEmpty());
        EXPECT_FALSE(control.spec.tipText.isEmpty());
        EXPECT_EQ(control.spec.icon.isNull(), row.bitmap == 0);
        EXPECT_NE(control.spec.tipText, QStringLiteral("This command has no description."))
            << "string missing";
    }
    auto* combo = qobject_cast<QComboBox*>(m_ribbon.Control(130));
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 13);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("n/a"));
    EXPECT_EQ(combo->itemText(12), QStringLiteral("50 %"));
    auto* print = qobject_cast<QToolButton*>(m_ribbon.Control(33095));
    ASSERT_TRUE(print && print->menu());
    ASSERT_EQ(print->menu()->actions().size(), 2);
    EXPECT_EQ(MenuResource::CommandOf(print->menu()->actions()[1]), 0xE106);
}

TEST_F(MainRibbonTest, SystemAndOptionsPopupsHoldTheirCommands)
{
    ASSERT_TRUE(m_ribbon.SystemButton());
    EXPECT_EQ(ControlId::Of(m_ribbon.SystemButton()), 128);
    QList<int> ids;
    for (QAction* action : m_ribbon.SystemPopup()->actions())
        ids << MenuResource::CommandOf(action);
    ids.removeAll(0);
    EXPECT_EQ(ids, (QList<int>{33124, 644, 33101, 33112, 892, 0xE106, 655, 656, 33271, 57665}));
    QMenu* options = MainRibbonLayout::OptionsPopup(&m_ribbon);
    ASSERT_TRUE(options);
    ASSERT_TRUE(options->actions().value(0) && options->actions()[0]->menu());
    EXPECT_EQ(MenuResource::CommandOf(options->actions()[0]->menu()->actions().value(0)), 1400);
    ids.clear();
    for (QAction* action : options->actions())
        ids << MenuResource::CommandOf(action);
    ids.removeAll(0);
    EXPECT_EQ(ids, (QList<int>{33269, 33338, 1750, 9607, 33333}));
}

TEST_F(MainRibbonTest, ViewGroupIsAddedOnceAtTheEndAndRemoved)
{
    EXPECT_TRUE(MainRibbonLayout::AddViewGroup(&m_ribbon));
    EXPECT_FALSE(MainRibbonLayout::AddViewGroup(&m_ribbon));
    ASSERT_EQ(m_ribbon.Groups().size(), 4);
    RibbonGroup* views = m_ribbon.Groups().last();
    EXPECT_EQ(views->Id(), 118);
    QList<int> ids;
    for (const RibbonGroup::Entry& entry : views->Entries())
        ids << entry.spec.id;
    EXPECT_EQ(ids, (QList<int>{119, 120, 121, 33288, 122}));
    EXPECT_EQ(ControlId::Find(&m_ribbon, 33288), views->Control(33288));

    EXPECT_TRUE(MainRibbonLayout::RemoveViewGroup(&m_ribbon));
    EXPECT_FALSE(MainRibbonLayout::RemoveViewGroup(&m_ribbon));
    EXPECT_EQ(m_ribbon.Groups().size(), 3);
    EXPECT_EQ(ControlId::Find(&m_ribbon, 119), nullptr);
}

// The group of a control, null for the tab row's.
RibbonGroup* GroupOf(const CQORRibbonBar& ribbon, int id)
{
    for (RibbonGroup* group : ribbon.Groups())
        if (group->Control(id))
            return group;
    return nullptr;
}

// Whether `widget` shows whole inside `area` (global coordinates).
bool ShowsWithin(const QWidget* widget, const QRect& area)
{
    return widget->isVisible() && area.contains(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

TEST_F(MainRibbonTest, EveryControlIsReachableAtEveryWidthAndTheLargestGroupsCollapseFirst)
{
    MainRibbonLayout::AddViewGroup(&m_ribbon);
    for (int width : {1920, 1200, 1024}) {
        SCOPED_TRACE(width);
        m_ribbon.resize(width, m_ribbon.sizeHint().height());
        m_ribbon.show();
        QCoreApplication::processEvents();
        const QRect ribbonArea(m_ribbon.mapToGlobal(QPoint(0, 0)), m_ribbon.size());
        for (const RibbonBar::ControlRef& ref : m_ribbon.Controls()) {
            SCOPED_TRACE(ref.spec.id);
            RibbonGroup* group = GroupOf(m_ribbon, ref.spec.id);
            // The update pass reaches it wherever it stands.
            EXPECT_TRUE(m_ribbon.ShowsControl(ref.widget));
            if (!group || !group->IsCollapsed()) {
                EXPECT_TRUE(ShowsWithin(ref.widget, ribbonArea));
                continue;
            }
            // A collapsed group's button shows on the ribbon and drops the control down on the screen.
            EXPECT_TRUE(ShowsWithin(group->CollapsedButton(), ribbonArea));
            QTest::mouseClick(group->CollapsedButton(), Qt::LeftButton);
            ASSERT_TRUE(group->DropDown() && group->DropDown()->isVisible());
            const QRect screen = group->CollapsedButton()->screen()->availableGeometry();
            EXPECT_TRUE(screen.contains(group->DropDown()->frameGeometry()))
                << group->DropDown()->frameGeometry().x() << "," << group->DropDown()->frameGeometry().y()
                << " " << group->DropDown()->frameGeometry().width() << "x"
                << group->DropDown()->frameGeometry().height() << " on " << screen.width() << "x"
                << screen.height();
            EXPECT_TRUE(ShowsWithin(ref.widget, group->DropDown()->geometry()));
            group->DropDown()->hide();
        }
        // Open groups fit side by side; none of them is wider than a collapsed one.
        int open = 0, widestOpen = 0, narrowestCollapsed = INT_MAX;
        for (RibbonGroup* group : m_ribbon.Groups()) {
            EXPECT_TRUE(ShowsWithin(group, ribbonArea)) << group->Id();
            if (group->IsCollapsed()) {
                narrowestCollapsed = std::min(narrowestCollapsed, group->ExpandedWidth());
            } else {
                ++open;
                widestOpen = std::max(widestOpen, group->ExpandedWidth());
            }
        }
        EXPECT_LE(widestOpen, narrowestCollapsed);
        if (width == 1920) {
            EXPECT_EQ(open, m_ribbon.Groups().size()) << "room for every group, none collapses";
        }
    }
    // Narrowed and widened again, the groups open again.
    m_ribbon.resize(1920, m_ribbon.sizeHint().height());
    QCoreApplication::processEvents();
    for (RibbonGroup* group : m_ribbon.Groups())
        EXPECT_FALSE(group->IsCollapsed()) << group->Id();
}

// Counts how often a widget's enabled state changes.
class EnableCounter : public QObject
{
public:
    int changes = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            ++changes;
        return false;
    }
};

TEST_F(MainRibbonTest, UpdatePassAppliesTheLastAnswerOnceAndTheViewsWin)
{
    CommandTable table;
    table.On(633, [](unsigned) {});
    table.On(656, [](unsigned) {});
    table.OnUpdate(656, [](CCmdUI& ui) { ui.Enable(false); }); // no document: the frame says no
    table.OnUpdate(33156, [](CCmdUI& ui) {
        ui.Enable(true);
        ui.SetCheck(1);
    });
    int viewsAsked = 0;
    m_ribbon.SetUpdateRoute([&table](CCmdUI& ui) { table.UpdateOrDefault(ui); },
                            [&viewsAsked](CCmdUI& ui) {
                                ++viewsAsked;
                                if (ui.m_nID == 656)
                                    ui.Enable(true); // the view handles the export
                            });
    QWidget* exportButton = m_ribbon.Control(656);
    EnableCounter counter;
    exportButton->installEventFilter(&counter);

    m_ribbon.UpdateCommandUI();
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_EQ(counter.changes, 0); // the frame's "no" was never applied
    EXPECT_TRUE(m_ribbon.Control(633)->isEnabled());
    EXPECT_TRUE(m_ribbon.Control(802)->isEnabled());    // the popup carries no command of its own
    EXPECT_FALSE(m_ribbon.Control(33101)->isEnabled()); // no handler in this table
    EXPECT_FALSE(m_ribbon.Control(130)->isEnabled());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(m_ribbon.Control(33156))->isChecked());
    EXPECT_EQ(viewsAsked, m_ribbon.Controls().size() - 1);

    // The system popup's items go the same way when it opens.
    m_ribbon.SystemPopup()->UpdateCommandUI();
    for (QAction* action : m_ribbon.SystemPopup()->actions()) {
        if (MenuResource::CommandOf(action) > 0) {
            EXPECT_EQ(action->isEnabled(), MenuResource::CommandOf(action) == 656)
                << MenuResource::CommandOf(action);
        }
    }
}

TEST_F(MainRibbonTest, PictureShowsCaptionsIconsAndDisabledButtons)
{
    CommandTable table;
    table.On(33101, [](unsigned) {});
    m_ribbon.SetUpdateRoute([&table](CCmdUI& ui) { table.UpdateOrDefault(ui); }, {});
    MainRibbonLayout::AddViewGroup(&m_ribbon);
    m_ribbon.UpdateCommandUI();
    m_ribbon.resize(1280, m_ribbon.sizeHint().height());
    m_ribbon.show();
    const QImage picture = m_ribbon.grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/main_ribbon.png"));

    // Each group's caption band is the ribbon's blue with dark text in it.
    for (RibbonGroup* group : m_ribbon.Groups()) {
        SCOPED_TRACE(group->Id());
        const QRect band = group->CaptionRect().translated(group->mapTo(&m_ribbon, QPoint()));
        const QColor middle = picture.pixelColor(band.left() + 2, band.center().y());
        EXPECT_GT(middle.blue(), middle.red() + 20);
        int dark = 0;
        for (int x = band.left(); x < band.right(); ++x) {
            for (int y = band.top(); y < band.bottom(); ++y)
                dark += picture.pixelColor(x, y).lightness() < 110 ? 1 : 0;
        }
        EXPECT_GT(dark, 10) << "the caption is not drawn";
    }
    // The enabled open button's icon keeps its colour; the disabled close button's icon is grey.
    auto saturation = [&](int id) {
        QWidget* button = m_ribbon.Control(id);
        const QRect r(button->mapTo(&m_ribbon, QPoint(3, 3)), QSize(16, 16));
        int most = 0;
        for (int x = r.left(); x <= r.right(); ++x) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                most = std::max(most, picture.pixelColor(x, y).hsvSaturation());
        }
        return most;
    };
    EXPECT_GT(saturation(33101), 120);
    EXPECT_LT(saturation(33112), 60);

    // A tooltip: title, icon and the wrapped description within 180 pixels.
    RibbonToolTip* tip = m_ribbon.ToolTip();
    ASSERT_TRUE(tip->ShowFor(m_ribbon.Control(33148)));
    const QImage tipPicture = tip->grab().toImage();
    tipPicture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/main_ribbon_tooltip.png"));
    EXPECT_LE(tipPicture.width(), RibbonToolTip::kMaxWidth);
    EXPECT_EQ(tip->Title(), QStringLiteral("Usable load area"));
}

} // namespace
