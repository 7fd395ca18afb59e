#include "win32/formkit/WindowedView.h"

#include "winkit/Text.h"

namespace formkit_win32 {

HWND WindowedView::Make(const wchar_t* windowClass, DWORD style, DWORD exStyle) const {
  const formkit::Control& control = Model();
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control.Visible()) {
    style |= WS_VISIBLE;
  }
  if (!control.Enabled()) {
    style |= WS_DISABLED;
  }
  const RECT box = Box();
  const std::wstring text = winkit::Wide(control.Text());
  HWND made = CreateWindowExW(exStyle, windowClass, text.c_str(), style, box.left, box.top,
                              box.right - box.left, box.bottom - box.top, context_.window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index_))),
                              context_.module, nullptr);
  if (made == nullptr) {
    context_.ReportUnmade(control.Desc().name);
    return nullptr;
  }
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().CaptionFont(index_)), FALSE);
  return made;
}

std::wstring WindowedView::ShownText() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void WindowedView::ShowText() {
  const std::wstring wanted = winkit::Wide(Model().Text());
  if (ShownText() != wanted) {
    SetWindowTextW(window_, wanted.c_str());
  }
}

void WindowedView::Apply() {
  if (window_ == nullptr) {
    return;
  }
  ApplyText();
  const formkit::Control& control = Model();
  if ((IsWindowEnabled(window_) != FALSE) != control.Enabled()) {
    EnableWindow(window_, control.Enabled() ? TRUE : FALSE);
  }
  const bool shown = (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != control.Visible()) {
    ShowWindow(window_, control.Visible() ? SW_SHOWNA : SW_HIDE);
  }
}

void WindowedView::Layout() {
  if (window_ == nullptr) {
    return;
  }
  const RECT box = Box();
  constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               kKeepOrder);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().CaptionFont(index_)),
               TRUE);
}

}  // namespace formkit_win32
