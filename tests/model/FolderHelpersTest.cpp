// Paths, folder creation, the writability probe and folder scans on a temporary tree.
#include "model/base/FolderHelpers.h"
#include "model/text/TextProvider.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FolderHelpersTreeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() /
                 ("qor-folders-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_root, ec);
    }
    std::string Path(const std::string& relative) const { return (m_root / relative).string(); }
    void Touch(const std::string& relative, const std::string& content = "x") const
    {
        fs::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative) << content;
    }

    fs::path m_root;
};

TEST(FolderHelpersTest, SplitPathGivesFolderNameAndExtension)
{
    struct Case
    {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        {"/home/anna/vehicles/Rigid truck.qor", "/home/anna/vehicles/", "Rigid truck", ".qor"},
        {"/tmp/report.page.html", "/tmp/", "report.page", ".html"},
        {"/tmp/v1.2/noext", "/tmp/v1.2/", "noext", ""},
        {"plain.lgs", "", "plain", ".lgs"},
        {"/tmp/folder/", "/tmp/folder/", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string drive = "x", folder, name, extension;
        SplitPath(c.path, &drive, &folder, &name, &extension);
        EXPECT_EQ(drive, "");
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(extension, c.extension);
    }
    SplitPath("/a/b.c", nullptr, nullptr, nullptr, nullptr); // every output may be left out
}

TEST_F(FolderHelpersTreeTest, CreateFolderPathMakesTheFolderOfAPathWithParents)
{
    CTableTextProvider texts({{128, "Load planner"}});
    ScopedTextProvider scope(&texts);

    EXPECT_TRUE(CreateFolderPath(Path("a/b/c"))); // no extension: the path itself
    EXPECT_TRUE(fs::is_directory(Path("a/b/c")));
    EXPECT_TRUE(CreateFolderPath(Path("d/e/file.txt"))); // a file path: its folder
    EXPECT_TRUE(fs::is_directory(Path("d/e")));
    EXPECT_FALSE(fs::exists(Path("d/e/file.txt")));
    EXPECT_TRUE(CreateFolderPath(Path("f/"), 128)); // with the text of an id
    EXPECT_TRUE(fs::is_directory(Path("f/Load planner")));
    EXPECT_TRUE(CreateFolderPath(Path("g"), 4000)); // a text that does not load
    EXPECT_TRUE(fs::is_directory(Path("g")));
    EXPECT_FALSE(fs::exists(Path("g/$S")));
    Touch("blocker");
    EXPECT_FALSE(CreateFolderPath(Path("blocker/sub"))); // a file in the way
}

TEST_F(FolderHelpersTreeTest, WritabilityProbeNeverTouchesTheUsersFiles)
{
    Touch("tmp.tmp", "the user's own file");
    EXPECT_TRUE(IsFolderWritable(m_root.string()));
    EXPECT_TRUE(IsFolderWritable(m_root.string() + "/"));
    std::ifstream kept(Path("tmp.tmp"));
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "the user's own file");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root), fs::directory_iterator()), 1); // probe removed

    EXPECT_FALSE(IsFolderWritable(Path("missing")));
    EXPECT_FALSE(IsFolderWritable(Path("tmp.tmp"))); // a file is no folder
    fs::create_directory(Path("locked"));
    fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(Path("locked").c_str(), W_OK) != 0) { // root may write anyway
        EXPECT_FALSE(IsFolderWritable(Path("locked")));
    }
    fs::permissions(Path("locked"), fs::perms::owner_all);
}

