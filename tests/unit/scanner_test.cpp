#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "MemoryWindows.h"
#include "ScannerModel.h"
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
    const std::u16string before = windows.Content(transcript);
    windows.SetTitle(transcript, before + (before.empty() ? u"" : u"\r\n") + std::u16string(line));
  }
  // Enough polls for a walk to the room and a read whatever came before.
  void PollMany() {
    for (int i = 0; i < ChatScanner::kPollsPerWalk + 3; ++i) {
      scanner.Poll();
    }
  }
};

TEST_F(ScannerTest, LinesAfterTheStartOnlyBurstsRepeatsAndWrappedLinesIncluded) {
  windows.SetRowWidth(4);  // most lines take several rows
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

TEST_F(ScannerTest, ATopTrimmedAsMuchAsWasSaidIsHeardAtTheNextPoll) {
  // By characters (the length stays the same) and by lines.
  for (const auto& after : {u"n:\t1\r\nBob:\t2\r\nC:\t3", u"Bob:\t2\r\nC:\t3"}) {
    heard.clear();
    windows.SetTitle(TranscriptOf(room), u"Ann:\t1\r\nBob:\t2");
    scanner.Start();
    scanner.Poll();
    windows.SetTitle(TranscriptOf(room), after);
    scanner.Poll();
    EXPECT_EQ(heard, (Heard{{u"C", u"3"}}));
  }
}

TEST_F(ScannerTest, AQuietPollAndANewLineCostNoMoreInALongTranscript) {
  // {reads, whole reads} of ten quiet polls, then of a poll that hears a line.
  const auto costs = [](int lines) {
    MemoryWindows w;
    ClientTree tree(w);
    w.SetRowWidth(6);
    const hostwin::Handle transcript =
        w.FindChild(tree.AddRoom(u"Long Day"), 0, hostwin::kRichTextClass);
    std::u16string text = u"Old:\t0";
    for (int i = 1; i < lines; ++i) {
      text += u"\r\nOld:\t" + std::u16string(1 + i % 7, u'x');
    }
    w.SetTitle(transcript, text);
    int heard = 0;
    // Every transcript counts as long here: read by rows, not whole.
    ChatScanner s(
        w, [&](const ChatLine&) { ++heard; }, 0);
    s.Start();
    s.Poll();
    const int reads = w.Reads();
    const int whole = w.WholeReads();
    for (int i = 0; i < 10; ++i) {
      s.Poll();
    }
    const std::vector<int> quiet = {w.Reads() - reads, w.WholeReads() - whole};
    w.SetTitle(transcript, text + u"\r\nAnn:\tnews");
    s.Poll();
    EXPECT_EQ(heard, 1);
    return std::vector<int>{quiet[0], quiet[1], w.Reads() - reads - quiet[0],
                            w.WholeReads() - whole - quiet[1]};
  };
  const std::vector<int> longDay = costs(100);
  EXPECT_EQ(longDay[1], 0);
  EXPECT_EQ(longDay[3], 0);
  EXPECT_EQ(costs(2000), longDay);
}

TEST_F(ScannerTest, AFailedReadSkipsThePollAndForgetsNothing) {
  // {reads that still succeed, reads that then fail}: the first read, a later one, or several.
  for (const auto& [skip, count] :
       std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {1, 3}, {4, 2}}) {
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

TEST_F(ScannerTest, ASilentClientIsAskedOnceAPollAndHeardAsSoonAsItAnswers) {
  scanner.Start();
  windows.FailReads(3);  // the rows, then twice the question whether it answers at all
  scanner.Poll();
  Say(room, u"Ann:\tnews");
  windows.FailReads(3);
  for (int i = 0; i < 3; ++i) {
    const int reads = windows.Reads();
    scanner.Poll();
    EXPECT_EQ(windows.Reads() - reads, 1);
  }
  EXPECT_TRUE(heard.empty());
  scanner.Poll();
  EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}}));
}

TEST_F(ScannerTest, AReadThatThrowsIsAFailedReadTriedAgainAtOnce) {
  scanner.Start();
  Say(room, u"Ann:\tnews");
  windows.ThrowOnRead();
  EXPECT_NO_THROW(scanner.Poll());
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

// The fuzz target's model, played from seeded random bytes.
TEST(ScannerModel, EveryLineSaidAfterTheStartOnceInOrderAndNoOldOne) {
  std::mt19937 random(13);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int run = 0; run < 100; ++run) {
    std::vector<std::uint8_t> data(300);
    for (auto& b : data) {
      b = static_cast<std::uint8_t>(byte(random));
    }
    const std::string fault = scanner_model::Play(data.data(), data.size());
    ASSERT_EQ(fault, "") << "run " << run;
  }
}

}  // namespace
