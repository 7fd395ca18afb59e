// The practice host, run for real under Wine and driven the way Zibbet drives the chat client:
// FindWindowEx for the window tree, WM_SETTEXT and WM_CHAR into the boxes, WM_COPYDATA for other
// members (the end-to-end flows use --say). The host's log tells what arrived.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "practicehost/Options.h"
#include "practicehost/testing/HostProcess.h"
#include "winkit/Handles.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
const std::string kLabel = "Kestrel Jay:\t";  // what every line of ours starts with

// The window's class name or title, by the call given.
std::string Read(HWND window, int(WINAPI* get)(HWND, LPSTR, int)) {
  char text[512] = {};
  get(window, text, sizeof text);
  return text;
}
std::string ClassOf(HWND window) { return Read(window, GetClassNameA); }
std::string TitleOf(HWND window) { return Read(window, GetWindowTextA); }

// In the order FindWindowEx meets them.
std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = nullptr; (c = FindWindowExA(parent, c, nullptr, nullptr)) != nullptr;) {
    children.push_back(c);
  }
  return children;
}

// As an ANSI window procedure sends it, or a Unicode one.
std::optional<LRESULT> SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  bool wide = false) {
  DWORD_PTR result = 0;
  return (wide ? SendMessageTimeoutW : SendMessageTimeoutA)(
             window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)
             ? std::optional(static_cast<LRESULT>(result))
             : std::nullopt;
}

// What an ANSI reader gets from WM_GETTEXT, sized by its own WM_GETTEXTLENGTH (room for two bytes
// a counted character: a rich edit counts characters). Zibbet's wide reads of every kind are
// shown by its scanner's tests.
std::optional<std::string> ReadAnsi(HWND window) {
  const std::optional<LRESULT> length = SendWithin(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) {
    return std::nullopt;
  }
  std::string text(2 * static_cast<size_t>(*length) + 1, '\0');
  const std::optional<LRESULT> copied =
      SendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return copied ? std::optional(text.substr(0, static_cast<size_t>(*copied))) : std::nullopt;
}
// The kinds of transcript, each made of another system control; skips a kind this system lacks.
class TranscriptKinds : public testing::TestWithParam<TranscriptKind> {
 protected:
  void SetUp() override {
    const winkit::UniqueModule library(LoadLibraryA("msftedit.dll"));
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (GetParam() == TranscriptKind::kRich50 &&
        (!library || !GetClassInfoExW(library.Get(), L"RICHEDIT50W", &info))) {
      GTEST_SKIP() << "the system has no RICHEDIT50W";
    }
  }
  Options With(Options options) const {
    options.transcript = GetParam();
    return options;
  }
};

INSTANTIATE_TEST_SUITE_P(PracticeHost, TranscriptKinds, testing::ValuesIn(kTranscriptKinds),
                         [](const auto& info) {
                           std::string name = KindName(info.param);
                           std::erase(name, '-');
                           return name;
                         });

TEST_P(TranscriptKinds, LinesReadBackAsSenderTabText) {
  const HostProcess host(With({}));
  for (const HWND box : {host.Transcript(), host.InputBox()}) {
    EXPECT_EQ(ClassOf(box), kRichClass);
    EXPECT_EQ(IsWindowUnicode(box) != FALSE, IsUnicodeKind(GetParam()));
  }
  host.Say("Ann", "one");
  host.Say("Bo", "<Font Color=#FF0000>two {\\b}");
  EXPECT_EQ(ReadAnsi(host.Transcript()), "Ann:\tone\r\nBo:\ttwo {\\b}");
  // The heap is checked as asked (the scanner's tests ask), and as the host closes.
  ASSERT_TRUE(PostMessageA(host.Frame(), WM_CLOSE, 0, 0));
  EXPECT_TRUE(host.WaitForLog(
      [](const std::vector<LogEntry>& log) {
        return std::ranges::count(log, std::string("heap"), &LogEntry::event) == 1;
      },
      kSendTimeoutMs));
  EXPECT_EQ(host.Events("heap").back().text, "ok");
}

