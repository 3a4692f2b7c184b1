// The reply readers, the stop flag and the link abort, against a scripted port.

#include "link/machine_link.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

class CountingPump : public EventPump {
 public:
  int calls = 0;
  void processPendingEvents() override { ++calls; }
};

class MachineLinkTest : public ::testing::Test {
 protected:
  MachineLinkTest() : link(port, pump, prompts, [this] { return now; }) {
    port.opened = true;
  }

  test::FakeSerialPort port;
  CountingPump pump;
  test::RecordingPrompts prompts;
  std::int64_t now = 1000;
  MachineLink link;
  ReplyBuffer buffer;
  bool runTicked = true;
  ReplyWait jobWait = ReplyWait::JobWindow([this] { return runTicked; });
};

TEST_F(MachineLinkTest, EachWaitConsumesOneReplyAndEarlierRepliesCount) {
  buffer = "TT";
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "T");
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "");
  EXPECT_EQ(port.blockingReads, 0) << "replies already in the buffer need no read";

  port.arrive("T");
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "");
}

TEST_F(MachineLinkTest, ReplyWithLineEndLeavesNothingBehind) {
  port.arrive("T\r\n");
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "");
}

TEST_F(MachineLinkTest, WaitsUntilTheReplyComesWhateverArrivesBefore) {
  int idle = 0;
  port.onIdleRead = [&] {
    if (++idle == 3) port.arrive("xT");
  };
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "T") << "one character is consumed, not the reply";
  EXPECT_GE(pump.calls, 3) << "the interface stays alive while waiting";
}

TEST_F(MachineLinkTest, StopRaisesTheAbortEvenWhenTheRunBoxIsUnticked) {
  runTicked = false;
  buffer = "T";
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(buffer, "T") << "an unticked run box waits for nothing";

  link.StopRequested = true;
  EXPECT_THROW(link.WaitReply(buffer, jobWait), LinkAbort);
  EXPECT_EQ(buffer, "T");
}

TEST_F(MachineLinkTest, PauseDialogWaitIgnoresStopAndScannerWaitClearsFirst) {
  link.StopRequested = true;
  port.arrive("T");
  link.WaitReply(buffer, ReplyWait::PauseDialog());
  EXPECT_TRUE(link.StopRequested);

  link.StopRequested = false;
  buffer = "TT";
  port.arrive("T");
  link.WaitReply(buffer, ReplyWait::Scanner([] { return true; }));
  EXPECT_EQ(buffer, "") << "old replies do not satisfy the scanner";
  EXPECT_TRUE(port.incoming.empty());
}

TEST_F(MachineLinkTest, ReadFailureShowsTheMessageOnceAndAborts) {
  port.arrive("x");
  port.incoming.push_back(SerialPort::kFailed);
  EXPECT_THROW(link.WaitReply(buffer, jobWait), LinkAbort);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text,
            "Ошибка чтения данных с Ардуино. \r\n\r\nРабота программы остановлена.");
  EXPECT_TRUE(link.StopRequested);
}

// Stop requests while a wait is under way: `before` with the flag already up when the wait
// begins (the pause dialog's and the laser-off waits), then one per idle read, and the reply
// after the sixth idle read.
struct InsistCase {
  const char* name;
  bool pauseDialogWait;
  bool flagUpBefore;
  int pressesDuringWait;
  bool givesUp;
};

class StopDuringAWait : public MachineLinkTest, public ::testing::WithParamInterface<InsistCase> {};

