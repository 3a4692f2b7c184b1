#pragma once
// The one serial link of the process: the port, the controller's replies, the stop flag and
// the link abort.

#include <functional>
#include <string>
#include <string_view>

#include "link/event_pump.h"
#include "link/link_abort.h"
#include "link/prompts.h"
#include "link/serial_port.h"
#include "link/wall_clock.h"

namespace vexa::link {

// How one window waits for the controller's "T".
struct ReplyWait {
  bool stopTest = true;    // a pending stop raises the link abort before waiting
  bool clearFirst = false;  // the buffer is emptied before waiting (scanner)
  // The window's run check box ("Фрезеровать", "Гравировать", ...); unticked, nothing is
  // awaited. Empty for windows without one.
  std::function<bool()> runTicked;

  static ReplyWait JobWindow(std::function<bool()> runTicked) { return {true, false, runTicked}; }
  static ReplyWait Scanner(std::function<bool()> runTicked) { return {true, true, runTicked}; }
  static ReplyWait ManualWindow() { return {true, false, {}}; }
  static ReplyWait PauseDialog() { return {false, false, {}}; }
};

class MachineLink {
 public:
  MachineLink(SerialPort& port, EventPump& pump, Prompts& prompts,
              WholeSecondsClock clock = SystemWholeSeconds);

  std::string portName = "com1";
  int speed = 9600;
  // Set by Stop buttons, closing job windows, a failed read and an incomplete confirmed write;
  // acted on by the next step move or reply wait.
  bool StopRequested = false;

  // Opens `name` at `speed` and remembers both; a failure is shown to the user and gives false.
  bool OpenPort(const std::string& name, int speed);
  void ClosePort();
  bool isOpen() const { return port_.isOpen(); }
  // How the last OpenPort went, so the settings window can give the system's reason.
  const OpenResult& lastOpenResult() const { return lastOpen_; }

  void WritePort(const std::string& text);
  // The confirmed write of the manual moves: an incomplete write sets StopRequested, a
  // complete one clears it.
  void WritePortOverlapped(const std::string& text);

  // Waits without time limit until `buffer` holds a "T", then deletes every CR LF pair and the
  // buffer's first character. Replies that came earlier stay in the buffer and count.
  void WaitReply(std::string& buffer, const ReplyWait& rule);
  // Reads and discards until a "T" is seen or 1 to 2 seconds have passed.
  void DrainReplies();
  // Sends "V;" and returns the reply without CR LF pairs; empty when the controller is silent
  // for 2 to 3 seconds.
  std::string QueryFirmware();
  // Shows the read-error message, sets StopRequested and raises the link abort.
  [[noreturn]] void ReportReadError();

  // Appends what the port delivers to `buffer`: waits (about 2 ms at a time) while `buffer`
  // lacks `endMark`, then takes only the bytes already waiting. A failed read reports the
  // error and raises the link abort.
  void ReadAvailable(std::string& buffer, std::string_view endMark);

  EventPump& pump() { return pump_; }
  Prompts& prompts() { return prompts_; }

 private:
  void checkStop() const;

  SerialPort& port_;
  EventPump& pump_;
  Prompts& prompts_;
  WholeSecondsClock clock_;
  OpenResult lastOpen_;
  std::string drainBuffer_;
  std::string versionBuffer_;
};

// Deletes every CR LF pair.
std::string RemoveCrLf(std::string text);

// Texts shown when the port cannot be opened or read.
std::string PortNotFoundText(const std::string& name);
std::string PortBusyText(const std::string& name);
std::string ReadErrorText();

}  // namespace vexa::link
