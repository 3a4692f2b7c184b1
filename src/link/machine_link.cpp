#include "link/machine_link.h"

#include <exception>
#include <optional>
#include <thread>
#include <vector>

#include "link/commands.h"
#include "link/firmware_idle_gap.h"
#include "link/port_access.h"

namespace vexa::link {

namespace {

constexpr const char* kCrLf = "\r\n";

// No device path is longer than a file name may be on the usual file systems (255 bytes);
// anything longer comes from a damaged cnc.ini.
constexpr std::size_t kMaxPortNameBytes = 255;

bool isControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// The name as a message can show it: control characters as "?", cut to the longest real name.
std::string shownPortName(const std::string& name) {
  std::string shown = name;
  for (char& c : shown) {
    if (isControl(c)) c = '?';
  }
  if (shown.size() <= kMaxPortNameBytes) return shown;
  std::size_t cut = kMaxPortNameBytes;
  while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
  return shown.substr(0, cut) + "...";
}

bool opened(const OpenResult& result) {
  return result.status == OpenStatus::Ok || result.status == OpenStatus::SettingsRejected;
}

}  // namespace

std::string RemoveCrLf(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

bool PlausiblePortName(const std::string& name) {
  if (name.size() > kMaxPortNameBytes) return false;
  for (char c : name) {
    if (isControl(c)) return false;
  }
  return true;
}

std::string PortNotFoundText(const std::string& name) {
  return std::string("Порт ") + name + " не найден." + kCrLf + kCrLf +
         "Проверьте подключение платы Ардуино к компьютеру." + kCrLf +
         "Зайдите в Настройки и выберите другой порт.";
}

std::string PortBusyText(const std::string& name) {
  return std::string("Порт ") + name + " используется другим приложением." + kCrLf + kCrLf +
         "Закройте приложение, использующее порт " + name + "." + kCrLf +
         "Зайдите в Настройки и выберите другой порт.";
}

std::string ReadErrorText() {
  return std::string("Ошибка чтения данных с Ардуино. ") + kCrLf + kCrLf +
         "Работа программы остановлена.";
}

MachineLink::MachineLink(SerialPort& port, EventPump& pump, Prompts& prompts,
                         WholeSecondsClock clock)
    : port_(port), pump_(pump), prompts_(prompts), clock_(std::move(clock)) {
  port_.onLineLost([this] { lineWasLost(); });
}

MachineLink::~MachineLink() {
  port_.onLineLost({});
}

OpenResult MachineLink::openChecked(const std::string& name, int newSpeed) {
  // Demo mode opens no device: whatever cnc.ini names is neither used nor judged.
  if (!PlausiblePortName(name) && !port_.demoSpeedup()) {
    port_.close();
    return {OpenStatus::NotFound, 0, ""};
  }
  return port_.open(name, newSpeed);
}

void MachineLink::countOpening() {
  ++openings_;
  firmwareReply_.clear();
  stale_ = 0;  // nothing owed on the old line will come on the new one
}

bool MachineLink::OpenPort(const std::string& name, int newSpeed) {
  portName = name;
  speed = newSpeed;
  lineLost_ = false;
  firmwareReply_.clear();
  const OpenResult result = openChecked(name, newSpeed);
  lastOpen_ = result;
  if (opened(result) && port_.isOpen()) countOpening();
  const std::string shown = shownPortName(name);
  switch (result.status) {
    case OpenStatus::Ok:
      return true;
    case OpenStatus::NotFound:
      prompts_.message(kLinkCaption, PortNotFoundText(shown));
      return false;
    case OpenStatus::Busy:
      prompts_.message(kLinkCaption, PortBusyText(shown));
      return false;
    case OpenStatus::NoPermission:
      prompts_.message(kLinkCaption, PortNoPermissionText(shown, result.group));
      return false;
    case OpenStatus::Other:
      prompts_.message(kLinkCaption, "CreateFile ошибка: " + std::to_string(result.code));
      return false;
    case OpenStatus::SettingsRejected:
      // The port stays open with whatever settings it had.
      prompts_.message(kDefaultCaption, "SetCommState ошибка: " + std::to_string(result.code));
      return true;
    case OpenStatus::TimeoutsRejected:
      prompts_.message(kDefaultCaption, "SetCommTimeouts ошибка " + std::to_string(result.code));
      port_.close();
      return false;
  }
  return false;
}

void MachineLink::ClosePort() {
  stale_ = 0;
  lineLost_ = false;
  firmwareReply_.clear();
  port_.close();
}

bool MachineLink::ReopenLostPort() {
  if (port_.isOpen()) return true;
  if (!lineLost_) return false;
  const OpenResult result = openChecked(portName, speed);
  if (!opened(result)) {
    port_.close();
    return false;
  }
  lineLost_ = false;
  countOpening();
  return true;
}

int MachineLink::addLineLostListener(std::function<void()> listener) {
  lineLostListeners_[nextListener_] = std::move(listener);
  return nextListener_++;
}

void MachineLink::removeLineLostListener(int id) {
  lineLostListeners_.erase(id);
}

void MachineLink::lineWasLost() {
  lineLost_ = true;
  stale_ = 0;
  // A listener may take itself off while it runs.
  std::vector<std::function<void()>> listeners;
  for (const auto& [id, listener] : lineLostListeners_) listeners.push_back(listener);
  for (const auto& listener : listeners) listener();
}

// Twice the firmware's gap: the gap counts from the last byte the board took, a little after
// the write.
void MachineLink::keepIdleGap() {
  if (!unterminatedAt_) return;
  std::this_thread::sleep_until(*unterminatedAt_ + 2 * kFirmwareIdleGap);
  unterminatedAt_.reset();
}

void MachineLink::WritePort(const std::string& text) {
  if (!port_.isOpen()) return;
  keepIdleGap();
  port_.write(text);
  if (!text.empty() && text.back() != ';') unterminatedAt_ = std::chrono::steady_clock::now();
}

void MachineLink::WritePortOverlapped(const std::string& text) {
  std::size_t written = 0;
  if (port_.isOpen()) {
    keepIdleGap();
    written = port_.writeConfirmed(text);
  }
  StopRequested = written < text.size();
}

void MachineLink::track(ReplyBuffer& buffer) {
  if (buffer.owed.opening == openings_) return;
  buffer.owed = OwedReplies();
  buffer.owed.opening = openings_;
}

bool MachineLink::Send(ReplyBuffer& buffer, const std::string& text) {
  track(buffer);
  if (!port_.isOpen()) return false;
  WritePort(text);
  buffer.owed.owe();
  return true;
}

void MachineLink::SendConfirmed(ReplyBuffer& buffer, const std::string& text) {
  track(buffer);
  const bool open = port_.isOpen();
  WritePortOverlapped(text);
  // A command cut short may never be answered; owing it would hold a later wait.
  if (open && !StopRequested) buffer.owed.owe();
}

std::int64_t MachineLink::owed(ReplyBuffer& buffer) {
  track(buffer);
  return buffer.owed.count();
}

void MachineLink::AbandonOwed(ReplyBuffer& buffer) {
  track(buffer);
  const std::int64_t owed = buffer.owed.handOver();
  if (owed == 0) return;  // what the buffer holds answers nothing sent: it stays as it is
  const auto waiting = static_cast<std::int64_t>(buffer.repliesWaiting());
  if (owed > waiting) stale_ += owed - waiting;
  buffer.clear();
}

bool MachineLink::swallowStale(char byte) {
  if (stale_ == 0) return false;
  if (byte == 'T' || (staleAfterO_ && byte == 'K')) {
    --stale_;
    staleAfterO_ = false;
  } else {
    staleAfterO_ = byte == 'O';
  }
  return true;
}

bool MachineLink::SettleStale() {
  const std::int64_t start = clock_();
  while (stale_ > 0) {
    for (int byte; stale_ > 0 && (byte = nextByte(false)) >= 0;) {
    }
    if (stale_ == 0) break;
    if (clock_() - start > kSettleSeconds) return false;
    pump_.processPendingEvents();
    checkStop();
  }
  return true;
}

void MachineLink::checkStop() const {
  if (StopRequested) throw LinkAbort();
}

int MachineLink::nextByte(bool complete) {
  for (;;) {
    // Once the reply is complete, only collect what already waits: a blocking read here would
    // add its time-out to every command.
    const int byte = complete ? port_.readWaitingByte() : port_.readByte();
    if (byte == SerialPort::kFailed) ReportReadError();
    if (byte < 0 || !swallowStale(static_cast<char>(byte))) return byte;
  }
}

bool MachineLink::readMore(std::string& buffer, std::string_view endMark, bool complete) {
  for (int byte; (byte = nextByte(complete)) >= 0;) {
    buffer.push_back(static_cast<char>(byte));
    // Only the newest bytes can complete the mark, so the buffer is not searched again.
    complete = complete || buffer.ends_with(endMark);
  }
  return complete;
}

bool MachineLink::ReadAvailable(std::string& buffer, std::string_view endMark) {
  return readMore(buffer, endMark, buffer.find(endMark) != std::string::npos);
}

void MachineLink::WaitReply(ReplyBuffer& buffer, const ReplyWait& rule) {
  track(buffer);
  if (rule.stopTest && StopRequested) {
    AbandonOwed(buffer);
    throw LinkAbort();
  }
  if (rule.runTicked && !rule.runTicked()) return;
  if (rule.clearFirst) {
    // Replies dropped unread are taken all the same.
    for (std::size_t i = buffer.repliesWaiting(); i > 0; --i) buffer.owed.took();
    buffer.clear();
  }
  // The first Stop during the wait only asks the job to stop at its next step move, after
  // this reply; asking again while the reply is still missing ends the wait.
  const std::uint64_t repeatsBefore = StopRequested.repeats();
  std::optional<std::int64_t> began;
  // However the wait ends without its reply, what was owed must not become the next job's
  // answer: given up, it is stale; on a failed line, it is lost (and what came stays counted).
  struct AbandonOnThrow {
    MachineLink& link;
    ReplyBuffer& buffer;
    std::uint64_t failures = link.readFailures_;
    int exceptions = std::uncaught_exceptions();
    ~AbandonOnThrow() {
      if (std::uncaught_exceptions() <= exceptions) return;
      if (link.readFailures_ != failures) {
        buffer.owed.handOver();
      } else {
        link.AbandonOwed(buffer);
      }
    }
  } abandonOnThrow{*this, buffer};
  while (!buffer.hasReply()) {
    if (!began) began = clock_();
    if (StopRequested.repeats() != repeatsBefore) ReportNoAnswer();
    if (StopRequested.closing() && clock_() - *began > kCloseGraceSeconds) ReportNoAnswer();
    for (int byte; (byte = nextByte(buffer.hasReply())) >= 0;) {
      buffer.append(static_cast<char>(byte));
    }
    pump_.processPendingEvents();
  }
  buffer.takeReply();
  buffer.owed.took();
}

void MachineLink::WaitOwed(ReplyBuffer& buffer, const ReplyWait& rule) {
  if (owed(buffer) > 0) WaitReply(buffer, rule);
}

void MachineLink::CollectOwed(ReplyBuffer& buffer, const ReplyWait& rule) {
  while (owed(buffer) > 0) {
    if (rule.runTicked && !rule.runTicked()) return;
    WaitReply(buffer, rule);
  }
}

void MachineLink::DrainReplies() {
  checkStop();
  drainBuffer_.clear();
  bool replied = false;
  const std::int64_t start = clock_();
  for (;;) {
    if (replied) return;
    replied = readMore(drainBuffer_, "T", replied);
    if (clock_() - start > 1) return;
    pump_.processPendingEvents();
  }
}

std::string MachineLink::QueryFirmware() {
  checkStop();
  WritePort(VersionQuery());
  versionBuffer_.clear();
  bool replied = false;
  const std::int64_t start = clock_();
  while (!replied) {
    replied = readMore(versionBuffer_, "T", replied);
    if (clock_() - start > 2) break;
    pump_.processPendingEvents();
  }
  firmwareReply_ = RemoveCrLf(versionBuffer_);
  return firmwareReply_;
}

void MachineLink::ReportReadError() {
  ++readFailures_;
  stale_ = 0;  // nothing owed comes over a failed line
  prompts_.message(kLinkCaption, ReadErrorText());
  StopRequested = true;
  throw LinkAbort();
}

void MachineLink::ReportNoAnswer() {
  prompts_.message(kLinkCaption, kNoAnswerText);
  StopRequested = true;
  throw LinkAbort(LinkAbort::Cause::Unanswered);
}

}  // namespace vexa::link
