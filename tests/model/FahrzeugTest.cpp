// Vehicle classes: defaults, the lashing-device catalogue, accessors, kind texts and the geometry.
#include "FahrzeugTestSupport.h"

#include "model/plan/tagLGINFO.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAnhaenger.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CStarrdeichsel.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/tagZLINFO.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace fahrzeugtest;

namespace {

class FahrzeugTest : public ::testing::Test
{
protected:
    FahrzeugTest()
        : m_texts({{69, "unknown"},
                   {241, "Centre-axle trailer"},
                   {242, "Drawbar trailer"},
                   {243, "Semi-trailer"},
                   {266, "Van"},
                   {293, "Semi-trailer tractor"},
                   {294, "Rigid truck"},
                   {393, "Lashing strap"},
                   {394, "Lashing chain"}}),
          m_scope(&m_texts)
    {
    }

    CTableTextProvider m_texts;
    ScopedTextProvider m_scope;
};

std::vector<std::function<std::unique_ptr<CFahrzeug>()>> AlleKlassen()
{
    return {[] { return std::make_unique<CFahrzeug>(); },
            [] { return std::make_unique<CZugmaschine>(); },
            [] { return std::make_unique<CSattelzugmaschine>(); },
            [] { return std::make_unique<CStarrdeichsel>(); },
            [] { return std::make_unique<CAnhaenger>(); },
            [] { return std::make_unique<CAuflieger>(); }};
}

} // namespace

// What the constructors of each class build beyond their members' initial values: kind, texts, the
// lashing-device catalogue and the coupling values of the classes that couple.
TEST_F(FahrzeugTest, NewVehiclesOfEveryClassHaveTheirDefaults)
{
    struct Geraet
    {
        int nTyp;
        const char* name;
        double d1, d2;
    };
    const Geraet katalog[] = {{0, "Lashing strap", 250, 2500},  {0, "Lashing strap", 350, 3500},
                              {1, "Lashing chain", 1500, 3000}, {1, "Lashing chain", 2500, 5000},
                              {1, "Lashing chain", 2800, 8000}, {1, "Lashing chain", 3600, 13000},
                              {1, "Lashing chain", 3600, 20000}};
    int nKlasse = 0;
    for (const auto& neu : AlleKlassen()) {
        SCOPED_TRACE(nKlasse++);
        auto v = neu();
        EXPECT_EQ(v->GetArt(), -1);
        EXPECT_EQ(v->GetFahrzeugTyp(), -1);
        EXPECT_EQ(v->GetArtName(), "unknown");
        // Reset() clears the flag; the constructor sets it again after its call.
        EXPECT_EQ(v->m_bKupplungslast2, 1);
        EXPECT_EQ(v->GetQor(), nullptr);
        EXPECT_EQ(v->GetPartner(), nullptr);
        EXPECT_TRUE(v->m_ZurrmittelBenutzt.empty());
        ASSERT_EQ(v->m_ZurrmittelKatalog.size(), 7u);
        size_t i = 0;
        for (const CZurrmittel* z : v->GetZurrmittelKatalog()) {
            SCOPED_TRACE(i);
            EXPECT_EQ(z->m_nKennung, 1);
            EXPECT_EQ(z->m_nTyp, katalog[i].nTyp);
            EXPECT_EQ(z->m_nTypZusatz, 0);
            EXPECT_EQ(z->m_strName, katalog[i].name);
            EXPECT_DOUBLE_EQ(z->m_dVorspannkraft, katalog[i].d1);
            EXPECT_DOUBLE_EQ(z->m_dZurrkraft, katalog[i].d2);
            EXPECT_DOUBLE_EQ(z->m_dWert3, 0.0);
            EXPECT_EQ(z->m_nAnzahl, 0);
            ++i;
        }
        const bool bKupplung = dynamic_cast<CStarrdeichsel*>(v.get()) || dynamic_cast<CAuflieger*>(v.get());
        EXPECT_DOUBLE_EQ(v->m_dKupplungswert[0], bKupplung ? 0.0 : -1.0);
        EXPECT_DOUBLE_EQ(v->m_dKupplungswert[3], -1.0);
    }
}

