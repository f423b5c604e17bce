// The program end to end under real input: started in process as main() starts it, on an X display run
// by a window manager, and driven only with mouse and keys sent through the X server (XInput), so the
// window manager, the input focus, window stacking and drag and drop between programs take part as on a
// desktop. Each step checks the document and the widgets and keeps a picture of the whole screen in
// artifacts/e2e/real-<nn>-<name>.png. The steps build on each other and run in their written order.
#include "SecuringSteps.h"
#include "XInput.h"

#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQOR2StatusBar.h"
#include "app/FrameLoop.h"
#include "app/RunningProgram.h"
#include "catalogue/CDlgTooltipAddMultiLg.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CLaderampe3.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "reports/CDlgDrucken2.h"
#include "tests/support/InProcessProgram.h"
#include "ui/CDlgBase.h"
#include "ui/CEditLast.h"
#include "ui/CXTPTabControlMM.h"
#include "view3d/C3DViewport.h"
#include "view3d/CQOR3DView.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

// The running program and what the steps hand on to each other.
struct Program
{
    std::unique_ptr<RunningProgram> program;
    QString home;
    QString userRoot;
    int shot = 0;
    // The load placed from the ramp: its place along the load area.
    double loadX = 0.0;
};

Program& P()
{
    static Program program;
    return program;
}

XInput& X()
{
    static XInput input;
    return input;
}

// Starts the program with the start-up function main() calls. The steps run the event loop
// themselves, so the frame loop is started as Run() starts it before it waits in the loop.
bool Launch(QString* error)
{
    P().program = LaunchAsMain({}, error);
    return P().program != nullptr;
}

// Ends the program as Run() does once its last window closed.
void Shutdown()
{
    EndAsRun(P().program);
}

CMainFrame* Frame()
{
    return P().program ? P().program->MainFrame() : nullptr;
}

CQOR1Doc* Doc()
{
    return CMainFrame::GetActiveDoc();
}

// The widget of that object name below the main window (or any top-level window); null when none.
template <class T = QWidget> T* Find(const QString& name)
{
    if (CMainFrame* frame = Frame()) {
        if (T* w = frame->findChild<T*>(name))
            return w;
    }
    for (QWidget* top : QApplication::topLevelWidgets())
        if (T* w = top->findChild<T*>(name))
            return w;
    return nullptr;
}

CTabbedViewView* Host()
{
    return Find<CTabbedViewView>(QStringLiteral("viewHost"));
}

// The visible, enabled widget named "id_<id>" inside `root`; pages and strips may carry hidden
// controls of the same id.
QWidget* VisibleId(QWidget* root, int id)
{
    if (root)
        for (QWidget* w : root->findChildren<QWidget*>(QStringLiteral("id_%1").arg(id)))
            if (w->isVisible() && w->isEnabled())
                return w;
    return nullptr;
}

// Keeps a picture of the whole screen, as the X server shows it, as artifacts/e2e/real-<nn>-<name>.png.
void Shot(const QString& name)
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/e2e");
    QDir().mkpath(folder);
    if (P().shot == 0) {
        // The pictures of an earlier run go, so the folder shows this run's steps only.
        QDir old(folder, QStringLiteral("real-*.png"));
        for (const QString& file : old.entryList(QDir::Files))
            old.remove(file);
    }
    const QString number = QStringLiteral("%1").arg(++P().shot, 2, 10, QLatin1Char('0'));
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->grabWindow(0).save(folder + QStringLiteral("/real-%1-%2.png").arg(number, name)));
}

// Whether the window manager has shown `w` and given it the input focus.
bool ShownAndActive(QWidget* w)
{
    return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed() &&
           QApplication::activeWindow() == w->window();
}

// Whether the X server shows `w`'s window at the middle of `w`: no other window stands over it there.
bool OnTopAtItsMiddle(QWidget* w)
{
    return XInput::ShownAt(w->mapToGlobal(w->rect().center()), static_cast<quint64>(w->window()->winId()));
}

// Runs `trigger` (whose input may open a modal dialog with a loop of its own) and hands the modal
// dialogs that open one after the other to `handlers`, in order; each must close its dialog. The wait
// ends when every handler ran, or when `done` holds with no dialog open (fewer dialogs came than
// there are handlers). Answers how many were handled. A dialog a handler leaves open is rejected.
int WithModals(const std::function<void()>& trigger, const QList<std::function<void(QWidget*)>>& handlers,
               int waitMs = 20000, const std::function<bool()>& done = {})
{
    QWidget* before = QApplication::activeModalWidget();
    QPointer<QWidget> last;
    int handled = 0;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (handled >= handlers.size() || !modal || modal == before || modal == last || !modal->isVisible())
            return;
        last = modal;
        handlers[handled++](modal);
        if (last && last->isVisible()) {
            ADD_FAILURE() << "a dialog stayed open: " << last->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(last.data()))
                dialog->reject();
        }
    });
    watch.start();
    trigger();
    WaitFor(
        [&] { return handled >= handlers.size() || (done && !QApplication::activeModalWidget() && done()); },
        waitMs);
    watch.stop();
    return handled;
}

// Clicks the tab of a view kind in the document window's tab bar.
bool ClickTab(CTabbedViewView* host, int kind)
{
    const int tab = host ? host->FindTabOfKind(kind) : -1;
    auto* bar = host ? host->findChild<CXTPTabControlMM*>(QStringLiteral("viewTabs")) : nullptr;
    if (tab < 0 || !bar)
        return false;
    X().Click(bar->mapToGlobal(bar->tabRect(tab).center()));
    return X().Finish() && WaitFor([&] { return host->GetSelectedTab() == tab; }, 10000);
}

