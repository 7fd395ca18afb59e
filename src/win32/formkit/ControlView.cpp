#include "win32/formkit/ControlView.h"

#include <string>

#include "win32/formkit/ButtonView.h"
#include "win32/formkit/DrawnView.h"
#include "win32/formkit/PictureBoxView.h"
#include "win32/formkit/TextBoxView.h"
#include "win32/formkit/TimerView.h"

namespace formkit_win32 {

// The window goes on without what the system would not make: it shows what it has and the rest
// of the program runs, but whoever watches the program's faults is told.
void FormContext::ReportUnmade(std::string_view what) const {
  program.GetPlatform().Fault(std::string(form.Name()) + ": the system made no window for " +
                              std::string(what) + " (error " + std::to_string(GetLastError()) +
                              ")");
}

bool ControlView::TakesFocus() const {
  const formkit::Control& control = Model();
  return window_ != nullptr && control.Desc().tabIndex >= 0 && control.Visible() &&
         control.Enabled();
}

std::unique_ptr<ControlView> MakeView(FormContext& context, std::size_t index) {
  switch (context.form.Controls()[index].Desc().kind) {
    case formkit::Kind::Label:
      return std::make_unique<LabelView>(context, index);
    case formkit::Kind::TextBox:
      return std::make_unique<TextBoxView>(context, index);
    case formkit::Kind::Button:
      return std::make_unique<ButtonView>(context, index);
    case formkit::Kind::Image:
      return std::make_unique<ImageView>(context, index);
    case formkit::Kind::PictureBox:
      return std::make_unique<PictureBoxView>(context, index);
    case formkit::Kind::Shape:
      return std::make_unique<ShapeView>(context, index);
    case formkit::Kind::Line:
      return std::make_unique<LineView>(context, index);
    case formkit::Kind::Timer:
      return std::make_unique<TimerView>(context, index);
    case formkit::Kind::ChatScanner:
      break;  // a component the program runs: nothing to show
  }
  return std::make_unique<ControlView>(context, index);
}

}  // namespace formkit_win32
