#pragma once
// Chat markup: text with <Font Color=#RRGGBB> tags that colour what follows them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace practicehost {

// A colour in COLORREF layout (0x00BBGGRR), so it goes to a rich edit unchanged.
using Color = std::uint32_t;
inline constexpr Color kDefaultTextColor = 0x000000;

constexpr Color MakeColor(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}

struct Run {
  std::string text;
  Color color = kDefaultTextColor;
  bool operator==(const Run&) const = default;
};

// Splits markup into runs of one colour (adjacent runs of the same colour merged, no empty runs).
// Font tags are removed: a color attribute of #RRGGBB sets the colour of what follows, other
// attributes are ignored, and </font> only disappears. Anything else that starts with '<' is text.
// Line breaks (and NULs) become spaces, so that a said line stays one line of the transcript.
std::vector<Run> ParseMarkup(std::string_view markup);

std::string PlainText(const std::vector<Run>& runs);

}  // namespace practicehost
