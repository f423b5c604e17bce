// The blocking page: what blocks the unit, the forces kept for the calculation, and the questions
// before the blocking is dropped.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage2.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "platform/ResourceModule.h"
#include "tests/support/views/StandInViews.h"
#include "ui/CEditLast.h"
#include "ui/CQorBrowser.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ProgramRun.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kVor = 1103, kRechts = 1106;

class Page2Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override
    {
        delete m_wizard.data();
        m_view.reset();
        ResourceModule::SetCurrent(m_previous);
    }
    // A wizard on the blocking page (index 1) for the sample pallet standing at x, y.
    CPgLgSichgPage2* Open(double x, double y)
    {
        m_aufbau = fahrzeugtest::BaueSicherungsaufbau();
        std::size_t pos = 0;
        tagLGINFO* lg = m_aufbau.pEinheit->GetNextLadung(pos);
        EXPECT_NE(lg, nullptr);
        if (lg) {
            lg->m_dPosX = x;
            lg->m_dPosY = y;
        }
        m_aufbau.pEinheit->CalcAbmessungen();
        m_view = std::make_unique<FakeLgSicherungView>(m_aufbau.pDoc.get());
        m_wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard->SetView(m_view.get());
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        EXPECT_TRUE(m_wizard->GoToPage(1));
        return static_cast<CPgLgSichgPage2*>(m_wizard->GetPage(1));
    }
    static CEditLast* Feld(CPgLgSichgPage2* page, int id)
    {
        return qobject_cast<CEditLast*>(ControlId::Find(page, id));
    }
    static QAbstractButton* Box(CPgLgSichgPage2* page)
    {
        return qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage2::kIdBlockiert));
    }
    // Sets the box the way the user does.
    static void Blockieren(CPgLgSichgPage2* page)
    {
        QAbstractButton* box = Box(page);
        ASSERT_NE(box, nullptr);
        if (!box->isChecked())
            box->click();
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_aufbau;
    std::unique_ptr<FakeLgSicherungView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(Page2Test, SettingTheBoxFindsWhatBlocksAndOpensThoseFields)
{
    struct Case
    {
        const char* name;
        double x, y;
        bool bFsmVorne;          // a form-fit item stands in front of the unit
        std::array<int, 4> nArt; // expected kind per direction 0..3
    };
    const Case cases[] = {
        {"in the front corner at y = 0", 0.0, 0.0, false, {0, 0, 1, 1}},
        {"against the rear wall and the side at y = width", 6.0, 1.7, false, {1, 1, 0, 0}},
        {"free standing", 1.0, 0.85, false, {0, 0, 0, 0}},
        {"an item in front", 1.0, 0.85, true, {0, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPgLgSichgPage2* page = Open(c.x, c.y);
        if (c.bFsmVorne) {
            auto* item = new tagLGINFO;
            item->m_strName = "Keil";
            item->m_nTyp = tagLGINFO::kFsmTyp;
            item->m_dPosX = 0.8;
            item->m_dPosY = 0.85;
            item->m_dLaenge = 0.2;
            item->m_dBreite = 0.8;
            item->m_dHoehe = 0.3;
            item->m_nState = (2 + 1) << 9;
            m_aufbau.pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(item), false);
        }
        Blockieren(page);
        page->KickIdle();
        const bool bAny = c.nArt != std::array<int, 4>{0, 0, 0, 0};
        EXPECT_EQ(Box(page)->isChecked(), bAny) << "nothing found clears the box again";
        EXPECT_EQ(page->BlockierungGefunden(), bAny);
        EXPECT_EQ(m_wizard->GetParams().m_bBlockiert, bAny ? 1 : 0);
        EXPECT_EQ(m_wizard->GetStateWord(), bAny ? 2 : 1);
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(d);
            EXPECT_EQ(page->Blockierung()[std::size_t(d)].m_nArt, c.nArt[std::size_t(d)]);
            CEditLast* edit = Feld(page, CPgLgSichgPage2::kFelder[std::size_t(d)]);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->isEnabled(), c.nArt[std::size_t(d)] != 0);
            EXPECT_EQ(edit->text().isEmpty(), c.nArt[std::size_t(d)] == 0);
        }
        if (bAny) {
            // The hint's rows show a wall or an item by their pictures.
            QString html;
            page->BuildHintHtml(0, &html);
            EXPECT_EQ(html.contains(QStringLiteral("/bitmaps/687.png")), c.bFsmVorne);
            EXPECT_EQ(html.contains(QStringLiteral("/bitmaps/685.png")), !c.bFsmVorne);
        }
        if (std::string(c.name) == "in the front corner at y = 0") {
            EXPECT_TRUE(m_wizard->grab().save(
                QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page2.png")));
        }
        delete m_wizard.data();
    }
}

TEST_F(Page2Test, TypedForcesGoToTheSettingsAndClearingEmptiesThem)
{
    CPgLgSichgPage2* page = Open(0.0, 0.0);
    Blockieren(page);
    for (auto [id, text] : {std::pair{kVor, "350"}, std::pair{kRechts, "120"}}) {
        CEditLast* edit = Feld(page, id);
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromLatin1(text));
        edit->CommitText(true);
    }
    ASSERT_TRUE(m_wizard->GoToPage(2));
    const CWizardParams& wp = m_wizard->GetParams();
    EXPECT_EQ(wp.m_bBlockiert, 1);
    EXPECT_EQ(wp.m_FS[2].m_nKapazitaet, 350);
    EXPECT_EQ(wp.m_FS[3].m_nKapazitaet, 120);
    EXPECT_EQ(wp.m_FS[0].m_nArt, sFSParam::kKeine);

    // Coming back shows them again; clearing the box empties the fields and the settings.
    ASSERT_TRUE(m_wizard->GoToPage(1));
    EXPECT_EQ(Feld(page, kVor)->GetInt(), 350);
    Box(page)->click();
    EXPECT_TRUE(Feld(page, kVor)->text().isEmpty());
    EXPECT_TRUE(Feld(page, kRechts)->text().isEmpty());
    EXPECT_EQ(wp.m_bBlockiert, 0);
    EXPECT_EQ(wp.m_FS[2].m_nArt, sFSParam::kKeine);
}

TEST_F(Page2Test, GoingBackWithBlockingAsksUntilTheUserSaysNotAgain)
{
    struct Schritt
    {
        int nAntwort;
        bool bNichtMehr;
        bool bGefragt;
        bool bZurueck;
    };
    // Declining keeps the page and asks again; going back with "not again" stops the question for the
    // run, and a kept refusal never locks the page.
    const Schritt schritte[] = {
        {708, true, true, false},
        {12323, false, true, true},
        {12323, true, true, true},
        {708, false, false, true},
    };
    CPgLgSichgPage2* page = Open(0.0, 0.0);
    int n = 0;
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(n++);
        ASSERT_TRUE(m_wizard->GoToPage(1));
        Blockieren(page);
        m_boxes.Clear();
        m_boxes.AddAnswer(s.nAntwort, s.bNichtMehr);
        EXPECT_EQ(m_wizard->GoToPage(0), s.bZurueck);
        ASSERT_EQ(m_boxes.Records().size(), s.bGefragt ? 1 : 0);
        if (s.bGefragt) {
            EXPECT_EQ(m_boxes.Records().front().html.textId, 443);
            EXPECT_TRUE(m_boxes.Records().front().html.checkBox);
        }
        EXPECT_EQ(m_wizard->GetParams().m_bBlockiert, s.bZurueck ? 0 : 1);
        EXPECT_EQ(Box(page)->isChecked(), !s.bZurueck);
    }
}

