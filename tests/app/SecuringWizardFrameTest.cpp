// The load-securing wizard in the running program: the main window it opens over, and every way the
// wizard ends gives the frame its commands and its close box back.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQORRibbonBar.h"
#include "app/RunningProgram.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ISecuringWizard.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/CCmdUI.h"
#include "tests/support/ProgramSandbox.h"
#include "tests/support/RecordingCmdUI.h"
#include "ui/CommandEvent.h"
#include "ui/ProgramRun.h"
#include "ui/ScriptedMessageBoxService.h"
#include "ui/WindowHelpers.h"
#include "views/CTabbedViewView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// New vehicle, new combination, Open, Close and Exit: what must never stay locked.
constexpr int kClose = 33112;
constexpr int kFrameCommands[] = {33124, 644, 33101, kClose, 57665};

class SecuringWizardFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_sandbox.Prepare());
        ASSERT_NO_FATAL_FAILURE(StartProgramAndWait(m_sandbox.Options(), m_program));
        ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr) << "the first start shows the sample truck";
        m_truck = QString::fromStdString(CMainFrame::GetActiveDoc()->GetPathName());
        // The notes before securing were declined earlier in the run.
        ProgramRun::Antworten& antworten = m_program->App().GetProgramRun().GetAntworten();
        antworten.bSicherungsHinweisAus = true;
        antworten.bZurrmittelHinweisAus = true;
    }

    void TearDown() override
    {
        if (m_program) {
            m_program->MainFrame()->close();
            m_program->Exit();
        }
        m_program.reset();
        m_sandbox.RestoreDataHome();
    }

    CMainFrame* Frame() const { return m_program->MainFrame(); }
    CTabbedViewView* Host() const
    {
        CChildFrame* child = Frame()->ActiveChild();
        return child ? child->GetTabbedView() : nullptr;
    }
    CQORLgSicherungView* View() const
    {
        CTabbedViewView* host = Host();
        return host ? dynamic_cast<CQORLgSicherungView*>(host->GetView(CTabbedViewView::kLgSicherung))
                    : nullptr;
    }
    CQOR* Plan() const { return CMainFrame::GetActiveDoc()->GetFahrzeug()->GetQor(); }

    // One Euro pallet on the plan, and the load-securing tab shown.
    void PalletOnThePlan()
    {
        auto* p = new tagLGINFO;
        p->m_strName = "Euro pallet";
        p->m_nNummer = static_cast<int>(Plan()->GetLgInfos().size()) + 1;
        p->m_dLaenge = 1.2;
        p->m_dBreite = 0.8;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = 0.6;
        p->m_dSPBreite = 0.4;
        p->m_dSPHoehe = 0.5;
        p->m_dMasse = 0.5;
        p->m_dSPMasse = 0.5;
        p->m_dPosX = 0.5;
        p->m_dPosY = 0.3;
        Plan()->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        ShowSecuringTab();
    }
    void ShowSecuringTab()
    {
        CTabbedViewView* host = Host();
        ASSERT_TRUE(host);
        host->SelectTab(host->FindTabOfKind(CTabbedViewView::kLgSicherung));
        QCoreApplication::processEvents();
    }

    // "Secure loads" as the view's strip gives it; a unit already formed is taken up again on its result.
    CPshLgSichgWizard* SecureLoads()
    {
        m_boxes.Clear();
        m_boxes.AddAnswer(879);
        View()->OnBefehl(636);
        QCoreApplication::processEvents();
        ISecuringWizard* link = View()->GetWizard();
        return link ? qobject_cast<CPshLgSichgWizard*>(link->Window()) : nullptr;
    }

    // The frame's and the views' answer for a command, as the ribbon's update pass gives it.
    bool Enabled(int id)
    {
        RecordingCmdUI ui;
        ui.m_nID = unsigned(id);
        if (!Frame()->Commands().Update(ui))
            ui.enabled = Frame()->Commands().HasHandler(unsigned(id));
        if (CTabbedViewView* host = Host())
            host->RouteCommand(id, &ui);
        return ui.enabled;
    }
    // Which of the frame's commands, its close box and its options button are held, by name.
    std::string Held()
    {
        std::string held;
        for (int id : kFrameCommands)
            if (!Enabled(id) && !(id == kClose && !CMainFrame::GetActiveDoc())) // nothing to close
                held += std::to_string(id) + " ";
        if (IsSysMenuCloseDisabled(Frame()))
            held += "close-box ";
        if (QWidget* options = Frame()->Ribbon()->Control(802); options && !options->isEnabled())
            held += "802 ";
        return held;
    }
    static bool AnyWizardShown()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<CPshLgSichgWizard*>(w) && w->isVisible())
                return true;
        return false;
    }
    // Lets the wizard's deferred steps run (its closing, its deletion).
    static void Settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    ProgramSandbox m_sandbox;
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<RunningProgram> m_program;
    QString m_truck;
};

} // namespace

