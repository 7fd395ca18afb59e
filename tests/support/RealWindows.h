#pragma once
// What the Win32 tests share: the platform as the program has it, the mouse and keyboard through
// the system's input path, and a window's client area as it paints itself.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/formkit/FormWindow.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/Handles.h"
#include "winkit/MessagePump.h"

namespace testing_win32 {

inline constexpr int kSettleMs = 60;

// The platform as the program has it, except that the end of the program is a test failure, and
// so is a fault, unless the test collects them.
class TestPlatform final : public formkit_win32::Win32Platform {
 public:
  TestPlatform() : Win32Platform(GetModuleHandleW(nullptr)) {}
  void Fault(std::string_view message) override {
    if (collecting_) {
      faults_.emplace_back(message);
    } else {
      ADD_FAILURE() << message;
    }
  }
  // From now on faults are kept for TakeFaults.
  void CollectFaults() { collecting_ = true; }
  std::vector<std::string> TakeFaults() { return std::exchange(faults_, {}); }
  [[noreturn]] void Exit() override {
    std::fputs("the program ended during a test\n", stderr);
    ExitProcess(2);
  }

 private:
  bool collecting_ = false;
  std::vector<std::string> faults_;
};

// Dispatches this thread's messages, with the forms' keyboard handling, for a while.
inline void Pump(int milliseconds) {
  winkit::PumpFor(static_cast<DWORD>(milliseconds), &formkit_win32::PreTranslateFormMessage);
}

// A mouse event, or a key down or up, through the system's input path.
inline void Send(DWORD flags, WORD key = 0, POINT at = {}) {
  INPUT input{};
  input.type = key != 0 ? INPUT_KEYBOARD : INPUT_MOUSE;
  if (key != 0) {
    input.ki = {key, 0, flags, 0, 0};
  } else {
    input.mi = {at.x, at.y, 0, flags, 0, 0};
  }
  SendInput(1, &input, sizeof input);
}

// Moves the pointer to a point of the window's client area, by way of a spot beside it so that it
// really moves.
inline void MoveTo(HWND window, POINT at) {
  ClientToScreen(window, &at);
  for (const POINT p : {POINT{at.x + 1, at.y + 1}, at}) {
    Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0,
         {p.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1,
          p.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1});
    Pump(kSettleMs);
  }
}

// Clicks there, `times` in a row; each click first waits out the double-click time, so that no
// two clicks make a double-click unless asked to.
inline void Click(HWND window, POINT at, int times = 1) {
  Pump(static_cast<int>(GetDoubleClickTime()) + 50);
  MoveTo(window, at);
  for (int i = 0; i < 2 * times; ++i) {
    Send(i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
}

// The client area as the window paints it for WM_PRINTCLIENT; or another capture drawn into
// `width` by `height`, averaging the pixels that fall together.
class Capture {
 public:
  explicit Capture(HWND window) : Capture(ClientSize(window)) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT);
  }
  Capture(const Capture& source, int width, int height) : Capture(SIZE{width, height}) {
    SetStretchBltMode(dc_.Get(), HALFTONE);
    SetBrushOrgEx(dc_.Get(), 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
    StretchBlt(dc_.Get(), 0, 0, width, height, source.dc_.Get(), 0, 0, source.size_.cx,
               source.size_.cy, SRCCOPY);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  int Width() const { return size_.cx; }
  int Height() const { return size_.cy; }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
  // How many pixels of the rectangle have the colour.
  int Count(COLORREF colour, RECT area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        count += At(x, y) == colour ? 1 : 0;
      }
    }
    return count;
  }

 private:
  static SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
  }
  explicit Capture(SIZE size)
      : size_(size),
        bitmap_(CreateCompatibleBitmap(winkit::WindowDc(nullptr).Get(), size.cx, size.cy)),
        select_(dc_.Get(), bitmap_.Get()) {}

  SIZE size_;
  winkit::UniqueDc dc_{CreateCompatibleDC(nullptr)};
  winkit::UniqueBitmap bitmap_;
  winkit::ScopedSelect select_;  // for the capture's life
};

}  // namespace testing_win32
