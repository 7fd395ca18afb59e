#pragma once
// A window owned by an object: one window procedure for every class made here, which hands each
// message to the object's OnMessage.

#include <windows.h>

#include "winkit/Debugger.h"
#include "winkit/Handles.h"

namespace winkit {

// How a window class is registered (once per module, at the first window of it).
struct WindowClass {
  const wchar_t* name = nullptr;
  UINT style = CS_DBLCLKS;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  // Registered and made through the ANSI functions, so that the windows get their messages'
  // texts as bytes of the system's code page (a window another ANSI program talks to).
  bool ansi = false;
};

// The client point a mouse message carries: signed, for a captured mouse left of or above the
// window.
inline POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Registers a window class of the module unless it exists already; for classes whose windows
// are not Window objects (a control's own procedure). False if it neither exists nor could be made.
bool RegisterClassOnce(HINSTANCE module, const WindowClass& windowClass, WNDPROC procedure);

// A control's own window procedure, with no exception unwinding through user32's frames: one that
// reaches here is named in the debug output and the message gets the default handling.
template <WNDPROC Procedure>
LRESULT CALLBACK Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Procedure(window, message, wParam, lParam);
  } catch (...) {
    ReportCaught("a control's window procedure");
  }
  return IsWindowUnicode(window) != FALSE ? DefWindowProcW(window, message, wParam, lParam)
                                          : DefWindowProcA(window, message, wParam, lParam);
}

struct WindowPlace {
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
};

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() { Destroy(); }

  HWND Handle() const { return window_.Get(); }

  // The object behind a window made by Create, or nullptr (also for any other window).
  static Window* FromHandle(HWND window);

 protected:
  Window() = default;

  // Makes the window: every message from WM_NCCREATE on reaches OnMessage. False if it failed.
  // An MDI child (WS_EX_MDICHILD, parent the MDI client) works too.
  bool Create(HINSTANCE module, const WindowClass& windowClass, const wchar_t* title, DWORD style,
              DWORD exStyle = 0, const WindowPlace& place = {}, HWND parent = nullptr,
              HMENU menu = nullptr);

  // Messages of this window. A handler may destroy this very object (and its window): then it
  // must return at once without touching a member, and so must every caller up to the procedure.
  // An exception that leaves it is stopped there, told to the debugger, and the message then gets
  // the default handling.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // What a window of the class does with a message by itself; the default window procedure
  // unless overridden (an MDI frame's or child's).
  virtual LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProcedure(window_.Get(), message, wParam, lParam);
  }

  // Destroys the window without telling this object of its last messages. Derived classes whose
  // members the window uses (fonts, pictures) call it first thing in their destructor.
  void Destroy();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UniqueWindow window_;
};

}  // namespace winkit
