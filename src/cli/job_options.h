#pragma once
// How the subcommands declare the windows' fields and boxes: a field is taken as text, exactly as
// the window reads its field (so "abc" or "0" get the window's own message); a box that is not
// given keeps what cnc.ini stores.

#include <optional>
#include <string>

#include "cli/cli_options.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace vexa::cli {

// A field given on the command line, or nothing: cnc.ini's value then.
using FieldText = std::optional<std::string>;

// "--name" with its window label in the help text.
CLI::Option* AddField(CLI::App& command, const std::string& name, FieldText& text,
                      const std::string& label);

// A box: +1 after "--name", -1 after "--no-name", 0 when neither is given.
struct BoxChoice {
  int value = 0;
  bool given() const { return value != 0; }
  bool ticked(bool stored) const { return value > 0 || (value == 0 && stored); }
};
void AddBox(CLI::App& command, const std::string& name, BoxChoice& box, const std::string& label);

// --commands, --estimate, --port or --demo and --quiet: how every job meets its machine. `verb`
// says in the help what the job does with the board ("drive", "scan with").
void AddMachineOptions(CLI::App& command, CommonOptions& common, const std::string& verb);

// "--width abc: нужно число больше 0" for a size given that is not a number above 0; nullopt
// for a good one or none. For the raster fields, whose window would put its default in place.
std::optional<std::string> PositiveFieldProblem(const std::string& name, const FieldText& text);

// The text the job reads: the command line's, else the stored one.
inline std::string FieldOr(const FieldText& given, const std::string& stored) {
  return given ? *given : stored;
}

}  // namespace vexa::cli
