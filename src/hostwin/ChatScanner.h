#pragma once

#include <deque>
#include <functional>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostwin/ChatLines.h"
#include "hostwin/WindowAccess.h"

namespace hostwin {

// Watches the chat room's transcript and reports every line said there after the start, once,
// in order. Polled from a timer on the window's thread, it reads a short transcript whole; of a
// long one it compares the length, row count and first line with what it last read, a few
// questions that cost the client as little in a long transcript as in a short one. On a change,
// rows added below the last one it read are read one by one; only what the rows cannot settle
// (a top trimmed, a room changed, a row too long to read alone) is settled by reading the whole
// text. The walk to the room, which costs a dozen messages to another process, is made again
// only now and then.
class ChatScanner {
 public:
  using Deliver = std::function<void(const ChatLine&)>;
  // Polls between walks to the room, which notice another room taking the first place.
  static constexpr int kPollsPerWalk = 10;
  // A transcript up to this long is read whole at every poll, which costs little and tells
  // most; a longer one is read by rows from its end. A client that trims its top by as much as
  // was said, of lines alike, can make such a change look like another: read by rows, a line
  // may then be missed or one taken again.
  static constexpr int kLongTranscript = 16 * 1024;
  // Rows of the first line compared.
  static constexpr int kFirstRows = 4;
  // Polls that find the length unchanged between closer looks; of those, between looks at the
  // last row, which costs the client more the longer the transcript is.
  static constexpr int kPollsPerLook = 3;
  static constexpr int kPollsPerDeepLook = 30;
  // Reads in one poll, while the client answers but the reads fail.
  static constexpr int kAttempts = 3;
  // Failed reads in a row, from a client that answers, before the whole text is read instead.
  static constexpr int kUnexplainedReads = 3;

  ChatScanner(WindowAccess& windows, Deliver deliver, int longTranscript = kLongTranscript);

  // From now on, lines are reported; those already there are not.
  void Start();
  void Poll();

 private:
  // The transcript as one read left it: what every poll compares, and its last row.
  struct End {
    int length = 0;
    int rows = 0;
    std::u16string first;
    int lastStart = 0;
    std::u16string last;
    bool Same(const End& other) const {
      return length == other.length && rows == other.rows && first == other.first;
    }
  };

  void Read();
  void ReadChanges();
  // A long transcript's changes, by rows; false when a read failed.
  bool ReadRows();
  void Walk();
  // Reads the whole text: history (the start, another room) or news.
  void ReadWhole(bool history, const std::optional<End>& before);
  // History from the last row alone, for a transcript too long to read whole.
  void TakeLastRow(const End& now);
  // Reads the rows added below `from`; false when they do not simply follow it, nothing when a
  // read failed.
  std::optional<bool> Follow(const End& from, const End& to);
  void Unanswered(const std::optional<End>& now);
  std::optional<End> Probe();
  bool ReadLastRow(End& end);
  // Whether the last row is still where and what it was.
  std::optional<bool> Still(const End& end);
  void Queue(const std::vector<std::u16string>& lines);
  void Silent();

  WindowAccess& windows_;
  Deliver deliver_;
  int longTranscript_;
  bool started_ = false;
  bool delivering_ = false;
  bool fresh_ = false;   // a room found whose history is not read yet
  bool silent_ = false;  // the last read got no answer
  bool failed_ = false;  // the last read failed, though the client answers
  Handle room_ = 0;
  Handle transcript_ = 0;
  int pollsSinceWalk_ = 0;
  int length_ = -1;  // the length at the last read that succeeded
  int quietPolls_ = 0;
  int unexplained_ = 0;
  std::optional<End> end_;  // nothing: the transcript did not hold still for the last read
  TranscriptTracker tracker_;
  std::deque<ChatLine> pending_;
};

}  // namespace hostwin