// Whether the status bar's load pane shows the plan's load, as its text for that mass reads.
bool StatusBarShowsLoad()
{
    auto* pane = Find<QLabel>(QStringLiteral("id_%1").arg(CQOR2StatusBar::kLoadPane));
    const double kg = Doc()->GetFahrzeug()->GetQor()->GetMasse() * 1000.0;
    return pane && pane->text() == QString::fromStdString(FormatChecked(LoadResString(40), {kg}));
}

// Maximises the main window as a user does, with a double click on the title bar the window manager
// draws; answers whether it is maximised.
bool Maximise()
{
    if (Frame()->isMaximized())
        return true;
    const QRect outer = Frame()->frameGeometry(), inner = Frame()->geometry();
    if (inner.top() <= outer.top())
        return false; // no title bar
    X().DoubleClick(QPoint(outer.center().x(), (outer.top() + inner.top()) / 2));
    return X().Finish() && WaitFor([] { return Frame()->isMaximized(); }, 10000);
}

// The plan view, shown in its tab.
CQOR2View* ShowPlan()
{
    CTabbedViewView* host = Host();
    if (!ClickTab(host, CTabbedViewView::kPlan))
        return nullptr;
    return dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
}

// The loading ramp below the plan, shown with a click on its button when hidden.
CLaderampe3* ShowRamp(CQOR2View* plan)
{
    auto* ramp = plan->findChild<CLaderampe3*>(QStringLiteral("id_100"));
    if (ramp && ramp->isVisible())
        return ramp;
    QWidget* button = nullptr;
    if (!WaitFor([&] { return (button = VisibleId(plan, 400)) != nullptr; }, 10000))
        return nullptr;
    X().Click(button);
    if (!X().Finish())
        return nullptr;
    ramp = plan->findChild<CLaderampe3*>(QStringLiteral("id_100"));
    return ramp && WaitFor([&] { return ramp->isVisible(); }, 10000) ? ramp : nullptr;
}

// Puts one load on an empty plan by dragging the ramp's block of the chosen load unit onto the load
// area: what the securing steps need when the tile drag of step 3 placed none.
bool EnsureOneLoad()
{
    CQOR* qor = Doc()->GetFahrzeug()->GetQor();
    if (qor->GetLgInfos().size() == 1)
        return true;
    if (!qor->GetLgInfos().empty())
        return false;
    CQOR2View* plan = ShowPlan();
    CLaderampe3* ramp = plan ? ShowRamp(plan) : nullptr;
    if (!ramp || ramp->GetBlockRect().isEmpty())
        return false;
    float length = 0.0f, width = 0.0f;
    Doc()->GetFahrzeug()->GetNutzbareLFFloat(&length, &width);
    const QPoint origin = plan->RampenUrsprung() - plan->RampenScroll();
    const QPoint drop = origin + QPoint(plan->RampenPixel(length / 3.0), plan->RampenPixel(width / 2.0));
    X().Drag(ramp->mapToGlobal(ramp->GetBlockRect().center()), plan->viewport()->mapToGlobal(drop), 16);
    return X().Finish() && WaitFor([&] { return qor->GetLgInfos().size() == 1; }, 10000);
}

// A handler for a modal box: a picture, then a real click on the first of `buttons` it has.
std::function<void(QWidget*)> ClickIn(const QString& picture, const QList<int>& buttons)
{
    return [picture, buttons](QWidget* box) {
        WaitFor([&] { return ShownAndActive(box); }, 10000);
        Shot(picture);
        for (int id : buttons)
            if (QWidget* button = VisibleId(box, id)) {
                X().Click(button);
                X().Finish();
                WaitFor([&] { return !box->isVisible(); }, 10000);
                return;
            }
        ADD_FAILURE() << picture.toStdString() << ": none of the expected buttons";
    };
}

// The securing wizard while it is shown; null when none.
CPshLgSichgWizard* ShownWizard()
{
    auto* wizard = Find<CPshLgSichgWizard>(QStringLiteral("securingWizard"));
    return wizard && wizard->isVisible() ? wizard : nullptr;
}

// "Secure loads" in the securing view with a real click; the note on securing and the question about
// the vehicle's own lashing devices (go on with the standard ones) are answered on the way. Answers the
// wizard once it is shown.
CPshLgSichgWizard* SecureLoads()
{
    CTabbedViewView* host = Host();
    if (!ClickTab(host, CTabbedViewView::kLgSicherung))
        return nullptr;
    auto* view = dynamic_cast<CQORLgSicherungView*>(host->GetView(CTabbedViewView::kLgSicherung));
    QWidget* secure = nullptr;
    if (!view || !WaitFor([&] { return (secure = VisibleId(view, 636)) != nullptr; }, 10000))
        return nullptr;
    // 770: on with the standard lashing devices; 879: on with the active unit.
    const auto answer = ClickIn(QStringLiteral("securing-question"), {770, 879, CDlgBase::kIdOk});
    WithModals(
        [&] {
            X().Click(secure);
            X().Finish();
            WaitFor([] { return ShownWizard() != nullptr; }, 10000);
        },
        {answer, answer}, 10000, [] { return ShownWizard() != nullptr; });
    CPshLgSichgWizard* wizard = nullptr;
    WaitFor([&] { return (wizard = ShownWizard()) != nullptr; }, 10000);
    return wizard;
}

