// The program end to end: started in process as main() starts it, with its folders and settings in a
// temporary place and its mail on a loopback SMTP server and a test Maildir, driven only with mouse and
// key events on widgets found by object name. Each step checks the document and keeps a picture of the
// main window in artifacts/e2e/. The steps build on each other and run in their written order.
#include "SecuringSteps.h"

#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/FrameLoop.h"
#include "app/MainRibbonLayout.h"
#include "app/RunningProgram.h"
#include "catalogue/CLaderampe3.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/mail/MailMessage.h"
#include "platform/mail/MailSettings.h"
#include "platform/mail/MimeParser.h"
#include "platform/mail/MimeWriter.h"
#include "reports/CDlgDrucken2.h"
#include "reports/CDlgExport.h"
#include "reports/CDlgImport.h"
#include "reports/CDlgSearchInbox.h"
#include "reports/ExchangeFileWriter.h"
#include "tests/support/InProcessProgram.h"
#include "tests/support/SmtpReader.h"
#include "ui/CXTPTabControlMM.h"
#include "view3d/C3DViewport.h"
#include "view3d/CQOR3DView.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

namespace fs = std::filesystem;

namespace {

[[maybe_unused]] QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

// Lets the event loop run for a number of rounds (paints, the idle pass, posted view messages).
void Settle(int rounds = 10)
{
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(10);
    }
}

// A mail server on the loopback that accepts everything and keeps each message as sent.
class MailSink : public QObject
{
public:
    MailSink()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            socket->write("220 sink\r\n");
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
        });
    }
    quint16 Port() const { return m_server.serverPort(); }

    QByteArrayList commands;
    QByteArrayList messages;

private:
    void Read(QTcpSocket* socket)
    {
        m_reader.Feed(
            socket->readAll(),
            [&](const QByteArray& line) {
                commands.append(line);
                if (line.startsWith("DATA")) {
                    socket->write("354 go on\r\n");
                } else if (line.startsWith("QUIT")) {
                    socket->write("221 bye\r\n");
                    socket->disconnectFromHost();
                } else {
                    socket->write("250 ok\r\n");
                }
                return true;
            },
            [&](const QByteArray& text) {
                messages.append(text);
                socket->write("250 kept\r\n");
            });
    }

    QTcpServer m_server;
    SmtpReader m_reader;
};

// Undoes the dot-stuffing of an SMTP DATA section.
QByteArray Unstuffed(const QByteArray& data)
{
    QByteArray out;
    for (const QByteArray& line : data.split('\n'))
        out += (line.startsWith("..") ? line.mid(1) : line) + '\n';
    out.chop(1);
    return out;
}

// The running program and what the steps hand on to each other.
struct Program
{
    std::unique_ptr<RunningProgram> program;
    QString home;
    QString userRoot;
    QString truckPath;
    QString maildir;
    QStringList pdfs; // the reports' PDFs of step 5
    std::unique_ptr<MailSink> sink;
    int shot = 0;
    bool exited = false;
    // The plan's load after step 2: its name and place.
    std::string loadName;
    double loadX = 0.0;
    double loadY = 0.0;
};

Program& P()
{
    static Program program;
    return program;
}

// Starts the program with the start-up function main() calls, with the process's options and these
// arguments after the program's name. The steps run the event loop themselves, so the frame loop is
// started as Run() starts it before it waits in the loop.
bool Launch(const QStringList& arguments, QString* error)
{
    P().program = LaunchAsMain(arguments, error);
    return P().program != nullptr;
}

// Ends the program as Run() does once its last window closed: the loop stops, then the exit calls.
void Shutdown()
{
    EndAsRun(P().program);
}

CMainFrame* Frame()
{
    return P().program ? P().program->MainFrame() : nullptr;
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

// Keeps a picture of the main window (and of a dialog, when given) as artifacts/e2e/<nn>-<name>.png.
void Shot(const QString& name, QWidget* dialog = nullptr)
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/e2e");
    QDir().mkpath(folder);
    const QString number = QStringLiteral("%1").arg(++P().shot, 2, 10, QLatin1Char('0'));
    if (CMainFrame* frame = Frame()) {
        EXPECT_TRUE(frame->grab().save(folder + QStringLiteral("/%1-%2.png").arg(number, name)));
    }
    if (dialog) {
        EXPECT_TRUE(dialog->grab().save(folder + QStringLiteral("/%1-%2-dialog.png").arg(number, name)));
    }
}

// Runs `trigger` (which may block in a modal dialog's loop) and hands the modal dialogs that open one
// after the other to `handlers`, in order; each must close its dialog. Answers how many were handled.
// A dialog a handler leaves open is closed by the stray-dialog watch.
int WithModals(const std::function<void()>& trigger, const QList<std::function<void(QWidget*)>>& handlers,
               int waitMs = 10000)
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
        const int index = handled++;
        // Let the dialog paint before it is looked at and driven.
        Settle(3);
        handlers[index](modal);
    });
    watch.start();
    trigger();
    WaitFor([&] { return handled >= handlers.size(); }, waitMs);
    watch.stop();
    return handled;
}

