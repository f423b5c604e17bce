// An open model file with an advisory write lock.
#include "model/base/LockedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void SetError(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
}

} // namespace

std::unique_ptr<LockedFile> LockedFile::Open(const std::filesystem::path& path, Mode mode, std::string* error)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::ReadWrite:
        flags |= O_RDWR;
        break;
    case Mode::CreateNew:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        SetError(error, "cannot open " + path.string());
        return nullptr;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error)
            *error = path.string() + " is not a file";
        ::close(fd);
        return nullptr;
    }
    if (mode != Mode::Read && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        SetError(error, path.string() + " is open for writing elsewhere");
        ::close(fd);
        if (mode == Mode::CreateNew)
            std::filesystem::remove(path);
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, fd, mode));
}

bool LockedFile::CanOpenForWriting(const std::filesystem::path& path)
{
    return Open(path, Mode::ReadWrite) != nullptr;
}

LockedFile::~LockedFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

bool LockedFile::ReadAll(std::vector<std::uint8_t>& out, std::string* error) const
{
    out.clear();
    std::uint8_t buffer[4096];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(m_fd, buffer, sizeof buffer, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetError(error, "cannot read " + m_path.string());
            return false;
        }
        if (n == 0)
            return true;
        out.insert(out.end(), buffer, buffer + n);
        at += n;
    }
}

bool LockedFile::WriteAll(std::span<const std::uint8_t> data, std::string* error)
{
    if (!IsWritable()) {
        if (error)
            *error = m_path.string() + " is open for reading only";
        return false;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(m_fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetError(error, "cannot write " + m_path.string());
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(m_fd, static_cast<off_t>(data.size())) != 0) {
        SetError(error, "cannot cut " + m_path.string() + " to its new length");
        return false;
    }
    if (::fsync(m_fd) != 0) {
        SetError(error, "cannot flush " + m_path.string());
        return false;
    }
    return true;
}
