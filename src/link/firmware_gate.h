#pragma once
// The start-up check of every window that drives the machine: is the link open, and does the
// controller carry the firmware this window needs?

#include <string>

#include "link/machine_link.h"

namespace vexa::link {

// Status line texts.
inline constexpr const char* kStatusNoPort = "Ошибка открытия Com-порта";
inline constexpr const char* kStatusOpen = "Com-порт открыт";
inline constexpr const char* kStatusWrongFirmware = "Некорректная прошивка";
inline constexpr const char* kStatusOldFirmware = "Обновите прошивку";
// Written into open windows' status lines when the line fails or hangs up.
inline constexpr const char* kStatusLinkLost = "Связь с контроллером потеряна";

// The status line's text where a real port shows "Com-порт открыт" (demo mode).
std::string DemoStatusText(int speedup);
// The text of an open link's status line: "Com-порт открыт", or the demo text.
std::string OpenStatusText(const MachineLink& link);

struct GateResult {
  std::string status;         // for the window's status label
  bool controlsOn = false;    // false: switch the machine controls off
  std::string tag;            // what the controller answered
};

// Which answers a window accepts.
struct TagRule {
  std::string required;  // the exact tag; empty: any two letters ending in "T" (manual window)
  std::string alternative = {};  // a second tag the window also drives (the G-code window)
  bool accepts(const std::string& tag) const;
};

// Drains old replies, asks for the tag and shows the firmware notice when it does not fit.
// A port closed by a lost line is reopened first (once, quietly). With the port shut it only
// reports so: no bytes, no notice. A read failure on the way shows
// its message and raises the link abort.
GateResult GateOnFirmware(MachineLink& link, const TagRule& rule);

// Shows the notice, with the general text when `text` is empty.
void ShowFirmwareNotice(Prompts& prompts, const std::string& text);

// Notice texts.
std::string WrongFirmwareNoticeText();
std::string SilentFirmwareNoticeText();

}  // namespace vexa::link
