#include "formkit/Wait.h"

#include <cmath>

namespace formkit {

double WaitLength(double timeOfDay, int seconds) {
  // The time of day is a single-precision value; the start is rounded from that, halves to even
  // (the default rounding mode), so the end falls between n - 0.5 and n + 0.5 s from now.
  const auto now = static_cast<float>(timeOfDay);
  const double start = std::nearbyint(static_cast<double>(now));
  return start + static_cast<double>(seconds) - static_cast<double>(now);
}

void WaitSeconds(WaitHost& host, int seconds) {
  const double length = WaitLength(host.TimeOfDay(), seconds);
  if (length <= 0) {
    return;
  }
  const double deadline = host.Monotonic() + length;
  for (;;) {
    const double remaining = deadline - host.Monotonic();
    if (remaining <= 0) {
      return;
    }
    if (!host.PumpMessages(remaining)) {
      return;
    }
  }
}

}  // namespace formkit
