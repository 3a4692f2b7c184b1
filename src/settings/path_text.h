#pragma once
// Paths meet text here and nowhere else: cnc.ini values, messages, the command line, the file
// dialog and the environment carry paths as UTF-8, whatever the system's own encoding of names.
// Windows keeps names in UTF-16, and a path made straight from a std::string there reads each
// byte in a code page, so "Программа" becomes nonsense; going through char8_t says what the
// bytes are.

#include <filesystem>
#include <string>
#include <string_view>

namespace vexa::settings {

// The path named by UTF-8 `text`. Never throws: on Windows, text that is not UTF-8 (a cnc.ini
// written in the system's code page by an older program) is read in that code page; elsewhere
// the bytes are the name, as the system keeps it.
std::filesystem::path PathFromUtf8(std::string_view text);

// The path as UTF-8 text. Never throws: a Windows name that is not valid UTF-16 (a lone
// surrogate half) gets U+FFFD in place of the broken part.
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace vexa::settings
