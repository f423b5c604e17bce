// The 3D settings record (fields, strict reading, whole writing) and its dialog over a scripted driver.
#include "platform/ResourceModule.h"
#include "ui/ScriptedMessageBoxService.h"
#include "view3d/CDlgSettings3D.h"
#include "view3d/Settings3DRecord.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

using GlSettings::Field;
using GlSettings::SetField;

GlSettingsRecord Valid()
{
    return GlSettings::Make(1280, 1024, 60, 4);
}

QByteArray Bytes(const GlSettingsRecord& r, int size = Settings3DRecord::kSize)
{
    QByteArray bytes(reinterpret_cast<const char*>(r.data()), Settings3DRecord::kSize);
    bytes.resize(size, '\0');
    return bytes;
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class Settings3DTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override { ResourceModule::SetCurrent(nullptr); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A driver with two colour formats; depth formats and sample counts differ between them.
    static AdapterCaps3D Caps(bool hardware = true)
    {
        AdapterCaps3D caps;
        caps.ok = true;
        caps.adapter = QStringLiteral("Test adapter");
        caps.hardware = hardware;
        caps.desktop = QSize(1280, 1024);
        caps.refresh = 60;
        caps.colourFormats = {22, 21};
        for (std::uint32_t depth : {75u, 77u, 80u}) {
            caps.depthFormats.insert({22, depth});
            for (int samples : {0, 2, 4})
                caps.sampleCounts.insert({22, depth, samples});
        }
        caps.depthFormats.insert({21, 75});
        caps.sampleCounts.insert({21, 75, 0});
        caps.sampleCounts.insert({21, 75, 4});
        return caps;
    }
    static void Select(CDlgSettings3D& dialog, int list, std::uint32_t value)
    {
        QComboBox* combo = dialog.List(list);
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->count(); ++i) {
            const QByteArray data = combo->itemData(i).toByteArray();
            std::uint32_t v = 0;
            std::memcpy(&v, data.constData(), 4);
            if (v == value) {
                combo->setCurrentIndex(i);
                return;
            }
        }
        FAIL() << "no item " << value << " in list " << list;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ResourceModule> m_module;
};

TEST_F(Settings3DTest, EachFieldLiesAtItsOffset)
{
    const GlSettingsRecord r = GlSettings::Make(1920, 1080, 75, 2);
    const struct
    {
        int offset;
        std::uint32_t value;
    } fields[] = {
        {Settings3DRecord::kAdapter, 0},        {Settings3DRecord::kDeviceType, 1},
        {Settings3DRecord::kWindowed, 1},       {Settings3DRecord::kWidth, 1920},
        {Settings3DRecord::kHeight, 1080},      {Settings3DRecord::kRefresh, 75},
        {Settings3DRecord::kDisplayFormat, 22}, {Settings3DRecord::kBackBufferFormat, 22},
        {Settings3DRecord::kDepthFormat, 75},   {Settings3DRecord::kMultiSample, 2},
        {Settings3DRecord::kQuality, 0},        {Settings3DRecord::kFlags, 68},
        {Settings3DRecord::kSampleRate, 44100}, {Settings3DRecord::kBits, 16},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.offset);
        EXPECT_EQ(Field(r, f.offset), f.value);
        // Little-endian bytes.
        EXPECT_EQ(r[static_cast<std::size_t>(f.offset)], f.value & 0xFF);
    }
    EXPECT_TRUE(Settings3DRecord::Check(r));
}

