#pragma once
// What the Win32 tests share: the platform as the program has it, the mouse and keyboard through
// the system's input path, and a window's client area as it paints itself.

#include <windows.h>

#include <optional>
#include <string_view>

#include "win32/formkit/Win32Platform.h"
#include "winkit/Handles.h"

namespace testing_win32 {

inline constexpr int kSettleMs = 60;

// The platform as the program has it, except that the end of the program and a fault are test
// failures.
class TestPlatform final : public formkit_win32::Win32Platform {
 public:
  TestPlatform() : Win32Platform(GetModuleHandleW(nullptr)) {}
  void Fault(std::string_view message) override;
  [[noreturn]] void Exit() override;
};

// Dispatches this thread's messages, with the forms' keyboard handling, for a while.
void Pump(int milliseconds);

// A mouse event, or a key down or up, through the system's input path.
void Send(DWORD flags, WORD key = 0, POINT at = {});
// Moves the pointer to a point of the window's client area, by way of a spot beside it so that it
// really moves.
void MoveTo(HWND window, POINT at);
// Clicks there, `times` in a row; each click first waits out the double-click time, so that no
// two clicks make a double-click unless asked to.
void Click(HWND window, POINT at, int times = 1);

// The client area as the window paints it for WM_PRINTCLIENT.
class Capture {
 public:
  explicit Capture(HWND window);
  // Another capture drawn into `width` by `height`, averaging the pixels that fall together.
  Capture(const Capture& source, int width, int height);
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
  // How many pixels of the rectangle have the colour.
  int Count(COLORREF colour, RECT area) const;

 private:
  explicit Capture(SIZE size);

  int width_ = 0;
  int height_ = 0;
  winkit::UniqueDc dc_{CreateCompatibleDC(nullptr)};
  winkit::UniqueBitmap bitmap_;
  std::optional<winkit::ScopedSelect> select_;  // for the capture's life
};

}  // namespace testing_win32
