// The two steps that hide windows, whose time depends most on the desktop Zibbet runs on: the
// splash click to the console taking input (the splash hides), and X to the program's end (every
// window hides). bench.sh runs them on a display with a window manager and on one without.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Programs.h"
#include "Table.h"

namespace bench {
namespace {

constexpr int kRuns = 5;
constexpr double kTargetSeconds = 0.2;  // with a window manager, as on a Windows desktop

std::string Target(const std::vector<double>& seconds, bool managed) {
  if (!managed) {
    return "(Wine waits ~2 s on a hide)";
  }
  const bool met = !seconds.empty() && Median(seconds) < kTargetSeconds;
  return met ? "under 200 ms" : "under 200 ms: MISSED";
}

// The private displays have a window manager unless scripts/with-display was asked for a bare
// one; Wine hands the variable down from Linux.
bool Managed() {
  char value[8] = {};
  const DWORD length = GetEnvironmentVariableA("ZIBBET_BARE_DISPLAY", value, sizeof value);
  return length == 0 || length >= sizeof value || std::string(value) != "1";
}

}  // namespace

void DesktopRows(Table& table) {
  const bool managed = Managed();
  const std::string desktop = managed ? "with a WM" : "no WM";
  table.Section("desktop: " + desktop, [&](Table& rows) {
    const practicehost::HostProcess host;
    std::vector<double> toAnswering;
    std::vector<double> toExit;
    for (int run = 0; run < kRuns; ++run) {
      const Zibbet zibbet;
      const Opening opening = OpenConsole(host, zibbet);
      toAnswering.push_back(opening.toAnswering);
      if (const std::optional<double> seconds = CloseByX(host, zibbet, opening.console)) {
        toExit.push_back(*seconds);
      }
    }
    rows.Row("splash click to console input, " + desktop + ": median", MedianMs(toAnswering),
             Target(toAnswering, managed));
    const std::string exits = Format("%zu of %d, ", toExit.size(), kRuns);
    rows.Row("X to Zibbet.exe's exit, " + desktop + ": median", exits + MedianMs(toExit),
             Target(toExit, managed));
  });
}

}  // namespace bench
