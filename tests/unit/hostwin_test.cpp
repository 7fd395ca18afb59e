#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
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

class ChatRoomTest : public ::testing::Test {
 protected:
  MemoryWindows windows;
  ClientTree client{windows};

  void ExpectSentTo(Handle box, std::u16string_view text) {
    EXPECT_EQ(windows.Messages(), (std::vector<MemoryWindows::Message>{
                                      {box, false, std::u16string(text)}, {box, true, {}, 13}}));
  }
};

TEST_F(ChatRoomTest, TheLineGoesToTheFirstDocumentWithAllFourParts) {
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
  SendToChat(windows, u"<Font Color=#0000FF>a");
  ExpectSentTo(client.InputOf(room), u"<Font Color=#0000FF>a");
}

TEST_F(ChatRoomTest, ALineTheBoxDoesNotTakeIsGivenUpAndTheNextGoesWhole) {
  const Handle room = client.AddRoom(u"Town Square");
  windows.FailSends(2);
  SendToChat(windows, u"lost");  // no Enter: it would say what the box holds
  OpenKeyword(windows, u"lost too");
  EXPECT_TRUE(windows.Messages().empty());
  SendToChat(windows, u"next");
  ExpectSentTo(client.InputOf(room), u"next");
}

TEST(ChatRoomMissing, NothingIsSentAndNothingIsSearchedUnderTheDesktop) {
  const std::vector<std::pair<const char*, std::function<void(MemoryWindows&)>>> cases = {
      {"no client",
       [](MemoryWindows& w) {
         // Another program's windows that a search under handle 0 would reach.
         w.AddChild(w.AddTopLevel(u"RICHCNTL"), u"RICHCNTL");
         w.AddTopLevel(u"Edit");
       }},
      {"no document area", [](MemoryWindows& w) { w.AddTopLevel(hostwin::kFrameClass); }},
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
  const Handle window = windows.AddTopLevel(u"X", u"abc");
  EXPECT_EQ(ReadWindowTitle(windows, window), u"abc");
  windows.ReportLength(window, 5);
  EXPECT_EQ(ReadWindowTitle(windows, window), std::u16string(u"abc\0\0", 5));
  windows.ReportLength(window, 2);
  EXPECT_EQ(ReadWindowTitle(windows, window), u"ab");
  EXPECT_EQ(ReadWindowTitle(windows, 0), u"");
  const Handle untitled = windows.AddTopLevel(u"X");
  EXPECT_EQ(ReadWindowTitle(windows, untitled), u"");
}

TEST(OpenKeyword, SendsTextSpaceAndEnterToTheKeywordBox) {
  for (const std::u16string text : {u"https://example.org/a?b=c", u""}) {
    MemoryWindows windows;
    ClientTree client(windows);
    OpenKeyword(windows, text);
    const Handle box = client.toolbarEdit;
    EXPECT_EQ(windows.Messages(),
              (std::vector<MemoryWindows::Message>{
                  {box, false, text}, {box, true, {}, 32}, {box, true, {}, 13}}));
  }
}

TEST(TypeInto, WhatTheUserTypedInTheBoxSurvives) {
  enum class Fault { kNone, kRead, kKey };
  // The messages expected, in order: L the line, K its keys, T the box's earlier text, C the
  // caret to its end.
  struct Case {
    const char* name;
    std::u16string typed;
    Fault fault;
    std::string_view expected;
  };
  const std::vector<Case> cases = {
      {"a half-typed line comes back", u"half a li", Fault::kNone, "LKTC"},
      {"an empty box sees nothing more", u"", Fault::kNone, "LK"},
      {"an unreadable box may hold typing: left alone", u"half", Fault::kRead, ""},
      {"a refused key", u"half", Fault::kKey, "LTC"},
      {"a refused key: the line must not wait for the user's Enter", u"", Fault::kKey, "LT"},
  };
  for (const auto& c : cases) {
    for (const bool keyword : {false, true}) {
      MemoryWindows windows;
      ClientTree client(windows);
      const Handle box = keyword ? client.toolbarEdit : client.InputOf(client.AddRoom(u"Lobby"));
      windows.SetTitle(box, c.typed);
      if (c.fault == Fault::kRead) {
        windows.FailReads(1);
      } else if (c.fault == Fault::kKey) {
        windows.OnMessage([&windows, armed = true](const MemoryWindows::Message&) mutable {
          windows.FailSends(armed ? 1 : 0);
          armed = false;
        });
      }
      keyword ? OpenKeyword(windows, u"line") : SendToChat(windows, u"line");

      std::vector<MemoryWindows::Message> expected;
      for (const char step : c.expected) {
        if (step == 'L' || step == 'T') {
          expected.push_back({box, false, step == 'L' ? u"line" : c.typed});
        } else if (step == 'C') {
          expected.push_back({box, false, {}, 0, 0, true});
        } else {
          for (const char16_t key : std::u16string_view(keyword ? u" \r" : u"\r")) {
            expected.push_back({box, true, {}, key});
          }
        }
      }
      EXPECT_EQ(windows.Messages(), expected) << c.name << (keyword ? ", keyword box" : "");
    }
  }
}

}  // namespace
