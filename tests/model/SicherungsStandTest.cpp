// One verdict per load unit: outside the securing, started but not calculated, with defects, secured.
#include "SicherungsTestSupport.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/SicherungsStand.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/CLgspReport.h"

#include <gtest/gtest.h>

namespace {

// Runs the calculation and the defect search of the unit, as the result page does.
void Berechne(fahrzeugtest::Sicherungsaufbau& a)
{
    CLgspReport report(a.pDoc.get());
    report.SetFahrzeug(a.pFahrzeug);
    report.SetLadeeinheit(a.pEinheit);
    ASSERT_TRUE(report.CalcLgsWerte());
    report.FindMaengel();
}

TEST(SicherungsStandTest, TheVerdictFollowsTheUnitsSecuring)
{
    for (int nVerfahren : {0, 1}) {
        SCOPED_TRACE(nVerfahren == 0 ? "top-over lashing" : "direct lashing");
        fahrzeugtest::Sicherungsaufbau a = fahrzeugtest::BaueSicherungsaufbau();
        CLadeeinheit& le = *a.pEinheit;
        le.m_Wizard.m_nVerfahren = nVerfahren;
        EXPECT_EQ(GetSicherungsStand(le), SicherungsStand::kKeine);
        EXPECT_FALSE(HatSicherungsBericht(GetSicherungsStand(le)));

        // Started in the wizard, nothing calculated: no tick, whatever the empty defect list says.
        le.m_bVorhanden = 1;
        EXPECT_EQ(GetSicherungsStand(le), SicherungsStand::kNichtBerechnet);
        EXPECT_FALSE(HatSicherungsBericht(GetSicherungsStand(le)));

        // Calculated: secured, or with defects, by the defects the calculation left.
        Berechne(a);
        const SicherungsStand stand = GetSicherungsStand(le);
        EXPECT_EQ(stand, le.CountMaengel(1) > 0 ? SicherungsStand::kMaengel : SicherungsStand::kGesichert);
        EXPECT_TRUE(HatSicherungsBericht(stand));

        // Too little friction and no lashing points: defects, and the verdict says so.
        le.m_Wizard.m_fReibungOhneMatte = 0.0f;
        le.m_Wizard.m_nVorspannkraft = 0;
        le.m_Wizard.m_nZurrkraft = 0;
        Berechne(a);
        ASSERT_GT(le.CountMaengel(1), 0);
        EXPECT_EQ(GetSicherungsStand(le), SicherungsStand::kMaengel);

        // Taken out of the securing: no mark at all.
        le.m_bVorhanden = 0;
        EXPECT_EQ(GetSicherungsStand(le), SicherungsStand::kKeine);
    }
}

} // namespace
