#include <cmath>
#include <cstdint>
#include <ranges>
#include <string_view>
#include <utility>
#include <vector>

#include "Artwork.h"
#include "Lettering.h"
#include "Numbers.h"

namespace art {
namespace {

// The posted colour fade runs blue -> green -> blue; the pictures use deep tones of the same.
constexpr Rgb kNightBlue = FromBytes(8, 18, 70);
constexpr Rgb kDeepBlue = FromBytes(10, 24, 84);
constexpr Rgb kDeepGreen = FromBytes(6, 74, 50);
constexpr Rgb kSeaGreen = FromBytes(8, 92, 78);
constexpr Rgb kFadeBlue = FromBytes(28, 96, 236);
constexpr Rgb kFadeGreen = FromBytes(40, 210, 120);
constexpr Rgb kAqua = FromBytes(90, 230, 210);
constexpr Rgb kPaleAqua = FromBytes(196, 248, 236);
constexpr Rgb kWhite = FromBytes(255, 255, 255);
constexpr Rgb kBlack = FromBytes(0, 0, 0);

// Grain that breaks up 8-bit banding in the gradients: brightness varied by up to amount / 2.
Rgb Grain(Rgb colour, Point p, std::uint32_t seed, double amount) {
  const double n = Hash(static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), seed) - 0.5;
  return Scale(colour, 1.0 + amount * n);
}

struct Wave {
  double amplitude;
  double wavelength;
  double phase;  // degrees
};

double WaveHeight(const std::vector<Wave>& waves, double x) {
  double y = 0.0;
  for (const Wave& w : waves) {
    y += w.amplitude * Sine(2.0 * kPi * x / w.wavelength + Degrees(w.phase));
  }
  return y;
}

// The line y = base + the waves, sampled a little beyond both ends of [0, width].
std::vector<Point> Ridge(double base, const std::vector<Wave>& waves, double width) {
  constexpr double kStep = 3.0;
  std::vector<Point> line;
  for (double x = -kStep; x <= width + kStep; x += kStep) {
    line.push_back({x, base + WaveHeight(waves, x)});
  }
  return line;
}

// The region below a ridge line down to `bottom`.
Shape BelowRidge(std::vector<Point> ridge, double bottom) {
  const Point first = ridge.front();
  const Point last = ridge.back();
  ridge.push_back({last.x, bottom});
  ridge.push_back({first.x, bottom});
  return Polygon(std::move(ridge));
}

// A fir: tiers of branches narrowing upwards, standing on `foot`.
Shape Fir(Point foot, double height) {
  constexpr int kTiers = 5;
  constexpr double kTrunk = 0.08;       // of the height, below the lowest branches
  constexpr double kTrunkHalf = 0.035;  // of the height
  constexpr double kSpread = 0.36;      // half the lowest tier's width, of the height
  constexpr double kTaper = 0.8;        // how much narrower the top tier is than the lowest
  constexpr double kNotch = 0.45;       // how far in each tier starts, of its half width
  constexpr double kDroop = 0.12;       // rise from a branch tip to the next notch, of the crown
  const double crown = height * (1.0 - kTrunk);
  std::vector<Point> left;
  left.push_back({foot.x - height * kTrunkHalf, foot.y});
  left.push_back({foot.x - height * kTrunkHalf, foot.y - height * kTrunk});
  for (int i = 0; i < kTiers; ++i) {
    const double t = static_cast<double>(i) / kTiers;
    const double base = foot.y - height * kTrunk - crown * t;
    const double half = height * kSpread * (1.0 - t * kTaper);
    left.push_back({foot.x - half, base});
    left.push_back({foot.x - half * kNotch, base - crown * kDroop});
  }
  std::vector<Point> corners = left;
  corners.push_back({foot.x, foot.y - height});
  for (auto& it : std::ranges::reverse_view(left)) {
    corners.push_back({2.0 * foot.x - it.x, it.y});
  }
  return Polygon(std::move(corners));
}

struct Disc {
  double x;
  double y;
  double radius;
  Rgb colour;
  double opacity;
};

}  // namespace

