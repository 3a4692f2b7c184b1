#pragma once
// A raster run against a scripted port that answers every command with "T" (and can cut the
// line at a chosen command), with the laser or wood rules and the window's boxes as plain
// flags.

#include <gtest/gtest.h>

#include <optional>

#include "link/fake_serial_port.h"
#include "raster/raster_job.h"
#include "raster/raster_run.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "wood/wood_job.h"

namespace vexa::raster::test {

// Answers "T" to every command but the `cutAt`-th (counting from 1), at which the line goes:
// the command is written, its read fails and the port has closed itself.
class CuttingPort : public vexa::test::FakeSerialPort {
 public:
  int cutAt = 0;  // 0: never
  int writes = 0;
  void write(const std::string& text) override {
    if (!opened) return;
    written.push_back(text);
    if (++writes == cutAt) {
      incoming.push_back(kFailed);
      opened = false;
      return;
    }
    arrive("T");
  }
};

enum class Mode { Laser, Wood };

class RunBench {
 public:
  RunBench() { port.opened = true; }

  // `picture` engraved W x 0,25 mm wide: 50 steps per pixel at 0,005 mm per step.
  RunParts parts(const picture::PixelBuffer& picture, Mode mode) {
    bitmap = picture;
    widthMm = picture.width() * 0.25;
    RunParts made{link,
                  moves,
                  settings,
                  bitmap,
                  {},
                  {},
                  RunBoxes{[this] { return send; }, {}, [this] { return back; },
                           [this] { return twice(); }},
                  RunNumbers{4000, 300, widthMm, picture.height() * 0.25},
                  RunRules{},
                  exportPath};
    if (mode == Mode::Laser) {
      UseLaserRules(made);
    } else {
      wood::UseWoodRules(made);
    }
    return made;
  }

  // The commands one run sends, from the port's record; false when it ended by the link abort.
  bool run(RunParts made) {
    const std::size_t before = port.written.size();
    bool finished = true;
    try {
      RasterRun(std::move(made)).run();
    } catch (const link::LinkAbort&) {
      finished = false;
    }
    last.assign(port.written.begin() + static_cast<long>(before), port.written.end());
    return finished;
  }

  CuttingPort port;
  link::NoEventPump pump;
  vexa::test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings settings;
  bool send = true, back = false;
  std::function<bool()> twice = [] { return false; };
  double widthMm = 0.5;
  picture::PixelBuffer bitmap;
  link::RasterMoves moves{link::MotionContext(link, settings, [this] { return send; }),
                          [this] { return link::PlaneScale{widthMm, bitmap.width()}; }};
  std::optional<std::filesystem::path> exportPath;
  std::vector<std::string> last;
  vexa::test::TempFolder folder;
};

}  // namespace vexa::raster::test
