// Drives the transcript tracker with a client that appends lines and trims its top by whole
// lines or by characters, and checks each read against a model of what was said: every line
// said since the last read is reported once, in order, and no line said before is reported.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/ChatLines.h"

namespace {

struct Line {
  long id = 0;
  std::u16string text;
};

// The client's transcript: whole lines, the first of them with `cut` characters gone.
struct Transcript {
  std::vector<Line> lines;
  std::size_t cut = 0;
  long next = 0;

  // A line's text as it shows; the first may have lost its start, or all but part of its end.
  std::u16string Visible(std::size_t i) const {
    const std::u16string& text = lines[i].text;
    return i == 0 ? text.substr(std::min(cut, text.size())) : text;
  }
  std::u16string Text() const {
    std::u16string all;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      all += Visible(i) + u"\r\n";
    }
    return all;
  }
  void Append(std::uint8_t sender) {
    const std::u16string name(1 + sender % 3, static_cast<char16_t>(u'a' + sender % 5));
    std::u16string said;
    for (const char c : std::to_string(next)) {
      said += static_cast<char16_t>(c);
    }
    lines.push_back({next++, name + u":\t" + said});
  }
  void DropLines(std::size_t count) {
    for (; count > 0 && !lines.empty(); --count) {
      lines.erase(lines.begin());
      cut = 0;
    }
  }
  void DropCharacters(std::size_t count) {
    while (count > 0 && !lines.empty()) {
      const std::size_t left = lines[0].text.size() + 2 - cut;  // the line break counts two
      if (count < left) {
        cut += count;
        return;
      }
      count -= left;
      DropLines(1);
    }
  }
};

[[noreturn]] void Fail(const char* what) {
  std::fputs(what, stderr);
  std::fputs("\n", stderr);
  std::abort();
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
      client.DropLines(arg % 4);
    } else if (op == 2) {
      client.DropCharacters(arg % 24);
    } else if (op == 3 && arg % 16 == 0) {
      client = Transcript{{}, 0, client.next};
    } else {
      const auto reported = tracker.Update(client.Text());
      // The lines said since the last read, as they show now.
      std::vector<std::u16string> said;
      bool anchored = false;
      std::vector<long> shown;
      for (std::size_t i = 0; i < client.lines.size(); ++i) {
        if (client.Visible(i).empty()) {
          continue;
        }
        shown.push_back(client.lines[i].id);
        if (!seen.empty() && client.lines[i].id <= seen.back()) {
          anchored = true;
        } else {
          said.push_back(client.Visible(i));
        }
      }
      // Without a line of the last read left, a cleared or replaced transcript and a burst
      // longer than the cap look alike: lines may then be missed, but only at the front.
      const bool whole = anchored || seen.empty();
      if (reported.size() > said.size() || (whole && reported.size() != said.size())) {
        Fail("a line reported twice, or missed");
      }
      if (!std::equal(reported.begin(), reported.end(), said.end() - reported.size())) {
        Fail("a line out of order, or an old one reported again");
      }
      seen = shown;
    }
  }
  return 0;
}
