#include <gtest/gtest.h>

#include <functional>
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
using Heard = std::vector<ChatLine>;

class ScannerTest : public ::testing::Test {
 protected:
  MemoryWindows windows;
  ClientTree client{windows};
  hostwin::Handle room = client.AddRoom(u"Town Square");
  Heard heard;
  ChatScanner scanner{windows, [this](const ChatLine& line) { heard.push_back(line); }};

  hostwin::Handle TranscriptOf(hostwin::Handle r) {
    return windows.FindChild(r, 0, hostwin::kRichTextClass);
  }
  void Say(hostwin::Handle r, std::u16string_view line) {
    const hostwin::Handle transcript = TranscriptOf(r);
    windows.SetTitle(transcript, windows.Content(transcript) + u"\r\n" + std::u16string(line));
  }
  // Enough polls for a walk to the room and a read whatever the length did, also after a few
  // reads that got no answer.
  void PollMany() {
    for (int i = 0; i < ChatScanner::kPollsPerWalk + 3 * ChatScanner::kPollsAfterSilence; ++i) {
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
  EXPECT_EQ(heard, (Heard{{u"Ann", u"after"}}));
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
  EXPECT_EQ(heard, (Heard{{u"Ann", u"hi"},
                          {u"OnlineHost", u"*** Bo has entered the room ***"},
                          {u"Ann", u"hi"},
                          {u"Ann", u"hi"}}));
}

TEST_F(ScannerTest, AnEqualLengthChangeIsHeardWithinAFullReadsPolls) {
  windows.SetTitle(TranscriptOf(room), u"Ann:\t1\r\nBob:\t2");
  scanner.Start();
  scanner.Poll();
  windows.SetTitle(TranscriptOf(room), u"n:\t1\r\nBob:\t2\r\nC:\t3");  // capped by characters
  for (int i = 0; i < ChatScanner::kPollsPerFullRead; ++i) {
    scanner.Poll();
  }
  EXPECT_EQ(heard, (Heard{{u"C", u"3"}}));
}

TEST_F(ScannerTest, AFailedReadSkipsThePollAndForgetsNothing) {
  // {reads that still succeed, reads that then fail}: the length read, the text read, or more.
  for (const auto& [skip, count] : std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {1, 3}}) {
    heard.clear();
    Say(room, u"Old:\thistory");
    windows.FailReads(count, skip);
    scanner.Start();
    PollMany();
    Say(room, u"Ann:\tnews");
    windows.FailReads(count, skip);
    PollMany();
    EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}})) << skip << " " << count;
  }
}

TEST_F(ScannerTest, ASilentClientIsLeftAloneForAWhile) {
  scanner.Start();
  windows.FailReads(1);
  scanner.Poll();
  Say(room, u"Ann:\tnews");
  for (int i = 0; i < ChatScanner::kPollsAfterSilence; ++i) {
    scanner.Poll();
  }
  EXPECT_TRUE(heard.empty());
  scanner.Poll();
  EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}}));
}

TEST(ScannerRooms, ARoomsHistoryIsNeverNews) {
  struct Case {
    const char* name;
    // Sets the client up before the start and changes it after; returns the room to say in.
    std::function<hostwin::Handle(ClientTree&, MemoryWindows&)> before;
    std::function<hostwin::Handle(ClientTree&, MemoryWindows&, hostwin::Handle)> after;
  };
  auto transcript = [](MemoryWindows& w, hostwin::Handle r) {
    return w.FindChild(r, 0, hostwin::kRichTextClass);
  };
  auto roomWith = [&](ClientTree& c, MemoryWindows& w, std::u16string_view text) {
    const hostwin::Handle r = c.AddRoom(u"Room");
    w.SetTitle(transcript(w, r), text);
    return r;
  };
  const std::vector<Case> cases = {
      {"another room takes the first place",
       [&](ClientTree& c, MemoryWindows& w) { return roomWith(c, w, u"Ann:\thi"); },
       [&](ClientTree& c, MemoryWindows& w, hostwin::Handle r) {
         const hostwin::Handle other = roomWith(c, w, u"Ann:\thi\r\nBo:\tin the other room");
         w.Destroy(r);
         return other;
       }},
      {"a room appears late", [](ClientTree&, MemoryWindows&) { return hostwin::Handle{0}; },
       [&](ClientTree& c, MemoryWindows& w, hostwin::Handle) {
         return roomWith(c, w, u"Bo:\tbefore you came");
       }},
      {"the transcript empties",
       [&](ClientTree& c, MemoryWindows& w) { return roomWith(c, w, u"Ann:\thi\r\nBo:\tyo"); },
       [&](ClientTree&, MemoryWindows& w, hostwin::Handle r) {
         w.SetTitle(transcript(w, r), u"");
         return r;
       }},
  };
  for (const auto& c : cases) {
    MemoryWindows windows;
    ClientTree client(windows);
    Heard heard;
    ChatScanner scanner(windows, [&](const ChatLine& line) { heard.push_back(line); });
    hostwin::Handle room = c.before(client, windows);
    scanner.Start();
    scanner.Poll();
    room = c.after(client, windows, room);
    for (int i = 0; i < 2 * ChatScanner::kPollsPerWalk; ++i) {
      scanner.Poll();
    }
    EXPECT_TRUE(heard.empty()) << c.name;
    windows.SetTitle(transcript(windows, room),
                     windows.Content(transcript(windows, room)) + u"\r\nAnn:\tnews\r\nAnn:\thi");
    scanner.Poll();
    EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}, {u"Ann", u"hi"}})) << c.name;
  }
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
