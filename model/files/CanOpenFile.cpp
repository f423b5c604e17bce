// Whether a file could be opened now with given access and sharing, asked without keeping it open.
#include "model/files/CanOpenFile.h"

#include "model/base/LockedFile.h"

bool CanOpenFile(const std::filesystem::path& path, unsigned flags)
{
    const unsigned access = flags & 0x3;
    if (access == OpenFlags::kWrite || access == OpenFlags::kReadWrite)
        return LockedFile::CanOpenForWriting(path);
    const unsigned share = flags & 0x70;
    if (share != 0 && share != OpenFlags::kShareDenyNone)
        return LockedFile::CanOpenExclusively(path);
    return LockedFile::Open(path, LockedFile::Mode::Read) != nullptr;
}
