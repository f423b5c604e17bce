// The loading plan in the program's main window at the screen sizes people have: the plan, the loading
// ramp's button and the tiles are in sight without scrolling, the plan uses the room of the window, no
// label of the ramp's panel is cut, in English and in German, and no label of the plan or of the vehicle
// tab runs into another.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/RunningProgram.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CLaderampe3.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "tests/support/ProgramSandbox.h"
#include "tests/views/TextRecordingDevice.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class PlanLayoutTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_program) {
            m_program->MainFrame()->close();
            m_program->Exit();
        }
        m_program.reset();
        if (m_sandbox)
            m_sandbox->RestoreDataHome();
    }

    // Starts the program on the sample truck, in `language`.
    void Start(const QString& language)
    {
        m_sandbox = std::make_unique<ProgramSandbox>();
        ASSERT_NO_FATAL_FAILURE(m_sandbox->Prepare());
        if (language != QStringLiteral("EN")) {
            const QString module = QStringLiteral("/Resource_%1.rcc").arg(language);
            ASSERT_TRUE(
                QFile::copy(QCoreApplication::applicationDirPath() + module, m_sandbox->Folder() + module));
            QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
            QCoreApplication::setApplicationName(QStringLiteral("QOR"));
            QSettings settings;
            settings.setValue(QStringLiteral("Settings/lang"), language);
            settings.setValue(QStringLiteral("Settings/ver"), language);
        }
        ASSERT_NO_FATAL_FAILURE(StartProgramAndWait(m_sandbox->Options(), m_program));
        ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr);
    }

    void Open(const char* sample)
    {
        const QString path = m_sandbox->Folder() + QStringLiteral("Samples/Vehicles/%1.qor").arg(sample);
        ASSERT_TRUE(Frame()->OpenFile(path, 0, false)) << sample;
    }

    CMainFrame* Frame() const { return m_program->MainFrame(); }

    // The plan tab of the document at the window size `size`, with the loading ramp shown.
    CQOR2View* PlanWithRamp(QSize size)
    {
        Frame()->showNormal();
        Frame()->resize(size);
        CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
        EXPECT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kPlan)));
        auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
        if (!plan)
            return nullptr;
        if (!plan->m_bRampenModus)
            plan->OnBefehl(32862);
        Settle(plan);
        return plan;
    }

    // Paints until the layout no longer changes (the ramp is laid out by the paint before it).
    static void Settle(CQOR2View* plan)
    {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
            plan->RenderFrame();
        }
        QCoreApplication::processEvents();
    }

    static QRect InViewport(CQOR2View* plan, const QWidget* w, const QRect& rc)
    {
        return QRect(w->mapTo(plan->viewport(), rc.topLeft()), rc.size());
    }

    void Keep(const QString& name)
    {
        const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/app");
        QDir().mkpath(folder);
        EXPECT_TRUE(Frame()->grab().save(folder + QLatin1Char('/') + name));
    }

    // The width a control needs to show its text whole: a push button its caption's, a radio button or
    // check box its size hint's; an input field shows what is typed, scrolled, and needs no more than
    // a few characters.
    static int NoetigeBreite(const QWidget* w)
    {
        if (const auto* knopf = qobject_cast<const QPushButton*>(w))
            return knopf->fontMetrics().horizontalAdvance(knopf->text()) + 8;
        if (qobject_cast<const QLineEdit*>(w))
            return w->fontMetrics().averageCharWidth() * 5;
        return w->sizeHint().width();
    }

    // The plan, the ramp's button, the ramp and the first tile in sight without scrolling; the panel's
    // texts whole. Answers the width of the load area as drawn.
    int CheckInSight(CQOR2View* plan, const QString& what)
    {
        SCOPED_TRACE(what.toStdString());
        const QRect sight = plan->viewport()->rect();
        EXPECT_EQ(plan->GetScrollPosition(), QPoint(0, 0));
        const QRect loadArea = plan->m_treffer.rcLadeflaeche;
        EXPECT_FALSE(loadArea.isEmpty());
        EXPECT_TRUE(sight.contains(loadArea)) << "the load area lies outside the window";

        QWidget* button = nullptr;
        for (QWidget* w : plan->findChildren<QWidget*>(QStringLiteral("id_400")))
            if (w->isVisible())
                button = w;
        EXPECT_NE(button, nullptr) << "no ramp button shows";
        if (button) {
            EXPECT_TRUE(sight.contains(InViewport(plan, button, button->rect())))
                << "the ramp button lies outside the window";
        }

        auto* ramp = plan->findChild<CLaderampe3*>(QStringLiteral("id_100"));
        EXPECT_TRUE(ramp && ramp->isVisible());
        if (!ramp || !ramp->isVisible())
            return loadArea.width();
        const QRect band = ramp->Leiste()->geometry();
        EXPECT_TRUE(ramp->Leiste()->isVisible());
        EXPECT_EQ(band.bottom(), sight.bottom());
        EXPECT_EQ(band.width(), sight.width());
        // The ramp stands under the load area, its block above the band; the ramp's lower part may
        // scroll into view.
        const QRect rampSurface = InViewport(plan, ramp, ramp->GetRampenRect());
        EXPECT_GT(rampSurface.top(), loadArea.bottom());
        EXPECT_LT(rampSurface.top() + 20, band.top()) << "the band covers the ramp";
        EXPECT_EQ(rampSurface.left(), loadArea.left());
        const QRect block = InViewport(plan, ramp, ramp->GetBlockRect());
        EXPECT_FALSE(block.isEmpty());
        EXPECT_LE(block.bottom(), band.top()) << "the band covers the block on the ramp";
        EXPECT_GT(plan->verticalScrollBar()->maximum() + sight.height(), rampSurface.bottom() - 1)
            << "the ramp's lower part cannot be scrolled into view";

        CHListbox* strip = ramp->Liste();
        EXPECT_GT(strip->GetItemCount(), 0);
        const QRect tile = InViewport(plan, strip->Canvas(), strip->GetItemRect(0));
        EXPECT_FALSE(tile.isEmpty());
        EXPECT_TRUE(sight.contains(tile)) << "the first tile lies outside the window";
        // The strip fills the band right of the panel: no blank beside it.
        const QRect stripRect = InViewport(plan, strip, strip->rect());
        EXPECT_EQ(stripRect.right(), sight.right());

        // Every text of the panel shows whole, and no control covers another.
        std::map<int, QRect> placed;
        for (int id : {CLaderampe3::kIdLadeeinheiten, CLaderampe3::kIdFsm, CLaderampe3::kIdFilter,
                       CLaderampe3::kIdLeeren, CLaderampe3::kIdSuche, CLaderampe3::kIdAnsicht}) {
            QWidget* w = ramp->Control(id);
            EXPECT_GE(w->width(), NoetigeBreite(w)) << id << " is cut";
            placed[id] = w->geometry();
        }
        // The add-several button's strip stands beside the panel's controls, not over them.
        if (CRibBtnContainer* mehrere = ramp->StreifenMehrere(); mehrere && mehrere->isVisible())
            placed[CLaderampe3::kIdMehrere] = mehrere->geometry();
        for (QLabel* label : ramp->Leiste()->findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString() << " is cut";
            for (const auto& [id, rc] : placed)
                EXPECT_FALSE(rc.intersects(label->geometry()))
                    << id << " covers " << label->text().toStdString();
        }
        for (const auto& [a, ra] : placed) {
            EXPECT_LE(ra.right(), strip->geometry().left()) << a << " reaches into the strip";
            for (const auto& [b, rb] : placed)
                if (a < b) {
                    EXPECT_FALSE(ra.intersects(rb)) << a << " and " << b << " overlap";
                }
        }
        return loadArea.width();
    }

    // The texts and pictures of one paint of `view` as its window shows it.
    static std::unique_ptr<TextRecordingDevice> Aufnahme(CGetAnsView& view)
    {
        struct Zugang : CGetAnsView
        {
            static void Male(CGetAnsView& v, QPainter& p) { (v.*&Zugang::OnDraw)(p); }
        };
        auto geraet = std::make_unique<TextRecordingDevice>(view.viewport()->size());
        QPainter painter(geraet.get());
        painter.translate(-view.GetScrollPosition());
        Zugang::Male(view, painter);
        return geraet;
    }

    static std::string Beschreibe(const QRectF& rc, const QString& text = QString())
    {
        std::ostringstream s;
        if (!text.isEmpty())
            s << '"' << text.toStdString() << "\" ";
        s << "at (" << rc.left() << ", " << rc.top() << ") " << rc.width() << " x " << rc.height();
        return s.str();
    }

    // The box less a pixel on each side: rounding of neighbouring boxes is no collision.
    static QRectF Kern(const QRectF& rc) { return rc.adjusted(1.0, 1.0, -1.0, -1.0); }

    // Every two texts that run together, every text that reaches into a box without lying inside it or
    // that covers a picture drawn inside a box (a load's mark), and the texts under `frei`.
    static std::vector<std::string> Fehler(const TextRecordingDevice& d, const std::vector<QRect>& boxen,
                                           const QRect& frei = QRect(),
                                           const QRect& planSchwerpunkt = QRect())
    {
        std::vector<std::string> fehler;
        const std::vector<DrawnText>& t = d.Texts();
        std::vector<QRectF> marken;
        // The plan's centre-of-gravity target stands wherever the centre lies, over the loads: it is no
        // mark of a load.
        for (const QRectF& bild : d.Pictures())
            for (const QRect& box : boxen)
                if (QRectF(box).contains(bild) && bild != QRectF(planSchwerpunkt))
                    marken.push_back(bild);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const QRectF k = Kern(t[i].rect);
            for (std::size_t j = i + 1; j < t.size(); ++j)
                if (k.intersects(Kern(t[j].rect)))
                    fehler.push_back(Beschreibe(t[i].rect, t[i].text) + " runs into " +
                                     Beschreibe(t[j].rect, t[j].text));
            for (const QRect& box : boxen)
                if (k.intersects(QRectF(box)) && !QRectF(box).adjusted(-1, -1, 1, 1).contains(t[i].rect))
                    fehler.push_back(Beschreibe(t[i].rect, t[i].text) + " runs over its box " +
                                     Beschreibe(QRectF(box)));
            for (const QRectF& marke : marken)
                if (k.intersects(marke))
                    fehler.push_back(Beschreibe(t[i].rect, t[i].text) + " covers the mark " +
                                     Beschreibe(marke));
            if (!frei.isEmpty() && k.intersects(QRectF(frei)))
                fehler.push_back(Beschreibe(t[i].rect, t[i].text) + " lies under " +
                                 Beschreibe(QRectF(frei)));
        }
        return fehler;
    }

    static std::string Auszug(const std::vector<std::string>& fehler)
    {
        std::string s = std::to_string(fehler.size()) + " faults:";
        for (std::size_t i = 0; i < fehler.size() && i < 8; ++i)
            s += "\n  " + fehler[i];
        return s;
    }

    // A row of loaded Euro pallets along side A and one turned a quarter behind them; the first the
    // current load, whose value buttons show; the grid with its figures and the loads' marks shown.
    static void Beladen(CQOR2View* plan)
    {
        CQOR& q = *plan->GetPlan();
        tagLGINFO* erste = nullptr;
        for (int i = 0; i < 5; ++i) {
            auto lg = std::make_unique<tagLGINFO>();
            lg->m_strName = "Euro pallet";
            lg->m_nTyp = 0;
            lg->m_dLaenge = 1.2;
            lg->m_dBreite = 0.8;
            lg->m_dHoehe = 1.0;
            lg->m_dSPLaenge = 0.6;
            lg->m_dSPBreite = 0.4;
            lg->m_dMasse = lg->m_dSPMasse = 0.5;
            lg->m_dPosX = i < 4 ? 1.2 * i : 5.0;
            lg->m_dPosY = 0.0;
            lg->m_nDrehung = i < 4 ? 0 : 90;
            if (!erste)
                erste = lg.get();
            q.AddLgInfo(std::move(lg), false);
        }
        q.NumberEqualNames(true);
        CPlanAnzeige anzeige(q);
        anzeige.SetRasterZeigen(true);
        anzeige.SetRasterBeschriftung(true);
        anzeige.SetRichtungZeigen(true);
        anzeige.SetRasterX(0.4);
        anzeige.SetRasterY(0.4);
        plan->RecalcSchwerpunkt();
        plan->RenderFrame();
        plan->SetHover(erste);
        plan->SetAktuellFromHover();
    }

    static std::vector<QRect> Boxen(const CQOR2View* plan)
    {
        std::vector<QRect> boxen;
        for (const auto& [lg, gui] : plan->GetGuiLg())
            boxen.push_back(gui.rc);
        return boxen;
    }

    std::unique_ptr<ProgramSandbox> m_sandbox;
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<RunningProgram> m_program;
};

