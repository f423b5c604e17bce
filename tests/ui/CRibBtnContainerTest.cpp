// Button strips: entries, texts, layout, the caption rule, the mouse protocol, fades, command update
// and the keyboard order.
#include "StripTestSupport.h"

#include "model/text/TextProvider.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/FadeClock.h"
#include "ui/NotifyEvent.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class StripTest : public ::testing::Test
{
protected:
    StripModule module;
    ScopedFadeClock clock;
    StripHost host;

    // A strip on the host, made with the given flags.
    CRibBtnContainer* MakeStrip(bool f1, bool f2, bool f3, int width = 300)
    {
        auto* strip = new CRibBtnContainer(f1, f2, f3);
        EXPECT_TRUE(strip->Create(7, &host, 10, 10, width, QString()));
        return strip;
    }
};

TEST_F(StripTest, HeightAndLayoutModeFollowTheFlags)
{
    struct Case
    {
        bool f1, f2, f3;
        int mode, height, buttonHeight;
    } cases[] = {
        {true, true, false, 3, 46, 42},   // the placeholder default
        {true, true, true, 1, 61, 42},    //
        {false, false, false, 2, 70, 66}, //
        {false, false, true, 0, 85, 66},  //
        {false, true, false, 3, 46, 42},  //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.f1 << c.f2 << c.f3);
        CRibBtnContainer* strip = MakeStrip(c.f1, c.f2, c.f3, 200);
        EXPECT_EQ(strip->LayoutMode(), c.mode);
        EXPECT_EQ(strip->height(), c.height);
        ASSERT_TRUE(strip->AddButton(668, &host));
        EXPECT_EQ(strip->FindButton(668)->height(), c.buttonHeight);
        EXPECT_EQ(strip->FindButton(668)->y(), 2);
        EXPECT_EQ(strip->width(), c.f1 ? 6 + strip->FindButton(668)->width() : 200);
        delete strip;
    }
}

TEST_F(StripTest, AutoWidthStripSizesToItsEntries)
{
    CRibBtnContainer* strip = MakeStrip(true, true, false);
    strip->RecalcLayout();
    EXPECT_EQ(strip->width(), 48) << "an empty auto-width strip";
    strip->AddButton(668, &host);
    strip->AddSeparator();
    strip->AddButtonEx(705, &host, 1, 9); // alignment and gap do not apply with auto width
    const CRibBtn* ok = strip->FindButton(668);
    const CRibBtn* cancel = strip->FindButton(705);
    EXPECT_EQ(ok->width(), ok->WidthFor({QStringLiteral("OK")}));
    EXPECT_EQ(ok->x(), 3);
    EXPECT_EQ(cancel->x(), 3 + ok->width() + 6) << "a right-aligned button is placed from the left";
    EXPECT_EQ(strip->width(), 6 + ok->width() + 6 + cancel->width());
    EXPECT_EQ(strip->SeparatorPositions(), QList<int>{3 + ok->width() + 2});

    strip->ShowButton(668, false);
    strip->ShowButton(705, false);
    EXPECT_EQ(strip->width(), 48) << "a separator alone";
}

TEST_F(StripTest, ButtonWidthIsTheWidestCaptionLinePlusRoom)
{
    CRibBtnContainer* above = MakeStrip(false, false, false, 400);
    CRibBtnContainer* beside = MakeStrip(false, true, false, 400);
    const QString longText = QStringLiteral("Distribute the load evenly");
    for (CRibBtnContainer* strip : {above, beside}) {
        SCOPED_TRACE(strip->IconBesideText() ? "beside" : "above");
        strip->AddButton(1001, &host, QStringLiteral("A\n") + longText);
        const CRibBtn* button = strip->FindButton(1001);
        const int text = QFontMetrics(button->ButtonFont()).horizontalAdvance(longText);
        EXPECT_EQ(button->width(), text + 5 + (strip->IconBesideText() ? 38 : 0));
        EXPECT_EQ(button->CaptionLines(), (QStringList{QStringLiteral("A"), longText}));
        strip->AddButton(1002, &host, QStringLiteral("x"));
        if (!strip->IconBesideText()) {
            EXPECT_EQ(strip->FindButton(1002)->width(), 42) << "at least the minimum width";
        }
    }
}

