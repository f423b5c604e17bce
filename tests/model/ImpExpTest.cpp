// Vehicle and combination files: the records, their older layouts, the file access and the vehicle
// built from a file and back.
#include "ByteHelpers.h"
#include "FahrzeugTestSupport.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/ProgramFolders.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/tagZLINFO.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>

namespace fs = std::filesystem;
using fahrzeugtest::Achse;
using fahrzeugtest::Daten;

namespace {

Bytes ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), b.size());
}

// Values of a record field by field, for hand-made older layouts.
class Felder
{
public:
    Felder& Int(std::int32_t v)
    {
        m_ar.WriteInt(v);
        return *this;
    }
    Felder& Word(std::uint16_t v)
    {
        m_ar.WriteWord(v);
        return *this;
    }
    Felder& Dbl(double v)
    {
        m_ar.WriteDouble(v);
        return *this;
    }
    Felder& Bool(bool v)
    {
        m_ar.WriteBool(v);
        return *this;
    }
    Felder& Text(const std::string& v)
    {
        m_ar.WriteString(v);
        return *this;
    }
    Bytes Take() { return m_ar.TakeData(); }

private:
    ArchiveWriter m_ar;
};

// The fields of a vehicle record of `schema` (below 5: no overhang; lists as the schema has them, all
// empty), its usable-load-area object null.
Bytes FahrzeugFelder(unsigned schema, int art, double zulGesamt, double leerlast9 = 0.0)
{
    Felder f;
    f.Int(-1).Text("Alt").Int(art).Int(2).Dbl(7.0).Dbl(1.0).Dbl(zulGesamt).Dbl(6.0).Int(20).Int(25);
    for (int i = 0; i < 10; ++i)
        f.Dbl(i == 9 ? leerlast9 : (i < 2 ? 3.0 : 0.0));
    for (int i = 0; i < 10; ++i)
        f.Dbl(i < 2 ? 9.0 : 0.0);
    for (int i = 1; i < 10; ++i)
        f.Dbl(i == 1 ? 4.5 : 0.0);
    f.Dbl(0.0);
    for (int i = 0; i < 10; ++i)
        f.Bool(false);
    f.Bool(false).Dbl(0.5).Dbl(1.0).Dbl(2.0).Text("HH-QR 1").Dbl(0.3).Dbl(0.0).Bool(false).Dbl(0.0);
    if (schema >= 4)
        f.Dbl(2.45).Int(5);
    f.Int(0).Int(1).Int(1);
    f.Word(0); // no usable-load-area object
    if (schema >= 5)
        f.Word(0);
    for (unsigned s = 6; s <= 8; ++s)
        if (schema >= s)
            f.Word(0);
    f.Word(0).Word(0); // ZL items, plans
    return f.Take();
}

// A root of `rootSchema` (below 6) holding `n` vehicle records of `schema`.
Bytes AlteDatei(unsigned rootSchema, unsigned schema, int art, double zulGesamt, int n = 1,
                double leerlast9 = 0.0)
{
    Bytes b = ClassRecord(std::uint16_t(rootSchema), "CImpExp");
    Felder texte;
    texte.Text("").Text("Fahrzeug").Text("").Text("Alt").Text(" [LKW]").Word(std::uint16_t(n));
    b = b + texte.Take();
    for (int i = 0; i < n; ++i) {
        // First record: the class record (number 2); the others refer to class 2.
        b = b + (i == 0 ? ClassRecord(std::uint16_t(schema), "SIMPEXP_FZG") : Word(0x8002)) +
            FahrzeugFelder(schema, art, zulGesamt, leerlast9);
    }
    return b;
}

class ImpExpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qor-impexp-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        SIMPEXP_FZG::s_strSprache = "EN";
    }
    void TearDown() override
    {
        SIMPEXP_FZG::s_strSprache.clear();
        SetFahrzeugSpeicherMeldung(nullptr);
        fs::remove_all(m_dir);
    }

    CTableTextProvider m_texts{
        {{179, "Plan"},
         {189, "Vehicle file"},
         {190, "rigid truck"},
         {192, "tractor"},
         {193, "semi-trailer"},
         {194, "drawbar trailer"},
         {195, "centre-axle trailer"},
         {373, "This file was made by a newer version of the program (file version %d)."}}};
    ScopedTextProvider m_scope{&m_texts};
    fs::path m_dir;
};

// A vehicle of each kind with every stored value set to something of its own.
std::unique_ptr<CFahrzeug> BeispielFahrzeug(int art)
{
    Daten d;
    d.nArt = art;
    d.dZulGesamt = art == 4 ? 18.0 : 24.0;
    d.dLFLaenge = art == 4 ? 0.0 : 7.2;
    d.fLFBreite = 2.48f;
    d.nMinVorn = 20;
    d.nMinHinten = 15;
    if (art == 2 || art == 3)
        d.achsen = {{1.1, 0.0, 2.0}, {5.0, 1.5, 9.0}, {1.31, 1.5, 9.0}};
    else
        d.achsen = {{1.2, 4.0, 7.5}, {4.6, 3.0, 11.5}};
    auto f = fahrzeugtest::Erzeuge(d);
    f->m_strName = "Beispiel " + std::to_string(art);
    f->m_strBemerkung = "QR-K 4711";
    f->m_dLeergewicht = 7.0;
    f->m_Achsen[9].dLeerlast = 44.0;
    f->m_Achsen[9].dAbstand = 0.25;
    f->m_nAchsFlags[1] = 1;
    f->m_bKupplungslast = 1;
    f->m_dKupplungsabstand = 0.4;
    f->m_dKupplungslast1 = 1.0;
    f->m_dKupplungslast2 = 0.7;
    f->m_dSattelVersatz = 0.45;
    f->m_dRadstandKorrektur = 0.125;
    if (auto* a = dynamic_cast<CAuflieger*>(f.get()))
        a->m_dAufliegerMass = 0.3;
    f->m_nSeitenProzent = 6;
    f->m_nArtZusatz = 3;
    f->m_NutzLF[1] = SNutzbareLF({0.1, 0.05, 0.2, 0.05}, {1.0f, 2.0f, 3.0f, 4.0f}, {1, 2, 3, 4});
    f->m_NutzLF[0] = f->m_NutzLF[1];
    f->m_Ueberstand.m_dWert[2] = 0.6;
    auto* zl = new tagZLINFO;
    zl->m_strName = "Ladekran";
    zl->m_nTyp = 1;
    zl->m_dMasse = 1.2;
    zl->m_dAbstand = 0.3;
    zl->m_nWert = 7;
    zl->m_nWertKopie = 7;
    f->AddZL(std::unique_ptr<tagZLINFO>(zl));
    const int flags[] = {0, 2, 4, 6, 0};
    for (int i = 0; i < 5; ++i) {
        auto* zp = new CZurrpunkt(f->m_dLFLaenge, f->m_fLFBreite);
        zp->m_nFlags = flags[i] | CZurrpunkt::kVonVorn;
        zp->m_dAbstandLaengs = 0.5 + i;
        zp->m_dAbstandQuer = 0.05;
        zp->m_dZulKraft = 2000.0;
        f->m_Zurrpunkte.emplace_back(zp);
    }
    auto* zm = new CZurrmittel;
    zm->m_strName = "Gurt";
    zm->m_dVorspannkraft = 250.0;
    zm->m_dZurrkraft = 2500.0;
    f->m_ZurrmittelBenutzt.emplace_back(zm);
    auto* zs = new CZurrschiene;
    zs->m_nSeite = 0;
    zs->m_dPosition = 0.1;
    zs->m_nZulKraft = 2000;
    f->m_Zurrschienen.emplace_back(zs);
    if (art != 4) {
        auto* q = new CQOR(f.get(), -1, "Plan");
        q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(3)), 0);
        f->m_pQor = q;
        q->m_nSeitenProzent = 6;
        for (int i = 0; i < 2; ++i) {
            auto* lg = new tagLGINFO;
            lg->m_strName = "Euro pallet";
            lg->m_nTyp = 0;
            lg->m_dLaenge = 1.2;
            lg->m_dBreite = 0.8;
            lg->m_dHoehe = 1.0;
            lg->m_dMasse = lg->m_dSPMasse = 0.5 + 0.25 * i;
            lg->m_strText = lg->m_strZusatzText = "Stack no higher";
            lg->m_dPosX = 0.6 + 1.2 * i;
            lg->m_nNummer = i + 1;
            lg->m_nState = 0x1000;
            lg->m_strBildDatei = "ep.png";
            q->m_LgInfos.emplace_back(lg);
        }
    }
    return f;
}

