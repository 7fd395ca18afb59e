#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A small raster for drawing the program's pictures and icons: colours in [0, 1] per channel with
// coverage, shapes given by signed distance so that every edge comes out anti-aliased.
namespace art {

struct Rgb {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

constexpr Rgb FromBytes(int r, int g, int b) {
  constexpr double kFull = 255.0;
  return {r / kFull, g / kFull, b / kFull};
}

Rgb Mix(Rgb from, Rgb to, double t);
Rgb Scale(Rgb colour, double factor);
Rgb Add(Rgb a, Rgb b);
// Luma (Rec. 601 weights on the gamma-encoded channels): whether white text stays readable.
double Luma(Rgb colour);

struct Rgb8 {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

Rgb8 ToBytes(Rgb colour);  // rounded to nearest, clamped

struct Point {
  double x = 0.0;
  double y = 0.0;
};

struct Bounds {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  Bounds Grown(double margin) const;
  Bounds Joined(const Bounds& other) const;
};

// A region of the plane: the signed distance to its edge in pixels (negative inside), and a
// rectangle outside which the region certainly is not.
class Shape {
 public:
  using Distance = std::function<double(Point)>;

  Shape(Bounds bounds, Distance distance);

  double DistanceAt(Point p) const { return distance_(p); }
  const Bounds& bounds() const { return bounds_; }

 private:
  Bounds bounds_;
  Distance distance_;
};

Shape Circle(Point centre, double radius);
Shape Ellipse(Point centre, double radiusX, double radiusY);
Shape Ring(Point centre, double radius, double halfWidth);
Shape Box(Bounds box, double cornerRadius = 0.0);
// A four-pointed star with concave sides: the program's sparkle motif.
Shape Astroid(Point centre, double radius);
// Any simple polygon, corners in order.
Shape Polygon(std::vector<Point> corners);
// Polylines of the given half width with round ends and joins; a one-point line is a dot.
Shape Strokes(std::vector<std::vector<Point>> lines, double halfWidth);
Shape Union(Shape a, Shape b);
Shape Difference(Shape a, Shape minus);
Shape Intersection(Shape a, Shape b);
Shape Offset(Shape shape, double dx, double dy);
Shape Grow(Shape shape, double margin);
// The band of the given half width along the shape's edge.
Shape Outline(Shape shape, double halfWidth);

// A colour ramp: stops in increasing order of position; clamped at both ends.
struct ColourStop {
  double at = 0.0;
  Rgb colour;
};
Rgb Ramp(const std::vector<ColourStop>& stops, double t);

using Shader = std::function<Rgb(Point)>;

class Canvas {
 public:
  // Fully transparent.
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  Rgb ColourAt(int x, int y) const;
  double AlphaAt(int x, int y) const;
  Rgb8 Pixel(int x, int y) const { return ToBytes(ColourAt(x, y)); }

  void Set(int x, int y, Rgb colour, double alpha = 1.0);
  // Lays amount of colour over the pixel (source over).
  void Blend(int x, int y, Rgb colour, double amount);

  // Every pixel opaque, from the shader at the pixel's centre.
  void Fill(const Shader& shader);
  // Recolours every opaque or partly covered pixel from its present colour and centre.
  void Filter(const std::function<Rgb(Rgb, Point)>& filter);

  void Paint(const Shape& shape, Rgb colour, double opacity = 1.0);
  void Paint(const Shape& shape, const Shader& shader, double opacity = 1.0);
  // Light around a shape: strength at its edge, fading to nothing within a few reaches.
  void Glow(const Shape& shape, Rgb colour, double reach, double strength);

 private:
  template <typename Amount, typename Colour>
  void Cover(const Bounds& bounds, Amount amount, Colour colour);

  std::size_t Index(int x, int y) const;

  int width_;
  int height_;
  std::vector<Rgb> colour_;
  std::vector<double> alpha_;
};

}  // namespace art