// Closes a securing wizard an earlier step left open, with its Close and, when asked, Discard: the
// plan's tabs refuse to show while load securing is open.
void CloseOpenWizard()
{
    CPshLgSichgWizard* wizard = ShownWizard();
    QWidget* close = wizard ? VisibleId(wizard, CPshLgSichgWizard::kIdClose) : nullptr;
    if (!close)
        return;
    QPointer<CPshLgSichgWizard> closing(wizard);
    WithModals(
        [&] {
            X().Click(close);
            X().Finish();
            WaitFor([&] { return !closing || !closing->isVisible(); }, 5000);
        },
        {ClickIn(QStringLiteral("discard-securing"), {CDlgBase::kIdOk})}, 5000,
        [&] { return !closing || !closing->isVisible(); });
    WaitFor([&] { return !closing || !closing->isVisible(); }, 10000);
}

// "Secure loads" while a load unit is active, answered with "Dissolve" and its confirmation: the
// plan's loads stand alone again. Answers whether no unit is left.
bool DissolveActiveUnit()
{
    CQOR* qor = Doc()->GetFahrzeug()->GetQor();
    if (qor->GetLadeeinheiten().empty())
        return true;
    CTabbedViewView* host = Host();
    if (!ClickTab(host, CTabbedViewView::kLgSicherung))
        return false;
    auto* view = dynamic_cast<CQORLgSicherungView*>(host->GetView(CTabbedViewView::kLgSicherung));
    QWidget* secure = view ? VisibleId(view, 636) : nullptr;
    if (!secure)
        return false;
    WithModals(
        [&] {
            X().Click(secure);
            X().Finish();
            WaitFor([&] { return qor->GetLadeeinheiten().empty(); }, 10000);
        },
        {ClickIn(QStringLiteral("dissolve-unit"), {821}),
         ClickIn(QStringLiteral("dissolve-confirmed"), {CDlgBase::kIdOk})},
        10000);
    return WaitFor([&] { return qor->GetLadeeinheiten().empty(); }, 10000);
}

// Ends a program a filtered or failed run left running, before the Qt application goes.
class ProgramEnd : public ::testing::Environment
{
public:
    void TearDown() override { Shutdown(); }
};
const auto* const g_programEnd = ::testing::AddGlobalTestEnvironment(new ProgramEnd);

class RealInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!IsStartStep() && !P().program)
            GTEST_SKIP() << "the program did not start";
    }
    void TearDown() override
    {
        EXPECT_TRUE(X().Errors().isEmpty()) << X().Errors().toStdString();
        X().ClearErrors();
    }
    virtual bool IsStartStep() const { return false; }
};

class RealInputStart : public RealInput
{
protected:
    bool IsStartStep() const override { return true; }
};

} // namespace

// 1. The program comes up on the sample truck; the window manager shows its main window on top and
// gives it the focus.
TEST_F(RealInputStart, Step1_TheMainWindowComesUpOnTopWithTheFocus)
{
    ASSERT_TRUE(XInput::Available()) << "xdotool and an X display are needed (see scripts/common.sh)";
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    Program& p = P();
    p.home = qEnvironmentVariable("QOR_E2E_HOME");
    ASSERT_FALSE(p.home.isEmpty());
    // A dialog no step expects is kept as a picture of the screen after 20 s and closed.
    static StrayModalWatch watch(20000, [](QWidget*) { Shot(QStringLiteral("unexpected-dialog")); });
    QString error;
    ASSERT_TRUE(Launch(&error)) << error.toStdString();
    p.userRoot = p.program->App().UserRoot();
    ASSERT_TRUE(WaitFor([] { return Frame()->isVisible() && Frame()->AfterStartDone() && Doc(); }));
    ASSERT_TRUE(WaitFor([] { return ShownAndActive(Frame()); }, 10000)) << "the main window has no focus";
    EXPECT_TRUE(OnTopAtItsMiddle(Frame())) << "another window stands over the main window";
    // The first placement fits the screen with the window manager's frame: the title bar is on it.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(WaitFor([&] { return screen.contains(Frame()->frameGeometry()); }, 5000))
        << "the window reaches off the screen";
    EXPECT_LT(Frame()->frameGeometry().top(), Frame()->geometry().top()) << "no title bar";
    Shot(QStringLiteral("first-start"));
}

// 2. A ribbon command's dialog opens over its parent, on top and with the keyboard: Escape closes it
// and the focus goes back to the main window.
TEST_F(RealInput, Step2_ARibbonDialogOpensOverItsParentAndEscapeClosesIt)
{
    QWidget* report = Find(QStringLiteral("id_892"));
    ASSERT_NE(report, nullptr) << "no report command in the ribbon";
    // The ribbon enables its commands in an idle pass, which a loaded machine may not have run yet: a click
    // on the button while it is still disabled does nothing.
    ASSERT_TRUE(WaitFor([&] { return report->isVisible() && report->isEnabled(); }, 10000))
        << "the report command stays disabled";
    bool overParent = false, onTop = false, active = false, closed = false;
    const int handled = WithModals(
        [&] {
            X().Click(report);
            X().Finish();
        },
        {[&](QWidget* w) {
            auto* dialog = qobject_cast<CDlgDrucken2*>(w);
            ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
            active = WaitFor([&] { return ShownAndActive(dialog); }, 10000);
            overParent = dialog->parentWidget() && dialog->parentWidget()->window() == Frame() &&
                         Frame()->frameGeometry().contains(dialog->geometry().center());
            onTop = OnTopAtItsMiddle(dialog);
            Shot(QStringLiteral("ribbon-dialog"));
            X().Key(QStringLiteral("Escape"));
            closed = X().Finish() && WaitFor([&] { return !dialog->isVisible(); }, 10000);
        }});
    ASSERT_EQ(handled, 1) << "the report command opened no dialog";
    EXPECT_TRUE(active) << "the dialog did not get the focus";
    EXPECT_TRUE(overParent) << "the dialog is not over the main window";
    EXPECT_TRUE(onTop) << "another window stands over the dialog";
    EXPECT_TRUE(closed) << "Escape did not close the dialog";
    EXPECT_TRUE(WaitFor([] { return ShownAndActive(Frame()); }, 10000)) << "the focus did not come back";
    Shot(QStringLiteral("ribbon-dialog-closed"));
}

