// Tests of the popup panels and the fader: placement, auto-hide, pin and drag, owner requests, fading.
#include "ui/CDlgTooltip.h"
#include "ui/CFaderWnd.h"

#include "platform/ResourceModule.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts the ClosedEvents an owner receives.
class Owner : public QWidget
{
public:
    std::vector<CDlgTooltip*> closed;
    int closedEvents = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == CDlgTooltip::ClosedEvent::kType) {
            ++closedEvents;
            closed.push_back(static_cast<CDlgTooltip::ClosedEvent*>(e)->Panel());
            return true;
        }
        return QWidget::event(e);
    }
};

class PopupPanelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        m_module = ResourceModule::Load("EN", QCoreApplication::applicationDirPath(), &error);
        ASSERT_TRUE(m_module) << error.toStdString();
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override { ResourceModule::SetCurrent(nullptr); }

    // A panel of 200 x 100 at (100, 100) on a screen of 1920 x 1080, with the cursor under the test's
    // control.
    std::unique_ptr<CDlgTooltip> MakePanel(Owner& owner)
    {
        auto panel = std::make_unique<CDlgTooltip>(&owner);
        EXPECT_EQ(panel->size(), QSize(200, 100)) << "the size of the panel's template";
        panel->SetCursorSource([this] { return cursor; });
        panel->SetScreenSource([](QPoint) { return QRect(0, 0, 1920, 1080); });
        cursor = QPoint(100, 100);
        panel->ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
        EXPECT_EQ(panel->pos(), QPoint(100, 100));
        return panel;
    }

    QPoint cursor;

