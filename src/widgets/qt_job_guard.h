#pragma once
// A job window's side of JobState: its run button goes through run(), its closeEvent through
// mayClose(). Later job windows (milling, outline, cutting, scanner) use it the same way.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "link/job_state.h"
#include "link/prompts.h"

class QCloseEvent;

namespace vexa::widgets {

// The window's dynamic property that counts closes the user withdrew by choosing to continue:
// whoever asked the window to close (the main window quitting) learns from its change that the
// window stays.
inline constexpr const char* kCloseWithdrawnProperty = "closeWithdrawn";

class QtJobGuard {
 public:
  QtJobGuard(link::JobState& state, QWidget& window, link::Prompts& prompts);

  // Runs `job` from a button handler: refused at once while the window's job runs. `locked` are
  // switched off for the job's time (controls that would change what the job works on) and then
  // restored. The link abort ends the job quietly; any other error is shown as a message
  // ("Ошибка"). A close put off during the job is carried out after it.
  link::JobState::Outcome run(const std::function<void()>& job, const QList<QWidget*>& locked = {});

  // From the window's closeEvent: false, with the event ignored, while the job runs; the window
  // closes once the job has unwound, unless the user chose to continue.
  bool mayClose(QCloseEvent* event);

 private:
  void closeWindow();

  link::JobState& state_;
  QPointer<QWidget> window_;
  link::Prompts& prompts_;
};

}  // namespace vexa::widgets
