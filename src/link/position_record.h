#pragma once

#include <cstdint>
#include <string>

#include "link/reply_buffer.h"

namespace vexa::link {

// What a window's step moves have accounted for. Sending only the rounded difference between
// the exact requested position and the steps already sent keeps fractions from drifting.
struct PositionRecord {
  std::int32_t sentX = 0, sentY = 0, sentZ = 0;
  double exactX = 0, exactY = 0, exactZ = 0;
  std::int32_t lastLaser = 0;  // outline windows: the last non-zero laser value asked for
  std::int32_t laserTold = 0;  // outline windows: the last laser value the board was told
  ReplyBuffer replyBuffer;     // the controller's replies collect here between waits

  // Where the job's moves stand, without the replies: a job planned or gone on with starts from
  // the same place as the job itself.
  struct Place {
    std::int32_t sentX = 0, sentY = 0, sentZ = 0;
    double exactX = 0, exactY = 0, exactZ = 0;
    std::int32_t lastLaser = 0;
  };
  Place place() const { return {sentX, sentY, sentZ, exactX, exactY, exactZ, lastLaser}; }
  void moveTo(const Place& p) {
    sentX = p.sentX, sentY = p.sentY, sentZ = p.sentZ;
    exactX = p.exactX, exactY = p.exactY, exactZ = p.exactZ;
    lastLaser = p.lastLaser;
  }

  // Starts a new job's bookkeeping; replies not yet consumed stay in the buffer.
  void reset() {
    sentX = sentY = sentZ = 0;
    exactX = exactY = exactZ = 0;
    lastLaser = 0;
  }
};

}  // namespace vexa::link
