#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MemoryWindows.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/Keyword.h"

namespace {

using hostwin::FindChatRoom;
using hostwin::GetScreenName;
using hostwin::Handle;
using hostwin::OpenKeyword;
using hostwin::ReadWindowTitle;
using hostwin::SendToChat;
using testing_support::ClientTree;
using testing_support::MemoryWindows;

TEST(ChatRoom, TheLineGoesToTheFirstDocumentWithAllFourParts) {
  MemoryWindows windows;
  ClientTree client(windows);
  client.AddDocument(u"Welcome, Kay!", {u"Static"});
  // Each lacks one of the four parts; the rooms after them are found in child order, their
  // parts in any order and letter case.
  client.AddDocument(u"no title", {u"RICHCNTL", u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Icon"});
  client.AddDocument(u"no icon", {u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Static"});
  client.AddDocument(u"no list", {u"RICHCNTL", u"_AOL_Icon", u"_AOL_Static"});
  client.AddDocument(u"no text", {u"_AOL_Listbox", u"_AOL_Icon", u"_AOL_Static"});
  const Handle room = client.AddDocument(
      u"Room", {u"_aol_static", u"richcntl", u"_AOL_ICON", u"RICHCNTL", u"_AOL_Listbox"});
  client.AddRoom(u"Lobby 2");
  EXPECT_EQ(FindChatRoom(windows), room);
  SendToChat(windows, u"a");  // what it types there: TypeInto
  EXPECT_EQ(windows.Messages().at(0).window, client.InputOf(room));
}

TEST(ChatRoomMissing, NothingIsSentAndNothingIsSearchedUnderTheDesktop) {
  const std::vector<std::pair<const char*, std::function<void(MemoryWindows&)>>> cases = {
      {"no client",
       [](MemoryWindows& w) {
         // Another program's windows that a search under handle 0 would reach.
         w.Add(w.Add(0, u"RICHCNTL"), u"RICHCNTL");
         w.Add(0, u"Edit");
       }},
      {"no document area", [](MemoryWindows& w) { w.Add(0, hostwin::kFrameClass); }},
      {"no toolbar, and a room with one rich-text child",
       [](MemoryWindows& w) {
         ClientTree(w, false).AddDocument(
             u"Doc", {u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Icon", u"_AOL_Static"});
       }},
  };
  for (const auto& [name, build] : cases) {
    MemoryWindows windows;
    build(windows);
    SendToChat(windows, u"private line");
    OpenKeyword(windows, u"https://example.org/");
    EXPECT_EQ(GetScreenName(windows), u"") << name;
    EXPECT_TRUE(windows.Messages().empty()) << name;
    EXPECT_EQ(windows.SearchesUnderNone(), 0) << name;
  }
}

TEST(GetScreenName, WelcomeTitles) {
  // Each title stands in the first document window; a second one, "Welcome, later!", follows it
  // so that a title that is not a welcome lets the search go on to it.
  const std::vector<std::pair<std::u16string, std::u16string>> cases = {
      {u"Welcome, ab c!", u"ab c"}, {u"Welcome, !", u""},
      {u"Welcome, ab!c!", u"ab"},   {u"welcome, ab!", u"later"},
      {u" Welcome, ab!", u"later"}, {u"Welcome,ab!", u"later"},
      {u"Welcome, ab", u"later"},  // no "!": no name ends, so not a welcome window
      {u"Town Square", u"later"},   {u"", u"later"},
  };
  for (const auto& [title, name] : cases) {
    MemoryWindows windows;
    ClientTree client(windows);
    client.AddDocument(title, {});
    client.AddDocument(u"Welcome, later!", {});
    EXPECT_EQ(GetScreenName(windows), name) << std::string(title.begin(), title.end());
  }
}

TEST(ReadWindowTitle, KeepsTheReportedLength) {
  MemoryWindows windows;
  const Handle window = windows.Add(0, u"X", u"abc");
  EXPECT_EQ(ReadWindowTitle(windows, window), u"abc");
  windows.ReportLength(window, 5);
  EXPECT_EQ(ReadWindowTitle(windows, window), std::u16string(u"abc\0\0", 5));
  windows.ReportLength(window, 2);
  EXPECT_EQ(ReadWindowTitle(windows, window), u"ab");
  EXPECT_EQ(ReadWindowTitle(windows, 0), u"");
  const Handle untitled = windows.Add(0, u"X");
  EXPECT_EQ(ReadWindowTitle(windows, untitled), u"");
}

// Typing in the room's input box survives a line: put back after Enter, caret at its end. A box
// that cannot be read may hold typing, and one that did not take the line would act on it: both
// are left alone. After a refused key the line must not stay behind for the user's Enter. The
// keyword box's text is the address it opened last: replaced, never put back.
TEST(TypeInto, WhatTheUserTypedInTheInputBoxSurvivesAndTheKeywordBoxIsReplaced) {
  // Faults: r a read, l the line, k the first key. Expected: L the line, K keys, T the text, C
  // the caret; for the keyword box, what it gets instead.
  const struct {
    std::u16string typed;
    char fault;
    std::string_view expected;
    std::string_view keyword;
  } cases[] = {{u"half a li", ' ', "LKTC", "LK"}, {u"", ' ', "LK", "LK"},
               {u"half", 'r', "", "LK"},          {u"half", 'l', "", ""},
               {u"half", 'k', "LTC", "L"},        {u"", 'k', "LT", "L"}};
  for (const auto& c : cases) {
    for (const bool keyword : {false, true}) {
      MemoryWindows windows;
      ClientTree client(windows);
      const Handle box = keyword ? client.toolbarEdit : client.InputOf(client.AddRoom(u"Lobby"));
      windows.SetTitle(box, c.typed);
      windows.FailReads(c.fault == 'r' ? 1 : 0);
      windows.FailSends(c.fault == 'l' ? 1 : 0);
      windows.OnMessage([&windows, refuse = c.fault == 'k'](const MemoryWindows::Message&) mutable {
        windows.FailSends(std::exchange(refuse, false) ? 1 : 0);
      });
      keyword ? OpenKeyword(windows, u"line") : SendToChat(windows, u"line");
      const std::u16string_view keys = keyword ? u" \r" : u"\r";
      std::vector<MemoryWindows::Message> expected;
      for (const char step : keyword ? c.keyword : c.expected) {
        for (const char16_t key : step == 'K' ? keys : u"") {
          expected.push_back({box, true, {}, key});
        }
        if (step != 'K') {
          const std::u16string text = step == 'L' ? u"line" : (step == 'T' ? c.typed : u"");
          expected.push_back({box, false, text, 0, 0, step == 'C'});
        }
      }
      EXPECT_EQ(windows.Messages(), expected) << c.expected << (keyword ? " keyword" : "");
    }
  }
}

}  // namespace
