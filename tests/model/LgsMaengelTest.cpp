// The defects of the load-securing check: what is found on units built to cause each one, and how a
// defect shows itself as HTML.
#include "FahrzeugTestSupport.h"
#include "SicherungsTestSupport.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// A rigid truck 7.2 x 2.5 m carrying one 500 kg pallet (1.2 x 0.8 x 1.0 m) as load unit 1.
class LgsMaengelTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        m_pDoc = std::move(a.pDoc);
        m_pFahrzeug = a.pFahrzeug;
        m_pPlan = a.pPlan;
        m_pEinheit = a.pEinheit;
        ASSERT_TRUE(a.bNormGeladen);
        m_pReport = std::make_unique<CLgspReport>(m_pDoc.get());
        ASSERT_TRUE(m_pReport->SelectFahrzeug(1));
        ASSERT_TRUE(m_pReport->SetLadeeinheit(m_pEinheit));
    }

    CWizardParams& wp() { return m_pEinheit->m_Wizard; }

    CZurrpunkt* FahrzeugPunkt(double x, bool bLinks, int nNr, double dKraft)
    {
        auto* p = new CZurrpunkt(7.2, 2.5);
        p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
        p->m_dAbstandLaengs = x;
        p->m_dAbstandQuer = 0.05;
        p->m_dZulKraft = dKraft;
        p->m_nNummer = nNr;
        m_pFahrzeug->m_Zurrpunkte.emplace_back(p);
        return p;
    }
    // A pair of vehicle points across the load area at x, numbered nNr on both sides.
    void Paar(double x, int nNr, double dKraftRechts, double dKraftLinks)
    {
        CZurrpunkt* r = FahrzeugPunkt(x, false, nNr, dKraftRechts);
        CZurrpunkt* l = FahrzeugPunkt(x, true, nNr, dKraftLinks);
        m_pEinheit->m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(r, l, 0));
    }
    CZurrschiene* Schiene(int nKraft)
    {
        auto* s = new CZurrschiene;
        s->m_nSeite = 0;
        s->m_dPosition = 0.05;
        s->m_nZulKraft = nKraft;
        m_pFahrzeug->m_Zurrschienen.emplace_back(s);
        return s;
    }
    // Each corner lashed to a floor point 0.5 m outward along and across; x of the points may be given.
    void DirektZurrung(const double* px = nullptr, bool bAlleRechts = false)
    {
        wp().m_nVerfahren = 1;
        m_pEinheit->CalcAbmessungen();
        for (int i = 0; i < 4; ++i) {
            double x = 0, y = 0;
            m_pEinheit->GetAnschlagpunktPos(i, &x, &y, nullptr);
            const double sx = (i == 1 || i == 3) ? 1 : -1;
            CZurrpunkt p(7.2, 2.5);
            p.m_nFlags = CZurrpunkt::kVonVorn | (i >= 2 && !bAlleRechts ? CZurrpunkt::kLinks : 0);
            p.m_dAbstandLaengs = px ? px[i] : x + sx * 0.5;
            p.m_dAbstandQuer = 0.3;
            p.m_dZulKraft = 10000.0;
            p.m_nNummer = i + 1;
            m_pEinheit->SetZurrpunkt(i, 0, &p);
        }
    }

    const CLgsMangel* Mangel(int nCode) const
    {
        for (const auto& p : m_pEinheit->m_Maengel)
            if (p->m_nCode == nCode)
                return p.get();
        return nullptr;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> v;
        for (const auto& p : m_pEinheit->m_Maengel)
            v.push_back(p->m_nCode);
        std::sort(v.begin(), v.end());
        return v;
    }
    void Pruefe()
    {
        ASSERT_TRUE(m_pReport->CalcLgsWerte());
        m_pReport->FindMaengel();
    }
    double Noetig(int nEcke) const { return m_pReport->GetWerte()->m_Zusammenfassung[nEcke].m_fLcMax / 10.0; }

    std::unique_ptr<CQOR1Doc> m_pDoc;
    std::unique_ptr<CLgspReport> m_pReport;
    CFahrzeug* m_pFahrzeug = nullptr;
    CQOR* m_pPlan = nullptr;
    CLadeeinheit* m_pEinheit = nullptr;
};

