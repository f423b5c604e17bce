// The load-unit page: forming a unit from the marked loads, and what the page allows meanwhile.
#include "FakeLgSicherungView.h"
#include "FarbBild.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage1.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "platform/ResourceModule.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A view whose zoom the test chooses.
class ZoomView : public FakeLgSicherungView
{
public:
    using FakeLgSicherungView::FakeLgSicherungView;
    int MetresToPixels(double dMetres) override { return int(dMetres * m_nPixelProMeter); }
    int m_nPixelProMeter = 100;
};

struct Ladung
{
    double x, y, l, b, h;
};

class Page1Test : public ::testing::Test
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
    // A wizard on the load-unit page for a plan without units whose loads are marked as given.
    CPgLgSichgPage1* Open(const std::vector<Ladung>& ladungen, int nPixelProMeter)
    {
        m_aufbau = fahrzeugtest::BaueSicherungsaufbau();
        CQOR* pPlan = m_aufbau.pPlan;
        int nIndex = 0;
        pPlan->RemoveAktiveLadeeinheit(&nIndex);
        pPlan->m_nAktiveLadeeinheit = 0;
        m_lgs.clear();
        for (const Ladung& l : ladungen) {
            auto* lg = new tagLGINFO;
            lg->m_strName = "Kiste";
            lg->m_dPosX = l.x;
            lg->m_dPosY = l.y;
            lg->m_dLaenge = l.l;
            lg->m_dBreite = l.b;
            lg->m_dHoehe = l.h;
            lg->m_dMasse = 0.2;
            lg->m_nState = tagLGINFO::kStateMarked;
            lg->m_bSelected = 1;
            pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
            m_lgs.push_back(lg);
        }
        m_view = std::make_unique<ZoomView>(m_aufbau.pDoc.get());
        m_view->m_nPixelProMeter = nPixelProMeter;
        m_wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard->SetView(m_view.get());
        EXPECT_TRUE(m_wizard->Create());
        return static_cast<CPgLgSichgPage1*>(m_wizard->GetPage(0));
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_aufbau;
    std::unique_ptr<ZoomView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
    std::vector<tagLGINFO*> m_lgs;
};

} // namespace

TEST_F(Page1Test, MarkedLoadsFormAUnitOnlyWhenFlushAndLevel)
{
    struct Case
    {
        const char* name;
        std::vector<Ladung> ladungen;
        bool bGebildet;
    };
    const Case cases[] = {
        {"a flush block of equal heights", {{2.0, 0.5, 1.2, 0.8, 1.0}, {3.2, 0.5, 1.2, 0.8, 1.0}}, true},
        {"tops 2 cm apart", {{2.0, 0.5, 1.2, 0.8, 1.0}, {3.2, 0.5, 1.2, 0.8, 1.02}}, true},
        {"tops 3 cm apart", {{2.0, 0.5, 1.2, 0.8, 1.0}, {3.2, 0.5, 1.2, 0.8, 1.03}}, false},
        {"a gap of 20 cm", {{2.0, 0.5, 1.2, 0.8, 1.0}, {3.4, 0.5, 1.2, 0.8, 1.0}}, false},
        {"nothing marked", {}, false},
    };
    for (int nZoom : {100, 37}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(nZoom) + " pixels a metre");
            CPgLgSichgPage1* page = Open(c.ladungen, nZoom);
            m_boxes.Clear();
            EXPECT_EQ(page->BildeEinheit(), c.bGebildet);
            CLadeeinheit* pEinheit = m_aufbau.pPlan->GetAktiveLadeeinheit();
            if (c.bGebildet) {
                ASSERT_NE(pEinheit, nullptr);
                EXPECT_TRUE(m_boxes.Records().isEmpty());
                EXPECT_EQ(pEinheit->m_Lgs.size(), c.ladungen.size());
                EXPECT_EQ(pEinheit->m_bVorhanden, 1);
                for (tagLGINFO* lg : m_lgs) {
                    EXPECT_EQ(lg->GetLeId(), pEinheit->GetId());
                    EXPECT_EQ(lg->m_bSelected, 0);
                }
                double x = 0, y = 0, l = 0, b = 0;
                pEinheit->GetRechteck(&x, &y, &l, &b);
                EXPECT_NEAR(l, 2.4, 1e-9);
            } else {
                EXPECT_EQ(pEinheit, nullptr);
                EXPECT_TRUE(m_aufbau.pPlan->GetLadeeinheiten().empty());
                ASSERT_EQ(m_boxes.Records().size(), 1);
                EXPECT_EQ(m_boxes.Records().front().html.textId, 484);
                for (tagLGINFO* lg : m_lgs)
                    EXPECT_EQ(lg->GetLeId(), 0);
            }
            delete m_wizard.data();
        }
    }
}

