#include "link/commands.h"

namespace vexa::link {

std::string CommandText(std::initializer_list<CommandField> fields, Terminator terminator) {
  std::string text;
  bool first = true;
  for (const CommandField& field : fields) {
    if (!first) text += ',';
    first = false;
    if (field) text += std::to_string(*field);
  }
  if (terminator == Terminator::Semicolon) text += ';';
  return text;
}

int DecimalLength(std::int64_t value) {
  int length = value < 0 ? 2 : 1;
  // Counted on the magnitude as unsigned, so the most negative value has one too.
  std::uint64_t rest = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
  while (rest >= 10) {
    rest /= 10;
    ++length;
  }
  return length;
}

std::int64_t CommandLength(std::initializer_list<CommandField> fields, Terminator terminator) {
  std::int64_t length = fields.size() > 0 ? static_cast<std::int64_t>(fields.size()) - 1 : 0;
  for (const CommandField& field : fields) {
    if (field) length += DecimalLength(*field);
  }
  return terminator == Terminator::Semicolon ? length + 1 : length;
}

std::string VersionQuery() { return "V;"; }

std::string MillingMove(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t delay) {
  return CommandText({x, y, z, delay});
}

std::string ManualMove(char tagLetter, std::int64_t x, std::int64_t y, std::int64_t z,
                       std::int64_t delay) {
  switch (tagLetter) {
    case 'M':
      return CommandText({x, y, z, delay});
    case 'P':
      return CommandText({x, y, {}, {}, delay});
    default:  // S, O, B: two axes
      return CommandText({x, y, {}, delay});
  }
}

std::string ThreeFieldMove(std::int64_t x, std::int64_t y, std::int64_t z) {
  return CommandText({x, y, z});
}

std::string LiftMove(std::int64_t z, std::int64_t delay) { return CommandText({0, 0, z, delay}); }

std::string DropTrailingZeroFields(std::string text) {
  // Four passes over the whole text, each replacing every ",0;" by ";".
  const std::string zeroEnd = ",0;";
  for (int pass = 0; pass < 4; ++pass) {
    for (std::size_t at = text.find(zeroEnd); at != std::string::npos;
         at = text.find(zeroEnd, at + 1)) {
      text.replace(at, zeroEnd.size(), ";");
    }
  }
  return text;
}

std::string OutlineMove(std::int64_t x, std::int64_t y, std::int64_t laser, std::int64_t delay) {
  return DropTrailingZeroFields(CommandText({x, y, laser, delay}));
}

std::int64_t OutlineMoveLength(std::int64_t x, std::int64_t y, std::int64_t laser,
                               std::int64_t delay) {
  const std::int64_t fields[] = {x, y, laser, delay};
  int kept = 4;
  while (kept > 1 && fields[kept - 1] == 0) --kept;
  std::int64_t length = kept;  // the commas and the ";"
  for (int i = 0; i < kept; ++i) length += DecimalLength(fields[i]);
  return length;
}

std::string LaserOff() { return CommandText({0, 0, -1}, Terminator::None); }
std::string LaserOn() { return CommandText({0, 0, 1}, Terminator::None); }

std::string RasterMove(std::int64_t x, std::int64_t y, std::int64_t burn) {
  return CommandText({x, y, burn});
}

std::string RasterSetup(std::int64_t stepsPerPixel, std::int64_t delay) {
  return CommandText({{}, {}, {}, stepsPerPixel, delay});
}

std::string WoodSetup(std::int64_t delay) { return CommandText({{}, {}, delay}); }

std::string ScannerMove(std::int64_t x, std::int64_t y, std::int64_t value) {
  return CommandText({x, y, -2 * value});
}

}  // namespace vexa::link