TEST_P(StopDuringAWait, SecondRequestEndsTheWaitAtOnce) {
  const InsistCase& c = GetParam();
  link.StopRequested = c.flagUpBefore;
  if (c.flagUpBefore) link.StopRequested = true;  // pressed twice before: that does not count
  int idle = 0;
  port.onIdleRead = [&] {
    ++idle;
    if (idle <= c.pressesDuringWait) link.StopRequested = true;
    if (idle == 6) port.arrive("T");
  };
  const ReplyWait rule = c.pauseDialogWait ? ReplyWait::PauseDialog() : jobWait;
  if (!c.givesUp) {
    link.WaitReply(buffer, rule);
    EXPECT_EQ(idle, 6) << "the wait went on until the reply";
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(static_cast<bool>(link.StopRequested), c.flagUpBefore || c.pressesDuringWait > 0)
        << "the next step move acts on the stop";
    return;
  }
  try {
    link.WaitReply(buffer, rule);
    ADD_FAILURE() << "the wait did not end";
  } catch (const LinkAbort& abort) {
    EXPECT_EQ(abort.number(), 9001);
    EXPECT_EQ(abort.cause(), LinkAbort::Cause::Unanswered);
  }
  EXPECT_LT(idle, 6);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text, "Контроллер не отвечает. Работа остановлена.");
  EXPECT_TRUE(link.StopRequested);
  EXPECT_EQ(buffer.text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Presses, StopDuringAWait,
    ::testing::Values(InsistCase{"NoStop", false, false, 0, false},
                      InsistCase{"FirstStopWaitsForTheReply", false, false, 1, false},
                      InsistCase{"SecondStopGivesUp", false, false, 2, true},
                      InsistCase{"PausedJobWaitsWithTheFlagUp", true, true, 0, false},
                      InsistCase{"PausedJobGivesUpAtTheNextStop", true, true, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineLinkTest, PortNamesNoDeviceCanHaveNeverReachThePort) {
  const std::string withNul("/dev/nope\0/x", 12);
  const std::string longest = "/dev/" + std::string(250, 'a');
  for (const std::string& name : {withNul, std::string("/dev/tty\x1b[2J"), longest + "a"}) {
    EXPECT_FALSE(link.OpenPort(name, 9600));
    EXPECT_EQ(link.lastOpenResult().status, OpenStatus::NotFound);
  }
  EXPECT_TRUE(port.opens.empty());
  ASSERT_EQ(prompts.messages.size(), 3u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text, PortNotFoundText("/dev/nope?/x"));
  EXPECT_EQ(prompts.messages[1].text, PortNotFoundText("/dev/tty?[2J"));
  EXPECT_EQ(prompts.messages[2].text, PortNotFoundText(longest + "..."));

  EXPECT_TRUE(link.OpenPort(longest, 9600)) << "255 bytes is still a name";
  EXPECT_EQ(port.opens.size(), 1u);
}

TEST_F(MachineLinkTest, ALostLineIsToldToListenersAndReopenedQuietly) {
  ASSERT_TRUE(link.OpenPort("com3", 19200));
  int told = 0;
  int other = 0;
  const int listener = link.addLineLostListener([&] { ++told; });
  const int gone = link.addLineLostListener([&] { ++other; });
  link.removeLineLostListener(gone);
  EXPECT_TRUE(link.ReopenLostPort());
  EXPECT_EQ(port.opens.size(), 1u) << "an open port is left alone";

  port.loseLine();
  EXPECT_EQ(told, 1);
  EXPECT_EQ(other, 0);
  EXPECT_TRUE(link.lineLost());
  EXPECT_FALSE(link.isOpen());

  port.openResult = {OpenStatus::NotFound, 2, ""};
  EXPECT_FALSE(link.ReopenLostPort());
  EXPECT_TRUE(link.lineLost()) << "tried again at the next window start";
  port.openResult = {OpenStatus::Ok, 0, ""};
  EXPECT_TRUE(link.ReopenLostPort());
  EXPECT_FALSE(link.lineLost());
  EXPECT_EQ(port.opens.back(), std::make_pair(std::string("com3"), 19200));
  EXPECT_TRUE(prompts.messages.empty());

  port.loseLine();
  link.ClosePort();
  EXPECT_FALSE(link.lineLost()) << "a port closed on purpose stays closed";
  EXPECT_FALSE(link.ReopenLostPort());
  link.removeLineLostListener(listener);
}

TEST_F(MachineLinkTest, AnEmptyMarkTakesOnlyWhatIsWaiting) {
  std::string text;
  port.arrive("ab");
  EXPECT_TRUE(link.ReadAvailable(text, ""));
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(port.blockingReads, 0);
  port.arrive("xO");
  EXPECT_FALSE(link.ReadAvailable(text, "OK"));
  port.arrive("K\r\n");
  EXPECT_TRUE(link.ReadAvailable(text, "OK"));
  EXPECT_EQ(text, "abxOK\r\n");
}

TEST_F(MachineLinkTest, DrainEndsAtAReplyOrAfterMoreThanOneWholeSecond) {
  port.arrive("abT");
  link.DrainReplies();
  EXPECT_TRUE(port.written.empty());

  // Nothing arrives: the drain goes on while the second count is 0 or 1.
  std::vector<std::int64_t> seen;
  port.onIdleRead = [&] {
    seen.push_back(now - 1000);
    ++now;
  };
  link.DrainReplies();
  EXPECT_EQ(seen, (std::vector<std::int64_t>{0, 1}));

  link.StopRequested = true;
  EXPECT_THROW(link.DrainReplies(), LinkAbort);
}

TEST_F(MachineLinkTest, FirmwareQuerySendsVersionAndStripsLineEnds) {
  port.arrive("MT\r\n");
  EXPECT_EQ(link.QueryFirmware(), "MT");
  EXPECT_EQ(port.written, std::vector<std::string>{"V;"});

  // A silent controller: the query gives up once more than two whole seconds have passed.
  int idleReads = 0;
  port.onIdleRead = [&] {
    if (++idleReads % 10 == 0) ++now;
  };
  EXPECT_EQ(link.QueryFirmware(), "");
  EXPECT_EQ(idleReads, 30);

  // Something without a "T" is returned as it came.
  port.onIdleRead = [&] { ++now; };
  port.arrive("AB\r\n");
  EXPECT_EQ(link.QueryFirmware(), "AB");
}

TEST_F(MachineLinkTest, ConfirmedWriteSetsOrClearsTheStopFlag) {
  link.StopRequested = true;
  link.WritePortOverlapped("1,2,3,2000;");
  EXPECT_FALSE(link.StopRequested);

  port.confirmLimit = 4;
  link.WritePortOverlapped("1,2,3,2000;");
  EXPECT_TRUE(link.StopRequested);
}

TEST_F(MachineLinkTest, WritesAreSkippedOnAClosedPort) {
  port.opened = false;
  link.WritePort("1;");
  EXPECT_TRUE(port.written.empty());
}

TEST_F(MachineLinkTest, OpenFailuresShowTheirMessages) {
  port.openResult = {OpenStatus::NotFound, 2};
  EXPECT_FALSE(link.OpenPort("com3", 9600));
  port.openResult = {OpenStatus::Busy, 5};
  EXPECT_FALSE(link.OpenPort("com4", 9600));
  port.openResult = {OpenStatus::Other, 31};
  EXPECT_FALSE(link.OpenPort("com5", 9600));
  port.openResult = {OpenStatus::SettingsRejected, 87};
  EXPECT_TRUE(link.OpenPort("com6", 9600));
  port.openResult = {OpenStatus::TimeoutsRejected, 87};
  EXPECT_FALSE(link.OpenPort("com7", 115200));
  EXPECT_FALSE(port.isOpen());
  EXPECT_EQ(link.portName, "com7");
  EXPECT_EQ(link.speed, 115200);

  ASSERT_EQ(prompts.messages.size(), 5u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text,
            "Порт com3 не найден.\r\n\r\nПроверьте подключение платы Ардуино к компьютеру.\r\n"
            "Зайдите в Настройки и выберите другой порт.");
  EXPECT_EQ(prompts.messages[1].text,
            "Порт com4 используется другим приложением.\r\n\r\nЗакройте приложение, "
            "использующее порт com4.\r\nЗайдите в Настройки и выберите другой порт.");
  EXPECT_EQ(prompts.messages[2].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[2].text, "CreateFile ошибка: 31");
  EXPECT_EQ(prompts.messages[3].text, "SetCommState ошибка: 87");
  EXPECT_EQ(prompts.messages[4].text, "SetCommTimeouts ошибка 87");
}

// The replies owed to a window's buffer: every command sent adds one, every reply taken removes
// one, and a reply whose wait was given up is swallowed when it comes.
TEST_F(MachineLinkTest, TheExtraWaitWaitsOnlyForAReplyOwed) {
  // A move sent without waiting: its reply is owed and the extra wait takes it.
  link.Send(buffer, "5,0,0,2000;");
  EXPECT_EQ(link.owed(buffer), 1);
  port.onIdleRead = [&] { port.arrive("T"); };
  link.WaitOwed(buffer, jobWait);
  EXPECT_EQ(link.owed(buffer), 0);
  EXPECT_EQ(buffer, "");

  // Nothing sent (a travel of no steps and no delay): the extra wait must not wait at all.
  const int reads = port.blockingReads;
  link.WaitOwed(buffer, jobWait);
  EXPECT_EQ(port.blockingReads, reads);

  // Two owed: collecting takes both, a run box unticked takes none.
  link.Send(buffer, "1;");
  link.Send(buffer, "0,0,-1");
  runTicked = false;
  link.CollectOwed(buffer, jobWait);
  EXPECT_EQ(link.owed(buffer), 2);
  runTicked = true;
  link.CollectOwed(buffer, jobWait);
  EXPECT_EQ(link.owed(buffer), 0);

  // A shut port sends nothing and owes nothing.
  port.opened = false;
  EXPECT_FALSE(link.Send(buffer, "1;"));
  EXPECT_EQ(link.owed(buffer), 0);
}

struct LateReplyCase {
  const char* name;
  const char* late;  // what the controller sends for the wait given up
};

class LateReply : public MachineLinkTest, public ::testing::WithParamInterface<LateReplyCase> {};

TEST_P(LateReply, IsSwallowedAndNeverAnswersTheNextCommand) {
  link.Send(buffer, "1,0,0,2000;");
  int idle = 0;
  port.onIdleRead = [&] {
    if (++idle <= 2) link.StopRequested = true;  // Stop, then Stop again: the user gives up
  };
  EXPECT_THROW(link.WaitReply(buffer, jobWait), LinkAbort);
  EXPECT_EQ(link.owed(buffer), 0);
  EXPECT_EQ(link.staleReplies(), 1);

  // The next job: its command is answered only after the late reply has come.
  link.StopRequested = false;
  port.arrive(GetParam().late);
  link.Send(buffer, "2,0,0,2000;");
  idle = 0;
  port.onIdleRead = [&] {
    if (++idle == 3) port.arrive("T");
  };
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(idle, 3) << "the late reply did not end the wait";
  EXPECT_EQ(link.staleReplies(), 0);
  EXPECT_EQ(link.owed(buffer), 0);
  EXPECT_EQ(buffer, "");
}

INSTANTIATE_TEST_SUITE_P(Replies, LateReply,
                         ::testing::Values(LateReplyCase{"Move", "T"},
                                           LateReplyCase{"MoveWithLineEnd", "T\r\n"},
                                           LateReplyCase{"ProbeReading", "22OK\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineLinkTest, LateRepliesAreWaitedOutForAWhileAtMost) {
  link.Send(buffer, "0,0,200;");
  link.AbandonOwed(buffer);
  EXPECT_EQ(link.staleReplies(), 1);
  int idle = 0;
  port.onIdleRead = [&] {
    if (++idle == 4) port.arrive("33OK");
  };
  EXPECT_TRUE(link.SettleStale());
  EXPECT_EQ(link.staleReplies(), 0);
  EXPECT_TRUE(port.incoming.empty());
  const int reads = port.blockingReads;
  EXPECT_TRUE(link.SettleStale());
  EXPECT_EQ(port.blockingReads, reads) << "nothing owed: nothing to wait for";

  // A board that never answers: given up once more than kSettleSeconds have passed.
  link.Send(buffer, "0,0,200;");
  link.AbandonOwed(buffer);
  port.onIdleRead = [&] { ++now; };
  const std::int64_t start = now;
  EXPECT_FALSE(link.SettleStale());
  EXPECT_EQ(now - start, kSettleSeconds + 1);
  EXPECT_TRUE(prompts.messages.empty()) << "the caller tells the user";
}

TEST_F(MachineLinkTest, RepliesLostOnACutLineAreOwedNoMore) {
  ASSERT_TRUE(link.OpenPort("com3", 9600));
  link.Send(buffer, "1,0,0,2000;");
  link.Send(buffer, "2,0,0,2000;");
  port.onIdleRead = [&] {
    port.loseLine();
    port.incoming.push_back(SerialPort::kFailed);
  };
  EXPECT_THROW(link.WaitReply(buffer, jobWait), LinkAbort);
  port.onIdleRead = {};
  ASSERT_TRUE(link.ReopenLostPort());
  EXPECT_EQ(link.owed(buffer), 0);
  EXPECT_EQ(link.staleReplies(), 0);

  // The first reply on the new line answers the first command sent on it.
  link.StopRequested = false;
  link.Send(buffer, "3,0,0,2000;");
  port.arrive("T");
  link.WaitReply(buffer, jobWait);
  EXPECT_EQ(link.owed(buffer), 0);
  const int reads = port.blockingReads;
  link.WaitOwed(buffer, jobWait);
  EXPECT_EQ(port.blockingReads, reads);
}

TEST_F(MachineLinkTest, ACloseWaitsForABoardThatAnswersAndNotForASilentOne) {
  // The reply comes within the close's grace: the job goes on to its stop question.
  link.Send(buffer, "1;");
  int idle = 0;
  port.onIdleRead = [&] {
    if (++idle == 1) link.StopRequested.requestClose();
    if (idle == 5) port.arrive("T");
  };
  link.WaitReply(buffer, jobWait);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_TRUE(link.StopRequested.closing());

  // A silent board: one close ends the wait, with the one message.
  link.StopRequested = false;
  link.Send(buffer, "1;");
  idle = 0;
  port.onIdleRead = [&] {
    if (++idle == 1) link.StopRequested.requestClose();
    ++now;
  };
  EXPECT_THROW(link.WaitReply(buffer, jobWait), LinkAbort);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kNoAnswerText);
  EXPECT_EQ(link.staleReplies(), 1);
}

}  // namespace
}  // namespace vexa::link
