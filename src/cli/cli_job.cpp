#include "cli/cli_job.h"

#include <cstdio>

#include "link/link_abort.h"
#include "picture/qt_codec.h"
#include "settings/path_text.h"

namespace vexa::cli {

CliJob::CliJob(const std::filesystem::path& programDir, const CommonOptions& common)
    : programDir_(programDir),
      common_(common),
      machine_(programDir, common),
      progress_(!common.quiet) {
  machine_.prompts().setBeforeMessage([this] { progress_.finish(); });
}

ExitStatus CliJob::refuse(const std::string& text) {
  machine_.prompts().message(link::kErrorCaption, text);
  return kBadInput;
}

picture::WindowPicture& CliJob::openPicture(const std::string& pathKey, int copies,
                                            const std::string& refusalLine,
                                            const std::string& storedPath) {
  const std::filesystem::path outDir =
      common_.outDir.empty() ? programDir_ : settings::PathFromUtf8(common_.outDir);
  picture_ = std::make_unique<picture::WindowPicture>(
      picture::WindowPictureSetup{outDir, pathKey, copies, refusalLine}, machine_.prompts(),
      [](const std::filesystem::path& path) { return picture::LoadPictureFile(path); });
  picture_->setEventPump(&machine_.link().pump());
  picture_->setPath(common_.picture.empty() ? storedPath : common_.picture);
  return *picture_;
}

bool CliJob::intake(const std::function<bool()>& load) {
  machine_.prompts().setSubject(picture_ ? picture_->path() : std::string());
  const bool loaded = load();
  machine_.prompts().setSubject({});
  return loaded;
}

std::optional<std::filesystem::path> CliJob::gcodePath() const {
  if (common_.gcode.empty()) return std::nullopt;
  return settings::PathFromUtf8(common_.gcode);
}

gcode::Dialect CliJob::dialect() const {
  if (common_.dialect == "standard") return gcode::Dialect::Standard;
  if (common_.dialect == "vexa") return gcode::Dialect::Vexa;
  return gcode::ReadDialect(machine_.iniFile().ReadSettings());
}

gcode::StandardOptions CliJob::standardOptions() const {
  return gcode::ReadStandardOptions(machine_.iniFile().ReadSettings());
}

ExitStatus CliJob::printEstimate(const std::optional<link::JobEstimate>& estimate) {
  const std::string text = estimate ? link::EstimateText(*estimate) : link::NoEstimateText();
  std::printf("%s\n", text.c_str());
  return estimate ? kDone : kBadInput;
}

std::function<void(const link::ProgressReport&)> CliJob::progressShower() {
  if (!progress_.shown()) return {};
  return [this](const link::ProgressReport& report) { progress_.show(report); };
}

ExitStatus CliJob::run(const std::optional<link::JobEstimate>& estimate,
                       const std::function<bool()>& job) {
  progress_.start(estimate);
  ExitStatus status = kDone;
  try {
    if (!job()) status = kBadInput;
  } catch (const link::LinkAbort&) {
    status = machine_.abortStatus();
  } catch (const std::exception& error) {
    status = refuse(error.what());
  }
  progress_.finish();
  // A stop that came after the last move: the job is done all the same.
  return status;
}

ExitStatus CliJob::runFollowed(const std::optional<link::JobEstimate>& estimate,
                               const std::function<bool(link::JobStream&)>& job,
                               const std::string& doneText) {
  link::MachineLink& link = machine_.link();
  std::optional<link::JobProgress> progress;
  if (const auto show = progressShower(); estimate && show) {
    progress.emplace(*estimate, show, link::JobClock(link));
  }
  const std::int64_t start = link::SystemSteadyNanos();
  const ExitStatus status = run(estimate, [&] {
    link::JobStream stream = link::JobStream::Running(0, progress ? &*progress : nullptr, nullptr);
    if (!job(stream)) return false;
    if (progress) progress->finish();
    return true;
  });
  if (status == kDone) {
    machine_.prompts().message(link::kDefaultCaption,
                               link::JobDoneText(doneText, link::WholeSecondsSince(start)));
  }
  return status;
}

}  // namespace vexa::cli
