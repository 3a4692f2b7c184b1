#pragma once
// The standard G-code form (RS-274 as the common hobby controllers read it): absolute
// millimetres, G0 travel, G1 work with an F word, the laser switched by M4 S / M5. The lines are
// gathered in memory between writes to the file (GcodeFile), each ended by CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gcode/gcode_number.h"
#include "gcode/text_buffer.h"

namespace vexa::gcode {

class StandardLines : public GatheredLines {
 public:
  // "G21" and "G90", then `comment` as a comment line.
  void header(std::string_view comment);
  // A comment line; parentheses inside become brackets, so the comment cannot end early.
  void comment(std::string_view text);

  // Axes left out, or written the same as the last line that named them, are not repeated.
  void rapid(std::optional<double> x, std::optional<double> y, std::optional<double> z = {});
  // The F word is written when it differs from the last one; a feed of 0 writes none.
  void work(std::optional<double> x, std::optional<double> y, std::optional<double> z,
            double feed);
  // A burn to `x` at `power` with the laser already on: the S word rides on the G1 line when the
  // power changes, one line a pixel instead of two.
  void burn(const WrittenMm& x, double feed, std::int64_t power);

  // "M4 S<power>" when the laser is off or at another power; "M5" when it is on.
  void laserOn(std::int64_t power);
  // With `always`, "M5" even when the laser is believed off: the last word of a stopped job.
  void laserOff(bool always = false);
  bool laserIsOn() const { return power_ > 0; }
  // Where the last lines left the tool, as "X.. Y.. Z.." (the axes named so far).
  std::string position() const;

  // "M5" if the laser is on, then "M2".
  void end();

 private:
  void add(std::string_view line);
  // Starts a line in text_; returns where it began, for a line that turns out empty.
  std::size_t begin(std::string_view word);
  void endLine();
  // Appends " <letter><value>" when the value (in thousandths) differs from the one last
  // written.
  bool axis(char letter, std::optional<std::int64_t> value, std::optional<std::int64_t>& last);
  void move(std::string_view word, std::optional<std::int64_t> x, std::optional<std::int64_t> y,
            std::optional<std::int64_t> z, double feed);

  // In thousandths of a millimetre, as last written; empty before an axis is named.
  std::optional<std::int64_t> lastX_, lastY_, lastZ_, lastF_;
  std::int64_t power_ = 0;
  // The last feed a burn was given and its thousandths: a raster job gives the same every time.
  double burnFeed_ = 0;
  std::int64_t burnFeedThousandths_ = 0;
};

}  // namespace vexa::gcode
