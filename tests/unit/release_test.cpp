// What the release promises its user: the guide quotes every line the program can post, as the
// program's own tables hold them, and every link is an https address on a host that can exist.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "console/MainWindow.h"
#include "formkit/Events.h"
#include "forms/Form1.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"

namespace {

std::string Ascii(std::u16string_view text) { return {text.begin(), text.end()}; }

TEST(Guide, QuotesEveryLineTheProgramCanPost) {
  std::ifstream file(ZIBBET_GUIDE);
  const std::string guide{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // The minute's second banner after the first minute, with the box as it starts.
  const std::u16string minute = console::MinuteBanner(
      forms::kForm1.controls[formkit::ControlNamed<forms::kForm1>("Text2").index].text, u"1");
  std::vector<std::u16string_view> lines = {console::kLoadedBanner,
                                            console::kNowIdleBanner,
                                            console::kPausedBanner,
                                            console::kIdleTickBanner,
                                            minute,
                                            console::kUnloadedBanner,
                                            panels::kFoundLine,
                                            panels::kWrongNumberLine,
                                            panels::kMinimizeLine,
                                            panels::kCloseLine};
  lines.insert(lines.end(), panels::kSeries.begin(), panels::kSeries.end());
  for (const auto line : lines) {
    // Quoted, so that a leading blank shows and counts.
    EXPECT_NE(guide.find('"' + Ascii(line) + '"'), std::string::npos) << Ascii(line);
  }
}

TEST(Links, EveryAddressIsHttpsOnAHostThatCanExist) {
  // Letter-digit-hyphen labels under a top-level domain of letters, then only the characters an
  // address may carry, every "%" starting a two-digit escape.
  const std::regex address(
      R"re(https://((?:[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?\.)+([a-z]{2,63})))re"
      R"re(((?:[/?#](?:[-A-Za-z0-9._~!$&'()*+,;=:@/?#]|%[0-9A-Fa-f]{2})*)?))re");
  // Names kept for examples, tests and local networks never resolve.
  const std::regex reserved(R"re((^|\.)(example\.[a-z]+|example|test|invalid|localhost|local)$)re");
  const auto real = [&](const std::string& text) {
    std::smatch parts;
    return std::regex_match(text, parts, address) && !std::regex_search(parts.str(1), reserved);
  };
  for (const std::string fault :
       {"ittps://www.loc.gov", "https://search.chatclient.example/x", "https://www.loc.gov/a b",
        "https://www.loc.gov/%4", "https://intranet/", "https://images.example.org"}) {
    EXPECT_FALSE(real(fault)) << fault;
  }
  for (const auto& link : panels::kLinks) {
    EXPECT_TRUE(real(Ascii(link.address))) << link.button;
  }
}

}  // namespace
