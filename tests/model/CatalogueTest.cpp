// The shared catalogue: scans of a folder tree, built-in entries, matching, group order and rights.
#include "model/files/CHlbCatalogue.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>
#include <random>

namespace fs = std::filesystem;

namespace {

class CatalogueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_catalogue_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        for (const fs::path& p : {folders.loadUnits, folders.fsmItems, folders.pictures, folders.samples})
            fs::create_directories(p);
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const fs::path& path, int type, double length = 1.2)
    {
        fs::create_directories(path.parent_path());
        tagItemData item;
        item.m_nArt = type;
        item.m_dLaenge = length;
        item.m_dBreite = 0.8;
        item.m_dHoehe = 1.0;
        item.m_dMasse = 0.5;
        ASSERT_TRUE(SaveItemDataFile(path, item)) << path;
    }

    static std::vector<std::string> Names(const std::vector<CHlbCatalogue::Entry>& entries)
    {
        std::vector<std::string> names;
        for (const auto& e : entries)
            names.push_back(e->item.m_strName + (e->standard ? "*" : ""));
        return names;
    }

    fs::path root;
    CatalogueFolders folders;
};

TEST_F(CatalogueTest, BuildsFromTheFolderTreeInNameOrder)
{
    Write(folders.loadUnits / "Kiste.lgs", 3);
    Write(folders.loadUnits / "Anker.lgs", 4);
    Write(folders.loadUnits / "sub" / "Tief.lgs", 3); // user load units: top folder only
    Write(folders.loadUnits / "Keil.lgs", 6);         // an FSM type in a load-unit file
    std::ofstream(folders.loadUnits / "Kaputt.lgs") << "not a record";
    Write(folders.samples / "Euro.lgs", 0);
    Write(folders.samples / "more" / "Gitter.lgs", 2);
    Write(folders.fsmItems / "Brett.fsm", 6);
    Write(folders.fsmItems / "deep" / "Balken.fsm", 6);
    Write(folders.fsmItems / "Falsch.fsm", 3); // a load-unit type in an FSM file

    CHlbCatalogue catalogue(folders);
    catalogue.Build();
    const auto& entries = catalogue.Entries();
    ASSERT_EQ(entries.size(), 12u);
    const std::vector<std::string> expected = {"Anker", "Kiste", "Euro*", "Gitter*", "Brett", "Balken"};
    EXPECT_EQ(Names({entries.begin(), entries.begin() + 6}), expected);
    EXPECT_EQ(fs::path(entries[3]->path), folders.samples / "more" / "Gitter.lgs");
    EXPECT_EQ(entries[3]->item.m_strPfad, entries[3]->path);

    // The six built-in FSM entries follow, with single-precision values and a centred centre of gravity.
    const int types[] = {5, 8, 11, 12, 9, 10};
    for (int i = 0; i < 6; ++i) {
        const sHLBItemData& e = *entries[static_cast<std::size_t>(6 + i)];
        SCOPED_TRACE(types[i]);
        EXPECT_TRUE(e.standard);
        EXPECT_EQ(e.item.m_nArt, types[i]);
        EXPECT_EQ(e.item.m_strName, LoadResString(447));
        EXPECT_DOUBLE_EQ(e.item.m_dSPBreite, e.item.m_dBreite / 2);
    }
    EXPECT_EQ(entries[9]->item.m_dBreite, static_cast<double>(2.4f));
    EXPECT_EQ(entries[9]->item.m_dMasse, static_cast<double>(0.072f));
    EXPECT_EQ(entries[6]->item.m_dLaenge, 0.0);
}

