#include "winkit/Subclass.h"

#include <utility>

#include "winkit/Debugger.h"

namespace winkit {
namespace {

// Window properties rather than the user data, which the control's own class may use. The
// original procedure has one of its own: it outlives an owner that could not unhook.
constexpr char kOwnerProperty[] = "winkit.Subclass";
constexpr char kOriginalProperty[] = "winkit.Subclass.Original";

// The procedure is read, set and called in the window's own character set: set through the other
// one, it would turn an ANSI window into a Unicode one.
bool IsUnicode(HWND window) { return IsWindowUnicode(window) != FALSE; }

WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(IsUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                     : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

void SetProcedure(HWND window, WNDPROC procedure) {
  const auto value = reinterpret_cast<LONG_PTR>(procedure);
  if (IsUnicode(window)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, value);
  } else {
    SetWindowLongPtrA(window, GWLP_WNDPROC, value);
  }
}

WNDPROC OriginalOf(HWND window) {
  return reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(window, kOriginalProperty)));
}

LRESULT Call(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsUnicode(window) ? CallWindowProcW(procedure, window, message, wParam, lParam)
                           : CallWindowProcA(procedure, window, message, wParam, lParam);
}

}  // namespace

bool Subclass::Install(HWND control, Hook hook) {
  Remove();
  if (IsWindow(control) == FALSE || GetPropA(control, kOwnerProperty) != nullptr) {
    return false;
  }
  // Still in place after an owner that could not unhook: this one takes its place.
  WNDPROC original = OriginalOf(control);
  if (original == nullptr) {
    original = ProcedureOf(control);
    if (SetPropA(control, kOriginalProperty,
                 reinterpret_cast<HANDLE>(reinterpret_cast<LONG_PTR>(original))) == FALSE) {
      return false;
    }
    SetProcedure(control, &Procedure);
  }
  SetPropA(control, kOwnerProperty, this);
  control_ = control;
  original_ = original;
  hook_ = std::move(hook);
  return true;
}

void Subclass::Remove() {
  const HWND control = std::exchange(control_, nullptr);
  if (control == nullptr) {
    return;
  }
  RemovePropA(control, kOwnerProperty);
  if (ProcedureOf(control) == &Procedure) {
    SetProcedure(control, original_);
    RemovePropA(control, kOriginalProperty);
  }
}

void Subclass::Detach(HWND control) {
  if (auto* owner = static_cast<Subclass*>(GetPropA(control, kOwnerProperty))) {
    owner->Remove();
  }
  if (ProcedureOf(control) == &Procedure) {
    SetProcedure(control, OriginalOf(control));
  }
  RemovePropA(control, kOriginalProperty);
}

LRESULT Subclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
  return control_ != nullptr ? Call(original_, control_, message, wParam, lParam) : 0;
}

LRESULT CALLBACK Subclass::Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = OriginalOf(control);
  std::optional<LRESULT> ended;
  // The hook may destroy its owner: nothing here touches the owner after the call.
  if (auto* owner = static_cast<Subclass*>(GetPropA(control, kOwnerProperty));
      owner != nullptr && owner->hook_) {
    try {
      ended = owner->hook_(message, wParam, lParam);
    } catch (...) {
      ReportCaught("a control's hook");
    }
  }
  if (message == WM_NCDESTROY) {
    Detach(control);
  }
  return ended ? *ended : Call(original, control, message, wParam, lParam);
}

}  // namespace winkit
