#pragma once
// Form12: the installed and the newest version, the update-check frequency, and links to the
// project's web site.

#include <QDialog>

#include "app/about_state.h"
#include "link/wall_clock.h"
#include "widgets/firmware_notice_dialog.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vexa::app {

class MainWindow;

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  using UrlOpener = widgets::FirmwareNoticeDialog::UrlOpener;

  // Fills the frequency list and runs RefreshAbout. Without `openUrl` links open in the
  // desktop's browser.
  explicit AboutDialog(MainWindow& main, QWidget* parent = nullptr, UrlOpener openUrl = {},
                       link::WholeSecondsClock clock = link::SystemWholeSeconds);

  // Shows the versions and selects the frequency in force.
  void RefreshAbout();

  void done(int result) override;

 private:
  void chooseFrequency();
  void checkNow();
  void showState(const AboutState& state);
  void openLink(const QString& address);

  MainWindow& main_;
  UrlOpener openUrl_;
  link::WholeSecondsClock clock_;
  QLabel* description_;
  QLabel* installed_;
  QLabel* latest_;
  QLabel* status_;
  QPushButton* checkButton_;
  QComboBox* frequencyList_;
  bool counting_ = false;
  bool closed_ = false;
};

}  // namespace vexa::app
