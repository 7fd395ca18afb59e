// Prints a small table of Zibbet's costs, measured in one run under Wine. Ratios compare rows of
// the same run; absolute times on a shared machine are only indicative.
//
// zibbet_bench [ROW...]: each ROW is "measure|value|target", a fact found outside this program
// (bench.sh passes the sizes and imports of both builds' Zibbet.exe), printed as a last row so
// that one table comes out.
#include <windows.h>

#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console/ChatScanner.h"
#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "win32/WindowUtilities.h"
#include "winkit/Handles.h"

namespace {

using Clock = std::chrono::steady_clock;
using practicehost::HostProcess;
using practicehost::LogEntry;
using winkit::UniqueHandle;

// Clocks ------------------------------------------------------------------------------------------

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A FILETIME count of 100-ns ticks.
unsigned long long Ticks(const FILETIME& t) {
  ULARGE_INTEGER v{};
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return v.QuadPart;
}

// What GetProcessTimes and GetThreadTimes fill in.
struct Times {
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};

  double ProcessorSeconds() const {
    constexpr double kTicksPerSecond = 1e7;
    return static_cast<double>(Ticks(kernel) + Ticks(user)) / kTicksPerSecond;
  }
};

// Processor seconds used so far by a process (this one by default).
double ProcessorSeconds(HANDLE process = GetCurrentProcess()) {
  Times times;
  if (GetProcessTimes(process, &times.created, &times.ended, &times.kernel, &times.user) == FALSE) {
    throw std::runtime_error("GetProcessTimes failed");
  }
  return times.ProcessorSeconds();
}

double ThreadSeconds() {
  Times times;
  GetThreadTimes(GetCurrentThread(), &times.created, &times.ended, &times.kernel, &times.user);
  return times.ProcessorSeconds();
}

// Now on the clock of the practice host's log: Unix-epoch milliseconds.
long long EpochMilliseconds() {
  constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;  // 1970-01-01 in FILETIME
  constexpr unsigned long long kTicksPerMs = 10000;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<long long>((Ticks(now) - kUnixEpoch) / kTicksPerMs);
}

// The processor share of a wait: processor seconds over wall seconds.
template <typename Wait>
double ProcessorShare(Wait wait) {
  const double cpu = ProcessorSeconds();
  const auto start = Clock::now();
  wait();
  return (ProcessorSeconds() - cpu) / SecondsSince(start);
}

// Dispatches this thread's messages until `done` or the time is up. `done` is checked when a
// message comes and at least every pollMs, so that it may also watch other processes.
template <typename Done>
bool PumpUntil(Done done, double seconds, DWORD pollMs = INFINITE) {
  const auto start = Clock::now();
  while (!done()) {
    const double left = seconds - SecondsSince(start);
    if (left < 0) {
      return false;
    }
    // Sleeps until a message comes, so that the loop itself costs nothing.
    const auto leftMs = static_cast<DWORD>(1e3 * left + 1);
    MsgWaitForMultipleObjectsEx(0, nullptr, std::min(leftMs, pollMs), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageA(&message);
    }
  }
  return true;
}

void Idle(double seconds) {
  PumpUntil([] { return false; }, seconds);
}

// The table -------------------------------------------------------------------------------------

void Row(const std::string& what, const std::string& value, const std::string& target) {
  std::printf("| %-48s | %28s | %-32s |\n", what.c_str(), value.c_str(), target.c_str());
  std::fflush(stdout);  // a row at a time: the run is long, and a crash keeps what came before
}

void Header() {
  Row("measure", "value", "target");
  std::printf("|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(30, '-').c_str(),
              std::string(34, '-').c_str());
}

