#include <gtest/gtest.h>

#include <string>
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
    const auto& sent = windows.Messages();
    ASSERT_EQ(sent.size(), 2U);
    EXPECT_EQ(sent[0].window, box);
    EXPECT_FALSE(sent[0].isChar);
    EXPECT_EQ(sent[0].text, text);
    EXPECT_EQ(sent[1].window, box);
    EXPECT_TRUE(sent[1].isChar);
    EXPECT_EQ(sent[1].code, 13);
  }
};

TEST_F(ChatRoomTest, LineGoesToTheSecondRichTextChildOfTheRoom) {
  client.AddDocument(u"Welcome, Kay!", {u"Static"});
  const Handle room = client.AddRoom(u"Town Square");
  EXPECT_EQ(FindChatRoom(windows), room);
  SendToChat(windows, u"<Font Color=#0000FF>a");
  ExpectSentTo(client.InputOf(room), u"<Font Color=#0000FF>a");
  EXPECT_EQ(windows.SearchesUnderNone(), 0);
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

TEST_F(ChatRoomTest, FirstRoomInChildOrderWins) {
  const Handle first = client.AddRoom(u"Lobby 1");
  client.AddRoom(u"Lobby 2");
  SendToChat(windows, u"hi");
  ExpectSentTo(client.InputOf(first), u"hi");
}

TEST_F(ChatRoomTest, DocumentsMissingAPartAreNotRooms) {
  // Each lacks one of the four parts; the room after them is the one found.
  client.AddDocument(u"no title", {u"RICHCNTL", u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Icon"});
  client.AddDocument(u"no icon", {u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Static"});
  client.AddDocument(u"no list", {u"RICHCNTL", u"_AOL_Icon", u"_AOL_Static"});
  client.AddDocument(u"no text", {u"_AOL_Listbox", u"_AOL_Icon", u"_AOL_Static"});
  const Handle room = client.AddRoom(u"Town Square");
  EXPECT_EQ(FindChatRoom(windows), room);
}

TEST_F(ChatRoomTest, PartsAreFoundWhateverTheirOrderAndLetterCase) {
  const Handle room = client.AddDocument(
      u"Room", {u"_aol_static", u"richcntl", u"_AOL_ICON", u"RICHCNTL", u"_AOL_Listbox"});
  EXPECT_EQ(FindChatRoom(windows), room);
}

TEST_F(ChatRoomTest, NothingIsSentWithoutARoomOrItsInputBox) {
  struct Case {
    const char* name;
    std::vector<std::u16string_view> children;
  };
  const std::vector<Case> cases = {
      {"decoy without a title", {u"RICHCNTL", u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Icon"}},
      {"room with one rich-text child",
       {u"RICHCNTL", u"_AOL_Listbox", u"_AOL_Icon", u"_AOL_Static"}},
  };
  for (const auto& c : cases) {
    MemoryWindows local;
    ClientTree tree(local);
    tree.AddDocument(u"Doc", c.children);
    SendToChat(local, u"lost");
    EXPECT_TRUE(local.Messages().empty()) << c.name;
    EXPECT_EQ(local.SearchesUnderNone(), 0) << c.name;
  }
}

TEST(ChatRoomWithoutClient, NothingIsSentAndNothingIsSearchedUnderTheDesktop) {
  MemoryWindows windows;
  // Another program's windows that a search under handle 0 would reach.
  const Handle other = windows.AddTopLevel(u"RICHCNTL");
  windows.AddChild(other, u"RICHCNTL");
  EXPECT_EQ(FindChatRoom(windows), 0U);
  SendToChat(windows, u"private line");
  OpenKeyword(windows, u"https://example.org/");
  EXPECT_EQ(GetScreenName(windows), u"");
  EXPECT_TRUE(windows.Messages().empty());
  EXPECT_EQ(windows.SearchesUnderNone(), 0);
}

TEST(ChatRoomWithoutDocumentArea, NothingIsSent) {
  MemoryWindows windows;
  windows.AddTopLevel(hostwin::kFrameClass);
  SendToChat(windows, u"line");
  EXPECT_EQ(GetScreenName(windows), u"");
  EXPECT_TRUE(windows.Messages().empty());
  EXPECT_EQ(windows.SearchesUnderNone(), 0);
}

TEST_F(ChatRoomTest, EachCallWalksAfresh) {
  EXPECT_EQ(FindChatRoom(windows), 0U);
  const Handle room = client.AddRoom(u"Late Room");
  EXPECT_EQ(FindChatRoom(windows), room);
}

TEST(GetScreenName, WelcomeTitles) {
  struct Case {
    std::u16string title;
    std::u16string name;
  };
  // Each title stands in the first document window; a second one, "Welcome, later!", follows it
  // so that a title that is not a welcome lets the search go on to it.
  const std::vector<Case> cases = {
      {u"Welcome, ab c!", u"ab c"}, {u"Welcome, !", u""},
      {u"Welcome, ab!c!", u"ab"},   {u"welcome, ab!", u"later"},
      {u" Welcome, ab!", u"later"}, {u"Welcome,ab!", u"later"},
      {u"Welcome, ab", u"later"},  // no "!": no name ends, so not a welcome window
      {u"Town Square", u"later"},   {u"", u"later"},
  };
  for (const auto& c : cases) {
    MemoryWindows windows;
    ClientTree client(windows);
    client.AddDocument(c.title, {});
    client.AddDocument(u"Welcome, later!", {});
    EXPECT_EQ(GetScreenName(windows), c.name) << std::string(c.title.begin(), c.title.end());
  }
}

TEST(GetScreenName, NoWelcomeWindowGivesEmpty) {
  MemoryWindows windows;
  ClientTree client(windows);
  client.AddRoom(u"Town Square");
  client.AddDocument(u"Welcome, nobody", {});
  EXPECT_EQ(GetScreenName(windows), u"");
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
    const auto& sent = windows.Messages();
    ASSERT_EQ(sent.size(), 3U);
    for (const auto& message : sent) {
      EXPECT_EQ(message.window, client.toolbarEdit);
    }
    EXPECT_FALSE(sent[0].isChar);
    EXPECT_EQ(sent[0].text, text);
    EXPECT_TRUE(sent[1].isChar);
    EXPECT_EQ(sent[1].code, 32);
    EXPECT_TRUE(sent[2].isChar);
    EXPECT_EQ(sent[2].code, 13);
  }
}

TEST(OpenKeyword, WithoutToolbarNothingIsSent) {
  MemoryWindows windows;
  ClientTree client(windows, /*withToolbar=*/false);
  // An edit of another program at the top level must not get the address.
  windows.AddTopLevel(u"Edit");
  OpenKeyword(windows, u"https://example.org/");
  EXPECT_TRUE(windows.Messages().empty());
  EXPECT_EQ(windows.SearchesUnderNone(), 0);
}

}  // namespace
