// The lashing-points page: proposals on entry, typed names, clicks in the view, the rail position, the
// unit's copies kept in step with the vehicle, and the check before moving on.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage10.h"
#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "loadsecuring/SZurrschienenKlick.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"
#include "model/securing/ZurrGeometrie.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPointer>

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace {

// A view that answers the rail position under the cursor from the test.
class RailView : public FakeLgSicherungView
{
public:
    using FakeLgSicherungView::FakeLgSicherungView;
    bool GetRailPosAtCursor(CZurrschiene** pp, double* pX) override
    {
        if (!m_pSchiene)
            return false;
        *pp = m_pSchiene;
        *pX = m_dX;
        return true;
    }
    CZurrschiene* m_pSchiene = nullptr;
    double m_dX = 0.0;
};

// The sample pallet stands at x 1.0..2.2, y 0.85..1.65: corners (1.0, 0.85) front right, (2.2, 0.85)
// rear right, (1.0, 1.65) front left, (2.2, 1.65) rear left. Points every 0.5 m on both sides 5 cm in
// from the edges and a front point on each side.
class Page10Test : public ::testing::Test
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
        f = m_aufbau.pFahrzeug;
        u = m_aufbau.pEinheit;
    }
    void TearDown() override
    {
        delete m_wizard.data();
        m_view.reset();
        ResourceModule::SetCurrent(m_previous);
    }
    CZurrpunkt* Punkt(double x, bool bLinks, int nNr, int nVorn = 0)
    {
        auto* p = new CZurrpunkt(7.2, 2.5);
        p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0) | nVorn;
        p->m_dAbstandLaengs = x;
        p->m_dAbstandQuer = nVorn ? 0.6 : 0.05;
        p->m_nNummer = nNr;
        f->m_Zurrpunkte.emplace_back(p);
        return p;
    }
    void Punkte()
    {
        for (int i = 0; i < 12; ++i) {
            Punkt(0.5 + 0.5 * i, false, i + 1);
            Punkt(0.5 + 0.5 * i, true, i + 1);
        }
        Punkt(0.05, false, 1, CZurrpunkt::kVorn);
        Punkt(0.05, true, 1, CZurrpunkt::kVorn);
    }
    CZurrpunkt* Finde(const std::string& name)
    {
        for (CZurrpunkt* p : f->GetZurrpunktListe())
            if (p->GetName() == name)
                return p;
        return nullptr;
    }
    void Schienen()
    {
        for (int nSeite : {0, 2}) {
            auto* s = new CZurrschiene;
            s->m_nSeite = nSeite;
            s->m_dPosition = 0.1;
            s->m_dWeitereWerte[0] = 0.5;
            s->m_nZulKraft = 2000;
            f->m_Zurrschienen.emplace_back(s);
        }
    }
    // A wizard on the lashing-points page (index 6) for the choice, proposing points when asked.
    CPgLgSichgPage10* Open(int nWahl, bool bVorschlagen, int nS = 0)
    {
        delete m_wizard.data();
        m_view = std::make_unique<RailView>(m_aufbau.pDoc.get());
        m_wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard->SetView(m_view.get());
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        CWizardParams& wp = m_wizard->GetParams();
        wp.m_fReibungOhneMatte = 0.3f;
        wp.m_nVerfahren = 1;
        wp.m_nNorm = 0;
        EXPECT_TRUE(SNormParams::GetStandard(0, &wp.m_Norm));
        wp.m_nDetailWert = nWahl;
        wp.m_nQuerQuelle = nS;
        m_wizard->SetZurrpunkteVorschlagen(bVorschlagen);
        EXPECT_TRUE(m_wizard->GoToPage(6));
        return static_cast<CPgLgSichgPage10*>(m_wizard->GetPage(6));
    }
    CEditLast* Feld(int id) { return qobject_cast<CEditLast*>(ControlId::Find(m_wizard->GetPage(6), id)); }
    QAbstractButton* Knopf(int id)
    {
        return qobject_cast<QAbstractButton*>(ControlId::Find(m_wizard->GetPage(6), id));
    }
    std::string Name(int nEcke)
    {
        CZurrpunkt* p = u->GetZurrpunkt(nEcke, 0);
        return p ? p->GetName() : std::string("-");
    }
    // Types a text into a corner field and commits it as leaving the field does.
    void Tippe(int nEcke, const QString& text)
    {
        CEditLast* e = Feld(CPgLgSichgPage10::kIdFeld[std::size_t(nEcke)]);
        e->setText(text);
        e->CommitText(false);
    }
    int Boxen(int nText)
    {
        int n = 0;
        for (const auto& r : m_boxes.Records())
            n += r.html.textId == nText;
        return n;
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_aufbau;
    std::unique_ptr<RailView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
    CFahrzeug* f = nullptr;
    CLadeeinheit* u = nullptr;
};

} // namespace

