// The milling, outline and cutting windows follow their jobs: each job's estimate counts the
// commands it then sends, the tool's tab shows during the run, the status line says how long it
// took, and a job a hung-up line cut goes on from its first unconfirmed command once another
// board answers, so that both boards together get what one board gets from a whole run.

#include <QProgressBar>
#include <QTabBar>
#include <QtTest>

#include "app/connection_check.h"
#include "cutting/cutting_window.h"
#include "figures/figure_pictures.h"
#include "figures/figure_tree_widget.h"
#include "milling/milling_window.h"
#include "outline/outline_window.h"
#include "support/window_bench.h"

using vexa::test::Commands;

namespace {

// Two dark figures (one with a hole) and a bar; 0,1 mm wide: one motor step per pixel.
vexa::picture::PixelBuffer figures() {
  return vexa::figures::test::Drawn(
      {"....................", ".##########.........", ".##########..####...",
       ".###....###..####...", ".###....###..####...", ".###....###..####...",
       ".##########..####...", ".##########.........", "....................",
       "...#######..........", "...#######..........", "...................."});
}
const char* const kMilling = "cncrez_width=0,1\r\ncncrez_depth=1,275\r\nmill_diameter=0,01\r\n";
const char* const kOutline = "Etching2_width=0,1\r\nEtching2_diameter=0,01\r\n";

vexa::picture::PixelBuffer lines() {
  return vexa::figures::test::Drawn({"............", ".########...", "............",
                                     "...#........", "...#....##..", "...#........"});
}
const char* const kCutting = "Etching9_width=0,06\r\n";

// The commands of `job` in the estimate label ("Все — Оценка: 00:00:01, 35 команд"), or of the
// only job ("Оценка: …").
long estimatedCommands(const QString& label, const QString& job) {
  for (const QString& line : label.split('\n')) {
    if (!job.isEmpty() && !line.startsWith(job + " — ")) continue;
    const QString count = line.section(", ", 1).section(QStringLiteral(" команд"), 0, 0);
    return QString(count).remove(' ').toLong();
  }
  return -1;
}

template <typename Window>
void waitForEstimate(vexa::test::WindowBench<Window>& bench) {
  QTRY_VERIFY_WITH_TIMEOUT(!bench.label("Label14").contains("считается"), 60000);
}

template <typename Window>
void prepareFigures(vexa::test::WindowBench<Window>& bench, bool select) {
  bench.click("Command3");  // "Разобрать"
  if (select) QVERIFY(bench.template find<vexa::figures::FigureTreeWidget>("tv")->selectKey("P2"));
  waitForEstimate(bench);
}

// What the board got from the start of a job, less the firmware check's "V".
Commands jobCommands(const Commands& all) { return {all.begin() + 1, all.end()}; }

// The commands of a run cut by the first board and gone on with on the second, joined: the
// last command the first one got was never answered, and the second one gets the firmware
// check's "V" and, on a laser, the laser off (the board was last told on) and on again (the
// job is in the middle of a contour) before the rest.
Commands joined(const Commands& cut, const Commands& resumed) {
  Commands all(cut.begin(), cut.end() - 1);
  auto rest = resumed.begin() + 1;
  if (rest != resumed.end() && *rest == "0,0,-1") ++rest;
  if (rest != resumed.end() && *rest == "0,0,1") ++rest;
  all.insert(all.end(), rest, resumed.end());
  return all;
}

struct Case {
  const char* tag;
  const char* imageKey;
  vexa::picture::PixelBuffer picture;
  const char* settings;
  const char* button;
  bool figures;  // "Разобрать" first
  bool select;   // and a figure chosen
};

}  // namespace

class JobFollowWindowTest : public QObject {
  Q_OBJECT

  template <typename Window>
  void estimateCountsWhatTheJobSends(const Case& c) {
    vexa::test::WindowBench<Window> bench(c.tag);
    bench.prepare(c.picture, c.imageKey, c.settings);
    Window& window = bench.open();
    if (c.figures) prepareFigures(bench, c.select);
    waitForEstimate(bench);
    const QString job = c.figures || std::string(c.tag) == "MT" || std::string(c.tag) == "OT"
                            ? bench.button(c.button)->text()
                            : QString();
    const long estimated =
        estimatedCommands(bench.label("Label14"), std::string(c.imageKey) == "Etching9_image"
                                                      ? QString()
                                                      : job);
    auto* tabs = bench.template find<QTabBar>("TabStrip1");
    tabs->setCurrentIndex(0);
    bench.click(c.button);
    QCOMPARE(long(jobCommands(bench.commands()).size()), estimated);
    QVERIFY(estimated > 5);
    // The run showed the tool's picture; its end is told in the status line, not in a box.
    QCOMPARE(tabs->tabText(tabs->currentIndex()), tabs->tabText(tabs->count() - 1));
    QVERIFY(bench.label("Label15").contains(" закончена за 00:00:"));
    QCOMPARE(bench.template find<QProgressBar>("ProgressBar2")->value(), 1000);
    (void)window;
  }

