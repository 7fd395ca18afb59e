#pragma once

#include "win32/formkit/ControlView.h"
#include "winkit/Handles.h"

namespace formkit_win32 {

// A timer: a window timer of the form's, running while the control is enabled with a period.
class TimerView final : public ControlView {
 public:
  using ControlView::ControlView;

  void Create() override { Apply(); }
  void Apply() override;
  void OnTimer() override;

 private:
  winkit::WindowTimer timer_;
  int period_ = 0;
};

}  // namespace formkit_win32
