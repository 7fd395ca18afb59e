#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formkit/Description.h"
#include "formkit/Events.h"

namespace formkit {

class Form;

// What a window system shows of one form: told of every change the behaviour makes, so that the
// screen follows the model.
class FormView {
 public:
  FormView() = default;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;
  virtual ~FormView() = default;

  // A control's text, enabled or visible flag, or (timers) its enabled flag or interval changed.
  virtual void ControlChanged(std::size_t index) = 0;
  // The form's visibility or window state changed.
  virtual void FormChanged() = 0;
  virtual void MakeTopmost() = 0;
  virtual void DragWindow() = 0;
};

// A control's run-time state; its settings stay in its description.
class Control {
 public:
  Control(Form& form, std::size_t index, const ControlDesc& desc);

  const ControlDesc& Desc() const { return *desc_; }
  std::string_view Name() const { return desc_->name; }
  // Its place in the window's description.
  std::size_t Index() const { return index_; }

  // Caption of a label or button, text of a text box.
  const std::u16string& Text() const { return text_; }
  void SetText(std::u16string_view text);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);

  // For views: takes what the user typed without echoing it back to the view.
  void TakeTypedText(std::u16string_view text) { text_ = text; }

 private:
  void Changed();

  Form* form_;
  std::size_t index_;
  const ControlDesc* desc_;
  std::u16string text_;
  bool enabled_;
  bool visible_ = true;
  int interval_;
};

enum class WindowState { Normal, Minimized };

// One loaded window: its description, its controls' state and its view.
class Form {
 public:
  explicit Form(const FormDesc& desc);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormDesc& Desc() const { return *desc_; }
  std::string_view Name() const { return desc_->name; }

  // A control named in the build, by its place in this window's description.
  template <const FormDesc& D>
  Control& operator[](ControlIn<D> control) {
    return controls_[control.index];
  }
  std::vector<Control>& Controls() { return controls_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  WindowState State() const { return state_; }
  void SetState(WindowState state);

  void MakeTopmost();
  void DragWindow();

  // The view is attached once the window system has built the window.
  void Attach(std::unique_ptr<FormView> view) { view_ = std::move(view); }
  void Detach() { view_.reset(); }
  FormView* View() const { return view_.get(); }

 private:
  friend class Control;

  const FormDesc* desc_;
  std::vector<Control> controls_;
  bool visible_ = false;
  WindowState state_ = WindowState::Normal;
  std::unique_ptr<FormView> view_;
};

}  // namespace formkit
