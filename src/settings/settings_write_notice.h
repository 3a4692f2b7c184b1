#pragma once
// A cnc.ini that cannot be written (made read-only, on a read-only disk, a folder in its place)
// loses every value the windows store in it. The user is told once per run and file; after that
// the values are simply not kept. The main window sends the notice to its message boxes; without
// a reporter (tests of single windows) nothing is shown.

#include <filesystem>
#include <functional>
#include <string>

namespace vexa::settings {

using SettingsWriteReporter = std::function<void(const std::string& text)>;

// Installs the reporter (an empty one silences the notice) and starts a new run: every file may
// be told of once again.
void SetSettingsWriteReporter(SettingsWriteReporter reporter);

// A write of `file` failed. The first time in the run the reporter gets SettingsNotWrittenText,
// unless `toldByCaller` (the caller shows a message of its own, which counts as the telling).
void NoteSettingsNotWritten(const std::filesystem::path& file, bool readOnly, bool toldByCaller);

std::string SettingsNotWrittenText(const std::filesystem::path& file, bool readOnly);

}  // namespace vexa::settings
