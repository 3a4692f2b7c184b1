#include "picture/picture_messages.h"

#include <cstdio>

#include "picture/picture_limits.h"

namespace vexa::picture {

namespace {

std::string wholeNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f", value);
  return buffer;
}

}  // namespace

std::string FitSizeText(double across, double down) {
  return "Картинку нельзя подогнать: получается " + wholeNumber(across) + " x " +
         wholeNumber(down) + " точек (допустимо от 1 до " + std::to_string(kMaxPictureSide) +
         " по стороне и не более " + std::to_string(kMaxPicturePoints / 1000000) +
         " млн точек).\r\nИзмените ширину или диаметр пятна.";
}

std::string TooLargeText(long long width, long long height) {
  return std::string(kOpenErrorText) + "\r\nКартинка слишком велика: " + std::to_string(width) +
         " x " + std::to_string(height) + " точек (допустимо не более " +
         std::to_string(kMaxPictureSide) + " по стороне и " +
         std::to_string(kMaxPicturePoints / 1000000) + " млн точек).";
}

std::string WorkFileText(const std::string& workPath) {
  return std::string(kOpenErrorText) + "\r\nНе удалось записать файл " + workPath + ".";
}

std::string OutOfMemoryText() {
  return std::string(kOpenErrorText) + "\r\nНе хватает памяти для картинки.";
}

}  // namespace vexa::picture
