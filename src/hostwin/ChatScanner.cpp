#include "hostwin/ChatScanner.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "hostwin/ChatRoom.h"

namespace hostwin {

ChatScanner::ChatScanner(WindowAccess& windows, std::unique_ptr<Background> background,
                         Deliver deliver)
    : windows_(windows), deliver_(std::move(deliver)), background_(std::move(background)) {}

ChatScanner::~ChatScanner() = default;

void ChatScanner::Start() {
  // The room is first read at the next poll, not here: the start comes as the console loads and
  // says its first line, and a long transcript's copy would keep the client busy meanwhile.
  started_ = true;
  restart_ = true;
  pending_.clear();
}

void ChatScanner::Poll() {
  if (!started_) {
    return;
  }
  // While the last read is still under way, this poll is its; a restart waits for the next.
  const bool restart = std::exchange(restart_, false);
  if (!background_->Run([this, restart] { Read(restart); }, [this] { Collect(); })) {
    restart_ = restart_ || restart;
  }
}

void ChatScanner::Collect() {
  std::move(found_.begin(), found_.end(), std::back_inserter(pending_));
  found_.clear();
  // A handler that waits lets timers and reads run again; the delivery further up the stack
  // hands out what is queued here, so no line comes twice or out of order.
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
  const Handle room = FindChatRoom(windows_);
  const Handle transcript = room == 0 ? 0 : windows_.FindChild(room, 0, kRichTextClass);
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
    silent_ = false;
    dearRows_ = false;
    length_ = -1;
    shape_.reset();
  }
}

void ChatScanner::Silent() {
  // A room that is gone answers nothing either; if another took its place, that one is asked.
  const Handle asked = transcript_;
  Walk();
  silent_ = transcript_ == asked;
  length_ = -1;
}

void ChatScanner::Read(bool restart) {
  if (restart) {
    room_ = 0;
    transcript_ = 0;
  }
  if (transcript_ == 0 || ++pollsSinceWalk_ >= kPollsPerWalk) {
    Walk();
  }
  if (transcript_ == 0) {
    return;
  }
  // While the client hangs, every read costs its whole time limit; a short question first
  // resumes reading as soon as the client answers.
  if (silent_ && !windows_.Answers(transcript_)) {
    Silent();
    return;
  }
  // A read that failed while the client answers (a reply beyond reason, a race with a change)
  // is tried again at once: by the next poll, a client that caps its transcript may have
  // dropped what was said.
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    silent_ = false;
    failed_ = false;
    try {
      // Until the room's text is read once, nothing is known of it; lines said before that
      // read succeeds count as history too.
      if (fresh_) {
        Copy(true);
      } else {
        Look();
      }
    } catch (const std::exception&) {
      // An answer beyond reason (a buffer the size of a length no text has) is a failed read;
      // what was read before stays as it was.
      Silent();
    }
    if ((!silent_ && !failed_) || (silent_ && !windows_.Answers(transcript_))) {
      return;
    }
  }
}

void ChatScanner::Look() {
  const auto length = windows_.TextLength(transcript_);
  if (!length) {
    Unanswered();
    return;
  }
  if (*length != length_ || !shape_) {
    Copy(false, *length);
    return;
  }
  ++quietPolls_;
  if (background_->Seconds() >= nextQuietCopy_ ||
      (quietPolls_ % kPollsPerLook == 0 && Probe(*length) != shape_)) {
    Copy(false, *length);
  }
}

std::optional<ChatScanner::Shape> ChatScanner::Probe(std::optional<int> length) {
  if (!length) {
    length = windows_.TextLength(transcript_);
  }
  if (!length) {
    return std::nullopt;
  }
  Shape shape{*length, windows_.RowCount(transcript_), {}, {}, {}};
  // An empty transcript has nothing more to tell (and some clients answer nonsense for it).
  if (*length == 0 || !shape.rows) {
    return shape;
  }
  shape.firstLength = windows_.RowLength(transcript_, 0);
  if (!dearRows_) {
    const double asked = background_->Seconds();
    shape.lastStart = windows_.RowStart(transcript_, *shape.rows - 1);
    shape.lastLength =
        shape.lastStart ? windows_.RowLength(transcript_, *shape.lastStart) : std::nullopt;
    dearRows_ = background_->Seconds() - asked > kDearProbeSeconds;
  }
  return shape;
}

void ChatScanner::Copy(bool history, std::optional<int> length) {
  length_ = -1;  // until this copy succeeds
  auto before = Probe(length);
  const double started = background_->Seconds();
  const auto text = before ? windows_.Text(transcript_) : std::nullopt;
  const double copied = background_->Seconds();
  nextQuietCopy_ = copied + (copied - started) / kQuietCopyShare;
  if (!text) {
    Unanswered();
    return;
  }
  const auto after = Probe();
  if (before && dearRows_) {
    // Found dear just now: left out of both, or the next poll would copy again for nothing.
    before->lastStart.reset();
    before->lastLength.reset();
  }
  if (history) {
    tracker_.Reset(*text);
    fresh_ = false;
  } else {
    Queue(tracker_.Update(*text));
  }
  quietPolls_ = 0;
  // The signs are taken for this text only if the transcript held still around the copy; else
  // the next poll copies again.
  if (before && after && *before == *after) {
    shape_ = after;
    length_ = after->length;
  } else {
    shape_.reset();
  }
}

void ChatScanner::Unanswered() {
  length_ = -1;
  if (!windows_.Answers(transcript_)) {
    Silent();
  } else {
    failed_ = true;
  }
}

void ChatScanner::Queue(const std::vector<std::u16string>& lines) {
  for (const auto& added : lines) {
    ChatLine line;
    if (SplitChatLine(added, line)) {
      found_.push_back(std::move(line));
    }
  }
}

}  // namespace hostwin