Canvas DrawConsoleBackground() {
  constexpr int kWidth = 111;
  constexpr int kHeight = 113;
  constexpr double kTitleBottom = 18.0;  // the title label's strip, rows 0 to 17
  constexpr double kWeavePeriod = 6.0;
  constexpr double kWeaveLight = 0.05;
  constexpr std::uint32_t kSeed = 11;
  Canvas canvas(kWidth, kHeight);
  canvas.Fill([&](Point p) {
    // Blue in the top left and bottom right corners, green along the diagonal between them.
    const double t = (p.x / kWidth + p.y / kHeight) / 2.0;
    const double green = SmoothStep(0.0, 1.0, 1.0 - std::fabs(2.0 * t - 1.0));
    Rgb colour = Mix(kDeepBlue, kDeepGreen, green);
    // A faint weave along the other diagonal.
    const double phase = (p.x - p.y) / kWeavePeriod;
    const double ridge = Bump((phase - std::floor(phase) - 0.5) * 3.0);
    colour = Scale(colour, 1.0 + kWeaveLight * ridge);
    // Darker towards the rim, so the window reads as a panel.
    const double cx = (p.x / kWidth - 0.5) * 2.0;
    const double cy = (p.y / kHeight - 0.5) * 2.0;
    colour = Scale(colour, 1.0 - 0.18 * Clamp01((cx * cx + cy * cy) / 2.0));
    return Grain(colour, p, kSeed, 0.06);
  });
  // The title strip: darker, with the fade running along it.
  canvas.Paint(
      Box({0.0, 0.0, kWidth, kTitleBottom}),
      [&](Point p) {
        return Mix(FromBytes(2, 6, 34), FromBytes(2, 26, 18), Bump(2.0 * p.x / kWidth - 1.0));
      },
      0.55);
  // The splash's sparkle, faint, in the corner beside the counter.
  canvas.Paint(Astroid({96.0, 97.0}, 13.0), kPaleAqua, 0.09);
  canvas.Paint(Astroid({86.0, 84.0}, 4.0), kPaleAqua, 0.09);
  canvas.Paint(Box({0.0, kTitleBottom, kWidth, kTitleBottom + 1.0}), FromBytes(30, 140, 130), 0.3);
  canvas.Paint(Box({0.0, 0.0, kWidth, 1.0}), kAqua, 0.18);
  return canvas;
}

