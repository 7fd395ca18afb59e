#include "practicehost/Scale.h"

#include "winkit/Handles.h"

namespace practicehost {

int ScreenDpi() {
  const winkit::WindowDc screen(nullptr);
  const int caps = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return caps > 0 ? caps : kBaseDpi;
}

int Px(int pixels) { return MulDiv(pixels, ScreenDpi(), kBaseDpi); }

RECT Px(const RECT& bounds) {
  const int left = Px(bounds.left);
  const int top = Px(bounds.top);
  return {left, top, left + Px(bounds.right - bounds.left), top + Px(bounds.bottom - bounds.top)};
}

}  // namespace practicehost
