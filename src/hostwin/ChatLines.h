#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hostwin {

// One line said in the room: the sender's screen name and what they said.
struct ChatLine {
  std::u16string sender;
  std::u16string text;
  bool operator==(const ChatLine&) const = default;
};

// Splits a transcript line at its first ":" + TAB; false for a line that is not a chat line.
bool SplitChatLine(std::u16string_view line, ChatLine& out);

// Follows a room's transcript from one read to the next and tells which lines are new. The
// client appends at the bottom and may trim the top, by whole lines or by characters (which
// leaves the tail of a line first). The new lines are those after the longest run at the end
// of the last read that starts the new one, its first line allowed to be such a tail.
//
// Snapshots cannot tell everything apart: a line trimmed from the top while an identical one
// arrives at the bottom looks like no change at all. The longest run is taken, so an old line
// is never reported again, at the cost of such a new line. Without such a run (the text lost
// a line alike somewhere, or was trimmed by more than it kept), the news follows the last
// occurrence of the longest run of the last few lines read before. A read that shares no line with
// the last one is a cleared or replaced transcript: history, reported only when the last read was
// empty (a fresh or cleared room filling up).
class TranscriptTracker {
 public:
  // Takes the transcript as it is now; none of its lines will be reported.
  void Reset(std::u16string_view transcript);
  // The lines added since the last read, in order.
  std::vector<std::u16string> Update(std::u16string_view transcript);

 private:
  std::vector<std::u16string> lines_;
};

// The transcript's lines; CR LF, CR and LF all end a line, and empty lines are dropped.
std::vector<std::u16string> SplitLines(std::u16string_view transcript);

}  // namespace hostwin
