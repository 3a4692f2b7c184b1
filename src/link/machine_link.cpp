#include "link/machine_link.h"

#include "link/commands.h"

namespace vexa::link {

namespace {
constexpr const char* kCrLf = "\r\n";
}

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
    : port_(port), pump_(pump), prompts_(prompts), clock_(std::move(clock)) {}

bool MachineLink::OpenPort(const std::string& name, int newSpeed) {
  portName = name;
  speed = newSpeed;
  const OpenResult result = port_.open(name, newSpeed);
  lastOpen_ = result;
  switch (result.status) {
    case OpenStatus::Ok:
      return true;
    case OpenStatus::NotFound:
      prompts_.message(kLinkCaption, PortNotFoundText(name));
      return false;
    case OpenStatus::Busy:
      prompts_.message(kLinkCaption, PortBusyText(name));
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

void MachineLink::ClosePort() { port_.close(); }

void MachineLink::WritePort(const std::string& text) {
  if (port_.isOpen()) port_.write(text);
}

void MachineLink::WritePortOverlapped(const std::string& text) {
  const std::size_t written = port_.isOpen() ? port_.writeConfirmed(text) : 0;
  StopRequested = written < text.size();
}

void MachineLink::checkStop() const {
  if (StopRequested) throw LinkAbort();
}

void MachineLink::ReadAvailable(std::string& buffer, std::string_view endMark) {
  for (;;) {
    const bool complete = buffer.find(endMark) != std::string::npos;
    // Once the reply is complete, only collect what already waits: a blocking read here would
    // add its time-out to every command.
    const int byte = complete ? port_.readWaitingByte() : port_.readByte();
    if (byte >= 0) {
      buffer.push_back(static_cast<char>(byte));
      continue;
    }
    if (byte == SerialPort::kFailed) ReportReadError();
    return;
  }
}

void MachineLink::WaitReply(std::string& buffer, const ReplyWait& rule) {
  if (rule.stopTest) checkStop();
  if (rule.runTicked && !rule.runTicked()) return;
  if (rule.clearFirst) buffer.clear();
  while (buffer.find('T') == std::string::npos) {
    ReadAvailable(buffer, "T");
    pump_.processPendingEvents();
  }
  buffer = RemoveCrLf(std::move(buffer));
  buffer.erase(0, 1);
}

void MachineLink::DrainReplies() {
  checkStop();
  drainBuffer_.clear();
  const std::int64_t start = clock_();
  for (;;) {
    if (drainBuffer_.find('T') != std::string::npos) return;
    ReadAvailable(drainBuffer_, "T");
    if (clock_() - start > 1) return;
    pump_.processPendingEvents();
  }
}

std::string MachineLink::QueryFirmware() {
  checkStop();
  WritePort(VersionQuery());
  versionBuffer_.clear();
  const std::int64_t start = clock_();
  while (versionBuffer_.find('T') == std::string::npos) {
    ReadAvailable(versionBuffer_, "T");
    if (clock_() - start > 2) break;
    pump_.processPendingEvents();
  }
  return RemoveCrLf(versionBuffer_);
}

void MachineLink::ReportReadError() {
  prompts_.message(kLinkCaption, ReadErrorText());
  StopRequested = true;
  throw LinkAbort();
}

}  // namespace vexa::link
