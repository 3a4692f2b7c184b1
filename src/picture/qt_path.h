#pragma once
// Paths between Qt's strings and std::filesystem, without a detour through 8-bit text that
// Windows would read in its code page.

#include <QString>
#include <filesystem>

namespace vexa::picture {

QString ToQString(const std::filesystem::path& path);
// Windows gets its own separators ("C:\Программа"), as the names the system shows.
std::filesystem::path ToPath(const QString& path);

}  // namespace vexa::picture
