#pragma once
// What the benchmarks that compare with OpenCV share: the picture's bytes as OpenCV sees them, and
// the timing of OpenCV on a given number of its threads. Include only with VEXA_HAVE_OPENCV.

#include <opencv2/core.hpp>
#include <opencv2/core/utility.hpp>

#include "bench_timing.h"
#include "picture/pixel_buffer.h"

namespace vexa::bench {

// The pixels of `picture` as a three-channel OpenCV matrix over the same bytes (no copy): what
// OpenCV writes there lands in the picture.
inline cv::Mat PixelsOf(picture::PixelBuffer& picture) {
  return cv::Mat(picture.height(), picture.width(), CV_8UC3, picture.data(),
                 static_cast<std::size_t>(picture.stride()));
}
// The same over a picture only read: OpenCV's matrices have no read-only kind.
inline cv::Mat PixelsOf(const picture::PixelBuffer& picture) {
  return PixelsOf(const_cast<picture::PixelBuffer&>(picture));
}

// The blue bytes (the gray levels) of `picture` as a one-channel matrix of their own.
inline cv::Mat GrayOf(const picture::PixelBuffer& picture) {
  cv::Mat gray;
  cv::extractChannel(PixelsOf(picture), gray, 0);
  return gray;
}

// The best of `repeats` runs of `work` on `threads` of OpenCV's (0: as many as it likes).
template <class Work>
double OpenCvSeconds(int threads, int repeats, Work&& work) {
  const int before = cv::getNumThreads();
  if (threads != 0) cv::setNumThreads(threads);
  const double seconds = BestSeconds(repeats, work);
  cv::setNumThreads(before);
  return seconds;
}

}  // namespace vexa::bench
