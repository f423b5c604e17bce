// Writes the seed corpus of the fuzz targets: make_seeds <corpus folder>.
#include "model/archive/ArchiveWriter.h"
#include "model/files/AppStateFile.h"
#include "model/files/CImpExp.h"
#include "model/files/CustomNormParamsFile.h"
#include "model/files/STVEEntry.h"
#include "model/files/tagItemData.h"
#include "model/mesh/Q3dFile.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/SLadung.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZusLast.h"
#include "model/vehicle/tagZLINFO.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void Save(const fs::path& file, std::vector<std::uint8_t> bytes, int firstByte = -1)
{
    if (firstByte >= 0)
        bytes.insert(bytes.begin(), static_cast<std::uint8_t>(firstByte));
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const fs::path root = argv[1];
    fs::create_directories(root / "archive");
    fs::create_directories(root / "item_data");
    fs::create_directories(root / "vehicle_file");
    fs::create_directories(root / "model_file");

    // Object streams (first byte even).
    {
        CZusLast a;
        a.m_strName = "Kran";
        a.m_dPosition = 1.5;
        SLadung b;
        b.m_strName = "Łódź";
        ArchiveWriter ar;
        ar.WriteObject(&a);
        ar.WriteObject(&a);
        ar.WriteObject(nullptr);
        ar.WriteObject(&b);
        Save(root / "archive" / "loads", ar.TakeData(), 0);
    }
    {
        STVEEntry tree;
        tree.m_strName = "Wurzel";
        for (int i = 0; i < 3; ++i) {
            tree.m_Children.push_back(std::make_unique<STVEEntry>());
            tree.m_Children.back()->m_Children.push_back(std::make_unique<STVEEntry>());
        }
        tagZLINFO zl;
        zl.m_strName = "Ladekran";
        zl.m_bFlag = true;
        ArchiveWriter ar;
        ar.WriteObject(&tree);
        ar.WriteObject(&zl);
        Save(root / "archive" / "tree_and_zl", ar.TakeData(), 0);
    }
    // Texts and counts (first byte odd).
    {
        ArchiveWriter ar;
        for (const char* t : {"", "Müller €", "Ωmega", "\xF0\x9F\x9A\x9A"}) {
            ar.WriteString(t);
            ar.WriteCount(0xFFFF);
        }
        ar.WriteString(std::string(300, 'x'));
        ar.WriteCount(3);
        Save(root / "archive" / "texts", ar.TakeData(), 1);
    }

    // Catalogue items: current, schema 7 with a picture path, and a headerless old one.
    tagItemData item;
    item.m_nNummer = 3;
    item.m_nArt = 1;
    item.m_dLaenge = 1.2;
    item.m_dBreite = 0.8;
    item.m_dHoehe = 1.0;
    item.m_dMasse = 0.5;
    item.m_strName = "Kiste";
    item.m_strPfad = "/home/u/load units/Kiste.lgs";
    item.m_strBildDatei = "0f8fad5b-d9cb-469f-a165-70867728950e.dat";
    Save(root / "item_data" / "current.lgs", item.Store());
    {
        ArchiveWriter ar;
        ar.WriteWord(0xFFFF);
        ar.WriteWord(7);
        ar.WriteWord(11);
        ar.WriteBytes("tagItemData", 11);
        tagItemData old = item;
        old.m_strBildDatei = "C:\\Bilder\\0f8fad5b.dat";
        old.Write(ar);
        Save(root / "item_data" / "schema7.lgs", ar.TakeData());
    }
    // The oldest layout: the fields up to the path, without a class record and without the two picture
    // fields (each an empty text of one byte here).
    const auto fieldsWithoutPicture = [&]() {
        ArchiveWriter ar;
        tagItemData old = item;
        old.m_nArt = 2;
        old.m_strBildDatei.clear();
        old.m_strBildQuelle.clear();
        old.Write(ar);
        auto bytes = ar.TakeData();
        bytes.resize(bytes.size() - 2);
        return bytes;
    };
    Save(root / "item_data" / "headerless.fsm", fieldsWithoutPicture());

    // Vehicle files: a combination of two records with their companion records, and an old root.
    {
        CImpExp file;
        file.m_strTitel = "Vehicle file";
        file.m_strFahrzeug = "Zug";
        for (int art : {0, 2}) {
            auto r = std::make_unique<SIMPEXP_FZG>();
            r->m_nArt = art;
            r->m_strName = art == 0 ? "Zug" : "Anhänger";
            r->m_nAchsanzahl = 2;
            r->m_dLFLaenge = 7.2;
            r->m_pNutzLF = std::make_unique<SNutzbareLF>();
            r->m_pUeberstand = std::make_unique<SUeberstLG>();
            r->m_Zurrpunkte.push_back(std::make_unique<SIMPEXP_ZP>());
            r->m_ZLInfos.push_back(std::make_unique<SIMPEXP_ZL2>());
            r->m_Zurrmittel.push_back(std::make_unique<CZurrmittel>());
            r->m_Zurrschienen.push_back(std::make_unique<CZurrschiene>());
            auto q = std::make_unique<SIMPEXP_QOR>();
            q->m_Ladeeinheiten.push_back(std::make_unique<CLadeeinheit>(1));
            q->m_Ladungen.push_back(std::make_unique<SIMPEXP_LADUNG2QOR2>());
            q->m_Ladungen.back()->m_strBildDatei = "ep.png";
            r->m_Qors.push_back(std::move(q));
            auto e = std::make_unique<SFileFhzgInfo>();
            e->m_nTyp = art;
            e->m_nIndex = static_cast<int>(file.m_Records.size());
            file.m_Verzeichnis.push_back(std::move(e));
            file.m_Records.push_back(std::move(r));
        }
        const auto bytes = file.Store();
        Save(root / "vehicle_file" / "combination.kmb", bytes);
        // The same records under a root of schema 5: no value, no directory.
        ArchiveWriter ar;
        ar.WriteClass(CImpExp::classInfo);
        for (int i = 0; i < 5; ++i)
            ar.WriteString("");
        ar.WriteObjectList(file.m_Records);
        auto old = ar.TakeData();
        old[2] = 5; // the root's schema
        Save(root / "vehicle_file" / "schema5.qor", old);
        // A version-1 file: one vehicle object.
        CAuflieger v1;
        v1.m_nArt = 3;
        v1.m_strName = "Auflieger";
        v1.m_nAchsanzahl = 3;
        ArchiveWriter ar1;
        ar1.WriteObject(&v1);
        Save(root / "vehicle_file" / "version1.qor", ar1.TakeData());
    }
    // Catalogue items where a vehicle file's root belongs: an item header of an older schema followed by
    // zero bytes, and a whole old catalogue item (schema 5) given the vehicle file extension.
    {
        ArchiveWriter ar;
        ar.WriteWord(0xFFFF);
        ar.WriteWord(5);
        ar.WriteWord(11);
        ar.WriteBytes("tagItemData", 11);
        auto bytes = ar.TakeData();
        Save(root / "vehicle_file" / "item_header_zeros.qor", bytes + std::vector<std::uint8_t>(64, 0));
        Save(root / "vehicle_file" / "old_item.qor", bytes + fieldsWithoutPicture());
    }
    // Plans whose load units use lashing points: two units sharing a pair's points (the second unit's
    // pairs refer back to the first's), and a pair referring to another unit's attachment point, which
    // the reader refuses.
    for (bool bEcke : {false, true}) {
        CZurrpunkt links, rechts;
        links.m_nFlags = CZurrpunkt::kLinks;
        links.m_dZulKraft = rechts.m_dZulKraft = 2000;
        CLadeeinheit a(1), b(2);
        a.SetZurrpunkt(0, 0, &links);
        a.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&links, &rechts, 0));
        b.m_ZPPtrTupel.push_back(
            std::make_unique<sZPPtrTupel>(bEcke ? a.GetZurrpunkt(0, 0) : &links, &rechts, 0));
        CImpExp file;
        file.m_strFahrzeug = "Zug";
        auto r = std::make_unique<SIMPEXP_FZG>();
        r->m_nArt = 0;
        r->m_strName = "Zug";
        r->m_nAchsanzahl = 2;
        r->m_dLFLaenge = 7.2;
        auto q = std::make_unique<SIMPEXP_QOR>();
        q->m_GelieheneLadeeinheiten = {&a, &b};
        r->m_Qors.push_back(std::move(q));
        auto e = std::make_unique<SFileFhzgInfo>();
        e->m_nTyp = 0;
        e->m_nIndex = 0;
        file.m_Verzeichnis.push_back(std::move(e));
        file.m_Records.push_back(std::move(r));
        Save(root / "vehicle_file" / (bEcke ? "pair_to_corner.qor" : "shared_points.qor"), file.Store());
    }
    // A model file with an opaque and a textured blended part.
    {
        Q3dModel model;
        Q3dModel::Part box;
        box.name = "body";
        box.colour = {0.5f, 0.25f, 0.0f, 1.0f};
        box.vertices = {
            {{0, 0, 0}, {0, 0, -1}, 0, 0}, {{0, 1, 0}, {0, 0, -1}, 0, 1}, {{1, 0, 0}, {0, 0, -1}, 1, 0}};
        box.indices = {0, 1, 2};
        Q3dModel::Part glass = box;
        glass.name = "glass";
        glass.pass = Q3dModel::Pass::Blended;
        glass.colour.a = 0.4f;
        glass.texture = "glass.png";
        model.parts = {box, glass};
        Save(root / "model_file" / "two_parts.q3d", Q3dFile::Write(model));
    }
    // Application states: the default and one with two 3D views.
    {
        fs::create_directories(root / "app_state");
        AppStateMap map;
        auto d = std::make_unique<CAppStateParams>();
        d->m_Werte = {0, 1, 2, 4};
        map["default"] = std::move(d);
        auto v = std::make_unique<CAppStateParams>();
        v->m_nWert[3] = 400;
        for (int i = 0; i < 2; ++i) {
            auto a = std::make_unique<CANSICHT3DParams>();
            a->m_v1 = {0.0f, 1.5f, -1.0f};
            a->m_v2 = {-0.8f, 1.9f, -2.99f};
            v->m_Ansichten.push_back(std::move(a));
        }
        map["CQOR3DView"] = std::move(v);
        Save(root / "app_state" / "two_states.ser", StoreAppStateMap(map));
    }
    // The user's coefficient set, as the second built-in set.
    {
        fs::create_directories(root / "norm_params");
        SNormParams set;
        SNormParams::GetStandard(1, &set);
        Save(root / "norm_params" / "custom.ser", CustomNormParamsFile::Store(set));
    }
    // Exchange files: a vehicle file and two pictures, one of them empty (the sender could not read it).
    {
        fs::create_directories(root / "exchange_file");
        std::ifstream in(root / "vehicle_file" / "shared_points.qor", std::ios::binary);
        const std::vector<std::uint8_t> vehicle((std::istreambuf_iterator<char>(in)),
                                                std::istreambuf_iterator<char>());
        ArchiveWriter ar;
        ar.WriteDword(1);
        ar.WriteBytes(vehicle.data(), vehicle.size());
        ar.WriteDword(2);
        const std::uint8_t picture[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        ar.WriteDword(sizeof picture);
        ar.WriteString("side.png");
        ar.WriteBytes(picture, sizeof picture);
        ar.WriteDword(0);
        ar.WriteString("gone.bmp");
        Save(root / "exchange_file" / "two_pictures.qorei", ar.TakeData());
    }
    return 0;
}
