#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexa::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Names are UTF-8 text ("Программа/Картинка.bmp").
  std::filesystem::path operator/(const std::string& name) const;

  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  // The names in the folder, or in its subfolder `name`, as UTF-8 text, in the system's order.
  std::vector<std::string> entries(const std::string& name = "") const;

 private:
  std::filesystem::path path_;
};

}  // namespace vexa::test
