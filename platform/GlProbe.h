// Whether an OpenGL 3.3 core context can be made here, and the saved 72-byte 3D settings record it
// reads first and writes after a probe by enumeration.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

struct GlProbeResult
{
    enum class Status
    {
        Ok,        // a context was made
        NoContext, // no context with any of the settings tried: run without 3D
        NoScreen,  // no screen at all: the program cannot start
    };
    Status status = Status::NoContext;
    double refreshRate = 0.0; // of the primary screen, Hz; 0 when unknown
    int samples = 0;          // multisampling of the context made
    bool fromSavedRecord = false;
    bool recordWritten = false;
};

// The 3D settings record, 72 bytes, little-endian: adapter, device type, windowed, mode (width,
// height, refresh rate, format), back-buffer and depth-stencil formats, multisample type and quality,
// creation flags, then audio fields (device identifier, sample rate, bits).
using GlSettingsRecord = std::array<std::uint8_t, 72>;

namespace GlSettings {
inline constexpr int kSamplesOffset = 36;
inline constexpr int kRefreshOffset = 20;
// Reads/writes one 32-bit little-endian field of the record.
std::uint32_t Field(const GlSettingsRecord& record, int offset);
void SetField(GlSettingsRecord& record, int offset, std::uint32_t value);
// The record for a context made with `samples` on a screen of that size and refresh rate.
GlSettingsRecord Make(int width, int height, int refreshRate, int samples);
} // namespace GlSettings

// Tries the record of `recordFile` first (when it holds exactly 72 bytes), then an OpenGL 3.3 core
// context with depth 24, stencil 8 and 4, 3, 2 and 0 samples (0 alone on Mesa's software rasteriser) on
// an offscreen surface; the first that works is kept and, when found by trying, written to `recordFile`.
// Needs a QGuiApplication.
GlProbeResult ProbeOpenGL(const QString& recordFile);
