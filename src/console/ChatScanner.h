#pragma once

#include <deque>
#include <functional>

#include <memory>
#include <string>

#include "console/ChatLines.h"
#include "forms/Program.h"
#include "hostwin/WindowAccess.h"

namespace console {

// Watches the chat room's transcript and reports every line said there after the start, once,
// in order. Polled from a timer on the window's thread, it asks the transcript's length (one
// message) and reads the text only when the length changed; the walk to the room, which costs a
// dozen messages to another process, is made again only now and then.
class ChatScanner {
 public:
  using Deliver = std::function<void(const ChatLine&)>;
  // Polls between walks to the room, which notice another room taking the first place.
  static constexpr int kPollsPerWalk = 10;
  // Polls between full reads while the length stays the same. A client that caps its transcript
  // by characters keeps the length the same from line to line, so the text itself is read every
  // other poll: such a line is heard within two polls. A full read costs far more than asking
  // the length, hence not every poll.
  static constexpr int kPollsPerFullRead = 2;
  // Polls left out after a read that got no answer. While the client hangs, every read costs
  // the thread its whole time limit, longer than a poll's period: asked at every poll, the
  // client would leave the thread almost no time for the user's clicks.
  static constexpr int kPollsAfterSilence = 10;

  ChatScanner(hostwin::WindowAccess& windows, Deliver deliver);

  // From now on, lines are reported; those already there are not.
  void Start();
  void Poll();

 private:
  void Read();
  void Walk();
  void TakeHistory();
  void Silent();

  hostwin::WindowAccess& windows_;
  Deliver deliver_;
  bool started_ = false;
  bool delivering_ = false;
  bool fresh_ = false;  // a room found whose history is not read yet
  hostwin::Handle room_ = 0;
  hostwin::Handle transcript_ = 0;
  int length_ = -1;
  int pollsSinceRead_ = 0;
  int pollsSinceWalk_ = 0;
  int quietPolls_ = 0;
  TranscriptTracker tracker_;
  std::deque<ChatLine> pending_;
};

// The scanner as the main window hosts it: a start call begins the watch, polled on the window's
// thread, and every line becomes the window's <name>_ChatMsg(sender, text) event.
class ScannerControl final : public forms::Component {
 public:
  static constexpr int kPollMilliseconds = 100;

  ScannerControl(forms::Program& program, hostwin::WindowAccess& windows, forms::FormId id,
                 std::string_view name);
  void Call(std::string_view method) override;

 private:
  forms::Program& program_;
  ChatScanner scanner_;
  std::unique_ptr<forms::Ticker> ticker_;
};

}  // namespace console