TEST_F(Page1Test, APlanWithEveryIdTakenFormsNoUnit)
{
    CPgLgSichgPage1* page = Open({{2.0, 0.5, 1.2, 0.8, 1.0}}, 100);
    for (int nId = 1; nId <= 63; ++nId)
        m_aufbau.pPlan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(nId)), nId - 1);
    EXPECT_FALSE(page->BildeEinheit());
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records().front().html.textId, 4121);
    EXPECT_EQ(m_aufbau.pPlan->GetLadeeinheiten().size(), 63u);
    EXPECT_EQ(m_aufbau.pPlan->m_nAktiveLadeeinheit, 0);
    EXPECT_EQ(m_lgs.front()->GetLeId(), 0);
}

TEST_F(Page1Test, TheFormedUnitIsWhatTheWizardGoesOnWith)
{
    CPgLgSichgPage1* page = Open({{0.0, 0.0, 1.2, 0.8, 1.0}, {0.0, 0.8, 1.2, 0.8, 1.0}}, 100);
    m_wizard->show();
    EXPECT_FALSE(m_wizard->GetLadeeinheit());
    ASSERT_TRUE(page->BildeEinheit());
    ASSERT_NE(m_wizard->GetLadeeinheit(), nullptr);
    const int nId = m_wizard->GetLadeeinheit()->GetId();
    page->KickIdle();
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page1.png")));
    ASSERT_TRUE(m_wizard->GoToPage(1));
    EXPECT_EQ(m_wizard->GetParams().m_nNummer, nId);
}

TEST_F(Page1Test, TheHintListsTheLoadsWithTheirNamesEscaped)
{
    CPgLgSichgPage1* page = Open({{2.0, 0.5, 1.2, 0.8, 1.0}, {3.2, 0.5, 1.2, 0.8, 1.0}}, 100);
    m_lgs[0]->m_strName = "Box <b>&amp; \"A\"";
    m_lgs[1]->m_strName = "Drum";
    m_wizard->show();
    struct Case
    {
        const char* name;
        bool bEinheit;
        const char* farbe;
        const char* kopf;
    };
    for (const Case& c : {Case{"marked loads", false, "#F7F7F7", "Marked loads"},
                          Case{"the formed unit", true, "#9CB4F1", "Load unit 1 of the plan Plan"}}) {
        SCOPED_TRACE(c.name);
        if (c.bEinheit) {
            ASSERT_TRUE(page->BildeEinheit());
        }
        QString html;
        page->BuildHintHtml(0, &html);
        EXPECT_TRUE(html.contains(QStringLiteral("Box &lt;b&gt;&amp;amp; &quot;A&quot;")))
            << html.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("<b>&amp;")));
        EXPECT_EQ(html.count(QLatin1String(c.farbe)), 2);
        EXPECT_TRUE(html.contains(QLatin1String(c.kopf)));
        EXPECT_EQ(html.contains(QStringLiteral("400 kg")), c.bEinheit) << "the unit's total mass";
        EXPECT_FALSE(html.contains(QStringLiteral("<!--$")));
    }
}

TEST_F(Page1Test, TheHintsPicturesKeepToTheirBox)
{
    // The hint pane draws with Qt's rich text, which takes a picture's size only as plain numbers: a
    // load's picture is fitted into 64 x 64 pixels keeping its shape, for the marked loads and for the
    // loads of the formed unit.
    QTemporaryDir bilder;
    ASSERT_TRUE(bilder.isValid());
    ASSERT_TRUE(SchreibeFarbBild(bilder.filePath(QStringLiteral("bild.png")), 200, 150));
    const BilderOrdner folder(bilder.path());
    CPgLgSichgPage1* page = Open({{2.0, 0.5, 1.2, 0.8, 1.0}}, 100);
    m_lgs[0]->m_nTyp = 3;
    m_lgs[0]->m_strBildDatei = "bild.png";
    for (bool bEinheit : {false, true}) {
        SCOPED_TRACE(bEinheit ? "the formed unit" : "the marked loads");
        if (bEinheit) {
            ASSERT_TRUE(page->BildeEinheit());
        }
        QString html;
        page->BuildHintHtml(0, &html);
        const QRect r = FarbBildFlaeche(html);
        EXPECT_NEAR(r.width(), 64, 1) << html.toStdString();
        EXPECT_NEAR(r.height(), 48, 1) << html.toStdString();
    }
}
