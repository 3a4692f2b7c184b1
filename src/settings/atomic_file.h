#pragma once
// Replacing a file so that a crash or a full disk never leaves it half written.

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vexa::settings {

// Writes `content` to a new file beside `path`, flushes it to disk and renames it over `path`:
// readers see the old file or the new one, never a mix. A symbolic link at `path` is kept and its
// target replaced. A read-only file (IsReadOnlyFile) is left as it is, as a direct write would
// leave it: renaming over it would ignore the flag. On Windows, a file that another program holds
// open cannot be replaced while it does: the replace is tried again for about a second, then
// fails (EACCES). On failure the temporary file is removed, `path` is untouched and the result is
// false (errno EACCES for a read-only or held file).
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view content);

// True when a file exists at `path` (or at the target of a link there) and its mode grants no one
// the right to write it (0444, the read-only attribute). The mode bits are read, not the
// process's own access: a user who made the file read-only means it also for a program running
// as root. Other users' files without a write right for this process count as read-only too.
bool IsReadOnlyFile(const std::filesystem::path& path);

// A new file opened for writing in binary mode; null when it cannot be made, and also (errno
// EEXIST) when a file of that name exists already, which is left as it is.
std::FILE* CreateNewFile(const std::filesystem::path& path);

}  // namespace vexa::settings
