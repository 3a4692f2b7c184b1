#include "settings/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vexa::settings {

namespace fs = std::filesystem;

namespace {

std::FILE* openNewFile(const fs::path& path) {
  // "x": fail rather than reuse a file someone else created under the same name.
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wbx");
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

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

bool writeWhole(std::FILE* file, std::string_view content) {
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = written && std::fflush(file) == 0 && syncToDisk(file);
  const bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

}  // namespace

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
    file = openNewFile(temporary);
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
    fs::rename(temporary, target, error);
    ok = !error;
  }
  if (!ok) {
    fs::remove(temporary, error);
    return false;
  }
  syncFolder(target.parent_path());
  return true;
}

}  // namespace vexa::settings
