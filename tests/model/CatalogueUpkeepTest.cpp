// Moving load units out of sub-folders and deleting unused pictures, in temporary folders.
#include "FahrzeugTestSupport.h"

#include "model/base/LockedFile.h"
#include "model/files/CImpExp.h"
#include "model/files/CatalogueUpkeep.h"
#include "model/files/SIMPEXP_FZG.h"
#include "model/files/SIMPEXP_LADUNG2QOR2.h"
#include "model/files/SIMPEXP_QOR.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <random>

namespace fs = std::filesystem;

namespace {

class UpkeepTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_upkeep_" + std::to_string(rd()));
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    static void WriteUnit(const fs::path& path, const std::string& name, const std::string& picture = {},
                          int kind = 3)
    {
        fs::create_directories(path.parent_path());
        tagItemData item;
        item.m_nArt = kind;
        item.m_strName = name;
        item.m_dLaenge = 1.2;
        item.m_strBildDatei = picture;
        ASSERT_TRUE(SaveItemDataFile(path, item));
    }
    static tagItemData ReadUnit(const fs::path& path)
    {
        tagItemData item;
        EXPECT_TRUE(LoadItemDataFile(path, item)) << path;
        return item;
    }
    static void WriteText(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // Every file below the root with its content, to see that nothing changed.
    std::map<fs::path, std::string> Snapshot() const
    {
        std::map<fs::path, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file()) {
                std::ifstream in(entry.path(), std::ios::binary);
                files[entry.path()] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        return files;
    }

    fs::path root;
};

TEST_F(UpkeepTest, MigrationMovesUnitsUpAndNeverReplacesAFile)
{
    const fs::path lu = root / "lu";
    WriteUnit(lu / "Kiste.lgs", "Kiste");
    WriteUnit(lu / "Kiste (a).lgs", "Kiste (a)");
    WriteUnit(lu / "a" / "Kiste.lgs", "Kiste");
    WriteUnit(lu / "a" / "b" / "Kiste.lgs", "Kiste");
    WriteUnit(lu / "b" / "Palette.lgs", "Palette", "p.dat");
    WriteText(lu / "a" / "notes.txt", "kept");
    const auto kept = ReadUnit(lu / "Kiste (a).lgs");

    const LoadUnitMigration r = MigrateLoadUnitSubfolders(lu);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.moved, 3);

    struct Case
    {
        const char* file;
        const char* name;
    };
    for (const Case& c : {Case{"Kiste.lgs", "Kiste"}, Case{"Kiste (a).lgs", "Kiste (a)"},
                          Case{"Kiste (a) (2).lgs", "Kiste (a) (2)"}, Case{"Kiste (a-b).lgs", "Kiste (a-b)"},
                          Case{"Palette.lgs", "Palette"}}) {
        SCOPED_TRACE(c.file);
        const tagItemData item = ReadUnit(lu / c.file);
        EXPECT_EQ(item.m_strName, c.name);
        EXPECT_EQ(item.m_strPfad, (lu / c.file).string());
    }
    EXPECT_EQ(ReadUnit(lu / "Palette.lgs").m_strBildDatei, "p.dat");
    EXPECT_EQ(ReadUnit(lu / "Kiste (a).lgs").m_strPfad, kept.m_strPfad);
    EXPECT_FALSE(fs::exists(lu / "a" / "Kiste.lgs"));
    EXPECT_FALSE(fs::exists(lu / "a" / "b" / "Kiste.lgs"));
    EXPECT_FALSE(fs::exists(lu / "b" / "Palette.lgs"));
    EXPECT_TRUE(fs::exists(lu / "a" / "notes.txt"));

    // A second run finds nothing to do.
    const LoadUnitMigration again = MigrateLoadUnitSubfolders(lu);
    EXPECT_TRUE(again.complete);
    EXPECT_EQ(again.moved, 0);
}

TEST_F(UpkeepTest, MigrationLeavesWhatItCannotReadAndChangesNothingForAnUnreadableFolder)
{
    const fs::path lu = root / "lu";
    WriteUnit(lu / "a" / "Kiste.lgs", "Kiste");
    WriteText(lu / "a" / "Kaputt.lgs", "not a unit");
    LoadUnitMigration r = MigrateLoadUnitSubfolders(lu);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.moved, 1);
    EXPECT_TRUE(fs::exists(lu / "Kiste.lgs"));
    EXPECT_TRUE(fs::exists(lu / "a" / "Kaputt.lgs"));
    EXPECT_FALSE(fs::exists(lu / "Kaputt.lgs"));

    // A load-unit "folder" that is a file cannot be read: nothing happens.
    WriteText(root / "file" / "lu", "x");
    const auto before = Snapshot();
    r = MigrateLoadUnitSubfolders(root / "file" / "lu");
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.moved, 0);
    EXPECT_EQ(Snapshot(), before);

    // A folder that does not exist holds nothing to move.
    r = MigrateLoadUnitSubfolders(root / "missing");
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.moved, 0);
}