// Top-over lashing needs 3 lashings of 250 daN for the pallet on 0.3 friction (norm 0).
TEST_F(LgsMaengelTest, TopOverLashingPointsAndPairs)
{
    struct Fall
    {
        const char* name;
        int nPaare;
        double dRechts, dLinks; // permissible force of the points of the second pair
        std::vector<int> codes;
    } faelle[] = {
        {"enough strong pairs", 4, 400, 400, {}},
        {"too few pairs", 2, 400, 400, {4}},
        {"a weak point on each side", 4, 100, 249.9, {2}},
        {"at the tension force is enough", 4, 250, 250, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        m_pEinheit->m_ZPPtrTupel.clear();
        for (int i = 0; i < f.nPaare; ++i)
            Paar(1.0 + 0.3 * i, 10 + i, i == 1 ? f.dRechts : 400, i == 1 ? f.dLinks : 400);
        Pruefe();
        EXPECT_EQ(m_pReport->GetWerte()->m_nZurrmittel, 3);
        EXPECT_EQ(Codes(), f.codes);
        if (const CLgsMangel* p = Mangel(2)) {
            for (int n = 0; n < 64; ++n) {
                EXPECT_EQ(TestMaskenBit(p->GetWertPtr(0), n), n == 11 ? 1 : 0) << n;
                EXPECT_EQ(TestMaskenBit(p->GetWertPtr(1), n), n == 11 ? 1 : 0) << n;
            }
        }
    }

    m_pEinheit->m_ZPPtrTupel.clear();
    Paar(1.0, 0, 400, 400);
    Paar(1.5, 1, 400, 400);
    Pruefe();
    const CLgsMangel* p = Mangel(4);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetWert(0), 2); // pairs
    EXPECT_EQ(p->GetWert(1), 3); // lashings
}

TEST_F(LgsMaengelTest, PointsWithoutUsableNumberAreNotMarked)
{
    for (int i = 0; i < 3; ++i)
        Paar(1.0 + 0.3 * i, i == 0 ? -1 : 64, 10, 10);
    Pruefe();
    // Weak, but their numbers cannot be marked: nothing to list, so no defect of that kind.
    EXPECT_EQ(Codes(), std::vector<int>{});

    std::uint8_t slot[8] = {};
    SetMaskenBit(slot, -1);
    SetMaskenBit(slot, 64);
    EXPECT_EQ(std::count(slot, slot + 8, 0), 8);
    EXPECT_EQ(TestMaskenBit(slot, -1), -1);
    EXPECT_EQ(TestMaskenBit(slot, 64), -1);
    SetMaskenBit(slot, 63);
    SetMaskenBit(slot, 0);
    EXPECT_EQ(slot[7], 0x80);
    EXPECT_EQ(slot[0], 0x01);
}

// Lashings on a rail: 3 lashings along 1.2 m spaced 0.3 m leave 0.6 m of rail: 5 lashings per metre
// of 250 daN each, counted as (5 + 1) x 250 daN.
TEST_F(LgsMaengelTest, TopOverLashingOnARail)
{
    wp().m_nQuerQuelle = 1;
    Pruefe();
    // Without a rail the lashings find no floor to reach: not assessable, and no rail check.
    EXPECT_EQ(Codes(), std::vector<int>{CLgspReport::kMangelNichtBewertbar});
    m_pEinheit->m_nZurrParam[0] = 3;
    m_pReport->FindMaengel();
    EXPECT_EQ(Codes(), std::vector<int>{CLgspReport::kMangelNichtBewertbar});

    CZurrschiene* s = Schiene(1000);
    Pruefe();
    ASSERT_EQ(Codes(), std::vector<int>{3});
    const CLgsMangel* p = Mangel(3);
    EXPECT_EQ(p->GetWert(0), 1000);
    EXPECT_EQ(p->GetWert(1), 3);
    EXPECT_EQ(p->GetWert(2), 250);
    EXPECT_EQ(p->GetWert(3), 1500);

    s->m_nZulKraft = 1500;
    Pruefe();
    EXPECT_EQ(Codes(), std::vector<int>{});
}

