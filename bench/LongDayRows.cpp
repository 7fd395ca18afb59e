// A long day in a room whose client keeps its whole transcript: the scanner, polled on this thread
// as the console polls it, against practice hosts that start with 10 KB, 1 MB and 8 MB of old
// lines. Side by side: how soon the user's trigger is heard, what a quiet room costs the scanner
// and the host, and how long a click waits meanwhile.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Clocks.h"
#include "Scanning.h"
#include "Table.h"
#include "practicehost/testing/HostProcess.h"
#include "winkit/MessagePump.h"

namespace bench {
namespace {

using practicehost::HostProcess;

constexpr DWORD kSettleMs = 3000;
constexpr DWORD kQuietMs = 5000;
constexpr int kTriggers = 20;
constexpr int kTalks = 8;
constexpr DWORD kTalkEveryMs = 400;
// Each change is read with one whole copy, which takes Wine's rich edit about a second at 8 MB.
constexpr int kOneCopyASecond = 4'000'000;

void Day(Table& table, const char* size, int bytes) {
  const HostProcess host(practicehost::Options{.historyBytes = bytes});
  const winkit::UniqueHandle hostProcess = OpenHost(host);
  ScannerRun run(host);
  winkit::PumpFor(kSettleMs);  // the first polls, which take the history

  const double scannerCpu = ProcessorSeconds();
  const double hostCpu = ProcessorSeconds(hostProcess.Get());
  const auto quiet = Clock::now();
  winkit::PumpFor(kQuietMs);
  const double wall = SecondsSince(quiet);
  const double scannerShare = 100 * (ProcessorSeconds() - scannerCpu) / wall;
  const double hostShare = 100 * (ProcessorSeconds(hostProcess.Get()) - hostCpu) / wall;
  table.Row(Format("quiet room, %s transcript: scanner / host processor", size),
            Format("%.2f %% / %.2f %%", scannerShare, hostShare),
            scannerShare + hostShare < 1 ? "together under 1 %" : "OVER 1 %");

  const std::vector<double> latencies =
      run.Latencies(kTriggers, [](int i) { return "tu9vo" + std::string(i % 2, ' '); });
  table.Row(Format("trigger heard, %s transcript: p50 / p95", size),
            Format("%.0f / %.0f ms", Percentile(latencies, 0.5), Percentile(latencies, 0.95)),
            latencies.size() != kTriggers ? "TRIGGERS LOST"
            : bytes > kOneCopyASecond     ? "within 2 s (whole copies)"
                                          : "within 1 s");

  // Clicks at every phase of the polls while another thread says a line now and then: only the
  // scanner's reads hold them up.
  ScannerWindow& window = run.Window();
  std::atomic<bool> talking = true;
  std::thread talker([&] {
    for (int i = 0; i < kTalks; ++i) {
      Sleep(kTalkEveryMs);
      host.Say("Bench", Format("line %d", i));
    }
    talking = false;
  });
  std::thread clicker([&] {
    constexpr DWORD kClickEveryMs = 37;
    while (talking) {
      window.Click();
      Sleep(kClickEveryMs);
    }
  });
  winkit::PumpUntil([&] { return !talking; }, kTalks * kTalkEveryMs * 4);
  talker.join();
  clicker.join();
  winkit::PumpFor(200);
  table.Row(Format("a click while lines come, %s transcript: longest wait", size),
            Format("%.0f ms", 1e3 * Percentile(window.Waits(), 1.0)), "under 100 ms");
}

void LongDay(Table& table) {
  Day(table, "10 KB", 10'000);
  Day(table, "1 MB", 1'000'000);
  Day(table, "8 MB", 8'000'000);
}

}  // namespace

void LongDayRows(Table& table) { table.Section("a long day", LongDay); }

}  // namespace bench
