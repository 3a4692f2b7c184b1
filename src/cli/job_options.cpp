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

std::optional<std::string> PositiveFieldProblem(const std::string& name, const FieldText& text) {
  if (!text || settings::PositiveNumber(*text)) return std::nullopt;
  return "--" + name + " " + *text + ": нужно число больше 0";
}

}  // namespace vexa::cli
