// Which commands the controller has confirmed, from the "T"s in a reply buffer.

#include "link/confirmed_commands.h"

#include <gtest/gtest.h>

namespace vexa::link {
namespace {

using Place = ConfirmedCommands::Place;

void arrive(ReplyBuffer& buffer, const std::string& bytes) {
  for (char byte : bytes) buffer.append(byte);
}

TEST(ConfirmedCommands, TheFirstUnconfirmedIsTheOldestSentWithoutItsT) {
  ReplyBuffer replies;
  ConfirmedCommands commands;
  commands.begin(replies);
  commands.sent(ConfirmedCommands::kSetup, 1);
  commands.sent(0, 1);
  commands.sent(1, 1);
  EXPECT_EQ(commands.firstUnconfirmed().index, 0) << "not even the setup is confirmed";
  arrive(replies, "T");
  EXPECT_EQ(commands.firstUnconfirmed().index, 0) << "that T was the setup's";
  arrive(replies, "T\r\n");
  const Place first = commands.firstUnconfirmed();
  EXPECT_EQ(first.index, 1);
  commands.sent(2, 2);
  arrive(replies, "TT");
  EXPECT_EQ(commands.confirmed(), 4);
  EXPECT_EQ(commands.firstUnconfirmed().index, 3) << "all confirmed: the next one";
  EXPECT_EQ(commands.firstUnconfirmed().place, 2);
}

TEST(ConfirmedCommands, RepliesFromBeforeAndConsumedRepliesAreCountedRight) {
  ReplyBuffer replies;
  arrive(replies, "T");  // left from an earlier job
  ConfirmedCommands commands;
  commands.begin(replies);
  commands.sent(5, 3);
  EXPECT_EQ(commands.firstUnconfirmed().index, 5);
  replies.takeReply();  // the job's wait took the old one
  arrive(replies, "T");
  replies.takeReply();
  EXPECT_EQ(commands.confirmed(), 1);
  EXPECT_EQ(commands.firstUnconfirmed().index, 6);
  replies.clear();  // a clear does not undo what arrived
  EXPECT_EQ(commands.confirmed(), 1);
}

TEST(ConfirmedCommands, UnsentCommandsMoveThePointToGoOnFrom) {
  ReplyBuffer replies;
  ConfirmedCommands commands;
  commands.begin(replies);
  commands.sent(0, 1);
  arrive(replies, "T");
  commands.planned(1, 1);  // "Гравировать" cleared: command 0 goes, 1 and 2 do not
  commands.planned(3, 2);
  EXPECT_EQ(commands.firstUnconfirmed().index, 3);
  EXPECT_EQ(commands.firstUnconfirmed().place, 2);
}

}  // namespace
}  // namespace vexa::link
