// An open model file with an advisory write lock, written all-or-nothing.
#include "model/base/LockedFile.h"
#include "model/base/LockedFileLeftovers.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::optional<LockedFile::WriteFault> s_fault;
std::atomic<unsigned> s_nNeueDateien{0};

void SetError(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
}

enum class Ausgang
{
    Weiter,  // go on writing
    Fehler,  // fail and clean up
    Abbruch, // end here, leaving everything as it is
};

// What the planted fault does when it strikes now.
Ausgang Strike(const LockedFile::WriteFault& fault, std::string* error)
{
    switch (fault.action) {
    case LockedFile::WriteFault::Action::Fail:
        if (error)
            *error = "write failed at a planted fault";
        return Ausgang::Fehler;
    case LockedFile::WriteFault::Action::Stop:
        if (error)
            *error = "write stopped at a planted fault";
        return Ausgang::Abbruch;
    case LockedFile::WriteFault::Action::Call:
        if (fault.call)
            fault.call();
        break;
    }
    return Ausgang::Weiter;
}

fs::path FolderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The process id in the name of a new file that WriteBeside made (".<name>.new-<pid>-<count>"), 0 for a
// name of another kind.
pid_t ErzeugerVon(const std::string& name)
{
    const auto at = name.rfind(".new-");
    if (name.size() < 2 || name.front() != '.' || at == std::string::npos || at < 2)
        return 0;
    const std::string rest = name.substr(at + 5);
    const auto strich = rest.find('-');
    const auto ziffern = [](const std::string& s) {
        return !s.empty() && s.size() <= 18 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (strich == std::string::npos || !ziffern(rest.substr(0, strich)) || !ziffern(rest.substr(strich + 1)))
        return 0;
    const long long pid = std::stoll(rest.substr(0, strich));
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

// True for the name of a write probe of IsFolderWritable: prefix, letters and digits, suffix.
bool IstSchreibprobe(const std::string& name)
{
    const std::string_view prefix(kWriteProbePrefix);
    const std::string_view suffix(kWriteProbeSuffix);
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return false;
    const std::string_view mitte =
        std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return std::all_of(mitte.begin(), mitte.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

} // namespace

int RemoveStaleNewFiles(const fs::path& folder)
{
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool bProbe = IstSchreibprobe(name);
        if (!bProbe) {
            const pid_t pid = ErzeugerVon(name);
            if (pid == 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
                continue;
        }
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st
        {
        };
        // A probe is empty: a file of its name with content is not one.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (!bProbe || st.st_size == 0) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(it->path().c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

namespace {

// A new file beside `target`, complete on the disk and write-locked. `like` (the file it replaces, or
// null) gives its permissions and owner. The descriptor of the new file, -1 on failure (the new file is
// then removed, unless a fault stopped the write, as a killed process would leave it).
int WriteBeside(const fs::path& target, const struct stat* like, std::span<const std::uint8_t> data,
                const std::optional<LockedFile::WriteFault>& fault, fs::path& neu, std::string* error)
{
    RemoveStaleNewFiles(FolderOf(target));
    int fd = -1;
    for (int versuch = 0; fd < 0; ++versuch) {
        neu = FolderOf(target) / ("." + target.filename().string() + ".new-" + std::to_string(::getpid()) +
                                  "-" + std::to_string(++s_nNeueDateien));
        fd = ::open(neu.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, like ? 0600 : 0666);
        if (fd < 0 && (errno != EEXIST || versuch > 100)) {
            SetError(error, "cannot create a new file beside " + target.string());
            return -1;
        }
    }
    const auto scheitern = [&](const char* what) {
        if (what)
            SetError(error, what + neu.string());
        ::close(fd);
        ::unlink(neu.c_str());
        return -1;
    };
    // Nobody else knows the new file yet; locked now, it is locked from the moment it takes the name.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return scheitern("cannot lock ");
    if (like) {
        if (::fchown(fd, like->st_uid, like->st_gid) != 0) {
            // Only the owner's own group and user are possible for an ordinary user; the mode is kept.
        }
        if (::fchmod(fd, like->st_mode & 07777) != 0)
            return scheitern("cannot set the permissions of ");
    }
    std::size_t done = 0;
    bool bGetroffen = false;
    for (;;) {
        if (fault && !bGetroffen && fault->afterBytes == done) {
            bGetroffen = true;
            const Ausgang a = Strike(*fault, error);
            if (a == Ausgang::Abbruch) {
                ::close(fd);
                return -1;
            }
            if (a == Ausgang::Fehler)
                return scheitern(nullptr);
        }
        if (done == data.size())
            break;
        std::size_t n = data.size() - done;
        if (fault && !bGetroffen && fault->afterBytes > done)
            n = std::min(n, fault->afterBytes - done);
        const ssize_t w = ::write(fd, data.data() + done, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return scheitern("cannot write ");
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0)
        return scheitern("cannot flush ");
    return fd;
}

bool SyncFolder(const fs::path& file, std::string* error)
{
    const fs::path folder = FolderOf(file);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        SetError(error, "cannot flush the folder " + folder.string());
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

// Gives the new file the name `target`: replacing a file there, or failing when one exists.
bool Rename(const fs::path& neu, const fs::path& target, bool bErsetzen)
{
    if (bErsetzen)
        return ::rename(neu.c_str(), target.c_str()) == 0;
    if (::renameat2(AT_FDCWD, neu.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace rename: a hard link fails just as well on an existing name.
    if (::link(neu.c_str(), target.c_str()) != 0)
        return false;
    ::unlink(neu.c_str());
    return true;
}

// Writes `data` as the file `target` all-or-nothing (see WriteBeside for `like`). The descriptor of the
// new file, open and write-locked under its name, or -1 with the old file (or none) left as it was.
// `bErsetzen`: an entry at `target` is replaced (a link itself, not followed), else the write fails
// when one exists.
int Replace(const fs::path& target, const struct stat* like, bool bErsetzen,
            std::span<const std::uint8_t> data, std::string* error, bool* pRenamed)
{
    *pRenamed = false;
    const std::optional<LockedFile::WriteFault> fault = s_fault;
    fs::path neu;
    const int fd = WriteBeside(target, like, data, fault, neu, error);
    if (fd < 0)
        return -1;
    if (!Rename(neu, target, bErsetzen)) {
        SetError(error, bErsetzen ? "cannot replace " + target.string() : "cannot create " + target.string());
        ::close(fd);
        ::unlink(neu.c_str());
        return -1;
    }
    *pRenamed = true;
    if (fault && fault->afterBytes > data.size() && Strike(*fault, error) != Ausgang::Weiter)
        return fd;
    if (!SyncFolder(target, error))
        return fd;
    *pRenamed = false; // complete: nothing left to report
    return fd;
}

} // namespace

void LockedFile::SetWriteFault(std::optional<WriteFault> fault)
{
    s_fault = std::move(fault);
}

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
    // Without blocking: opening a named pipe would otherwise wait for a writer. The kind of file is checked
    // on what was opened, so nothing can be swapped in between.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK, 0666);
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
    const int fl = ::fcntl(fd, F_GETFL);
    if (fl == -1 || ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) == -1) {
        SetError(error, "cannot open " + path.string());
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

std::unique_ptr<LockedFile> LockedFile::Create(const fs::path& path, std::span<const std::uint8_t> data,
                                               std::string* error)
{
    bool bUnvollstaendig = false;
    const int fd = Replace(path, nullptr, false, data, error, &bUnvollstaendig);
    if (fd < 0)
        return nullptr;
    if (bUnvollstaendig) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, fd, Mode::CreateNew));
}

bool LockedFile::WriteFile(const fs::path& path, std::span<const std::uint8_t> data, std::string* error)
{
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return Create(path, data, error) != nullptr;
    const auto file = Open(path, Mode::ReadWrite, error);
    return file && file->WriteAll(data, error);
}

bool LockedFile::WriteFileReplacingLink(const fs::path& path, std::span<const std::uint8_t> data,
                                        std::string* error)
{
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            SetError(error, "cannot read " + path.string());
            return false;
        }
        return Create(path, data, error) != nullptr;
    }
    if (!S_ISLNK(st.st_mode))
        return WriteFile(path, data, error);
    // The new file takes the link's name; what the link points to, if anything, stays as it is.
    bool bUnvollstaendig = false;
    const int fd = Replace(path, nullptr, true, data, error, &bUnvollstaendig);
    if (fd < 0)
        return false;
    ::close(fd);
    return !bUnvollstaendig;
}

bool LockedFile::CanOpenForWriting(const std::filesystem::path& path)
{
    return Open(path, Mode::ReadWrite) != nullptr;
}

bool LockedFile::CanOpenExclusively(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // releases the lock taken for the test
    return ok;
}

LockedFile::~LockedFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

bool LockedFile::ReadFile(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t limit,
                          std::string* error)
{
    out.clear();
    const auto file = Open(path, Mode::Read, error);
    return file && file->ReadAll(out, error, limit);
}

bool LockedFile::ReadStart(const fs::path& path, std::size_t count, std::vector<std::uint8_t>& out)
{
    out.assign(count, 0);
    const auto file = Open(path, Mode::Read);
    std::size_t done = 0;
    while (file && done < count) {
        const ssize_t n = ::pread(file->m_fd, out.data() + done, count - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    out.resize(done);
    return file != nullptr;
}

bool LockedFile::ReadAll(std::vector<std::uint8_t>& out, std::string* error, std::size_t limit) const
{
    out.clear();
    const auto zuLang = [&] {
        out.clear();
        if (error)
            *error = m_path.string() + " is longer than " + std::to_string(limit) + " bytes";
        return false;
    };
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) == 0 && st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > limit)
        return zuLang();
    std::uint8_t buffer[4096];
    off_t at = 0;
    for (;;) {
        if (out.size() > limit)
            return zuLang();
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
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0) {
        SetError(error, "cannot read the permissions of " + m_path.string());
        return false;
    }
    // A link is followed: the file it points to is replaced, the link stays.
    std::error_code ec;
    fs::path target = m_path;
    if (fs::is_symlink(m_path, ec)) {
        target = fs::canonical(m_path, ec);
        if (ec)
            target = m_path;
    }
    bool bUnvollstaendig = false;
    const int fd = Replace(target, &st, true, data, error, &bUnvollstaendig);
    if (fd < 0)
        return false;
    // The new file holds the lock from here on; closing the old one releases the old file's.
    ::close(m_fd);
    m_fd = fd;
    return !bUnvollstaendig;
}
