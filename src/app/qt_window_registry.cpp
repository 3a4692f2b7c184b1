#include "app/qt_window_registry.h"

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/settings_window.h"
#include "cutting/cutting_window.h"
#include "figures/pattern_list_window.h"
#include "gcode_run/gcode_window.h"
#include "manual/manual_positioning_dialog.h"
#include "manual/pause_dialog.h"
#include "milling/milling_window.h"
#include "outline/outline_window.h"
#include "raster/raster_window.h"
#include "scanner/scanner_window.h"
#include "widgets/qt_prompts.h"
#include "wood/wood_window.h"

namespace vexa::app {

void RegisterWindows(MainWindow& window, widgets::QtPrompts* prompts) {
  window.setWindowFactory("Form4",
                          [](MainWindow& main) -> QWidget* { return new SettingsWindow(main); });
  window.setWindowFactory("Form6", [](MainWindow& main) -> QWidget* {
    return new manual::ManualPositioningDialog(main.machineLink(), main.machineSettings(),
                                               main.settingsFile(), &main);
  });
  window.setWindowFactory(
      "Form12", [](MainWindow& main) -> QWidget* { return new AboutDialog(main, &main); });
  window.setWindowFactory("Form1", [](MainWindow& main) -> QWidget* {
    return new milling::MillingWindow(main.machineLink(), main.machineSettings(),
                                      main.programDir());
  });
  window.setWindowFactory("Form5", [](MainWindow& main) -> QWidget* {
    return new outline::OutlineWindow(main.machineLink(), main.machineSettings(),
                                      main.programDir());
  });
  window.setWindowFactory("Form3", [](MainWindow& main) -> QWidget* {
    return new raster::RasterWindow(main.machineLink(), main.machineSettings(), main.programDir(),
                                    main.rasterContext());
  });
  window.setWindowFactory("Form8", [](MainWindow& main) -> QWidget* {
    return new wood::WoodWindow(main.machineLink(), main.machineSettings(), main.programDir());
  });
  window.setWindowFactory("Form2", [](MainWindow& main) -> QWidget* {
    return new scanner::ScannerWindow(main.machineLink(), main.machineSettings(),
                                      main.programDir());
  });
  window.setWindowFactory("Form9", [](MainWindow& main) -> QWidget* {
    return new cutting::CuttingWindow(main.machineLink(), main.machineSettings(),
                                      main.programDir());
  });
  window.setWindowFactory("Form13", [](MainWindow& main) -> QWidget* {
    return new gcode_run::GcodeWindow(main.machineLink(), main.machineSettings(),
                                      main.programDir());
  });
  window.setWindowFactory("Form10", [](MainWindow& main) -> QWidget* {
    return new figures::PatternListWindow(main.prompts());
  });
  if (prompts != nullptr) {
    prompts->setPauseDialog([&window] {
      return manual::RunPauseDialog(window.machineLink(), window.machineSettings(),
                                    window.settingsFile(), &window);
    });
  }
}

}  // namespace vexa::app
