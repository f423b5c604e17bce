// For the targets whose readers take a path: the input written to a file of this process.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A folder of this process, in memory where the system has /dev/shm (a file per input on a disk costs
// more than the reading), made on first use, reused for every input and removed at the end.
inline const std::filesystem::path& FuzzFolder()
{
    struct Folder
    {
        std::filesystem::path path;
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder{[] {
        const char* tmp = std::getenv("TMPDIR");
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm"
                                           : tmp && *tmp                                 ? tmp
                                                                                         : "/tmp";
        const std::filesystem::path p = base / ("qor-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }()};
    return folder.path;
}

// Writes `size` bytes of `data` as the file `name` of the folder and answers its path.
inline std::filesystem::path WriteFuzzFile(const std::string& name, const std::uint8_t* data,
                                           std::size_t size)
{
    const std::filesystem::path path = FuzzFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
