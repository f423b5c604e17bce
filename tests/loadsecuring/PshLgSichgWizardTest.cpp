// The load-securing wizard over a scripted view: its pages, strip, flow, frame commands and closing.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgBase2.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CWizardHeaderView.h"
#include "loadsecuring/LgSichgCmdUI.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "loadsecuring/LgSichgPlacement.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/CQorBrowser.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The English module for texts, templates and pictures, current while the object lives.
class EnglishModule
{
public:
    EnglishModule()
        : m_module(
              ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr)),
          m_previous(ResourceModule::Current())
    {
        ResourceModule::SetCurrent(m_module.get());
    }
    ~EnglishModule() { ResourceModule::SetCurrent(m_previous); }
    EnglishModule(const EnglishModule&) = delete;
    EnglishModule& operator=(const EnglishModule&) = delete;

private:
    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous;
};

class WizardTest : public ::testing::Test
{
protected:
    // A wizard over the view in the given start mode, created and shown.
    CPshLgSichgWizard* Open(int nMode, FakeLgSicherungView* pView = nullptr)
    {
        if (!pView)
            pView = &m_view;
        auto* wizard = new CPshLgSichgWizard(403, pView, 0);
        m_wizard = wizard;
        wizard->SetView(pView);
        wizard->SetStartMode(nMode);
        EXPECT_TRUE(wizard->Create());
        wizard->show();
        return wizard;
    }
    void TearDown() override { delete m_wizard.data(); }

    static QString Artifact(const QString& name)
    {
        const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring");
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }

    EnglishModule m_module;
    ScriptedMessageBoxService m_boxes;
    FakeLgSicherungView m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST(PshLgSichgWizard, StartModeKeepsTheModeValueAndTheFormedUnitFlagApart)
{
    struct Case
    {
        int nMode;
        int nValue;
        bool bFormedUnit;
    };
    EnglishModule module;
    for (const Case& c : {Case{0, 0, false}, Case{1, 0, true}, Case{2, 2, false}, Case{3, 3, false}}) {
        SCOPED_TRACE(c.nMode);
        FakeLgSicherungView view;
        CPshLgSichgWizard wizard(403, &view, 0);
        wizard.SetView(&view);
        wizard.SetStartMode(c.nMode);
        EXPECT_EQ(wizard.GetStartMode(), c.nValue);
        EXPECT_EQ(wizard.IsFormedUnitStart(), c.bFormedUnit);
        EXPECT_EQ(wizard.GetView(), &view);
    }
}

TEST_F(WizardTest, OpensWithNinePagesInWizardOrderHeaderHintPaneAndStrip)
{
    CPshLgSichgWizard* wizard = Open(0);
    const quint32 templates[] = {633, 634, 640, 641, 761, 635, 746, 642, 644};
    const quint32 headers[] = {682, 720, 717, 691, 718, 805, 810, 804, 723};
    ASSERT_EQ(wizard->PageCount(), CPshLgSichgWizard::kPageCount);
    for (int i = 0; i < CPshLgSichgWizard::kPageCount; ++i) {
        SCOPED_TRACE(i);
        CPgLgSichgBase2* page = wizard->GetPage(i);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->TemplateId(), templates[i]);
        EXPECT_TRUE(page->TemplateError().isEmpty()) << page->TemplateError().toStdString();
        EXPECT_EQ(wizard->PageIndexOf(page), i);
        EXPECT_EQ(page->GetView(), &m_view);
        quint32 nHeader = 0;
        page->GetHeaderBitmapId(&nHeader);
        EXPECT_EQ(nHeader, headers[i]);
    }
    EXPECT_EQ(wizard->ActiveIndex(), 0);
    EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Step 1 of 9: Load unit"));
    // The hint pane sits on the page where the template kept its place.
    CPgLgSichgBase2* first = wizard->GetPage(0);
    ASSERT_NE(wizard->Browser(), nullptr);
    EXPECT_EQ(wizard->Browser()->parentWidget(), first);
    EXPECT_EQ(wizard->Browser()->geometry(), first->HintRect());
    EXPECT_FALSE(first->HintRect().isEmpty());
    EXPECT_FALSE(first->HeaderPicture().isNull());
    ASSERT_NE(wizard->HeaderView(), nullptr);
    EXPECT_EQ(wizard->HeaderView()->height(), CPshLgSichgWizard::kHeaderHeight - 5);
    ASSERT_NE(wizard->ButtonStrip(), nullptr);
    EXPECT_EQ(wizard->ButtonStrip()->Id(), quint32(CPshLgSichgWizard::kStripId));
    for (int id : {12323, 12324, 705, 714, 770})
        EXPECT_TRUE(wizard->ButtonStrip()->HasButton(quint32(id))) << id;
    // The activation told the view (posted 0x804C with 1).
    QCoreApplication::sendPostedEvents(&m_view);
    ASSERT_FALSE(m_view.m_events.empty());
    EXPECT_EQ(m_view.m_events.back().nType, int(LgSichgViewEvent::kPageNoticeType));
    EXPECT_EQ(m_view.m_events.back().nWParam, 1);
    // The header shows the page's banner: not white in its middle.
    const QImage header = wizard->HeaderView()->Render();
    EXPECT_NE(header.pixel(header.width() / 2 - 210, header.height() / 2), qRgb(255, 255, 255));
    EXPECT_TRUE(wizard->grab().save(Artifact(QStringLiteral("wizard_first_page.png"))));
}