const QSize kSizes[] = {QSize(1024, 768), QSize(1280, 720), QSize(1920, 1080)};

} // namespace

TEST_F(PlanLayoutTest, PlanRampButtonAndTilesAreInSightAtEverySizeAndThePlanGrowsWithTheWindow)
{
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("EN")));
    for (const char* sample : {"LKW", "SAH"}) {
        ASSERT_NO_FATAL_FAILURE(Open(sample));
        int previous = 0;
        for (const QSize size : kSizes) {
            const QString what =
                QStringLiteral("%1 at %2 x %3").arg(sample).arg(size.width()).arg(size.height());
            CQOR2View* plan = PlanWithRamp(size);
            ASSERT_NE(plan, nullptr);
            Keep(QStringLiteral("plan_%1_%2x%3.png").arg(sample).arg(size.width()).arg(size.height()));
            const int width = CheckInSight(plan, what);
            // Wider windows give the plan more room; 1280 x 720 is lower than 1024 x 768.
            if (size.width() == 1920) {
                EXPECT_GT(width, previous + previous / 4) << what.toStdString() << ": the plan did not grow";
            }
            previous = width;
        }
    }
}

TEST_F(PlanLayoutTest, TheRampsPanelShowsItsGermanTextsWhole)
{
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("DE")));
    for (const QSize size : {QSize(1024, 768), QSize(1280, 720)}) {
        CQOR2View* plan = PlanWithRamp(size);
        ASSERT_NE(plan, nullptr);
        Keep(QStringLiteral("plan_DE_%1x%2.png").arg(size.width()).arg(size.height()));
        CheckInSight(plan, QStringLiteral("German at %1 x %2").arg(size.width()).arg(size.height()));
    }
}

