// Loading tiles on worker threads: results, failures, abandoned loaders, unloading and typed search.
#include "StripTestSupport.h"

#include "ui/CRepeatButton.h"
#include "ui/CommandEvent.h"
#include "ui/FadeClock.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Loads "ok:<text>" for tiles whose text starts with "ok", fails for "bad", waits at the gate for "hold".
class HListboxLoading : public testing::Test
{
protected:
    void SetUp() override
    {
        strip.list->SetItemLoader([gate = &gate](const HListboxLoadRequest& request, QVariant* output) {
            const QString text = request.input.toString();
            if (text.startsWith(QLatin1String("hold")))
                gate->Wait();
            if (text.startsWith(QLatin1String("bad")))
                return false;
            *output = QStringLiteral("ok:%1@%2").arg(text).arg(request.index);
            return true;
        });
    }
    void TearDown() override
    {
        gate.Open();
        DrainLoaders();
    }
    int Add(const QString& text) { return strip.list->AddItem(text, &data[strip.list->GetItemCount()], 0); }
    int State(int index) { return strip.list->GetItem(index)->state; }

    Gate gate;
    RecordingOwner owner;
    StripWindow strip{kHlbOwnerDrawn, &owner};
    int data[16] = {};
};

TEST_F(HListboxLoading, ResultsAndFailuresReachTileAndOwner)
{
    CHListbox& list = *strip.list;
    Add(QStringLiteral("ok one"));
    Add(QStringLiteral("bad two"));
    owner.mayLoad = false;
    Add(QStringLiteral("plain")); // needs no loading
    EXPECT_EQ(State(2), kTileLoaded);
    owner.mayLoad = true;

    list.Layout(); // laying out starts the loaders
    EXPECT_EQ(State(0), kTileLoading);
    EXPECT_EQ(State(1), kTileLoading);
    EXPECT_TRUE(list.LoadingTimerActive());
    DrainLoaders();

    EXPECT_EQ(State(0), kTileLoaded);
    EXPECT_EQ(list.GetItem(0)->loadOutput.toString(), QStringLiteral("ok:ok one@0"));
    EXPECT_EQ(State(1), kTileFailed);
    EXPECT_EQ(CHListbox::TileCaption(*list.GetItem(1), FadeClock::Now()), QStringLiteral("ERROR"));
    // The owner hears of each tile.
    std::vector<std::pair<int, int>> heard;
    for (const auto& note : owner.loads) {
        if (note.index >= 0)
            heard.emplace_back(note.index, note.state);
    }
    std::sort(heard.begin(), heard.end());
    const std::vector<std::pair<int, int>> expected = {{0, 1}, {1, 4}};
    EXPECT_EQ(heard, expected);
    // A success that leaves nothing loading is followed by "all loaded".
    owner.loads.clear();
    Add(QStringLiteral("ok three"));
    list.Layout();
    DrainLoaders();
    // The animation timer is a real one: on a slow machine it may fire while the loaders drain and report
    // that nothing is loading (-1, 2); that note is not what this step is about.
    std::vector<RecordingOwner::LoadNote> notes;
    for (const auto& note : owner.loads) {
        if (note.index != -1 || note.state != 2)
            notes.push_back(note);
    }
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].index, 3);
    EXPECT_EQ(notes[0].output.toString(), QStringLiteral("ok:ok three@3"));
    EXPECT_EQ(notes[1].index, -1);
    EXPECT_EQ(notes[1].state, 3);

    // The animation timer stops once nothing loads and says so.
    list.OnLoadingTimer();
    EXPECT_FALSE(list.LoadingTimerActive());
    EXPECT_EQ(owner.loads.back().index, -1);
    EXPECT_EQ(owner.loads.back().state, 2);
}

TEST_F(HListboxLoading, LoadingCaptionCountsItsDots)
{
    HListboxItem tile;
    tile.state = kTileLoading;
    tile.loadTick = 1000;
    const std::pair<qint64, const char*> cases[] = {{1000, "loading."},
                                                    {1399, "loading."},
                                                    {1400, "loading.."},
                                                    {2999, "loading....."},
                                                    {3000, "loading."}};
    for (const auto& [now, caption] : cases) {
        SCOPED_TRACE(now);
        EXPECT_EQ(CHListbox::TileCaption(tile, now), QString::fromLatin1(caption));
    }
}