TEST_F(Page10Test, EnteringProposesAPointPerCornerAndSaysOnceWhenOneIsMissing)
{
    Punkte();
    CPgLgSichgPage10* page = Open(3, true);
    // Straight to the sides: the point beside each corner.
    EXPECT_EQ(Name(0), "R02");
    EXPECT_EQ(Name(1), "R04");
    EXPECT_EQ(Name(2), "L02");
    EXPECT_EQ(Name(3), "L04");
    EXPECT_EQ(Boxen(551), 0);
    EXPECT_EQ(Feld(1246)->text(), QStringLiteral("R02"));
    EXPECT_EQ(page->Ecke(), 0);
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page10.png")));
    // Without the left point beside the rear corner, three corners get one: 551 once.
    for (int i = 0; i < 4; ++i)
        u->SetZurrpunkt(i, 0, nullptr);
    EXPECT_TRUE(f->RemoveZurrpunkt(Finde("L04")));
    m_boxes.Clear();
    Open(3, true);
    EXPECT_EQ(Name(3), "-");
    EXPECT_EQ(Boxen(551), 1);
    EXPECT_EQ(m_boxes.Records().size(), 1);
    // Without the flag nothing is proposed.
    for (int i = 0; i < 4; ++i)
        u->SetZurrpunkt(i, 0, nullptr);
    m_boxes.Clear();
    Open(3, false);
    EXPECT_EQ(Name(0), "-");
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(Page10Test, TypedNamesAreNormalisedOrRefused)
{
    Punkte();
    struct Case
    {
        const char* name;
        int nWahl, nEcke;
        const char* text;
        const char* feld; // what the field shows afterwards
        const char* slot; // the corner's point afterwards
    };
    const Case cases[] = {
        {"lower case", 3, 0, "r2", "R02", "R02"},
        {"front point, V first", 4, 0, "VR1", "FR01", "FR01"},
        {"front point, V second", 4, 2, "LV1", "FL01", "FL01"},
        {"both sides", 3, 0, "LR2", "R04", "R04"},
        {"digit first", 3, 0, "2R", "R04", "R04"},
        {"V after the number", 4, 0, "L1V", "R04", "R04"},
        {"digits alone, all selectable on the right", 3, 0, "2", "R02", "R02"},
        {"a valid name outside the window", 3, 0, "R09", "R04", "R04"},
        {"empty clears", 3, 0, "", "", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The corner holds R04 before (not selectable itself for corner 0, but kept).
        ZurrGeometrie::AssignKopie(*u, c.nEcke, 0, Finde("R04"));
        u->SetSichgModus(c.nEcke, 0);
        CPgLgSichgPage10* page = Open(c.nWahl, false);
        ASSERT_EQ(page->Ecke(), c.nEcke);
        // A reach beyond the page: a taken name restarts it here, a refused one leaves it.
        m_wizard->SetReach(7);
        Tippe(c.nEcke, QString::fromLatin1(c.text));
        EXPECT_EQ(Feld(CPgLgSichgPage10::kIdFeld[std::size_t(c.nEcke)])->text(), QString::fromLatin1(c.feld));
        EXPECT_EQ(Name(c.nEcke), c.slot);
        EXPECT_EQ(m_wizard->GetReach(), std::string(c.slot) != "R04" ? 6 : 7);
        u->SetZurrpunkt(c.nEcke, 0, nullptr);
    }
}

TEST_F(Page10Test, ClicksInTheViewAssignClearAndSwitch)
{
    Punkte();
    CPgLgSichgPage10* page = Open(3, false);
    CZurrpunkt* r02 = Finde("R02");
    // The same vehicle point twice: assigned, then the slot is cleared.
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGewaehlt, r02));
    EXPECT_EQ(Name(0), "R02");
    EXPECT_EQ(u->GetZurrpunkt(0, 0)->m_pFahrzeugPunkt, r02);
    EXPECT_EQ(Feld(1246)->text(), QStringLiteral("R02"));
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGewaehlt, r02));
    EXPECT_EQ(Name(0), "-");
    EXPECT_EQ(Feld(1246)->text(), QString());
    // The current corner clicked: its sub-index toggles; another corner takes the check box's state.
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kEckeGeklickt, std::intptr_t(0)));
    EXPECT_EQ(page->Ecke(), 0);
    EXPECT_EQ(page->Sub(), 1);
    EXPECT_TRUE(Knopf(CPgLgSichgPage10::kIdZweiter)->isChecked());
    EXPECT_EQ(Feld(1246)->BkColor(), QColor(255, 131, 6));
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kEckeGeklickt, std::intptr_t(0)));
    EXPECT_EQ(page->Sub(), 0);
    EXPECT_EQ(Feld(1246)->BkColor(), QColor(198, 90, 19));
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kEckeGeklickt, std::intptr_t(3)));
    EXPECT_EQ(page->Ecke(), 3);
    EXPECT_EQ(page->Sub(), 0);
    EXPECT_TRUE(Knopf(CPgLgSichgPage10::kIdEcke0 + 3)->isChecked());
    EXPECT_EQ(Feld(1246)->BkColor(), QColor(Qt::white));
    EXPECT_EQ(Feld(1139)->BkColor(), QColor(198, 90, 19));
    // The window follows the corner: the left point beside the rear corner is selectable now.
    EXPECT_TRUE(Finde("L04")->IsWaehlbar());
    EXPECT_FALSE(Finde("R02")->IsWaehlbar());
    // The second slot of a corner is not held by the unit: a point clicked there is refused and the
    // field stays empty rather than showing a point that is not kept.
    m_wizard->OnViewNotify(LgSichgMeldung::kEckeGeklickt, std::intptr_t(3));
    ASSERT_EQ(page->Sub(), 1);
    m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGewaehlt, Finde("L04"));
    EXPECT_EQ(u->GetZurrpunkt(3, 1), nullptr);
    EXPECT_EQ(Feld(1139)->text(), QString());
}