TEST_F(Page2Test, MovingTheUnitClearsTheBlockingAndSaysSoOnce)
{
    CPgLgSichgPage2* page = Open(0.0, 0.0);
    for (int nMal = 0; nMal < 2; ++nMal) {
        SCOPED_TRACE(nMal);
        Blockieren(page);
        m_boxes.Clear();
        m_wizard->OnViewNotify(LgSichgMeldung::kTabGewechselt, std::intptr_t(1));
        EXPECT_FALSE(Box(page)->isChecked());
        EXPECT_FALSE(page->BlockierungGefunden());
        EXPECT_TRUE(Feld(page, kVor)->text().isEmpty());
        ASSERT_EQ(m_boxes.Records().size(), nMal == 0 ? 1 : 0);
        if (nMal == 0) {
            EXPECT_EQ(m_boxes.Records().front().html.textId, 694);
        }
    }
    // Without the box there is nothing to clear and nothing to say.
    m_boxes.Clear();
    m_wizard->OnViewNotify(LgSichgMeldung::kTabGewechselt, std::intptr_t(1));
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(Page2Test, TheHintListsTheBlockedDirections)
{
    CPgLgSichgPage2* page = Open(0.0, 0.0);
    QString html;
    page->BuildHintHtml(0, &html);
    EXPECT_FALSE(html.contains(QStringLiteral("daN</p>"))) << "nothing blocked yet";
    Blockieren(page);
    CEditLast* edit = Feld(page, kVor);
    edit->setText(QStringLiteral("350"));
    edit->CommitText(true);
    page->BuildHintHtml(0, &html);
    EXPECT_TRUE(html.contains(QStringLiteral("Forward: 350 daN")));
    EXPECT_TRUE(html.contains(QStringLiteral("To the right: 0 daN")));
    EXPECT_FALSE(html.contains(QStringLiteral("Rearward:")));
    EXPECT_FALSE(html.contains(QStringLiteral("<!--$")));
    // Each row carries the picture of what blocks, a picture of the language module that loads.
    const QRegularExpression bild(QStringLiteral("<img src=\"([^\"]+)\" width=\"16\" height=\"16\">Forward"));
    const QRegularExpressionMatch treffer = bild.match(html);
    ASSERT_TRUE(treffer.hasMatch()) << html.toStdString();
    EXPECT_TRUE(treffer.captured(1).endsWith(QStringLiteral("/bitmaps/685.png")));
    EXPECT_EQ(QImage(treffer.captured(1).mid(3)).size(), QSize(16, 16)); // "qrc:" is ":" for Qt's files
    // The explanation links to both tabs and to the usable load area.
    for (const char* link : {"app:tab1", "app:tab2", "app:usableArea"})
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"%1\"").arg(QLatin1String(link)))) << link;
}

