// The program end to end under real input: started in process as main() starts it, on an X display run
// by a window manager, and driven only with mouse and keys sent through the X server (XInput), so the
// window manager, the input focus, window stacking and drag and drop between programs take part as on a
// desktop. Each step checks the document and the widgets and keeps a picture of the whole screen in
// artifacts/e2e/real-<nn>-<name>.png. The steps build on each other and run in their written order.
#include "XInput.h"

#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/FrameLoop.h"
#include "app/RunningProgram.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "reports/CDlgDrucken2.h"
#include "ui/CDlgBase.h"
#include "ui/CXTPTabControlMM.h"
#include "view3d/C3DViewport.h"
#include "view3d/CQOR3DView.h"
#include "views/CTabbedViewView.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
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
    Program& p = P();
    CQOR2App::Options options = CQOR2App::OptionsFromEnvironment();
    options.arguments = QStringList{QStringLiteral("qor")};
    p.program = ::StartProgram(options, error);
    if (!p.program)
        return false;
    p.program->App().Loop().Start();
    return true;
}

// Ends the program as Run() does once its last window closed.
void Shutdown()
{
    Program& p = P();
    if (!p.program)
        return;
    p.program->App().Loop().Stop();
    p.program->Exit();
    p.program.reset();
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
[[maybe_unused]] QWidget* VisibleId(QWidget* root, int id)
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
// dialogs that open one after the other to `handlers`, in order; each must close its dialog. Answers
// how many were handled. A dialog a handler leaves open is rejected at the end.
int WithModals(const std::function<void()>& trigger, const QList<std::function<void(QWidget*)>>& handlers,
               int waitMs = 20000)
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
    WaitFor([&] { return handled >= handlers.size(); }, waitMs);
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
    QString error;
    ASSERT_TRUE(Launch(&error)) << error.toStdString();
    p.userRoot = p.program->App().UserRoot();
    ASSERT_TRUE(WaitFor([] { return Frame()->isVisible() && Frame()->AfterStartDone() && Doc(); }));
    ASSERT_TRUE(WaitFor([] { return ShownAndActive(Frame()); }, 10000)) << "the main window has no focus";
    EXPECT_TRUE(OnTopAtItsMiddle(Frame())) << "another window stands over the main window";
    Shot(QStringLiteral("first-start"));
}

// 2. A ribbon command's dialog opens over its parent, on top and with the keyboard: Escape closes it
// and the focus goes back to the main window.
TEST_F(RealInput, Step2_ARibbonDialogOpensOverItsParentAndEscapeClosesIt)
{
    QWidget* report = Find(QStringLiteral("id_892"));
    ASSERT_NE(report, nullptr) << "no report command in the ribbon";
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

// 8. The 3D tab: a drag with the mouse turns the view.
TEST_F(RealInput, Step8_TheThreeDViewTurnsUnderAMouseDrag)
{
    ASSERT_TRUE(CQOR3DView::Is3DAvailable()) << "no OpenGL context on this display";
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
