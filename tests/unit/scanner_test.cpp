#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "InlineBackground.h"
#include "MemoryWindows.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/ChatScanner.h"

namespace {

using hostwin::ChatLine;
using hostwin::ChatScanner;
using testing_support::ClientTree;
using testing_support::InlineBackground;
using testing_support::MemoryWindows;
using Heard = std::vector<ChatLine>;

class ScannerTest : public ::testing::Test {
 protected:
  MemoryWindows windows;
  ClientTree client{windows};
  hostwin::Handle room = client.AddRoom(u"Town Square");
  hostwin::Handle transcript = windows.FindChild(room, 0, hostwin::kRichTextClass);
  Heard heard;
  InlineBackground* background = nullptr;
  ChatScanner scanner = Make([this](const ChatLine& line) { heard.push_back(line); });
  // Polls come every kPoll seconds, a hair more so that rounding cannot hold one back; a copy
  // that costs `polls` times kCopyPerPoll is paced to one every `polls` polls.
  static constexpr double kPoll = 0.1;
  static constexpr double kCopyPerPoll = kPoll * ChatScanner::kQuietCopyShare;

  ChatScanner Make(ChatScanner::Deliver deliver) {
    return {windows, testing_support::MakeInlineBackground(background), std::move(deliver)};
  }
  // The start, and the first poll, which reads the room.
  void Begin() {
    scanner.Start();
    scanner.Poll();
  }
  void CopiesCost(int polls) {
    windows.OnCopy([this, polls] { background->now += polls * kCopyPerPoll; });
  }
  void Say(std::u16string_view line) {
    const std::u16string before = Transcript();
    windows.SetTitle(transcript, before + (before.empty() ? u"" : u"\r\n") + std::u16string(line));
  }
  // Old lines of at least `chars` characters in all, each as long as the next.
  void Fill(std::size_t chars) {
    std::u16string text;
    for (int i = 100000; text.size() < chars; ++i) {
      const std::string number = std::to_string(i);
      text += (text.empty() ? u"" : u"\r\n") +
              (u"Old:\t" + std::u16string(number.begin(), number.end()));
    }
    windows.SetTitle(transcript, text);
  }
  std::u16string Transcript() { return windows.Content(transcript); }
  // Reads of both kinds that `polls` polls make.
  std::pair<int, int> Cost(int polls) {
    const int reads = windows.Reads();
    const int whole = windows.WholeReads();
    for (int i = 0; i < polls; ++i) {
      background->now += kPoll * (1 + 1e-9);
      scanner.Poll();
    }
    return {windows.Reads() - reads, windows.WholeReads() - whole};
  }
};

// A quiet poll asks for the length alone, every few polls the rows' shape too; the text is copied
// when a sign changed, and when none did no oftener than the last copy's cost allows.
TEST_F(ScannerTest, QuietPollsAskForSignsAndCopyWholeAsOftenAsTheLastCopysCostAllows) {
  constexpr int kShape = 5;          // length, row count, first row, last row's start and length
  constexpr int kCopy = 2 * kShape;  // the text, the shape before (but its length) and after
  windows.SetRowWidth(9);
  Fill(200);
  for (const int pollsPerCopy : {1, 3, 5}) {
    CopiesCost(pollsPerCopy);
    Begin();
    const int polls = 4 * pollsPerCopy;
    const auto [reads, whole] = Cost(polls);
    EXPECT_EQ(whole, 4) << pollsPerCopy;
    const int looks = 4 * ((pollsPerCopy - 1) / ChatScanner::kPollsPerLook);
    EXPECT_EQ(reads, polls + 4 * kCopy + looks * (kShape - 1)) << pollsPerCopy;
    Say(u"Ann:\tnews");
    EXPECT_EQ(Cost(1), std::make_pair(1 + kCopy, 1)) << pollsPerCopy;
    EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}})) << pollsPerCopy;
    heard.clear();
  }
}