namespace {

// A shell whose active document shows the given tabbed view.
class HostShell : public IViewShell
{
public:
    HostShell(ProgramRun& run, CTabbedViewView* pHost) : m_pHost(pHost), m_installation(run, *this) {}
    CTabbedViewView* GetActiveHost() const override { return m_pHost; }

private:
    CTabbedViewView* m_pHost;
    ServiceInstallation<IViewShell> m_installation;
};

// Records the commands that reach the window it watches.
class CommandRecorder : public QObject
{
public:
    std::vector<quint32> m_commands;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CommandEvent::kType)
            m_commands.push_back(static_cast<CommandEvent*>(e)->Id());
        return false;
    }
};

} // namespace

// The hint's links 0x8001 and 0x8002 switch the document's tabs and 0x8003 asks the main window for the
// usable load area; the friction page's links do nothing here.
TEST_F(Page2Test, HintLinksSwitchTheDocumentsTab)
{
    CPgLgSichgPage2* page = Open(0.0, 0.0);
    CTabbedViewView host(m_aufbau.pDoc.get(), MakeStandInView);
    // The shell of the run of the wizard's view.
    HostShell shell(m_view->GetViewProgramRun(), &host);
    ASSERT_TRUE(host.SelectTab(0));
    CommandRecorder hauptfenster;
    m_view->window()->installEventFilter(&hauptfenster);
    struct Case
    {
        const char* link;
        int nTab;
    };
    for (const Case& c :
         {Case{"app:tab1", 1}, Case{"app:tab2", 2}, Case{"app:friction/0.3", 2}, Case{"app:tab1/x", 1}}) {
        SCOPED_TRACE(c.link);
        auto* browser = page->findChild<CQorBrowser*>();
        ASSERT_NE(browser, nullptr);
        browser->OnBeforeNavigate(QString::fromLatin1(c.link));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(host.GetSelectedTab(), c.nTab);
    }
    EXPECT_TRUE(hauptfenster.m_commands.empty());
    page->findChild<CQorBrowser*>()->OnBeforeNavigate(QStringLiteral("app:usableArea"));
    QCoreApplication::sendPostedEvents(); // the link's command reaches the page
    QCoreApplication::sendPostedEvents(); // the page's command reaches the main window
    EXPECT_EQ(hauptfenster.m_commands, std::vector<quint32>{33148});
    EXPECT_EQ(host.GetSelectedTab(), 1);
}
