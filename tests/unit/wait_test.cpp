#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "hostwin/Wait.h"

namespace {

using hostwin::WaitLength;

TEST(WaitLength, StartIsRoundedHalfToEven) {
  struct Case {
    double timeOfDay;
    int seconds;
    double length;
  };
  const std::vector<Case> cases = {
      {100.3, 1, 0.7},  {100.7, 1, 1.3},   {100.2, 0, -0.2},  {100.7, 0, 0.3},
      {100.5, 0, -0.5}, {101.5, 0, 0.5},   {100.5, 1, 0.5},   {101.5, 1, 1.5},
      {100.0, 0, 0.0},  {100.3, -1, -1.3}, {100.3, -5, -5.3}, {86399.7, 1, 1.3},
  };
  for (const auto& c : cases) {
    // The time of day is single precision: near midnight it moves in steps of 1/128 s.
    EXPECT_NEAR(WaitLength(c.timeOfDay, c.seconds), c.length, 1e-2)
        << c.timeOfDay << " " << c.seconds;
  }
}

// A virtual clock: pumping advances time to the next event or to the end of the pump's sleep,
// then runs one event that is due, as a message queue hands out one message at a time.
class VirtualWait final : public hostwin::WaitHost {
 public:
  explicit VirtualWait(double timeOfDay) : timeOfDay_(timeOfDay) {}

  double TimeOfDay() override {
    return timeOfDay_ >= 86400 ? timeOfDay_ - 86400 : timeOfDay_;  // midnight wraps
  }
  double Monotonic() override { return monotonic_; }
  bool PumpMessages(double maxSeconds) override {
    ++pumps;
    double step = maxSeconds;
    if (!events_.empty() && events_.front().at - monotonic_ < step) {
      step = events_.front().at - monotonic_;
    }
    Advance(step);
    if (!events_.empty() && events_.front().at <= monotonic_) {
      auto event = events_.front();
      events_.erase(events_.begin());
      event.run();
    }
    return !quitting;
  }
  void Advance(double seconds) {
    timeOfDay_ += seconds;
    monotonic_ += seconds;
  }
  void At(double monotonic, std::function<void()> run) {
    events_.push_back({monotonic, std::move(run)});
  }

  int pumps = 0;
  bool quitting = false;

 private:
  struct Event {
    double at;
    std::function<void()> run;
  };
  double timeOfDay_;
  double monotonic_ = 1000;
  std::vector<Event> events_;
};

TEST(WaitSeconds, EndsAtTheRoundedEnd) {
  VirtualWait clock(100.3);
  hostwin::WaitSeconds(clock, 1);
  EXPECT_NEAR(clock.Monotonic() - 1000, 0.7, 1e-3);
  EXPECT_GE(clock.pumps, 1);
}

TEST(WaitSeconds, ReturnsWithoutPumpingWhenAlreadyPast) {
  for (const auto& [time, seconds] :
       std::vector<std::pair<double, int>>{{100.2, 0}, {100.5, 0}, {100.3, -3}}) {
    VirtualWait clock(time);
    hostwin::WaitSeconds(clock, seconds);
    EXPECT_EQ(clock.pumps, 0) << time;
    EXPECT_EQ(clock.Monotonic(), 1000) << time;
  }
}

TEST(WaitSeconds, AcrossMidnightLastsAboutTheSameTime) {
  VirtualWait clock(86399.8);  // start rounds to 86400, which the time of day never reaches
  hostwin::WaitSeconds(clock, 1);
  EXPECT_NEAR(clock.Monotonic() - 1000, 1.2, 1e-2);
}

TEST(WaitSeconds, NestedWaitRunsToItsEndBeforeTheOuterResumes) {
  VirtualWait clock(100.0);
  std::vector<std::string> trace;
  clock.At(1000.4, [&] {
    trace.push_back("inner start");
    hostwin::WaitSeconds(clock, 1);  // called at 100.4: ends at 101.0
    trace.push_back("inner end");
  });
  hostwin::WaitSeconds(clock, 2);  // ends at 102.0
  trace.push_back("outer end");
  EXPECT_EQ(trace, (std::vector<std::string>{"inner start", "inner end", "outer end"}));
  EXPECT_NEAR(clock.Monotonic() - 1000, 2.0, 1e-3);
}

TEST(WaitSeconds, NestedHandlerOutlastingTheOuterEndReturnsRightAfterIt) {
  VirtualWait clock(100.0);
  clock.At(1000.5, [&] { hostwin::WaitSeconds(clock, 3); });  // called at 100.5: ends at 103.0
  hostwin::WaitSeconds(clock, 1);
  EXPECT_NEAR(clock.Monotonic() - 1000, 3.0, 1e-3);
}

TEST(WaitSeconds, ASlowTimerInsideDelaysTheEndByOneHandlerAtMost) {
  VirtualWait clock(100.0);
  std::function<void()> tick = [&] {
    clock.Advance(0.15);  // a handler slower than its timer: it is always due again
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
