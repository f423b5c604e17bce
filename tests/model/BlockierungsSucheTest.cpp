// What blocks a load unit: the walls it touches and the form-fit items beside it, and what the
// calculation makes of the forces found.
#include "SicherungsTestSupport.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/BlockierungsSuche.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SLgspWerte.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr double kLu = 7.2;
constexpr double kWu = 2.5;
const std::array<int, 4> kWand = {1000, 800, 1200, 600}; // front, side y = 0, rear, side y = width

} // namespace

TEST(BlockierungsSuche, WallsBlockWhenTheBoxTouchesThem)
{
    struct Case
    {
        const char* name;
        BlockierungsSuche::Rechteck box;
        std::array<int, 4> nKraft; // per direction 0..3, -1 not blocked
    };
    const Case cases[] = {
        {"front wall at 0.02, half the width", {0.02, 1.0, 1.2, 1.25}, {-1, -1, 500, -1}},
        {"0.021 from the front", {0.021, 1.0, 1.2, 1.25}, {-1, -1, -1, -1}},
        {"rear wall within 0.01", {5.991, 1.0, 1.2, 0.5}, {240, -1, -1, -1}},
        {"rear wall 0.011 away", {5.989, 1.0, 1.2, 0.5}, {-1, -1, -1, -1}},
        {"side y = 0 inside the open bound", {2.0, 0.004, 3.6, 0.8}, {-1, -1, -1, 400}},
        {"side y = 0 just beyond the bound", {2.0, 0.0051, 3.6, 0.8}, {-1, -1, -1, -1}},
        {"side y = width", {2.0, 1.696, 1.8, 0.8}, {-1, 150, -1, -1}},
        {"side y = width just beyond the bound", {2.0, 1.706, 1.8, 0.8}, {-1, -1, -1, -1}},
        {"the whole area", {0.0, 0.0, kLu, kWu}, {1200, 600, 1000, 800}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<sFSParam, 4> fs;
        fs[2].m_nArt = 2; // stale values are cleared first
        const bool bGefunden = BlockierungsSuche::FindBlocking(c.box, kLu, kWu, kWand, nullptr, nullptr, fs);
        bool bErwartet = false;
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(d);
            const bool bBlockiert = c.nKraft[std::size_t(d)] >= 0;
            bErwartet |= bBlockiert;
            EXPECT_EQ(fs[std::size_t(d)].m_nArt, bBlockiert ? sFSParam::kLadeflaechenRand : sFSParam::kKeine);
            EXPECT_EQ(fs[std::size_t(d)].m_nKapazitaet, bBlockiert ? c.nKraft[std::size_t(d)] : 0);
        }
        EXPECT_EQ(bGefunden, bErwartet);
    }
}

TEST(BlockierungsSuche, FormFitItemsBlockByTheirContact)
{
    // The unit of the fixture: 1.2 x 0.8 at (1.0, 0.85). An item of value 400 touches one side.
    struct Case
    {
        const char* name;
        int nRichtung;
        double x, y, l, b;
        int nDrehung;
        int nKraft; // -1 not blocked
    };
    const Case cases[] = {
        {"in front, full contact", 2, 0.8, 0.85, 0.2, 0.8, 0, 400},
        {"in front, twice as wide", 2, 0.8, 0.45, 0.2, 1.6, 0, 200},
        {"behind, turned by 90 degrees", 0, 2.2, 0.85, 0.8, 0.2, 90, 400},
        {"beside at y = 0, half as long again", 3, 1.0, 0.65, 2.4, 0.2, 0, 200},
        {"beside at y = width, full contact", 1, 1.0, 1.65, 1.2, 0.2, 180, 400},
        {"in front, corner to corner: contact 0", 2, 0.8, 1.65, 0.2, 0.8, 0, -1},
        {"behind, corner to corner: overlap by rounding only", 0, 2.2, 0.05, 0.2, 0.8, 0, -1},
        {"turned by 45 degrees", 2, 0.8, 0.85, 0.2, 0.8, 45, -1},
        {"an item for another side", 1, 0.8, 0.85, 0.2, 0.8, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        auto* item = new tagLGINFO;
        item->m_strName = "Keil";
        item->m_nTyp = tagLGINFO::kFsmTyp;
        item->m_dPosX = c.x;
        item->m_dPosY = c.y;
        item->m_dLaenge = c.l;
        item->m_dBreite = c.b;
        item->m_dHoehe = 0.3;
        item->m_nDrehung = c.nDrehung;
        // The side the item blocks: the first row's direction, except for the item meant for another.
        const int nSeite = std::string(c.name) == "an item for another side" ? 3 : c.nRichtung;
        item->m_nState = (nSeite + 1) << 9;
        a.pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(item), false);
        double x = 0, y = 0, l = 0, b = 0;
        a.pEinheit->CalcAbmessungen();
        a.pEinheit->GetRechteck(&x, &y, &l, &b);
        std::array<sFSParam, 4> fs;
        BlockierungsSuche::FindBlocking(
            {x, y, l, b}, kLu, kWu, {0, 0, 0, 0}, a.pFahrzeug, [](const tagLGINFO*) { return 400; }, fs);
        const sFSParam& f = fs[std::size_t(c.nRichtung)];
        if (c.nKraft < 0) {
            EXPECT_EQ(f.m_nArt, sFSParam::kKeine);
            continue;
        }
        ASSERT_EQ(f.m_nArt, sFSParam::kFsmItem);
        EXPECT_EQ(f.GetLg(), item);
        EXPECT_EQ(f.m_nKapazitaet, c.nKraft);

        // The calculation takes the force found, in daN, as ten times as many newtons of blocking.
        CWizardParams& wp = a.pEinheit->m_Wizard;
        for (int d = 0; d < 4; ++d)
            wp.m_FS[d] = fs[std::size_t(d)];
        CLgspReport report(a.pDoc.get());
        ASSERT_TRUE(report.SelectFahrzeug(1));
        ASSERT_TRUE(report.SetLadeeinheit(a.pEinheit));
        ASSERT_TRUE(report.CalcLgsWerte());
        EXPECT_FLOAT_EQ(report.GetWerte()->m_Richtung[c.nRichtung].m_fFb, float(c.nKraft * 10));
    }
}

TEST(BlockierungsSuche, ContactRatioIsTheCoveredPartOfTheNeighbour)
{
    // The unit's box 1.0..2.2 x 0.85..1.65 against a neighbour of 0.2 x 0.8 (turned: 0.8 x 0.2).
    struct Case
    {
        const char* name;
        double x, y;
        int nDrehung;
        int nSeite;
        double dRatio;
    };
    const Case cases[] = {
        {"in front, full width", 0.8, 0.85, 0, 2, 1.0},
        {"in front, half across", 0.8, 1.25, 0, 2, 0.5},
        {"in front, corner to corner", 0.8, 1.65, 0, 2, 0.0},
        {"beside, turned, full length", 1.2, 1.65, 90, 1, 1.0},
        {"beside, turned, half beyond the rear", 1.8, 0.65, 270, 3, 0.5},
        {"turned by 45 degrees", 0.8, 0.85, 45, 2, -1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tagLGINFO n;
        n.m_dPosX = c.x;
        n.m_dPosY = c.y;
        n.m_dLaenge = 0.2;
        n.m_dBreite = 0.8;
        n.m_nDrehung = c.nDrehung;
        EXPECT_NEAR(BlockierungsSuche::CalcContactRatio(1.0, 0.85, 2.2, 1.65, n, c.nSeite), c.dRatio, 1e-12);
    }
}
