#include "settings/program_dir.h"

#include <optional>
#include <system_error>

#include "settings/path_text.h"

#ifdef _WIN32
#include <fstream>
#else
#include <unistd.h>
#endif

namespace vexa::settings {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> chosenDir(const std::vector<std::string>& args,
                                  const char* environmentValue) {
  const std::string option = kProgramDirOption;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == option && i + 1 < args.size()) return PathFromUtf8(args[i + 1]);
    if (args[i].rfind(option + "=", 0) == 0) {
      return PathFromUtf8(std::string_view(args[i]).substr(option.size() + 1));
    }
  }
  if (environmentValue != nullptr && *environmentValue != '\0') {
    return PathFromUtf8(environmentValue);
  }
  return std::nullopt;
}

bool folderWritable(const fs::path& dir) {
#ifdef _WIN32
  // Windows folder rights are not simple mode bits: a file that can be made answers.
  const fs::path probe = dir / ".vexa-write-probe";
  const bool made = static_cast<bool>(std::ofstream(probe));
  std::error_code ignored;
  fs::remove(probe, ignored);
  return made;
#else
  return ::access(dir.c_str(), W_OK) == 0;
#endif
}

bool installedLayout(const fs::path& executableDir) {
  std::error_code ignored;
  return fs::is_directory(SharedDataDir(executableDir), ignored);
}

}  // namespace

fs::path ResolveProgramDir(const std::vector<std::string>& args, const char* environmentValue,
                           const fs::path& executableDir) {
  return chosenDir(args, environmentValue).value_or(executableDir);
}

fs::path ResolveProgramDir(const std::vector<std::string>& args, const char* environmentValue,
                           const fs::path& executableDir, const fs::path& userDataHome) {
  if (auto chosen = chosenDir(args, environmentValue)) return *chosen;
  if (userDataHome.empty() || (folderWritable(executableDir) && !installedLayout(executableDir))) {
    return executableDir;
  }
  const fs::path userDir = userDataHome / kUserFolderName;
  SeedUserFolder(userDir, SharedDataDir(executableDir));
  return userDir;
}

fs::path SharedDataDir(const fs::path& executableDir) {
  return executableDir.parent_path() / "share" / kUserFolderName;
}

void SeedUserFolder(const fs::path& userDir, const fs::path& sharedDir) {
  std::error_code error;
  fs::create_directories(userDir, error);
  for (fs::directory_iterator it(sharedDir, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::error_code ignored;  // one file that cannot be copied does not keep the others back
    fs::copy_file(it->path(), userDir / it->path().filename(), fs::copy_options::skip_existing,
                  ignored);
  }
}

}  // namespace vexa::settings
