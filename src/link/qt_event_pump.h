#pragma once

#include <QCoreApplication>

#include "link/event_pump.h"

namespace vexa::link {

class QtEventPump final : public EventPump {
 public:
  void processPendingEvents() override { QCoreApplication::processEvents(); }
};

}  // namespace vexa::link
