// The securing-choice page: the choices the unit's needs refuse, choosing again, and the proposal flag.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage3.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CLadeeinheit.h"
#include "model/securing/SNormParams.h"
#include "model/securing/SicherungsBedarf.h"
#include "platform/ResourceModule.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class Page3Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
        m_aufbau = fahrzeugtest::BaueSicherungsaufbau();
        m_aufbau.pEinheit->CalcAbmessungen();
    }
    void TearDown() override
    {
        delete m_wizard.data();
        m_view.reset();
        ResourceModule::SetCurrent(m_previous);
    }
    // A wizard on the securing-choice page (index 5), with the friction given.
    // With bNeueSicht false the wizard opens on the view (and its program run) of before.
    CPgLgSichgPage3* Open(float fReibung = 0.3f, bool bNeueSicht = true)
    {
        delete m_wizard.data();
        if (bNeueSicht || !m_view)
            m_view = std::make_unique<FakeLgSicherungView>(m_aufbau.pDoc.get());
        m_wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard->SetView(m_view.get());
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        m_wizard->GetParams().m_fReibungOhneMatte = fReibung;
        m_wizard->GetParams().m_nVerfahren = 1;
        // The first standard's coefficients, as the coefficients page sets them.
        m_wizard->GetParams().m_nNorm = 0;
        EXPECT_TRUE(SNormParams::GetStandard(0, &m_wizard->GetParams().m_Norm));
        EXPECT_TRUE(m_wizard->GoToPage(5));
        return static_cast<CPgLgSichgPage3*>(m_wizard->GetPage(5));
    }
    QAbstractButton* Knopf(int id)
    {
        return qobject_cast<QAbstractButton*>(ControlId::Find(m_wizard->GetPage(5), id));
    }
    void Befehl(int id)
    {
        CommandEvent e{quint32(id)};
        QCoreApplication::sendEvent(m_wizard->GetPage(5), &e);
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_aufbau;
    std::unique_ptr<FakeLgSicherungView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(Page3Test, ChoicesAlongOneAxisAreRefusedWhenTheOtherAxisNeedsSecuring)
{
    // The pallet's needs: friction 0.3 leaves every direction to the lashings; 0.6 only forward (0.8 g);
    // 0.3 with both lengthwise directions blocked only the sides.
    struct Case
    {
        const char* name;
        float fReibung;
        bool bLaengsBlockiert;
        int nWahl;
        int nText; // 0: accepted
    };
    const Case cases[] = {
        {"sideways only, lengthwise need", 0.6f, false, 3, 554},
        {"sideways only, every need", 0.3f, false, 3, 554},
        {"sideways only, lateral need", 0.3f, true, 3, 0},
        {"lengthwise only, lateral need", 0.3f, true, 4, 555},
        {"lengthwise only, lengthwise need", 0.6f, false, 4, 0},
        {"lengthwise only, every need", 0.3f, false, 4, 555},
        {"diagonal, every need", 0.3f, false, 0, 0},
        {"crossed, every need", 0.3f, false, 1, 0},
        {"outward, every need", 0.3f, false, 2, 0},
        {"sideways only, no need", 0.95f, false, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPgLgSichgPage3* page = Open(c.fReibung);
        if (c.bLaengsBlockiert)
            for (int d : {0, 2}) {
                m_wizard->GetParams().m_FS[d].m_nArt = 1;
                m_wizard->GetParams().m_FS[d].m_nKapazitaet = 100000;
            }
        const int nMaske = m_wizard->GetMaske();
        if (c.nText == 554) {
            ASSERT_NE(nMaske & SicherungsBedarf::kLaengs, 0);
        }
        if (c.nText == 555) {
            ASSERT_NE(nMaske & SicherungsBedarf::kQuer, 0);
        }
        Knopf(CPgLgSichgPage3::kIdWahl[std::size_t(c.nWahl)])->click();
        EXPECT_EQ(page->Wahl(), c.nWahl);
        m_boxes.Clear();
        const bool bWeiter = m_wizard->GoToPage(6);
        if (c.nText) {
            EXPECT_FALSE(bWeiter);
            EXPECT_EQ(m_wizard->ActiveIndex(), 5);
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_EQ(m_boxes.Records().front().html.textId, c.nText);
            // Going back is never refused.
            m_boxes.Clear();
            EXPECT_TRUE(m_wizard->GoToPage(4));
            EXPECT_TRUE(m_boxes.Records().isEmpty());
        } else {
            EXPECT_TRUE(bWeiter);
            EXPECT_EQ(m_wizard->ActiveIndex(), 6);
        }
    }
}

TEST_F(Page3Test, ARadioSetsTheChoiceAndTellsTheView)
{
    CPgLgSichgPage3* page = Open();
    EXPECT_EQ(page->Wahl(), 0);
    EXPECT_TRUE(Knopf(CPgLgSichgPage3::kIdWahl[0])->isChecked());
    // Start mode 0: the lashing points are proposed.
    EXPECT_TRUE(page->Vorschlagen());
    EXPECT_TRUE(m_wizard->IsZurrpunkteVorschlagen());
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page3.png")));
    QCoreApplication::sendPostedEvents();
    m_view->m_events.clear();
    Knopf(CPgLgSichgPage3::kIdWahl[4])->click();
    EXPECT_EQ(m_wizard->GetParams().m_nDetailWert, 4);
    QCoreApplication::sendPostedEvents();
    ASSERT_FALSE(m_view->m_events.empty());
    EXPECT_EQ(m_view->m_events.back().nType, int(LgSichgViewEvent::kPageNoticeType));
    EXPECT_EQ(m_view->m_events.back().nWParam, 0);
    EXPECT_EQ(m_view->m_events.back().nLParam, 4);
    EXPECT_TRUE(m_wizard->grab().save(
        QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page3_choice4.png")));
    Knopf(CPgLgSichgPage3::kIdVorschlagen)->click();
    EXPECT_FALSE(m_wizard->IsZurrpunkteVorschlagen());
}

TEST_F(Page3Test, ChoosingAgainAsksOnceAndRestartsTheReach)
{
    CPgLgSichgPage3* page = Open(0.95f);
    Knopf(CPgLgSichgPage3::kIdVorschlagen)->click();
    ASSERT_FALSE(page->Vorschlagen());
    ASSERT_TRUE(m_wizard->GoToPage(6));
    ASSERT_TRUE(m_wizard->GoToPage(5));
    ASSERT_EQ(m_wizard->GetReach(), 6);
    // Refused: nothing changes, and the question comes again next time.
    m_boxes.AddAnswer(705);
    Befehl(CPgLgSichgPage3::kIdNeuWaehlen);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records().front().html.textId, 542);
    EXPECT_EQ(m_wizard->GetReach(), 6);
    // Confirmed: the reach restarts here, and the page proposes points again.
    m_boxes.Clear();
    m_boxes.AddAnswer(668);
    Befehl(CPgLgSichgPage3::kIdNeuWaehlen);
    EXPECT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_wizard->GetReach(), 5);
    EXPECT_TRUE(page->Vorschlagen());
    EXPECT_TRUE(Knopf(CPgLgSichgPage3::kIdVorschlagen)->isChecked());
    // Not asked again in this run.
    ASSERT_TRUE(m_wizard->GoToPage(6));
    ASSERT_TRUE(m_wizard->GoToPage(5));
    m_boxes.Clear();
    Befehl(CPgLgSichgPage3::kIdNeuWaehlen);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    EXPECT_EQ(m_wizard->GetReach(), 5);
    EXPECT_TRUE(m_view->m_run.GetAntworten().bNeuWaehlenBestaetigt) << "kept in the view's run";
    // The wizard opened again in the same run does not ask; in the next run it asks again.
    for (const bool bNaechsterLauf : {false, true}) {
        SCOPED_TRACE(bNaechsterLauf ? "next run" : "same run");
        Open(0.95f, bNaechsterLauf);
        Knopf(CPgLgSichgPage3::kIdVorschlagen)->click();
        ASSERT_TRUE(m_wizard->GoToPage(6));
        ASSERT_TRUE(m_wizard->GoToPage(5));
        m_boxes.Clear();
        m_boxes.AddAnswer(705);
        Befehl(CPgLgSichgPage3::kIdNeuWaehlen);
        EXPECT_EQ(m_boxes.Records().size(), bNaechsterLauf ? 1 : 0);
    }
}
