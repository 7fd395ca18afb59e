#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryWindows.h"
#include "console/ChatScanner.h"
#include "hostwin/ChatRoom.h"

namespace {

using console::ChatLine;
using console::ChatScanner;
using testing_support::ClientTree;
using testing_support::MemoryWindows;

class ScannerTest : public ::testing::Test {
 protected:
  MemoryWindows windows;
  ClientTree client{windows};
  hostwin::Handle room = client.AddRoom(u"Town Square");
  std::vector<ChatLine> heard;
  ChatScanner scanner{windows, [this](const ChatLine& line) { heard.push_back(line); }};

  hostwin::Handle TranscriptOf(hostwin::Handle r) {
    return windows.FindChild(r, 0, hostwin::kRichTextClass);
  }
  void Say(hostwin::Handle r, std::u16string_view line) {
    const hostwin::Handle transcript = TranscriptOf(r);
    windows.SetTitle(transcript, windows.Text(transcript) + u"\r\n" + std::u16string(line));
  }
  // Enough polls for an equal-length change to be read too.
  void PollMany() {
    for (int i = 0; i < ChatScanner::kPollsPerFullRead; ++i) {
      scanner.Poll();
    }
  }
};

TEST_F(ScannerTest, NothingBeforeTheStartAndNoHistory) {
  Say(room, u"Ann:\tbefore");
  scanner.Poll();
  Say(room, u"Ann:\tstill before");
  scanner.Start();
  PollMany();
  EXPECT_TRUE(heard.empty());
  Say(room, u"Ann:\tafter");
  scanner.Poll();
  EXPECT_EQ(heard, (std::vector<ChatLine>{{u"Ann", u"after"}}));
}

TEST_F(ScannerTest, BurstsRepeatsAndNonChatLines) {
  scanner.Start();
  Say(room, u"Ann:\thi");
  Say(room, u"OnlineHost:\t*** Bo has entered the room ***");
  Say(room, u"not a chat line");
  Say(room, u"Ann:\thi");
  scanner.Poll();
  Say(room, u"Ann:\thi");
  scanner.Poll();
  EXPECT_EQ(heard, (std::vector<ChatLine>{{u"Ann", u"hi"},
                                          {u"OnlineHost", u"*** Bo has entered the room ***"},
                                          {u"Ann", u"hi"},
                                          {u"Ann", u"hi"}}));
}

TEST_F(ScannerTest, AnEqualLengthChangeIsCaughtByTheFullRead) {
  windows.SetTitle(TranscriptOf(room), u"Ann:\t1\r\nBob:\t2");
  scanner.Start();
  windows.SetTitle(TranscriptOf(room), u"Bob:\t2\r\nCy:\t33");  // trimmed one, same length
  PollMany();
  EXPECT_EQ(heard, (std::vector<ChatLine>{{u"Cy", u"33"}}));
}

TEST_F(ScannerTest, AnotherRoomIsNotReplayed) {
  scanner.Start();
  const hostwin::Handle other = client.AddRoom(u"Lobby 12");
  Say(other, u"Old:\thistory");
  windows.Destroy(room);
  PollMany();  // the next walk finds the other room
  EXPECT_TRUE(heard.empty());
  Say(other, u"New:\tnews");
  scanner.Poll();
  EXPECT_EQ(heard, (std::vector<ChatLine>{{u"New", u"news"}}));
}

TEST(ScannerWithoutClient, NoEventsAndNoHistoryFromALateRoom) {
  MemoryWindows windows;
  int heard = 0;
  ChatScanner scanner(windows, [&](const ChatLine&) { ++heard; });
  scanner.Start();
  scanner.Poll();
  ClientTree client(windows);
  client.AddDocument(u"Late Room", {u"_AOL_Listbox", u"_AOL_Icon", u"_AOL_Static", u"RICHCNTL"});
  scanner.Poll();
  EXPECT_EQ(heard, 0);
}

TEST_F(ScannerTest, AHandlerThatPumpsGetsNoLineTwiceOrOutOfOrder) {
  std::vector<std::u16string> order;
  int depth = 0;
  ChatScanner nested(windows, [&](const ChatLine& line) {
    order.push_back(line.text);
    if (line.text == u"1") {
      // Like a handler waiting with the timer still running: more lines arrive meanwhile.
      ++depth;
      Say(room, u"A:\t3");
      nested.Poll();
      nested.Poll();
      --depth;
    }
  });
  nested.Start();
  Say(room, u"A:\t1");
  Say(room, u"A:\t2");
  nested.Poll();
  nested.Poll();
  EXPECT_EQ(order, (std::vector<std::u16string>{u"1", u"2", u"3"}));
  EXPECT_EQ(depth, 0);
}

}  // namespace