Canvas DrawSplash() {
  constexpr int kWidth = 267;
  constexpr int kHeight = 403;
  constexpr double kMiddle = kWidth / 2.0;
  constexpr std::uint32_t kSeed = 21;
  Canvas canvas(kWidth, kHeight);

  canvas.Fill([&](Point p) {
    // Down the picture the fade's course, its green band tilted a little.
    const double t = p.y / kHeight + 0.12 * (p.x / kWidth - 0.5);
    const double green = Bump((t - 0.62) / 0.45);
    Rgb colour = Mix(kNightBlue, kSeaGreen, green);
    const double mist = Clouds(p.x / 70.0, p.y / 70.0, kSeed, 4) - 0.5;
    colour = Add(colour, Scale(FromBytes(30, 70, 110), 0.35 * mist));
    return Grain(colour, p, kSeed, 0.05);
  });

  const std::vector<Disc> bokeh = {
      {34.0, 38.0, 58.0, kAqua, 0.05},       {236.0, 160.0, 72.0, kFadeGreen, 0.05},
      {18.0, 292.0, 46.0, kFadeBlue, 0.08},  {246.0, 318.0, 30.0, kAqua, 0.07},
      {212.0, 26.0, 20.0, kFadeGreen, 0.07}, {70.0, 250.0, 14.0, kAqua, 0.08},
      {118.0, 340.0, 9.0, kPaleAqua, 0.06},  {170.0, 296.0, 22.0, kFadeBlue, 0.06},
  };
  for (const Disc& d : bokeh) {
    canvas.Paint(Circle({d.x, d.y}, d.radius), d.colour, d.opacity);
    canvas.Paint(Ring({d.x, d.y}, d.radius - 1.0, 0.6), d.colour, d.opacity * 1.6);
  }

  // Emblem: a disc in the fade's colours with a sparkle, sending out pulses.
  const Point emblem{kMiddle, 86.0};
  constexpr double kEmblemRadius = 44.0;
  constexpr double kPulseGap = 12.0;
  for (int i = 1; i <= 3; ++i) {
    canvas.Paint(Ring(emblem, kEmblemRadius + kPulseGap * i, 1.1 - 0.2 * i), kAqua, 0.42 - 0.1 * i);
  }
  const Shape disc = Circle(emblem, kEmblemRadius);
  canvas.Glow(disc, kAqua, 10.0, 0.35);
  canvas.Paint(disc, [&](Point p) {
    const double t = Clamp01(((p.x - emblem.x) + (p.y - emblem.y)) / (4.0 * kEmblemRadius) + 0.5);
    return Mix(kFadeBlue, kFadeGreen, SmoothStep(0.15, 0.85, t));
  });
  canvas.Paint(Outline(disc, 1.0), kPaleAqua, 0.55);
  // A glassy sheen over the upper left.
  canvas.Paint(Intersection(Ellipse({emblem.x - 8.0, emblem.y - 18.0}, 32.0, 20.0), disc), kWhite,
               0.14);
  const Shape star = Astroid(emblem, 30.0);
  canvas.Glow(star, kWhite, 3.0, 0.35);
  canvas.Paint(star, kWhite);
  canvas.Paint(Astroid({emblem.x + 22.0, emblem.y - 21.0}, 9.0), kWhite, 0.9);
  canvas.Paint(Astroid({emblem.x - 25.0, emblem.y + 20.0}, 5.0), kWhite, 0.75);

  // The name, large, with a drop shadow and a soft halo.
  const TextStyle titleStyle{.capHeight = 44.0, .weight = 1.55, .tracking = 1.3};
  constexpr double kTitleBaseline = 220.0;
  const Shape title = CentredText("Zibbet", kMiddle, kTitleBaseline, titleStyle);
  canvas.Paint(Offset(Grow(title, 1.0), 2.0, 3.0), kBlack, 0.45);
  canvas.Glow(title, kAqua, 5.0, 0.25);
  canvas.Paint(title, [&](Point p) {
    const double t =
        Clamp01((p.y - (kTitleBaseline - titleStyle.capHeight)) / titleStyle.capHeight);
    return Mix(kWhite, kPaleAqua, t);
  });

  // A rule with a diamond, then the version.
  constexpr double kRuleY = 240.0;
  canvas.Paint(Strokes({{{kMiddle - 70.0, kRuleY}, {kMiddle - 9.0, kRuleY}},
                        {{kMiddle + 9.0, kRuleY}, {kMiddle + 70.0, kRuleY}}},
                       0.6),
               kAqua, 0.7);
  canvas.Paint(Polygon({{kMiddle, kRuleY - 4.0},
                        {kMiddle + 4.0, kRuleY},
                        {kMiddle, kRuleY + 4.0},
                        {kMiddle - 4.0, kRuleY}}),
               kAqua, 0.9);
  const TextStyle versionStyle{.capHeight = 15.0, .weight = 1.35, .tracking = 1.9};
  constexpr double kVersionBaseline = 270.0;
  const Shape version = CentredText("Version 1", kMiddle, kVersionBaseline, versionStyle);
  canvas.Paint(Offset(version, 1.0, 1.5), kBlack, 0.4);
  canvas.Paint(version, kPaleAqua);

  // Two ribbons drifting across, coloured along the fade.
  struct Ribbon {
    double top;
    std::vector<Wave> upper;
    std::vector<Wave> lower;
    double thickness;
    double opacity;
  };
  const std::vector<Ribbon> ribbons = {
      {300.0, {{9.0, 230.0, 20.0}, {3.0, 97.0, 140.0}}, {{6.0, 180.0, 200.0}}, 16.0, 0.42},
      {314.0, {{7.0, 260.0, 210.0}, {2.5, 83.0, 40.0}}, {{5.0, 150.0, 90.0}}, 12.0, 0.3},
  };
  for (const Ribbon& r : ribbons) {
    std::vector<Point> upper = Ridge(r.top, r.upper, kWidth);
    std::vector<Point> outline = upper;
    for (auto& it : std::ranges::reverse_view(upper)) {
      outline.push_back({it.x, it.y + r.thickness + WaveHeight(r.lower, it.x)});
    }
    canvas.Paint(
        Polygon(std::move(outline)),
        [&](Point p) { return Mix(kFadeBlue, kFadeGreen, Bump((p.x - kMiddle) / kMiddle)); },
        r.opacity);
    canvas.Paint(Strokes({std::move(upper)}, 0.5), kPaleAqua, r.opacity);
  }

  // The hint, in a pill, well clear of the two rows the window cuts off.
  const TextStyle hintStyle{.capHeight = 11.0, .weight = 1.45, .tracking = 1.7};
  constexpr double kHintBaseline = 376.0;
  constexpr double kArrowRoom = 12.0;
  constexpr double kPillPadding = 14.0;
  constexpr std::string_view kHint = "click to start";
  const double hintWidth = TextWidth(kHint, hintStyle) + kArrowRoom;
  const double pillLeft = kMiddle - hintWidth / 2.0 - kPillPadding;
  const double pillRight = kMiddle + hintWidth / 2.0 + kPillPadding;
  const Shape pill = Box({pillLeft, kHintBaseline - 22.0, pillRight, kHintBaseline + 8.0}, 15.0);
  canvas.Paint(pill, kBlack, 0.3);
  canvas.Paint(Outline(pill, 0.8), kAqua, 0.8);
  const double textLeft = kMiddle - hintWidth / 2.0 + kArrowRoom;
  canvas.Paint(Polygon({{textLeft - kArrowRoom, kHintBaseline - 10.0},
                        {textLeft - kArrowRoom + 7.0, kHintBaseline - 5.5},
                        {textLeft - kArrowRoom, kHintBaseline - 1.0}}),
               kFadeGreen);
  canvas.Paint(Text(kHint, {textLeft, kHintBaseline}, hintStyle), kWhite);
  return canvas;
}

