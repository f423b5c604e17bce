// The check before automatic placement: rails around the unit, lashing points along it.
#include "model/securing/AutoPlatzierung.h"

#include <gtest/gtest.h>

TEST(AutoPlatzierungTest, TheEquipmentHasToReachTheUnit)
{
    const AutoPlatzierung::Bereich einheit{1.0, 0.5, 2.2, 1.3};
    struct Case
    {
        const char* name;
        int nOption;
        std::vector<double> schienen;
        std::vector<AutoPlatzierung::Punkt> fahrzeug;
        std::vector<AutoPlatzierung::Punkt> paare;
        int nText;
    };
    const Case cases[] = {
        {"rails on both sides", 1, {0.1, 2.4}, {}, {}, 0},
        {"rails touching the unit", 1, {1.3, 0.5}, {}, {}, 0},
        {"a rail under the unit", 1, {0.1, 1.0}, {}, {}, 884},
        {"a single rail", 1, {0.1}, {}, {}, 884},
        {"two points along the unit", 0, {}, {{1.0, 0.0}, {2.2, 0.0}, {4.0, 0.0}}, {{1.5, 0.0}}, 0},
        {"one point along the unit", 0, {}, {{0.9, 0.0}, {2.0, 0.0}}, {}, 552},
        {"a pair point beyond the unit", 0, {}, {{1.2, 0.0}, {2.0, 2.5}}, {{2.3, 0.0}}, 884},
        {"no option chosen", -1, {0.1, 2.4}, {}, {}, 884},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AutoPlatzierung::Pruefe(einheit, c.nOption, c.schienen, c.fahrzeug, c.paare), c.nText);
    }
}