// A whole catalogue item of schema 5 (an older layout its reader converts), as its file holds it.
Bytes AlterKatalogeintrag()
{
    tagItemData item;
    item.m_nArt = 1;
    item.m_dLaenge = 1.2;
    item.m_strName = "Kiste";
    ArchiveWriter ar;
    item.Write(ar);
    const Bytes felder = ar.TakeData();
    // Without the two (empty) picture texts of schema 7 and later.
    return ClassRecord(5, "tagItemData") + Bytes(felder.begin(), felder.end() - 2);
}

} // namespace

TEST_F(ImpExpTest, EachKindWritesReadsAndWritesTheSameBytes)
{
    for (int art = 0; art <= 4; ++art) {
        SCOPED_TRACE(art);
        auto f = BeispielFahrzeug(art);
        std::string pfad = (m_dir / ("v" + std::to_string(art) + ".qor")).string();
        int index = -2;
        std::unique_ptr<LockedFile> file;
        ASSERT_TRUE(
            WriteFahrzeugToFile(f.get(), m_dir, &index, "v" + std::to_string(art) + ".qor", &file, 42, "T"));
        EXPECT_EQ(index, 0);
        ASSERT_TRUE(file);
        file.reset();
        const Bytes first = ReadBytes(pfad);

        int wert = 0;
        std::string name = "x";
        auto g = LoadFahrzeugFromFile(pfad, 0, &file, &wert, true, &name);
        ASSERT_TRUE(g);
        EXPECT_EQ(wert, 42);
        EXPECT_EQ(name, "T");
        EXPECT_EQ(g->m_strName, "v" + std::to_string(art)); // named after the file, not the record
        EXPECT_EQ(g->GetArt(), art);
        EXPECT_EQ(g->m_nKopfInt, -1);
        EXPECT_EQ(g->m_nGeladen, 1);
        EXPECT_EQ(g->m_strBemerkung, "QR-K 4711");
        EXPECT_DOUBLE_EQ(g->m_dSattelVersatz, 0.45);
        // The field after the fifth-wheel offset: a semi-trailer's corner diameter, else the correction.
        EXPECT_DOUBLE_EQ(g->m_dRadstandKorrektur, art == FahrzeugArt::kAuflieger ? 0.0 : 0.125);
        EXPECT_DOUBLE_EQ(CAuflieger::GetAufliegerMass(*g), art == FahrzeugArt::kAuflieger ? 0.3 : 0.0);
        EXPECT_DOUBLE_EQ(g->m_dKupplungslast1, 1.0);
        EXPECT_DOUBLE_EQ(g->m_Achsen[9].dAbstand, 0.25);
        EXPECT_FLOAT_EQ(g->m_fLFBreite, 2.48f);
        EXPECT_TRUE(g->m_NutzLF[0] == f->m_NutzLF[1]);
        EXPECT_DOUBLE_EQ(g->m_Ueberstand.m_dWert[2], 0.6);
        ASSERT_EQ(g->m_ZLInfos.size(), 1u);
        EXPECT_EQ(g->m_ZLInfos.front()->m_strName, "Ladekran");
        EXPECT_EQ(g->m_ZLInfos.front()->m_nReservePos, -1);
        if (art == 4) {
            EXPECT_EQ(g->GetQor(), nullptr);
        } else {
            ASSERT_TRUE(g->GetQor());
            EXPECT_EQ(g->GetQor()->m_strName, "Plan");
            EXPECT_EQ(g->GetQor()->m_nSeitenProzent, 6);
            ASSERT_EQ(g->GetQor()->GetLgInfos().size(), 2u);
            EXPECT_DOUBLE_EQ(g->GetQor()->GetLgInfos().back()->m_dPosX, 1.8);
            // Each load comes back with the mass and the text it is shown with, not only the plan's.
            for (const tagLGINFO* lg : g->GetQor()->GetLgInfos()) {
                EXPECT_DOUBLE_EQ(lg->m_dMasse, lg->m_dSPMasse);
                EXPECT_EQ(lg->m_strText, "Stack no higher");
            }
            EXPECT_DOUBLE_EQ(g->GetQor()->GetLgInfos().back()->m_dMasse, 0.75);
            ASSERT_EQ(g->GetQor()->GetLadeeinheiten().size(), 1u);
            EXPECT_EQ(g->GetQor()->GetLadeeinheiten().front()->GetId(), 3);
        }
        // Lashing points numbered within their groups of the left and front bits.
        std::vector<int> nummern;
        for (const CZurrpunkt* zp : g->GetZurrpunktListe())
            nummern.push_back(zp->m_nNummer);
        EXPECT_EQ(nummern, (std::vector<int>{1, 1, 1, 1, 2}));
        EXPECT_DOUBLE_EQ(g->GetZurrpunktListe().back()->m_dAbstandLaengs, 4.5);
        EXPECT_DOUBLE_EQ(g->GetZurrpunktListe().back()->m_dBezugsLaenge, g->m_dLFLaenge);
        ASSERT_EQ(g->m_ZurrmittelBenutzt.size(), 1u);
        EXPECT_EQ(g->GetZurrmittelBenutzt().front()->m_strName, "Gurt");
        ASSERT_EQ(g->m_Zurrschienen.size(), 1u);
        EXPECT_EQ(g->GetZurrschienen().front()->m_nZulKraft, 2000);
        // Written back into its own open file as the same entry: the same bytes.
        ASSERT_TRUE(file && file->IsWritable());
        g->m_strName = f->m_strName;
        index = 0;
        std::string leer;
        ASSERT_TRUE(WriteFahrzeugToFile(g.get(), leer, &index, "", &file, 42, "T"));
        EXPECT_EQ(ReadBytes(pfad), first);
    }
}

