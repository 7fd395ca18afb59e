// The chat scanner and its transcript tracker against an in-memory client driven by the
// fuzzer's bytes: appends (bursts, identical lines, a line said twice in a row), trims by lines
// and by characters at any cut, clears, reads that fail, another room, a row probe that is dear,
// reads under way while the room changes. Every line said after the start is reported once, in
// order, and no old line ever.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "InlineBackground.h"
#include "MemoryWindows.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/ChatScanner.h"

namespace {

using testing_support::ClientTree;
using testing_support::InlineBackground;
using testing_support::MemoryWindows;

struct Line {
  long id = 0;
  std::u16string text;
};

// The room's transcript: lines in the order said, joined by CR LF, the first of them with `cut`
// characters gone from its top, its line break included, so a cut may fall between CR and LF.
struct Transcript {
  std::vector<Line> lines;
  std::size_t cut = 0;

  std::u16string Text() const {
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::u16string piece = lines[i].text + (i + 1 < lines.size() ? u"\r\n" : u"");
      text += piece.substr(i == 0 ? std::min(cut, piece.size()) : 0);
    }
    return text;
  }
  // The lines of which a character shows, line breaks not counted.
  std::set<long> Showing() const {
    std::set<long> ids;
    for (std::size_t i = lines.empty() || cut < lines[0].text.size() ? 0 : 1; i < lines.size();
         ++i) {
      ids.insert(lines[i].id);
    }
    return ids;
  }
  void DropCharacters(std::size_t count) {
    while (count > 0 && !lines.empty()) {
      const std::size_t left = lines[0].text.size() + (lines.size() > 1 ? 2 : 0) - cut;
      if (count < left) {
        cut += count;
        return;
      }
      count -= left;
      DropLines(1);
    }
  }
  void DropLines(std::size_t count) {
    lines.erase(lines.begin(),
                lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size())));
    cut = count > 0 ? 0 : cut;
  }
};

class Model {
 public:
  Model(std::size_t rowWidth, bool dearRows, bool dearCopies)
      : scanner_(windows_, testing_support::MakeInlineBackground(background_),
                 [this](const hostwin::ChatLine& line) {
                   reported_.push_back(line.sender + u":\t" + line.text);
                 }) {
    windows_.SetRowWidth(rowWidth);
    if (dearRows) {
      windows_.OnRowStart([this] { background_->now += 1; });
    }
    if (dearCopies) {
      // The clock stands still between polls: no copy is taken unless a sign changed.
      windows_.OnCopy([this] { background_->now += 1; });
    }
    NewRoom(3);
  }

  void Start(std::uint8_t failing) {
    windows_.FailReads(failing % 2);
    const bool clean = !windows_.ReadsFailing();
    scanner_.Start();
    scanner_.Poll();
    started_ = true;
    Seen(clean ? 0 : 1);
  }

  void Apply(std::uint8_t op, std::uint8_t arg) {
    if (op % 8 == 6 && arg % 4 == 0) {
      // A read that takes a while: what happens meanwhile is read by the next.
      if (background_->hold) {
        Release();
      } else {
        background_->hold = true;
      }
    } else if (op % 8 == 4) {
      windows_.FailReads(1 + arg % 3, arg / 3 % 5);
    } else if (op % 8 < 2) {
      // A burst: a line said again (twice in a row, or one said before), or a new one.
      for (int i = 0; i <= arg % 4; ++i) {
        const int kind = (arg / 4 + i) % 4;
        const auto again =
            (kind == 0 ? everSaid_.size() - 1 : arg * 7U + static_cast<unsigned>(i)) %
            std::max<std::size_t>(everSaid_.size(), 1);
        Add(kind < 2 && !everSaid_.empty() ? everSaid_[again] : Unique(1 + arg % 3));
      }
    } else if (op % 8 == 2) {
      client_.DropLines(1 + arg % 4);
    } else if (op % 8 == 3) {
      client_.DropCharacters(arg % 40);
    } else if (op % 8 == 5 && arg % 16 == 0) {
      client_ = {};
    } else if (op % 8 == 5 && arg % 16 == 1) {
      windows_.Destroy(room_);
      NewRoom(1 + arg % 3);
      cleanPollsToGo_ = 2;
    } else {
      Poll();
    }
    windows_.SetTitle(transcript_, client_.Text());
  }

  void Poll() {
    if (background_->hold) {
      scanner_.Poll();  // held, or refused while a read is under way: nothing read now
      return;
    }
    Read([this] { scanner_.Poll(); });
  }

  // What happens between two reads is all the next read can see; a read held till now reads now.
  void Release() {
    if (std::exchange(background_->hold, false) && background_->Holding()) {
      Read([this] { background_->Finish(); });
    }
  }

  void Read(const std::function<void()>& read) {
    const bool clean = !windows_.ReadsFailing();
    read();
    if (clean) {
      Seen(cleanPollsToGo_ > 0 ? cleanPollsToGo_ - 1 : 0);
    } else {
      readBetween_ = true;
      lengthsBetween_.insert(client_.Text().size());
    }
  }

