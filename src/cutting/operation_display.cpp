#include "cutting/operation_display.h"

namespace vexa::cutting {

std::string StatusText(const char* code, std::int32_t pass) {
  return std::string("Нейро. ") + code + " - " + std::to_string(pass);
}

OperationRun::OperationRun(const OperationDisplay& display, const std::string& status)
    : display_(display), pacer_(display.keepAlive) {
  if (display_.show) display_.show(status);
  try {
    pacer_.keepAliveNow();
  } catch (...) {
    hide();
    throw;
  }
}

OperationRun::~OperationRun() {
  hide();
}

void OperationRun::hide() {
  if (hidden_) return;
  hidden_ = true;
  if (display_.hide) display_.hide();
}

void OperationRun::row(int y, int height) {
  // Only changes reach the bar: a tall picture would otherwise set it thousands of times.
  progress(static_cast<int>(static_cast<std::int64_t>(y) * 100 / height));
  pacer_.tick();
}

void OperationRun::progress(int value) {
  if (value == shown_) return;
  shown_ = value;
  if (display_.progress) display_.progress(value);
}

void OperationRun::finish() {
  hide();
  if (display_.written) display_.written();
}

}  // namespace vexa::cutting