TEST_F(Settings3DTest, LoadAcceptsExactlyARecordWithKnownValues)
{
    const GlSettingsRecord before = GlSettings::Make(800, 600, 0, 0);
    const struct
    {
        const char* name;
        int offset; // a field to spoil, -1 for none
        std::uint32_t value;
        int size;
        bool accepted;
    } cases[] = {
        {"valid", -1, 0, 72, true},
        {"one byte short", -1, 0, 71, false},
        {"one byte more", -1, 0, 73, false},
        {"empty", -1, 0, 0, false},
        {"device type 2", Settings3DRecord::kDeviceType, 2, 72, false},
        {"windowed 2", Settings3DRecord::kWindowed, 2, 72, false},
        {"no width", Settings3DRecord::kWidth, 0, 72, false},
        {"back buffer 99", Settings3DRecord::kBackBufferFormat, 99, 72, false},
        {"depth 22", Settings3DRecord::kDepthFormat, 22, 72, false},
        {"1 sample", Settings3DRecord::kMultiSample, 1, 72, false},
        {"17 samples", Settings3DRecord::kMultiSample, 17, 72, false},
        {"flags 64 alone", Settings3DRecord::kFlags, 64, 72, false},
        {"software processing", Settings3DRecord::kFlags, 36, 72, true},
        {"rate 48000", Settings3DRecord::kSampleRate, 48000, 72, false},
        {"12 bits", Settings3DRecord::kBits, 12, 72, false},
        {"software device", Settings3DRecord::kDeviceType, 3, 72, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlSettingsRecord r = Valid();
        if (c.offset >= 0)
            SetField(r, c.offset, c.value);
        ASSERT_TRUE(Write(Path("case.tbc"), Bytes(r, c.size)));
        GlSettingsRecord loaded = before;
        QString why;
        EXPECT_EQ(Settings3DRecord::Load(Path("case.tbc"), &loaded, &why), c.accepted) << why.toStdString();
        EXPECT_EQ(loaded == r, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(loaded, before);
            EXPECT_FALSE(why.isEmpty());
        }
    }
    QString why;
    EXPECT_FALSE(Settings3DRecord::Load(Path("missing.tbc"), nullptr, &why));
    EXPECT_FALSE(why.isEmpty());
    // A named pipe or a device in the file's place is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo(Path("pipe.tbc").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("zero.tbc")));
    for (const char* name : {"pipe.tbc", "zero.tbc"}) {
        SCOPED_TRACE(name);
        why.clear();
        EXPECT_FALSE(Settings3DRecord::Load(Path(name), nullptr, &why));
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST_F(Settings3DTest, SaveWritesSeventyTwoBytesWholeOrNothing)
{
    const GlSettingsRecord r = Valid();
    ASSERT_TRUE(Settings3DRecord::Save(Path("saved.tbc"), r));
    EXPECT_EQ(QFile(Path("saved.tbc")).size(), 72);
    GlSettingsRecord back{};
    ASSERT_TRUE(Settings3DRecord::Load(Path("saved.tbc"), &back));
    EXPECT_EQ(back, r);
    // A folder that does not exist: nothing written, the reason given.
    QString why;
    EXPECT_FALSE(Settings3DRecord::Save(Path("no/such/folder.tbc"), r, &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST_F(Settings3DTest, ASoftwareDeviceEndsWithSoftwareVertexProcessing)
{
    const struct
    {
        std::uint32_t device, flags, expected;
    } cases[] = {{1, 68, 68}, {1, 36, 36}, {3, 68, 36}, {3, 36, 36}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device * 100 + c.flags);
        GlSettingsRecord r = Valid();
        SetField(r, Settings3DRecord::kDeviceType, c.device);
        SetField(r, Settings3DRecord::kFlags, c.flags);
        Settings3DRecord::ApplyDeviceRule(r);
        EXPECT_EQ(Field(r, Settings3DRecord::kFlags), c.expected);
    }
    // Through the dialog's OK, with hardware processing still checked.
    GlSettingsRecord record = Valid();
    CDlgSettings3D dialog(Caps(), &record, true);
    dialog.InitDialog();
    Select(dialog, CDlgSettings3D::kDeviceTypes, Settings3DRecord::kSoftware);
    ASSERT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("id_1214"))->isChecked());
    dialog.open();
    dialog.findChild<QPushButton*>(QStringLiteral("id_1203"))->click();
    EXPECT_EQ(dialog.result(), CDlgSettings3D::kEndOk);
    EXPECT_EQ(Field(record, Settings3DRecord::kDeviceType), Settings3DRecord::kSoftware);
    EXPECT_EQ(Field(record, Settings3DRecord::kFlags), 36u);
}

TEST_F(Settings3DTest, TheListsFollowTheDriverAndKeepWhatStillExists)
{
    GlSettingsRecord record = Valid();
    SetField(record, Settings3DRecord::kDepthFormat, 75);
    SetField(record, Settings3DRecord::kMultiSample, 2);
    CDlgSettings3D dialog(Caps(), &record, true);
    dialog.InitDialog();
    auto current = [&](int list) {
        const QByteArray data = dialog.List(list)->currentData().toByteArray();
        std::uint32_t v = 0;
        std::memcpy(&v, data.constData(), 4);
        return v;
    };
    EXPECT_EQ(dialog.List(CDlgSettings3D::kDepths)->count(), 3);
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/view3d"));
    EXPECT_TRUE(
        dialog.grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/view3d/dialog_device_settings.png")));
    EXPECT_EQ(current(CDlgSettings3D::kSamples), 2u);
    // A colour format with fewer depth formats and sample counts: D24S8 stays, 2 samples go.
    const struct
    {
        std::uint32_t colour;
        int depths;
        std::uint32_t depth;
        int sampleItems;
        std::uint32_t samples;
    } steps[] = {{21, 1, 75, 2, 0}, {22, 3, 75, 3, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.colour);
        Select(dialog, CDlgSettings3D::kBackBuffers, s.colour);
        EXPECT_EQ(dialog.List(CDlgSettings3D::kDepths)->count(), s.depths);
        EXPECT_EQ(current(CDlgSettings3D::kDepths), s.depth);
        EXPECT_EQ(dialog.List(CDlgSettings3D::kSamples)->count(), s.sampleItems);
        EXPECT_EQ(current(CDlgSettings3D::kSamples), s.samples);
        EXPECT_EQ(Field(dialog.DialogToRecord(), Settings3DRecord::kBackBufferFormat), s.colour);
    }
    // Without a hardware driver only the software device is offered.
    CDlgSettings3D software(Caps(false), &record, false);
    software.InitDialog();
    ASSERT_EQ(software.List(CDlgSettings3D::kDeviceTypes)->count(), 1);
    EXPECT_EQ(Field(software.DialogToRecord(), Settings3DRecord::kDeviceType), Settings3DRecord::kSoftware);
}

TEST_F(Settings3DTest, SaveThenLoadGivesTheSameSelections)
{
    GlSettingsRecord record = Valid();
    CDlgSettings3D dialog(Caps(), &record, true);
    dialog.InitDialog();
    Select(dialog, CDlgSettings3D::kDepths, 80);
    Select(dialog, CDlgSettings3D::kSamples, 4);
    dialog.findChild<QRadioButton*>(QStringLiteral("id_1215"))->setChecked(true);
    dialog.findChild<QRadioButton*>(QStringLiteral("id_1222"))->setChecked(true);
    ASSERT_TRUE(dialog.SaveTo(Path("mine.tbc")));
    EXPECT_EQ(QFile(Path("mine.tbc")).size(), 72);
    const GlSettingsRecord saved = dialog.DialogToRecord();

    GlSettingsRecord other = Valid();
    CDlgSettings3D second(Caps(), &other, true);
    second.InitDialog();
    EXPECT_NE(second.DialogToRecord(), saved);
    QString why;
    ASSERT_TRUE(second.LoadFrom(Path("mine.tbc"), &why)) << why.toStdString();
    EXPECT_EQ(second.DialogToRecord(), saved);
    EXPECT_EQ(other, saved);
    // A damaged file changes nothing and says why.
    ASSERT_TRUE(Write(Path("bad.tbc"), Bytes(Valid(), 71)));
    EXPECT_FALSE(second.LoadFrom(Path("bad.tbc"), &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(second.DialogToRecord(), saved);
}

TEST_F(Settings3DTest, WithoutAnOpenGLDriverTheDialogTellsSoAndAnswersOne)
{
    ScriptedMessageBoxService boxes;
    GlSettingsRecord record = Valid();
    EXPECT_EQ(ShowD3DSettingsDialog(nullptr, false, nullptr), 1);
    EXPECT_TRUE(boxes.Records().isEmpty());
    // The offscreen platform makes no OpenGL context.
    EXPECT_EQ(ShowD3DSettingsDialog(&record, true, nullptr), 1);
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records()[0].text, m_module->String(155));
    EXPECT_EQ(record, Valid());
}

} // namespace
