#pragma once
// A picture's pixels as one byte block, the form every picture algorithm works on.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vexa::picture {

// Rows run from the top down; a row holds width x 3 bytes, raised by one when odd, so every row
// starts at an even offset. Each pixel is blue, green, red; in the gray pictures the windows use,
// the blue byte is the gray level. Pixel (x, y) is counted from 1, x to the right, y downward.
class PixelBuffer {
 public:
  static constexpr int kBytesPerPixel = 3;

  // The empty picture (0 x 0): what a window holds when it has no picture.
  PixelBuffer() = default;
  // A picture of `width` x `height` with every byte of every pixel set to `fill` (white by
  // default) and the padding bytes 0. Sizes outside the picture limits throw std::length_error.
  PixelBuffer(int width, int height, std::uint8_t fill = 255);
  // The same with the pixel bytes left as the allocator gives them, for a caller that writes
  // every pixel at once: filling 36 MB first costs as much as the conversion itself.
  static PixelBuffer ForOverwrite(int width, int height);

  PixelBuffer(const PixelBuffer&) = default;
  PixelBuffer& operator=(const PixelBuffer&) = default;
  // A picture moved away from is left empty, never with a size and no bytes.
  PixelBuffer(PixelBuffer&& other) noexcept { *this = std::move(other); }
  PixelBuffer& operator=(PixelBuffer&& other) noexcept;

  static int RowStride(int width) { return width * kBytesPerPixel + (width * kBytesPerPixel) % 2; }

  int width() const { return width_; }
  int height() const { return height_; }
  int bytesPerPixel() const { return kBytesPerPixel; }
  int stride() const { return stride_; }
  bool empty() const { return width_ == 0; }

  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t sizeInBytes() const { return bytes_.size(); }

  // Row y (1 to height).
  std::uint8_t* row(int y) { return data() + static_cast<std::size_t>(y - 1) * stride_; }
  const std::uint8_t* row(int y) const {
    return data() + static_cast<std::size_t>(y - 1) * stride_;
  }
  // The first (blue) byte of pixel (x, y).
  std::uint8_t* pixel(int x, int y) { return row(y) + (x - 1) * kBytesPerPixel; }
  const std::uint8_t* pixel(int x, int y) const { return row(y) + (x - 1) * kBytesPerPixel; }

  std::uint8_t gray(int x, int y) const { return pixel(x, y)[0]; }
  void setGray(int x, int y, std::uint8_t level);
  void setColor(int x, int y, std::uint8_t blue, std::uint8_t green, std::uint8_t red);

  // True when every pixel has three equal bytes.
  bool isGray() const;

  friend bool operator==(const PixelBuffer&, const PixelBuffer&) = default;

 private:
  // Growing the byte vector leaves new bytes uninitialised.
  struct NoFillAllocator : std::allocator<std::uint8_t> {
    template <typename U>
    struct rebind {
      using other = NoFillAllocator;
    };
    void construct(std::uint8_t* p) noexcept { ::new (static_cast<void*>(p)) std::uint8_t; }
    void construct(std::uint8_t* p, std::uint8_t v) noexcept { *p = v; }
  };

  void allocate(int width, int height);

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t, NoFillAllocator> bytes_;
};

}  // namespace vexa::picture
