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

// The same, for an executable that may be installed: when its folder cannot be written, or it
// sits in an installed layout (the shared defaults in ../share/vexa beside it, as /usr/bin has
// /usr/share/vexa, where even root must not keep its cnc.ini), each user gets `userDataHome`/vexa
// ($XDG_DATA_HOME/vexa, normally ~/.local/share/vexa). That folder is created and given the
// shared default files it lacks; a user's own copies are never overwritten.
std::filesystem::path ResolveProgramDir(const std::vector<std::string>& args,
                                        const char* environmentValue,
                                        const std::filesystem::path& executableDir,
                                        const std::filesystem::path& userDataHome);

// Where an installed executable finds the default pictures and neuro.net: ../share/vexa.
std::filesystem::path SharedDataDir(const std::filesystem::path& executableDir);

// Creates `userDir` when missing and copies into it every file of `sharedDir` that it does not
// hold yet. Failures are left for the program to meet as missing files: it still starts.
void SeedUserFolder(const std::filesystem::path& userDir, const std::filesystem::path& sharedDir);

inline constexpr const char* kProgramDirVariable = "VEXA_PROGRAM_DIR";
inline constexpr const char* kProgramDirOption = "--program-dir";
inline constexpr const char* kUserFolderName = "vexa";

}  // namespace vexa::settings
