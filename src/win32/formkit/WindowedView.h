#pragma once

#include <string>

#include "win32/formkit/ControlView.h"

namespace formkit_win32 {

// A control shown by a child window of the form's: made at its place in its caption font,
// enabled and shown as the model says.
class WindowedView : public ControlView {
 public:
  void Apply() override;
  void Layout() override;

 protected:
  using ControlView::ControlView;

  // The window of the class with the control's text, its place and font, and the styles every
  // child has; nullptr, with the fault reported, when the system made none.
  HWND Make(const wchar_t* windowClass, DWORD style, DWORD exStyle) const;
  std::wstring ShownText() const;
  // The model's text in the window unless it is there already: setting the same text again
  // would move the caret.
  void ShowText();
  virtual void ApplyText() {}
};

}  // namespace formkit_win32
