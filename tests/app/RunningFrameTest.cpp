// The main window of the program started in process, with an OpenGL probe that answers from a script:
// the view group on the ribbon's tabs, the command-bar layout kept between runs, and 3D started from its
// settings after a start without it.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "app/MainRibbonLayout.h"
#include "app/RunningProgram.h"
#include "model/document/CQOR1Doc.h"
#include "platform/MenuResource.h"
#include "platform/SystemInfo.h"
#include "platform/ribbon/QuickAccessBar.h"
#include "platform/ribbon/RibbonCustomizeSheet.h"
#include "tests/support/ProgramSandbox.h"
#include "ui/Render3DServices.h"
#include "ui/ScriptedMessageBoxService.h"
#include "view3d/Render3DServiceProvider.h"
#include "view3d/Settings3DRecord.h"
#include "views/CTabbedViewView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

// The program's 3D services with the settings dialog and the trial of a record answered from a script.
class ScriptedSettings3D : public IRender3DServices
{
public:
    explicit ScriptedSettings3D(IRender3DServices& real) : m_real(real) {}

    void InitTextureManager(int capacity) override { m_real.InitTextureManager(capacity); }
    int InitModellCache() override { return m_real.InitModellCache(); }
    int GetModell(int number) override { return m_real.GetModell(number); }
    int ReleaseModellCache() override { return m_real.ReleaseModellCache(); }
    int InitDirectInput(QWidget* window, unsigned flags) override
    {
        return m_real.InitDirectInput(window, flags);
    }
    void ReleaseDirectInput() override { m_real.ReleaseDirectInput(); }
    int ShowD3DSettingsDialog(GlSettingsRecord* record, bool, QWidget*) override
    {
        ++dialogs;
        if (dialogAnswer == 0)
            *record = chosen;
        return dialogAnswer;
    }
    bool TrySettings3D(const GlSettingsRecord&) override { return tryWorks; }

    GlSettingsRecord chosen = GlSettings::Make(1280, 1024, 60, 4);
    int dialogAnswer = 0;
    bool tryWorks = true;
    int dialogs = 0;

private:
    IRender3DServices& m_real;
};

class RunningFrameTest : public ::testing::Test
{
protected:
    void SetUp() override { Prepare(); }

    // A fresh program folder, settings and data folders: the next start is a first one.
    void Prepare()
    {
        m_sandbox = std::make_unique<ProgramSandbox>();
        ASSERT_NO_FATAL_FAILURE(m_sandbox->Prepare());
    }

    void TearDown() override { Stop(); }

    void Stop()
    {
        if (m_program) {
            m_program->App().GetProgramRun().Install<IRender3DServices>(&m_program->Services3D());
            m_program->MainFrame()->close();
            m_program->Exit();
        }
        m_program.reset();
        m_sandbox->RestoreDataHome();
    }

    // Starts the program the way main() does; the probe answers `probes` in turn (the last one again
    // when they run out) and notes the record file it was handed.
    void Start(std::deque<GlProbeResult::Status> probes, bool firstStart = true)
    {
        m_probes = std::move(probes);
        CQOR2App::Options options = m_sandbox->Options();
        options.probe = [this](const QString& recordFile) {
            GlProbeResult result;
            result.status = m_probes.front();
            if (m_probes.size() > 1)
                m_probes.pop_front();
            result.refreshRate = 50.0;
            result.fromSavedRecord = QFile::exists(recordFile);
            m_probed.push_back(recordFile);
            return result;
        };
        ASSERT_NO_FATAL_FAILURE(StartProgramAndWait(options, m_program));
        QCoreApplication::processEvents(); // 0x8099 follows the after-start message
        if (!firstStart)
            return;
        // The first start shows the sample truck.
        ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr);
        m_truck = QString::fromStdString(CMainFrame::GetActiveDoc()->GetPathName());
    }

    // Closes the program as the user does and starts it again on the same folders.
    void Restart()
    {
        Stop();
        m_sandbox->UseDataHome();
        Start({GlProbeResult::Status::Ok}, false);
    }

    CMainFrame* Frame() const { return m_program->MainFrame(); }
    CTabbedViewView* Host() const { return Frame()->ActiveChild()->GetTabbedView(); }
    bool HasViewGroup() const { return Frame()->Ribbon()->Group(MainRibbonLayout::kViewGroup) != nullptr; }
    QString RecordFile() const { return GetUserDataPath(QStringLiteral("Direct3D.tbc")); }

    std::unique_ptr<ProgramSandbox> m_sandbox;
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<RunningProgram> m_program;
    std::deque<GlProbeResult::Status> m_probes;
    std::vector<QString> m_probed;
    QString m_truck;
};

} // namespace