// The split view's lower pane is too low for the plan above the band of tiles on a laptop: switching the
// ramp on there, or coming back to the split view with the ramp on, gives the plan room from the other
// pane, which keeps a quarter of the height.
TEST_F(PlanLayoutTest, TheRampInTheSplitViewMakesRoomForThePlan)
{
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("DE")));
    for (const QSize size : {QSize(1280, 720), QSize(1024, 768)}) {
        const QString what = QStringLiteral("split view at %1 x %2").arg(size.width()).arg(size.height());
        SCOPED_TRACE(what.toStdString());
        Frame()->showNormal();
        Frame()->resize(size);
        CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
        auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
        ASSERT_NE(plan, nullptr);
        if (plan->m_bRampenModus)
            plan->OnBefehl(32862);
        ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
        QSplitter* splitter = host->GetSplitter();
        splitter->setSizes({500, 500});
        Settle(plan);
        ASSERT_EQ(host->GetPaneView(1), plan);
        const QList<int> equal = splitter->sizes();

        plan->OnBefehl(32862);
        Settle(plan);
        const QList<int> grown = splitter->sizes();
        EXPECT_GT(grown[1], equal[1]) << "the plan's pane did not grow";
        EXPECT_GE(grown[0], (grown[0] + grown[1]) / 4 - 1) << "the template's pane was squeezed";
        Keep(QStringLiteral("split_DE_%1x%2.png").arg(size.width()).arg(size.height()));
        CheckInSight(plan, what);

        // Back from the plan tab with the ramp still on, into equal panes.
        ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kPlan)));
        Settle(plan);
        ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
        splitter->setSizes({500, 500});
        Settle(plan);
        EXPECT_EQ(splitter->sizes(), grown) << "coming back to the split view";

        // Once the room is given, the user may take it back.
        splitter->setSizes(equal);
        Settle(plan);
        EXPECT_EQ(splitter->sizes(), equal) << "the pane grew again by itself";
    }
}

