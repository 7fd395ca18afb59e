#pragma once

#include "win32/formkit/WindowedView.h"

namespace formkit_win32 {

// A picture box: a window of this program's class that paints its picture and takes presses
// for the form's click tracking.
class PictureBoxView final : public WindowedView {
 public:
  using WindowedView::WindowedView;

  void Create() override;

 private:
  static LRESULT CALLBACK Proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target) const;
};

}  // namespace formkit_win32
