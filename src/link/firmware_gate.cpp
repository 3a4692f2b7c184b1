#include "link/firmware_gate.h"

namespace vexa::link {

std::string WrongFirmwareNoticeText() {
  return "Работа со станком невозможна. Возможные причины:\r\n"
         "   - установленная прошивка не предназначена для выбранной операции";
}

std::string SilentFirmwareNoticeText() {
  return "Работа со станком невозможна. Возможные причины:\r\n"
         "   - прошивка устарела\r\n"
         "   - установлена неверная скорость COM-порта";
}

std::string DemoStatusText(int speedup) {
  return "Демо-режим (ускорение x" + std::to_string(speedup) + ")";
}

std::string OpenStatusText(const MachineLink& link) {
  if (const auto speedup = link.demoSpeedup()) return DemoStatusText(*speedup);
  return kStatusOpen;
}

bool TagRule::accepts(const std::string& tag) const {
  if (!required.empty()) return tag == required || (!alternative.empty() && tag == alternative);
  return tag.size() >= 2 && tag[1] == 'T';
}

void ShowFirmwareNotice(Prompts& prompts, const std::string& text) {
  prompts.showFirmwareNotice(text.empty() ? WrongFirmwareNoticeText() : text);
}

GateResult GateOnFirmware(MachineLink& link, const TagRule& rule) {
  if (!link.isOpen() && !link.ReopenLostPort()) return {kStatusNoPort, false, ""};
  link.StopRequested = false;
  link.DrainReplies();
  link.ExpectFirmware(rule.required);
  const std::string tag = link.QueryFirmware();
  if (rule.accepts(tag)) return {OpenStatusText(link), true, tag};
  if (!tag.empty()) {
    ShowFirmwareNotice(link.prompts(), "");
    return {kStatusWrongFirmware, false, tag};
  }
  ShowFirmwareNotice(link.prompts(), SilentFirmwareNoticeText());
  return {kStatusOldFirmware, false, tag};
}

}  // namespace vexa::link
