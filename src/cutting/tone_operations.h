#pragma once
// Three of the six preparation operations of the cutting window: gray with a white cut-off
// ("Подготовить"), contrast ("Контраст") and the black/white threshold ("Ч/Б"). Each changes the
// working picture in one pass. PrepareGray, MakeBlackWhite keep the outermost one-pixel frame,
// RaiseContrast a two-pixel one; a picture too small for the region is left as it is.

#include <cstdint>

#include "cutting/operation_display.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

// Dark for the preparation operations: the blue byte below 100.
inline constexpr int kDarkBelow = 100;

// gray = nearest(0.3 red + 0.59 green + 0.11 blue); 100 and above becomes white, the rest gray.
void PrepareGray(picture::PixelBuffer& working, std::int32_t pass, const OperationDisplay& display);

// 4 x centre - 0.25 x (sum of the 8 neighbours), from the picture as it was before the pass,
// clamped to 0..255 and rounded (ties to even): a uniform area doubles, edges sharpen.
void RaiseContrast(picture::PixelBuffer& working, std::int32_t pass,
                   const OperationDisplay& display);

// Blue 100 and above becomes white, everything else black.
void MakeBlackWhite(picture::PixelBuffer& working, std::int32_t pass,
                    const OperationDisplay& display);

}  // namespace vexa::cutting
