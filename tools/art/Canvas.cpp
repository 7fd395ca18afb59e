#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "Numbers.h"

namespace art {
namespace {

double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
Point Minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
double Length(Point v) { return std::sqrt(Dot(v, v)); }

double SegmentDistance(Point p, Point a, Point b) {
  const Point ap = Minus(p, a);
  const Point ab = Minus(b, a);
  const double span = Dot(ab, ab);
  const double t = span > 0.0 ? Clamp01(Dot(ap, ab) / span) : 0.0;
  return Length({ap.x - ab.x * t, ap.y - ab.y * t});
}

Bounds Around(const std::vector<Point>& points) {
  Bounds b{points.front().x, points.front().y, points.front().x, points.front().y};
  for (const Point& p : points) {
    b = b.Joined({p.x, p.y, p.x, p.y});
  }
  return b;
}

// Area of a pixel inside an edge at signed distance d from its centre, for straight edges.
double Coverage(double distance) { return Clamp01(0.5 - distance); }

// Beyond this many reaches a glow adds less than one step of an 8-bit channel.
constexpr double kGlowExtent = 5.0;

}  // namespace

Rgb Mix(Rgb from, Rgb to, double t) {
  return {Lerp(from.r, to.r, t), Lerp(from.g, to.g, t), Lerp(from.b, to.b, t)};
}

Rgb Scale(Rgb colour, double factor) {
  return {colour.r * factor, colour.g * factor, colour.b * factor};
}

Rgb Add(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

double Luma(Rgb colour) {
  constexpr double kRed = 0.299;
  constexpr double kGreen = 0.587;
  constexpr double kBlue = 0.114;
  return kRed * colour.r + kGreen * colour.g + kBlue * colour.b;
}

Rgb8 ToBytes(Rgb colour) {
  constexpr double kFull = 255.0;
  const auto byte = [](double v) {
    return static_cast<std::uint8_t>(std::floor(Clamp01(v) * kFull + 0.5));
  };
  return {byte(colour.r), byte(colour.g), byte(colour.b)};
}

Bounds Bounds::Grown(double margin) const {
  return {left - margin, top - margin, right + margin, bottom + margin};
}

Bounds Bounds::Joined(const Bounds& other) const {
  return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
          std::max(bottom, other.bottom)};
}

Shape::Shape(Bounds bounds, Distance distance) : bounds_(bounds), distance_(std::move(distance)) {}

Shape Circle(Point centre, double radius) {
  return Shape({centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius},
               [=](Point p) { return Length(Minus(p, centre)) - radius; });
}

Shape Ellipse(Point centre, double radiusX, double radiusY) {
  // Distance estimate from the gradient of the implicit form: exact on the axes, close elsewhere.
  return Shape({centre.x - radiusX, centre.y - radiusY, centre.x + radiusX, centre.y + radiusY},
               [=](Point p) {
                 const Point q = Minus(p, centre);
                 const double k0 = Length({q.x / radiusX, q.y / radiusY});
                 const double k1 = Length({q.x / (radiusX * radiusX), q.y / (radiusY * radiusY)});
                 if (k1 == 0.0) {
                   return -std::min(radiusX, radiusY);
                 }
                 return k0 * (k0 - 1.0) / k1;
               });
}

Shape Ring(Point centre, double radius, double halfWidth) {
  const double outer = radius + halfWidth;
  return Shape({centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer},
               [=](Point p) { return std::fabs(Length(Minus(p, centre)) - radius) - halfWidth; });
}

Shape Box(Bounds box, double cornerRadius) {
  const Point centre{(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0};
  const Point half{(box.right - box.left) / 2.0 - cornerRadius,
                   (box.bottom - box.top) / 2.0 - cornerRadius};
  return Shape(box, [=](Point p) {
    const Point q{std::fabs(p.x - centre.x) - half.x, std::fabs(p.y - centre.y) - half.y};
    const double outside = Length({std::max(q.x, 0.0), std::max(q.y, 0.0)});
    const double inside = std::min(std::max(q.x, q.y), 0.0);
    return outside + inside - cornerRadius;
  });
}

Shape Astroid(Point centre, double radius) {
  constexpr int kCorners = 72;
  std::vector<Point> corners;
  for (int i = 0; i < kCorners; ++i) {
    const double a = 2.0 * kPi * i / kCorners;
    const double c = Cosine(a);
    const double s = Sine(a);
    corners.push_back({centre.x + radius * c * c * c, centre.y + radius * s * s * s});
  }
  return Polygon(std::move(corners));
}

Shape Polygon(std::vector<Point> corners) {
  if (corners.size() < 3) {
    throw std::invalid_argument("a polygon needs three corners");
  }
  const Bounds bounds = Around(corners);
  return {
      bounds, [corners = std::move(corners)](Point p) {
        double nearest = Dot(Minus(p, corners.front()), Minus(p, corners.front()));
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
          const Point a = corners[i];
          const Point b = corners[j];
          const double d = SegmentDistance(p, a, b);
          nearest = std::min(nearest, d * d);
          // Even-odd rule: count the edges crossed by a ray to the right.
          if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
          }
        }
        const double d = std::sqrt(nearest);
        return inside ? -d : d;
      }};
}

Shape Strokes(std::vector<std::vector<Point>> lines, double halfWidth) {
  Bounds bounds{};
  bool first = true;
  for (const auto& line : lines) {
    if (line.empty()) {
      throw std::invalid_argument("a stroke needs a point");
    }
    bounds = first ? Around(line) : bounds.Joined(Around(line));
    first = false;
  }
  if (first) {
    throw std::invalid_argument("no strokes");
  }
  return {bounds.Grown(halfWidth), [lines = std::move(lines), halfWidth](Point p) {
            double nearest = Length(Minus(p, lines.front().front()));
            for (const auto& line : lines) {
              if (line.size() == 1) {
                nearest = std::min(nearest, Length(Minus(p, line.front())));
              }
              for (std::size_t i = 1; i < line.size(); ++i) {
                nearest = std::min(nearest, SegmentDistance(p, line[i - 1], line[i]));
              }
            }
            return nearest - halfWidth;
          }};
}

