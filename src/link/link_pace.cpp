#include "link/link_pace.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "link/commands.h"

namespace vexa::link {

namespace {

constexpr std::int64_t kProbeWaitNanos = 1'000'000'000;

}  // namespace

std::string PaceProbe(const std::string& tag) {
  if (tag == "MT") return MillingMove(0, 0, 0, 0);
  if (tag == "PT" || tag == "BT") return RasterMove(0, 0, 0);
  if (tag == "ST" || tag == "OT") return ThreeFieldMove(0, 0, 0);
  return VersionQuery();
}

std::optional<double> MeasureRoundTrip(MachineLink& link, const std::string& tag, int count,
                                       const SteadyNanos& clock) {
  const std::string probe = PaceProbe(tag);
  std::vector<double> trips;
  for (int i = 0; i < count; ++i) {
    std::string reply;
    const std::int64_t start = clock();
    link.WritePort(probe);
    // No event processing in between: it would be counted as the link's time.
    while (!link.ReadAvailable(reply, "T")) {
      if (clock() - start > kProbeWaitNanos) return std::nullopt;
    }
    trips.push_back(double(clock() - start) / 1000.0);
  }
  if (trips.empty()) return std::nullopt;
  std::nth_element(trips.begin(), trips.begin() + trips.size() / 2, trips.end());
  return trips[trips.size() / 2];
}

std::optional<double> MeasureLinkPace(MachineLink& link, const std::string& tag) {
  const std::optional<double> trip = MeasureRoundTrip(link, tag);
  if (trip) {
    const std::string probe = PaceProbe(tag);
    const std::int64_t replyBytes = probe == VersionQuery() ? 2 : 1;
    link.pace = MeasuredPace(*trip, static_cast<std::int64_t>(probe.size()), replyBytes,
                             link.speed);
  }
  return trip;
}

std::string RoundTripText(double micros) {
  const double ms = micros / 1000.0;
  char text[64];
  std::snprintf(text, sizeof text, ms < 1 ? "%.2f" : "%.1f", ms);
  std::string shown = text;
  std::replace(shown.begin(), shown.end(), '.', ',');
  return "Отклик: " + shown + " мс";
}

}  // namespace vexa::link
