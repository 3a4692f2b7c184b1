#include "app/info_options.h"

#include "version.h"

namespace vexa::app {

namespace {

constexpr const char* kUsage = R"(Usage: vexa [OPTIONS]

Drives home-built CNC machines whose controller is an Arduino board running Vexa's firmware.
The windows are in Russian.

Options:
  --demo              an emulated controller inside the program instead of the serial port.
  --demo-log FILE     with --demo: write every command the controller receives to FILE.
  --program-dir DIR   the program folder (cnc.ini, work files, default pictures).
  --version           print the version and exit.
  -h, --help          show this text and exit.

Environment:
  VEXA_PROGRAM_DIR    the program folder, when --program-dir is not given. Otherwise it is the
                      executable's folder, or for an installed Vexa $XDG_DATA_HOME/vexa
                      (normally ~/.local/share/vexa).
  VEXA_AUTOMATION     a script of steps that drives the windows; messages go to standard output.
  VEXA_UPDATE_SERVER  host or host:port the update check asks instead of the web site.
)";

}  // namespace

std::optional<std::string> InfoOptionText(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--version") return std::string("vexa ") + VEXA_VERSION + "\n";
    if (args[i] == "--help" || args[i] == "-h") return std::string(kUsage);
    // The value of an option that takes one is not an option itself.
    if (args[i] == "--demo-log" || args[i] == "--program-dir") ++i;
  }
  return std::nullopt;
}

}  // namespace vexa::app