TEST_F(WizardTest, ModeThreeOpensOnTheResultWithBackAndSaveDisabled)
{
    CPshLgSichgWizard* wizard = Open(3);
    EXPECT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
    EXPECT_EQ(wizard->GetReach(), 8);
    struct Case
    {
        int nId;
        bool bEnabled;
    };
    for (const Case& c :
         {Case{12323, false}, Case{714, false}, Case{770, true}, Case{705, true}, Case{12324, false}}) {
        SCOPED_TRACE(c.nId);
        EXPECT_EQ(wizard->IsButtonEnabled(c.nId), c.bEnabled);
    }
    EXPECT_TRUE(wizard->grab().save(Artifact(QStringLiteral("wizard_result_page.png"))));
}

TEST_F(WizardTest, StartPageAndReachByMode)
{
    struct Case
    {
        int nMode;
        int nPage;
        int nReach;
    };
    for (const Case& c : {Case{0, 0, -1}, Case{1, 0, -1}, Case{2, 1, 8}, Case{3, 8, 8}}) {
        SCOPED_TRACE(c.nMode);
        CPshLgSichgWizard* wizard = Open(c.nMode);
        EXPECT_EQ(wizard->ActiveIndex(), c.nPage);
        EXPECT_EQ(wizard->GetReach(), c.nReach);
        delete wizard;
    }
}

TEST_F(WizardTest, ClosingInModeTwoAsksAndUnmarksTheUnit)
{
    fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
    a.pEinheit->m_bVorhanden = 1;
    FakeLgSicherungView view(a.pDoc.get());
    CPshLgSichgWizard* wizard = Open(2, &view);
    CommandEvent close(705);
    // 708 keeps everything as it is.
    m_boxes.AddAnswer(708);
    QCoreApplication::sendEvent(wizard, &close);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].html.textId, 591);
    EXPECT_EQ(a.pEinheit->m_bVorhanden, 1);
    EXPECT_EQ(view.Count("MarkModified"), 0);
    // 668 unmarks the unit, marks the document and saves; this document cannot be saved, so the
    // wizard says so and stays.
    m_boxes.Clear();
    m_boxes.AddAnswer(668);
    m_boxes.AddAnswer(668);
    QCoreApplication::sendEvent(wizard, &close);
    EXPECT_EQ(a.pEinheit->m_bVorhanden, 0);
    EXPECT_EQ(view.Count("MarkModified"), 1);
    ASSERT_EQ(m_boxes.Records().size(), 2);
    EXPECT_TRUE(m_boxes.Records()[1].html.text.contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(wizard->isVisible());
}

