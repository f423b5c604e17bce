// The view base: deferred and direct notifications, the focus, the back buffer and the scroll sizes,
// and the defaults and fakes of the views' seams.
#include "ViewSeamFakes.h"
#include "ViewTestSupport.h"

#include "tests/support/views/CLgSicherungStandIn.h"
#include "tests/support/views/StandInViews.h"
#include "views/CDummyView.h"
#include "views/CQOR1View.h"
#include "views/CStillAnimation.h"
#include "views/ViewNotifyEvent.h"

#include "draw2d/CMemBm.h"
#include "model/document/CQOR1Doc.h"
#include "platform/CCmdUI.h"

#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

TEST(ViewNotifyTest, DeferredNotificationArrivesOnlyWhenTheEventLoopRunsAndAnswersZero)
{
    std::vector<NotifyCall> log;
    ProbeView view(nullptr, &log);
    view.m_eView = 1;
    view.m_nAnswerCode = 52;
    view.m_nAnswer = 7;

    EXPECT_EQ(view.PostViewNotify(true, AnsichtMeldung::kNutzflaecheBearbeitet, AnsichtWert::Zahl(1)), 0);
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents(&view, ViewNotifyEvent::kMessage);
    EXPECT_EQ(log, (std::vector<NotifyCall>{{1, 52, 1}}));

    // A direct one answers what the view returns, at once.
    EXPECT_EQ(view.PostViewNotify(false, AnsichtMeldung::kNutzflaecheBearbeitet), 7);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(view.PostViewNotify(false, AnsichtMeldung::kDateiGeschrieben), 0);

    // The insets travel with a deferred message as they were given.
    view.PostViewNotify(true, AnsichtMeldung::kRaender, AnsichtWert::Raender(QPoint(3, 5)));
    QCoreApplication::sendPostedEvents(&view, ViewNotifyEvent::kMessage);
    EXPECT_EQ(view.GetLastInsets(), QPoint(3, 5));
}

TEST(ViewNotifyTest, DeferredNotificationToADestroyedViewIsDropped)
{
    std::vector<NotifyCall> log;
    auto* view = new ProbeView(nullptr, &log);
    view->PostViewNotify(true, AnsichtMeldung::kFahrzeugGewechselt);
    delete view;
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(log.empty());
}

TEST(ViewNotifyTest, FocusMovesTheActiveViewAndItsDestructionClearsIt)
{
    std::vector<NotifyCall> log;
    ProgramRun run;
    const auto make = [&] {
        auto* view = new ProbeView(nullptr, &log);
        view->SetProgramRun(&run);
        return view;
    };
    ProbeView* first = make();
    std::unique_ptr<ProbeView> second(make());
    Focus(first);
    EXPECT_EQ(run.GetAktiveAnsicht(), first);
    EXPECT_TRUE(first->m_bActive);
    Focus(second.get());
    EXPECT_EQ(run.GetAktiveAnsicht(), second.get());
    EXPECT_FALSE(first->m_bActive);
    EXPECT_TRUE(second->m_bActive);
    delete first;
    EXPECT_EQ(run.GetAktiveAnsicht(), second.get());
    Focus(first = make());
    EXPECT_FALSE(second->m_bActive);
    delete first;
    EXPECT_EQ(run.GetAktiveAnsicht(), nullptr);

    // Views of another run keep their own active view: focus there leaves this run's as it is.
    ProgramRun other;
    ProbeView stranger(nullptr, &log);
    stranger.SetProgramRun(&other);
    Focus(second.get());
    Focus(&stranger);
    EXPECT_TRUE(second->m_bActive);
    EXPECT_TRUE(stranger.m_bActive);
    EXPECT_EQ(run.GetAktiveAnsicht(), second.get());
    EXPECT_EQ(other.GetAktiveAnsicht(), &stranger);
}

