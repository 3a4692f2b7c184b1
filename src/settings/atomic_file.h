#pragma once
// Replacing a file so that a crash or a full disk never leaves it half written.

#include <filesystem>
#include <string_view>

namespace vexa::settings {

// Writes `content` to a new file beside `path`, flushes it to disk and renames it over `path`:
// readers see the old file or the new one, never a mix. A symbolic link at `path` is kept and its
// target replaced. On failure the temporary file is removed, `path` is untouched and the result is
// false.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace vexa::settings
