#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "hostwin/Background.h"

namespace testing_support {

// The background as one thread sees it: work runs where it is asked for and its end right after,
// unless held, when both wait for Finish, as a read still under way does. The clock moves only
// when a test moves it.
class InlineBackground final : public hostwin::Background {
 public:
  bool hold = false;
  double now = 0;

  bool Run(std::function<void()> work, std::function<void()> done) override {
    if (std::exchange(held_, true)) {
      return false;
    }
    work_ = std::move(work);
    done_ = std::move(done);
    return hold || Finish();
  }
  double Seconds() override { return now; }
  bool Holding() const { return held_; }
  // Runs the held work and its end; false when none is held.
  bool Finish() {
    if (!held_) {
      return false;
    }
    std::exchange(work_, nullptr)();
    held_ = false;
    std::exchange(done_, nullptr)();
    return true;
  }

 private:
  bool held_ = false;
  std::function<void()> work_;
  std::function<void()> done_;
};

// One for an owner that takes it whole, with a view of it kept for the test.
inline std::unique_ptr<hostwin::Background> MakeInlineBackground(InlineBackground*& view) {
  auto made = std::make_unique<InlineBackground>();
  view = made.get();
  return made;
}

}  // namespace testing_support