TEST_F(StripTest, AlignedEntriesComeFromBothSides)
{
    CRibBtnContainer* strip = MakeStrip(false, false, false, 300);
    strip->AddButtonEx(1001, &host, 0, 5, QStringLiteral("Left"));
    strip->AddButtonEx(1002, &host, 1, 4, QStringLiteral("Right"));
    quint16 pos = CRibBtnContainer::kAppend;
    strip->InsertSeparator(&pos, 1, 2);
    strip->AddButtonEx(1003, &host, 1, 0, QStringLiteral("Next"));
    const CRibBtn* left = strip->FindButton(1001);
    const CRibBtn* right = strip->FindButton(1002);
    const CRibBtn* next = strip->FindButton(1003);
    EXPECT_EQ(left->x(), 3 + 5);
    EXPECT_EQ(right->x(), 300 - 3 - 4 - right->width());
    const int separator = right->x() - 4 - 2;
    EXPECT_EQ(strip->SeparatorPositions(), QList<int>{separator});
    EXPECT_EQ(next->x() + next->width(), separator - 2);
    EXPECT_FALSE(strip->AddButtonEx(1004, &host, 2, 0)) << "alignment must be 0 or 1";
}

TEST_F(StripTest, CaptionsShortenThenDisappearThenButtonsHideAsTheStripNarrows)
{
    CRibBtnContainer* strip = MakeStrip(false, true, false, 600);
    strip->AddButton(1001, &host, QStringLiteral("First"));
    strip->AddButton(1002, &host, QStringLiteral("A caption that needs room"));
    strip->AddButton(1003, &host, QStringLiteral("Last"));
    strip->SetButtonToolTipMode(1002, CRibBtn::kToolTipNone);
    CRibBtn* first = strip->FindButton(1001);
    CRibBtn* wide = strip->FindButton(1002);
    CRibBtn* last = strip->FindButton(1003);
    const int full = wide->WidthFor(wide->CaptionLines());
    const int dots = wide->WidthFor({QStringLiteral("...")});
    const int bare = wide->WidthFor({QString()});
    ASSERT_LT(bare, dots);
    const int before = 3 + first->width();

    struct Case
    {
        int stripWidth;
        int captionMode; // -1: hidden
        int toolTipMode;
        bool lastPlaced;
    } cases[] = {
        {before + full + 3, CRibBtn::kFullCaption, CRibBtn::kToolTipNone, false},
        {before + full + 2, CRibBtn::kEllipsis, CRibBtn::kToolTipAlways, true}, // room for the last again
        {before + dots + 3, CRibBtn::kEllipsis, CRibBtn::kToolTipAlways, false},
        {before + dots + 2, CRibBtn::kNoCaption, CRibBtn::kToolTipAlways, false},
        {before + bare + 3, CRibBtn::kNoCaption, CRibBtn::kToolTipAlways, false},
        {before + bare + 2, -1, CRibBtn::kToolTipNone, false},
        {600, CRibBtn::kFullCaption, CRibBtn::kToolTipNone, true}, // grown again: all comes back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stripWidth);
        strip->SetWindowPosAndShape(10, 10, c.stripWidth);
        const RibEntryRecord& record = wide->Record();
        if (c.captionMode < 0) {
            EXPECT_FALSE(wide->isVisibleTo(strip));
            EXPECT_EQ(record.placed, 0);
        } else {
            EXPECT_TRUE(wide->isVisibleTo(strip));
            EXPECT_EQ(record.placed, 1);
            EXPECT_EQ(record.CaptionMode(), c.captionMode);
            const int widths[] = {full, dots, bare};
            EXPECT_EQ(wide->width(), widths[c.captionMode]);
        }
        EXPECT_EQ(wide->ToolTipMode(), c.toolTipMode);
        EXPECT_EQ((record.flags & RibEntryRecord::kToolTipByLayout) != 0,
                  c.toolTipMode == CRibBtn::kToolTipAlways);
        EXPECT_EQ(last->Record().placed == 1, c.lastPlaced);
        EXPECT_EQ(last->isVisibleTo(strip), c.lastPlaced);
    }
    // A tool tip the owner asked for stays when the caption comes back.
    strip->SetButtonToolTipMode(1002, CRibBtn::kToolTipWhenEnabled);
    strip->SetWindowPosAndShape(10, 10, before + dots);
    strip->SetWindowPosAndShape(10, 10, 600);
    EXPECT_EQ(wide->ToolTipMode(), CRibBtn::kToolTipWhenEnabled);
}

