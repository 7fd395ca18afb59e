#pragma once
// What a wait needs of Win32: the local time of day, the performance counter, and the nested
// message pump that keeps the windows answering while a wait runs. How long a wait lasts is the
// program's rule, not the toolkit's (formkit/Wait.h; Win32Platform joins the two).

#include <windows.h>

#include <utility>

#include "winkit/MessagePump.h"

namespace winkit {

// Seconds on the performance counter, a clock that never jumps; any thread may read it.
double MonotonicSeconds();

class MessageWait final {
 public:
  explicit MessageWait(PreTranslate preTranslate = {}) : preTranslate_(std::move(preTranslate)) {}

  // Seconds since local midnight, from the local time; starts again at 0 at midnight.
  double TimeOfDay();
  // MonotonicSeconds.
  double Monotonic();
  // Sleeps until a message comes or maxSeconds pass, then handles one message at most (PumpOne),
  // so that a wait can look at its end before the next, which may be a timer's again and again.
  // False once WM_QUIT has come (it is queued again).
  bool PumpMessages(double maxSeconds);

 private:
  PreTranslate preTranslate_;
};

}  // namespace winkit