// A client that cuts its top by as much as was said keeps the length: a change that keeps every
// sign shows at the next paced copy, one that changes the rows' shape at the next look.
TEST_F(ScannerTest, AChangeThatKeepsTheLengthIsHeardAtThePacedCopyOrByItsShape) {
  Fill(200);
  CopiesCost(4);
  Begin();
  const std::size_t line = Transcript().find(u"\r\n") + 2;
  // One line gone, one as long said: every sign the same.
  const std::u16string b(line - 5, u'b');
  windows.SetTitle(transcript, Transcript().substr(line) + u"\r\nB:\t" + b);
  EXPECT_EQ(Cost(3).second, 0);
  Cost(1);
  EXPECT_EQ(heard, (Heard{{u"B", b}}));
  // Two lines gone, one as long as both said: a row fewer.
  const std::u16string a(2 * line - 5, u'a');
  windows.SetTitle(transcript, Transcript().substr(2 * line) + u"\r\nA:\t" + a);
  EXPECT_EQ(Cost(ChatScanner::kPollsPerLook - 1).second, 0);
  Cost(1);
  EXPECT_EQ(heard, (Heard{{u"B", b}, {u"A", a}}));
}

// Finding the last row costs some clients a walk from the top: a window where it was dear is
// looked at without it from then on.
TEST_F(ScannerTest, ADearRowProbeIsLeftOutOfThatWindowsLooks) {
  int asked = 0;
  windows.OnRowStart([&] {
    ++asked;
    background->now += 2 * ChatScanner::kDearProbeSeconds;
  });
  Fill(100);
  CopiesCost(4);
  Begin();
  const int first = asked;
  EXPECT_GT(first, 0);
  EXPECT_EQ(Cost(3).second, 0) << "the copy that found it dear holds for the quiet polls";
  EXPECT_EQ(asked, first);
}

// A read under way holds nothing up: polls meanwhile ask nothing, and its lines come when it ends.
TEST_F(ScannerTest, PollsWhileAReadIsUnderWayAskNothingAndItsLinesComeInOrder) {
  Begin();
  background->hold = true;
  Say(u"A:\t1");
  scanner.Poll();
  Say(u"A:\t2");
  EXPECT_EQ(Cost(3).first, 0);
  EXPECT_TRUE(heard.empty());
  background->hold = false;
  EXPECT_TRUE(background->Finish());
  scanner.Poll();
  EXPECT_EQ(heard, (Heard{{u"A", u"1"}, {u"A", u"2"}}));
}

TEST_F(ScannerTest, ASilentClientIsAskedOnceAPollAndHeardAsSoonAsItAnswers) {
  Begin();
  windows.FailReads(3);  // the length, then twice the question whether it answers at all
  scanner.Poll();
  Say(u"Ann:\tnews");
  windows.FailReads(3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Cost(1).first, 1);
  }
  EXPECT_TRUE(heard.empty());
  scanner.Poll();
  EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}}));
}

// A failed read is tried again at once, a few times a poll: by the next one, a client that caps
// its transcript may have dropped what was said.
TEST_F(ScannerTest, AReadThatFailsOrThrowsIsTriedAgainAtOnce) {
  Begin();
  Say(u"Ann:\tnews");
  windows.ThrowOnRead();
  EXPECT_NO_THROW(scanner.Poll());
  EXPECT_EQ(heard, (Heard{{u"Ann", u"news"}}));
  // The copy fails (after the length and four row probes), and the question whether the client
  // answers is answered, or not even that.
  constexpr int kBeforeTheCopy = 5;
  for (const int failing : {1, 2}) {
    heard.clear();
    Say(u"Bo:\tmore");
    windows.FailReads(failing, kBeforeTheCopy);
    EXPECT_EQ(Cost(1).second, 2) << failing;
    EXPECT_EQ(heard, (Heard{{u"Bo", u"more"}})) << failing;
  }
}

TEST_F(ScannerTest, AHandlerThatPumpsGetsNoLineTwiceOrOutOfOrder) {
  std::vector<std::u16string> order;
  ChatScanner nested = Make([&](const ChatLine& line) {
    order.push_back(line.text);
    if (line.text == u"1") {
      // Like a handler waiting with the timer still running: more lines arrive meanwhile.
      Say(u"A:\t3");
      nested.Poll();
      nested.Poll();
    }
  });
  nested.Start();
  nested.Poll();
  Say(u"A:\t1");
  Say(u"A:\t2");
  nested.Poll();
  nested.Poll();
  EXPECT_EQ(order, (std::vector<std::u16string>{u"1", u"2", u"3"}));
}

}  // namespace
