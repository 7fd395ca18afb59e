// Zibbet against a client that is not friendly: a transcript trimmed from the top, a client that
// stops answering, a slow handler inside a wait.
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Scanning.h"
#include "Table.h"
#include "formkit/Wait.h"
#include "hostwin/ChatScanner.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/MessagePump.h"
#include "winkit/MessageWait.h"
#include "winkit/Window.h"

namespace bench {
namespace {

using practicehost::HostProcess;

// Lines said one by one into a host that trims its transcript; the time each takes to be heard.
void TrimmedLatency(Table& table, const std::string& kind, const practicehost::Options& options) {
  const HostProcess host(options);
  ScannerRun run(host);
  constexpr int kLines = 100;
  // Lines of one length: once the cap is reached, the transcript's length stays the same.
  const std::vector<double> latencies =
      run.Latencies(kLines, [](int i) { return Format("line %03d", i); });
  table.Row("scanner latency, " + kind + ": p50 / p95",
            Format("%.1f / %.1f ms", Percentile(latencies, 0.5), Percentile(latencies, 0.95)),
            latencies.size() == kLines ? "(all 100 heard)" : "LINES LOST");
}

void Trimmed(Table& table) {
  practicehost::Options lines;
  lines.capLines = 10;
  TrimmedLatency(table, "10-line cap", lines);
  practicehost::Options chars;
  chars.capChars = 150;
  TrimmedLatency(table, "150-char trim", chars);
}

void ClickDuringHang(Table& table) {
  const HostProcess host;
  ScannerRun run(host);
  ScannerWindow& window = run.Window();
  constexpr int kHangMs = 5000;
  constexpr DWORD kClickEveryMs = 37;  // clicks land at every phase of the polls
  host.Hang(kHangMs);
  const auto start = Clock::now();
  std::thread clicker([&] {
    while (SecondsSince(start) < (kHangMs - 500) / 1e3) {
      window.Click();
      Sleep(kClickEveryMs);
    }
  });
  winkit::PumpFor(kHangMs);
  clicker.join();
  winkit::PumpFor(100);
  const auto waits = window.Waits();
  table.Row("a click while the client hangs: longest wait",
            Format("%.0f ms", 1e3 * Percentile(waits, 1.0)),
            Format("under 500 ms (%zu clicks)", waits.size()));
}

// A window whose 100-ms timer takes 150 ms to handle: the timer is always due again.
class SlowTimerWindow final : winkit::Window {
 public:
  static constexpr UINT kPeriodMs = 100;
  static constexpr DWORD kHandlerMs = 150;

  SlowTimerWindow() {
    constexpr winkit::WindowClass kClass{.name = L"Zibbet.BenchSlowTimer"};
    if (!Create(GetModuleHandleW(nullptr), kClass, nullptr, 0, 0, {0, 0, 0, 0}, HWND_MESSAGE)) {
      throw std::runtime_error("no window for the slow timer");
    }
    timer_ = winkit::WindowTimer(Handle(), 1, kPeriodMs);
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER) {
      Sleep(kHandlerMs);
      return 0;
    }
    return Default(message, wParam, lParam);
  }

  winkit::WindowTimer timer_;
};

void SlowHandlerInWait(Table& table) {
  // Started just after a whole second of the time of day, when the wait's own length is 1 s.
  constexpr WORD kEarlyMs = 20;
  SYSTEMTIME now{};
  do {
    Sleep(1);
    GetLocalTime(&now);
  } while (now.wMilliseconds > kEarlyMs);
  const SlowTimerWindow slow;
  winkit::MessageWait clocks;
  const double planned = formkit::WaitLength(clocks.TimeOfDay(), 1);
  const auto start = Clock::now();
  formkit_win32::WaitSeconds(1);
  table.Row("WaitSeconds(1), 150-ms handler on 100-ms timer", Format("%.3f s", SecondsSince(start)),
            Format("under 1.2 s (planned %.3f s)", planned));
}

}  // namespace

void ClientRows(Table& table) {
  table.Section("trimmed transcripts", Trimmed);
  table.Section("a hung client", ClickDuringHang);
  table.Section("a slow handler in a wait", SlowHandlerInWait);
}

}  // namespace bench