class PictureUpkeepTest : public UpkeepTest
{
protected:
    void SetUp() override
    {
        UpkeepTest::SetUp();
        folders.loadUnits = root / "lu";
        folders.fsmItems = root / "fsm";
        folders.vehicles = root / "qor";
        folders.combinations = root / "kmb";
        folders.pictures = root / "pic";
        for (const char* p : {"lu.dat", "fsm.dat", "qor.dat", "kmb.dat", "recent.dat", "unused.dat"})
            WriteText(folders.pictures / p, "png");
        WriteUnit(folders.loadUnits / "Kiste.lgs", "Kiste", "C:\\Bilder\\lu.dat");
        WriteUnit(folders.loadUnits / "Fehlt.lgs", "Fehlt", "gone.dat");
        WriteUnit(folders.fsmItems / "sub" / "Gurt.fsm", "Gurt", "fsm.dat", 6);
        WriteVehicle(folders.vehicles / "sub", "a.qor", "qor.dat");
        WriteVehicle(folders.combinations, "z.kmb", "kmb.dat");
        WriteVehicle(root / "elsewhere", "r.qor", "D:/x/recent.dat");
        folders.otherVehicleFiles = {root / "elsewhere" / "r.qor", root / "deleted.qor",
                                     folders.vehicles / "sub" / "a.qor"};
    }

    static void WriteVehicle(const fs::path& folder, const std::string& file, const std::string& picture)
    {
        fahrzeugtest::Daten d;
        d.achsen = {{1.2, 4.0, 7.5}, {4.6, 3.0, 11.5}};
        d.dZulGesamt = 24.0;
        d.dLFLaenge = 7.2;
        auto f = fahrzeugtest::Erzeuge(d);
        fahrzeugtest::GibLast(*f, 0.5, 1.0, 1.0);
        f->m_pQor->m_LgInfos.front()->m_strBildDatei = picture;
        fs::create_directories(folder);
        int index = -1;
        std::unique_ptr<LockedFile> out;
        ASSERT_TRUE(WriteFahrzeugToFile(f.get(), folder, &index, file, &out, 0, ""));
    }
    static std::string VehiclePicture(const fs::path& path)
    {
        CImpExp rootRecord;
        const auto file = LockedFile::Open(path, LockedFile::Mode::Read);
        if (!file || !ReadRoot(*file, rootRecord) || rootRecord.m_Records.empty() ||
            rootRecord.m_Records.front()->m_Qors.empty() ||
            rootRecord.m_Records.front()->m_Qors.front()->m_Ladungen.empty())
            return "<unreadable>";
        return rootRecord.m_Records.front()->m_Qors.front()->m_Ladungen.front()->m_strBildDatei;
    }

    PictureUpkeepFolders folders;
};

TEST_F(PictureUpkeepTest, CountingChangesNothingAndDeletingKeepsEveryReferencedPicture)
{
    const auto before = Snapshot();
    EXPECT_EQ(DeleteUnusedPictureFiles(true, folders), 1);
    EXPECT_EQ(Snapshot(), before);

    EXPECT_EQ(DeleteUnusedPictureFiles(false, folders), 1);
    EXPECT_FALSE(fs::exists(folders.pictures / "unused.dat"));
    for (const char* p : {"lu.dat", "fsm.dat", "qor.dat", "kmb.dat", "recent.dat"}) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(fs::exists(folders.pictures / p));
    }
    // Stored names cut to the file name, a missing picture's name emptied, and saved.
    EXPECT_EQ(ReadUnit(folders.loadUnits / "Kiste.lgs").m_strBildDatei, "lu.dat");
    EXPECT_EQ(ReadUnit(folders.loadUnits / "Fehlt.lgs").m_strBildDatei, "");
    EXPECT_EQ(VehiclePicture(root / "elsewhere" / "r.qor"), "recent.dat");
    EXPECT_EQ(VehiclePicture(folders.vehicles / "sub" / "a.qor"), "qor.dat");

    EXPECT_EQ(DeleteUnusedPictureFiles(false, folders), 0);
}

TEST_F(PictureUpkeepTest, AnythingUnreadableDeletesAndClearsNothing)
{
    struct Case
    {
        const char* what;
        std::function<void(const fs::path&, PictureUpkeepFolders&)> spoil;
    };
    const Case cases[] = {
        {"picture folder missing",
         [](const fs::path& r, PictureUpkeepFolders& f) { f.pictures = r / "nopic"; }},
        {"picture folder is a file",
         [](const fs::path& r, PictureUpkeepFolders& f) {
             WriteText(r / "picfile", "x");
             f.pictures = r / "picfile";
         }},
        // A linked picture folder belongs to whoever made the link: it is read, never cleaned.
        {"picture folder is a link",
         [](const fs::path& r, PictureUpkeepFolders& f) {
             fs::rename(f.pictures, r / "pictures elsewhere");
             fs::create_directory_symlink(r / "pictures elsewhere", f.pictures);
         }},
        {"load-unit folder is a file",
         [](const fs::path& r, PictureUpkeepFolders& f) {
             WriteText(r / "lufile", "x");
             f.loadUnits = r / "lufile";
         }},
        {"damaged item file",
         [](const fs::path&, PictureUpkeepFolders& f) { WriteText(f.fsmItems / "x.fsm", "bad"); }},
        {"damaged vehicle file",
         [](const fs::path&, PictureUpkeepFolders& f) { WriteText(f.vehicles / "sub" / "b.qor", "bad"); }},
        {"damaged recent file",
         [](const fs::path& r, PictureUpkeepFolders&) { WriteText(r / "deleted.qor", "bad"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.spoil(root, folders);
        const auto before = Snapshot();
        EXPECT_EQ(DeleteUnusedPictureFiles(false, folders), -1);
        EXPECT_EQ(Snapshot(), before);
    }
}

} // namespace
