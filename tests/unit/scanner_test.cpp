#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MemoryWindows.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/ChatScanner.h"

namespace {

using hostwin::ChatLine;
using hostwin::ChatScanner;
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
};

TEST_F(ScannerTest, AQuietPollAndANewLineCostNoMoreInALongTranscript) {
  // The reads of ten quiet polls and of a poll that hears a line; none of them whole.
  const auto costs = [](int lines) {
    MemoryWindows w;
    w.SetRowWidth(6);
    const hostwin::Handle transcript =
        w.FindChild(ClientTree(w).AddRoom(u"Long Day"), 0, hostwin::kRichTextClass);
    std::u16string text = u"Old:\t0";
    for (int i = 1; i < lines; ++i) {
      text += u"\r\nOld:\t" + std::u16string(1 + i % 7, u'x');
    }
    w.SetTitle(transcript, text);
    Heard got;
    // Every transcript counts as long here: read by rows.
    ChatScanner s(
        w, [&](const ChatLine& line) { got.push_back(line); }, 0);
    s.Start();
    s.Poll();
    std::vector<int> reads = {w.Reads(), w.WholeReads()};
    for (int i = 0; i < 10; ++i) {
      s.Poll();
    }
    reads.push_back(w.Reads());
    w.SetTitle(transcript, text + u"\r\nAnn:\tnews");
    s.Poll();
    EXPECT_EQ(got, (Heard{{u"Ann", u"news"}}));
    return std::vector<int>{reads[2] - reads[0], w.Reads() - reads[2], w.WholeReads() - reads[1]};
  };
  const std::vector<int> longDay = costs(100);
  EXPECT_EQ(longDay[2], 0);
  EXPECT_EQ(costs(2000), longDay);
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

// Another room taking the first one's place is in the model; here, none at the start.
TEST_F(ScannerTest, ARoomFoundAfterTheStartBringsItsHistoryAsHistory) {
  windows.Destroy(room);
  scanner.Start();
  scanner.Poll();
  const hostwin::Handle other = client.AddRoom(u"Other");
  Say(other, u"Bo:\tsaid before");
  for (int i = 0; i < ChatScanner::kPollsPerWalk; ++i) {
    scanner.Poll();
  }
  Say(other, u"Ann:\tnews");
  scanner.Poll();
  EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}}));
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
