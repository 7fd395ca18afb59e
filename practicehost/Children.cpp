#include "practicehost/Children.h"

#include "winkit/Text.h"

namespace practicehost {

bool CreateChildren(HWND parent, std::initializer_list<Child> children) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  for (const Child& child : children) {
    const DWORD style = WS_CHILD | WS_VISIBLE | child.style;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id));
    const HWND window =
        child.unicode
            ? CreateWindowExW(child.exStyle, winkit::WideFromAnsi(child.className).c_str(),
                              winkit::WideFromAnsi(child.text).c_str(), style, 0, 0, 0, 0, parent,
                              id, instance, nullptr)
            : CreateWindowExA(child.exStyle, child.className, child.text, style, 0, 0, 0, 0, parent,
                              id, instance, nullptr);
    if (!window) {
      return false;
    }
    // New children go below their siblings; pinned rather than relied on, since a window's
    // children are found in this order.
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (child.font) {
      SetFont(window, child.font);
    }
  }
  return true;
}

void SetFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::string GetText(HWND window) {
  const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto copied = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

void StackInOrder(const std::vector<HWND>& windows) {
  HWND after = HWND_TOP;
  for (const HWND window : windows) {
    if (!window) {
      continue;
    }
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = window;
  }
}

}  // namespace practicehost
