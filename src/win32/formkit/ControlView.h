#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

#include "formkit/Form.h"
#include "formkit/Program.h"
#include "win32/formkit/FormResources.h"

namespace formkit_win32 {

// Child windows carry their control's index as their id, offset so that no id is 0.
inline constexpr int kFirstControlId = 1000;
constexpr int ControlId(std::size_t index) { return kFirstControlId + static_cast<int>(index); }
// Timer ids: the control's index plus this, so that no id is 0.
inline constexpr UINT_PTR kFirstTimerId = 1;

// The form window's click tracking, for controls whose windows take the mouse themselves.
class Presses {
 public:
  // A press on a control holds the mouse in `holder` until the release; see formkit::Clicks.
  virtual void Press(std::optional<std::size_t> control, bool twice, HWND holder) = 0;
  virtual void Release(std::optional<std::size_t> control) = 0;
  // The mouse was taken away before the release.
  virtual void CancelPress() = 0;

 protected:
  ~Presses() = default;
};

// What the views of one form window share; the window keeps it current.
struct FormContext {
  formkit::Program& program;
  formkit::Form& form;
  HINSTANCE module;  // holds the pictures and icons, owns the window classes
  Presses& presses;
  HWND window = nullptr;               // the form's, once made
  FormResources* resources = nullptr;  // at the window's scale, once it has one

  // Through the program's fault path, as a handler's failure is.
  void ReportUnmade(std::string_view what) const;
};

// What a form window shows of one control, by its kind: its window if it has one, what it
// paints, and what the user does with it turned into the program's events. The defaults suit a
// control that shows nothing (a hosted component).
class ControlView {
 public:
  ControlView(FormContext& context, std::size_t index) : context_(context), index_(index) {}
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;
  virtual ~ControlView() = default;

  // The control's window, owned by the form's; nullptr for none.
  HWND Window() const { return window_; }
  bool TakesFocus() const;

  // Makes the control's window, if it has one, once the form's is made.
  virtual void Create() {}
  // Shows the control's settings from the model: text, enabled, visible, a timer's period.
  virtual void Apply() {}
  // Places the window and sets its font again at the context's new scale.
  virtual void Layout() {}
  // Into the form's back buffer, for what is drawn on the form's surface.
  virtual void PaintOnSurface(HDC /*dc*/) {}
  // Whether a press at this point of the form's surface is on this control.
  virtual bool TakesClickAt(POINT /*client*/) const { return false; }
  // A WM_COMMAND notification from its window.
  virtual void OnCommand(WORD /*code*/) {}
  // WM_DRAWITEM for its owner-drawn window.
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // The brush, with the text colours set in `dc`, of WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC;
  // nullptr leaves the colours to the system.
  virtual HBRUSH Colour(HDC /*dc*/) { return nullptr; }
  virtual void OnTimer() {}
  // Ctrl+A with the focus in its window; true when handled.
  virtual bool SelectAll() { return false; }
  // Whether Enter presses it: when `focused`, or else as the window's default button.
  virtual bool PressedByEnter(bool /*focused*/) const { return false; }
  // Whether an Enter that presses nothing stops at its focused window.
  virtual bool SwallowsEnter() const { return false; }

 protected:
  formkit::Control& Model() const { return context_.form.Controls()[index_]; }
  const formkit::ControlDesc& Desc() const { return Model().Desc(); }
  FormResources& Resources() const { return *context_.resources; }
  RECT Box() const { return Resources().Box(Desc()); }

  FormContext& context_;
  std::size_t index_;
  HWND window_ = nullptr;
};

// The view for the control's kind.
std::unique_ptr<ControlView> MakeView(FormContext& context, std::size_t index);

}  // namespace formkit_win32
