// Reading whole files on the Qt side: regular files only, up to the caller's limit.
#include "platform/RegularFile.h"

#include <QFile>
#include <QTemporaryDir>

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
