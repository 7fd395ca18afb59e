#include "win32/formkit/TextBoxView.h"

#include "win32/formkit/FormPainting.h"
#include "winkit/Text.h"

namespace formkit_win32 {

void TextBoxView::Create() {
  const formkit::ControlDesc& desc = Desc();
  DWORD style = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
  if (desc.passwordChar != 0) {
    style |= ES_PASSWORD;
  }
  HWND made = Make(L"EDIT", style, WS_EX_CLIENTEDGE);
  if (made != nullptr && desc.passwordChar != 0) {
    SendMessageW(made, EM_SETPASSWORDCHAR, desc.passwordChar, 0);
  }
  window_ = made;
}

void TextBoxView::ApplyText() {
  applyingText_ = true;
  ShowText();
  applyingText_ = false;
}

void TextBoxView::OnCommand(WORD code) {
  if (code == EN_CHANGE && !applyingText_) {
    Model().TakeTypedText(winkit::U16(ShownText()));
  }
}

HBRUSH TextBoxView::Colour(HDC dc) {
  // A locked box keeps its colours; only its text greys, as the system greys disabled text.
  SetTextColor(dc, IsWindowEnabled(window_) != FALSE
                       ? Resolve(Desc().foreColour.value_or(formkit::kWindowText))
                       : GetSysColor(COLOR_GRAYTEXT));
  const COLORREF back = Resolve(formkit::kWindowBackground);
  SetBkColor(dc, back);
  return DcBrush(dc, back);
}

bool TextBoxView::SelectAll() {
  // Not every edit control knows Ctrl+A; and unhandled, it would only beep.
  SendMessageW(window_, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace formkit_win32
