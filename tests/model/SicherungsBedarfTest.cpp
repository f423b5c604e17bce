// The wizard's securing needs per direction against the calculation's own answers, and the count of
// lashing points per direction.
#include "SicherungsTestSupport.h"

#include "model/base/AngleMath.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SLgspWerte.h"
#include "model/securing/SNormParams.h"
#include "model/securing/SicherungsBedarf.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fahrzeugtest::BaueSicherungsaufbau;
using fahrzeugtest::Sicherungsaufbau;

struct Einheit
{
    const char* name;
    double dLaenge, dBreite, dHoehe, dMasse;
};

// A flat pallet that never tips, a tall narrow crate that tips every way, and a tall crate that tips
// only sideways.
constexpr Einheit kFlach{"flat", 1.2, 0.8, 0.3, 0.5};
constexpr Einheit kHoch{"tall", 0.4, 0.4, 2.0, 0.4};
constexpr Einheit kQuerHoch{"tall across", 1.6, 0.5, 1.8, 0.8};

void SetzeEinheit(Sicherungsaufbau& a, const Einheit& e)
{
    tagLGINFO* lg = a.pPlan->GetLgInfos().front();
    lg->m_dLaenge = e.dLaenge;
    lg->m_dBreite = e.dBreite;
    lg->m_dHoehe = e.dHoehe;
    lg->m_dSPLaenge = e.dLaenge / 2;
    lg->m_dSPBreite = e.dBreite / 2;
    lg->m_dSPHoehe = e.dHoehe / 2;
    lg->m_dMasse = lg->m_dSPMasse = e.dMasse;
    a.pEinheit->CalcAbmessungen();
}

struct Fall
{
    int nNorm;
    int nVerfahren;
    bool bMatte;
    int nBlockiert; // bit per direction, blocked with 2000 daN
};

} // namespace

TEST(SicherungsBedarf, NeedsPerDirectionAreWhatTheCalculationFinds)
{
    for (const Einheit& e : {kFlach, kHoch, kQuerHoch}) {
        for (const Fall& f : {Fall{0, 0, false, 0}, Fall{0, 1, true, 0}, Fall{1, 0, false, 0},
                              Fall{1, 1, false, 0}, Fall{1, 1, true, 0}, Fall{2, 0, true, 0},
                              Fall{1, 0, false, 0x5}, Fall{1, 1, false, 0xA}, Fall{0, 0, true, 0xF}}) {
            SCOPED_TRACE(std::string(e.name) + " norm " + std::to_string(f.nNorm) + " method " +
                         std::to_string(f.nVerfahren) + (f.bMatte ? " mat" : "") + " blocked " +
                         std::to_string(f.nBlockiert));
            Sicherungsaufbau a = BaueSicherungsaufbau();
            ASSERT_TRUE(a.bNormGeladen);
            SetzeEinheit(a, e);
            CWizardParams& wp = a.pEinheit->m_Wizard;
            wp.m_nNorm = f.nNorm;
            ASSERT_TRUE(SNormParams::GetStandard(f.nNorm, &wp.m_Norm));
            wp.m_nVerfahren = f.nVerfahren;
            wp.m_bAntirutschmatte = f.bMatte;
            wp.m_nMatteQualifier = 1;
            for (int d = 0; d < 4; ++d) {
                wp.m_FS[d].m_nArt = (f.nBlockiert >> d) & 1 ? 1 : 0;
                wp.m_FS[d].m_nKapazitaet = 2000;
            }
            // The wizard works on a copy of the settings; the calculation on the unit's own.
            const CWizardParams kopie = wp;

            CLgspReport report(a.pDoc.get());
            ASSERT_TRUE(report.SelectFahrzeug(1));
            ASSERT_TRUE(report.SetLadeeinheit(a.pEinheit));
            ASSERT_TRUE(report.CalcLgsWerte());
            const SLgspWerte* w = report.GetWerte();
            ASSERT_NE(w, nullptr);
            // The needs rest on these inputs only; what the lashings lack does not change them.
            ASSERT_EQ(w->m_nNichtBewertbar &
                          (SLgspWerte::kOhneMasse | SLgspWerte::kOhneAbmessungen | SLgspWerte::kReibungFehlt |
                           SLgspWerte::kBeiwertUngueltig | SLgspWerte::kNenner),
                      0);
            for (int d = 0; d < 4; ++d) {
                SCOPED_TRACE(d);
                const SLgspRichtung& r = w->m_Richtung[d];
                EXPECT_EQ(SicherungsBedarf::CheckRutschen(a.pEinheit, kopie, d), r.m_bNoetig != 0);
                EXPECT_EQ(SicherungsBedarf::CheckKippen(a.pEinheit, kopie, d), r.m_bKippt || r.m_bKippt2);
            }
        }
    }
}

TEST(SicherungsBedarf, TheTableHoldsCasesOfBothAnswers)
{
    // Guards the table above against units that all answer the same.
    Sicherungsaufbau a = BaueSicherungsaufbau();
    SetzeEinheit(a, kHoch);
    CWizardParams& wp = a.pEinheit->m_Wizard;
    EXPECT_EQ(SicherungsBedarf::GetMaske(a.pEinheit, wp), 0xFF);
    SetzeEinheit(a, kFlach);
    EXPECT_EQ(SicherungsBedarf::GetMaske(a.pEinheit, wp),
              SicherungsBedarf::kRutschenVorn | SicherungsBedarf::kRutschenHinten |
                  SicherungsBedarf::kRutschenLinks | SicherungsBedarf::kRutschenRechts);
    SetzeEinheit(a, kQuerHoch);
    EXPECT_EQ(SicherungsBedarf::GetMaske(a.pEinheit, wp) & SicherungsBedarf::kQuer, SicherungsBedarf::kQuer);
    EXPECT_EQ(SicherungsBedarf::GetMaske(a.pEinheit, wp) & SicherungsBedarf::kLaengs,
              SicherungsBedarf::kRutschenVorn | SicherungsBedarf::kRutschenHinten);
}

