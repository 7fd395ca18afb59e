// Prints a small table of Zibbet's costs, measured in one run under Wine. Ratios compare rows of
// the same run; absolute times on a shared machine are only indicative.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <string>
#include <vector>

#include "console/ChatScanner.h"
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

double ThreadSeconds() {
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    ULARGE_INTEGER v{};
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    constexpr double kTicksPerSecond = 1e7;
    return static_cast<double>(v.QuadPart) / kTicksPerSecond;
  };
  return seconds(kernel) + seconds(user);
}

// Polls a chat scanner from a window timer, as the main window does.
class ScannerWindow {
 public:
  explicit ScannerWindow(console::ChatScanner& scanner) : scanner_(scanner) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Zibbet Bench Scanner";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, console::ScannerControl::kPollMilliseconds, nullptr);
  }
  ScannerWindow(const ScannerWindow&) = delete;
  ScannerWindow& operator=(const ScannerWindow&) = delete;
  ~ScannerWindow() { DestroyWindow(window_); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<ScannerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_TIMER && self != nullptr) {
      self->scanner_.Poll();
      return 0;
    }
    return DefWindowProcA(window, message, w, l);
  }
  console::ChatScanner& scanner_;
  HWND window_ = nullptr;
};

// Dispatches this thread's messages until `done` or the time is up.
template <typename Done>
bool PumpUntil(Done done, double seconds) {
  const auto start = Clock::now();
  while (!done()) {
    if (SecondsSince(start) > seconds) {
      return false;
    }
    // Sleeps until a message comes, so that the loop itself costs nothing.
    const double left = seconds - SecondsSince(start);
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left > 0 ? 1e3 * left + 1 : 0),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageA(&message);
    }
  }
  return true;
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

  {
    // The chat scanner against the practice host's transcript.
    practicehost::HostProcess host;
    win32::User32Windows windows;
    std::atomic<int> heard{0};
    Clock::time_point heardAt;
    console::ChatScanner scanner(windows, [&](const console::ChatLine&) {
      heardAt = Clock::now();
      ++heard;
    });
    scanner.Start();
    ScannerWindow poller(scanner);
    std::vector<double> latencies;
    constexpr int kLines = 200;
    for (int i = 0; i < kLines; ++i) {
      const int before = heard;
      Sleep(static_cast<DWORD>(i * 7 % 50));  // lines arrive at every phase of the poll
      const auto said = Clock::now();
      host.Say("Bench", "line " + std::to_string(i));
      if (PumpUntil([&] { return heard > before; }, 5)) {
        latencies.push_back(1e3 * std::chrono::duration<double>(heardAt - said).count());
      }
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) {
      return latencies.empty() ? -1.0 : latencies[static_cast<std::size_t>(q * (latencies.size() - 1))];
    };
    Row("scanner latency, line to ChatMsg: median", Format("%.1f ms", at(0.5)), "poll: 100 ms");
    Row("scanner latency, line to ChatMsg: 95th pct", Format("%.1f ms", at(0.95)),
        latencies.size() == kLines ? "(all 200 heard)" : "LINES LOST");

    constexpr double kSpan = 5;
    double cpu = ThreadSeconds();
    auto start = Clock::now();
    PumpUntil([] { return false; }, kSpan);
    Row("scanner processor time, quiet room", Format("%.2f %%", 100 * (ThreadSeconds() - cpu) /
                                                                   SecondsSince(start)),
        "(share of one core)");

    std::atomic<bool> talking{true};
    const int before = heard;
    std::thread talker([&] {
      while (talking) {
        host.Say("Chatty", "twenty lines a second");
        Sleep(50);
      }
    });
    cpu = ThreadSeconds();
    start = Clock::now();
    PumpUntil([] { return false; }, kSpan);
    const double busy = (ThreadSeconds() - cpu) / SecondsSince(start);
    talking = false;
    talker.join();
    PumpUntil([] { return false; }, 0.3);
    Row("scanner processor time, 20 lines/s", Format("%.2f %%", 100 * busy),
        Format("(%.0f lines heard)", heard - before).c_str());
  }

  {
    // One read of a one-megabyte transcript: a rich edit of that size, read as the scanner does.
    LoadLibraryA("riched20.dll");
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE, 0, 0, 400, 300, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit, EM_EXLIMITTEXT, 0, 4 << 20);
    std::string text;
    for (int i = 0; text.size() < (1U << 20); ++i) {
      text += "Member" + std::to_string(i % 40) + ":\tsomething said in the room, line " +
              std::to_string(i) + "\r\n";
    }
    SetWindowTextA(edit, text.c_str());
    win32::User32Windows windows;
    const auto handle = win32::ToHandle(edit);
    console::TranscriptTracker tracker;
    const auto start = Clock::now();
    constexpr int kReads = 5;
    std::size_t lines = 0;
    for (int i = 0; i < kReads; ++i) {
      tracker.Reset(u"");
      lines += tracker.Update(windows.Text(handle)).size();
    }
    Row("read + split of a 1 MB transcript", Format("%.1f ms", 1e3 * SecondsSince(start) / kReads),
        Format("(%.0f lines)", static_cast<double>(lines / kReads)).c_str());
    DestroyWindow(edit);
  }
  return 0;
}
