#include "app/qt_automation.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/main_window.h"
#include "figures/figure_tree_widget.h"

namespace vexa::app {

namespace {

constexpr int kScriptFailed = 2;

template <typename Control>
Control* controlIn(QWidget* window, const std::string& name) {
  return window == nullptr ? nullptr : window->findChild<Control*>(QString::fromStdString(name));
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
      auto* field = controlIn<QLineEdit>(form, step.target);
      if (field == nullptr || !field->isEnabled()) return fail("no usable field " + step.target);
      field->setText(QString::fromStdString(step.value));
      // As a person would, the script then leaves the field, so the rules that run on leaving
      // it (derived fields, the scanner's grid) take effect.
      QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
      QCoreApplication::sendEvent(field, &leave);
      return true;
    }
    case Verb::Select: {
      auto* tree = controlIn<figures::FigureTreeWidget>(form, step.target);
      if (tree == nullptr || !tree->isEnabled()) return fail("no usable tree " + step.target);
      if (!tree->selectKey(step.value)) return fail("no node " + step.value + " in the tree");
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
