#include "settings/atomic_file.h"

#include <fcntl.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vexa::settings {

namespace fs = std::filesystem;

namespace {

bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Makes the rename itself durable; where folders cannot be synced it is simply skipped.
void syncFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int descriptor = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
#endif
}

std::string uniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = [] {
    try {
      return std::random_device{}();
    } catch (...) {
      return 0u;
    }
  }();
  std::mt19937 generator(seed + counter++);
  return ".tmp" + std::to_string(generator());
}

// The file the rename must replace: the target of a symbolic link, not the link.
fs::path resolveTarget(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  auto target = fs::weakly_canonical(path, error);
  return error ? path : target;
}

#ifdef _WIN32
// Another program that holds the file open (an editor, a virus scanner, a backup) makes Windows
// refuse to replace it for as long as it does; such holds are mostly short.
bool heldByAnotherProgram(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

int errnoOf(DWORD error) {
  if (heldByAnotherProgram(error)) return EACCES;
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ENOENT;
  return EIO;
}
#endif

// Renames `from` over `to`. On Windows a refusal because another program holds `to` is tried
// again for about a second before it counts; errno tells why it failed.
bool renameOver(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  using namespace std::chrono_literals;
  constexpr std::chrono::milliseconds kWaits[] = {10ms, 20ms, 40ms, 80ms, 150ms, 300ms, 400ms};
  for (std::size_t attempt = 0;; ++attempt) {
    // Write-through: the rename is on the disk when this returns.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    std::error_code ignored;
    // A folder in the way refuses with the same code, and waiting will not move it.
    const bool held = heldByAnotherProgram(error) && !fs::is_directory(to, ignored);
    if (!held || attempt == std::size(kWaits)) {
      errno = errnoOf(error);
      return false;
    }
    std::this_thread::sleep_for(kWaits[attempt]);
  }
#else
  std::error_code error;
  fs::rename(from, to, error);
  if (error) errno = error.value();
  return !error;
#endif
}

bool writeWhole(std::FILE* file, std::string_view content) {
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = written && std::fflush(file) == 0 && syncToDisk(file);
  const bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

}  // namespace

std::FILE* CreateNewFile(const fs::path& path) {
#ifdef _WIN32
  // The Windows C runtime ignores fopen's "x" and would empty an existing file.
  const int descriptor =
      _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _fdopen(descriptor, "wb");
  if (!file) _close(descriptor);
  return file;
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

bool IsReadOnlyFile(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return false;
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kAnyWrite) == fs::perms::none) return true;
#ifndef _WIN32
  // Root may write anything; for everyone else the system's own answer counts as well.
  if (geteuid() != 0 && access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS)) {
    return true;
  }
#endif
  return false;
}

bool replaceFileAtomically(const fs::path& path, std::string_view content) {
  const fs::path target = resolveTarget(path);
  if (IsReadOnlyFile(target)) {
    errno = EACCES;
    return false;
  }
  fs::path temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 16 && !file; ++attempt) {
    temporary = target;
    temporary += uniqueSuffix();
    file = CreateNewFile(temporary);
    if (!file && errno != EEXIST) return false;
  }
  if (!file) return false;

  std::error_code error;
  bool ok = writeWhole(file, content);
  if (ok) {
    // A replaced file keeps its permissions; a new one gets the usual ones.
    const auto oldStatus = fs::status(target, error);
    if (!error && fs::is_regular_file(oldStatus)) {
      fs::permissions(temporary, oldStatus.permissions(), error);
    }
    ok = renameOver(temporary, target);
  }
  if (!ok) {
    const int reason = errno;
    fs::remove(temporary, error);
    errno = reason;
    return false;
  }
  syncFolder(target.parent_path());
  return true;
}

}  // namespace vexa::settings
