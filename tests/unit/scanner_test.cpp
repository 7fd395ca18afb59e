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

TEST_F(ScannerTest, LinesAfterTheStartOnlyBurstsAndRepeatsIncluded) {
  Say(room, u"Ann:\tbefore");
  scanner.Poll();
  scanner.Start();
  PollMany();
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

TEST_F(ScannerTest, ARoomFoundLaterBringsItsHistoryAsHistory) {
  // {a room there at the start, then another takes its place}, {no room at the start}
  for (const bool roomAtStart : {true, false}) {
    MemoryWindows w;
    ClientTree tree(w);
    Heard got;
    ChatScanner late(w, [&](const ChatLine& line) { got.push_back(line); });
    const hostwin::Handle first = roomAtStart ? tree.AddRoom(u"First") : 0;
    late.Start();
    late.Poll();
    const hostwin::Handle other = tree.AddRoom(u"Other");
    w.SetTitle(w.FindChild(other, 0, hostwin::kRichTextClass), u"Bo:\tsaid before");
    if (first != 0) {
      w.Destroy(first);
    }
    for (int i = 0; i < 2 * ChatScanner::kPollsPerWalk; ++i) {
      late.Poll();
    }
    w.SetTitle(w.FindChild(other, 0, hostwin::kRichTextClass), u"Bo:\tsaid before\r\nAnn:\tnews");
    late.Poll();
    EXPECT_EQ(got, (Heard{{u"Ann", u"news"}})) << roomAtStart;
  }
}

TEST_F(ScannerTest, AHandlerThatPumpsGetsNoLineTwiceOrOutOfOrder) {
  std::vector<std::u16string> order;
  ChatScanner nested(windows, [&](const ChatLine& line) {
    order.push_back(line.text);
    if (line.text == u"1") {
      // Like a handler waiting with the timer still running: more lines arrive meanwhile.
      Say(room, u"A:\t3");
      nested.Poll();
      nested.Poll();
    }
  });
  nested.Start();
  Say(room, u"A:\t1");
  Say(room, u"A:\t2");
  nested.Poll();
  nested.Poll();
  EXPECT_EQ(order, (std::vector<std::u16string>{u"1", u"2", u"3"}));
}

}  // namespace
