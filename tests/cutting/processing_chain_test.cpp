// "Обработать" in core: the network file it demands, the fixed chain with its status texts, the
// views and neuro.bmp it leaves, and the files that cannot be read or written.

#include "cutting/processing_chain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cutting/cutting_pictures.h"
#include "cutting/plain_cutting.h"
#include "figures/figure_pictures.h"
#include "picture/bmp_file.h"
#include "support/held_file.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::cutting {
namespace {

using picture::PixelBuffer;

struct ChainBench {
  explicit ChainBench(const PixelBuffer& picture)
      : source(picture), working(picture), templatePicture(picture), laser(picture) {
    display.show = [this](const std::string& text) { statuses.push_back(text); };
  }
  bool run() {
    return ProcessPicture(
        {folder.path(), prompts, {working, templatePicture, laser}, display, [this] {
           ++redraws;
         }});
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& m : prompts.messages) texts.push_back(m.caption + ": " + m.text);
    return texts;
  }

  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  PixelBuffer source, working, templatePicture, laser;
  OperationDisplay display;
  std::vector<std::string> statuses;
  int redraws = 0;
};

TEST(ProcessingChain, RunsTheFixedChainIntoTheViewsAndNeuroBmp) {
  ChainBench bench(test::PhotoLike(90, 70, 3));
  bench.folder.write("neuro.net", "any bytes");
  ASSERT_TRUE(bench.run());
  EXPECT_TRUE(bench.prompts.messages.empty());

  PixelBuffer expected = bench.source;
  const int trimPasses = plain::Chain(expected);
  EXPECT_EQ(bench.working, expected);
  EXPECT_EQ(bench.templatePicture, bench.working);
  EXPECT_EQ(bench.laser, bench.working);
  EXPECT_EQ(bench.redraws, 1);
  const picture::BmpPicture stored = picture::ReadBmpFile(bench.folder / "neuro.bmp");
  EXPECT_EQ(stored.bitsPerPixel, 24);
  EXPECT_EQ(stored.pixels, bench.working);

  std::vector<std::string> statuses = {"Нейро. ST - 1"};
  for (int pass = 1; pass <= 5; ++pass) statuses.push_back(StatusText("CN", pass));
  for (int pass = 1; pass <= trimPasses; ++pass) statuses.push_back(StatusText("CR", pass));
  statuses.insert(statuses.end(), {"Нейро. CL - 1", "Нейро. GS - 1"});
  for (int pass = 1; pass <= 5; ++pass) statuses.push_back(StatusText("SM", pass));
  EXPECT_EQ(bench.statuses, statuses);
  EXPECT_GT(trimPasses, 1);
}

TEST(ProcessingChain, ThinLinesTakeOneTrimmingPass) {
  ChainBench bench(figures::test::Drawn({
      "..............",
      ".#########....",
      "..........#...",
      "...........#..",
      "..#.........#.",
      "..#...........",
      "..#...........",
      "..............",
  }));
  bench.folder.write("neuro.net", "x");
  ASSERT_TRUE(bench.run());
  const auto trims = std::count_if(bench.statuses.begin(), bench.statuses.end(),
                                   [](const std::string& s) { return s.starts_with("Нейро. CR"); });
  EXPECT_EQ(trims, 1);
  EXPECT_NE(std::find(bench.statuses.begin(), bench.statuses.end(), "Нейро. CR - 1"),
            bench.statuses.end());
}

TEST(ProcessingChain, TheNetworkFileIsFoundInACyrillicProgramFolder) {
  const vexa::test::TempFolder folder;
  std::filesystem::create_directory(folder / "Программа");
  folder.write("Программа/neuro.net", "net");
  EXPECT_EQ(LoadNetworkFile(folder / "Программа/neuro.net"), NetworkFile::Loaded);
}

TEST(ProcessingChain, TheNetworkFileMustBeThereAndReadable) {
  struct Case {
    const char* name;
    std::function<void(const vexa::test::TempFolder&)> prepare;
    std::string message;
  };
#ifdef _WIN32
  std::optional<vexa::test::HeldFile> holder;
#endif
  const std::vector<Case> cases = {
      {"missing", [](const vexa::test::TempFolder&) {}, MissingNetworkText()},
      {"a folder of that name",
       [](const vexa::test::TempFolder& f) { std::filesystem::create_directory(f / "neuro.net"); },
       MissingNetworkText()},
      {"empty", [](const vexa::test::TempFolder& f) { f.write("neuro.net", ""); },
       EmptyNetworkText()},
#ifdef _WIN32
      // A file another program keeps open for itself alone.
      {"unreadable",
       [&holder](const vexa::test::TempFolder& f) {
         f.write("neuro.net", "net");
         holder.emplace(f / "neuro.net", vexa::test::HeldFile::Sharing::Nothing);
         ASSERT_TRUE(holder->held());
       },
       UnreadableNetworkText()},
#else
      // A plain file whose reading fails: the process's own memory file, read from its start.
      {"unreadable",
       [](const vexa::test::TempFolder& f) {
         std::filesystem::create_symlink("/proc/self/mem", f / "neuro.net");
       },
       UnreadableNetworkText()},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChainBench bench(test::PhotoLike(20, 20, 1));
    c.prepare(bench.folder);
    EXPECT_FALSE(bench.run());
    EXPECT_EQ(bench.messages(), std::vector<std::string>{"Ошибка: " + c.message});
    EXPECT_EQ(bench.working, bench.source);
    EXPECT_EQ(bench.laser, bench.source);
    EXPECT_TRUE(bench.statuses.empty());
    EXPECT_FALSE(std::filesystem::exists(bench.folder / "neuro.bmp"));
#ifdef _WIN32
    holder.reset();  // before the folder goes
#endif
  }
  EXPECT_EQ(MissingNetworkText(),
            "Отсутвует файл нейронной сети.\r\nПроверьте наличие файла neuro.net в папке с "
            "программой.");
}

TEST(ProcessingChain, AnUnwritableResultIsNamedAndTheViewsKeepIt) {
  ChainBench bench(test::PhotoLike(20, 20, 2));
  bench.folder.write("neuro.net", "x");
  std::filesystem::create_directory(bench.folder / "neuro.bmp");
  EXPECT_TRUE(bench.run());
  EXPECT_EQ(bench.messages(),
            std::vector<std::string>{"Ошибка: " +
                                     ResultNotWrittenText((bench.folder / "neuro.bmp").string())});
  EXPECT_EQ(bench.laser, bench.working);
  EXPECT_NE(bench.working, bench.source);
}

}  // namespace
}  // namespace vexa::cutting