TEST_F(FolderHelpersTreeTest, ScanFindsLanguageModulesAndVehicleFiles)
{
    Touch("Resource_EN.rcc");
    Touch("Resource_de.RCC");
    Touch("Resource_F.rcc");      // too short to carry a code
    Touch("Resource_FR.dll");     // not a module here
    Touch("resource_IT.rcc");     // the prefix is compared exactly
    Touch("sub/Resource_ES.rcc"); // only with recursion
    Touch(".hidden/Resource_PT.rcc");
    std::vector<std::string> codes;
    int flag = 0;
    EXPECT_TRUE(ScanFolder(m_root.string(), false, ScanFolderCallback, 2, &codes, nullptr, &flag));
    EXPECT_EQ(codes, (std::vector<std::string>{"EN", "de"}));
    EXPECT_EQ(flag, 1);

    codes.clear();
    flag = 0;
    EXPECT_TRUE(ScanFolder(m_root.string() + "/", true, ScanFolderCallback, 2, &codes, nullptr, &flag));
    EXPECT_EQ(codes, (std::vector<std::string>{"EN", "de", "ES"}));

    // Vehicle files: mode 0 lists single vehicles, mode 1 combinations; unreadable files are left out.
    Touch("v/solo.qor");
    Touch("v/pair.qor");
    Touch("v/broken.qor");
    Touch("v/other.QOR");
    Touch("v/notes.txt");
    const std::map<std::string, int> counts = {{"solo.qor", 0}, {"pair.qor", 1}};
    int reads = 0;
    const VehicleTypeReader reader = [&](const std::string& path, int index, int* count) {
        ++reads;
        EXPECT_EQ(index, 0);
        auto it = counts.find(fs::path(path).filename().string());
        if (it == counts.end())
            return -1;
        *count = it->second;
        return 0;
    };
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        std::vector<std::string> files;
        EXPECT_TRUE(ScanFolder(Path("v"), true, ScanFolderCallback, mode, &files, reader, nullptr));
        EXPECT_EQ(files, std::vector<std::string>{Path(mode == 0 ? "v/solo.qor" : "v/pair.qor")});
    }
    EXPECT_EQ(reads, 6); // only the three ".qor" files are read

    std::vector<std::string> none;
    EXPECT_FALSE(ScanFolder(Path("v"), false, ScanFolderCallback, 7, &none, reader, nullptr)); // unknown mode
    EXPECT_TRUE(ScanFolder(Path("missing"), true, ScanFolderCallback, 2, &none, nullptr, &flag));
    EXPECT_TRUE(none.empty());
}

TEST_F(FolderHelpersTreeTest, ScanStopsWhenTheCallbackSaysSoAndNeverFollowsFolderLinks)
{
    Touch("a/1");
    Touch("b/2");
    Touch("c/3");
    fs::create_directory_symlink(m_root, Path("b/loop"));
    std::vector<std::string> seen;
    auto collect = [&](const std::string& path, int, std::vector<std::string>*, const VehicleTypeReader&,
                       int*) {
        seen.push_back(fs::path(path).filename().string());
        return path.ends_with("/2") ? 0 : 1;
    };
    EXPECT_FALSE(ScanFolder(m_root.string(), true, collect, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2"}));
}

TEST_F(FolderHelpersTreeTest, LocalizedSubfolderIsCreatedRenamedOrRefused)
{
    CTableTextProvider texts({{229, "Vehicles"}});
    ScopedTextProvider scope(&texts);

    fs::create_directory(Path("fresh"));
    Touch("fresh/stray.txt");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("fresh"), 229), 0);
    EXPECT_TRUE(fs::is_directory(Path("fresh/Vehicles")));
    EXPECT_FALSE(fs::exists(Path("fresh/stray.txt")));
    EXPECT_TRUE(fs::exists(Path("fresh/Vehicles/stray.txt"))); // moved, not deleted

    Touch("renamed/Fahrzeuge/truck.qor");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("renamed"), 229), 0);
    EXPECT_TRUE(fs::exists(Path("renamed/Vehicles/truck.qor")));
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("renamed"), 229), 0); // already right

    Touch("two/Fahrzeuge/a.qor");
    Touch("two/Véhicules/b.qor");
    Touch("two/loose.qor");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("two"), 229), 2);
    EXPECT_TRUE(fs::exists(Path("two/loose.qor"))); // refused: nothing moves
    EXPECT_TRUE(fs::exists(Path("two/Fahrzeuge/a.qor")));
    EXPECT_TRUE(fs::exists(Path("two/Véhicules/b.qor")));

    EXPECT_EQ(EnsureLocalizedSubfolder(Path("fresh"), 4000), -1); // a name that does not load
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("missing"), 229), -1);
}

