#pragma once
// The one serial link of the process: the port, the controller's replies, the stop flag and
// the link abort.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "link/event_pump.h"
#include "link/link_abort.h"
#include "link/prompts.h"
#include "link/reply_buffer.h"
#include "link/serial_port.h"
#include "link/stop_flag.h"
#include "link/time_model.h"
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
  ~MachineLink();
  MachineLink(const MachineLink&) = delete;
  MachineLink& operator=(const MachineLink&) = delete;

  std::string portName = "com1";
  int speed = 9600;
  // Set by Stop buttons, closing job windows, a failed read and an incomplete confirmed write;
  // acted on by the next step move or reply wait.
  StopFlag StopRequested;
  // The round trip the connection check measured, for the jobs' time estimates.
  LinkPace pace;

  // Opens `name` at `speed` and remembers both; a failure is shown to the user and gives false.
  // A name no device can have (a control character, or longer than any device path) is
  // refused as not found before the serial layer sees it.
  bool OpenPort(const std::string& name, int speed);
  void ClosePort();
  bool isOpen() const { return port_.isOpen(); }
  // Demo mode: the port is the emulated controller inside the process (SerialPort::demoSpeedup).
  std::optional<int> demoSpeedup() const { return port_.demoSpeedup(); }
  void ExpectFirmware(const std::string& tag) { port_.expectFirmware(tag); }
  // How the last OpenPort went, so the settings window can give the system's reason.
  const OpenResult& lastOpenResult() const { return lastOpen_; }

  // True once the open line has failed or hung up (the port has closed itself), until the port
  // is opened or closed on purpose.
  bool lineLost() const { return lineLost_; }
  // After a lost line, opens the remembered port once more, without messages: plugging the
  // cable back in and opening a window is enough. True when the port is open afterwards.
  bool ReopenLostPort();
  // Successful openings of the port so far (OpenPort, ReopenLostPort): a window that lost the
  // line can tell whether the port has been opened again since.
  std::uint64_t openings() const { return openings_; }
  // What the last version query since the port was last opened answered; empty before one.
  const std::string& firmwareReply() const { return firmwareReply_; }
  // Read failures reported so far (ReportReadError): a job can tell a cut link from a stop.
  std::uint64_t readFailures() const { return readFailures_; }
  // `listener` runs whenever the line is lost; the number returned takes it off again.
  int addLineLostListener(std::function<void()> listener);
  void removeLineLostListener(int id);

  void WritePort(const std::string& text);
  // The confirmed write of the manual moves: an incomplete write sets StopRequested, a
  // complete one clears it.
  void WritePortOverlapped(const std::string& text);

  // Waits without time limit until `buffer` holds a "T", then deletes every CR LF pair and the
  // buffer's first character. Replies that came earlier stay in the buffer and count.
  // A stop asked for again while StopRequested is up (Stop pressed a second time, the window
  // closed after Stop) ends the wait at once with ReportNoAnswer.
  void WaitReply(ReplyBuffer& buffer, const ReplyWait& rule);
  // Reads and discards until a "T" is seen or 1 to 2 seconds have passed.
  void DrainReplies();
  // Sends "V;" and returns the reply without CR LF pairs; empty when the controller is silent
  // for 2 to 3 seconds.
  std::string QueryFirmware();
  // Shows the read-error message, sets StopRequested and raises the link abort.
  [[noreturn]] void ReportReadError();
  // Shows that the controller does not answer, sets StopRequested and raises the link abort
  // (cause Unanswered).
  [[noreturn]] void ReportNoAnswer();

  // Appends what the port delivers to `buffer`: waits (about 2 ms at a time) while `buffer`
  // lacks `endMark`, then takes only the bytes already waiting. A failed read reports the
  // error and raises the link abort. True when `buffer` holds `endMark` afterwards.
  bool ReadAvailable(std::string& buffer, std::string_view endMark);

  EventPump& pump() { return pump_; }
  Prompts& prompts() { return prompts_; }

 private:
  void checkStop() const;
  // One byte, or SerialPort::kNothing; with `complete` only a byte that is already waiting.
  int nextByte(bool complete);
  // ReadAvailable for a buffer whose completeness the caller already knows.
  bool readMore(std::string& buffer, std::string_view endMark, bool complete);
  OpenResult openChecked(const std::string& name, int speed);
  void lineWasLost();
  void countOpening();

  SerialPort& port_;
  EventPump& pump_;
  Prompts& prompts_;
  WholeSecondsClock clock_;
  OpenResult lastOpen_;
  std::string drainBuffer_;
  std::string versionBuffer_;
  bool lineLost_ = false;
  std::uint64_t openings_ = 0;
  std::string firmwareReply_;
  std::uint64_t readFailures_ = 0;
  std::map<int, std::function<void()>> lineLostListeners_;
  int nextListener_ = 0;
};

// Deletes every CR LF pair.
std::string RemoveCrLf(std::string text);

// Whether a device could have this name at all.
bool PlausiblePortName(const std::string& name);

// Texts shown when the port cannot be opened or read, or the controller does not answer.
std::string PortNotFoundText(const std::string& name);
std::string PortBusyText(const std::string& name);
std::string ReadErrorText();
inline constexpr const char* kNoAnswerText = "Контроллер не отвечает. Работа остановлена.";

}  // namespace vexa::link
