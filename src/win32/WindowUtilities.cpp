#include "win32/WindowUtilities.h"

#include <cmath>
#include <limits>

#include "winkit/MessagePump.h"

namespace win32 {

double MessageWait::TimeOfDay() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  constexpr double kSecondsPerHour = 3600;
  constexpr double kSecondsPerMinute = 60;
  constexpr double kMillisecondsPerSecond = 1000;
  return now.wHour * kSecondsPerHour + now.wMinute * kSecondsPerMinute + now.wSecond +
         now.wMilliseconds / kMillisecondsPerSecond;
}

double MessageWait::Monotonic() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER count{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool MessageWait::PumpMessages(double maxSeconds) {
  constexpr double kMillisecondsPerSecond = 1000;
  const double wanted = std::ceil(maxSeconds * kMillisecondsPerSecond);
  const auto limit = static_cast<double>(std::numeric_limits<DWORD>::max() - 1);
  const DWORD timeout = wanted <= 0 ? 0 : static_cast<DWORD>(wanted < limit ? wanted : limit);
  // One message only: the wait looks at its end before the next, which may be a timer's
  // again and again.
  return winkit::PumpOne(timeout, preTranslate_) != winkit::Pumped::Quit;
}

void WaitSeconds(int seconds) {
  MessageWait wait;
  hostwin::WaitSeconds(wait, seconds);
}

void MakeTopmost(HWND window) {
  constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void DragWindow(HWND window) {
  // SC_MOVE + HTCAPTION: the move loop a caption click starts.
  constexpr WPARAM kMoveByCaption = 0xFFFFF012;
  ReleaseCapture();
  LONG none = 0;
  SendMessageA(window, WM_SYSCOMMAND, kMoveByCaption, reinterpret_cast<LPARAM>(&none));
}

}  // namespace win32
