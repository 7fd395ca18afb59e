#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hostwin/ChatLines.h"

namespace {

using hostwin::ChatLine;
using hostwin::SplitChatLine;
using hostwin::SplitLines;
using hostwin::TranscriptTracker;
using Lines = std::vector<std::u16string>;

std::u16string Join(const Lines& lines, std::u16string_view end = u"\r\n") {
  std::u16string text;
  for (const auto& line : lines) {
    text += line;
    text += end;
  }
  return text;
}

TEST(SplitLines, EveryLineEndAndNoEmptyLines) {
  const std::vector<std::pair<std::u16string, Lines>> cases = {
      {u"a", {u"a"}},
      {u"a\rb\nc", {u"a", u"b", u"c"}},
      {u"\r\n\r\na\n\n\rb\r", {u"a", u"b"}},
      {u"a\r\r\nb", {u"a", u"b"}},
  };
  for (const auto& [text, lines] : cases) {
    EXPECT_EQ(SplitLines(text), lines) << std::string(text.begin(), text.end());
  }
}

TEST(SplitChatLine, AtTheFirstColonAndTab) {
  const std::vector<std::pair<std::u16string, std::optional<ChatLine>>> cases = {
      {u"Ann:\thello", ChatLine{u"Ann", u"hello"}},
      {u"Ann:\tTime:\t12:30", ChatLine{u"Ann", u"Time:\t12:30"}},
      {u"Kestrel Jay:\t", ChatLine{u"Kestrel Jay", u""}},
      {u":\tno name", ChatLine{u"", u"no name"}},
      {u"Ann: hello", std::nullopt},
      {u"no separator at all", std::nullopt},
  };
  for (const auto& [line, parts] : cases) {
    ChatLine got;
    EXPECT_EQ(SplitChatLine(line, got), parts.has_value());
    EXPECT_EQ(got, parts.value_or(ChatLine{})) << parts.has_value();
  }
}

// What no snapshot can tell apart, and trims into a line; the rest the scanner's model shows.
TEST(TranscriptTracker, ReportsEachAddedLineOnceInOrder) {
  struct Step {
    Lines transcript;
    Lines added;
  };
  struct Case {
    const char* name;
    Lines start;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"trimmed while the same line comes again",
       {u"a:\thi", u"b:\tyo"},
       {{{u"b:\tyo", u"b:\tyo"}, {u"b:\tyo"}}}},
      {"a repeating pattern",
       {u"a:\t1", u"b:\t2", u"a:\t1"},
       {{{u"a:\t1", u"b:\t2", u"a:\t1", u"b:\t2", u"a:\t1"}, {u"b:\t2", u"a:\t1"}}}},
      {"a trim into the first line does not bring it back",
       {u"Ann:\thello", u"b:\t2"},
       {{{u"llo", u"b:\t2", u"c:\t3"}, {u"c:\t3"}}, {{u"\t3", u"d:\t4"}, {u"d:\t4"}}}},
      {"a new line that also ends the cut line is still new",
       {u"xa:\t1", u"b:\t2"},
       {{{u"b:\t2", u"a:\t1"}, {u"a:\t1"}}}},
      {"a trimmed line and an identical new one cannot be told from no change",
       {u"a:\thi", u"a:\thi"},
       {{{u"a:\thi", u"a:\thi"}, {}}}},
      {"replaced by other text: history, then news after it",
       {u"a:\t1", u"b:\t2"},
       {{{u"x:\told", u"y:\told"}, {}}, {{u"y:\told", u"z:\tnew"}, {u"z:\tnew"}}}},
      {"no run in common, but the last line read is there: what follows it is news",
       {u"a:\t1", u"b:\t2"},
       {{{u"a:\t1", u"a:\t1", u"b:\t2", u"c:\t3"}, {u"c:\t3"}}}},
  };
  for (const auto& c : cases) {
    TranscriptTracker tracker;
    tracker.Reset(Join(c.start));
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(tracker.Update(Join(c.steps[i].transcript, i % 2 ? u"\r" : u"\n")),
                c.steps[i].added)
          << c.name << ", step " << i;
    }
  }
}

}  // namespace