// A semi-trailer's corner diameter is at most 0.5 m (its form's limit): anything else in its field is
// no diameter and reads as none.
TEST_F(ImpExpTest, ASemiTrailersCornerDiameterOutsideItsRangeReadsAsNone)
{
    for (const double d : {-0.1, 0.0, 0.5, 0.51, 7.0}) {
        SCOPED_TRACE(d);
        auto f = BeispielFahrzeug(FahrzeugArt::kAuflieger);
        static_cast<CAuflieger&>(*f).m_dAufliegerMass = d;
        std::string ordner = m_dir.string();
        int index = -2;
        std::unique_ptr<LockedFile> file;
        ASSERT_TRUE(WriteFahrzeugToFile(f.get(), ordner, &index, "sah.qor", &file, 0, ""));
        file.reset();
        auto g = LoadFahrzeugFromFile(m_dir / "sah.qor", 0, nullptr, nullptr, false, nullptr);
        ASSERT_TRUE(g);
        EXPECT_DOUBLE_EQ(CAuflieger::GetAufliegerMass(*g), d >= 0.0 && d <= 0.5 ? d : 0.0);
        fs::remove(m_dir / "sah.qor");
    }
}

TEST_F(ImpExpTest, CombinationFileWithTwoEntries)
{
    auto zug = BeispielFahrzeug(0);
    auto anh = BeispielFahrzeug(1);
    std::string pfad = (m_dir / "k.kmb").string();
    int index = -1;
    std::unique_ptr<LockedFile> file;
    ASSERT_TRUE(WriteFahrzeugToFile(zug.get(), m_dir, &index, "k.kmb", &file, 7, "Zug"));
    index = -1;
    std::string leer;
    ASSERT_TRUE(WriteFahrzeugToFile(anh.get(), leer, &index, "", &file, 7, "Anhänger"));
    EXPECT_EQ(index, 1);
    file.reset();

    const Bytes bytes = ReadBytes(pfad);
    CImpExp root;
    root.Load(bytes);
    ASSERT_EQ(root.m_Verzeichnis.size(), 2u);
    EXPECT_EQ(root.m_Verzeichnis[1]->m_nIndex, 1);
    EXPECT_EQ(root.m_Verzeichnis[1]->m_nTyp, 1);
    EXPECT_EQ(root.m_Verzeichnis[1]->m_strTitel, "Anhänger");
    EXPECT_EQ(root.m_Verzeichnis[0]->m_strPfad, pfad);
    EXPECT_EQ(root.m_Verzeichnis[1]->m_strPfad, "");
    EXPECT_EQ(root.m_strTitel, "Vehicle file");
    EXPECT_EQ(root.m_strArt, " [rigid truck]");
    EXPECT_EQ(root.Store(), bytes);

    int count = -5;
    EXPECT_EQ(ReadFileFahrzeugTyp(pfad, 1, &count), 1);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ReadFileFahrzeugTyp(pfad, 2, &count), -1);

    std::string name;
    auto g = LoadFahrzeugFromFile(pfad, 1, nullptr, nullptr, false, &name);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->GetArt(), 1);
    EXPECT_EQ(name, "Anhänger");
    EXPECT_FALSE(LoadFahrzeugFromFile(pfad, 2, nullptr, nullptr, false, nullptr));
}

TEST_F(ImpExpTest, OlderVehicleRecordsConvert)
{
    struct Fall
    {
        unsigned schema;
        int art;
        double zulGesamt;
        int typ;          // the directory entry's type
        double leerlast9; // after reading (stored: 3.0)
        bool reSave;
    };
    const Fall faelle[] = {
        {2, 0, 3.5, 5, 44.0, true},  {2, 0, 3.6, 0, 44.0, true},  {3, 0, 3.5, 0, 44.0, true},
        {8, 1, 24.0, 1, 3.0, false}, {9, 1, 24.0, 1, 3.0, false}, {8, 4, 18.0, 4, 44.0, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.schema * 100 + fall.art * 10);
        const Bytes b = AlteDatei(5, fall.schema, fall.art, fall.zulGesamt, 3, 3.0);
        CImpExp root;
        EXPECT_EQ(root.Load(b), fall.reSave ? LoadAnswer::NeedsRewriting : LoadAnswer::Current);
        ASSERT_EQ(root.m_Records.size(), 3u);
        ASSERT_EQ(root.m_Verzeichnis.size(), 1u); // made up from the first record only
        EXPECT_EQ(root.m_Verzeichnis[0]->m_nTyp, fall.typ);
        EXPECT_EQ(root.m_Verzeichnis[0]->m_nIndex, 0);
        EXPECT_EQ(root.m_Verzeichnis[0]->m_strName, "Alt");
        EXPECT_EQ(root.m_nWert, 0);
        const SIMPEXP_FZG& r = *root.m_Records[0];
        EXPECT_DOUBLE_EQ(r.m_dLeerlast[9], fall.leerlast9);
        EXPECT_DOUBLE_EQ(r.m_dLFBreite, fall.schema >= 4 ? 2.45 : 2.5);
        EXPECT_EQ(r.m_nSeitenProzent, fall.schema >= 4 ? 5 : 4);
        if (fall.schema < 5) { // a fresh overhang record; later schemas store it (null here)
            ASSERT_TRUE(r.m_pUeberstand);
            EXPECT_EQ(r.m_pUeberstand->m_dWert[0], 0.0);
        }
        // Written again it is a current file that reads back without conversion to the same bytes.
        const Bytes current = root.Store();
        CImpExp again;
        EXPECT_EQ(again.Load(current), LoadAnswer::Current);
        EXPECT_EQ(again.m_nSchema, 6u);
        EXPECT_EQ(again.Store(), current);
    }
    SIMPEXP_FZG::s_strSprache = "de";
    CImpExp root;
    root.Load(AlteDatei(5, 3, 0, 12.0));
    EXPECT_DOUBLE_EQ(root.m_Records[0]->m_dLeerlast[9], 40.0);
}

