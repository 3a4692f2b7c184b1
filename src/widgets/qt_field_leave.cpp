#include "widgets/qt_field_leave.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace vexa::widgets {

namespace {

class LeaveFilter : public QObject {
 public:
  LeaveFilter(QObject* parent, std::function<void()> rule)
      : QObject(parent), rule_(std::move(rule)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusOut) return false;
    // A field switched off (locked while a job reads the fields) gives the focus away without
    // being left: its rule would change what the job is about to read.
    if (const auto* field = qobject_cast<QWidget*>(watched); field && !field->isEnabled()) {
      return false;
    }
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    // A rule's own message box takes the focus away again: that is not a second leave.
    if (running_) return false;
    running_ = true;
    struct Done {
      bool& running;
      ~Done() { running = false; }
    } done{running_};
    rule_();
    return false;
  }

 private:
  std::function<void()> rule_;
  bool running_ = false;
};

}  // namespace

void OnFieldLeft(QLineEdit* field, std::function<void()> rule) {
  field->installEventFilter(new LeaveFilter(field, std::move(rule)));
}

}  // namespace vexa::widgets