// At each screen size: the plan with its loads in the split view with the ramp on (the plan then has
// little room), the 13.6 m semi-trailer's plan with the grid's figures, and the vehicle tab with the
// lateral chart. No two labels run together, a load's labels stay inside its box and clear of its mark
// (or are left out), the grid's figures keep clear of the current load's value buttons, and the chart
// stands clear of the rulers' figures and title.
TEST_F(PlanLayoutTest, NoLabelRunsIntoAnotherAtEveryScreenSize)
{
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("EN")));
    for (const QSize size : kSizes) {
        const QString groesse = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        SCOPED_TRACE(groesse.toStdString());
        {
            SCOPED_TRACE("truck with loads in the split view with the ramp");
            ASSERT_NO_FATAL_FAILURE(Open("LKW"));
            Frame()->showNormal();
            Frame()->resize(size);
            CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
            auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
            ASSERT_NE(plan, nullptr);
            ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
            host->GetSplitter()->setSizes({500, 500});
            if (!plan->m_bRampenModus)
                plan->OnBefehl(32862);
            Settle(plan);
            Beladen(plan);
            Settle(plan);
            Keep(QStringLiteral("labels_split_%1.png").arg(groesse));
            const auto aufnahme = Aufnahme(*plan);
            const std::vector<std::string> fehler =
                Fehler(*aufnahme, Boxen(plan), QRect(), plan->m_treffer.rcSchwerpunkt);
            EXPECT_TRUE(fehler.empty()) << Auszug(fehler);
        }
        for (const char* sample : {"SAH", "LKW"}) {
            SCOPED_TRACE(std::string(sample) + "'s plan with the grid's figures");
            ASSERT_NO_FATAL_FAILURE(Open(sample));
            CQOR2View* plan = PlanWithRamp(size);
            ASSERT_NE(plan, nullptr);
            Beladen(plan);
            Settle(plan);
            Keep(QStringLiteral("labels_plan_%1_%2.png").arg(sample, groesse));
            const auto aufnahme = Aufnahme(*plan);
            const std::vector<std::string> fehler =
                Fehler(*aufnahme, Boxen(plan), QRect(), plan->m_treffer.rcSchwerpunkt);
            EXPECT_TRUE(fehler.empty()) << Auszug(fehler);
        }
        for (const char* sample : {"SAH", "LKW"}) {
            SCOPED_TRACE(std::string(sample) + "'s vehicle tab with the lateral chart");
            ASSERT_NO_FATAL_FAILURE(Open(sample));
            Frame()->showNormal();
            Frame()->resize(size);
            CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
            ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kTemplate)));
            auto* vorlage = dynamic_cast<CQOR1View*>(host->GetView(CTabbedViewView::kTemplate));
            ASSERT_NE(vorlage, nullptr);
            vorlage->ShowDiagramm(true);
            for (int i = 0; i < 3; ++i) {
                QCoreApplication::processEvents();
                vorlage->RenderFrame();
            }
            Keep(QStringLiteral("labels_chart_%1_%2.png").arg(sample, groesse));
            const auto aufnahme = Aufnahme(*vorlage);
            const QRect chart = vorlage->GetChartRect();
            EXPECT_FALSE(chart.isEmpty());
            const std::vector<std::string> fehler = Fehler(*aufnahme, {}, chart);
            EXPECT_TRUE(fehler.empty()) << Auszug(fehler);
        }
    }
}
