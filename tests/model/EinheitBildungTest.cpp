// Forming a load unit from marked loads, and the limits of the wizard's entered values.
#include "model/securing/EinheitBildung.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SicherungsEingaben.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Ladung
{
    double x, y, l, b, h;
    int nDrehung;
};

struct Fall
{
    const char* name;
    std::vector<Ladung> loads;
    bool bBildet;
};

} // namespace

TEST(EinheitBildung, FlushLoadsOfOneHeightFormAUnitAtEveryZoom)
{
    const std::vector<Fall> faelle = {
        {"two pallets side by side", {{1.0, 0.0, 1.2, 0.8, 1.0, 0}, {1.0, 0.8, 1.2, 0.8, 1.0, 0}}, true},
        {"one turned pallet closes the block",
         {{1.0, 0.0, 1.2, 0.8, 1.0, 0}, {2.2, 0.0, 1.2, 0.8, 1.0, 90}, {1.0, 0.8, 1.2, 0.4, 1.0, 0}},
         true},
        {"a gap of 5 % of the box", {{1.0, 0.0, 1.0, 1.0, 1.0, 0}, {2.1, 0.0, 0.9, 1.0, 1.0, 0}}, false},
        {"a gap of 2 % of the box", {{1.0, 0.0, 1.0, 1.0, 1.0, 0}, {2.04, 0.0, 0.96, 1.0, 1.0, 0}}, true},
        {"loads in a diagonal", {{1.0, 0.0, 1.0, 1.0, 1.0, 0}, {2.0, 1.0, 1.0, 1.0, 1.0, 0}}, false},
        {"tops 0.02 m apart", {{1.0, 0.0, 1.2, 0.8, 1.00, 0}, {1.0, 0.8, 1.2, 0.8, 1.02, 0}}, true},
        {"tops 0.03 m apart", {{1.0, 0.0, 1.2, 0.8, 1.00, 0}, {1.0, 0.8, 1.2, 0.8, 1.03, 0}}, false},
        {"one load", {{3.0, 0.5, 1.2, 0.8, 1.0, 270}}, true},
        {"a load without area", {{3.0, 0.5, 0.0, 0.8, 1.0, 0}}, false},
        {"no loads", {}, false},
    };
    for (double zoom : {0.5, 1.5}) {
        const auto mzp = [zoom](double m) { return int(std::floor(97.0 * m * zoom)); };
        for (const Fall& f : faelle) {
            SCOPED_TRACE(std::string(f.name) + " at zoom " + std::to_string(zoom));
            std::vector<std::unique_ptr<tagLGINFO>> owned;
            std::vector<const tagLGINFO*> loads;
            for (const Ladung& l : f.loads) {
                auto lg = std::make_unique<tagLGINFO>();
                lg->m_dPosX = l.x;
                lg->m_dPosY = l.y;
                lg->m_dLaenge = l.l;
                lg->m_dBreite = l.b;
                lg->m_dHoehe = l.h;
                lg->m_nDrehung = l.nDrehung;
                loads.push_back(lg.get());
                owned.push_back(std::move(lg));
            }
            EXPECT_EQ(EinheitBildung::KannBilden(loads, mzp), f.bBildet);
        }
    }
}

TEST(SicherungsEingaben, CoefficientsAreKeptWithinTheirLimits)
{
    struct Case
    {
        int nIndex;
        double dWert;
        int nNorm;
        double dErgebnis;
    };
    const Case cases[] = {
        {0, 0.05, 2, 0.10}, {1, 1.3, 2, 1.0},   {3, 0.5, 2, 0.5}, {5, 2.5, 2, 2.0}, {5, 0.8, 2, 1.0},
        {5, 1.2, 0, 1.5},   {5, 2.5, 0, 2.0},   {5, 0.4, 1, 0.4}, {5, 2.1, 1, 2.0}, {6, 0.5, 2, 1.0},
        {7, 1.4, 2, 1.4},   {4, 0.05, 2, 0.05}, {8, 9.0, 2, 9.0}, {9, 0.0, 2, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("c" + std::to_string(c.nIndex) + " = " + std::to_string(c.dWert) + " norm " +
                     std::to_string(c.nNorm));
        EXPECT_DOUBLE_EQ(SicherungsEingaben::KlemmeKoeffizient(c.nIndex, c.dWert, c.nNorm), c.dErgebnis);
    }
}

TEST(SicherungsEingaben, FrictionIsKeptWithinItsLimits)
{
    struct Case
    {
        double dWert;
        int nNorm;
        bool bHoeher;
        double dErgebnis;
    };
    const Case cases[] = {
        {0.35, 1, false, 0.20}, {0.35, 1, true, 0.35}, {0.35, 0, false, 0.35}, {1.2, 0, false, 0.99},
        {1.2, 1, true, 0.99},   {-0.1, 2, false, 0.0}, {0.0, 1, false, 0.0},   {NAN, 0, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dWert) + " norm " + std::to_string(c.nNorm) +
                     (c.bHoeher ? " higher" : ""));
        EXPECT_DOUBLE_EQ(SicherungsEingaben::KlemmeReibung(c.dWert, c.nNorm, c.bHoeher), c.dErgebnis);
    }
}