TEST_F(StripTest, TextsComeFromTheStringWithTheCommandId)
{
    CTableTextProvider texts({{3521, "Click to carry out this command."},
                              {3522, "No description.\nCommand\nCommand"},
                              {1001, "Tip text\nTip title\nCaption"},
                              {1002, "Tip text\nTitle and caption"},
                              {1003, "Caption only"},
                              {1005, "Rest\nkeeps\nthe\nlines"},
                              {2000, "New text\nNew title\nNew caption"}});
    ScopedTextProvider scoped(&texts);
    CRibBtnContainer* strip = MakeStrip(true, true, false);
    struct Case
    {
        quint32 id;
        const char* caption;
        const char* title;
        const char* text;
    } cases[] = {
        {1001, "Caption", "Tip title", "Tip text"},
        {1002, "Title and caption", "Title and caption", "Tip text"},
        {1003, "Caption only", "Caption only", "Click to carry out this command."},
        {1004, "Command", "Command", "No description."}, // missing: the fallback texts
        {1005, "the\nlines", "keeps", "Rest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_TRUE(strip->AddButton(c.id, &host));
        const CRibBtn* button = strip->FindButton(c.id);
        EXPECT_EQ(button->Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(button->ToolTipTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(button->ToolTipText(), QString::fromUtf8(c.text));
    }
    strip->AddButton(1006, &host, QStringLiteral("Explicit"));
    EXPECT_EQ(strip->FindButton(1006)->Caption(), QStringLiteral("Explicit"));
    EXPECT_EQ(strip->FindButton(1006)->ToolTipTitle(), QStringLiteral("Command"));

    // Resource and tool tip from another string; a missing string changes nothing.
    strip->SetButtonResource(1001, 9999);
    strip->SetButtonToolTip(1001, 9999);
    EXPECT_EQ(strip->FindButton(1001)->Caption(), QStringLiteral("Caption"));
    EXPECT_EQ(strip->FindButton(1001)->IconId(), 1001u);
    strip->SetButtonResource(1001, 2000);
    EXPECT_EQ(strip->FindButton(1001)->Caption(), QStringLiteral("New caption"));
    EXPECT_EQ(strip->FindButton(1001)->ToolTipTitle(), QStringLiteral("New title"));
    EXPECT_EQ(strip->FindButton(1001)->IconId(), 2000u);
    strip->SetButtonToolTip(1002, 1003);
    EXPECT_EQ(strip->FindButton(1002)->ToolTipTitle(), QStringLiteral("Caption only"));
    EXPECT_EQ(strip->FindButton(1002)->ToolTipText(), QStringLiteral("Caption only"));
    strip->SetButtonToolTip(1002, 1002);
    EXPECT_EQ(strip->FindButton(1002)->ToolTipTitle(), QStringLiteral("Title and caption"));
    EXPECT_EQ(strip->FindButton(1002)->ToolTipText(), QStringLiteral("Tip text"));
}

TEST_F(StripTest, EntriesAreAddedInsertedAndWalkedByPosition)
{
    CRibBtnContainer unmade(true, true, false);
    EXPECT_FALSE(unmade.AddButton(1, &host));
    EXPECT_EQ(unmade.AddSeparator(), -1);
    CRibBtnContainer::EntryIterator it;
    EXPECT_FALSE(unmade.GetFirstEntry(it));
    EXPECT_EQ(it.index, CRibBtnContainer::kEnd);
    EXPECT_EQ(unmade.GetButtonRadioGroup(1), -1);
    EXPECT_EQ(unmade.IsButtonEnabled(1), -1);

    CRibBtnContainer* strip = MakeStrip(true, true, false);
    EXPECT_TRUE(strip->AddButton(1001, &host));
    EXPECT_EQ(strip->AddSeparator(), 1);
    EXPECT_EQ(strip->AddSeparator(), 2);
    EXPECT_TRUE(strip->AddButton(1002, &host));
    host.notifications.clear();
    EXPECT_FALSE(strip->AddButton(1001, &host)) << "an id that exists";
    quint16 pos = CRibBtnContainer::kEnd;
    EXPECT_FALSE(strip->InsertButton(&pos, 1003, &host));
    pos = 4;
    EXPECT_FALSE(strip->InsertButton(&pos, 1003, &host)) << "past the last index";
    EXPECT_TRUE(host.notifications.empty()) << "failed adds send nothing";
    pos = 1;
    EXPECT_TRUE(strip->InsertButton(&pos, 1003, &host));
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(host.notifications, (std::vector<std::pair<quint32, int>>{{1003, NotifyEvent::kButtonAdded}}));
    EXPECT_EQ(strip->InsertSeparator(&pos, 0, 0), 3);

    std::vector<quint32> ids;
    for (bool more = strip->GetFirstEntry(it); more; more = strip->GetNextEntry(it))
        ids.push_back(it.id);
    const quint32 sep = CRibBtnContainer::kSeparatorBit;
    EXPECT_EQ(ids, (std::vector<quint32>{1001, 1003, sep | 3, sep | 1, sep | 2, 1002}));
    EXPECT_EQ(it.index, CRibBtnContainer::kEnd);
    quint16 index = 0;
    EXPECT_EQ(strip->FindButton(1002, &index)->CommandId(), 1002u);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(strip->FindButton(4711, &index), nullptr);
    EXPECT_EQ(index, CRibBtnContainer::kEnd);
    EXPECT_EQ(strip->GetButtonValue(4711), -1);
    strip->SetButtonValue(1002, 17);
    EXPECT_EQ(strip->GetButtonValue(1002), 17);
}

class StripMouseTest : public StripTest
{
protected:
    void SetUp() override
    {
        strip = MakeStrip(true, false, false);
        strip->AddButton(668, &host);
        strip->AddButton(705, &host);
        ok = strip->FindButton(668);
        cancel = strip->FindButton(705);
    }
    QPoint Centre(const CRibBtn* button) const { return button->rect().center(); }

    CRibBtnContainer* strip = nullptr;
    CRibBtn* ok = nullptr;
    CRibBtn* cancel = nullptr;
};

TEST_F(StripMouseTest, AClickSendsTheCommandOnlyWhenReleasedOverTheSameButton)
{
    struct Case
    {
        const char* name;
        bool moveOff, moveBack;
        bool releaseOnOther;
        bool command;
    } cases[] = {
        {"press and release", false, false, false, true},
        {"press, move off, release", true, false, false, false},
        {"press, move off, move back, release", true, true, false, true},
        {"press, release over another button", false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.commands.clear();
        const QPoint outside(ok->width() / 2, ok->height() + 40); // below the strip
        SendMouse(ok, QEvent::MouseMove, Centre(ok));
        SendMouse(ok, QEvent::MouseButtonPress, Centre(ok));
        EXPECT_EQ(strip->PressedButton(), ok);
        EXPECT_EQ(ok->Fade(CRibBtn::kPress).current, 100);
        if (c.moveOff) {
            SendMouse(ok, QEvent::MouseMove, outside);
            EXPECT_EQ(ok->Fade(CRibBtn::kPress).target, 0) << "the press image goes while off the button";
        }
        if (c.moveBack) {
            SendMouse(ok, QEvent::MouseMove, Centre(ok));
            EXPECT_EQ(ok->Fade(CRibBtn::kPress).current, 100);
        }
        const QPoint release = c.releaseOnOther ? ok->mapFrom(strip, cancel->geometry().center())
                                                : (c.moveOff && !c.moveBack ? outside : Centre(ok));
        SendMouse(ok, QEvent::MouseButtonRelease, release);
        EXPECT_EQ(host.commands, c.command ? std::vector<quint32>{668} : std::vector<quint32>{});
        EXPECT_EQ(strip->PressedButton(), nullptr);
        EXPECT_FALSE(ok->MousePressed());
        EXPECT_EQ(ok->Fade(CRibBtn::kPress).target, 0);
        SendMouse(strip, QEvent::MouseMove, QPoint(-50, -50)); // leave before the next case
    }
}

TEST_F(StripMouseTest, DraggingInFromTheStripBackgroundLightsNoButtonUntilRelease)
{
    SendMouse(strip, QEvent::MouseMove, QPoint(1, 10)); // the margin left of the first button
    SendMouse(strip, QEvent::MouseButtonPress, QPoint(1, 10));
    EXPECT_EQ(strip->PressedButton(), nullptr);
    SendMouse(strip, QEvent::MouseMove, ok->geometry().center());
    EXPECT_EQ(strip->HotButton(), ok);
    EXPECT_EQ(ok->Fade(CRibBtn::kHover).target, 0) << "no hover while the mouse is down elsewhere";
    SendMouse(strip, QEvent::MouseButtonRelease, ok->geometry().center());
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(ok->Fade(CRibBtn::kHover).current, 100) << "the release refreshes the look under the cursor";
    EXPECT_EQ(cancel->Fade(CRibBtn::kHover).target, 0);
}

TEST_F(StripMouseTest, ADisabledButtonTakesNoPress)
{
    strip->EnableButton(668, false);
    EXPECT_EQ(strip->IsButtonEnabled(668), 0);
    SendMouse(ok, QEvent::MouseMove, Centre(ok));
    SendMouse(ok, QEvent::MouseButtonPress, Centre(ok));
    SendMouse(ok, QEvent::MouseButtonRelease, Centre(ok));
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(ok->Fade(CRibBtn::kHover).target, 0);
}

TEST_F(StripMouseTest, CheckModeOffersTheNewStateAndAVetoChangesNothing)
{
    strip->SetButtonCheckMode(668, 1);
    for (bool veto : {true, false}) {
        SCOPED_TRACE(veto ? "vetoed" : "taken");
        host.commands.clear();
        host.notifications.clear();
        host.vetoChecks = veto;
        SendMouse(ok, QEvent::MouseMove, Centre(ok));
        SendMouse(ok, QEvent::MouseButtonPress, Centre(ok));
        SendMouse(ok, QEvent::MouseButtonRelease, Centre(ok));
        EXPECT_EQ(host.notifications, (std::vector<std::pair<quint32, int>>{{668, 1}}));
        EXPECT_EQ(ok->Checked(), veto ? 0 : 1);
        EXPECT_EQ(host.commands, veto ? std::vector<quint32>{} : std::vector<quint32>{668});
        EXPECT_EQ(ok->Fade(CRibBtn::kChecked).target, veto ? 0 : 100);
        EXPECT_EQ(ok->Fade(CRibBtn::kHoverChecked).target, veto ? 0 : 100);
        EXPECT_EQ(ok->Fade(CRibBtn::kHover).target, veto ? 100 : 0);
    }
}

TEST_F(StripMouseTest, HoverShowsAtOnceAndFadesOutOverTheClock)
{
    SendMouse(ok, QEvent::MouseMove, Centre(ok));
    EXPECT_EQ(strip->HotButton(), ok);
    EXPECT_EQ(ok->Fade(CRibBtn::kHover).current, 100) << "fade-in is immediate";

    SendMouse(cancel, QEvent::MouseMove, Centre(cancel));
    EXPECT_EQ(strip->HotButton(), cancel);
    EXPECT_EQ(cancel->Fade(CRibBtn::kHover).current, 100);
    EXPECT_TRUE(ok->FadeRunning());
    struct Step
    {
        int ms, value;
    } steps[] = {{100, 60}, {100, 20}, {50, 0}};
    for (const Step& s : steps) {
        clock.Advance(s.ms);
        ok->StepFades();
        EXPECT_EQ(ok->Fade(CRibBtn::kHover).current, s.value) << "after +" << s.ms << " ms";
    }
    EXPECT_FALSE(ok->FadeRunning()) << "the timer stops at the target";
}

TEST_F(StripMouseTest, StripHoverFadesInAndOutOverFourHundredMilliseconds)
{
    SendMouse(ok, QEvent::MouseMove, Centre(ok));
    EXPECT_TRUE(strip->MouseInside());
    EXPECT_TRUE(strip->LeaveTimerRunning());
    // Ticks of one millisecond each still add up: a quarter unit per tick is not lost.
    for (int ms = 0; ms < 200; ++ms) {
        clock.Advance(1);
        strip->StepFades();
    }
    EXPECT_EQ(strip->HoverFade().current, 50);
    clock.Advance(200);
    strip->StepFades();
    EXPECT_EQ(strip->HoverFade().current, 100);
    EXPECT_FALSE(strip->FadeRunning());

    // The leave check finds the cursor elsewhere: the hot button goes and the background fades out.
    strip->CheckMouseLeft();
    SendPosted();
    EXPECT_FALSE(strip->MouseInside());
    EXPECT_FALSE(strip->LeaveTimerRunning());
    EXPECT_EQ(strip->HotButton(), nullptr);
    EXPECT_EQ(ok->Fade(CRibBtn::kHover).target, 0);
    clock.Advance(300);
    strip->StepFades();
    EXPECT_EQ(strip->HoverFade().current, 25);
    clock.Advance(100);
    strip->StepFades();
    EXPECT_EQ(strip->HoverFade().current, 0);
}

TEST_F(StripMouseTest, ToolTipFollowsItsMode)
{
    struct Case
    {
        int mode;
        bool enabled;
        bool shown;
    } cases[] = {{0, true, false}, {1, true, true}, {1, false, true}, {2, true, true}, {2, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << c.enabled);
        strip->SetButtonToolTipMode(668, c.mode);
        strip->EnableButton(668, c.enabled);
        const QString tip = strip->ToolTipFor(ok);
        EXPECT_EQ(!tip.isEmpty(), c.shown);
        if (c.shown) {
            EXPECT_TRUE(tip.contains(QStringLiteral("<b>OK</b>"))) << tip.toStdString();
            EXPECT_TRUE(tip.contains(QStringLiteral("bitmaps/668.png"))) << "with its icon";
        }
    }
}

TEST_F(StripMouseTest, CommandUpdateAppliesWhatTheOwnerAnswers)
{
    strip->SetButtonCheckMode(705, 1);
    host.enabledAnswers[668] = false;
    host.checkAnswers[705] = 1;
    CRibBtnContainer::UpdateAllStrips();
    EXPECT_EQ(host.updateQueries, 2);
    EXPECT_EQ(strip->IsButtonEnabled(668), 0);
    EXPECT_EQ(cancel->Checked(), 1);

    strip->SetUpdateEnabled(false);
    host.enabledAnswers[668] = true;
    CRibBtnContainer::UpdateAllStrips();
    EXPECT_EQ(strip->IsButtonEnabled(668), 0) << "a strip with its update switched off is skipped";
}

TEST_F(StripMouseTest, DefaultButtonIsFoundOverTheStripsOfAParent)
{
    CRibBtnContainer* other = MakeStrip(true, true, false);
    other->AddButton(1001, &host);
    CRibBtnContainer* found = nullptr;
    EXPECT_EQ(CRibBtnContainer::GetDefaultButton(&host, &found), -1);
    EXPECT_EQ(found, nullptr);
    strip->SetDefaultButton(668, &host);
    other->SetDefaultButton(1001, &host);
    EXPECT_FALSE(ok->IsDefault()) << "one default per parent";
    strip->EnableButton(1001, false);
    other->EnableButton(1001, false);
    EXPECT_EQ(CRibBtnContainer::GetDefaultButton(&host, &found), 1001) << "disabled all the same";
    EXPECT_EQ(found, other);
    QWidget stranger;
    EXPECT_EQ(CRibBtnContainer::GetDefaultButton(&stranger, &found), -1);
}

TEST_F(StripMouseTest, DestroyingTheOwnerInAClickIsSafe)
{
    // The command handler deletes the strip while the click is being delivered.
    class Deleter : public QWidget
    {
    public:
        CRibBtnContainer* victim = nullptr;
        bool event(QEvent* e) override
        {
            if (e->type() == CommandEvent::EventType()) {
                delete victim;
                victim = nullptr;
                return true;
            }
            return QWidget::event(e);
        }
    } owner;
    auto* doomed = new CRibBtnContainer(true, true, false);
    ASSERT_TRUE(doomed->Create(9, &owner, 0, 0, 0, QString()));
    doomed->AddButton(668, &owner);
    owner.victim = doomed;
    CRibBtn* button = doomed->FindButton(668);
    const QPoint centre = button->rect().center();
    SendMouse(button, QEvent::MouseMove, centre);
    SendMouse(button, QEvent::MouseButtonPress, centre);
    SendMouse(button, QEvent::MouseButtonRelease, centre);
    EXPECT_EQ(owner.victim, nullptr);
    EXPECT_FALSE(CRibBtnContainer::Strips().contains(doomed));
}

TEST(StripNavigationTest, AnchoredButtonsJoinTheKeyboardOrder)
{
    StripModule module;
    QWidget dialog;
    QWidget* a = new QWidget(&dialog);
    a->setObjectName(QStringLiteral("id_10"));
    QWidget* b = new QWidget(&dialog);
    b->setObjectName(QStringLiteral("id_20"));
    auto* strip = new CRibBtnContainer(true, true, false);
    ASSERT_TRUE(strip->Create(0, &dialog, 0, 0, 0, QString()));
    struct Anchor
    {
        quint32 id;
        int anchor;
    } anchors[] = {
        {1, 2},   // follows button 2 once that is placed
        {2, 10},  // after control 10
        {3, -1},  // takes no part
        {4, 4},   // its own id: at the end
        {5, 999}, // names nothing: at the head
    };
    QList<CRibBtn*> buttons;
    for (const Anchor& x : anchors) {
        strip->AddButton(x.id, &dialog, QStringLiteral("B"));
        strip->SetButtonRadioGroup(x.id, x.anchor);
        buttons << strip->FindButton(x.id);
    }
    QList<QWidget*> navigation{a, b};
    CRibBtnContainer::MergeNavigation(buttons, navigation);
    QList<int> ids;
    for (QWidget* w : navigation)
        ids << CRibBtnContainer::ControlIdOf(w);
    EXPECT_EQ(ids, (QList<int>{5, 10, 2, 1, 20, 4}));
}

TEST(StripNavigationTest, RadioGroupStartIsTheFirstOfTheRunBefore)
{
    QWidget dialog;
    auto make = [&](QWidget* w, int id) {
        w->setParent(&dialog);
        w->setObjectName(QStringLiteral("id_%1").arg(id));
        return w;
    };
    QWidget* first = make(new QWidget, 1);
    make(new QRadioButton, 2);
    make(new QRadioButton, 3);
    QWidget* afterRun = make(new QWidget, 4);
    QWidget* afterPlain = make(new QWidget, 5);
    EXPECT_EQ(GetRadioGroupStartId(first), -1);
    EXPECT_EQ(GetRadioGroupStartId(afterRun), 2);
    EXPECT_EQ(GetRadioGroupStartId(afterPlain), 4);
}

} // namespace
