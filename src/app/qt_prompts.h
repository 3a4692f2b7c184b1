#pragma once

#include <QWidget>

#include "link/prompts.h"

namespace vexa::app {

// Prompts as modal Qt message boxes over `parent`.
class QtPrompts final : public link::Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  void message(const std::string& caption, const std::string& text) override;
  bool askYesNo(const std::string& caption, const std::string& text) override;

 private:
  QWidget* parent_;
};

// The system's texts break lines with CR LF; Qt wants LF.
QString ToDisplayText(const std::string& text);

}  // namespace vexa::app
