#include "app/settings_form.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <utility>

#include "settings/path_text.h"

namespace vexa::app {

namespace {

constexpr std::array<const char*, 8> kSpeeds = {"4800",  "9600",  "14400", "19200",
                                                "28800", "38400", "57600", "115200"};

std::string ratioNotNumberText(const char* axis) {
  return std::string("Перемещение на один шаг по оси ") + axis +
         " должно быть числом, например 0,005.";
}

std::string ratioZeroText(const char* axis) {
  // Every move divides by the ratio.
  return std::string("Перемещение на один шаг по оси ") + axis + " не может быть равно нулю.";
}

constexpr const char* kDelayNotNumberText =
    "Задержка между шагами при холостом ходе должна быть числом микросекунд, например 2000.";
constexpr const char* kDelayNegativeText =
    "Задержка между шагами при холостом ходе не может быть отрицательной.";
constexpr const char* kPortMissingText = "Укажите виртуальный COM-порт.";
constexpr const char* kSpeedText =
    "Скорость COM-порта должна быть целым числом больше нуля, например 9600.";

// The ratio's value, or the message for its field.
std::optional<std::string> readRatio(const std::string& text, const char* axis, double& value) {
  const std::optional<double> ratio = settings::ParseDecimal(text);
  if (!ratio) return ratioNotNumberText(axis);
  if (*ratio == 0) return ratioZeroText(axis);
  value = *ratio;
  return std::nullopt;
}

}  // namespace

std::span<const char* const> SpeedListItems() {
  return kSpeeds;
}

std::string RatioText(double ratio) {
  // Rounded to 15 significant digits first, so 0.1 + 0.2 shows as 0,3.
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, ratio, std::chars_format::scientific, 14).ptr;
  double rounded = ratio;
  std::from_chars(buffer, end, rounded);
  return settings::FormatComma(rounded);
}

SettingsFields FieldsFromMemory(const link::MachineSettings& machine, const std::string& port,
                                int speed) {
  SettingsFields fields;
  fields.xRatio = RatioText(machine.SM_X_ratio);
  fields.yRatio = RatioText(machine.SM_Y_ratio);
  fields.zRatio = RatioText(machine.SM_Z_ratio);
  fields.delay = std::to_string(machine.SM_delay);
  fields.port = port;
  fields.speed = std::to_string(speed);
  fields.optim = machine.SM_optim != 0;
  return fields;
}

std::optional<int> ReadSpeed(std::string_view text) {
  const std::optional<double> speed = settings::ParseDecimal(text);
  if (!speed || *speed <= 0 || *speed > INT_MAX || std::floor(*speed) != *speed) {
    return std::nullopt;
  }
  return static_cast<int>(*speed);
}

std::optional<std::string> PortFieldsError(const std::string& port, const std::string& speed) {
  if (port.find_first_not_of(" \t") == std::string::npos) return kPortMissingText;
  if (!ReadSpeed(speed)) return kSpeedText;
  return std::nullopt;
}

FieldsCheck ReadSettingsFields(const SettingsFields& fields) {
  SettingsValues values;
  link::MachineSettings& m = values.machine;
  struct RatioField {
    const std::string& text;
    const char* axis;
    double& value;
  };
  for (const RatioField& ratio :
       {RatioField{fields.xRatio, "X", m.SM_X_ratio}, RatioField{fields.yRatio, "Y", m.SM_Y_ratio},
        RatioField{fields.zRatio, "Z", m.SM_Z_ratio}}) {
    if (auto error = readRatio(ratio.text, ratio.axis, ratio.value)) return {std::nullopt, *error};
  }
  const std::optional<int> delay = settings::ParseInteger(fields.delay);
  if (!delay) return {std::nullopt, kDelayNotNumberText};
  if (*delay < 0) return {std::nullopt, kDelayNegativeText};
  m.SM_delay = *delay;
  m.SM_optim = fields.optim ? 1 : 0;
  if (auto error = PortFieldsError(fields.port, fields.speed)) return {std::nullopt, *error};
  values.port = fields.port;
  values.speed = *ReadSpeed(fields.speed);
  return {values, {}};
}

bool WriteSettingsFields(const settings::SettingsFile& file, const SettingsFields& fields) {
  // All at once or none; the window shows its own message when the file cannot be written.
  std::vector<settings::SettingWrite> writes{{"SM_X_ratio", fields.xRatio},
                                             {"SM_Y_ratio", fields.yRatio},
                                             {"SM_Z_ratio", fields.zRatio},
                                             {"SM_delay", fields.delay},
                                             {"SM_optim", fields.optim ? "1" : "0"},
                                             {"port", fields.port},
                                             {"speed", fields.speed}};
  if (!fields.gcodeDialect.empty()) writes.push_back({"gcode_dialect", fields.gcodeDialect});
  return file.WriteSettings(writes, settings::WriteFailureNotice::ByTheCaller);
}

std::string SettingsNotSavedText(const settings::SettingsFile& file) {
  return "Не удалось сохранить настройки в файл " + settings::PathToUtf8(file.path()) +
         ".\r\nНовые значения действуют до выхода из программы.";
}

}  // namespace vexa::app
