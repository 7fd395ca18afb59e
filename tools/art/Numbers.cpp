#include "Numbers.h"

#include <cmath>

namespace art {
namespace {

constexpr int kSineTerms = 9;  // last term below 1e-11 on [-pi/2, pi/2]

std::uint32_t Mix32(std::uint32_t v) {
  // Integer avalanche (xor-shift-multiply); constants from a published low-bias search.
  v ^= v >> 16U;
  v *= 0x7feb352dU;
  v ^= v >> 15U;
  v *= 0x846ca68bU;
  v ^= v >> 16U;
  return v;
}

double Fade(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double Sine(double radians) {
  const double turn = 2.0 * kPi;
  double x = radians - std::floor(radians / turn + 0.5) * turn;
  if (x > kPi / 2.0) {
    x = kPi - x;
  } else if (x < -kPi / 2.0) {
    x = -kPi - x;
  }
  const double square = x * x;
  double term = x;
  double sum = x;
  for (int n = 1; n <= kSineTerms; ++n) {
    term *= -square / static_cast<double>((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double Cosine(double radians) { return Sine(radians + kPi / 2.0); }

double Degrees(double degrees) {
  constexpr double kHalfTurn = 180.0;
  return degrees * kPi / kHalfTurn;
}

double Clamp01(double value) { return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value); }

double Lerp(double from, double to, double t) { return from + (to - from) * t; }

double SmoothStep(double edge0, double edge1, double value) {
  return Fade(Clamp01((value - edge0) / (edge1 - edge0)));
}

double Bump(double value) {
  const double t = Clamp01(1.0 - std::fabs(value));
  return Fade(t);
}

double Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  constexpr std::uint32_t kRow = 0x9e3779b1U;
  constexpr std::uint32_t kSeed = 0x85ebca77U;
  const std::uint32_t h = Mix32(static_cast<std::uint32_t>(x) ^
                                Mix32(static_cast<std::uint32_t>(y) * kRow + seed * kSeed));
  constexpr double kScale = 1.0 / 4294967296.0;
  return static_cast<double>(h) * kScale;
}

double ValueNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto ix = static_cast<std::int32_t>(fx);
  const auto iy = static_cast<std::int32_t>(fy);
  const double tx = Fade(x - fx);
  const double ty = Fade(y - fy);
  const double top = Lerp(Hash(ix, iy, seed), Hash(ix + 1, iy, seed), tx);
  const double bottom = Lerp(Hash(ix, iy + 1, seed), Hash(ix + 1, iy + 1, seed), tx);
  return Lerp(top, bottom, ty);
}

double Clouds(double x, double y, std::uint32_t seed, int octaves) {
  double sum = 0.0;
  double weight = 0.5;
  double total = 0.0;
  double scale = 1.0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * ValueNoise(x * scale, y * scale, seed + static_cast<std::uint32_t>(i));
    total += weight;
    weight *= 0.5;
    scale *= 2.0;
  }
  return sum / total;
}

}  // namespace art
