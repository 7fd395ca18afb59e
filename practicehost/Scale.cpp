#include "practicehost/Scale.h"

#include "winkit/Handles.h"

namespace practicehost {

int ScreenDpi() {
  static const int dpi = [] {
    const winkit::WindowDc screen(nullptr);
    const int caps = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return caps > 0 ? caps : kBaseDpi;
  }();
  return dpi;
}

int Px(int pixels) {
  // Halves away from zero, as MulDiv rounds; not MulDiv itself, which scripts/xp-imports.txt does
  // not list.
  const long long scaled = static_cast<long long>(pixels) * ScreenDpi();
  const long long half = (scaled < 0 ? -kBaseDpi : kBaseDpi) / 2;
  return static_cast<int>((scaled + half) / kBaseDpi);
}

RECT Px(const RECT& bounds) {
  const int left = Px(bounds.left);
  const int top = Px(bounds.top);
  return {left, top, left + Px(bounds.right - bounds.left), top + Px(bounds.bottom - bounds.top)};
}

}  // namespace practicehost
