#include "fade/Fade.h"

#include <cmath>

namespace fade {
namespace {

constexpr double kSpan = 510.0;  // twice the green range: up to the middle and back
constexpr double kTop = 255.0;
constexpr std::u16string_view kOpen = u"<Font Color=#";

// The default floating-point environment rounds halves to the even neighbour.
long RoundHalfEven(double x) { return std::lrint(x); }

}  // namespace

std::u16string ColorToHex(std::int32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  auto bits = static_cast<std::uint32_t>(value);
  std::u16string hex;
  do {
    hex.insert(hex.begin(), kDigits[bits & 0xFU]);
    bits >>= 4U;
  } while (bits != 0);
  constexpr std::size_t kWidth = 6;
  if (hex.size() < kWidth) {
    hex.insert(0, kWidth - hex.size(), u'0');
  }
  return hex;
}

std::u16string FadeText(std::u16string_view text) {
  const std::size_t length = text.size();
  std::u16string markup;
  constexpr std::size_t kElementLength = 21;
  markup.reserve(kElementLength * length);
  for (std::size_t i = 1; i <= length; ++i) {
    // Quotient first, then the product: the order decides the last bit, and the 44-character
    // banner shows it (its eleventh character lands just above 127.5).
    const double step = kSpan / static_cast<double>(length);
    double x = step * static_cast<double>(i);
    if (x > kTop) {
      x = kTop - (x - kTop);
    }
    const long green = RoundHalfEven(x);
    const long red = RoundHalfEven(kTop - x);
    const auto colour = static_cast<std::int32_t>(red + 256 * green);
    markup += kOpen;
    markup += ColorToHex(colour);
    markup += u'>';
    markup += text[i - 1];
  }
  return markup;
}

}  // namespace fade
