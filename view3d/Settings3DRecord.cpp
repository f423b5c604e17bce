// The 3D settings record: value checks, strict reading and all-or-nothing writing.
#include "view3d/Settings3DRecord.h"

#include "platform/RegularFile.h"

#include <QFile>

#include <algorithm>

namespace {

using GlSettings::Field;

template <std::size_t N> bool OneOf(std::uint32_t value, const std::array<std::uint32_t, N>& values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool Fail(QString* why, const QString& text)
{
    if (why)
        *why = text;
    return false;
}

} // namespace

QString Settings3DRecord::FormatName(std::uint32_t format)
{
    switch (format) {
    case 20:
        return QStringLiteral("R8G8B8");
    case 21:
        return QStringLiteral("A8R8G8B8");
    case 22:
        return QStringLiteral("X8R8G8B8");
    case 23:
        return QStringLiteral("R5G6B5");
    case 24:
        return QStringLiteral("X1R5G5B5");
    case 25:
        return QStringLiteral("A1R5G5B5");
    case 35:
        return QStringLiteral("A2R10G10B10");
    case 70:
        return QStringLiteral("D16_LOCKABLE");
    case 71:
        return QStringLiteral("D32");
    case 73:
        return QStringLiteral("D15S1");
    case 75:
        return QStringLiteral("D24S8");
    case 77:
        return QStringLiteral("D24X8");
    case 79:
        return QStringLiteral("D24X4S4");
    case 80:
        return QStringLiteral("D16");
    default:
        return {};
    }
}

bool Settings3DRecord::Check(const GlSettingsRecord& r, QString* why)
{
    const std::uint32_t device = Field(r, kDeviceType);
    if (device != kHardware && device != kSoftware)
        return Fail(why, QStringLiteral("the device type %1 is unknown").arg(device));
    if (Field(r, kWindowed) > 1)
        return Fail(why, QStringLiteral("the window mode %1 is unknown").arg(Field(r, kWindowed)));
    const std::uint32_t width = Field(r, kWidth), height = Field(r, kHeight);
    if (width == 0 || height == 0 || width > 16384 || height > 16384)
        return Fail(why, QStringLiteral("the display size %1 x %2 is not possible").arg(width).arg(height));
    if (Field(r, kRefresh) > 1000)
        return Fail(why, QStringLiteral("the refresh rate %1 Hz is not possible").arg(Field(r, kRefresh)));
    if (!OneOf(Field(r, kDisplayFormat), kDisplayFormats))
        return Fail(why, QStringLiteral("the display format %1 is unknown").arg(Field(r, kDisplayFormat)));
    if (!OneOf(Field(r, kBackBufferFormat), kBackBufferFormats))
        return Fail(why,
                    QStringLiteral("the back-buffer format %1 is unknown").arg(Field(r, kBackBufferFormat)));
    if (!OneOf(Field(r, kDepthFormat), kDepthFormats))
        return Fail(why,
                    QStringLiteral("the depth-stencil format %1 is unknown").arg(Field(r, kDepthFormat)));
    const std::uint32_t samples = Field(r, kMultiSample);
    if (samples == 1 || samples > kMaxSamples)
        return Fail(why, QStringLiteral("the multisample type %1 is unknown").arg(samples));
    if (Field(r, kQuality) >= kMaxQuality)
        return Fail(why,
                    QStringLiteral("the multisample quality %1 is not possible").arg(Field(r, kQuality)));
    const std::uint32_t flags = Field(r, kFlags);
    if (flags != (kMultithreaded | kHardwareVertexProcessing) &&
        flags != (kMultithreaded | kSoftwareVertexProcessing))
        return Fail(why, QStringLiteral("the device flags %1 are unknown").arg(flags));
    const std::uint32_t rate = Field(r, kSampleRate);
    if (rate != 11025 && rate != 22050 && rate != 44100)
        return Fail(why, QStringLiteral("the audio sample rate %1 is unknown").arg(rate));
    if (Field(r, kBits) != 8 && Field(r, kBits) != 16)
        return Fail(why, QStringLiteral("the audio sample size %1 is unknown").arg(Field(r, kBits)));
    return true;
}

bool Settings3DRecord::Load(const QString& path, GlSettingsRecord* record, QString* why)
{
    // A regular file only: a named pipe or a device in its place is refused without waiting.
    QByteArray bytes;
    QString error;
    if (!ReadRegularFile(path, kSize, &bytes, &error))
        return Fail(why, error);
    if (bytes.size() != kSize)
        return Fail(why,
                    QStringLiteral("the file holds %1 bytes instead of %2").arg(bytes.size()).arg(kSize));
    GlSettingsRecord read{};
    std::copy(bytes.begin(), bytes.end(), read.begin());
    if (!Check(read, why))
        return false;
    if (record)
        *record = read;
    return true;
}

bool Settings3DRecord::Save(const QString& path, const GlSettingsRecord& record, QString* why)
{
    // A link in the record's place is replaced by the record, never written through.
    QString error;
    if (!WriteRegularFile(path, QByteArray(reinterpret_cast<const char*>(record.data()), kSize), &error))
        return Fail(why, error);
    return true;
}

void Settings3DRecord::ApplyDeviceRule(GlSettingsRecord& record)
{
    const std::uint32_t flags = Field(record, kFlags);
    if (Field(record, kDeviceType) != kHardware && (flags & kSoftwareVertexProcessing) == 0)
        GlSettings::SetField(record, kFlags,
                             (flags & ~kHardwareVertexProcessing) | kSoftwareVertexProcessing);
}
