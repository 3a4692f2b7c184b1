#pragma once
// The application's frame: menu, notice panel, and the owner of the machine link and the
// global machine settings that every window uses.

#include <QMainWindow>
#include <QMap>
#include <filesystem>
#include <functional>
#include <memory>

#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/serial_port.h"
#include "settings/settings.h"
#include "settings/startup_settings.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMdiSubWindow;
class QPushButton;
class QTimer;

namespace vexa::link {
class EventPump;
}

namespace vexa::app {

class MainWindow;
class UpdateCheck;

// Builds the window behind a menu entry; its object name is the window's system name (Form1...).
using WindowFactory = std::function<QWidget*(MainWindow&)>;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Runs the start-up: reads the settings, opens the port (a failure is shown through
  // `prompts`), sizes the window and schedules the update check. Without `port` the real serial
  // device is used. The update server is the web site's, or VEXA_UPDATE_SERVER's.
  MainWindow(std::filesystem::path programDir, link::Prompts& prompts,
             std::unique_ptr<link::SerialPort> port = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  link::MachineLink& machineLink() { return *link_; }
  link::MachineSettings& machineSettings() { return machineSettings_; }
  const settings::SettingsFile& settingsFile() const { return settings_; }
  const std::filesystem::path& programDir() const { return programDir_; }
  link::Prompts& prompts() { return prompts_; }
  // How the last OpenPort went, for the settings window's message.
  const link::OpenResult& lastOpenResult() const { return link_->lastOpenResult(); }

  const std::string& ver() const { return ver_; }
  std::string CVer;   // newest version reported by the update server; empty until known
  int check_ver = 0;  // update-check frequency index 0..4
  std::string check_prev;

  // Asks the update server for the newest version, once per run; the answer arrives later and
  // sets CVer. Never waits: the connection gets about 5 s while the application carries on.
  void CheckVersion();
  // Runs CheckVersion 100 ms from now unless CVer is known by then (start-up, "Проверить").
  void startCheckTimer();

  // The raster window reads it when it loads: "shock_head" for the impact head, "" for laser.
  const std::string& rasterContext() const { return rasterContext_; }

  // Makes the menu entries of `formName` usable and opens that window through `factory`.
  void setWindowFactory(const QString& formName, WindowFactory factory);

  // Closes every open window whose object name begins with "Form", except the settings, manual
  // positioning, pause, firmware notice and About windows.
  void closeOperationWindows();
  // Brings an open window named `formName` to the front, or creates and shows it.
  QWidget* showWindow(const QString& formName, bool giveFocus = true);
  QWidget* findWindow(const QString& formName) const;

  QWidget* noticePanel() const { return noticePanel_; }
  QLabel* noticeLabel() const { return noticeLabel_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A window whose job unwinds before it closes: the main window closes after it, unless the
  // user chooses to continue the job.
  void quitAfter(QMdiSubWindow* sub);
  void windowGone();

  void buildMenu();
  void buildNoticePanel(QWidget* central);
  QAction* addEntry(QWidget* menu, const char* objectName, const QString& caption,
                    const QString& formName);
  void openFromMenu(const QString& formName);
  void scheduleUpdateCheck();
  void takeVersion(const std::string& version);

  std::filesystem::path programDir_;
  settings::SettingsFile settings_;
  link::Prompts& prompts_;
  std::unique_ptr<link::SerialPort> port_;
  std::unique_ptr<link::EventPump> pump_;
  std::unique_ptr<link::MachineLink> link_;
  link::MachineSettings machineSettings_;
  std::string ver_;
  std::string rasterContext_;

  QMdiArea* mdiArea_ = nullptr;
  bool quitting_ = false;  // closed during a job: closes again once the job has unwound
  QWidget* noticePanel_ = nullptr;
  QLabel* noticeLabel_ = nullptr;
  QTimer* checkTimer_ = nullptr;
  UpdateCheck* updateCheck_ = nullptr;
  QMap<QString, WindowFactory> factories_;
  QMap<QString, QList<QAction*>> entriesByForm_;
};

}  // namespace vexa::app
