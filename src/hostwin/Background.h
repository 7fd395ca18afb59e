#pragma once

#include <functional>

namespace hostwin {

// Work that must not hold the window's thread: reading another program's long text takes as
// long as that program needs to copy it, and a click waiting behind it would wait as long.
class Background {
 public:
  Background() = default;
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;
  virtual ~Background() = default;

  // Runs `work` away from the window's thread, then `done` on it, between two of its messages.
  // One piece at a time: false, and nothing run, while the last one has not reached `done`.
  // `work` may touch only what no other thread does meanwhile; destroying this object waits
  // for work that has begun, and a `done` not yet run is then dropped.
  virtual bool Run(std::function<void()> work, std::function<void()> done) = 0;
  // Seconds on a clock that never jumps, readable from the work too.
  virtual double Seconds() = 0;
};

}  // namespace hostwin
