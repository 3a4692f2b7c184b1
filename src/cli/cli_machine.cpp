#include "cli/cli_machine.h"

#include <QCoreApplication>

#include "cli/logged_port.h"
#include "cli/stop_signal.h"
#include "emulator/demo_mode.h"
#include "emulator/emulated_port.h"
#include "link/firmware_gate.h"
#include "link/qt_serial_port.h"
#include "settings/path_text.h"
#include "settings/startup_settings.h"

namespace vexa::cli {

class CliMachine::Pump final : public link::EventPump {
 public:
  explicit Pump(CliMachine& machine) : machine_(machine) {}
  void processPendingEvents() override { machine_.pump(); }

 private:
  CliMachine& machine_;
};

CliMachine::CliMachine(const std::filesystem::path& programDir, const CommonOptions& options)
    : iniFile_(programDir / "cnc.ini") {
  const settings::StartupSettings startup = settings::LoadStartupSettings(iniFile_);
  settings_ = startup.machine;
  speed_ = startup.speed;
  if (!options.port.empty()) {
    portName_ = options.port;
    port_ = std::make_unique<link::QtSerialPort>();
  } else if (options.demo) {
    auto demo = emulator::MakeDemoPort();
    demoPort_ = demo.get();
    port_ = std::move(demo);
  } else if (!options.commands.empty()) {
    // The demo's controller without its pace: the commands are what counts, not their time.
    port_ = std::make_unique<emulator::EmulatedPort>(
        emulator::ControllerBehaviour{},
        emulator::EmulatorTiming{std::chrono::milliseconds(0), false, 1});
  }
  if (port_ && !options.commands.empty()) {
    port_ =
        std::make_unique<LoggedPort>(std::move(port_), settings::PathFromUtf8(options.commands));
  }
  if (port_ == nullptr) unused_ = std::make_unique<link::QtSerialPort>();
  if (portName_.empty()) portName_ = "vexa-cli";
  pump_ = std::make_unique<Pump>(*this);
  link_ = std::make_unique<link::MachineLink>(port_ ? *port_ : *unused_, *pump_, prompts_);
}

CliMachine::~CliMachine() {
  if (link_) link_->ClosePort();
}

ExitStatus CliMachine::connect(const std::string& tag, const std::string& alternative) {
  if (port_ == nullptr) return stopped() ? kStopped : kDone;
  link_->ExpectFirmware(tag);  // the emulated controller plays the firmware asked for
  if (!link_->OpenPort(portName_, speed_)) return kLinkFailure;
  if (demoPort_ != nullptr) emulator::PrepareDemo(*link_, *demoPort_, settings_);
  try {
    // A board that does not fit has had its notice.
    if (!link::GateOnFirmware(*link_, link::TagRule{tag, alternative}).controlsOn) {
      return kLinkFailure;
    }
  } catch (const link::LinkAbort&) {
    return stopped() ? kStopped : kLinkFailure;
  }
  // Ctrl+C during the check: the job would clear the flag as it starts and run all the same.
  pump();
  if (stopped()) return kStopped;
  sends_ = true;
  failuresAtStart_ = link_->readFailures();
  return kDone;
}

void CliMachine::pump() {
  QCoreApplication::processEvents();
  const int presses = StopSignals();
  if (presses == seenPresses_) return;
  if (seenPresses_ == 0 && sends()) {
    prompts_.message(link::kWarningCaption,
                     "Стоп: задание остановится, когда плата ответит на текущую команду "
                     "(ещё раз Ctrl+C - не ждать ответа)");
  }
  seenPresses_ = presses;
  link_->StopRequested = true;
}

bool CliMachine::stopped() const {
  return StopSignals() > 0;
}

ExitStatus CliMachine::abortStatus() const {
  if (stopped()) return kStopped;
  if (link_->lineLost() || link_->readFailures() != failuresAtStart_) return kLinkFailure;
  return kBadInput;
}

}  // namespace vexa::cli
