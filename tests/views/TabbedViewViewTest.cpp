// The tabbed view host: its tabs, the leave query before a tab change, the splitter rows and the view
// half of the document.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/views/C3DStandIn.h"
#include "tests/support/views/CLgSicherungStandIn.h"
#include "tests/support/views/StandInViews.h"
#include "views/CDummyView.h"
#include "views/CViewsDocumentHost.h"

#include "ui/CXTPTabControlMM.h"

#include "model/document/CQOR1Doc.h"

#include <QDir>
#include <QSplitter>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

class TabbedViewViewTest : public ::testing::Test
{
protected:
    TabbedViewViewTest()
        : m_host(&m_doc, [this](int kind, CQOR1Doc* pDoc) -> CGetAnsView* {
              auto* probe = new ProbeView(pDoc, &m_log);
              // The views of one window share the program run, as the program's do.
              probe->SetProgramRun(&m_run);
              m_probes[kind] = probe;
              return probe;
          })
    {
        m_shell.m_pHost = &m_host;
        m_host.SetProgramRun(&m_run);
        m_host.resize(800, 600);
        m_host.show();
    }

    ProbeView* Probe(int kind) { return m_probes[kind]; }
    int SplitterTab() const { return m_host.FindTabOfKind(CTabbedViewView::kSplitterTabKind); }
    // The views' document notifications with code 2 (a tab change), as (kind, tab).
    std::vector<std::pair<int, int>> TabChangeNotes() const
    {
        std::vector<std::pair<int, int>> notes;
        for (const NotifyCall& c : m_log)
            if (c.nCode == -2)
                notes.emplace_back(c.nKind, c.nValue);
        return notes;
    }

    EnglishModule m_module;
    ProgramRun m_run;
    ScriptedViewShell m_shell{m_run};
    CQOR1Doc m_doc;
    std::vector<NotifyCall> m_log;
    ProbeView* m_probes[4] = {};
    CTabbedViewView m_host;
};

TEST_F(TabbedViewViewTest, FourViewTabsAndTheSplitterTabInTheirOrder)
{
    ASSERT_EQ(m_host.GetTabCount(), 5);
    const int kinds[] = {0, 1, 2, CTabbedViewView::kSplitterTabKind, 3};
    const char* titles[] = {"Vehicle", "Loading plan", "Load securing", "Split view", "3D view"};
    for (int tab = 0; tab < 5; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_EQ(m_host.GetTabKind(tab), kinds[tab]);
        EXPECT_EQ(m_host.GetTabBar()->tabText(tab).toStdString(), titles[tab]);
    }
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(m_host.GetView(kind)->m_eView, kind);
        EXPECT_EQ(m_host.FindTabOfWnd(m_host.GetView(kind)), m_host.FindTabOfKind(kind));
    }
    EXPECT_EQ(m_host.GetSelectedTab(), 0);
    EXPECT_EQ(m_host.GetSelectedView(), Probe(0));
    EXPECT_EQ(m_host.GetRowKind(0), 0);
    EXPECT_EQ(m_host.GetRowKind(1), 1);
    // The stand-ins of the splitter panes and the spare.
    for (int kind = 4; kind <= 6; ++kind)
        EXPECT_NE(dynamic_cast<CDummyView*>(m_host.GetView(kind)), nullptr) << kind;
    EXPECT_EQ(m_host.GetSplitter()->count(), 2);
}

TEST_F(TabbedViewViewTest, DefaultFactoryGivesTheStandInsOfTheLaterViews)
{
    CTabbedViewView host(&m_doc, MakeStandInView);
    EXPECT_NE(dynamic_cast<CLgSicherungStandIn*>(host.GetView(2)), nullptr);
    EXPECT_NE(dynamic_cast<C3DStandIn*>(host.GetView(3)), nullptr);
    EXPECT_EQ(host.GetTabCount(), 5);
}

TEST_F(TabbedViewViewTest, AViewThatCannotBeMadeGetsNoTab)
{
    CTabbedViewView host(
        &m_doc, [](int kind, CQOR1Doc* pDoc) { return kind == 2 ? nullptr : MakeStandInView(kind, pDoc); });
    ASSERT_EQ(host.GetTabCount(), 4);
    EXPECT_EQ(host.FindTabOfKind(2), -1);
    EXPECT_EQ(host.FindTabOfKind(3), 3);
    EXPECT_EQ(host.GetTabKind(2), CTabbedViewView::kSplitterTabKind);
}

