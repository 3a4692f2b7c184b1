#include "cli/job_options.h"

#include <CLI/CLI.hpp>

namespace vexa::cli {

CLI::Option* AddField(CLI::App& command, const std::string& name, FieldText& text,
                      const std::string& label) {
  return command.add_option_function<std::string>(
      "--" + name, [&text](const std::string& value) { text = value; }, label);
}

void AddBox(CLI::App& command, const std::string& name, BoxChoice& box, const std::string& label) {
  command.add_flag("--" + name + ",!--no-" + name, box.value, label);
}

}  // namespace vexa::cli
