#pragma once
// Texts of every command the application sends to the controller. A command is a list of
// signed decimal integer fields (or empty ones) separated by "," and terminated by ";".

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

namespace vexa::link {

using CommandField = std::optional<std::int64_t>;  // nullopt: an empty field

enum class Terminator { Semicolon, None };

// The one builder behind every command text.
std::string CommandText(std::initializer_list<CommandField> fields,
                        Terminator terminator = Terminator::Semicolon);
// The length of that text, without building it: estimates count the bytes of every command a
// job would send.
std::int64_t CommandLength(std::initializer_list<CommandField> fields,
                           Terminator terminator = Terminator::Semicolon);
// Characters of a field's number: its digits and the minus sign.
int DecimalLength(std::int64_t value);

// "V;": asks the firmware for its two-letter tag.
std::string VersionQuery();

// X,Y,Z,W; of the milling firmware: relative steps of three axes, W = delay between steps.
std::string MillingMove(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t delay);

// Manual positioning, by the first letter of the firmware tag: M gives X,Y,Z,D;
// P gives X,Y,,,D; and S, O or B give X,Y,,D;.
std::string ManualMove(char tagLetter, std::int64_t x, std::int64_t y, std::int64_t z,
                       std::int64_t delay);

// X,Y,Z; of the scanner, outline and cutting windows' millimetre moves (no delay field).
std::string ThreeFieldMove(std::int64_t x, std::int64_t y, std::int64_t z);

// 0,0,Z,D; of the pause dialog: positive Z raises the cutter, negative lowers it.
std::string LiftMove(std::int64_t z, std::int64_t delay);

// X,Y,L,W; of the outline and cutting windows with zero fields at the end dropped:
// 5,0,0,0; is sent as 5; and 0,3,0,0; as 0,3;.
std::string OutlineMove(std::int64_t x, std::int64_t y, std::int64_t laser, std::int64_t delay);
std::string DropTrailingZeroFields(std::string text);
// The length of that text, without building it.
std::int64_t OutlineMoveLength(std::int64_t x, std::int64_t y, std::int64_t laser,
                               std::int64_t delay);

// "0,0,-1" and "0,0,1" (no terminator): laser off before the stop question, on after it.
// The firmware ends them after an idle gap (firmware_idle_gap.h).
std::string LaserOff();
std::string LaserOn();

// X,Y,R; of the raster engraving and wood burning windows, R = the burn value.
std::string RasterMove(std::int64_t x, std::int64_t y, std::int64_t burn);

// ,,,K,D; once at the start of a raster job: K whole steps per pixel along X.
std::string RasterSetup(std::int64_t stepsPerPixel, std::int64_t delay);

// ,,D; once at the start of a wood-burning job.
std::string WoodSetup(std::int64_t delay);

// X,Y,S; of the scanner with S = -2 x value.
std::string ScannerMove(std::int64_t x, std::int64_t y, std::int64_t value);

}  // namespace vexa::link
