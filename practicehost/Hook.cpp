#include "practicehost/Hook.h"

namespace practicehost {
namespace {

constexpr char kOriginalProcProperty[] = "PracticeHost.OriginalProc";

WNDPROC OriginalProc(HWND control) {
  return reinterpret_cast<WNDPROC>(
      reinterpret_cast<LONG_PTR>(GetPropA(control, kOriginalProcProperty)));
}

LRESULT CALLBACK HookedProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = OriginalProc(control);
  auto* hook = reinterpret_cast<MessageHook*>(GetWindowLongPtrA(control, GWLP_USERDATA));
  if (hook != nullptr && *hook) {
    if (const std::optional<LRESULT> result = (*hook)(control, message, wParam, lParam)) {
      return *result;
    }
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(control, GWLP_USERDATA, 0);
    RemovePropA(control, kOriginalProcProperty);
  }
  return CallWindowProcA(original, control, message, wParam, lParam);
}

}  // namespace

void InstallHook(HWND control, MessageHook* hook) {
  const LONG_PTR current = GetWindowLongPtrA(control, GWLP_WNDPROC);
  if (current != reinterpret_cast<LONG_PTR>(&HookedProc)) {
    SetPropA(control, kOriginalProcProperty, reinterpret_cast<HANDLE>(current));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedProc));
  }
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
}

LRESULT CallOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(OriginalProc(control), control, message, wParam, lParam);
}

}  // namespace practicehost
