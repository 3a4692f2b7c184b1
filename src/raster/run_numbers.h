#pragma once
// The numbers "Гравировать" takes from a raster window's fields, checked before anything is
// sent: a field that holds no usable number is named in a message and the run does not start.

#include <optional>
#include <string>
#include <variant>

#include "link/machine_settings.h"

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

// The whole run's range, known before its setup: the whole motor steps per pixel at the target
// width, and a move across the whole picture (a row's travel, the return move) in motor steps,
// within the signed 32-bit range of the firmware. The message naming the field, or nullopt.
std::optional<std::string> RunRangeProblem(const RunNumbers& numbers, int pictureWidth,
                                           int pictureHeight,
                                           const link::MachineSettings& settings);

}  // namespace vexa::raster
