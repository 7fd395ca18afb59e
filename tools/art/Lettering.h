#pragma once

#include <string_view>

#include "Canvas.h"

// Lettering for the pictures: every glyph is a few strokes on a grid ten units to the cap height,
// drawn with round ends, so the letters scale to any size with smooth edges. Only the letters the
// pictures use are defined; others are refused rather than silently skipped.
namespace art {

struct TextStyle {
  double capHeight = 10.0;  // pixels
  double weight = 1.4;      // stroke width in grid units
  double tracking = 1.6;    // extra space between letters in grid units
};

bool HasGlyph(char c);
double TextWidth(std::string_view text, const TextStyle& style);
// The text as one shape, its baseline starting at origin. Throws std::invalid_argument for a
// character without a glyph.
Shape Text(std::string_view text, Point origin, const TextStyle& style);
Shape CentredText(std::string_view text, double centreX, double baseline, const TextStyle& style);

}  // namespace art
