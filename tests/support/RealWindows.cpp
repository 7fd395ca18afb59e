#include "RealWindows.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "win32/formkit/FormWindow.h"
#include "winkit/MessagePump.h"

namespace testing_win32 {

void TestPlatform::Fault(std::string_view message) { ADD_FAILURE() << message; }

void TestPlatform::Exit() {
  std::fputs("the program ended during a test\n", stderr);
  ExitProcess(2);
}

void Pump(int milliseconds) {
  winkit::PumpFor(static_cast<DWORD>(milliseconds), &formkit_win32::PreTranslateFormMessage);
}

void Send(DWORD flags, WORD key, POINT at) {
  INPUT input{};
  input.type = key != 0 ? INPUT_KEYBOARD : INPUT_MOUSE;
  if (key != 0) {
    input.ki = {key, 0, flags, 0, 0};
  } else {
    input.mi = {at.x, at.y, 0, flags, 0, 0};
  }
  SendInput(1, &input, sizeof input);
}

void MoveTo(HWND window, POINT at) {
  ClientToScreen(window, &at);
  for (const POINT p : {POINT{at.x + 1, at.y + 1}, at}) {
    Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0,
         {p.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1,
          p.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1});
    Pump(kSettleMs);
  }
}

void Click(HWND window, POINT at, int times) {
  Pump(static_cast<int>(GetDoubleClickTime()) + 50);
  MoveTo(window, at);
  for (int i = 0; i < 2 * times; ++i) {
    Send(i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
}

namespace {

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace

Capture::Capture(SIZE size) : width_(size.cx), height_(size.cy) {
  bitmap_.Reset(CreateCompatibleBitmap(winkit::WindowDc(nullptr).Get(), width_, height_));
  select_.emplace(dc_.Get(), bitmap_.Get());
}

Capture::Capture(HWND window) : Capture(ClientSize(window)) {
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT);
}

Capture::Capture(const Capture& source, int width, int height) : Capture(SIZE{width, height}) {
  SetStretchBltMode(dc_.Get(), HALFTONE);
  SetBrushOrgEx(dc_.Get(), 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
  StretchBlt(dc_.Get(), 0, 0, width, height, source.dc_.Get(), 0, 0, source.width_, source.height_,
             SRCCOPY);
}

int Capture::Count(COLORREF colour, RECT area) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      count += At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

}  // namespace testing_win32