  std::string Check() {
    windows_.FailReads(0);
    Release();
    for (int i = 0; i < hostwin::ChatScanner::kPollsPerWalk + 2; ++i) {
      Poll();
    }
    // A subsequence of what was said after the start; a line cut into before any read saw it
    // whole (new lines of a cleared room trimmed at once) can only be reported as its tail.
    auto said = saidAfterStart_.begin();
    for (const auto& line : reported_) {
      said = std::find_if(said, saidAfterStart_.end(),
                          [&](const Line& l) { return l.text.ends_with(line); });
      if (said++ == saidAfterStart_.end()) {
        return "reported out of order, twice, or old: " + std::string(line.begin(), line.end());
      }
    }
    for (const auto& line : saidAfterStart_) {
      const std::u16string& text = line.text;
      if (must_.contains(line.id) && std::count(everSaid_.begin(), everSaid_.end(), text) == 1 &&
          std::none_of(reported_.begin(), reported_.end(),
                       [&](const auto& r) { return text.ends_with(r); })) {
        return "never reported: " + std::string(text.begin(), text.end());
      }
    }
    return {};
  }

 private:
  std::u16string Unique(std::size_t senderLength) {
    const std::string number = std::to_string(next_);
    return std::u16string(senderLength, u'u') + u":\t" +
           std::u16string(number.begin(), number.end());
  }
  void Add(const std::u16string& text) {
    const Line line{next_++, text};
    client_.lines.push_back(line);
    everSaid_.push_back(text);
    if (started_) {
      saidAfterStart_.push_back(line);
    }
  }
  // A room holding `lines` lines already.
  void NewRoom(int lines) {
    room_ = tree_.AddRoom(u"Room");
    transcript_ = windows_.FindChild(room_, 0, hostwin::kRichTextClass);
    client_ = {};
    for (int i = 0; i < lines; ++i) {
      Add(Unique(4));
    }
    windows_.SetTitle(transcript_, client_.Text());
  }

  // A read that got every answer saw the transcript: lines said since the last such read are
  // news it must report, if that read left a line to hold on to (or the room was empty). For
  // `unsure` reads more, after the start or a room change, what it shows may be history. A
  // change that keeps the length of a read is seen a few polls later: what is trimmed meanwhile
  // is lost, and the next read may take what it shows for history.
  void Seen(int unsure) {
    const std::u16string text = client_.Text();
    // Unsure reads too: one after a start that already read the room looks, it does not copy.
    if (text != lastText_ &&
        (text.size() == lastText_.size() || lengthsBetween_.contains(text.size()))) {
      skipped_ = true;
      return;
    }
    lengthsBetween_.clear();
    lastText_ = text;
    const std::set<long> showing = client_.Showing();
    const bool kept = std::any_of(lastView_.begin(), lastView_.end(),
                                  [&](long id) { return showing.contains(id); });
    const bool anchored =
        cleanPollsToGo_ == 0 && !skipped_ && (kept || (lastView_.empty() && !readBetween_));
    readBetween_ = false;
    skipped_ = false;
    if (anchored) {
      for (const long id : showing) {
        // A line first seen cut may not even look like a chat line any more.
        const bool cut = client_.cut > 0 && id == client_.lines.front().id;
        if (id > seenUpTo_ && !cut) {
          must_.insert(id);
        }
      }
    }
    cleanPollsToGo_ = unsure;
    lastView_ = showing;
    seenUpTo_ = next_ - 1;
  }

  MemoryWindows windows_;
  InlineBackground* background_ = nullptr;  // the scanner's
  ClientTree tree_{windows_};
  std::vector<std::u16string> reported_;
  hostwin::ChatScanner scanner_;
  hostwin::Handle room_ = 0;
  hostwin::Handle transcript_ = 0;
  Transcript client_;
  long next_ = 0;
  bool started_ = false;
  std::vector<std::u16string> everSaid_;
  std::vector<Line> saidAfterStart_;
  std::set<long> must_;
  std::set<long> lastView_;
  long seenUpTo_ = -1;
  int cleanPollsToGo_ = 0;
  bool readBetween_ = false;
  std::u16string lastText_;
  std::set<std::size_t> lengthsBetween_;
  bool skipped_ = false;
};

// Plays the bytes as operations; empty when every line said after the start was reported
// once, in order, and no old line ever; else what went wrong.
std::string Play(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return {};
  }
  // Rows of 3 to 9 characters wrap most lines; 0 wraps none. Half the runs find the last row
  // dear; half find copies so dear that a quiet transcript is never copied.
  const std::size_t width = data[0] % 8 == 0 ? 0 : 2 + data[0] % 8;
  Model model(width, data[0] / 8 % 2 == 1, data[0] / 16 % 2 == 1);
  model.Start(data[1]);
  for (std::size_t at = 2; at + 1 < size; at += 2) {
    model.Apply(data[at], data[at + 1]);
  }
  return model.Check();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = Play(data, size);
  if (!fault.empty()) {
    std::fputs(fault.c_str(), stderr);
    std::abort();
  }
  return 0;
}
