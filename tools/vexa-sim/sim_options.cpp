#include "sim_options.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace vexa::sim {

namespace {

// A day is far more than any test or user waits; the cap keeps time arithmetic from overflowing.
constexpr long long kMaxDelayMs = 24LL * 60 * 60 * 1000;
// Far beyond any serial line (115200 baud carries about 11,500 bytes a second).
constexpr long long kMaxChatterBytesPerSecond = 10'000'000;

std::optional<long long> parseCount(std::string_view text, long long minimum, long long maximum) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < minimum || value > maximum) {
    return std::nullopt;
  }
  return value;
}

bool isDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Readings stay as typed, so "007" is answered as "007OK".
std::optional<std::vector<std::string>> parseReadings(std::string_view list) {
  std::vector<std::string> readings;
  while (true) {
    std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    if (!isDigits(item)) return std::nullopt;
    readings.emplace_back(item);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return readings;
}

bool takesValue(std::string_view name) {
  return name == "--tag" || name == "--delay" || name == "--probe" || name == "--hangup-after" ||
         name == "--silent-after" || name == "--chatter" || name == "--log" || name == "--link";
}

// Applies one option that carries a value; returns an error text or an empty string.
std::string applyValue(std::string_view name, const std::string& value, SimOptions& options) {
  if (name == "--tag") {
    options.tag = value;
  } else if (name == "--delay") {
    auto ms = parseCount(value, 0, kMaxDelayMs);
    if (!ms)
      return "--delay needs a number of milliseconds from 0 to " + std::to_string(kMaxDelayMs);
    options.delayMs = *ms;
  } else if (name == "--probe") {
    auto readings = parseReadings(value);
    if (!readings) return "--probe needs comma-separated non-negative integers, e.g. 10,200,35";
    options.probeReadings = std::move(*readings);
  } else if (name == "--hangup-after") {
    auto count = parseCount(value, 1, std::numeric_limits<long long>::max());
    if (!count) return "--hangup-after needs a positive number of commands";
    options.hangupAfter = *count;
  } else if (name == "--silent-after") {
    auto count = parseCount(value, 1, std::numeric_limits<long long>::max());
    if (!count) return "--silent-after needs a positive number of commands";
    options.silentAfter = *count;
  } else if (name == "--chatter") {
    auto rate = parseCount(value, 1, kMaxChatterBytesPerSecond);
    if (!rate) {
      return "--chatter needs a number of bytes per second from 1 to " +
             std::to_string(kMaxChatterBytesPerSecond);
    }
    options.chatterBytesPerSecond = *rate;
  } else if (name == "--log") {
    if (value.empty()) return "--log needs a file name";
    options.logPath = value;
  } else if (name == "--link") {
    if (value.empty()) return "--link needs a path";
    options.linkPath = value;
  }
  return {};
}

// Applies one flag; returns false when the name is not a known flag.
bool applyFlag(std::string_view name, SimOptions& options) {
  if (name == "--crlf") {
    options.crlf = true;
  } else if (name == "--silent") {
    options.silent = true;
  } else if (name == "--quiet") {
    options.quiet = true;
  } else if (name == "--echo") {
    options.echo = true;
  } else if (name == "--exit-with-stdin") {
    options.exitWithStdin = true;
  } else if (name == "--pace") {
    options.pace = true;
  } else {
    return false;
  }
  return true;
}

ParsedCommandLine invalid(std::string error) {
  ParsedCommandLine result;
  result.outcome = ParsedCommandLine::Outcome::Invalid;
  result.error = std::move(error);
  return result;
}

}  // namespace

