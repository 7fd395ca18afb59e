// What each question the scanner may ask a transcript costs its client, on every kind of
// transcript the practice host can have, at a short and at a long day's length: the buffer-free
// probes of a quiet poll, and the whole copy that reads what changed.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Clocks.h"
#include "Table.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"

namespace bench {
namespace {

using practicehost::HostProcess;

constexpr int kAsked = 15;

// The median time of `ask`, in milliseconds; "failed" when it did not answer.
std::string Timed(const std::function<bool()>& ask) {
  std::vector<double> seconds;
  for (int i = 0; i < kAsked; ++i) {
    const auto start = Clock::now();
    if (!ask()) {
      return "failed";
    }
    seconds.push_back(SecondsSince(start));
  }
  return Format("%.2f", 1e3 * Median(seconds));
}

void Kind(Table& table, practicehost::TranscriptKind kind, const char* size, int bytes) {
  const HostProcess host(practicehost::Options{.transcript = kind, .historyBytes = bytes});
  win32::User32Windows windows;
  const auto transcript = win32::ToHandle(host.Transcript());
  const int length = windows.TextLength(transcript).value_or(0);
  const int rows = windows.RowCount(transcript).value_or(1);
  const int lastStart = windows.RowStart(transcript, rows - 1).value_or(0);
  const std::vector<std::string> costs = {
      Timed([&] { return windows.TextLength(transcript).has_value(); }),
      Timed([&] { return windows.RowCount(transcript).has_value(); }),
      Timed([&] { return windows.RowLength(transcript, 0).has_value(); }),
      Timed([&] { return windows.RowStart(transcript, rows - 1).has_value(); }),
      Timed([&] { return windows.RowLength(transcript, lastStart).has_value(); }),
      Timed([&] { return windows.Text(transcript).has_value(); })};
  std::string value;
  for (const auto& cost : costs) {
    value += (value.empty() ? "" : " / ") + cost;
  }
  table.Row(Format("probes, %s, %s (%d characters): length / rows / first row / last row's "
                   "start / its length / whole copy",
                   practicehost::KindName(kind), size, length),
            value + " ms", "probes well under a poll");
}

void Probes(Table& table) {
  for (const auto kind : practicehost::kTranscriptKinds) {
    try {
      Kind(table, kind, "10 KB", 10'000);
      Kind(table, kind, "1 MB", 1'000'000);
      Kind(table, kind, "8 MB", 8'000'000);
    } catch (const std::runtime_error& error) {
      // The system may lack the kind's control (RICHEDIT50W before Windows XP SP1, some Wines).
      table.Row(Format("probes, %s", practicehost::KindName(kind)), "not measured", error.what());
    }
  }
}

}  // namespace

void ProbeRows(Table& table) { table.Section("probes by transcript kind", Probes); }

}  // namespace bench