TEST(ViewNotifyTest, BaseAnswersNothingAndNeedsNoHost)
{
    CDummyView view;
    EXPECT_EQ(view.m_eView, -1);
    EXPECT_EQ(view.OnViewNotify(AnsichtMeldung::kFahrzeugGewechselt, {}), 0);
    EXPECT_EQ(view.MetresToPixels(2.0), 0);
    EXPECT_EQ(view.PixelsToMetres(20), 0.0);
    std::string message = "x";
    EXPECT_FALSE(view.CanLeave(VerlassenGrund::kTabWechseln, 1, &message));
    EXPECT_EQ(message, "x");
    EXPECT_FALSE(view.IsInVisibleSplitterPane());
    EXPECT_FALSE(view.IsSelectedTabView());
    EXPECT_EQ(view.GetPlanOriginX(), 0);
    EXPECT_EQ(view.ResolveInsets(), QPoint(0, 0));
}

TEST(ViewNotifyTest, CommandNeedsAPlanOfTheVehicleWorkedOn)
{
    CDummyView view;
    CCmdUI cmd;
    EXPECT_TRUE(view.UpdateCmdUIHasPlan(&cmd));
    CQOR1Doc doc;
    view.SetDocument(&doc);
    EXPECT_TRUE(view.UpdateCmdUIHasPlan(&cmd));
}

// Draws a black square at (10, 10) of the scrolled area and an overlay figure at the window's corner.
class SquareView : public CGetAnsView
{
public:
    using CGetAnsView::CGetAnsView;

protected:
    void OnDraw(QPainter& painter) override { painter.fillRect(QRect(10, 10, 20, 20), Qt::black); }
    void DrawOverlay(QPainter& painter) override
    {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(0, 0, 4, 4), Qt::white);
    }
};

