#pragma once
// A control's messages seen first by its owner: the control's window procedure is replaced while
// the owner lives, and put back when the owner goes or the control is destroyed. ANSI controls
// stay ANSI: the hook gets their messages' texts as bytes of the system's code page.

#include <windows.h>

#include <functional>
#include <optional>

namespace winkit {

class Subclass {
 public:
  // A value returned ends the message there; nullopt passes it on to the control's own procedure.
  // An exception ends in the procedure, which then passes the message on.
  using Hook = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

  Subclass() = default;
  // The control keeps a pointer to this object.
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;
  ~Subclass() { Remove(); }

  // From now on the hook sees the control's messages before the control does. False if there is
  // no such window or another Subclass owns it already.
  bool Install(HWND control, Hook hook);
  // Puts the control's own procedure back. If something else has replaced the procedure since,
  // this one stays in between and only passes messages on, until the control is destroyed.
  void Remove();

  // The control's own handling of a message, bypassing the hook; 0 once the control is gone.
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  static void Detach(HWND control);

  HWND control_ = nullptr;
  WNDPROC original_ = nullptr;
  Hook hook_;
};

}  // namespace winkit
