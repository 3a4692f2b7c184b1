#pragma once
// The numbers "Гравировать" takes from a raster window's fields, checked before anything is
// sent: a field that holds no usable number is named in a message and the run does not start.

#include <optional>
#include <string>
#include <variant>

#include "raster/raster_run.h"

namespace vexa::raster {

struct RunNumberTexts {
  std::string blackDwell;                 // Text4
  std::optional<std::string> whiteDwell;  // Text3; the wood window has none
  std::string targetWidth;                // Text6
  std::string targetHeight;               // Text7
};

// How the messages name Text4 and Text3 in the window's mode.
struct DwellFieldNames {
  std::string black;
  std::string white;
};

// Dwells are numbers from 0 to 2147483647 (a command field is a 32-bit integer), the target
// width and height numbers above 0; either decimal separator. The wood window's white end is
// left at 0 here (the run takes SM_delay).
std::variant<RunNumbers, std::string> ReadRunNumbers(const RunNumberTexts& texts,
                                                     const DwellFieldNames& names);

}  // namespace vexa::raster
