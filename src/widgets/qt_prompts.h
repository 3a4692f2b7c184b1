#pragma once

#include <QWidget>
#include <functional>

#include "link/prompts.h"

namespace vexa::widgets {

// Prompts as modal Qt message boxes over `parent`.
class QtPrompts final : public link::Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  // The pause dialog needs the link and the settings; the main window provides it.
  void setPauseDialog(std::function<int()> runPauseDialog) {
    runPauseDialog_ = std::move(runPauseDialog);
  }

  void message(const std::string& caption, const std::string& text) override;
  bool askYesNo(const std::string& caption, const std::string& text) override;
  int PauseDialog() override;
  void showFirmwareNotice(const std::string& text) override;
  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<link::FileFilter>& filters,
                                              const std::string& initialFolder) override;

 private:
  QWidget* parent_;
  std::function<int()> runPauseDialog_;
};

// The system's texts break lines with CR LF; Qt wants LF.
QString ToDisplayText(const std::string& text);

}  // namespace vexa::widgets
