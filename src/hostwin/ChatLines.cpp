#include "hostwin/ChatLines.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace hostwin {
namespace {

constexpr std::u16string_view kSeparator = u":\t";

// How many lines at the start of `after` the last read already held: the largest k such that
// after[1..k) are the last k - 1 lines of `before` and after[0] ends the line before them (the
// whole line, or its tail after a trim into it). Candidates come from the prefix function of
// after[1..] + before over line hashes, checked exactly, since hashes can collide; every true
// candidate is among them. Nothing when no k fits.
std::optional<std::size_t> Kept(const std::vector<std::u16string>& before,
                                const std::vector<std::u16string>& after) {
  const std::size_t rest = after.size() - 1;
  std::vector<std::size_t> keys;
  keys.reserve(rest + before.size() + 1);
  const std::hash<std::u16string> hash;
  for (std::size_t i = 1; i < after.size(); ++i) {
    keys.push_back(hash(after[i]) << 1U);
  }
  keys.push_back(1);  // odd: matches no line
  for (const auto& line : before) {
    keys.push_back(hash(line) << 1U);
  }
  std::vector<std::size_t> border(keys.size(), 0);
  for (std::size_t i = 1; i < keys.size(); ++i) {
    std::size_t k = border[i - 1];
    while (k > 0 && keys[i] != keys[k]) {
      k = border[k - 1];
    }
    if (keys[i] == keys[k]) {
      ++k;
    }
    border[i] = k;
  }
  for (std::size_t m = border.back();; m = border[m - 1]) {
    if (m < before.size()) {
      const std::size_t top = before.size() - m - 1;
      bool same = before[top].ends_with(after[0]);
      for (std::size_t j = 0; j < m && same; ++j) {
        same = before[top + 1 + j] == after[1 + j];
      }
      if (same) {
        return m + 1;
      }
    }
    if (m == 0) {
      return std::nullopt;
    }
  }
}

// Where the news begins when the read does not start with what was read before: after the last
// occurrence of the longest run of the last few lines read before (a read of the end only, or
// a text that lost lines alike somewhere). Nothing when not even the last line is there.
std::optional<std::size_t> AfterLastRun(const std::vector<std::u16string>& before,
                                        const std::vector<std::u16string>& after) {
  constexpr std::size_t kLongestRun = 8;
  for (std::size_t run = std::min(kLongestRun, before.size()); run > 0; --run) {
    const auto tail = before.end() - static_cast<std::ptrdiff_t>(run);
    for (std::size_t end = after.size(); end >= run; --end) {
      if (std::equal(tail, before.end(), after.begin() + static_cast<std::ptrdiff_t>(end - run))) {
        return end;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

bool SplitChatLine(std::u16string_view line, ChatLine& out) {
  const auto at = line.find(kSeparator);
  if (at == std::u16string_view::npos) {
    return false;
  }
  out.sender = line.substr(0, at);
  out.text = line.substr(at + kSeparator.size());
  return true;
}

std::vector<std::u16string> SplitLines(std::u16string_view transcript) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= transcript.size(); ++i) {
    if (i < transcript.size() && transcript[i] != u'\r' && transcript[i] != u'\n') {
      continue;
    }
    if (i > start) {
      lines.emplace_back(transcript.substr(start, i - start));
    }
    if (i + 1 < transcript.size() && transcript[i] == u'\r' && transcript[i + 1] == u'\n') {
      ++i;
    }
    start = i + 1;
  }
  return lines;
}

void TranscriptTracker::Reset(std::u16string_view transcript) { lines_ = SplitLines(transcript); }

std::vector<std::u16string> TranscriptTracker::Update(std::u16string_view transcript) {
  std::vector<std::u16string> lines = SplitLines(transcript);
  std::size_t kept = 0;
  if (!lines_.empty() && !lines.empty()) {
    // Without such a run, the last line read before still marks where the news begins, if it
    // is there (whatever stands after it came later); else nothing is in common: cleared and
    // refilled, or another text altogether.
    kept = Kept(lines_, lines).value_or(0);
    if (kept == 0) {
      kept = AfterLastRun(lines_, lines).value_or(lines.size());
    }
  }
  std::vector<std::u16string> added(lines.begin() + static_cast<std::ptrdiff_t>(kept), lines.end());
  lines_ = std::move(lines);
  return added;
}

}  // namespace hostwin
