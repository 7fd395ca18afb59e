#include "ScannerModel.h"

#include <algorithm>
#include <set>
#include <vector>

#include "MemoryWindows.h"
#include "console/ChatScanner.h"
#include "hostwin/ChatRoom.h"

namespace scanner_model {
namespace {

using testing_support::ClientTree;
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
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0 || cut < lines[0].text.size()) {
        ids.insert(lines[i].id);
      }
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
    for (; count > 0 && !lines.empty(); --count) {
      lines.erase(lines.begin());
      cut = 0;
    }
  }
};

class Model {
 public:
  Model(std::size_t rowWidth, bool byRows)
      : byRows_(byRows),
        scanner(
            windows,
            [this](const console::ChatLine& line) {
              reported_.push_back(line.sender + u":\t" + line.text);
            },
            byRows ? 0 : console::ChatScanner::kLongTranscript) {
    windows.SetRowWidth(rowWidth);
    NewRoom(false);
  }

  void Start(std::uint8_t failing) {
    windows.FailReads(failing % 2);
    const bool clean = !windows.ReadsFailing();
    scanner.Start();
    started_ = true;
    Seen(clean ? 0 : 1);
  }

  void Say(std::uint8_t arg) {
    for (int i = 0; i <= arg % 4; ++i) {
      const int kind = (arg / 4 + i) % 4;
      std::u16string text;
      if (kind == 0 && !everSaid_.empty()) {
        text = everSaid_.back();  // said twice in a row
      } else if (kind == 1 && !everSaid_.empty()) {
        text = everSaid_[(arg * 7U + static_cast<unsigned>(i)) % everSaid_.size()];
      } else {
        const std::string number = std::to_string(next_);
        text = std::u16string(1 + arg % 3, u'u') + u":\t" +
               std::u16string(number.begin(), number.end());
      }
      Add(text);
    }
    Show();
  }

  // Read by rows, a transcript is followed at its end; trims are left to whole reads.
  void DropLines(std::uint8_t arg) {
    client_.DropLines(byRows_ ? 0 : 1 + arg % 4);
    Show();
  }
  void DropCharacters(std::uint8_t arg) {
    client_.DropCharacters(byRows_ ? 0 : arg % 40);
    Show();
  }
  void Clear() {
    client_ = {};
    Show();
  }
  void FailReads(std::uint8_t arg) { windows.FailReads(1 + arg % 3, arg / 3 % 5); }

  void ChangeRoom(std::uint8_t arg) {
    windows.Destroy(room_);
    NewRoom(true);
    for (int i = 0; i <= arg % 3; ++i) {
      Add(Unique(u"r"));
    }
    Show();
    cleanPollsToGo_ = 2;
  }

  void Poll() {
    const bool clean = !windows.ReadsFailing();
    scanner.Poll();
    if (clean) {
      Seen(cleanPollsToGo_ > 0 ? cleanPollsToGo_ - 1 : 0);
    } else {
      readBetween_ = true;
      lengthsBetween_.insert(client_.Text().size());
    }
  }

  std::string Check() {
    windows.FailReads(0);
    for (int i = 0; i < console::ChatScanner::kPollsPerWalk + 2; ++i) {
      Poll();
    }
    // In order, each at most as often as said after the start: a subsequence of what was said.
    // A line cut into before any read saw it whole (a cleared room whose new lines were trimmed
    // at once) can only be reported as its tail.
    std::size_t at = 0;
    for (const auto& line : reported_) {
      while (at < saidAfterStart_.size() && !saidAfterStart_[at].text.ends_with(line)) {
        ++at;
      }
      if (at++ >= saidAfterStart_.size()) {
        return "reported out of order, twice, or old: " + std::string(line.begin(), line.end());
      }
    }
    for (const auto& line : saidAfterStart_) {
      const bool unique = std::count(everSaid_.begin(), everSaid_.end(), line.text) == 1;
      if (unique && must_.contains(line.id) &&
          std::none_of(reported_.begin(), reported_.end(),
                       [&](const auto& r) { return line.text.ends_with(r); })) {
        return "never reported: " + std::string(line.text.begin(), line.text.end());
      }
    }
    return {};
  }

 private:
  std::u16string Unique(std::u16string_view sender) {
    const std::string number = std::to_string(next_);
    return std::u16string(sender) + u":\t" + std::u16string(number.begin(), number.end());
  }
  void Add(const std::u16string& text) {
    const Line line{next_++, text};
    client_.lines.push_back(line);
    everSaid_.push_back(text);
    if (started_) {
      saidAfterStart_.push_back(line);
    }
  }
  void NewRoom(bool afterStart) {
    room_ = tree_.AddRoom(u"Room");
    transcript_ = windows.FindChild(room_, 0, hostwin::kRichTextClass);
    client_ = {};
    if (!afterStart) {
      for (int i = 0; i < 3; ++i) {
        Add(Unique(u"o"));
      }
      Show();
    }
  }
  void Show() { windows.SetTitle(transcript_, client_.Text()); }

  // A read that got every answer saw the transcript as it is. The lines it shows that were said
  // since the last such read are news the scanner must report, if that read left it a line to
  // hold on to (or was of an empty room); else they may be taken for history. For `unsure`
  // reads more after the start or a room change, what it shows may be history.
  void Seen(int unsure) {
    // A change that keeps the length of the last read (a read between may have succeeded) is
    // noticed only at one of the next few polls; lines trimmed away meanwhile are lost, and
    // what the next read shows may be history.
    const std::u16string text = client_.Text();
    if (cleanPollsToGo_ == 0 && text != lastText_ &&
        (text.size() == lastText_.size() || lengthsBetween_.contains(text.size()))) {
      skipped_ = true;
      return;
    }
    lengthsBetween_.clear();
    lastText_ = text;
    const std::set<long> showing = client_.Showing();
    // A read that got some answers may have seen the room between; a line of the last view
    // still there was there for it too.
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

  bool byRows_;
  MemoryWindows windows;
  ClientTree tree_{windows};
  std::vector<std::u16string> reported_;

 public:
  console::ChatScanner scanner;

 private:
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

}  // namespace

std::string Play(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return {};
  }
  // Rows of 3 to 9 characters wrap most lines; 0 wraps none. Half the runs read every
  // transcript by rows, however short.
  const std::size_t width = data[0] % 8 == 0 ? 0 : 2 + data[0] % 8;
  Model model(width, data[0] / 8 % 2 == 1);
  model.Start(data[1]);
  for (std::size_t at = 2; at + 1 < size; at += 2) {
    const std::uint8_t arg = data[at + 1];
    switch (data[at] % 8) {
      case 0:
      case 1:
        model.Say(arg);
        break;
      case 2:
        model.DropLines(arg);
        break;
      case 3:
        model.DropCharacters(arg);
        break;
      case 4:
        model.FailReads(arg);
        break;
      case 5:
        if (arg % 16 == 0) {
          model.Clear();
        } else if (arg % 16 == 1) {
          model.ChangeRoom(arg);
        } else {
          model.Poll();
        }
        break;
      default:
        model.Poll();
    }
  }
  return model.Check();
}

}  // namespace scanner_model