TEST_F(Page10Test, RailPositionsAreHeldToTheRailsRange)
{
    Schienen();
    CPgLgSichgPage10* page = Open(3, false, 1);
    ASSERT_EQ(page->Option(), 1);
    // The rail of side 2 lies 0.1 m from the side at y = 0, beside corner 0.
    CZurrschiene* rechts = f->GetZurrschienen().back();
    double von = 0, bis = 0;
    ASSERT_TRUE(rechts->GetBereich(&von, &bis));
    // Corner 0 straight to the right: the right rail within 15 degrees of its x.
    EXPECT_NEAR(von, 1.0 - 0.75 * std::tan(15 * 3.14159265358979 / 180), 1e-5);
    Knopf(CPgLgSichgPage10::kIdSchiene2)->click();
    CEditLast* e = Feld(CPgLgSichgPage10::kIdSchienenPos);
    struct Case
    {
        const char* name;
        const char* text;
        double x; // metres; -1 none
    };
    const Case cases[] = {
        {"inside", "1100", 1.1},
        {"before the range", "100", von},
        {"beyond the range", "5000", bis},
        {"empty clears", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e->setText(QString::fromLatin1(c.text));
        e->CommitText(false);
        CZurrpunkt* p = u->GetZurrpunkt(0, 0);
        if (c.x < 0) {
            EXPECT_EQ(p, nullptr);
            continue;
        }
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->GetZurrschiene(), rechts);
        EXPECT_NEAR(p->GetPosX(), c.x, 1e-3);
        EXPECT_NEAR(p->GetPosY(), 0.1, 1e-9);
    }
    // A click on the rail: the place under the cursor.
    m_view->m_pSchiene = rechts;
    m_view->m_dX = 1.05;
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kSchienenpunktGeklickt, {}));
    ASSERT_NE(u->GetZurrpunkt(0, 0), nullptr);
    EXPECT_NEAR(u->GetZurrpunkt(0, 0)->GetPosX(), 1.05, 1e-9);
    EXPECT_NEAR(e->GetDouble(), 1050.0, 1e-6);
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page10_rails.png")));
    // The unit's own rail point clicked while current: the slot is cleared.
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kSchienenpunktGeklickt, u->GetZurrpunkt(0, 0)));
    EXPECT_EQ(u->GetZurrpunkt(0, 0), nullptr);
    // A rail and an offset from its start.
    SZurrschienenKlick klick{rechts, 0.7};
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kSchieneGeklickt, &klick));
    ASSERT_NE(u->GetZurrpunkt(0, 0), nullptr);
    EXPECT_NEAR(u->GetZurrpunkt(0, 0)->GetPosX(), 1.2, 1e-9);
}