TEST_F(FolderHelpersTreeTest, StrayFilesMoveIntoTheSubfolderWithoutOverwriting)
{
    CTableTextProvider texts({{229, "Vehicles"}});
    ScopedTextProvider scope(&texts);

    Touch("clash/Fahrzeuge/truck.qor");
    fs::create_directory(Path("clash/Fahrzeuge/folder"));
    {
        std::ofstream(Path("clash/truck.qor")) << "loose copy";
    }
    Touch("clash/trailer.qor");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("clash"), 229), 0);
    EXPECT_TRUE(fs::exists(Path("clash/Vehicles/trailer.qor")));
    EXPECT_FALSE(fs::exists(Path("clash/trailer.qor")));
    // The name is taken in the subfolder: the loose file stays, the subfolder's file is unchanged.
    EXPECT_TRUE(fs::exists(Path("clash/truck.qor")));
    EXPECT_EQ(fs::file_size(Path("clash/Vehicles/truck.qor")), 1u);
    EXPECT_EQ(fs::file_size(Path("clash/truck.qor")), 10u);
    EXPECT_TRUE(fs::is_directory(Path("clash/Vehicles/folder")));

    Touch("keep/stray.qor");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("keep"), 229, false), 0);
    EXPECT_TRUE(fs::exists(Path("keep/stray.qor")));
    EXPECT_TRUE(fs::is_directory(Path("keep/Vehicles")));
}

} // namespace

// Folders the user linked into the program's folders are used as they are: nothing in them is renamed
// or moved, and a linked sub-folder is the sub-folder (no file moves into it, it never moves into itself).
TEST_F(FolderHelpersTreeTest, LinkedFoldersAndSubfoldersKeepEveryEntryWhereItWas)
{
    CTableTextProvider texts({{229, "Vehicles"}});
    ScopedTextProvider scope(&texts);
    // Every file below the root, by path relative to it, with its content; links as "-> target".
    const auto tree = [this] {
        std::map<std::string, std::string> entries;
        for (auto it = fs::recursive_directory_iterator(m_root); it != fs::recursive_directory_iterator();
             ++it) {
            const std::string relative = fs::relative(it->path(), m_root).string();
            if (it->is_symlink())
                entries[relative] = "-> " + fs::read_symlink(it->path()).string();
            else if (it->is_regular_file()) {
                std::ifstream in(it->path());
                entries[relative] = std::string(std::istreambuf_iterator<char>(in), {});
            } else
                entries[relative] = "folder";
        }
        return entries;
    };

    // The whole folder is a link: its one sub-folder keeps its name, its files stay at its top, and the
    // sub-folder of the language is added beside them.
    Touch("mine/own/truck.qor", "truck");
    Touch("mine/loose.qor", "loose");
    Touch("mine/notes.txt", "notes");
    fs::create_directory_symlink(m_root / "mine", m_root / "linked");
    auto before = tree();
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("linked"), 229), 0);
    auto after = tree();
    EXPECT_TRUE(fs::is_directory(Path("mine/Vehicles")));
    after.erase("mine/Vehicles");
    EXPECT_EQ(after, before);
    // Two sub-folders in a linked folder are the user's arrangement, not a reason to stop.
    fs::create_directory(Path("mine/second"));
    before = tree();
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("linked"), 229), 0);
    EXPECT_EQ(tree(), before);
    fs::remove_all(m_root);
    fs::create_directories(m_root);

    // The sub-folder is a link to a shared folder: it stays the link, loose files stay beside it.
    Touch("shared/a.qor", "a");
    Touch("real/loose.qor", "loose");
    fs::create_directory_symlink(m_root / "shared", m_root / "real/Vehicles");
    before = tree();
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("real"), 229), 0);
    EXPECT_EQ(tree(), before);
    // Under another name the link is renamed, its target is not touched.
    fs::rename(Path("real/Vehicles"), Path("real/Fahrzeuge"));
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("real"), 229), 0);
    EXPECT_TRUE(fs::is_symlink(Path("real/Vehicles")));
    EXPECT_EQ(fs::read_symlink(Path("real/Vehicles")), m_root / "shared");
    EXPECT_EQ(tree(), before);
    // A linked sub-folder counts with the real ones.
    fs::create_directory(Path("real/Véhicules"));
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("real"), 229), 2);
    fs::remove(Path("real/Véhicules"));

    // A link that leads nowhere in the sub-folder's place is refused; nothing is made at its target.
    fs::remove(Path("real/Vehicles"));
    fs::create_directory_symlink(m_root / "gone", m_root / "real/Vehicles");
    EXPECT_EQ(EnsureLocalizedSubfolder(Path("real"), 229), -1);
    EXPECT_TRUE(fs::is_symlink(Path("real/Vehicles")));
    EXPECT_FALSE(fs::exists(Path("gone")));
    EXPECT_TRUE(fs::exists(Path("real/loose.qor")));
}
