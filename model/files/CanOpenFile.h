// Whether a file could be opened now with given access and sharing, asked without keeping it open.
#pragma once

#include <filesystem>

namespace OpenFlags {

inline constexpr unsigned kRead = 0x0;
inline constexpr unsigned kWrite = 0x1;
inline constexpr unsigned kReadWrite = 0x2;
inline constexpr unsigned kShareExclusive = 0x10;
inline constexpr unsigned kShareDenyWrite = 0x20;
inline constexpr unsigned kShareDenyRead = 0x30;
inline constexpr unsigned kShareDenyNone = 0x40;

} // namespace OpenFlags

// Opens the file with `flags` (OpenFlags) and closes it again at once; true when the open succeeded.
// Writing needs write permission and no other writer. Keeping others out (any share-deny flag but
// kShareDenyNone) fails while another writer holds the file (a document of this program, another
// instance); a file opened for reading elsewhere takes no lock and does not stop it.
bool CanOpenFile(const std::filesystem::path& path, unsigned flags);