TEST(SicherungsBedarf, ReductionFactorIsTheCalculationsOwn)
{
    struct Case
    {
        int nNorm, nVerfahren, bMatte, nQualifier;
        float fFaktor;
    };
    for (const Case& c : {Case{1, 1, 0, 0, 0.75f}, Case{1, 1, 1, 0, 1.0f}, Case{1, 1, 1, 1, 0.75f},
                          Case{1, 0, 0, 0, 1.0f}, Case{0, 1, 0, 0, 1.0f}, Case{2, 1, 0, 0, 1.0f}}) {
        SCOPED_TRACE(std::to_string(c.nNorm) + "/" + std::to_string(c.nVerfahren) + "/" +
                     std::to_string(c.bMatte) + "/" + std::to_string(c.nQualifier));
        CWizardParams wp;
        wp.m_nNorm = c.nNorm;
        wp.m_nVerfahren = c.nVerfahren;
        wp.m_bAntirutschmatte = c.bMatte;
        wp.m_nMatteQualifier = c.nQualifier;
        EXPECT_EQ(CLgspReport::AbminderungsFaktor(wp), c.fFaktor);
    }
}

TEST(SicherungsBedarf, WithoutUnitNothingIsRequired)
{
    CWizardParams wp;
    ASSERT_TRUE(SNormParams::GetStandard(0, &wp.m_Norm));
    for (int d = 0; d < 4; ++d) {
        EXPECT_FALSE(SicherungsBedarf::CheckRutschen(nullptr, wp, d));
        EXPECT_FALSE(SicherungsBedarf::CheckKippen(nullptr, wp, d));
    }
    EXPECT_EQ(SicherungsBedarf::GetMaske(nullptr, wp), 0);
    int n[4][3];
    n[1][1] = 7;
    SicherungsBedarf::ZaehleZurrpunkte(nullptr, nullptr, n);
    EXPECT_EQ(n[1][1], 0);
}

TEST(SicherungsBedarf, AnUnsetFrictionCountsAsNone)
{
    // The calculation cannot assess an unset friction; the wizard already asks for securing then.
    Sicherungsaufbau a = BaueSicherungsaufbau();
    SetzeEinheit(a, kFlach);
    CWizardParams wp = a.pEinheit->m_Wizard;
    wp.m_fReibungOhneMatte = -1.0f;
    wp.m_FS[2].m_nArt = 1;
    wp.m_FS[2].m_nKapazitaet = 100000;
    EXPECT_TRUE(SicherungsBedarf::CheckRutschen(a.pEinheit, wp, 0));
    EXPECT_FALSE(SicherungsBedarf::CheckRutschen(a.pEinheit, wp, 2)) << "a blocking larger than the force";
}

TEST(SicherungsBedarf, LashingPointsCountForTheDirectionTheyPullIn)
{
    // Each row: the corner, the point's offset from that corner's attachment point, and the counters
    // (direction, counter) it lands in.
    struct Case
    {
        const char* name;
        int nEcke;
        double dx, dy;
        int nLaengs[2]; // direction, counter
        int nQuer[2];
    };
    const Case cases[] = {
        {"straight forward, corner 0", 0, 1.0, 0.0, {2, 0}, {1, 2}},
        {"straight forward, corner 3", 3, 1.0, 0.0, {2, 1}, {1, 2}},
        {"straight across to +y", 0, 0.0, 1.0, {0, 2}, {3, 0}},
        {"straight across to -y, corner 1", 1, 0.0, -1.0, {0, 2}, {1, 1}},
        {"backward and to -y", 0, -1.0, -1.0, {0, 0}, {1, 0}},
        {"backward and to +y, corner 2", 2, -1.0, 1.0, {0, 1}, {3, 0}},
        {"forward and to +y, corner 1", 1, 1.0, 0.5, {2, 0}, {3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sicherungsaufbau a = BaueSicherungsaufbau();
        double x = 0.0, y = 0.0;
        ASSERT_TRUE(a.pEinheit->GetAnschlagpunktPos(c.nEcke, &x, &y, nullptr));
        a.pFahrzeug->AddRandabstand(&x, &y);
        CZurrpunkt p(7.2, 2.5);
        p.m_dPosX = x + c.dx;
        p.m_dPosY = y + c.dy;
        p.m_bPosGueltig = 1;
        a.pEinheit->SetZurrpunkt(c.nEcke, 0, &p);
        int n[4][3];
        SicherungsBedarf::ZaehleZurrpunkte(a.pEinheit, a.pFahrzeug, n);
        int erwartet[4][3] = {};
        if (c.nLaengs[1] == 2)
            erwartet[0][2] = erwartet[2][2] = 1;
        else
            erwartet[c.nLaengs[0]][c.nLaengs[1]] = 1;
        if (c.nQuer[1] == 2)
            erwartet[1][2] = erwartet[3][2] = 1;
        else
            erwartet[c.nQuer[0]][c.nQuer[1]] = 1;
        for (int d = 0; d < 4; ++d)
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(n[d][i], erwartet[d][i]) << "direction " << d << " counter " << i;
    }
}
