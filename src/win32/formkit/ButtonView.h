#pragma once

#include "win32/formkit/WindowedView.h"

namespace formkit_win32 {

// A command button: the system's, or drawn here when graphical (its face colour).
class ButtonView final : public WindowedView {
 public:
  using WindowedView::WindowedView;

  void Create() override;
  void OnCommand(WORD code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  bool PressedByEnter(bool focused) const override;

 private:
  void ApplyText() override { ShowText(); }
};

}  // namespace formkit_win32