TEST_F(WizardTest, ARelayedNoticeReachesTheActivePageLater)
{
    CPshLgSichgWizard* wizard = Open(0);
    wizard->GoToPage(2);
    // The notice travels posted; the stub page leaves it unhandled but must receive it as 0x803F.
    struct Spy : QObject
    {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == LgSichgPageEvent::kViewNotifyType ? 1 : 0;
            return false;
        }
    } spy;
    wizard->GetPage(2)->installEventFilter(&spy);
    LgSichgPageEvent relay(LgSichgPageEvent::kRelayType, 17, 4);
    QCoreApplication::sendEvent(wizard, &relay);
    EXPECT_EQ(spy.n, 0);
    QCoreApplication::sendPostedEvents(wizard->GetPage(2));
    EXPECT_EQ(spy.n, 1);
}

TEST_F(WizardTest, ButtonsFollowThePageAndTheReach)
{
    // The first page goes on only with a unit to secure: the sample plan's active unit.
    fahrzeugtest::Sicherungsaufbau aufbau = fahrzeugtest::BaueSicherungsaufbau();
    FakeLgSicherungView view(aufbau.pDoc.get());
    CPshLgSichgWizard* wizard = Open(0, &view);
    EXPECT_FALSE(wizard->IsButtonEnabled(12323)) << "no way back from the first page";
    EXPECT_TRUE(wizard->IsButtonEnabled(12324));
    EXPECT_FALSE(wizard->IsButtonEnabled(770));
    EXPECT_FALSE(wizard->IsButtonEnabled(714));
    CommandEvent next(12324);
    QCoreApplication::sendEvent(wizard, &next);
    EXPECT_EQ(wizard->ActiveIndex(), 1);
    EXPECT_TRUE(wizard->IsButtonEnabled(12323));
    EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Step 2 of 9: Blocking"));
    CommandEvent back(12323);
    QCoreApplication::sendEvent(wizard, &back);
    EXPECT_EQ(wizard->ActiveIndex(), 0);
    wizard->SetReach(8);
    EXPECT_TRUE(wizard->IsButtonEnabled(770));
    EXPECT_TRUE(wizard->IsButtonEnabled(714));
    CommandEvent report(770);
    QCoreApplication::sendEvent(wizard, &report);
    EXPECT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
    delete wizard; // before the view it shows
}

TEST_F(WizardTest, GoToPageRefusesWhatLiesOutsideAndCountsNewPages)
{
    CPshLgSichgWizard* wizard = Open(0);
    struct Case
    {
        int nTarget;
        bool bShown;
        int nActive;
    };
    for (const Case& c : {Case{-1, false, 0}, Case{9, false, 0}, Case{0, true, 0}, Case{3, true, 3},
                          Case{1, true, 1}, Case{3, true, 3}}) {
        SCOPED_TRACE(c.nTarget);
        EXPECT_EQ(wizard->GoToPage(c.nTarget), c.bShown);
        EXPECT_EQ(wizard->ActiveIndex(), c.nActive);
    }
    // Page 3 was entered twice but counted once; after a restart at 3 it counts again.
    EXPECT_EQ(wizard->GetPage(3)->VisitCount(), 1);
    EXPECT_EQ(wizard->GetPage(2)->VisitCount(), 0) << "never shown";
    wizard->GoToPage(1);
    wizard->SetReach(-4);
    wizard->GoToPage(3);
    EXPECT_EQ(wizard->GetPage(3)->VisitCount(), 2);
}

