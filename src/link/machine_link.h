#pragma once
// The one serial link of the process: the port, the controller's replies, the stop flag and
// the link abort.

#include <chrono>
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
#include "link/timed_prompts.h"
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

  // Writes `text`. A command that follows one without ";" (the laser switch of the stop
  // question) waits until the line has been idle long enough for the firmware to end that one.
  void WritePort(const std::string& text);
  // The confirmed write of the manual moves: an incomplete write sets StopRequested, a
  // complete one clears it.
  void WritePortOverlapped(const std::string& text);

  // A command whose reply `buffer` is owed from now on (the port shut: nothing is written and
  // nothing owed). The confirmed form owes a reply only for a command that left whole.
  // True when the command was written.
  bool Send(ReplyBuffer& buffer, const std::string& text);
  void SendConfirmed(ReplyBuffer& buffer, const std::string& text);

  // Waits without time limit until `buffer` holds a "T", then deletes every CR LF pair and the
  // buffer's first character. Replies that came earlier stay in the buffer and count.
  // A stop asked for again while StopRequested is up (Stop pressed a second time, the window
  // closed after Stop) ends the wait at once with ReportNoAnswer, and so does a close of the
  // window once the wait has lasted kCloseGraceSeconds: a board that answers is waited for, a
  // silent one does not hold the window. A wait that ends without its reply leaves every reply
  // owed to `buffer` stale (AbandonOwed).
  void WaitReply(ReplyBuffer& buffer, const ReplyWait& rule);
  // The wait for the reply of a move sent without waiting: waits only when one is owed.
  void WaitOwed(ReplyBuffer& buffer, const ReplyWait& rule);
  // Takes every reply owed to `buffer`, so the machine has done every command sent (before a
  // stop question). Nothing is awaited while the run box is unticked.
  void CollectOwed(ReplyBuffer& buffer, const ReplyWait& rule);
  // The replies owed to `buffer`.
  std::int64_t owed(ReplyBuffer& buffer);
  // A job ends without the replies owed to `buffer`: those already in it are dropped and the
  // rest are stale, swallowed by whichever reader meets them, never taken for the answer to a
  // later command.
  void AbandonOwed(ReplyBuffer& buffer);
  // Replies still to come that belong to waits given up.
  std::int64_t staleReplies() const { return stale_; }
  // Waits until every stale reply has come, at most kSettleSeconds, letting events through;
  // false when the board did not answer in that time. StopRequested raises the link abort.
  bool SettleStale();
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
  // Time the link's boxes have stayed open so far: not a job's pace.
  std::int64_t heldNanos() const { return prompts_.heldNanos(); }

 private:
  void checkStop() const;
  // One byte, or SerialPort::kNothing; with `complete` only a byte that is already waiting.
  // Bytes of stale replies are swallowed on the way.
  int nextByte(bool complete);
  bool swallowStale(char byte);
  // Forgets what `buffer` was owed on a line that has since been opened anew.
  void track(ReplyBuffer& buffer);
  void keepIdleGap();
  // ReadAvailable for a buffer whose completeness the caller already knows.
  bool readMore(std::string& buffer, std::string_view endMark, bool complete);
  OpenResult openChecked(const std::string& name, int speed);
  void lineWasLost();
  void countOpening();

  SerialPort& port_;
  EventPump& pump_;
  TimedPrompts prompts_;
  WholeSecondsClock clock_;
  OpenResult lastOpen_;
  std::string drainBuffer_;
  std::string versionBuffer_;
  bool lineLost_ = false;
  std::uint64_t openings_ = 0;
  std::string firmwareReply_;
  std::uint64_t readFailures_ = 0;
  std::int64_t stale_ = 0;
  bool staleAfterO_ = false;  // the last byte swallowed was the "O" of a probe's "OK"
  // When a command without ";" was written last, and when.
  std::optional<std::chrono::steady_clock::time_point> unterminatedAt_;
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

// A close waits this many whole seconds (2 to 3 s) for a reply before it gives up on the board.
inline constexpr std::int64_t kCloseGraceSeconds = 2;
// How long a new job waits for late replies of the last one (5 to 6 s).
inline constexpr std::int64_t kSettleSeconds = 5;

}  // namespace vexa::link
