// The window access against the practice host's real windows, and the window utilities on real
// windows of this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "console/ChatScanner.h"
#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/Keyword.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/User32Windows.h"
#include "win32/WindowUtilities.h"

namespace {

using practicehost::HostProcess;
using practicehost::LogEntry;
using practicehost::Options;

std::vector<LogEntry> Events(const HostProcess& host, const std::string& kind) {
  std::vector<LogEntry> found;
  for (auto& entry : host.ReadLog()) {
    if (entry.event == kind || kind.empty()) {
      found.push_back(entry);
    }
  }
  return found;
}

bool SaidCount(const HostProcess& host, std::size_t count) {
  return host.WaitForLog(
      [&](const std::vector<LogEntry>& log) {
        std::size_t said = 0;
        for (const auto& entry : log) {
          said += entry.event == "said" ? 1 : 0;
        }
        return said >= count;
      },
      5000);
}

double Now() {
  win32::MessageWait clock;
  return clock.Monotonic();
}

std::string Utf8(std::u16string_view text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int units = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, units, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

TEST(SendToChat, TypesTheMarkupAndPressesEnterInTheRoom) {
  HostProcess host;
  win32::User32Windows windows;
  const std::u16string markup = fade::FadeText(u"(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)");
  hostwin::SendToChat(windows, markup);
  ASSERT_TRUE(SaidCount(host, 1));

  std::vector<LogEntry> toInput;
  for (const auto& entry : host.ReadLog()) {
    if (entry.target == "input") {
      toInput.push_back(entry);
    }
  }
  ASSERT_EQ(toInput.size(), 2U);
  EXPECT_EQ(toInput[0].event, "settext");
  EXPECT_EQ(toInput[0].text, Utf8(markup));
  EXPECT_EQ(toInput[1].event, "char");
  EXPECT_EQ(toInput[1].code, 13);

  const auto said = Events(host, "said");
  ASSERT_EQ(said.size(), 1U);
  EXPECT_EQ(said[0].sender, "Kestrel Jay");
  EXPECT_EQ(said[0].text, "(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)");
  EXPECT_NE(host.TranscriptText().find("Kestrel Jay:\t(o Y o )[Zibbet-Vemm]-[Loaded]( o Y o)"),
            std::string::npos);
}

TEST(SendToChat, NonAsciiArrivesAsTheCodePagesByte) {
  HostProcess host;
  win32::User32Windows windows;
  hostwin::SendToChat(windows, u"caf\u00e9");
  ASSERT_TRUE(SaidCount(host, 1));
  const auto set = Events(host, "settext");
  ASSERT_EQ(set.size(), 1U);
  char expected[4] = {};
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, 0, L"\u00e9", 1, expected, 1, nullptr, &lossy);
  ASSERT_FALSE(lossy) << "code page " << GetACP() << " has no e-acute";
  char hex[3] = {};
  wsprintfA(hex, "%02x", static_cast<unsigned char>(expected[0]));
  EXPECT_EQ(set[0].hex, std::string("636166") + hex);
  if (GetACP() == 1252) {
    EXPECT_EQ(set[0].hex, "636166e9");
  }
  EXPECT_EQ(Events(host, "said").at(0).text, "caf\xc3\xa9");
}

TEST(SendToChat, FirstRoomInChildOrderGetsTheLine) {
  Options options;
  options.rooms = 2;
  options.decoy = true;  // the first document window, with no room title: not a room
  HostProcess host(options);
  win32::User32Windows windows;
  // The room that comes first below the document area, whichever that is at the moment.
  HWND first = nullptr;
  for (HWND child = FindWindowExA(host.MdiClient(), nullptr, "AOL Child", nullptr); child;
       child = FindWindowExA(host.MdiClient(), child, "AOL Child", nullptr)) {
    if (FindWindowExA(child, nullptr, "_AOL_Static", nullptr) != nullptr) {
      first = child;
      break;
    }
  }
  ASSERT_NE(first, nullptr);
  char title[256] = {};
  GetWindowTextA(first, title, sizeof title);
  EXPECT_EQ(win32::ToHwnd(hostwin::FindChatRoom(windows)), first);

  hostwin::SendToChat(windows, u"hello");
  ASSERT_TRUE(SaidCount(host, 1));
  const auto said = Events(host, "said");
  ASSERT_EQ(said.size(), 1U);
  EXPECT_EQ(said[0].room, title);
}

TEST(GetScreenName, ReadsTheWelcomeWindow) {
  HostProcess host;
  win32::User32Windows windows;
  EXPECT_EQ(hostwin::GetScreenName(windows), u"Kestrel Jay");
}

TEST(OpenKeyword, TheClientOpensTheAddress) {
  HostProcess host;
  win32::User32Windows windows;
  const std::u16string address = u"https://images.example.org/collection?id=42&page=2";
  hostwin::OpenKeyword(windows, address);
  ASSERT_TRUE(host.WaitForLog(
      [](const std::vector<LogEntry>& log) { return !log.empty() && log.back().event == "open"; },
      5000));
  EXPECT_EQ(Events(host, "open").at(0).address, Utf8(address));
}

std::string Numbered(int i) {
  return "line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 3), '!');
}

// The scanner on the host's real transcript, which trims its top, or copies nothing into a
// buffer too small for it: every line said after the start is heard once, in order.
std::vector<std::string> HearWhileSaying(HostProcess& host, int lines) {
  win32::User32Windows windows;
  std::vector<std::string> heard;
  console::ChatScanner scanner(windows, [&](const console::ChatLine& line) {
    heard.emplace_back(line.text.begin(), line.text.end());
  });
  host.Say("Old Timer", "tu9vo said long ago");
  scanner.Start();
  for (int i = 0; i < lines; ++i) {
    host.Say("Ann", Numbered(i));
    if (i % 3 != 0) {  // every third comes in a burst with the next
      for (int poll = 0; poll < console::ChatScanner::kPollsPerFullRead; ++poll) {
        scanner.Poll();
      }
    }
  }
  scanner.Poll();
  scanner.Poll();
  return heard;
}

TEST(ChatScanner, HearsEveryLineOnceWhateverTheClientDoesToItsTranscript) {
  std::vector<Options> cases(4);
  cases[0].capLines = 3;
  cases[1].capChars = 40;
  cases[2].strictReads = true;
  cases[3].capChars = 34;  // two lines and a bit: the length stays the same
  cases[3].strictReads = true;
  std::vector<std::string> expected;
  for (int i = 0; i < 12; ++i) {
    expected.push_back(Numbered(i));
  }
  for (const auto& options : cases) {
    HostProcess host(options);
    EXPECT_EQ(HearWhileSaying(host, 12), expected) << options.capLines << " " << options.capChars;
  }
}

TEST(WindowAccess, AHungClientCostsABoundedWaitAndAFailureNotAnEmptyText) {
  HostProcess host;
  win32::User32Windows windows;
  const auto transcript = win32::ToHandle(host.Transcript());
  const auto input = win32::ToHandle(host.InputBox());
  host.Say("Ann", "hi");
  ASSERT_TRUE(windows.Text(transcript).has_value());
  host.Hang(4000);
  double started = Now();
  EXPECT_FALSE(windows.TextLength(transcript).has_value());
  EXPECT_FALSE(windows.Text(transcript).has_value());
  EXPECT_LT(Now() - started, 0.6);
  started = Now();
  EXPECT_FALSE(windows.SetText(input, u"late"));
  EXPECT_LT(Now() - started, 2.3);
  Sleep(2500);
  EXPECT_NE(windows.Text(transcript).value_or(u"").find(u"Ann:\thi"), std::u16string::npos);
}

// Under code page 932 only (the end-to-end test runs these with a Japanese locale).
TEST(CodePage932, DoubleByteTextIsSentAndHeardWhole) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "code page " << GetACP();
  }
  Options options;
  options.strictReads = true;
  options.capChars = 30;
  HostProcess host(options);
  win32::User32Windows windows;
  const std::u16string japanese = u"\u65e5\u672c\u8a9e";
  hostwin::SendToChat(windows, japanese);
  ASSERT_TRUE(SaidCount(host, 1));
  EXPECT_EQ(Events(host, "settext").at(0).hex, "93fa967b8cea");
  std::vector<std::u16string> heard;
  console::ChatScanner scanner(windows,
                               [&](const console::ChatLine& line) { heard.push_back(line.text); });
  scanner.Start();
  for (const char* line : {"\x82\xa0\x82\xa2", "\x93\xfa\x96\x7b\x8c\xea tu9vo", "\x82\xa4"}) {
    host.Say("Ann", line);
    for (int poll = 0; poll < console::ChatScanner::kPollsPerFullRead; ++poll) {
      scanner.Poll();
    }
  }
  EXPECT_EQ(heard, (std::vector<std::u16string>{u"\u3042\u3044", japanese + u" tu9vo", u"\u3046"}));
}

