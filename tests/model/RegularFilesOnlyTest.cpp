// The file readers open regular files only and read no more than their format can hold: a named pipe, a
// device or a folder where a file is expected is refused at once (a reader that opened a pipe as a file
// would wait for a writer for good, one that read a device like /dev/zero would never end).
#include "model/base/LockedFile.h"
#include "model/base/PngSize.h"
#include "model/files/AppStateFile.h"
#include "model/files/CustomNormParamsFile.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/mesh/Q3dFile.h"
#include "model/securing/SNormParams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RegularFilesOnlyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qor_regular_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // The things that are not regular files, under the name a reader expects.
    std::vector<std::pair<const char*, fs::path>> NotFiles(const std::string& name) const
    {
        for (const char* kind : {"pipe-", "zero-", "folder-"})
            fs::remove(m_dir / (kind + name));
        const fs::path pipe = m_dir / ("pipe-" + name);
        EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
        const fs::path zero = m_dir / ("zero-" + name);
        fs::create_symlink("/dev/zero", zero);
        const fs::path folder = m_dir / ("folder-" + name);
        fs::create_directories(folder);
        return {{"named pipe", pipe}, {"/dev/zero", zero}, {"folder", folder}};
    }

    fs::path m_dir;
};

TEST_F(RegularFilesOnlyTest, EveryReaderRefusesAPipeADeviceAndAFolderAtOnce)
{
    struct Reader
    {
        const char* name;
        const char* fileName;
        std::function<bool(const fs::path&)> reads; // true when the reader took the path as its file
    };
    const Reader readers[] = {
        {"open for reading", "lkw.qor",
         [](const fs::path& p) { return LockedFile::Open(p, LockedFile::Mode::Read) != nullptr; }},
        {"open for writing", "lkw.qor",
         [](const fs::path& p) { return LockedFile::Open(p, LockedFile::Mode::ReadWrite) != nullptr; }},
        {"exclusive probe", "lkw.qor", [](const fs::path& p) { return LockedFile::CanOpenExclusively(p); }},
        {"whole file", "x.bin",
         [](const fs::path& p) {
             std::vector<std::uint8_t> data;
             return LockedFile::ReadFile(p, data, 1 << 20);
         }},
        {"vehicle file", "lkw.qor",
         [](const fs::path& p) { return ReadFileFahrzeugTyp(p, 0, nullptr) >= 0; }},
        {"catalogue item", "kiste.lgs",
         [](const fs::path& p) {
             tagItemData item;
             return LoadItemDataFile(p, item);
         }},
        {"app states", "AppParams.ser",
         [](const fs::path& p) {
             AppStateMap map;
             return LoadAppStateParams(p, map);
         }},
        {"coefficient set", "CustomNormParams.ser",
         [](const fs::path& p) {
             SNormParams set;
             return CustomNormParamsFile::Load(p, &set) == CustomNormParamsFile::Status::kGelesen;
         }},
        {"3D model", "teil.q3d",
         [](const fs::path& p) {
             Q3dModel model;
             std::string error;
             return Q3dFile::ReadFile(p.string(), model, error);
         }},
        {"picture size", "bild.png", [](const fs::path& p) { return ReadPngSize(p).has_value(); }},
    };
    for (const Reader& r : readers) {
        SCOPED_TRACE(r.name);
        for (const auto& [kind, path] : NotFiles(r.fileName)) {
            SCOPED_TRACE(kind);
            EXPECT_FALSE(r.reads(path));
        }
    }
}

TEST_F(RegularFilesOnlyTest, AFileLongerThanTheLimitIsRefusedUnread)
{
    // A sparse file of 300 MB takes no room on the disk; reading it whole would take its length in memory.
    const fs::path big = m_dir / "gross.kmb";
    {
        std::ofstream(big, std::ios::binary).put('x');
    }
    fs::resize_file(big, std::size_t{300} << 20);
    std::vector<std::uint8_t> data;
    std::string error;
    EXPECT_FALSE(LockedFile::ReadFile(big, data, LockedFile::kReadLimit, &error));
    EXPECT_NE(error.find("longer than"), std::string::npos) << error;
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(ReadFileFahrzeugTyp(big, 0, nullptr), -1);

    // Up to the limit a file is read whole, and a header reader takes only what it asks for.
    const fs::path small = m_dir / "klein.bin";
    {
        std::ofstream(small, std::ios::binary) << "0123456789";
    }
    EXPECT_TRUE(LockedFile::ReadFile(small, data, 10));
    EXPECT_EQ(data.size(), 10u);
    EXPECT_FALSE(LockedFile::ReadFile(small, data, 9));
    EXPECT_TRUE(LockedFile::ReadStart(small, 4, data));
    EXPECT_EQ(std::string(data.begin(), data.end()), "0123");
    EXPECT_TRUE(LockedFile::ReadStart(small, 40, data));
    EXPECT_EQ(data.size(), 10u);
}

} // namespace