// 3. A tile of the loading ramp's strip, dragged onto the plan, places a load there; the load is then
// dragged along the load area.
TEST_F(RealInput, Step3_ATileDraggedFromTheRampStripOntoThePlanPlacesALoadThatIsDraggedOn)
{
    // The plan and the ramp below it get the room of the screen.
    ASSERT_TRUE(Maximise()) << "the main window was not maximised";
    CTabbedViewView* host = Host();
    ASSERT_TRUE(ClickTab(host, CTabbedViewView::kPlan));
    auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
    ASSERT_NE(plan, nullptr);
    QWidget* rampButton = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (rampButton = VisibleId(plan, 400)) != nullptr; }, 10000))
        << "no loading-ramp button above the plan";
    X().Click(rampButton);
    ASSERT_TRUE(X().Finish());
    auto* ramp = plan->findChild<CLaderampe3*>(QStringLiteral("id_100"));
    ASSERT_NE(ramp, nullptr);
    auto* strip = ramp->Liste();
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(
        WaitFor([&] { return ramp->isVisible() && strip->isVisible() && strip->GetItemCount() > 0; }, 10000))
        << "the ramp shows no tiles";
    CFahrzeug* vehicle = Doc()->GetFahrzeug();
    CQOR* qor = vehicle->GetQor();
    ASSERT_TRUE(qor->GetLgInfos().empty());
    Shot(QStringLiteral("ramp"));

    // The first tile, dragged to a third of the load area's length, on its middle line.
    const QRect tile = strip->GetItemRect(0);
    ASSERT_FALSE(tile.isEmpty());
    const QPoint grip = strip->mapToGlobal(tile.center());
    ASSERT_TRUE(QRect(plan->viewport()->mapToGlobal(QPoint(0, 0)), plan->viewport()->size()).contains(grip))
        << "the tile lies outside the plan's visible part";
    float length = 0.0f, width = 0.0f;
    ASSERT_TRUE(vehicle->GetNutzbareLFFloat(&length, &width));
    const QPoint origin = plan->RampenUrsprung() - plan->RampenScroll(); // viewport pixels
    const QPoint drop = origin + QPoint(plan->RampenPixel(length / 3.0), plan->RampenPixel(width / 2.0));
    X().Drag(grip, plan->viewport()->mapToGlobal(drop), 24);
    ASSERT_TRUE(X().Finish());
    const bool placed = WaitFor([&] { return qor->GetLgInfos().size() == 1; }, 10000);
    Shot(QStringLiteral("tile-dropped-on-plan"));
    ASSERT_TRUE(placed) << "the tile dragged onto the plan placed no load";
    tagLGINFO* load = qor->GetLgInfos().front();
    // Where it was dropped: the drop point lies on the load.
    const double dropX = length / 3.0, dropY = width / 2.0;
    EXPECT_TRUE(dropX >= load->m_dPosX - 0.05 && dropX <= load->m_dPosX + load->GetDimX() + 0.05 &&
                dropY >= load->m_dPosY - 0.05 && dropY <= load->m_dPosY + load->GetDimY() + 0.05)
        << "the load stands at " << load->m_dPosX << ", " << load->m_dPosY << " instead of under " << dropX
        << ", " << dropY;

    // Then along the load area by a metre and a half.
    const double x0 = load->m_dPosX, y0 = load->m_dPosY;
    const QPoint centre = origin + QPoint(plan->RampenPixel(load->m_dPosX + load->GetDimX() / 2),
                                          plan->RampenPixel(load->m_dPosY + load->GetDimY() / 2));
    X().Drag(plan->viewport()->mapToGlobal(centre),
             plan->viewport()->mapToGlobal(centre + QPoint(plan->RampenPixel(1.5), 0)), 16);
    ASSERT_TRUE(X().Finish());
    ASSERT_EQ(qor->GetLgInfos().size(), 1u);
    load = qor->GetLgInfos().front();
    EXPECT_TRUE(WaitFor([&] { return std::fabs(load->m_dPosX - x0 - 1.5) < 0.1; }, 10000))
        << "the load moved by " << load->m_dPosX - x0 << " m instead of 1.5 m";
    EXPECT_NEAR(load->m_dPosY, y0, 1e-9);
    EXPECT_TRUE(WaitFor(StatusBarShowsLoad, 10000)) << "the status bar does not show the load placed";
    Shot(QStringLiteral("load-dragged-along"));
    P().loadX = load->m_dPosX;
}

