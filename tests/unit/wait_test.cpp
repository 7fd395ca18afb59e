#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "hostwin/Wait.h"

namespace {

using hostwin::WaitLength;

// A virtual clock: pumping advances time to the next event or to the end of the pump's sleep,
// then runs one event that is due, as a message queue hands out one message at a time.
struct VirtualWait final : hostwin::WaitHost {
  explicit VirtualWait(double timeOfDay) : startOfDay(timeOfDay - 1000) {}

  double TimeOfDay() override { return std::fmod(startOfDay + now, 86400); }  // midnight wraps
  double Monotonic() override { return now; }
  bool PumpMessages(double maxSeconds) override {
    ++pumps;
    if (events.empty() || events.front().first > now + maxSeconds) {
      now += maxSeconds;
    } else {
      now = std::max(now, events.front().first);
      const auto run = events.front().second;
      events.erase(events.begin());
      run();
    }
    return !quitting;
  }
  void At(double at, std::function<void()> run) { events.emplace_back(at, std::move(run)); }

  double startOfDay;
  double now = 1000;
  std::vector<std::pair<double, std::function<void()>>> events;
  int pumps = 0;
  bool quitting = false;
};

TEST(WaitSeconds, LastsAsWaitLengthSaysOnTheMonotonicClock) {
  struct Case {
    double timeOfDay;
    int seconds;
    double length;  // from the start rounded half to even
    double lasts;
  };
  // 86399.8 rounds to 86400, which the time of day never reaches: the end is kept on the
  // monotonic clock all the same.
  const std::vector<Case> cases = {
      {100.3, 1, 0.7, 0.7}, {100.7, 1, 1.3, 1.3},   {100.7, 0, 0.3, 0.3},   {100.5, 0, -0.5, 0},
      {101.5, 0, 0.5, 0.5}, {100.5, 1, 0.5, 0.5},   {101.5, 1, 1.5, 1.5},   {100.3, -5, -5.3, 0},
      {100.2, 0, -0.2, 0},  {86399.7, 1, 1.3, 1.3}, {86399.8, 1, 1.2, 1.2},
  };
  for (const auto& c : cases) {
    // The time of day is single precision: near midnight it moves in steps of 1/128 s.
    EXPECT_NEAR(WaitLength(c.timeOfDay, c.seconds), c.length, 1e-2) << c.timeOfDay;
    VirtualWait clock(c.timeOfDay);
    hostwin::WaitSeconds(clock, c.seconds);
    EXPECT_NEAR(clock.Monotonic() - 1000, c.lasts, 1e-2) << c.timeOfDay << " " << c.seconds;
    EXPECT_EQ(clock.pumps == 0, c.lasts == 0) << c.timeOfDay;
  }
}

TEST(WaitSeconds, ANestedWaitKeepsItsOwnEndAndTheOuterOneToo) {
  struct Case {
    double handlerAt;  // on the monotonic clock; the time of day is 900 behind it
    int inner;
    int outer;
    double ends;
  };
  for (const auto& c : std::vector<Case>{{1000.4, 1, 2, 2.0}, {1000.5, 3, 1, 3.0}}) {
    VirtualWait clock(100.0);
    clock.At(c.handlerAt, [&] { hostwin::WaitSeconds(clock, c.inner); });
    hostwin::WaitSeconds(clock, c.outer);
    EXPECT_NEAR(clock.Monotonic() - 1000, c.ends, 1e-3) << c.handlerAt;
  }
}

TEST(WaitSeconds, ASlowTimerInsideDelaysTheEndByOneHandlerAtMost) {
  VirtualWait clock(100.0);
  std::function<void()> tick = [&] {
    clock.now += 0.15;  // a handler slower than its timer: it is always due again
    clock.At(clock.Monotonic(), tick);
  };
  clock.At(1000.1, tick);
  hostwin::WaitSeconds(clock, 1);
  EXPECT_GE(clock.Monotonic() - 1000, 1.0);
  EXPECT_LE(clock.Monotonic() - 1000, 1.15 + 1e-9);
}

TEST(WaitSeconds, QuittingEndsTheWait) {
  VirtualWait clock(100.0);
  clock.At(1000.2, [&] { clock.quitting = true; });
  hostwin::WaitSeconds(clock, 5);
  EXPECT_NEAR(clock.Monotonic() - 1000, 0.2, 1e-3);
}

}  // namespace
