// Recursive folder delete and folder walk on a temporary tree.
#include "model/base/FileHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FileHelpersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() /
                 ("qor-files-" + std::to_string(std::random_device{}()) + "-" + std::to_string(::getpid()));
        fs::create_directories(m_root / "tree" / "a" / "deep");
        fs::create_directories(m_root / "tree" / "b");
        Touch("tree/top.txt");
        Touch("tree/a/one.txt");
        Touch("tree/a/deep/two.txt");
        Touch("tree/b/three.txt");
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    void Touch(const std::string& relative) { std::ofstream(m_root / relative) << "data"; }
    std::string Rel(const fs::path& p) const { return fs::relative(p, m_root / "tree").generic_string(); }

    fs::path m_root;
};

TEST_F(FileHelpersTest, DeleteDirectoryTreeRemovesWriteProtectedFilesAndFolders)
{
    fs::permissions(m_root / "tree/a/one.txt", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(DeleteDirectoryTree(m_root / "tree"));
    EXPECT_FALSE(fs::exists(m_root / "tree"));
}

TEST_F(FileHelpersTest, DeleteDirectoryTreeRemovesALinkButNotWhatItPointsTo)
{
    fs::create_directories(m_root / "outside");
    Touch("outside/keep.txt");
    fs::create_directory_symlink(m_root / "outside", m_root / "tree/link");
    EXPECT_TRUE(DeleteDirectoryTree(m_root / "tree"));
    EXPECT_TRUE(fs::exists(m_root / "outside/keep.txt"));
    // Given as the folder itself, the link goes and what it points to stays whole.
    fs::create_directory_symlink(m_root / "outside", m_root / "top");
    EXPECT_TRUE(DeleteDirectoryTree(m_root / "top"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_root / "top")));
    EXPECT_TRUE(fs::exists(m_root / "outside/keep.txt"));
}

TEST_F(FileHelpersTest, DeleteDirectoryTreeFailsOnAMissingFolder)
{
    EXPECT_FALSE(DeleteDirectoryTree(m_root / "missing"));
}

TEST_F(FileHelpersTest, WalkDirectoryVisitsInNameOrderAsFlagsSay)
{
    struct WalkCase
    {
        bool recurse, reportFolders;
        std::vector<std::string> expected;
    };
    const WalkCase cases[] = {
        {false, false, {"top.txt"}},
        {false, true, {"a", "b", "top.txt"}},
        {true, false, {"a/deep/two.txt", "a/one.txt", "b/three.txt", "top.txt"}},
        {true, true, {"a", "a/deep", "a/deep/two.txt", "a/one.txt", "b", "b/three.txt", "top.txt"}},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "recurse " << c.recurse << " folders " << c.reportFolders);
        std::vector<std::string> seen;
        EXPECT_TRUE(WalkDirectory(
            m_root / "tree", [&](const fs::path& p) { return seen.push_back(Rel(p)), true; }, c.recurse,
            c.reportFolders));
        EXPECT_EQ(seen, c.expected);
    }
}

TEST_F(FileHelpersTest, WalkDirectoryStopsWhenTheCallbackSaysSo)
{
    int calls = 0;
    EXPECT_FALSE(WalkDirectory(
        m_root / "tree", [&](const fs::path&) { return ++calls < 2; }, true, false));
    EXPECT_EQ(calls, 2);
}

TEST_F(FileHelpersTest, WalkDirectoryOnAMissingFolderSucceedsWithoutCalls)
{
    int calls = 0;
    EXPECT_TRUE(WalkDirectory(
        m_root / "missing", [&](const fs::path&) { return ++calls, true; }, true, true));
    EXPECT_EQ(calls, 0);
}

} // namespace