// 4. Over the maximised main window the securing wizard opens on top, and the main window stays
// maximised; Escape leaves nothing locked: "Secure loads" opens the wizard again.
TEST_F(RealInput, Step4_TheWizardOpensOverTheMaximisedWindowAndEscapeLocksNothing)
{
    ASSERT_TRUE(EnsureOneLoad()) << "no load on the plan to secure";
    ASSERT_TRUE(Maximise()) << "the main window was not maximised";
    CPshLgSichgWizard* wizard = SecureLoads();
    ASSERT_NE(wizard, nullptr) << "\"Secure loads\" opened no wizard";
    EXPECT_TRUE(WaitFor([&] { return ShownAndActive(wizard); }, 10000)) << "the wizard did not get the focus";
    EXPECT_TRUE(OnTopAtItsMiddle(wizard)) << "the wizard opened behind another window";
    EXPECT_TRUE(Frame()->isMaximized()) << "the main window lost its maximised state";
    Shot(QStringLiteral("wizard-over-maximised-window"));

    // Escape, to the wizard that has the focus; a question it asks is answered with Yes or OK.
    QPointer<CPshLgSichgWizard> escaped(wizard);
    WithModals(
        [&] {
            X().Key(QStringLiteral("Escape"));
            X().Finish();
            WaitFor([&] { return !escaped || !escaped->isVisible(); }, 5000);
        },
        {ClickIn(QStringLiteral("wizard-escape-question"), {CDlgBase::kIdOk, 6, 669})}, 5000,
        [&] { return !escaped || !escaped->isVisible(); });
    ASSERT_TRUE(WaitFor([&] { return !escaped || !escaped->isVisible(); }, 10000))
        << "Escape left the wizard open";
    Shot(QStringLiteral("wizard-escaped"));
    QWidget* options = Find(QStringLiteral("id_802"));
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isEnabled()) << "the main window's commands stay disabled without a wizard";

    // "Secure loads" again.
    wizard = SecureLoads();
    ASSERT_NE(wizard, nullptr) << "\"Secure loads\" opened no wizard after Escape";
    EXPECT_TRUE(WaitFor([&] { return ShownAndActive(wizard); }, 10000));
    EXPECT_TRUE(OnTopAtItsMiddle(wizard));
    Shot(QStringLiteral("wizard-again"));
}

// 5. One load secured through the wizard up to its result; Close keeps the load unit with its securing.
TEST_F(RealInput, Step5_CloseOfASingleLoadSecuringKeepsTheUnit)
{
    // From one load on the plan without a unit: the wizard left open by step 4 closes, the unit it
    // kept is dissolved, and "Secure loads" forms the unit from the one load.
    CloseOpenWizard();
    ASSERT_EQ(ShownWizard(), nullptr) << "a securing wizard stays open";
    ASSERT_TRUE(EnsureOneLoad()) << "no load on the plan to secure";
    ASSERT_TRUE(DissolveActiveUnit()) << "the load unit of step 4 was not dissolved";
    CPshLgSichgWizard* wizard = SecureLoads();
    ASSERT_NE(wizard, nullptr) << "no securing wizard";
    CQOR* qor = Doc()->GetFahrzeug()->GetQor();
    ASSERT_EQ(qor->GetLgInfos().size(), 1u);
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u) << "the one load formed no unit";
    // Next through every page up to the result, with the friction typed in where the page asks for it.
    QString refused;
    for (int guard = 0; guard < 3 * CPshLgSichgWizard::kPageCount && refused.isEmpty(); ++guard) {
        const int page = wizard->ActiveIndex();
        if (page == CPshLgSichgWizard::kResultPage)
            break;
        if (auto* friction =
                wizard->findChild<QLineEdit*>(QStringLiteral("id_%1").arg(CPgLgSichgPage5::kIdOhneMatte));
            friction && friction->isVisible() && friction->text().isEmpty()) {
            X().Click(friction);
            X().Key(QStringLiteral("ctrl+a"));
            X().Type(QStringLiteral("0.45"));
            X().Key(QStringLiteral("Tab"));
            ASSERT_TRUE(X().Finish());
            EXPECT_TRUE(WaitFor([&] { return friction->text() == QStringLiteral("0.45"); }, 5000))
                << "the friction field holds \"" << friction->text().toStdString() << "\"";
        }
        if (QTreeWidgetItem* row = UsableDevice(wizard)) {
            // The device page takes no device by itself: the user clicks one with both forces.
            QTreeWidget* list = row->treeWidget();
            list->scrollToItem(row);
            X().Click(list->viewport(), list->visualItemRect(row).center());
            ASSERT_TRUE(X().Finish());
            EXPECT_TRUE(WaitFor([&] { return !list->selectedItems().isEmpty(); }, 5000))
                << "no device chosen";
        }
        QWidget* next = VisibleId(wizard, CPshLgSichgWizard::kIdNext);
        ASSERT_NE(next, nullptr) << "no Next on page " << page + 1;
        WithModals(
            [&] {
                X().Click(next);
                X().Finish();
                WaitFor([&] { return wizard->ActiveIndex() != page; }, 5000);
            },
            {[&](QWidget* box) {
                refused = QStringLiteral("page %1 refused: %2").arg(page + 1).arg(box->windowTitle());
                ClickIn(QStringLiteral("wizard-refused"), {CDlgBase::kIdOk})(box);
            }},
            5000, [&] { return wizard->ActiveIndex() != page; });
        ASSERT_TRUE(WaitFor([&] { return wizard->ActiveIndex() != page || !refused.isEmpty(); }, 10000))
            << "Next stayed on page " << page + 1;
    }
    ASSERT_TRUE(refused.isEmpty()) << refused.toStdString();
    ASSERT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
    Shot(QStringLiteral("wizard-result"));
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u);
    EXPECT_EQ(qor->GetLadeeinheiten().front()->m_bVorhanden, 1) << "the unit is not marked as secured";

    // Close keeps a unit formed from the one load without a question; a question (whether to discard
    // the securing) is answered with Cancel and fails the step.
    QPointer<CPshLgSichgWizard> closing(wizard);
    QWidget* close = VisibleId(wizard, CPshLgSichgWizard::kIdClose);
    ASSERT_NE(close, nullptr);
    QStringList asked;
    WithModals(
        [&] {
            X().Click(close);
            X().Finish();
            WaitFor([&] { return !closing || !closing->isVisible(); }, 5000);
        },
        {[&](QWidget* box) {
            asked << box->windowTitle();
            ClickIn(QStringLiteral("close-securing-question"), {708})(box);
        }},
        5000, [&] { return !closing || !closing->isVisible(); });
    EXPECT_TRUE(asked.isEmpty()) << "Close asked: " << asked.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(WaitFor([&] { return !closing || !closing->isVisible(); }, 10000))
        << "Close left the wizard open";
    Shot(QStringLiteral("securing-closed"));
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u) << "the load unit went with the wizard";
    const CLadeeinheit* unit = qor->GetLadeeinheiten().front();
    EXPECT_EQ(unit->m_bVorhanden, 1) << "the unit no longer counts as secured";
    EXPECT_EQ(unit->m_Wizard.m_nNummer, unit->GetId()) << "the unit did not keep the wizard's settings";
}

