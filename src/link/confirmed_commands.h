#pragma once
// Which of the commands a job has sent the controller has confirmed with its "T", so that a
// job cut off by a failed link can go on from the first command the controller never
// confirmed. Replies come in the order of the commands, one "T" each; the job may run ahead of
// them (the raster runs stay one command ahead), so the last one or two sent are the
// unconfirmed ones.

#include <cstdint>
#include <deque>

#include "link/reply_buffer.h"

namespace vexa::link {

class ConfirmedCommands {
 public:
  // A command that comes before the job's own numbered ones (a setup command).
  static constexpr std::int64_t kSetup = -1;

  struct Place {
    std::int64_t index = 0;  // the job's number of the command
    int place = 0;           // where it works, as the job counts (the raster runs: the row)
  };

  // Counts from now on the "T"s that arrive in `replies`, the job's reply buffer.
  void begin(const ReplyBuffer& replies);
  // The job is about to write its command `index`, working at `place`.
  void sent(std::int64_t index, int place);
  // The job's next command would be `index` (one that is not sent, as with the run box
  // cleared, still moves the point to go on from).
  void planned(std::int64_t index, int place) { next_ = {index, place}; }

  // The first of the job's numbered commands that was sent and not confirmed; the next planned
  // one when every command sent was confirmed. A setup command is never the answer: whoever
  // goes on sends it again anyway.
  Place firstUnconfirmed();
  std::int64_t confirmed() const;

 private:
  void dropConfirmed();

  const ReplyBuffer* replies_ = nullptr;
  std::uint64_t arrivedBefore_ = 0;
  std::int64_t taken_ = 0;  // confirmations already matched to commands
  std::deque<Place> waiting_;  // sent, not yet confirmed, oldest first
  Place next_;
};

}  // namespace vexa::link