TEST_F(ImpExpTest, OlderPlacedLoadsConvert)
{
    auto record = [](unsigned schema, int typ, const std::string& bild) {
        Felder f;
        f.Int(-1).Int(0).Word(std::uint16_t(typ)).Text("Kiste");
        for (int i = 0; i < 10; ++i)
            f.Dbl(0.5);
        f.Int(90).Word(0xFFFF).Text("t").Int(0);
        if (schema >= 5)
            f.Int(3);
        if (schema >= 7)
            f.Int(0x10);
        if (schema >= 8)
            f.Text(bild).Text("C:\\Bilder\\kiste.png");
        return ClassRecord(std::uint16_t(schema), "SIMPEXP_LADUNG2QOR2") + f.Take();
    };
    struct Fall
    {
        unsigned schema;
        int typ, typGelesen;
        std::string bild, bildGelesen;
        bool reSave;
        int nummer;
    };
    const Fall faelle[] = {
        {8, 2, 2, "C:\\Daten\\Bilder\\kiste.dat", "kiste.dat", true, 3},
        {9, 2, 2, "C:\\Daten\\Bilder\\kiste.dat", "C:\\Daten\\Bilder\\kiste.dat", false, 3},
        {8, 1, 1, "", "", false, 3},
        {4, 2, 4, "", "", false, 0},
        {4, 1, 2, "", "", false, 0},
        {4, 4, 1, "", "", false, 0},
        {5, 3, 3, "", "", false, 3},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.schema * 10 + fall.typ);
        const Bytes b = record(fall.schema, fall.typ, fall.bild);
        ArchiveReader in(b);
        auto r = in.ReadOwnedObject<SIMPEXP_LADUNG2QOR2>();
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(r->m_nTyp, fall.typGelesen);
        EXPECT_EQ(r->m_strBildDatei, fall.bildGelesen);
        EXPECT_EQ(r->m_nNummer, fall.nummer);
        EXPECT_EQ(r->m_nZusatzWort, -1);
        EXPECT_EQ(in.Answer(), fall.reSave ? LoadAnswer::NeedsRewriting : LoadAnswer::Current);
    }
}

TEST_F(ImpExpTest, SchemaRulesOfTheRecords)
{
    // A ZL item of schema 3 is refused; a vehicle record of schema 3 is read with its old layout.
    {
        const Bytes zl = ClassRecord(3, "SIMPEXP_ZL2") + Zeros(80);
        ArchiveReader in(zl);
        try {
            in.ReadObject();
            FAIL() << "read";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.GetKind(), ArchiveError::Kind::BadSchema);
        }
    }
    // A ZL item whose type word is FFFF reads type -1.
    {
        Felder f;
        f.Int(5).Word(0xFFFF).Int(0).Text("z");
        for (int i = 0; i < 4; ++i)
            f.Dbl(0.0);
        f.Word(0xFFFE).Int(0).Dbl(0.0).Dbl(0.0).Word(0).Word(0).Word(0).Int(0).Int(0).Dbl(-1.0);
        const Bytes b = ClassRecord(4, "SIMPEXP_ZL2") + f.Take();
        ArchiveReader in(b);
        auto zl = in.ReadOwnedObject<SIMPEXP_ZL2>();
        EXPECT_EQ(zl->m_nTyp, -1);
        EXPECT_EQ(zl->m_nWert, -2);
        tagZLINFO item;
        zl->CopyTo(item);
        EXPECT_EQ(item.m_nTyp, -1);
        EXPECT_EQ(item.m_nEigenWert, -1);
        EXPECT_EQ(item.m_nReservePos, -1);
    }
    // A vehicle record newer than the program is a bad schema.
    {
        const Bytes b = ClassRecord(10, "SIMPEXP_FZG") + FahrzeugFelder(9, 0, 12.0);
        ArchiveReader in(b);
        try {
            in.ReadOwnedObject<SIMPEXP_FZG>();
            FAIL() << "read";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.GetKind(), ArchiveError::Kind::BadSchema);
        }
    }
    // A plan record is written with a null usable-load-area object and 0.0 as its fourth field.
    {
        SIMPEXP_QOR q;
        ArchiveWriter out;
        out.WriteObject(&q);
        const Bytes b = out.TakeData();
        const std::size_t felder = ClassRecord(2, "SIMPEXP_QOR").size();
        const Bytes erwartet =
            Felder().Int(-1).Int(-1).Text("").Dbl(0.0).Int(4).Int(0).Int(0).Word(0).Word(0).Word(0).Take();
        EXPECT_EQ(Bytes(b.begin() + long(felder), b.end()), erwartet);
    }
}

TEST_F(ImpExpTest, RootSchemaTooNewOrNoRoot)
{
    // Schema 7 is refused before any record is read: nothing follows the class record here.
    try {
        CImpExp root;
        root.Load(ClassRecord(7, "CImpExp"));
        FAIL() << "read";
    } catch (const CImpExpException& e) {
        EXPECT_EQ(e.GetVersion(), 7);
        EXPECT_STREQ(e.what(), "This file was made by a newer version of the program (file version 7).");
        EXPECT_FALSE(e.GetFahrzeug());
    }
    // No root record and no vehicle: an archive error.
    for (const Bytes& b : {Bytes{}, Ascii("garbage garbage"), ClassRecord(1, "SLadung") + Zeros(4)}) {
        CImpExp root;
        EXPECT_THROW(root.Load(b), ArchiveError);
    }
}

TEST_F(ImpExpTest, EveryCutOfAFileFails)
{
    auto f = BeispielFahrzeug(3);
    CImpExp root;
    auto r = std::make_unique<SIMPEXP_FZG>();
    CopyFahrzeugToImpExp(f.get(), r.get());
    root.m_Records.push_back(std::move(r));
    root.m_Verzeichnis.push_back(std::make_unique<SFileFhzgInfo>());
    const Bytes b = root.Store();
    for (std::size_t n = 0; n < b.size(); ++n) {
        CImpExp cut;
        EXPECT_THROW(cut.Load(std::span(b.data(), n)), ArchiveError) << n;
    }
}

TEST_F(ImpExpTest, ReadFileFahrzeugTypOfAnOldFile)
{
    const fs::path p = m_dir / "alt.qor";
    const Bytes b = AlteDatei(5, 2, 0, 3.5, 2);
    WriteBytes(p, b);
    for (int index : {0, 1, 7}) {
        int count = -1;
        EXPECT_EQ(ReadFileFahrzeugTyp(p, index, &count), 5);
        EXPECT_EQ(count, 0);
    }
    EXPECT_EQ(ReadBytes(p), b); // an old root is not saved again here
    EXPECT_EQ(ReadFileFahrzeugTyp(m_dir / "fehlt.qor", 0, nullptr), -1);
}