TEST_F(LgsMaengelTest, DirectLashingAgainstPointsAndDevice)
{
    DirektZurrung();
    Pruefe();
    ASSERT_EQ(Codes(), std::vector<int>{});
    const double R0 = Noetig(0);
    ASSERT_GT(R0, 0.0);

    // Corner 0's point permits just less than its lashing must hold.
    m_pEinheit->GetZurrpunkt(0, 0)->m_dZulKraft = R0 - 1.0;
    Pruefe();
    ASSERT_EQ(Codes(), std::vector<int>{1});
    const CLgsMangel* p = Mangel(1);
    EXPECT_EQ(p->GetWert(0), int((R0 - 1.0) * 1000.0));
    EXPECT_EQ(p->GetHigh(0), int(R0 * 1000.0));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(p->GetWert(i), 0) << i;

    // A device weaker than what every corner needs.
    m_pEinheit->GetZurrpunkt(0, 0)->m_dZulKraft = 10000.0;
    double dMin = R0;
    for (int i = 0; i < 4; ++i)
        dMin = std::min(dMin, Noetig(i));
    wp().m_nZurrkraft = static_cast<int>(dMin) - 1;
    Pruefe();
    ASSERT_EQ(Codes(), std::vector<int>{6});
    p = Mangel(6);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p->GetWert(i), (static_cast<int>(dMin) - 1) * 1000);
        EXPECT_NEAR(p->GetHigh(i), Noetig(i) * 1000.0, 1.0);
    }
}

// Two corners lashed to the same rail side: each below the rail's force, together above it.
TEST_F(LgsMaengelTest, DirectLashingOverloadsARailSideWhenItsLashingsAreClose)
{
    wp().m_nQuerQuelle = 1;
    for (double dAbstand : {0.8, 1.2}) {
        SCOPED_TRACE(dAbstand);
        // Every point on the right side: only the first two corners, 0 and 1, count for it.
        const double x[4] = {1.0, 1.0 + dAbstand, 0.5, 2.7};
        DirektZurrung(x, true);
        // (Lashed to the right only, the unit cannot be assessed to the left: that defect stays aside.)
        Pruefe();
        EXPECT_FALSE(Mangel(8)) << "no rail";
        const double R0 = Noetig(0), R1 = Noetig(1);
        ASSERT_GT(R0, 0.0);
        ASSERT_GT(R1, 0.0);
        m_pFahrzeug->m_Zurrschienen.clear();
        CZurrschiene* s = Schiene(static_cast<int>(std::max(R0, R1)) + 1);
        ASSERT_LT(s->m_nZulKraft, R0 + R1);
        Pruefe();
        if (dAbstand <= 1.0) {
            const CLgsMangel* p = Mangel(8);
            ASSERT_TRUE(p);
            EXPECT_EQ(p->GetWert(0), 1); // right side
            EXPECT_EQ(p->GetWert(1), 0);
            EXPECT_EQ(p->GetDouble(2), s->m_nZulKraft);
        } else {
            EXPECT_FALSE(Mangel(8));
        }
        m_pFahrzeug->m_Zurrschienen.clear();
    }
}

TEST_F(LgsMaengelTest, FinderKeepsTheCalculationsOwnDefectAndReplacesItsOwn)
{
    Paar(1.0, 1, 10, 400);
    m_pEinheit->AddMangel(new CLgsMangel(7, 1, m_pEinheit), true); // from an earlier check
    Pruefe();
    EXPECT_EQ(Codes(), (std::vector<int>{2, 4}));
    Pruefe();
    EXPECT_EQ(Codes(), (std::vector<int>{2, 4}));

    wp().m_nVorspannkraft = 0; // the count cannot be made
    Pruefe();
    EXPECT_EQ(Codes(), std::vector<int>{CLgspReport::kMangelNichtBewertbar});
}

