#include "cli/gcode_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>

#include "cli/cli_job.h"
#include "cli/job_options.h"
#include "cli/stop_signal.h"
#include "gcode/gcode_program.h"
#include "gcode/program_translation.h"
#include "gcode/read_gcode_file.h"
#include "gcode_run/gcode_sender.h"
#include "link/job_stream.h"
#include "link/paced_pump.h"
#include "link/time_model.h"
#include "manual/cutter_lift.h"
#include "settings/path_text.h"

namespace vexa::cli {

namespace {

// A tool change waits for the operator at the terminal. Without one (a script, a service) the
// run goes on only while no tool has been in the work yet (CAM programs begin with "T1 M6");
// later it stops, the cutter lifted, rather than cut on with the wrong tool.
bool ToolChanged(TerminalPrompts& prompts, const gcode::Pause& pause, bool worked) {
  if (prompts.waitForOperator(gcode::PauseText(pause))) return true;
  if (StopSignals() > 0) return false;  // Ctrl+C while waiting
  if (!worked) return true;
  prompts.message(link::kErrorCaption,
                  "Смена инструмента посреди работы: нужен оператор у терминала. "
                  "Выполнение остановлено.");
  return false;
}

constexpr const char* kUnknownMovesText =
    "Файл выполнить нельзя: без слов, которые перемещают станок, путь будет другим.";
constexpr const char* kRunAnywayText =
    "Станок они не перемещают: --run-anyway выполнит файл без них.";

// The reader's list on one line: "...файла: G28 (перемещает станок): строка 7; M8: строка 3."
std::string UnknownWordsLine(const gcode::GcodeProgram& program) {
  const std::string list = gcode::UnknownWordsText(program);
  std::string text;
  bool first = true;
  for (char c : list) {
    if (c != '\n') {
      text += c;
    } else {
      text += first ? " " : "; ";
      first = false;
    }
  }
  return text + ".";
}

// A number of millimetres as the depth field of the pause dialog takes it.
std::string MillimetreText(double mm) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", mm);
  return text;
}

}  // namespace

void AddGcodeCommand(CLI::App& app, GcodeOptions& options) {
  CLI::App* command = app.add_subcommand(
      "gcode",
      "Выполнить G-код: a CAM program's G-code file run on a board answering MT (X Y Z) or OT "
      "(the laser, X Y), or estimated");
  command->add_option("file", options.file, "the G-code file")->required();
  command
      ->add_option("--firmware", options.firmware,
                   "MT or OT: the translation when no board answers (--estimate, --commands, "
                   "--demo, a dry run); on --port the board's tag decides (default MT)")
      ->check(CLI::IsMember({"MT", "OT"}));
  command->add_flag("--run-anyway", options.runAnyway,
                    "run a file whose unknown words do not move the machine (M7, M8, M9, ...) "
                    "without them");
  command->add_flag("--return", options.returnToStart, "С возвратом в исх.");

  CommonOptions& common = options.common;
  AddMachineOptions(*command, common, "run on");
}

int RunGcodeCommand(const std::filesystem::path& programDir, const GcodeOptions& options) {
  const CommonOptions& common = options.common;
  CliJob job(programDir, common);
  CliMachine& machine = job.machine();
  TerminalPrompts& prompts = machine.prompts();
  // The file's own messages name it; the link's do not.
  const auto refuseFile = [&](const std::string& text) {
    prompts.setSubject(options.file);
    job.refuse(text);
    prompts.setSubject({});
    return kBadInput;
  };

  const gcode::GcodeFileRead read = gcode::ReadGcodeFile(settings::PathFromUtf8(options.file));
  if (read.error) return refuseFile(read.error->message);
  const gcode::GcodeProgram& program = read.program;
  // The window's choice: words that move the machine stop the file, the others are left out
  // when the user says so.
  if (!program.unknown.empty()) {
    const std::string list = UnknownWordsLine(program);
    if (program.unknownMoves) return refuseFile(list + " " + kUnknownMovesText);
    if (!options.runAnyway) return refuseFile(list + " " + kRunAnywayText);
    prompts.setSubject(options.file);
    prompts.message(link::kWarningCaption, list);
    prompts.setSubject({});
  }

  const link::MachineSettings& settings = machine.settings();
  gcode::Firmware firmware = *gcode::FirmwareOfTag(options.firmware);
  // Without a board to answer, --firmware is the machine: the emulated controller plays it. A
  // file it refuses is refused before a byte goes out.
  const bool boardAnswers = !common.port.empty() && !common.estimate;
  if (!boardAnswers) {
    if (const auto refusal =
            gcode::CheckTranslation(program, gcode::TranslateSettings::Of(settings, firmware))) {
      return refuseFile(refusal->message);
    }
  }
  link::MachineLink& link = machine.link();
  if (!common.estimate) {
    // The G-code window's gate: either tag; the one asked for first is what an emulated
    // controller plays.
    const std::string other = options.firmware == "MT" ? "OT" : "MT";
    if (const ExitStatus status = job.connect(options.firmware, other); status != kDone) {
      return status;
    }
    if (const auto answered = gcode::FirmwareOfTag(link.firmwareReply()); answered) {
      firmware = *answered;
    }
  }
  const gcode::TranslateSettings translate = gcode::TranslateSettings::Of(settings, firmware);
  gcode::GcodeError refusal;
  const auto estimate = gcode_run::EstimateRun(program, translate, options.returnToStart,
                                               link::AwaitedTimeModel(link), &refusal);
  if (!estimate) return refuseFile(refusal.message);
  if (common.estimate) return job.printEstimate(estimate);
  // The run clears StopRequested as it starts: a Ctrl+C that came before must not be lost.
  if (machine.stopped()) return kStopped;

  link::PacedPump pump(link.pump());
  gcode_run::StepPlace place;
  bool worked = false;  // a work move has been made: a tool is in the work
  gcode_run::GcodeSender sender(
      {link, program, translate, [&machine] { return machine.sends(); },
       [&options] { return options.returnToStart; },
       [&place, &worked](const gcode::StepCommand& command, const gcode_run::StepPlace& at) {
         place = at;
         worked = worked || command.work;
       },
       [&pump] { pump(); },
       [&](const gcode::Pause& pause) { return ToolChanged(prompts, pause, worked); }});
  // Stopped on "MT", the cutter comes out of the work: the file's Z 0 is the stock's top where
  // CAM programs put it, so a cutter below it rises to the safe height of the standard G-code
  // form above it (gcode_safe_z). Standing at or above it, it is out already and stays; a file
  // that never goes below Z 0 never lifts.
  const double safeZ = job.standardOptions().safeZ;
  prompts.setLiftCutter([&] {
    const double z = static_cast<double>(place.z) * translate.mm.z;
    if (!machine.sends() || !(z < 0)) return;
    manual::LiftCutter(link, settings, sender.replies(), MillimetreText(safeZ - z), false);
  });

  // A tool change (T, M6) shows its message and the run goes on: a terminal has no OK button to
  // wait for. Dwells (G4) wait their time.
  const ExitStatus status =
      job.runFollowed(estimate, [&](link::JobStream& stream) { return sender.run(&stream); },
                      gcode_run::kGcodeDoneText);
  prompts.setLiftCutter({});
  return status;
}

}  // namespace vexa::cli