TEST_F(Page10Test, TheUnitsCopiesFollowTheVehicle)
{
    Punkte();
    Schienen();
    Open(3, true);
    ASSERT_EQ(Name(0), "R02");
    CZurrpunkt* r02 = Finde("R02");
    // 37: a changed point passes its values to its copies.
    r02->m_dZulKraft = 1234;
    r02->m_dAbstandLaengs = 1.02;
    r02->m_bPosGueltig = 0;
    m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktVerschoben, r02);
    EXPECT_EQ(u->GetZurrpunkt(0, 0)->m_dZulKraft, 1234);
    EXPECT_NEAR(u->GetZurrpunkt(0, 0)->GetPosX(), 1.02, 1e-12);
    // 38: the points were numbered anew; the copies take their numbers.
    r02->m_nNummer = 7;
    m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunkteHinzugefuegt, {});
    EXPECT_EQ(Name(0), "R07");
    EXPECT_EQ(Feld(1246)->text(), QStringLiteral("R07"));
    // 39: a removed point leaves its copies; the others stay.
    m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGeloescht, r02);
    EXPECT_EQ(Name(0), "-");
    EXPECT_NE(Name(1), "-");
    // A rail point at corner 0; 31: the rails changed, the rail point takes the rail's values.
    ZurrGeometrie::AssignRailPoint(*f, *u, 0, 0, f->GetZurrschienen().back(), 1.1);
    f->GetZurrschienen().back()->m_dPosition = 0.2;
    f->GetZurrschienen().back()->m_nZulKraft = 3000;
    m_wizard->OnViewNotify(LgSichgMeldung::kSchienenGeaendert, &f->m_Zurrschienen);
    ASSERT_NE(u->GetZurrpunkt(0, 0), nullptr);
    EXPECT_NEAR(u->GetZurrpunkt(0, 0)->GetPosY(), 0.2, 1e-6);
    EXPECT_NEAR(u->GetZurrpunkt(0, 0)->GetPosX(), 1.1, 1e-9);
    EXPECT_EQ(u->GetZurrpunkt(0, 0)->m_dSchienenKraft, 3000.0);
    // 32: the rails are gone: every rail point of the unit is cleared, the copies of points stay.
    m_wizard->OnViewNotify(LgSichgMeldung::kSchienenGeloescht, {});
    EXPECT_EQ(Name(0), "-");
    EXPECT_NE(Name(1), "-");
    // 40: every point was removed: every copy goes (the sources are not touched: they may be gone).
    m_wizard->OnViewNotify(LgSichgMeldung::kAlleZurrpunkteGeloescht, {});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(u->GetZurrpunkt(i, 0), nullptr);
}

