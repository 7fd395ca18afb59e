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

std::optional<LRESULT> SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
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

TEST(PracticeHostHabits, CapsCutTheTranscriptsTop) {
  // The whole transcript would be "Ann:\tone\rAnn:\ttwo\rAnn:\tthree", a break counting one.
  const std::pair<std::pair<int, int>, std::string> cases[] = {
      {{2, 0}, "Ann:\ttwo\r\nAnn:\tthree"},
      {{0, 12}, "o\r\nAnn:\tthree"},
      {{1, 12}, "Ann:\tthree"},
      {{2, 12}, "o\r\nAnn:\tthree"},
  };
  for (const auto& [caps, transcript] : cases) {
    const HostProcess host(Options{.capLines = caps.first, .capChars = caps.second});
    for (const char* line : {"one", "two", "three"}) {
      host.Say("Ann", line);
    }
    EXPECT_EQ(host.TranscriptText(), transcript) << caps.first << " lines, " << caps.second;
    EXPECT_EQ(host.Events("said").size(), 3u);
  }
}

TEST(PracticeHostHabits, StrictReadsCopyNothingIntoAShortBuffer) {
  for (const auto& [strict, copied] : {std::pair{false, "Ann:\tlin"}, std::pair{true, ""}}) {
    const HostProcess host(Options{.strictReads = strict});
    host.Say("Ann", "line");
    std::string buffer(9, '\0');  // one short of "Ann:\tline" and its NUL
    const auto read = SendWithin(host.Transcript(), WM_GETTEXT, buffer.size(),
                                 reinterpret_cast<LPARAM>(buffer.data()));
    EXPECT_EQ(read, static_cast<LRESULT>(std::string(copied).size())) << strict;
    EXPECT_EQ(buffer.c_str(), std::string(copied)) << strict;
    EXPECT_EQ(host.TranscriptText(), "Ann:\tline") << "a buffer that fits reads it all";
  }
}

// Run under code page 932 too (LC_ALL=ja_JP.UTF-8; PRACTICEHOST_CODE_PAGE=932 makes sure of it):
// there a rich edit's WM_GETTEXTLENGTH counts fewer characters than the line has bytes.
TEST(PracticeHostHabits, LinesBeyondAsciiAreSaidAndReadBack) {
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
  // Quotes and backslashes must survive the log too; the markup is said but never shown.
  const std::string ansi = row->second.first + " \"\\";
  const std::string utf8 = row->second.second + " \"\\";
  const std::string markup = "<Font Color=#0000FF>";
  const HostProcess host;
  const std::string line = markup + ansi;  // set into the box, then Enter, as Zibbet does
  ASSERT_EQ(SendWithin(host.InputBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str())), 1);
  ASSERT_TRUE(SendWithin(host.InputBox(), WM_CHAR, '\r', 0));
  std::vector<std::string> events;
  std::ranges::transform(host.ReadLog(), std::back_inserter(events),
                         [](const LogEntry& entry) { return entry.event + " " + entry.target; });
  EXPECT_EQ(events, (std::vector<std::string>{"ready ", "settext input", "char input", "said "}));
  ASSERT_EQ(host.Events("said").size(), 1u) << "the line was dropped";
  EXPECT_EQ(host.Events("said")[0].text, utf8);
  EXPECT_EQ(host.Events("said")[0].markup, markup + utf8);
  EXPECT_EQ(host.TranscriptText(), kLabel + ansi);
  EXPECT_EQ(SendWithin(host.InputBox(), WM_GETTEXTLENGTH, 0, 0), 0);
}

}  // namespace
}  // namespace practicehost
