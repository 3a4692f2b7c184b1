#include "widgets/qt_background_plans.h"

#include <QMetaObject>

#include "link/job_stream.h"

namespace vexa::widgets {

struct BackgroundPlans::Round {
  std::atomic<bool> cancelled{false};
  std::atomic<bool> finished{false};
};

BackgroundPlans::~BackgroundPlans() {
  cancel();
  for (auto& [thread, round] : threads_) thread.join();
}

void BackgroundPlans::cancel() {
  if (round_) round_->cancelled = true;
  round_.reset();
}

void BackgroundPlans::reap() {
  for (auto it = threads_.begin(); it != threads_.end();) {
    if (it->second->finished) {
      it->first.join();
      it = threads_.erase(it);
    } else {
      ++it;
    }
  }
}

void BackgroundPlans::start(std::vector<PlanTask> tasks, Done done) {
  cancel();
  reap();
  auto round = std::make_shared<Round>();
  round_ = round;
  std::thread worker([this, round, tasks = std::move(tasks), done = std::move(done)] {
    std::vector<std::optional<link::JobEstimate>> results;
    try {
      for (const PlanTask& task : tasks) {
        std::optional<link::JobEstimate> result;
        try {
          result = task(round->cancelled);
        } catch (const link::PlanCancelled&) {
          throw;
        } catch (...) {
          // A move beyond the step range, a shortage of memory: the job itself says what when
          // it runs; until then there is no estimate.
          result.reset();
        }
        results.push_back(std::move(result));
      }
    } catch (const link::PlanCancelled&) {
    }
    if (!round->cancelled) {
      // Queued to this object's thread; dropped should the object be gone by then (the
      // destructor joins this thread first, so `this` is alive while it is posted).
      QMetaObject::invokeMethod(
          this,
          [this, round, results = std::move(results), done] {
            if (round_ == round) {
              round_.reset();
              done(results);
            }
          },
          Qt::QueuedConnection);
    }
    round->finished = true;
  });
  threads_.emplace_back(std::move(worker), round);
}

}  // namespace vexa::widgets
