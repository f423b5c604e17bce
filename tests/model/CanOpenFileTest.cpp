// Asking whether a file can be opened: access and sharing against the other holders of the file.
#include "model/files/CanOpenFile.h"
#include "model/base/LockedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CanOpenFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qor_canopen_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        m_file = m_dir / "lkw.qor";
        std::ofstream(m_file) << "data";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(m_file, fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }
    fs::path m_dir;
    fs::path m_file;
};

} // namespace

TEST_F(CanOpenFileTest, OtherHoldersAndPermissions)
{
    using namespace OpenFlags;
    enum Holder
    {
        kNone,
        kReader,
        kWriter,
    };
    struct Case
    {
        const char* name;
        Holder holder;
        bool readOnly; // no write permission
        unsigned flags;
        bool expected;
    };
    const Case cases[] = {
        {"free, read denying others", kNone, false, kRead | kShareDenyRead, true},
        {"a reader elsewhere takes no lock", kReader, false, kRead | kShareDenyRead, true},
        {"a writer elsewhere keeps others out", kWriter, false, kRead | kShareDenyRead, false},
        {"a writer does not stop a plain read", kWriter, false, kRead | kShareDenyNone, true},
        {"a writer stops another writer", kWriter, false, kReadWrite, false},
        {"no write permission: exclusive read still works", kNone, true, kRead | kShareExclusive, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::permissions(m_file, c.readOnly ? fs::perms::owner_read
                                           : (fs::perms::owner_read | fs::perms::owner_write));
        std::unique_ptr<LockedFile> held;
        if (c.holder != kNone) {
            fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write);
            held = LockedFile::Open(m_file, c.holder == kWriter ? LockedFile::Mode::ReadWrite
                                                                : LockedFile::Mode::Read);
            ASSERT_TRUE(held);
        }
        EXPECT_EQ(CanOpenFile(m_file, c.flags), c.expected);
    }
    EXPECT_FALSE(CanOpenFile(m_dir / "fehlt.qor", OpenFlags::kRead | OpenFlags::kShareDenyRead));
    EXPECT_FALSE(CanOpenFile(m_dir, OpenFlags::kRead | OpenFlags::kShareDenyRead));
}