__attribute__((format(gnu_printf, 1, 2))) std::string Format(const char* format, ...) {
  char text[128] = {};
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

// "measure|value|target" from the command line.
void GivenRow(std::string_view row) {
  const std::size_t first = row.find('|');
  const std::size_t second = first == std::string_view::npos ? first : row.find('|', first + 1);
  if (second == std::string_view::npos) {
    Row(std::string(row), "", "");
    return;
  }
  Row(std::string(row.substr(0, first)), std::string(row.substr(first + 1, second - first - 1)),
      std::string(row.substr(second + 1)));
}

// A failed section leaves its reason as a row, and the table goes on.
template <typename Section>
bool Run(const char* name, Section section) {
  try {
    section();
    return true;
  } catch (const std::exception& failure) {
    Row(std::string(name) + ": FAILED", "", failure.what());
    return false;
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1.0 : values[values.size() / 2];
}

// Waiting and fading ----------------------------------------------------------------------------

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

void BenchWaits() {
  const double waitShare = ProcessorShare([] { win32::WaitSeconds(1); });
  const double spinShare = ProcessorShare([] { SpinningWait(1.0); });
  Row("WaitSeconds(1): processor / wall time", Format("%.2f %%", 100 * waitShare), "at most 1 %");
  Row("spinning wait of 1 s: processor / wall time", Format("%.2f %%", 100 * spinShare),
      "(comparison, ~100 %)");
}

constexpr std::u16string_view kNowIdle = u"(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)";

void BenchFade() {
  std::size_t total = 0;
  int calls = 0;
  const auto start = Clock::now();
  while (SecondsSince(start) < 0.5) {
    for (int i = 0; i < 1000; ++i) {
      total += fade::FadeText(kNowIdle).size();  // 40 characters
    }
    calls += 1000;
  }
  Row("FadeText, 40-character banner: calls/s", Format("%.0f", calls / SecondsSince(start)),
      total > 0 ? "(throughput)" : "");
}

void BenchSendToChat() {
  const HostProcess host;
  win32::User32Windows windows;
  const std::u16string markup = fade::FadeText(kNowIdle);
  std::vector<double> micros;
  constexpr int kSends = 50;
  for (int i = 0; i < kSends; ++i) {
    const auto start = Clock::now();
    hostwin::SendToChat(windows, markup);
    micros.push_back(1e6 * SecondsSince(start));
  }
  Row("SendToChat into the practice host: median", Format("%.0f us", Median(micros)), "(latency)");
}

// The chat scanner ------------------------------------------------------------------------------

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

// The scanner's processor share (this thread's) while the queue is pumped for `seconds`.
double ScannerShare(double seconds) {
  const double cpu = ThreadSeconds();
  const auto start = Clock::now();
  Idle(seconds);
  return (ThreadSeconds() - cpu) / SecondsSince(start);
}

void BenchScanner() {
  // The chat scanner against the practice host's transcript.
  const HostProcess host;
  win32::User32Windows windows;
  std::atomic<int> heard{0};
  Clock::time_point heardAt;
  console::ChatScanner scanner(windows, [&](const console::ChatLine&) {
    heardAt = Clock::now();
    ++heard;
  });
  scanner.Start();
  const ScannerWindow poller(scanner);
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
    return latencies.empty() ? -1.0
                             : latencies[static_cast<std::size_t>(q * (latencies.size() - 1))];
  };
  Row("scanner latency, line to ChatMsg: median", Format("%.1f ms", at(0.5)), "poll: 100 ms");
  Row("scanner latency, line to ChatMsg: 95th pct", Format("%.1f ms", at(0.95)),
      latencies.size() == kLines ? "(all 200 heard)" : "LINES LOST");

  constexpr double kSpan = 5;
  Row("scanner processor time, quiet room", Format("%.2f %%", 100 * ScannerShare(kSpan)),
      "(share of one core)");

  // A line every 50 ms at most: each Say waits for the host, which takes its time.
  std::atomic<bool> talking{true};
  std::atomic<int> said{0};
  const int before = heard;
  std::thread talker([&] {
    while (talking) {
      host.Say("Chatty", "a line every 50 ms");
      ++said;
      Sleep(50);
    }
  });
  const double busy = ScannerShare(kSpan);
  talking = false;
  talker.join();
  Idle(0.3);
  Row("scanner processor time, a line every 50 ms", Format("%.2f %%", 100 * busy),
      Format("(%d of %d lines heard)", heard - before, said.load()));
}

// The text EM_STREAMIN takes in, piece by piece.
struct StreamSource {
  std::string_view text;
  std::size_t done = 0;
};

DWORD CALLBACK FeedStream(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* given) {
  auto& source = *reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count =
      std::min(static_cast<std::size_t>(capacity), source.text.size() - source.done);
  std::copy_n(source.text.data() + source.done, count, buffer);
  source.done += count;
  *given = static_cast<LONG>(count);
  return 0;
}

// Fills a rich edit with plain text. Streamed: Wine's rich edit takes over a minute to take a
// megabyte as window text, but a second or two as a stream.
void StreamInto(HWND edit, std::string_view text) {
  StreamSource source{text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, FeedStream};
  SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void BenchTranscriptRead() {
  // One read of a one-megabyte transcript: a rich edit of that size, read as the scanner does.
  const winkit::UniqueModule richEdit(LoadLibraryA("riched20.dll"));
  const winkit::UniqueWindow edit(CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE, 0, 0, 400,
                                                  300, nullptr, nullptr, GetModuleHandleA(nullptr),
                                                  nullptr));
  if (edit.Get() == nullptr) {
    throw std::runtime_error("no rich edit");
  }
  SendMessageA(edit.Get(), EM_EXLIMITTEXT, 0, 4 << 20);
  std::string text;
  for (int i = 0; text.size() < (1U << 20); ++i) {
    text += "Member" + std::to_string(i % 40) + ":\tsomething said in the room, line " +
            std::to_string(i) + "\r\n";
  }
  StreamInto(edit.Get(), text);
  win32::User32Windows windows;
  const auto handle = win32::ToHandle(edit.Get());
  console::TranscriptTracker tracker;
  const auto start = Clock::now();
  constexpr int kReads = 5;
  std::size_t lines = 0;
  for (int i = 0; i < kReads; ++i) {
    tracker.Reset(u"");
    lines += tracker.Update(windows.Text(handle)).size();
  }
  Row("read + split of a 1 MB transcript", Format("%.1f ms", 1e3 * SecondsSince(start) / kReads),
      Format("(%zu lines)", lines / kReads));
}

// Zibbet.exe against the practice host ----------------------------------------------------------

constexpr std::u16string_view kLoaded = u"(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)";
constexpr std::u16string_view kIdleTick = u"(o Y o )[Zibbet-Vemm][Idle:]( o Y o)";
constexpr std::u16string_view kFirstMinute = u"(o Y o )[Aim:]quillomar][1 Min]( o Y o)";
constexpr std::u16string_view kUnloaded = u"(o Y o )[Zibbet-Vemm]-[Un-Loaded]( o Y o)";

constexpr int kRuns = 5;
constexpr int kStepMs = 30000;  // for any one step: generous, as Wine may start slowly
constexpr double kStepSeconds = kStepMs / 1e3;
constexpr DWORD kWindowPollMs = 2;   // the resolution of the time to the splash
constexpr double kTickSeconds = 60;  // the console's timer, started by ON
constexpr double kIdleSeconds = 55;  // measured from ON: stops before the tick
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

// Where the console's labels are, in twips of its client area.
struct TwipsBox {
  int left;
  int top;
  int width;
  int height;
};
constexpr TwipsBox kOnLabel{120, 1080, 255, 255};
constexpr TwipsBox kCloseLabel{1440, 0, 255, 255};

// A banner as it appears in the host's log: faded, in UTF-8.
std::string Faded(std::u16string_view banner) {
  const std::u16string markup = fade::FadeText(banner);
  const std::wstring wide(markup.begin(), markup.end());
  const int units = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::string BesideThisProgram(const char* name) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw std::runtime_error("cannot find the bench program's path");
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// Zibbet.exe from this program's folder; ended when the object goes, also when a step fails.
class Zibbet {
 public:
  Zibbet() {
    const std::string path = BesideThisProgram("Zibbet.exe");
    std::string commandLine = winkit::QuoteArgument(path);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    started_ = Clock::now();
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info) == FALSE) {
      throw std::runtime_error("cannot start " + path);
    }
    process_ = UniqueHandle(info.hProcess);
    const UniqueHandle thread(info.hThread);
    pid_ = info.dwProcessId;
  }
  Zibbet(const Zibbet&) = delete;
  Zibbet& operator=(const Zibbet&) = delete;
  ~Zibbet() {
    if (!Exited(0)) {
      constexpr UINT kTerminated = 1;
      TerminateProcess(process_.Get(), kTerminated);
      WaitForSingleObject(process_.Get(), kStepMs);
    }
  }

  HANDLE Handle() const { return process_.Get(); }
  DWORD Pid() const { return pid_; }
  Clock::time_point Started() const { return started_; }
  bool Exited(DWORD waitMs) const {
    return WaitForSingleObject(process_.Get(), waitMs) == WAIT_OBJECT_0;
  }

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
  Clock::time_point started_;
};