private:
    std::unique_ptr<ResourceModule> m_module;
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
{
    const QPointF global(widget->mapToGlobal(local));
    QMouseEvent event(type, QPointF(local), global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QString ArtifactPath(const QString& name)
{
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    return QStringLiteral(QOR_TEST_ARTIFACT_DIR "/") + name;
}

} // namespace

TEST_F(PopupPanelTest, PlacementBesideTheCursorStaysOnTheCursorsScreen)
{
    struct Case
    {
        const char* what;
        QPoint cursor;
        int dx, dy, placement;
        QRect screen;
        QPoint expected;
    };
    const QRect primary(0, 0, 1920, 1080);
    const QRect second(1920, 0, 1280, 1024);
    const Case cases[] = {
        {"right-below", {500, 500}, 10, 10, 0, primary, {510, 510}},
        {"unknown placement is right-below", {500, 500}, 10, 10, 9, primary, {510, 510}},
        {"above", {500, 500}, 0, -5, 1, primary, {500, 395}},
        {"left", {500, 500}, 0, 0, 2, primary, {300, 500}},
        {"above-left", {500, 500}, 0, 0, 3, primary, {300, 400}},
        {"absolute", {500, 500}, 50, 60, 4, primary, {50, 60}},
        {"pushed left to end at the right edge", {1850, 500}, 0, 0, 0, primary, {1720, 500}},
        {"pushed right to the left edge", {100, 500}, 0, 0, 2, primary, {0, 500}},
        {"pushed up to end at the bottom", {500, 1050}, 0, 0, 0, primary, {500, 980}},
        {"pushed down to the top", {500, 50}, 0, 0, 1, primary, {500, 0}},
        {"second screen, right edge", {3100, 500}, 0, 0, 0, second, {3000, 500}},
        {"second screen, left edge", {1950, 500}, 0, 0, 2, second, {1920, 500}},
        {"second screen, bottom edge", {2500, 1000}, 0, 0, 0, second, {2500, 924}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CDlgTooltip::PlaceAtCursor(QSize(200, 100), c.cursor, c.dx, c.dy, c.placement, c.screen),
                  c.expected);
    }
}

TEST_F(PopupPanelTest, ShowAtCursorAsksForTheScreenUnderTheCursor)
{
    Owner owner;
    CDlgTooltip panel(&owner);
    panel.resize(200, 100);
    QPoint asked;
    panel.SetCursorSource([] { return QPoint(3150, 300); });
    panel.SetScreenSource([&](QPoint at) {
        asked = at;
        return QRect(1920, 0, 1280, 1024);
    });
    panel.ShowAtCursor(5, 5, CDlgTooltip::kRightBelow);
    EXPECT_EQ(asked, QPoint(3150, 300));
    EXPECT_EQ(panel.pos(), QPoint(3000, 305));
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(panel.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(panel.windowFlags().testFlag(Qt::Tool));
}

TEST_F(PopupPanelTest, AutoHideByDistanceUnlessPinnedDraggedHeldOrUpdating)
{
    // The panel covers x 100..299 and y 100..199.
    struct Case
    {
        const char* what;
        QPoint cursor;
        std::function<void(CDlgTooltip&)> setUp;
        bool hides;
    };
    const auto none = [](CDlgTooltip&) {};
    const auto pin = [](CDlgTooltip& p) {
        SendMouse(&p, QEvent::MouseButtonPress, p.PinRect().center(), Qt::LeftButton);
        SendMouse(&p, QEvent::MouseButtonRelease, p.PinRect().center(), Qt::NoButton);
    };
    const auto drag = [](CDlgTooltip& p) {
        SendMouse(&p, QEvent::MouseButtonPress, QPoint(20, 5), Qt::LeftButton);
    };
    const auto hold = [](CDlgTooltip& p) { EXPECT_EQ(p.Request(CDlgTooltip::kHoldOn, 0), -1); };
    const Case cases[] = {
        {"inside", {150, 150}, none, false},
        {"15 px beyond the right edge", {314, 150}, none, false},
        {"20 px beyond the right edge", {319, 150}, none, false},
        {"21 px beyond the right edge", {320, 150}, none, true},
        {"25 px above", {150, 75}, none, true},
        {"25 px left and below", {75, 224}, none, true},
        {"25 px beyond, pinned", {324, 150}, pin, false},
        {"25 px beyond, dragged", {324, 150}, drag, false},
        {"25 px beyond, held by the owner", {324, 150}, hold, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Owner owner;
        auto panel = MakePanel(owner);
        c.setUp(*panel);
        cursor = c.cursor;
        panel->CheckAutoHide();
        EXPECT_EQ(panel->isHidden(), c.hides);
        QCoreApplication::sendPostedEvents(&owner);
        EXPECT_EQ(owner.closedEvents, c.hides ? 1 : 0);
        if (c.hides) {
            EXPECT_EQ(owner.closed.front(), panel.get());
        }
    }
}

namespace {

// A panel whose owner asks for updates and which may want to hide itself.
class TestPanel : public CDlgTooltip
{
public:
    using CDlgTooltip::CDlgTooltip;
    bool wantsHide = false;
    bool hiddenDuringUpdate = false;
    std::vector<std::pair<int, qintptr>> calls;

    bool ShouldHide() override { return wantsHide; }

protected:
    qintptr OnFirstRequest(qintptr value) override
    {
        calls.push_back({1, value});
        return 11;
    }
    qintptr OnSecondRequest(qintptr value) override
    {
        calls.push_back({2, value});
        return 22;
    }
    qintptr OnUpdateRequest(qintptr value) override
    {
        calls.push_back({3, value});
        CheckAutoHide(); // the cursor is far away, but an update runs
        hiddenDuringUpdate = isHidden();
        return 33;
    }
};

} // namespace

TEST_F(PopupPanelTest, OwnerRequestsReachTheirHandlers)
{
    Owner owner;
    TestPanel panel(&owner);
    panel.resize(200, 100);
    panel.SetCursorSource([] { return QPoint(1000, 1000); });
    panel.SetScreenSource([](QPoint) { return QRect(0, 0, 1920, 1080); });
    panel.ShowAtCursor(100, 100, CDlgTooltip::kAbsolute);

    struct Case
    {
        unsigned code;
        qintptr result;
        bool heldAfter;
    };
    const Case cases[] = {
        {CDlgTooltip::kFirstRequest, 11, false}, {CDlgTooltip::kSecondRequest, 22, false},
        {CDlgTooltip::kHoldOn, -1, true},        {CDlgTooltip::kUpdate, 33, true},
        {CDlgTooltip::kHoldOff, -1, false},      {0x1234, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(panel.Request(c.code, 7), c.result);
        EXPECT_EQ(panel.IsHeld(), c.heldAfter);
    }
    EXPECT_EQ(panel.calls, (std::vector<std::pair<int, qintptr>>{{1, 7}, {2, 7}, {3, 7}}));
    EXPECT_FALSE(panel.hiddenDuringUpdate);
    EXPECT_FALSE(panel.isHidden());

    // Not held any more and the cursor far away: the next check hides the panel.
    panel.CheckAutoHide();
    EXPECT_TRUE(panel.isHidden());
}

TEST_F(PopupPanelTest, ShouldHideHidesOnceAndTellsTheOwnerOnce)
{
    Owner owner;
    TestPanel panel(&owner);
    panel.resize(200, 100);
    panel.SetCursorSource([] { return QPoint(5000, 5000); }); // far away as well
    panel.SetScreenSource([](QPoint) { return QRect(0, 0, 1920, 1080); });
    panel.ShowAtCursor(100, 100, CDlgTooltip::kAbsolute);
    panel.wantsHide = true;
    panel.CheckAutoHide();
    EXPECT_TRUE(panel.isHidden());
    QCoreApplication::sendPostedEvents(&owner);
    EXPECT_EQ(owner.closedEvents, 1);
}

TEST_F(PopupPanelTest, EscClosesWithoutNamingThePanelAndUnpins)
{
    Owner owner;
    auto panel = MakePanel(owner);
    SendMouse(panel.get(), QEvent::MouseButtonPress, panel->PinRect().center(), Qt::LeftButton);
    SendMouse(panel.get(), QEvent::MouseButtonRelease, panel->PinRect().center(), Qt::NoButton);
    ASSERT_TRUE(panel->IsPinned());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(panel.get(), &esc);
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(panel->IsPinned());
    QCoreApplication::sendPostedEvents(&owner);
    ASSERT_EQ(owner.closed.size(), 1u);
    EXPECT_EQ(owner.closed[0], nullptr);
}

TEST_F(PopupPanelTest, NoEventForAnOwnerThatIsGone)
{
    auto owner = std::make_unique<Owner>();
    CDlgTooltip panel(owner.get());
    panel.setParent(nullptr, panel.windowFlags());
    owner.reset();
    // Every ClosedEvent delivered anywhere passes the application's filter.
    struct Counter : QObject
    {
        int closedEvents = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            closedEvents += e->type() == CDlgTooltip::ClosedEvent::kType ? 1 : 0;
            return false;
        }
    } counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    panel.show();
    panel.HidePopup(); // must not post to a deleted owner
    QCoreApplication::sendPostedEvents();
    QCoreApplication::instance()->removeEventFilter(&counter);
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(counter.closedEvents, 0);
}

TEST_F(PopupPanelTest, PinTogglesAndCaptionDragsWithoutResizing)
{
    Owner owner;
    auto panel = MakePanel(owner);
    EXPECT_EQ(panel->PinRect(), QRect(200 - 3 - 14, 3, 14, 14));
    EXPECT_EQ(panel->CaptionRect(), QRect(0, 0, 200, 17));

    // Two clicks on the pin: pinned, then not.
    for (bool expected : {true, false}) {
        SendMouse(panel.get(), QEvent::MouseButtonPress, panel->PinRect().center(), Qt::LeftButton);
        SendMouse(panel.get(), QEvent::MouseButtonRelease, panel->PinRect().center(), Qt::NoButton);
        EXPECT_EQ(panel->IsPinned(), expected);
    }
    // The pin does nothing while hidden.
    panel->ShowPinButton(false);
    SendMouse(panel.get(), QEvent::MouseButtonPress, panel->PinRect().center(), Qt::LeftButton);
    SendMouse(panel.get(), QEvent::MouseButtonRelease, panel->PinRect().center(), Qt::NoButton);
    EXPECT_FALSE(panel->IsPinned());
    panel->ShowPinButton(true);

    // Drag by the caption: the grabbed point stays under the cursor.
    SendMouse(panel.get(), QEvent::MouseButtonPress, QPoint(30, 8), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 8), QPointF(180, 258), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(panel.get(), &move);
    EXPECT_EQ(panel->pos(), QPoint(150, 250));
    EXPECT_EQ(panel->size(), QSize(200, 100));
    SendMouse(panel.get(), QEvent::MouseButtonRelease, QPoint(30, 8), Qt::NoButton);

    // A drag from the lower right corner neither moves nor resizes the panel.
    const QRect before = panel->geometry();
    SendMouse(panel.get(), QEvent::MouseButtonPress, QPoint(199, 99), Qt::LeftButton);
    QMouseEvent pull(QEvent::MouseMove, QPointF(250, 150), QPointF(before.topLeft() + QPoint(250, 150)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(panel.get(), &pull);
    SendMouse(panel.get(), QEvent::MouseButtonRelease, QPoint(250, 150), Qt::NoButton);
    EXPECT_EQ(panel->geometry(), before);

    // The pin follows the right edge when the panel grows.
    panel->resize(260, 100);
    EXPECT_EQ(panel->PinRect(), QRect(260 - 3 - 14, 3, 14, 14));
}

TEST_F(PopupPanelTest, PaintsCaptionBarAndPin)
{
    Owner owner;
    auto panel = MakePanel(owner);
    const QImage unpinned = panel->grab().toImage();
    SendMouse(panel.get(), QEvent::MouseButtonPress, panel->PinRect().center(), Qt::LeftButton);
    SendMouse(panel.get(), QEvent::MouseButtonRelease, panel->PinRect().center(), Qt::NoButton);
    const QImage pinned = panel->grab().toImage();
    EXPECT_TRUE(unpinned.save(ArtifactPath("popup_panel_unpinned.png")));
    EXPECT_TRUE(pinned.save(ArtifactPath("popup_panel_pinned.png")));

    const QColor caption(0xA6, 0xA8, 0xFD);
    for (const QImage* image : {&unpinned, &pinned}) {
        EXPECT_EQ(image->pixelColor(5, 5), caption);
        EXPECT_EQ(image->pixelColor(100, 16), caption);
        EXPECT_NE(image->pixelColor(100, 17), caption);
        EXPECT_NE(image->pixelColor(100, 60), caption);
    }
    // The pin's outline is drawn; white parts of the bitmap let the caption show through.
    EXPECT_EQ(unpinned.pixelColor(200 - 3 - 14 + 5, 3 + 3), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(unpinned.pixelColor(200 - 3 - 14, 3), caption);
    EXPECT_NE(unpinned, pinned);
}

TEST(FaderTest, AlphaFallsLinearlyAndEnds)
{
    struct Case
    {
        unsigned start, duration;
        qint64 elapsed;
        std::optional<std::uint8_t> alpha;
    };
    const Case cases[] = {
        {150, 200, 0, 150},  {150, 200, 50, 113},  {150, 200, 100, 75},  {150, 200, 199, 1},
        {150, 200, 200, {}}, {150, 200, 5000, {}}, {150, 200, -100, 75}, // a clock that went back
        {255, 1000, 1, 255}, {150, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.duration << " " << c.elapsed);
        EXPECT_EQ(CFaderWnd::AlphaAt(std::uint8_t(c.start), c.duration, c.elapsed), c.alpha);
    }
}

TEST(FaderTest, FadesTheClosingWindowsPictureAndDeletesItself)
{
    QWidget source(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    source.setGeometry(300, 200, 160, 80);
    source.setAutoFillBackground(true);
    QPalette palette = source.palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    source.setPalette(palette);
    source.show();

    qint64 now = 1000;
    QPointer<CFaderWnd> fader = new CFaderWnd(&source, 200, 150, [&] { return now; });
    source.hide();
    EXPECT_EQ(fader->geometry(), QRect(300, 200, 160, 80));
    EXPECT_TRUE(fader->isVisible());
    EXPECT_EQ(fader->Alpha(), 150);

    now = 1100;
    fader->Tick();
    EXPECT_EQ(fader->Alpha(), 75);
    // The window holds the picture at the fade's alpha; drawn over white it is a light blue.
    QImage layer(fader->size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    fader->render(&layer, QPoint(), QRegion(), QWidget::DrawChildren);
    const QColor faded = layer.pixelColor(80, 40);
    EXPECT_NEAR(faded.alpha(), 75, 1);
    EXPECT_EQ(faded.blue(), 255);
    EXPECT_EQ(faded.red(), 0);
    QImage overWhite(fader->size(), QImage::Format_RGB32);
    overWhite.fill(Qt::white);
    QPainter(&overWhite).drawImage(0, 0, layer);
    EXPECT_TRUE(overWhite.save(ArtifactPath("fader_half.png")));
    EXPECT_NEAR(overWhite.pixelColor(80, 40).red(), 255 - 75, 2);

    now = 1200;
    fader->Tick();
    ASSERT_FALSE(fader.isNull());
    EXPECT_FALSE(fader->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fader.isNull());
}

TEST(FaderTest, WithoutASourceThereIsNoFade)
{
    QPointer<CFaderWnd> fader = new CFaderWnd(nullptr, 200, 150);
    EXPECT_FALSE(fader->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fader.isNull());
}

TEST_F(PopupPanelTest, FadeOutLeavesAFaderAtThePanelsPlace)
{
    Owner owner;
    auto panel = MakePanel(owner);
    panel->SetFadeOut(true);
    panel->HidePopup();
    CFaderWnd* fader = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<CFaderWnd*>(w); f && f->isVisible())
            fader = f;
    ASSERT_NE(fader, nullptr);
    EXPECT_EQ(fader->geometry(), QRect(100, 100, 200, 100));
    EXPECT_EQ(fader->Alpha(), 150);
    delete fader;
}
