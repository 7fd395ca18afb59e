// Drives the transcript tracker with a client that appends lines and trims its top by whole
// lines or by characters, and checks each read against a model of what was said: every line
// said since the last read is reported once, in order, and no line said before is reported.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "console/ChatLines.h"

namespace {

// The client's transcript: whole lines by the order they were said in, the first of them with
// `cut` characters gone.
struct Transcript {
  std::vector<std::pair<long, std::u16string>> lines;
  std::size_t cut = 0;
  long next = 0;

  std::u16string Visible(std::size_t i) const {
    return lines[i].second.substr(i == 0 ? std::min(cut, lines[i].second.size()) : 0);
  }
  void Append(std::uint8_t sender) {
    const std::string said = std::to_string(next);
    lines.emplace_back(next++, std::u16string(1 + sender % 3, char16_t(u'a' + sender % 5)) +
                                   u":\t" + std::u16string(said.begin(), said.end()));
  }
  // From the top, the line break counting two characters.
  void DropCharacters(std::size_t count) {
    while (count > 0 && !lines.empty()) {
      const std::size_t left = lines[0].second.size() + 2 - cut;
      cut = count < left ? cut + count : 0;
      if (cut == 0) {
        lines.erase(lines.begin());
      }
      count -= std::min(count, left);
    }
  }
};

void Check(bool holds, const char* what) {
  if (!holds) {
    std::fputs(what, stderr);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Transcript client;
  console::TranscriptTracker tracker;
  tracker.Reset(u"");
  std::vector<long> seen;  // ids that showed at the last read
  for (std::size_t at = 0; at + 1 < size; at += 2) {
    const std::uint8_t op = data[at] % 5;
    const std::uint8_t arg = data[at + 1];
    if (op == 0) {
      for (int i = 0; i <= arg % 4; ++i) {
        client.Append(static_cast<std::uint8_t>(arg + i));
      }
    } else if (op == 1) {
      for (int i = 0; i < arg % 4 && !client.lines.empty(); ++i) {
        client.DropCharacters(client.lines[0].second.size() + 2 - client.cut);
      }
    } else if (op == 2) {
      client.DropCharacters(arg % 24);
    } else if (op == 3 && arg % 16 == 0) {
      client = Transcript{{}, 0, client.next};
    } else {
      std::u16string text;
      for (std::size_t i = 0; i < client.lines.size(); ++i) {
        text += client.Visible(i) + u"\r\n";
      }
      const auto reported = tracker.Update(text);
      // The lines said since the last read, as they show now.
      std::vector<std::u16string> said;
      bool anchored = false;
      std::vector<long> shown;
      for (std::size_t i = 0; i < client.lines.size(); ++i) {
        if (client.Visible(i).empty()) {
          continue;
        }
        shown.push_back(client.lines[i].first);
        const bool old = !seen.empty() && client.lines[i].first <= seen.back();
        anchored = anchored || old;
        if (!old) {
          said.push_back(client.Visible(i));
        }
      }
      // Without a line of the last read left, a cleared or replaced transcript and a burst
      // longer than the cap look alike: lines may then be missed, but only at the front.
      const bool whole = anchored || seen.empty();
      Check(reported.size() <= said.size() && (!whole || reported.size() == said.size()),
            "a line reported twice, or missed");
      Check(std::equal(reported.begin(), reported.end(), said.end() - reported.size()),
            "a line out of order, or an old one reported again");
      seen = shown;
    }
  }
  return 0;
}
