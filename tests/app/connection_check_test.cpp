// The connection check over a scripted port: what counts as an answer, and how it ends.

#include "app/connection_check.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "support/recording_prompts.h"

namespace vexa::app {
namespace {

struct ScriptedLink {
  test::FakeSerialPort port;
  link::NoEventPump pump;
  test::RecordingPrompts prompts;
  std::int64_t now = 0;
  // Every reading of the clock is a second later, so the readers' waits end at once.
  link::MachineLink link{port, pump, prompts, [this] { return now++; }};
};

TEST(ConnectionCheck, AnyTwoLetterTagEndingInTPasses) {
  ScriptedLink s;
  s.port.replyToEachWrite = "OT";
  s.link.StopRequested = true;  // left over from a stopped job
  EXPECT_EQ(CheckConnection(s.link, "com8", 57600), ConnectionResult::Answered);
  EXPECT_EQ(s.port.written, std::vector<std::string>{"V;"});
  EXPECT_FALSE(s.link.StopRequested);
  EXPECT_EQ(s.link.portName, "com8");
  EXPECT_EQ(s.link.speed, 57600);
  EXPECT_TRUE(s.prompts.messages.empty());
}

TEST(ConnectionCheck, RepliesWithoutATagAreSilence) {
  for (const char* reply : {"", "T", "MX", "X"}) {
    ScriptedLink s;
    s.port.replyToEachWrite = reply;
    EXPECT_EQ(CheckConnection(s.link, "com8", 9600), ConnectionResult::Silent) << reply;
  }
}

TEST(ConnectionCheck, AnOldReplyIsDrainedBeforeTheQuery) {
  ScriptedLink s;
  s.port.opened = true;
  s.port.arrive("T");  // the end of an earlier command
  s.port.replyToEachWrite = "MT";
  EXPECT_EQ(CheckConnection(s.link, "com8", 9600), ConnectionResult::Answered);
}

TEST(ConnectionCheck, AFailedOpenSendsNothingAndIsRemembered) {
  ScriptedLink s;
  s.port.openResult = {link::OpenStatus::NotFound, 0};
  EXPECT_EQ(CheckConnection(s.link, "com9", 9600), ConnectionResult::PortFailed);
  EXPECT_TRUE(s.port.written.empty());
  EXPECT_EQ(s.link.lastOpenResult().status, link::OpenStatus::NotFound);
  ASSERT_EQ(s.prompts.messages.size(), 1u) << "OpenPort's own message";
  EXPECT_EQ(s.prompts.messages[0].text.rfind("Порт com9 не найден.", 0), 0u);
}

TEST(ConnectionCheck, AReadFailureEndsTheCheckAfterItsMessage) {
  ScriptedLink s;
  s.port.incoming.push_back(link::SerialPort::kFailed);
  EXPECT_EQ(CheckConnection(s.link, "com8", 9600), ConnectionResult::ReadFailed);
  ASSERT_EQ(s.prompts.messages.size(), 1u);
  EXPECT_EQ(s.prompts.messages[0].text, link::ReadErrorText());
}

}  // namespace
}  // namespace vexa::app
