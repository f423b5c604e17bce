// The method page: what the lashings go to, the questions about missing equipment, and the check
// before the attachment points are placed automatically.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage11.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CQorBrowser.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// A view that also counts the commands it is sent.
class CommandView : public FakeLgSicherungView
{
public:
    using FakeLgSicherungView::FakeLgSicherungView;
    std::vector<quint32> m_commands;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == CommandEvent::EventType()) {
            m_commands.push_back(static_cast<CommandEvent*>(e)->Id());
            return true;
        }
        return FakeLgSicherungView::event(e);
    }
};

class Page11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
        Neu();
    }
    // A fresh sample plan.
    void Neu()
    {
        m_aufbau = fahrzeugtest::BaueSicherungsaufbau();
        m_aufbau.pEinheit->CalcAbmessungen();
    }
    void TearDown() override
    {
        delete m_wizard.data();
        m_view.reset();
        ResourceModule::SetCurrent(m_previous);
    }
    // Vehicle lashing points at the given distances from the front, on the right side.
    void Punkte(const std::vector<double>& xs)
    {
        for (double x : xs) {
            auto* p = new CZurrpunkt(7.2, 2.5);
            p->m_nFlags = CZurrpunkt::kVonVorn;
            p->m_dAbstandLaengs = x;
            p->m_dAbstandQuer = 0.05;
            m_aufbau.pFahrzeug->m_Zurrpunkte.emplace_back(p);
        }
    }
    // Lashing rails on the given sides (0 or 2) at the given distances from that side.
    void Schienen(const std::vector<std::pair<int, double>>& rails)
    {
        for (auto [nSeite, d] : rails) {
            auto* s = new CZurrschiene;
            s->m_nSeite = nSeite;
            s->m_dPosition = d;
            m_aufbau.pFahrzeug->m_Zurrschienen.emplace_back(s);
        }
    }
    // A wizard on the method page (index 4).
    CPgLgSichgPage11* Open()
    {
        m_view = std::make_unique<CommandView>(m_aufbau.pDoc.get());
        m_wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard->SetView(m_view.get());
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        m_wizard->GetParams().m_fReibungOhneMatte = 0.3f;
        EXPECT_TRUE(m_wizard->GoToPage(4));
        return static_cast<CPgLgSichgPage11*>(m_wizard->GetPage(4));
    }
    static QAbstractButton* Knopf(CPgLgSichgPage11* page, int id)
    {
        return qobject_cast<QAbstractButton*>(ControlId::Find(page, id));
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_aufbau;
    std::unique_ptr<CommandView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(Page11Test, TheFirstEntryChoosesWhatTheVehicleOffers)
{
    struct Case
    {
        const char* name;
        bool bPunkte, bSchienen;
        int nOption;
    };
    for (const Case& c : {Case{"points and rails", true, true, 0}, Case{"rails only", false, true, 1},
                          Case{"nothing", false, false, -1}}) {
        SCOPED_TRACE(c.name);
        Neu();
        if (c.bPunkte)
            Punkte({1.0, 2.2});
        if (c.bSchienen)
            Schienen({{0, 0.05}, {2, 0.05}});
        CPgLgSichgPage11* page = Open();
        EXPECT_EQ(page->Option(), c.nOption);
        EXPECT_EQ(Knopf(page, CPgLgSichgPage11::kIdPunkte)->isChecked(), c.nOption == 0);
        EXPECT_EQ(Knopf(page, CPgLgSichgPage11::kIdSchienen)->isChecked(), c.nOption == 1);
        EXPECT_TRUE(Knopf(page, CPgLgSichgPage11::kIdAutomatisch)->isChecked());
        if (c.nOption == 0) {
            EXPECT_TRUE(m_wizard->grab().save(
                QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page11.png")));
        }
        m_boxes.Clear();
        const bool bWeiter = m_wizard->GoToPage(5);
        if (c.nOption < 0) {
            EXPECT_FALSE(bWeiter);
            EXPECT_EQ(m_wizard->ActiveIndex(), 4);
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_EQ(m_boxes.Records().front().html.textId, 501);
        } else {
            EXPECT_TRUE(bWeiter);
            EXPECT_EQ(m_wizard->GetParams().m_nQuerQuelle, c.nOption);
        }
        delete m_wizard.data();
        m_view.reset();
    }
}

TEST_F(Page11Test, AutomaticPlacementNeedsEquipmentThatReachesTheUnit)
{
    // The pallet stands at x 1.0..2.2, y 0.85..1.65 of the load area.
    struct Case
    {
        const char* name;
        std::vector<double> punkte;
        std::vector<std::pair<int, double>> schienen;
        bool bAutomatisch;
        int nLanding; // -1: refused
        int nText;
    };
    const Case cases[] = {
        {"points along the unit", {1.0, 2.0, 5.0}, {}, true, 7, 0},
        {"one point along the unit", {0.5, 2.0}, {}, true, -1, 552},
        {"one point along, placement by hand", {0.5, 2.0}, {}, false, 5, 0},
        {"rails on both sides", {}, {{0, 0.05}, {2, 0.05}}, true, 7, 0},
        {"a rail under the unit", {}, {{0, 1.0}, {2, 0.05}}, true, -1, 884},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Neu();
        Punkte(c.punkte);
        Schienen(c.schienen);
        CPgLgSichgPage11* page = Open();
        Knopf(page, CPgLgSichgPage11::kIdAutomatisch)->setChecked(c.bAutomatisch);
        m_boxes.Clear();
        m_wizard->GoToPage(5);
        EXPECT_EQ(m_wizard->ActiveIndex(), c.nLanding < 0 ? 4 : c.nLanding);
        if (c.nText != 0) {
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_EQ(m_boxes.Records().front().html.textId, c.nText);
        } else {
            EXPECT_TRUE(m_boxes.Records().isEmpty());
        }
        delete m_wizard.data();
        m_view.reset();
    }
}

TEST_F(Page11Test, MissingEquipmentIsAskedFor)
{
    struct Case
    {
        const char* name;
        int nBox;
        int nAntwort;
        int nText;
    };
    for (const Case& c : {Case{"points, declined", CPgLgSichgPage11::kIdPunkte, 12323, 540},
                          Case{"rails, declined", CPgLgSichgPage11::kIdSchienen, 12323, 541},
                          Case{"points, add them", CPgLgSichgPage11::kIdPunkte, 705, 540}}) {
        SCOPED_TRACE(c.name);
        Neu();
        CPgLgSichgPage11* page = Open();
        m_boxes.Clear();
        m_boxes.AddAnswer(c.nAntwort);
        Knopf(page, c.nBox)->click();
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records().front().html.textId, c.nText);
        EXPECT_TRUE(m_boxes.Records().front().html.checkBox);
        if (c.nAntwort == 705) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(m_wizard.isNull()) << "the wizard closes";
            ASSERT_FALSE(m_view->m_events.empty());
            EXPECT_EQ(m_view->m_events.front().nType, int(LgSichgViewEvent::kClosedType));
            EXPECT_EQ(m_view->m_commands, std::vector<quint32>{397});
        } else {
            EXPECT_FALSE(Knopf(page, c.nBox)->isChecked());
            EXPECT_EQ(page->Option(), -1);
        }
        delete m_wizard.data();
        m_view.reset();
    }
}

TEST_F(Page11Test, TheCornersOffsetsStayOnTheUnit)
{
    Punkte({1.0, 2.2});
    CPgLgSichgPage11* page = Open();
    // The pallet is 1.2 m long, 0.8 m wide and 1.0 m high.
    struct Case
    {
        int nFeld;
        const char* typed;
        float fErgebnis;
    };
    for (const Case& c :
         {Case{CPgLgSichgPage11::kIdLaengs, "900", 600.0f}, Case{CPgLgSichgPage11::kIdLaengs, "150", 150.0f},
          Case{CPgLgSichgPage11::kIdQuer, "500", 400.0f}, Case{CPgLgSichgPage11::kIdQuer, "-20", 0.0f},
          Case{CPgLgSichgPage11::kIdHoehe, "1500", 1000.0f},
          Case{CPgLgSichgPage11::kIdHoehe, "700", 700.0f}}) {
        SCOPED_TRACE(std::to_string(c.nFeld) + " " + c.typed);
        auto* edit = qobject_cast<CEditLast*>(ControlId::Find(page, c.nFeld));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromLatin1(c.typed));
        edit->CommitText(true);
        EXPECT_FLOAT_EQ(edit->GetFloat(), c.fErgebnis);
    }
    // The side view 1287 shows the attachment point at its height: lower for a lower point.
    auto markerHoehe = [page] {
        QWidget* seite = ControlId::Find(page, CPgLgSichgPage11::kIdSeitenansicht);
        if (!seite)
            return -1.0;
        const QImage bild = seite->grab().toImage();
        double summe = 0.0;
        int n = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const QColor c = bild.pixelColor(x, y);
                if (c.red() > 240 && std::abs(c.green() - 200) < 12 && c.blue() < 30) {
                    summe += y;
                    ++n;
                }
            }
        return n > 0 ? summe / n : -1.0;
    };
    const double dBei700 = markerHoehe();
    ASSERT_GT(dBei700, 0.0);
    auto* hoehe = qobject_cast<CEditLast*>(ControlId::Find(page, CPgLgSichgPage11::kIdHoehe));
    hoehe->setText(QStringLiteral("200"));
    hoehe->CommitText(true);
    EXPECT_GT(markerHoehe(), dBei700 + 10.0) << "the marker moved down";
    hoehe->setText(QStringLiteral("700"));
    hoehe->CommitText(true);
    EXPECT_NEAR(markerHoehe(), dBei700, 0.5);
    // Corner 0 keeps 150 / 0 / 700 mm (0.3 m below the top); another corner shows its own values.
    const CAnschlagpunkt* pPunkt = m_aufbau.pEinheit->GetAnschlagpunkt(0);
    ASSERT_NE(pPunkt, nullptr);
    EXPECT_NEAR(pPunkt->m_dVersatz1, 0.15, 1e-6);
    EXPECT_NEAR(pPunkt->m_dVersatz3, 0.3, 1e-6);
    Knopf(page, CPgLgSichgPage11::kIdEcke0 + 3)->click();
    EXPECT_EQ(page->Ecke(), 3);
    EXPECT_EQ(m_aufbau.pEinheit->GetSichgModus(nullptr), 3);
    EXPECT_FLOAT_EQ(qobject_cast<CEditLast*>(ControlId::Find(page, CPgLgSichgPage11::kIdLaengs))->GetFloat(),
                    0.0f);
    Knopf(page, CPgLgSichgPage11::kIdDetail)->click();
    EXPECT_TRUE(Knopf(page, CPgLgSichgPage11::kIdEcke0 + 3)->isChecked()) << "two radio groups";
    EXPECT_TRUE(m_wizard->grab().save(
        QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page11_detailed.png")));
}

// The corner is the wizard's word, which the lashing-points page shares; the unit's sub-index is kept.
TEST_F(Page11Test, TheCornerIsTheWizardsWord)
{
    Punkte({1.0, 2.2});
    CPgLgSichgPage11* page = Open();
    EXPECT_EQ(m_wizard->GetEcke(), 0);
    Knopf(page, CPgLgSichgPage11::kIdEcke0 + 2)->click();
    EXPECT_EQ(m_wizard->GetEcke(), 2);
    // Elsewhere the corner became 1 with the unit's second attachment point.
    ASSERT_TRUE(m_wizard->GoToPage(3));
    m_wizard->SetEcke(1);
    m_aufbau.pEinheit->SetSichgModus(1, 1);
    ASSERT_TRUE(m_wizard->GoToPage(4));
    EXPECT_EQ(page->Ecke(), 1);
    EXPECT_TRUE(Knopf(page, CPgLgSichgPage11::kIdEcke0 + 1)->isChecked());
    EXPECT_EQ(m_wizard->GetEckeSub(), 1);
    int nMarke = 0;
    EXPECT_EQ(m_aufbau.pEinheit->GetSichgModus(&nMarke), 1);
    EXPECT_EQ(nMarke, 2) << "the view marks the attachment point";
    // Coming back keeps the sub-index, not this page's mark.
    ASSERT_TRUE(m_wizard->GoToPage(3));
    ASSERT_TRUE(m_wizard->GoToPage(4));
    EXPECT_EQ(m_wizard->GetEckeSub(), 1);
}

TEST_F(Page11Test, TheHintFollowsTheMethodAndTheTarget)
{
    Schienen({{0, 0.05}, {2, 0.05}});
    CPgLgSichgPage11* page = Open();
    struct Case
    {
        bool bDetail;
        const char* sichtbar;
    };
    for (const Case& c :
         {Case{false, "Top-over lashing</b> presses"}, Case{true, "Direct lashing</b> ties"}}) {
        SCOPED_TRACE(c.bDetail);
        Knopf(page, c.bDetail ? CPgLgSichgPage11::kIdDetail : CPgLgSichgPage11::kIdEinfach)->click();
        QString html;
        page->BuildHintHtml(0, &html);
        EXPECT_TRUE(html.contains(QStringLiteral("<b>The vehicle&#39;s lashing rails</b>")) ||
                    html.contains(QStringLiteral("<b>The vehicle's lashing rails</b>")))
            << html.toStdString();
        const qsizetype at = html.indexOf(QLatin1String(c.sichtbar));
        ASSERT_GE(at, 0);
        EXPECT_EQ(html.lastIndexOf(QStringLiteral("class=\"\""), at),
                  html.lastIndexOf(QStringLiteral("class="), at))
            << "the paragraph of the chosen method is shown";
        EXPECT_FALSE(html.contains(QStringLiteral("<!--$")));
        // The pane shows that paragraph only: the other one is left out.
        auto* pane = page->findChild<CQorBrowser*>();
        ASSERT_NE(pane, nullptr);
        const QString shown = pane->toPlainText();
        EXPECT_EQ(shown.contains(QStringLiteral("Direct lashing ties")), c.bDetail) << shown.toStdString();
        EXPECT_EQ(shown.contains(QStringLiteral("Top-over lashing presses")), !c.bDetail)
            << shown.toStdString();
    }
}
