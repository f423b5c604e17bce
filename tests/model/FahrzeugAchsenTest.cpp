// Adding, removing and grouping axles on small fixture vehicles.
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A vehicle of a kind with axle records of the given distances (record 0 from the front of the load
// area), loads 3 / 8 t per record, one front axle, and a load area of `dLaenge` metres.
std::unique_ptr<CFahrzeug> Fahrzeug(int nArt, std::initializer_list<double> abstaende, double dLaenge)
{
    std::unique_ptr<CFahrzeug> f = ErzeugeFahrzeug(nArt);
    f->m_nArt = nArt; // the loader sets the kind
    int i = 0;
    for (double d : abstaende) {
        f->m_Achsen[i].dAbstand = d;
        f->m_Achsen[i].dLeerlast = 3.0 + i;
        f->m_Achsen[i].dZulLast = 8.0 + i;
        ++i;
    }
    const bool kupplung = nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger;
    f->m_nAchsanzahl = kupplung ? i - 1 : i;
    f->m_dLFLaenge = dLaenge;
    f->m_nAnzahlVorderachsen = 1;
    return f;
}

// The positions of all axle records from the load-area front, worked out by hand: the new axle lies
// 1.31 m behind the last; when less than 1.3 m of the load area stays behind it, the distance ahead of
// the rear group's first axle gives way (not below 1.0 m, the load area growing by the rest), and every
// other axle keeps its place.
TEST(FahrzeugAchsenTest, ANewAxleFollowsTheLastAndTheOthersKeepTheirPlaces)
{
    struct Case
    {
        const char* name;
        int nArt;
        std::initializer_list<double> abstaende;
        double dLaenge;
        std::vector<double> positionen; // every record after the new axle
        double dLaengeNachher;
        int nGruppiert = -1;            // a record grouped with the one before
        double dKupplungsabstand = 0.0; // a rigid truck's coupling, counted with its coupling load
    };
    const Case cases[] = {
        // Front axle 1.0 m ahead of the load area, rear axle at 3.0 m: the new one at 4.31 m leaves
        // 1.69 m of the 6.0 m.
        {"room behind", FahrzeugArt::kZugmaschine, {1.0, 4.0}, 6.0, {-1.0, 3.0, 4.31}, 6.0},
        // 5.0 m: 0.61 m short; the rear axle moves forward to 2.39 m, the new one follows at 3.70 m.
        {"short", FahrzeugArt::kZugmaschine, {1.0, 4.0}, 5.0, {-1.0, 2.39, 3.70}, 5.0},
        // 2.0 m: the new axle at 2.31 m is 1.61 m short; the rear axle keeps 1.0 m behind the front one
        // and the load area grows by the 1.11 m left over.
        {"floor", FahrzeugArt::kZugmaschine, {0.5, 1.5}, 2.0, {-0.5, 0.5, 1.81}, 3.11},
        // With its coupling load counted, the coupling 0.8 m ahead of the load-area end is the limit:
        // 0.41 m short.
        {"coupling", FahrzeugArt::kZugmaschine, {1.0, 4.0}, 6.0, {-1.0, 2.59, 3.90}, 6.0, -1, 0.8},
        // Two steered front axles (record 1 grouped with record 0): the rear axle, record 2, gives up
        // the 1.01 m short and the front pair stays.
        {"front pair", FahrzeugArt::kZugmaschine, {1.0, 1.9, 4.0}, 6.5, {-1.0, 0.9, 3.89, 5.20}, 6.5, 1},
        // A semi-trailer tractor has no load area: nothing moves.
        {"tractor", FahrzeugArt::kSattelzugmaschine, {1.0, 3.6}, 0.0, {-1.0, 2.6, 3.91}, 0.0},
        // Record 0 of a semi-trailer is the kingpin, 1.0 m behind the load-area front.
        {"semi-trailer", FahrzeugArt::kAuflieger, {1.0, 6.0, 1.31}, 13.6, {1.0, 7.0, 8.31, 9.62}, 13.6},
        // 0.21 m short behind a semi-trailer: its single axle (record 1) opens the rear group.
        {"semi-trailer short", FahrzeugArt::kAuflieger, {1.0, 6.0}, 9.4, {1.0, 6.79, 8.10}, 9.4},
        // Record 0 of a centre-axle trailer is the drawbar eye, 2.0 m ahead of the load area.
        {"centre-axle", FahrzeugArt::kStarrdeichsel, {2.0, 5.4, 1.31}, 7.2, {-2.0, 3.28, 4.59, 5.90}, 7.2},
        // The first axle of a drawbar trailer lies 1.2 m behind the load-area front.
        {"drawbar", FahrzeugArt::kAnhaenger, {1.2, 4.8}, 7.2, {1.2, 4.59, 5.90}, 7.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CFahrzeug> f = Fahrzeug(c.nArt, c.abstaende, c.dLaenge);
        if (c.nGruppiert >= 0)
            f->m_nAchsFlags[c.nGruppiert] = 1;
        if (c.dKupplungsabstand != 0.0) {
            f->m_bKupplungslast = 1;
            f->m_dKupplungsabstand = c.dKupplungsabstand;
        }
        const int vorher = f->GetAchsanzahl();
        const int nNeu = f->GetRecordAnzahl();
        ASSERT_TRUE(f->CanAddAchse());
        ASSERT_TRUE(f->AddAchse());
        EXPECT_EQ(f->GetAchsanzahl(), vorher + 1);
        ASSERT_EQ(f->GetRecordAnzahl(), static_cast<int>(c.positionen.size()));
        EXPECT_DOUBLE_EQ(f->m_Achsen[nNeu].dLeerlast, f->m_Achsen[nNeu - 1].dLeerlast);
        EXPECT_DOUBLE_EQ(f->m_Achsen[nNeu].dZulLast, f->m_Achsen[nNeu - 1].dZulLast);
        for (int i = 0; i < f->GetRecordAnzahl(); ++i)
            EXPECT_NEAR(f->GetAchsPosition(i), c.positionen[static_cast<std::size_t>(i)], 1e-9)
                << "record " << i;
        EXPECT_NEAR(f->m_dLFLaenge, c.dLaengeNachher, 1e-9);
        EXPECT_TRUE(f->m_bModified);
    }
}

TEST(FahrzeugAchsenTest, AxlesAreOfferedUpToTheKindsMaximumAndNeverForTypeFive)
{
    const struct
    {
        int nArt;
        int nMax;
    } kinds[] = {{FahrzeugArt::kZugmaschine, 4},
                 {FahrzeugArt::kAnhaenger, 4},
                 {FahrzeugArt::kStarrdeichsel, 3},
                 {FahrzeugArt::kAuflieger, 3},
                 {FahrzeugArt::kSattelzugmaschine, 3}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.nArt);
        EXPECT_EQ(CFahrzeug::GetMaxAchsen(k.nArt), k.nMax);
        std::unique_ptr<CFahrzeug> f = Fahrzeug(k.nArt, {1.0, 1.5}, 30.0);
        f->m_nAchsanzahl = 1;
        int added = 0;
        while (f->CanAddAchse() && added < 10) {
            ASSERT_TRUE(f->AddAchse());
            ++added;
        }
        EXPECT_EQ(f->GetAchsanzahl(), k.nMax);
    }
    std::unique_ptr<CFahrzeug> van = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 3.0}, 4.0);
    van->m_nAchsFlags[9] = 1; // reported type 5
    EXPECT_FALSE(van->CanAddAchse());
}