// Files from before load units were checked for absurd values: a unit with a size or mass that no load
// can have stays out of the catalogue (and so off the plan and out of the 3D view) and its file is left
// as it is, although its stored path is stale, which has a good file written again with its own path.
TEST_F(CatalogueTest, UnitsWithAbsurdValuesStayOutAndTheirFilesUnchanged)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Fall
    {
        const char* name;
        std::function<void(tagItemData&)> set;
    };
    const Fall faelle[] = {
        {"nan length", [&](tagItemData& i) { i.m_dLaenge = nan; }},
        {"infinite width", [&](tagItemData& i) { i.m_dBreite = inf; }},
        {"negative mass", [](tagItemData& i) { i.m_dMasse = -0.5; }},
        {"height 1e305", [](tagItemData& i) { i.m_dHoehe = 1e305; }},
        {"nan mass", [&](tagItemData& i) { i.m_dMasse = nan; }},
    };
    std::vector<std::pair<fs::path, std::string>> files;
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const Fall& f : faelle) {
        tagItemData item;
        item.m_nArt = 3;
        item.m_dLaenge = 1.2;
        item.m_dBreite = 0.8;
        item.m_dHoehe = 1.0;
        item.m_dMasse = 0.5;
        item.m_strName = f.name;
        item.m_strPfad = "C:\\old place\\" + std::string(f.name) + ".lgs";
        f.set(item);
        const fs::path path = folders.loadUnits / (std::string(f.name) + ".lgs");
        const std::vector<std::uint8_t> stored = item.Store();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(stored.data()), stored.size());
        files.emplace_back(path, bytes(path));
    }
    // A good unit with the same stale path is taken and written again with its own.
    {
        tagItemData good;
        good.m_nArt = 3;
        good.m_dLaenge = 1.2;
        good.m_strPfad = "C:\\old place\\good.lgs";
        const std::vector<std::uint8_t> stored = good.Store();
        std::ofstream(folders.loadUnits / "good.lgs", std::ios::binary)
            .write(reinterpret_cast<const char*>(stored.data()), stored.size());
    }

    CHlbCatalogue catalogue(folders);
    catalogue.Build();
    const auto units = catalogue.Filter(0, std::string());
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units.front()->item.m_strName, "good");
    EXPECT_EQ(units.front()->item.m_strPfad, (folders.loadUnits / "good.lgs").string());
    for (const auto& [path, before] : files) {
        SCOPED_TRACE(path.filename().string());
        EXPECT_EQ(bytes(path), before);
        tagItemData item;
        EXPECT_FALSE(LoadItemDataFile(path, item));
        EXPECT_EQ(ReadFileItemDataKind(path), -1);
    }
}

TEST(CatalogueMatch, SearchRules)
{
    struct Case
    {
        const char* name;
        const char* search;
        bool match;
    };
    const Case cases[] = {
        {"Kiste", "", true},           {"Kiste", "Ki", true},       {"Kiste", "KI", true},
        {"Große Kiste", "Ki", false},  {"Große Kiste", "ki", true}, {"Große Kiste", "KISTE", false},
        {"Ölfass", "öl", true},        {"Ölfass", "Öl", true},      {"altes ölfass", "Öl", false},
        {"altes ölfass", "ölf", true}, {"Straße", "ße", true},      {"Kiste", "x", false},
        {"Žel", "žel", true},          {"9er Box", "9", true},      {"Box 9", "9", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.search);
        EXPECT_EQ(CHlbCatalogue::MatchesSearch(c.name, c.search), c.match);
    }
    EXPECT_EQ(CHlbCatalogue::FoldUpper("ölfass äöü"), "ÖLFASS ÄÖÜ");
}

TEST(CatalogueMatch, CategoriesRightsAndDisplayNames)
{
    for (int type = 0; type <= 14; ++type) {
        SCOPED_TRACE(type);
        sHLBItemData e;
        e.item.m_nArt = type;
        e.item.m_strName = "Mein";
        EXPECT_EQ(CHlbCatalogue::InCategory(e.item, 0), type < 5);
        EXPECT_EQ(CHlbCatalogue::InCategory(e.item, 2), type >= 5);
        const bool fixed = type == 5 || (type >= 8 && type <= 12);
        EXPECT_EQ(CHlbCatalogue::DisplayName(e.item) == "Mein", !fixed);
        EXPECT_EQ(CHlbCatalogue::CanCopy(&e), type < 5 || type == 6 || type > 12);
        EXPECT_TRUE(CHlbCatalogue::CanDelete(&e));
        e.standard = true;
        EXPECT_FALSE(CHlbCatalogue::CanDelete(&e));
    }
    EXPECT_FALSE(CHlbCatalogue::CanCopy(nullptr));
    EXPECT_FALSE(CHlbCatalogue::CanDelete(nullptr));
}