// One modal dialog: answers whether it opened.
bool WithModal(const std::function<void()>& trigger, const std::function<void(QWidget*)>& handle)
{
    return WithModals(trigger, {handle}) == 1;
}

// A handler that keeps a picture of the dialog and clicks its button of that id.
std::function<void(QWidget*)> Answer(const QString& picture, int buttonId);

// Clicks the visible, enabled widget named "id_<id>" inside `root` with the left button at its centre
// (or at `at`).
bool ClickId(QWidget* root, int id, QPoint at = QPoint())
{
    // The visible one of that name: pages and strips may carry hidden controls of the same id.
    QWidget* w = nullptr;
    if (root)
        for (QWidget* candidate : root->findChildren<QWidget*>(QStringLiteral("id_%1").arg(id)))
            if (candidate->isVisible() && candidate->isEnabled()) {
                w = candidate;
                break;
            }
    if (!w)
        return false;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
    return true;
}

std::function<void(QWidget*)> Answer(const QString& picture, int buttonId)
{
    return [picture, buttonId](QWidget* box) {
        Shot(picture, box);
        if (!ClickId(box, buttonId)) {
            ADD_FAILURE() << picture.toStdString() << ": no button " << buttonId;
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->reject();
        }
    };
}

// Clicks `button`, whose menu then pops up, and in that menu the entry of command `id`. Answers
// whether the entry was there and clicked.
bool ChooseFromMenu(QWidget* button, int id, const QString& picture)
{
    bool chosen = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (chosen || !menu || !menu->isVisible())
            return;
        for (QAction* action : menu->actions())
            if (action->data().toInt() == id && action->isEnabled()) {
                chosen = true;
                watch.stop();
                Shot(picture, menu);
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                                  menu->actionGeometry(action).center());
                return;
            }
    });
    watch.start();
    QTest::mouseClick(button, Qt::LeftButton);
    WaitFor([&] { return chosen; }, 5000);
    watch.stop();
    return chosen;
}

// Clicks the tab of a view kind in the document window's tab bar.
bool ClickTab(CTabbedViewView* host, int kind)
{
    const int tab = host ? host->FindTabOfKind(kind) : -1;
    auto* bar = host ? host->findChild<CXTPTabControlMM*>(QStringLiteral("viewTabs")) : nullptr;
    if (tab < 0 || !bar)
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
    return WaitFor([&] { return host->GetSelectedTab() == tab; }, 5000);
}

// A drag with the left button from `from` to `to` in `steps` moves, each followed by a pass of the loop.
void Drag(QWidget* w, QPoint from, QPoint to, int steps = 12)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + (to - from) * i / steps;
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        Settle(1);
    }
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
    Settle(2);
}

CQOR1Doc* Doc()
{
    return CMainFrame::GetActiveDoc();
}

CTabbedViewView* Host()
{
    return Find<CTabbedViewView>(QStringLiteral("viewHost"));
}

// Ends a program a filtered or failed run left running, before the Qt application goes.
class ProgramEnd : public ::testing::Environment
{
public:
    void TearDown() override { Shutdown(); }
};
const auto* const g_programEnd = ::testing::AddGlobalTestEnvironment(new ProgramEnd);

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!P().program && !P().exited && !IsStartStep())
            GTEST_SKIP() << "the program did not start";
    }
    virtual bool IsStartStep() const { return false; }
};

class Start : public EndToEnd
{
protected:
    bool IsStartStep() const override { return true; }
};

} // namespace

// 1. The first start shows the sample truck, its mass in the status bar.
TEST_F(Start, Step1_TheFirstStartShowsTheSampleTruckWithItsMassInTheStatusBar)
{
    Program& p = P();
    p.home = qEnvironmentVariable("QOR_E2E_HOME");
    ASSERT_FALSE(p.home.isEmpty());
    // A dialog no step expects is kept as a picture after a minute and closed.
    static StrayModalWatch watch(60000,
                                 [](QWidget* modal) { Shot(QStringLiteral("unexpected-dialog"), modal); });
    QString error;
    ASSERT_TRUE(Launch({}, &error)) << error.toStdString();
    p.userRoot = p.program->App().UserRoot();
    ASSERT_TRUE(p.userRoot.startsWith(p.home)) << "the per-user folder lies in the temporary home";
    ASSERT_TRUE(WaitFor([] { return Frame()->isVisible() && Frame()->AfterStartDone() && Doc(); }));

    p.truckPath = p.userRoot + QStringLiteral("Samples/vehicles/Sample vehicles/Rigid truck 18 t.qor");
    CQOR1Doc* doc = Doc();
    EXPECT_EQ(QString::fromStdString(doc->GetPathName()), p.truckPath);
    ASSERT_NE(doc->GetFahrzeug(), nullptr);
    const double mass = doc->GetFahrzeug()->GetGesamtmasse(false);
    EXPECT_GT(mass, 1.0);
    const QString expected = QString::fromStdString(FormatChecked(LoadResString(43), {mass * 1000.0}));
    auto* pane = Find<QLabel>(QStringLiteral("id_%1").arg(0xE708));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(WaitFor([&] { return pane->text() == expected; }, 5000))
        << pane->text().toStdString() << " instead of " << expected.toStdString();
    EXPECT_TRUE(Frame()->windowTitle().contains(QStringLiteral("QOR")))
        << Frame()->windowTitle().toStdString();
    Shot(QStringLiteral("first-start"));
}

