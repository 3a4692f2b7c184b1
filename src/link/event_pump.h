#pragma once

namespace vexa::link {

// "Let the user interface process pending events": jobs run on the UI thread and call this
// while they wait for the controller, so Stop can be pressed and windows repaint.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processPendingEvents() = 0;
};

// For code that runs without a user interface (tools, some tests).
class NoEventPump final : public EventPump {
 public:
  void processPendingEvents() override {}
};

}  // namespace vexa::link
