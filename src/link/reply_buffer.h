#pragma once
// A window's reply buffer: the controller's replies collect in it, and every reply wait ends by
// deleting every CR LF pair from the whole buffer and then its first character. Replies that
// came earlier stay and count at later waits.
//
// Done literally, that rewrites the whole buffer at every wait, and a board that sends more
// than "T" makes the buffer, and each wait, grow without end. Here the work follows the bytes:
// deleting the pairs once does not delete pairs that only meet then ("\r\r\n\n" keeps "\r\n"
// until the next wait), so every CR is matched to its LF as they arrive, like brackets, and
// each pair is given the wait at whose end it goes: the first wait after its LF arrived and
// after every pair inside it has gone. Deleted bytes are skipped when the front is consumed.

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "link/owed_replies.h"

namespace vexa::link {

class ReplyBuffer {
 public:
  ReplyBuffer& operator=(std::string_view text);

  void append(char byte);
  // The buffer holds a "T".
  bool hasReply() const { return replies_ > 0; }
  // Every "T" that ever arrived, consumed or not: what the controller has confirmed so far.
  std::uint64_t repliesArrived() const { return arrived_; }
  // The end of a wait: deletes every CR LF pair, then the first character.
  void takeReply();
  // Empties the text; what is owed stays (it is about the line, not the text).
  void clear();
  // "T"s in the buffer, not yet taken.
  std::size_t repliesWaiting() const { return replies_; }

  // The replies the controller owes this buffer (MachineLink keeps the count).
  OwedReplies owed;

  std::string text() const;
  bool empty() const;

  friend bool operator==(const ReplyBuffer& buffer, std::string_view text) {
    return buffer.text() == text;
  }
  friend std::ostream& operator<<(std::ostream& out, const ReplyBuffer& buffer);

 private:
  // A CR still waiting for its LF, and the latest wait at which a pair inside it goes.
  struct Open {
    std::size_t mark;
    std::uint64_t innerPass;
  };

  bool lineEndKept(std::size_t mark, char byte) const;
  void compact();

  std::string bytes_;  // as they came; those before head_ are consumed
  std::size_t head_ = 0;
  // One entry per CR or LF in bytes_, in the same order; those before markHead_ are consumed.
  // A CR's entry: 0 while it has no LF, else the distance to its LF's entry. An LF's entry:
  // the wait at whose end it goes with its CR, or kNever.
  std::vector<std::uint64_t> marks_;
  std::size_t markHead_ = 0;
  std::deque<Open> opens_;    // the unmatched CRs of the last run of CRs and LFs, innermost last
  std::uint64_t passes_ = 0;  // waits ended so far
  std::size_t replies_ = 0;   // "T"s in the buffer
  std::uint64_t arrived_ = 0;  // "T"s appended, also those consumed or cleared since
};

}  // namespace vexa::link