// 2. A load unit goes from the loading ramp onto the plan, then along it; the axle loads shown are the
// model's for the same move.
TEST_F(EndToEnd, Step2_ALoadFromTheRampIsDroppedAndDraggedAndTheAxleLoadsFollowTheModel)
{
    CTabbedViewView* host = Host();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(ClickTab(host, CTabbedViewView::kPlan));
    auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
    ASSERT_NE(plan, nullptr);
    Settle();
    // The ramp button of the plan's strip shows the loading ramp.
    ASSERT_TRUE(ClickId(plan, 400));
    // The ramp carries the control id the plan view gives it.
    auto* ramp = plan->findChild<CLaderampe3*>(QStringLiteral("id_100"));
    ASSERT_NE(ramp, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ramp->isVisible(); }, 5000));
    Settle();
    Shot(QStringLiteral("ramp"));
    CFahrzeug* vehicle = Doc()->GetFahrzeug();
    CQOR* qor = vehicle->GetQor();
    ASSERT_NE(qor, nullptr);
    ASSERT_TRUE(qor->GetLgInfos().empty());

    // The block of the ramp's chosen load unit, dragged up over the middle of the load area.
    const QRect block = ramp->GetBlockRect();
    ASSERT_FALSE(block.isEmpty()) << "the ramp shows no load unit to drag";
    const QPoint origin = plan->RampenUrsprung() - plan->RampenScroll(); // viewport pixels
    float length = 0.0f, width = 0.0f;
    ASSERT_TRUE(vehicle->GetNutzbareLFFloat(&length, &width));
    const QPoint target = origin + QPoint(plan->RampenPixel(length * 0.3), plan->RampenPixel(width * 0.5));
    const QPoint grip = block.center();
    Drag(ramp, grip, target - ramp->pos(), 16);
    ASSERT_EQ(qor->GetLgInfos().size(), 1u) << "the load was not dropped on the plan";
    tagLGINFO* load = qor->GetLgInfos().front();
    Shot(QStringLiteral("dropped-from-ramp"));

    // Then along the load area by a metre and a half.
    const double x0 = load->m_dPosX, y0 = load->m_dPosY;
    const QPoint centre = origin + QPoint(plan->RampenPixel(load->m_dPosX + load->GetDimX() / 2),
                                          plan->RampenPixel(load->m_dPosY + load->GetDimY() / 2));
    Drag(plan->viewport(), centre, centre + QPoint(plan->RampenPixel(1.5), 0), 12);
    ASSERT_EQ(qor->GetLgInfos().size(), 1u);
    load = qor->GetLgInfos().front();
    EXPECT_NEAR(load->m_dPosX - x0, 1.5, 0.1) << "the load did not follow the mouse along the plan";
    EXPECT_NEAR(load->m_dPosY, y0, 1e-9);
    Settle();
    Shot(QStringLiteral("dragged-along"));

    // The same move on the model alone: the sample as shipped with the load where the drag left it.
    std::unique_ptr<CFahrzeug> model = LoadFahrzeugFromFile(
        fs::path((QCoreApplication::applicationDirPath() + QStringLiteral("/Samples/Vehicles/LKW.qor"))
                     .toStdString()),
        0, nullptr, nullptr, false, nullptr);
    ASSERT_NE(model, nullptr);
    ASSERT_NE(model->GetQor(), nullptr);
    model->GetQor()->AddLgInfo(std::unique_ptr<tagLGINFO>(new tagLGINFO(*load)), true);
    model->GetQor()->UpdateSchwerpunkt();
    model->Recalc();
    double front = 0.0, rear = 0.0, shownFront = 0.0, shownRear = 0.0;
    model->CalcAchslastenBeladen(&front, &rear);
    vehicle->CalcAchslastenBeladen(&shownFront, &shownRear);
    EXPECT_GT(front, 0.0);
    EXPECT_NEAR(shownFront, front, 1e-6);
    EXPECT_NEAR(shownRear, rear, 1e-6);
    EXPECT_NEAR(vehicle->m_dAchslastVorn, model->m_dAchslastVorn, 1e-6);
    EXPECT_NEAR(vehicle->m_dAchslastHinten, model->m_dAchslastHinten, 1e-6);
    P().loadName = load->m_strName;
    P().loadX = load->m_dPosX;
    P().loadY = load->m_dPosY;
}

