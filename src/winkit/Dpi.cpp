#include "winkit/Dpi.h"

#include "winkit/Handles.h"

namespace winkit {
namespace {

// A function of a loaded system module that older Windows lack; nullptr there.
template <typename Function>
Function Find(HMODULE module, const char* name) {
  if (module == nullptr) {
    return nullptr;
  }
  // The cast from FARPROC is how every such function is reached.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

}  // namespace

int SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return PlausibleDpi(dpi) ? dpi : kDefaultDpi;
}

int MonitorDpi(POINT point) {
  // shcore.dll exists from Windows 8.1; loaded only for the call, which is rare.
  const UniqueModule shcore(LoadLibraryW(L"shcore.dll"));
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  const auto getDpi = Find<GetDpiForMonitorFunction>(shcore.Get(), "GetDpiForMonitor");
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose
  UINT x = 0;
  UINT y = 0;
  if (getDpi == nullptr ||
      FAILED(getDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) ||
      !PlausibleDpi(static_cast<int>(y))) {
    return SystemDpi();
  }
  return static_cast<int>(y);
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  const auto getDpi = Find<GetDpiForWindowFunction>(User32(), "GetDpiForWindow");
  const int dpi = getDpi != nullptr ? static_cast<int>(getDpi(window)) : 0;
  return PlausibleDpi(dpi) ? dpi : 0;
}

RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjust = Find<AdjustFunction>(User32(), "AdjustWindowRectExForDpi");
  if (adjust == nullptr || adjust(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)) == 0) {
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  }
  return client;
}

int DpiFromMessage(WPARAM wParam) {
  const int x = LOWORD(wParam);
  const int y = HIWORD(wParam);
  return x == y && PlausibleDpi(y) ? y : 0;
}

}  // namespace winkit
