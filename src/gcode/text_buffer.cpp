#include "gcode/text_buffer.h"

#include <algorithm>

namespace vexa::gcode {

void TextBuffer::grow(std::size_t bytes) {
  const std::size_t capacity = std::max({capacity_ * 2, size_ + bytes, std::size_t{4096}});
  auto data = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

std::string TextBuffer::takeLines() {
  std::string_view lines = text();
  if (lines.ends_with("\r\n")) lines.remove_suffix(2);
  std::string taken(lines);
  clear();
  return taken;
}

}  // namespace vexa::gcode