// 3. The load is secured through every page of the wizard; the load-securing view shows the unit
// secured, with its defects.
TEST_F(EndToEnd, Step3_TheLoadIsSecuredThroughEveryWizardPage)
{
    if (P().loadName.empty())
        GTEST_SKIP() << "step 2 left no load on the plan";
    CTabbedViewView* host = Host();
    ASSERT_TRUE(ClickTab(host, CTabbedViewView::kLgSicherung));
    auto* view = dynamic_cast<CQORLgSicherungView*>(host->GetView(CTabbedViewView::kLgSicherung));
    ASSERT_NE(view, nullptr);
    Settle();
    Shot(QStringLiteral("securing-view"));
    CQOR* qor = Doc()->GetFahrzeug()->GetQor();
    // "Secure loads": a note on how securing works (OK), the question about the vehicle's own lashing
    // devices (go on with the standard ones), then the one load on the plan forms its unit and the
    // wizard opens beside the view.
    bool clicked = false;
    EXPECT_EQ(WithModals([&] { clicked = ClickId(view, 636); },
                         {Answer(QStringLiteral("securing-note"), CDlgBase::kIdOk),
                          Answer(QStringLiteral("standard-devices"), 770)}),
              2);
    ASSERT_TRUE(clicked);
    auto* wizard = Find<CPshLgSichgWizard>(QStringLiteral("securingWizard"));
    ASSERT_TRUE(WaitFor(
        [&] {
            wizard = Find<CPshLgSichgWizard>(QStringLiteral("securingWizard"));
            return wizard && wizard->isVisible();
        },
        10000));
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u);
    // Next through every page up to the result, with the entries a page needs typed in first. A page
    // that refuses to be left says why in a box: that fails the step.
    QList<int> seen;
    QString refused;
    for (int guard = 0; guard < 3 * CPshLgSichgWizard::kPageCount && refused.isEmpty(); ++guard) {
        Settle(4);
        const int page = wizard->ActiveIndex();
        if (seen.isEmpty() || seen.last() != page) {
            seen.append(page);
            Shot(QStringLiteral("wizard-page-%1").arg(page + 1), wizard);
        }
        if (page == CPshLgSichgWizard::kResultPage)
            break;
        if (auto* friction =
                wizard->findChild<QLineEdit*>(QStringLiteral("id_%1").arg(CPgLgSichgPage5::kIdOhneMatte));
            friction && friction->isVisible() && friction->text().isEmpty()) {
            // Sawn wood on plywood, as the page's table gives it, typed as a user types: into the
            // active window's field, which takes the value when the focus leaves it.
            wizard->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(wizard, 5000));
            QTest::mouseClick(friction, Qt::LeftButton);
            QTest::keyClick(friction, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(friction, QStringLiteral("0.45"));
            QTest::keyClick(friction, Qt::Key_Tab);
            Settle(2);
        }
        if (QTreeWidgetItem* row = UsableDevice(wizard)) {
            // The device page takes no device by itself: the user clicks one with both forces.
            QTreeWidget* list = row->treeWidget();
            list->scrollToItem(row);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
            Settle(2);
        }
        bool next = false;
        WithModals([&] { next = ClickId(wizard, CPshLgSichgWizard::kIdNext); }, {[&](QWidget* box) {
                       Shot(QStringLiteral("wizard-refused"), box);
                       refused = QStringLiteral("page %1 refused: ").arg(page + 1) + box->windowTitle();
                       if (auto* html =
                               box->findChild<QWidget*>(QStringLiteral("id_%1").arg(CDlgBase::kIdOk)))
                           QTest::mouseClick(html, Qt::LeftButton);
                       if (box->isVisible())
                           qobject_cast<QDialog*>(box)->reject();
                   }},
                   0);
        ASSERT_TRUE(next) << "no Next on page " << page + 1;
    }
    EXPECT_TRUE(refused.isEmpty()) << refused.toStdString();
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.last(), CPshLgSichgWizard::kResultPage) << "the wizard never reached its result";
    // At the result the view, following the wizard, shows the unit secured with its defects.
    Settle();
    Shot(QStringLiteral("secured"));
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u);
    const CLadeeinheit* unit = qor->GetLadeeinheiten().front();
    EXPECT_EQ(unit->m_bVorhanden, 1) << "the unit is not marked as secured";
    EXPECT_FALSE(unit->m_Maengel.empty()) << "no defects listed";
    // Closing the wizard: "Save and close" answers with notice 658 in this edition, so the wizard is
    // closed with Close, which keeps the unit formed in this run with its securing, without a question.
    EXPECT_EQ(WithModals([&] { ClickId(wizard, CPshLgSichgWizard::kIdSave); },
                         {Answer(QStringLiteral("save-and-close"), CDlgBase::kIdOk)}),
              1);
    ASSERT_TRUE(ClickId(wizard, CPshLgSichgWizard::kIdClose));
    ASSERT_TRUE(WaitFor(
        [&] {
            auto* open = Find<CPshLgSichgWizard>(QStringLiteral("securingWizard"));
            return !open || !open->isVisible();
        },
        10000))
        << "the wizard stays open";
    Settle();
    Shot(QStringLiteral("securing-closed"));
    ASSERT_EQ(qor->GetLadeeinheiten().size(), 1u);
    EXPECT_EQ(qor->GetLadeeinheiten().front()->m_bVorhanden, 1) << "closing dropped the securing";
}

