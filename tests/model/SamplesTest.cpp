// The sample files of the program folder, as the build writes them: each loads, and the vehicles and
// their combinations recalculate to plausible payloads.
#include "FahrzeugTestSupport.h"

#include "model/base/PngSize.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/plan/CQOR.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/SYs2X.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

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
            for (const CZurrpunkt* zp : f->GetZurrpunktListe()) {
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
        EXPECT_TRUE(f->GetNutzlastKurve().IsGueltig());
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
        EXPECT_TRUE(anh->GetNutzlastKurve().IsGueltig());
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

namespace {

// Everything a recalculation leaves that a view or a check reads: the results, the part curve, both
// halves of the chart and the marks of what must be drawn again.
std::vector<double> AllesNachRechnung(CFahrzeug& f)
{
    std::vector<double> v = fahrzeugtest::Ergebnis(f);
    for (const SYs2X* p : f.GetNutzlastKurve().GetTeilkurve().Punkte())
        v.insert(v.end(), {p->m_dX, p->m_dMaxLast, p->m_dMinLast});
    for (const tbVector2& p : f.m_Diagramm.GetPunkte())
        v.insert(v.end(), {p.x, p.y});
    for (int i = 0; i < f.m_Diagramm.GetLaengenAnzahl(); ++i)
        v.insert(v.end(), {f.m_Diagramm.GetLaengenPunkt(i).x, f.m_Diagramm.GetLaengenPunkt(i).y});
    v.insert(v.end(),
             {f.m_Diagramm.GetK(), f.m_Diagramm.GetC(), static_cast<double>(f.m_Diagramm.m_bNeuZeichnen),
              static_cast<double>(f.m_bDiagrammVeraltet), f.m_dStuetzlast, f.m_dKupplMomentVorn,
              static_cast<double>(f.CheckLadung()), static_cast<double>(f.CheckQuerSchwerpunkt())});
    return v;
}

void Setze(tagLGINFO* p, double m, double x)
{
    p->m_dSPMasse = m;
    p->m_dMasse = m;
    p->m_dPosX = x - 0.5;
}

} // namespace

// A drag moves loads only: the recalculation for moved loads gives what a full one gives, to the bit, on
// both vehicles, whether it keeps the curve (a semi-trailer, a vehicle alone) or must sample it again (a
// trailer behind a rigid truck, which puts part of its load on the truck). A twin of each vehicle, loaded
// alike, is recalculated in full at every step.
TEST(Samples, RecalculationForMovedLoadsEqualsAFullOne)
{
    struct Fall
    {
        const char *motor, *anhaenger;
    };
    const Fall faelle[] = {{"LKW", nullptr}, {"KEP", nullptr}, {"GDA", nullptr}, {"SAH", nullptr},
                           {"SZM", "SAH"},   {"SZM", "SAH_2"}, {"LKW", "GDA"},   {"LKW", "SDA"}};
    // Steps of a drag: x as a share of the load area and the load's mass as a share of the maximum
    // payload; the later steps change the mass too (loads added or removed), one beyond every point of the
    // curve.
    const struct
    {
        double x, m;
    } schritte[] = {{0.5, 0.5},  {0.55, 0.5}, {0.1, 0.5}, {0.9, 0.5}, {0.02, 0.5},
                    {0.98, 0.5}, {0.5, 0.9},  {0.5, 0.2}, {0.5, 1.5}, {0.3, 0.7}};
    struct Zug
    {
        std::unique_ptr<CFahrzeug> motor, anh;
        tagLGINFO *last = nullptr, *lastMotor = nullptr;
        CFahrzeug& Dok() const { return anh ? *anh : *motor; }
        std::vector<CFahrzeug*> Beide() const
        {
            return anh ? std::vector<CFahrzeug*>{motor.get(), anh.get()}
                       : std::vector<CFahrzeug*>{motor.get()};
        }
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.motor) + (fall.anhaenger ? std::string(" + ") + fall.anhaenger : ""));
        Zug zuege[2];
        for (Zug& z : zuege) {
            z.motor = Lade(fall.motor);
            z.anh = fall.anhaenger ? Lade(fall.anhaenger) : nullptr;
            ASSERT_TRUE(z.motor && (z.anh || !fall.anhaenger));
            CFahrzeug& dok = z.Dok();
            z.last = fahrzeugtest::GibLast(dok, 1.0, 1.0, dok.GetLFBreite() * 0.5)->GetLgInfos().back();
            if (z.anh && z.motor->GetQor())
                z.lastMotor = fahrzeugtest::GibLast(*z.motor, 1.0, 1.0, z.motor->GetLFBreite() * 0.5)
                                  ->GetLgInfos()
                                  .back();
            if (z.anh)
                fahrzeugtest::Kopple(*z.motor, *z.anh);
            else
                dok.RecalcMitPartner();
        }
        const double dMax = zuege[0].Dok().GetMaxNutzlast(true);
        ASSERT_GT(dMax, 0.0);
        const double dMaxMotor = zuege[0].motor->GetMaxNutzlast(true);
        for (const auto& schritt : schritte) {
            SCOPED_TRACE("load at " + std::to_string(schritt.x) + " of the load area, " +
                         std::to_string(schritt.m) + " of the payload");
            for (Zug& z : zuege) {
                Setze(z.last, schritt.m * dMax, schritt.x * z.Dok().GetLFLaenge());
                z.Dok().GetQor()->UpdateSchwerpunkt();
                if (z.lastMotor) {
                    Setze(z.lastMotor, 0.3 * schritt.m * dMaxMotor,
                          (1.0 - schritt.x) * z.motor->GetLFLaenge());
                    z.motor->GetQor()->UpdateSchwerpunkt();
                }
                for (CFahrzeug* f : z.Beide()) {
                    f->m_Diagramm.m_bNeuZeichnen = 0;
                    f->m_bDiagrammVeraltet = 0;
                }
            }
            zuege[0].Dok().RecalcLadungMitPartner();
            zuege[1].Dok().RecalcMitPartner();
            const auto a = zuege[0].Beide(), b = zuege[1].Beide();
            for (std::size_t i = 0; i < a.size(); ++i)
                EXPECT_ERGEBNIS_GLEICH(AllesNachRechnung(*a[i]), AllesNachRechnung(*b[i]),
                                       i == 0 ? "towing vehicle or vehicle alone" : "trailer");
        }
    }
}

