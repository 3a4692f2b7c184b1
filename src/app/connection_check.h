#pragma once
// The connection check of the settings window: reopen the port with the fields' name and speed
// and ask the controller for its firmware.

#include <optional>
#include <string>

#include "link/machine_link.h"

namespace vexa::app {

enum class ConnectionResult {
  PortFailed,  // the port did not open (OpenPort has shown its own message)
  Answered,    // a two-letter reply ending in "T"; any tag passes here
  Silent,      // no such reply: silent controller, old firmware or wrong speed
  ReadFailed,  // the read-error message has been shown; the check ended there
  Demo,        // demo mode: no port is opened, the emulated controller stays
};

// In demo mode nothing is touched (Demo). Otherwise closes the port if open, opens `port` at `speed`, and on success clears StopRequested,
// drains old replies and queries the firmware. With `roundTrip` given (the button "Проверить
// соединение", not "ОК"), a firmware that answers also has the link's round trip measured
// (MeasureLinkPace: kept in link.pace for the jobs' estimates) and put there, nullopt when it
// could not be.
ConnectionResult CheckConnection(link::MachineLink& link, const std::string& port, int speed,
                                 std::optional<double>* roundTrip = nullptr);

inline constexpr const char* kConnectionCaption = "Проверка соединения";
inline constexpr const char* kPortOpenText = "Com-порт открыт";

std::string ArduinoSilentText();
// "Ошибка открытия Com-порта" + CR LF + the system's text for the failed open.
std::string PortOpenErrorText(const std::string& systemText);

}  // namespace vexa::app