// 4. The 3D tab shows the truck with the load, and a drag turns it.
TEST_F(EndToEnd, Step4_The3DTabShowsTheTruckWithItsLoadAndADragTurnsIt)
{
    if (!P().program || !P().program->App().Device3D().Is3DAvailable())
        FAIL() << "no OpenGL context on this display: the 3D tab cannot show anything";
    CTabbedViewView* host = Host();
    ASSERT_TRUE(ClickTab(host, CTabbedViewView::k3D));
    auto* view = dynamic_cast<CQOR3DView*>(host->GetView(CTabbedViewView::k3D));
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->GlWidget(), nullptr);
    // The frame step renders when the scene changed: once after the tab shows it.
    ASSERT_TRUE(WaitFor([&] { return view->RenderCount() > 0; }, 20000)) << "the frame step renders nothing";
    Settle(5);
    Shot(QStringLiteral("3d"));
    const float yaw = view->Camera().Yaw();
    QWidget* gl = view->GlWidget();
    // The 3D view takes its mouse input while the main window is the active one.
    Frame()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Frame(), 5000));
    const QPoint centre = gl->rect().center();
    Drag(gl, centre, centre + QPoint(gl->width() / 4, 0), 20);
    EXPECT_TRUE(WaitFor([&] { return std::fabs(view->Camera().Yaw() - yaw) > 0.05f; }, 5000))
        << "the drag did not turn the view";
    const int before = view->RenderCount();
    Settle(5);
    EXPECT_GT(view->RenderCount(), before - 1);
    Shot(QStringLiteral("3d-turned"));
}

