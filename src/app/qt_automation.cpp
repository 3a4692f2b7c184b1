#include "app/qt_automation.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/main_window.h"
#include "figures/figure_tree_widget.h"

namespace vexa::app {

namespace {

constexpr int kScriptFailed = 2;
constexpr int kWaitLimitMs = 60000;

template <typename Control>
Control* controlIn(QWidget* window, const std::string& name) {
  return window == nullptr ? nullptr : window->findChild<Control*>(QString::fromStdString(name));
}

// The field `type` works on: a line edit, or the edit line of an editable list (the port).
QLineEdit* typingFieldIn(QWidget* window, const std::string& name) {
  if (auto* field = controlIn<QLineEdit>(window, name)) return field;
  auto* list = controlIn<QComboBox>(window, name);
  return list != nullptr && list->isEditable() ? list->lineEdit() : nullptr;
}

// Qt's key codes of the printable ASCII characters are their upper-case codes; other characters
// (Cyrillic letters) are typed by their text alone.
int keyOf(QChar c) {
  if (c.unicode() >= 0x20 && c.unicode() < 0x7F) return c.toUpper().unicode();
  return Qt::Key_unknown;
}

void pressKey(QWidget* field, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(field, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(field, &release);
}

// What a person does: goes into the field, types the text over what it held, key by key (so the
// field's key filter sees every character), and leaves it with Tab, so that the rules that run
// when a field is left (the raster width refitting the picture, the spot diameter snapping to
// whole motor steps, derived fields, the scanner's grid) run as they would. The focus events are sent to the field itself, which
// needs no active window: scripts also run where no window ever becomes active.
void typeLikeAPerson(QLineEdit* field, const QString& text) {
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(field, &focusIn);
  field->selectAll();
  if (text.isEmpty() && !field->text().isEmpty()) pressKey(field, Qt::Key_Backspace, {});
  for (const QChar c : text) pressKey(field, keyOf(c), QString(c));
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(field, &focusOut);
}

}  // namespace

Automation::Automation(const char* scriptPath, link::Prompts& interactive)
    : interactive_(interactive) {
  if (scriptPath == nullptr || *scriptPath == '\0') return;
  active_ = true;
  scripted_ = std::make_unique<ScriptedPrompts>(std::cout);
  std::ifstream file(scriptPath, std::ios::binary);
  if (!file) {
    problem_ = std::string("cannot read ") + scriptPath;
    return;
  }
  std::ostringstream text;
  text << file.rdbuf();
  auto parsed = ParseAutomationScript(text.str());
  if (auto* problem = std::get_if<std::string>(&parsed)) {
    problem_ = *problem;
  } else {
    steps_ = std::move(std::get<std::vector<AutomationStep>>(parsed));
  }
}

Automation::~Automation() = default;

link::Prompts& Automation::prompts() {
  return active_ ? static_cast<link::Prompts&>(*scripted_) : interactive_;
}

void Automation::start(MainWindow& window) {
  if (!active_) return;
  QTimer::singleShot(0, &window, [this, &window] { runSteps(window); });
}

// Steps run one after another in this one call: a job runs inside its button's click, so the
// next step starts only when the job has ended.
void Automation::runSteps(MainWindow& window) {
  if (!problem_.empty()) {
    std::cerr << kAutomationVariable << ": " << problem_ << std::endl;
    QCoreApplication::exit(kScriptFailed);
    return;
  }
  for (const AutomationStep& step : steps_) {
    if (!runStep(window, step)) {
      QCoreApplication::exit(kScriptFailed);
      return;
    }
    if (step.verb == AutomationStep::Verb::Quit) return;
  }
}

bool Automation::runStep(MainWindow& window, const AutomationStep& step) {
  using Verb = AutomationStep::Verb;
  auto fail = [&](const std::string& what) {
    std::cerr << kAutomationVariable << ": line " << step.line << ": " << what << std::endl;
    return false;
  };
  QWidget* form =
      step.window.empty() ? nullptr : window.findWindow(QString::fromStdString(step.window));
  if (!step.window.empty() && form == nullptr) return fail("no open window " + step.window);
  switch (step.verb) {
    case Verb::Menu: {
      auto* entry = window.findChild<QAction*>(QString::fromStdString(step.target));
      if (entry == nullptr || !entry->isEnabled())
        return fail("no usable menu entry " + step.target);
      entry->trigger();
      return true;
    }
    case Verb::Click: {
      auto* button = controlIn<QAbstractButton>(form, step.target);
      if (button == nullptr || !button->isEnabled()) return fail("no usable button " + step.target);
      button->click();
      return true;
    }
    case Verb::Check: {
      auto* box = controlIn<QCheckBox>(form, step.target);
      if (box == nullptr || !box->isEnabled()) return fail("no usable check box " + step.target);
      box->setChecked(step.value == "on");
      return true;
    }
    case Verb::Type: {
      QLineEdit* field = typingFieldIn(form, step.target);
      if (field == nullptr || !field->isEnabled() || field->isReadOnly()) {
        return fail("no usable field " + step.target);
      }
      typeLikeAPerson(field, QString::fromStdString(step.value));
      return true;
    }
    case Verb::Select: {
      auto* tree = controlIn<figures::FigureTreeWidget>(form, step.target);
      if (tree == nullptr || !tree->isEnabled()) return fail("no usable tree " + step.target);
      if (!tree->selectKey(step.value)) return fail("no node " + step.value + " in the tree");
      return true;
    }
    case Verb::Wait: {
      QElapsedTimer waited;
      waited.start();
      const QPointer<QWidget> watched = form;  // the window may close meanwhile
      auto usable = [&] {
        auto* control = controlIn<QWidget>(watched.data(), step.target);
        return control != nullptr && control->isEnabled();
      };
      while (!usable()) {
        if (!watched) return fail("window " + step.window + " closed while waiting");
        if (waited.elapsed() > kWaitLimitMs) return fail(step.target + " never became usable");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
      }
      return true;
    }
    case Verb::Answer:
      scripted_->queueAnswer(step.value == "yes");
      return true;
    case Verb::Choose:
      scripted_->queueFile(step.value);
      return true;
    case Verb::Close: {
      auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
      (frame != nullptr ? static_cast<QWidget*>(frame) : form)->close();
      return true;
    }
    case Verb::Quit:
      window.close();
      QCoreApplication::exit(0);
      return true;
  }
  return true;
}

}  // namespace vexa::app