// Windows of this process that carry the classes a search under the desktop would find.
class Bystanders {
 public:
  Bystanders() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Record;
    wc.hInstance = GetModuleHandleA(nullptr);
    for (const char* name : {"RICHCNTL", "Bystander Edit"}) {
      wc.lpszClassName = name;
      RegisterClassA(&wc);
    }
    rich_ = CreateWindowExA(0, "RICHCNTL", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                            wc.hInstance, nullptr);
    // A second one: a walk under the desktop would take it for the room's input box.
    second_ = CreateWindowExA(0, "RICHCNTL", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                              wc.hInstance, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                            wc.hInstance, nullptr);
    received = 0;
  }
  Bystanders(const Bystanders&) = delete;
  Bystanders& operator=(const Bystanders&) = delete;
  ~Bystanders() {
    DestroyWindow(rich_);
    DestroyWindow(second_);
    DestroyWindow(edit_);
  }
  int EditLength() const { return GetWindowTextLengthA(edit_); }

  static inline int received = 0;

 private:
  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_SETTEXT || message == WM_CHAR) {
      ++received;
    }
    return DefWindowProcA(window, message, w, l);
  }
  HWND rich_ = nullptr;
  HWND second_ = nullptr;
  HWND edit_ = nullptr;
};

TEST(WithoutTheClient, NothingIsSentAnywhere) {
  ASSERT_EQ(FindWindowA("AOL Frame25", nullptr), nullptr);
  Bystanders bystanders;
  win32::User32Windows windows;
  EXPECT_EQ(hostwin::FindChatRoom(windows), 0U);
  hostwin::SendToChat(windows, u"a private line");
  hostwin::OpenKeyword(windows, u"https://example.org/");
  EXPECT_EQ(hostwin::GetScreenName(windows), u"");
  EXPECT_EQ(Bystanders::received, 0);
  EXPECT_EQ(bystanders.EditLength(), 0);
}