TEST(FahrzeugAchsenTest, RemovingAnAxleMovesTheOnesBehindAndUngroupsTheLastPair)
{
    std::unique_ptr<CFahrzeug> f = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 4.0, 1.35}, 8.0);
    f->m_nAchsFlags[2] = 1;             // the third axle is grouped with the second
    EXPECT_FALSE(f->CanRemoveAchse(0)); // never the first
    EXPECT_FALSE(f->CanRemoveAchse(1)); // two ungrouped axles would not be enough
    EXPECT_TRUE(f->CanRemoveAchse(2));  // but the grouped one may go
    ASSERT_TRUE(f->RemoveAchse(1));
    EXPECT_EQ(f->GetAchsanzahl(), 2);
    EXPECT_DOUBLE_EQ(f->m_Achsen[1].dAbstand, 1.35);
    EXPECT_DOUBLE_EQ(f->m_Achsen[1].dLeerlast, 5.0);
    EXPECT_EQ(f->m_nAchsFlags[1], 0); // two axles left: no group
    EXPECT_DOUBLE_EQ(f->m_Achsen[2].dAbstand, 0.0);
    EXPECT_FALSE(f->RemoveAchse(0));

    // A semi-trailer's coupling point counts: two axles are three records.
    std::unique_ptr<CFahrzeug> s = Fahrzeug(FahrzeugArt::kAuflieger, {1.0, 6.0, 1.31, 1.31}, 13.6);
    ASSERT_TRUE(s->RemoveAchse(3));
    EXPECT_EQ(s->GetAchsanzahl(), 2);
    EXPECT_DOUBLE_EQ(s->m_Achsen[3].dAbstand, 0.0);
    EXPECT_DOUBLE_EQ(s->m_Achsen[2].dAbstand, 1.31);
}

