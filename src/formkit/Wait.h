#pragma once
// The program's waiting rule: how long Program::WaitSeconds lasts and how it keeps the windows
// answering. Each platform's Platform::WaitSeconds runs it over its own clocks and message queue
// (Win32Platform over winkit::MessageWait; the tests over a virtual clock).

namespace formkit {

// What a wait needs of its surroundings: two clocks and the message queue.
class WaitHost {
 public:
  WaitHost() = default;
  WaitHost(const WaitHost&) = delete;
  WaitHost& operator=(const WaitHost&) = delete;
  virtual ~WaitHost() = default;

  // Seconds since local midnight; starts again at 0 at midnight.
  virtual double TimeOfDay() = 0;
  // Seconds on a clock that never jumps.
  virtual double Monotonic() = 0;
  // Sleeps until a message comes or maxSeconds pass, then handles one pending message (any
  // handler may run, waits included), so that the wait can look at its end between two.
  // Returns false once the program is quitting.
  virtual bool PumpMessages(double maxSeconds) = 0;
};

// How long a wait of `seconds` called at `timeOfDay` lasts: the start is the time of day rounded
// half to even, and the wait ends once the time of day is `seconds` past it. Zero or less means
// it returns at once.
double WaitLength(double timeOfDay, int seconds);

// Waits as WaitLength says, handling window messages meanwhile. The end is kept on the
// monotonic clock, so a wait across midnight lasts as long as any other, and looked at after
// every message: a slow handler or a flood of timer messages delays it by one handler at most.
void WaitSeconds(WaitHost& host, int seconds);

}  // namespace formkit