TEST_P(TranscriptKinds, CapsCutTheTopALineBreakCountingOne) {
  // The whole transcript would be "Ann:\tone\rAnn:\ttwo\rAnn:\tthree", a break counting one.
  const std::pair<std::pair<int, int>, std::string> cases[] = {
      {{2, 0}, "Ann:\ttwo\r\nAnn:\tthree"},
      {{0, 12}, "o\r\nAnn:\tthree"},
      {{1, 12}, "Ann:\tthree"},
  };
  for (const auto& [caps, transcript] : cases) {
    const HostProcess host(With({.capLines = caps.first, .capChars = caps.second}));
    for (const char* line : {"one", "two", "three"}) {
      host.Say("Ann", line);
    }
    EXPECT_EQ(ReadAnsi(host.Transcript()), transcript) << caps.first << " lines, " << caps.second;
  }
}

TEST_P(TranscriptKinds, ShortBuffersGetWholeCharactersOrStrictlyNothing) {
  for (const auto& [strict, copied] : {std::pair{false, "Ann:\tlin"}, std::pair{true, ""}}) {
    const HostProcess host(With({.strictReads = strict}));
    host.Say("Ann", "line");
    std::string buffer(9, '\x7f');  // one short of "Ann:\tline" and its NUL
    const auto read = SendWithin(host.Transcript(), WM_GETTEXT, buffer.size(),
                                 reinterpret_cast<LPARAM>(buffer.data()));
    EXPECT_EQ(read, static_cast<LRESULT>(std::string(copied).size())) << strict;
    EXPECT_EQ(buffer.c_str(), std::string(copied)) << strict;
  }
}

TEST_P(TranscriptKinds, HistoryAndHugeLengthsHoldOnEveryKind) {
  const HostProcess host(With({.historyBytes = 40000, .hugeLength = 2}));
  // In UTF-16: Wine measures an ANSI WM_GETTEXTLENGTH from another thread by a WM_GETTEXT of
  // its own, so an ANSI reader never sees the huge answer.
  const auto lengthW = [&host] {
    return SendWithin(host.Transcript(), WM_GETTEXTLENGTH, 0, 0, true);
  };
  EXPECT_NE(lengthW(), kHugeLength);
  EXPECT_EQ(lengthW(), kHugeLength);
  // Whole lines, the last one numbered by the line breaks before it.
  const std::string history = host.TranscriptText();
  EXPECT_GE(history.size(), 40000u);  // past an edit control's first limit
  EXPECT_TRUE(history.ends_with(":\tline " + std::to_string(std::ranges::count(history, '\n')) +
                                ", said earlier in a long day in the room"));
}

// Run under code page 932 too (LC_ALL=ja_JP.UTF-8; PRACTICEHOST_CODE_PAGE=932 makes sure of it):
// there a rich edit's WM_GETTEXTLENGTH counts fewer characters than the line has bytes.
TEST_P(TranscriptKinds, LinesBeyondAsciiAreSaidAndReadBack) {
  char wanted[16] = {};
  if (GetEnvironmentVariableA("PRACTICEHOST_CODE_PAGE", wanted, sizeof wanted)) {
    ASSERT_EQ(std::to_string(GetACP()), wanted) << "is the ja_JP.UTF-8 locale missing?";
  }
  const std::pair<UINT, std::pair<std::string, std::string>> lines[] = {
      {932, {"\x93\xfa\x96\x7b\x8c\xea ok", "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e ok"}},
      {1252, {"caf\xe9 \x80", "caf\xc3\xa9 \xe2\x82\xac"}},
  };
  const auto row = std::find_if(std::begin(lines), std::end(lines),
                                [](const auto& line) { return line.first == GetACP(); });
  if (row == std::end(lines)) {
    GTEST_SKIP() << "no line for code page " << GetACP();
  }
  // Quotes and backslashes must survive the log too; the markup is said but never shown; what a
  // rich edit would read as RTF is taken literally.
  const std::string ansi = row->second.first + " \"\\";
  const std::string utf8 = row->second.second + " \"\\";
  const std::string rtf = "{\\rtf1 x}";
  const std::string markup = "<Font Color=#0000FF>";
  const HostProcess host(With({}));
  const std::string line = rtf + markup + ansi;  // set into the box, then Enter, as Zibbet does
  ASSERT_EQ(SendWithin(host.InputBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str())), 1);
  ASSERT_TRUE(SendWithin(host.InputBox(), WM_CHAR, '\r', 0));
  std::vector<std::string> events;
  std::ranges::transform(host.ReadLog(), std::back_inserter(events),
                         [](const LogEntry& entry) { return entry.event + " " + entry.target; });
  EXPECT_EQ(events, (std::vector<std::string>{"ready ", "settext input", "char input", "said "}));
  ASSERT_EQ(host.Events("said").size(), 1u) << "the line was dropped";
  EXPECT_EQ(host.Events("said")[0].text, rtf + utf8);
  EXPECT_EQ(host.Events("said")[0].markup, rtf + markup + utf8);
  EXPECT_EQ(host.TranscriptText(), kLabel + rtf + ansi);
  EXPECT_EQ(SendWithin(host.InputBox(), WM_GETTEXTLENGTH, 0, 0), 0) << "Enter empties the box";
}