TEST(FahrzeugAchsenTest, RemovingFromTheFrontOrTheRearGroupKeepsTheRecordsInStep)
{
    // Four axles: a steered front pair (records 0 and 1) and a rear pair (records 2 and 3). Only two
    // axles count apart from their groups, so only a grouped one may go.
    struct Fall
    {
        const char* name;
        int nRecord;
        bool bErlaubt;
        std::vector<double> abstaende; // afterwards
        std::vector<int> flags;        // afterwards
    };
    const Fall faelle[] = {
        {"first", 0, false, {}, {}},
        {"front group", 1, true, {1.0, 4.0, 1.35}, {0, 0, 1}},
        {"rear group's first", 2, false, {}, {}},
        {"rear group", 3, true, {1.0, 1.9, 4.0}, {0, 1, 0}},
        {"behind the last", 4, false, {}, {}},
        {"before the first", -1, false, {}, {}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        std::unique_ptr<CFahrzeug> f = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 1.9, 4.0, 1.35}, 10.0);
        f->m_nAchsFlags[1] = 1;
        f->m_nAchsFlags[3] = 1;
        f->m_bModified = 0;
        EXPECT_EQ(f->CanRemoveAchse(fall.nRecord), fall.bErlaubt);
        if (!fall.bErlaubt) {
            // The removal itself only refuses what lies outside the records; the rule is the caller's.
            if (fall.nRecord < 1 || fall.nRecord >= f->GetRecordAnzahl()) {
                EXPECT_FALSE(f->RemoveAchse(fall.nRecord));
                EXPECT_EQ(f->GetAchsanzahl(), 4);
                EXPECT_FALSE(f->m_bModified);
            }
            continue;
        }
        ASSERT_TRUE(f->RemoveAchse(fall.nRecord));
        EXPECT_EQ(f->GetAchsanzahl(), 3);
        EXPECT_EQ(f->GetRecordAnzahl(), 3);
        EXPECT_TRUE(f->m_bModified);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_DOUBLE_EQ(f->m_Achsen[i].dAbstand, fall.abstaende[i]);
            EXPECT_EQ(f->m_nAchsFlags[i], fall.flags[i]);
        }
        // The record left free behind is empty.
        EXPECT_DOUBLE_EQ(f->m_Achsen[3].dAbstand, 0.0);
        EXPECT_DOUBLE_EQ(f->m_Achsen[3].dZulLast, 0.0);
        EXPECT_EQ(f->m_nAchsFlags[3], 0);
    }
}

TEST(FahrzeugAchsenTest, AnAxlesGroupIsSwitchedWhereTheVehicleHasAxlesToSpare)
{
    std::unique_ptr<CFahrzeug> f = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 4.0, 1.35}, 8.0);
    f->m_bModified = 0;
    EXPECT_FALSE(f->CanSchalteAchsGruppe(0)); // the first axle starts the front group
    EXPECT_TRUE(f->CanSchalteAchsGruppe(2));
    ASSERT_TRUE(f->SchalteAchsGruppe(2));
    EXPECT_TRUE(f->IsAchseGruppiert(2));
    EXPECT_TRUE(f->m_bModified);
    ASSERT_TRUE(f->SchalteAchsGruppe(2));
    EXPECT_FALSE(f->IsAchseGruppiert(2));

    // With two axles a group would leave one: only a set flag may be cleared.
    std::unique_ptr<CFahrzeug> zwei = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 4.0}, 8.0);
    EXPECT_FALSE(zwei->CanSchalteAchsGruppe(1));
    zwei->m_nAchsFlags[1] = 1;
    EXPECT_TRUE(zwei->CanSchalteAchsGruppe(1));

    for (int n : {-1, CFahrzeug::MAX_ACHSEN}) {
        EXPECT_FALSE(f->IsAchseGruppiert(n));
        EXPECT_FALSE(f->CanSchalteAchsGruppe(n));
        EXPECT_FALSE(f->SchalteAchsGruppe(n));
    }
}

} // namespace
