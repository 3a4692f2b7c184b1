#include "picture/pixel_buffer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "picture/picture_limits.h"

namespace vexa::picture {

PixelBuffer::PixelBuffer(int width, int height, std::uint8_t fill) {
  allocate(width, height);
  for (int y = 1; y <= height_; ++y) std::fill_n(row(y), width_ * kBytesPerPixel, fill);
}

PixelBuffer PixelBuffer::ForOverwrite(int width, int height) {
  PixelBuffer picture;
  picture.allocate(width, height);
  return picture;
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  stride_ = std::exchange(other.stride_, 0);
  bytes_ = std::move(other.bytes_);
  other.bytes_.clear();
  return *this;
}

void PixelBuffer::allocate(int width, int height) {
  if (width == 0 && height == 0) return;
  if (!FitsPictureLimits(width, height)) {
    throw std::length_error("picture size " + std::to_string(width) + " x " +
                            std::to_string(height) + " is outside the limits");
  }
  width_ = width;
  height_ = height;
  stride_ = RowStride(width);
  bytes_.resize(static_cast<std::size_t>(stride_) * height);
  // Padding is always 0, so equal pictures compare equal byte for byte.
  if (stride_ != width * kBytesPerPixel) {
    for (int y = 1; y <= height; ++y) row(y)[stride_ - 1] = 0;
  }
}

void PixelBuffer::setGray(int x, int y, std::uint8_t level) {
  setColor(x, y, level, level, level);
}

void PixelBuffer::setColor(int x, int y, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  std::uint8_t* p = pixel(x, y);
  p[0] = blue;
  p[1] = green;
  p[2] = red;
}

bool PixelBuffer::isGray() const {
  for (int y = 1; y <= height_; ++y) {
    const std::uint8_t* p = row(y);
    for (int x = 0; x < width_; ++x, p += kBytesPerPixel) {
      if (p[0] != p[1] || p[0] != p[2]) return false;
    }
  }
  return true;
}

}  // namespace vexa::picture