TEST_F(RunningFrameTest, TheViewGroupFollowsTheDividedViewOnTheTabThatOwnsIt)
{
    Start({GlProbeResult::Status::Ok});
    QTabBar* tabs = Frame()->Ribbon()->Tabs();
    const int second = Frame()->Ribbon()->AddTab(QStringLiteral("Second"));
    ASSERT_EQ(tabs->currentIndex(), MainRibbonLayout::kViewGroupTab);
    const int split = Host()->FindTabOfKind(CTabbedViewView::kSplitterTabKind);
    const int plan = Host()->FindTabOfKind(CTabbedViewView::kPlan);
    ASSERT_GE(split, 0);
    ASSERT_GE(plan, 0);

    struct Step
    {
        const char* what;
        int ribbonTab; // -1: the ribbon stays
        int viewTab;   // -1: the child stays
        bool group;
    };
    const Step steps[] = {
        {"the divided view", -1, split, true},
        {"another ribbon tab", second, -1, false},
        {"back to the owning tab", MainRibbonLayout::kViewGroupTab, -1, true},
        {"another ribbon tab again", second, -1, false},
        {"the plan while the other tab shows", -1, plan, false},
        {"the divided view while the other tab shows", -1, split, false},
        {"back to the owning tab", MainRibbonLayout::kViewGroupTab, -1, true},
        {"the plan", -1, plan, false},
        {"to the other tab and back with the plan shown", second, -1, false},
        {"back to the owning tab, the plan shown", MainRibbonLayout::kViewGroupTab, -1, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.ribbonTab >= 0)
            tabs->setCurrentIndex(s.ribbonTab);
        if (s.viewTab >= 0) {
            ASSERT_TRUE(Host()->SelectTab(s.viewTab));
        }
        EXPECT_EQ(HasViewGroup(), s.group);
    }
}

TEST_F(RunningFrameTest, WithoutADocumentTheRibbonTabsLeaveTheViewGroupAlone)
{
    Start({GlProbeResult::Status::Ok});
    const int second = Frame()->Ribbon()->AddTab(QStringLiteral("Second"));
    ASSERT_TRUE(Frame()->CloseActiveChild(true));
    QCoreApplication::processEvents();
    ASSERT_FALSE(HasViewGroup());
    Frame()->Ribbon()->Tabs()->setCurrentIndex(second);
    Frame()->Ribbon()->Tabs()->setCurrentIndex(MainRibbonLayout::kViewGroupTab);
    EXPECT_FALSE(HasViewGroup());
}

TEST_F(RunningFrameTest, TheMinimisedRibbonIsKeptUntilTheNextStart)
{
    Start({GlProbeResult::Status::Ok});
    EXPECT_FALSE(Frame()->Ribbon()->IsMinimized());
    emit Frame()->Ribbon()->Tabs()->tabBarDoubleClicked(0);
    ASSERT_TRUE(Frame()->Ribbon()->IsMinimized());
    Restart();
    EXPECT_TRUE(Frame()->Ribbon()->IsMinimized());
    emit Frame()->Ribbon()->Tabs()->tabBarDoubleClicked(0);
    Restart();
    EXPECT_FALSE(Frame()->Ribbon()->IsMinimized());
}