Canvas DrawSunsetHills() {
  constexpr int kWidth = 250;
  constexpr int kHeight = 371;
  constexpr std::uint32_t kSeed = 31;
  Canvas canvas(kWidth, kHeight);
  const std::vector<ColourStop> sky = {
      {0.00, FromBytes(26, 22, 78)},    {0.28, FromBytes(86, 42, 118)},
      {0.46, FromBytes(196, 78, 112)},  {0.58, FromBytes(246, 142, 82)},
      {0.66, FromBytes(255, 204, 126)},
  };
  canvas.Fill([&](Point p) {
    Rgb colour = Ramp(sky, p.y / kHeight);
    const double haze = Clouds(p.x / 90.0, p.y / 30.0, kSeed, 3) - 0.5;
    colour = Add(colour, Scale(FromBytes(60, 30, 50), 0.3 * haze));
    return Grain(colour, p, kSeed, 0.04);
  });

  // The first stars, only where the sky is darkest.
  constexpr int kStars = 22;
  for (int i = 0; i < kStars; ++i) {
    const double x = Hash(i, 1, kSeed) * kWidth;
    const double y = Hash(i, 2, kSeed) * kHeight * 0.22;
    const double bright = Hash(i, 3, kSeed);
    canvas.Paint(Circle({x, y}, 0.45 + 0.5 * bright), kWhite,
                 0.35 + 0.5 * bright * (1.0 - y / 90.0));
  }

  const Point sun{152.0, 226.0};
  constexpr double kSunRadius = 36.0;
  const Shape sunDisc = Circle(sun, kSunRadius);
  canvas.Glow(sunDisc, FromBytes(255, 196, 120), 22.0, 0.55);
  canvas.Paint(sunDisc, [&](Point p) {
    return Mix(FromBytes(255, 248, 214), FromBytes(255, 176, 92),
               SmoothStep(sun.y - kSunRadius, sun.y + kSunRadius, p.y));
  });

  // Streaks of cloud, some across the sun.
  const std::vector<Disc> streaks = {
      {64.0, 118.0, 46.0, FromBytes(214, 104, 140), 0.45},
      {190.0, 150.0, 58.0, FromBytes(232, 120, 128), 0.5},
      {112.0, 196.0, 70.0, FromBytes(238, 128, 118), 0.55},
      {196.0, 212.0, 34.0, FromBytes(248, 160, 120), 0.6},
      {40.0, 178.0, 30.0, FromBytes(226, 116, 124), 0.45},
  };
  for (const Disc& s : streaks) {
    canvas.Paint(Ellipse({s.x, s.y}, s.radius, s.radius / 14.0 + 1.6), s.colour, s.opacity);
  }

  // Birds heading home.
  const std::vector<Point> birds = {{58.0, 76.0}, {74.0, 88.0}, {47.0, 94.0}};
  for (const Point& b : birds) {
    canvas.Paint(Strokes({{{b.x - 5.0, b.y - 2.5}, {b.x - 2.2, b.y - 1.8}, {b.x, b.y}},
                          {{b.x, b.y}, {b.x + 2.2, b.y - 1.8}, {b.x + 5.0, b.y - 2.5}}},
                         0.6),
                 FromBytes(52, 26, 64), 0.9);
  }

  // Hills, hazier with distance; each lit a little at its crest.
  struct Hill {
    double base;
    std::vector<Wave> shape;
    Rgb colour;
  };
  const std::vector<Hill> hills = {
      {232.0, {{10.0, 210.0, 40.0}, {4.0, 70.0, 10.0}}, FromBytes(176, 86, 122)},
      {254.0, {{14.0, 260.0, 200.0}, {4.0, 90.0, 300.0}}, FromBytes(118, 52, 104)},
      {290.0, {{12.0, 190.0, 120.0}, {5.0, 60.0, 30.0}}, FromBytes(66, 30, 76)},
      {330.0, {{16.0, 300.0, 250.0}, {3.0, 50.0, 80.0}}, FromBytes(28, 14, 42)},
  };
  for (const Hill& h : hills) {
    const std::vector<Point> ridge = Ridge(h.base, h.shape, kWidth);
    canvas.Paint(BelowRidge(ridge, kHeight + 2.0), [&](Point p) {
      const double crest = h.base + WaveHeight(h.shape, p.x);
      const double lit = 1.0 - SmoothStep(0.0, 26.0, p.y - crest);
      return Mix(h.colour, Add(h.colour, FromBytes(40, 22, 18)), 0.6 * lit);
    });
  }
  const Hill& front = hills.back();
  const std::vector<double> firs = {18.0, 31.0, 214.0, 228.0, 239.0};
  for (std::size_t i = 0; i < firs.size(); ++i) {
    const double x = firs[i];
    const double height = 26.0 + 14.0 * Hash(static_cast<std::int32_t>(i), 7, kSeed);
    canvas.Paint(Fir({x, front.base + WaveHeight(front.shape, x) + 4.0}, height), front.colour);
  }
  return canvas;
}

