#include "win32/formkit/ButtonView.h"

#include <string>

#include "win32/formkit/FormPainting.h"
#include "winkit/Text.h"

namespace formkit_win32 {
namespace {

constexpr int kFocusInset = 3;
constexpr int kDisabledEmboss = 1;
constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

}  // namespace

void ButtonView::Create() {
  const formkit::ControlDesc& desc = Desc();
  DWORD style = WS_TABSTOP;
  if (desc.graphical) {
    style |= BS_OWNERDRAW;
  } else {
    style |= desc.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  }
  window_ = Make(L"BUTTON", style, 0);
}

void ButtonView::OnCommand(WORD code) {
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
    // A quick second press of a button is another click.
    context_.program.Click(context_.form, index_);
  }
}

bool ButtonView::PressedByEnter(bool focused) const {
  const formkit::Control& control = Model();
  return focused || (control.Desc().isDefault && control.Visible() && control.Enabled());
}

void ButtonView::DrawItem(const DRAWITEMSTRUCT& item) {
  const formkit::Control& control = Model();
  const formkit::ControlDesc& desc = control.Desc();
  HDC dc = item.hDC;
  const winkit::ScopedDcState state(dc);
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &face, DcBrush(dc, Resolve(desc.faceColour.value_or(formkit::kButtonFace))));
  DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT text = face;
  if (pressed) {
    OffsetRect(&text, 1, 1);
  }
  SelectObject(dc, Resources().CaptionFont(index_));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring caption = winkit::Wide(control.Text());
  const int length = static_cast<int>(caption.size());
  if ((item.itemState & ODS_DISABLED) != 0) {
    // Engraved, as disabled captions are drawn.
    OffsetRect(&text, kDisabledEmboss, kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);
    OffsetRect(&text, -kDisabledEmboss, -kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    SetTextColor(dc, Resolve(desc.foreColour.value_or(formkit::kButtonText)));
  }
  DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace formkit_win32
