#pragma once
// A machine link over the real serial backend to a vexa-sim controller, with scripted prompts
// and a settings file in a temporary folder: what a window under test gets from the main window.

#include <QStringList>

#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/qt_event_pump.h"
#include "link/qt_serial_port.h"
#include "settings/settings.h"
#include "support/recording_prompts.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace vexa::test {

struct SimLink {
  // Starts vexa-sim with `simArguments` and opens its port; with `openPort` false the link
  // stays shut, as after a failed start-up.
  explicit SimLink(const QStringList& simArguments = {}, bool openPort = true)
      : sim(simArguments) {
    if (openPort) link.OpenPort(sim.portPath(), 9600);
  }

  SimProcess sim;
  link::QtSerialPort port;
  link::QtEventPump pump;
  RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  link::MachineSettings machine;
  TempFolder folder;
  settings::SettingsFile settings{folder / "cnc.ini"};
};

}  // namespace vexa::test