// 5. Report 892: its dialog, Run, the converter's PDFs with the vehicle's name and the load mass. The
// chain of dialogs ends in the export dialog in its PDF mode, which mails them to the loopback server
// (checked in step 6).
TEST_F(EndToEnd, Step5_TheReportCommandMakesPdfsWithTheVehicleAndTheLoadMass)
{
    Program& p = P();
    if (QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true"))
            FAIL() << "wkhtmltopdf and pdftotext are part of the package list";
        GTEST_SKIP() << "wkhtmltopdf or pdftotext is not installed here";
    }
    p.sink = std::make_unique<MailSink>();
    MailSettings settings = MailSettings::Load();
    settings.smtpServer = QStringLiteral("127.0.0.1");
    settings.smtpPort = p.sink->Port();
    settings.security = SmtpClient::Security::None;
    settings.senderAddress = QStringLiteral("planner@example.com");
    settings.Save();

    const double loadKg = Doc()->GetFahrzeug()->GetQor()->GetMasse() * 1000.0;
    ASSERT_GT(loadKg, 0.0);
    auto* report = Find<QWidget>(QStringLiteral("id_892"));
    ASSERT_NE(report, nullptr) << "no report control in the ribbon";
    QStringList texts;
    bool exported = false;
    const QString kept = p.home + QStringLiteral("/pdf");
    QDir().mkpath(kept);
    // The dialogs after Run: the converter's wait notice (closes itself), boxes (answered with OK) and
    // the export dialog.
    const std::function<void(QWidget*)> after = [&](QWidget* w) {
        if (auto* exportDialog = qobject_cast<CDlgExport*>(w)) {
            Shot(QStringLiteral("export-dialog"), exportDialog);
            for (const QString& pdf : exportDialog->Attachments()) {
                const QString copy = kept + QLatin1Char('/') + QFileInfo(pdf).fileName();
                QFile::remove(copy);
                EXPECT_TRUE(QFile::copy(pdf, copy)) << pdf.toStdString();
                p.pdfs << copy;
                QProcess text;
                text.start(QStringLiteral("pdftotext"),
                           {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
                EXPECT_TRUE(text.waitForFinished(60000));
                texts << QString::fromUtf8(text.readAllStandardOutput());
            }
            // Step 6's part: the PDFs go by mail.
            auto* to = exportDialog->findChild<QLineEdit*>(QStringLiteral("id_%1").arg(CDlgExport::kIdTo));
            ASSERT_NE(to, nullptr);
            exportDialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(exportDialog, 5000));
            QTest::mouseClick(to, Qt::LeftButton);
            QTest::keyClicks(to, QStringLiteral("dispatch@example.com"));
            // Sending shows its progress, then says where the mail went.
            const std::function<void(QWidget*)> sent = [](QWidget* box) {
                if (box->findChild<QWidget*>(QStringLiteral("id_%1").arg(CDlgBase::kIdOk)))
                    Answer(QStringLiteral("mail-sent"), CDlgBase::kIdOk)(box);
            };
            WithModals([&] { exported = ClickId(exportDialog, CDlgExport::kIdRun); }, {sent, sent}, 0);
            if (exportDialog->isVisible())
                exportDialog->reject();
            return;
        }
        if (qobject_cast<QMessageBox*>(w) || w->findChild<QWidget*>(QStringLiteral("id_668"))) {
            ADD_FAILURE() << "a message after Run: " << w->windowTitle().toStdString();
            Shot(QStringLiteral("report-message"), w);
            if (auto* box = qobject_cast<QMessageBox*>(w))
                box->button(QMessageBox::Ok)->click();
            else
                ClickId(w, CDlgBase::kIdOk);
            return;
        }
        // The wait notice: it goes by itself when the converter is done.
        Shot(QStringLiteral("converting"), w);
    };
    const bool opened = WithModal(
        [&] { QTest::mouseClick(report, Qt::LeftButton); },
        [&](QWidget* w) {
            auto* dialog = qobject_cast<CDlgDrucken2*>(w);
            ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
            // The load-plan report with the loading plan ticked too.
            auto* plan =
                dialog->findChild<QAbstractButton*>(QStringLiteral("id_%1").arg(CDlgDrucken2::kIdB1));
            ASSERT_NE(plan, nullptr);
            if (!plan->isChecked())
                QTest::mouseClick(plan, Qt::LeftButton, Qt::NoModifier, QPoint(8, plan->height() / 2));
            EXPECT_TRUE(plan->isChecked()) << plan->text().toStdString();
            Shot(QStringLiteral("report-dialog"), dialog);
            WithModals([&] { ClickId(dialog, CDlgDrucken2::kIdRun); }, {after, after, after, after}, 0);
            if (dialog->isVisible())
                dialog->reject();
        });
    ASSERT_TRUE(opened) << "command 892 opened no dialog";
    ASSERT_FALSE(p.pdfs.isEmpty()) << "no PDF came out of the converter";
    const QString vehicleName = QString::fromStdString(Doc()->GetFahrzeug()->m_strName);
    const QString mass = QString::fromStdString(FormatChecked("%.0f", {loadKg}));
    bool named = false, weighed = false;
    for (const QString& text : texts) {
        named = named || text.contains(vehicleName);
        // The load's mass stands in the tables' kilogram columns as a number of its own.
        weighed =
            weighed || (text.contains(QStringLiteral("[kg]")) &&
                        text.contains(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(mass))));
    }
    EXPECT_TRUE(named) << vehicleName.toStdString() << " not in\n"
                       << texts.join(QStringLiteral("\n----\n")).toStdString();
    EXPECT_TRUE(weighed) << mass.toStdString() << " [kg] not in\n"
                         << texts.join(QStringLiteral("\n----\n")).toStdString();
    EXPECT_TRUE(exported) << "the export dialog had no Run";
}

// 6. The export dialog mailed the PDFs (step 5); the loopback server received them byte for byte.
TEST_F(EndToEnd, Step6_TheExportDialogMailsThePdfsByteForByte)
{
    Program& p = P();
    if (p.pdfs.isEmpty() || !p.sink)
        GTEST_SKIP() << "step 5 made no PDFs to mail";
    ASSERT_TRUE(WaitFor([&] { return !p.sink->messages.isEmpty(); }, 10000)) << "no mail reached the server";
    EXPECT_TRUE(p.sink->commands.contains("RCPT TO:<dispatch@example.com>"));
    const auto mail = MimeParser::Parse(Unstuffed(p.sink->messages.first()));
    ASSERT_TRUE(mail.has_value());
    ASSERT_EQ(mail->attachments.size(), p.pdfs.size());
    for (int i = 0; i < p.pdfs.size(); ++i) {
        SCOPED_TRACE(p.pdfs[i].toStdString());
        QFile pdf(p.pdfs[i]);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_EQ(mail->attachments[i].name, QFileInfo(p.pdfs[i]).fileName());
        EXPECT_TRUE(mail->attachments[i].data == pdf.readAll()) << "the attachment differs from the PDF";
    }
}