TEST_F(WizardTest, MethodChangeOnTheResultPageMovesBack)
{
    struct Case
    {
        int nVerfahren;
        int nActive;
        int nReach;
    };
    for (const Case& c : {Case{1, 5, 4}, Case{0, 7, 6}}) {
        SCOPED_TRACE(c.nVerfahren);
        CPshLgSichgWizard* wizard = Open(3);
        wizard->GetParams().m_nVerfahren = c.nVerfahren;
        const int nRepaints = m_view.Count("RepaintView");
        EXPECT_TRUE(wizard->OnViewNotify(LgSichgMeldung::kVerfahrenGeaendert, {}));
        EXPECT_EQ(wizard->ActiveIndex(), c.nActive);
        EXPECT_EQ(wizard->GetReach(), c.nReach + (c.nActive > c.nReach ? 1 : 0));
        // The lashing-devices page repaints the view itself when it becomes active.
        EXPECT_EQ(m_view.Count("RepaintView"), nRepaints + 1 + (c.nActive == 7 ? 1 : 0));
        delete wizard;
    }
}

TEST_F(WizardTest, FrameCommandsAreDisabledWhileTheWizardIsOpen)
{
    CPshLgSichgWizard* wizard = Open(0);
    struct Case
    {
        int nCommand;
        int nPage;
        bool bHandled;
    };
    const Case cases[] = {
        {57602, 0, true},  {57606, 0, true}, {57665, 3, true},  {33101, 0, true},  {33112, 0, true},
        {33124, 0, true},  {33148, 0, true}, {748, 0, true},    {397, 0, true},    {398, 0, true},
        {644, 0, true},    {130, 0, true},   {33071, 0, true},  {33072, 0, true},  {33095, 0, true},
        {57616, 0, true},  {57631, 0, true}, {57615, 0, false}, {57632, 0, false}, {33070, 0, false},
        {33070, 1, false}, {33070, 2, true}, {33070, 8, true},  {57601, 0, false}, {636, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nCommand) + " on page " + std::to_string(c.nPage));
        ASSERT_TRUE(wizard->GoToPage(c.nPage));
        LgSichgCmdUI cmdUI{static_cast<unsigned>(c.nCommand)};
        EXPECT_EQ(wizard->OnUpdateFrameCmdUI(c.nCommand, &cmdUI), c.bHandled);
        if (c.bHandled) {
            ASSERT_TRUE(cmdUI.m_enabled.has_value());
            EXPECT_FALSE(*cmdUI.m_enabled);
        } else {
            EXPECT_FALSE(cmdUI.m_enabled.has_value());
        }
    }
}

TEST_F(WizardTest, CloseEscapeAndTheCloseBoxEndTheWizardAlikeInEveryMode)
{
    // The unit formed from a single load (mode 1) is kept with its settings as in a plain start; only
    // the plan's secured unit (mode 2) asks first, and "Back" keeps the wizard on the screen.
    enum Weg
    {
        kKnopf,
        kEscape,
        kSchliessfeld
    };
    struct Case
    {
        Weg weg;
        int nMode;
        bool bFrage;
    };
    std::vector<Case> cases;
    for (Weg weg : {kKnopf, kEscape, kSchliessfeld})
        for (int nMode : {0, 1, 2, 3})
            cases.push_back({weg, nMode, nMode == 2});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.weg) + " in mode " + std::to_string(c.nMode));
        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        a.pEinheit->m_bVorhanden = 1;
        a.pEinheit->m_Wizard.m_nQuerQuelle = -1;
        FakeLgSicherungView view(a.pDoc.get());
        CPshLgSichgWizard* wizard = Open(c.nMode, &view);
        // The result was shown with settings of the wizard's own.
        wizard->SetErgebnisGezeigt();
        wizard->GetParams().m_nQuerQuelle = 1;
        m_boxes.Clear();
        m_boxes.AddAnswer(708);
        view.m_events.clear();
        switch (c.weg) {
        case kKnopf: {
            CommandEvent close(CPshLgSichgWizard::kIdClose);
            QCoreApplication::sendEvent(wizard, &close);
            break;
        }
        case kEscape:
            QTest::keyClick(wizard, Qt::Key_Escape);
            break;
        case kSchliessfeld: {
            QCloseEvent close;
            QCoreApplication::sendEvent(wizard->windowHandle(), &close);
            break;
        }
        }
        QCoreApplication::sendPostedEvents(wizard);
        EXPECT_EQ(m_boxes.Records().size(), c.bFrage ? 1 : 0);
        if (c.bFrage && !m_boxes.Records().isEmpty()) {
            EXPECT_EQ(m_boxes.Records()[0].html.textId, 591);
        }
        EXPECT_EQ(a.pEinheit->m_bVorhanden, 1);
        bool bGeschlossen = false;
        for (const auto& e : view.m_events) {
            EXPECT_NE(e.nType, int(LgSichgViewEvent::kHiddenType));
            bGeschlossen = bGeschlossen || e.nType == int(LgSichgViewEvent::kClosedType);
        }
        EXPECT_EQ(bGeschlossen, !c.bFrage);
        EXPECT_EQ(a.pEinheit->m_Wizard.m_nQuerQuelle, c.bFrage ? -1 : 1) << "the unit keeps the settings";
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (c.bFrage) {
            ASSERT_FALSE(m_wizard.isNull());
            EXPECT_TRUE(wizard->isVisible()) << "kept after the question";
        } else {
            EXPECT_TRUE(m_wizard.isNull()) << "the wizard went";
        }
        delete m_wizard.data(); // before its view
    }
}

