// The real executable with a damaged cnc.ini and with a board that goes away.

#include <gtest/gtest.h>

#include <QThread>
#include <string>

#include "support/eventually.h"
#include "support/process_usage.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using test::runVexa;

// A power cut leaves NUL-filled blocks in a file; every start must still reach the main window
// (the script's "quit" needs it), and the user can then pick another port.
TEST(LinkFaultsEndToEnd, APortNameWithANulByteStillOpensTheMainWindowAtEveryStart) {
  test::TempFolder folder;
  using namespace std::string_literals;
  folder.write("cnc.ini", "[CNC]\r\nPort=/dev/nope\0/x\r\nspeed=9600\r\n"s);
  for (int start = 1; start <= 2; ++start) {
    const test::VexaRun run = runVexa(folder, "quit\n");
    ASSERT_EQ(run.exitCode, 0) << "start " << start << ": " << run.errors;
    EXPECT_EQ(run.transcript,
              "message\tZiravev AVE\tПорт /dev/nope?/x не найден.\\r\\n\\r\\nПроверьте подключение "
              "платы Ардуино к компьютеру.\\r\\nЗайдите в Настройки и выберите другой порт.\n")
        << "start " << start;
  }
}


TEST(LinkFaultsEndToEnd, OnceTheBoardIsGoneTheIdleProgramUsesNextToNoCpu) {
  test::SimProcess sim({"--tag", "PT"});
  test::TempFolder folder;
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\nspeed=9600\r\n");
  test::RunningVexa vexa(folder, "menu etching_cl\n");  // no "quit": it stays open
  ASSERT_TRUE(test::Eventually([&] { return !sim.receivedCommands().empty(); }))
      << "the raster window's firmware check never came";
  sim.end();  // the cable is pulled with the laser window open
  QThread::msleep(200);
  ASSERT_TRUE(vexa.running());
  const double before = test::CpuSecondsOf(vexa.processId());
  QThread::sleep(1);
  EXPECT_LT(test::CpuSecondsOf(vexa.processId()) - before, 0.3)
      << "a port polled in a loop costs a whole second per second";
  EXPECT_TRUE(vexa.running());
}

}  // namespace
}  // namespace vexa::e2e
