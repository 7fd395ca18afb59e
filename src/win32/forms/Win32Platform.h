#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "forms/Program.h"
#include "win32/forms/FormWindow.h"
#include "winkit/MessageWait.h"

namespace forms_win32 {

// The program's world on Win32: real windows for its forms, and waits that keep them answering.
class Win32Platform : public forms::Platform {
 public:
  // `module`: the program file, with the pictures and icons.
  explicit Win32Platform(HINSTANCE module);

  std::unique_ptr<forms::FormView> CreateView(forms::Program& program, forms::FormId id,
                                              forms::Form& form) override;
  void WaitSeconds(int seconds) override;
  // The views are gone by now (the program destroys them first).
  [[noreturn]] void Exit() override;
  std::unique_ptr<forms::Ticker> Every(int milliseconds, std::function<void()> tick) override;

  int Dpi() const { return dpi_; }

 private:
  HINSTANCE module_;
  int dpi_;
  Cascade cascade_;
  winkit::MessageWait waiter_;
};

// The display's pixels per inch (96 at 100 %, 144 at 150 %). The program declares itself DPI
// aware, so the system scales nothing for it: every size, picture and font follows from this.
int DisplayDpi();

// Dispatches this thread's messages, with the forms' keyboard handling, until WM_QUIT; returns
// its exit code.
int RunMessageLoop();

}  // namespace forms_win32
