#include "console/ChatScanner.h"

#include <utility>

#include "hostwin/ChatRoom.h"

namespace console {

ChatScanner::ChatScanner(hostwin::WindowAccess& windows, Deliver deliver)
    : windows_(windows), deliver_(std::move(deliver)) {}

void ChatScanner::Start() {
  started_ = true;
  room_ = 0;
  transcript_ = 0;
  pending_.clear();
  Walk();
  if (fresh_) {
    TakeHistory();
  }
}

void ChatScanner::Poll() {
  if (!started_) {
    return;
  }
  Read();
  // A handler that waits lets timers run again; the delivery further up the stack hands out
  // what is queued here, so no line comes twice or out of order.
  if (delivering_) {
    return;
  }
  struct Delivering {
    bool& flag;
    explicit Delivering(bool& f) : flag(f) { flag = true; }
    Delivering(const Delivering&) = delete;
    Delivering& operator=(const Delivering&) = delete;
    ~Delivering() { flag = false; }
  } delivering(delivering_);
  while (!pending_.empty()) {
    const ChatLine line = std::move(pending_.front());
    pending_.pop_front();
    deliver_(line);
  }
}

void ChatScanner::Walk() {
  pollsSinceWalk_ = 0;
  const hostwin::Handle room = hostwin::FindChatRoom(windows_);
  const hostwin::Handle transcript =
      room == 0 ? 0 : windows_.FindChild(room, 0, hostwin::kRichTextClass);
  if (transcript == 0) {
    room_ = 0;
    transcript_ = 0;
    return;
  }
  if (room != room_ || transcript != transcript_) {
    // Another room (or the first one seen): what it holds is history, not news.
    room_ = room;
    transcript_ = transcript;
    fresh_ = true;
  }
}

void ChatScanner::TakeHistory() {
  // Until the room's text is read once, nothing is known of it; lines said before that read
  // succeeds count as history too.
  const auto length = windows_.TextLength(transcript_);
  const auto text = length ? windows_.Text(transcript_) : std::nullopt;
  if (!text) {
    Silent();
    return;
  }
  tracker_.Reset(*text);
  length_ = *length;
  pollsSinceRead_ = 0;
  fresh_ = false;
}

void ChatScanner::Silent() {
  // A room that is gone answers nothing either; if another took its place, that one is asked.
  const hostwin::Handle asked = transcript_;
  Walk();
  quietPolls_ = transcript_ == asked ? kPollsAfterSilence : 0;
}

void ChatScanner::Read() {
  if (quietPolls_ > 0) {
    --quietPolls_;
    return;
  }
  if (transcript_ == 0 || ++pollsSinceWalk_ >= kPollsPerWalk) {
    Walk();
  }
  if (transcript_ == 0) {
    return;
  }
  if (fresh_) {
    TakeHistory();
    return;
  }
  // A read that gets no answer skips this poll and a few more; what was read before stays as
  // it was.
  const auto length = windows_.TextLength(transcript_);
  if (!length) {
    Silent();
    return;
  }
  if (*length == length_ && ++pollsSinceRead_ < kPollsPerFullRead) {
    return;
  }
  const auto text = windows_.Text(transcript_);
  if (!text) {
    Silent();
    return;
  }
  pollsSinceRead_ = 0;
  length_ = *length;
  for (const auto& added : tracker_.Update(*text)) {
    ChatLine line;
    if (SplitChatLine(added, line)) {
      pending_.push_back(std::move(line));
    }
  }
}

ScannerControl::ScannerControl(forms::Program& program, hostwin::WindowAccess& windows,
                               forms::FormId id, std::string_view name)
    : program_(program),
      scanner_(windows,
               [&program, id, event = std::string(name) + "_ChatMsg"](const ChatLine& line) {
                 program.Raise(id, event, {line.sender, line.text});
               }) {}

void ScannerControl::Call(std::string_view method) {
  if (method != "Start") {
    return;
  }
  scanner_.Start();
  if (!ticker_) {
    ticker_ = program_.GetPlatform().Every(kPollMilliseconds, [this] { scanner_.Poll(); });
  }
}

}  // namespace console
