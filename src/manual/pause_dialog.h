#pragma once
// Form7: opened by a milling job's step move after Stop. The user may raise or lower the
// cutter, then continue the job or end it.

#include <QDialog>
#include <optional>
#include <string>

#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "settings/settings.h"

class QLineEdit;

namespace vexa::manual {

class PauseDialog : public QDialog {
  Q_OBJECT

 public:
  PauseDialog(link::MachineLink& link, const link::MachineSettings& settings,
              const settings::SettingsFile& settingsFile, QWidget* parent = nullptr);

  // 1: continue (also when closed with the close box), 0: stop.
  int answer() const { return answer_; }
  QLineEdit* depthField() const { return depth_; }

  void done(int result) override;

 private:
  void moveCutter(bool lower);

  link::MachineLink& link_;
  const link::MachineSettings& settings_;
  const settings::SettingsFile& settingsFile_;
  QLineEdit* depth_;
  link::ReplyBuffer replyBuffer_;
  int answer_ = 1;
  bool moving_ = false;
  std::optional<int> closeWanted_;  // the dialog result of a close put off during a move
};

// Shows the dialog modally and returns its answer.
int RunPauseDialog(link::MachineLink& link, const link::MachineSettings& settings,
                   const settings::SettingsFile& settingsFile, QWidget* parent);

}  // namespace vexa::manual
