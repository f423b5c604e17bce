// The sample files of the program folder, as the build writes them: each loads, and the vehicles and
// their combinations recalculate to plausible payloads.
#include "FahrzeugTestSupport.h"

#include "model/base/PngSize.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/plan/CQOR.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const fs::path kSamples = QOR_SAMPLES_DIR;

std::unique_ptr<CFahrzeug> Lade(const char* title)
{
    return LoadFahrzeugFromFile(kSamples / "Vehicles" / (std::string(title) + ".qor"), 0, nullptr, nullptr,
                                false, nullptr);
}

struct Muster
{
    const char* title;
    int typ;
    int achsen;
};
const Muster kMuster[] = {{"LKW", 0, 2},   {"KEP", 5, 2}, {"SZM", 4, 2}, {"GDA", 1, 2},
                          {"GDA_2", 1, 3}, {"SDA", 2, 2}, {"SAH", 3, 3}, {"SAH_2", 3, 3}};

} // namespace

TEST(Samples, EveryVehicleLoads)
{
    for (const Muster& m : kMuster) {
        SCOPED_TRACE(m.title);
        const fs::path p = kSamples / "Vehicles" / (std::string(m.title) + ".qor");
        int count = -1;
        EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, &count), m.typ);
        EXPECT_EQ(count, 0);
        auto f = Lade(m.title);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->GetFahrzeugTyp(), m.typ);
        EXPECT_EQ(f->GetAchsanzahl(), m.achsen);
        EXPECT_EQ(f->m_strName, m.title);
        EXPECT_GT(f->m_dZulGesamtgewicht, 0.0);
        if (m.typ == 4) {
            EXPECT_EQ(f->GetQor(), nullptr);
            EXPECT_GT(f->m_dKupplungslast1, 0.0); // permissible fifth-wheel load
            EXPECT_GT(f->m_dSattelVersatz, 0.0);
        } else {
            EXPECT_NE(f->GetQor(), nullptr);
            EXPECT_GT(f->GetLFLaenge(), 3.0);
            EXPECT_GT(f->GetLFBreite(), 1.5f);
            EXPECT_GE(f->m_Zurrpunkte.size(), 8u);
            EXPECT_EQ(f->m_Zurrschienen.size(), 2u);
            for (const CZurrpunkt* zp : f->m_Zurrpunkte) {
                EXPECT_GT(zp->m_nNummer, 0);
                EXPECT_LE(zp->m_dAbstandLaengs, f->GetLFLaenge());
                EXPECT_GT(zp->m_dZulKraft, 0.0);
            }
        }
        if (m.typ == 0 || m.typ == 5) {
            EXPECT_GT(f->m_nMinAnteilVorn, 0u);
        }
    }
}

TEST(Samples, EveryLoadUnitLoadsWithItsPicture)
{
    struct Einheit
    {
        const char* title;
        int art;
        double l, b, h;
    };
    const Einheit einheiten[] = {
        {"EP", 0, 1.2, 0.8, 1.0}, {"IP", 1, 1.2, 1.0, 1.0}, {"GB", 2, 1.24, 0.835, 0.97}};
    for (const Einheit& e : einheiten) {
        SCOPED_TRACE(e.title);
        const fs::path p = kSamples / "Load units" / (std::string(e.title) + ".lgs");
        EXPECT_EQ(ReadFileItemDataKind(p), e.art);
        tagItemData item;
        ASSERT_TRUE(LoadItemDataFile(p, item));
        EXPECT_EQ(item.m_strName, e.title);
        EXPECT_DOUBLE_EQ(item.m_dLaenge, e.l);
        EXPECT_DOUBLE_EQ(item.m_dBreite, e.b);
        EXPECT_DOUBLE_EQ(item.m_dHoehe, e.h);
        EXPECT_GT(item.m_dMasse, 0.0);
        const auto size = ReadPngSize(kSamples / "Load units" / "Data" / GetLadungTypBild(e.art));
        ASSERT_TRUE(size);
        EXPECT_GT(size->first, 0);
        EXPECT_GT(size->second, 0);
    }
}

TEST(Samples, VehiclesAndCombinationsRecalculateToPlausiblePayloads)
{
    for (const Muster& m : kMuster) {
        if (m.typ == 4)
            continue;
        SCOPED_TRACE(m.title);
        auto f = Lade(m.title);
        ASSERT_TRUE(f);
        fahrzeugtest::Berechne(*f);
        EXPECT_TRUE(f->m_bKurveGueltig);
        EXPECT_GT(f->GetMaxNutzlast(true), 0.0);
        EXPECT_LE(f->GetMaxNutzlast(true), f->m_dZulGesamtgewicht);
        EXPECT_FAHRZEUG_INVARIANTEN(*f);
    }
    {
        auto lkw = Lade("LKW");
        fahrzeugtest::Berechne(*lkw);
        EXPECT_GE(lkw->GetMaxNutzlast(true), 8.0);
        EXPECT_LE(lkw->GetMaxNutzlast(true), 12.0);
    }
    // The trailer's own payload in the combination. Behind a rigid truck whose drive axle must keep a
    // share of the train mass, a drawbar trailer may carry little while the truck is empty; a
    // semi-trailer's payload is its own curve's, since the tractor has no curve of its own.
    struct Kombination
    {
        const char *motor, *anhaenger;
        double von, bis;
    };
    const Kombination kombinationen[] = {{"LKW", "GDA", 0.1, 13.5},
                                         {"LKW", "SDA", 6.0, 14.4},
                                         {"SZM", "SAH", 22.0, 30.0},
                                         {"SZM", "SAH_2", 22.0, 30.0}};
    for (const Kombination& k : kombinationen) {
        SCOPED_TRACE(std::string(k.motor) + " + " + k.anhaenger);
        auto motor = Lade(k.motor);
        auto anh = Lade(k.anhaenger);
        ASSERT_TRUE(motor && anh);
        fahrzeugtest::Kopple(*motor, *anh);
        EXPECT_TRUE(anh->m_bKurveGueltig);
        EXPECT_GE(anh->GetMaxNutzlast(true), k.von);
        EXPECT_LE(anh->GetMaxNutzlast(true), k.bis);
        EXPECT_EQ(motor->CheckGrenzwerte(false), 1); // within every limit
        EXPECT_EQ(anh->CheckGrenzwerte(false), 1);
        EXPECT_FAHRZEUG_INVARIANTEN(*motor);
        EXPECT_FAHRZEUG_INVARIANTEN(*anh);
        // The one round of the coupling is final: two rounds of trailer, towing vehicle and trailer
        // again give the same values to the bit.
        const std::vector<double> m1 = fahrzeugtest::Ergebnis(*motor), a1 = fahrzeugtest::Ergebnis(*anh);
        for (int i = 0; i < 2; ++i) {
            anh->Recalc();
            motor->Recalc();
            anh->Recalc();
        }
        EXPECT_ERGEBNIS_GLEICH(m1, fahrzeugtest::Ergebnis(*motor), "towing vehicle");
        EXPECT_ERGEBNIS_GLEICH(a1, fahrzeugtest::Ergebnis(*anh), "trailer");
    }
}
