// Reads the pixel size of a PNG file from its header.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

// Width and height from the PNG signature and IHDR chunk, or nothing when the file cannot be read or
// does not begin like a PNG.
std::optional<std::pair<int, int>> ReadPngSize(const std::filesystem::path& file);
