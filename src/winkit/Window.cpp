#include "winkit/Window.h"

#include <string>

#include "winkit/Debugger.h"
#include "winkit/Text.h"

namespace winkit {
namespace {

// WNDCLASSEXA or WNDCLASSEXW, with the name in the matching characters.
template <typename Registration, typename Char>
Registration Describe(HINSTANCE module, const WindowClass& windowClass, WNDPROC procedure,
                      const Char* name) {
  Registration registration{};
  registration.cbSize = sizeof registration;
  registration.style = windowClass.style;
  registration.lpfnWndProc = procedure;
  registration.hInstance = module;
  registration.hIcon = windowClass.icon;
  registration.hCursor = windowClass.cursor;
  registration.hbrBackground = windowClass.background;
  registration.lpszClassName = name;
  return registration;
}

}  // namespace

bool RegisterClassOnce(HINSTANCE module, const WindowClass& windowClass, WNDPROC procedure) {
  if (windowClass.ansi) {
    const std::string name = ToAnsi(windowClass.name);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(module, name.c_str(), &existing) != FALSE) {
      return true;
    }
    const auto registration = Describe<WNDCLASSEXA>(module, windowClass, procedure, name.c_str());
    return RegisterClassExA(&registration) != 0;
  }
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, windowClass.name, &existing) != FALSE) {
    return true;
  }
  const auto registration = Describe<WNDCLASSEXW>(module, windowClass, procedure, windowClass.name);
  return RegisterClassExW(&registration) != 0;
}

Window* Window::FromHandle(HWND window) {
  if (window == nullptr) {
    return nullptr;
  }
  // Asked the other way, the class procedure of an ANSI class comes back as a thunk.
  const ULONG_PTR procedure = IsWindowUnicode(window) != FALSE
                                  ? GetClassLongPtrW(window, GCLP_WNDPROC)
                                  : GetClassLongPtrA(window, GCLP_WNDPROC);
  if (procedure != reinterpret_cast<ULONG_PTR>(&Procedure)) {
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
  HWND made = nullptr;
  if (windowClass.ansi) {
    const std::string ansiTitle = title != nullptr ? ToAnsi(title) : std::string();
    made = CreateWindowExA(exStyle, ToAnsi(windowClass.name).c_str(),
                           title != nullptr ? ansiTitle.c_str() : nullptr, style, place.x, place.y,
                           place.width, place.height, parent, menu, module, this);
  } else {
    made = CreateWindowExW(exStyle, windowClass.name, title, style, place.x, place.y, place.width,
                           place.height, parent, menu, module, this);
  }
  return made != nullptr && made == window_.Get();
}

void Window::Destroy() {
  if (window_) {
    // The dying window's messages no longer reach this object.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    window_.Reset();
  }
}

LRESULT Window::DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsWindowUnicode(window) != FALSE ? DefWindowProcW(window, message, wParam, lParam)
                                          : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    void* parameter = create->lpCreateParams;
    if ((create->dwExStyle & WS_EX_MDICHILD) != 0) {
      // An MDI child gets its creation parameter wrapped by the MDI client.
      parameter = reinterpret_cast<void*>(static_cast<const MDICREATESTRUCTW*>(parameter)->lParam);
    }
    auto* owner = static_cast<Window*>(parameter);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    owner->window_.Reset(window);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefaultProcedure(window, message, wParam, lParam);
  }
  // The handler may destroy `self`: nothing here touches it after the call. No exception may
  // unwind through user32's frames: one that reaches here ends the message as the system would.
  try {
    if (message == WM_NCDESTROY) {
      // Destroyed from outside (or with its parent): nothing is left to destroy later.
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      static_cast<void>(self->window_.Release());
      self->OnMessage(message, wParam, lParam);
      return DefaultProcedure(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    ReportCaught("a window's handler");
    return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace winkit
