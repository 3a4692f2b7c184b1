#pragma once
// What a raster job makes from a burn's dwell (its laser power, its S line), made once per dwell:
// a picture has at most 256 gray levels, each with its own dwell, and a hash keeps them apart in
// four times as many slots. Making it anew for every pixel costs more than the rest of the line.

#include <cstdint>
#include <vector>

namespace vexa::gcode {

template <typename Made>
class KeptPerDwell {
 public:
  // What `make(dwell)` gives, made now or kept from an earlier call.
  template <typename Make>
  const Made& get(std::int32_t dwell, Make&& make) {
    Slot& slot = slots_[(static_cast<std::uint32_t>(dwell) * 2654435761u) >> (32 - kSlotBits)];
    if (!slot.made || slot.dwell != dwell) slot = {dwell, true, make(dwell)};
    return slot.value;
  }

 private:
  static constexpr int kSlotBits = 10;
  struct Slot {
    std::int32_t dwell = 0;
    bool made = false;
    Made value{};
  };
  std::vector<Slot> slots_ = std::vector<Slot>(std::size_t{1} << kSlotBits);
};

}  // namespace vexa::gcode
