#pragma once
// The logic of the connectivity list window (Form10): the 512 patterns of a 3 x 3 block of
// black and white cells, numbered by the neighbourhood code (weights 1, 2, 4 in the row above,
// 8, 16, 32 in the middle row, 64, 128, 256 in the row below).

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::figures {

inline constexpr int kPatternCells = 9;
inline constexpr int kLastPattern = 511;
inline constexpr const char* kNotAPatternNumberText = "Введите целое число!";

// ShowPattern's cells: cell i (1 to 9, index i - 1) is set when bit i - 1 of `number` is. A
// negative number sets none, bits above the ninth are not shown.
std::array<bool, kPatternCells> PatternCells(int number);

// A pattern "Дальше" stops at: centre cell set and at least three cells set.
bool IsListedPattern(int number);

// "Дальше": the next number above `number` that IsListedPattern. The plain search runs without
// end past 511, the last such pattern; there (and for any number from 511 on) the number stays.
int NextPattern(int number);

// "Включить": appends `number` to `list` ("," between numbers), then returns NextPattern.
int IncludePattern(std::string& list, int number);

// "Показать": the field read as a whole number (spaces around it and a sign allowed); nullopt
// for anything else, which the window answers with kNotAPatternNumberText.
std::optional<int> ReadPatternNumber(std::string_view text);

}  // namespace vexa::figures
