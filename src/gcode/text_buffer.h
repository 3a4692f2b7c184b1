#pragma once
// The text of a G-code file between writes: one buffer kept for the whole job, lines and numbers
// written straight into it, no string made per word.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace vexa::gcode {

class TextBuffer {
 public:
  // Where `bytes` more may be written; commit() then says where the written text ends.
  char* room(std::size_t bytes) {
    if (capacity_ - size_ < bytes) grow(bytes);
    return data_.get() + size_;
  }
  void commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void append(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    size_ += text.size();
  }
  // Back to `size` bytes (no more than there are): a line that turned out empty.
  void truncate(std::size_t size) { size_ = size; }
  // Empties the text and keeps the memory, for the next lines.
  void clear() { size_ = 0; }
  // The text, lines ended by CR LF, as lines joined by CR LF without a final one; emptied.
  std::string takeLines();

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string_view text() const { return {data_.get(), size_}; }

 private:
  void grow(std::size_t bytes);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// What a G-code writer gathers between writes: the lines and how many were written in all.
class GatheredLines {
 public:
  bool empty() const { return text_.empty(); }
  // The lines gathered since the last clear, each ended by CR LF.
  std::string_view text() const { return text_.text(); }
  void clear() { text_.clear(); }
  // The lines gathered since the last take, joined by CR LF, without a final one; emptied.
  std::string take() { return text_.takeLines(); }
  std::int64_t lineCount() const { return lineCount_; }

 protected:
  TextBuffer text_;
  std::int64_t lineCount_ = 0;
};

}  // namespace vexa::gcode