// A reset of a vehicle in use starts the catalogue again instead of appending the defaults once more,
// and lets go of the cab picture it owns.
TEST_F(FahrzeugTest, ResetAgainKeepsEachDefaultDeviceOnceAndReleasesTheCabPicture)
{
    struct Bild : IFahrerhausBild
    {
        explicit Bild(int* pWeg) : m_pWeg(pWeg) {}
        ~Bild() override { ++*m_pWeg; }
        bool HatBild() const override { return true; }
        double GetVorbauLaenge() const override { return 1.0; }
        double GetLaenge() const override { return 2.0; }
        int* m_pWeg;
    };
    int nKlasse = 0;
    for (const auto& neu : AlleKlassen()) {
        SCOPED_TRACE(nKlasse++);
        auto v = neu();
        auto frisch = neu();
        int nWeg = 0;
        v->m_pFahrerhausBild = new Bild(&nWeg);
        EXPECT_EQ(v->Reset(), 1);
        EXPECT_EQ(nWeg, 1);
        EXPECT_EQ(v->m_pFahrerhausBild, nullptr);
        v->Reset();
        ASSERT_EQ(v->m_ZurrmittelKatalog.size(), frisch->m_ZurrmittelKatalog.size());
        auto a = v->m_ZurrmittelKatalog.begin();
        for (const auto& b : frisch->m_ZurrmittelKatalog) {
            EXPECT_EQ((*a)->m_nTyp, b->m_nTyp);
            EXPECT_EQ((*a)->m_strName, b->m_strName);
            EXPECT_DOUBLE_EQ((*a)->m_dVorspannkraft, b->m_dVorspannkraft);
            EXPECT_DOUBLE_EQ((*a)->m_dZurrkraft, b->m_dZurrkraft);
            ++a;
        }
    }
}

