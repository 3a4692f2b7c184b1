#include "scanner/scan_preview.h"

#include <algorithm>

namespace vexa::scanner {

int GridStep(int boxPixels, int points) {
  if (points < 2 || boxPixels <= kBoxMargin) return 0;
  return (boxPixels - kBoxMargin) / (points - 1);
}

void ScanPreview::setBoxSize(int width, int height) {
  boxWidth_ = width;
  boxHeight_ = height;
}

void ScanPreview::DrawGrid(int nx, int ny) {
  image_ = picture::PixelBuffer(boxWidth_, boxHeight_, 255);
  if (nx < 1 || ny < 1) return;
  const int stepX = GridStep(boxWidth_, nx);
  const int stepY = GridStep(boxHeight_, ny);
  const int right = std::min(NodePixel(nx, stepX), boxWidth_);
  const int bottom = std::min(NodePixel(ny, stepY), boxHeight_);
  for (int r = 1; r <= ny; ++r) {
    const int y = NodePixel(r, stepY);
    if (y > boxHeight_) break;
    for (int x = kFirstNodePixel; x <= right; ++x) image_.setGray(x, y, kGridLineGray);
  }
  for (int c = 1; c <= nx; ++c) {
    const int x = NodePixel(c, stepX);
    if (x > boxWidth_) break;
    for (int y = kFirstNodePixel; y <= bottom; ++y) image_.setGray(x, y, kGridLineGray);
  }
  for (int r = 1; r <= ny; ++r) {
    for (int c = 1; c <= nx; ++c) DrawCross(NodePixel(c, stepX), NodePixel(r, stepY), 0);
  }
}

void ScanPreview::DrawCross(int x, int y, std::uint8_t gray) {
  static constexpr int kArms[5][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {0, 0}};
  for (const auto& arm : kArms) {
    const int px = x + arm[0];
    const int py = y + arm[1];
    if (px >= 1 && py >= 1 && px <= image_.width() && py <= image_.height()) {
      image_.setGray(px, py, gray);
    }
  }
}

void ScanPreview::DrawScanPoint(int column, int row, std::int32_t reading, int nx, int ny) {
  const auto gray = static_cast<std::uint8_t>(std::clamp<std::int32_t>(reading, 0, 255));
  DrawCross(NodePixel(column, GridStep(image_.width(), nx)),
            NodePixel(row, GridStep(image_.height(), ny)), gray);
}

}  // namespace vexa::scanner
