#include "winkit/MessageWait.h"

#include <cmath>
#include <limits>

namespace winkit {

double MessageWait::TimeOfDay() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  constexpr double kSecondsPerHour = 3600;
  constexpr double kSecondsPerMinute = 60;
  constexpr double kMillisecondsPerSecond = 1000;
  return now.wHour * kSecondsPerHour + now.wMinute * kSecondsPerMinute + now.wSecond +
         now.wMilliseconds / kMillisecondsPerSecond;
}

double MessageWait::Monotonic() { return MonotonicSeconds(); }

double MonotonicSeconds() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER count{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool MessageWait::PumpMessages(double maxSeconds) {
  constexpr double kMillisecondsPerSecond = 1000;
  const double wanted = std::ceil(maxSeconds * kMillisecondsPerSecond);
  const auto limit = static_cast<double>(std::numeric_limits<DWORD>::max() - 1);
  const DWORD timeout = wanted <= 0 ? 0 : static_cast<DWORD>(wanted < limit ? wanted : limit);
  return PumpOne(timeout, preTranslate_) != Pumped::Quit;
}

}  // namespace winkit
