// Prints a small table of Zibbet's costs, measured in one run under Wine. Ratios compare rows of
// the same run; absolute times on a shared machine are only indicative.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "win32/WindowUtilities.h"

namespace {

using Clock = std::chrono::steady_clock;

double ProcessorSeconds() {
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    ULARGE_INTEGER v{};
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    constexpr double kTicksPerSecond = 1e7;
    return static_cast<double>(v.QuadPart) / kTicksPerSecond;
  };
  return seconds(kernel) + seconds(user);
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor share of a wait: processor seconds over wall seconds.
template <typename Wait>
double ProcessorShare(Wait wait) {
  const double cpu = ProcessorSeconds();
  const auto start = Clock::now();
  wait();
  return (ProcessorSeconds() - cpu) / SecondsSince(start);
}

// A wait that polls the queue without sleeping, for comparison.
void SpinningWait(double seconds) {
  const auto start = Clock::now();
  while (SecondsSince(start) < seconds) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageW(&message);
    }
  }
}

void Row(const char* what, const std::string& value, const char* target) {
  std::printf("| %-44s | %18s | %-22s |\n", what, value.c_str(), target);
}

std::string Format(const char* format, double value) {
  char text[64] = {};
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int main() {
  std::printf("| %-44s | %18s | %-22s |\n", "measure", "value", "target");
  std::printf("|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(20, '-').c_str(),
              std::string(24, '-').c_str());

  const double waitShare = ProcessorShare([] { win32::WaitSeconds(1); });
  const double spinShare = ProcessorShare([] { SpinningWait(1.0); });
  Row("WaitSeconds(1): processor / wall time", Format("%.2f %%", 100 * waitShare), "at most 1 %");
  Row("spinning wait of 1 s: processor / wall time", Format("%.2f %%", 100 * spinShare),
      "(comparison, ~100 %)");

  const std::u16string banner = u"(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)";  // 40 characters
  std::size_t total = 0;
  int calls = 0;
  const auto fadeStart = Clock::now();
  while (SecondsSince(fadeStart) < 0.5) {
    for (int i = 0; i < 1000; ++i) {
      total += fade::FadeText(banner).size();
    }
    calls += 1000;
  }
  const double fadeRate = calls / SecondsSince(fadeStart);
  Row("FadeText, 40-character banner: calls/s", Format("%.0f", fadeRate),
      total > 0 ? "(throughput)" : "");

  {
    practicehost::HostProcess host;
    win32::User32Windows windows;
    const std::u16string markup = fade::FadeText(banner);
    std::vector<double> micros;
    constexpr int kSends = 50;
    for (int i = 0; i < kSends; ++i) {
      const auto start = Clock::now();
      hostwin::SendToChat(windows, markup);
      micros.push_back(1e6 * SecondsSince(start));
    }
    std::sort(micros.begin(), micros.end());
    Row("SendToChat into the practice host: median", Format("%.0f us", micros[micros.size() / 2]),
        "(latency)");
  }
  return 0;
}
