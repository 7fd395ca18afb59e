#include "winkit/Window.h"

namespace winkit {

bool RegisterClassOnce(HINSTANCE module, const WindowClass& windowClass, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, windowClass.name, &existing) != FALSE) {
    return true;
  }
  WNDCLASSEXW registration{};
  registration.cbSize = sizeof registration;
  registration.style = windowClass.style;
  registration.lpfnWndProc = procedure;
  registration.hInstance = module;
  registration.hCursor = windowClass.cursor;
  registration.hbrBackground = windowClass.background;
  registration.lpszClassName = windowClass.name;
  return RegisterClassExW(&registration) != 0;
}

Window* Window::FromHandle(HWND window) {
  if (window == nullptr ||
      GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Procedure)) {
    return nullptr;
  }
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool Window::Create(HINSTANCE module, const WindowClass& windowClass, const wchar_t* title,
                    DWORD style, DWORD exStyle, const WindowPlace& place, HWND parent, HMENU menu) {
  Destroy();
  if (!RegisterClassOnce(module, windowClass, &Procedure)) {
    return false;
  }
  // The procedure keeps the handle from WM_NCCREATE on; a failed creation has destroyed it.
  const HWND made = CreateWindowExW(exStyle, windowClass.name, title, style, place.x, place.y,
                                    place.width, place.height, parent, menu, module, this);
  return made != nullptr && made == window_.Get();
}

void Window::Destroy() {
  if (window_) {
    // The dying window's messages no longer reach this object.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    window_.Reset();
  }
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* owner = static_cast<Window*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->window_.Reset(window);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (or with its parent): nothing is left to destroy later.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    static_cast<void>(self->window_.Release());
    self->OnMessage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // The handler may destroy `self`: nothing here touches it after this call.
  return self->OnMessage(message, wParam, lParam);
}

}  // namespace winkit
