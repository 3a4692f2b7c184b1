#include "widgets/qt_job_guard.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <exception>

#include "settings/vexa_error.h"

namespace vexa::widgets {

namespace {

// Switches controls off and back to what they were, however the job ends.
class ControlLock {
 public:
  explicit ControlLock(const QList<QWidget*>& controls) {
    for (QWidget* control : controls) {
      saved_.append({control, control->isEnabled()});
      control->setEnabled(false);
    }
  }
  ~ControlLock() {
    for (const auto& [control, enabled] : saved_) {
      if (control) control->setEnabled(enabled);
    }
  }

 private:
  QList<QPair<QPointer<QWidget>, bool>> saved_;
};

}  // namespace

QtJobGuard::QtJobGuard(link::JobState& state, QWidget& window, link::Prompts& prompts)
    : state_(state), window_(&window), prompts_(prompts) {
  state_.closeWithdrawn = [this] {
    if (window_) {
      window_->setProperty(kCloseWithdrawnProperty,
                           window_->property(kCloseWithdrawnProperty).toInt() + 1);
    }
  };
}

link::JobState::Outcome QtJobGuard::run(const std::function<void()>& job,
                                        const QList<QWidget*>& locked) {
  if (state_.running()) return link::JobState::Outcome::Refused;
  link::JobState::Outcome outcome = link::JobState::Outcome::Finished;
  try {
    ControlLock lock(locked);
    outcome = state_.run(job);
  } catch (const settings::VexaError& error) {
    outcome = link::JobState::Outcome::Failed;
    prompts_.message(link::kErrorCaption, error.description());
  } catch (const std::exception& error) {
    outcome = link::JobState::Outcome::Failed;
    prompts_.message(link::kErrorCaption,
                     std::string("Работа остановлена из-за ошибки: ") + error.what());
  }
  if (state_.takeDeferredClose()) closeWindow();
  return outcome;
}

bool QtJobGuard::mayClose(QCloseEvent* event) {
  if (state_.requestClose()) return true;
  event->ignore();
  return false;
}

void QtJobGuard::closeWindow() {
  if (!window_) return;
  // Inside the main window the frame closes, and asks its window in turn.
  if (auto* frame = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) {
    frame->close();
  } else {
    window_->close();
  }
}

}  // namespace vexa::widgets
