// Tests of the property-sheet base: the Escape hook, one keyboard order over the page and the
// sheet's strip buttons, Return without a default button, and the button-added notice.
#include "StripTestSupport.h"
#include "UiTestModule.h"
#include "ui/CPropertySheetBase.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/IPropertyPage.h"
#include "ui/IStripFactory.h"
#include "ui/NotifyEvent.h"
#include "ui/RibBtnStripFactory.h"
#include "ui/SheetEvent.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A page of three edits and a check box (ids 3001 ... 3004) that puts the sheet's OK after its
// last edit and Cancel after OK.
class Page : public QWidget, public IPropertyPage
{
public:
    Page()
    {
        const int ids[] = {3001, 3002, 3004, 3003};
        int y = 10;
        for (int id : ids) {
            QWidget* control = id == 3004
                                   ? static_cast<QWidget*>(new QCheckBox(QStringLiteral("Remember"), this))
                                   : static_cast<QWidget*>(new QLineEdit(this));
            ControlId::Set(control, id);
            control->setGeometry(10, y, 120, 20);
            control->setFocusPolicy(Qt::StrongFocus);
            y += 26;
            controls.append(control);
        }
    }
    QWidget* Control(int id) const { return ControlId::Find(const_cast<Page*>(this), id); }

    QList<QWidget*> PageNavigation() const override { return controls; }
    int SheetButtonAnchor(int commandId) const override
    {
        return commandId == 668 ? 3003 : commandId == 705 ? 668 : -1;
    }
    void SetNeedsRefresh(bool on) override { refresh = on; }
    bool NeedsRefresh() const override { return refresh; }

    QList<QWidget*> controls;
    bool refresh = false;
};

class TestSheet : public CPropertySheetBase
{
public:
    TestSheet() : CPropertySheetBase(273, nullptr, 0) { resize(300, 220); }

    int escapeAnswer = 2;
    std::vector<int> commands;
    std::vector<int> added;
    std::vector<int> notices;

protected:
    void OnEscape(int* command) override
    {
        EXPECT_EQ(*command, 2);
        *command = escapeAnswer;
    }
    bool OnCommand(int id, int notifyCode, QObject* control) override
    {
        commands.push_back(id);
        return CPropertySheetBase::OnCommand(id, notifyCode, control);
    }
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override
    {
        added.push_back(buttonId);
        CPropertySheetBase::OnRibBtnAdded(strip, buttonId);
    }
    void OnNotify(NotifyEvent& event) override { notices.push_back(event.Code()); }
};

// A sheet with two pages and a strip of OK and Cancel made in code, shown and active.
struct SheetSetup
{
    SheetSetup()
    {
        page0 = new Page;
        page1 = new Page;
        sheet.AddPage(page0);
        sheet.AddPage(page1);
        strip = RibBtnStripFactory::Instance().Create(true, true, false, &sheet, QString());
        strip->SetWindowPosAndShape(10, 150, 0);
        sheet.AddStripToRing(strip.get());
        strip->AddButton(668, &sheet, QStringLiteral("OK"));
        strip->AddButton(705, &sheet, QStringLiteral("Cancel"));
        sheet.show();
        sheet.activateWindow();
        active = QTest::qWaitForWindowActive(&sheet);
    }
    ~SheetSetup() { strip.reset(); }
    QWidget* Button(int id) const { return strip->ButtonWindow(id); }

    StripModule module;
    TestSheet sheet;
    Page* page0 = nullptr;
    Page* page1 = nullptr;
    std::unique_ptr<IButtonStrip> strip;
    bool active = false;
};

} // namespace

TEST(PropertySheetTest, EscapeHookSwallowsCancelsOrRunsItsCommand)
{
    struct Case
    {
        int answer;
        bool visibleAfter;
        std::vector<int> commands;
    };
    const Case cases[] = {{-1, true, {}}, {705, false, {705}}, {2, false, {}}, {4711, true, {4711}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        SheetSetup s;
        ASSERT_TRUE(s.active);
        s.sheet.escapeAnswer = c.answer;
        QWidget* edit = s.page0->Control(3002);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(&s.sheet, CommandEvent::kType);
        EXPECT_EQ(s.sheet.commands, c.commands);
        EXPECT_EQ(s.sheet.isVisible(), c.visibleAfter);
        EXPECT_TRUE(s.page0->isVisibleTo(&s.sheet)) << "the page never handles Escape itself";
    }
}

TEST(PropertySheetTest, TabRunsOneRingOverPageAndStripSkippingDisabledWindows)
{
    SheetSetup s;
    ASSERT_TRUE(s.active);
    Page& page = *s.page0;
    EXPECT_EQ(s.sheet.NavigationList(),
              (QList<QWidget*>{page.Control(3001), page.Control(3002), page.Control(3004), page.Control(3003),
                               s.Button(668), s.Button(705)}));
    page.Control(3001)->setEnabled(false);
    struct Step
    {
        QWidget* from;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QWidget* to;
    };
    const Step steps[] = {
        {page.Control(3003), Qt::Key_Tab, Qt::NoModifier, s.Button(668)},
        {s.Button(668), Qt::Key_Tab, Qt::NoModifier, s.Button(705)},
        {s.Button(705), Qt::Key_Tab, Qt::NoModifier, page.Control(3002)},
        {page.Control(3002), Qt::Key_Backtab, Qt::ShiftModifier, s.Button(705)},
        {s.Button(705), Qt::Key_Left, Qt::NoModifier, s.Button(668)},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(ControlId::Of(step.from));
        step.from->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), step.from);
        QTest::keyClick(step.from, step.key, step.mods);
        EXPECT_EQ(QApplication::focusWidget(), step.to);
    }
    EXPECT_TRUE(s.sheet.commands.empty());
}

