// Reading and writing whole files on the Qt side: regular files only, up to the caller's limit when
// read, all-or-nothing and never through a link when written.
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

TEST(RegularFileTest, ReadsARegularFileUpToTheLimitAndNothingElse)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("text.txt"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("0123456789");
    }
    QByteArray bytes;
    QString why;
    EXPECT_TRUE(ReadRegularFile(file, 10, &bytes, &why)) << why.toStdString();
    EXPECT_EQ(bytes, QByteArray("0123456789"));
    EXPECT_FALSE(ReadRegularFile(file, 9, &bytes, &why));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(why.isEmpty());

    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    for (const QString& path : {pipe, zero, dir.path(), dir.filePath(QStringLiteral("missing"))}) {
        SCOPED_TRACE(path.toStdString());
        why.clear();
        EXPECT_FALSE(ReadRegularFile(path, 1 << 20, &bytes, &why));
        EXPECT_FALSE(why.isEmpty());
    }
}

// A write replaces whatever entry stands at the path, a link as a link: nothing is ever written through
// one, whether it leads to a file or nowhere.
TEST(RegularFileTest, WritesAllOrNothingAndReplacesALinkInsteadOfWritingThroughIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString other = elsewhere + QStringLiteral("/other.bin");
    {
        QFile out(other);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("the user's own");
    }
    struct Case
    {
        const char* name;
        const char* linkTo; // below the temporary folder; null: no link at the path
    };
    const Case cases[] = {
        {"new file", nullptr},
        {"link to a file", "elsewhere/other.bin"},
        {"link that leads nowhere", "elsewhere/absent.bin"},
        {"link into a folder that does not exist", "missing/absent.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("record.bin"));
        QFile::remove(path);
        if (c.linkTo) {
            ASSERT_TRUE(QFile::link(dir.filePath(QString::fromLatin1(c.linkTo)), path));
        }
        QString why;
        EXPECT_TRUE(WriteRegularFile(path, "new content", &why)) << why.toStdString();
        const QFileInfo written(path);
        EXPECT_FALSE(written.isSymLink());
        EXPECT_TRUE(written.isFile());
        QByteArray bytes;
        EXPECT_TRUE(ReadRegularFile(path, 100, &bytes));
        EXPECT_EQ(bytes, QByteArray("new content"));
        EXPECT_TRUE(ReadRegularFile(other, 100, &bytes));
        EXPECT_EQ(bytes, QByteArray("the user's own"));
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("other.bin")});
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    }

    // A replaced regular file keeps its permissions; a pipe or a folder at the path is refused.
    const QString path = dir.filePath(QStringLiteral("record.bin"));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::chmod(native.constData(), 0640), 0);
    EXPECT_TRUE(WriteRegularFile(path, "again"));
    struct stat st
    {
    };
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString& refused : {pipe, elsewhere}) {
        SCOPED_TRACE(refused.toStdString());
        QString why;
        EXPECT_FALSE(WriteRegularFile(refused, "x", &why));
        EXPECT_FALSE(why.isEmpty());
    }
}

// A write that fails on the way names the reason the system gave, and leaves the old file as it was.
TEST(RegularFileTest, AFailedWriteNamesTheSystemsReasonAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(WriteRegularFile(path, "old"));
    // The largest file this process may write, as a full disk would stop it (the error is "File too large").
    struct rlimit before
    {
    };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto formerSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString why;
    const bool written = WriteRegularFile(path, QByteArray(64 * 1024, 'x'), &why);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, formerSignal);
    EXPECT_FALSE(written);
    EXPECT_TRUE(why.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << why.toStdString();
    QByteArray bytes;
    EXPECT_TRUE(ReadRegularFile(path, 100, &bytes));
    EXPECT_EQ(bytes, QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("report.pdf")});
}
