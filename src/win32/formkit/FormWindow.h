#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formkit/Clicks.h"
#include "formkit/Form.h"
#include "formkit/Program.h"
#include "win32/formkit/ControlView.h"
#include "win32/formkit/FormResources.h"
#include "winkit/Handles.h"
#include "winkit/Window.h"

namespace formkit_win32 {

// The window class of a form's windows, by the form's name: how other programs find them.
std::wstring WindowClassName(std::string_view formName);

// Where the windows that leave their place to the system open: each a step below and to the
// right of the one before, from the work area's corner, and back to the corner when a window
// would leave the work area. Windows does the same for overlapped windows, but not for
// borderless ones, and Wine without a window manager not at all.
class Cascade {
 public:
  POINT Next(int width, int height);

 private:
  int count_ = 0;
};

// Keyboard handling the form windows need before a message is translated: Tab and Shift+Tab
// through the tab order, Enter pressing the default button, Ctrl+A selecting a box's text. For
// the main loop and every nested pump alike; true when the message was handled and must not be
// dispatched.
bool PreTranslateFormMessage(MSG& message);

// The window of one loaded form: built hidden from its description, then kept in step with the
// form's model, and turning what the user does into the program's events. Each control's view
// (ControlView) shows it; the window routes their messages to them and keeps the frame, the
// focus and the clicks.
//
// Events reach the program by the form they come from: once the form is unloaded, its window,
// hidden until the message loop destroys it, raises nothing more. Only the program's end destroys
// it under its own handler, and that never returns to it.
class FormWindow final : public formkit::FormView, public winkit::Window, private Presses {
 public:
  // `module` holds the pictures and icons and owns the window classes. Every size in pixels
  // follows from the scale of the monitor the window is on: at first the one it opens on.
  FormWindow(formkit::Program& program, formkit::Form& form, HINSTANCE module, Cascade& cascade);
  ~FormWindow() override;

  void ControlChanged(std::size_t index) override;
  void FormChanged() override;
  void MakeTopmost() override;
  void DragWindow() override;

  // The form window behind a top-level window of this thread, or nullptr.
  static FormWindow* FromHandle(HWND window);
  bool PreTranslate(const MSG& message);

  // The pixels per inch the window is laid out for (96 at 100 %).
  int Dpi() const { return dpi_; }
  // The font the control's caption or text is drawn in.
  HFONT FontOf(std::size_t index) { return resources_->CaptionFont(index); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Building.
  void CreateFormWindow(Cascade& cascade);
  // The window's outer size for its described client area at the scale.
  SIZE FrameSize(int dpi) const;
  // Lays the window out again at another scale, from the descriptions: pictures and fonts anew,
  // children at their places. In `frame` when given (the system's suggestion), else keeping its
  // top left.
  void Rescale(int dpi, const RECT* frame);
  void OnDpiChanged(WPARAM wParam, const RECT* suggested);

  // The surface and the drawn controls on it (FormPainting.cpp).
  void PaintSurface(HDC target);

  // Input.
  std::optional<std::size_t> DrawnControlAt(POINT client) const;
  std::optional<std::size_t> IndexOf(HWND child) const;
  void Press(std::optional<std::size_t> control, bool twice, HWND holder) override;
  void Release(std::optional<std::size_t> control) override;
  void CancelPress() override { clicks_.Cancel(); }
  void Raise(const formkit::Clicks::Raised& raised);
  void OnCommand(WPARAM wParam, HWND child);
  // WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC from a disabled or read-only box.
  LRESULT ColourControl(UINT message, WPARAM wParam, LPARAM lParam);
  bool SetPointer(HWND under);

  // Focus and tab order (FormFocus.cpp).
  std::vector<std::size_t> TabOrder() const;
  // To the next (or previous) control in the tab order after `from`.
  void MoveFocus(std::optional<std::size_t> from, bool backwards);
  void RestoreFocus();
  // Remembers the focus when the window is left and gives it back on return; true when the
  // activation is handled.
  bool OnActivate(WPARAM wParam);

  void OnTimer(WPARAM id);
  void FollowUserState(WPARAM sizeKind);

  formkit::Program& program_;
  formkit::Form& form_;
  HINSTANCE module_;
  int dpi_;

  // At dpi_; outlives the window, which the destructor destroys first.
  std::unique_ptr<FormResources> resources_;
  FormContext context_;
  std::vector<std::unique_ptr<ControlView>> views_;  // by control index
  std::optional<std::size_t> lastFocus_;
  formkit::Clicks clicks_;
  bool followingUser_ = false;
};

}  // namespace formkit_win32
