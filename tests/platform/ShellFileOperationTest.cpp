// Copy, move, rename and delete on a temporary tree.
#include "platform/ShellFileOperation.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class ShellFileOperationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString();
        fs::create_directories(m_root / "src/sub");
        fs::create_directories(m_root / "dst");
        Write("src/a.txt", "alpha");
        Write("src/sub/b.txt", "beta");
    }
    void Write(const std::string& rel, const std::string& data) { std::ofstream(m_root / rel) << data; }
    std::string Read(const std::string& rel)
    {
        std::ifstream in(m_root / rel);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string P(const std::string& rel) const { return (m_root / rel).string(); }

    QTemporaryDir m_dir;
    fs::path m_root;
};

TEST_F(ShellFileOperationTest, CopyMoveRenameAndDeleteDoWhatTheySay)
{
    EXPECT_EQ(ShellFileOperation(P("src/a.txt"), P("dst"), FO_COPY, 0), 0);
    EXPECT_EQ(Read("dst/a.txt"), "alpha");
    EXPECT_EQ(Read("src/a.txt"), "alpha");

    Write("dst/a.txt", "old");
    EXPECT_EQ(ShellFileOperation(P("src/a.txt"), P("dst/a.txt"), FO_COPY, 0), 0) << "replaces without asking";
    EXPECT_EQ(Read("dst/a.txt"), "alpha");

    EXPECT_EQ(ShellFileOperation(P("src/sub"), P("dst"), FO_COPY, 0), 0);
    EXPECT_EQ(Read("dst/sub/b.txt"), "beta");

    EXPECT_EQ(ShellFileOperation(P("src/sub"), P("dst/moved"), FO_MOVE, 0), 0);
    EXPECT_EQ(Read("dst/moved/b.txt"), "beta");
    EXPECT_FALSE(fs::exists(m_root / "src/sub"));

    EXPECT_EQ(ShellFileOperation(P("src/a.txt"), "renamed.txt", FO_RENAME, 0), 0);
    EXPECT_EQ(Read("src/renamed.txt"), "alpha");

    EXPECT_EQ(ShellFileOperation(P("dst"), "", FO_DELETE, 0), 0);
    EXPECT_FALSE(fs::exists(m_root / "dst"));
}

TEST_F(ShellFileOperationTest, UndoableDeleteGoesToTheTrash)
{
    ASSERT_EQ(ShellFileOperation(P("src/a.txt"), "", FO_DELETE, FOF_ALLOWUNDO), 0);
    EXPECT_FALSE(fs::exists(m_root / "src/a.txt"));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QStringLiteral("/Trash/files/a.txt");
    EXPECT_TRUE(QFile::exists(trash)) << trash.toStdString();
}

TEST_F(ShellFileOperationTest, AnUndoableDeleteWithoutAUsableTrashKeepsTheFile)
{
    // A file where the user's trash folder belongs: the trash cannot be made.
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const fs::path data = m_root / "data";
    fs::create_directories(data);
    Write("data/Trash", "not a folder");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.string()));
    const QString oldCwd = QDir::currentPath();
    fs::create_directories(m_root / "cwd");
    QDir::setCurrent(QString::fromStdString((m_root / "cwd").string()));

    const int result = ShellFileOperation(P("src/a.txt"), "", FO_DELETE, FOF_ALLOWUNDO);

    QDir::setCurrent(oldCwd);
    qputenv("XDG_DATA_HOME", oldData);
    EXPECT_EQ(result, SFO_TRASH_FAILED);
    EXPECT_EQ(Read("src/a.txt"), "alpha");
    EXPECT_TRUE(fs::is_empty(m_root / "cwd")) << "nothing is left in a stand-in trash";
    EXPECT_EQ(Read("data/Trash"), "not a folder");
}

TEST_F(ShellFileOperationTest, FailuresAnswerADistinctCodeAndChangeNothing)
{
    struct Case
    {
        const char* name;
        std::string source, target;
        unsigned op;
        int expected;
    };
    const std::string longName = P("src/") + std::string(300, 'n');
    const Case cases[] = {
        {"missing source", P("src/none.txt"), P("dst"), FO_COPY, SFO_SOURCE_MISSING},
        {"folder into itself", P("src"), P("src/sub"), FO_COPY, SFO_TARGET_INSIDE_SOURCE},
        {"folder moved into itself", P("src"), P("src/sub"), FO_MOVE, SFO_TARGET_INSIDE_SOURCE},
        {"unknown operation", P("src/a.txt"), P("dst"), 9, SFO_UNKNOWN_OPERATION},
        {"over-long name", longName, P("dst"), FO_COPY, ENAMETOOLONG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int result = ShellFileOperation(c.source, c.target, c.op, 0);
        EXPECT_EQ(result, c.expected);
        EXPECT_FALSE(ShellFileOperationErrorText(result).empty());
        EXPECT_EQ(Read("src/a.txt"), "alpha");
        EXPECT_EQ(Read("src/sub/b.txt"), "beta");
    }
}

} // namespace
