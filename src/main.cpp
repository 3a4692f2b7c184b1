// Vexa: drives home-built CNC machines through the companion firmware on an Arduino board.

#include <QApplication>
#include <cstdlib>

#include "app/main_window.h"
#include "app/qt_automation.h"
#include "app/qt_window_registry.h"
#include "settings/program_dir.h"
#include "widgets/qt_prompts.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexa");

  std::vector<std::string> args(argv, argv + argc);
  const std::filesystem::path programDir =
      vexa::settings::ResolveProgramDir(args, std::getenv(vexa::settings::kProgramDirVariable),
                                        QApplication::applicationDirPath().toStdString());

  vexa::widgets::QtPrompts prompts;
  vexa::app::Automation automation(std::getenv(vexa::app::kAutomationVariable), prompts);
  vexa::app::MainWindow window(programDir, automation.prompts());
  prompts.setParent(&window);
  vexa::app::RegisterWindows(window, &prompts);
  window.show();
  automation.start(window);
  return QApplication::exec();
}
