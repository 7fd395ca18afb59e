#include "practicehost/Scale.h"

#include "winkit/Dpi.h"

namespace practicehost {

int Px(int pixels) { return MulDiv(pixels, winkit::SystemDpi(), winkit::kDefaultDpi); }

RECT Px(const RECT& bounds) {
  const int left = Px(bounds.left);
  const int top = Px(bounds.top);
  return {left, top, left + Px(bounds.right - bounds.left), top + Px(bounds.bottom - bounds.top)};
}

}  // namespace practicehost
