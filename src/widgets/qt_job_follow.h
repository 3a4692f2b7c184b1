#pragma once
// What a window does around its jobs so that none runs blind: the estimate of each job before
// the start (planned in the background, again whenever the window says its inputs changed),
// the progress and time left during a run, a note of how long the job took, and going on after
// a cut link from the first command the board never confirmed. The window supplies its jobs'
// plans and bodies; the same job code plans, runs and goes on (link::JobStream).

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/confirmed_commands.h"
#include "link/job_estimate.h"
#include "link/job_stream.h"
#include "link/machine_link.h"
#include "widgets/qt_background_plans.h"

class QAbstractButton;
class QTimer;
class QWidget;

namespace vexa::widgets {

class JobProgressWidget;
class MachineStatusWidget;
class QtJobGuard;

class JobFollow : public QObject {
 public:
  // One of the window's jobs as it stands now.
  struct Plan {
    QString name;   // the button's text: "Все"
    PlanTask task;  // empty: the job cannot be planned now (no tree, no selection)
  };
  // A job about to run: `body` runs it with the window's moves following `stream`; `restore`
  // puts the window back where the job started (pictures, figures, the moves' place), so that
  // going on can run the job again from its start, passing over what the board confirmed.
  struct Run {
    int job = 0;  // index into the plans
    std::function<void(link::JobStream& stream)> body;
    std::function<void()> restore;
    link::ReplyBuffer* replies = nullptr;  // the moves' reply buffer: confirmations count there
  };

  JobFollow(link::MachineLink& link, JobProgressWidget& panel,
            std::function<std::vector<Plan>()> plans, QObject* parent);

  // The jobs' inputs have changed: the estimates are planned anew once the present handler
  // has finished (never during a run; right after it instead).
  void replan();
  // The estimate of `job` for the inputs as they are, planned here and now when the
  // background one is not ready.
  std::optional<link::JobEstimate> estimateNow(int job);

  // Runs `run` from its start, or passing over its first `firstSent` commands. The link abort
  // passes on; a cut link leaves the job to go on with. Returns how long it took.
  std::int64_t execute(Run run, std::int64_t firstSent = 0);

  // Going on: a job the line cut, whose line has come back with the window's firmware.
  bool interrupted() const { return interrupted_.has_value(); }
  // Whether "Продолжить" may be pressed: a cut job whose line came back, no job running, and
  // `runBox` (the window's "Выполнять") ticked and enabled.
  bool mayGoOn(const QAbstractButton& runBox, bool jobRunning) const;
  // Looked at while a cut job waits for its line (LinkCameBack, `tag` the window's firmware):
  // true when the line has just come back.
  bool watchLinkBack(const std::string& tag, MachineStatusWidget& status, QtJobGuard& guard,
                     QAbstractButton* runBox, const QList<QWidget*>& locked);
  // The question before going on ("Продолжить работу с команды …").
  std::string goOnQuestion() const;
  // Restores the window and runs the rest of the interrupted job.
  std::int64_t goOn();
  void forgetInterrupted() { interrupted_.reset(); }

  bool running() const { return running_; }
  // The estimate of `job` shown now; nullopt while planning or when it has none.
  std::optional<link::JobEstimate> shownEstimate(int job) const {
    if (plannedFor_ != inputs_ || job < 0 || job >= int(estimates_.size())) return std::nullopt;
    return estimates_[job];
  }

 private:
  struct Interrupted {
    Run run;
    std::int64_t firstUnconfirmed = 0;
    std::int64_t commands = 0;  // of the whole job, when its estimate was known
    std::uint64_t opening = 0;
  };

  void startPlans();
  void showPlans(const std::vector<std::optional<link::JobEstimate>>& estimates);

  link::MachineLink& link_;
  JobProgressWidget& panel_;
  std::function<std::vector<Plan>()> plans_;
  BackgroundPlans background_;
  QTimer* planTimer_;
  std::uint64_t inputs_ = 0;       // counts the changes of the inputs
  std::uint64_t plannedFor_ = -1;  // the inputs the estimates below were planned for
  std::vector<std::optional<link::JobEstimate>> estimates_;
  std::vector<QString> names_;
  bool running_ = false;
  link::ConfirmedCommands journal_;
  std::optional<Interrupted> interrupted_;
  bool linkBack_ = false;
};

using link::JobDoneText;

}  // namespace vexa::widgets
