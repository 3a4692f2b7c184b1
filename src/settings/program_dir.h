#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexa::settings {

// The folder of cnc.ini, work.bmp and the default pictures: "--program-dir DIR" on the command
// line, else the environment variable VEXA_PROGRAM_DIR, else the executable's folder. The
// arguments and the variable's value are UTF-8 text (path_text.h).
std::filesystem::path ResolveProgramDir(const std::vector<std::string>& args,
                                        const char* environmentValue,
                                        const std::filesystem::path& executableDir);

inline constexpr const char* kProgramDirVariable = "VEXA_PROGRAM_DIR";
inline constexpr const char* kProgramDirOption = "--program-dir";

}  // namespace vexa::settings
