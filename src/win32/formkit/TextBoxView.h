#pragma once

#include "win32/formkit/WindowedView.h"

namespace formkit_win32 {

// A text box: an edit control whose typing goes into the model without coming back.
class TextBoxView final : public WindowedView {
 public:
  using WindowedView::WindowedView;

  void Create() override;
  void OnCommand(WORD code) override;
  HBRUSH Colour(HDC dc) override;
  bool SelectAll() override;
  bool SwallowsEnter() const override { return true; }

 private:
  void ApplyText() override;

  // Set while the model's text goes in, so that the edit's echo of it is not taken as typing.
  bool applyingText_ = false;
};

}  // namespace formkit_win32
