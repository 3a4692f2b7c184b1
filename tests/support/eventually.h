#pragma once
// Waiting for what another process does, without a timed assertion: the condition is looked at
// every 50 ms for up to a minute.

#include <QThread>

namespace vexa::test {

// True as soon as `done` holds; false when it still does not after a minute.
template <typename Condition>
bool Eventually(Condition done) {
  for (int look = 0; look < 1200; ++look) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return done();
}

}  // namespace vexa::test
