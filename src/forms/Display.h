#pragma once

#include "forms/Description.h"

// How the descriptions meet a real display: their pixels at its resolution.
namespace forms {

inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerDesignPixel = 15;

// The descriptions' lengths in pixels (pictures, pen widths) are pixels at 96 DPI, 15 twips
// each: they grow with the display as the twips around them do, rounded the same way, so a
// picture stays in register with the controls laid out over it.
constexpr int ScaledPixels(int pixels, int dpi) {
  return TwipsToPixels(pixels * kTwipsPerDesignPixel, dpi);
}

}  // namespace forms
