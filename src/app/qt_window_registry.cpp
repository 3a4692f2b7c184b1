#include "app/qt_window_registry.h"

#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "manual/manual_positioning_dialog.h"
#include "manual/pause_dialog.h"

namespace vexa::app {

void RegisterWindows(MainWindow& window, QtPrompts* prompts) {
  window.setWindowFactory("Form6", [](MainWindow& main) -> QWidget* {
    return new manual::ManualPositioningDialog(main.machineLink(), main.machineSettings(),
                                               main.settingsFile(), &main);
  });
  if (prompts != nullptr) {
    prompts->setPauseDialog([&window] {
      return manual::RunPauseDialog(window.machineLink(), window.machineSettings(),
                                    window.settingsFile(), &window);
    });
  }
}

}  // namespace vexa::app
