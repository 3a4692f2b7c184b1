#pragma once
// What every subcommand of vexa-cli takes besides its job's own fields.

#include <string>

namespace vexa::cli {

struct CommonOptions {
  std::string programDir;  // --program-dir: cnc.ini and the defaults
  std::string outDir;      // --out-dir: work.bmp and the other processed pictures
  std::string picture;     // the picture file; empty: the one the window remembers
  std::string gcode;       // --gcode FILE
  std::string dialect;     // --dialect vexa|standard; empty: gcode_dialect of cnc.ini
  std::string commands;    // --commands FILE
  bool estimate = false;   // --estimate
  std::string port;        // --port PORT
  bool demo = false;       // --demo
  bool quiet = false;      // --quiet
};

}  // namespace vexa::cli
