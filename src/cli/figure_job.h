#pragma once
// What the figure jobs of vexa-cli share, as the figure windows share FigureWindow: the four
// pictures and the figure data, the cnc.ini fields, the G-code file, and a followed run with its
// progress and closing line.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "cli/cli_job.h"
#include "figures/checked_numbers.h"
#include "figures/figure_data.h"
#include "figures/figure_snapshot.h"
#include "figures/parse_figures.h"
#include "gcode/job_gcode.h"
#include "link/job_stream.h"
#include "link/move_listener.h"
#include "settings/settings.h"

namespace vexa::cli {

// The window's pictures and figures, loaded as the window loads them.
struct FigurePictures {
  picture::WindowPicture& picture;
  figures::FigureData figures;

  picture::PixelBuffer& source() { return picture.copy(figures::kSourceCopy); }
  picture::PixelBuffer& working() { return picture.copy(figures::kWorkingCopy); }
  picture::PixelBuffer& tool() { return picture.copy(figures::kToolCopy); }
  void parse() { figures::ParseFigures(working(), figures); }  // "Разобрать"
  figures::FigureSnapshot snapshot() {
    return figures::TakeSnapshot(source(), working(), tool(), figures);
  }
};

// Runs a followed figure job: its progress on the terminal, its G-code, its end in a line.
template <typename Moves>
ExitStatus RunFollowed(CliJob& job, Moves& moves, const std::optional<link::JobEstimate>& estimate,
                       const std::function<std::unique_ptr<gcode::JobGcode>()>& startGcode,
                       const std::function<void()>& body, const std::string& done) {
  return job.runFollowed(
      estimate,
      [&](link::JobStream& stream) {
        link::StreamScope followed(moves.stream, stream);
        const auto gcode = startGcode();
        body();
        if (gcode) gcode->finish();
        return true;
      },
      done);
}

// The window's picture under its cnc.ini key, loaded into the four copies as the window loads
// it; nullopt after the message.
std::optional<FigurePictures> LoadFigurePictures(CliJob& job, const std::string& pathKey,
                                                 const std::string& refusalLine,
                                                 const std::string& storedPath);

// The window's numbers once read (or the message why not) and checked against the picture:
// nullopt after the message.
template <typename Numbers, typename RangeProblem>
std::optional<Numbers> CheckedNumbers(CliJob& job, const std::variant<Numbers, std::string>& read,
                                      RangeProblem&& rangeProblem) {
  return figures::CheckedNumbers(job.machine().prompts(), read,
                                 std::forward<RangeProblem>(rangeProblem));
}

// "Разобрать" and the check of the job's button: "Выделенная" (`figure` > 0) on that figure of
// the tree, "Все" on a tree at all. The figure (0 for "Все"), or nullopt after the message.
std::optional<std::int32_t> ParseAndPick(FigurePictures& pictures, int figure,
                                         link::Prompts& prompts);

// The job planned as the window plans its estimate (`plan` takes the time model); none where
// the job would be refused on a move beyond the step range.
template <typename Plan>
std::optional<link::JobEstimate> PlanOrNone(link::MachineLink& link, Plan&& plan) {
  try {
    return plan(link::AwaitedTimeModel(link));
  } catch (const link::PlanRefused&) {
    return std::nullopt;
  }
}

// A window's stored field: cnc.ini's value, or the key's built-in default.
class StoredFields {
 public:
  explicit StoredFields(CliJob& job);
  std::string operator()(const std::string& key) const;

 private:
  settings::SettingsSnapshot ini_;
  std::filesystem::path programDir_;
};

// The job's G-code file when --gcode asks for one: the standard form, its header naming the job,
// the picture and the fields as the window names them.
std::unique_ptr<gcode::JobGcode> StartJobGcode(CliJob& job, gcode::JobGcode::Tool tool,
                                               const std::string& jobName,
                                               const std::string& picturePath,
                                               const std::string& widthText,
                                               const std::string& numbers,
                                               link::MoveListener& slot);

}  // namespace vexa::cli
