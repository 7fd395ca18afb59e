#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "formkit/Program.h"
#include "win32/formkit/FormWindow.h"
#include "winkit/MessageWait.h"

namespace formkit_win32 {

// The program's world on Win32: real windows for its forms, and waits that keep them answering.
class Win32Platform : public formkit::Platform {
 public:
  // `module`: the program file, with the pictures and icons.
  explicit Win32Platform(HINSTANCE module);

  std::unique_ptr<formkit::FormView> CreateView(formkit::Program& program, formkit::FormId id,
                                                formkit::Form& form) override;
  void WaitSeconds(int seconds) override;
  // The views are gone by now (the program destroys them first).
  [[noreturn]] void Exit() override;
  std::unique_ptr<formkit::Ticker> Every(int milliseconds, std::function<void()> tick) override;
  // To the debugger: the program goes on without the handler that failed.
  void Fault(std::string_view message) override;

 private:
  HINSTANCE module_;
  Cascade cascade_;
  winkit::MessageWait waiter_;
};

// Dispatches this thread's messages, with the forms' keyboard handling, until WM_QUIT; returns
// its exit code.
int RunMessageLoop();

}  // namespace formkit_win32