TEST_F(SecuringWizardFrameTest, TheWizardOpensOverAMaximisedMainWindowThatStaysMaximised)
{
    PalletOnThePlan();
    Frame()->showMaximized();
    ASSERT_TRUE(ProcessUntil([&] { return Frame()->isMaximized() && Frame()->isVisible(); }));
    const WId frameWindow = Frame()->winId();
    // The main window is never taken off the screen: mapped again, it would come back un-maximised and
    // above the wizard.
    struct HideCount : QObject
    {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Hide ? 1 : 0;
            return false;
        }
    } hides;
    Frame()->installEventFilter(&hides);
    CPshLgSichgWizard* wizard = SecureLoads();
    ASSERT_TRUE(wizard);
    Settle();
    // The main window keeps its state and its native window; the wizard is a dialog of the view, shown
    // for the main window and active.
    EXPECT_TRUE(Frame()->isMaximized());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Frame()->winId(), frameWindow) << "the main window was made anew";
    EXPECT_EQ(hides.n, 0) << "the main window was hidden";
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->isWindow());
    EXPECT_EQ(wizard->windowType(), Qt::Dialog);
    EXPECT_EQ(wizard->parentWidget(), View());
    ASSERT_TRUE(wizard->windowHandle());
    EXPECT_EQ(wizard->windowHandle()->transientParent(), Frame()->windowHandle());
    EXPECT_TRUE(ProcessUntil([&] { return QApplication::activeWindow() == wizard; }));
    EXPECT_TRUE(IsSysMenuCloseDisabled(Frame()));
    EXPECT_FALSE(Frame()->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    // Closed again, the main window is still maximised and has its close box.
    ASSERT_TRUE(wizard->Schliessen());
    Settle();
    EXPECT_TRUE(Frame()->isMaximized());
    EXPECT_EQ(Frame()->winId(), frameWindow);
    EXPECT_EQ(hides.n, 0);
    EXPECT_TRUE(Frame()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(Held(), "");
}

TEST_F(SecuringWizardFrameTest, EscapeClosesTheWizardAndSecureLoadsOpensItAgain)
{
    PalletOnThePlan();
    EXPECT_EQ(Held(), "");
    QPointer<CPshLgSichgWizard> wizard = SecureLoads();
    ASSERT_TRUE(wizard);
    EXPECT_EQ(wizard->GetStartMode(), 0);
    EXPECT_TRUE(wizard->IsFormedUnitStart()) << "the single pallet forms its unit";
    EXPECT_EQ(Held(), "33124 644 33101 33112 57665 close-box 802 ");
    wizard->activateWindow();
    QTest::keyClick(wizard, Qt::Key_Escape);
    Settle();
    EXPECT_TRUE(wizard.isNull()) << "Escape closes the wizard";
    EXPECT_EQ(View()->GetWizard(), nullptr);
    EXPECT_EQ(Held(), "");
    // The unit formed for the pallet stays; "Secure loads" takes it up again.
    ASSERT_EQ(Plan()->GetLadeeinheiten().size(), 1u);
    EXPECT_EQ(Plan()->GetLadeeinheiten().front()->m_bVorhanden, 1);
    wizard = SecureLoads();
    ASSERT_TRUE(wizard);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->GetStartMode(), 3);
    EXPECT_EQ(Held(), "33124 644 33101 33112 57665 close-box 802 ");
    ASSERT_TRUE(wizard->Schliessen());
    Settle();
    EXPECT_EQ(Held(), "");
}

TEST_F(SecuringWizardFrameTest, NoWayOfEndingTheWizardLeavesTheFrameHeld)
{
    PalletOnThePlan();
    struct Way
    {
        const char* name;
        std::function<void(CPshLgSichgWizard*)> end;
    };
    const Way ways[] = {
        {"Close button",
         [](CPshLgSichgWizard* w) {
             CommandEvent close(CPshLgSichgWizard::kIdClose);
             QCoreApplication::sendEvent(w, &close);
         }},
        {"Escape", [](CPshLgSichgWizard* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"the window's close box",
         [](CPshLgSichgWizard* w) {
             QCloseEvent close;
             QCoreApplication::sendEvent(w->windowHandle(), &close);
         }},
        {"discarded and saved",
         [this](CPshLgSichgWizard* w) {
             // The plan's only unit is worked on as secured (mode 2): its Close asks, "Discard" saves.
             ASSERT_EQ(w->GetStartMode(), 2);
             m_boxes.Clear();
             m_boxes.AddAnswer(668);
             CommandEvent close(CPshLgSichgWizard::kIdClose);
             QCoreApplication::sendEvent(w, &close);
         }},
        {"another tab, then Escape",
         [&](CPshLgSichgWizard* w) {
             // Another tab leaves the wizard on the screen, still holding the frame.
             Host()->SelectTab(Host()->FindTabOfKind(CTabbedViewView::kTemplate));
             QCoreApplication::processEvents();
             EXPECT_TRUE(w->isVisible());
             EXPECT_NE(Held(), "");
             QTest::keyClick(w, Qt::Key_Escape);
         }},
        {"the view told its trailer went",
         [this](CPshLgSichgWizard*) { View()->OnFrameNotify(DokumentMeldung::kAbgekoppelt, 3); }},
        {"the document's window gone",
         [this](CPshLgSichgWizard* w) {
             // Closing the document is refused while the wizard is open, which stays on the screen.
             EXPECT_FALSE(Frame()->CloseActiveChild());
             EXPECT_TRUE(w->isVisible());
             EXPECT_NE(Held(), "");
             // The window going regardless takes the view and its wizard along.
             delete Frame()->ActiveChild();
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (!CMainFrame::GetActiveDoc()) {
            ASSERT_TRUE(Frame()->OpenFile(m_truck, -1, false));
        }
        ShowSecuringTab();
        if (std::string(way.name) == "discarded and saved") {
            // Every load in the unit and none active: the wizard starts on the secured unit.
            Plan()->m_nAktiveLadeeinheit = 0;
            for (CLadeeinheit* le : Plan()->GetLadeeinheiten())
                le->m_bVorhanden = 1;
        }
        QPointer<CPshLgSichgWizard> wizard = SecureLoads();
        ASSERT_TRUE(wizard);
        ASSERT_TRUE(wizard->isVisible());
        EXPECT_NE(Held(), "");
        way.end(wizard);
        Settle();
        // Whatever the frame still holds, a wizard is there to end it.
        EXPECT_TRUE(wizard.isNull());
        EXPECT_FALSE(AnyWizardShown());
        EXPECT_EQ(Held(), "");
    }
}
