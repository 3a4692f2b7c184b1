// Vexa: drives home-built CNC machines through the companion firmware on an Arduino board.

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/info_options.h"
#include "app/main_window.h"
#include "app/qt_automation.h"
#include "app/qt_translations.h"
#include "app/qt_window_registry.h"
#include "emulator/demo_mode.h"
#include "picture/qt_path.h"
#include "settings/path_text.h"
#include "settings/program_dir.h"
#include "widgets/qt_prompts.h"

namespace {

// The command line and the program folder variable as UTF-8 text. On Windows the C runtime's argv
// and getenv give the code page's bytes, which cannot hold every name; Qt has the real ones.
std::vector<std::string> commandLine(int argc, char* argv[]) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> args;
  for (const QString& arg : QCoreApplication::arguments()) args.push_back(arg.toStdString());
  return args;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

std::string programDirVariable() {
#ifdef _WIN32
  return qEnvironmentVariable(vexa::settings::kProgramDirVariable).toStdString();
#else
  const char* value = std::getenv(vexa::settings::kProgramDirVariable);
  return value == nullptr ? std::string() : value;
#endif
}

// --demo: the emulated controller inside the process instead of the serial port; --demo-log
// FILE also writes the commands it receives to FILE, one per line, as vexa-sim --log does.
struct DemoChoice {
  bool wanted = false;
  std::string logPath;
};

DemoChoice demoChoice(const std::vector<std::string>& args) {
  DemoChoice choice;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--demo") choice.wanted = true;
    if (args[i] == "--demo-log" && i + 1 < args.size()) choice.logPath = args[++i];
  }
  return choice;
}

std::unique_ptr<vexa::link::SerialPort> demoPort(const DemoChoice& choice) {
  if (!choice.wanted) return nullptr;
  try {
    return vexa::emulator::MakeDemoPort(vexa::settings::PathFromUtf8(choice.logPath));
  } catch (const std::exception& error) {
    // A developer's option: the demo goes on without its log.
    std::fprintf(stderr, "vexa: %s %s\n", error.what(), choice.logPath.c_str());
    return vexa::emulator::MakeDemoPort();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt looks for a display: `vexa --version` works on a bare terminal.
  if (const auto info = vexa::app::InfoOptionText(std::vector<std::string>(argv, argv + argc))) {
    std::fputs(info->c_str(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexa");
  vexa::app::LoadQtTranslations(application);

  const std::string variable = programDirVariable();
  const std::vector<std::string> args = commandLine(argc, argv);
  // GenericDataLocation is $XDG_DATA_HOME (normally ~/.local/share) on Linux, %LOCALAPPDATA% on
  // Windows: where an installed Vexa keeps each user's program folder.
  const std::filesystem::path programDir = vexa::settings::ResolveProgramDir(
      args, variable.c_str(), vexa::picture::ToPath(QApplication::applicationDirPath()),
      vexa::picture::ToPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));

  vexa::widgets::QtPrompts prompts;
  vexa::app::Automation automation(std::getenv(vexa::app::kAutomationVariable), prompts);
  vexa::app::MainWindow window(programDir, automation.prompts(), demoPort(demoChoice(args)));
  prompts.setParent(&window);
  vexa::app::RegisterWindows(window, &prompts);
  window.show();
  automation.start(window);
  return QApplication::exec();
}