TEST_F(HListboxLoading, LeftAndRightSkipTilesThatAreNotLoaded)
{
    CHListbox& list = *strip.list;
    for (const char* text : {"ok 0", "bad 1", "ok 2", "bad 3", "ok 4"})
        Add(QString::fromLatin1(text));
    list.Layout();
    DrainLoaders();
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    // The buttons post their command to the strip.
    const auto click = [&list](QAbstractButton* button) {
        button->click();
        QCoreApplication::sendPostedEvents(&list, CommandEvent::kType);
    };

    QCoreApplication::sendEvent(list.Canvas(), &left); // nothing selected: from the end
    EXPECT_EQ(list.GetCurSel(), 4);
    QCoreApplication::sendEvent(list.Canvas(), &left);
    EXPECT_EQ(list.GetCurSel(), 2);
    click(list.LeftButton());
    EXPECT_EQ(list.GetCurSel(), 0);
    click(list.LeftButton()); // nothing before the first
    EXPECT_EQ(list.GetCurSel(), 0);
    QCoreApplication::sendEvent(list.Canvas(), &right);
    EXPECT_EQ(list.GetCurSel(), 2);
    click(list.RightButton());
    EXPECT_EQ(list.GetCurSel(), 4);
}

namespace {

// Ticks when the test says so.
class ManualRepeatTimer : public CRepeatButton::Timer
{
public:
    void Start(int /*ms*/) override {}
    void Stop() override {}
};

} // namespace

TEST_F(HListboxLoading, HoldingAButtonStepsAtThePressAndAtEveryRepeat)
{
    CHListbox& list = *strip.list;
    for (const char* text : {"ok 0", "ok 1", "bad 2", "ok 3", "ok 4", "ok 5"})
        Add(QString::fromLatin1(text));
    list.Layout();
    DrainLoaders();
    list.SelectItem(0);
    auto* right = dynamic_cast<CRepeatButton*>(list.RightButton());
    ASSERT_TRUE(right);
    EXPECT_EQ(right->CommandId(), CHListbox::kRightButtonId);
    EXPECT_EQ(right->focusPolicy(), Qt::NoFocus);
    right->SetTimer(std::make_unique<ManualRepeatTimer>());
    const auto deliver = [&list] { QCoreApplication::sendPostedEvents(&list, CommandEvent::kType); };

    QTest::mousePress(right, Qt::LeftButton, {}, right->rect().center());
    deliver();
    EXPECT_EQ(list.GetCurSel(), 1);
    right->TimerFired(); // end of the first delay
    deliver();
    EXPECT_EQ(list.GetCurSel(), 3) << "the failed tile is skipped";
    right->TimerFired();
    deliver();
    EXPECT_EQ(list.GetCurSel(), 4);
    QTest::mouseRelease(right, Qt::LeftButton, {}, right->rect().center());
    right->TimerFired(); // a late tick after the release
    deliver();
    EXPECT_EQ(list.GetCurSel(), 4);
}

TEST_F(HListboxLoading, ATileDeletedWhileItsLoaderIsBlockedStaysDeleted)
{
    CHListbox& list = *strip.list;
    list.SetDeleteWaitMs(20);
    Add(QStringLiteral("hold old"));
    Add(QStringLiteral("ok neighbour"));
    list.Layout();
    ASSERT_TRUE(gate.AwaitWaiting(1));

    EXPECT_EQ(list.DeleteItem(0), 1); // returns although the loader still waits
    EXPECT_EQ(gate.Waiting(), 1);
    const std::vector<std::pair<int, void*>> freed = {{0, &data[0]}};
    EXPECT_EQ(owner.freed, freed);

    // A new tile takes the freed index before the old loader ends.
    list.SetItemLoader([](const HListboxLoadRequest& request, QVariant* output) {
        *output = QStringLiteral("new@%1").arg(request.index);
        return true;
    });
    ASSERT_EQ(list.AddItem(QStringLiteral("fresh"), nullptr, 0), 1);
    list.DeleteItem(0); // the neighbour: "fresh" is now at index 0, where the held tile was
    list.Layout();
    gate.Open();
    DrainLoaders();

    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(State(0), kTileLoaded);
    EXPECT_EQ(list.GetItem(0)->loadOutput.toString(), QStringLiteral("new@1"));
    for (const auto& note : owner.loads) {
        SCOPED_TRACE(note.output.toString().toStdString());
        EXPECT_FALSE(note.output.toString().contains(QLatin1String("hold")));
    }
}

TEST_F(HListboxLoading, DeleteAllReturnsWithinItsTimeOutAndLateResultsChangeNothing)
{
    CHListbox& list = *strip.list;
    CHListbox::ReserveLoaderThreads(3); // three loaders wait at the gate together, whatever the cores
    for (int i = 0; i < 3; ++i)
        Add(QStringLiteral("hold %1").arg(i));
    list.SelectItem(1);
    list.Layout();
    ASSERT_TRUE(gate.AwaitWaiting(3));

    list.DeleteAllItems(30);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(owner.freed.size(), 3u);
    EXPECT_EQ(gate.Waiting(), 3);

    Add(QStringLiteral("ok after"));
    list.Layout();
    owner.loads.clear();
    gate.Open();
    DrainLoaders();
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItem(0)->loadOutput.toString(), QStringLiteral("ok:ok after@0"));
    for (const auto& note : owner.loads)
        EXPECT_FALSE(note.output.toString().startsWith(QLatin1String("ok:hold")));
}

