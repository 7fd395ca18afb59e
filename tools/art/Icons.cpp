#include <vector>

#include "Artwork.h"
#include "ImageFiles.h"
#include "Numbers.h"

// Icons are drawn straight in the palette's colours; anti-aliased edges between two of them land
// on a neighbouring palette colour, which reads as a smooth edge at this size.
namespace art {
namespace {

constexpr Rgb kBlack = FromBytes(0, 0, 0);
constexpr Rgb kNavy = FromBytes(0, 0, 128);
constexpr Rgb kBlue = FromBytes(0, 0, 255);
constexpr Rgb kGreen = FromBytes(0, 128, 0);
constexpr Rgb kTeal = FromBytes(0, 128, 128);
constexpr Rgb kLime = FromBytes(0, 255, 0);
constexpr Rgb kYellow = FromBytes(255, 255, 0);
constexpr Rgb kOlive = FromBytes(128, 128, 0);
constexpr Rgb kRed = FromBytes(255, 0, 0);
constexpr Rgb kWhite = FromBytes(255, 255, 255);

// The centre of the hot-spot pixel, the one just right of and below the middle.
constexpr int kHotPixel = kIconSize / 2;
constexpr Point kHotSpot{kHotPixel + 0.5, kHotPixel + 0.5};
// The middle of the whole icon, for pictures that are not pointers.
constexpr Point kMiddle{kIconSize / 2.0, kIconSize / 2.0};

// Pointers need a dark rim to show on light and dark screens alike.
constexpr double kRim = 1.0;

void PaintRimmed(Canvas& canvas, const Shape& shape, Rgb colour) {
  canvas.Paint(Grow(shape, kRim), kBlack);
  canvas.Paint(shape, colour);
}

}  // namespace

Canvas DrawAppIcon() {
  Canvas canvas(kIconSize, kIconSize);
  constexpr double kRadius = 14.6;
  constexpr double kBand = 4.0;  // half width of the teal band between blue and green
  const Shape disc = Circle(kMiddle, kRadius);
  canvas.Paint(Grow(disc, 1.0), kNavy);
  // Blue above the diagonal, green below: the fade in the palette's colours.
  canvas.Paint(disc, [](Point p) {
    const double along = (p.x - kMiddle.x) + (p.y - kMiddle.y);
    return along < -kBand ? kBlue : (along < kBand ? kTeal : kGreen);
  });
  // Thickened so that the sparkle's points survive at this size.
  canvas.Paint(Grow(Astroid(kMiddle, 11.5), 0.7), kWhite);
  canvas.Paint(Grow(Astroid({23.5, 8.5}, 4.0), 0.5), kYellow);
  return canvas;
}

Canvas DrawTargetPointer() {
  Canvas canvas(kIconSize, kIconSize);
  constexpr double kRingRadius = 8.0;
  constexpr double kTickFrom = 4.0;
  constexpr double kTickTo = 13.0;
  const Point c = kHotSpot;
  const Shape ring = Ring(c, kRingRadius, 0.6);
  const Shape ticks = Strokes({{{c.x - kTickTo, c.y}, {c.x - kTickFrom, c.y}},
                               {{c.x + kTickFrom, c.y}, {c.x + kTickTo, c.y}},
                               {{c.x, c.y - kTickTo}, {c.x, c.y - kTickFrom}},
                               {{c.x, c.y + kTickFrom}, {c.x, c.y + kTickTo}}},
                              0.5);
  canvas.Paint(Grow(ring, kRim), kBlack);
  canvas.Paint(Grow(ticks, kRim), kBlack);
  canvas.Paint(ring, kLime);
  canvas.Paint(ticks, kWhite);
  PaintRimmed(canvas, Box({c.x - 0.5, c.y - 0.5, c.x + 0.5, c.y + 0.5}), kRed);
  return canvas;
}

Canvas DrawStarIcon() {
  Canvas canvas(kIconSize, kIconSize);
  constexpr int kPoints = 5;
  constexpr double kOuter = 14.5;
  constexpr double kInner = 6.2;
  const Point c{kMiddle.x, kMiddle.y + 1.0};
  std::vector<Point> corners;
  for (int i = 0; i < 2 * kPoints; ++i) {
    const double a = Degrees(-90.0 + 180.0 * i / kPoints);
    const double r = i % 2 == 0 ? kOuter : kInner;
    corners.push_back({c.x + r * Cosine(a), c.y + r * Sine(a)});
  }
  const Shape star = Polygon(std::move(corners));
  canvas.Paint(Grow(star, 1.0), kBlack);
  // Lit from the upper left: the far half in a darker gold.
  canvas.Paint(star, [&](Point p) { return (p.x - c.x) + (p.y - c.y) > 3.0 ? kOlive : kYellow; });
  canvas.Paint(Circle({c.x - 3.0, c.y - 3.0}, 1.4), kWhite);
  return canvas;
}

Canvas DrawClickPointer() {
  Canvas canvas(kIconSize, kIconSize);
  const Point tip{kIconSize / 2.0, kIconSize / 2.0};  // the hot-spot pixel's top left corner
  // An arrow leaning up and left, its tip on the hot spot.
  const std::vector<Point> arrow = {{0.0, 0.0},  {0.0, 13.0}, {3.4, 10.2}, {5.8, 15.4},
                                    {8.0, 14.4}, {5.6, 9.3},  {9.8, 9.3}};
  std::vector<Point> corners;
  corners.reserve(arrow.size());
  for (const Point& p : arrow) {
    corners.push_back({tip.x + 0.1 + p.x, tip.y + 0.1 + p.y});
  }
  // Click marks: short strokes bursting away from the tip.
  constexpr double kBurstFrom = 4.0;
  constexpr double kBurstTo = 9.0;
  std::vector<std::vector<Point>> burst;
  for (const double degrees : {180.0, 225.0, 270.0, 135.0, 315.0}) {
    const double a = Degrees(degrees);
    burst.push_back({{kHotSpot.x + kBurstFrom * Cosine(a), kHotSpot.y + kBurstFrom * Sine(a)},
                     {kHotSpot.x + kBurstTo * Cosine(a), kHotSpot.y + kBurstTo * Sine(a)}});
  }
  PaintRimmed(canvas, Strokes(std::move(burst), 0.6), kYellow);
  PaintRimmed(canvas, Polygon(std::move(corners)), kWhite);
  return canvas;
}

Canvas DrawHostIcon() {
  Canvas canvas(kIconSize, kIconSize);
  // A speech balloon with three dots on a teal tile: a chat room, not Zibbet's sparkle.
  const Shape tile = Box({1.0, 1.0, 31.0, 31.0}, 5.0);
  canvas.Paint(Grow(tile, 0.5), kNavy);
  canvas.Paint(tile, kTeal);
  const Shape balloon =
      Union(Box({5.0, 6.0, 27.0, 21.0}, 4.0), Polygon({{9.0, 20.0}, {15.0, 20.0}, {8.0, 27.0}}));
  canvas.Paint(Grow(balloon, 1.0), kBlack);
  canvas.Paint(balloon, kWhite);
  for (const double x : {10.5, 16.0, 21.5}) {
    canvas.Paint(Circle({x, 13.5}, 2.0), kBlue);
  }
  return canvas;
}

}  // namespace art
