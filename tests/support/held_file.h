#pragma once
// A file another program holds open, as editors, virus scanners and backups do on Windows, where
// an open file cannot be replaced and, unless shared, not even read.

#ifdef _WIN32
#include <windows.h>

#include <filesystem>

namespace vexa::test {

class HeldFile {
 public:
  enum class Sharing { ReadAndWrite, Nothing };

  HeldFile(const std::filesystem::path& path, Sharing sharing)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ,
                            sharing == Sharing::Nothing ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void release() {
    if (held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

}  // namespace vexa::test
#endif
