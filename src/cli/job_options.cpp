#include "cli/job_options.h"

#include <CLI/CLI.hpp>

#include "settings/number_checks.h"

namespace vexa::cli {

CLI::Option* AddField(CLI::App& command, const std::string& name, FieldText& text,
                      const std::string& label) {
  return command.add_option_function<std::string>(
      "--" + name, [&text](const std::string& value) { text = value; }, label);
}

void AddBox(CLI::App& command, const std::string& name, BoxChoice& box, const std::string& label) {
  command.add_flag("--" + name + ",!--no-" + name, box.value, label);
}

void AddMachineOptions(CLI::App& command, CommonOptions& common, const std::string& verb) {
  command.add_option("--commands", common.commands,
                     "write the controller commands the job sends to FILE, one per line; alone: "
                     "the emulated controller answers");
  command.add_flag("--estimate", common.estimate,
                   "print the estimate (time, commands) and exit without running");
  auto* port = command.add_option("--port", common.port, verb + " the board on serial port PORT");
  auto* demo = command.add_flag("--demo", common.demo, verb + " the built-in emulated controller");
  port->excludes(demo);
  command.add_flag("--quiet", common.quiet, "no progress line");
}

std::optional<std::string> PositiveFieldProblem(const std::string& name, const FieldText& text) {
  if (!text || settings::PositiveNumber(*text)) return std::nullopt;
  return "--" + name + " " + *text + ": нужно число больше 0";
}

}  // namespace vexa::cli
