// The OpenGL probe and its saved 72-byte settings record.
#include "platform/GlProbe.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(GlProbeTest, RecordFieldsLieAtTheirOffsetsLittleEndian)
{
    const GlSettingsRecord record = GlSettings::Make(1920, 1080, 60, 4);
    EXPECT_EQ(record.size(), 72u);
    EXPECT_EQ(GlSettings::Field(record, 4), 1u); // hardware device
    EXPECT_EQ(GlSettings::Field(record, 8), 1u); // windowed
    EXPECT_EQ(GlSettings::Field(record, 12), 1920u);
    EXPECT_EQ(GlSettings::Field(record, 16), 1080u);
    EXPECT_EQ(GlSettings::Field(record, GlSettings::kRefreshOffset), 60u);
    EXPECT_EQ(GlSettings::Field(record, GlSettings::kSamplesOffset), 4u);
    EXPECT_EQ(GlSettings::Field(record, 44), 68u);
    EXPECT_EQ(record[12], 0x80); // 1920 = 0x0780, low byte first
    EXPECT_EQ(record[13], 0x07);
}

TEST(GlProbeTest, ProbeAnswersAndWritesTheRecordOnlyWhenAContextWasMade)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Direct3D.tbc"));
    const GlProbeResult result = ProbeOpenGL(file);
    ASSERT_NE(result.status, GlProbeResult::Status::NoScreen);
    if (result.status == GlProbeResult::Status::NoContext) {
        EXPECT_FALSE(QFile::exists(file)); // the offscreen platform has no OpenGL
        return;
    }
    EXPECT_TRUE(result.recordWritten);
    EXPECT_EQ(QFile(file).size(), 72);
    const GlProbeResult again = ProbeOpenGL(file);
    EXPECT_EQ(again.status, GlProbeResult::Status::Ok);
    EXPECT_TRUE(again.fromSavedRecord);
}

TEST(GlProbeTest, ADamagedRecordIsIgnoredAndLeftAlone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Direct3D.tbc"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("short");
    }
    const GlProbeResult result = ProbeOpenGL(file);
    EXPECT_FALSE(result.fromSavedRecord);
    if (result.status == GlProbeResult::Status::NoContext)
        EXPECT_EQ(QFile(file).size(), 5);
    else
        EXPECT_EQ(QFile(file).size(), 72);
}

} // namespace
