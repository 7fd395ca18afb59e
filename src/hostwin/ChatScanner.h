#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "hostwin/Background.h"
#include "hostwin/ChatLines.h"
#include "hostwin/WindowAccess.h"

namespace hostwin {

// Watches the chat room's transcript and reports every line said there after the start, once,
// in order. Polled from a timer on the window's thread, it does its reading in the background,
// so that a long transcript's copy never holds a click up, and hands the lines it found back to
// the window's thread.
//
// A quiet poll asks the transcript only for signs that need no buffer: its length, and every few
// polls its rows' shape (how many, how long the first and last). Whatever they show changed is
// copied whole with one WM_GETTEXT, the one read of another program's text that every system
// carries safely, and compared here with the last copy. A client that cuts its top by as much as
// was said, of lines alike, changes no sign; a copy now and then settles that, paced by what the
// last one cost so that a long day's transcript costs the client as little as a short one. The walk
// to the room, which costs a dozen messages to another process, is made again only now and then.
class ChatScanner {
 public:
  using Deliver = std::function<void(const ChatLine&)>;
  // Polls between walks to the room, which notice another room taking the first place.
  static constexpr int kPollsPerWalk = 10;
  // Quiet polls between looks at the rows' shape.
  static constexpr int kPollsPerLook = 2;
  // A copy taken when no sign changed comes no sooner after the last copy than that one's cost
  // over this share: it takes at most this share of the client's time (and about as much of
  // ours, to split and compare). A short transcript is copied at every poll, so that a client
  // capped at a few lines of one length is heard as soon as one that grows; 8 MB, which Wine's
  // rich edit copies in about a second, every minute and a half.
  static constexpr double kQuietCopyShare = 0.01;
  // Finding the last row costs some clients a walk from the top (a rich edit under Wine, about
  // 9 ms at 8 MB); a window whose last row took longer is looked at without it.
  static constexpr double kDearProbeSeconds = 0.002;
  // Reads in one poll, while the client answers but the reads fail.
  static constexpr int kAttempts = 3;

  ChatScanner(WindowAccess& windows, std::unique_ptr<Background> background, Deliver deliver);
  ChatScanner(const ChatScanner&) = delete;
  ChatScanner& operator=(const ChatScanner&) = delete;
  ~ChatScanner();

  // From the next poll on, lines are reported; those there when the room is first read are not.
  void Start();
  void Poll();

 private:
  // Signs of change that need no buffer. A row probe the client cannot answer stays empty.
  struct Shape {
    int length = 0;
    std::optional<int> rows;
    std::optional<int> firstLength;
    std::optional<int> lastStart;
    std::optional<int> lastLength;
    bool operator==(const Shape&) const = default;
  };

  // In the background.
  void Read(bool restart);
  void Look();
  // Copies the whole text: history (the start, another room) or news. The length, when given,
  // is the one just asked.
  void Copy(bool history, std::optional<int> length = std::nullopt);
  std::optional<Shape> Probe(std::optional<int> length = std::nullopt);
  void Unanswered();
  void Walk();
  void Silent();
  void Queue(const std::vector<std::u16string>& lines);
  // On the window's thread.
  void Collect();

  WindowAccess& windows_;
  Deliver deliver_;
  // The window's thread's own.
  bool started_ = false;
  bool restart_ = false;
  bool delivering_ = false;
  std::deque<ChatLine> pending_;
  // The background's, and the window thread's only while no work runs.
  std::vector<ChatLine> found_;
  bool fresh_ = false;   // a room found whose history is not read yet
  bool silent_ = false;  // the last read got no answer
  bool failed_ = false;  // the last read failed, though the client answers
  bool dearRows_ = false;
  Handle room_ = 0;
  Handle transcript_ = 0;
  int pollsSinceWalk_ = 0;
  int length_ = -1;  // the length at the last copy that held still
  int quietPolls_ = 0;
  double nextQuietCopy_ = 0;  // on the background's clock
  std::optional<Shape> shape_;
  TranscriptTracker tracker_;
  // Last, so that it goes first: it waits for work that has begun, which uses the rest.
  std::unique_ptr<Background> background_;
};

}  // namespace hostwin