TEST_F(Page10Test, MovingOnNeedsALashingOnBothSidesOfEveryDirectionThatNeedsOne)
{
    Punkte();
    Open(2, true); // outward diagonals: every corner gets a point, every direction is served
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(Name(i), "-") << i;
    m_boxes.Clear();
    ASSERT_TRUE(m_wizard->GoToPage(7));
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    ASSERT_TRUE(m_wizard->GoToPage(6));
    // Without the rear left lashing, forward has nothing on the left: the first direction tested.
    // A centre of gravity 1 m up tips the pallet forward (0.6 / 1.0 below c0 = 0.8); a friction of 0.9
    // leaves nothing to slide: the message says sliding (507), tipping (504) or both (505).
    struct Case
    {
        const char* name;
        std::vector<int> leer;
        const char* richtung;
        const char* sprache;
        double dSPHoehe;
        float fReibung;
        quint32 nText;
    };
    const Case cases[] = {
        {"rear left missing", {3}, "forward", "EN", 0.5, 0.3f, 507},
        {"front corners missing", {0, 2}, "backward", "EN", 0.5, 0.3f, 507},
        {"front right missing", {0}, "backward", "EN", 0.5, 0.3f, 507},
        {"the German order: direction first", {3}, "forward", "DE", 0.5, 0.3f, 507},
        {"the German order, code in lower case", {3}, "forward", "de", 0.5, 0.3f, 507},
        {"tall: sliding and tipping", {3}, "forward", "EN", 1.0, 0.3f, 505},
        {"tall on a high friction: tipping only", {3}, "forward", "EN", 1.0, 0.9f, 504},
    };
    tagLGINFO* palette = m_aufbau.pPlan->GetLgInfos().front();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        palette->m_dSPHoehe = c.dSPHoehe;
        m_wizard->GetParams().m_fReibungOhneMatte = c.fReibung;
        CZurrpunkt scratch(0.0, 0.0);
        ZurrGeometrie::AutoAssignZurrpunkte(*f, *u, 2, 0, scratch);
        for (int e : c.leer)
            u->SetZurrpunkt(e, 0, nullptr);
        m_view->m_run.GetNormen().strSprachCode = QString::fromLatin1(c.sprache);
        m_boxes.Clear();
        EXPECT_FALSE(m_wizard->GoToPage(7));
        EXPECT_EQ(m_wizard->ActiveIndex(), 6);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        const QString text = m_boxes.Records().front().html.text;
        const QString richtung = QString::fromLatin1(c.richtung);
        const QString meldung = m_module->String(c.nText);
        EXPECT_TRUE(text.contains(richtung)) << text.toStdString();
        EXPECT_TRUE(text.contains(meldung)) << text.toStdString();
        if (QString::fromLatin1(c.sprache).toUpper() == QStringLiteral("DE"))
            EXPECT_LT(text.indexOf(richtung), text.indexOf(meldung));
        else
            EXPECT_LT(text.indexOf(meldung), text.indexOf(richtung));
        // Going back is never refused.
        m_boxes.Clear();
        EXPECT_TRUE(m_wizard->GoToPage(5));
        EXPECT_TRUE(m_boxes.Records().isEmpty());
        ASSERT_TRUE(m_wizard->GoToPage(6));
    }
}

