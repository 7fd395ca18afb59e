#include "win32/formkit/DrawnView.h"

#include <algorithm>
#include <string>

#include "win32/formkit/FormPainting.h"
#include "winkit/Text.h"

namespace formkit_win32 {
namespace {

constexpr formkit::Colour kShapeOutline = formkit::kWindowText;

}  // namespace

void DrawnView::Apply() {
  const RECT area = Area();
  InvalidateRect(context_.window, &area, FALSE);
}

void DrawnView::PaintOnSurface(HDC dc) {
  if (!Model().Visible()) {
    return;
  }
  const winkit::ScopedDcState state(dc);
  Paint(dc);
}

bool DrawnView::Hit(POINT client) const {
  const RECT box = Box();
  return Model().Visible() && Model().Enabled() && PtInRect(&box, client) != FALSE;
}

void LabelView::Paint(HDC dc) const {
  const formkit::Control& control = Model();
  const formkit::ControlDesc& desc = control.Desc();
  RECT box = Box();
  IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
  if (!desc.transparent) {
    FillRect(dc, &box, DcBrush(dc, Resolve(context_.form.Desc().backColour)));
  }
  SelectObject(dc, Resources().CaptionFont(index_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, control.Enabled() ? Resolve(desc.foreColour.value_or(formkit::kButtonText))
                                     : GetSysColor(COLOR_GRAYTEXT));
  const std::wstring text = winkit::Wide(control.Text());
  const UINT align = desc.align == formkit::Align::Center ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK | align);
}

void ImageView::Paint(HDC dc) const { DrawPicture(dc, Resources().Picture(index_), Box()); }

void ShapeView::Paint(HDC dc) const {
  const formkit::ControlDesc& desc = Desc();
  RECT box = Box();
  HBRUSH outline = DcBrush(dc, Resolve(desc.foreColour.value_or(kShapeOutline)));
  // Wider outlines grow inwards, so the box stays the shape's outer edge.
  for (int ring = 0; ring < Resources().PenWidth(desc) && !IsRectEmpty(&box); ++ring) {
    FrameRect(dc, &box, outline);
    InflateRect(&box, -1, -1);
  }
}

RECT LineView::Area() const {
  const FormResources& scale = Resources();
  const formkit::ControlDesc& desc = Desc();
  // Wide pens and their round ends reach past the end points.
  const int reach = scale.PenWidth(desc) + 1;
  const int x1 = scale.Px(desc.left);
  const int y1 = scale.Px(desc.top);
  const int x2 = scale.Px(desc.x2);
  const int y2 = scale.Px(desc.y2);
  return {std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
          std::max(y1, y2) + reach};
}

void LineView::Paint(HDC dc) const {
  const FormResources& scale = Resources();
  const formkit::ControlDesc& desc = Desc();
  const winkit::UniquePen pen(
      CreatePen(PS_SOLID, scale.PenWidth(desc), Resolve(desc.foreColour.value_or(kShapeOutline))));
  const winkit::ScopedSelect select(dc, pen.Get());
  MoveToEx(dc, scale.Px(desc.left), scale.Px(desc.top), nullptr);
  LineTo(dc, scale.Px(desc.x2), scale.Px(desc.y2));
}

}  // namespace formkit_win32