TEST_F(ImpExpTest, BadFilesFailCleanlyAndStayUnchanged)
{
    const Bytes gut = [&] {
        auto f = BeispielFahrzeug(0);
        std::string pfad = (m_dir / "gut.qor").string();
        int index = -1;
        std::unique_ptr<LockedFile> file;
        EXPECT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "gut.qor", &file, 0, ""));
        return ReadBytes(pfad);
    }();
    // The sample with its first placed load given a value that no load can have, as a version before
    // the check could have saved it from a damaged catalogue item.
    int nAbsurd = 0;
    auto mitLadung = [&](const std::function<void(tagLGINFO&)>& setze) {
        auto f = BeispielFahrzeug(0);
        setze(*f->GetQor()->m_LgInfos.front());
        const std::string name = "absurd" + std::to_string(++nAbsurd) + ".qor";
        int index = -1;
        std::unique_ptr<LockedFile> file;
        EXPECT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, name, &file, 0, ""));
        file.reset();
        return ReadBytes(m_dir / name);
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Bytes neuer = gut;
    neuer[2] = 7; // the root's schema
    Bytes kaputt = gut;
    kaputt[kaputt.size() / 2] ^= 0xFF;
    const std::pair<const char*, Bytes> faelle[] = {
        {"truncated", Bytes(gut.begin(), gut.begin() + long(gut.size() / 2))},
        {"garbage", Ascii("\x01\x02\x03 this is no vehicle")},
        {"empty", {}},
        {"too new", neuer},
        {"version 1 of a class unknown here", ClassRecord(1, "CFahrzeugX") + Zeros(40)},
        // A catalogue item where the root belongs: its reader would ask for a re-save of an old layout.
        {"catalogue item header of an older schema and zeros", ClassRecord(5, "tagItemData") + Zeros(64)},
        {"old catalogue item renamed", AlterKatalogeintrag()},
        {"current catalogue item renamed", tagItemData().Store()},
        {"text after its end", gut + Ascii("appended")},
        {"one zero byte after its end", gut + Zeros(1)},
        {"a placed load of length nan", mitLadung([&](tagLGINFO& lg) { lg.m_dLaenge = nan; })},
        {"a placed load of negative mass",
         mitLadung([](tagLGINFO& lg) { lg.m_dSPMasse = lg.m_dMasse = -0.5; })},
        {"a placed load of height 1e305", mitLadung([](tagLGINFO& lg) { lg.m_dHoehe = 1e305; })},
        {"a placed load of infinite width",
         mitLadung([](tagLGINFO& lg) { lg.m_dBreite = std::numeric_limits<double>::infinity(); })},
        {"a placed load at x nan", mitLadung([&](tagLGINFO& lg) { lg.m_dPosX = nan; })},
    };
    for (const auto& [was, bytes] : faelle) {
        SCOPED_TRACE(was);
        const fs::path p = m_dir / "schlecht.qor";
        WriteBytes(p, bytes);
        std::unique_ptr<LockedFile> file;
        int wert = 99;
        EXPECT_FALSE(LoadFahrzeugFromFile(p, 0, &file, &wert, true, nullptr));
        EXPECT_FALSE(file);
        EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, nullptr), -1);
        // The open-file writer refuses to replace what it cannot read.
        auto offen = LockedFile::Open(p, LockedFile::Mode::ReadWrite);
        ASSERT_TRUE(offen);
        auto f = BeispielFahrzeug(0);
        int index = 0;
        std::string leer;
        EXPECT_FALSE(WriteFahrzeugToFile(f.get(), leer, &index, "", &offen, 0, ""));
        CImpExp root;
        EXPECT_FALSE(ReadRoot(*offen, root));
        offen.reset();
        std::vector<std::string> bilder;
        EXPECT_FALSE(CollectReferencedFiles(p, bilder));
        EXPECT_TRUE(bilder.empty());
        EXPECT_EQ(ReadBytes(p), bytes);
    }
}

TEST_F(ImpExpTest, NewFileNeverOverwritesAndTellsTheViews)
{
    struct Meldungen : IFahrzeugSpeicherMeldung
    {
        std::vector<std::string> liste;
        void SpeichernBeginnt() override { liste.push_back("beginnt"); }
        void SpeichernEndet(bool bGeschrieben) override
        {
            liste.push_back(bGeschrieben ? "geschrieben" : "nicht");
        }
    } meldungen;
    SetFahrzeugSpeicherMeldung(&meldungen);
    const fs::path p = m_dir / "da.qor";
    WriteBytes(p, Ascii("someone else's file"));
    auto f = BeispielFahrzeug(0);
    std::string pfad = (m_dir / "da.qor").string();
    int index = -1;
    std::unique_ptr<LockedFile> file;
    EXPECT_FALSE(WriteFahrzeugToFile(f.get(), m_dir, &index, "da.qor", &file, 0, ""));
    EXPECT_FALSE(file);
    EXPECT_EQ(ReadBytes(p), Ascii("someone else's file"));
    pfad = (m_dir / "neu.qor").string();
    EXPECT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "neu.qor", &file, 0, ""));
    const std::vector<std::string> erwartet = {"beginnt", "nicht", "beginnt", "geschrieben"};
    EXPECT_EQ(meldungen.liste, erwartet);
}

TEST_F(ImpExpTest, ShorterVehicleCutsTheFile)
{
    auto f = BeispielFahrzeug(0);
    std::string pfad = (m_dir / "lang.qor").string();
    int index = -1;
    std::unique_ptr<LockedFile> file;
    ASSERT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "lang.qor", &file, 0, ""));
    const auto lang = fs::file_size(pfad);
    f->m_ZLInfos.front()->m_strName = "K";
    delete f->m_pQor; // the plan unlinks itself
    std::string leer;
    ASSERT_TRUE(WriteFahrzeugToFile(f.get(), leer, &index, "", &file, 0, ""));
    file.reset();
    const Bytes b = ReadBytes(pfad);
    EXPECT_LT(b.size(), lang);
    CImpExp root;
    root.Load(b); // nothing stale behind the root
    EXPECT_TRUE(root.m_Records[0]->m_Qors.empty());
}

