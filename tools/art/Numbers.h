#pragma once

#include <cstdint>

// Arithmetic for the drawings, built only from operations IEEE 754 rounds exactly (+ - * /, sqrt,
// floor) and no library transcendentals, so a picture comes out byte for byte the same whatever
// compiler and C library build the generator.
namespace art {

inline constexpr double kPi = 3.14159265358979323846;

double Sine(double radians);
double Cosine(double radians);
double Degrees(double degrees);  // to radians

double Clamp01(double value);
double Lerp(double from, double to, double t);
// 0 below edge0, 1 above edge1, an S-curve between (either order of the edges).
double SmoothStep(double edge0, double edge1, double value);
// 1 at 0, falling to 0 at |value| >= 1, flat at both ends.
double Bump(double value);

// Uniform in [0, 1) for a lattice point: the grain for stars and texture.
double Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Smoothly varying in [0, 1], one feature per unit.
double ValueNoise(double x, double y, std::uint32_t seed);
// A few octaves of value noise, still in [0, 1].
double Clouds(double x, double y, std::uint32_t seed, int octaves);

}  // namespace art
