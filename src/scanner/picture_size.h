#pragma once
// The height picture's size: the two size fields, the box 22 pixels larger, the corner handle
// that sizes the box in whole grid steps, and the scanned area kept in the picture's proportions.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vexa::scanner {

// A dragged box side must be more than 1000 twips, at 15 twips a pixel.
inline constexpr int kMinDraggedBoxPixels = 67;
inline constexpr const char* kPictureWidthText =
    "Введите в поле ширины изображения целое число от 1 до 19978!";
inline constexpr const char* kPictureHeightText =
    "Введите в поле высоты изображения целое число от 1 до 19978!";
inline constexpr const char* kPictureTooLargeText =
    "Изображение слишком велико: вместе с полями допустимо не более 60 млн точек.";

struct PictureSize {
  int width = 200;
  int height = 200;
};

// The two fields as whole numbers (decimals rounded), or the message naming the first bad one.
// The box, 22 pixels larger each way, must stay within the picture limits, so that image.bmp
// can be opened again.
std::variant<PictureSize, std::string> ReadPictureSize(std::string_view width,
                                                       std::string_view height);

// The picture side the box of `boxPixels` holds in whole grid steps of `points` nodes.
int PictureSideForBox(int boxPixels, int points);

struct BoxSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const BoxSize&, const BoxSize&) = default;
};

// The box while its corner is dragged to `wanted`: each side follows when it is long enough
// (and that side's picture field is then set in whole grid steps); a box beyond the picture
// limits keeps its old size.
struct DraggedBox {
  BoxSize box;
  bool widthTaken = false;
  bool heightTaken = false;
};
DraggedBox DragBox(BoxSize current, BoxSize wanted);

// The area side that keeps the picture's proportions: round(sideOfResult x givenArea)
// integer-divided by round(sideOfGiven), as text; empty (the field is cleared) when the picture
// sides give nothing to divide by. A given area that is not a number leaves the other field as
// it is (nullopt), so the scan names the field that holds the mistake.
std::optional<std::string> CoupledAreaText(std::string_view sideOfResult,
                                           std::string_view sideOfGiven,
                                           std::string_view givenArea);

}  // namespace vexa::scanner