// "Add axle" on every sample, as the template view runs it on a recalculated vehicle: the axles keep
// their places (positions from the load-area front, worked out from the sample data by hand) wherever
// the new axle 1.31 m behind the last leaves 1.3 m of the load area free; where it does not, the rear
// group's first axle moves forward by the shortfall.
TEST(Samples, AddingAnAxleKeepsTheAxlesInPlaceWhereTheNewOneFits)
{
    struct Fall
    {
        const char* title;
        bool bOhneLetzte; // the sample less its last axle
        std::vector<double> vorher, nachher;
        double dLaenge;
    };
    const Fall faelle[] = {
        // Front axle 1.0 m ahead of the 7.0 m body, wheelbase 4.8 m: the new axle fits at 5.11 m.
        {"LKW", false, {-1.0, 3.8}, {-1.0, 3.8, 5.11}, 7.0},
        // A tractor has no load area: nothing moves.
        {"SZM", false, {-1.0, 2.6}, {-1.0, 2.6, 3.91}, 0.0},
        // 7.2 m body, axles at 1.2 m and 6.0 m: the new one at 7.31 m is 1.41 m short, so the second
        // axle moves to 4.59 m and the new one follows at 5.90 m.
        {"GDA", false, {1.2, 6.0}, {1.2, 4.59, 5.90}, 7.2},
        // 8.2 m body, the tandem at 5.8 m and 7.11 m: 1.52 m short, the tandem moves forward whole.
        {"GDA_2", false, {1.2, 5.8, 7.11}, {1.2, 4.28, 5.59, 6.90}, 8.2},
        // Drawbar eye 2.0 m ahead of the 7.2 m body, axles at 3.4 m and 4.71 m: 0.12 m short.
        {"SDA", false, {-2.0, 3.4, 4.71}, {-2.0, 3.28, 4.59, 5.90}, 7.2},
        // The 13.6 m semi-trailer with two of its three axles: the third fits at 10.62 m again.
        {"SAH", true, {1.6, 8.0, 9.31}, {1.6, 8.0, 9.31, 10.62}, 13.6},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.title);
        auto f = Lade(fall.title);
        ASSERT_TRUE(f);
        if (fall.bOhneLetzte) {
            ASSERT_TRUE(f->RemoveAchse(f->GetRecordAnzahl() - 1));
        }
        fahrzeugtest::Berechne(*f);
        ASSERT_EQ(f->GetRecordAnzahl(), static_cast<int>(fall.vorher.size()));
        for (int i = 0; i < f->GetRecordAnzahl(); ++i)
            EXPECT_NEAR(f->GetAchsPosition(i), fall.vorher[static_cast<std::size_t>(i)], 1e-9)
                << "before, " << i;
        ASSERT_TRUE(f->CanAddAchse());
        ASSERT_TRUE(f->AddAchse());
        ASSERT_EQ(f->GetRecordAnzahl(), static_cast<int>(fall.nachher.size()));
        for (int i = 0; i < f->GetRecordAnzahl(); ++i)
            EXPECT_NEAR(f->GetAchsPosition(i), fall.nachher[static_cast<std::size_t>(i)], 1e-9)
                << "after, " << i;
        EXPECT_NEAR(f->m_dLFLaenge, fall.dLaenge, 1e-9);
        fahrzeugtest::Berechne(*f);
        EXPECT_FAHRZEUG_INVARIANTEN(*f);
    }
    // The van and the three-axle semi-trailers take no further axle.
    for (const char* title : {"KEP", "SAH", "SAH_2"}) {
        SCOPED_TRACE(title);
        auto f = Lade(title);
        ASSERT_TRUE(f);
        EXPECT_FALSE(f->CanAddAchse());
    }
}