// Run at 100 % and, in a Wine prefix of its own, at 150 % (where PRACTICEHOST_DPI=144 makes sure
// the prefix took): the room and its transcript grow with the display's scale, so that one of
// Zibbet's banners reads on one line and the transcript scrolls no more sideways than at 100 %.
TEST_P(TranscriptKinds, GrowWithTheDisplaysScale) {
  const int dpi = GetDeviceCaps(winkit::WindowDc(nullptr).Get(), LOGPIXELSY);
  char wanted[16] = {};
  if (GetEnvironmentVariableA("PRACTICEHOST_DPI", wanted, sizeof wanted)) {
    ASSERT_EQ(std::to_string(dpi), wanted) << "the Wine prefix runs at another dpi";
  }
  const Options options = With({});
  const HostProcess host(options);
  host.Say(options.screenName, "(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)");
  // Their sizes at 96 dpi. The room's frame and caption are the system's, grown by whole pixels of
  // their own (a 4-pixel frame is 5 at 150 %, not 6), and the transcript takes up what they leave.
  constexpr int kSlack = 2;
  const std::pair<HWND, SIZE> windows[] = {{host.Room(), {610, 450}},
                                           {host.Transcript(), {434, 355}}};
  for (const auto& [window, at96] : windows) {
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_NEAR(rect.right - rect.left, MulDiv(at96.cx, dpi, 96), kSlack) << ClassOf(window);
    EXPECT_NEAR(rect.bottom - rect.top, MulDiv(at96.cy, dpi, 96), kSlack) << ClassOf(window);
  }
  EXPECT_EQ(GetWindowLongPtrA(host.Transcript(), GWL_STYLE) & WS_HSCROLL, 0)
      << "the transcript scrolls sideways";
  EXPECT_EQ(SendWithin(host.Transcript(), EM_GETLINECOUNT, 0, 0), 1) << "the banner wrapped";
}

TEST(PracticeHostWindows, HaveTheChatClientsTree) {
  const std::vector<std::string> roomParts = {kRichClass, kRichClass, kListboxClass, kIconClass,
                                              kStaticClass};
  const std::pair<Options, std::vector<std::string>> cases[] = {
      {Options{.rooms = 2, .decoy = true},
       {"Member Directory", "Town Square", "Lobby 12", "Welcome, Kestrel Jay!"}},
      {Options{.welcome = false, .toolbar = false}, {"Town Square"}},
      {Options{.welcomeTitle = R"(Hello "there", C:\ friend\)"},
       {"Town Square", R"(Hello "there", C:\ friend\)"}},
  };
  for (const auto& [options, documents] : cases) {
    SCOPED_TRACE(documents.back());
    const HostProcess host(options);
    EXPECT_EQ(ClassOf(host.Frame()), kFrameClass);
    std::vector<std::string> titles;
    for (const HWND document : Children(host.MdiClient())) {
      EXPECT_EQ(ClassOf(document), kChildClass);
      titles.push_back(TitleOf(document));
      std::vector<std::string> parts;
      std::ranges::transform(Children(document), std::back_inserter(parts), ClassOf);
      const bool room = titles.back() == RoomName(1) || titles.back() == RoomName(2);
      EXPECT_EQ(parts == roomParts, room) << titles.back() << ": a room, and only a room";
      if (room) {
        EXPECT_EQ(TitleOf(Children(document).back()), titles.back());
      }
    }
    EXPECT_EQ(titles, documents);
    EXPECT_EQ(host.KeywordBox() != nullptr, options.toolbar);  // at the end of the toolbar's path
  }
}

}  // namespace
}  // namespace practicehost