TEST(WithoutToolbar, TheAddressGoesNowhere) {
  Options options;
  options.toolbar = false;
  HostProcess host(options);
  Bystanders bystanders;
  win32::User32Windows windows;
  hostwin::OpenKeyword(windows, u"https://example.org/");
  hostwin::SendToChat(windows, u"still said");
  ASSERT_TRUE(SaidCount(host, 1));
  EXPECT_TRUE(Events(host, "open").empty());
  EXPECT_EQ(bystanders.EditLength(), 0);
}

// A window of this process whose timer runs handlers inside a wait.
class TimerWindow {
 public:
  TimerWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Zibbet Test Window";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "test", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
  }
  TimerWindow(const TimerWindow&) = delete;
  TimerWindow& operator=(const TimerWindow&) = delete;
  ~TimerWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

std::vector<std::string>* trace = nullptr;

// A timer's handler that waits itself.
void CALLBACK WaitingHandler(HWND window, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  KillTimer(window, id);
  trace->push_back("inner start");
  win32::WaitSeconds(1);
  trace->push_back("inner end");
}

TEST(WaitSeconds, HandlersAndNestedWaitsRunInsideIt) {
  TimerWindow window;
  std::vector<std::string> events;
  trace = &events;
  constexpr UINT_PTR kTimer = 7;
  SetTimer(window.Get(), kTimer, 200, WaitingHandler);
  const double started = Now();
  win32::WaitSeconds(1);
  const double took = Now() - started;
  events.push_back("outer end");
  trace = nullptr;
  EXPECT_EQ(events, (std::vector<std::string>{"inner start", "inner end", "outer end"}));
  // The inner wait starts about 0.2 s in and lasts 0.5 to 1.5 s; the outer one ends with it or
  // at its own end, whichever comes later.
  EXPECT_GT(took, 0.65);
  EXPECT_LT(took, 2.2);
}

void CALLBACK SlowHandler(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
  Sleep(150);
}

TEST(WaitSeconds, ASlowTimerInsideDelaysTheEndByOneHandlerAtMost) {
  TimerWindow window;
  SetTimer(window.Get(), 8, 100, SlowHandler);
  win32::MessageWait clock;
  const double wanted = hostwin::WaitLength(clock.TimeOfDay(), 1);
  const double started = Now();
  win32::WaitSeconds(1);
  const double took = Now() - started;
  KillTimer(window.Get(), 8);
  EXPECT_GE(took, wanted - 0.02);
  EXPECT_LT(took, wanted + 0.2);
}

TEST(MakeTopmost, KeepsPlaceAndSize) {
  TimerWindow window;
  ShowWindow(window.Get(), SW_SHOWNORMAL);
  RECT before{};
  GetWindowRect(window.Get(), &before);
  win32::MakeTopmost(window.Get());
  RECT after{};
  GetWindowRect(window.Get(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_NE(GetWindowLongA(window.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // Again, when it is topmost already: still no move.
  win32::MakeTopmost(window.Get());
  GetWindowRect(window.Get(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

struct DragSeen {
  bool seen = false;
  WPARAM command = 0;
  LONG pointed = -1;
  bool captured = true;
};
DragSeen* drag = nullptr;

LRESULT CALLBACK DragProbe(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_SYSCOMMAND && drag != nullptr) {
    drag->seen = true;
    drag->command = w;
    drag->pointed = *reinterpret_cast<const LONG*>(l);
    drag->captured = GetCapture() != nullptr;
    return 0;  // no modal move loop in a test
  }
  return DefWindowProcA(window, message, w, l);
}

TEST(DragWindow, ReleasesCaptureAndAsksForACaptionMove) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DragProbe;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Zibbet Drag Probe";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  DragSeen seen;
  drag = &seen;
  SetCapture(window);
  win32::DragWindow(window);
  drag = nullptr;
  DestroyWindow(window);
  EXPECT_TRUE(seen.seen);
  EXPECT_EQ(seen.command & 0xFFF0, static_cast<WPARAM>(SC_MOVE));
  EXPECT_EQ(seen.command & 0xF, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(seen.pointed, 0);
  EXPECT_FALSE(seen.captured);
}

}  // namespace
