#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "formkit/Program.h"
#include "formkit/Wait.h"
#include "win32/formkit/FormWindow.h"
#include "winkit/MessageWait.h"

namespace formkit_win32 {

// The program's waiting rule (formkit/Wait.h) on Win32's clocks and message queue, as
// winkit::MessageWait offers them.
class Win32WaitHost final : public formkit::WaitHost {
 public:
  explicit Win32WaitHost(winkit::PreTranslate preTranslate = {})
      : messages_(std::move(preTranslate)) {}

  double TimeOfDay() override { return messages_.TimeOfDay(); }
  double Monotonic() override { return messages_.Monotonic(); }
  bool PumpMessages(double maxSeconds) override { return messages_.PumpMessages(maxSeconds); }

 private:
  winkit::MessageWait messages_;
};

// Waits as formkit::WaitSeconds says, dispatching this thread's messages meanwhile without the
// forms' keyboard handling (for code that runs no forms: the benchmark).
void WaitSeconds(int seconds);

// The program's world on Win32: real windows for its forms, and waits that keep them answering.
class Win32Platform : public formkit::Platform {
 public:
  // `module`: the program file, with the pictures and icons.
  explicit Win32Platform(HINSTANCE module);
  ~Win32Platform() override;

  std::unique_ptr<formkit::FormView> CreateView(formkit::Program& program, formkit::FormId id,
                                                formkit::Form& form) override;
  void WaitSeconds(int seconds) override;
  // The views are gone by now (the program destroys them first).
  [[noreturn]] void Exit() override;
  std::unique_ptr<formkit::Ticker> Every(int milliseconds, std::function<void()> tick) override;
  // To the debugger: the program goes on without the handler that failed.
  void Fault(std::string_view message) override;
  void Post(std::function<void()> task) override;

 private:
  class PostedTasks;

  HINSTANCE module_;
  Cascade cascade_;
  Win32WaitHost waiter_;
  std::unique_ptr<PostedTasks> posted_;
};

// Dispatches this thread's messages, with the forms' keyboard handling, until WM_QUIT; returns
// its exit code.
int RunMessageLoop();

}  // namespace formkit_win32
