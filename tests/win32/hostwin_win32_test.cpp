// The window access against the practice host's real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <ios>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "hostwin/ChatRoom.h"
#include "hostwin/ChatScanner.h"
#include "hostwin/Keyword.h"
#include "practicehost/testing/HostProcess.h"
#include "win32/BackgroundThread.h"
#include "win32/User32Windows.h"
#include "winkit/MessagePump.h"
#include "winkit/MessageWait.h"

namespace {

using practicehost::HostProcess;
using practicehost::LogEntry;
using practicehost::Options;

// Whether the host logs such an event within a few seconds.
bool Logged(const HostProcess& host, const std::string& event) {
  return host.WaitForLog(
      [&](const std::vector<LogEntry>& log) {
        return std::ranges::any_of(log, [&](const LogEntry& e) { return e.event == event; });
      },
      5000);
}

TEST(ChatClient, TheLineIsSaidInTheCodePagesBytesTheNameReadAndTheKeywordOpened) {
  HostProcess host;
  win32::User32Windows windows;
  hostwin::SendToChat(windows, u"<Font Color=#0000FF>caf\u00e9");
  ASSERT_TRUE(Logged(host, "said"));
  // The markup's 20 bytes, then "caf\u00e9" in the code page's bytes: E9 in every Latin one.
  // What the host makes of such bytes its own tests show.
  EXPECT_EQ(host.Events("settext").at(0).hex.substr(40), "636166e9") << "code page " << GetACP();
  EXPECT_EQ(hostwin::GetScreenName(windows), u"Kestrel Jay");
  hostwin::OpenKeyword(windows, u"https://images.example.org/collection?id=42&page=2");
  ASSERT_TRUE(Logged(host, "open"));
  EXPECT_EQ(host.Events("open").at(0).address,
            "https://images.example.org/collection?id=42&page=2");
}

// The scanner as the console runs it: reads on a thread of their own, lines handed back to this
// one between its messages. Each poll waits for the last one's read to end.
struct Scanner {
  Scanner(hostwin::WindowAccess& windows, hostwin::ChatScanner::Deliver deliver)
      : scanner(windows, std::move(owned), std::move(deliver)) {}
  // The start, and the first poll, which reads the room.
  void Start() {
    scanner.Start();
    Poll();
  }
  void Poll(int polls = 1) {
    for (int i = 0; i < polls; ++i) {
      scanner.Poll();
      ASSERT_TRUE(winkit::PumpUntil([this] { return !reader->Busy(); }, 5000));
    }
  }
  std::unique_ptr<win32::BackgroundThread> owned = std::make_unique<win32::BackgroundThread>();
  win32::BackgroundThread* reader = owned.get();  // the scanner's
  hostwin::ChatScanner scanner;
};

std::string Numbered(int i) {
  return "line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 3), '!');
}

// The scanner on the host's real transcript of every kind, which trims its top, copies nothing
// into a buffer too small for it, or answers absurd lengths, while another member and Zibbet say
// lines: every line said after the start is heard once, in order, and the client's heap stays
// sound.
TEST(ChatScanner, HearsEveryLineOnceWhateverTheClientDoesToItsTranscript) {
  using practicehost::TranscriptKind;
  const Options cases[] = {{.capLines = 3},
                           {.capChars = 40},
                           {.strictReads = true},
                           {.capLines = 3, .hugeLength = 3},
                           // Long enough that quiet copies are paced seconds apart.
                           {.historyBytes = 200'000},
                           {.transcript = TranscriptKind::kRichW, .capLines = 3},
                           {.transcript = TranscriptKind::kRich50, .strictReads = true},
                           {.transcript = TranscriptKind::kEditA, .capChars = 40},
                           {.transcript = TranscriptKind::kEditW, .capLines = 3}};
  constexpr int kLines = 24;
  for (const auto& options : cases) {
    SCOPED_TRACE(&options - cases);
    std::optional<HostProcess> host;
    try {
      host.emplace(options);
    } catch (const std::runtime_error& error) {
      std::printf("case %d not tried: %s\n", static_cast<int>(&options - cases), error.what());
      continue;
    }
    win32::User32Windows windows;
    std::vector<std::string> heard;
    Scanner scanner(windows, [&](const hostwin::ChatLine& line) {
      heard.emplace_back(line.text.begin(), line.text.end());
    });
    host->Say("Old Timer", "tu9vo said long ago");
    scanner.Start();
    std::vector<std::string> said;
    for (int i = 0; i < kLines; ++i) {
      said.push_back(Numbered(i));
      if (i % 2 == 0) {
        host->Say("Ann", said.back());
      } else {
        hostwin::SendToChat(windows, std::u16string(said.back().begin(), said.back().end()));
      }
      if (i % 3 != 0) {  // every third comes in a burst with the next
        // A change that keeps the length is seen within a few polls.
        scanner.Poll(hostwin::ChatScanner::kPollsPerLook);
      }
    }
    scanner.Poll(2);
    EXPECT_EQ(heard, said);
    EXPECT_TRUE(host->HeapSound());
  }
}

TEST(WindowAccess, AHungClientCostsABoundedWaitAndAFailureNotAnEmptyText) {
  HostProcess host;
  win32::User32Windows windows;
  const auto transcript = win32::ToHandle(host.Transcript());
  const auto input = win32::ToHandle(host.InputBox());
  host.Say("Ann", "hi");
  ASSERT_TRUE(windows.Text(transcript).has_value());
  constexpr double kBound = win32::User32Windows::kReadMilliseconds / 1000.0;
  host.Hang(static_cast<int>(3500 * kBound));
  for (const auto& ask : std::vector<std::function<bool()>>{
           [&] { return windows.TextLength(transcript).has_value(); },
           [&] { return windows.Text(transcript).has_value(); },
           [&] { return windows.SetText(input, u"late"); }}) {
    const double started = winkit::MonotonicSeconds();
    EXPECT_FALSE(ask());
    EXPECT_LT(winkit::MonotonicSeconds() - started, kBound + 0.3);
  }
  Sleep(static_cast<DWORD>(800 * kBound));
  EXPECT_NE(windows.Text(transcript).value_or(u"").find(u"Ann:\thi"), std::u16string::npos);
}

// A handle is 32 bits shared with 32-bit programs: a 64-bit one widens it signed into a pointer
// and truncates the pointer back to the same 32 bits; a 32-bit one keeps the bits as they are.
TEST(WindowAccess, AHandleSignExtendsIntoAPointerAndTruncatesBack) {
  struct Case {
    hostwin::Handle handle;
    std::uint64_t hwnd64;  // the pointer's bits in a 64-bit program
  };
  for (const auto& c : std::vector<Case>{{0x00001234, 0x0000000000001234},
                                         {0x7FFFFFFF, 0x000000007FFFFFFF},
                                         {0x80001234, 0xFFFFFFFF80001234},
                                         {0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF}}) {
    const HWND window = win32::ToHwnd(c.handle);
    const std::uint64_t expected = sizeof(HWND) == 8 ? c.hwnd64 : c.hwnd64 & 0xFFFFFFFF;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(window), expected) << std::hex << c.handle;
    EXPECT_EQ(win32::ToHandle(window), c.handle) << std::hex << c.handle;
  }
  EXPECT_EQ(win32::ToHwnd(win32::ToHandle(GetDesktopWindow())), GetDesktopWindow());
}

// Under code page 932 only (the end-to-end test runs these with a Japanese locale): double-byte
// text is sent as the code page's bytes and heard whole from a capped transcript read strictly;
// and from one that grows between the length and the copy, by more than a read's slack, the copy
// cut before a double-byte character that does not fit, which is never taken for the text.
TEST(CodePage932, DoubleByteTextIsSentAndHeardWholeACutCopyIsAskedAgain) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "code page " << GetACP();
  }
  const struct {
    Options options;
    std::vector<const char*> said;
    std::vector<std::u16string> heard;
  } cases[] = {{{.capChars = 30, .strictReads = true},
                {"\x82\xa0\x82\xa2", "\x93\xfa\x96\x7b\x8c\xea tu9vo", "\x82\xa4"},
                {u"\u3042\u3044", u"\u65e5\u672c\u8a9e tu9vo", u"\u3046"}},
               {{.capLines = 4, .growingReads = true},
                {"\x82\xa0", "\x93\xfa\x96\x7b tu9vo", "\x82\xa4"},
                {u"\u3042", u"\u65e5\u672c tu9vo", u"\u3046"}}};
  for (const auto& c : cases) {
    HostProcess host(c.options);
    win32::User32Windows windows;
    if (&c == cases) {
      hostwin::SendToChat(windows, u"\u65e5\u672c\u8a9e");
      ASSERT_TRUE(Logged(host, "said"));
      EXPECT_EQ(host.Events("settext").at(0).hex, "93fa967b8cea");
    }
    std::vector<std::u16string> heard;  // Ann's lines, amid any regular's chatter
    Scanner scanner(windows, [&](const hostwin::ChatLine& line) {
      heard.insert(heard.end(), line.sender == u"Ann" ? 1 : 0, line.text);
    });
    scanner.Start();
    for (const char* line : c.said) {
      host.Say("Ann", line);
      scanner.Poll(hostwin::ChatScanner::kPollsPerLook);
    }
    EXPECT_EQ(heard, c.heard);
  }
}

}  // namespace
