#include "support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "settings/path_text.h"

namespace vexa::test {

namespace {

// create_directory makes the folder or fails when the name is taken, as mkdtemp does, and works
// where mkdtemp does not exist (Windows).
std::filesystem::path makeFreshFolder() {
  static std::mt19937_64 generator{std::random_device{}()};
  const std::filesystem::path parent = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "vexa-test-" << std::hex << generator();
    std::filesystem::path candidate = parent / name.str();
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) return candidate;
    if (error && error != std::errc::file_exists) break;
  }
  throw std::runtime_error("no temporary folder could be made in " + settings::PathToUtf8(parent));
}

}  // namespace

TempFolder::TempFolder() : path_(makeFreshFolder()) {}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::operator/(const std::string& name) const {
  return path_ / settings::PathFromUtf8(name);
}

void TempFolder::write(const std::string& name, const std::string& content) const {
  std::ofstream out(*this / name, std::ios::binary);
  out << content;
}

std::string TempFolder::read(const std::string& name) const {
  std::ifstream in(*this / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TempFolder::entries(const std::string& name) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(*this / name)) {
    names.push_back(settings::PathToUtf8(entry.path().filename()));
  }
  return names;
}

}  // namespace vexa::test
