#pragma once
// Numbers in G-code words: a decimal point whatever the user's locale, never a comma.

#include <cstdint>
#include <string>

namespace vexa::gcode {

// At most three decimals, rounded, no trailing zeros, no "-0": 2 -> "2", -0.0004 -> "0",
// 1.23456 -> "1.235".
std::string FormatMm(double value);

// What a coordinate is in a file: whole thousandths of a millimetre, rounded; 0 for a value
// that is no finite number.
std::int64_t Thousandths(double value);
// Appends `thousandths` as FormatMm writes it.
void AppendThousandths(std::string& out, std::int64_t thousandths);

// mm/min of a move whose steps of `mmPerStep` each take `delayMicros`; 0 when the delay is not
// positive.
double FeedMmPerMinute(double mmPerStep, double delayMicros);

}  // namespace vexa::gcode
