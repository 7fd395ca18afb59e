#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "fade/Fade.h"

namespace {

using fade::ColorToHex;
using fade::FadeText;

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

// The colour codes of the markup, one per element.
std::vector<std::string> Codes(const std::u16string& markup) {
  const std::string text = Narrow(markup);
  const std::regex code("<Font Color=#(......)");
  return {std::sregex_token_iterator(text.begin(), text.end(), code, 1), {}};
}

TEST(FadeText, ShortTextsGiveExactMarkup) {
  // Every UTF-16 unit gets its own element, unescaped: the emoji is two of them.
  const std::vector<std::pair<std::u16string, std::u16string>> cases = {
      {u"", u""},
      {u"a", u"<Font Color=#0000FF>a"},
      {u"<&", u"<Font Color=#00FF00><<Font Color=#0000FF>&"},
      {u"\U0001F600>",
       u"<Font Color=#00AA55>\xD83D<Font Color=#00AA55>\xDE00<Font Color=#0000FF>>"},
      {u"abcd",
       u"<Font Color=#008080>a<Font Color=#00FF00>b<Font Color=#008080>c<Font Color=#0000FF>d"},
  };
  for (const auto& [text, markup] : cases) {
    EXPECT_TRUE(FadeText(text) == markup) << Narrow(text);
  }
}

TEST(FadeText, HalvesRoundToEvenInDoublePrecision) {
  const std::vector<std::string> twelve = {"002AD4", "0055AA", "008080", "00AA55",
                                           "00D42A", "00FF00", "00D42A", "00AA55",
                                           "008080", "0055AA", "002AD4", "0000FF"};
  EXPECT_EQ(Codes(FadeText(u"twelve chars")), twelve);
  const auto codes = Codes(FadeText(std::u16string(44, u'x')));
  ASSERT_EQ(codes.size(), 44U);
  EXPECT_EQ(codes[10], "00807F");  // 510/44*11 lies just above 127.5
  EXPECT_EQ(codes[21], "00FF00");
}

TEST(ColorToHex, PadsToSixDigits) {
  const std::vector<std::pair<std::int32_t, std::string>> cases = {
      {255, "0000FF"},   {65280, "00FF00"},    {0, "000000"},          {11141290, "AA00AA"},
      {0xABC, "000ABC"}, {0xFFFFFF, "FFFFFF"}, {0x1000000, "1000000"}, {-1, "FFFFFFFF"},
  };
  for (const auto& [value, hex] : cases) {
    EXPECT_EQ(Narrow(ColorToHex(value)), hex) << value;
  }
}

}  // namespace