TEST_F(FahrzeugTest, KindsTypesTextsAndFrontLengths)
{
    struct Fall
    {
        int nArt;
        bool bSubTyp;
        int nTyp;
        const char* text;
        double dVorbau;
    };
    const Fall faelle[] = {
        {0, false, 0, "Rigid truck", 1.46},         {0, true, 5, "Van", 0.71},
        {1, false, 1, "Drawbar trailer", 0.5},      {2, false, 2, "Centre-axle trailer", 1.8},
        {3, false, 3, "Semi-trailer", 1.8},         {4, false, 4, "Semi-trailer tractor", 1.46},
        {4, true, 4, "Semi-trailer tractor", 1.46}, {7, false, 7, "unknown", 0.0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        CFahrzeug v;
        v.m_nArt = f.nArt;
        v.m_nAchsFlags[9] = f.bSubTyp ? 1 : 0;
        v.m_Achsen[0].dAbstand = 1.8;
        EXPECT_EQ(v.GetFahrzeugTyp(), f.nTyp);
        EXPECT_EQ(v.IsArt5(), f.nTyp == FahrzeugArt::kZugmaschineUntertyp);
        EXPECT_EQ(v.GetArtName(), f.text);
        EXPECT_DOUBLE_EQ(v.GetVorbauLaenge(), f.dVorbau);
    }
}

TEST_F(FahrzeugTest, Accessors)
{
    CFahrzeug v;
    v.m_nArt = 0;
    v.m_dLFLaenge = 7.0;
    v.m_fLFBreite = 2.5f;
    v.m_NutzLF[0] = {{0.1, 0.2, 0.3, 0.4}, {}, {1, 2, 3, 4}};
    v.m_NutzLF[1] = {{0.5, 0.25, 0.5, 0.25}, {}, {}};
    v.m_Achsen[0].dAbstand = 1.2;

    EXPECT_DOUBLE_EQ(v.GetRandabstand(4), 0.1 + 0.3);
    EXPECT_DOUBLE_EQ(v.GetRandabstand(5), 0.2 + 0.4);
    EXPECT_DOUBLE_EQ(v.GetRandabstand(6), 0.0);
    EXPECT_EQ(v.GetRasterAnzahl(1), 1);
    EXPECT_EQ(v.GetRasterAnzahl(4), 4);
    EXPECT_EQ(v.GetRasterAnzahl(0), 0);
    EXPECT_EQ(v.GetRasterAnzahl(5), 0);
    EXPECT_DOUBLE_EQ(v.GetAbstandLaengs(3, 1.0, 2.0), 1.0);
    EXPECT_DOUBLE_EQ(v.GetAbstandLaengs(4, 1.0, 2.0), 7.0 - 0.1 - 0.3 - 1.0 - 2.0);
    EXPECT_DOUBLE_EQ(v.GetAbstandLaengs(1, 1.0, 2.0), 0.0);
    EXPECT_DOUBLE_EQ(v.GetAbstandQuer(2, 0.5, 1.0), 2.5 - 0.2 - 0.4 - 0.5 - 1.0);
    EXPECT_DOUBLE_EQ(v.GetAbstandQuer(1, 0.5, 1.0), 1.25 - 0.2 - 0.5);
    EXPECT_DOUBLE_EQ(v.GetAbstandQuer(3, 0.5, 1.0), 0.5);
    tagLGINFO last;
    last.m_dLaenge = 1.2;
    last.m_dBreite = 0.8;
    last.m_dPosY = 0.5;
    for (int nDrehung : {0, 90, 180, 270, 45}) {
        SCOPED_TRACE(nDrehung);
        last.m_nDrehung = nDrehung;
        const double dQuer = nDrehung % 180 == 0 ? 0.8 : (nDrehung % 90 == 0 ? 1.2 : -1.0);
        EXPECT_DOUBLE_EQ(v.GetAbstandQuerLg(2, &last), v.GetAbstandQuer(2, 0.5, dQuer));
    }

    double l = 0, b = 0;
    EXPECT_TRUE(v.GetNutzbareLF(&l, &b));
    EXPECT_DOUBLE_EQ(l, 6.0);
    EXPECT_DOUBLE_EQ(b, 2.0);
    EXPECT_FLOAT_EQ(v.GetAchse1Position(), 1.2f);
    v.m_nArt = 3;
    EXPECT_FLOAT_EQ(v.GetAchse1Position(), -1.2f);
    v.m_nArt = 4;
    EXPECT_FALSE(v.GetNutzbareLF(&l, &b));
    EXPECT_FLOAT_EQ(v.GetLFBreite(), 0.0f);

    v.m_dZulGesamtgewicht = 3.5;
    EXPECT_DOUBLE_EQ(v.GetGewichtsRaster(), 0.025);
    v.m_dZulGesamtgewicht = 3.5000001;
    EXPECT_DOUBLE_EQ(v.GetGewichtsRaster(), 0.5);

    EXPECT_FLOAT_EQ(v.GetQorAnzahl(), 4.0f);
    EXPECT_FALSE(v.HasUeberstand());
    v.m_Ueberstand.m_dWert[3] = 0.2;
    EXPECT_TRUE(v.HasUeberstand());
    EXPECT_DOUBLE_EQ(v.GetAchsLeerlast(10), 0.0);
    v.SetAchsZulLast(10, 5.0); // ignored
    v.SetAchsZulLast(9, 5.0);
    EXPECT_DOUBLE_EQ(v.m_Achsen[9].dZulLast, 5.0);
    EXPECT_DOUBLE_EQ(v.GetAchsZulLast(9), 0.0); // beyond the four records that answer
    v.m_Achsen[9].dLeerlast = 40.0;
    EXPECT_DOUBLE_EQ(v.GetAchse9Leerlast(), 40.0);
    v.m_nArt = 2;
    EXPECT_DOUBLE_EQ(v.GetAchse9Leerlast(), 0.0);
}

TEST_F(FahrzeugTest, AxleLoadsByNumberCountFromTheCouplingForTrailersWithOneAndFromOneOtherwise)
{
    CZugmaschine v;
    for (int i = 0; i < 10; ++i) {
        v.SetAchsLeerlast(i, 1.0 + i);
        v.SetAchsZulLast(i, 10.0 + i);
    }
    struct Case
    {
        int nArt;
        int n;
        double leer;
        double zul;
    };
    const Case cases[] = {
        {0, 1, 1.0, 10.0}, {0, 4, 4.0, 13.0}, {0, 0, 0.0, 0.0},  {0, 5, 0.0, 0.0}, {4, 1, 1.0, 10.0},
        {1, 2, 2.0, 11.0}, {2, 0, 1.0, 10.0}, {2, 3, 4.0, 13.0}, {3, 4, 0.0, 0.0}, {3, -1, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.nArt << " axle " << c.n);
        v.m_nArt = c.nArt;
        EXPECT_DOUBLE_EQ(v.GetAchsLeerlast(c.n), c.leer);
        EXPECT_DOUBLE_EQ(v.GetAchsZulLast(c.n), c.zul);
    }
}

TEST_F(FahrzeugTest, MaximumPayloadTakesTheSmallerWithAPartner)
{
    CZugmaschine lkw;
    CAnhaenger anh;
    lkw.GetNutzlastKurve().SetMaxNutzlast(10.0);
    anh.GetNutzlastKurve().SetMaxNutzlast(8.0);
    EXPECT_DOUBLE_EQ(lkw.GetMaxNutzlast(false), 10.0);
    CFahrzeug::Koppeln(lkw, anh);
    EXPECT_DOUBLE_EQ(lkw.GetMaxNutzlast(false), 8.0);
    EXPECT_DOUBLE_EQ(lkw.GetMaxNutzlast(true), 10.0);
}

TEST_F(FahrzeugTest, CouplingNamesBothAndLetsEarlierPartnersGo)
{
    CZugmaschine lkw;
    CAnhaenger anh;
    CStarrdeichsel zp;
    CFahrzeug::Koppeln(lkw, anh);
    EXPECT_EQ(lkw.GetPartner(), &anh);
    EXPECT_EQ(anh.GetPartner(), &lkw);
    CFahrzeug::Koppeln(lkw, anh); // again: nothing changes
    EXPECT_EQ(lkw.GetPartner(), &anh);
    EXPECT_EQ(anh.GetPartner(), &lkw);
    // Another trailer behind the truck: the first one no longer names it.
    CFahrzeug::Koppeln(lkw, zp);
    EXPECT_EQ(lkw.GetPartner(), &zp);
    EXPECT_EQ(zp.GetPartner(), &lkw);
    EXPECT_EQ(anh.GetPartner(), nullptr);
    // Parting works from either side, and twice.
    zp.Entkoppeln();
    EXPECT_EQ(lkw.GetPartner(), nullptr);
    EXPECT_EQ(zp.GetPartner(), nullptr);
    zp.Entkoppeln();
    EXPECT_EQ(zp.GetPartner(), nullptr);

    // A tractor that showed its semi-trailer's plan lets it go with the semi-trailer, which keeps it.
    CSattelzugmaschine szm;
    CAuflieger auf;
    szm.m_nArt = FahrzeugArt::kSattelzugmaschine;
    auf.m_nArt = FahrzeugArt::kAuflieger;
    auf.m_pQor = new CQOR(&auf, 0, "Plan");
    CFahrzeug::Koppeln(szm, auf);
    szm.m_pQor = auf.GetQor();
    auf.Entkoppeln();
    EXPECT_EQ(szm.GetQor(), nullptr);
    EXPECT_NE(auf.GetQor(), nullptr);
    EXPECT_EQ(szm.GetPartner(), nullptr);
}

TEST_F(FahrzeugTest, DestroyingATractorLeavesItsSemiTrailersPlan)
{
    CAuflieger auf;
    auf.m_nArt = 3;
    auf.m_pQor = new CQOR(&auf, 0, "Plan");
    {
        CSattelzugmaschine sz;
        sz.m_nArt = 4;
        sz.m_pQor = auf.m_pQor;
    }
    ASSERT_NE(auf.GetQor(), nullptr);
    EXPECT_EQ(auf.GetQor()->GetFahrzeug(), &auf);
}

TEST_F(FahrzeugTest, MergedAxlesLeaveOutFlaggedRecords)
{
    // Four axles; record 2 is flagged: the merged list is records 0, 1 and 3, the third 1.3 + 1.4 behind
    // the second.
    auto v = Erzeuge({0, {{1.0, 4.0, 7.0}, {3.0, 3.0, 9.0}, {1.3, 2.0, 8.0}, {1.4, 1.0, 9.0}}, 32.0, 8.0});
    v->m_nAchsFlags[2] = 1;
    Berechne(*v);
    EXPECT_FAHRZEUG_INVARIANTEN(*v);
    EXPECT_EQ(v->GetAchsGeometrie().nMergeAnzahl, 3);
    EXPECT_DOUBLE_EQ(v->GetAchsGeometrie().dMergeAbstand[2], 1.3 + 1.4);
    EXPECT_DOUBLE_EQ(v->GetAchsGeometrie().dMergeZulLast[2], 9.0);
    EXPECT_DOUBLE_EQ(v->GetAchsGeometrie().dMergeLeerlast[2], 1.0);
    EXPECT_DOUBLE_EQ(v->m_dLeergewicht, 10.0);
    EXPECT_EQ(v->m_nAnzahlVorderachsen, 1);
    // Rear group: records 1 and 3 at 3.0 and 5.7 m, weighted 9 : 9.
    EXPECT_NEAR(v->m_dRadstand, 4.35, 1e-12);
}

TEST_F(FahrzeugTest, FrontGroupEndsAtTheLargestGap)
{
    struct Fall
    {
        const char* name;
        std::vector<Achse> achsen;
        int nVorn;
    };
    const Fall faelle[] = {
        {"two axles", {{1, 4, 8}, {4, 4, 8}}, 1},
        {"tandem behind", {{1, 4, 8}, {4, 4, 8}, {1.3, 4, 8}}, 1},
        {"twin steer", {{1, 4, 8}, {1.8, 4, 8}, {4, 4, 8}, {1.3, 4, 8}}, 2},
        {"all gaps equal", {{1, 4, 8}, {2, 4, 8}, {2, 4, 8}, {2, 4, 8}}, 2},
        {"first of equal largest", {{1, 4, 8}, {3, 4, 8}, {1, 4, 8}, {3, 4, 8}}, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto v = Erzeuge({0, f.achsen, 40.0, 8.0});
        Berechne(*v);
        EXPECT_FAHRZEUG_INVARIANTEN(*v);
        EXPECT_EQ(v->m_nAnzahlVorderachsen, f.nVorn);
        EXPECT_EQ(v->CalcAnzahlVorderachsen(), f.nVorn);
        EXPECT_TRUE(v->IsVorderachse(f.nVorn - 1));
        EXPECT_FALSE(v->IsVorderachse(f.nVorn));
    }
    CFahrzeug leer;
    EXPECT_TRUE(leer.IsVorderachse(-1));
    EXPECT_FALSE(leer.IsVorderachse(0));
}

TEST_F(FahrzeugTest, AxlePositionsAndLengths)
{
    auto lkw = Erzeuge({0, {{1.0, 4, 8}, {3.7, 3, 9}, {1.3, 3, 9}}, 26.0, 7.2});
    EXPECT_DOUBLE_EQ(lkw->GetAchsPosition(0), -1.0);
    EXPECT_DOUBLE_EQ(lkw->GetAchsPosition(2), 4.0);
    EXPECT_DOUBLE_EQ(lkw->GetAchsPosition(10), 0.0);
    EXPECT_DOUBLE_EQ(lkw->GetPosLetzteAchse(), 4.0);
    EXPECT_DOUBLE_EQ(lkw->GetGesamtlaenge(false), 1.46 + 1.0 + 7.2);

    auto anh = Erzeuge({1, {{1.0, 2, 9}, {5.0, 2, 9}}, 18.0, 7.0});
    EXPECT_DOUBLE_EQ(anh->GetGesamtlaenge(false), 8.28);
    EXPECT_DOUBLE_EQ(anh->GetAchsPosition(1), 6.0);
    EXPECT_DOUBLE_EQ(anh->GetPosLetzteAchse(), 6.0);
    CFahrzeug::Koppeln(*lkw, *anh);
    EXPECT_DOUBLE_EQ(anh->GetGesamtlaenge(true), 8.28 + 9.66);

    auto zp = Erzeuge({2, {{2.0, 0.5, 1.5}, {5.0, 1.5, 9.0}, {1.0, 1.5, 9.0}}, 18.0, 6.0});
    lkw->m_dKupplungsabstand = -0.5;
    CFahrzeug::Koppeln(*lkw, *zp);
    EXPECT_DOUBLE_EQ(zp->GetGesamtlaenge(false), 8.0);
    EXPECT_DOUBLE_EQ(zp->GetGesamtlaenge(true), 8.0 + 9.66 + 0.5);
}

TEST_F(FahrzeugTest, RigidDrawbarTrailerFrontLimitIsCutToWhatTheTruckAllows)
{
    auto lkw = Erzeuge({0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0});
    lkw->m_dKupplungsabstand = -0.5;
    lkw->m_dKupplungslast1 = 0.8; // the truck permits 0.8 t at its coupling
    auto anh = Erzeuge({2, {{2.0, 0.5, 1.5}, {5.0, 1.5, 9.0}, {1.0, 1.5, 9.0}}, 18.0, 6.0});
    Kopple(*lkw, *anh);
    EXPECT_FAHRZEUG_INVARIANTEN(*anh);
    EXPECT_DOUBLE_EQ(anh->m_dZulStuetzlast, 0.8);
    EXPECT_DOUBLE_EQ(anh->m_dZulLastVorn, 0.8);
    EXPECT_DOUBLE_EQ(anh->GetAchsGeometrie().dMergeZulLast[0], 0.8);

    // The rear axle's limit: (11.5 * 4 - 16) / 8.5 = 3.53 t; a coupling that permits more is not the limit.
    lkw->m_dKupplungslast1 = 5.0;
    Kopple(*lkw, *anh);
    EXPECT_NEAR(anh->m_dZulLastVorn, 1.5, 1e-12);
    lkw->m_Achsen[1].dZulLast = 4.5;
    Kopple(*lkw, *anh);
    EXPECT_NEAR(anh->m_dZulLastVorn, (4.5 * 4.0 - 16.0) / 8.5, 1e-12);
}

TEST_F(FahrzeugTest, ZLItemsCountIntoTheUnladenMass)
{
    auto v = Erzeuge({0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0});
    Berechne(*v);
    EXPECT_DOUBLE_EQ(v->m_dZLMasse, 0.0);
    EXPECT_DOUBLE_EQ(v->m_dGrundmasse, v->m_dLeergewicht);

    // A loading crane of 1 t positioned 0.5 m from the end of the load area: x = 6.5, 7.5 m behind the
    // front axle.
    auto* zl = new tagZLINFO;
    zl->m_nTyp = 1;
    zl->m_dAbstand = 0.5;
    zl->m_nVomEnde = 1;
    zl->m_dMasse = 1.0;
    v->AddZL(std::unique_ptr<tagZLINFO>(zl));
    Berechne(*v);
    EXPECT_FAHRZEUG_INVARIANTEN(*v);
    EXPECT_DOUBLE_EQ(v->m_dZLMasse, 1.0);
    EXPECT_DOUBLE_EQ(v->m_dZLPos, 7.5);
    EXPECT_DOUBLE_EQ(v->m_dGrundmasse, 9.0);
    EXPECT_DOUBLE_EQ(v->m_dNutzlast, 18.0 - 8.0 - 1.0);
    EXPECT_NEAR(v->m_dAchslastHinten, (16.0 + 7.5) / 4.0, 1e-12);
    EXPECT_TRUE(v->HasZLTyp1());
    EXPECT_FALSE(v->HasZLTyp(5));
}

TEST_F(FahrzeugTest, EquipmentKeepsTheOrderItWasAddedInAndIsHandedBackWhenRemoved)
{
    auto v = Erzeuge({0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0});
    std::vector<tagZLINFO*> items;
    for (const char* name : {"C", "A", "B"}) {
        auto zl = std::make_unique<tagZLINFO>();
        zl->m_strName = name;
        items.push_back(v->AddZL(std::move(zl)));
    }
    std::vector<std::string> namen;
    for (const auto& zl : v->m_ZLInfos)
        namen.push_back(zl->m_strName);
    EXPECT_EQ(namen, (std::vector<std::string>{"C", "A", "B"}));

    std::unique_ptr<tagZLINFO> weg = v->RemoveZL(items[1]);
    EXPECT_EQ(weg.get(), items[1]);
    EXPECT_FALSE(v->HasZL(items[1]));
    EXPECT_TRUE(v->HasZL(items[2]));
    EXPECT_EQ(v->RemoveZL(items[1]), nullptr); // no longer the vehicle's
    EXPECT_EQ(v->RemoveZL(nullptr), nullptr);
    EXPECT_EQ(v->m_ZLInfos.size(), 2u);

    // Lashing points: the one removed comes back, the others stay, a stranger is refused.
    auto* p = v->m_Zurrpunkte.emplace_back(std::make_unique<CZurrpunkt>(7.0, 2.4)).get();
    v->m_Zurrpunkte.emplace_back(std::make_unique<CZurrpunkt>(7.0, 2.4));
    CZurrpunkt fremd(7.0, 2.4);
    EXPECT_EQ(v->RemoveZurrpunkt(&fremd), nullptr);
    EXPECT_EQ(v->RemoveZurrpunkt(p).get(), p);
    EXPECT_EQ(v->GetZurrpunktListe().size(), 1u);
    EXPECT_NE(v->GetZurrpunktListe().front(), p);
}
