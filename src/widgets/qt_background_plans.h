#pragma once
// Works out a window's job estimates on a thread of its own, so a relief of hours that takes
// seconds to plan never holds the window. A new round of plans gives up the one before (its
// thread ends at its next look at the cancel flag; its results are dropped); the results come
// back on the window's thread.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "link/job_estimate.h"

namespace vexa::widgets {

// One job's plan: runs on the planning thread and may touch nothing but what it owns. Nullopt:
// the job cannot be planned (it would be refused).
using PlanTask = std::function<std::optional<link::JobEstimate>(const std::atomic<bool>& cancelled)>;

class BackgroundPlans : public QObject {
 public:
  using Done = std::function<void(std::vector<std::optional<link::JobEstimate>>)>;

  explicit BackgroundPlans(QObject* parent) : QObject(parent) {}
  ~BackgroundPlans() override;

  // Plans `tasks` one after the other; `done` gets their estimates, in order, unless another
  // round has started (or cancel() was called) meanwhile.
  void start(std::vector<PlanTask> tasks, Done done);
  void cancel();
  bool busy() const { return round_ != nullptr; }

 private:
  struct Round;
  void reap();

  std::shared_ptr<Round> round_;  // the round whose results count
  std::vector<std::pair<std::thread, std::shared_ptr<Round>>> threads_;
};

}  // namespace vexa::widgets