// The process's visible top-level window of a form's class, or nullptr.
HWND VisibleForm(DWORD pid, const wchar_t* className) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window) != FALSE) {
      return window;
    }
  }
  return nullptr;
}

HWND WaitForForm(const Zibbet& zibbet, const wchar_t* className) {
  HWND window = nullptr;
  PumpUntil([&] { return (window = VisibleForm(zibbet.Pid(), className)) != nullptr; },
            kStepSeconds, kWindowPollMs);
  if (window == nullptr) {
    throw std::runtime_error("Zibbet.exe showed no window of its form");
  }
  return window;
}

// The centre of a box given in twips, in pixels at the screen's resolution (as the forms use).
POINT CentreOf(const TwipsBox& box) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  constexpr double kTwipsPerInch = 1440;
  const auto pixels = [&](double twips) {
    return static_cast<LONG>(std::lround(twips * dpi / kTwipsPerInch));
  };
  return {pixels(box.left + box.width / 2.0), pixels(box.top + box.height / 2.0)};
}

// A posted left click at a point of a window's client area (the forms act on the press), and
// when it was posted on both clocks: the host's log for banners, the steady one for the rest.
struct Click {
  Clock::time_point at;
  long long epochMs = 0;
};

Click PostClick(HWND window, POINT point) {
  const Click click{Clock::now(), EpochMilliseconds()};
  const LPARAM where = MAKELPARAM(point.x, point.y);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(window, WM_LBUTTONUP, 0, where);
  return click;
}