// 7. An exchange file that came by mail: the import dialog's inbox search lists it, Import shows
// notice 658 and changes nothing.
TEST_F(EndToEnd, Step7_AnExchangeFileByMailIsListedAndImportChangesNothing)
{
    Program& p = P();
    // The truck's exchange file, written by the program's writer, delivered into the Maildir.
    const auto bytes = ExchangeFileWriter::Build(
        fs::path(p.truckPath.toStdString()), fs::path((p.userRoot + QStringLiteral("Data")).toStdString()));
    ASSERT_TRUE(bytes.has_value());
    const QString exchange = p.home + QStringLiteral("/outgoing/Rigid truck 18 t.qorei");
    QDir().mkpath(QFileInfo(exchange).path());
    {
        QFile file(exchange);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes->data()), static_cast<qint64>(bytes->size()));
    }
    MailMessage mail;
    mail.to = {QStringLiteral("planner@example.com")};
    mail.subject = QStringLiteral("The truck");
    mail.text = QStringLiteral("The vehicle for tomorrow.");
    mail.attachments = {{exchange, QString()}};
    QByteArray message;
    ASSERT_TRUE(MimeWriter::Write(mail, QStringLiteral("dispatch@example.com"), QStringLiteral("Dispatch"),
                                  QDateTime::currentDateTime(), message));
    p.maildir = p.home + QStringLiteral("/Maildir");
    for (const char* sub : {"new", "cur", "tmp"})
        QDir(p.maildir).mkpath(QLatin1String(sub));
    {
        QFile file(p.maildir + QStringLiteral("/new/1765350000.e2e.localhost"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(message);
    }
    MailSettings settings = MailSettings::Load();
    settings.maildirFolder = p.maildir;
    settings.Save();

    const QByteArray truckBefore = [&] {
        QFile f(p.truckPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QStringList filesBefore = [&] {
        QStringList list;
        for (const auto& e : fs::recursive_directory_iterator(p.userRoot.toStdString()))
            list << QString::fromStdString(e.path().string());
        list.sort();
        return list;
    }();
    const int loadsBefore = static_cast<int>(Doc()->GetFahrzeug()->GetQor()->GetLgInfos().size());

    auto* import = Find<QWidget>(QStringLiteral("id_655"));
    ASSERT_NE(import, nullptr) << "no Import control in the ribbon";
    bool listed = false, noticed = false;
    QString entries;
    const bool opened = WithModal(
        [&] { QTest::mouseClick(import, Qt::LeftButton); },
        [&](QWidget* w) {
            auto* dialog = qobject_cast<CDlgImport*>(w);
            ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
            // The inbox search: wait for the listing, tick the message, OK.
            WithModal([&] { ClickId(dialog, CDlgImport::kIdInbox); },
                      [&](QWidget* s) {
                          auto* search = qobject_cast<CDlgSearchInbox*>(s);
                          ASSERT_NE(search, nullptr) << s->metaObject()->className();
                          ASSERT_TRUE(WaitFor([&] { return search->IsListed(); }, 10000));
                          Settle(2);
                          Shot(QStringLiteral("inbox-search"), search);
                          QTreeWidget* list = search->List();
                          ASSERT_EQ(list->topLevelItemCount(), 1) << search->Error().toStdString();
                          QTreeWidgetItem* item = list->topLevelItem(0);
                          const QRect rect = list->visualItemRect(item);
                          // The check box at the row's start.
                          QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                                            QPoint(rect.left() + 8, rect.center().y()));
                          ASSERT_EQ(item->checkState(0), Qt::Checked) << "the click did not tick the message";
                          ClickId(search, CDlgBase::kIdOk);
                      });
            Settle(2);
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("id_%1").arg(CDlgImport::kIdList));
            ASSERT_NE(list, nullptr);
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                entries += list->topLevelItem(i)->text(0) + QLatin1Char('\n');
            listed = list->topLevelItemCount() == 1 &&
                     list->topLevelItem(0)->text(0) == QStringLiteral("EMAIL: Rigid truck 18 t.qorei");
            Shot(QStringLiteral("import-listed"), dialog);
            // Import: notice 658, answered with its OK.
            WithModal([&] { ClickId(dialog, CDlgImport::kIdImport); },
                      [&](QWidget* box) {
                          noticed = box->findChild<QWidget*>(QStringLiteral("id_668")) != nullptr;
                          Shot(QStringLiteral("import-notice"), box);
                          if (!ClickId(box, 668))
                              qobject_cast<QDialog*>(box)->reject();
                      });
            ClickId(dialog, CDlgBase::kIdCancel);
            if (dialog->isVisible())
                dialog->reject();
        });
    ASSERT_TRUE(opened) << "Import opened no dialog";
    EXPECT_TRUE(listed) << entries.toStdString();
    EXPECT_TRUE(noticed) << "Import showed no notice";
    // Nothing changed: the open plan, the vehicle file and the per-user folder.
    EXPECT_EQ(static_cast<int>(Doc()->GetFahrzeug()->GetQor()->GetLgInfos().size()), loadsBefore);
    QFile after(p.truckPath);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), truckBefore);
    QStringList filesAfter;
    for (const auto& e : fs::recursive_directory_iterator(p.userRoot.toStdString()))
        filesAfter << QString::fromStdString(e.path().string());
    filesAfter.sort();
    EXPECT_EQ(filesAfter, filesBefore);
}