emulator::ControllerBehaviour ControllerBehaviourOf(const SimOptions& options) {
  emulator::ControllerBehaviour behaviour;
  behaviour.tag = options.tag;
  behaviour.crlf = options.crlf;
  behaviour.silent = options.silent;
  behaviour.probeReadings = options.probeReadings;
  return behaviour;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.outcome = ParsedCommandLine::Outcome::ShowHelp;
      return result;
    }
    std::size_t equals = arg.find('=');
    std::string_view name = arg.substr(0, equals);
    if (takesValue(name)) {
      std::string value;
      if (equals != std::string_view::npos) {
        value = std::string(arg.substr(equals + 1));
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return invalid(std::string(name) + " needs a value");
      }
      std::string error = applyValue(name, value, result.options);
      if (!error.empty()) return invalid(error);
    } else if (applyFlag(name, result.options)) {
      if (equals != std::string_view::npos) return invalid(std::string(name) + " takes no value");
    } else if (arg.starts_with("-")) {
      return invalid("unknown option " + std::string(arg));
    } else {
      return invalid("unexpected argument " + std::string(arg));
    }
  }
  return result;
}

const char* usageText() {
  return R"(Usage: vexa-sim [OPTIONS]

Stands in for the Arduino controller of a Vexa machine on a pseudo-terminal.
The first line on stdout is the terminal's path (e.g. /dev/pts/3): give it to
Vexa as the port name. Stop with Ctrl+C.

Every command (e.g. "100,-20,0,2000;") is answered with "T", "V;" with the
firmware tag. "0,0,-1" and "0,0,1" arrive without ";": a command without ";"
counts as complete after 30 ms without a new byte.

Options:
  --tag TEXT        answer to "V;" (default MT: milling; ST scanner, PT raster
                    laser, BT wood burning, OT outline; any text is accepted).
                    --tag "" leaves "V;" unanswered, like a firmware that does
                    not know the version query.
  --delay MS        wait MS milliseconds before each answer (default 0: answer
                    at once). Commands keep arriving meanwhile and are answered
                    in order, each answer MS after its command or after the
                    previous answer, whichever is later.
  --pace            answer a move only after its steps would take on the
                    machine. Tags PT and BT: a move X,Y,R takes |X| + |Y|
                    steps (one axis after the other) of R microseconds each,
                    or, for R = 0, of the idle delay the setup command
                    (",,,K,D;" or ",,D;") gave, 2000 before one. Tag MT: a
                    move X,Y,Z,W takes |X| + |Y| + |Z| steps of W
                    microseconds. Tag OT: a move X,Y,L,W (trailing zero
                    fields dropped) takes |X| + |Y| steps of W, or for W = 0
                    of the delay given last (2000 before one); the laser
                    switch takes no time; X,Y,Z takes |X| + |Y| + |Z| steps
                    of 2000. Tag ST: the probe "0,0,S;" takes 2 S steps of
                    2000 (down and up), any other X,Y,S; |X| + |Y| + |S|
                    steps of 2000.
                    Tags OT and ST: the manual move X,Y,,D; takes |X| + |Y|
                    steps of D. The setup, "V;" and other firmwares'
                    commands are answered at once. Adds to --delay.
  --crlf            end every answer (tag, "T", reading) with CR LF.
  --probe LIST      readings for the scanner's probe command "0,0,S;" (S > 0,
                    tag ST), comma-separated, used in turn and then repeated
                    (default 128). The answer is the reading followed by "OK".
  --silent          receive and log commands, never answer anything.
  --hangup-after N  after the N-th command (counting "V;"), log it, send the
                    answers already due to the commands before it and let the
                    application read them (up to a second), then close the
                    line without answering it and exit.
  --silent-after N  answer the first N commands (counting "V;"), then keep
                    the line open and answer nothing more: a board that hung.
  --echo            send every byte received straight back before answering,
                    like a sketch that echoes its input.
  --chatter RATE    keep sending lines such as "A0=0042" (CR LF, never a "T")
                    at RATE bytes per second, like another sketch printing
                    readings; what the line cannot take is lost.
  --log FILE        append every command received to FILE, one per line,
                    without the ";".
  --link PATH       also make PATH a symbolic link to the terminal (an existing
                    link is replaced); removed at exit. Example: --link
                    /tmp/vexa-port, then use /tmp/vexa-port as the port name.
  --quiet           print nothing but the path line.
  --exit-with-stdin exit when standard input ends: a program that starts
                    vexa-sim with a pipe there takes it along when it ends,
                    however it ends.
  -h, --help        show this text and exit.

Exit status: 0 when stopped or hung up, 1 on a system error, 2 on bad options.
)";
}

}  // namespace vexa::sim
