#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Numbers.h"

namespace art {
namespace {

constexpr double kCapUnits = 10.0;
constexpr double kArcStepDegrees = 10.0;

using Line = std::vector<Point>;  // grid units, y up from the baseline

struct Glyph {
  double width = 0.0;
  std::vector<Line> lines;
};

// Part of an ellipse, counter-clockwise from `from` to `to` degrees (clockwise when to < from).
Line Arc(Point centre, double rx, double ry, double from, double to) {
  const int steps =
      std::max(1, static_cast<int>(std::ceil(std::fabs(to - from) / kArcStepDegrees)));
  Line line;
  for (int i = 0; i <= steps; ++i) {
    const double a = Degrees(Lerp(from, to, static_cast<double>(i) / steps));
    line.push_back({centre.x + rx * Cosine(a), centre.y + ry * Sine(a)});
  }
  return line;
}

Line Join(Line first, const Line& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// Round letters share one bowl: x-height 7, three units either side of the middle.
constexpr Point kBowl{3.0, 3.5};
constexpr double kBowlX = 3.0;
constexpr double kBowlY = 3.5;

std::optional<Glyph> GlyphFor(char c) {
  switch (c) {
    case ' ':
      return Glyph{2.5, {}};
    case '1':
      return Glyph{4.5, {{{0.3, 7.8}, {2.6, 10.0}, {2.6, 0.0}}, {{0.4, 0.0}, {4.6, 0.0}}}};
    case 'V':
      return Glyph{7.4, {{{0.0, 10.0}, {3.7, 0.0}, {7.4, 10.0}}}};
    case 'Z':
      return Glyph{6.8, {{{0.4, 10.0}, {6.6, 10.0}, {0.2, 0.0}, {6.8, 0.0}}}};
    case 'a':
      return Glyph{6.0, {Arc(kBowl, kBowlX, kBowlY, 0.0, 360.0), {{6.0, 7.0}, {6.0, 0.0}}}};
    case 'b':
      return Glyph{6.0, {{{0.0, 10.0}, {0.0, 0.0}}, Arc(kBowl, kBowlX, kBowlY, 0.0, 360.0)}};
    case 'c':
      return Glyph{5.8, {Arc(kBowl, kBowlX, kBowlY, 45.0, 315.0)}};
    case 'e':
      return Glyph{6.0, {Join({{0.0, 3.5}}, Arc(kBowl, kBowlX, kBowlY, 0.0, 320.0))}};
    case 'i':
      return Glyph{0.0, {{{0.0, 0.0}, {0.0, 7.0}}, {{0.0, 9.6}}}};
    case 'k':
      return Glyph{5.2,
                   {{{0.0, 10.0}, {0.0, 0.0}}, {{5.0, 7.0}, {0.0, 2.6}}, {{1.9, 4.3}, {5.2, 0.0}}}};
    case 'l':
      return Glyph{0.0, {{{0.0, 10.0}, {0.0, 0.0}}}};
    case 'n':
      return Glyph{
          6.0,
          {{{0.0, 7.0}, {0.0, 0.0}}, Join(Arc({3.0, 4.0}, 3.0, 3.0, 180.0, 0.0), {{6.0, 0.0}})}};
    case 'o':
      return Glyph{6.0, {Arc(kBowl, kBowlX, kBowlY, 0.0, 360.0)}};
    case 'r':
      return Glyph{4.4, {{{0.0, 7.0}, {0.0, 0.0}}, Arc({3.4, 3.6}, 3.4, 3.4, 180.0, 65.0)}};
    case 's':
      return Glyph{5.6,
                   {Join(Arc({2.8, 5.25}, 2.6, 1.75, 25.0, 270.0),
                         Arc({2.8, 1.75}, 2.8, 1.75, 90.0, -155.0))}};
    case 't':
      return Glyph{
          3.6,
          {{{1.2, 9.4}, {1.2, 1.4}, {1.8, 0.3}, {3.0, 0.0}, {3.6, 0.1}}, {{0.0, 7.0}, {3.4, 7.0}}}};
    default:
      return std::nullopt;
  }
}

Glyph RequireGlyph(char c) {
  auto glyph = GlyphFor(c);
  if (!glyph) {
    throw std::invalid_argument(std::string("no glyph for '") + c + "'");
  }
  return *std::move(glyph);
}

}  // namespace

bool HasGlyph(char c) { return GlyphFor(c).has_value(); }

double TextWidth(std::string_view text, const TextStyle& style) {
  const double unit = style.capHeight / kCapUnits;
  double units = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    units +=
        RequireGlyph(text[i]).width + (i + 1 < text.size() ? style.tracking + style.weight : 0.0);
  }
  return units * unit;
}

Shape Text(std::string_view text, Point origin, const TextStyle& style) {
  const double unit = style.capHeight / kCapUnits;
  std::vector<Line> lines;
  double pen = 0.0;
  for (const char c : text) {
    const Glyph glyph = RequireGlyph(c);
    for (const Line& line : glyph.lines) {
      Line placed;
      for (const Point& p : line) {
        placed.push_back({origin.x + (pen + p.x) * unit, origin.y - p.y * unit});
      }
      lines.push_back(std::move(placed));
    }
    pen += glyph.width + style.tracking + style.weight;
  }
  if (lines.empty()) {
    throw std::invalid_argument("nothing to letter");
  }
  return Strokes(std::move(lines), style.weight * unit / 2.0);
}

Shape CentredText(std::string_view text, double centreX, double baseline, const TextStyle& style) {
  return Text(text, {centreX - TextWidth(text, style) / 2.0, baseline}, style);
}

}  // namespace art