// 6. A load just placed from the ramp is the current one: the x button drawn beside the load area,
// lined up with it, opens the x slider, whose field takes the keyboard: a position typed in millimetres
// and Return move the load there and close the field.
TEST_F(RealInput, Step6_ThePlansXSliderOpensFromItsButtonAndIsTypedInto)
{
    CloseOpenWizard();
    CQOR2View* plan = ShowPlan();
    ASSERT_NE(plan, nullptr);
    CLaderampe3* ramp = ShowRamp(plan);
    ASSERT_NE(ramp, nullptr);
    auto* strip = ramp->Liste();
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(WaitFor([&] { return strip->GetItemCount() > 0; }, 10000));
    CFahrzeug* vehicle = Doc()->GetFahrzeug();
    CQOR* qor = vehicle->GetQor();
    const size_t before = qor->GetLgInfos().size();
    // A tile between the front of the load area and the load of step 3.
    float length = 0.0f, width = 0.0f;
    ASSERT_TRUE(vehicle->GetNutzbareLFFloat(&length, &width));
    const QPoint origin = plan->RampenUrsprung() - plan->RampenScroll();
    const QPoint drop = origin + QPoint(plan->RampenPixel(2.3), plan->RampenPixel(width / 2.0));
    X().Drag(strip->mapToGlobal(strip->GetItemRect(0).center()), plan->viewport()->mapToGlobal(drop), 24);
    ASSERT_TRUE(X().Finish());
    ASSERT_TRUE(WaitFor([&] { return qor->GetLgInfos().size() == before + 1; }, 10000))
        << "the tile dragged onto the plan placed no load";
    tagLGINFO* load = qor->GetLgInfos().back();
    const bool drawn =
        WaitFor([&] { return plan->GetAuswahl() == load && !plan->m_treffer.rcBtnX.isEmpty(); }, 10000);
    Shot(QStringLiteral("x-button"));
    ASSERT_TRUE(drawn) << "no x button is drawn for the load just placed";
    const QPoint button = plan->viewport()->mapToGlobal(plan->m_treffer.rcBtnX.center());
    ASSERT_EQ(QApplication::widgetAt(button), plan->viewport()) << "the x button is covered";

    X().Click(button);
    ASSERT_TRUE(X().Finish());
    ASSERT_TRUE(WaitFor([&] { return plan->GetReglerX() != nullptr; }, 10000))
        << "the x button opened no slider";
    Shot(QStringLiteral("x-slider-open"));
    // Typed at once: the slider's field has the keyboard with its value selected.
    const double target = std::fabs(load->m_dPosX - 1.0) > 0.1 ? 1.0 : 0.5;
    X().Type(QString::number(std::lround(target * 1000.0)));
    X().Key(QStringLiteral("Return"));
    ASSERT_TRUE(X().Finish());
    EXPECT_TRUE(WaitFor([&] { return std::fabs(load->m_dPosX - target) < 1e-6; }, 10000))
        << "the load stands at x " << load->m_dPosX << " instead of " << target;
    // Return applied the value and closed the field.
    EXPECT_TRUE(WaitFor([&] { return plan->GetReglerX() == nullptr; }, 10000))
        << "Return left the slider open";
    Shot(QStringLiteral("x-slider-typed"));
}