TEST_F(Page10Test, AMethodChangeToTheDetailedMethodLashesTheCornersAnew)
{
    Punkte();
    for (int nVerfahren : {0, 1}) {
        SCOPED_TRACE(nVerfahren);
        Open(3, true);
        ASSERT_EQ(u->CountZurrpunkte(), 4);
        m_wizard->GetParams().m_nVerfahren = nVerfahren;
        EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kVerfahrenGeaendert, {}));
        EXPECT_EQ(u->CountZurrpunkte(), nVerfahren == 1 ? 0 : 4);
        if (nVerfahren == 1) {
            EXPECT_EQ(m_wizard->ActiveIndex(), 5);
        }
    }
}

TEST_F(Page10Test, AFieldFocusedAfterACornerClickInTheViewLeavesThatCornerCurrent)
{
    Punkte();
    CPgLgSichgPage10* page = Open(3, false);
    // Focus on the field of corner 1 with no click pending: corner 1 becomes current.
    QFocusEvent ein(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(Feld(1140), &ein);
    EXPECT_EQ(page->Ecke(), 1);
    EXPECT_TRUE(Knopf(CPgLgSichgPage10::kIdEcke0 + 1)->isChecked());
    // Corner 2 clicked in the view, then a field of another corner gets the focus: corner 2 stays.
    EXPECT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kEckeGeklickt, std::intptr_t(2)));
    ASSERT_EQ(page->Ecke(), 2);
    QCoreApplication::sendEvent(Feld(1246), &ein);
    EXPECT_EQ(page->Ecke(), 2);
    // The pending click is used up: the next focus change is taken as it comes.
    QFocusEvent nochmal(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(Feld(1139), &nochmal);
    QCoreApplication::sendEvent(Feld(1139), &nochmal);
    EXPECT_EQ(page->Ecke(), 3);
}

// The page answers whether a point under the pointer is the current corner's. Its query event carries
// numbers only: an action that takes a point is refused rather than matched against an empty slot, and
// a number that names no action has no answer.
TEST_F(Page10Test, PointQueriesTakePointsOnly)
{
    Punkte();
    CPgLgSichgPage10* page = Open(3, false);
    ASSERT_EQ(u->GetZurrpunkt(0, 0), nullptr);
    using A = LgSichgAktion;
    EXPECT_EQ(page->QueryViewAction(A::kSchienenpunktZuordnen, static_cast<CZurrpunkt*>(nullptr), nullptr),
              0);
    CZurrpunkt* r02 = Finde("R02");
    ASSERT_TRUE(m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGewaehlt, r02));
    CZurrpunkt* kopie = u->GetZurrpunkt(0, 0);
    ASSERT_TRUE(kopie);
    EXPECT_EQ(page->QueryViewAction(A::kZurrpunktZuordnen, r02, nullptr), 0);
    EXPECT_EQ(page->QueryViewAction(A::kZurrpunktZuordnen, Finde("R03"), nullptr), 1);
    EXPECT_EQ(page->QueryViewAction(A::kSchienenpunktZuordnen, kopie, nullptr), 0);
    m_wizard->OnViewNotify(LgSichgMeldung::kZurrpunktGewaehlt, r02);
    ASSERT_EQ(u->GetZurrpunkt(0, 0), nullptr);
    struct Case
    {
        std::intptr_t nCode;
        int nErgebnis;
    };
    for (const Case c : {Case{static_cast<int>(A::kSchienenpunktZuordnen), 1},
                         Case{static_cast<int>(A::kZurrpunktZuordnen), 1}, Case{3, -1}, Case{0, -1}}) {
        SCOPED_TRACE(c.nCode);
        LgSichgPageEvent e(LgSichgPageEvent::kQueryType, c.nCode, 0);
        QCoreApplication::sendEvent(page, &e);
        EXPECT_EQ(e.Result(), c.nErgebnis);
    }
}
