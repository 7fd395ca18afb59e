#pragma once

#include <windows.h>

#include <functional>

#include "hostwin/Wait.h"

namespace win32 {

// The wait's surroundings on Win32: the local time of day, the performance counter, and a
// message pump that sleeps until input arrives rather than spinning.
class MessageWait final : public hostwin::WaitHost {
 public:
  // preTranslate sees each message first and returns true when it has handled it (keyboard
  // navigation between a window's controls, say).
  explicit MessageWait(std::function<bool(MSG&)> preTranslate = {})
      : preTranslate_(std::move(preTranslate)) {}

  double TimeOfDay() override;
  double Monotonic() override;
  bool PumpMessages(double maxSeconds) override;

 private:
  std::function<bool(MSG&)> preTranslate_;
};

// Waits about `seconds`, dispatching this thread's messages meanwhile.
void WaitSeconds(int seconds);

// Into the topmost band, keeping place and size (and, as SetWindowPos does, activating it).
void MakeTopmost(HWND window);

// Lets the user move the window with the mouse as if its caption had been grabbed.
void DragWindow(HWND window);

}  // namespace win32
