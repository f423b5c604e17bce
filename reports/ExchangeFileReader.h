// Reads exchange files (layout in ExchangeFileWriter.h): the vehicle file root and its pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CImpExp;

struct ExchangePicture
{
    std::string name;
    std::vector<std::uint8_t> data; // empty for a picture the sender could not read
};

class ExchangeFileReader
{
public:
    // The longest exchange file read: a vehicle file and the pictures it names.
    static constexpr std::size_t kGroessteDatei = std::size_t{256} << 20;

    // Checks and reads a whole exchange file. Refused (false, `error` says why): another format number,
    // a root that does not read, a count or size larger than the bytes left, a name that is not a bare
    // file name or occurs twice, bytes after the last picture.
    static bool Parse(std::span<const std::uint8_t> data, CImpExp& root,
                      std::vector<ExchangePicture>& pictures, std::string& error);

    // Reads `file` (a regular file of at most kGroessteDatei bytes) and writes its pictures into
    // `pictureFolder`: a picture not there yet is written, an identical one is left, a different existing one
    // is never overwritten (its name goes to `kept`). Nothing is written when the file is refused.
    static bool Read(const std::filesystem::path& file, const std::filesystem::path& pictureFolder,
                     CImpExp& root, std::vector<std::string>& kept, std::string& error);
};