TEST_F(ImpExpTest, ASecondWriterCannotOpenTheDocumentsFile)
{
    auto f = BeispielFahrzeug(1);
    std::string pfad = (m_dir / "doc.qor").string();
    int index = -1;
    std::unique_ptr<LockedFile> erste;
    ASSERT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "doc.qor", &erste, 0, ""));
    erste.reset();
    ASSERT_TRUE(LoadFahrzeugFromFile(pfad, 0, &erste, nullptr, true, nullptr));
    ASSERT_TRUE(erste && erste->IsWritable());
    const Bytes vorher = ReadBytes(pfad);

    EXPECT_FALSE(LockedFile::Open(pfad, LockedFile::Mode::ReadWrite));
    EXPECT_FALSE(SaveImpExpFile(pfad, CImpExp()));
    // A second opener gets the file for reading only, and it is never written through that file.
    std::unique_ptr<LockedFile> zweite;
    auto g = LoadFahrzeugFromFile(pfad, 0, &zweite, nullptr, true, nullptr);
    ASSERT_TRUE(g);
    ASSERT_TRUE(zweite);
    EXPECT_FALSE(zweite->IsWritable());
    std::string leer;
    index = 0;
    EXPECT_FALSE(WriteFahrzeugToFile(g.get(), leer, &index, "", &zweite, 5, ""));
    EXPECT_EQ(ReadBytes(pfad), vorher);
    // Once the first lets go, a writer gets in.
    erste.reset();
    EXPECT_TRUE(LockedFile::Open(pfad, LockedFile::Mode::ReadWrite));
}

TEST_F(ImpExpTest, OldFileIsRewrittenBeforeTheVehicleIsBuilt)
{
    const fs::path p = m_dir / "alt.qor";
    WriteBytes(p, AlteDatei(5, 8, 0, 12.0));
    std::unique_ptr<LockedFile> file;
    std::string name = "x";
    auto f = LoadFahrzeugFromFile(p, 0, &file, nullptr, true, &name);
    ASSERT_TRUE(f);
    EXPECT_EQ(name, "");
    EXPECT_DOUBLE_EQ(f->m_Achsen[9].dLeerlast, 44.0);
    EXPECT_DOUBLE_EQ(f->m_dSattelVersatz, 0.3);
    EXPECT_EQ(f->m_strBemerkung, "HH-QR 1");
    ASSERT_TRUE(file && file->IsWritable());
    file.reset();
    CImpExp root;
    EXPECT_EQ(root.Load(ReadBytes(p)), LoadAnswer::Current);
    EXPECT_EQ(root.m_nSchema, 6u);
    EXPECT_DOUBLE_EQ(root.m_Records[0]->m_dLeerlast[9], 44.0);
}

TEST_F(ImpExpTest, AFileIsWrittenAgainOnlyAfterAReadThatConvertedIt)
{
    // A root of the current schema around a vehicle record of schema 8 (converted on reading), and a
    // catalogue item of schema 7 with a picture path (cut to its name on reading).
    const auto alteFahrzeugDatei = [] {
        ArchiveWriter ar;
        ar.WriteClass(CImpExp::classInfo);
        for (int i = 0; i < 5; ++i)
            ar.WriteString("");
        ar.WriteInt(3);
        SFileFhzgInfo entry;
        entry.m_nTyp = 0;
        entry.m_nIndex = 0;
        ar.WriteCount(1);
        ar.WriteObject(&entry);
        return ar.TakeData() + Word(1) + ClassRecord(8, "SIMPEXP_FZG") + FahrzeugFelder(8, 0, 18.0);
    };
    const auto alterKatalogEintrag = [] {
        tagItemData item;
        item.m_nArt = 3;
        item.m_strBildDatei = "C:\\Bilder\\ab.dat";
        Bytes b = item.Store();
        b[2] = 7; // the schema in the class record
        return b;
    };
    // A second link to the file keeps the file that was there before the read: a file written again is
    // a new file under the name (a write replaces the whole file), so the link then names another file.
    const auto wiederGeschrieben = [&](const fs::path& p, const std::function<void()>& lies) {
        const fs::path zeuge = m_dir / "zeuge";
        fs::remove(zeuge);
        fs::create_hard_link(p, zeuge);
        lies();
        return !fs::equivalent(p, zeuge);
    };
    struct Fall
    {
        const char* name;
        Bytes alt;
        std::function<void(const fs::path&)> lies;
    };
    const Fall faelle[] = {
        {"vehicle loaded", alteFahrzeugDatei(),
         [](const fs::path& p) {
             EXPECT_TRUE(LoadFahrzeugFromFile(p, 0, nullptr, nullptr, false, nullptr));
         }},
        {"vehicle loaded and kept open", alteFahrzeugDatei(),
         [](const fs::path& p) {
             std::unique_ptr<LockedFile> file;
             EXPECT_TRUE(LoadFahrzeugFromFile(p, 0, &file, nullptr, true, nullptr));
             EXPECT_TRUE(file && file->IsWritable());
         }},
        {"vehicle type read", alteFahrzeugDatei(),
         [](const fs::path& p) { EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, nullptr), 0); }},
        {"catalogue item loaded", alterKatalogEintrag(),
         [](const fs::path& p) {
             tagItemData item;
             EXPECT_TRUE(LoadItemDataFile(p, item));
             EXPECT_EQ(item.m_strBildDatei, "ab.dat");
         }},
        {"catalogue item kind read", alterKatalogEintrag(),
         [](const fs::path& p) { EXPECT_EQ(ReadFileItemDataKind(p), 3); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const fs::path alt = m_dir / "alt", neu = m_dir / "neu";
        WriteBytes(alt, fall.alt);
        // The first read converts and writes the file again, in the current layout.
        EXPECT_TRUE(wiederGeschrieben(alt, [&] { fall.lies(alt); }));
        EXPECT_NE(ReadBytes(alt), fall.alt);
        // A current file right after that read is only read, and so is the rewritten file.
        WriteBytes(neu, ReadBytes(alt));
        EXPECT_FALSE(wiederGeschrieben(neu, [&] { fall.lies(neu); }));
        EXPECT_FALSE(wiederGeschrieben(alt, [&] { fall.lies(alt); }));
    }

    // The answer belongs to one read: a current file read after a converted one answers Current.
    CImpExp erste, zweite;
    EXPECT_EQ(erste.Load(alteFahrzeugDatei()), LoadAnswer::NeedsRewriting);
    EXPECT_EQ(zweite.Load(erste.Store()), LoadAnswer::Current);
}

TEST_F(ImpExpTest, VersionOneFileIsReportedWithItsVehicle)
{
    CZugmaschine alt;
    alt.m_nArt = 0;
    alt.m_strName = "Erster";
    alt.m_nAchsanzahl = 2;
    alt.m_dLFLaenge = 6.5;
    ArchiveWriter out;
    out.WriteObject(&alt);
    const Bytes b = out.TakeData();
    try {
        CImpExp root;
        root.Load(b);
        FAIL() << "read";
    } catch (const CImpExpException& e) {
        EXPECT_STREQ(e.what(), "Version 1 detected.");
        EXPECT_EQ(e.GetVersion(), 1);
        ASSERT_TRUE(e.GetFahrzeug());
        EXPECT_EQ(e.GetFahrzeug()->m_strName, "Erster");
        EXPECT_DOUBLE_EQ(e.GetFahrzeug()->m_dLFLaenge, 6.5);
    }
    const fs::path p = m_dir / "v1.qor";
    WriteBytes(p, b);
    std::unique_ptr<LockedFile> file;
    EXPECT_FALSE(LoadFahrzeugFromFile(p, 0, &file, nullptr, true, nullptr));
    EXPECT_FALSE(file);
    EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, nullptr), -1);
    EXPECT_EQ(ReadBytes(p), b);
}

