#include "settings/program_dir.h"

#include "settings/path_text.h"

namespace vexa::settings {

std::filesystem::path ResolveProgramDir(const std::vector<std::string>& args,
                                        const char* environmentValue,
                                        const std::filesystem::path& executableDir) {
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
  return executableDir;
}

}  // namespace vexa::settings