TEST(PropertySheetTest, ReturnOnACheckBoxWithoutADefaultButtonIsSwallowed)
{
    SheetSetup s;
    ASSERT_TRUE(s.active);
    auto* check = static_cast<QCheckBox*>(s.page0->Control(3004));
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Return);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    SheetEvent forwarded(SheetEvent::kPageKeyType, s.page0, &key);
    QCoreApplication::sendEvent(&s.sheet, &forwarded);
    EXPECT_EQ(forwarded.Result(), 1) << "handled";
    QCoreApplication::sendPostedEvents(&s.sheet, CommandEvent::kType);
    EXPECT_TRUE(s.sheet.commands.empty());
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(s.sheet.isVisible());
    // Return on a strip button runs its command.
    s.Button(668)->setFocus();
    QTest::keyClick(s.Button(668), Qt::Key_Return);
    EXPECT_EQ(s.sheet.commands, (std::vector<int>{668}));
}

TEST(PropertySheetTest, ButtonAddedNoticesOfStripsAndOfOtherWindows)
{
    SheetSetup s;
    EXPECT_EQ(s.sheet.added, (std::vector<int>{668, 705})) << "each button of the strip reached the hook";
    s.sheet.added.clear();
    QWidget stranger;
    NotifyEvent fromStranger(668, NotifyEvent::kButtonAdded, &stranger);
    QCoreApplication::sendEvent(&s.sheet, &fromStranger);
    EXPECT_TRUE(s.sheet.added.empty());
    EXPECT_EQ(s.sheet.notices, (std::vector<int>{NotifyEvent::kButtonAdded})) << "the default handling";
    EXPECT_EQ(fromStranger.result, 0);

    // Without a current page index the notice only calls the hook.
    SheetEvent takeRing(SheetEvent::kTakePageRingType, s.page1);
    QCoreApplication::sendEvent(&s.sheet, &takeRing);
    const QList<QWidget*> pageOneRing = s.page1->controls;
    ASSERT_EQ(s.sheet.NavigationList(), pageOneRing);
    NotifyEvent fromStrip(705, NotifyEvent::kButtonAdded, s.strip->Window());
    QCoreApplication::sendEvent(&s.sheet, &fromStrip);
    EXPECT_EQ(s.sheet.added, (std::vector<int>{705}));
    EXPECT_EQ(fromStrip.result, 1);
    EXPECT_EQ(s.sheet.NavigationList(), pageOneRing);
    EXPECT_FALSE(s.page1->NeedsRefresh());

    // With one, the other pages are marked and the order is rebuilt for the current page.
    s.sheet.SetCurrentPageIndex(0);
    QCoreApplication::sendEvent(&s.sheet, &fromStrip);
    EXPECT_TRUE(s.page1->NeedsRefresh());
    EXPECT_FALSE(s.page0->NeedsRefresh());
    EXPECT_EQ(s.sheet.NavigationList().first(), s.page0->controls.first());
    EXPECT_EQ(s.sheet.NavigationList().size(), 6);
    // A marked page rebuilds the order when it becomes active.
    ASSERT_TRUE(s.sheet.SetActivePage(1));
    EXPECT_FALSE(s.page1->NeedsRefresh());
    EXPECT_EQ(s.sheet.NavigationList().first(), s.page1->controls.first());
    EXPECT_EQ(s.sheet.NavigationList().last(), s.Button(705));
}

namespace {

// A dialog page built in code whose command update switches its one control off.
class UpdatingPage : public CDlgBase
{
public:
    UpdatingPage() : CDlgBase(kNoTemplate)
    {
        auto* edit = new QLineEdit(this);
        ControlId::Set(edit, 3101);
    }

protected:
    void OnUpdateCommand(CommandUpdateEvent& query) override
    {
        if (query.Id() == 3101)
            query.Enable(false);
    }
};

} // namespace

TEST(PropertySheetTest, CommandUpdateReachesTheControlsOfDialogPages)
{
    SheetSetup s;
    auto* page = new UpdatingPage;
    s.sheet.AddPage(page);
    EXPECT_FALSE(page->isWindow()) << "a dialog page becomes a plain child";
    QWidget* edit = ControlId::Find(page, 3101);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isEnabled());
    SheetEvent update(SheetEvent::kUpdateCommandsType, nullptr, nullptr, true);
    QCoreApplication::sendEvent(&s.sheet, &update);
    EXPECT_EQ(update.Result(), 1);
    EXPECT_FALSE(edit->isEnabled());
    SheetEvent noop(SheetEvent::kNoopType);
    QCoreApplication::sendEvent(&s.sheet, &noop);
    EXPECT_EQ(noop.Result(), 0);
}