TEST_F(WizardTest, RefusedViewActionsTellTheUser)
{
    CPshLgSichgWizard* wizard = Open(0);
    wizard->GoToPage(2);
    for (int nStatus : {2, 1}) {
        SCOPED_TRACE(nStatus);
        m_boxes.Clear();
        wizard->SetStateWord(nStatus);
        QString message;
        EXPECT_NE(
            wizard->QueryViewAction(LgSichgAktion::kProgrammBeenden, std::intptr_t(0), &message, 0, nullptr),
            0);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        const QString text = m_boxes.Records()[0].html.text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("This cannot be done while load securing is open.")));
        EXPECT_EQ(text.contains(QStringLiteral("Finish or close")), nStatus == 1);
    }
    // The stub pages have no opinion: the view's default stands at state word 0.
    m_boxes.Clear();
    wizard->SetStateWord(0);
    EXPECT_EQ(
        wizard->QueryViewAction(LgSichgAktion::kFahrzeugWechseln, std::intptr_t(0), nullptr, 7, nullptr), 7);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(WizardTest, SaveAndCloseKeepsTheWizardWhenTheFilesWereNotSaved)
{
    // A new document without a file name and without a window to ask for one cannot be saved.
    fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
    FakeLgSicherungView view(a.pDoc.get());
    CPshLgSichgWizard* wizard = Open(0, &view);
    EXPECT_FALSE(wizard->CloseWizard(714));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(m_boxes.Records()[0].html.text.contains(QStringLiteral("could not be saved")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_wizard.isNull());
    EXPECT_TRUE(wizard->isVisible());
    for (const auto& e : view.m_events)
        EXPECT_NE(e.nType, int(LgSichgViewEvent::kClosedType));

    // Closing without saving tells the view and goes.
    EXPECT_TRUE(wizard->CloseWizard(705));
    ASSERT_FALSE(view.m_events.empty());
    EXPECT_EQ(view.m_events.back().nType, int(LgSichgViewEvent::kClosedType));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_wizard.isNull());
}

