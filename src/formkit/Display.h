#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "formkit/Description.h"

// How the descriptions meet a real display: their pixels at its resolution, their faces among
// its fonts.
namespace formkit {

inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerDesignPixel = 15;

// The descriptions' lengths in pixels (pictures, pen widths) are pixels at 96 DPI, 15 twips
// each: they grow with the display as the twips around them do, rounded the same way, so a
// picture stays in register with the controls laid out over it.
constexpr int ScaledPixels(int pixels, int dpi) {
  return TwipsToPixels(pixels * kTwipsPerDesignPixel, dpi);
}

// The face to draw a described face in when the display does not have it: the closest one of
// the same width that `installed` says it has; nullopt when there is none.
std::optional<std::string_view> StandInFace(std::string_view face,
                                            const std::function<bool(std::string_view)>& installed);

// The largest em height from `least` to `most` at which `fits` says a caption fits its control,
// taking one that fits at a height to fit at every smaller one; `least` when none does. Asks
// about as many heights as halving the range takes, each a font made and a caption measured.
int LargestFitting(int least, int most, const std::function<bool(int)>& fits);

}  // namespace formkit
