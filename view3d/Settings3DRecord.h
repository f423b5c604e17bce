// The 72-byte 3D settings record: its fields, the values they may hold, and reading and writing it whole.
#pragma once

#include "platform/GlProbe.h"

#include <QString>

#include <array>
#include <cstdint>

class Settings3DRecord
{
public:
    static constexpr int kSize = 72;
    // Field offsets.
    static constexpr int kAdapter = 0;
    static constexpr int kDeviceType = 4;
    static constexpr int kWindowed = 8;
    static constexpr int kMode = 12; // width, height, refresh rate, format: 16 bytes
    static constexpr int kModeSize = 16;
    static constexpr int kWidth = 12;
    static constexpr int kHeight = 16;
    static constexpr int kRefresh = 20;
    static constexpr int kDisplayFormat = 24;
    static constexpr int kBackBufferFormat = 28;
    static constexpr int kDepthFormat = 32;
    static constexpr int kMultiSample = 36;
    static constexpr int kQuality = 40;
    static constexpr int kFlags = 44;
    static constexpr int kAudioDevice = 48;
    static constexpr int kSampleRate = 64;
    static constexpr int kBits = 68;

    static constexpr std::uint32_t kHardware = 1;
    static constexpr std::uint32_t kSoftware = 3;
    static constexpr std::uint32_t kMultithreaded = 4;
    static constexpr std::uint32_t kSoftwareVertexProcessing = 32;
    static constexpr std::uint32_t kHardwareVertexProcessing = 64;

    // Colour formats of the display, in the order the display modes are looked for.
    static constexpr std::array<std::uint32_t, 4> kDisplayFormats = {22, 20, 23, 24};
    // Back-buffer formats in the order they are offered: A2R10G10B10, X8R8G8B8, A8R8G8B8, R5G6B5,
    // X1R5G5B5, A1R5G5B5.
    static constexpr std::array<std::uint32_t, 6> kBackBufferFormats = {35, 22, 21, 23, 24, 25};
    // Depth-stencil formats in the order they are offered: D32, D24X8, D24S8, D24X4S4, D16, D16_LOCKABLE,
    // D15S1.
    static constexpr std::array<std::uint32_t, 7> kDepthFormats = {71, 77, 75, 79, 80, 70, 73};
    static constexpr int kMaxSamples = 16;
    static constexpr int kMaxQuality = 256;

    // The name of a colour or depth format ("X8R8G8B8", "D24S8"); empty for an unknown one.
    static QString FormatName(std::uint32_t format);

    // Whether every field holds a value the record may hold; otherwise false with the field named in `why`.
    static bool Check(const GlSettingsRecord& record, QString* why = nullptr);
    // Reads a record file: exactly 72 bytes with known values. On any failure `*record` is left as it was
    // and `why` says what was wrong.
    static bool Load(const QString& path, GlSettingsRecord* record, QString* why = nullptr);
    // Writes the record all or nothing: a failure leaves an existing file as it was. A link at `path`
    // is replaced by the record, its target is not touched.
    static bool Save(const QString& path, const GlSettingsRecord& record, QString* why = nullptr);
    // A device other than the hardware one always works with software vertex processing.
    static void ApplyDeviceRule(GlSettingsRecord& record);
};
