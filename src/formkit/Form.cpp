#include "formkit/Form.h"

namespace formkit {

Control::Control(Form& form, std::size_t index, const ControlDesc& desc)
    : form_(&form),
      index_(index),
      desc_(&desc),
      text_(desc.text),
      enabled_(desc.enabled),
      interval_(desc.interval) {}

void Control::Changed() {
  if (FormView* view = form_->View()) {
    view->ControlChanged(index_);
  }
}

void Control::SetText(std::u16string_view text) {
  text_ = text;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void Control::SetInterval(int milliseconds) {
  interval_ = milliseconds;
  Changed();
}

Form::Form(const FormDesc& desc) : desc_(&desc) {
  controls_.reserve(desc.controls.size());
  for (std::size_t i = 0; i < desc.controls.size(); ++i) {
    controls_.emplace_back(*this, i, desc.controls[i]);
  }
}

void Form::SetVisible(bool visible) {
  visible_ = visible;
  if (view_) {
    view_->FormChanged();
  }
}

void Form::SetState(WindowState state) {
  state_ = state;
  if (view_) {
    view_->FormChanged();
  }
}

void Form::MakeTopmost() {
  if (view_) {
    view_->MakeTopmost();
  }
}

void Form::DragWindow() {
  if (view_) {
    view_->DragWindow();
  }
}

}  // namespace formkit
