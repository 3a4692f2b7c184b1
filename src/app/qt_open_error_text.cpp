#include "app/qt_open_error_text.h"

#include <QString>
#include <cerrno>

namespace vexa::app {

std::string OpenErrorSystemText(const link::OpenResult& result) {
  if (!result.systemText.empty()) return result.systemText;
  switch (result.status) {
    case link::OpenStatus::NotFound:
      return qt_error_string(ENOENT).toStdString();
    case link::OpenStatus::Busy:
    case link::OpenStatus::NoPermission:
      return qt_error_string(EACCES).toStdString();
    default:
      return "Serial port error " + std::to_string(result.code);
  }
}

}  // namespace vexa::app