double SecondsBetween(long long fromEpochMs, long long toEpochMs) {
  constexpr double kMsPerSecond = 1e3;
  return static_cast<double>(toEpochMs - fromEpochMs) / kMsPerSecond;
}

// The first line said with this markup among the log's entries past the first `seen`.
std::optional<LogEntry> WaitForSaid(const HostProcess& host, std::size_t seen,
                                    std::u16string_view banner, int timeoutMs = kStepMs) {
  const std::string markup = Faded(banner);
  std::optional<LogEntry> found;
  host.WaitForLog(
      [&](const std::vector<LogEntry>& log) {
        for (std::size_t i = seen; i < log.size() && !found; ++i) {
          if (log[i].event == "said" && log[i].markup == markup) {
            found = log[i];
          }
        }
        return found.has_value();
      },
      timeoutMs);
  return found;
}

// Clicks a console label and waits for the banner it says.
Click ClickForBanner(const HostProcess& host, HWND console, const TwipsBox& label,
                     std::u16string_view banner) {
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(console, CentreOf(label));
  if (!WaitForSaid(host, seen, banner)) {
    throw std::runtime_error("a console click said no banner");
  }
  return click;
}

// Returns once the window's thread has handled everything before: it can take input.
void WaitUntilAnswering(HWND window) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result) == 0) {
    throw std::runtime_error("Zibbet.exe does not answer");
  }
}

struct Opening {
  double toSplash = 0;     // from CreateProcess to the splash shown
  double toLoaded = 0;     // from the splash click to the loaded banner in the log
  double toAnswering = 0;  // from the splash click to the console taking input
  HWND console = nullptr;
};

// Waits for the splash, clicks its picture and waits for the loaded banner and the console.
Opening OpenConsole(const HostProcess& host, const Zibbet& zibbet) {
  Opening opening;
  const HWND splash = WaitForForm(zibbet, L"Zibbet.Form2");
  opening.toSplash = SecondsSince(zibbet.Started());
  RECT client{};
  GetClientRect(splash, &client);
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(splash, {client.right / 2, client.bottom / 2});
  const std::optional<LogEntry> loaded = WaitForSaid(host, seen, kLoaded);
  if (!loaded) {
    throw std::runtime_error("no loaded banner after the splash click");
  }
  opening.toLoaded = SecondsBetween(click.epochMs, loaded->t);
  opening.console = WaitForForm(zibbet, L"Zibbet.Form1");
  WaitUntilAnswering(opening.console);
  opening.toAnswering = SecondsSince(click.at);
  return opening;
}

struct Closes {
  int tried = 0;
  std::vector<double> toExit;  // seconds from the click on X, for the runs that ended
};

// Clicks the console's X; the run counts as closed once the unloaded banner is said and the
// process has ended.
void CloseByX(const HostProcess& host, const Zibbet& zibbet, HWND console, Closes& closes) {
  ++closes.tried;
  const std::size_t seen = host.ReadLog().size();
  const Click click = PostClick(console, CentreOf(kCloseLabel));
  if (WaitForSaid(host, seen, kUnloaded) && zibbet.Exited(kStepMs)) {
    closes.toExit.push_back(SecondsSince(click.at));
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

// The practice host's own process, for comparisons.
UniqueHandle OpenHost(const HostProcess& host) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, host.Pid()));
  if (!process) {
    throw std::runtime_error("cannot open the practice host's process");
  }
  return process;
}

// "1234 ms" for the median of seconds, and "(5 runs: 1000 to 2000 ms)" for their spread.
std::string MedianMs(const std::vector<double>& seconds) {
  return Format("%.0f ms", 1e3 * Median(seconds));
}

