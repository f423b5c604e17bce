// The front swing check of a semi-trailer: the allowed kingpin distance, the check and its tooltip.
#include "model/vehicle/Schwenkradius.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CQOR.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

namespace {

// A semi-trailer with its kingpin `dKingpin` behind the front, a width, a corner diameter and a plan.
std::unique_ptr<CFahrzeug> Auflieger(double dKingpin, float fBreite, double dMass, bool bPlan = true)
{
    std::unique_ptr<CFahrzeug> f = ErzeugeFahrzeug(FahrzeugArt::kAuflieger);
    f->m_nArt = FahrzeugArt::kAuflieger;
    f->m_nAchsanzahl = 1;
    f->m_Achsen[0].dAbstand = dKingpin;
    f->m_Achsen[1].dAbstand = 7.0;
    f->m_dLFLaenge = 13.6;
    f->m_fLFBreite = fBreite;
    static_cast<CAuflieger&>(*f).m_dAufliegerMass = dMass;
    if (bPlan)
        f->m_pQor = new CQOR(f.get(), 0, "Plan");
    return f;
}

} // namespace

// The corners of the front lie half the width to the side, so the kingpin may lie sqrt(2.04^2 - (w/2)^2)
// behind the front; rounded corners add their radius.
TEST(Schwenkradius, TheAllowedKingpinDistanceFollowsWidthAndCorners)
{
    const struct
    {
        double dBreite, dMass, dGrenze;
    } faelle[] = {
        {2.50, 0.0, 1.6122}, // sqrt(4.1616 - 1.5625)
        {2.55, 0.0, 1.5925}, // sqrt(4.1616 - 1.625625)
        {2.55, 0.2, 1.6925}, // a corner radius of 0.1 m on top
        {2.48, 0.5, 1.8699}, // sqrt(4.1616 - 1.5376) + 0.25
        {5.00, 0.3, 0.15},   // wider than the swing circle: only the corners' radius is left
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.dBreite * 1000 + f.dMass);
        EXPECT_NEAR(Schwenkradius::Grenze(f.dBreite, f.dMass), f.dGrenze, 5e-5);
    }
}

TEST(Schwenkradius, TheCheckComparesTheKingpinWithTheAllowedDistance)
{
    const struct
    {
        const char* name;
        double dKingpin;
        float fBreite;
        double dMass;
        bool bPlan;
        bool bUeber;
    } faelle[] = {
        {"2.55 m wide, kingpin 1.60 m: beyond 1.5925 m", 1.60, 2.55f, 0.0, true, true},
        {"with 100 mm corner radius: within 1.6925 m", 1.60, 2.55f, 0.2, true, false},
        {"2.48 m wide, kingpin 1.60 m: within 1.6199 m", 1.60, 2.48f, 0.0, true, false},
        {"2.48 m wide, kingpin 1.65 m: beyond", 1.65, 2.48f, 0.0, true, true},
        {"without a plan 1.61 m counts, kingpin 1.60 m", 1.60, 2.55f, 0.0, false, false},
        {"without a plan 1.61 m counts, kingpin 1.62 m", 1.62, 2.48f, 0.0, false, true},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        auto f = Auflieger(fall.dKingpin, fall.fBreite, fall.dMass, fall.bPlan);
        EXPECT_EQ(Schwenkradius::IsUeberschritten(*f), fall.bUeber);
    }
    // The length value belongs to semi-trailers only.
    std::unique_ptr<CFahrzeug> lkw = ErzeugeFahrzeug(FahrzeugArt::kZugmaschine);
    lkw->m_nArt = FahrzeugArt::kZugmaschine;
    EXPECT_EQ(CAuflieger::GetAufliegerMass(*lkw), 0.0);
    EXPECT_EQ(CAuflieger::GetAufliegerMass(*Auflieger(1.6, 2.55f, 0.3)), 0.3);
}

// The figures of the tooltip worked out by hand: 2550 mm wide, 200 mm corner diameter (100 mm radius),
// 1592 mm + 100 mm allowed.
TEST(Schwenkradius, TheTooltipNamesWidthCornerRadiusAndTheAllowedDistance)
{
    CTableTextProvider texte({{207, "Front swing radius 2040 mm"},
                              {208, "width %.0f mm, corner radius %.0f mm, kingpin up to %.0f mm"}});
    ScopedTextProvider scope(&texte);
    EXPECT_EQ(Schwenkradius::TipText(2.55, 0.2),
              "Front swing radius 2040 mm. width 2550 mm, corner radius 100 mm, kingpin up to 1692 mm");
    EXPECT_EQ(Schwenkradius::TipText(2.48, 0.0),
              "Front swing radius 2040 mm. width 2480 mm, corner radius 0 mm, kingpin up to 1620 mm");
}
