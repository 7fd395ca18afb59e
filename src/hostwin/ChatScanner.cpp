#include "hostwin/ChatScanner.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "hostwin/ChatRoom.h"

namespace hostwin {
namespace {

std::u16string_view WithoutBreak(std::u16string_view row) {
  while (!row.empty() && (row.back() == u'\r' || row.back() == u'\n')) {
    row.remove_suffix(1);
  }
  return row;
}

// Where the row after one that starts at `start` starts: its line break counts one.
int After(int start, std::u16string_view row) {
  const std::size_t text = WithoutBreak(row).size();
  return start + static_cast<int>(text) + (text < row.size() ? 1 : 0);
}

// Whether the text, read whole, begins with the transcript as `end` saw it: as long as it was
// then, ending in its last row, and a line break after.
bool Appended(std::u16string_view text, const auto& end) {
  const auto length = static_cast<std::size_t>(end.length);
  return length < text.size() && (text[length] == u'\r' || text[length] == u'\n') &&
         text.substr(0, length).ends_with(WithoutBreak(end.last));
}

}  // namespace

ChatScanner::ChatScanner(WindowAccess& windows, Deliver deliver, int longTranscript)
    : windows_(windows), deliver_(std::move(deliver)), longTranscript_(longTranscript) {}

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
    length_ = -1;
    end_.reset();
  }
}

