#pragma once

#include <functional>
#include <optional>
#include <span>
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

// Pixels a caption needs and has, along one direction.
struct Room {
  int needed = 0;
  int available = 0;
};

// The em height at which captions that took `rooms` at `height` pixels should fit: `height`
// when they do, else smaller in proportion to the worst overrun (text grows with its height),
// and never below one pixel. Hinting makes that a guess, to be measured again.
int FittingHeight(int height, std::span<const Room> rooms);

}  // namespace formkit
