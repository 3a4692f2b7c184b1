// Vexa: drives home-built CNC machines through the companion firmware on an Arduino board.

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/qt_automation.h"
#include "app/qt_window_registry.h"
#include "picture/qt_path.h"
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

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexa");

  const std::string variable = programDirVariable();
  const std::filesystem::path programDir =
      vexa::settings::ResolveProgramDir(commandLine(argc, argv), variable.c_str(),
                                        vexa::picture::ToPath(QApplication::applicationDirPath()));

  vexa::widgets::QtPrompts prompts;
  vexa::app::Automation automation(std::getenv(vexa::app::kAutomationVariable), prompts);
  vexa::app::MainWindow window(programDir, automation.prompts());
  prompts.setParent(&window);
  vexa::app::RegisterWindows(window, &prompts);
  window.show();
  automation.start(window);
  return QApplication::exec();
}
