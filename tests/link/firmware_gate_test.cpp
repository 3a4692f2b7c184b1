// The start-up check: status texts, notices and which tags each kind of window accepts.

#include "link/firmware_gate.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

class FirmwareGateTest : public ::testing::Test {
 protected:
  FirmwareGateTest() : link(port, pump, prompts, [this] { return ++now / 20; }) {
    port.opened = true;
  }
  GateResult gate(const std::string& answer, const TagRule& rule) {
    port.replyToEachWrite = answer;
    return GateOnFirmware(link, rule);
  }

  test::FakeSerialPort port;
  NoEventPump pump;
  test::RecordingPrompts prompts;
  std::int64_t now = 0;  // whole seconds pass every 20 reads
  MachineLink link;
};

TEST_F(FirmwareGateTest, MatchingTagOpensTheWindowQuietly) {
  link.StopRequested = true;
  const GateResult result = gate("MT", TagRule{"MT"});
  EXPECT_EQ(result.status, "Com-порт открыт");
  EXPECT_TRUE(result.controlsOn);
  EXPECT_FALSE(link.StopRequested);
  EXPECT_TRUE(prompts.firmwareNotices.empty());
  EXPECT_EQ(port.written, std::vector<std::string>{"V;"});
}

TEST_F(FirmwareGateTest, OtherFirmwareGetsTheGeneralNotice) {
  const GateResult result = gate("OT", TagRule{"MT"});
  EXPECT_EQ(result.status, "Некорректная прошивка");
  EXPECT_FALSE(result.controlsOn);
  ASSERT_EQ(prompts.firmwareNotices.size(), 1u);
  EXPECT_EQ(prompts.firmwareNotices[0],
            "Работа со станком невозможна. Возможные причины:\r\n"
            "   - установленная прошивка не предназначена для выбранной операции");
  EXPECT_FALSE(gate("mt", TagRule{"MT"}).controlsOn) << "tags are compared case-sensitively";
}

TEST_F(FirmwareGateTest, SilentControllerGetsTheTwoReasons) {
  const GateResult result = gate("", TagRule{"PT"});
  EXPECT_EQ(result.status, "Обновите прошивку");
  EXPECT_FALSE(result.controlsOn);
  ASSERT_EQ(prompts.firmwareNotices.size(), 1u);
  EXPECT_EQ(prompts.firmwareNotices[0],
            "Работа со станком невозможна. Возможные причины:\r\n   - прошивка устарела\r\n"
            "   - установлена неверная скорость COM-порта");
}

TEST_F(FirmwareGateTest, ShutPortSendsNothingAndShowsNoNotice) {
  port.opened = false;
  const GateResult result = GateOnFirmware(link, TagRule{"MT"});
  EXPECT_EQ(result.status, "Ошибка открытия Com-порта");
  EXPECT_FALSE(result.controlsOn);
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(prompts.firmwareNotices.empty());
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FirmwareGateTest, ALostLineIsReopenedWithTheRememberedPortAtEachCheckUntilItOpens) {
  ASSERT_TRUE(link.OpenPort("/dev/ttyUSB0", 57600));
  port.loseLine();
  port.openResult = {OpenStatus::NotFound, 2, ""};  // the cable is still out
  GateResult result = gate("MT", TagRule{"MT"});
  EXPECT_EQ(result.status, "Ошибка открытия Com-порта");
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(prompts.messages.empty()) << "the retry is quiet";

  port.openResult = {OpenStatus::Ok, 0, ""};  // plugged back in
  result = gate("MT", TagRule{"MT"});
  EXPECT_EQ(result.status, "Com-порт открыт");
  using Open = std::pair<std::string, int>;
  EXPECT_EQ(port.opens,
            (std::vector<Open>{
                {"/dev/ttyUSB0", 57600}, {"/dev/ttyUSB0", 57600}, {"/dev/ttyUSB0", 57600}}));
  EXPECT_FALSE(link.lineLost());
  gate("MT", TagRule{"MT"});
  EXPECT_EQ(port.opens.size(), 3u) << "an open port is not opened again";
}

TEST_F(FirmwareGateTest, APortThatFailedToOpenIsNotRetried) {
  port.openResult = {OpenStatus::NotFound, 2, ""};
  EXPECT_FALSE(link.OpenPort("com3", 9600));
  EXPECT_EQ(gate("MT", TagRule{"MT"}).status, "Ошибка открытия Com-порта");
  EXPECT_EQ(port.opens.size(), 1u) << "only a lost line is reopened by itself";
  EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST(TagRule, ManualWindowTakesAnyTwoLettersEndingInT) {
  const TagRule manual{""};
  for (const char* tag : {"MT", "PT", "ST", "OT", "BT", "ZT"}) EXPECT_TRUE(manual.accepts(tag));
  for (const char* tag : {"T", "M", "", "TM"}) EXPECT_FALSE(manual.accepts(tag));
  EXPECT_TRUE(TagRule{"PT"}.accepts("PT"));
  EXPECT_FALSE(TagRule{"PT"}.accepts("PTX"));
}

}  // namespace
}  // namespace vexa::link
