#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Headless.h"
#include "formkit/Wait.h"

namespace {

using formkit::WaitLength;

// The headless runs' clock, counting its pumps; once quitting, a pump reports the end.
struct VirtualWait final : testing_support::VirtualClock {
  using VirtualClock::VirtualClock;
  bool PumpMessages(double maxSeconds) override {
    ++pumps;
    return VirtualClock::PumpMessages(maxSeconds) && !quitting;
  }
  void Advance(double seconds) { now_ += seconds; }

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
    formkit::WaitSeconds(clock, c.seconds);
    EXPECT_NEAR(clock.Monotonic(), c.lasts, 1e-2) << c.timeOfDay << " " << c.seconds;
    EXPECT_EQ(clock.pumps == 0, c.lasts == 0) << c.timeOfDay;
  }
}

TEST(WaitSeconds, ANestedWaitKeepsItsOwnEndAndTheOuterOneToo) {
  struct Case {
    double handlerAt;  // on the monotonic clock; the time of day is 100 ahead of it
    int inner;
    int outer;
    double ends;
  };
  for (const auto& c : std::vector<Case>{{0.4, 1, 2, 2.0}, {0.5, 3, 1, 3.0}}) {
    VirtualWait clock(100.0);
    clock.At(c.handlerAt, [&] { formkit::WaitSeconds(clock, c.inner); });
    formkit::WaitSeconds(clock, c.outer);
    EXPECT_NEAR(clock.Monotonic(), c.ends, 1e-3) << c.handlerAt;
  }
}

TEST(WaitSeconds, ASlowTimerInsideDelaysTheEndByOneHandlerAtMost) {
  VirtualWait clock(100.0);
  std::function<void()> tick = [&] {
    clock.Advance(0.15);  // a handler slower than its timer: it is always due again
    clock.At(clock.Monotonic(), tick);
  };
  clock.At(0.1, tick);
  formkit::WaitSeconds(clock, 1);
  EXPECT_GE(clock.Monotonic(), 1.0);
  EXPECT_LE(clock.Monotonic(), 1.15 + 1e-9);
}

TEST(WaitSeconds, QuittingEndsTheWait) {
  VirtualWait clock(100.0);
  clock.At(0.2, [&] { clock.quitting = true; });
  formkit::WaitSeconds(clock, 5);
  EXPECT_NEAR(clock.Monotonic(), 0.2, 1e-3);
}

}  // namespace
