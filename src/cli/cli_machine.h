#pragma once
// The machine a vexa-cli job drives, as the main window sets it up for the windows: cnc.ini's
// machine settings, one MachineLink, and the port: a real board (--port), the built-in emulated
// controller paced as in demo mode (--demo), the same controller answering at once so its log
// holds the commands (--commands alone), or none at all (a dry run: G-code and pictures only).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_options.h"
#include "cli/exit_status.h"
#include "cli/terminal_prompts.h"
#include "emulator/emulated_port.h"
#include "link/event_pump.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "settings/settings.h"

namespace vexa::cli {

class CliMachine {
 public:
  CliMachine(const std::filesystem::path& programDir, const CommonOptions& options);
  ~CliMachine();

  TerminalPrompts& prompts() { return prompts_; }
  link::MachineLink& link() { return *link_; }
  const link::MachineSettings& settings() const { return settings_; }
  const settings::SettingsFile& iniFile() const { return iniFile_; }
  // False in a dry run: the job's run box is cleared.
  bool sends() const { return port_ != nullptr && sends_; }

  // Opens the port and asks for the firmware `tag`, as a window does when it opens. kDone, or
  // the failure's status once its message has been printed (kStopped after a Ctrl+C).
  // `alternative`: a second tag the job also drives (link().firmwareReply() says which
  // answered); an emulated controller plays `tag`.
  ExitStatus connect(const std::string& tag, const std::string& alternative = {});
  // Lets pending events through and turns Ctrl+C into StopRequested; jobs call it through the
  // link's pump, redraws and step hooks.
  void pump();
  // How a job that left through the link abort ended: stopped, a failed line, or a refusal.
  ExitStatus abortStatus() const;
  // Ctrl+C seen.
  bool stopped() const;

 private:
  class Pump;

  TerminalPrompts prompts_;
  settings::SettingsFile iniFile_;
  link::MachineSettings settings_;
  std::string portName_;
  int speed_ = 9600;
  emulator::EmulatedPort* demoPort_ = nullptr;  // --demo: the emulated controller, inside port_
  bool sends_ = false;
  std::unique_ptr<link::SerialPort> port_;
  std::unique_ptr<link::SerialPort> unused_;  // the link's port in a dry run; never opened
  std::unique_ptr<Pump> pump_;
  std::unique_ptr<link::MachineLink> link_;
  std::uint64_t failuresAtStart_ = 0;
  int seenPresses_ = 0;  // Ctrl+C presses turned into StopRequested
};

}  // namespace vexa::cli