TEST_F(CatalogueTest, InsertsWithinItsGroupAndReplacesOnRename)
{
    Write(folders.loadUnits / "Bett.lgs", 3);
    Write(folders.loadUnits / "Kiste.lgs", 3);
    Write(folders.samples / "Euro.lgs", 0);
    Write(folders.fsmItems / "Keil.fsm", 6);
    CHlbCatalogue catalogue(folders);
    catalogue.Build();

    struct Case
    {
        const char* name;
        int type;
        int index;
    };
    // Each insert sees the entries of the earlier ones.
    const Case cases[] = {
        {"Zelt", 3, 2}, {"anker", 3, 0}, {"Öl", 3, 4}, {"Brett", 6, 6}, {"Zaun", 6, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto entry = std::make_shared<sHLBItemData>();
        entry->item.m_strName = c.name;
        entry->item.m_nArt = c.type;
        EXPECT_EQ(catalogue.Insert(entry), c.index);
    }
    const std::vector<std::string> expected = {"anker", "Bett",  "Kiste", "Zelt", "Öl",
                                               "Euro*", "Brett", "Keil",  "Zaun"};
    EXPECT_EQ(Names({catalogue.Entries().begin(), catalogue.Entries().begin() + 9}), expected);

    // A renamed entry moves to its new place; an entry not in the list is refused.
    auto renamed = std::make_shared<sHLBItemData>();
    renamed->item.m_strName = "Aal";
    renamed->item.m_nArt = 3;
    const sHLBItemData* zelt = catalogue.Entries()[3].get();
    EXPECT_EQ(catalogue.Replace(zelt, renamed), 0);
    EXPECT_EQ(catalogue.IndexOf(zelt), -1);
    EXPECT_EQ(catalogue.Replace(zelt, renamed), -1);

    const auto fsm = catalogue.Filter(1, "");
    EXPECT_EQ(fsm.size(), 3u + 6u);
    EXPECT_EQ(catalogue.Filter(0, "K").size(), 1u);
}

TEST_F(CatalogueTest, TheFirstEntryOfAnEmptyGroupStandsWhereARescanPutsIt)
{
    // Only standard entries: a sample load unit and the built-ins.
    Write(folders.samples / "Euro.lgs", 0);
    CHlbCatalogue catalogue(folders);
    catalogue.Build();
    for (const auto& [name, type] : std::vector<std::pair<const char*, int>>{{"Kiste", 3}, {"Keil", 6}}) {
        auto entry = std::make_shared<sHLBItemData>();
        entry->item.m_strName = name;
        entry->item.m_nArt = type;
        catalogue.Insert(entry);
        ASSERT_TRUE(SaveItemDataFile((type == 3 ? folders.loadUnits : folders.fsmItems) /
                                         (std::string(name) + (type == 3 ? ".lgs" : ".fsm")),
                                     entry->item));
    }
    CHlbCatalogue rescanned(folders);
    rescanned.Build();
    for (int category : {0, 1}) {
        SCOPED_TRACE(category);
        EXPECT_EQ(Names(catalogue.Filter(category, "")), Names(rescanned.Filter(category, "")));
    }
    EXPECT_EQ(catalogue.Filter(0, "").front()->item.m_strName, "Kiste");
    EXPECT_EQ(catalogue.Filter(1, "").front()->item.m_strName, "Keil");
}

} // namespace