// 7. The ramp's "add several" popup takes the keyboard when it opens: the count typed and Return add
// that many loads.
TEST_F(RealInput, Step7_TheAddSeveralPopupIsTypedInto)
{
    CloseOpenWizard();
    ASSERT_EQ(ShownWizard(), nullptr) << "a securing wizard stays open";
    CQOR2View* plan = ShowPlan();
    ASSERT_NE(plan, nullptr);
    CLaderampe3* ramp = ShowRamp(plan);
    ASSERT_NE(ramp, nullptr);
    CQOR* qor = Doc()->GetFahrzeug()->GetQor();
    const size_t before = qor->GetLgInfos().size();
    QWidget* several = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (several = VisibleId(ramp->Leiste(), CLaderampe3::kIdMehrere)) != nullptr; }, 10000))
        << "no \"add several\" button in the ramp";
    X().Click(several);
    ASSERT_TRUE(X().Finish());
    CDlgTooltipAddMultiLg* popup = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<CDlgTooltipAddMultiLg*>(top); p && p->isVisible())
                    popup = p;
            return popup && popup->isVisible();
        },
        10000))
        << "the popup did not open";
    Shot(QStringLiteral("add-several-popup"));
    // Typed at once, as a user does: the count field has the keyboard.
    X().Key(QStringLiteral("ctrl+a"));
    X().Type(QStringLiteral("3"));
    ASSERT_TRUE(X().Finish());
    EXPECT_TRUE(WaitFor([&] { return popup->AnzahlFeld()->text() == QStringLiteral("3"); }, 5000))
        << "the count field holds \"" << popup->AnzahlFeld()->text().toStdString() << "\"";
    Shot(QStringLiteral("add-several-typed"));
    X().Key(QStringLiteral("Return"));
    ASSERT_TRUE(X().Finish());
    EXPECT_TRUE(WaitFor([&] { return qor->GetLgInfos().size() == before + 3; }, 10000))
        << qor->GetLgInfos().size() - before << " loads added instead of 3";
    EXPECT_TRUE(WaitFor(StatusBarShowsLoad, 10000)) << "the status bar does not show the load added";
    Shot(QStringLiteral("added-several"));
}

// 7b. The catalogue browser of the ribbon ("Load units and filler items"): a tile dragged out of its strip
// onto the plan places a load there, as a tile of the ramp's strip does. The browser is moved aside by its
// title bar first, so that the load area shows beside it.
TEST_F(RealInput, Step7b_ATileDraggedFromTheCatalogueBrowserOntoThePlanPlacesALoad)
{
    CloseOpenWizard();
    CQOR2View* plan = ShowPlan();
    ASSERT_NE(plan, nullptr);
    CFahrzeug* vehicle = Doc()->GetFahrzeug();
    CQOR* qor = vehicle->GetQor();
    const size_t before = qor->GetLgInfos().size();
    QWidget* command = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (command = VisibleId(Frame(), 33072)) != nullptr; }, 10000))
        << "no catalogue browser command in the ribbon";
    float length = 0.0f, width = 0.0f;
    ASSERT_TRUE(vehicle->GetNutzbareLFFloat(&length, &width));
    bool placed = false;
    double dropX = 0.0, dropY = 0.0;
    const int handled = WithModals(
        [&] {
            X().Click(command);
            X().Finish();
        },
        {[&](QWidget* w) {
            auto* browser = dynamic_cast<CDlgEditLgsFsmExt*>(w);
            ASSERT_NE(browser, nullptr) << w->metaObject()->className();
            ASSERT_TRUE(WaitFor([&] { return ShownAndActive(browser); }, 10000));
            CHListbox* strip = browser->List();
            ASSERT_NE(strip, nullptr);
            ASSERT_TRUE(WaitFor([&] { return strip->GetItemCount() > 0; }, 10000))
                << "the browser shows no tiles";
            // Down to the bottom of the screen by its title bar, out of the way of the load area.
            const QRect outer = browser->frameGeometry(), inner = browser->geometry();
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            const QRect loadArea =
                plan->m_treffer.rcLadeflaeche.translated(plan->viewport()->mapToGlobal(QPoint(0, 0)));
            const QPoint title(outer.center().x(), (outer.top() + inner.top()) / 2);
            const int down =
                std::max(0, std::min(screen.bottom() - outer.bottom(), loadArea.bottom() + 20 - outer.top()));
            if (down > 0 && inner.top() > outer.top()) {
                X().Drag(title, title + QPoint(0, down), 12);
                X().Finish();
                WaitFor([&] { return browser->frameGeometry().top() >= outer.top() + down - 4; }, 5000);
            }
            Shot(QStringLiteral("catalogue-browser"));
            // Dropped on a place of the load area that the browser leaves free and no load stands on
            // (room for a pallet around it), so that the new load stands where it was dropped.
            const QPoint origin = plan->RampenUrsprung() - plan->RampenScroll();
            const auto frei = [&](double x, double y) {
                if (x < 0.7 || x > length - 0.7 || y < 0.5 || y > width - 0.5)
                    return false;
                for (const tagLGINFO* lg : qor->GetLgInfos())
                    if (x + 0.7 > lg->m_dPosX && x - 0.7 < lg->m_dPosX + lg->GetDimX() &&
                        y + 0.5 > lg->m_dPosY && y - 0.5 < lg->m_dPosY + lg->GetDimY())
                        return false;
                return true;
            };
            QPoint drop;
            bool gefunden = false;
            for (const double quer : {0.5, 0.3, 0.7, 0.2, 0.8})
                for (const double laengs : {0.8, 0.5, 0.2, 0.9, 0.65, 0.35}) {
                    const QPoint p = plan->viewport()->mapToGlobal(
                        origin + QPoint(plan->RampenPixel(length * laengs), plan->RampenPixel(width * quer)));
                    if (gefunden || browser->frameGeometry().contains(p) ||
                        !frei(length * laengs, width * quer))
                        continue;
                    gefunden = true;
                    drop = p;
                    dropX = length * laengs;
                    dropY = width * quer;
                }
            ASSERT_TRUE(gefunden) << "the browser covers every free place of the load area";
            ASSERT_FALSE(browser->frameGeometry().contains(drop)) << "the browser covers the load area";
            const QRect tile = strip->GetItemRect(0);
            ASSERT_FALSE(tile.isEmpty());
            X().Drag(strip->Canvas()->mapToGlobal(tile.center()), drop, 24);
            X().Finish();
            placed = WaitFor([&] { return qor->GetLgInfos().size() == before + 1; }, 10000);
            Shot(QStringLiteral("catalogue-tile-dropped"));
            X().Key(QStringLiteral("Escape"));
            X().Finish();
            WaitFor([&] { return !browser->isVisible(); }, 10000);
        }});
    ASSERT_EQ(handled, 1) << "the command opened no browser";
    ASSERT_TRUE(placed) << "the tile dragged from the browser onto the plan placed no load";
    tagLGINFO* load = qor->GetLgInfos().back();
    EXPECT_TRUE(dropX >= load->m_dPosX - 0.05 && dropX <= load->m_dPosX + load->GetDimX() + 0.05 &&
                dropY >= load->m_dPosY - 0.05 && dropY <= load->m_dPosY + load->GetDimY() + 0.05)
        << "the load stands at " << load->m_dPosX << ", " << load->m_dPosY << " instead of under " << dropX
        << ", " << dropY;
    EXPECT_TRUE(WaitFor(StatusBarShowsLoad, 10000)) << "the status bar does not show the load placed";
    Shot(QStringLiteral("catalogue-tile-placed"));
}