TEST_F(WizardTest, AUnitOutOfThePlanGoesBackOnCloseAndOnDestruction)
{
    for (bool bClose : {true, false}) {
        SCOPED_TRACE(bClose ? "closed" : "destroyed");
        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        tagLGINFO* lg = a.pPlan->GetLgInfos().front();
        a.pEinheit->SetLgFlagBits(a.pEinheit->GetId());
        FakeLgSicherungView view(a.pDoc.get());
        CPshLgSichgWizard* wizard = Open(0, &view);
        // The view writes its file: the active unit leaves the plan meanwhile.
        EXPECT_TRUE(wizard->OnViewNotify(LgSichgMeldung::kDateiWirdGeschrieben, {}));
        EXPECT_TRUE(a.pPlan->GetLadeeinheiten().empty());
        EXPECT_EQ(lg->GetLeId(), 0);
        EXPECT_TRUE(wizard->HasSavedUnit());
        if (bClose) {
            EXPECT_TRUE(wizard->close());
            EXPECT_FALSE(wizard->HasSavedUnit());
            EXPECT_FALSE(wizard->OnViewNotify(LgSichgMeldung::kDateiGeschrieben, {}))
                << "nothing left to put back";
        }
        delete wizard;
        ASSERT_EQ(a.pPlan->GetLadeeinheiten().size(), 1u);
        EXPECT_EQ(a.pPlan->GetLadeeinheiten().front(), a.pEinheit);
        EXPECT_EQ(lg->GetLeId(), a.pEinheit->GetId());
    }
}

