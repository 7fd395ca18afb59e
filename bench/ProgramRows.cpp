// Zibbet.exe against the practice host: start-up, the clicks to their banners, memory, the idle
// processor time and the way out through X.
#include <windows.h>

#include <psapi.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Clocks.h"
#include "Programs.h"
#include "Table.h"
#include "console/MainWindow.h"
#include "formkit/Program.h"
#include "winkit/Handles.h"
#include "winkit/MessagePump.h"

namespace bench {
namespace {

using practicehost::HostProcess;
using practicehost::LogEntry;

constexpr int kRuns = 5;
constexpr double kTickSeconds = 60;  // the console's timer, started by ON
constexpr double kIdleSeconds = 55;  // measured from ON: stops before the tick
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

// The console's ON label.
constexpr std::string_view kOnLabel = "Label6";

struct Closes {
  int tried = 0;
  std::vector<double> toExit;  // seconds from the click on X, for the runs that ended
};

void Close(const HostProcess& host, const Zibbet& zibbet, HWND console, Closes& closes) {
  ++closes.tried;
  if (const std::optional<double> seconds = CloseByX(host, zibbet, console)) {
    closes.toExit.push_back(*seconds);
  }
}

double PeakWorkingSetMiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters) == FALSE) {
    throw std::runtime_error("GetProcessMemoryInfo failed");
  }
  return static_cast<double>(counters.PeakWorkingSetSize) / kBytesPerMiB;
}

// Runs Zibbet kRuns times up to its loaded console: start-up and load times, peak working set.
void StartAndLoad(Table& table, const HostProcess& host, Closes& closes) {
  std::vector<double> toSplash;
  std::vector<double> toLoaded;
  std::vector<double> toAnswering;
  std::vector<double> peaks;
  for (int run = 0; run < kRuns; ++run) {
    const Zibbet zibbet;
    const Opening opening = OpenConsole(host, zibbet);
    toSplash.push_back(opening.toSplash);
    toLoaded.push_back(opening.toLoaded);
    toAnswering.push_back(opening.toAnswering);
    peaks.push_back(PeakWorkingSetMiB(zibbet.Handle()));
    Close(host, zibbet, opening.console, closes);
  }
  table.Row("Zibbet.exe start to splash shown: median", MedianMs(toSplash), SpreadMs(toSplash));
  table.Row("splash click to loaded banner: median", MedianMs(toLoaded), SpreadMs(toLoaded));
  table.Row("splash click to console taking input: median", MedianMs(toAnswering),
            "< 200 ms with a window manager");
  table.Row("peak working set, console loaded: median", Format("%.1f MiB", Median(peaks)),
            Format("(practice host: %.1f MiB)", PeakWorkingSetMiB(OpenHost(host).Get())));
}

// ON, then a real minute: Zibbet's processor share until just before the first tick, then the
// tick's two banners, then X.
void IdleMinute(Table& table, const HostProcess& host, Closes& closes) {
  const Zibbet zibbet;
  const HWND console = OpenConsole(host, zibbet).console;
  const Click on = ClickForBanner(host, console, kOnLabel, console::kNowIdleBanner);
  const std::size_t seen = host.ReadLog().size();

  const winkit::UniqueHandle hostProcess = OpenHost(host);
  const double zibbetCpu = ProcessorSeconds(zibbet.Handle());
  const double hostCpu = ProcessorSeconds(hostProcess.Get());
  const auto start = Clock::now();
  winkit::PumpFor(static_cast<DWORD>(1e3 * (kIdleSeconds - SecondsSince(on.at))));
  const double wall = SecondsSince(start);
  // Wine counts another process's time in 10 ms steps: the milliseconds show the resolution.
  const auto share = [&](double cpu) {
    return Format("%.3f %% (%.0f ms / %.0f s)", 100 * cpu / wall, 1e3 * cpu, wall);
  };
  table.Row("Zibbet.exe idling, console ON: processor",
            share(ProcessorSeconds(zibbet.Handle()) - zibbetCpu), "under 0.1 % of one core");
  table.Row("practice host over the same span",
            share(ProcessorSeconds(hostProcess.Get()) - hostCpu), "(answers the scanner's reads)");

  const int tickTimeoutMs = static_cast<int>(1e3 * (kTickSeconds - SecondsSince(on.at))) + kStepMs;
  // The first minute, with the away message the console starts with.
  const std::u16string firstMinute =
      console::MinuteBanner(ControlOf(formkit::FormId::Form1, "Text2").text, u"1");
  const std::optional<LogEntry> tick =
      WaitForSaid(host, seen, console::kIdleTickBanner, tickTimeoutMs);
  const std::optional<LogEntry> minute = WaitForSaid(host, seen, firstMinute);
  if (tick && minute) {
    table.Row("the tick's banners after ON",
              Format("2 banners, %.1f s", SecondsBetween(on.epochMs, minute->t)),
              Format("2, ~61 s after ON (1st: %.1f s)", SecondsBetween(on.epochMs, tick->t)));
  } else {
    table.Row("the tick's banners after ON",
              Format("%d banners", (tick ? 1 : 0) + (minute ? 1 : 0)),
              "2, ~61 s after ON: MISSING");
  }
  Close(host, zibbet, console, closes);
}

void Program(Table& table) {
  const HostProcess host;
  Closes closes;
  StartAndLoad(table, host, closes);
  IdleMinute(table, host, closes);
  const auto ended = static_cast<int>(closes.toExit.size());
  table.Row("X: unloaded banner, then Zibbet.exe exits",
            Format("%d of %d, median %.0f ms", ended, closes.tried, 1e3 * Median(closes.toExit)),
            ended == closes.tried ? "every run, < 200 ms" : "EXIT FAILED");
}

}  // namespace

void ProgramRows(Table& table) { table.Section("Zibbet.exe", Program); }

}  // namespace bench