TEST(ViewNotifyTest, PictureIsWhiteBehindTheDrawingScrolledAndOverlaidByRasterOperations)
{
    SquareView view;
    view.resize(200, 100);
    view.SetScrollSizes(QSize(1000, 500), QSize(300, 150), QSize(30, 15));
    EXPECT_EQ(view.horizontalScrollBar()->pageStep(), 300);
    EXPECT_EQ(view.verticalScrollBar()->singleStep(), 15);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 1000 - view.viewport()->width());

    const QImage still = view.RenderPicture(QSize(50, 50));
    EXPECT_EQ(still.format(), QImage::Format_RGB32);
    EXPECT_EQ(still.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(still.pixel(15, 15), qRgb(0, 0, 0));

    view.horizontalScrollBar()->setValue(10);
    const QImage scrolled = view.RenderPicture(QSize(50, 50));
    EXPECT_EQ(scrolled.pixel(5, 15), qRgb(0, 0, 0));
    EXPECT_EQ(scrolled.pixel(25, 15), qRgb(255, 255, 255));

    // The overlay inverts what lies below it in the composed frame.
    const QImage frame = view.RenderFrame();
    EXPECT_EQ(frame.size(), view.viewport()->size());
    EXPECT_EQ(frame.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(frame.pixel(5, 5), qRgb(255, 255, 255));

    // Default page and line sizes: a tenth of the total, and a tenth of that.
    view.SetScrollSizes(QSize(1000, 500));
    EXPECT_EQ(view.horizontalScrollBar()->pageStep(), 100);
    EXPECT_EQ(view.verticalScrollBar()->singleStep(), 5);
    CDummyView dummy;
    dummy.OnInitialUpdate();
    EXPECT_EQ(dummy.GetTotalSize(), QSize(0, 0));
}

TEST(ViewNotifyTest, LoadSecuringStandInTurnsCodesIntoItsOwn)
{
    CTabbedViewView host(nullptr, MakeStandInView);
    auto* view = dynamic_cast<CLgSicherungStandIn*>(host.GetView(2));
    ASSERT_NE(view, nullptr);
    struct Case
    {
        AnsichtMeldung eMeldung;
        int nOwn;
    };
    for (const Case c :
         {Case{AnsichtMeldung::kDateiWirdGeschrieben, 65}, Case{AnsichtMeldung::kDateiGeschrieben, 66},
          Case{AnsichtMeldung::kNutzflaecheBearbeitet, 52}}) {
        SCOPED_TRACE(c.nOwn);
        EXPECT_EQ(view->PostViewNotify(false, c.eMeldung, AnsichtWert::Zahl(1)), 0);
        EXPECT_EQ(view->GetLastOwnCode(), c.nOwn);
    }
    EXPECT_EQ(view->PostViewNotify(false, AnsichtMeldung::kFahrzeugGewechselt), 0);
    EXPECT_EQ(view->GetRefreshSteps(), 2);
    EXPECT_FALSE(view->CanLeave(VerlassenGrund::kTabWechseln, 0, nullptr));
}

TEST(ViewSeamsTest, DefaultsCancelAndDoNothing)
{
    // Without a run and with a run that holds no services alike.
    ProgramRun run;
    ASSERT_EQ(&IPlanDialogs::Of(&run), &IPlanDialogs::Of(nullptr));
    ASSERT_EQ(&IViewShell::Of(&run), &IViewShell::Of(nullptr));
    ASSERT_EQ(&ISliderFactory::Of(&run), &ISliderFactory::Of(nullptr));
    IPlanDialogs& dialogs = IPlanDialogs::Of(&run);
    double mass = 1.5;
    EXPECT_FALSE(dialogs.EditGewicht(nullptr, mass));
    EXPECT_EQ(mass, 1.5);
    IPlanDialogs::ZLValues zl;
    zl.strName = "Crane";
    EXPECT_FALSE(dialogs.EditZL(nullptr, zl));
    EXPECT_EQ(zl.strName, "Crane");
    std::unique_ptr<ILoadingRamp> ramp = dialogs.CreateLoadingRamp();
    ASSERT_NE(ramp, nullptr);
    EXPECT_FALSE(ramp->CalcExtent(-1, -1));
    EXPECT_FALSE(ramp->IsVisible());

    EXPECT_EQ(ISliderFactory::Of(&run).Create(1, 0.5, 0.0, 1.0, QPoint(), nullptr, true), nullptr);
    EXPECT_EQ(IViewShell::Of(&run).GetActiveHost(), nullptr);
    EXPECT_FALSE(IViewShell::Of(&run).CanRemoveAchse());
}

TEST(ViewSeamsTest, EachRunHoldsItsOwnServicesAndLosesThemWithTheirInstallation)
{
    EnglishModule module;
    CQOR1Doc doc;
    ProgramRun first, second;
    CQOR1View ofFirst(&doc), ofSecond(&doc), withoutRun(&doc);
    ofFirst.SetProgramRun(&first);
    ofSecond.SetProgramRun(&second);
    {
        ScriptedViewShell shell{first};
        ScriptedPlanDialogs dialogs{first};
        EXPECT_EQ(&IViewShell::Of(&first), &shell);
        EXPECT_EQ(&IPlanDialogs::Of(&first), &dialogs);
        EXPECT_EQ(&IViewShell::Of(&second), &IViewShell::Of(nullptr));
        EXPECT_EQ(second.Find<IPlanDialogs>(), nullptr);

        // An activated view tells the shell of its own run, and only that one.
        for (CQOR1View* view : {&ofFirst, &ofSecond, &withoutRun})
            view->OnActivateView(true, view, nullptr);
        EXPECT_EQ(shell.Count("SetCurrentView"), 1);
        EXPECT_EQ(shell.m_pCurrent, &ofFirst);

        // A service installed over another stays when the one below goes.
        ScriptedViewShell later{first};
        {
            ScriptedViewShell shortLived{second};
            EXPECT_EQ(&IViewShell::Of(&second), &shortLived);
        }
        EXPECT_EQ(&IViewShell::Of(&first), &later);
    }
    EXPECT_EQ(first.Find<IViewShell>(), nullptr);
    EXPECT_EQ(first.Find<IPlanDialogs>(), nullptr);
    EXPECT_EQ(&IViewShell::Of(&first), &IViewShell::Of(nullptr));
    ofFirst.OnActivateView(true, &ofFirst, nullptr); // reaches the default, which does nothing
}

TEST(ViewSeamsTest, ScriptedFakesAnswerAndRecord)
{
    ProgramRun run;
    ScriptedPlanDialogs dialogs{run};
    dialogs.m_dGewicht = 2.25;
    double mass = 1.0;
    EXPECT_TRUE(IPlanDialogs::Of(&run).EditGewicht(nullptr, mass));
    EXPECT_EQ(mass, 2.25);
    dialogs.m_bCancel = true;
    EXPECT_FALSE(IPlanDialogs::Of(&run).EditGewicht(nullptr, mass));
    EXPECT_EQ(dialogs.m_nOpened, 2);

    // A scripted slider reports each move to its owner as the message of its kind.
    struct Owner : QWidget
    {
        bool event(QEvent* e) override
        {
            if (e->type() >= SliderValueEvent::kClosed && e->type() <= SliderValueEvent::kLastValue) {
                m_messages.push_back({int(e->type()), static_cast<SliderValueEvent*>(e)->Value()});
                return true;
            }
            return QWidget::event(e);
        }
        std::vector<std::pair<int, double>> m_messages;
    } owner;
    ScriptedSliderFactory factory{run};
    std::unique_ptr<IValueSlider> slider =
        ISliderFactory::Of(&run).Create(3, 0.4, 0.0, 1.0, QPoint(5, 5), &owner, true);
    ASSERT_NE(slider, nullptr);
    factory.m_pLast->Move(0.75);
    EXPECT_EQ(slider->GetValue(), 0.75);
    EXPECT_EQ(owner.m_messages, (std::vector<std::pair<int, double>>{{0x8068, 0.75}}));
}

TEST(ViewSeamsTest, StillAnimationShowsItsStartFrameAndStandsStill)
{
    QImage red(4, 4, QImage::Format_RGB32), blue(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    CMemBm frameRed, frameBlue;
    ASSERT_TRUE(frameRed.CreateFromDC(&red, 0, 0, 4, 4, SRCCOPY));
    ASSERT_TRUE(frameBlue.CreateFromDC(&blue, 0, 0, 4, 4, SRCCOPY));

    std::unique_ptr<IFrameAnimation> animation = IFrameAnimation::Create();
    animation->AddFrame(frameRed);
    animation->AddFrame(frameBlue);
    animation->SetSequence({0, 1}, 1);
    animation->SetPosition(QPoint(2, 2));
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        animation->Step(&painter);
        animation->Step(&painter);
    }
    EXPECT_EQ(target.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));

    animation->ShowFrame(0);
    {
        QPainter painter(&target);
        animation->Draw(painter);
    }
    EXPECT_EQ(target.pixel(3, 3), qRgb(255, 0, 0));

    // A frame number beyond the frames draws nothing; the creator the shell installs takes over.
    animation->ShowFrame(5);
    QImage untouched(10, 10, QImage::Format_RGB32);
    untouched.fill(Qt::white);
    {
        QPainter painter(&untouched);
        animation->Draw(painter);
    }
    EXPECT_EQ(untouched.pixel(3, 3), qRgb(255, 255, 255));
    IFrameAnimation::SetCreator([] { return std::make_unique<RecordingAnimation>(); });
    EXPECT_NE(dynamic_cast<RecordingAnimation*>(IFrameAnimation::Create().get()), nullptr);
    IFrameAnimation::SetCreator({});
    EXPECT_NE(dynamic_cast<CStillAnimation*>(IFrameAnimation::Create().get()), nullptr);
}

} // namespace