TEST_F(TabbedViewViewTest, RefusingLeaveQueryKeepsTheOldTabWhicheverWayTheChangeCame)
{
    ASSERT_TRUE(m_host.SelectTab(2));
    Probe(1)->m_nRefuseReason = 2;
    Probe(1)->m_strRefusal = "The plan is being edited.";
    m_log.clear();
    m_shell.m_calls.clear();

    struct Attempt
    {
        const char* name;
        std::function<void()> act;
    };
    const Attempt attempts[] = {
        {"call", [&] { EXPECT_FALSE(m_host.SelectTab(0)); }},
        {"click",
         [&] {
             QTest::mouseClick(m_host.GetTabBar(), Qt::LeftButton, {},
                               m_host.GetTabBar()->tabRect(4).center());
         }},
        {"key", [&] { QTest::keyClick(m_host.GetTabBar(), Qt::Key_Right); }},
        {"wheel",
         [&] {
             const QPointF at(5, 5);
             QWheelEvent wheel(at, m_host.GetTabBar()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(m_host.GetTabBar(), &wheel);
         }},
    };
    for (const Attempt& attempt : attempts) {
        SCOPED_TRACE(attempt.name);
        const std::size_t asked = Probe(0)->m_leaveQueries.size();
        attempt.act();
        EXPECT_EQ(m_host.GetTabBar()->currentIndex(), 2);
        EXPECT_EQ(m_host.GetSelectedTab(), 2);
        EXPECT_EQ(m_host.GetSelectedView(), Probe(2));
        EXPECT_TRUE(Probe(2)->isVisible());
        // The template view was asked with reason 2 and the tab asked for.
        ASSERT_EQ(Probe(0)->m_leaveQueries.size(), asked + 1);
        EXPECT_EQ(Probe(0)->m_leaveQueries.back().nCode, 2);
    }
    // No side effect: no tab-change note, no ribbon change, no activation.
    EXPECT_TRUE(TabChangeNotes().empty());
    EXPECT_TRUE(m_shell.m_calls.empty());
}

TEST_F(TabbedViewViewTest, AllowedTabChangeTellsTheViewsAndTheShell)
{
    const int splitter = SplitterTab();
    QTest::mouseClick(m_host.GetTabBar(), Qt::LeftButton, {}, m_host.GetTabBar()->tabRect(splitter).center());
    ASSERT_EQ(m_host.GetSelectedTab(), splitter);
    EXPECT_EQ(Probe(2)->m_leaveQueries.back(), (NotifyCall{2, 2, splitter}));
    // Code 2 with the new tab, to the template, plan, 3D and load-securing views in this order.
    const std::vector<std::pair<int, int>> expected = {
        {0, splitter}, {1, splitter}, {3, splitter}, {2, splitter}};
    EXPECT_EQ(TabChangeNotes(), expected);
    EXPECT_TRUE(m_shell.m_bRibbonGroup);
    EXPECT_EQ(m_shell.m_pActive, m_host.GetPaneView(0));

    // No load dialog open: the tabs leave it closed.
    ASSERT_TRUE(m_host.SelectTab(0));
    EXPECT_EQ(m_shell.Count("ShowLoadDialog") + m_shell.Count("HideLoadDialog"), 0);
    // An open one hides with the template view's tab and shows again with it.
    QWidget dialog;
    m_shell.m_pLoadDialog = &dialog;
    ASSERT_TRUE(m_host.SelectTab(4));
    EXPECT_FALSE(m_shell.m_bRibbonGroup);
    EXPECT_EQ(m_shell.m_pActive, Probe(3));
    EXPECT_EQ(m_shell.Count("HideLoadDialog"), 1);
    ASSERT_TRUE(m_host.SelectTab(0));
    EXPECT_EQ(m_shell.Count("ShowLoadDialog"), 1);
    m_shell.m_pLoadDialog = nullptr;
}

TEST_F(TabbedViewViewTest, SplitterTabTakesTheRowViewsOutOfTheirTabsAndGivesThemBack)
{
    ASSERT_TRUE(m_host.SelectTab(SplitterTab()));
    EXPECT_TRUE(m_host.IsSplitterTabSelected());
    EXPECT_EQ(m_host.GetSelectedTabWnd(), m_host.GetSplitter());
    EXPECT_EQ(m_host.GetSelectedView(), nullptr);
    EXPECT_EQ(m_host.GetPaneView(0), Probe(0));
    EXPECT_EQ(m_host.GetPaneView(1), Probe(1));
    EXPECT_TRUE(m_host.GetSplitter()->isAncestorOf(Probe(0)));
    EXPECT_TRUE(m_host.GetSplitter()->isAncestorOf(Probe(1)));
    EXPECT_FALSE(m_host.GetView(4)->isVisible());
    EXPECT_EQ(m_host.GetSplitterPaneOfClass<ProbeView>(), Probe(0));

    ASSERT_TRUE(m_host.SelectTab(1));
    EXPECT_EQ(m_host.GetSelectedView(), Probe(1));
    EXPECT_FALSE(m_host.GetSplitter()->isAncestorOf(Probe(0)));
    EXPECT_EQ(m_host.GetPaneView(0), m_host.GetView(4));
    EXPECT_EQ(m_host.GetPaneView(1), m_host.GetView(5));
    EXPECT_EQ(m_host.GetSplitterPaneOfClass<ProbeView>(), nullptr);
    int row = 0, col = 0;
    EXPECT_EQ(m_host.GetSplitterView(&row, &col), nullptr);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(col, -1);
}

TEST_F(TabbedViewViewTest, ShowViewOutsideTheSplitterTabAnswersFalseAndMovesNothing)
{
    QWidget* parents[4];
    for (int kind = 0; kind < 4; ++kind)
        parents[kind] = Probe(kind)->parentWidget();
    for (int kind : {-1, 0, 1, 2, 3}) {
        SCOPED_TRACE(kind);
        EXPECT_FALSE(m_host.ShowView(kind));
    }
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_EQ(Probe(kind)->parentWidget(), parents[kind]);
    EXPECT_EQ(m_host.GetRowKind(0), 0);
    EXPECT_EQ(m_host.GetRowKind(1), 1);
    EXPECT_EQ(m_shell.Count("SetCurrentView"), 0);
}

TEST_F(TabbedViewViewTest, ShowViewExchangesOrReplacesTheActiveRow)
{
    ASSERT_TRUE(m_host.SelectTab(SplitterTab()));
    Focus(Probe(1));
    int row = -1;
    ASSERT_EQ(m_host.GetSplitterView(&row, nullptr), Probe(1));
    ASSERT_EQ(row, 1);

    // The kind already in the active row: nothing changes.
    EXPECT_TRUE(m_host.ShowView(1));
    EXPECT_EQ(m_host.GetPaneView(0), Probe(0));
    EXPECT_EQ(m_host.GetPaneView(1), Probe(1));

    // -1 exchanges the rows; the view moved into the active row becomes current.
    EXPECT_TRUE(m_host.ShowView(-1));
    EXPECT_EQ(m_host.GetRowKind(0), 1);
    EXPECT_EQ(m_host.GetRowKind(1), 0);
    EXPECT_EQ(m_host.GetPaneView(0), Probe(1));
    EXPECT_EQ(m_host.GetPaneView(1), Probe(0));
    EXPECT_EQ(m_shell.m_pCurrent, Probe(0));

    // Another kind replaces the active row's view, which goes back to its tab.
    Focus(Probe(1));
    EXPECT_TRUE(m_host.ShowView(3));
    EXPECT_EQ(m_host.GetRowKind(0), 3);
    EXPECT_EQ(m_host.GetPaneView(0), Probe(3));
    EXPECT_EQ(m_host.GetPaneView(1), Probe(0));
    EXPECT_FALSE(m_host.GetSplitter()->isAncestorOf(Probe(1)));
    EXPECT_EQ(m_shell.m_pCurrent, Probe(3));

    // The kind of the other row exchanges the rows too.
    Focus(Probe(3));
    EXPECT_TRUE(m_host.ShowView(0));
    EXPECT_EQ(m_host.GetRowKind(0), 0);
    EXPECT_EQ(m_host.GetRowKind(1), 3);

    // Leaving the splitter gives every view its own tab back.
    ASSERT_TRUE(m_host.SelectTab(4));
    EXPECT_EQ(m_host.GetSelectedView(), Probe(3));
    ASSERT_TRUE(m_host.SelectTab(0));
    EXPECT_EQ(m_host.GetSelectedView(), Probe(0));
}

TEST_F(TabbedViewViewTest, ActiveViewInAVisiblePaneAloneGetsTheTwoPixelInset)
{
    ASSERT_TRUE(m_host.SelectTab(SplitterTab()));
    Focus(Probe(0));
    EXPECT_EQ(Probe(0)->ResolveInsets(), QPoint(2, 2));
    EXPECT_EQ(Probe(1)->ResolveInsets(), QPoint(0, 0));
    EXPECT_EQ(Probe(0)->m_rcBorder, QMargins(2, 2, 2, 2));
    EXPECT_EQ(Probe(1)->m_rcBorder, QMargins());
    // The pane's margin is the frame: the view sits 2 pixels inside its pane.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(Probe(0)->geometry().topLeft(), QPoint(2, 2));

    Focus(Probe(1));
    EXPECT_FALSE(Probe(0)->m_bActive);
    EXPECT_EQ(Probe(0)->ResolveInsets(), QPoint(0, 0));
    EXPECT_EQ(Probe(1)->ResolveInsets(), QPoint(2, 2));
    // Insets given are taken as they are.
    EXPECT_EQ(Probe(1)->ResolveInsets(QPoint(3, 5)), QPoint(3, 5));

    // With the lower row hidden only the upper pane counts as visible.
    m_host.SetRowHidden(1, true);
    EXPECT_FALSE(Probe(1)->IsInVisibleSplitterPane());
    EXPECT_EQ(Probe(1)->ResolveInsets(), QPoint(0, 0));
    EXPECT_TRUE(Probe(0)->IsInVisibleSplitterPane());

    // Outside the splitter a focused view is never inset and keeps its place.
    ASSERT_TRUE(m_host.SelectTab(4));
    Focus(Probe(3));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(Probe(3)->ResolveInsets(), QPoint(0, 0));
    EXPECT_EQ(Probe(3)->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(Probe(3)->m_rcBorder, QMargins());
}

TEST_F(TabbedViewViewTest, InsetsMessagePlacesTheStripsByInsetAndEachFurtherOneBeside)
{
    CLgSicherungStandIn* view = nullptr;
    CTabbedViewView host(&m_doc, MakeStandInView);
    view = dynamic_cast<CLgSicherungStandIn*>(host.GetView(2));
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetStripCount(), 3);
    view->PostViewNotify(false, AnsichtMeldung::kRaender, AnsichtWert::Raender(QPoint(2, 2)));
    EXPECT_EQ(view->GetStripRect(0).topLeft(), QPoint(13, 8));
    EXPECT_EQ(view->GetStripRect(1).left(), view->GetStripRect(0).right() + 1 + 10);
    EXPECT_EQ(view->GetStripRect(2).left(), view->GetStripRect(1).right() + 1 + 10);
    view->PostViewNotify(false, AnsichtMeldung::kRaender);
    EXPECT_EQ(view->GetStripRect(0).topLeft(), QPoint(15, 10));
    EXPECT_EQ(dynamic_cast<CPlaceholderView*>(host.GetView(3))->GetStripCount(), 2);
}

TEST_F(TabbedViewViewTest, LeaveQueryAsksThreeViewsInOrderAndJoinsTheirTexts)
{
    Probe(0)->m_nRefuseReason = 7;
    Probe(0)->m_strRefusal = "A;";
    Probe(2)->m_nRefuseReason = 7;
    Probe(2)->m_strRefusal = "C;";
    bool refused = false;
    std::string message;
    EXPECT_FALSE(m_host.CanLeaveViews(VerlassenGrund::kFensterSchliessen, 1, &refused, &message));
    EXPECT_TRUE(refused);
    EXPECT_EQ(message, "A;C;");
    EXPECT_EQ(Probe(1)->m_leaveQueries.size(), 1u);
    EXPECT_TRUE(Probe(3)->m_leaveQueries.empty());
    EXPECT_TRUE(m_host.CanLeaveViews(VerlassenGrund::kAbkoppeln, 1, &refused, &message));
    EXPECT_FALSE(refused);
    EXPECT_EQ(message, "");
}

TEST_F(TabbedViewViewTest, DocumentReachesItsViewsThroughTheViewsHost)
{
    CViewsDocumentHost bridge(&m_host);
    CQOR1Doc doc(&bridge);
    Probe(1)->m_nRefuseReason = 5;
    Probe(1)->m_strRefusal = "Plan busy.";
    bool refused = false;
    std::string message;
    EXPECT_FALSE(doc.CanLeaveViews(VerlassenGrund::kDokumentOeffnen, 1, &refused, &message));
    EXPECT_TRUE(refused);
    EXPECT_NE(message.find("Plan busy."), std::string::npos);

    m_log.clear();
    doc.NotifyViews(DokumentMeldung::kLadeflaecheGeaendert, 0);
    const std::vector<NotifyCall> expected = {{0, -9, 0}, {1, -9, 0}, {3, -9, 0}, {2, -9, 0}};
    EXPECT_EQ(m_log, expected);
}

TEST_F(TabbedViewViewTest, PostViewNotifyAllAsksTheSelectedViewFirstAndStopsAtAnAnswer)
{
    EXPECT_EQ(CTabbedViewView::PostViewNotifyAll(nullptr, false, AnsichtMeldung::kFahrzeugGewechselt), -1);

    ASSERT_TRUE(m_host.SelectTab(4)); // the 3D view's tab
    m_log.clear();
    Probe(1)->m_nAnswerCode = 1;
    Probe(1)->m_nAnswer = 1;
    EXPECT_EQ(CTabbedViewView::PostViewNotifyAll(&m_host, false, AnsichtMeldung::kFahrzeugGewechselt), 1);
    std::vector<int> asked;
    for (const NotifyCall& c : m_log)
        if (c.nCode == 1)
            asked.push_back(c.nKind);
    // The 3D view first, then the template view and the plan view, which ends the walk.
    EXPECT_EQ(asked, (std::vector<int>{3, 0, 1}));

    // Nobody answering: every view once, answer 0.
    m_log.clear();
    EXPECT_EQ(CTabbedViewView::PostViewNotifyAll(&m_host, false, AnsichtMeldung::kDateiGeschrieben), 0);
    EXPECT_EQ(m_log.size(), 4u);

    // With the splitter selected its upper pane is asked first.
    ASSERT_TRUE(m_host.SelectTab(SplitterTab()));
    ASSERT_TRUE(m_host.ShowView(-1));
    m_log.clear();
    CTabbedViewView::PostViewNotifyAll(&m_host, false, AnsichtMeldung::kDateiGeschrieben);
    ASSERT_FALSE(m_log.empty());
    EXPECT_EQ(m_log.front().nKind, 1);
}

TEST_F(TabbedViewViewTest, UpdateSkipsTheSenderAndRedrawsTheOthers)
{
    struct Counting : ProbeView
    {
        using ProbeView::ProbeView;
        void OnUpdate(CGetAnsView* pSender, UpdateHinweis eHinweis) override
        {
            m_updates.push_back({pSender ? pSender->m_eView : -1, int(eHinweis), 0});
        }
        std::vector<NotifyCall> m_updates;
    };
    Counting* views[4] = {};
    CTabbedViewView host(&m_doc, [&](int kind, CQOR1Doc* pDoc) {
        views[kind] = new Counting(pDoc, &m_log);
        return views[kind];
    });
    CViewsDocumentHost bridge(&host);
    bridge.UpdateAllViews(UpdateHinweis::kNeuBerechnet, true);
    EXPECT_TRUE(views[0]->m_updates.empty());
    for (int kind = 1; kind < 4; ++kind)
        EXPECT_EQ(views[kind]->m_updates, (std::vector<NotifyCall>{{0, 55, 0}})) << kind;
    bridge.UpdateAllViews(UpdateHinweis::kNeuZeichnen, false);
    EXPECT_EQ(views[0]->m_updates, (std::vector<NotifyCall>{{-1, 0, 0}}));
}

TEST_F(TabbedViewViewTest, PictureOfTheHostWithItsStandIns)
{
    CTabbedViewView host(&m_doc, MakeStandInView);
    host.resize(900, 560);
    host.show();
    ASSERT_TRUE(host.SelectTab(host.FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
    ASSERT_TRUE(host.ShowView(2));
    Focus(host.GetView(2));
    QCoreApplication::sendPostedEvents();
    const QImage splitter = host.grab().toImage();

    // The load-securing stand-in fills the upper pane inside its 2-pixel frame: white at its centre,
    // its first strip at (15, 10) less the inset.
    CGetAnsView* upper = host.GetView(2);
    ASSERT_EQ(host.GetPaneView(0), upper);
    EXPECT_EQ(upper->m_rcBorder, QMargins(2, 2, 2, 2));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(upper->mapTo(&host, QPoint(0, 0)) - host.GetSplitter()->mapTo(&host, QPoint(0, 0)),
              QPoint(2, 2));
    EXPECT_EQ(dynamic_cast<CPlaceholderView*>(upper)->GetStripRect(0).topLeft(), QPoint(13, 8));
    const QImage picture = upper->RenderFrame();
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() - 5), qRgb(255, 255, 255));

    ASSERT_TRUE(host.SelectTab(0));
    QCoreApplication::sendPostedEvents();
    const QImage tab = host.grab().toImage();

    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/views");
    QDir().mkpath(dir);
    EXPECT_TRUE(splitter.save(dir + QStringLiteral("/host_splitter.png")));
    EXPECT_TRUE(tab.save(dir + QStringLiteral("/host_tab.png")));
}

} // namespace
