#include "practicehost/Container.h"

#include "practicehost/Drawing.h"
#include "practicehost/Protocol.h"
#include "winkit/Handles.h"
#include "winkit/Text.h"

namespace practicehost {

bool Container::Create(const char* className, HWND parent, int id) {
  return Make(className, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, {0, 0, 0, 0}, parent, id);
}

bool Container::CreateDocument(HWND mdiClient, const std::string& title, const RECT& bounds) {
  document_ = true;
  return Make(kChildClass, title, WS_CLIPCHILDREN, WS_EX_MDICHILD,
              {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top},
              mdiClient, 0);
}

bool Container::Make(const char* className, const std::string& title, DWORD style, DWORD exStyle,
                     const winkit::WindowPlace& place, HWND parent, int id) {
  const std::wstring name = winkit::WideFromAnsi(className);
  winkit::WindowClass windowClass{.name = name.c_str(),
                                  .style = CS_HREDRAW | CS_VREDRAW,
                                  .cursor = LoadCursor(nullptr, IDC_ARROW),
                                  .background = SystemColorBrush(COLOR_BTNFACE),
                                  .ansi = true};
  if (document_) {
    windowClass.icon = LoadIcon(nullptr, IDI_APPLICATION);
  }
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  return winkit::Window::Create(instance, windowClass, winkit::WideFromAnsi(title).c_str(), style,
                                exStyle, place, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void Container::Relayout() {
  RECT client;
  if (layout && GetClientRect(Handle(), &client)) {
    layout(client.right, client.bottom);
  }
}

void Container::Focus() {
  if (focus) {
    if (const HWND target = focus()) {
      SetFocus(target);
    }
  }
}

LRESULT Container::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS: {
      // A document's default handling makes it the active one first.
      const LRESULT result = document_ ? Default(message, wParam, lParam) : 0;
      Focus();
      return result;
    }
    case WM_SIZE:
      if (layout) {
        layout(LOWORD(lParam), HIWORD(lParam));
      }
      break;  // a document's default handling must see WM_SIZE too
    case WM_COMMAND:
      if (command) {
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_PAINT:
      if (paint) {
        const winkit::PaintDc dc(Handle());
        RECT client;
        GetClientRect(Handle(), &client);
        paint(dc.Get(), client);
        return 0;
      }
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT Container::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return document_ ? DefMDIChildProcA(Handle(), message, wParam, lParam)
                   : winkit::Window::Default(message, wParam, lParam);
}

}  // namespace practicehost
