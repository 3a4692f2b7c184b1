// Going on after a cut link: for every point the line can be cut at, the run that goes on sends
// the setup and exactly what the uninterrupted run sent after that point, writes the same whole
// G-code file, and the journal knows where that point is.

#include <gtest/gtest.h>

#include "picture/picture_samples.h"
#include "raster/interrupted_run.h"
#include "raster_run_fixture.h"

namespace vexa::raster {
namespace {

using picture::PixelBuffer;
using picture::test::GrayPicture;
using test::Mode;
using test::RunBench;
using Texts = std::vector<std::string>;

struct Case {
  const char* name;
  Mode mode;
  bool twice = false, back = false;
};

const Case kCases[] = {{"laser", Mode::Laser},
                       {"laser double pass, return", Mode::Laser, true, true},
                       {"wood with return", Mode::Wood, false, true}};

PixelBuffer picture() {
  return GrayPicture({{0, 128, 255, 254}, {255, 255, 255, 255}, {17, 255, 0, 0}});
}

Texts tail(const Texts& full, std::int64_t firstMove) {
  Texts expected{full.front()};  // the setup again
  expected.insert(expected.end(), full.begin() + 1 + firstMove, full.end());
  return expected;
}

void setUp(RunBench& bench, const Case& c) {
  bench.back = c.back;
  bench.twice = [twice = c.twice] { return twice; };
}

TEST(Resume, FromEveryMoveTheRestIsWhatTheWholeRunSent) {
  for (const Case& c : kCases) {
    RunBench bench;
    setUp(bench, c);
    bench.exportPath = bench.folder / "full.gcode";
    RunJournal journal;
    RunParts full = bench.parts(picture(), c.mode);
    full.journal = &journal;
    ASSERT_TRUE(bench.run(std::move(full)));
    const Texts whole = bench.last;
    const std::string gcode = c.mode == Mode::Laser ? bench.folder.read("full.gcode") : "";
    for (std::int64_t first = 0; first + 1 < static_cast<std::int64_t>(whole.size()); ++first) {
      bench.exportPath = bench.folder / "resumed.gcode";
      RunParts resumed = bench.parts(picture(), c.mode);
      resumed.resume = ResumeFrom{first, journal.doublePass};
      ASSERT_TRUE(bench.run(std::move(resumed)));
      EXPECT_EQ(bench.last, tail(whole, first)) << c.name << ", from move " << first;
      if (c.mode == Mode::Laser) {
        EXPECT_EQ(bench.folder.read("resumed.gcode"), gcode) << c.name << ", from move " << first;
      }
    }
  }
}

TEST(Resume, ACutLineLeavesTheFirstUnconfirmedMoveAndItsRow) {
  for (const Case& c : kCases) {
    RunBench whole;
    setUp(whole, c);
    ASSERT_TRUE(whole.run(whole.parts(picture(), c.mode)));
    const Texts all = whole.last;
    // Cut at the setup, at every move, and at the final wait (after the last move).
    for (int cutAt = 1; cutAt <= static_cast<int>(all.size()); ++cutAt) {
      RunBench bench;
      setUp(bench, c);
      bench.port.cutAt = cutAt;
      RunJournal journal;
      RunParts parts = bench.parts(picture(), c.mode);
      parts.journal = &journal;
      const std::uint64_t failures = bench.link.readFailures();
      InterruptedRun started{picture(), parts.numbers, std::nullopt, {}, 1, 1, 0};
      EXPECT_FALSE(bench.run(std::move(parts))) << c.name << ", cut at " << cutAt;
      const auto cut = NoteInterruption(bench.link, failures, started, journal);
      ASSERT_TRUE(cut) << c.name << ", cut at " << cutAt;
      // The command whose reply never came is the first one the controller did not confirm.
      const std::int64_t expectedFirst = cutAt <= 2 ? 0 : cutAt - 2;
      EXPECT_EQ(cut->resume.firstMove, expectedFirst) << c.name << ", cut at " << cutAt;
      EXPECT_GE(cut->row, 1);
      EXPECT_LE(cut->row, 3);
      EXPECT_EQ(cut->rows, 3);

      // Plugged in again: the setup, then what was left.
      bench.port.cutAt = 0;
      bench.port.opened = true;
      bench.port.incoming.clear();
      RunParts goOn = bench.parts(picture(), c.mode);
      goOn.resume = cut->resume;
      ASSERT_TRUE(bench.run(std::move(goOn))) << c.name << ", cut at " << cutAt;
      EXPECT_EQ(bench.last, tail(all, cut->resume.firstMove)) << c.name << ", cut at " << cutAt;
    }
  }
}

TEST(Resume, TheRowsOfTheQuestion) {
  // Row 1: travel, burn, burn, travel, burn (moves 0-4, writes 2-6); the row move to row 2 (5);
  // row 2 is white: the row move to row 3 (6).
  RunBench whole;
  ASSERT_TRUE(whole.run(whole.parts(picture(), Mode::Laser)));
  const struct {
    int cutAt;
    int row;
  } cases[] = {{3, 1}, {6, 1}, {7, 2}, {8, 3}};
  for (const auto& c : cases) {
    RunBench bench;
    bench.port.cutAt = c.cutAt;
    RunJournal journal;
    RunParts parts = bench.parts(picture(), Mode::Laser);
    parts.journal = &journal;
    bench.run(std::move(parts));
    const auto cut = NoteInterruption(bench.link, 0, {picture(), {}, {}, {}, 1, 1, 0}, journal);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->row, c.row) << "cut at " << c.cutAt;
  }
  EXPECT_EQ(ResumeQuestionText(12, 750),
            "Продолжить гравировку со строки 12 из 750?\r\nГоловка должна стоять там, где её "
            "застал обрыв связи: если её сдвигали, ответьте \"Нет\".");
}

TEST(Resume, TheDoublePassGoesOnAsItWasAnsweredBeforeTheCut) {
  RunBench bench;
  // "Двойной проход" ticked for the first row pair only, then cleared.
  int asked = 0;
  bench.twice = [&asked] { return asked++ == 0; };
  RunJournal journal;
  RunParts whole = bench.parts(picture(), Mode::Laser);
  whole.journal = &journal;
  ASSERT_TRUE(bench.run(std::move(whole)));
  const Texts all = bench.last;
  ASSERT_EQ(journal.doublePass, (std::vector<bool>{true, false}));
  // Going on from the second row pair with the box ticked again: the first pair is walked as it
  // was, the rest as the box says now... which here is still what the record says.
  bench.twice = [] { return true; };
  RunParts resumed = bench.parts(picture(), Mode::Laser);
  resumed.resume = ResumeFrom{6, journal.doublePass};
  ASSERT_TRUE(bench.run(std::move(resumed)));
  EXPECT_EQ(bench.last, tail(all, 6));
}

TEST(Resume, AStopTheUserChoseLeavesNothingToGoOnFrom) {
  RunBench bench;
  bench.prompts.answers = {true};
  RunJournal journal;
  RunParts parts = bench.parts(picture(), Mode::Laser);
  parts.journal = &journal;
  parts.afterMove = [&bench] { bench.link.StopRequested = true; };
  EXPECT_FALSE(bench.run(std::move(parts)));
  EXPECT_FALSE(NoteInterruption(bench.link, 0, {picture(), {}, {}, {}, 1, 1, 0}, journal));
}

TEST(Resume, OnlyTheGrayLevelsOfThePictureMustStayTheSame) {
  const PixelBuffer walked = picture();
  PixelBuffer marked = walked;
  marked.pixel(1, 1)[2] = 255;  // a burned pixel's red mark
  EXPECT_TRUE(SameLevels(marked, walked));
  marked.pixel(2, 1)[0] = 0;
  EXPECT_FALSE(SameLevels(marked, walked));
  EXPECT_FALSE(SameLevels(PixelBuffer(4, 2), walked));
}

}  // namespace
}  // namespace vexa::raster
