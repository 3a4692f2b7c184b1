// Field values out of range in every operation window, typed as a person types them or stored
// in cnc.ini: one message naming the field, nothing sent, the window usable afterwards. One
// table of values against windows and their buttons.

#include <QtTest>
#include <functional>
#include <map>
#include <type_traits>

#include "cutting/cutting_window.h"
#include "figures/figure_pictures.h"
#include "link/step_count.h"
#include "milling/milling_numbers.h"
#include "milling/milling_window.h"
#include "outline/outline_numbers.h"
#include "outline/outline_window.h"
#include "raster/raster_window.h"
#include "scanner/scan_numbers.h"
#include "scanner/scanner_window.h"
#include "support/window_bench.h"
#include "wood/wood_window.h"

using Commands = std::vector<std::string>;

namespace {

// What a window did with the refused field.
struct Outcome {
  std::vector<std::string> messages;
  Commands commands;
  bool usable = false;  // no job running, the buttons clicked and the field switched on
};

struct Drive {
  std::string stored;  // further cnc.ini lines
  QString field;       // typed when not empty
  QString text;
  QStringList clicks;  // "Разобрать" and the like first, the refused job last
};

// A 4 x 4 picture with a dark 2 x 2 square: figures to mill and outline, lines to cut.
vexa::picture::PixelBuffer square() {
  return vexa::figures::test::Drawn({"....", ".##.", ".##.", "...."});
}

template <typename Window>
Outcome run(const char* tag, const char* imageKey, const Drive& drive) {
  vexa::test::WindowBench<Window> bench(tag);
  if (imageKey != nullptr) {
    bench.prepare(square(), imageKey, drive.stored);
  } else {
    bench.sim.folder.write("cnc.ini", "[CNC]\r\n" + drive.stored);
  }
  Window& window = [&]() -> Window& {
    if constexpr (std::is_same_v<Window, vexa::raster::RasterWindow>) {
      return bench.open(std::string());  // the laser, not the impact head
    } else {
      return bench.open();
    }
  }();
  if (!drive.field.isEmpty()) bench.type(drive.field.toUtf8().constData(), drive.text);
  for (const QString& name : drive.clicks) bench.click(name.toUtf8().constData());
  Outcome outcome;
  for (const auto& message : bench.sim.prompts.messages) outcome.messages.push_back(message.text);
  outcome.commands = bench.commands();
  outcome.usable = !window.jobRunning();
  for (const QString& name : drive.clicks) {
    outcome.usable = outcome.usable && bench.button(name.toUtf8().constData())->isEnabled();
  }
  if (!drive.field.isEmpty()) {
    outcome.usable = outcome.usable && bench.field(drive.field.toUtf8().constData())->isEnabled();
  }
  return outcome;
}

using Runner = std::function<Outcome(const Drive&)>;

const std::map<QString, Runner>& windows() {
  static const std::map<QString, Runner> all{
      {"milling",
       [](const Drive& d) {
         Drive drive = d;
         drive.stored = "cncrez_width=0,02\r\ncncrez_depth=1,275\r\n" + d.stored;
         return run<vexa::milling::MillingWindow>("MT", "Image", drive);
       }},
      {"outline",
       [](const Drive& d) {
         Drive drive = d;
         drive.stored = "Etching2_width=0,02\r\n" + d.stored;
         return run<vexa::outline::OutlineWindow>("OT", "Etching2_image", drive);
       }},
      {"cutting", [](const Drive& d) { return run<vexa::cutting::CuttingWindow>("OT", "Etching9_image", d); }},
      {"raster", [](const Drive& d) { return run<vexa::raster::RasterWindow>("PT", "Etching_image", d); }},
      {"wood", [](const Drive& d) { return run<vexa::wood::WoodWindow>("BT", "Etching1_image", d); }},
      {"scanner", [](const Drive& d) { return run<vexa::scanner::ScannerWindow>("ST", nullptr, d); }},
  };
  return all;
}

}  // namespace

class FieldRangesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aValueOutOfRangeIsNamedAndNothingMoves_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("message");
    const QString huge = "20000000000000000000";
    const QString tiny = "0,00000000000000001";
    const QString cutter = vexa::milling::kCutterRangeText;
    const QString spot = vexa::outline::kSpotRangeText;
    const QString width = vexa::link::kWidthRangeText;
    auto row = [](const char* name, const char* window, const char* stored, const char* field,
                  const QString& text, const QStringList& clicks, const QString& message) {
      QTest::newRow(name) << QString(window) << QString(stored) << QString(field) << text
                          << clicks << message;
    };
    // The cutter and the spot: their marks would spin for ever.
    row("milling cutter, Все", "milling", "", "Text3", huge, {"Command3", "Command2"}, cutter);
    row("milling cutter, Резать 3D", "milling", "", "Text3", huge, {"Command6"}, cutter);
    row("milling cutter, Градиент", "milling", "", "Text3", huge, {"Command4"}, cutter);
    row("milling cutter, Отступить", "milling", "", "Text3", huge, {"Command5"}, cutter);
    row("milling cutter from cnc.ini", "milling", "mill_diameter=20000000000000000000\r\n", "",
        "", {"Command3", "Command2"}, cutter);
    row("milling width of almost nothing", "milling", "", "Text6", tiny, {"Command3", "Command2"},
        cutter);
    row("outline spot, Все", "outline", "", "Text3", huge, {"Command3", "Command2"}, spot);
    row("outline spot, Грав-ть всё", "outline", "", "Text3", huge, {"Command6"}, spot);
    row("outline spot, Отступить", "outline", "", "Text3", huge, {"Command5"}, spot);
    row("outline width of almost nothing", "outline", "", "Text6", tiny, {"Command6"}, spot);
    // The whole job's range, before its first command.
    row("milling depth", "milling", "", "Text1", "1000000000000000000000000000000",
        {"Command3", "Command2"}, vexa::milling::kDepthRangeText);
    row("milling width", "milling", "", "Text6", "100000000", {"Command3", "Command2"}, width);
    row("outline width", "outline", "", "Text6", "100000000", {"Command3", "Command2"}, width);
    row("cutting width", "cutting", "", "Text6", "100000000", {"Command2"}, width);
    // 100 pixels of 2·10^8 steps: the row's travel would leave the range halfway.
    row("raster width", "raster", "Etching_width=100000000\r\nEtching_diameter=1000000\r\n", "",
        "", {"Command1"}, width);
    row("wood width", "wood", "Etching1_width=100000000\r\nEtching1_diameter=1000000\r\n", "", "",
        {"Command1"}, width);
    row("scanner area", "scanner", "", "Text8", "100000000000", {"Command6"},
        vexa::scanner::kAreaWidthRangeText);
  }
  void aValueOutOfRangeIsNamedAndNothingMoves() {
    QFETCH(QString, window);
    QFETCH(QString, stored);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, clicks);
    QFETCH(QString, message);
    const Outcome outcome = windows().at(window)({stored.toStdString(), field, text, clicks});
    QCOMPARE(outcome.messages, std::vector<std::string>{message.toStdString()});
    QCOMPARE(outcome.commands, Commands{"V"});
    QVERIFY(outcome.usable);
  }
};

QTEST_MAIN(FieldRangesWindowTest)
#include "field_ranges_window_test.moc"