// 8. The 3D tab: a drag with the mouse turns the view.
TEST_F(RealInput, Step8_TheThreeDViewTurnsUnderAMouseDrag)
{
    CloseOpenWizard();
    ASSERT_TRUE(P().program && P().program->App().Device3D().Is3DAvailable())
        << "no OpenGL context on this display";
    CTabbedViewView* host = Host();
    ASSERT_TRUE(ClickTab(host, CTabbedViewView::k3D));
    auto* view = dynamic_cast<CQOR3DView*>(host->GetView(CTabbedViewView::k3D));
    ASSERT_NE(view, nullptr);
    QWidget* gl = view->GlWidget();
    ASSERT_NE(gl, nullptr);
    ASSERT_TRUE(WaitFor([&] { return gl->isVisible() && view->RenderCount() > 0; }, 20000))
        << "the 3D view renders nothing";
    Shot(QStringLiteral("3d"));
    const float yaw = view->Camera().Yaw();
    const int renders = view->RenderCount();
    const QPoint centre = gl->mapToGlobal(gl->rect().center());
    X().Drag(centre, centre + QPoint(gl->width() / 4, 0), 20);
    ASSERT_TRUE(X().Finish());
    EXPECT_TRUE(WaitFor([&] { return std::fabs(view->Camera().Yaw() - yaw) > 0.05f; }, 10000))
        << "the drag did not turn the view";
    EXPECT_TRUE(WaitFor([&] { return view->RenderCount() > renders; }, 10000))
        << "the turned view was not drawn";
    Shot(QStringLiteral("3d-turned"));
}

// 9. A file dragged from another program and dropped on the main window opens: the drop goes through
// the window system's drag-and-drop protocol between two X clients.
TEST_F(RealInput, Step9_AFileDroppedOnTheWindowFromAnotherProgramOpens)
{
    Program& p = P();
    const QString dropped = p.home + QStringLiteral("/Downloads/Delivery van.qor");
    QDir().mkpath(QFileInfo(dropped).path());
    QFile::remove(dropped);
    ASSERT_TRUE(QFile::copy(
        QCoreApplication::applicationDirPath() + QStringLiteral("/Samples/Vehicles/KEP.qor"), dropped));
    QFile::setPermissions(dropped, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_NE(QString::fromStdString(Doc()->GetPathName()), dropped);

    QProcess source;
    source.start(QStringLiteral(QOR_E2E_DROP_SOURCE), {dropped});
    QString ready;
    ASSERT_TRUE(WaitFor(
        [&] {
            ready += QString::fromLocal8Bit(source.readAllStandardOutput());
            return ready.contains(QLatin1Char('\n')) || source.state() == QProcess::NotRunning;
        },
        20000))
        << "the drop source did not show its window";
    const QStringList place = ready.simplified().split(QLatin1Char(' '));
    ASSERT_EQ(place.size(), 5) << ready.toStdString();
    const QRect sourceRect(place[1].toInt(), place[2].toInt(), place[3].toInt(), place[4].toInt());
    Shot(QStringLiteral("drop-source"));

    // From the source's window to the middle of the main window's document area.
    const QPoint target = Frame()->mapToGlobal(Frame()->rect().center());
    X().Drag(sourceRect.center(), target, 24);
    ASSERT_TRUE(X().Finish());
    QString ended;
    EXPECT_TRUE(WaitFor(
        [&] {
            ended += QString::fromLocal8Bit(source.readAllStandardOutput());
            return ended.contains(QLatin1Char('\n')) || source.state() == QProcess::NotRunning;
        },
        20000));
    EXPECT_EQ(ended.trimmed(), QStringLiteral("dropped")) << "the main window did not take the drop";
    EXPECT_TRUE(
        WaitFor([&] { return Doc() && QString::fromStdString(Doc()->GetPathName()) == dropped; }, 20000))
        << "the dropped file was not opened";
    source.terminate();
    source.waitForFinished(10000);
    WaitFor([] { return ShownAndActive(Frame()); }, 5000);
    Shot(QStringLiteral("dropped-file-opened"));
}
