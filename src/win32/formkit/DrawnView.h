#pragma once

#include "win32/formkit/ControlView.h"

namespace formkit_win32 {

// A control painted on the form's surface, with no window of its own: a change repaints the
// area it covers.
class DrawnView : public ControlView {
 public:
  void Apply() override;
  void PaintOnSurface(HDC dc) override;

 protected:
  using ControlView::ControlView;

  // What a change of it repaints.
  virtual RECT Area() const { return Box(); }
  // Into `dc`, whose state is restored afterwards; only while the control is visible.
  virtual void Paint(HDC dc) const = 0;
  // Whether a press there is on it, as it is for what can be clicked.
  bool Hit(POINT client) const;
};

// A caption, word-wrapped, on the form's or its own back colour.
class LabelView final : public DrawnView {
 public:
  using DrawnView::DrawnView;
  bool TakesClickAt(POINT client) const override { return Hit(client); }

 private:
  void Paint(HDC dc) const override;
};

// A picture from the program file.
class ImageView final : public DrawnView {
 public:
  using DrawnView::DrawnView;
  bool TakesClickAt(POINT client) const override { return Hit(client); }

 private:
  void Paint(HDC dc) const override;
};

// A rectangle's outline. Shapes and lines take no clicks: what is under them does.
class ShapeView final : public DrawnView {
 public:
  using DrawnView::DrawnView;

 private:
  void Paint(HDC dc) const override;
};

// A line from the control's top left to its other end point.
class LineView final : public DrawnView {
 public:
  using DrawnView::DrawnView;

 private:
  RECT Area() const override;
  void Paint(HDC dc) const override;
};

}  // namespace formkit_win32