TEST_F(HListboxLoading, DestroyingTheStripNeverWaitsForABlockedLoader)
{
    Add(QStringLiteral("hold"));
    strip.list->SetDestroyWaitMs(10);
    strip.list->Layout();
    ASSERT_TRUE(gate.AwaitWaiting(1));
    delete strip.list;
    strip.list = nullptr;
    EXPECT_EQ(owner.freed.size(), 1u);
    EXPECT_EQ(gate.Waiting(), 1);
    const size_t heard = owner.loads.size();
    gate.Open();
    DrainLoaders(); // the late completion finds no strip
    EXPECT_EQ(owner.loads.size(), heard);
}

TEST_F(HListboxLoading, ANestedWaitAnswersAtOnce)
{
    CHListbox& list = *strip.list;
    std::atomic<int> nestedAnswer{0};
    Gate second;
    list.SetItemLoader([&](const HListboxLoadRequest&, QVariant*) {
        second.Wait();
        // Asked while the window's thread waits for this very loader.
        nestedAnswer = list.WaitForLoaders({}, true, 10000);
        return true;
    });
    Add(QStringLiteral("x"));
    list.Layout();
    ASSERT_TRUE(second.AwaitWaiting(1));
    std::thread opener = OpenGateWhenAStripWaits(second);
    list.DeleteAllItems(60000);
    opener.join();
    EXPECT_EQ(nestedAnswer.load(), CHListbox::kWaitNested);
    EXPECT_FALSE(CHListbox::IsWaitingForLoaders());
}

TEST_F(HListboxLoading, WaitForOneAnswersTheFinishedLoadersPosition)
{
    CHListbox& list = *strip.list;
    Add(QStringLiteral("hold a"));
    Add(QStringLiteral("ok b"));
    list.Layout();
    ASSERT_TRUE(gate.AwaitWaiting(1));
    std::vector<std::shared_ptr<HListboxLoadJob>> jobs = {list.GetItem(0)->job, list.GetItem(1)->job};
    EXPECT_EQ(list.WaitForLoaders(jobs, false, 60000), 1);
    EXPECT_EQ(list.WaitForLoaders(jobs, true, 5), CHListbox::kWaitTimedOut);
}

TEST_F(HListboxLoading, InvisibleTilesUnloadWhenTheOwnerAgrees)
{
    RecordingOwner unloadOwner;
    StripWindow wide(kHlbOwnerDrawn | kHlbUnloadInvisible, &unloadOwner);
    CHListbox& list = *wide.list;
    list.SetItemLoader([](const HListboxLoadRequest&, QVariant* output) {
        *output = 1;
        return true;
    });
    for (int i = 0; i < 12; ++i)
        list.AddItem(QString::number(i), nullptr, i);
    list.Layout();
    DrainLoaders();
    list.Layout();
    HListboxScroll to;
    to.kind = 7;
    to.position = list.GetItemRect(6).left() + list.ScrollOffset();
    list.Scroll(to); // tile 6 at the left edge: tiles 0..5 lie before the canvas, the last ones after it

    std::vector<int> visible;
    for (int i = 0; i < 12; ++i) {
        const QRect r = list.GetItemRect(i);
        if (r.right() >= 0 && r.left() < wide.CanvasWidth())
            visible.push_back(i);
    }
    ASSERT_FALSE(visible.empty());
    list.OnUnloadTimer(); // refused: everything stays
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(list.GetItem(i)->state, kTileLoaded) << i;
    for (int i : visible)
        EXPECT_EQ(std::count(unloadOwner.unloadOffers.begin(), unloadOwner.unloadOffers.end(), i), 0) << i;

    unloadOwner.mayUnload = true;
    list.OnUnloadTimer();
    for (int i = 0; i < 12; ++i) {
        const bool shown = std::find(visible.begin(), visible.end(), i) != visible.end();
        EXPECT_EQ(list.GetItem(i)->state, shown ? kTileLoaded : kTileNotLoaded) << i;
    }
}

TEST_F(HListboxLoading, TypedTextGoesToTheOwnerWhenTheTimerFires)
{
    CHListbox& list = *strip.list;
    for (const char* key : {"E", "u", "r"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromLatin1(key));
        QCoreApplication::sendEvent(list.Canvas(), &press);
    }
    EXPECT_EQ(list.TypedText(), QStringLiteral("Eur"));
    EXPECT_TRUE(owner.searches.empty());
    list.OnTypedSearchTimer();
    EXPECT_EQ(owner.searches, std::vector<QString>{QStringLiteral("Eur")});
    EXPECT_TRUE(list.TypedText().isEmpty());
    list.OnTypedSearchTimer(); // nothing typed since: nothing sent
    EXPECT_EQ(owner.searches.size(), 1u);
}

} // namespace