TEST_F(ImpExpTest, SchemaFourRootNumbersLoadsAndKeepsItsLoadUnits)
{
    // A current vehicle record with a plan of two equal names and a load unit, under a root of schema 4.
    auto f = BeispielFahrzeug(1);
    for (tagLGINFO* lg : f->GetQor()->GetLgInfos())
        lg->m_nNummer = 0;
    auto r = std::make_unique<SIMPEXP_FZG>();
    CopyFahrzeugToImpExp(f.get(), r.get());
    ArchiveWriter ar;
    ar.WriteClass(CImpExp::classInfo);
    for (int i = 0; i < 5; ++i)
        ar.WriteString("");
    ar.WriteCount(1);
    ar.WriteObject(r.get());
    Bytes b = ar.TakeData();
    b[2] = 4; // the root's schema
    const fs::path p = m_dir / "alt4.qor";
    WriteBytes(p, b);

    std::unique_ptr<LockedFile> file;
    auto g = LoadFahrzeugFromFile(p, 0, &file, nullptr, true, nullptr);
    ASSERT_TRUE(g && g->GetQor());
    EXPECT_EQ(g->GetQor()->GetLgInfos().front()->m_nNummer, 1);
    EXPECT_EQ(g->GetQor()->GetLgInfos().back()->m_nNummer, 2);
    ASSERT_EQ(g->GetQor()->GetLadeeinheiten().size(), 1u);
    file.reset();
    // Written back at once, with the load unit and the new numbers.
    CImpExp root;
    root.Load(ReadBytes(p));
    EXPECT_EQ(root.m_nSchema, 6u);
    ASSERT_EQ(root.m_Records.size(), 1u);
    const SIMPEXP_QOR& q = *root.m_Records[0]->m_Qors.at(0);
    EXPECT_EQ(q.m_Ladeeinheiten.size(), 1u);
    EXPECT_EQ(q.m_Ladungen.back()->m_nNummer, 2);
}

TEST_F(ImpExpTest, PlanRecordBorrowsThePlansLoadUnitsAndOwnsTheOnesItReads)
{
    auto f = BeispielFahrzeug(1);
    ASSERT_EQ(f->GetQor()->GetLadeeinheiten().size(), 1u);
    CLadeeinheit* eigene = f->GetQor()->GetLadeeinheiten().front();
    const int nId = eigene->m_nId;
    Bytes b;
    {
        auto r = std::make_unique<SIMPEXP_FZG>();
        CopyFahrzeugToImpExp(f.get(), r.get());
        SIMPEXP_QOR& q = *r->m_Qors.at(0);
        EXPECT_TRUE(q.m_Ladeeinheiten.empty());
        ASSERT_EQ(q.m_GelieheneLadeeinheiten.size(), 1u);
        EXPECT_EQ(q.m_GelieheneLadeeinheiten[0], eigene);
        // An own unit beside the borrowed one: the record lists both, its own first.
        q.m_Ladeeinheiten.push_back(std::make_unique<CLadeeinheit>(nId + 1));
        ArchiveWriter ar;
        ar.WriteObject(&q);
        b = ar.TakeData();
    }
    // The record is gone and the plan's unit is still the plan's (a use after free under ASan if the
    // record had deleted it; the plan deletes it once more at the end).
    EXPECT_EQ(f->GetQor()->GetLadeeinheiten().front(), eigene);
    EXPECT_EQ(eigene->m_nId, nId);

    ArchiveReader in(b);
    auto gelesen = in.ReadOwnedObject<SIMPEXP_QOR>();
    ASSERT_EQ(gelesen->m_Ladeeinheiten.size(), 2u);
    EXPECT_TRUE(gelesen->m_GelieheneLadeeinheiten.empty());
    EXPECT_EQ(gelesen->m_Ladeeinheiten[0]->m_nId, nId + 1);
    EXPECT_EQ(gelesen->m_Ladeeinheiten[1]->m_nId, nId);

    // Loaded from a file, the units read go over to the new plan, which outlives the file's record.
    int index = -1;
    std::unique_ptr<LockedFile> file;
    ASSERT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "einheiten.qor", &file, 0, ""));
    file.reset();
    auto g = LoadFahrzeugFromFile(m_dir / "einheiten.qor", index, nullptr, nullptr, false, nullptr);
    ASSERT_TRUE(g && g->GetQor());
    ASSERT_EQ(g->GetQor()->GetLadeeinheiten().size(), 1u);
    EXPECT_EQ(g->GetQor()->GetLadeeinheiten().front()->m_nId, nId);
}

TEST_F(ImpExpTest, ReadFileFahrzeugTypSavesAConvertedCurrentRoot)
{
    ArchiveWriter ar;
    ar.WriteClass(CImpExp::classInfo);
    for (int i = 0; i < 5; ++i)
        ar.WriteString("");
    ar.WriteInt(3);
    SFileFhzgInfo entry;
    entry.m_nTyp = 0;
    entry.m_nIndex = 0;
    ar.WriteCount(1);
    ar.WriteObject(&entry);
    const Bytes b = ar.TakeData() + Word(1) + ClassRecord(8, "SIMPEXP_FZG") + FahrzeugFelder(8, 0, 18.0);
    const fs::path p = m_dir / "sechs.qor";
    WriteBytes(p, b);
    int count = -1;
    EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, &count), 0);
    EXPECT_EQ(count, 0);
    const Bytes neu = ReadBytes(p);
    EXPECT_NE(neu, b);
    CImpExp root;
    EXPECT_EQ(root.Load(neu), LoadAnswer::Current);
    EXPECT_EQ(root.m_nWert, 3);
    EXPECT_DOUBLE_EQ(root.m_Records[0]->m_dLeerlast[9], 44.0);
}

