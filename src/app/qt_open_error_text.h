#pragma once

#include <string>

#include "link/serial_port.h"

namespace vexa::app {

// The system's own text for a failed open: the port's own words where it gave them; otherwise
// not found and busy map onto the platform's texts for "no such device" and "access denied",
// and other failures name the serial driver's error code.
std::string OpenErrorSystemText(const link::OpenResult& result);

}  // namespace vexa::app
