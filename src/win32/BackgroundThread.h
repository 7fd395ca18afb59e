#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "hostwin/Background.h"
#include "winkit/Handles.h"

namespace win32 {

// One thread of its own for work that must not hold the window's thread, and a message-only
// window on the thread that made it, to which the end of each piece is posted. Should either
// fail to be made, work runs where it is asked for, as before there were threads.
class BackgroundThread final : public hostwin::Background {
 public:
  BackgroundThread();
  BackgroundThread(const BackgroundThread&) = delete;
  BackgroundThread& operator=(const BackgroundThread&) = delete;
  ~BackgroundThread() override;

  bool Run(std::function<void()> work, std::function<void()> done) override;
  double Seconds() override;
  // Whether a piece has not reached its end yet.
  bool Busy() const { return busy_; }

 private:
  class Mailbox;
  static DWORD WINAPI Main(LPVOID self);
  void Loop();
  void Finished();

  // Handed to the thread through wake_ and back through the mailbox, never touched by both.
  std::function<void()> work_;
  std::function<void()> done_;
  bool busy_ = false;
  std::atomic<bool> stopping_{false};
  std::unique_ptr<Mailbox> mailbox_;
  winkit::UniqueHandle wake_;
  winkit::UniqueHandle thread_;
};

}  // namespace win32