Canvas DrawStarryLake() {
  constexpr int kWidth = 229;
  constexpr int kHeight = 400;
  constexpr double kShore = 318.0;  // the water line
  constexpr std::uint32_t kSeed = 41;
  Canvas canvas(kWidth, kHeight);
  const std::vector<ColourStop> sky = {
      {0.00, FromBytes(4, 8, 30)},
      {0.45, FromBytes(12, 26, 72)},
      {0.78, FromBytes(30, 62, 110)},
  };
  // The band of the galaxy, from lower left to upper right.
  const Point bandFrom{0.0, 250.0};
  const Point bandTo{kWidth, 30.0};
  const double bandDx = bandTo.x - bandFrom.x;
  const double bandDy = bandTo.y - bandFrom.y;
  const double bandLength = std::sqrt(bandDx * bandDx + bandDy * bandDy);
  const auto bandDistance = [&](Point p) {
    return ((p.x - bandFrom.x) * bandDy - (p.y - bandFrom.y) * bandDx) / bandLength;
  };
  canvas.Fill([&](Point p) {
    Rgb colour = Ramp(sky, p.y / kHeight);
    const double band = Bump(bandDistance(p) / 48.0) * Clouds(p.x / 26.0, p.y / 26.0, kSeed, 4);
    colour = Add(colour, Scale(FromBytes(90, 96, 150), 0.32 * band));
    return Grain(colour, p, kSeed, 0.05);
  });

  const Point moon{162.0, 76.0};
  constexpr double kMoonRadius = 24.0;
  constexpr double kMoonClearance = kMoonRadius + 9.0;

  // Stars: scattered, and thicker along the band.
  constexpr int kStars = 260;
  for (int i = 0; i < kStars; ++i) {
    const double x = Hash(i, 1, kSeed) * kWidth;
    const double y = Hash(i, 2, kSeed) * (kShore - 30.0);
    const double bright = Hash(i, 3, kSeed);
    const double inBand = Bump(bandDistance({x, y}) / 55.0);
    const double fromMoon = std::sqrt((x - moon.x) * (x - moon.x) + (y - moon.y) * (y - moon.y));
    if (Hash(i, 4, kSeed) > 0.45 + 0.55 * inBand || fromMoon < kMoonClearance) {
      continue;
    }
    const Rgb tint = Mix(FromBytes(200, 220, 255), FromBytes(255, 240, 200), Hash(i, 5, kSeed));
    const double radius = 0.35 + 0.95 * bright * bright * bright;
    canvas.Paint(Circle({x, y}, radius), tint, 0.45 + 0.55 * bright);
    constexpr double kTwinkleFrom = 0.94;
    if (bright > kTwinkleFrom) {
      const double arm = 5.0 + 4.0 * Hash(i, 6, kSeed);
      canvas.Glow(Circle({x, y}, radius), tint, 2.0, 0.4);
      canvas.Paint(Strokes({{{x - arm, y}, {x + arm, y}}, {{x, y - arm}, {x, y + arm}}}, 0.35),
                   tint, 0.55);
    }
  }

  // A crescent moon with its dark side faintly lit.
  const Shape full = Circle(moon, kMoonRadius);
  canvas.Glow(full, FromBytes(240, 232, 190), 12.0, 0.3);
  canvas.Paint(full, FromBytes(44, 54, 86), 0.75);
  const Shape crescent = Difference(full, Circle({moon.x - 10.0, moon.y - 6.0}, kMoonRadius - 1.0));
  canvas.Paint(crescent, [&](Point p) {
    const double shade = Clouds(p.x / 6.0, p.y / 6.0, kSeed + 1, 2);
    return Mix(FromBytes(255, 248, 220), FromBytes(226, 216, 180), shade);
  });

  // Mountains on the far shore, mirrored in the lake.
  struct Range {
    double base;
    std::vector<Wave> shape;
    Rgb colour;
  };
  const std::vector<Range> ranges = {
      {292.0, {{18.0, 150.0, 60.0}, {7.0, 53.0, 200.0}}, FromBytes(28, 46, 88)},
      {306.0, {{10.0, 210.0, 300.0}, {5.0, 41.0, 10.0}}, FromBytes(14, 24, 54)},
  };
  for (const Range& r : ranges) {
    canvas.Paint(BelowRidge(Ridge(r.base, r.shape, kWidth), kShore), r.colour);
  }
  canvas.Paint(Box({0.0, kShore, kWidth, kHeight + 1.0}), [&](Point p) {
    const double depth = (p.y - kShore) / (kHeight - kShore);
    return Mix(FromBytes(22, 46, 92), FromBytes(4, 10, 30), SmoothStep(0.0, 1.0, depth));
  });
  for (const Range& r : ranges) {
    std::vector<Point> mirrored;
    for (const Point& p : Ridge(r.base, r.shape, kWidth)) {
      mirrored.push_back({p.x, 2.0 * kShore - p.y});
    }
    canvas.Paint(BelowRidge(std::move(mirrored), kShore), r.colour, 0.55);
  }

  // The moon's path on the water: glints scattered about a line below it, widening towards
  // the near shore and fading away from the middle.
  canvas.Glow(Box({moon.x - 1.0, kShore + 2.0, moon.x + 1.0, kHeight - 12.0}),
              FromBytes(120, 130, 150), 6.0, 0.12);
  constexpr int kGlints = 70;
  for (int i = 0; i < kGlints; ++i) {
    const double t = Hash(i, 8, kSeed);
    const double y = kShore + 3.0 + t * t * (kHeight - kShore - 8.0);
    const double spread = 4.0 + 18.0 * t;
    const double offset = (Hash(i, 9, kSeed) - 0.5) * 2.0 * spread;
    const double half = 1.0 + 3.5 * Hash(i, 10, kSeed) * (0.4 + t);
    const double x = moon.x + offset;
    const double fade = 1.0 - std::fabs(offset) / spread;
    canvas.Paint(Strokes({{{x - half, y}, {x + half, y}}}, 0.45 + 0.25 * t),
                 FromBytes(250, 236, 190), (0.35 + 0.5 * fade) * (1.0 - 0.35 * t));
  }
  canvas.Paint(Box({0.0, kShore - 0.5, kWidth, kShore + 0.5}), FromBytes(70, 100, 150), 0.4);

  // Near shore with firs, dark against the water.
  const Rgb shoreColour = FromBytes(5, 10, 22);
  canvas.Paint(Polygon({{-2.0, 338.0},
                        {30.0, 352.0},
                        {62.0, 372.0},
                        {84.0, 392.0},
                        {92.0, kHeight + 2.0},
                        {-2.0, kHeight + 2.0}}),
               shoreColour);
  canvas.Paint(Polygon({{kWidth + 2.0, 366.0},
                        {212.0, 374.0},
                        {196.0, 390.0},
                        {188.0, kHeight + 2.0},
                        {kWidth + 2.0, kHeight + 2.0}}),
               shoreColour);
  struct Tree {
    double x;
    double foot;
    double height;
  };
  const std::vector<Tree> trees = {
      {10.0, 348.0, 92.0}, {28.0, 356.0, 70.0},  {46.0, 366.0, 52.0},
      {64.0, 380.0, 36.0}, {220.0, 374.0, 58.0}, {206.0, 384.0, 40.0},
  };
  for (const Tree& t : trees) {
    canvas.Paint(Fir({t.x, t.foot}, t.height), shoreColour);
  }
  return canvas;
}

}  // namespace art
