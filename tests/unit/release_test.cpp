// What the release promises its user: the guide quotes every line the program can post, as the
// program's own tables hold them, and every link opens a well-formed https address on a host
// that can exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "console/MainWindow.h"
#include "forms/Description.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"

namespace {

std::string Ascii(std::u16string_view text) {
  std::string ascii;
  for (const char16_t c : text) {
    EXPECT_LT(c, 0x80) << "a line the guide cannot show as it is posted";
    ascii += static_cast<char>(c);
  }
  return ascii;
}

TEST(Guide, QuotesEveryLineTheProgramCanPost) {
  std::ifstream file(ZIBBET_GUIDE);
  const std::string guide{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(guide.empty()) << ZIBBET_GUIDE;
  // The minute's second banner as it reads after the first minute, with the box as it starts.
  const std::u16string minute =
      console::MinuteBanner(forms::ControlOf(forms::Form1Description(), "Text2").text, u"1");
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

// The parts of an https address: host, then path, query and fragment as they stand.
struct Address {
  std::string host;
  std::string rest;
};

bool Parse(const std::string& text, Address& address) {
  const std::string scheme = "https://";
  if (text.compare(0, scheme.size(), scheme) != 0) {
    return false;
  }
  const std::size_t end = std::min(text.find_first_of("/?#", scheme.size()), text.size());
  address = {text.substr(scheme.size(), end - scheme.size()), text.substr(end)};
  return true;
}

// A name in the DNS that can resolve: letter-digit-hyphen labels, a top-level domain of letters,
// and none of the names reserved for examples, tests and local networks.
bool RealHost(const std::string& host) {
  std::vector<std::string> labels{""};
  for (const char c : host) {
    if (c == '.') {
      labels.emplace_back();
    } else if (std::islower(static_cast<unsigned char>(c)) != 0 ||
               std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-') {
      labels.back() += c;
    } else {
      return false;
    }
  }
  const std::set<std::string> reserved = {"example", "test", "invalid", "localhost", "local"};
  const std::string& top = labels.back();
  const std::string second = labels.size() > 1 ? labels[labels.size() - 2] : "";
  const bool wellFormed = std::all_of(labels.begin(), labels.end(), [](const std::string& l) {
    return !l.empty() && l.size() <= 63 && l.front() != '-' && l.back() != '-';
  });
  return wellFormed && labels.size() >= 2 && top.size() >= 2 &&
         std::all_of(top.begin(), top.end(), [](char c) { return std::isalpha(c) != 0; }) &&
         !reserved.contains(top) && second != "example";
}

// Path, query and fragment hold only characters an address may carry, and every "%" starts an
// escape of two hexadecimal digits.
bool WellFormedRest(const std::string& rest) {
  const std::string allowed = "-._~!$&'()*+,;=:@/?#";
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const auto c = static_cast<unsigned char>(rest[i]);
    if (c == '%') {
      if (i + 2 >= rest.size() || std::isxdigit(static_cast<unsigned char>(rest[i + 1])) == 0 ||
          std::isxdigit(static_cast<unsigned char>(rest[i + 2])) == 0) {
        return false;
      }
    } else if (std::isalnum(c) == 0 && allowed.find(static_cast<char>(c)) == std::string::npos) {
      return false;
    }
  }
  return true;
}

TEST(Links, EveryAddressIsHttpsOnAHostThatCanExist) {
  const std::vector<std::string> faults = {
      "ittps://www.loc.gov",      "https://search.chatclient.example/x",
      "https://www.nasa.gov/a b", "https://localhost/",
      "https://www.loc.gov/%4",   "https://intranet/",
      "https://a.example.com"};
  for (const auto& fault : faults) {
    Address address;
    EXPECT_FALSE(Parse(fault, address) && RealHost(address.host) && WellFormedRest(address.rest))
        << fault;
  }
  std::set<std::u16string_view> distinct;
  for (const auto& link : panels::Links()) {
    Address address;
    ASSERT_TRUE(Parse(Ascii(link.address), address)) << link.button;
    EXPECT_TRUE(RealHost(address.host)) << link.button << ": " << address.host;
    EXPECT_TRUE(WellFormedRest(address.rest)) << link.button << ": " << address.rest;
    distinct.insert(link.address);
  }
  EXPECT_EQ(distinct.size(), panels::Links().size());
}

TEST(Links, TheSearchCarriesItsAppNameAndAnEightyByteQuery) {
  const auto& links = panels::Links();
  const auto link = std::find_if(links.begin(), links.end(),
                                 [](const panels::Link& l) { return l.button == "Command14"; });
  ASSERT_NE(link, links.end());
  Address search;
  ASSERT_TRUE(Parse(Ascii(link->address), search));
  const std::size_t start = search.rest.find('?');
  ASSERT_NE(start, std::string::npos);
  std::vector<std::string> keys;
  std::string query;
  std::string pairs = search.rest.substr(start + 1) + '&';
  for (std::size_t at = 0, next = 0; (next = pairs.find('&', at)) != std::string::npos;
       at = next + 1) {
    const std::string pair = pairs.substr(at, next - at);
    keys.push_back(pair.substr(0, pair.find('=')));
    if (keys.back() == "query") {
      query = pair.substr(pair.find('=') + 1);
    }
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"appname", "query"}));
  constexpr std::size_t kBytes = 80;
  ASSERT_EQ(query.size(), 3 * kBytes);
  for (std::size_t i = 0; i < query.size(); i += 3) {
    EXPECT_EQ(query[i], '%') << i;
  }
}

}  // namespace