class LgsMangelHtmlTest : public ::testing::Test
{
public:
    CTableTextProvider m_texte{{
        {69, "unknown"},
        {376, "left"},
        {377, "right"},
        {389, "F"},
        {391, "R"},
        {392, "L"},
        {585, "not checked"},
        {590, "pairs %d lashings %d"},
        {592, "<ul>%s</ul>"},
        {593, "Point too weak"},
        {597, "front right"},
        {603, "device %.0f<ul>%s</ul>"},
        {605, "[%s]"},
        {606, "Points too weak"},
        {607, "right:%s;"},
        {620, "rail %.0f %s"},
        {885, "rail %d n %d T %d load %d"},
        {886, "rear right"},
        {887, "front left"},
        {888, "rear left"},
        {890, "<li>%s %.0f</li>"},
        {891, "left:%s;"},
        {909, "<li>%s %.0f %s %.0f</li>"},
    }};
    ScopedTextProvider m_scope{&m_texte};
};

TEST_F(LgsMangelHtmlTest, BodiesByCode)
{
    CLgsMangel m2(2, 1, nullptr);
    SetMaskenBit(m2.GetWertPtr(0), 40);
    SetMaskenBit(m2.GetWertPtr(0), 3);
    SetMaskenBit(m2.GetWertPtr(1), 40);
    EXPECT_EQ(m2.GetHtml(), "[right: R03 R40;left: L40;]");
    EXPECT_EQ(m2.GetText(), "Points too weak");

    CLadeeinheit u(1);
    CZurrpunkt zp(7.2, 2.5);
    zp.m_nFlags = CZurrpunkt::kLinks;
    zp.m_nNummer = 7;
    u.SetZurrpunkt(3, 0, &zp);
    CLgsMangel m1(1, 1, &u);
    m1.SetPaar(0, 1500000, 2000400);
    m1.SetPaar(3, 800000, 1200000);
    EXPECT_EQ(m1.GetHtml(), "<ul><li>front right 2000  1500</li><li>rear left 1200 L07 800</li></ul>");

    CLgsMangel m6(6, 1, nullptr);
    m6.SetPaar(2, 500000, 650000);
    EXPECT_EQ(m6.GetHtml(), "device 500<ul><li>front left 650</li></ul>");

    CLgsMangel m8(8, 1, nullptr);
    m8.SetPaar(1, 1, 0);
    m8.SetDouble(2, 2000.0);
    EXPECT_EQ(m8.GetHtml(), "rail 2000 <ul><li>left</li></ul>");

    CLgsMangel m3(3, 1, nullptr);
    for (int i = 0; i < 4; ++i)
        m3.SetPaar(i, 10 * (i + 1), 0);
    EXPECT_EQ(m3.GetHtml(), "rail 10 n 20 T 30 load 40");
    CLgsMangel m4(4, 1, nullptr);
    m4.SetPaar(0, 2, 0);
    m4.SetPaar(1, 3, 0);
    EXPECT_EQ(m4.GetHtml(), "pairs 2 lashings 3");

    CLgsMangel m5(5, 1, nullptr), m42(42, 1, nullptr);
    EXPECT_EQ(m5.GetHtml(), "not checked");
    EXPECT_EQ(m5.GetText(), "unknown");
    EXPECT_EQ(m42.GetHtml(), "unknown");

    // A stored text stands for itself, whatever the code and the slots say.
    m2.m_strText = "<p>as written</p>";
    EXPECT_EQ(m2.GetHtml(), "<p>as written</p>");
    EXPECT_EQ(m2.GetText(), "Points too weak");
}

TEST_F(LgsMangelHtmlTest, SlotAccess)
{
    CLgsMangel m(1, 1, nullptr);
    const double d = 1234.5;
    m.SetWert(3, &d);
    EXPECT_EQ(m.GetDouble(3), 1234.5);
    m.SetWert(4, &d); // ignored
    EXPECT_EQ(m.GetWertPtr(4), nullptr);
    EXPECT_EQ(m.GetWert(4), -1);
    m.SetPaar(0, -5, 7);
    EXPECT_EQ(m.GetWert(0), -5);
    EXPECT_EQ(m.GetHigh(0), 7);
    EXPECT_EQ(m.GetWertPtr(0), &m.m_abWerte[0][0]);
}

} // namespace
