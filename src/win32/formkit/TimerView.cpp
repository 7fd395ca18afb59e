#include "win32/formkit/TimerView.h"

namespace formkit_win32 {

void TimerView::Apply() {
  const formkit::Control& control = Model();
  const int period = control.Interval();
  if (!control.Enabled() || period <= 0) {
    timer_.Reset();
    return;
  }
  if (timer_.Running() && period_ == period) {
    return;  // enabling a running timer keeps its rhythm
  }
  // Killed first: the replacement has the same id.
  timer_.Reset();
  timer_ = winkit::WindowTimer(context_.window, kFirstTimerId + index_, static_cast<UINT>(period));
  period_ = period;
}

void TimerView::OnTimer() {
  if (timer_.Running()) {
    context_.program.Raise(context_.form, {index_, formkit::Event::Timer});
  }
}

}  // namespace formkit_win32
