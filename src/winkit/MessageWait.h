#pragma once
// The waits' surroundings on Win32: the local time of day, the performance counter, and the
// nested message pump that keeps the windows answering while a wait runs.

#include <windows.h>

#include <utility>

#include "hostwin/Wait.h"
#include "winkit/MessagePump.h"

namespace winkit {

// Seconds on the performance counter, a clock that never jumps; any thread may read it.
double MonotonicSeconds();

class MessageWait final : public hostwin::WaitHost {
 public:
  explicit MessageWait(PreTranslate preTranslate = {}) : preTranslate_(std::move(preTranslate)) {}

  double TimeOfDay() override;
  double Monotonic() override;
  // One message at most: the wait looks at its end before the next, which may be a timer's
  // again and again.
  bool PumpMessages(double maxSeconds) override;

 private:
  PreTranslate preTranslate_;
};

// Waits about `seconds`, dispatching this thread's messages meanwhile. Inline, so that winkit
// itself needs none of the wait's arithmetic: only the programs that wait link it.
inline void WaitSeconds(int seconds) {
  MessageWait wait;
  hostwin::WaitSeconds(wait, seconds);
}

}  // namespace winkit
