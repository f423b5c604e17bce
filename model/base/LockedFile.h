// An open model file. A file opened for writing holds an advisory exclusive lock (flock) for as long as
// it stays open, so a second writer cannot open it; readers take no lock and always get in. Every write
// is all-or-nothing: the new content goes to a new file beside the old one, which replaces it by a rename
// only once it is complete on the disk, so a write that fails or is killed leaves the old content.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
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

    // A fault planted in the next writes, for tests: it strikes once `afterBytes` bytes of the new
    // content are on the disk, or, when `afterBytes` is larger than the content, right after the new
    // file has replaced the old one.
    struct WriteFault
    {
        enum class Action
        {
            Fail, // the write fails there and cleans up, as it does on a disk error
            Stop, // the write ends there without cleaning up, as if the process had died
            Call, // `call` runs there and the write goes on
        };
        std::size_t afterBytes = 0;
        Action action = Action::Fail;
        std::function<void()> call;
    };
    static void SetWriteFault(std::optional<WriteFault> fault);

    // The open file, or null with `error` telling why. Only a regular file is opened: a named pipe, a
    // device or a folder at `path` is refused at once, without waiting for a writer or reading from it.
    static std::unique_ptr<LockedFile> Open(const std::filesystem::path& path, Mode mode,
                                            std::string* error = nullptr);
    // A new file at `path` holding `data`, open for writing; fails when the path exists. The file appears
    // only once it is complete.
    static std::unique_ptr<LockedFile> Create(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> data,
                                              std::string* error = nullptr);
    // Writes the whole file at `path`, replacing it when it exists (unless another writer holds it).
    static bool WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                          std::string* error = nullptr);
    // Writes the whole file at `path` as WriteFile does, except that a link there (dangling or not) is
    // not followed: the new file replaces the link, whose target is left as it is.
    static bool WriteFileReplacingLink(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                                       std::string* error = nullptr);
    // True when the file exists and no other writer holds it (it can be opened for writing now).
    static bool CanOpenForWriting(const std::filesystem::path& path);
    // True when the file exists, can be opened for reading and no other writer holds it (a reader that
    // keeps others out could open it now). Needs no write permission.
    static bool CanOpenExclusively(const std::filesystem::path& path);

    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    const std::filesystem::path& GetPath() const { return m_path; }
    bool IsWritable() const { return m_mode != Mode::Read; }

    // The whole content, read from the start; fails for a file longer than `limit` bytes.
    bool ReadAll(std::vector<std::uint8_t>& out, std::string* error = nullptr,
                 std::size_t limit = kReadLimit) const;
    // Reads the whole regular file at `path` (opened as Open does, for reading); fails for anything else
    // and for a file longer than `limit` bytes.
    static bool ReadFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, std::size_t limit,
                         std::string* error = nullptr);

    // The first `count` bytes of the regular file at `path` (fewer when it is shorter), for readers of a
    // file's header.
    static bool ReadStart(const std::filesystem::path& path, std::size_t count,
                          std::vector<std::uint8_t>& out);

    // The longest file ReadAll reads unless told otherwise.
    static constexpr std::size_t kReadLimit = std::size_t{256} << 20;
    // Replaces the whole content all-or-nothing, keeping the file's permissions; the write lock moves to
    // the new file with it. On failure the old content stays. Fails for a file not open for writing.
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
