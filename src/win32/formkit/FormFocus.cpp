// The keyboard focus in a form window: the tab order, Tab and Enter, and the focus kept across
// activations.
#include <algorithm>
#include <utility>

#include "win32/formkit/FormWindow.h"

namespace formkit_win32 {
namespace {

constexpr WPARAM kSelectAllKey = 'A';  // with Ctrl

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

std::vector<std::size_t> FormWindow::TabOrder() const {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < views_.size(); ++i) {
    if (views_[i]->TakesFocus()) {
      order.push_back(i);
    }
  }
  const auto& controls = form_.Controls();
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].Desc().tabIndex < controls[b].Desc().tabIndex;
  });
  return order;
}

void FormWindow::MoveFocus(std::optional<std::size_t> from, bool backwards) {
  const std::vector<std::size_t> order = TabOrder();
  if (order.empty()) {
    return;
  }
  const auto& controls = form_.Controls();
  const auto key = [&](std::size_t i) { return std::pair(controls[i].Desc().tabIndex, i); };
  std::size_t next = backwards ? order.back() : order.front();
  if (from) {
    const auto current = key(*from);
    if (backwards) {
      for (std::size_t candidate : order) {
        if (key(candidate) < current) {
          next = candidate;
        }
      }
    } else {
      for (std::size_t i = order.size(); i-- > 0;) {
        if (key(order[i]) > current) {
          next = order[i];
        }
      }
    }
  }
  SetFocus(views_[next]->Window());
  lastFocus_ = next;
}

void FormWindow::RestoreFocus() {
  if (lastFocus_ && views_[*lastFocus_]->TakesFocus()) {
    SetFocus(views_[*lastFocus_]->Window());
    return;
  }
  const std::vector<std::size_t> order = TabOrder();
  SetFocus(order.empty() ? Handle() : views_[order.front()]->Window());
}

bool FormWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (const auto index = IndexOf(GetFocus())) {
      lastFocus_ = index;
    }
    return false;
  }
  if (HIWORD(wParam) != 0) {
    return false;  // activated while minimized: nothing to focus
  }
  RestoreFocus();
  return true;
}

bool FormWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || KeyDown(VK_MENU)) {
    return false;
  }
  const std::optional<std::size_t> focused = IndexOf(message.hwnd);
  if (message.wParam == VK_TAB && !KeyDown(VK_CONTROL)) {
    MoveFocus(focused, KeyDown(VK_SHIFT));
    return true;
  }
  if (message.wParam == kSelectAllKey && KeyDown(VK_CONTROL) && focused) {
    return views_[*focused]->SelectAll();
  }
  if (message.wParam != VK_RETURN) {
    return false;
  }
  // Enter presses the focused button, or else the window's default button.
  std::optional<std::size_t> pressed;
  if (focused && views_[*focused]->PressedByEnter(true)) {
    pressed = focused;
  } else {
    for (std::size_t i = 0; i < views_.size(); ++i) {
      if (views_[i]->PressedByEnter(false)) {
        pressed = i;
        break;
      }
    }
  }
  if (pressed) {
    program_.Click(form_, *pressed);
    return true;
  }
  // An edit would only beep at the Enter: it never sees it.
  return focused && views_[*focused]->SwallowsEnter();
}

}  // namespace formkit_win32
