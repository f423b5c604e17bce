// Axle-group loads, masses and centres of gravity of every vehicle kind against hand-computed statics.
#include "FahrzeugTestSupport.h"

#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/SYs2X.h"

#include <gtest/gtest.h>

#include <functional>

using namespace fahrzeugtest;

namespace {

constexpr double KG = 0.001; // tonnes
constexpr double MM = 0.001; // metres

// A rigid truck: front axle 1.0 m ahead of the load area, wheelbase 4.0 m, 4 t on each axle empty.
Daten Lkw(double dZulHinten = 10.0)
{
    return {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, dZulHinten}}, 18.0, 7.0, 2.5f, 25, 25};
}

struct Erwartet
{
    double dVorn, dHinten, dGesamt, dSchwerpunkt; // t, t, t, m behind the front-group centre
    int nMaske;                                   // CheckGrenzwerte(true)
};

void Pruefe(CFahrzeug& f, const Erwartet& e)
{
    EXPECT_FAHRZEUG_INVARIANTEN(f);
    EXPECT_NEAR(f.m_dAchslastVorn, e.dVorn, KG);
    EXPECT_NEAR(f.m_dAchslastHinten, e.dHinten, KG);
    EXPECT_NEAR(f.GetGesamtmasse(false), e.dGesamt, KG);
    EXPECT_NEAR(f.CalcSchwerpunkt(true), e.dSchwerpunkt, MM);
    EXPECT_EQ(f.CheckGrenzwerte(true), e.nMaske);
}

} // namespace

