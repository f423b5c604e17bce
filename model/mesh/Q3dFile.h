// Reader and writer of the program's own binary model files (".q3d").
//
// Layout, little-endian: magic "Q3DM", u32 version (1), u32 part count; per part: u16 name length and
// UTF-8 name, u8 pass (0 opaque, 1 blended), four f32 colour (r, g, b, a), u16 texture name length and
// name, u32 vertex count and per vertex eight f32 (position, normal, u, v), u32 index count and u32
// indices. Nothing may follow the last part.
#pragma once

#include "model/mesh/Q3dModel.h"

#include <cstdint>
#include <string>
#include <vector>

class Q3dFile
{
public:
    static constexpr std::uint32_t VERSION = 1;
    // Limits that keep a damaged file from asking for absurd amounts of memory.
    static constexpr std::uint32_t MAX_PARTS = 256;
    static constexpr std::uint32_t MAX_VERTICES = 1u << 20;
    static constexpr std::uint32_t MAX_INDICES = 3u << 20;

    // Parses `bytes` into `model`. On failure answers false, leaves `model` empty and says why in `error`.
    static bool Read(const std::vector<std::uint8_t>& bytes, Q3dModel& model, std::string& error);
    // The file's bytes; a model that a reader would refuse (bad index, over a limit) gives an empty vector.
    static std::vector<std::uint8_t> Write(const Q3dModel& model);

    // Whole-file helpers; the error names the path.
    static bool ReadFile(const std::string& path, Q3dModel& model, std::string& error);
    // Writes through a temporary file renamed over the target.
    static bool WriteFile(const std::string& path, const Q3dModel& model, std::string& error);

    // Why `model` cannot be written, or empty when it can.
    static std::string Check(const Q3dModel& model);
};