std::string SpreadMs(const std::vector<double>& seconds) {
  const auto [low, high] = std::minmax_element(seconds.begin(), seconds.end());
  return Format("(%zu runs: %.0f to %.0f ms)", seconds.size(), 1e3 * *low, 1e3 * *high);
}

// Runs Zibbet kRuns times up to its loaded console: start-up and load times, peak working set.
void BenchStartAndLoad(const HostProcess& host, Closes& closes) {
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
    CloseByX(host, zibbet, opening.console, closes);
  }
  Row("Zibbet.exe start to splash shown: median", MedianMs(toSplash), SpreadMs(toSplash));
  Row("splash click to loaded banner: median", MedianMs(toLoaded), SpreadMs(toLoaded));
  Row("splash click to console taking input: median", MedianMs(toAnswering),
      "(Wine: ~2 s per window hidden)");
  Row("peak working set, console loaded: median", Format("%.1f MiB", Median(peaks)),
      Format("(practice host: %.1f MiB)", PeakWorkingSetMiB(OpenHost(host).Get())));
}

// ON, then a real minute: Zibbet's processor share until just before the first tick, then the
// tick's two banners, then X.
void BenchIdleMinute(const HostProcess& host, Closes& closes) {
  const Zibbet zibbet;
  const HWND console = OpenConsole(host, zibbet).console;
  const Click on = ClickForBanner(host, console, kOnLabel, kNowIdle);
  const std::size_t seen = host.ReadLog().size();

  const UniqueHandle hostProcess = OpenHost(host);
  const double zibbetCpu = ProcessorSeconds(zibbet.Handle());
  const double hostCpu = ProcessorSeconds(hostProcess.Get());
  const auto start = Clock::now();
  Idle(kIdleSeconds - SecondsSince(on.at));
  const double wall = SecondsSince(start);
  // Wine counts another process's time in 10 ms steps: the milliseconds show the resolution.
  const auto share = [&](double cpu) {
    return Format("%.3f %% (%.0f ms / %.0f s)", 100 * cpu / wall, 1e3 * cpu, wall);
  };
  Row("Zibbet.exe idling, console ON: processor",
      share(ProcessorSeconds(zibbet.Handle()) - zibbetCpu), "under 0.1 % of one core");
  Row("practice host over the same span", share(ProcessorSeconds(hostProcess.Get()) - hostCpu),
      "(answers the scanner's reads)");

  const int tickTimeoutMs =
      static_cast<int>(1e3 * (kTickSeconds + kStepSeconds - SecondsSince(on.at)));
  const std::optional<LogEntry> tick = WaitForSaid(host, seen, kIdleTick, tickTimeoutMs);
  const std::optional<LogEntry> minute = WaitForSaid(host, seen, kFirstMinute);
  if (tick && minute) {
    Row("the tick's banners after ON",
        Format("2 banners, %.1f s", SecondsBetween(on.epochMs, minute->t)),
        Format("2, ~61 s after ON (1st: %.1f s)", SecondsBetween(on.epochMs, tick->t)));
  } else {
    Row("the tick's banners after ON", Format("%d banners", (tick ? 1 : 0) + (minute ? 1 : 0)),
        "2, ~61 s after ON: MISSING");
  }
  CloseByX(host, zibbet, console, closes);
}

void BenchZibbet() {
  const HostProcess host;
  Closes closes;
  BenchStartAndLoad(host, closes);
  BenchIdleMinute(host, closes);
  const auto ended = static_cast<int>(closes.toExit.size());
  Row("X: unloaded banner, then Zibbet.exe exits",
      Format("%d of %d, median %.0f ms", ended, closes.tried, 1e3 * Median(closes.toExit)),
      ended == closes.tried ? "every run (Wine: ~2 s hide)" : "EXIT FAILED");
}

}  // namespace

int main(int argc, char** argv) {
  Header();
  int failed = 0;
  failed += Run("waits", BenchWaits) ? 0 : 1;
  failed += Run("FadeText", BenchFade) ? 0 : 1;
  failed += Run("SendToChat", BenchSendToChat) ? 0 : 1;
  failed += Run("chat scanner", BenchScanner) ? 0 : 1;
  failed += Run("1 MB transcript", BenchTranscriptRead) ? 0 : 1;
  failed += Run("Zibbet.exe", BenchZibbet) ? 0 : 1;
  for (int i = 1; i < argc; ++i) {
    GivenRow(argv[i]);
  }
  return failed == 0 ? 0 : 1;
}
