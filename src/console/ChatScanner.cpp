#include "console/ChatScanner.h"

#include <exception>
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
    Read();
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
    silent_ = false;
    end_.reset();
  }
}

void ChatScanner::Silent() {
  // A room that is gone answers nothing either; if another took its place, that one is asked.
  const hostwin::Handle asked = transcript_;
  Walk();
  silent_ = transcript_ == asked;
}

void ChatScanner::Read() {
  if (transcript_ == 0 || ++pollsSinceWalk_ >= kPollsPerWalk) {
    Walk();
  }
  if (transcript_ == 0) {
    return;
  }
  // While the client hangs, every read costs its whole time limit; a short question first keeps
  // the thread free for the user's clicks and resumes reading as soon as the client answers.
  if (silent_ && !windows_.Answers(transcript_)) {
    Silent();
    return;
  }
  silent_ = false;
  try {
    if (fresh_) {
      // Until the room's text is read once, nothing is known of it; lines said before that
      // read succeeds count as history too.
      ReadWhole(true, Probe());
    } else {
      ReadChanges();
    }
  } catch (const std::exception&) {
    // An answer beyond reason (a buffer the size of a length no text has) is a failed read;
    // what was read before stays as it was.
    Silent();
  }
}

std::optional<ChatScanner::End> ChatScanner::Probe() {
  const auto rows = windows_.RowCount(transcript_);
  if (!rows) {
    return std::nullopt;
  }
  const int lastRow = *rows - 1;
  const auto lastStart = windows_.RowStart(transcript_, lastRow);
  auto last = lastStart ? windows_.RowText(transcript_, lastRow) : std::nullopt;
  auto first = last && lastRow > 0 ? windows_.RowText(transcript_, 0) : last;
  if (!first) {
    return std::nullopt;
  }
  return End{*rows, *lastStart, std::move(*first), std::move(*last)};
}

void ChatScanner::ReadChanges() {
  const auto now = Probe();
  if (now && end_ && *now == *end_) {
    return;
  }
  if (now && end_ && Follow(*end_, *now)) {
    return;
  }
  if (!now && !windows_.Answers(transcript_)) {
    Silent();
    return;
  }
  ReadWhole(false, now);
}

void ChatScanner::ReadWhole(bool history, const std::optional<End>& before) {
  const auto text = windows_.Text(transcript_);
  if (!text) {
    Silent();
    return;
  }
  if (history) {
    tracker_.Reset(*text);
    fresh_ = false;
  } else {
    Queue(tracker_.Update(*text));
  }
  // The rows taken for this text's end only if they held still around the read.
  const auto after = before ? Probe() : std::nullopt;
  end_ = after && *after == *before ? after : std::nullopt;
}

bool ChatScanner::Follow(const End& from, const End& to) {
  // A client that only appends leaves its first row and the rows it had as they were.
  if (to.first != from.first || to.rows < from.rows ||
      windows_.RowStart(transcript_, from.rows - 1) != from.lastStart ||
      windows_.RowText(transcript_, from.rows - 1) != from.last) {
    return false;
  }
  std::u16string added;
  int rowEnd = from.lastStart + static_cast<int>(from.last.size());
  for (int row = from.rows; row < to.rows; ++row) {
    const auto start = windows_.RowStart(transcript_, row);
    const auto text = windows_.RowText(transcript_, row);
    if (!start || !text || *start < rowEnd) {
      return false;
    }
    // A row that starts past the end of the one before begins a line; else it wraps it.
    if (*start > rowEnd) {
      added += u"\r\n";
    }
    added += *text;
    rowEnd = *start + static_cast<int>(text->size());
  }
  // The old last row must still end its line, and the rows read must be all there are; else
  // the next poll reads them again.
  if ((!added.empty() && added.front() != u'\r') ||
      rowEnd != to.lastStart + static_cast<int>(to.last.size())) {
    return false;
  }
  if (windows_.RowCount(transcript_) != to.rows) {
    return true;
  }
  const std::vector<std::u16string> lines = SplitLines(added);
  tracker_.Extend(lines);
  Queue(lines);
  end_ = to;
  return true;
}

void ChatScanner::Queue(const std::vector<std::u16string>& lines) {
  for (const auto& added : lines) {
    ChatLine line;
    if (SplitChatLine(added, line)) {
      pending_.push_back(std::move(line));
    }
  }
}

}  // namespace console
