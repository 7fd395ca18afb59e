#pragma once

#include <deque>
#include <functional>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/ChatLines.h"
#include "forms/Program.h"
#include "hostwin/WindowAccess.h"

namespace console {

// Watches the chat room's transcript and reports every line said there after the start, once,
// in order. Polled from a timer on the window's thread, it reads the transcript's end by rows
// (its count, the first and the last row) and compares it with the end it last read; rows added
// below are read one by one, so neither a quiet poll nor a new line costs more in a long
// transcript than in a short one. Only what the rows cannot decide (a top trimmed, a room
// changed, a row too long to read alone) is settled by reading the whole text. The walk to the
// room, which costs a dozen messages to another process, is made again only now and then.
class ChatScanner {
 public:
  using Deliver = std::function<void(const ChatLine&)>;
  // Polls between walks to the room, which notice another room taking the first place.
  static constexpr int kPollsPerWalk = 10;

  ChatScanner(hostwin::WindowAccess& windows, Deliver deliver);

  // From now on, lines are reported; those already there are not.
  void Start();
  void Poll();

 private:
  // The transcript's end as one read saw it.
  struct End {
    int rows = 0;
    int lastStart = 0;
    std::u16string first;
    std::u16string last;
    bool operator==(const End&) const = default;
  };

  void Read();
  void ReadChanges();
  void Walk();
  // Reads the whole text: history (the start, another room) or news.
  void ReadWhole(bool history, const std::optional<End>& before);
  // Reads the rows added below `from`; false when they do not simply follow it.
  bool Follow(const End& from, const End& to);
  std::optional<End> Probe();
  void Queue(const std::vector<std::u16string>& lines);
  void Silent();

  hostwin::WindowAccess& windows_;
  Deliver deliver_;
  bool started_ = false;
  bool delivering_ = false;
  bool fresh_ = false;   // a room found whose history is not read yet
  bool silent_ = false;  // the last read got no answer
  hostwin::Handle room_ = 0;
  hostwin::Handle transcript_ = 0;
  int pollsSinceWalk_ = 0;
  std::optional<End> end_;  // nothing: the rows did not hold still for the last whole read
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
