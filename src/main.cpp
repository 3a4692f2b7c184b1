// Vexa: drives home-built CNC machines through the companion firmware on an Arduino board.

#include <QApplication>
#include <cstdlib>

#include "app/main_window.h"
#include "app/program_dir.h"
#include "app/qt_automation.h"
#include "app/qt_prompts.h"
#include "app/qt_window_registry.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexa");

  std::vector<std::string> args(argv, argv + argc);
  const std::filesystem::path programDir = vexa::app::ResolveProgramDir(
      args, std::getenv(vexa::app::kProgramDirVariable),
      QApplication::applicationDirPath().toStdString());

  vexa::app::QtPrompts prompts;
  vexa::app::Automation automation(std::getenv(vexa::app::kAutomationVariable), prompts);
  vexa::app::MainWindow window(programDir, automation.prompts());
  prompts.setParent(&window);
  vexa::app::RegisterWindows(window, &prompts);
  window.show();
  automation.start(window);
  return QApplication::exec();
}