  template <typename Window>
  void goesOnAfterACutLine(const Case& c, int hangupAfter) {
    vexa::test::WindowBench<Window> whole(c.tag);
    whole.prepare(c.picture, c.imageKey, c.settings);
    whole.open();
    if (c.figures) prepareFigures(whole, c.select);
    whole.click(c.button);
    const Commands all = whole.commands();

    vexa::test::WindowBench<Window> bench(c.tag, QStringList{"--hangup-after",
                                                             QString::number(hangupAfter)});
    bench.prepare(c.picture, c.imageKey, c.settings);
    bench.open();
    if (c.figures) prepareFigures(bench, c.select);
    bench.click(c.button);
    QVERIFY(bench.sim.sim.waitForExit());
    const Commands cut = bench.sim.sim.receivedCommands();
    QCOMPARE(cut.size(), size_t(hangupAfter));
    QVERIFY(!bench.button("Command12")->isEnabled());

    vexa::test::SimProcess second({"--tag", c.tag});
    QCOMPARE(vexa::app::CheckConnection(bench.sim.link, second.portPath(), 9600),
             vexa::app::ConnectionResult::Answered);
    QTRY_VERIFY_WITH_TIMEOUT(bench.button("Command12")->isEnabled(), 10000);
    bench.sim.prompts.answers = {true};
    bench.click("Command12");
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QVERIFY(bench.sim.prompts.questions[0].text.starts_with("Продолжить работу с команды "));
    QCOMPARE(joined(cut, vexa::test::CommandsSoFar(bench.sim.link, second, c.tag)), all);
    QVERIFY(!bench.button("Command12")->isEnabled());
  }

  static Case milling(const char* button, bool figures, bool select) {
    return {"MT", "Image", ::figures(), kMilling, button, figures, select};
  }
  static Case outline(const char* button, bool figures, bool select) {
    return {"OT", "Etching2_image", ::figures(), kOutline, button, figures, select};
  }
  static Case cutting() { return {"OT", "Etching9_image", lines(), kCutting, "Command2", false, false}; }

 private slots:
  void millingEstimates() {
    estimateCountsWhatTheJobSends<vexa::milling::MillingWindow>(milling("Command1", true, true));
    estimateCountsWhatTheJobSends<vexa::milling::MillingWindow>(milling("Command2", true, false));
    estimateCountsWhatTheJobSends<vexa::milling::MillingWindow>(milling("Command6", false, false));
  }
  void outlineEstimates() {
    estimateCountsWhatTheJobSends<vexa::outline::OutlineWindow>(outline("Command1", true, true));
    estimateCountsWhatTheJobSends<vexa::outline::OutlineWindow>(outline("Command2", true, false));
    estimateCountsWhatTheJobSends<vexa::outline::OutlineWindow>(outline("Command6", false, false));
  }
  void cuttingEstimate() { estimateCountsWhatTheJobSends<vexa::cutting::CuttingWindow>(cutting()); }

  // Cut at the job's first command, in the middle of a contour and where one contour ends and
  // the next begins: the board hangs up after its Nth command ("V" counted), the last of which
  // it never answers.
  void millingGoesOn_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("hangupAfter");
    QTest::newRow("all, first command") << "Command2" << 2;
    QTest::newRow("all, mid contour") << "Command2" << 9;
    QTest::newRow("all, contour change") << "Command2" << 19;
    QTest::newRow("3D, mid contour") << "Command6" << 30;
  }
  void millingGoesOn() {
    QFETCH(QString, button);
    QFETCH(int, hangupAfter);
    const bool all = button == "Command2";
    goesOnAfterACutLine<vexa::milling::MillingWindow>(
        milling(all ? "Command2" : "Command6", all, false), hangupAfter);
  }
  void outlineFillGoesOn_data() {
    QTest::addColumn<int>("hangupAfter");
    QTest::newRow("first command") << 2;
    QTest::newRow("mid contour") << 8;
    QTest::newRow("contour change") << 23;
  }
  void outlineFillGoesOn() {
    QFETCH(int, hangupAfter);
    goesOnAfterACutLine<vexa::outline::OutlineWindow>(outline("Command6", false, false),
                                                      hangupAfter);
  }
  void cuttingGoesOn_data() {
    QTest::addColumn<int>("hangupAfter");
    QTest::newRow("first command") << 2;
    QTest::newRow("mid stroke") << 10;
    QTest::newRow("stroke change") << 7;
  }
  void cuttingGoesOn() {
    QFETCH(int, hangupAfter);
    goesOnAfterACutLine<vexa::cutting::CuttingWindow>(cutting(), hangupAfter);
  }
};

QTEST_MAIN(JobFollowWindowTest)
#include "job_follow_window_test.moc"
