#include "link/reply_buffer.h"

#include <algorithm>
#include <limits>
#include <ostream>

namespace vexa::link {

namespace {

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
// Consumed bytes are dropped once they are this many and at least half of what is kept.
constexpr std::size_t kCompactAt = 4096;

bool isLineEnd(char byte) {
  return byte == '\r' || byte == '\n';
}

}  // namespace

ReplyBuffer& ReplyBuffer::operator=(std::string_view text) {
  clear();
  for (char byte : text) append(byte);
  return *this;
}

void ReplyBuffer::append(char byte) {
  bytes_.push_back(byte);
  if (byte == 'T') {
    ++replies_;
    ++arrived_;
  }
  if (byte == '\r') {
    marks_.push_back(0);
    opens_.push_back({marks_.size() - 1, 0});
  } else if (byte == '\n') {
    if (opens_.empty()) {
      marks_.push_back(kNever);
      return;
    }
    const Open open = opens_.back();
    opens_.pop_back();
    const std::uint64_t pass = std::max(passes_, open.innerPass) + 1;
    marks_.push_back(pass);
    marks_[open.mark] = marks_.size() - 1 - open.mark;
    if (!opens_.empty()) opens_.back().innerPass = std::max(opens_.back().innerPass, pass);
  } else {
    opens_.clear();  // a pair never spans another character
  }
}

bool ReplyBuffer::lineEndKept(std::size_t mark, char byte) const {
  if (byte == '\n') return marks_[mark] > passes_;
  const std::uint64_t distance = marks_[mark];
  return distance == 0 || marks_[mark + distance] > passes_;
}

void ReplyBuffer::takeReply() {
  ++passes_;
  while (head_ < bytes_.size() && isLineEnd(bytes_[head_]) &&
         !lineEndKept(markHead_, bytes_[head_])) {
    ++head_;
    ++markHead_;
  }
  if (head_ < bytes_.size()) {
    const char first = bytes_[head_++];
    if (first == 'T') --replies_;
    if (first == '\r') {
      const std::uint64_t distance = marks_[markHead_];
      if (distance != 0) {
        marks_[markHead_ + distance] = kNever;  // its LF stays, with no CR before it now
      } else if (!opens_.empty() && opens_.front().mark == markHead_) {
        opens_.pop_front();
      }
    }
    if (isLineEnd(first)) ++markHead_;
  }
  compact();
}

void ReplyBuffer::compact() {
  if (head_ < kCompactAt || head_ * 2 < bytes_.size()) return;
  bytes_.erase(0, head_);
  marks_.erase(marks_.begin(), marks_.begin() + static_cast<std::ptrdiff_t>(markHead_));
  for (Open& open : opens_) open.mark -= markHead_;
  head_ = 0;
  markHead_ = 0;
}

void ReplyBuffer::clear() {
  const std::uint64_t arrived = arrived_;
  const OwedReplies kept = owed;
  *this = ReplyBuffer();
  arrived_ = arrived;
  owed = kept;
}

std::string ReplyBuffer::text() const {
  std::string kept;
  std::size_t mark = markHead_;
  for (std::size_t i = head_; i < bytes_.size(); ++i) {
    const char byte = bytes_[i];
    if (isLineEnd(byte) && !lineEndKept(mark++, byte)) continue;
    kept.push_back(byte);
  }
  return kept;
}

bool ReplyBuffer::empty() const {
  std::size_t mark = markHead_;
  for (std::size_t i = head_; i < bytes_.size(); ++i) {
    const char byte = bytes_[i];
    if (!isLineEnd(byte) || lineEndKept(mark++, byte)) return false;
  }
  return true;
}

std::ostream& operator<<(std::ostream& out, const ReplyBuffer& buffer) {
  return out << '"' << buffer.text() << '"';
}

}  // namespace vexa::link
