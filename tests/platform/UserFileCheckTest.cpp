// The check of lock files before Qt reads them: only a lock that a running instance of this program on
// this machine holds is left; everything else in a lock's place is stale at once.
#include "platform/UserFileCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QByteArray OwnName()
{
    return QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

// The lines QLockFile writes, for the given process, program and host.
QByteArray LockLines(qint64 pid, const QByteArray& program, const QString& host,
                     const QByteArray& boot = QSysInfo::bootUniqueId())
{
    return QByteArray::number(pid) + '\n' + program + '\n' + host.toUtf8() + '\n' +
           QSysInfo::machineUniqueId() + '\n' + boot + '\n';
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(UserFileCheckTest, AForeignOrUnreadableLockIsRemovedAtOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lock = dir.filePath(QStringLiteral("QOR.conf.lock"));
    const qint64 own = QCoreApplication::applicationPid();
    const QString host = QSysInfo::machineHostName();
    // A process that has ended: its number names nobody now.
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    struct Case
    {
        const char* name;
        QByteArray content;
    };
    const Case cases[] = {
        {"8 bytes of text", "garbage\n"},
        {"8 digits without an end of line", "12345678"},
        {"empty", ""},
        {"another host", LockLines(own, OwnName(), QStringLiteral("other-host.example"))},
        {"another program", LockLines(own, "another-program", host)},
        {"a process that is gone", LockLines(gone, OwnName(), host)},
        {"an earlier boot", LockLines(own, OwnName(), host, "an-earlier-boot")},
        {"a number that is no process", LockLines(-4, OwnName(), host)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(lock, c.content);
        EXPECT_TRUE(RemoveForeignLockFile(lock));
        EXPECT_FALSE(QFileInfo::exists(lock));
    }

    // A link in the lock's place goes as a link, even to a lock of ours: its target stays.
    const QString target = dir.filePath(QStringLiteral("elsewhere.lock"));
    Put(target, LockLines(own, OwnName(), host));
    ASSERT_TRUE(QFile::link(target, lock));
    EXPECT_TRUE(RemoveForeignLockFile(lock));
    EXPECT_FALSE(QFileInfo(lock).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(target));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), lock));
    EXPECT_TRUE(RemoveForeignLockFile(lock));
    EXPECT_FALSE(QFileInfo(lock).isSymLink());

    // Nothing there: nothing to do.
    EXPECT_FALSE(RemoveForeignLockFile(lock));
}

TEST(UserFileCheckTest, ALockOfARunningInstanceHereIsRespected)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lock = dir.filePath(QStringLiteral("QOR.conf.lock"));
    {
        // This process is a running instance of its program on this machine.
        QLockFile held(lock);
        ASSERT_TRUE(held.tryLock(0));
        EXPECT_FALSE(RemoveForeignLockFile(lock));
        EXPECT_TRUE(QFileInfo::exists(lock));
        QLockFile other(lock);
        other.setStaleLockTime(0);
        EXPECT_FALSE(other.tryLock(0)) << "the lock still holds";
    }
    EXPECT_FALSE(QFileInfo::exists(lock));

    // A lock file that its maker holds but has not written yet is a lock being made.
    const int fd = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(RemoveForeignLockFile(lock));
    EXPECT_TRUE(QFileInfo::exists(lock));
    ::close(fd);
    EXPECT_TRUE(RemoveForeignLockFile(lock)) << "no longer held, the empty file is stale";
}
