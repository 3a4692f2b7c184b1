// The outline jobs against a scripted port, the edge lines, and the field checks.

#include "outline/outline_job.h"

#include <gtest/gtest.h>

#include "figures/figure_pictures.h"
#include "link/fake_serial_port.h"
#include "outline/edge_lines.h"
#include "outline/outline_fixture.h"
#include "outline/outline_numbers.h"
#include "picture/picture_samples.h"
#include "support/recording_prompts.h"

namespace vexa::outline {
namespace {

using figures::test::Drawn;
using picture::test::GrayPicture;
using picture::test::Levels;

class OutlineJobTest : public ::testing::Test {
 protected:
  OutlineJobTest() {
    port.opened = true;
    port.replyToEachWrite = "T";
  }

  vexa::test::FakeSerialPort port;
  link::NoEventPump pump;
  vexa::test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  test::OutlineBench bench{link};
};

TEST_F(OutlineJobTest, MarksEveryStepAndRedrawsEveryEleventh) {
  // A 6 x 6 square: 20 steps around it.
  bench.load(Drawn({"........", ".######.", ".######.", ".######.", ".######.", ".######.",
                    ".######.", "........"}));
  bench.spotDiameter = 1;  // radius 0,5: the pixel itself
  bench.redraws = 0;
  OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(2, 2));
  EXPECT_EQ(bench.redraws, 20 / kRedrawEvery + 1) << "every 11th step, and after the figure";
  for (int y = 2; y <= 7; ++y) {
    for (int x = 2; x <= 7; ++x) {
      const bool edge = x == 2 || x == 7 || y == 2 || y == 7;
      EXPECT_EQ(bench.tool.pixel(x, y)[2] == 255 && bench.tool.pixel(x, y)[0] == 0, edge)
          << x << "," << y;
    }
  }
}

TEST_F(OutlineJobTest, OptimisationModeCollectsTheTravelsReplyAfterEachContour) {
  port.replyToEachWrite.clear();
  std::size_t answered = 0;
  port.onIdleRead = [&] {
    if (port.written.size() > answered) {
      port.arrive("T");
      ++answered;
    }
  };
  bench.settings.SM_optim = 1;
  bench.load(Drawn({".....", ".###.", ".#.#.", ".###.", "....."}));
  OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(2, 2));
  EXPECT_EQ(answered, port.written.size());
  EXPECT_TRUE(bench.moves.record.replyBuffer.empty());
}

TEST(EdgeLinesTest, AOnePixelRimWhereverTheGrayStepsByMoreThanTen) {
  const picture::PixelBuffer source = GrayPicture({
      {0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 0, 0},
      {0, 0, 0, 10, 10, 10},
      {0, 0, 0, 10, 11, 90},
  });
  EXPECT_EQ(Levels(EdgeLines(source)), (std::vector<std::vector<int>>{
                                           {0, 0, 0, 0, 0, 0},
                                           {0, 0, 0, 0, 0, 0},
                                           {0, 0, 0, 0, 0, 0},
                                           {0, 0, 0, 10, 255, 10},
                                           {0, 0, 0, 10, 11, 90},
                                       }))
      << "rows and columns at the edge keep their levels; 10 apart is no step";
}

TEST(OutlineNumbersTest, EveryFieldIsCheckedBeforeAnythingMoves) {
  EXPECT_EQ(std::get<std::string>(ReadOutlineNumbers({"0", "2", "1000"})),
            "Введите в поле ширины число больше 0!");
  EXPECT_EQ(std::get<std::string>(ReadOutlineNumbers({"200", "-2", "1000"})),
            "Введите в поле диаметра пятна число не меньше 0!");
  EXPECT_EQ(std::get<std::string>(ReadOutlineNumbers({"200", "2", "x"})),
            "Введите в поле задержки число от 0 до 2147483647!");
  EXPECT_TRUE(std::holds_alternative<OutlineNumbers>(ReadOutlineNumbers({"200", "2", "x"}, false)));
  const auto numbers = std::get<OutlineNumbers>(ReadOutlineNumbers({"12,5", "0.2", "999,5"}));
  EXPECT_DOUBLE_EQ(numbers.widthMm, 12.5);
  EXPECT_DOUBLE_EQ(numbers.diameterMm, 0.2);
  EXPECT_EQ(numbers.laserDelay, 1000);
}

}  // namespace
}  // namespace vexa::outline
