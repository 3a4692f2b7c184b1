// The reply buffer against the literal end of a wait: delete every CR LF pair from the whole
// buffer, then its first character.

#include "link/reply_buffer.h"

#include <gtest/gtest.h>

#include <random>

#include "link/machine_link.h"

namespace vexa::link {
namespace {

// The plain method, kept here as the reference.
struct LiteralBuffer {
  std::string text;
  void append(char byte) { text.push_back(byte); }
  void takeReply() {
    text = RemoveCrLf(std::move(text));
    text.erase(0, 1);
  }
  bool hasReply() const { return text.find('T') != std::string::npos; }
};

// Random bytes from `alphabet` arrive in both buffers alike.
struct Traffic {
  std::mt19937 random;
  std::string alphabet;
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  void arrive(ReplyBuffer& buffer, LiteralBuffer& literal, int count) {
    for (int i = 0; i < count; ++i) {
      const char byte = alphabet[static_cast<std::size_t>(pick(0, int(alphabet.size()) - 1))];
      buffer.append(byte);
      literal.append(byte);
    }
  }
};

struct WaitCase {
  const char* name;
  const char* arriving;
  std::vector<std::string> afterEachWait;
};

void PrintTo(const WaitCase& waitCase, std::ostream* out) { *out << waitCase.name; }

class ReplyBufferWaits : public ::testing::TestWithParam<WaitCase> {};

TEST_P(ReplyBufferWaits, EndLikeTheLiteralMethod) {
  ReplyBuffer buffer;
  buffer = GetParam().arriving;
  for (const std::string& expected : GetParam().afterEachWait) {
    buffer.takeReply();
    EXPECT_EQ(buffer.text(), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyBufferWaits,
    ::testing::Values(WaitCase{"TwoReplies", "TT", {"T", ""}},
                      WaitCase{"ReplyWithLineEnd", "T\r\n", {""}},
                      WaitCase{"LineEndFirst", "\r\nT", {""}},
                      // One deletion makes a new pair, which goes at the next wait only.
                      WaitCase{"NestedPairs", "\r\r\n\nTT", {"\nTT", "TT", "T"}},
                      WaitCase{"NestedPairsAfterText", "T\r\r\n\nT", {"\r\nT", ""}},
                      WaitCase{"DeepNesting", "x\r\r\r\n\n\nT", {"\r\r\n\nT", "\nT", "T"}},
                      WaitCase{"PairsSideBySide", "\r\n\r\nT\r\n", {""}},
                      WaitCase{"UnmatchedStay", "\n\rT\r", {"\rT\r", "T\r", "\r", ""}},
                      WaitCase{"EchoedCommand", "1,2;T\r\n", {",2;T", "2;T", ";T", "T", ""}},
                      WaitCase{"EmptyStaysEmpty", "", {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyBuffer, CountsRepliesAndClears) {
  ReplyBuffer buffer;
  EXPECT_FALSE(buffer.hasReply());
  EXPECT_TRUE(buffer.empty());
  buffer.append('x');
  buffer.append('T');
  EXPECT_TRUE(buffer.hasReply());
  buffer.takeReply();
  EXPECT_TRUE(buffer.hasReply()) << "x went, the T stays";
  buffer.takeReply();
  EXPECT_FALSE(buffer.hasReply());
  buffer = "\r\nT";
  buffer.clear();
  EXPECT_TRUE(buffer.empty());
  EXPECT_FALSE(buffer.hasReply());
  buffer = "\r\n";
  buffer.takeReply();
  EXPECT_TRUE(buffer.empty()) << "deleted pairs are not content";
}

// Random arrivals and waits, with the characters that matter weighted up, and long runs of CR
// and LF to nest pairs deeply; the text after every step must match the literal method's.
TEST(ReplyBuffer, MatchesTheLiteralMethodOnRandomTraffic) {
  Traffic traffic{std::mt19937(20240611), "\r\r\r\n\n\nTx"};
  for (int round = 0; round < 3000; ++round) {
    ReplyBuffer buffer;
    LiteralBuffer literal;
    const int steps = traffic.pick(1, 120);
    for (int step = 0; step < steps; ++step) {
      const int action = traffic.pick(0, 9);
      if (action < 6) {
        traffic.arrive(buffer, literal, traffic.pick(1, 12));
      } else if (action < 9) {
        buffer.takeReply();
        literal.takeReply();
      } else if (step % 5 == 0) {
        buffer.clear();
        literal.text.clear();
      }
      ASSERT_EQ(buffer.text(), literal.text) << "round " << round << ", step " << step;
      ASSERT_EQ(buffer.hasReply(), literal.hasReply()) << "round " << round;
      ASSERT_EQ(buffer.empty(), literal.text.empty()) << "round " << round;
    }
  }
}

// Long runs: many waits over a buffer that keeps thousands of bytes, so the front is dropped
// and the book of pairs moves along with it.
TEST(ReplyBuffer, MatchesTheLiteralMethodOverLongRuns) {
  Traffic traffic{std::mt19937(7), "\r\n\r\nTxyz0123456789,;"};
  ReplyBuffer buffer;
  LiteralBuffer literal;
  for (int wait = 0; wait < 40000; ++wait) {
    traffic.arrive(buffer, literal, traffic.pick(0, 3));
    buffer.takeReply();
    literal.takeReply();
    if (wait % 997 == 0) {
      ASSERT_EQ(buffer.text(), literal.text) << "wait " << wait;
    }
  }
  EXPECT_EQ(buffer.text(), literal.text);
}

}  // namespace
}  // namespace vexa::link