Shape Union(Shape a, Shape b) {
  const Bounds bounds = a.bounds().Joined(b.bounds());
  return {bounds, [a = std::move(a), b = std::move(b)](Point p) {
            return std::min(a.DistanceAt(p), b.DistanceAt(p));
          }};
}

Shape Difference(Shape a, Shape minus) {
  const Bounds bounds = a.bounds();
  return {bounds, [a = std::move(a), minus = std::move(minus)](Point p) {
            return std::max(a.DistanceAt(p), -minus.DistanceAt(p));
          }};
}

Shape Intersection(Shape a, Shape b) {
  const Bounds& x = a.bounds();
  const Bounds& y = b.bounds();
  const Bounds bounds{std::max(x.left, y.left), std::max(x.top, y.top), std::min(x.right, y.right),
                      std::min(x.bottom, y.bottom)};
  return {bounds, [a = std::move(a), b = std::move(b)](Point p) {
            return std::max(a.DistanceAt(p), b.DistanceAt(p));
          }};
}

Shape Offset(Shape shape, double dx, double dy) {
  const Bounds& b = shape.bounds();
  const Bounds bounds{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
  return Shape(bounds, [shape = std::move(shape), dx, dy](Point p) {
    return shape.DistanceAt({p.x - dx, p.y - dy});
  });
}

Shape Grow(Shape shape, double margin) {
  const Bounds bounds = shape.bounds().Grown(margin);
  return {bounds,
          [shape = std::move(shape), margin](Point p) { return shape.DistanceAt(p) - margin; }};
}

Shape Outline(Shape shape, double halfWidth) {
  const Bounds bounds = shape.bounds().Grown(halfWidth);
  return {bounds, [shape = std::move(shape), halfWidth](Point p) {
            return std::fabs(shape.DistanceAt(p)) - halfWidth;
          }};
}

Rgb Ramp(const std::vector<ColourStop>& stops, double t) {
  if (stops.empty()) {
    throw std::invalid_argument("a ramp needs a stop");
  }
  if (t <= stops.front().at) {
    return stops.front().colour;
  }
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t < stops[i].at) {
      const ColourStop& a = stops[i - 1];
      const ColourStop& b = stops[i];
      return Mix(a.colour, b.colour, (t - a.at) / (b.at - a.at));
    }
  }
  return stops.back().colour;
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      colour_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      alpha_(colour_.size(), 0.0) {
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("a canvas needs a positive size");
  }
}

std::size_t Canvas::Index(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel outside the canvas");
  }
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
         static_cast<std::size_t>(x);
}

Rgb Canvas::ColourAt(int x, int y) const { return colour_[Index(x, y)]; }

double Canvas::AlphaAt(int x, int y) const { return alpha_[Index(x, y)]; }

void Canvas::Set(int x, int y, Rgb colour, double alpha) {
  const std::size_t i = Index(x, y);
  colour_[i] = colour;
  alpha_[i] = Clamp01(alpha);
}

void Canvas::Blend(int x, int y, Rgb colour, double amount) {
  const std::size_t i = Index(x, y);
  const double a = Clamp01(amount);
  if (a <= 0.0) {
    return;
  }
  const double below = alpha_[i] * (1.0 - a);
  const double total = a + below;
  colour_[i] = {(colour.r * a + colour_[i].r * below) / total,
                (colour.g * a + colour_[i].g * below) / total,
                (colour.b * a + colour_[i].b * below) / total};
  alpha_[i] = total;
}

void Canvas::Fill(const Shader& shader) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      Set(x, y, shader({x + 0.5, y + 0.5}));
    }
  }
}

void Canvas::Filter(const std::function<Rgb(Rgb, Point)>& filter) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t i = Index(x, y);
      if (alpha_[i] > 0.0) {
        colour_[i] = filter(colour_[i], {x + 0.5, y + 0.5});
      }
    }
  }
}

template <typename Amount, typename Colour>
void Canvas::Cover(const Bounds& bounds, Amount amount, Colour colour) {
  const int x0 = std::max(0, static_cast<int>(std::floor(bounds.left)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(bounds.top)) - 1);
  const int x1 = std::min(width_, static_cast<int>(std::ceil(bounds.right)) + 1);
  const int y1 = std::min(height_, static_cast<int>(std::ceil(bounds.bottom)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const Point centre{x + 0.5, y + 0.5};
      const double a = amount(centre);
      if (a > 0.0) {
        Blend(x, y, colour(centre), a);
      }
    }
  }
}

void Canvas::Paint(const Shape& shape, Rgb colour, double opacity) {
  Cover(
      shape.bounds(), [&](Point p) { return opacity * Coverage(shape.DistanceAt(p)); },
      [&](Point) { return colour; });
}

void Canvas::Paint(const Shape& shape, const Shader& shader, double opacity) {
  Cover(
      shape.bounds(), [&](Point p) { return opacity * Coverage(shape.DistanceAt(p)); }, shader);
}

void Canvas::Glow(const Shape& shape, Rgb colour, double reach, double strength) {
  Cover(
      shape.bounds().Grown(kGlowExtent * reach),
      [&](Point p) {
        const double d = std::max(0.0, shape.DistanceAt(p)) / reach;
        const double fall = 1.0 / (1.0 + d * d);
        return strength * fall * fall;
      },
      [&](Point) { return colour; });
}

}  // namespace art