// The sheet beside the load area where there is room, else beside the unit, else at the window's edge
// with the view's drawing moved so the unit lies beside it; always within the window's free area.
TEST(LgSichgPlacement, TheSheetLeavesTheUnitInSight)
{
    struct Case
    {
        const char* name;
        QRect bereich, ladeflaeche, einheit;
        QSize sheet;
        QRect blatt;
        QPoint verschiebung;
    };
    const QRect ansicht(0, 100, 1920, 900);
    const QSize sheet(700, 650);
    const Case cases[] = {
        // 1920 x 1080 maximised: the load area at the top left, room beside it on the right.
        {"right of the load area",
         {0, 0, 1920, 1040},
         {60, 180, 1100, 250},
         {300, 200, 120, 80},
         sheet,
         {1190, 180, 700, 650},
         {}},
        {"left of the load area",
         {0, 0, 1920, 1040},
         {760, 180, 1100, 250},
         {900, 200, 120, 80},
         sheet,
         {30, 180, 700, 650},
         {}},
        {"below the load area",
         {0, 0, 1400, 1040},
         {60, 120, 1300, 250},
         {300, 150, 120, 80},
         {700, 600},
         {60, 400, 700, 600},
         {}},
        // 1280 x 720: the load area fills the width; the sheet goes beside the unit.
        {"right of the unit",
         {0, 0, 1280, 690},
         {60, 150, 1200, 300},
         {200, 200, 150, 100},
         {700, 600},
         {380, 90, 700, 600},
         {}},
        {"left of the unit",
         {0, 0, 1280, 690},
         {60, 150, 1200, 300},
         {1000, 200, 150, 100},
         {700, 600},
         {270, 90, 700, 600},
         {}},
        // A unit in the middle: the sheet at the nearer edge, the drawing moves the unit beside it.
        {"the drawing moves left",
         {0, 0, 1280, 690},
         {60, 150, 1200, 300},
         {500, 200, 200, 100},
         {700, 600},
         {580, 90, 700, 600},
         {-150, 0}},
        {"the drawing moves right",
         {0, 0, 1280, 690},
         {60, 150, 1200, 300},
         {580, 200, 200, 100},
         {700, 600},
         {0, 90, 700, 600},
         {150, 0}},
        {"a sheet larger than the window keeps its top left",
         {0, 0, 600, 500},
         {60, 150, 500, 300},
         {100, 200, 100, 100},
         {700, 600},
         {0, 0, 700, 600},
         {-100, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LgSichgPlacement::Lage lage;
        lage.bereich = c.bereich;
        lage.ansicht = ansicht.intersected(c.bereich);
        lage.ladeflaeche = c.ladeflaeche;
        lage.einheit = c.einheit;
        const LgSichgPlacement::Ergebnis e = LgSichgPlacement::Platziere(lage, c.sheet);
        EXPECT_EQ(e.blatt, c.blatt);
        EXPECT_EQ(e.verschiebung, c.verschiebung);
        // The unit, moved as the view moves it, is not under the sheet.
        if (c.blatt.width() <= c.bereich.width()) {
            EXPECT_FALSE(e.blatt.intersects(c.einheit.translated(e.verschiebung)));
        }
    }
}

// The sheet is placed by its size with the window frame. Until the sheet is first mapped (also while it
// is being shown) the window system reports no frame: the main window's frame stands in, at least a title
// bar of 30 pixels, so that a sheet at the bottom of the free area does not reach below it.
TEST(LgSichgPlacement, TheSheetCountsAFrameBeforeTheWindowSystemKnowsIt)
{
    struct Case
    {
        const char* name;
        QRect fenster, rahmen, haupt, hauptRahmen;
        QSize groesse;
    };
    const QRect fenster(300, 100, 560, 600);
    const Case cases[] = {
        {"the frame known", fenster, QRect(297, 72, 566, 631), QRect(1, 24, 1278, 660),
         QRect(0, 0, 1280, 685), QSize(566, 631)},
        {"a main window with a low title bar", fenster, fenster, QRect(1, 24, 1278, 660),
         QRect(0, 0, 1280, 685), QSize(562, 631)},
        {"a main window with a high title bar and wide edges", fenster, fenster, QRect(4, 40, 1272, 640),
         QRect(0, 0, 1280, 684), QSize(568, 644)},
        {"no main window", fenster, fenster, QRect(), QRect(), QSize(562, 631)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LgSichgPlacement::MitRahmen(c.fenster, c.rahmen, c.haupt, c.hauptRahmen), c.groesse);
    }
    // A sheet of the 1280 x 720 screen's free area's height less its frame stays inside it.
    LgSichgPlacement::Lage lage;
    lage.bereich = QRect(0, 0, 1280, 690);
    lage.ansicht = QRect(0, 150, 1280, 520);
    lage.ladeflaeche = QRect(60, 200, 1200, 300);
    const QSize groesse = LgSichgPlacement::MitRahmen(QRect(0, 0, 600, 650), QRect(0, 0, 600, 650),
                                                      QRect(1, 24, 1278, 640), QRect(0, 0, 1280, 665));
    EXPECT_TRUE(lage.bereich.contains(LgSichgPlacement::Platziere(lage, groesse).blatt));
    EXPECT_EQ(LgSichgPlacement::Platziere(lage, groesse).blatt.bottom(), lage.bereich.bottom());
}

// A small window manager writes the title in a bold sans font somewhat wider than this one and keeps
// room for the window's icon and buttons (measured: a 560 px wide window shows about 450 px of title):
// every step's title, the result's with either method, fits whole into the narrowest wizard's title
// bar in both languages.
TEST(PshLgSichgWizard, EveryStepTitleFitsTheTitleBarOfTheNarrowestWizard)
{
    const ResourceModule* before = ResourceModule::Current();
    const QFontMetrics titleFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
    const int kFreeWidth = 560 - 140;
    for (const QString& code : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        SCOPED_TRACE(code.toStdString());
        const std::unique_ptr<ResourceModule> module =
            ResourceModule::Load(code, QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_TRUE(module);
        ResourceModule::SetCurrent(module.get());
        std::vector<std::string> titles;
        for (const quint32 id : {428u, 429u, 488u, 445u, 431u, 432u, 489u, 499u})
            titles.push_back(FormatResChecked(id, {9, 9}));
        for (const quint32 method : {465u, 466u})
            titles.push_back(FormatResChecked(446, {9, 9, LoadResString(method), 99}));
        for (const std::string& title : titles)
            EXPECT_LE(titleFont.horizontalAdvance(QString::fromStdString(title)), kFreeWidth) << title;
    }
    ResourceModule::SetCurrent(before);
}
