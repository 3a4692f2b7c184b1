#include "app/connection_check.h"

#include "link/link_pace.h"

namespace vexa::app {

ConnectionResult CheckConnection(link::MachineLink& link, const std::string& port, int speed,
                                 std::optional<double>* roundTrip) {
  if (roundTrip) roundTrip->reset();
  if (link.demoSpeedup()) return ConnectionResult::Demo;
  if (link.isOpen()) link.ClosePort();
  link.OpenPort(port, speed);
  if (!link.isOpen()) return ConnectionResult::PortFailed;
  link.StopRequested = false;
  try {
    link.DrainReplies();
    const std::string reply = link.QueryFirmware();
    if (reply.size() < 2 || reply[1] != 'T') return ConnectionResult::Silent;
    if (roundTrip) *roundTrip = link::MeasureLinkPace(link, reply.substr(0, 2));
    return ConnectionResult::Answered;
  } catch (const link::LinkAbort&) {
    return ConnectionResult::ReadFailed;
  }
}

std::string ArduinoSilentText() {
  return "Ардуино не отвечает. Возможные причины:\r\n   - прошивка устарела\r\n"
         "   - установлена неверная скорость COM-порта";
}

std::string PortOpenErrorText(const std::string& systemText) {
  return "Ошибка открытия Com-порта\r\n" + systemText;
}

}  // namespace vexa::app