TEST_F(ImpExpTest, ReadFileFahrzeugTypLeavesAFileInUseAsItIs)
{
    ArchiveWriter ar;
    ar.WriteClass(CImpExp::classInfo);
    for (int i = 0; i < 5; ++i)
        ar.WriteString("");
    ar.WriteInt(3);
    SFileFhzgInfo entry;
    entry.m_nTyp = 0;
    entry.m_nIndex = 0;
    ar.WriteCount(1);
    ar.WriteObject(&entry);
    const Bytes b = ar.TakeData() + Word(1) + ClassRecord(8, "SIMPEXP_FZG") + FahrzeugFelder(8, 0, 18.0);
    const fs::path p = m_dir / "offen.qor";
    WriteBytes(p, b);
    int count = -1;
    EXPECT_EQ(ReadFileFahrzeugTyp(p, 0, &count, false), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ReadBytes(p), b);
}

TEST_F(ImpExpTest, CollectReferencedFilesReducesPictureNames)
{
    const ProgramFolders vorher = GetProgramFolders();
    ProgramFolders folders = vorher;
    folders.pictures = m_dir / "Bilder";
    fs::create_directories(folders.pictures);
    WriteBytes(folders.pictures / "kiste.dat", Ascii("png"));
    SetProgramFolders(folders);

    auto f = BeispielFahrzeug(0);
    auto it = f->GetQor()->m_LgInfos.begin();
    (*it)->m_strBildDatei = "C:\\Daten\\kiste.dat";
    (*std::next(it))->m_strBildDatei = "fehlt.dat";
    std::string pfad = (m_dir / "bilder.qor").string();
    int index = -1;
    std::unique_ptr<LockedFile> file;
    ASSERT_TRUE(WriteFahrzeugToFile(f.get(), m_dir, &index, "bilder.qor", &file, 0, ""));
    file.reset();

    std::vector<std::string> liste;
    EXPECT_TRUE(CollectReferencedFiles(pfad, liste));
    EXPECT_EQ(liste, (std::vector<std::string>{"kiste.dat"}));
    liste.clear();
    EXPECT_FALSE(CollectReferencedFiles(pfad, liste)); // saved with the reduced names
    EXPECT_EQ(liste, (std::vector<std::string>{"kiste.dat"}));
    SetProgramFolders(vorher);
}

TEST_F(ImpExpTest, ItemDataFilePathIsUpdatedOnlyWhenItChanged)
{
    const fs::path p = m_dir / "Kiste.lgs";
    tagItemData item;
    item.m_nArt = 3;
    item.m_strName = "Kiste";
    ASSERT_TRUE(SaveItemDataFile(p, item));
    EXPECT_EQ(item.m_strPfad, p.string());
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto zeit = fs::last_write_time(p);
    EXPECT_TRUE(UpdateItemDataFilePath(p, item));
    EXPECT_EQ(fs::last_write_time(p), zeit); // nothing written

    const fs::path q = m_dir / "Palette.lgs";
    fs::rename(p, q);
    tagItemData gelesen;
    ASSERT_TRUE(LoadItemDataFile(q, gelesen));
    EXPECT_TRUE(UpdateItemDataFilePath(q, gelesen));
    tagItemData wieder;
    ASSERT_TRUE(LoadItemDataFile(q, wieder));
    EXPECT_EQ(wieder.m_strName, "Palette");
    EXPECT_EQ(wieder.m_strPfad, q.string());
    EXPECT_EQ(ReadFileItemDataKind(q), 3);
    EXPECT_EQ(ReadFileItemDataKind(m_dir / "fehlt.lgs"), -1);
}

// A combination file whose second vehicle's load unit uses a lashing point that the first vehicle's unit
// names (the stream refers back to it), and one whose pair uses another unit's attachment point. The
// first vehicle's records go when the loader has taken the second vehicle: its point must not go with
// them. The second file is refused and left as it is.
TEST_F(ImpExpTest, LashingPointsOfLoadUnitsAcrossRecords)
{
    CZurrpunkt links, rechts;
    links.m_nFlags = CZurrpunkt::kLinks;
    links.m_dZulKraft = 2000;
    rechts.m_dZulKraft = 2500;
    const auto datei = [&](bool bEcke) {
        CLadeeinheit a(1), b(2);
        a.SetZurrpunkt(0, 0, &links);
        a.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&links, &rechts, 0));
        b.m_ZPPtrTupel.push_back(
            std::make_unique<sZPPtrTupel>(bEcke ? a.GetZurrpunkt(0, 0) : &links, &rechts, 0));
        CImpExp root;
        for (CLadeeinheit* le : {&a, &b}) {
            auto r = std::make_unique<SIMPEXP_FZG>();
            r->m_nArt = 0;
            r->m_strName = le == &a ? "Eins" : "Zwei";
            r->m_nAchsanzahl = 2;
            r->m_dLFLaenge = 7.2;
            // The vehicle has the points its unit uses: the loader attaches the pair to them.
            for (const CZurrpunkt* zp : {&links, &rechts}) {
                auto r67 = std::make_unique<SIMPEXP_ZP>();
                r67->SetFrom(*zp);
                r->m_Zurrpunkte.push_back(std::move(r67));
            }
            auto q = std::make_unique<SIMPEXP_QOR>();
            q->m_GelieheneLadeeinheiten = {le};
            r->m_Qors.push_back(std::move(q));
            auto e = std::make_unique<SFileFhzgInfo>();
            e->m_nTyp = 0;
            e->m_nIndex = static_cast<int>(root.m_Records.size());
            root.m_Verzeichnis.push_back(std::move(e));
            root.m_Records.push_back(std::move(r));
        }
        return root.Store();
    };

    const fs::path p = m_dir / "zug.kmb";
    WriteBytes(p, datei(false));
    auto g = LoadFahrzeugFromFile(p, 1, nullptr, nullptr, false, nullptr);
    ASSERT_TRUE(g && g->GetQor());
    ASSERT_EQ(g->GetQor()->GetLadeeinheiten().size(), 1u);
    const CLadeeinheit* le = g->GetQor()->GetLadeeinheiten().front();
    ASSERT_EQ(le->m_ZPPtrTupel.size(), 1u);
    ASSERT_TRUE(le->m_ZPPtrTupel[0]->IsVollstaendig());
    EXPECT_EQ(le->m_ZPPtrTupel[0]->m_pZP1->m_dZulKraft, 2000);
    EXPECT_EQ(le->m_ZPPtrTupel[0]->m_pZP2->m_dZulKraft, 2500);
    EXPECT_EQ(le->m_ZPPtrTupel[0]->m_pZP1, g->GetZurrpunktListe().front());
    EXPECT_EQ(le->m_ZPPtrTupel[0]->m_pZP2, g->GetZurrpunktListe().back());

    const Bytes ecke = datei(true);
    WriteBytes(p, ecke);
    EXPECT_FALSE(LoadFahrzeugFromFile(p, 1, nullptr, nullptr, false, nullptr));
    CImpExp root;
    EXPECT_THROW(root.Load(ecke), ArchiveError);
    EXPECT_EQ(ReadBytes(p), ecke);
}
