// Adding and removing axles on small fixture vehicles.
#include "app/AchsEdit.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

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

TEST(AchsEditTest, ANewAxleFollowsTheLastAndTheFreeLengthIsKept)
{
    struct Case
    {
        const char* name;
        int nArt;
        std::initializer_list<double> abstaende;
        double dLaenge;
        int nNeu;               // the new record
        int nGeteilt;           // the record that gives up length, -1 none
        double dGeteiltAbstand; // its distance afterwards
        double dLaengeNachher;
    };
    const Case cases[] = {
        // 1.0 + 4.0 + 1.31 + 1.3 = 7.61 fits into 8 m.
        {"room behind", FahrzeugArt::kZugmaschine, {1.0, 4.0}, 8.0, 2, -1, 0.0, 8.0},
        // 7.4 m: 0.21 m short, taken from the rear group's first axle (4.0 -> 3.79).
        {"short", FahrzeugArt::kZugmaschine, {1.0, 4.0}, 7.4, 2, 1, 3.79, 7.4},
        // 3.0 m: 4.61 m short; the axle keeps 1.0 m and the vehicle grows by the 1.61 m left over.
        {"floor", FahrzeugArt::kZugmaschine, {0.5, 1.5}, 3.0, 2, 1, 1.0, 4.11},
        // Record 0 of a semi-trailer is the coupling point: two axles are records 1 and 2.
        {"semi-trailer", FahrzeugArt::kAuflieger, {1.0, 6.0, 1.31}, 13.6, 3, -1, 0.0, 13.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CFahrzeug> f = Fahrzeug(c.nArt, c.abstaende, c.dLaenge);
        // A rigid truck's front section does not count: the case's lengths are those behind it.
        const double vorbau = c.nArt == FahrzeugArt::kZugmaschine ? f->GetVorbauLaenge() : 0.0;
        f->m_dLFLaenge += vorbau;
        const int vorher = f->GetAchsanzahl();
        ASSERT_TRUE(AchsEdit::CanAdd(*f));
        ASSERT_TRUE(AchsEdit::AddAchse(*f));
        EXPECT_EQ(f->GetAchsanzahl(), vorher + 1);
        EXPECT_DOUBLE_EQ(f->m_Achsen[c.nNeu].dAbstand, 1.31);
        EXPECT_DOUBLE_EQ(f->m_Achsen[c.nNeu].dLeerlast, f->m_Achsen[c.nNeu - 1].dLeerlast);
        EXPECT_DOUBLE_EQ(f->m_Achsen[c.nNeu].dZulLast, f->m_Achsen[c.nNeu - 1].dZulLast);
        if (c.nGeteilt >= 0) {
            EXPECT_NEAR(f->m_Achsen[c.nGeteilt].dAbstand, c.dGeteiltAbstand, 1e-9);
        }
        EXPECT_TRUE(f->m_bModified);
        // Afterwards at least 1.3 m stays free behind the last axle.
        double pos = 0.0;
        for (int i = 0; i <= c.nNeu; ++i)
            pos += f->m_Achsen[i].dAbstand;
        EXPECT_GE(f->m_dLFLaenge - vorbau - pos + 1e-9, 1.3);
        EXPECT_NEAR(f->m_dLFLaenge - vorbau, c.dLaengeNachher, 1e-9);
    }
}

TEST(AchsEditTest, AxlesAreOfferedUpToTheKindsMaximumAndNeverForTypeFive)
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
        EXPECT_EQ(AchsEdit::GetMaxAchsen(k.nArt), k.nMax);
        std::unique_ptr<CFahrzeug> f = Fahrzeug(k.nArt, {1.0, 1.5}, 30.0);
        f->m_nAchsanzahl = 1;
        int added = 0;
        while (AchsEdit::CanAdd(*f) && added < 10) {
            ASSERT_TRUE(AchsEdit::AddAchse(*f));
            ++added;
        }
        EXPECT_EQ(f->GetAchsanzahl(), k.nMax);
    }
    std::unique_ptr<CFahrzeug> van = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 3.0}, 4.0);
    van->m_nAchsFlags[9] = 1; // reported type 5
    EXPECT_FALSE(AchsEdit::CanAdd(*van));
}

TEST(AchsEditTest, RemovingAnAxleMovesTheOnesBehindAndUngroupsTheLastPair)
{
    std::unique_ptr<CFahrzeug> f = Fahrzeug(FahrzeugArt::kZugmaschine, {1.0, 4.0, 1.35}, 8.0);
    f->m_nAchsFlags[2] = 1;                   // the third axle is grouped with the second
    EXPECT_FALSE(AchsEdit::CanRemove(*f, 0)); // never the first
    EXPECT_FALSE(AchsEdit::CanRemove(*f, 1)); // two ungrouped axles would not be enough
    EXPECT_TRUE(AchsEdit::CanRemove(*f, 2));  // but the grouped one may go
    ASSERT_TRUE(AchsEdit::RemoveAchse(*f, 1));
    EXPECT_EQ(f->GetAchsanzahl(), 2);
    EXPECT_DOUBLE_EQ(f->m_Achsen[1].dAbstand, 1.35);
    EXPECT_DOUBLE_EQ(f->m_Achsen[1].dLeerlast, 5.0);
    EXPECT_EQ(f->m_nAchsFlags[1], 0); // two axles left: no group
    EXPECT_DOUBLE_EQ(f->m_Achsen[2].dAbstand, 0.0);
    EXPECT_FALSE(AchsEdit::RemoveAchse(*f, 0));

    // A semi-trailer's coupling point counts: two axles are three records.
    std::unique_ptr<CFahrzeug> s = Fahrzeug(FahrzeugArt::kAuflieger, {1.0, 6.0, 1.31, 1.31}, 13.6);
    ASSERT_TRUE(AchsEdit::RemoveAchse(*s, 3));
    EXPECT_EQ(s->GetAchsanzahl(), 2);
    EXPECT_DOUBLE_EQ(s->m_Achsen[3].dAbstand, 0.0);
    EXPECT_DOUBLE_EQ(s->m_Achsen[2].dAbstand, 1.31);
}

} // namespace