TEST(FahrzeugStatik, SingleVehiclesFollowTheLeverRule)
{
    struct Fall
    {
        const char* name;
        Daten daten;
        bool bArt5;
        double dLast, dLastX; // load in t at x (m from the usable-area front), laterally centred
        Erwartet e;
    };
    const Fall faelle[] = {
        // 8 t at 3.0 m behind the front axle: rear 4 + 8 * 3 / 4 = 10 (exactly the permissible 10, no
        // 0x8), front 4 + 8 - 6 = 6; centre (4 * 4 + 8 * 3) / 16 = 2.5.
        {"two-axle truck", Lkw(), false, 8.0, 2.0, {6.0, 10.0, 16.0, 2.5, 0}},
        // Tandem at 3.7 and 5.0 m (centre 4.35): empty moment 2.5 * 3.7 + 2.5 * 5.0 = 21.75, load
        // 10 t at 3.0 m: rear (21.75 + 30) / 4.35 = 11.8966, front 20 - 11.8966 = 8.1034 > 8.0.
        {"three-axle truck",
         {0, {{1.0, 5.0, 8.0}, {3.7, 2.5, 9.5}, {1.3, 2.5, 9.5}}, 26.0, 7.2, 2.5f, 0, 0},
         false,
         10.0,
         2.0,
         {8.103448, 11.896552, 20.0, 2.5875, 0x8}},
        // Type-5 van: axles at -0.6 and 2.4; 1 t at 2.1 m: rear (0.8 * 3 + 2.1) / 3 = 1.5.
        {"van",
         {0, {{0.6, 1.2, 1.8}, {3.0, 0.8, 2.0}}, 3.5, 3.2, 1.8f, 0, 0},
         true,
         1.0,
         1.5,
         {1.5, 1.5, 3.0, 1.5, 0}},
        // Drawbar trailer: turntable axle 1.0 m behind the load-area front; 10 t at 3.0 m behind it:
        // rear (2 * 5 + 10 * 3) / 5 = 8, front 6.
        {"drawbar trailer",
         {1, {{1.0, 2.0, 9.0}, {5.0, 2.0, 9.0}}, 18.0, 7.2, 2.5f, 0, 0},
         false,
         10.0,
         4.0,
         {6.0, 8.0, 14.0, 40.0 / 14.0, 0}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto v = Erzeuge(f.daten);
        v->m_nAchsFlags[9] = f.bArt5 ? 1 : 0;
        GibLast(*v, f.dLast, f.dLastX, v->m_fLFBreite / 2.0);
        Berechne(*v);
        Pruefe(*v, f.e);
        EXPECT_EQ(v->GetFahrzeugTyp(), f.bArt5 ? 5 : f.daten.nArt);
    }
}

TEST(FahrzeugStatik, TruckCarriesTheSupportLoadOfItsRigidDrawbarTrailer)
{
    auto lkw = Erzeuge({0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0, 2.5f, 20, 25});
    lkw->m_dKupplungsabstand = -0.5; // coupling 0.5 m behind the load area: 8.5 m behind the front axle
    lkw->m_dKupplungslast1 = 1.5;    // permissible support load
    GibLast(*lkw, 6.0, 1.0, 1.25);
    // Drawbar eye 2.0 m ahead of the load area, axles 5.0 and 6.0 m behind the eye (centre 5.5).
    auto anh = Erzeuge({2, {{2.0, 0.5, 1.5}, {5.0, 1.5, 9.0}, {1.0, 1.5, 9.0}}, 18.0, 6.0, 2.5f, 0, 0});
    GibLast(*anh, 10.0, 3.2, 1.25);
    Kopple(*lkw, *anh);

    // Trailer: 10 t at 5.2 m from the eye: rear (1.5 * 5 + 1.5 * 6 + 52) / 5.5 = 12.4545, so the eye
    // carries 13.5 - 12.4545 = 1.0455 t.
    const double S = 13.5 - 68.5 / 5.5;
    Pruefe(*anh, {S, 68.5 / 5.5, 13.5, 68.5 / 13.5, 0});
    // Truck: 8 t empty, 6 t at 2.0 m and S at 8.5 m: rear (16 + 12 + 8.5 S) / 4; the laden centre of
    // gravity holds the support load as the group loads do.
    const double dHinten = (16.0 + 12.0 + 8.5 * S) / 4.0;
    Pruefe(*lkw, {14.0 + S - dHinten, dHinten, 14.0 + S, (28.0 + 8.5 * S) / (14.0 + S), 0});
    EXPECT_NEAR(lkw->GetGesamtmasse(true), 27.5, KG);
    EXPECT_EQ(lkw->CheckGrenzwerte(false), 1);
    // The shares of the trailer are of its own total, those of the truck of the whole train.
    float fVorn = 0, fHinten = 0;
    anh->GetAchslastAnteile(&fVorn, &fHinten);
    EXPECT_NEAR(fVorn + fHinten, 100.0f, 1e-3);
    lkw->GetAchslastAnteile(&fVorn, &fHinten);
    EXPECT_NEAR(fHinten, 100.0 * dHinten / 27.5, 1e-3);

    // A support load above what the truck permits is the truck's 0x2000.
    lkw->m_dKupplungslast1 = 1.0;
    EXPECT_EQ(lkw->CheckGrenzwerte(true), 0x2000);
    EXPECT_EQ(lkw->CheckGrenzwerte(false), 0x2000 | 0x40000);
}

TEST(FahrzeugStatik, TractorCarriesTheKingpinLoadOfItsSemiTrailer)
{
    auto sz = Erzeuge({4, {{1.0, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0, 2.5f, 0, 0});
    sz->m_dSattelVersatz = 0.5;  // fifth wheel 3.1 m behind the front axle
    sz->m_dKupplungslast1 = 8.0; // permissible fifth-wheel load
    // Kingpin 1.5 m behind the load-area front, axles 6.0, 7.31 and 8.62 m behind it (centre 7.31).
    auto auf = Erzeuge({3,
                        {{1.5, 2.5, 12.0}, {6.0, 1.5, 8.0}, {1.31, 1.5, 8.0}, {1.31, 1.5, 8.0}},
                        36.0,
                        13.6,
                        2.48f,
                        0,
                        0});
    GibLast(*auf, 20.0, 7.0, 1.24);
    Kopple(*sz, *auf);

    // Semi-trailer: 20 t at 5.5 m from the kingpin: rear (1.5 * 21.93 + 110) / 7.31 = 19.5479,
    // kingpin 27 - 19.5479 = 7.4521.
    const double M = 1.5 * (6.0 + 7.31 + 8.62) + 110.0;
    const double S = 27.0 - M / 7.31;
    Pruefe(*auf, {S, M / 7.31, 27.0, M / 27.0, 0});
    // Tractor: 4.5 + 3.0 t empty (centre 3.0 * 3.6 / 7.5 = 1.44), S at 3.1 m: rear (10.8 + 3.1 S) / 3.6;
    // laden, its centre of gravity lies (10.8 + 3.1 S) / (7.5 + S) = 2.268 m behind the front axle.
    const double dHinten = (10.8 + 3.1 * S) / 3.6;
    Pruefe(*sz, {7.5 + S - dHinten, dHinten, 7.5 + S, (10.8 + 3.1 * S) / (7.5 + S), 0});
    EXPECT_NEAR(sz->CalcSchwerpunkt(false), 1.44, MM);
    // The semi-trailer's plan, when the tractor points to it, stands on the semi-trailer, not on the
    // tractor (counted there it would put the centre 5.8 m behind the front axle).
    sz->m_pQor = auf->GetQor();
    EXPECT_NEAR(sz->CalcSchwerpunkt(true), (10.8 + 3.1 * S) / (7.5 + S), MM);
    EXPECT_NEAR(sz->CalcSchwerpunkt(false), 1.44, MM);
    Kopple(*sz, *auf);
    Pruefe(*sz, {7.5 + S - dHinten, dHinten, 7.5 + S, (10.8 + 3.1 * S) / (7.5 + S), 0});
    sz->m_pQor = nullptr;
    EXPECT_NEAR(sz->GetGesamtmasse(true), 34.5, KG);
    EXPECT_EQ(auf->CheckGrenzwerte(false), 1);

    // A violation of one vehicle shows in the other's combined answer with the partner bit.
    sz->m_Achsen[1].dZulLast = 9.0;
    Kopple(*sz, *auf);
    EXPECT_EQ(sz->CheckGrenzwerte(true), 0x8);
    EXPECT_EQ(auf->CheckGrenzwerte(true), 0);
    EXPECT_EQ(auf->CheckGrenzwerte(false), 0x8 | 0x40000);
    EXPECT_EQ(sz->CheckGrenzwerte(false), 0x8 | 0x40000);
    sz->m_Achsen[1].dZulLast = 11.5;
    auf->m_dZulGesamtgewicht = 26.0;
    Kopple(*sz, *auf);
    EXPECT_EQ(auf->CheckGrenzwerte(false), 0x100 | 0x20000);
    EXPECT_EQ(sz->CheckGrenzwerte(false), 0x100 | 0x20000);
    auf->m_dZulGesamtgewicht = 36.0;
    Kopple(*sz, *auf);

    // A tractor has no payload curve of its own: an invalid curve is no violation for it, but for the
    // semi-trailer it is.
    sz->GetNutzlastKurve().SetGueltig(0);
    auf->GetNutzlastKurve().SetGueltig(0);
    EXPECT_EQ(sz->CheckGrenzwerte(true), 0);
    EXPECT_EQ(auf->CheckGrenzwerte(true), 0x2);

    // The tractor's permissible fifth-wheel load caps the semi-trailer's front group, and a kingpin
    // load above it is the tractor's 0x4000.
    sz->m_dKupplungslast1 = 7.0;
    Kopple(*sz, *auf);
    EXPECT_DOUBLE_EQ(auf->m_dZulLastVorn, 7.0);
    EXPECT_EQ(sz->CheckGrenzwerte(true) & 0x4000, 0x4000);
}

TEST(FahrzeugStatik, ThreeAxleTractorCarriesTheKingpinLoadAtItsFifthWheel)
{
    // Front axle, rear pair 3.4 and 4.7 m behind it (middle 4.05); fifth wheel 0.45 m ahead of the middle,
    // 3.6 m behind the front axle (the last axle less the offset would be 4.25).
    auto sz = Erzeuge({4, {{1.0, 5.0, 7.5}, {3.4, 2.25, 8.0}, {1.3, 2.25, 8.0}}, 24.0, 0.0, 2.5f, 0, 0});
    sz->m_dSattelVersatz = 0.45;
    sz->m_dKupplungslast1 = 14.0;
    auto auf = Erzeuge({3,
                        {{1.5, 2.5, 14.0}, {6.0, 1.5, 8.0}, {1.31, 1.5, 8.0}, {1.31, 1.5, 8.0}},
                        36.0,
                        13.6,
                        2.48f,
                        0,
                        0});
    GibLast(*auf, 20.0, 7.0, 1.24);
    Kopple(*sz, *auf);

    // Semi-trailer as above: kingpin 27 - (32.895 + 110) / 7.31 = 7.4521.
    const double M0 = 1.5 * (6.0 + 7.31 + 8.62);
    const double S = 27.0 - (M0 + 110.0) / 7.31;
    // Tractor: 9.5 t empty with moment 4.5 * 4.05 = 18.225 about the front axle, S at 3.6 m.
    const double dHinten = (18.225 + 3.6 * S) / 4.05;
    Pruefe(*sz, {9.5 + S - dHinten, dHinten, 9.5 + S, (18.225 + 3.6 * S) / (9.5 + S), 0});
    EXPECT_NEAR(sz->m_dKupplungsabstandGeo, 3.6, MM);
    EXPECT_NEAR(auf->m_dKupplungsabstandGeo, 3.6, MM);
    EXPECT_NEAR(auf->GetGesamtlaenge(true), 13.6 + 1.46 + 3.6 - 1.5, MM);

    // The kingpin load the tractor carries at the fifth wheel: its rear pair reaches 16 t at
    // (16 * 4.05 - 18.225) / 3.6 = 12.9375 t (front group 22.5 t, total 14.5 t, fifth wheel 14 t), which
    // caps the semi-trailer's front group of 14 t.
    const double dKingpin = (16.0 * 4.05 - 18.225) / 3.6;
    EXPECT_NEAR(auf->m_dZulLastVorn, dKingpin, KG);

    // 20 t placed so that the kingpin carries exactly that much is what the semi-trailer's curve allows
    // there, and it brings the tractor's rear pair to its 16 t.
    const double a = ((27.0 - dKingpin) * 7.31 - M0) / 20.0;
    SYs2X pt;
    pt.m_dX = 1.5 + a;
    ASSERT_EQ(auf->CalcKurvenpunkt(&pt), 1);
    EXPECT_NEAR(pt.m_dMaxLast, 20.0, KG);
    EXPECT_EQ(pt.m_nGrenze, 2);
    auto auf2 = Erzeuge({3,
                         {{1.5, 2.5, 14.0}, {6.0, 1.5, 8.0}, {1.31, 1.5, 8.0}, {1.31, 1.5, 8.0}},
                         36.0,
                         13.6,
                         2.48f,
                         0,
                         0});
    GibLast(*auf2, 20.0, 1.5 + a, 1.24);
    Kopple(*sz, *auf2);
    EXPECT_NEAR(auf2->m_dAchslastVorn, dKingpin, KG);
    EXPECT_NEAR(sz->m_dAchslastHinten, 16.0, KG);
    EXPECT_NEAR(sz->m_dAchslastVorn, 9.5 + dKingpin - 16.0, KG);
}

TEST(FahrzeugStatik, LimitMasksSetTheBitsOfTheViolatedLimits)
{
    struct Fall
    {
        const char* name;
        std::function<void(CFahrzeug&)> aendere;
        double dLast, dLastX, dLastY;
        int nEigene, nGesamt;
    };
    const Fall faelle[] = {
        {"within every limit", [](CFahrzeug&) {}, 8.0, 2.0, 1.25, 0, 1},
        {"rear group above its sum", [](CFahrzeug& f) { f.m_Achsen[1].dZulLast = 9.99; }, 8.0, 2.0, 1.25, 0x8,
         0x8 | 0x40000},
        {"total above the permissible", [](CFahrzeug& f) { f.m_dZulGesamtgewicht = 15.9; }, 8.0, 2.0, 1.25,
         0x100, 0x100 | 0x40000},
        // 8 t just behind the front axle leave the rear group 4 + 0.8 = 4.8 t < 25 % of 16 t.
        {"rear group below its share",
         [](CFahrzeug& f) {
             f.m_nMinAnteilHinten = 31;
             f.m_Achsen[0].dZulLast = 12.0;
         },
         8.0, -0.6, 1.25, 0x10, 0x10 | 0x40000},
        // The permitted lateral offset is K / m - c = 0.16 / 8 + 0.04 = 0.06 m; this load is 0.1 m off.
        {"load off the centre line", [](CFahrzeug&) {}, 8.0, 2.0, 1.15, 0x80, 0x80 | 0x40000},
        {"empty plan never off centre", [](CFahrzeug&) {}, 0.0, 2.0, 0.0, 0, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto v = Erzeuge(Lkw());
        f.aendere(*v);
        GibLast(*v, f.dLast, f.dLastX, f.dLastY);
        Berechne(*v);
        EXPECT_FAHRZEUG_INVARIANTEN(*v);
        EXPECT_EQ(v->CheckGrenzwerte(true), f.nEigene);
        EXPECT_EQ(v->CheckGrenzwerte(false), f.nGesamt);
        if (f.dLast == 0.0) {
            EXPECT_EQ(v->CheckQuerSchwerpunkt(), 1);
        }
    }
}

TEST(FahrzeugStatik, ACouplingLoadOnATrailerStandsOnItsAxles)
{
    // Drawbar trailer as above, with 1 t (the second coupling load counts) at a hitch 0.5 m behind the
    // load area: 7.7 m from the load-area front, 6.7 m behind the front axle.
    auto v = Erzeuge({1, {{1.0, 2.0, 9.0}, {5.0, 2.0, 9.0}}, 18.0, 7.2, 2.5f, 0, 0});
    v->m_bKupplungslast = 1;
    v->m_dKupplungslast1 = 3.0;
    v->m_dKupplungslast2 = 1.0;
    v->m_dKupplungsabstand = -0.5;
    GibLast(*v, 10.0, 4.0, 1.25);
    Berechne(*v);
    EXPECT_FAHRZEUG_INVARIANTEN(*v);
    const double dHinten = (2.0 * 5.0 + 10.0 * 3.0 + 1.0 * 6.7) / 5.0;
    EXPECT_NEAR(v->m_dAchslastHinten, dHinten, KG);
    EXPECT_NEAR(v->m_dAchslastVorn, 15.0 - dHinten, KG);
    EXPECT_NEAR(v->GetGesamtmasse(false), 15.0, KG);
    EXPECT_DOUBLE_EQ(v->m_dGrundmasse, 4.0); // the coupling load is not part of the unladen mass
}

TEST(FahrzeugStatik, VehiclesWithoutAPlan)
{
    for (int nArt : {0, 1, 2, 3}) {
        SCOPED_TRACE(nArt);
        Daten d = Lkw();
        d.nArt = nArt;
        if (nArt >= FahrzeugArt::kStarrdeichsel)
            d.achsen.push_back({1.0, 1.0, 8.0});
        auto v = Erzeuge(d);
        Berechne(*v);
        EXPECT_FAHRZEUG_INVARIANTEN(*v);
        EXPECT_EQ(v->CheckLadung(), 1);
        EXPECT_EQ(v->CheckQuerSchwerpunkt(), 1);
        EXPECT_EQ((v->CheckGrenzwerte(true) & 0x4) != 0, nArt != FahrzeugArt::kZugmaschine);
    }
}

TEST(FahrzeugStatik, MissingAxleDataMakeTheVehicleNotComputable)
{
    struct Fall
    {
        const char* name;
        Daten daten;
    };
    const Fall faelle[] = {
        {"zero wheelbase", {0, {{1.0, 4.0, 7.5}, {0.0, 4.0, 10.0}}, 18.0, 7.0, 2.5f, 25, 25}},
        {"no axle loads", {0, {{1.0, 0.0, 0.0}, {4.0, 0.0, 0.0}}, 18.0, 7.0, 2.5f, 25, 25}},
        {"all zero", {0, {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}, 0.0, 0.0, 2.5f, 0, 0}},
        {"no axles", {0, {}, 18.0, 7.0, 2.5f, 0, 0}},
        {"single axle", {1, {{1.0, 2.0, 9.0}}, 18.0, 7.0, 2.5f, 0, 0}},
        {"tractor without data", {4, {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}, 18.0, 0.0, 2.5f, 0, 0}},
        {"trailer with zero axle distances", {2, {{2.0, 0.5, 1.5}, {0.0, 1.5, 9.0}}, 18.0, 6.0, 2.5f, 0, 0}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto v = Erzeuge(f.daten);
        if (f.daten.nArt != FahrzeugArt::kSattelzugmaschine) // a tractor has no plan of its own
            GibLast(*v, 2.0, 1.0, 1.25);
        Berechne(*v);
        EXPECT_FAHRZEUG_INVARIANTEN(*v);
        EXPECT_FALSE(v->IsBerechenbar());
        EXPECT_EQ(v->GetNutzlastKurve().IsGueltig(), 0);
        EXPECT_NE(v->CheckGrenzwerte(true) & 0x2, 0);
        EXPECT_NE(v->CheckGrenzwerte(false), 1);
        EXPECT_EQ(v->CheckLadung(), f.daten.nArt == FahrzeugArt::kSattelzugmaschine ? 1 : 0);
    }
}

TEST(FahrzeugStatik, WorkingValuesOfThePreparation)
{
    auto v = Erzeuge(Lkw());
    v->m_nMinAnteilVorn = 25;
    v->m_nMinAnteilHinten = 30;
    v->PrepareBerechnung();
    EXPECT_DOUBLE_EQ(v->m_dMinAnteilVorn, 0.25);
    EXPECT_DOUBLE_EQ(v->m_dMinAnteilHinten, 0.30);
    EXPECT_DOUBLE_EQ(v->m_dRadstand, 4.0);
    EXPECT_DOUBLE_EQ(v->m_dLeergewicht, 8.0);
    EXPECT_DOUBLE_EQ(v->m_dAchse1Abstand, 1.0);
    EXPECT_DOUBLE_EQ(v->m_dNutzlast, 10.0);
}