// 8. Closing saves the plan, leaves no "lock.tmp" and no process of the program running.
TEST_F(EndToEnd, Step8_ClosingSavesThePlanAndLeavesNoLockAndNoProcess)
{
    Program& p = P();
    const QString lock = p.userRoot + QStringLiteral("lock.tmp");
    EXPECT_TRUE(QFile::exists(lock));
    CQOR1Doc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    const QString path = QString::fromStdString(doc->GetPathName());
    ASSERT_EQ(doc->GetFahrzeug()->GetQor()->GetLgInfos().size(), 1u);
    // Exit from the File button's menu.
    // The round File button carries its command id like every ribbon control.
    auto* fileButton = Find<QWidget>(QStringLiteral("id_%1").arg(MainRibbonLayout::kSystemButton));
    ASSERT_NE(fileButton, nullptr);
    Frame()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Frame(), 5000));
    ASSERT_TRUE(ChooseFromMenu(fileButton, 0xE141, QStringLiteral("exit"))) << "no Exit in the File menu";
    ASSERT_TRUE(WaitFor([] { return !Frame()->isVisible(); })) << "the main window stays open";
    Shutdown();
    p.exited = true;
    EXPECT_FALSE(QFile::exists(lock));
    // The plan was written back into the vehicle file: read back, the load stands where it was left.
    std::unique_ptr<CFahrzeug> saved =
        LoadFahrzeugFromFile(fs::path(path.toStdString()), 0, nullptr, nullptr, false, nullptr);
    ASSERT_NE(saved, nullptr);
    ASSERT_NE(saved->GetQor(), nullptr);
    ASSERT_EQ(saved->GetQor()->GetLgInfos().size(), 1u);
    const tagLGINFO* load = saved->GetQor()->GetLgInfos().front();
    EXPECT_EQ(load->m_strName, p.loadName);
    EXPECT_NEAR(load->m_dPosX, p.loadX, 1e-6);
    EXPECT_NEAR(load->m_dPosY, p.loadY, 1e-6);
    // No child process (a converter, a mail client) is left running.
    QDir proc(QStringLiteral("/proc"));
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = stat.readAll().split(' ');
        // The parent's id is the fourth field (the name in field two holds no spaces here).
        if (fields.size() > 3) {
            EXPECT_NE(QString::fromLatin1(fields[3]), self)
                << "process " << pid.toStdString() << " still runs";
        }
    }
}

// 7, continued. The same exchange file on the command line opens the import dialog with it as the only
// source; a new start of the program, after the first has ended.
TEST_F(EndToEnd, Step7_TheExchangeFileOnTheCommandLineIsTheImportsOnlySource)
{
    Program& p = P();
    if (!p.exited)
        GTEST_SKIP() << "the first run did not end";
    const QString exchange = p.home + QStringLiteral("/outgoing/Rigid truck 18 t.qorei");
    ASSERT_TRUE(QFile::exists(exchange));
    QStringList sources;
    bool started = false;
    const bool opened = WithModal([&] { started = Launch({exchange}, nullptr); },
                                  [&](QWidget* w) {
                                      auto* dialog = qobject_cast<CDlgImport*>(w);
                                      ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
                                      auto* list = dialog->findChild<QTreeWidget*>(
                                          QStringLiteral("id_%1").arg(CDlgImport::kIdList));
                                      ASSERT_NE(list, nullptr);
                                      for (int i = 0; i < list->topLevelItemCount(); ++i)
                                          sources << list->topLevelItem(i)->text(0);
                                      Shot(QStringLiteral("command-line-import"), dialog);
                                      ClickId(dialog, CDlgBase::kIdCancel);
                                      if (dialog->isVisible())
                                          dialog->reject();
                                  });
    EXPECT_TRUE(opened) << "no import dialog for the exchange file";
    EXPECT_EQ(sources.size(), 1) << sources.join(QLatin1Char('|')).toStdString();
    if (!sources.isEmpty()) {
        EXPECT_TRUE(sources.first().endsWith(QStringLiteral("Rigid truck 18 t.qorei")))
            << sources.first().toStdString();
    }
    if (started) {
        Frame()->close();
        WaitFor([] { return !Frame()->isVisible(); });
    }
    Shutdown();
}
