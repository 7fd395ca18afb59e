#include "console/ChatLines.h"

#include <functional>

namespace console {
namespace {

constexpr std::u16string_view kSeparator = u":\t";

// The longest suffix of `before` that is also a prefix of `after`, by the prefix function of
// after + before over line hashes (checked exactly, since hashes can collide).
std::size_t Overlap(const std::vector<std::u16string>& before,
                    const std::vector<std::u16string>& after) {
  if (before.empty() || after.empty()) {
    return 0;
  }
  std::vector<std::size_t> keys;
  keys.reserve(after.size() + before.size() + 1);
  const std::hash<std::u16string> hash;
  for (const auto& line : after) {
    keys.push_back(hash(line) << 1U);
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
  for (std::size_t k = border.back(); k > 0; k = border[k - 1]) {
    bool same = true;
    for (std::size_t j = 0; j < k && same; ++j) {
      same = before[before.size() - k + j] == after[j];
    }
    if (same) {
      return k;
    }
  }
  return 0;
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
  const std::size_t kept = Overlap(lines_, lines);
  std::vector<std::u16string> added(lines.begin() + static_cast<std::ptrdiff_t>(kept), lines.end());
  lines_ = std::move(lines);
  return added;
}

}  // namespace console