TEST_F(RunningFrameTest, ADamagedOrForeignSavedLayoutStartsWithTheDefaults)
{
    const QVariant faelle[] = {
        QByteArray("\x51\x52\x4c"),                                 // cut short
        QByteArray(64, '\xff'),                                     // damaged
        QVariant(QStringLiteral("<CommandBars minimized=\"1\"/>")), // another program's text
        QVariant(1),                                                // a number
        QVariant(QStringList{QStringLiteral("1"), QStringLiteral("2")}),
    };
    Start({GlProbeResult::Status::Ok});
    for (const QVariant& saved : faelle) {
        SCOPED_TRACE(saved.toString().toStdString());
        emit Frame()->Ribbon()->Tabs()->tabBarDoubleClicked(0);
        ASSERT_TRUE(Frame()->Ribbon()->IsMinimized());
        Stop();
        QSettings().setValue(QStringLiteral("CommandBars/Layout"), saved);
        m_sandbox->UseDataHome();
        Start({GlProbeResult::Status::Ok}, false);
        EXPECT_FALSE(Frame()->Ribbon()->IsMinimized());
        EXPECT_TRUE(Frame()->Ribbon()->QuickAccessCommands().isEmpty());
        EXPECT_TRUE(Frame()->Ribbon()->Keys().IsDefault());
        EXPECT_EQ(Frame()->Ribbon()->Keys().CommandOf(QKeySequence(Qt::CTRL | Qt::Key_O)), 33101);
    }
}

