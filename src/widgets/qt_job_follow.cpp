#include "widgets/qt_job_follow.h"

#include <QAbstractButton>
#include <QTimer>
#include <atomic>

#include "widgets/job_progress_widget.h"
#include "widgets/qt_link_back.h"

namespace vexa::widgets {

JobFollow::JobFollow(link::MachineLink& link, JobProgressWidget& panel,
                     std::function<std::vector<Plan>()> plans, QObject* parent)
    : QObject(parent), link_(link), panel_(panel), plans_(std::move(plans)), background_(this) {
  planTimer_ = new QTimer(this);
  planTimer_->setSingleShot(true);
  planTimer_->setInterval(0);
  connect(planTimer_, &QTimer::timeout, this, &JobFollow::startPlans);
}

void JobFollow::replan() {
  ++inputs_;
  background_.cancel();
  if (running_) return;
  panel_.showPlanning();  // at once: the old estimate no longer holds
  planTimer_->start();
}

void JobFollow::startPlans() {
  if (running_) return;
  names_.clear();
  std::vector<PlanTask> tasks;
  for (Plan& plan : plans_()) {
    names_.push_back(plan.name);
    // A job that cannot be planned now has no estimate.
    tasks.push_back(plan.task ? std::move(plan.task) : [](const std::atomic<bool>&) {
      return std::optional<link::JobEstimate>();
    });
  }
  const std::uint64_t inputs = inputs_;
  background_.start(std::move(tasks), [this, inputs](auto estimates) {
    if (inputs != inputs_ || running_) return;
    plannedFor_ = inputs;
    estimates_ = std::move(estimates);
    showPlans(estimates_);
  });
}

void JobFollow::showPlans(const std::vector<std::optional<link::JobEstimate>>& estimates) {
  if (estimates.size() == 1) {
    panel_.showEstimate(estimates.front());
    return;
  }
  std::string text;
  for (std::size_t i = 0; i < estimates.size(); ++i) {
    if (!text.empty()) text += "\n";
    text += names_[i].toStdString() + " — " +
            (estimates[i] ? link::EstimateText(*estimates[i]) : link::NoEstimateText());
  }
  panel_.showText(text);
}

std::optional<link::JobEstimate> JobFollow::estimateNow(int job) {
  if (plannedFor_ == inputs_ && job >= 0 && job < int(estimates_.size())) return estimates_[job];
  std::vector<Plan> plans = plans_();
  if (job < 0 || job >= int(plans.size()) || !plans[job].task) return std::nullopt;
  const std::atomic<bool> never{false};
  try {
    return plans[job].task(never);
  } catch (const link::PlanRefused&) {
    return std::nullopt;
  }
}

std::int64_t JobFollow::execute(Run run, std::int64_t firstSent) {
  // The worker stops planning first: a plan made here meanwhile would share the cores with it.
  background_.cancel();
  const std::optional<link::JobEstimate> estimate = estimateNow(run.job);
  std::optional<link::JobProgress> progress;
  if (estimate) {
    progress.emplace(
        *estimate, [this](const link::ProgressReport& report) { panel_.showProgress(report); },
        link::JobClock(link_));
  }
  if (run.replies) journal_.begin(*run.replies);
  link::JobStream stream =
      link::JobStream::Running(firstSent, progress ? &*progress : nullptr, &journal_);
  panel_.startRun();
  interrupted_.reset();
  linkBack_ = false;

  // A read that failed during the run cut the line: what the board confirmed is noted once the
  // link abort has unwound the job.
  struct Watch {
    JobFollow& follow;
    const Run& run;
    std::uint64_t failures;
    std::int64_t commands;
    ~Watch() {
      follow.running_ = false;
      if (follow.link_.readFailures() != failures) {
        follow.interrupted_ = Interrupted{run, follow.journal_.firstUnconfirmed().index, commands,
                                          follow.link_.openings()};
      }
      follow.replan();
    }
  } watch{*this, run, link_.readFailures(), estimate ? estimate->commands() : 0};
  running_ = true;
  const std::int64_t start = link::SystemSteadyNanos();
  run.body(stream);
  if (progress) progress->finish();
  return link::WholeSecondsSince(start);
}

bool JobFollow::mayGoOn(const QAbstractButton& runBox, bool jobRunning) const {
  return interrupted_ && linkBack_ && !jobRunning && runBox.isChecked() && runBox.isEnabled();
}

bool JobFollow::watchLinkBack(const std::string& tag, MachineStatusWidget& status,
                              QtJobGuard& guard, QAbstractButton* runBox,
                              const QList<QWidget*>& locked) {
  if (!interrupted_ || linkBack_) return false;
  linkBack_ = LinkCameBack(link_, interrupted_->opening, tag, status, guard, runBox, locked);
  return linkBack_;
}

std::string JobFollow::goOnQuestion() const {
  if (!interrupted_) return {};
  std::string place = std::to_string(interrupted_->firstUnconfirmed + 1);
  if (interrupted_->commands > 0) place += " из " + std::to_string(interrupted_->commands);
  return "Продолжить работу с команды " + place +
         "?\r\nИнструмент должен стоять там, где его застал обрыв связи: если его сдвигали, "
         "ответьте \"Нет\".";
}

std::int64_t JobFollow::goOn() {
  Interrupted cut = *interrupted_;
  cut.run.restore();
  return execute(cut.run, cut.firstUnconfirmed);
}

}  // namespace vexa::widgets
