// An open model file. A file opened for writing holds an advisory exclusive lock (flock) for as long as
// it stays open, so a second writer cannot open it; readers take no lock and always get in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

class LockedFile
{
public:
    enum class Mode
    {
        Read,      // read only; others may do anything
        ReadWrite, // an existing file, read and write; others may not write
        CreateNew, // a new file, read and write; fails when the path exists; others may not write
    };

    // The open file, or null with `error` telling why.
    static std::unique_ptr<LockedFile> Open(const std::filesystem::path& path, Mode mode,
                                            std::string* error = nullptr);
    // True when the file exists and no other writer holds it (it can be opened for writing now).
    static bool CanOpenForWriting(const std::filesystem::path& path);

    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    const std::filesystem::path& GetPath() const { return m_path; }
    bool IsWritable() const { return m_mode != Mode::Read; }

    // The whole content, read from the start.
    bool ReadAll(std::vector<std::uint8_t>& out, std::string* error = nullptr) const;
    // Replaces the whole content: writes from the start, cuts the file to the new length and flushes it
    // to the disk. Fails for a file not open for writing.
    bool WriteAll(std::span<const std::uint8_t> data, std::string* error = nullptr);

private:
    LockedFile(std::filesystem::path path, int fd, Mode mode)
        : m_path(std::move(path)), m_fd(fd), m_mode(mode)
    {
    }

    std::filesystem::path m_path;
    int m_fd = -1;
    Mode m_mode;
};
