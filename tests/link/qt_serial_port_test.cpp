// The real QSerialPort backend against vexa-sim on a pseudo-terminal.

#include "link/qt_serial_port.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include "link/machine_link.h"
#include "link/qt_event_pump.h"
#include "support/process_usage.h"
#include "support/sim_link.h"

namespace vexa::link {
namespace {

using LinkOverSim = test::SimLink;

TEST(SerialOverSim, FirmwareQueryReadsTheTag) {
  LinkOverSim plain({"--tag", "MT"});
  plain.link.DrainReplies();
  EXPECT_EQ(plain.link.QueryFirmware(), "MT");

  LinkOverSim withLineEnd({"--tag", "MT", "--crlf"});
  EXPECT_EQ(withLineEnd.link.QueryFirmware(), "MT");
  EXPECT_EQ(withLineEnd.sim.receivedCommands(), std::vector<std::string>{"V"});
  EXPECT_TRUE(plain.prompts.messages.empty());
}

TEST(SerialOverSim, SilentControllerGivesAnEmptyTag) {
  LinkOverSim silent({"--silent"});
  silent.link.DrainReplies();
  EXPECT_EQ(silent.link.QueryFirmware(), "");
  EXPECT_TRUE(silent.prompts.messages.empty());
}

TEST(SerialOverSim, CommandsAreSentWholeAndEachWaitTakesOneReply) {
  LinkOverSim over({"--tag", "MT"});
  ReplyBuffer buffer;
  const ReplyWait wait = ReplyWait::JobWindow([] { return true; });
  // Two commands ahead of their waits, as the optimisation mode does.
  over.link.WritePort("10,-20,0,2000;");
  over.link.WritePort("0,0,-5,4000;");
  over.link.WaitReply(buffer, wait);
  over.link.WaitReply(buffer, wait);
  over.link.WritePortOverlapped("1,1,1,2000;");
  over.link.WaitReply(buffer, wait);
  EXPECT_EQ(buffer, "");
  EXPECT_FALSE(over.link.StopRequested);
  EXPECT_EQ(over.sim.receivedCommands(),
            (std::vector<std::string>{"10,-20,0,2000", "0,0,-5,4000", "1,1,1,2000"}));
}

TEST(SerialOverSim, HangUpEndsTheWaitWithOneMessageAndTheAbort) {
  LinkOverSim over({"--hangup-after", "1"});
  ReplyBuffer buffer;
  over.link.WritePort("1,2,3,4;");
  ASSERT_TRUE(over.sim.waitForExit());
  EXPECT_THROW(over.link.WaitReply(buffer, ReplyWait::ManualWindow()), LinkAbort);
  ASSERT_EQ(over.prompts.messages.size(), 1u);
  EXPECT_EQ(over.prompts.messages[0].text, ReadErrorText());
  EXPECT_TRUE(over.link.StopRequested);
}

// Replies that came before the line dropped still count: a run that goes on after the cut
// must not send again what the controller confirmed.
TEST(SerialOverSim, RepliesThatCameBeforeAHangUpAreStillRead) {
  LinkOverSim over({"--hangup-after", "3"});
  ReplyBuffer buffer;
  const ReplyWait wait = ReplyWait::JobWindow([] { return true; });
  over.link.WritePort("1,0,0;");
  over.link.WritePort("2,0,0;");
  over.link.WritePort("3,0,0;");  // not answered: the line goes
  // Events go through meanwhile, as between a job's reads: the two replies reach the port, the
  // emulator hangs up, and the port notices and closes itself.
  QTest::qWait(300);
  ASSERT_TRUE(over.sim.waitForExit());
  EXPECT_FALSE(over.link.isOpen());
  over.link.WaitReply(buffer, wait);
  over.link.WaitReply(buffer, wait);
  EXPECT_EQ(buffer.repliesArrived(), 2u);
  EXPECT_THROW(over.link.WaitReply(buffer, wait), LinkAbort) << "the third was never answered";
}

// A generous bound: a port polled in a loop costs a whole second per second.
constexpr double kIdleCpuPerSecond = 0.3;

TEST(SerialOverSim, AHungUpLineIsClosedAtOnceAndTheIdleProgramCostsNoCpu) {
  LinkOverSim over({"--tag", "PT"});
  int told = 0;
  over.link.addLineLostListener([&] { ++told; });
  over.sim.end();  // the cable is pulled while nothing reads the port
  const double before = test::CpuSeconds();
  QTest::qWait(1000);
  EXPECT_LT(test::CpuSeconds() - before, kIdleCpuPerSecond);
  EXPECT_FALSE(over.link.isOpen());
  EXPECT_TRUE(over.link.lineLost());
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(over.prompts.messages.empty()) << "nothing was running: no message";
}

TEST(SerialOverSim, AHangUpDuringAWaitClosesThePortAndIdlesQuietlyAfter) {
  LinkOverSim over({"--hangup-after", "1"});
  ReplyBuffer buffer;
  over.link.WritePort("1,2,3,4;");
  EXPECT_THROW(over.link.WaitReply(buffer, ReplyWait::JobWindow([] { return true; })), LinkAbort);
  EXPECT_FALSE(over.link.isOpen());
  const double before = test::CpuSeconds();
  QTest::qWait(1000);
  EXPECT_LT(test::CpuSeconds() - before, kIdleCpuPerSecond);
  EXPECT_EQ(over.prompts.messages.size(), 1u) << "one read-error message, nothing more";
}

TEST(SerialOverSim, AChattyBoardBetweenJobsFillsNoMoreThanADriversBuffer) {
  LinkOverSim over({"--chatter", "40000"});
  QTest::qWait(1000);  // about 40 kB arrive while no job reads
  EXPECT_LE(over.port.heldBytes(), QtSerialPort::kHeldBytes);
  EXPECT_GT(over.port.heldBytes(), 0u);
  std::string first;
  over.link.ReadAvailable(first, "");
  EXPECT_TRUE(first.starts_with("A0=0000\r\nA0=0001\r\n")) << "what came first is kept";
}

TEST(SerialOverSim, AReplyThatCameBetweenJobsStillCountsBesideTheChatter) {
  LinkOverSim over({"--chatter", "850"});
  over.link.WritePort("1,2,3;");  // sent without waiting; its "T" arrives amid the chatter
  QTest::qWait(500);
  ReplyBuffer buffer;
  over.link.WaitReply(buffer, ReplyWait::ManualWindow());
  EXPECT_EQ(over.sim.receivedCommands(), std::vector<std::string>{"1,2,3"});
  EXPECT_TRUE(over.prompts.messages.empty());
}

TEST(SerialOverSim, MissingPortIsReportedAsNotFound) {
  QtSerialPort port;
  QtEventPump pump;
  test::RecordingPrompts prompts;
  MachineLink link(port, pump, prompts);
  EXPECT_FALSE(link.OpenPort("/dev/vexa-no-such-port", 9600));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, PortNotFoundText("/dev/vexa-no-such-port"));
  EXPECT_FALSE(link.lastOpenResult().systemText.empty()) << "the system's reason is kept";
  EXPECT_EQ(port.readByte(), SerialPort::kFailed) << "a closed port cannot be read";
}

TEST(SerialOverSim, PortHeldByAnotherProgramIsReportedAsBusy) {
  test::SimProcess sim;
  QProcess holder;
  holder.start(QCoreApplication::applicationFilePath(),
               {"--hold-port", QString::fromStdString(sim.portPath())});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readLine().trimmed(), "held");

  QtSerialPort port;
  QtEventPump pump;
  test::RecordingPrompts prompts;
  MachineLink link(port, pump, prompts);
  EXPECT_FALSE(link.OpenPort(sim.portPath(), 9600));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, PortBusyText(sim.portPath()));

  holder.closeWriteChannel();
  EXPECT_TRUE(holder.waitForFinished(10000));
  EXPECT_TRUE(link.OpenPort(sim.portPath(), 9600)) << "free again once the holder is gone";
}

}  // namespace
}  // namespace vexa::link