TEST_F(RunningFrameTest, QuickAccessAndKeysChosenInTheCustomiseSheetWorkAndSurviveARestart)
{
    const QKeySequence key(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
    int opened = 0;
    CMainFrame::SetCustomizeRunner([&](RibbonCustomizeSheet& sheet) {
        ++opened;
        EXPECT_EQ(sheet.Pages()->currentIndex(), RibbonCustomizeSheet::kOptionsPage);
        QStringList names;
        for (const RibbonCustomizeSheet::Category& category : sheet.Categories())
            names << category.name;
        // The popups of the main menu, then the ribbon's groups ("File" is both).
        EXPECT_EQ(names, (QStringList{QStringLiteral("File"), QStringLiteral("Options"),
                                      QStringLiteral("Work on"), QStringLiteral("Vehicle"),
                                      QStringLiteral("Views"), QStringLiteral("All commands")}));
        const QList<int> all = sheet.Categories().constLast().commands;
        for (int id : {33101, 57665, 33338, 9607, 633, 531, 33128, 119})
            EXPECT_TRUE(all.contains(id)) << id;
        for (int id : {130, 802, 33271, 1400}) // the combo, a pure popup, a heading, a language
            EXPECT_FALSE(all.contains(id)) << id;
        if (opened > 1)
            return int(QDialog::Rejected);
        sheet.AddToQuickAccess(33101);
        sheet.AddToQuickAccess(33338);
        sheet.SelectCategory(RibbonCustomizeSheet::kKeyboardPage,
                             int(names.indexOf(QStringLiteral("Options"))));
        sheet.SelectCommand(RibbonCustomizeSheet::kKeyboardPage, 33338);
        sheet.SetPendingKey(key);
        EXPECT_TRUE(sheet.AssignPendingKey());
        sheet.findChild<QCheckBox*>(QStringLiteral("optionBelow"))->click();
        sheet.findChild<QPushButton*>(QStringLiteral("customizeOk"))->click();
        return sheet.result();
    });
    Start({GlProbeResult::Status::Ok});
    CQORRibbonBar* ribbon = Frame()->Ribbon();

    // The sheet is reached from the options popup and from the quick access toolbar's menu.
    QAction* fromOptions = nullptr;
    for (QAction* action : MainRibbonLayout::OptionsPopup(ribbon)->actions()) {
        if (MenuResource::CommandOf(action) == MainRibbonLayout::kCustomize)
            fromOptions = action;
    }
    ASSERT_NE(fromOptions, nullptr);
    fromOptions->trigger();
    ASSERT_EQ(opened, 1);
    ribbon->QuickAccess()->Menu()->actions().constLast()->trigger();
    EXPECT_EQ(opened, 2);

    // The choices are at work in the window: the bar's buttons run their commands, the key its own.
    EXPECT_EQ(ribbon->QuickAccessCommands(), (QList<int>{33101, 33338}));
    EXPECT_TRUE(ribbon->IsQuickAccessBelow());
    auto deleteByKey = [&] {
        QFile record(RecordFile());
        QDir().mkpath(QFileInfo(RecordFile()).path());
        ASSERT_TRUE(record.open(QIODevice::WriteOnly));
        record.write(QByteArray(72, '\0'));
        record.close();
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        m_boxes.Clear();
        QTest::keyClick(Frame(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(QFile::exists(RecordFile()));
        EXPECT_EQ(m_boxes.Records().size(), 1);
    };
    deleteByKey();
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(ribbon->QuickAccess()->Button(33101)->isEnabled());

    Restart();
    ribbon = Frame()->Ribbon();
    EXPECT_EQ(ribbon->QuickAccessCommands(), (QList<int>{33101, 33338}));
    EXPECT_TRUE(ribbon->IsQuickAccessBelow());
    EXPECT_EQ(ribbon->Keys().CommandOf(key), 33338);
    deleteByKey();
    CMainFrame::SetCustomizeRunner({});
}

TEST_F(RunningFrameTest, AKeyRunsItsCommandOnlyWhileTheCommandIsEnabled)
{
    Start({GlProbeResult::Status::Ok});
    ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr);
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    // Ctrl+W closes the open vehicle; without one it is disabled and does nothing.
    QTest::keyClick(Frame(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(ProcessUntil([&] { return CMainFrame::GetActiveDoc() == nullptr; }));
    EXPECT_FALSE(Frame()->RunKeyCommand(33112));
    // The system popup shows the keys of the key table.
    KeyBindings keys = Frame()->Ribbon()->Keys();
    ASSERT_TRUE(keys.Unbind(33112, QKeySequence(Qt::CTRL | Qt::Key_W)));
    keys.Bind(33112, QKeySequence(Qt::Key_F9));
    ASSERT_TRUE(Frame()->Ribbon()->SetKeyBindings(keys.Bindings()));
    int shown = 0;
    for (QAction* action : Frame()->Ribbon()->SystemPopup()->actions()) {
        if (MenuResource::CommandOf(action) == 33112) {
            EXPECT_EQ(action->text(), QStringLiteral("Close\tF9"));
            ++shown;
        }
    }
    EXPECT_EQ(shown, 1);
}

TEST_F(RunningFrameTest, EveryKeyOfTheKeyTableBelongsToOneActionOfTheWindow)
{
    // Two actions of the window with one key make it ambiguous, and then neither runs: the menus'
    // items, the child window's system menu and the key table must not share keys.
    Start({GlProbeResult::Status::Ok});
    ASSERT_NE(Frame()->ActiveChild(), nullptr);
    QList<QAction*> actions = Frame()->findChildren<QAction*>();
    for (QMenu* menu : Frame()->findChildren<QMenu*>())
        actions += menu->actions();
    std::map<QString, std::set<QAction*>> owners;
    for (QAction* action : actions) {
        for (const QKeySequence& key : action->shortcuts())
            owners[key.toString(QKeySequence::PortableText)].insert(action);
    }
    const QList<KeyBindings::Binding>& table = Frame()->Ribbon()->Keys().Bindings();
    ASSERT_GE(table.size(), 6);
    for (const KeyBindings::Binding& binding : table) {
        const QString key = binding.key.toString(QKeySequence::PortableText);
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(owners[key].size(), 1u);
    }
}

TEST_F(RunningFrameTest, TheSettingsStart3DAtOnceAfterAStartWithoutIt)
{
    struct Fall
    {
        const char* what;
        bool message8099;   // through the question of 0x8099, else the command 33269
        int dialogAnswer;   // 0 OK, 2 Cancel
        bool tryWorks;      // the trial of the chosen settings
        int question;       // answer to closing the open window
        bool secondProbeOk; // the probe with the chosen record
        bool started;
        bool closed; // the window was closed (and opened again)
        int probes;  // how often the probe ran in all
    };
    const Fall faelle[] = {
        {"the command, all agreed", false, 0, true, IMessageBoxService::kYes, true, true, true, 2},
        {"the question of 0x8099, all agreed", true, 0, true, IMessageBoxService::kYes, true, true, true, 2},
        {"the settings cancelled", false, 2, true, IMessageBoxService::kYes, true, false, false, 1},
        {"settings the driver refuses", false, 0, false, IMessageBoxService::kYes, true, false, false, 1},
        {"closing the window refused", false, 0, true, IMessageBoxService::kNo, true, false, false, 1},
        {"no context with the chosen settings", false, 0, true, IMessageBoxService::kYes, false, false, true,
         2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.what);
        m_boxes.Clear();
        m_boxes.AddAnswer(IMessageBoxService::kOk); // 3D not available at start
        m_boxes.AddAnswer(IMessageBoxService::kNo); // 0x8099: not now
        Start({GlProbeResult::Status::NoContext,
               f.secondProbeOk ? GlProbeResult::Status::Ok : GlProbeResult::Status::NoContext});
        ASSERT_TRUE(m_program->App().Is3DUnavailable());
        ASSERT_EQ(m_boxes.Records().size(), 2);
        ASSERT_FALSE(QFile::exists(RecordFile()));

        ScriptedSettings3D services(m_program->Services3D());
        services.dialogAnswer = f.dialogAnswer;
        services.tryWorks = f.tryWorks;
        m_program->App().GetProgramRun().Install<IRender3DServices>(&services);
        const QPointer<CChildFrame> before = Frame()->ActiveChild();
        m_boxes.Clear();
        if (f.message8099)
            m_boxes.AddAnswer(IMessageBoxService::kYes);
        m_boxes.AddAnswer(f.question);
        if (f.message8099) {
            QEvent unavailable(QEvent::Type(0x8099));
            QCoreApplication::sendEvent(Frame(), &unavailable);
        } else {
            ASSERT_TRUE(Frame()->OnCommand(33269));
        }
        QCoreApplication::processEvents();

        EXPECT_EQ(services.dialogs, 1);
        EXPECT_EQ(int(m_probed.size()), f.probes);
        EXPECT_EQ(m_program->App().Is3DUnavailable(), !f.started);
        // The chosen settings are kept only when 3D started with them.
        GlSettingsRecord saved{};
        EXPECT_EQ(Settings3DRecord::Load(RecordFile(), &saved), f.started);
        if (f.started) {
            EXPECT_EQ(saved, services.chosen);
        }
        // The window closed for the restart comes back with the same file; otherwise it stayed.
        ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr);
        EXPECT_EQ(QString::fromStdString(CMainFrame::GetActiveDoc()->GetPathName()), m_truck);
        EXPECT_EQ(before.isNull() || before != Frame()->ActiveChild(), f.closed);

        QStringList captions;
        for (const auto& r : m_boxes.Records())
            captions << r.caption;
        QStringList expected;
        if (f.message8099)
            expected << QStringLiteral("3D view not available");
        if (f.dialogAnswer == 0 && f.tryWorks)
            expected << QStringLiteral("Start the 3D view");
        if (f.closed)
            expected << (f.started ? QStringLiteral("3D settings") : QStringLiteral("3D view not available"));
        EXPECT_EQ(captions, expected);

        m_program->App().GetProgramRun().Install<IRender3DServices>(&m_program->Services3D());
        Stop();
        m_probed.clear();
        Prepare();
    }
}