void ChatScanner::Silent() {
  // A room that is gone answers nothing either; if another took its place, that one is asked.
  const Handle asked = transcript_;
  Walk();
  silent_ = transcript_ == asked;
  length_ = -1;
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
  // A read that failed while the client answers (a reply beyond reason, a race with a change)
  // is tried again at once: by the next poll, a client that caps its transcript may have
  // dropped what was said.
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    silent_ = false;
    failed_ = false;
    try {
      if (fresh_) {
        // Until the room's text is read once, nothing is known of it; lines said before that
        // read succeeds count as history too.
        const auto now = Probe();
        if (now && now->length > longTranscript_) {
          TakeLastRow(*now);
        } else {
          ReadWhole(true, now);
        }
      } else {
        ReadChanges();
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

std::optional<ChatScanner::End> ChatScanner::Probe() {
  const auto length = windows_.TextLength(transcript_);
  const auto rows = length ? windows_.RowCount(transcript_) : std::nullopt;
  if (!rows) {
    return std::nullopt;
  }
  // The first line, or as much of it as a few rows hold: a top trimmed changes it. An empty
  // transcript is not asked for its row (Wine's rich edit answers that with nonsense).
  End end{*length, *rows, {}, 0, {}};
  int start = 0;
  for (int row = 0; row < std::min(*length > 0 ? *rows : 0, kFirstRows); ++row) {
    const auto text = windows_.RowText(transcript_, row, start);
    if (!text) {
      return std::nullopt;
    }
    end.first += WithoutBreak(*text);
    if (WithoutBreak(*text).size() < text->size()) {
      break;
    }
    start = After(start, *text);
  }
  return end;
}

bool ChatScanner::ReadLastRow(End& end) {
  if (end.length == 0) {
    end.lastStart = 0;
    end.last.clear();
    return true;
  }
  // Finding the last row costs a client with a long transcript more than the rest of a poll.
  const auto start = windows_.RowStart(transcript_, end.rows - 1);
  auto last = start ? windows_.RowText(transcript_, end.rows - 1, *start) : std::nullopt;
  if (!last) {
    return false;
  }
  end.lastStart = *start;
  end.last = std::move(*last);
  return true;
}

void ChatScanner::TakeLastRow(const End& now) {
  End end = now;
  const auto again = ReadLastRow(end) ? Probe() : std::nullopt;
  if (!again || !again->Same(now)) {
    // Changing or unanswered: history is taken at a later poll.
    return;
  }
  // The last line, or as much of it as a few rows hold: what the news will follow.
  std::u16string line = end.last;
  for (int row = end.rows - 2; row >= 0 && row > end.rows - 1 - kFirstRows; --row) {
    const auto start = windows_.RowStart(transcript_, row);
    const auto text = start ? windows_.RowText(transcript_, row, *start) : std::nullopt;
    if (!text) {
      return;
    }
    if (WithoutBreak(*text).size() < text->size()) {
      break;
    }
    line.insert(0, *text);
  }
  tracker_.ResetToEnd(line);
  end_ = std::move(end);
  fresh_ = false;
}

void ChatScanner::ReadChanges() {
  const auto length = windows_.TextLength(transcript_);
  if (!length) {
    Unanswered(std::nullopt);
    return;
  }
  // Most quiet polls end here. A client that cuts its top by as much as was said keeps the
  // length: a closer look every few polls sees that.
  const bool same = *length == length_;
  quietPolls_ = same ? quietPolls_ + 1 : 0;
  if (same && quietPolls_ % kPollsPerLook != 0) {
    return;
  }
  length_ = -1;  // until this read succeeds
  if (*length <= longTranscript_) {
    // Short: read whole, which tells what no comparison of its ends can. Its end is taken only
    // once it nears the length where rows take over.
    ReadWhole(false, *length > longTranscript_ / 2 ? Probe() : std::nullopt);
  } else if (!ReadRows()) {
    return;
  }
  if (!silent_ && !failed_) {
    length_ = *length;
  }
}

bool ChatScanner::ReadRows() {
  const auto now = Probe();
  if (!now) {
    Unanswered(std::nullopt);
    return false;
  }
  if (end_ && now->Same(*end_)) {
    if (quietPolls_ % kPollsPerDeepLook != 0) {
      return true;
    }
    const auto still = Still(*end_);
    if (!still) {
      Unanswered(now);
      return false;
    }
    if (*still) {
      return true;
    }
  } else if (end_) {
    const auto followed = Follow(*end_, *now);
    if (!followed) {
      Unanswered(now);
      return false;
    }
    if (*followed) {
      return true;
    }
  }
  unexplained_ = 0;
  ReadWhole(false, now);
  return true;
}

void ChatScanner::Unanswered(const std::optional<End>& now) {
  length_ = -1;
  if (!windows_.Answers(transcript_)) {
    Silent();
    return;
  }
  // A read that failed from a client that answers: once is a race; again and again, something
  // the rows cannot carry (a row too long), which the whole text settles.
  if (++unexplained_ >= kUnexplainedReads) {
    unexplained_ = 0;
    ReadWhole(false, now);
  } else {
    failed_ = true;
  }
}

std::optional<bool> ChatScanner::Still(const End& end) {
  // A top trimmed by as much as was said, of lines alike, keeps the rest alike too; the last
  // row tells, at a cost that grows with the transcript, so only now and then.
  End now = end;
  if (!ReadLastRow(now)) {
    return std::nullopt;
  }
  return now.lastStart == end.lastStart && now.last == end.last;
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
  } else if (tracker_.EndOnly() && end_ && Appended(*text, *end_)) {
    // Known only by its end, and only added to since: what follows its old length is news.
    Queue(SplitLines(std::u16string_view(*text).substr(static_cast<std::size_t>(end_->length))));
    tracker_.Reset(*text);
  } else {
    Queue(tracker_.Update(*text));
  }
  // The end taken for this text only if the transcript held still around the read.
  std::optional<End> end = before;
  if (!end || !ReadLastRow(*end)) {
    end.reset();
  }
  const auto after = end ? Probe() : std::nullopt;
  end_ = after && after->Same(*end) ? end : std::nullopt;
}

std::optional<bool> ChatScanner::Follow(const End& from, const End& to) {
  // A client that only appends leaves its first row and the rows it had as they were: the old
  // last row still where it was, now ending its line. Asked by position, which a rich edit finds
  // fast, rather than by row, which it counts from the top.
  const int lastRow = from.rows - 1;
  if (to.first != from.first || to.rows <= from.rows || to.length <= from.length) {
    return false;
  }
  const int next = from.lastStart + static_cast<int>(WithoutBreak(from.last).size()) + 1;
  const auto last = windows_.RowAt(transcript_, from.lastStart);
  const auto first = last ? windows_.RowAt(transcript_, next) : std::nullopt;
  if (!first) {
    return std::nullopt;
  }
  if (*last != lastRow || *first != lastRow + 1) {
    return false;
  }
  std::u16string added = u"\r\n";
  End end = to;
  end.lastStart = next;
  for (int row = lastRow + 1; row < to.rows; ++row) {
    if (row > lastRow + 1) {
      end.lastStart = After(end.lastStart, end.last);
    }
    auto text = windows_.RowText(transcript_, row, end.lastStart);
    if (!text) {
      return std::nullopt;
    }
    added += *text;
    end.last = std::move(*text);
  }
  // Rows added while they were read: the next poll reads them again.
  const auto after = Probe();
  if (!after) {
    return std::nullopt;
  }
  if (!after->Same(to)) {
    return true;
  }
  const std::vector<std::u16string> lines = SplitLines(added);
  tracker_.Extend(lines);
  Queue(lines);
  end_ = std::move(end);
  unexplained_ = 0;
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

}  // namespace hostwin
