#pragma once
// --version and --help: answered on standard output before any window (or display) is needed.

#include <optional>
#include <string>
#include <vector>

namespace vexa::app {

// The text to print instead of starting when the command line asks for the version or the
// usage; nullopt otherwise. The first of the two options named wins.
std::optional<std::string> InfoOptionText(const std::vector<std::string>& args);

}  // namespace vexa::app
