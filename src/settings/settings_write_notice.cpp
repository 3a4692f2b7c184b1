#include "settings/settings_write_notice.h"

#include <set>
#include <utility>

#include "settings/path_text.h"

namespace vexa::settings {

namespace {

// One per process, as a run is: every window makes its own SettingsFile of the same cnc.ini.
struct Notice {
  SettingsWriteReporter reporter;
  std::set<std::filesystem::path> told;
};

Notice& notice() {
  static Notice instance;
  return instance;
}

}  // namespace

void SetSettingsWriteReporter(SettingsWriteReporter reporter) {
  notice().reporter = std::move(reporter);
  notice().told.clear();
}

void NoteSettingsNotWritten(const std::filesystem::path& file, bool readOnly, bool toldByCaller) {
  Notice& state = notice();
  if (!state.told.insert(file.lexically_normal()).second) return;
  if (!toldByCaller && state.reporter) state.reporter(SettingsNotWrittenText(file, readOnly));
}

std::string SettingsNotWrittenText(const std::filesystem::path& file, bool readOnly) {
  if (readOnly) {
    return "Файл настроек " + PathToUtf8(file) +
           " защищён от записи (только для чтения) и не изменяется.\r\n"
           "Новые значения настроек не сохраняются.";
  }
  return "Не удалось записать файл настроек " + PathToUtf8(file) +
         ".\r\nНовые значения настроек не сохраняются.";
}

}  // namespace vexa::settings
